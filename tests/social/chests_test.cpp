// The treasure-chest show under the virtual clock: countdown, pick, flight,
// count-up, the flight home and the settlement after it.
#include <gtest/gtest.h>

#include <algorithm>

#include "core/connection/reconnect.h"
#include "core/handlers.h"
#include "core/social/chat.h"
#include "core/view/input.h"
#include "prop_fixture.h"

namespace vask::test {
namespace {

class ChestShow : public PropTest {
 protected:
  ChestShow() { StartHand(0); }

  // The own view wins 100 gold in a chest (doubled), the top view 50 by a key.
  void OwnAndTopHaveChests() {
    script.amounts = {100, 0, 50, 0};
    script.scoreTexts = {"宝箱奖励：+100金币&H000080", "", "宝箱奖励：+50金币&H000080", ""};
    script.chestInfo = {"我自己：", "赢家宝箱|双倍卡翻倍", "", "", "东风客：", "钥匙宝箱", "", ""};
  }
  // Only the left and the right view have chests.
  void OthersHaveChests() {
    script.amounts = {0, 80, 0, 30};
    script.chestInfo = {"", "", "南山人：", "赢家宝箱", "", "", "北斗星：", "钥匙宝箱"};
  }
  // Ticks until the label's text changes (at most n); the new text.
  std::string NextLabel(int n = 40) {
    const std::string before = client.view.LbProp.text;
    for (int i = 0; i < n && client.view.LbProp.text == before; ++i) Ticks(1);
    return client.view.LbProp.text;
  }
  std::string FirstLine(const std::string& text) { return text.substr(0, text.find('\n')); }
  const Control& Chest(int k) { return client.view.ImgProp[static_cast<std::size_t>(k)]; }
  // Runs the show out: countdown, opening, flights.
  void RunOut() { platform.Advance(8000); }
};

TEST_F(ChestShow, TheOwnViewWithChestsCountsDownAndOpensAChestItself) {
  OwnAndTopHaveChests();
  EndWonHand();
  ASSERT_TRUE(client.prop.chests.bChestClock);
  EXPECT_EQ(Panels(), 0u);
  EXPECT_EQ(client.view.LbProp.text, "5\n请选择一个宝箱打开");
  EXPECT_EQ(client.view.LbProp.foreColor, kRed);
  EXPECT_EQ(client.view.LbProp.w, 18 * 14);  // the message's display width × 14
  EXPECT_EQ(client.view.LbProp.x, 500 - 18 * 14 / 2);
  for (int k = 0; k < 5; ++k) {
    EXPECT_TRUE(Chest(k).visible && Chest(k).enabled) << k;
    EXPECT_EQ(Chest(k).picture, kClosedChestPicture);
    EXPECT_EQ(Chest(k).x, 300 + 50 * k);
    EXPECT_EQ(Chest(k).y, 400);
  }
  EXPECT_FALSE(Chest(5).visible);

  std::vector<std::string> seconds;
  for (int i = 0; i < 4; ++i) seconds.push_back(FirstLine(NextLabel()));
  EXPECT_EQ(seconds, (std::vector<std::string>{"4", "3", "2", "1"}));
  EXPECT_FALSE(client.prop.chests.bChestAnim);
  // At 0 the client picks for the player: one own chest opens.
  Ticks(20);
  ASSERT_TRUE(client.prop.chests.bChestAnim);
  const int picked = client.prop.chests.Prop_BaoChs[0];
  EXPECT_GE(picked, 0);
  EXPECT_LE(picked, 4);
  EXPECT_EQ(script.CallsOf("ShowGif"), std::vector<std::string>{"ShowGif(1,true)"});
  for (int k = 0; k < 5; ++k) EXPECT_FALSE(Chest(k).visible) << k;

  RunOut();
  EXPECT_FALSE(client.prop.chests.bChestAnim);
  EXPECT_EQ(script.CallsOf("ShowGif").back(), "ShowGif(1,false)");
  // The opened chest has flown to the own seat; the settlement follows.
  EXPECT_TRUE(Chest(picked).visible);
  EXPECT_EQ(Chest(picked).picture, kOpenChestPicture);
  EXPECT_EQ(Chest(picked).x, 500);
  EXPECT_EQ(Chest(picked).y, 700);
  EXPECT_EQ(Panels(), 1u);
  EXPECT_EQ(script.CallsOf("InitShowNext").back(), "InitShowNext(false)");
  EXPECT_FALSE(client.view.LbProp.visible);
}

TEST_F(ChestShow, TheCountUpRisesToTheExactAmounts) {
  OwnAndTopHaveChests();
  EndWonHand();
  ClickOn(Chest(2));
  ASSERT_TRUE(client.prop.chests.bChestAnim);
  const Control& l = client.view.LbProp;
  EXPECT_EQ(l.foreColor, 0xFFFF00u);
  EXPECT_EQ(l.h, 7 * 30);  // four amount lines, three result lines
  EXPECT_EQ(l.w, (3 + 8 + 4) * 14);
  std::vector<std::string> frames;
  for (int i = 0; i < 10; ++i) {
    platform.Advance(100);
    frames.push_back(l.text);
  }
  EXPECT_EQ(frames.front(), "我自己：  0金币\n东风客：  0金币");
  EXPECT_EQ(frames.at(1), "我自己： 10金币\n东风客：  5金币");
  EXPECT_EQ(frames.at(8), "我自己： 80金币\n东风客： 40金币");
  EXPECT_EQ(frames.back(), "我自己：100金币\n东风客： 50金币\n赢家宝箱\n双倍卡翻倍\n钥匙宝箱");
  // The final display goes to the history line by line.
  EXPECT_EQ(TalkLines(client).items,
            (Column{"我自己：100金币", "东风客： 50金币", "赢家宝箱", "双倍卡翻倍", "钥匙宝箱"}));
  // The settlement books the plug-in's gold with the hand.
  EXPECT_EQ(Panels(), 1u);
  EXPECT_DOUBLE_EQ(client.settle.totals.RunningTotal[0], 500);
}

TEST_F(ChestShow, APickedChestOpensAloneAndASecondClickDoesNothing) {
  OwnAndTopHaveChests();
  EndWonHand();
  ClickOn(Chest(3));
  EXPECT_EQ(client.prop.chests.Prop_BaoChs[0], 3);
  // It flew to the centre and the rest of its row is put away.
  EXPECT_FALSE(Chest(3).visible);
  EXPECT_EQ(Chest(3).x, 500 - 20);
  EXPECT_EQ(Chest(3).y, 300 - 15);
  ControlInput again;
  again.index = 1;
  MainForm_ImgProp_Click(client, again);
  ClickOn(Chest(1));
  EXPECT_EQ(script.CallsOf("ShowGif(1,true)").size(), 1u);
  EXPECT_EQ(client.prop.chests.Prop_BaoChs[0], 3);
  // The countdown stops at its next second without opening another.
  Ticks(40);
  EXPECT_FALSE(client.prop.chests.bChestClock);
  EXPECT_EQ(script.CallsOf("ShowGif(1,true)").size(), 1u);
}

TEST_F(ChestShow, WithoutAnOwnChestTheOthersOpenTheirsAfterThreeSeconds) {
  OthersHaveChests();
  EndWonHand();
  EXPECT_EQ(client.view.LbProp.text, "5\n请等待其他玩家打开宝箱");
  // Views 1 and 3 have the first two rows, shown but not to be clicked.
  for (int k = 0; k < 10; ++k) EXPECT_TRUE(Chest(k).visible && !Chest(k).enabled) << k;
  EXPECT_FALSE(Chest(10).visible);
  const auto& picks = client.prop.chests.Prop_BaoChs;
  EXPECT_EQ(picks[0], kNoChest);
  EXPECT_EQ(picks[2], kNoChest);
  EXPECT_TRUE(picks[1] >= 0 && picks[1] <= 4);
  EXPECT_TRUE(picks[3] >= 5 && picks[3] <= 9);
  std::vector<std::string> seconds;
  for (int i = 0; i < 2; ++i) seconds.push_back(NextLabel());
  EXPECT_EQ(seconds, (std::vector<std::string>{"4\n请等待玩家打开宝箱", "3\n请等待玩家打开宝箱"}));
  // At 2 the others' chests open.
  EXPECT_FALSE(client.prop.chests.bChestAnim);
  Ticks(20);
  EXPECT_TRUE(client.prop.chests.bChestAnim);
  RunOut();
  EXPECT_EQ(Chest(picks[1]).x, 20);
  EXPECT_EQ(Chest(picks[1]).y, 300);
  EXPECT_EQ(Chest(picks[3]).x, 1000);
  EXPECT_EQ(Chest(picks[3]).y, 300);
  EXPECT_EQ(Panels(), 1u);
}

TEST_F(ChestShow, OneHandsCallsComeInTheirOrder) {
  OwnAndTopHaveChests();
  script.calls.clear();
  Play(DealOwnTiles({0x11, 0x12, 0x13, 0x14, 0x15, 0x16, 0x17, 0x18, 0x19, 0x21, 0x22, 0x23, 0x24, 0x25}));
  EndWonHand();
  ClickOn(Chest(1));
  RunOut();
  std::vector<std::string> show = CallsFrom(0);
  show.erase(std::remove(show.begin(), show.end(), "Rec_MSG(46)"), show.end());
  EXPECT_EQ(show, (std::vector<std::string>{"InitShowNext(true)", "InitShowEnd()", "GetScoreInfo()", "ShowGif(1,true)", "ShowGif(1,false)",
                                            "InitShowNext(false)"}));
  EXPECT_EQ(script.Names().back(), "CheckSendBuff");  // the pump goes on
}

TEST_F(ChestShow, TheOthersReadyDuringTheShowDoNotSpoilItsEnd) {
  OwnAndTopHaveChests();
  EndDrawnHand();
  ASSERT_TRUE(client.prop.chests.bChestClock);
  Play({ReadyFrame("east01"), ReadyFrame("south02"), ReadyFrame("north04")});
  ASSERT_TRUE(client.life.bTableCleared);
  RunOut();
  ASSERT_EQ(Panels(), 1u);
  EXPECT_EQ(State(0).front(), "      黄  庄");
}

TEST_F(ChestShow, LeavingDuringTheShowEndsItWithoutASettlement) {
  OwnAndTopHaveChests();
  EndWonHand();
  ClickOn(Chest(1));
  ASSERT_TRUE(client.prop.chests.bChestAnim);
  ResetClient(client);
  RunOut();
  EXPECT_EQ(Panels(), 0u);
  EXPECT_FALSE(client.prop.chests.bChestAnim || client.prop.chests.bChestClock || client.prop.PropPending);
  EXPECT_EQ(client.prop.PropShowPhase, kShowNone);
  for (const Control& img : client.view.ImgProp) EXPECT_FALSE(img.visible);
}

TEST_F(ChestShow, WhenNobodyHasChestsTheSettlementComesAtOnce) {
  EndWonHand();
  EXPECT_EQ(Panels(), 1u);
  EXPECT_FALSE(client.prop.chests.bChestClock);
  for (const Control& img : client.view.ImgProp) EXPECT_FALSE(img.visible);
}

TEST_F(ChestShow, APluginThatFailsDuringTheShowStillLetsTheHandEnd) {
  OwnAndTopHaveChests();
  script.throwIn = "ShowGif";
  EndWonHand();
  ClickOn(Chest(0));
  Ticks(2);
  EXPECT_EQ(client.prop.Prop_GameDllState, kPropOff);
  EXPECT_EQ(Panels(), 1u);
}

TEST_F(ChestShow, ADrawnHandWithChestsEndsWithTheDrawnPanel) {
  OwnAndTopHaveChests();
  EndDrawnHand();
  ClickOn(Chest(4));
  RunOut();
  ASSERT_EQ(Panels(), 1u);
  EXPECT_EQ(State(0).front(), "      黄  庄");
  EXPECT_EQ(State(4), (Column{"最终分：100金币"}));
}

TEST_F(ChestShow, TheNextHandClearsTheChestsAndTheLabel) {
  OwnAndTopHaveChests();
  EndWonHand();
  ClickOn(Chest(0));
  RunOut();
  ASSERT_TRUE(Chest(0).visible);
  StartHand(1);
  Play(DealOwnTiles({0x11, 0x12, 0x13, 0x14, 0x15, 0x16, 0x17, 0x18, 0x19, 0x21, 0x22, 0x23, 0x24, 0x25}));
  for (const Control& img : client.view.ImgProp) EXPECT_FALSE(img.visible || img.enabled);
  EXPECT_FALSE(client.view.LbProp.visible);
}

}  // namespace
}  // namespace vask::test
