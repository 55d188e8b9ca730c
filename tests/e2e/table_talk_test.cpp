// Chat and leaving at a practice table: a line one player sends reaches
// every other player's history and ticker through the server; a player who
// leaves between hands frees the seat, and the others are told.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "bots/practice_game.h"
#include "core/connection/leaving.h"
#include "core/connection/table_state_msgs.h"
#include "core/handlers.h"
#include "core/social/chat.h"
#include "core/view/buttons.h"

namespace vask::test {
namespace {

using bots::PracticeGame;
using bots::TableBot;

bool HasLineWith(const ListControl& list, const std::string& part) {
  return std::any_of(list.items.begin(), list.items.end(),
                     [&](const std::string& line) { return line.find(part) != std::string::npos; });
}

// How long a step of a game may take before the test gives up on it.
constexpr double kStepSeconds = 10;

TEST(TableTalk, AChatLineReachesEveryOtherPlayerThroughTheServer) {
  PracticeGame game(3);
  ASSERT_TRUE(game.Started());
  auto& players = game.Players();
  ASSERT_TRUE(game.RunUntil([&] {
    return std::all_of(players.begin(), players.end(), [](auto& p) { return p->GetClient().table.bInGame; });
  }, kStepSeconds));
  Client& speaker = players[0]->GetClient();
  Chat_Change(speaker, "大家好，祝好运！", 8);
  ControlInput send;
  send.index = an_niu::kSend;
  send.button = mouse_button::kLeft;
  MainForm_AnNiu_Click(speaker, send);
  const std::string nick = speaker.players.PlayerInfo[0].Nick;
  ASSERT_FALSE(nick.empty());
  const bool heard = game.RunUntil([&] {
    return std::all_of(players.begin() + 1, players.end(),
                       [](auto& p) { return HasLineWith(TalkLines(p->GetClient()), "大家好，祝好运！"); });
  }, kStepSeconds);
  ASSERT_TRUE(heard);
  for (std::size_t i = 1; i < players.size(); ++i) {
    Client& c = players[i]->GetClient();
    EXPECT_TRUE(HasLineWith(TalkLines(c), nick + "说道： 大家好，祝好运！")) << players[i]->Options().account;
    EXPECT_TRUE(HasLineWith(c.view.Sysmsg[1], "大家好")) << players[i]->Options().account;
  }
  // The speaker's own line comes back with "你" for the name.
  ASSERT_TRUE(game.RunUntil([&] { return HasLineWith(TalkLines(speaker), "大家好"); }, kStepSeconds));
  EXPECT_TRUE(HasLineWith(TalkLines(speaker), "你说道： 大家好，祝好运！"));
  // The game goes on.
  EXPECT_TRUE(game.PlayHands(2, 30)) << game.Log();
}

TEST(TableTalk, APlayerWhoLeavesBetweenHandsFreesTheSeatAndTheOthersAreTold) {
  PracticeGame game(5);
  ASSERT_TRUE(game.Started());
  auto& players = game.Players();
  TableBot& leaver = *players[2];
  // Right after the first hand, before it would declare itself ready for
  // the next (the look comes before the bot's move).
  std::string nick;
  bool left = false;
  game.RunUntil([&] { return left; }, kStepSeconds, [&](TableBot& p) {
    Client& c = p.GetClient();
    if (&p != &leaver || left || c.table.HandNo < 1 || c.table.bInGame) return;
    nick = c.players.PlayerInfo[0].Nick;
    ToggleLeaveDialog(c);
    ASSERT_TRUE(c.view.frmExit.visible);
    pbCloseMe_Click(c);
    left = true;
  });
  ASSERT_TRUE(left) << game.Log();
  ASSERT_FALSE(nick.empty());
  EXPECT_NE(leaver.Platform().SocketState(), kSocketConnected);
  EXPECT_FALSE(leaver.GetClient().view.frmExit.visible);
  // Back to the lobby, which is there: the client waits for its next order.
  EXPECT_FALSE(leaver.Platform().quit);

  ASSERT_TRUE(game.RunUntil([&] { return game.SeatOf(leaver) < 0; }, kStepSeconds)) << "the seat stays taken";
  const bool told = game.RunUntil([&] {
    return std::all_of(players.begin(), players.end(), [&](auto& p) {
      return p.get() == &leaver || HasLineWith(p->GetClient().view.Sysmsg[1], nick + table_text::kLeftGame) ||
             HasLineWith(p->GetClient().view.Sysmsg[0], nick + table_text::kLeftGame);
    });
  }, kStepSeconds);
  EXPECT_TRUE(told);
  EXPECT_EQ(game.ServerTable().HandsPlayed(), 1);
}

}  // namespace
}  // namespace vask::test
