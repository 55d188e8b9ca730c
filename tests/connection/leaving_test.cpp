// Leaving the table: the leave dialog, the one leave frame and its timing,
// the notice of others leaving, and closing the main window.
#include "core/connection/leaving.h"

#include <gtest/gtest.h>

#include "core/client.h"
#include "core/view/input.h"
#include "core/view/layout.h"
#include "core/view/dialogs.h"
#include "support/frames.h"
#include "support/play_frames.h"
#include "table_fixture.h"

namespace vask::test {
namespace {

// A plug-in that notes the calls leaving makes.
class LeavingPlugin : public NullPropPlugin {
 public:
  explicit LeavingPlugin(std::vector<std::string>* log) : log_(log) {}
  void setbankstate(int state) override { log_->push_back("setbankstate(" + std::to_string(state) + ")"); }
  void UpdataMyProp(bool value) override { log_->push_back(value ? "UpdataMyProp(true)" : "UpdataMyProp(false)"); }
  void InitExit(std::int16_t& atEnd) override { log_->push_back("InitExit(" + std::to_string(atEnd) + ")"); }

 private:
  std::vector<std::string>* log_;
};

class Leaving : public TableTest {
 protected:
  Leaving() {
    InitPictureTables(client.pics, 1.0);
    InitLayout(client);
    SitDown();
    platform.sent.clear();
    platform.sendTimes.clear();
  }
  std::vector<Frame> LeaveFrames() const {
    std::vector<Frame> out;
    for (const Frame& f : platform.SentFrames())
      if (f[3] == 16 && f[15] == 0) out.push_back(f);
    return out;
  }
  void WithPlugin() {
    client.prop.PropObj = std::make_unique<LeavingPlugin>(&pluginCalls);
    client.prop.Prop_GameDllState = 1;
  }
  const FormWindow& Exit() const { return client.view.frmExit; }
  void OpenAndConfirm() {
    ClickOn(client.view.AnNiu[8]);
    ClickOn(Exit(), exit_part::kPbCloseMe);
  }
  const FormWindow& Notice() const { return client.view.frmOtherExit; }
  std::vector<std::string> pluginCalls;
};

TEST_F(Leaving, TheLeaveButtonOpensTheDialogAndASecondClickHidesIt) {
  WithPlugin();
  ClickOn(client.view.AnNiu[8]);
  ASSERT_TRUE(Exit().visible);
  EXPECT_EQ(Exit().parts[exit_part::kQuestion].text, "您真的要退出吗？");
  EXPECT_EQ(Exit().opacity, 200);
  // Centred over the table.
  EXPECT_NEAR(Exit().x + Exit().w / 2, client.view.Pic1.w / 2, 1);
  ClickOn(client.view.AnNiu[8]);
  EXPECT_FALSE(Exit().visible);
  EXPECT_EQ(pluginCalls, (std::vector<std::string>{"setbankstate(2)", "setbankstate(2)"}));
}

TEST_F(Leaving, TheWarningLineShowsOnlyToAPlayerDuringAHand) {
  struct Case {
    bool inGame, watcher, warned;
  } cases[] = {{true, false, true}, {false, false, false}, {true, true, false}};
  for (const Case& k : cases) {
    client.table.bInGame = k.inGame;
    client.table.Spectator = k.watcher;
    ToggleLeaveDialog(client);
    const ListControl& warning = Exit().parts[exit_part::kWarning];
    EXPECT_EQ(warning.visible, k.warned) << k.inGame << k.watcher;
    EXPECT_EQ(warning.text, "游戏正在进行，逃跑会扣分！");
    ToggleLeaveDialog(client);
  }
}

TEST_F(Leaving, ConfirmingSendsOneLeaveFrameWellBeforeTheSocketClosesAndGivesTheScreenBack) {
  platform.files["/client/info.vask"] = "[juNum:1]\r\n";
  OpenAndConfirm();
  const std::vector<Frame> leaves = LeaveFrames();
  ASSERT_EQ(leaves.size(), 1u);
  Frame expected{};
  expected[3] = 16;
  expected[6] = table.ownMask;
  EXPECT_EQ(leaves[0], expected);
  ASSERT_EQ(platform.sendTimes.size(), 1u);
  EXPECT_GE(platform.closedAt - platform.sendTimes[0], 400u);
  // Unconnected, minimised, the table empty, the lobby in front.
  EXPECT_EQ(platform.socketState, 0);
  EXPECT_TRUE(platform.mainMinimized);
  EXPECT_TRUE(platform.CallMade(std::string("RestoreWindow(") + kLobby + ")"));
  EXPECT_FALSE(Exit().visible);
  EXPECT_FALSE(platform.TimerOn(TimerId::Bong));
  EXPECT_FALSE(platform.TimerOn(TimerId::KeepAlive));
  EXPECT_FALSE(client.login.g_bCanRecon);
  EXPECT_FALSE(platform.files.count("/client/info.vask"));
  for (int v = 1; v < 4; ++v) EXPECT_TRUE(client.table.Detail[v].username.empty()) << v;
  EXPECT_FALSE(platform.quit);
  // It waits, still running, for the lobby's next connect order.
  client.OnWindowMessage(lobby_msg::kConnect, 0, 0);
  platform.Connect();
  Ticks(5);
  ASSERT_FALSE(platform.SentFrames().empty());
  EXPECT_EQ(platform.SentFrames().back()[3], 18);
}

class LeaveOrderDuringTheWait : public Leaving, public ::testing::WithParamInterface<std::uint32_t> {};

TEST_P(LeaveOrderDuringTheWait, SendsNoSecondLeaveFrame) {
  WithPlugin();
  platform.duringPump = [&] {
    client.OnWindowMessage(GetParam(), 0, 0);
    ClickOn(Exit(), exit_part::kPbCloseMe);
  };
  OpenAndConfirm();
  EXPECT_EQ(LeaveFrames().size(), 1u);
  // Leaving resets the client, which closes the plug-in.
  EXPECT_EQ(pluginCalls, (std::vector<std::string>{"setbankstate(2)", "UpdataMyProp(false)", "InitExit(0)"}));
  EXPECT_TRUE(platform.CallMade(std::string("RestoreWindow(") + kLobby + ")"));
}

INSTANTIATE_TEST_SUITE_P(Orders, LeaveOrderDuringTheWait, ::testing::Values(lobby_msg::kLeft, lobby_msg::kLeave));

TEST_F(Leaving, WithTheSocketAlreadyDownNoFrameIsSentButTheClientStillLeaves) {
  platform.ServerCloses();
  OpenAndConfirm();
  EXPECT_TRUE(platform.SentFrames().empty());
  EXPECT_TRUE(platform.CallMade(std::string("RestoreWindow(") + kLobby + ")"));
  EXPECT_FALSE(client.login.g_bCanRecon);
  EXPECT_FALSE(platform.TimerOn(TimerId::Count));
}

TEST_F(Leaving, WithTheLobbyGoneConfirmingQuits) {
  platform.existingWindows.clear();
  OpenAndConfirm();
  EXPECT_EQ(LeaveFrames().size(), 1u);
  EXPECT_TRUE(platform.quit);
}

TEST_F(Leaving, CancelOnlyClosesTheDialog) {
  ClickOn(client.view.AnNiu[8]);
  ClickOn(Exit(), exit_part::kPbCancel);
  EXPECT_FALSE(Exit().visible);
  EXPECT_TRUE(platform.SentFrames().empty());
  EXPECT_EQ(platform.socketState, kSocketConnected);
}

struct NoticeCase {
  std::string text, shown;
};
class LeaveNotice : public Leaving, public ::testing::WithParamInterface<NoticeCase> {};

TEST_P(LeaveNotice, ShowsItsTextAndLeavesOnce) {
  const NoticeCase& k = GetParam();
  Play(LeaveNoticeFrame(k.text));
  ASSERT_TRUE(Notice().visible);
  EXPECT_EQ(Notice().parts[other_exit_part::kLabel1].text, k.shown);
  EXPECT_EQ(LeaveFrames().size(), 1u);
  for (const Control& portrait : client.view.Tou) EXPECT_EQ(portrait.picture, kNoPicture);
  EXPECT_TRUE(client.life.bTableBroken);
  EXPECT_FALSE(client.table.bInGame);
  EXPECT_FALSE(platform.TimerOn(TimerId::Bong));
  // The lobby's leave order meanwhile does not tell the server again.
  client.OnWindowMessage(lobby_msg::kLeft, 0, 0);
  EXPECT_EQ(LeaveFrames().size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(Texts, LeaveNotice,
                         ::testing::Values(NoticeCase{"", "有用户退出，请退出重新开始游戏!"},
                                           NoticeCase{"东风客离开了牌桌", "东风客离开了牌桌"}));

TEST_F(Leaving, TheNoticeCancelWaitsOutAHandAndOkReturnsToTheLobby) {
  ShowOtherExit(client, "玩家东风客,退出了游戏！游戏结束！");
  client.table.bInGame = true;
  ClickOn(Notice(), other_exit_part::kImgCancel);
  EXPECT_TRUE(Notice().visible);
  client.table.bInGame = false;
  client.life.bTableBroken = false;
  ClickOn(Notice(), other_exit_part::kImgCancel);
  EXPECT_FALSE(Notice().visible);
  EXPECT_TRUE(client.life.bTableBroken);

  ShowOtherExit(client, "x");
  ClickOn(Notice(), other_exit_part::kImgOK);
  EXPECT_FALSE(Notice().visible);
  EXPECT_TRUE(platform.CallMade(std::string("RestoreWindow(") + kLobby + ")"));
  EXPECT_EQ(platform.socketState, 0);
  EXPECT_FALSE(client.life.bTableCleared);
}

TEST_F(Leaving, ClosingTheMainWindowUnloadsThePluginAndEndsWithoutALeaveFrame) {
  WithPlugin();
  client.OnMainWindowClose();
  EXPECT_EQ(pluginCalls, std::vector<std::string>{"InitExit(1)"});
  EXPECT_FALSE(client.prop.PropObj);
  EXPECT_TRUE(platform.CallMade("SoundStop"));
  EXPECT_TRUE(platform.quit);
  EXPECT_TRUE(LeaveFrames().empty());
  // The lobby's messages are no longer answered.
  platform.posts.clear();
  client.OnWindowMessage(lobby_msg::kInHand, 0, 0);
  EXPECT_TRUE(platform.posts.empty());
}

TEST_F(Leaving, AHandStartClosesTheLeaveDialogAndMendsTheTable) {
  ClickOn(client.view.AnNiu[8]);
  client.life.bTableBroken = true;
  Play(HandStartFrame(table.ownMask, {1, 2, 3, 4}));
  EXPECT_FALSE(Exit().visible);
  EXPECT_FALSE(client.life.bTableBroken);
  EXPECT_TRUE(client.table.bInGame);
}

TEST_F(Leaving, AClickBesideTheButtonsLeavesTheDialogOpen) {
  ClickOn(client.view.AnNiu[8]);
  ClickOn(Exit(), exit_part::kQuestion);
  EXPECT_TRUE(Exit().visible);
  EXPECT_TRUE(platform.SentFrames().empty());
}

}  // namespace
}  // namespace vask::test
