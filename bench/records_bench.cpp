// The results file after every hand: writing one hand's score window into
// a file that already holds many hands, and reading one back.
#include <benchmark/benchmark.h>

#include <string>

#include "core/client.h"
#include "core/settle/records.h"
#include "core/settle/score_windows.h"
#include "platform/fake/fake_platform.h"

namespace vask {
namespace {

// A score window as a long hand leaves it: 30 lines per seat column.
void FillScoreWindow(Client& c) {
  LayoutScoreWindows(c);
  for (int j = 0; j < 8; ++j) {
    auto& lines = ScoreState(c, j).items;
    lines.clear();
    const int n = j < 4 ? 30 : 1;
    for (int k = 0; k < n; ++k) lines.push_back("杠开混吊捉五：-" + std::to_string(40 + k) + "金币");
  }
  for (int i = 0; i < 4; ++i) RecordScoreSeat(c, i, "玩家" + std::to_string(i), i);
}

void BM_WriteResultsFile(benchmark::State& state) {
  FakePlatform platform;
  Client client(platform);
  FillScoreWindow(client);
  const int hands = static_cast<int>(state.range(0));
  for (int h = 1; h <= hands; ++h) WriteResultsFile(client, h);
  for (auto _ : state) WriteResultsFile(client, hands + 1);
  state.counters["file_kB"] = static_cast<double>(platform.files.begin()->second.size()) / 1024;
}
BENCHMARK(BM_WriteResultsFile)->Arg(1)->Arg(20)->Arg(100)->Unit(benchmark::kMillisecond);

void BM_ShowRecordedHand(benchmark::State& state) {
  FakePlatform platform;
  Client client(platform);
  FillScoreWindow(client);
  const int hands = static_cast<int>(state.range(0));
  for (int h = 1; h <= hands; ++h) WriteResultsFile(client, h);
  for (auto _ : state) ShowRecordedHand(client, hands / 2 + 1);
}
BENCHMARK(BM_ShowRecordedHand)->Arg(20)->Arg(100)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vask
