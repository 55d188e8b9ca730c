#include <gtest/gtest.h>

#include "core/game/seats.h"
#include "core/game/tiles.h"

namespace vask {
namespace {

TEST(Seats, IndexMaskAndViewPosition) {
  const std::pair<int, int> indices[] = {{0, 0}, {1, 0}, {2, 1}, {3, 1}, {4, 2}, {8, 3}, {255, 7}};
  for (auto [mask, index] : indices) EXPECT_EQ(SeatIndex(static_cast<std::uint8_t>(mask)), index) << mask;
  EXPECT_EQ(SeatMask(3), 8);
  EXPECT_EQ(SeatMask(0), 1);

  // Own mask 4 (index 2): right is the next seat, left the one before.
  const std::pair<int, int> views[] = {{8, 3}, {2, 1}, {1, 2}, {4, 0}};
  for (auto [mask, view] : views) {
    EXPECT_EQ(ViewPos(4, static_cast<std::uint8_t>(mask)), view) << mask;
    EXPECT_EQ(MaskOfView(4, view), mask) << view;
  }
  // Bad masks still land on the table.
  for (int mask = 0; mask < 256; ++mask) {
    int v = ViewPos(1, static_cast<std::uint8_t>(mask));
    EXPECT_TRUE(v >= 0 && v <= 3) << mask;
  }
}

TEST(Seats, WindsBySeatIndex) {
  EXPECT_EQ(SeatWind(0), "南");
  EXPECT_EQ(SeatWind(1), "西");
  EXPECT_EQ(SeatWind(2), "北");
  EXPECT_EQ(SeatWind(3), "东");
}

TEST(Tiles, Names) {
  const struct {
    int rank, suit;
    const char* name;
  } cases[] = {
      {1, 1, "东风"}, {5, 1, "红中"}, {7, 1, "白板"}, {8, 1, ""}, {0, 1, ""},
      {3, 2, "3条"},  {5, 4, "5万"},  {9, 8, "9筒"},  {5, 16, ""}, {1, 0, ""},
  };
  for (const auto& c : cases) EXPECT_EQ(TileName(c.rank, c.suit), c.name) << c.rank << "/" << c.suit;
}

TEST(Tiles, SuitsFacesAndCodes) {
  EXPECT_EQ(SuitIndex(SuitHonour), 0);
  EXPECT_EQ(SuitIndex(SuitBamboo), 1);
  EXPECT_EQ(SuitIndex(SuitCharacter), 2);
  EXPECT_EQ(SuitIndex(SuitDot), 3);
  EXPECT_EQ(SoundSuit(SuitCharacter), SuitDot);
  EXPECT_EQ(SoundSuit(SuitDot), SuitCharacter);
  EXPECT_EQ(SoundSuit(SuitBamboo), SuitBamboo);
  EXPECT_EQ(TileFaceIndex(4, SuitBamboo, 3), 36 * 4 + 9 + 2);
  EXPECT_EQ(TileFaceIndex(0, SuitHonour, 1), 0);
  EXPECT_EQ(TileFaceIndex(3, SuitDot, 9), 36 * 3 + 35);
  EXPECT_EQ(StandingBackFace(2), 79);
  EXPECT_EQ(LyingBackFace(2), 80);
  EXPECT_EQ(ClaimTileCode(0x45), 0x2045);
  EXPECT_EQ(ClaimTileCode(0x1F45), 0x2F45);
  EXPECT_EQ(TileOf(0x1245), 0x45);
  EXPECT_TRUE(IsValidTile(0x17));
  EXPECT_FALSE(IsValidTile(0x18));
  EXPECT_FALSE(IsValidTile(0x30));
  EXPECT_FALSE(IsValidTile(0x8A));
  EXPECT_FALSE(IsValidTile(NoTile));
}

TEST(Tiles, WildcardsNeverMatchEmptyEntries) {
  HunList hun{0x23, 0x45, 0, 0};
  EXPECT_TRUE(IsHun(hun, 0x45));
  EXPECT_TRUE(IsHun(hun, 0x145)) << "compared on the low byte";
  EXPECT_FALSE(IsHun(hun, NoTile));
  EXPECT_FALSE(IsHun(hun, 0x11));
}

}  // namespace
}  // namespace vask
