// A player who leaves during a hand with the leave dialog and comes back
// through the lobby's connect order is seated again: into the running hand
// (the server still plays the seat) or, once that hand is over, at the next
// one with a fresh seating. Either way the client plays on to the next
// hand's settlement and never ends.
#include <gtest/gtest.h>

#include "bots/practice_game.h"
#include "core/connection/leaving.h"
#include "core/connection/lobby_link.h"
#include "core/handlers.h"
#include "core/settle/score_windows.h"

namespace vask::test {
namespace {

using bots::PracticeGame;
using bots::TableBot;

constexpr double kStepSeconds = 20;

std::size_t HandsShown(TableBot& p) { return HeroNum(p.GetClient()).items.size(); }

struct Return {
  const char* name;
  bool afterTheHand;  // come back only once the server has settled the hand
};

class ReturningPlayer : public ::testing::TestWithParam<Return> {};

TEST_P(ReturningPlayer, IsSeatedAgainAndPlaysOnToTheNextSettlement) {
  PracticeGame game(13);
  ASSERT_TRUE(game.Started());
  TableBot& leaver = *game.Players()[1];
  Client& c = leaver.GetClient();
  // Leave in the middle of the first hand, once it is in play.
  bool left = false;
  game.RunUntil([&] { return left; }, kStepSeconds, [&](TableBot& p) {
    if (&p != &leaver || left || !c.table.bInGame || c.table.IncrementalRedraw != 1) return;
    ToggleLeaveDialog(c);
    pbCloseMe_Click(c);
    left = true;
  });
  ASSERT_TRUE(left) << game.Describe();
  ASSERT_EQ(game.ServerTable().HandsPlayed(), 0);
  if (GetParam().afterTheHand) {
    ASSERT_TRUE(game.PlayHands(1, kStepSeconds)) << game.Describe();
  }

  // The lobby's connect order.
  const int handsBefore = game.ServerTable().HandsPlayed();
  WndProc(c, lobby_msg::kConnect, 0, 0);
  ASSERT_TRUE(game.RunUntil([&] { return game.ServerTable().HandsPlayed() > handsBefore || leaver.Platform().quit; },
                            kStepSeconds))
      << game.Describe();
  ASSERT_FALSE(leaver.Platform().quit) << leaver.Platform().lastMessage;
  EXPECT_GE(game.SeatOf(leaver), 0);
  // And the hand after that, from its deal to its settlement.
  const std::size_t shown = HandsShown(leaver);
  const int played = game.ServerTable().HandsPlayed();
  ASSERT_TRUE(game.RunUntil([&] {
    return (game.ServerTable().HandsPlayed() > played && HandsShown(leaver) > shown) || leaver.Platform().quit;
  }, kStepSeconds)) << game.Describe();
  ASSERT_FALSE(leaver.Platform().quit) << leaver.Platform().lastMessage;
}

INSTANTIATE_TEST_SUITE_P(When, ReturningPlayer,
                         ::testing::Values(Return{"DuringTheHand", false}, Return{"AfterTheHand", true}),
                         [](const ::testing::TestParamInfo<Return>& i) { return std::string(i.param.name); });

}  // namespace
}  // namespace vask::test
