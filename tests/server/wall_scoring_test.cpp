#include <gtest/gtest.h>

#include <map>
#include <random>

#include "server/rules/scoring.h"
#include "server/rules/wall.h"

namespace vask::server {
namespace {

TEST(Wall, HoldsFourOfEveryKind) {
  std::mt19937 rng(7);
  Wall wall = Wall::Shuffled(rng);
  std::map<TileCode, int> seen;
  while (auto t = wall.DrawFront()) ++seen[*t];
  EXPECT_EQ(seen.size(), 34u);
  for (auto [tile, n] : seen) EXPECT_EQ(n, 4) << std::hex << tile;
}

TEST(Wall, SameSeedSameWall) {
  std::mt19937 a(42), b(42), c(43);
  Wall wa = Wall::Shuffled(a), wb = Wall::Shuffled(b), wc = Wall::Shuffled(c);
  bool differs = false;
  for (int i = 0; i < 20; ++i) {
    TileCode ta = *wa.DrawFront();
    EXPECT_EQ(ta, *wb.DrawFront());
    differs |= ta != *wc.DrawFront();
  }
  EXPECT_TRUE(differs);
}

Wall NumberedWall() {
  // Tile codes stand for their index so the draw order is visible.
  Wall::Order order{};
  for (int i = 0; i < kTilesInSet; ++i) order[static_cast<std::size_t>(i)] = static_cast<TileCode>(i);
  return Wall(order);
}

TEST(Wall, ReplacementTilesComeFromTheBackStackByStack) {
  Wall wall = NumberedWall();
  EXPECT_EQ(wall.TurnUpIndicator(3), 130);  // two stacks in from the back end
  EXPECT_EQ(*wall.DrawBack(), 134);
  EXPECT_EQ(*wall.DrawBack(), 135);
  EXPECT_EQ(*wall.DrawBack(), 132);
  EXPECT_EQ(*wall.DrawBack(), 133);
  EXPECT_EQ(*wall.DrawBack(), 131);  // the face-up indicator is stepped over
  EXPECT_EQ(*wall.DrawBack(), 128);
  EXPECT_EQ(wall.BackUsed(), 6);
}

TEST(Wall, DealAndDrawCountsUntilTheFrontReachesTheIndicator) {
  Wall wall = NumberedWall();
  wall.TurnUpIndicator(12);  // 11 stacks in: index 112
  for (int i = 0; i < 53; ++i) ASSERT_TRUE(wall.DrawFront());
  EXPECT_EQ(wall.FrontUsed(), 53);
  EXPECT_EQ(wall.Remaining(), 136 - 53 - 1);
  int drawn = 0;
  while (wall.DrawFront()) ++drawn;
  EXPECT_EQ(drawn, 112 - 53);  // the tiles behind the indicator stay for kongs
  EXPECT_TRUE(wall.CanDrawBack());
}

TEST(Wall, BackAndFrontMeet) {
  Wall wall = NumberedWall();
  wall.TurnUpIndicator(2);  // index 132
  for (int i = 0; i < 132; ++i) ASSERT_TRUE(wall.DrawFront());
  EXPECT_FALSE(wall.CanDrawFront());  // 0..131 drawn, 132 is the indicator
  EXPECT_EQ(*wall.DrawBack(), 134);
  EXPECT_EQ(*wall.DrawBack(), 135);
  EXPECT_EQ(*wall.DrawBack(), 133);
  EXPECT_FALSE(wall.DrawBack());  // 130 went from the front
}

TEST(Scoring, SharesFollowTheDealerAndPulls) {
  PullStates p;
  p.pulls = {0, 2, 0, 1};
  p.dealerSat = true;
  // Seat 1 pulled twice against dealer 0, who sat: 4 × 4.
  EXPECT_EQ(Share(1, 0, 0, p), 16);
  EXPECT_EQ(Share(0, 1, 0, p), 16);
  EXPECT_EQ(Share(1, 2, 0, p), 1);
  EXPECT_EQ(Share(0, 2, 0, p), 4);
}

TEST(Scoring, KongPaymentsMatchTheSettlementExample) {
  // Dealer 1 sat; owner 3 pulled once; a concealed kong of 5 of 万.
  PullStates p;
  p.pulls = {0, 0, 0, 1};
  p.dealerSat = true;
  Amounts a = KongPayments({{3, kOpAnGang, 0x45}}, 1, p, {0x21, 0x22, 0x23, 0});
  EXPECT_EQ(a, (Amounts{-2, -16, -2, 20}));
  // The same kong of a wildcard is worth 8 a unit (金杠).
  Amounts gold = KongPayments({{3, kOpAnGang, 0x22}}, 1, p, {0x21, 0x22, 0x23, 0});
  EXPECT_EQ(gold[3], 80);
}

TEST(Scoring, EveryHandSumsToZero) {
  std::mt19937 rng(1);
  for (int round = 0; round < 200; ++round) {
    PullStates p;
    for (int& n : p.pulls) n = static_cast<int>(rng() % 3);
    p.dealerSat = rng() % 2;
    int dealer = static_cast<int>(rng() % 4);
    p.pulls[static_cast<std::size_t>(dealer)] = 0;
    std::vector<KongEntry> kongs;
    for (int k = 0; k < static_cast<int>(rng() % 4); ++k)
      kongs.push_back({static_cast<int>(rng() % 4), (kOpMingGang << (rng() % 3)), 0x11});
    int winner = static_cast<int>(rng() % 4);
    int payer = rng() % 2 ? -1 : (winner + 1 + static_cast<int>(rng() % 3)) % 4;
    EXPECT_EQ(Sum(KongPayments(kongs, dealer, p, {0x11, 0x12, 0x13, 0x14})), 0);
    Amounts win = WinPayments(winner, payer, 1 + static_cast<int>(rng() % 16), dealer, p);
    EXPECT_EQ(Sum(win), 0);
    EXPECT_GT(win[static_cast<std::size_t>(winner)], 0);
  }
}

}  // namespace
}  // namespace vask::server
