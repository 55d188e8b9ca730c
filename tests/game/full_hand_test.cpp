// One complete hand through the fake platform: the deal, the own seat's
// concealed kong, pung, chow, exposed and added kongs and its win, the other
// seats' pung and concealed kong; checked on the requests sent and on the
// view model along the way.
#include <gtest/gtest.h>

#include <set>

#include "core/client.h"
#include "core/game/operations.h"
#include "core/view/layout.h"
#include "support/full_hand.h"
#include "support/play_frames.h"

namespace vask {
namespace {

using test::ReadRequests;

// Every hand and meld image in one slot only, shown; every slot inside the
// record.
void ExpectConsistent(const Client& c, const std::string& step) {
  SCOPED_TRACE(step);
  std::set<int> used;
  for (int v = 0; v < 4; ++v) {
    const SeatRec& s = c.table.Detail[v];
    ASSERT_GE(s.HandCount, 0);
    ASSERT_LE(s.HandStart + s.HandCount, kSlotsPerSeat);
    // The melds made so far, then the hand (a claim request fills the next
    // meld's slots before its result).
    std::vector<int> slots;
    for (int i = (v == 0 ? kOwnMeldTopReset : kOtherMeldTopReset) - 2; i < s.MeldTop - 2; ++i) slots.push_back(i);
    for (int i = s.HandStart; i < s.HandStart + s.HandCount; ++i) slots.push_back(i);
    for (int i : slots) {
      const int img = s.Slots[i].Img;
      ASSERT_TRUE(img >= 0 && img < kTilesInSet) << "view " << v << " slot " << i;
      EXPECT_TRUE(used.insert(img).second) << "image " << img << " twice";
      EXPECT_TRUE(c.view.MJ_Image[img].visible);
      EXPECT_FALSE(c.table.WallTaken[img] == false) << "image " << img << " still in the wall";
    }
  }
}

class FullHand : public test::PlayTest {};

TEST_F(FullHand, PlaysFromTheDealToTheWin) {
  for (const test::HandStep& step : test::FullHandSteps()) {
    step.run(platform, client);
    ExpectConsistent(client, step.what);
  }
  EXPECT_EQ(ReadRequests(Sent()), test::FullHandRequests());

  // Four own melds: kongs of dots 4 and characters 1, the chow, the kong of
  // dots 1; the pair of bamboo 9 in the hand.
  const SeatRec& own = Seat(0);
  EXPECT_EQ(own.MeldTop, 15);
  EXPECT_EQ(own.HandStart, 16);
  EXPECT_EQ(OwnHand(), (std::vector<TileCode>{0x29, 0x29}));
  const TileCode melds[12] = {0x84, 0x84, 0x84, 0x41, 0x41, 0x41, 0x42, 0x43, 0x44, 0x81, 0x81, 0x81};
  const std::int16_t marks[4] = {SlotAnGang, SlotPeng, SlotChi, SlotMingGang};
  for (int i = 0; i < 12; ++i) {
    const TileSlot& slot = own.Slots[1 + i];
    EXPECT_EQ(slot.Tile, melds[i]) << i;
    EXPECT_EQ(slot.Mark, marks[i / 3]) << i;
    const Control& tile = client.view.MJ_Image[slot.Img];
    EXPECT_FLOAT_EQ(tile.x, 19 + (1 + i) * 43.0f) << i;
    EXPECT_FLOAT_EQ(tile.y, 564);
    EXPECT_EQ(tile.picture, client.pics.TileFacePics[TileFaceIndex(0, melds[i])]);
  }
  // Three kong tops lie 18 pixels up on the middle tiles of their melds.
  int tops = 0;
  for (int image = 0; image < kTilesInSet; ++image) {
    const Control& tile = client.view.MJ_Image[image];
    if (tile.visible && tile.y == 564 - 18 && tile.x < 19 + 16 * 43) ++tops;
  }
  EXPECT_EQ(tops, 3);
  // Four kongs in all: the wall beside the indicator moved twice.
  EXPECT_EQ(client.table.KongDraws, 4);
  EXPECT_EQ(client.table.KongRecord[18][0], 1);  // concealed
  EXPECT_EQ(client.table.KongRecord[0][0], 1);   // exposed
  EXPECT_EQ(client.table.KongRecord[9][0], 1);   // added
  EXPECT_EQ(client.table.KongRecord[18][1], 1);  // the left seat's concealed kong
  // The others: a pung on top, a concealed kong on the left.
  EXPECT_EQ(Seat(2).Slots[2].Mark, SlotPeng);
  EXPECT_EQ(Seat(2).HandCount, 10);
  EXPECT_EQ(Seat(1).Slots[2].Mark, SlotAnGang);
  EXPECT_EQ(Seat(1).HandCount, 10);
  EXPECT_EQ(client.table.WinnerView, 0);
  EXPECT_TRUE(client.view.Words.visible);
  EXPECT_EQ(client.view.Words.picture, client.pics.WordPics[7]);
}

}  // namespace
}  // namespace vask
