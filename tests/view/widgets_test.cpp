// The table's widgets through the fake platform: the pull and sit
// questions, the advert panes, the player card, the dice and the badges.
#include <gtest/gtest.h>

#include "../connection/table_fixture.h"
#include "core/client.h"
#include "core/game/seats.h"
#include "core/view/adverts.h"
#include "core/view/badges.h"
#include "core/view/buttons.h"
#include "core/view/layout.h"
#include "core/view/pull_choice.h"
#include "core/view/widgets.h"
#include "support/frames.h"
#include "support/settle_frames.h"

namespace vask::test {
namespace {

class WidgetsTest : public TableTest {
 protected:
  WidgetsTest() {
    InitPictureTables(client.pics, 1.0);
    InitLayout(client);
    SitDown();
  }
  std::vector<Frame> PullAnswers() const {
    std::vector<Frame> out;
    for (const Frame& f : platform.SentFrames())
      if (f[frame_offset::kCmd] == static_cast<int>(Cmd::PullSit)) out.push_back(f);
    return out;
  }
  int QuickOp(int entry) const { return client.pics.QuickOpPics[static_cast<std::size_t>(entry)]; }
  Control& OperZ(int i) { return client.view.operZ[i]; }
};

TEST_F(WidgetsTest, ThePullQuestionIsAnsweredByTheButtons) {
  Play(PullSitFrame(table.ownMask, pull_kind::kAskPull, false));
  EXPECT_EQ(client.widgets.PullAsk, 1);
  EXPECT_TRUE(OperZ(oper_z::kPull).visible && OperZ(oper_z::kPass).visible);
  EXPECT_FALSE(OperZ(oper_z::kSit).visible);
  EXPECT_EQ(OperZ(oper_z::kPull).picture, QuickOp(0));  // "拉庄"
  EXPECT_TRUE(client.view.Number.visible);
  PointAt(OperZ(oper_z::kPull));
  EXPECT_EQ(OperZ(oper_z::kPull).picture, QuickOp(4));
  ClickOn(OperZ(oper_z::kPull));
  Ticks(2);
  ASSERT_EQ(PullAnswers().size(), 1u);
  const Frame yes = PullAnswers().back();
  EXPECT_EQ(yes[11], pull_kind::kPullReply);
  EXPECT_EQ(yes[15], 1);
  EXPECT_FALSE(OperZ(oper_z::kPull).visible);
  EXPECT_FALSE(client.view.Number.visible);
  EXPECT_EQ(client.widgets.PullAsk, 0);

  // The second question of a hand offers "再拉一下".
  Play(PullSitFrame(table.ownMask, pull_kind::kAskPull, false));
  EXPECT_EQ(OperZ(oper_z::kPull).picture, QuickOp(1));
  ClickOn(OperZ(oper_z::kPass));
  Ticks(2);
  const Frame no = PullAnswers().back();
  EXPECT_EQ(no[11], pull_kind::kPullReply);
  EXPECT_EQ(no[15], 0);
}

TEST_F(WidgetsTest, AnUnansweredSitQuestionIsDeclinedAfterEightSeconds) {
  Play(PullSitFrame(table.ownMask, pull_kind::kAskSit, false));
  EXPECT_TRUE(OperZ(oper_z::kSit).visible && OperZ(oper_z::kPass).visible);
  EXPECT_FALSE(OperZ(oper_z::kPull).visible);
  platform.RunTicks(100);
  const int left = client.widgets.PullTicks;
  EXPECT_LT(left, kPullAnswerTicks - 100);
  EXPECT_EQ(client.view.Number.text, std::to_string(left * 50 / 1000));  // whole seconds left
  EXPECT_TRUE(PullAnswers().empty());
  platform.RunTicks(left + 2);
  ASSERT_EQ(PullAnswers().size(), 1u);
  EXPECT_EQ(PullAnswers()[0][11], pull_kind::kSitReply);
  EXPECT_EQ(PullAnswers()[0][15], 0);
  EXPECT_FALSE(OperZ(oper_z::kSit).visible);
  EXPECT_EQ(client.widgets.PullAsk, 0);
}

TEST_F(WidgetsTest, QuestionsToOtherSeatsShowNothingHere) {
  Play(PullSitFrame(MaskOfView(table.ownMask, 1), pull_kind::kAskPull, false));
  Play(PullSitFrame(table.ownMask, 9, true));
  EXPECT_EQ(client.widgets.PullAsk, 0);
  EXPECT_FALSE(OperZ(oper_z::kPull).visible);
}

TEST_F(WidgetsTest, TheAdvertShowsOverTheMascotOnceLoadedAndNeverAfterAFailure) {
  Play(LoginAnswer(1, 0, 7, "http://ads.example/p"));
  EXPECT_TRUE(platform.CallMade("WebNavigate(1,http://ads.example/p)"));
  platform.WebLoads(kAdvertPane, true);
  const ViewModel& v = client.view;
  EXPECT_TRUE(v.WebBrowser1.visible);
  EXPECT_FLOAT_EQ(v.WebBrowser1.x, v.Bird.x + 2);
  platform.WebLoads(kAdvertPane, false);
  EXPECT_FALSE(v.WebBrowser1.visible);
  platform.WebLoads(kAdvertPane, true);
  EXPECT_FALSE(v.WebBrowser1.visible);
}

TEST_F(WidgetsTest, AdvertAddressesThatAreNotWebPagesAreNeverOpened) {
  for (const char* page : {"file:///c:/boot.ini", "\\\\share\\x.exe", "javascript:x"}) {
    platform.calls.clear();
    client.widgets.AdFailed = false;
    Play(LoginAnswer(1, 0, 7, page));
    EXPECT_FALSE(platform.CallMade("WebNavigate")) << page;
    EXPECT_FALSE(client.view.WebBrowser1.visible) << page;
    EXPECT_TRUE(client.widgets.AdFailed) << page;
  }
  // The shuffle page is built from the same address.
  StartSeatShuffle(client);
  EXPECT_FALSE(platform.CallMade("WebNavigate"));
  EXPECT_FALSE(client.view.WebBrowser2.visible);
}

TEST_F(WidgetsTest, ThePlayerCardShowsTheStatisticsOfThePlayerPointedAt) {
  PointAt(client.view.Nid[1]);
  const FormWindow& card = client.view.Information;
  ASSERT_TRUE(card.visible);
  EXPECT_EQ(card.parts[0].text, client.players.PlayerInfo[1].Nick);
  EXPECT_EQ(card.parts[1].text, client.players.PlayerInfo[1].Sex ? "男" : "女");
  EXPECT_FLOAT_EQ(card.x, 0);
  EXPECT_FLOAT_EQ(card.y, 0.11f * client.view.Pic1.h);
  ResetHovers(client);
  EXPECT_FALSE(card.visible);
  PointAt(client.view.Tou[3]);
  EXPECT_FLOAT_EQ(card.x, static_cast<float>(static_cast<int>(2 * client.view.Pic1.w) / 3));
  // An empty seat has no card.
  ResetHovers(client);
  client.players.PlayerInfo[2].Nick.clear();
  PointAt(client.view.Tou[2]);
  EXPECT_FALSE(card.visible);
}

TEST_F(WidgetsTest, TheDiceRollEndsOnTheThrownFacesAndZerosCountOne) {
  client.table.Dice = {0, 6, 2, 3};
  const std::uint32_t before = platform.now;
  RollDice(client, 2);
  EXPECT_EQ(client.table.Dice[0], 1);
  EXPECT_EQ(client.view.Sai_Image[0].picture, client.pics.DicePics[2 - 1]);
  EXPECT_EQ(client.view.Sai_Image[1].picture, client.pics.DicePics[3 - 1]);
  EXPECT_FALSE(client.view.Sai_Image[0].visible);
  EXPECT_GE(platform.now - before, 1200u);  // two rests of 0.6 s
}

TEST_F(WidgetsTest, TheDiceDoublingBadgeShowsTheFirstPair) {
  client.table.Dice = {3, 5, 1, 1};
  client.table.DiceDouble = true;
  ShowDiceDouble(client);
  EXPECT_EQ(client.view.lblDifen.text, "8");
  EXPECT_TRUE(client.view.imgBeishu.visible);
  EXPECT_EQ(client.view.imgsezi[1].picture, client.pics.DieFacePics[4]);
  PointAt(client.view.imgBeishu);
  EXPECT_EQ(client.view.imgBeishu.tooltip, "骰子加倍 ×8");
  client.table.DiceDouble = false;
  ShowDiceDouble(client);
  EXPECT_FALSE(client.view.imgBeishu.visible || client.view.lblDifen.visible || client.view.imgsezi[0].visible);
}

}  // namespace
}  // namespace vask::test
