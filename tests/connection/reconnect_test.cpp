// Keep-alive, the connection watch, the reconnect dialog with its timers,
// the re-login and its answer, and the client reset, through the fake
// platform's virtual clock.
#include "core/connection/reconnect.h"

#include <gtest/gtest.h>

#include "core/client.h"
#include "core/connection/login.h"
#include "core/view/dialogs.h"
#include "core/view/layout.h"
#include "support/frames.h"
#include "table_fixture.h"

namespace vask::test {
namespace {

constexpr std::uint32_t kReloginId = 0x0A0B0C0D;
// Ticks from an attempt's connection to its re-login frame, and the rest of
// TimerCount's period.
constexpr int kReloginTicks = 5;
constexpr int kRestOfPeriodMs = kTimerCountMs - kReloginTicks * 50;

class Reconnect : public TableTest {
 protected:
  Reconnect() {
    client.launch.ServerHost = "10.0.0.7";
    client.launch.ServerPort = 6000;
    InitPictureTables(client.pics, 1.0);
    InitLayout(client);
    // Logged in the way a client does: the login duty opens the watch.
    client.login.LoginFrame = BuildLoginFrame("player", "key-1234");
    OpenLoginGate(client);
    Ticks(5);
    SitDown();
    // The hand has started: the server tags its frames and names the
    // re-login identifier.
    Frame start = TableStateFrame(2, 1);
    for (int i = 0; i < 4; ++i) start[268 + i] = static_cast<std::uint8_t>(kReloginId >> (8 * i));
    start[260] = 0x12;
    start[261] = 0x34;
    Play(start);
    platform.sent.clear();
  }
  const FormWindow& Dialog() const { return client.view.frmReconnect; }
  std::string Countdown() const { return Dialog().parts[reconnect_part::kLbTime].text; }
  int Connects() const {
    int n = 0;
    for (const std::string& call : platform.calls) n += call == "SocketConnect(10.0.0.7:6000)";
    return n;
  }
  // The link drops; the watch notices within two ticks.
  void Drop() {
    platform.ServerCloses();
    Ticks(3);
  }
  // Up to the first attempt: the countdown's tick, then TimerCount's.
  void DropAndFirstAttempt() {
    Drop();
    platform.Advance(kTimerReconnectMs + kTimerCountMs);
  }
  // The attempt's socket connects and the re-login frame goes out.
  Frame ConnectAndRelogin() {
    platform.Connect();
    Ticks(kReloginTicks);
    const std::vector<Frame> sent = platform.SentFrames();
    EXPECT_FALSE(sent.empty());
    return sent.empty() ? Frame{} : sent.back();
  }
  void Accept() { Play(ServerFrame(29, 0, {0, 0, 0, 1})); }
};

TEST_F(Reconnect, KeepAliveEveryFiveSecondsWithTheOwnSeat) {
  // The login answer started it, the seat names of the new table stopped
  // it, a departure starts it again.
  EXPECT_FALSE(platform.TimerOn(TimerId::KeepAlive));
  Play(PlayerLeavesFrame("nobody"));
  ASSERT_TRUE(platform.TimerOn(TimerId::KeepAlive));
  platform.sent.clear();
  platform.Advance(10000);
  int alive = 0;
  for (const Frame& f : platform.SentFrames()) {
    if (f[3] != 24) continue;
    ++alive;
    EXPECT_EQ(f[6], client.table.OwnMask());
    EXPECT_EQ(f[8] | f[9] | f[10] | f[11] | f[12] | f[13] | f[14] | f[15], 0);
  }
  EXPECT_EQ(alive, 2);
  Play(SeatNameFrame(1, "east01"));
  EXPECT_FALSE(platform.TimerOn(TimerId::KeepAlive));
}

TEST_F(Reconnect, ADroppedLinkOpensTheDialogAndRetriesWithTheReloginFrame) {
  Drop();
  ASSERT_TRUE(Dialog().visible);
  EXPECT_EQ(Dialog().parts[reconnect_part::kText].text, "发现网络断开，需要重连吗？");
  EXPECT_EQ(Countdown(), "0 秒后自动重连");
  EXPECT_FALSE(client.conn.bTableLive);
  EXPECT_EQ(Connects(), 0);
  platform.Advance(kTimerReconnectMs + kTimerCountMs);
  EXPECT_EQ(Connects(), 1);
  EXPECT_EQ(client.view.Sysmsg[0].items, std::vector<std::string>{"正在重新连接服务器..."});
  const Frame relogin = ConnectAndRelogin();
  EXPECT_EQ(relogin[3], 28);
  EXPECT_EQ(relogin[14], 1);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(&relogin[16])), "player");
  EXPECT_EQ(relogin[260], 0x12);
  EXPECT_EQ(relogin[261], 0x34);
  EXPECT_EQ(relogin[268] | relogin[269] << 8 | relogin[270] << 16 | static_cast<std::uint32_t>(relogin[271]) << 24,
            kReloginId);
  // Written once per attempt, not again on later ticks.
  Ticks(20);
  EXPECT_EQ(platform.SentFrames().size(), 1u);
}

TEST_F(Reconnect, AcceptedReloginClosesTheDialogAndSendsWhatWaitedOnePerTick) {
  Drop();
  // The player plays on meanwhile: the requests wait in the send ring.
  MsgInfo discard;
  discard.cmd = 2;
  discard.seat = table.ownMask;
  for (int tile : {0x11, 0x12, 0x13, 0x15}) {
    discard.value[0] = static_cast<std::int16_t>(tile);
    ASSERT_TRUE(SendMsg(client, discard));
  }
  platform.Advance(kTimerReconnectMs + kTimerCountMs);
  platform.sent.clear();
  ConnectAndRelogin();
  EXPECT_TRUE(Dialog().visible);  // connected is not back yet
  const std::size_t queued = client.conn.SendBuf.Unread() / kFrameSize;
  ASSERT_EQ(queued, 4u);
  platform.sent.clear();
  platform.sendTimes.clear();
  Accept();
  EXPECT_FALSE(Dialog().visible);
  EXPECT_FALSE(platform.TimerOn(TimerId::Count));
  EXPECT_TRUE(client.conn.bTableLive);
  EXPECT_FALSE(client.login.bLoggingIn);
  EXPECT_EQ(client.view.Sysmsg[0].items, std::vector<std::string>{"正在重连服务器，请等待...！"});
  Ticks(static_cast<int>(queued));
  const std::vector<Frame> sent = platform.SentFrames();
  ASSERT_EQ(sent.size(), queued);
  for (std::size_t i = 1; i < queued; ++i) EXPECT_GE(platform.sendTimes[i] - platform.sendTimes[i - 1], 50u);
  EXPECT_EQ(sent.back()[3], 2);
  EXPECT_EQ(sent.back()[9], 0x15);
  EXPECT_EQ(client.conn.SendBuf.Unread(), 0u);
  // The server does not re-tag its answer.
  EXPECT_EQ(client.conn.ServerTag[0], 0x12);
}

TEST_F(Reconnect, ASocketThatRefusesEveryConnectionIsGivenUpAfterTwentyOneAttempts) {
  DropAndFirstAttempt();
  for (int attempt = 1; attempt <= 21; ++attempt) {
    EXPECT_EQ(Connects(), attempt);
    EXPECT_FALSE(platform.quit);
    platform.RefuseConnection();
    platform.Advance(kTimerCountMs);
  }
  EXPECT_EQ(Connects(), 21);
  EXPECT_TRUE(platform.CallMade("MessageBox(Vask,重连失败，请检查您的网络！)"));
  EXPECT_TRUE(platform.CallMade(std::string("RestoreWindow(") + kLobby + ")"));
  EXPECT_TRUE(platform.quit);
}

TEST_F(Reconnect, AServerThatConnectsButNeverAnswersIsNoReconnection) {
  DropAndFirstAttempt();
  // Every attempt connects and writes its re-login; none is answered.
  for (int attempt = 1; attempt <= 21; ++attempt) {
    EXPECT_EQ(ConnectAndRelogin()[3], 28) << attempt;
    EXPECT_TRUE(Dialog().visible) << attempt;
    EXPECT_FALSE(client.conn.bTableLive) << attempt;
    platform.Advance(kRestOfPeriodMs);
  }
  EXPECT_TRUE(platform.CallMade("MessageBox(Vask,重连失败，请检查您的网络！)"));
  EXPECT_TRUE(platform.quit);
}

TEST_F(Reconnect, AnAttemptWhoseLinkDropsAgainKeepsCountingAttempts) {
  DropAndFirstAttempt();
  ConnectAndRelogin();
  platform.ServerCloses();
  Ticks(3);
  EXPECT_EQ(client.recon.ReconAttempts, 1);
  platform.Advance(kTimerCountMs);
  EXPECT_EQ(client.recon.ReconAttempts, 2);
}

TEST_F(Reconnect, WhatANewLinkSendsBeforeTheAnswerIsNotHandled) {
  DropAndFirstAttempt();
  ConnectAndRelogin();
  const auto names = client.table.Detail;
  // Garbage that would have the client quit, change seats or log in.
  Play({PlayerLeavesFrame("player"), SeatNameFrame(1, "stranger"), LoginAnswer(3), ServerFrame(77)});
  EXPECT_FALSE(platform.quit);
  for (int v = 0; v < 4; ++v) EXPECT_EQ(client.table.Detail[v].username, names[v].username) << v;
  EXPECT_TRUE(Dialog().visible);
  // The answer still counts when it comes.
  Accept();
  EXPECT_FALSE(Dialog().visible);
  Play(PlayerLeavesFrame(table.accounts[0]));
  EXPECT_EQ(ViewOfAccount(table.accounts[0]), -1);
}

TEST_F(Reconnect, AFrameCutByTheDropDoesNotShiftTheNewStream) {
  Frame before = ServerFrame(23, 0, {0, 0, 0, 1});
  PutString(before, 16, table.accounts[0]);
  std::vector<std::uint8_t> bytes(before.begin(), before.end());
  bytes.insert(bytes.end(), 100, 0x55);  // the start of a frame that never ends
  platform.ServerSends(bytes);
  DropAndFirstAttempt();
  ConnectAndRelogin();
  Accept();
  const int v = ViewOfAccount(table.accounts[0]);
  EXPECT_TRUE(client.view.OK[v].visible);  // the whole old frame was handled
  Play(PlayerLeavesFrame(table.accounts[0]));
  EXPECT_EQ(ViewOfAccount(table.accounts[0]), -1);
  EXPECT_EQ(client.conn.RecvBuf.Unread(), 0u);
}

TEST_F(Reconnect, ARefusedReloginTellsTheUserAndQuits) {
  DropAndFirstAttempt();
  ConnectAndRelogin();
  Play(ServerFrame(29, 0, {0, 0, 0, 2}));
  EXPECT_TRUE(platform.CallMade("MessageBox(Vask,重连服务器失败，退出后请重新入座！)"));
  EXPECT_TRUE(platform.CallMade(std::string("RestoreWindow(") + kLobby + ")"));
  EXPECT_TRUE(platform.quit);
}

TEST_F(Reconnect, AnAnswerNobodyAskedForIsIgnored) {
  Play(ServerFrame(29, 0, {0, 0, 0, 0}));
  EXPECT_FALSE(platform.quit);
  EXPECT_FALSE(platform.CallMade("MessageBox"));
}

TEST_F(Reconnect, NoReconnectionIsOfferedBeforeTheFirstLoginIsAccepted) {
  client.login.g_bCanRecon = false;
  Drop();
  platform.Advance(10000);
  EXPECT_FALSE(Dialog().visible);
  EXPECT_EQ(Connects(), 0);
}

TEST_F(Reconnect, WithTheLobbyGoneADropQuits) {
  platform.existingWindows.clear();
  Drop();
  EXPECT_TRUE(platform.quit);
}

TEST_F(Reconnect, ReconnectNowSkipsTheCountdown) {
  Drop();
  ClickOn(Dialog(), reconnect_part::kPbReconnect);
  platform.Advance(kTimerCountMs);
  EXPECT_EQ(Connects(), 1);
}

class LeavingWhileReconnecting : public Reconnect, public ::testing::WithParamInterface<int> {};

// Cancelling the dialog, or the lobby's leave orders: the client goes back
// to the lobby and no attempt follows.
TEST_P(LeavingWhileReconnecting, StopsEveryAttempt) {
  DropAndFirstAttempt();
  platform.RefuseConnection();
  switch (GetParam()) {
    case 0: ClickOn(Dialog(), reconnect_part::kPbCancel); break;
    case 1: client.OnWindowMessage(lobby_msg::kLeft, 0, 0); break;
    case 2: client.OnWindowMessage(lobby_msg::kLeave, 0, 0); break;
  }
  EXPECT_FALSE(Dialog().visible);
  EXPECT_FALSE(platform.TimerOn(TimerId::Count));
  EXPECT_FALSE(platform.TimerOn(TimerId::Reconnect));
  platform.Advance(60000);
  EXPECT_EQ(Connects(), 1);
  EXPECT_TRUE(platform.mainMinimized);
  EXPECT_FALSE(platform.quit);
  EXPECT_FALSE(client.login.g_bCanRecon);
}

INSTANTIATE_TEST_SUITE_P(Ways, LeavingWhileReconnecting, ::testing::Values(0, 1, 2));

TEST_F(Reconnect, LeavingAfterAReconnectionWaitsLongerAndTheNextVisitLogsInAfresh) {
  DropAndFirstAttempt();
  ConnectAndRelogin();
  Accept();
  platform.sent.clear();
  platform.sendTimes.clear();
  client.OnWindowMessage(lobby_msg::kLeft, 0, 0);
  ASSERT_EQ(platform.sendTimes.size(), 1u);
  EXPECT_GE(platform.closedAt - platform.sendTimes[0], 800u);
  client.OnWindowMessage(lobby_msg::kConnect, 0, 0);
  platform.Connect();
  Ticks(5);
  const Frame login = platform.SentFrames().back();
  EXPECT_EQ(login[3], 18);
  EXPECT_EQ(login[260] | login[261] | login[268] | login[269] | login[270] | login[271], 0);
}

TEST_F(Reconnect, TheIdleLimitInAHandGivesTheScreenBackToTheLobby) {
  platform.files["/client/info.vask"] = "[juNum:1]\r\n";
  client.table.bInGame = true;
  platform.RunTicks(2 * static_cast<int>(kIdleLimit) + 4);
  EXPECT_EQ(client.view.ChatList1.items, std::vector<std::string>{"已经与服务器断开连接，请重新入座！"});
  EXPECT_TRUE(platform.mainMinimized);
  EXPECT_TRUE(platform.CallMade(std::string("RestoreWindow(") + kLobby + ")"));
  EXPECT_EQ(platform.socketState, 0);
  EXPECT_FALSE(platform.files.count("/client/info.vask"));
  EXPECT_FALSE(client.life.bTableCleared);
}

}  // namespace
}  // namespace vask::test
