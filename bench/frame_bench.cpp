// Decode and dispatch throughput of received frames, next to a plain copy
// of the same bytes, and the hand sort on full hands.
#include <benchmark/benchmark.h>

#include <cstring>
#include <random>

#include "core/client.h"
#include "core/connection/dispatcher.h"
#include "platform/fake/fake_platform.h"

namespace vask {
namespace {

constexpr int kCommands[] = {1, 2, 5, 6, 7, 15, 16, 17, 19, 23, 41, 44, 91, 100};

std::vector<Frame> SampleFrames() {
  std::vector<Frame> frames;
  std::mt19937 rng(1);
  for (int i = 0; i < 127; ++i) {
    Frame f{};
    for (auto& b : f) b = static_cast<std::uint8_t>(rng());
    f[3] = static_cast<std::uint8_t>(kCommands[i % std::size(kCommands)]);
    f[236] = f[237] = f[238] = f[239] = 0;
    f[16] = 'a';
    f[17] = 0;
    frames.push_back(f);
  }
  return frames;
}

void BM_CopyFrame(benchmark::State& state) {
  auto frames = SampleFrames();
  Frame out;
  std::size_t i = 0;
  for (auto _ : state) {
    std::memcpy(out.data(), frames[i].data(), kFrameSize);
    benchmark::DoNotOptimize(out);
    i = (i + 1) % frames.size();
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_CopyFrame);

void BM_DecodeAndDispatch(benchmark::State& state) {
  FakePlatform platform;
  Client client(platform);
  client.table.Detail[0].Mask = 1;
  auto frames = SampleFrames();
  std::size_t i = 0;
  for (auto _ : state) {
    if (client.conn.RecvBuf.Unread() < kFrameSize) {
      state.PauseTiming();
      for (const Frame& f : frames) client.conn.RecvBuf.PutAll(f);
      state.ResumeTiming();
    }
    GetMsg(client);
    ProcessMsg(client, client.conn.Rinfo);
    benchmark::DoNotOptimize(client.conn.Rinfo);
    ++i;
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_DecodeAndDispatch);

void BM_SortHand(benchmark::State& state) {
  TableState t;
  ResetSeatRecords(t);
  t.HunTiles = {0x23, 0x45, 0x89, 0};
  std::mt19937 rng(2);
  constexpr TileCode kTiles[] = {0x11, 0x15, 0x17, 0x21, 0x23, 0x29, 0x41, 0x45, 0x47, 0x81, 0x89, 0x85};
  std::vector<std::array<TileCode, 14>> hands(64);
  for (auto& h : hands)
    for (auto& code : h) code = kTiles[rng() % std::size(kTiles)];
  std::size_t i = 0;
  for (auto _ : state) {
    SeatRec& own = t.Detail[0];
    own.HandCount = 14;
    for (int k = 0; k < 14; ++k) own.Slots[4 + k].Tile = hands[i][k];
    benchmark::DoNotOptimize(SortHandCodes(t, 0, 14));
    i = (i + 1) % hands.size();
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_SortHand);

}  // namespace
}  // namespace vask
