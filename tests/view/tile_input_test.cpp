// Tile input through the platform's mouse and keys: hovering raises an own
// tile, a press discards it, the right button passes, the claim buttons
// and pick pictures answer an offer, Alt+C and the quick-hide key.
#include <gtest/gtest.h>

#include "core/client.h"
#include "core/connection/leaving.h"
#include "core/game/operations.h"
#include "core/view/input.h"
#include "support/play_frames.h"

namespace vask {
namespace {

using test::DiscardFrame;
using test::DrawFrame;
using test::kLeft;
using test::kOwn;
using test::kRight;
using test::kTop;
using test::ReadRequests;
using test::Request;
using test::TurnFrame;

class TileInput : public test::PlayTest {
 protected:
  void SetUp() override {
    client.widgets.ButtonState[2] = true;  // the player has declared ready
    Play(test::DealOwnTiles(test::kSampleHand));
    Play({TurnFrame(kOwn)});
    Taken();
  }
  // Window pixels of a point inside a control of the table surface.
  float X(const Control& c, float dx = 0.5f) const { return client.view.Pic1.x + c.x + dx * c.w; }
  float Y(const Control& c, float dy = 0.5f) const { return client.view.Pic1.y + c.y + dy * c.h; }
  void PointAt(const Control& c) { platform.MoveMouse(X(c), Y(c)); }
  void ClickOn(const Control& c, int button = mouse_button::kLeft) { platform.Click(X(c), Y(c), button); }
  Control& Img(int image) { return client.view.MJ_Image[image]; }
  Control& OwnTile(int k) { return Img(Seat(0).Slots[Seat(0).HandStart + k].Img); }
  float HandY() const { return Seat(0).HandY; }
};

TEST_F(TileInput, PointingRaisesOneOwnTileAtATime) {
  Control& first = OwnTile(0);
  Control& second = OwnTile(1);
  PointAt(first);
  EXPECT_FLOAT_EQ(first.y, HandY() - 10);
  EXPECT_EQ(first.mousePointer, kHandPointer);
  PointAt(second);
  EXPECT_FLOAT_EQ(first.y, HandY());
  EXPECT_FLOAT_EQ(second.y, HandY() - 10);
  // The gap under the raised tile keeps it up; the table beside it lowers it.
  platform.MoveMouse(X(second), Y(second, 1.0f) + 5);
  EXPECT_FLOAT_EQ(second.y, HandY() - 10);
  platform.MoveMouse(X(second), Y(second) - 200);
  EXPECT_FLOAT_EQ(second.y, HandY());
}

TEST_F(TileInput, OtherTilesNeverRise) {
  // A wall tile whose middle no other tile covers.
  int wall = -1;
  for (int p = 0; p < kTilesInSet && wall < 0; ++p) {
    const HitResult hit = ControlAt(client.view, X(Img(p)), Y(Img(p)));
    if (!client.table.WallTaken[p] && hit.index == p && std::string(hit.name) == "MJ_Image") wall = p;
  }
  ASSERT_GE(wall, 0);
  const int other = Seat(1).Slots[Seat(1).HandStart + Seat(1).HandCount - 1].Img;  // in front of its row
  for (int image : {wall, other}) {
    Img(image).mousePointer = kHandPointer;
    const float y = Img(image).y;
    PointAt(Img(image));
    EXPECT_FLOAT_EQ(Img(image).y, y) << image;
    EXPECT_EQ(Img(image).mousePointer, 0) << image;
  }
  // Before the player declared ready, or watching, the own tiles stay put.
  client.widgets.ButtonState[2] = false;
  PointAt(OwnTile(3));
  EXPECT_FLOAT_EQ(OwnTile(3).y, HandY());
}

TEST_F(TileInput, APressDiscardsOnceWhicheverButtonAndRaisedOrNot) {
  const int image = Seat(0).Slots[Seat(0).HandStart + 11].Img;  // bamboo 9
  PointAt(Img(image));
  ClickOn(Img(image), mouse_button::kRight);
  platform.MouseAt(InputKind::DoubleClick, X(Img(image)), Y(Img(image)), mouse_button::kLeft);
  EXPECT_EQ(ReadRequests(Taken()),
            (std::vector<Request>{{7, kOwn, {OpPass, 0, 0, 0}}, {2, kOwn, {0, 1, 0, 0x4029}}}));
  EXPECT_EQ(client.table.LastDiscardImg, image);
}

TEST_F(TileInput, ClicksWhileNoTurnIsOursSendNothing) {
  ClickOn(OwnTile(13));
  Play({DiscardFrame(kOwn, 0x12), DrawFrame(kRight), TurnFrame(kRight)});
  Taken();
  ClickOn(OwnTile(0));
  platform.Click(X(client.view.Pic1, 0.3f) - client.view.Pic1.x, 300, mouse_button::kRight);
  EXPECT_TRUE(Taken().empty());
  EXPECT_EQ(Seat(0).HandCount, 13);
}

TEST_F(TileInput, TheRightButtonOnTheTablePassesAnOffer) {
  ClickOn(OwnTile(13));
  Play({DiscardFrame(kOwn, 0x12), DrawFrame(kRight), TurnFrame(kRight), DiscardFrame(kRight, 0x41),
        TurnFrame(kOwn, OpPass | OpPeng)});
  Taken();
  platform.Click(100, 300, mouse_button::kLeft);
  EXPECT_TRUE(Taken().empty());
  platform.Click(100, 300, mouse_button::kRight);
  platform.Click(100, 300, mouse_button::kRight);
  EXPECT_EQ(ReadRequests(Taken()), (std::vector<Request>{{7, kOwn, {OpPass, 0, 0, 0}}}));
  EXPECT_EQ(client.table.PanelState, 1);
}

TEST_F(TileInput, ClaimButtonsAndPicksAnswerThroughTheMouse) {
  ClickOn(OwnTile(13));
  Play({DiscardFrame(kOwn, 0x12), DrawFrame(kRight), TurnFrame(kRight), DiscardFrame(kRight, 0x16),
        DrawFrame(kTop), TurnFrame(kTop), DiscardFrame(kTop, 0x16), DrawFrame(kLeft), TurnFrame(kLeft),
        DiscardFrame(kLeft, 0x42), TurnFrame(kOwn, OpPass | OpChi)});
  Taken();
  // Characters 1 1 3 4 and a 2: runs 1-3 and 3-4; two picks each.
  ClickOn(client.view.Operation[kChowButton]);
  ASSERT_TRUE(client.view.Chi[3].visible);
  ClickOn(client.view.Chi[3]);
  EXPECT_EQ(ReadRequests(Taken()), (std::vector<Request>{{7, kOwn, {OpChi, 0x2043, 0x2044, 0x2042}}}));
}

TEST_F(TileInput, AltThenCOpensTheChatInput) {
  platform.PressKey(18);
  platform.PressKey(81);  // Q breaks the chord
  platform.PressKey(67);
  EXPECT_FALSE(client.view.Talk.visible);
  platform.PressKey(18);
  platform.PressKey(67);
  EXPECT_TRUE(client.view.Talk.visible);
  EXPECT_FLOAT_EQ(client.view.Talk.x, 0.3f * client.view.Pic1.w);
}

TEST_F(TileInput, TheQuickHideKeyHidesEverythingAndShortensTurns) {
  client.view.Talk.visible = client.view.huifu.visible = true;
  client.view.frmOtherExit.visible = true;
  ToggleLeaveDialog(client);
  ASSERT_TRUE(client.view.frmExit.visible);
  platform.PressKey(112);
  EXPECT_TRUE(platform.CallMade("MinimizeMainWindow"));
  EXPECT_FALSE(client.view.Talk.visible);
  EXPECT_FALSE(client.view.huifu.visible);
  // The exit windows close too.
  EXPECT_FALSE(client.view.frmExit.visible);
  EXPECT_FALSE(client.view.frmOtherExit.visible);
  // While the window is hidden every turn runs one second; back on screen
  // the turns are as the server gives them.
  Play({TurnFrame(kRight, 0, 15)});
  EXPECT_EQ(client.table.Countdown, 1);
  platform.RestoreMainWindow();
  Play({TurnFrame(kRight, 0, 15)});
  EXPECT_EQ(client.table.Countdown, 15);
}

}  // namespace
}  // namespace vask
