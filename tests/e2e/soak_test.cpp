// A bounded soak: four table bots play many hands at full speed while
// their connections drop at random moments. Every hand must end with its
// stakes summing to zero, every dropped client must come back into its
// seat, and whenever a client is to discard, its hand is the server's.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <sstream>
#include <string>

#include "bots/practice_game.h"

namespace vask::test {
namespace {

using bots::PracticeGame;
using bots::TableBot;


// Off until the bots come back from a drop reliably: today the first hand
// with a drop ends, the next one stalls (a reconnected client and the
// server disagree on whose turn it is). Run it by name with
// --gtest_also_run_disabled_tests while working on it.
TEST(Soak, DISABLED_HandsPlayOnThroughRandomConnectionDrops) {
  PracticeGame game(31);
  ASSERT_TRUE(game.Started());
  std::mt19937 rng(31);
  const int kHands = 12;
  int drops = 0, checks = 0;
  const bool finished = game.PlayHands(kHands, 120, [&](TableBot& p) {
    // About one drop every few hundred moves, always in a hand: between
    // hands a client whose line dropped goes back to the lobby, by design.
    if (rng() % 600 == 0 && p.GetClient().table.bInGame && p.Platform().SocketState() == kSocketConnected) {
      p.Platform().DropConnection();
      ++drops;
      return;
    }
    const std::optional<bool> same = game.HandMatchesServer(p);
    if (!same) return;
    EXPECT_TRUE(*same) << p.Options().account << " in hand " << game.ServerTable().HandsPlayed() + 1;
    ++checks;
  });
  ASSERT_TRUE(finished) << "hands played: " << game.ServerTable().HandsPlayed() << "\n" << game.Log();
  EXPECT_GT(drops, 3);
  EXPECT_GT(checks, 30);
  std::istringstream log(game.Log());
  int hands = 0;
  for (std::string line; std::getline(log, line);) {
    if (line.rfind("hand=", 0) != 0) continue;
    ++hands;
    EXPECT_NE(line.find(" sum=0"), std::string::npos) << line;
  }
  EXPECT_GE(hands, kHands);
  for (auto& p : game.Players()) EXPECT_FALSE(p->Platform().quit) << p->Options().account << ": " << p->Platform().lastMessage;
}

}  // namespace
}  // namespace vask::test
