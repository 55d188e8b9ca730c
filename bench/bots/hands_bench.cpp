// Whole hands per second: four table bots (the client logic headless,
// clocks racing) against the practice server over loopback TCP, all in one
// thread. Goal here: 500 hands a second.
#include <benchmark/benchmark.h>

#include "bots/practice_game.h"

namespace vask::bots {
namespace {

void BM_BotHandsPerSecond(benchmark::State& state) {
  PracticeGame game(99, static_cast<Strength>(state.range(0)));
  if (!game.Started()) return state.SkipWithError("the practice game did not start");
  // Seated and through the first hand before the clock starts.
  if (!game.PlayHands(1, 30)) return state.SkipWithError("no first hand");
  int hands = game.ServerTable().HandsPlayed();
  for (auto _ : state) {
    if (!game.PlayHands(++hands, 30)) return state.SkipWithError("a hand did not end");
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_BotHandsPerSecond)->Arg(static_cast<int>(Strength::Steady))->Arg(static_cast<int>(Strength::Sharp))
    ->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace vask::bots
