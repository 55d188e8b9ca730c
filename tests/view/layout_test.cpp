// The table's geometry at both scales: walls, origins, widgets, stacking.
#include <gtest/gtest.h>

#include "core/client.h"
#include "core/view/layout.h"
#include "core/view/reset.h"
#include "platform/fake/fake_platform.h"

namespace vask {
namespace {

class LayoutTest : public ::testing::TestWithParam<ScreenSize> {
 protected:
  LayoutTest() : client(platform) {}
  void SetUp() override {
    platform.screen = GetParam();
    InitPictureTables(client.pics, ChooseLayoutScale(platform.screen));
    InitLayout(client);
  }
  float S(float k) const { return k * client.view.LayoutScale; }
  FakePlatform platform;
  Client client;
};

TEST_P(LayoutTest, BottomWallRunsLeftInStepsOfATileWidth) {
  const ViewModel& v = client.view;
  const float w = v.TileW[0];
  EXPECT_FLOAT_EQ(v.MJ_Image[0].x, S(809));
  EXPECT_FLOAT_EQ(v.MJ_Image[0].y, S(476));
  EXPECT_FLOAT_EQ(v.MJ_Image[1].y, S(476) + S(22));
  for (int j = 1; j <= 16; ++j) {
    EXPECT_FLOAT_EQ(v.MJ_Image[2 * j].x, S(809) - j * w) << j;
    EXPECT_FLOAT_EQ(v.MJ_Image[2 * j + 1].x, v.MJ_Image[2 * j].x);
    // The upper tile of a stack covers the lower one.
    EXPECT_GT(v.MJ_Image[2 * j].z, v.MJ_Image[2 * j + 1].z);
  }
  if (v.LayoutScale == 1.0f) {
    EXPECT_FLOAT_EQ(v.MJ_Image[32].x, 233);
  }
}

TEST_P(LayoutTest, SideWallsSlantFourAcrossAndFifteenAlong) {
  const ViewModel& v = client.view;
  for (int j = 1; j <= 16; ++j) {
    EXPECT_NEAR(v.MJ_Image[34 + 2 * j].x - v.MJ_Image[32 + 2 * j].x, S(4), 1e-3);
    EXPECT_NEAR(v.MJ_Image[34 + 2 * j].y - v.MJ_Image[32 + 2 * j].y, -S(15), 1e-3);
    EXPECT_NEAR(v.MJ_Image[102 + 2 * j].x - v.MJ_Image[100 + 2 * j].x, S(4), 1e-3);
    EXPECT_NEAR(v.MJ_Image[102 + 2 * j].y - v.MJ_Image[100 + 2 * j].y, S(15), 1e-3);
    EXPECT_FLOAT_EQ(v.MJ_Image[68 + 2 * j].x, v.MJ_Image[66 + 2 * j].x + v.TileW[2]);
  }
  // The near end of the left wall is in front of its far end.
  EXPECT_GT(v.MJ_Image[34].z, v.MJ_Image[66].z);
  EXPECT_GT(v.MJ_Image[35].z, v.MJ_Image[67].z);
  // Images 69 and 71 were sent to the back last.
  EXPECT_LT(v.MJ_Image[71].z, v.MJ_Image[0].z);
  EXPECT_LT(v.MJ_Image[71].z, v.MJ_Image[69].z);
}

TEST_P(LayoutTest, SeatOriginsAreRoundedScaledConstants) {
  const TableState& t = client.table;
  for (int view = 0; view < 4; ++view) {
    const SeatOrigin& o = kSeatOrigins[view];
    EXPECT_EQ(t.Detail[view].HandX, Round16(S(o.handX)));
    EXPECT_EQ(t.Detail[view].HandY, Round16(S(o.handY)));
    EXPECT_EQ(t.Detail[view].DiscardRowX, t.Detail[view].DiscardX);
    EXPECT_EQ(t.Detail[view].DiscardRowY, t.Detail[view].DiscardY);
  }
}

TEST_P(LayoutTest, WidgetsTakeTheirScaledPlaces) {
  const ViewModel& v = client.view;
  EXPECT_FLOAT_EQ(v.Vask.x, S(840));
  EXPECT_FLOAT_EQ(v.VaskP_Image.x, S(840) + S(24));
  EXPECT_FLOAT_EQ(v.Vask_Image[1].x, v.Vask_Image[0].x + S(41));
  EXPECT_FLOAT_EQ(v.AnNiu[0].w, S(50));
  for (int i = 1; i < 9; ++i) EXPECT_FLOAT_EQ(v.AnNiu[i].w, S(60));
  EXPECT_FLOAT_EQ(v.AnNiu[4].x, v.AnNiu[1].x + 3 * S(70));
  EXPECT_FLOAT_EQ(v.AnNiu[5].y, v.AnNiu[1].y + S(32));
  EXPECT_EQ(v.operZ[0].x, v.operZ[1].x);
  EXPECT_EQ(v.operZ[0].y, v.operZ[1].y);
  EXPECT_FLOAT_EQ(v.operZ[2].x, v.operZ[0].x + v.operZ[0].w + S(5));
  for (int i = 1; i < 5; ++i) EXPECT_FLOAT_EQ(v.Operation[i].x, v.Operation[i - 1].x + S(50));
  // Button pictures: pairs 0/1, 2/3, 4/5 for buttons 0..2, then skip 6/7.
  EXPECT_EQ(v.AnNiu[2].picture, client.pics.ButtonPics[4]);
  EXPECT_EQ(v.AnNiu[3].picture, client.pics.ButtonPics[8]);
  // Every claim button, the chow button too, starts on its grey face.
  for (int i = 0; i < 5; ++i) EXPECT_EQ(v.Operation[i].picture, client.pics.OperationPics[3 * i]);
  EXPECT_EQ(v.Operation[0].picture, 141);
  EXPECT_TRUE(v.Sysmsg[0].visible && v.Sysmsg[1].visible);
  EXPECT_FALSE(v.Time_Img.visible);
  // The table surface is 1024 × 768 scaled.
  EXPECT_FLOAT_EQ(v.Pic1.w, S(1024));
  EXPECT_FLOAT_EQ(v.Pic1.h, S(768));
}

TEST_P(LayoutTest, WallAndDiscardSizesAreInstalledAfterAReset) {
  ResetTable(client);
  const ViewModel& v = client.view;
  const int w[4] = {36, 48, 30, 48}, h[4] = {50, 35, 36, 35};
  for (int view = 0; view < 4; ++view) {
    EXPECT_EQ(v.TileW[view], Round16(S(w[view])));
    EXPECT_EQ(v.TileH[view], Round16(S(h[view])));
    EXPECT_EQ(v.MJ_Image[34 * view + 5].w, v.TileW[view]);
  }
  for (const Control& tile : v.MJ_Image) EXPECT_FALSE(tile.visible);
}

INSTANTIATE_TEST_SUITE_P(Scales, LayoutTest, ::testing::Values(ScreenSize{1024, 768}, ScreenSize{800, 600}));

TEST(LayoutScale, SmallScreensScaleByTwentyFiveThirtySeconds) {
  EXPECT_EQ(ChooseLayoutScale({1024, 768}), 1.0f);
  EXPECT_EQ(ChooseLayoutScale({1023, 900}), kSmallScale);
  EXPECT_EQ(ChooseLayoutScale({1280, 767}), kSmallScale);
  // 840 becomes 656.25 for a control and 656 in a 16-bit origin.
  EXPECT_FLOAT_EQ(840 * kSmallScale, 656.25f);
  EXPECT_EQ(Round16(840 * kSmallScale), 656);
  // Halves go to the even neighbour.
  EXPECT_EQ(Round16(2.5f), 2);
  EXPECT_EQ(Round16(3.5f), 4);
  EXPECT_EQ(Round16(-2.5f), -2);
}

TEST(StackingOrder, BringToFrontAndSendToBackKeepTheRest) {
  ViewModel v;
  for (Control& tile : v.MJ_Image) tile.visible = true;
  BringToFront(v, v.MJ_Image[5]);
  SendToBack(v, v.MJ_Image[9]);
  std::vector<ControlRef> order = StackingOrder(v);
  ASSERT_EQ(order.size(), 136u);
  EXPECT_EQ(order.front().index, 9);
  EXPECT_EQ(order.back().index, 5);
  EXPECT_STREQ(order[1].name, "MJ_Image");
  EXPECT_EQ(order[1].index, 0);
  EXPECT_EQ(order[2].index, 1);
  EXPECT_EQ(FindControl(v, "MJ_Image", 5), &v.MJ_Image[5]);
  EXPECT_EQ(FindControl(v, "Nope"), nullptr);
}

}  // namespace
}  // namespace vask
