// The lobby's window messages in each state of the client, and the lobby
// window operations.
#include "core/connection/lobby_link.h"

#include <gtest/gtest.h>

#include "core/client.h"
#include "table_fixture.h"

namespace vask::test {
namespace {

enum class State { LoggingIn, InHand, Idle };

struct Case {
  const char* name;
  State state;
  std::uint32_t msg;
  std::vector<std::uint32_t> answers;
  bool leaves;
};

class LobbyMessage : public TableTest, public ::testing::WithParamInterface<Case> {};

bool LeaveFrameSent(const FakePlatform& p) {
  for (const Frame& f : p.SentFrames())
    if (f[3] == 16 && f[15] == 0 && f[14] == 0) return true;
  return false;
}

TEST_P(LobbyMessage, IsAnsweredAsTheStateRequires) {
  const Case& k = GetParam();
  client.login.bLoggingIn = k.state == State::LoggingIn;
  client.table.bInGame = k.state == State::InHand;
  client.OnWindowMessage(k.msg, 0, 0);
  EXPECT_EQ(platform.PostedTo(kLobby), k.answers);
  EXPECT_EQ(LeaveFrameSent(platform), k.leaves);
  EXPECT_EQ(platform.CallMade("SocketClose"), k.leaves);
  EXPECT_EQ(platform.CallMade("MinimizeMainWindow"), k.leaves);
  EXPECT_FALSE(platform.quit);
}

INSTANTIATE_TEST_SUITE_P(
    States, LobbyMessage,
    ::testing::Values(
        Case{"LeaveWhileLoggingIn", State::LoggingIn, lobby_msg::kLeave, {lobby_msg::kLoggingIn}, false},
        Case{"LeaveInAHand", State::InHand, lobby_msg::kLeave, {lobby_msg::kInHand}, false},
        Case{"LeaveWhenIdle", State::Idle, lobby_msg::kLeave, {lobby_msg::kLeft}, true},
        Case{"AskWhileLoggingIn", State::LoggingIn, lobby_msg::kInHand, {lobby_msg::kLeft}, false},
        Case{"AskInAHand", State::InHand, lobby_msg::kInHand, {lobby_msg::kInHand}, false},
        Case{"AskWhenIdle", State::Idle, lobby_msg::kInHand, {lobby_msg::kLeft}, false},
        Case{"LeaveNowWhileLoggingIn", State::LoggingIn, lobby_msg::kLeft, {}, true},
        Case{"LeaveNowInAHand", State::InHand, lobby_msg::kLeft, {}, true},
        Case{"LeaveNowWhenIdle", State::Idle, lobby_msg::kLeft, {}, true},
        Case{"UnknownMessage", State::Idle, 0x999, {}, false}),
    [](const ::testing::TestParamInfo<Case>& i) { return std::string(i.param.name); });

TEST_F(TableTest, WithTheLobbyGoneItsLeaveOrderIsIgnored) {
  platform.existingWindows.clear();
  client.OnWindowMessage(lobby_msg::kLeave, 0, 0);
  client.OnWindowMessage(lobby_msg::kInHand, 0, 0);
  EXPECT_TRUE(platform.posts.empty());
  EXPECT_FALSE(platform.CallMade("SocketClose"));
  EXPECT_FALSE(platform.quit);
}

TEST_F(TableTest, LeavingWritesTheLeaveFrameBeforeTheSocketCloses) {
  client.table.Detail[0].Mask = 4;
  client.OnWindowMessage(lobby_msg::kLeave, 0, 0);
  std::vector<Frame> sent = platform.SentFrames();
  ASSERT_EQ(sent.size(), 1u);
  Frame expected{};
  expected[3] = 16;
  expected[6] = 4;
  EXPECT_EQ(sent[0], expected);
  EXPECT_FALSE(client.login.g_bCanRecon);
  EXPECT_FALSE(platform.TimerOn(TimerId::Bong));
  EXPECT_FALSE(platform.TimerOn(TimerId::KeepAlive));
  EXPECT_EQ(client.table.Detail[0].username, table.account);
}

TEST_F(TableTest, TheConnectOrderConnectsAgainAndOpensTheLoginGate) {
  client.launch.ServerHost = "10.1.1.1";
  client.launch.ServerPort = 7400;
  client.conn.RecvBuf.PutAll(std::vector<std::uint8_t>(100, 7));
  client.widgets.ButtonState[2] = true;
  client.view.Time_Img.visible = client.view.Number.visible = true;
  client.OnWindowMessage(lobby_msg::kConnect, 0, 0);
  EXPECT_TRUE(platform.CallMade("SocketConnect(10.1.1.1:7400)"));
  EXPECT_EQ(client.conn.RecvBuf.Unread(), 0u);
  EXPECT_TRUE(client.login.bLoggingIn);
  EXPECT_TRUE(client.conn.bLoginSend);
  EXPECT_TRUE(client.life.bTableCleared);
  EXPECT_FALSE(client.widgets.ButtonState[2]);
  EXPECT_FALSE(client.view.Time_Img.visible);
  EXPECT_FALSE(client.view.Number.visible);
  EXPECT_TRUE(platform.posts.empty());
}

TEST_F(TableTest, TheConnectOrderThroughAProxyLeavesTheGateToTheHandshake) {
  client.launch.ProxyType = 5;
  client.launch.ProxyHost = "10.9.9.9";
  client.launch.ProxyPort = 1080;
  client.conn.bLoginSend = true;
  client.OnWindowMessage(lobby_msg::kConnect, 0, 0);
  EXPECT_TRUE(platform.CallMade("SocketConnect(10.9.9.9:1080)"));
  EXPECT_FALSE(client.conn.bProxyDone);
  EXPECT_FALSE(client.conn.bLoginSend);
  EXPECT_TRUE(client.login.bLoggingIn);
}

TEST_F(TableTest, RestoringOrMinimisingAMissingLobbyQuits) {
  RestoreLobby(client);
  EXPECT_TRUE(platform.CallMade(std::string("RestoreWindow(") + kLobby + ")"));
  EXPECT_FALSE(platform.quit);
  platform.existingWindows.clear();
  MinimizeLobby(client);
  EXPECT_TRUE(platform.quit);
}

TEST_F(TableTest, TheRestoredMainWindowComesToTheTopAndTheLobbyMakesRoom) {
  client.OnMainWindowState(true);
  EXPECT_FALSE(platform.CallMade("BringMainWindowToTop"));
  EXPECT_FALSE(platform.CallMade("MinimizeWindow"));
  client.OnMainWindowState(false);
  EXPECT_TRUE(platform.CallMade("BringMainWindowToTop"));
  EXPECT_TRUE(platform.CallMade(std::string("MinimizeWindow(") + kLobby + ")"));
  EXPECT_FALSE(platform.quit);
}

TEST_F(TableTest, WithoutALobbyTitleRestoringDoesNothing) {
  client.conn.LobbyTitle.clear();
  RestoreLobby(client);
  PostToLobby(client, lobby_msg::kLeave);
  EXPECT_FALSE(platform.quit);
  EXPECT_TRUE(platform.posts.empty());
  EXPECT_FALSE(platform.CallMade("RestoreWindow"));
}

}  // namespace
}  // namespace vask::test
