// Claim, kong and win results of every seat: the records, the melds on the
// table, the claim word and the voice; results a seat cannot have made
// change nothing.
#include <gtest/gtest.h>

#include "core/client.h"
#include "core/game/operations.h"
#include "core/handlers.h"
#include "core/view/hands.h"
#include "core/view/layout.h"
#include "support/play_frames.h"

namespace vask {
namespace {

using test::ClaimFrame;
using test::DiscardFrame;
using test::DrawFrame;
using test::kLeft;
using test::kOwn;
using test::kRight;
using test::kTop;
using test::TurnFrame;

// Everything a seat record holds, for comparing.
std::vector<int> Records(const Client& c) {
  std::vector<int> out;
  for (const SeatRec& s : c.table.Detail) {
    out.insert(out.end(), {s.HandStart, s.HandCount, s.MeldTop});
    for (const TileSlot& slot : s.Slots) out.insert(out.end(), {slot.Mark, slot.Tile, slot.Img});
  }
  out.insert(out.end(), {c.table.KongDraws, c.table.WinnerView, c.table.LastDiscardImg});
  return out;
}

class Claims : public test::PlayTest {
 protected:
  void SetUp() override {
    Play(test::DealOwnTiles(test::kSampleHand));
    Play({TurnFrame(kOwn)});
    SendDiscard(client, OwnImage(0x29));
    Play({DiscardFrame(kOwn, 0x29)});
    Taken();
  }
  // The right seat draws and discards `tile` from the end of its row.
  void RightDiscards(TileCode tile) { Play({DrawFrame(kRight), TurnFrame(kRight), DiscardFrame(kRight, tile)}); }
  bool Played(const std::string& file) const {
    return platform.CallMade("SoundPlay(/client/../common/dorvan/" + file);
  }
  const Control& Img(int image) const { return client.view.MJ_Image[image]; }
};

TEST_F(Claims, AnotherSeatsPungTakesTheDiscardIntoItsMeld) {
  RightDiscards(0x47);
  const int discard = client.table.LastDiscardImg;
  const int seenBefore = client.table.SeenCount[7][SuitIndex(SuitCharacter)];
  Play({ClaimFrame(kTop, OpPeng, {0x47, 0x47, 0x47})});
  const SeatRec& top = Seat(2);
  EXPECT_EQ(client.table.SeenCount[7][SuitIndex(SuitCharacter)], seenBefore + 2);
  EXPECT_EQ(top.HandCount, 11);
  EXPECT_EQ(top.HandStart, 7);
  EXPECT_EQ(top.MeldTop, 7);
  for (int s = 2; s <= 4; ++s) {
    EXPECT_EQ(top.Slots[s].Mark, SlotPeng);
    EXPECT_EQ(top.Slots[s].Tile, 0x47);
    const Control& tile = Img(top.Slots[s].Img);
    EXPECT_FLOAT_EQ(tile.x, top.HandX - s * 34.0f) << s;
    EXPECT_FLOAT_EQ(tile.w, 34);
    EXPECT_EQ(tile.picture, client.pics.TileFacePics[TileFaceIndex(2, 0x47)]);
  }
  EXPECT_EQ(top.Slots[4].Img, discard);
  // The row re-laid from slot 7 on.
  EXPECT_FLOAT_EQ(Img(top.Slots[7].Img).x, top.HandX - 7 * 37.0f);  // 37 wide after a claim
  EXPECT_EQ(client.table.LastDiscardImg, -1);
  EXPECT_TRUE(Played("v0002.wav"));

  // The word shows in the seat's bubble for two seconds.
  const ViewModel& v = client.view;
  EXPECT_TRUE(v.Words.visible);
  EXPECT_TRUE(v.Speak[1].visible);
  EXPECT_EQ(v.Words.picture, client.pics.WordPics[1]);
  EXPECT_FLOAT_EQ(v.Words.x, v.Speak[1].x + 0.17f * v.Speak[1].w);
  platform.RunTicks(41);
  EXPECT_FALSE(v.Words.visible);
  EXPECT_FALSE(v.Speak[1].visible);
  EXPECT_FALSE(client.conn.bWordShown);
}

TEST_F(Claims, AnotherSeatsChowAndExposedKong) {
  RightDiscards(0x47);
  Play({ClaimFrame(kTop, OpChi, {0x46, 0x48, 0x47})});
  const SeatRec& top = Seat(2);
  EXPECT_EQ(top.HandCount, 11);
  EXPECT_EQ(top.Slots[2].Mark, SlotChi);
  EXPECT_EQ(Img(top.Slots[3].Img).picture, client.pics.TileFacePics[TileFaceIndex(2, 0x48)]);

  // The top seat discards; the left seat kongs it with three tiles of its
  // own, the discard lying on the middle one.
  Play({DiscardFrame(kTop, 0x29)});
  const int discard = client.table.LastDiscardImg;
  Play({ClaimFrame(kLeft, OpMingGang, {0x29, 0x29, 0x29})});
  const SeatRec& left = Seat(1);
  EXPECT_EQ(left.HandCount, 10);
  EXPECT_EQ(left.HandStart, 7);
  EXPECT_EQ(left.Slots[2].Mark, SlotMingGang);
  const Control& middle = Img(left.Slots[3].Img);
  EXPECT_FLOAT_EQ(Img(discard).x, middle.x);
  EXPECT_FLOAT_EQ(Img(discard).y, middle.y - 18);
  EXPECT_GT(Img(discard).z, middle.z);
  EXPECT_EQ(Img(discard).picture, client.pics.TileFacePics[TileFaceIndex(1, 0x29)]);
  EXPECT_EQ(client.table.KongRecord[0][1], 1);
  EXPECT_EQ(client.table.KongRecord[1][1], 9);
  EXPECT_FALSE(client.table.DrawFromFront);
  // Its replacement comes from the back of the wall and lays no discard.
  const int back = client.table.WallBack;
  Play({DrawFrame(kLeft)});
  EXPECT_EQ(left.Slots[left.HandStart + left.HandCount - 1].Img, back);
  EXPECT_NE(Img(discard).y, client.table.Detail[2].DiscardY);
}

TEST_F(Claims, ConcealedKongsOfOthersLeaveTheirRowsRightAndEverySecondShiftsTheWall) {
  auto kong = [&](std::uint8_t seat, TileCode tile) {
    Play({DrawFrame(seat), TurnFrame(seat), ClaimFrame(seat, OpAnGang, {tile, tile, tile}), DrawFrame(seat),
          DiscardFrame(seat, 0x17)});
  };
  const int shiftPos = client.table.KongShiftPos;
  const float shiftX = Img(shiftPos).x, shiftY = Img(shiftPos).y;
  kong(kRight, 0x23);  // a wildcard
  EXPECT_TRUE(Played("v0038.wav"));
  EXPECT_FLOAT_EQ(Img(shiftPos).x, shiftX);
  const SeatRec& right = Seat(3);
  EXPECT_EQ(right.HandCount, 10);  // 14 − 4 + 1 − 1
  EXPECT_EQ(right.Slots[2].Mark, SlotAnGang);
  // Another seat's concealed kong lies face down, its fourth tile too.
  EXPECT_EQ(Img(right.Slots[3].Img).picture, client.pics.TileFacePics[LyingBackFace(3)]);
  // Its discard after the replacement draw counts as a discard.
  EXPECT_EQ(client.table.LastDiscardView, 3);

  kong(kTop, 0x16);
  EXPECT_TRUE(Played("v0003.wav"));
  EXPECT_TRUE(Img(shiftPos).x != shiftX || Img(shiftPos).y != shiftY);
  EXPECT_EQ(client.table.KongShiftPos, (shiftPos + 134) % 136);
  const int second = client.table.KongShiftPos;
  const float secondX = Img(second).x, secondY = Img(second).y;
  kong(kLeft, 0x15);
  EXPECT_FLOAT_EQ(Img(second).x, secondX);
  EXPECT_FLOAT_EQ(Img(second).y, secondY);
  EXPECT_EQ(client.table.KongDraws, 3);
  EXPECT_EQ(client.table.KongRecord[18][1], 1);
}

TEST_F(Claims, AddedKongOfAnotherSeatPutsItsDrawnTileOnThePung) {
  RightDiscards(0x47);
  Play({ClaimFrame(kTop, OpPeng, {0x47, 0x47, 0x47}), DiscardFrame(kTop, 0x29), DrawFrame(kLeft),
        DiscardFrame(kLeft, 0x29), DrawFrame(kOwn, 0x17), TurnFrame(kOwn)});
  SendDiscard(client, OwnImage(0x17));
  Play({DiscardFrame(kOwn, 0x17), DrawFrame(kRight), DiscardFrame(kRight, 0x18), DrawFrame(kTop)});
  const SeatRec& top = Seat(2);
  const int drawn = top.Slots[top.HandStart + top.HandCount - 1].Img;
  Play({ClaimFrame(kTop, OpBuGang, {0, 0, 0x47})});
  EXPECT_EQ(top.HandCount, 10);
  const Control& middle = Img(top.Slots[3].Img);
  EXPECT_FLOAT_EQ(Img(drawn).x, middle.x);
  EXPECT_FLOAT_EQ(Img(drawn).y, top.HandY - 18);
  EXPECT_EQ(Img(drawn).picture, client.pics.TileFacePics[TileFaceIndex(2, 0x47)]);
  EXPECT_EQ(client.table.KongRecord[9][2], 1);
  EXPECT_EQ(client.view.Words.picture, client.pics.WordPics[6]);
}

TEST_F(Claims, OwnPungClosesTheHandAndLaysTheMeld) {
  RightDiscards(0x41);
  Play({TurnFrame(kOwn, OpPass | OpPeng)});
  PressClaimButton(client, kPungButton);
  const int discard = client.table.LastDiscardImg;
  Play({ClaimFrame(kOwn, OpPeng, {0x41, 0x41, 0x41})});
  const SeatRec& own = Seat(0);
  EXPECT_EQ(own.HandCount, 11);
  EXPECT_EQ(own.HandStart, 7);
  EXPECT_EQ(own.MeldTop, 6);
  EXPECT_EQ(OwnHand(), (std::vector<TileCode>{0x81, 0x81, 0x81, 0x82, 0x83, 0x43, 0x44, 0x47, 0x48, 0x11, 0x12}));
  const float meldX[3] = {62, 105, 148};
  for (int k = 0; k < 3; ++k) {
    const Control& tile = Img(own.Slots[1 + k].Img);
    EXPECT_FLOAT_EQ(tile.x, meldX[k]);
    EXPECT_FLOAT_EQ(tile.h, 60);
    EXPECT_EQ(tile.picture, client.pics.TileFacePics[TileFaceIndex(0, 0x41)]);
  }
  EXPECT_EQ(own.Slots[3].Img, discard);
  EXPECT_FLOAT_EQ(Img(own.Slots[7].Img).x, 19 + 7 * 48);
  // The own claim word stands above the claim buttons.
  EXPECT_TRUE(client.view.Words.visible);
  EXPECT_LT(client.view.Words.y, client.view.Operation[0].y);
}

TEST_F(Claims, OwnExposedKongPutsTheDiscardOnTheMiddleTile) {
  RightDiscards(0x81);
  Play({TurnFrame(kOwn, OpPass | OpPeng | OpMingGang)});
  PressClaimButton(client, kKongButton);
  const int discard = client.table.LastDiscardImg;
  Play({ClaimFrame(kOwn, OpMingGang, {0x81, 0x81, 0x81})});
  const SeatRec& own = Seat(0);
  EXPECT_EQ(own.HandCount, 10);
  EXPECT_EQ(OwnHand().front(), 0x82);
  EXPECT_FLOAT_EQ(Img(discard).x, 105);
  EXPECT_FLOAT_EQ(Img(discard).y, 564 - 18);
  // The replacement draw joins the row from the back of the wall.
  const int back = client.table.WallBack;
  Play({DrawFrame(kOwn, 0x29)});
  EXPECT_EQ(own.Slots[own.HandStart + own.HandCount - 1].Img, back);
}

TEST_F(Claims, WinsRecordTheFirstWinnerAndPlayTheWinCodesVoice) {
  RightDiscards(0x41);
  platform.files["/client/../common/dorvan/v0000110100.wav"] = "RIFF";
  Play({ClaimFrame(kOwn, OpHu, {0, 0, 0}, {0x00, 0x12, 0x01, 0x00})});
  EXPECT_EQ(client.table.WinnerView, 0);
  EXPECT_TRUE(Played("v0000110100.wav"));
  EXPECT_EQ(client.view.Words.picture, client.pics.WordPics[7]);
  // Won on a discard: the tile stands after the own hand, face up.
  const SeatRec& own = Seat(0);
  const Control& last = Img(own.Slots[own.HandStart + own.HandCount - 1].Img);
  const Control& won = Img(client.table.LastDiscardImg);
  EXPECT_FLOAT_EQ(won.x, last.x + 48);
  EXPECT_FLOAT_EQ(won.y, 564);
  EXPECT_FLOAT_EQ(won.h, 78);
  EXPECT_EQ(won.picture, client.pics.TileFacePics[TileFaceIndex(0, 0x41)]);

  Play({ClaimFrame(kTop, OpHu, {0, 0, 0}, {0x01, 0x02, 0x03, 0x04})});
  EXPECT_EQ(client.table.WinnerView, 0);
  EXPECT_TRUE(Played("v0009.wav"));  // no file for that code
}

TEST_F(Claims, ResultsASeatCannotHaveMadeChangeNothing) {
  struct Case {
    const char* what;
    std::uint8_t seat;
    int type;
    std::array<TileCode, 3> tiles;
  };
  const Case cases[] = {
      {"a pung of another tile than the discard", kTop, OpPeng, {0x42, 0x42, 0x42}},
      {"a pung of mixed tiles", kTop, OpPeng, {0x47, 0x47, 0x48}},
      {"a chow that is no run", kTop, OpChi, {0x46, 0x47, 0x49}},
      {"a chow of winds", kTop, OpChi, {0x11, 0x12, 0x13}},
      {"a chow without the discard", kTop, OpChi, {0x41, 0x42, 0x43}},
      {"the discarder claiming its own discard", kRight, OpPeng, {0x47, 0x47, 0x47}},
      {"an own pung without the two copies", kOwn, OpPeng, {0x47, 0x47, 0x47}},
      {"an added kong without a pung", kTop, OpBuGang, {0, 0, 0x47}},
      {"an own concealed kong without four copies", kOwn, OpAnGang, {0x41, 0x41, 0x41}},
      {"a pass is never a result", kTop, OpPass, {0, 0, 0}},
      {"no such type", kTop, 2, {0x47, 0x47, 0x47}},
      {"no such seat", 3, OpPeng, {0x47, 0x47, 0x47}},
  };
  RightDiscards(0x47);
  for (const Case& k : cases) {
    SCOPED_TRACE(k.what);
    const std::vector<int> before = Records(client);
    const bool wordShown = client.view.Words.visible;
    Play({ClaimFrame(k.seat, k.type, k.tiles)});
    EXPECT_EQ(Records(client), before);
    EXPECT_EQ(client.view.Words.visible, wordShown);
  }
  // Once the discard is taken, a second claim on it is refused as well.
  Play({ClaimFrame(kTop, OpPeng, {0x47, 0x47, 0x47})});
  const std::vector<int> before = Records(client);
  Play({ClaimFrame(kLeft, OpPeng, {0x47, 0x47, 0x47})});
  EXPECT_EQ(Records(client), before);
  EXPECT_TRUE(Taken().empty());
}

}  // namespace
}  // namespace vask
