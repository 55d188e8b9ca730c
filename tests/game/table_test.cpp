#include "core/game/table.h"

#include <gtest/gtest.h>

namespace vask {
namespace {

// Fills view v's hand with these codes, images 100, 101, ...
void DealHand(TableState& t, int v, std::vector<TileCode> codes) {
  SeatRec& s = t.Detail[v];
  s.HandCount = static_cast<std::int16_t>(codes.size());
  for (std::size_t i = 0; i < codes.size(); ++i) {
    TileSlot& slot = s.Slots[s.HandStart + i];
    slot.Mark = SlotHand;
    slot.Tile = codes[i];
    slot.Img = static_cast<std::int16_t>(100 + i);
  }
}

std::vector<TileCode> HandCodes(const TableState& t, int v) {
  const SeatRec& s = t.Detail[v];
  std::vector<TileCode> out;
  for (int i = 0; i < s.HandCount; ++i) out.push_back(s.Slots[s.HandStart + i].Tile);
  return out;
}

struct SortCase {
  HunList hun;
  std::vector<TileCode> hand;
  std::vector<TileCode> sorted;
  int hunCount;
};

TEST(SortHand, SuitsDescendingRanksAscendingWildcardsLeft) {
  const SortCase cases[] = {
      {{0, 0, 0, 0}, {0x11, 0x45, 0x21, 0x89, 0x43}, {0x89, 0x43, 0x45, 0x21, 0x11}, 0},
      {{0x11, 0x12, 0x13, 0x14}, {0x13, 0x25, 0x11, 0x13}, {0x11, 0x13, 0x13, 0x25}, 3},
      {{0x23, 0x45, 0x89, 0}, {0x17, 0x22, 0x81, 0x41}, {0x81, 0x41, 0x22, 0x17}, 0},
      // Each wildcard group keeps together, entry 0 leftmost.
      {{0x23, 0x45, 0x89, 0}, {0x11, 0x89, 0x45, 0x23, 0x89, 0x31, 0x45},
       {0x23, 0x45, 0x45, 0x89, 0x89, 0x31, 0x11}, 5},
      // A whole hand of wildcards.
      {{0x21, 0, 0, 0}, {0x21, 0x21, 0x21}, {0x21, 0x21, 0x21}, 3},
  };
  for (const auto& c : cases) {
    TableState t;
    ResetSeatRecords(t);
    t.HunTiles = c.hun;
    DealHand(t, 0, c.hand);
    SortHandCodes(t, 0, static_cast<int>(c.hand.size()));
    EXPECT_EQ(HandCodes(t, 0), c.sorted);
    EXPECT_EQ(t.Detail[0].HunCount, c.hunCount);
    // Images stay with their slots.
    for (int i = 0; i < t.Detail[0].HandCount; ++i) EXPECT_EQ(t.Detail[0].Slots[4 + i].Img, 100 + i);
  }
}

TEST(SortHand, ShortHandsAndReportedChanges) {
  TableState t;
  ResetSeatRecords(t);
  DealHand(t, 0, {0x45, 0x11});
  EXPECT_EQ(SortHandCodes(t, 0, 0), 0u);
  EXPECT_EQ(SortHandCodes(t, 0, 1), 0u);
  EXPECT_EQ(HandCodes(t, 0), (std::vector<TileCode>{0x45, 0x11}));
  DealHand(t, 0, {0x11, 0x45, 0x89});
  std::uint32_t changed = SortHandCodes(t, 0, 3);
  EXPECT_EQ(HandCodes(t, 0), (std::vector<TileCode>{0x89, 0x45, 0x11}));
  EXPECT_EQ(changed, (1u << 4) | (1u << 6)) << "the middle tile did not move";
}

TEST(SortHand, NeverLeavesTheSeatRecord) {
  TableState t;
  ResetSeatRecords(t);
  t.Detail[1].HandStart = 16;
  EXPECT_NO_FATAL_FAILURE(SortHandCodes(t, 1, 14));
  t.Detail[1].HandStart = 40;
  EXPECT_NO_FATAL_FAILURE(SortHandCodes(t, 1, 14));
}

TEST(TableState, ResetGivesTheStartingPointers) {
  TableState t;
  t.Detail[0].Mask = 4;
  t.Detail[2].username = "kept";
  t.Detail[1].MeldTop = 10;
  t.Detail[3].Slots[5] = {SlotPeng, 0x45, 17};
  t.bInGame = true;
  t.IncrementalRedraw = 1;
  ResetSeatRecords(t);
  EXPECT_EQ(t.Detail[0].MeldTop, 3);
  for (int v = 1; v < 4; ++v) EXPECT_EQ(t.Detail[v].MeldTop, 4);
  for (const SeatRec& s : t.Detail) {
    EXPECT_EQ(s.HandStart, 4);
    EXPECT_EQ(s.HandCount, 0);
  }
  EXPECT_EQ(t.Detail[3].Slots[5].Mark, SlotEmpty);
  EXPECT_EQ(t.Detail[3].Slots[5].Img, -1);
  EXPECT_EQ(t.Detail[3].Slots[5].Tile, 0x45) << "tiles are cleared by the view reset";
  EXPECT_EQ(t.Detail[0].Mask, 4);
  EXPECT_EQ(t.Detail[2].username, "kept");
  EXPECT_FALSE(t.bInGame);
  EXPECT_EQ(t.IncrementalRedraw, -1);
  ClearSlotTiles(t);
  EXPECT_EQ(t.Detail[3].Slots[5].Tile, NoTile);
}

TEST(TableState, HandSlotOfImageSeesOnlyTheOwnConcealedHand) {
  TableState t;
  ResetSeatRecords(t);
  t.Detail[0].Slots[1] = {SlotPeng, 0x45, 7};  // a meld slot
  DealHand(t, 0, {0x11, 0x12});
  DealHand(t, 2, {0, 0, 0});
  EXPECT_EQ(HandSlotOfImage(t, 101), 5);
  EXPECT_TRUE(IsOwnHandImage(t, 100));
  EXPECT_EQ(HandSlotOfImage(t, 7), -1);
  EXPECT_EQ(HandSlotOfImage(t, 102), -1) << "view 2's image";
  EXPECT_EQ(HandSlotOfImage(t, -1), -1);
}

}  // namespace
}  // namespace vask
