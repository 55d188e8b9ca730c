#include "server/rules/win.h"

#include <gtest/gtest.h>

#include "server/rules/wildcards.h"

namespace vask::server {
namespace {

// Wildcards 2, 3, 4 of 条 (indicator 3 of 条).
const HunList kHun = WildcardsOf(0x23);

struct WinCase {
  const char* name;
  Tiles tiles;
  bool wins;
};

class WinTable : public ::testing::TestWithParam<WinCase> {};

TEST_P(WinTable, DecidesWhetherTheHandIsComplete) {
  EXPECT_EQ(IsCompleteHand(GetParam().tiles, kHun), GetParam().wins) << GetParam().name;
}

INSTANTIATE_TEST_SUITE_P(
    Hands, WinTable,
    ::testing::Values(
        WinCase{"no wildcard: runs, pung, pair",
                {0x41, 0x42, 0x43, 0x87, 0x88, 0x89, 0x15, 0x15, 0x15, 0x11, 0x11, 0x45, 0x46, 0x47}, true},
        WinCase{"one wildcard fills a run",
                {0x41, 0x23, 0x43, 0x87, 0x88, 0x89, 0x15, 0x15, 0x15, 0x11, 0x11, 0x45, 0x46, 0x47}, true},
        WinCase{"one wildcard makes the pair", {0x41, 0x42, 0x43, 0x87, 0x88, 0x89, 0x15, 0x15, 0x15, 0x11, 0x24,
                                                0x45, 0x46, 0x47}, true},
        WinCase{"two wildcards make a pung with a lone honour",
                {0x41, 0x42, 0x43, 0x87, 0x88, 0x89, 0x16, 0x22, 0x24, 0x11, 0x11, 0x45, 0x46, 0x47}, true},
        WinCase{"three wildcards stand for a whole meld",
                {0x41, 0x42, 0x43, 0x87, 0x88, 0x89, 0x22, 0x23, 0x24, 0x11, 0x11, 0x45, 0x46, 0x47}, true},
        WinCase{"four wildcards: a run edge and a pung",
                {0x41, 0x42, 0x22, 0x87, 0x23, 0x89, 0x15, 0x24, 0x24, 0x11, 0x11, 0x45, 0x46, 0x47}, true},
        WinCase{"wildcard below an 8-9", {0x88, 0x89, 0x22, 0x11, 0x11}, true},
        WinCase{"a pair alone", {0x11, 0x11}, true},
        WinCase{"two lone tiles", {0x11, 0x12}, false},
        WinCase{"a wildcard and a lone tile make a pair", {0x11, 0x22}, true},
        WinCase{"one tile short of a run",
                {0x41, 0x42, 0x44, 0x87, 0x88, 0x89, 0x15, 0x15, 0x15, 0x11, 0x11, 0x45, 0x46, 0x47}, false},
        WinCase{"honours never run", {0x11, 0x12, 0x13, 0x15, 0x15}, false},
        WinCase{"runs do not wrap between suits", {0x48, 0x49, 0x81, 0x15, 0x15}, false},
        WinCase{"seven pairs is no category here",
                {0x41, 0x41, 0x43, 0x43, 0x45, 0x45, 0x47, 0x47, 0x81, 0x81, 0x85, 0x85, 0x11, 0x11}, false},
        WinCase{"wrong count", {0x41, 0x42, 0x43}, false}),
    [](const auto& info) { return "case" + std::to_string(info.index); });

TEST(Wildcards, IndicatorAndItsNeighboursOrAllWinds) {
  EXPECT_EQ(WildcardsOf(0x23), (HunList{0x22, 0x23, 0x24, 0}));
  EXPECT_EQ(WildcardsOf(0x49), (HunList{0x41, 0x48, 0x49, 0}));
  EXPECT_EQ(WildcardsOf(0x81), (HunList{0x81, 0x82, 0x89, 0}));
  EXPECT_EQ(WildcardsOf(0x16), (HunList{0x15, 0x16, 0x17, 0}));
  EXPECT_EQ(WildcardsOf(0x13), (HunList{0x11, 0x12, 0x13, 0x14}));
  // The indicator is always announced last: the client shows value(3) face up.
  EXPECT_EQ(AnnouncedWildcards(0x49)[2], 0x49);
  EXPECT_EQ(AnnouncedWildcards(0x17)[2], 0x17);
}

struct CategoryCase {
  const char* name;
  Tiles tiles;
  TileCode win;
  WinOccasion occasion;
  std::array<std::uint8_t, 4> flags;
  int multiplier;
};

class Categories : public ::testing::TestWithParam<CategoryCase> {};

TEST_P(Categories, FlagsAndFactor) {
  const CategoryCase& c = GetParam();
  ASSERT_TRUE(IsCompleteHand(c.tiles, kHun)) << c.name;
  WinCategories w = JudgeWin(c.tiles, c.win, c.occasion, kHun);
  EXPECT_EQ(w.flags, c.flags) << c.name;
  EXPECT_EQ(w.multiplier, c.multiplier) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Hands, Categories,
    ::testing::Values(
        CategoryCase{"plain hand without wildcards is 素的",
                     {0x41, 0x42, 0x43, 0x87, 0x88, 0x89, 0x15, 0x15, 0x15, 0x11, 0x11, 0x45, 0x46, 0x47},
                     0x47, WinOccasion::Ordinary, {0, 0x10, 0, 0}, 2},
        CategoryCase{"1..9 of 万 is 龙",
                     {0x41, 0x42, 0x43, 0x44, 0x45, 0x46, 0x47, 0x48, 0x49, 0x11, 0x11, 0x22, 0x87, 0x89},
                     0x89, WinOccasion::Ordinary, {0, 0, 0x01, 0}, 4},
        CategoryCase{"wildcards standing for themselves: 本",
                     {0x21, 0x22, 0x23, 0x87, 0x88, 0x89, 0x15, 0x15, 0x15, 0x11, 0x11, 0x45, 0x46, 0x47},
                     0x47, WinOccasion::Ordinary, {0, 0x01, 0, 0}, 2},
        CategoryCase{"three spare wildcards also wait on anything: 本 and 混吊",
                     {0x22, 0x23, 0x24, 0x87, 0x88, 0x89, 0x15, 0x15, 0x15, 0x11, 0x11, 0x45, 0x46, 0x47},
                     0x47, WinOccasion::Ordinary, {0, 0x01, 0x10, 0}, 4},
        CategoryCase{"the winning tile pairs with a wildcard: 混吊",
                     {0x41, 0x42, 0x43, 0x87, 0x88, 0x89, 0x15, 0x15, 0x15, 0x45, 0x46, 0x47, 0x11, 0x24},
                     0x11, WinOccasion::Ordinary, {0, 0, 0x10, 0}, 2},
        CategoryCase{"a wildcard wins onto another: 双混吊",
                     {0x41, 0x42, 0x43, 0x87, 0x88, 0x89, 0x15, 0x15, 0x15, 0x45, 0x46, 0x47, 0x22, 0x24},
                     0x22, WinOccasion::Ordinary, {0, 0, 0x20, 0}, 4},
        CategoryCase{"5 of 万 between 4 and 6: 捉五 and 素的",
                     {0x41, 0x42, 0x43, 0x87, 0x88, 0x89, 0x15, 0x15, 0x15, 0x11, 0x11, 0x44, 0x45, 0x46},
                     0x45, WinOccasion::Ordinary, {0, 0x10, 0, 0x10}, 4},
        CategoryCase{"kong replacement: 杠开",
                     {0x41, 0x42, 0x43, 0x11, 0x11}, 0x43, WinOccasion::KongReplacement, {0x01, 0x10, 0, 0}, 4},
        CategoryCase{"the dealer on the deal: 天胡 alone",
                     {0x41, 0x42, 0x43, 0x11, 0x11}, 0x43, WinOccasion::Heavenly, {0x20, 0, 0, 0}, 8},
        CategoryCase{"a robbed kong: 抢胡 alone",
                     {0x41, 0x42, 0x43, 0x11, 0x11}, 0x43, WinOccasion::RobbedKong, {0x30, 0, 0, 0}, 4}),
    [](const auto& info) { return "case" + std::to_string(info.index); });

TEST(WinsWith, AddsTheTileFirst) {
  Tiles hand{0x41, 0x42, 0x11, 0x11};
  EXPECT_TRUE(WinsWith(hand, 0x43, kHun));
  EXPECT_TRUE(WinsWith(hand, 0x22, kHun));  // a wildcard finishes the run
  EXPECT_FALSE(WinsWith(hand, 0x45, kHun));
}

}  // namespace
}  // namespace vask::server
