#include "server/rules/claims.h"

#include <gtest/gtest.h>

namespace vask::server {
namespace {

const HunList kHun{0x22, 0x23, 0x24, 0};

TEST(DiscardOffers, OnlyTheNextSeatMayChow) {
  SeatTiles s{{0x44, 0x46, 0x81, 0x81, 0x81, 0x15, 0x16, 0x17, 0x11, 0x12, 0x13, 0x14, 0x87}, {}};
  EXPECT_EQ(DiscardOffers(s, 0x45, true, true, kHun), kOpChi | kOpPass);
  EXPECT_EQ(DiscardOffers(s, 0x45, false, true, kHun), 0);
  EXPECT_EQ(DiscardOffers(s, 0x81, false, true, kHun), kOpMingGang | kOpPeng | kOpPass);
  // No replacement tile left: the kong is not offered.
  EXPECT_EQ(DiscardOffers(s, 0x81, false, false, kHun), kOpPeng | kOpPass);
}

TEST(DiscardOffers, WinWhenTheDiscardCompletesTheHand) {
  SeatTiles s{{0x41, 0x42, 0x11, 0x11}, {Meld{MeldKind::Pung, {0x15, 0x15, 0x15}}, Meld{}, Meld{}}};
  EXPECT_EQ(DiscardOffers(s, 0x43, false, true, kHun), kOpHu | kOpPass);
  EXPECT_EQ(DiscardOffers(s, 0x43, true, true, kHun), kOpHu | kOpChi | kOpPass);
}

TEST(TurnOffers, ConcealedAndAddedKongs) {
  SeatTiles s{{0x41, 0x41, 0x41, 0x41, 0x15}, {Meld{MeldKind::Pung, {0x15, 0x15, 0x15}}}};
  EXPECT_EQ(TurnOffers(s, true, true, kHun), kOpAnGang | kOpBuGang | kOpPass);
  EXPECT_EQ(TurnOffers(s, true, false, kHun), 0);
}

TEST(ChowFromHand, NeedsARunOfTheHandsTiles) {
  Tiles hand{0x43, 0x44, 0x46};
  EXPECT_TRUE(ChowFromHand(hand, 0x45, {0x43, 0x44, 0x45}));
  EXPECT_TRUE(ChowFromHand(hand, 0x45, {0x44, 0x46, 0x45}));
  EXPECT_FALSE(ChowFromHand(hand, 0x45, {0x46, 0x47, 0x45}));  // no 7 in hand
  EXPECT_FALSE(ChowFromHand(hand, 0x45, {0x43, 0x44, 0x44}));  // the discard is missing
  EXPECT_FALSE(ChowFromHand(hand, 0x45, {0x43, 0x46, 0x45}));  // not a run
  EXPECT_FALSE(ChowFromHand({0x48, 0x49}, 0x81, {0x48, 0x49, 0x81}));  // across suits
}

struct PriorityCase {
  const char* name;
  int discarder;
  std::vector<Claim> claims;
  std::optional<int> seat;
};

class Priority : public ::testing::TestWithParam<PriorityCase> {};

TEST_P(Priority, WinOverKongAndPungOverChowThenNearest) {
  const PriorityCase& c = GetParam();
  std::optional<Claim> won = WinningClaim(c.discarder, c.claims);
  ASSERT_EQ(won.has_value(), c.seat.has_value()) << c.name;
  if (won) {
    EXPECT_EQ(won->seat, *c.seat) << c.name;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Claims, Priority,
    ::testing::Values(PriorityCase{"win beats pung", 0, {{1, kOpPeng}, {2, kOpHu}}, 2},
                      PriorityCase{"win beats kong", 0, {{3, kOpHu}, {1, kOpMingGang}}, 3},
                      PriorityCase{"pung beats chow", 0, {{1, kOpChi}, {3, kOpPeng}}, 3},
                      PriorityCase{"kong ties with pung, nearest wins", 2, {{1, kOpPeng}, {0, kOpMingGang}}, 0},
                      PriorityCase{"two wins: nearest after the discarder", 3, {{2, kOpHu}, {1, kOpHu}}, 1},
                      PriorityCase{"two wins wrapping around", 1, {{0, kOpHu}, {3, kOpHu}}, 3},
                      PriorityCase{"passes never win", 0, {{1, kOpPass}, {2, kOpPass}}, std::nullopt}),
    [](const auto& info) { return "case" + std::to_string(info.index); });

TEST(CouldBeat, StopsWaitingWhenNoAnswerCanChangeTheResult) {
  std::optional<Claim> pungBySeat2 = Claim{2, kOpPeng};
  EXPECT_TRUE(CouldBeat(0, 3, kOpHu | kOpPass, pungBySeat2));
  EXPECT_TRUE(CouldBeat(0, 1, kOpPeng | kOpPass, pungBySeat2));   // nearer
  EXPECT_FALSE(CouldBeat(0, 3, kOpPeng | kOpPass, pungBySeat2));  // farther
  EXPECT_FALSE(CouldBeat(0, 1, kOpChi | kOpPass, pungBySeat2));
  EXPECT_TRUE(CouldBeat(0, 1, kOpChi | kOpPass, std::nullopt));
}

}  // namespace
}  // namespace vask::server
