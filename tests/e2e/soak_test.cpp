// A bounded soak: four table bots play many hands at full speed while
// their connections drop at random moments. Every hand must end with its
// stakes summing to zero, every dropped client must come back into its
// seat, and whenever a client is to discard, its hand is the server's.
#include <gtest/gtest.h>

#include <map>
#include <random>
#include <sstream>
#include <string>

#include "bots/practice_game.h"
#include "e2e/hand_check.h"

namespace vask::test {
namespace {

using bots::PracticeGame;
using bots::TableBot;

// Seeds for the walls and for the moments of the drops.
class Soak : public ::testing::TestWithParam<std::uint32_t> {};

TEST_P(Soak, HandsPlayOnThroughRandomConnectionDrops) {
  const std::uint32_t seed = GetParam();
  PracticeGame game(seed);
  ASSERT_TRUE(game.Started());
  std::mt19937 rng(seed);
  const int kHands = 30;
  int drops = 0, checks = 0;
  std::map<const TableBot*, int> movesSeen;
  const bool finished = game.PlayHands(kHands, 90, [&](TableBot& p) {
    // About one drop in thirty moves, counted by the bot's own discards (a
    // round is a spin of the loop, far more frequent than moves), and only
    // in a hand on a live table: between hands a client whose line dropped
    // goes back to the lobby, by design.
    int& seen = movesSeen[&p];
    const bool moved = p.Discards() != seen;
    seen = p.Discards();
    const Client& c = p.GetClient();
    if (moved && rng() % 30 == 0 && c.table.bInGame && c.conn.bTableLive &&
        p.Platform().SocketState() == kSocketConnected) {
      p.Platform().DropConnection();
      ++drops;
      return;
    }
    checks += CheckHandAgainstServer(game, p);
  });
  ASSERT_TRUE(finished) << "hands played: " << game.ServerTable().HandsPlayed() << "\n"
                        << game.Describe() << game.Log();
  EXPECT_GT(drops, 10);
  EXPECT_GT(checks, 100);
  std::istringstream log(game.Log());
  int hands = 0;
  for (std::string line; std::getline(log, line);) {
    if (line.rfind("hand=", 0) != 0) continue;
    ++hands;
    EXPECT_NE(line.find(" sum=0"), std::string::npos) << line;
  }
  EXPECT_GE(hands, kHands);
  // Every dropped client came back into its seat.
  int reconnects = 0;
  for (auto& p : game.Players()) {
    EXPECT_FALSE(p->Platform().quit) << p->Options().account << ": " << p->Platform().lastMessage;
    EXPECT_GE(game.SeatOf(*p), 0) << p->Options().account;
    reconnects += p->Reconnects();
  }
  EXPECT_EQ(reconnects, drops);
}

INSTANTIATE_TEST_SUITE_P(Seeds, Soak, ::testing::Values(31u, 7u, 2024u));

}  // namespace
}  // namespace vask::test
