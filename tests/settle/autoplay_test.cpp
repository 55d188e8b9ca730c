// The time-out player: the own clock runs out and the client declines the
// offer and, when a discard is due, throws the tile in the last hand slot.
#include <gtest/gtest.h>

#include "core/client.h"
#include "core/game/operations.h"
#include "support/play_frames.h"

namespace vask {
namespace {

using test::ClaimFrame;
using test::DiscardFrame;
using test::DrawFrame;
using test::kOwn;
using test::kRight;
using test::ReadRequests;
using test::Request;
using test::TurnFrame;

const Request kPass{7, kOwn, {OpPass, 0, 0, 0}};
Request DrawnDiscard(TileCode t) { return {2, kOwn, {0, 0, 0, 0x4000 | t}}; }

class AutoPlay : public test::PlayTest {
 protected:
  void SetUp() override {
    Play(test::DealOwnTiles(test::kSampleHand));
    Taken();
  }
  // Runs the turn clock past its end: 8 seconds for a countdown of 2.
  void LetTheClockRunOut() { platform.RunTicks(20 * 10); }
  void OwnTurn(int offers = 0) { Play({TurnFrame(kOwn, offers, 2)}); }
};

TEST_F(AutoPlay, OwnTurnAfterADrawPassesThenDiscardsTheLastTile) {
  OwnTurn();
  std::vector<float> places;
  for (int i = Seat(0).HandStart; i < Seat(0).HandStart + 13; ++i) places.push_back(client.view.MJ_Image[Seat(0).Slots[i].Img].x);
  const int last = Seat(0).Slots[Seat(0).HandStart + 13].Img;
  LetTheClockRunOut();
  EXPECT_EQ(ReadRequests(Taken()), (std::vector<Request>{kPass, DrawnDiscard(0x12)}));
  EXPECT_EQ(Seat(0).HandCount, 13);
  EXPECT_EQ(client.table.PanelState, 3);
  EXPECT_EQ(client.table.TimeOuts, 1);
  // The tile waits at the centre in the river size, sent to the back; no
  // other tile moved.
  const Control& tile = client.view.MJ_Image[last];
  EXPECT_FLOAT_EQ(tile.x, (1024 - 36) / 2.0f);
  EXPECT_FLOAT_EQ(tile.h, 50);
  EXPECT_EQ(tile.picture, client.pics.TileFacePics[TileFaceIndex(0, 0x12)]);
  EXPECT_EQ(client.table.LastDiscardImg, last);
  for (int i = 0; i < 13; ++i) EXPECT_FLOAT_EQ(client.view.MJ_Image[Seat(0).Slots[Seat(0).HandStart + i].Img].x, places[i]);
  // A click comes too late now.
  SendDiscard(client, Seat(0).Slots[Seat(0).HandStart].Img);
  EXPECT_TRUE(Taken().empty());
}

TEST_F(AutoPlay, AClaimOfferRunningOutIsDeclinedOnly) {
  OwnTurn();
  SendDiscard(client, Seat(0).Slots[Seat(0).HandStart + 13].Img);
  Play({DiscardFrame(kOwn, 0x12), DrawFrame(kRight), DiscardFrame(kRight, 0x41)});
  Taken();
  OwnTurn(OpPass | OpPeng);
  LetTheClockRunOut();
  EXPECT_EQ(ReadRequests(Taken()), (std::vector<Request>{kPass}));
  EXPECT_EQ(Seat(0).HandCount, 13);
  for (const Control& b : client.view.Operation) {
    EXPECT_FALSE(b.visible);
    EXPECT_FALSE(b.enabled);
  }
}

TEST_F(AutoPlay, AfterThePlayerPassedOnlyTheDiscardGoes) {
  OwnTurn(OpPass | OpAnGang);
  PressClaimButton(client, kPassButton);
  Taken();
  LetTheClockRunOut();
  EXPECT_EQ(ReadRequests(Taken()), (std::vector<Request>{DrawnDiscard(0x12)}));
}

TEST_F(AutoPlay, AHandAfterAMeldDiscardsToo) {
  OwnTurn();
  SendDiscard(client, Seat(0).Slots[Seat(0).HandStart + 13].Img);
  Play({DiscardFrame(kOwn, 0x12), DrawFrame(kRight), DiscardFrame(kRight, 0x41), TurnFrame(kOwn, OpPass | OpPeng)});
  PressClaimButton(client, kPungButton);
  Play({ClaimFrame(kOwn, OpPeng, {0x41, 0x41, 0x41})});
  Taken();
  ASSERT_EQ(Seat(0).HandCount, 11);
  OwnTurn();
  LetTheClockRunOut();
  const TileCode last = Seat(0).Slots[Seat(0).HandStart + 10].Tile;
  EXPECT_EQ(ReadRequests(Taken()), (std::vector<Request>{kPass, DrawnDiscard(last)}));
  EXPECT_EQ(Seat(0).HandCount, 10);
}

TEST_F(AutoPlay, TooManyTimeOutsHideTheWindow) {
  client.table.TimeOutLimit = 2;
  OwnTurn();
  LetTheClockRunOut();
  EXPECT_FALSE(platform.CallMade("MinimizeMainWindow"));
  Play({DiscardFrame(kOwn, 0x12), DrawFrame(kRight), DiscardFrame(kRight, 0x41)});
  OwnTurn(OpPass | OpPeng);
  LetTheClockRunOut();
  EXPECT_TRUE(platform.CallMade("MinimizeMainWindow"));
  EXPECT_TRUE(client.table.bBossHidden);
}

}  // namespace
}  // namespace vask
