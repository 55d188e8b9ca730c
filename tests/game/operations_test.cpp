// The own player's requests: discards, passes, claims and their picks, with
// the guards that keep a request from going out twice or at the wrong time.
#include <gtest/gtest.h>

#include "core/client.h"
#include "core/game/choices.h"
#include "core/game/operations.h"
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
using test::ReadRequests;
using test::Request;
using test::TurnFrame;

Request Pass() { return {7, kOwn, {1, 0, 0, 0}}; }
Request Discard(TileCode t, bool fromHand) { return {2, kOwn, {0, fromHand ? 1 : 0, 0, 0x4000 | t}}; }
Request Claim(int type, TileCode a, TileCode b, TileCode d) {
  return {7, kOwn, {type, 0x2000 | a, 0x2000 | b, 0x2000 | d}};
}

class Operations : public test::PlayTest {
 protected:
  void SetUp() override {
    Play(test::DealOwnTiles(test::kSampleHand));
    Play({TurnFrame(kOwn)});
    Taken();
  }
  // The own discard went out and the server reported it; the right seat
  // draws and discards `tile`; the own seat is offered `offers` on it.
  void OfferOnDiscard(TileCode mine, TileCode tile, int offers) {
    SendDiscard(client, OwnImage(mine));
    Play({DiscardFrame(kOwn, mine), DrawFrame(kRight), TurnFrame(kRight), DiscardFrame(kRight, tile),
          TurnFrame(kOwn, offers)});
    Taken();
  }
};

TEST_F(Operations, DiscardSendsPassThenTheTileOnce) {
  const int image = OwnImage(0x29);
  SendDiscard(client, image);
  SendDiscard(client, image);  // a double click
  SendDiscard(client, OwnImage(0x12));
  EXPECT_EQ(ReadRequests(Taken()), (std::vector<Request>{Pass(), Discard(0x29, true)}));
  EXPECT_EQ(Seat(0).HandCount, 13);
  EXPECT_EQ(client.table.LastDiscardImg, image);
  EXPECT_EQ(client.table.PanelState, 2);
  EXPECT_FALSE(client.conn.bClock);
  EXPECT_FALSE(client.view.Number.visible);
  // The tile waits at the table centre in the river size, the hand closed up.
  const Control& tile = client.view.MJ_Image[image];
  EXPECT_FLOAT_EQ(tile.x, (1024 - 48) / 2.0f);  // centred with the hand size
  EXPECT_FLOAT_EQ(tile.w, 36);
  EXPECT_EQ(OwnHand(), (std::vector<TileCode>{0x81, 0x81, 0x81, 0x82, 0x83, 0x41, 0x41, 0x43, 0x44, 0x47, 0x48, 0x11, 0x12}));
}

TEST_F(Operations, DiscardOfTheDrawnTileSaysSo) {
  SendDiscard(client, OwnImage(0x12));  // the last hand slot
  EXPECT_EQ(ReadRequests(Taken()), (std::vector<Request>{Pass(), Discard(0x12, false)}));
}

TEST_F(Operations, ADiscardTheServerReportsButTheClientDidNotLayLeavesTheHand) {
  // A discard queued just before the line dropped reaches the server after
  // the re-login: the restored hand still holds the tile when the server
  // reports it.
  Play({DiscardFrame(kOwn, 0x29, true)});
  EXPECT_EQ(Seat(0).HandCount, 13);
  EXPECT_FALSE(client.table.MustDiscard);
  EXPECT_EQ(OwnHand(), (std::vector<TileCode>{0x81, 0x81, 0x81, 0x82, 0x83, 0x41, 0x41, 0x43, 0x44, 0x47, 0x48, 0x11, 0x12}));
  const int image = client.table.LastDiscardImg;
  ASSERT_GE(image, 0);
  EXPECT_FLOAT_EQ(client.view.MJ_Image[image].w, 36);  // in the centre, river size
  // No second discard on this turn.
  SendDiscard(client, OwnImage(0x12));
  EXPECT_TRUE(ReadRequests(Taken()).empty());

  // The client's own discard, reported back, takes nothing more.
  Play({DrawFrame(kRight), TurnFrame(kRight), DiscardFrame(kRight, 0x19), DrawFrame(kOwn, 0x15), TurnFrame(kOwn)});
  SendDiscard(client, OwnImage(0x15));
  Play({DiscardFrame(kOwn, 0x15)});
  EXPECT_EQ(Seat(0).HandCount, 13);
  // A reported tile the hand does not hold changes nothing.
  Play({DrawFrame(kRight), TurnFrame(kRight), DiscardFrame(kRight, 0x19), DrawFrame(kOwn, 0x16), TurnFrame(kOwn)});
  Play({DiscardFrame(kOwn, 0x27)});
  EXPECT_EQ(Seat(0).HandCount, 14);
  EXPECT_TRUE(client.table.MustDiscard);
}

TEST_F(Operations, ClicksThatMayNotDiscardSendNothing) {
  struct Case {
    const char* what;
    void (*arrange)(Client&);
  };
  const Case cases[] = {
      {"waiting for a claim decision", [](Client& c) { c.table.MustDiscard = false; }},
      {"turn timed out", [](Client& c) { c.table.PanelState = 3; }},
      {"table not live", [](Client& c) { c.conn.bTableLive = false; }},
      {"watching", [](Client& c) { c.table.Spectator = true; }},
      {"a hand of 3k + 1 tiles", [](Client& c) { --c.table.Detail[0].HandCount; }},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.what);
    const TableState before = client.table;
    k.arrange(client);
    const int image = OwnImage(0x29);
    const Control tile = client.view.MJ_Image[image];
    SendDiscard(client, image);
    EXPECT_TRUE(Taken().empty());
    EXPECT_FLOAT_EQ(client.view.MJ_Image[image].x, tile.x);
    client.table = before;
    client.conn.bTableLive = true;
  }
  // Another seat's tile or a wall tile is no own tile.
  SendDiscard(client, Seat(1).Slots[Seat(1).HandStart].Img);
  SendDiscard(client, client.table.WallFront);
  EXPECT_TRUE(Taken().empty());
  EXPECT_EQ(Seat(0).HandCount, 14);
}

TEST_F(Operations, PungPressedTwiceSendsOneRequest) {
  OfferOnDiscard(0x29, 0x41, OpPass | OpPeng);
  EXPECT_TRUE(client.view.Operation[kPungButton].enabled);
  PressClaimButton(client, kPungButton);
  PressClaimButton(client, kPungButton);
  EXPECT_EQ(ReadRequests(Taken()), (std::vector<Request>{Claim(OpPeng, 0x41, 0x41, 0x41)}));
  for (const Control& b : client.view.Operation) EXPECT_FALSE(b.visible);
  const SeatRec& own = Seat(0);
  EXPECT_EQ(own.Slots[1].Mark, SlotPeng);
  EXPECT_EQ(own.Slots[3].Img, client.table.LastDiscardImg);
  EXPECT_EQ(own.HandCount, 13);  // the result closes the hand up
  EXPECT_TRUE(client.table.ActionSent);
  EXPECT_FALSE(client.conn.bClock);
}

TEST_F(Operations, PassOnAClaimOfferStopsTheClockButNotOnTheOwnTurn) {
  OfferOnDiscard(0x29, 0x41, OpPass | OpPeng);
  PressClaimButton(client, kPassButton);
  EXPECT_EQ(ReadRequests(Taken()), (std::vector<Request>{Pass()}));
  EXPECT_FALSE(client.conn.bClock);
  EXPECT_EQ(client.table.PanelState, 1);

  // The own turn after a draw, a concealed kong offered: passing it leaves
  // the clock running for the discard still due.
  Play({DrawFrame(kTop), TurnFrame(kTop), DiscardFrame(kTop, 0x27), DrawFrame(kLeft), TurnFrame(kLeft),
        DiscardFrame(kLeft, 0x27), DrawFrame(kOwn, 0x81), TurnFrame(kOwn, OpPass | OpAnGang)});
  PressClaimButton(client, kPassButton);
  EXPECT_EQ(ReadRequests(Taken()), (std::vector<Request>{Pass()}));
  EXPECT_TRUE(client.conn.bClock);
  EXPECT_TRUE(client.table.MustDiscard);
  SendDiscard(client, OwnImage(0x11));
  EXPECT_EQ(ReadRequests(Taken()), (std::vector<Request>{Discard(0x11, true)}));
}

TEST_F(Operations, ButtonsNotOfferedOrPressedTooLateDoNothing) {
  OfferOnDiscard(0x29, 0x41, OpPass | OpPeng);
  PressClaimButton(client, kKongButton);  // not offered
  PressClaimButton(client, 7);
  client.table.PanelState = 3;                    // the clock ran out
  PressClaimButton(client, kPungButton);
  EXPECT_TRUE(Taken().empty());
}

TEST_F(Operations, WinSendsTheWinRequest) {
  OfferOnDiscard(0x29, 0x41, OpPass | OpPeng | OpHu);
  PressClaimButton(client, kWinButton);
  EXPECT_EQ(ReadRequests(Taken()), (std::vector<Request>{{7, kOwn, {OpHu, 0, 0, 0}}}));
  EXPECT_FALSE(client.table.ActionSent);
}

// Chow candidates: the own hand's characters and the discard.
struct ChowCase {
  const char* what;
  std::vector<TileCode> hand;  // 13 tiles
  TileCode discard;
  std::vector<std::pair<TileCode, TileCode>> candidates;
};

class ChowChoice : public test::PlayTest, public ::testing::WithParamInterface<ChowCase> {};

TEST_P(ChowChoice, FindsTheRunsInOrder) {
  const ChowCase& k = GetParam();
  std::vector<TileCode> hand = k.hand;
  hand.push_back(0x17);
  Play(test::DealOwnTiles(hand));
  Play({TurnFrame(kOwn)});
  SendDiscard(client, OwnImage(0x17));
  // The left seat plays just before the own seat: only it may be chowed.
  Play({DiscardFrame(kOwn, 0x17), DrawFrame(kRight), DiscardFrame(kRight, 0x16), DrawFrame(kTop),
        DiscardFrame(kTop, 0x16), DrawFrame(kLeft), DiscardFrame(kLeft, k.discard), TurnFrame(kOwn, OpPass | OpChi)});
  Taken();
  PressClaimButton(client, kChowButton);
  const TableState& t = client.table;
  ASSERT_EQ(t.ChiCandidates, static_cast<int>(k.candidates.size()));
  for (std::size_t i = 0; i < k.candidates.size(); ++i) {
    EXPECT_EQ(Seat(0).Slots[t.ChiSlots[2 * i]].Tile, k.candidates[i].first) << i;
    EXPECT_EQ(Seat(0).Slots[t.ChiSlots[2 * i + 1]].Tile, k.candidates[i].second) << i;
  }
  const auto sent = ReadRequests(Taken());
  if (k.candidates.size() == 1) {
    EXPECT_EQ(sent, (std::vector<Request>{Claim(OpChi, k.candidates[0].first, k.candidates[0].second, k.discard)}));
    return;
  }
  EXPECT_TRUE(sent.empty());
  for (std::size_t i = 0; i < 6; ++i) EXPECT_EQ(client.view.Chi[i].visible, i < 2 * k.candidates.size()) << i;
  for (int b = 1; b < 5; ++b) EXPECT_FALSE(client.view.Operation[b].visible);
  // Picture 3 picks the second pair.
  PickChow(client, 3);
  PickChow(client, 3);
  EXPECT_EQ(ReadRequests(Taken()),
            (std::vector<Request>{Claim(OpChi, k.candidates[1].first, k.candidates[1].second, k.discard)}));
  for (const Control& pick : client.view.Chi) EXPECT_FALSE(pick.visible);
}

INSTANTIATE_TEST_SUITE_P(
    Hands, ChowChoice,
    ::testing::Values(
        ChowCase{"three runs around a 5",
                 {0x43, 0x44, 0x46, 0x47, 0x81, 0x82, 0x83, 0x84, 0x85, 0x86, 0x87, 0x11, 0x11},
                 0x45,
                 {{0x43, 0x44}, {0x44, 0x46}, {0x46, 0x47}}},
        ChowCase{"a 1 completes only at the bottom",
                 {0x42, 0x43, 0x44, 0x81, 0x82, 0x83, 0x84, 0x85, 0x86, 0x87, 0x11, 0x11, 0x12},
                 0x41,
                 {{0x42, 0x43}}},
        ChowCase{"a 9 completes only at the top",
                 {0x47, 0x48, 0x42, 0x81, 0x82, 0x83, 0x84, 0x85, 0x86, 0x87, 0x11, 0x11, 0x12},
                 0x49,
                 {{0x47, 0x48}}},
        ChowCase{"a 2 between two pairs takes the last copies",
                 {0x41, 0x41, 0x43, 0x43, 0x81, 0x82, 0x83, 0x84, 0x85, 0x86, 0x87, 0x11, 0x12},
                 0x42,
                 {{0x41, 0x43}}},
        ChowCase{"a wildcard sorted away from its suit still counts",
                 {0x45, 0x42, 0x43, 0x81, 0x82, 0x83, 0x84, 0x85, 0x86, 0x87, 0x11, 0x12, 0x13},
                 0x44,
                 {{0x42, 0x43}, {0x43, 0x45}}}),
    [](const auto& info) { return "case" + std::to_string(info.index); });

TEST_F(Operations, ChowThatCannotBeFormedIsDeclined) {
  SendDiscard(client, OwnImage(0x29));
  Play({DiscardFrame(kOwn, 0x29), DrawFrame(kRight), DiscardFrame(kRight, 0x16), DrawFrame(kTop),
        DiscardFrame(kTop, 0x16), DrawFrame(kLeft), DiscardFrame(kLeft, 0x26), TurnFrame(kOwn, OpPass | OpChi)});
  Taken();
  PressClaimButton(client, kChowButton);  // no bamboo to chow with
  EXPECT_EQ(ReadRequests(Taken()), (std::vector<Request>{Pass()}));
}

TEST_F(Operations, ExposedKongWithOneCandidateGoesAtOnce) {
  OfferOnDiscard(0x29, 0x81, OpPass | OpPeng | OpMingGang);
  EXPECT_EQ(client.table.KongOffer, OpPass | OpPeng | OpMingGang);
  PressClaimButton(client, kKongButton);
  EXPECT_EQ(ReadRequests(Taken()), (std::vector<Request>{Claim(OpMingGang, 0x81, 0x81, 0x81)}));
  EXPECT_EQ(Seat(0).Slots[1].Mark, SlotMingGang);
  EXPECT_TRUE(platform.CallMade("SoundPlay(/client/../common/dorvan/v0003.wav"));
}

TEST_F(Operations, SeveralKongsArePickedFromPictures) {
  // A pung of characters 1, the fourth dot 1 drawn, then the fourth
  // character 1: an added and a concealed kong on offer.
  OfferOnDiscard(0x29, 0x41, OpPass | OpPeng);
  PressClaimButton(client, kPungButton);
  Play({ClaimFrame(kOwn, OpPeng, {0x41, 0x41, 0x41}), TurnFrame(kOwn)});
  auto round = [&](TileCode mine, TileCode drawn, int offers) {
    SendDiscard(client, OwnImage(mine));
    Play({DiscardFrame(kOwn, mine), DrawFrame(kRight), DiscardFrame(kRight, 0x16), DrawFrame(kTop),
          DiscardFrame(kTop, 0x16), DrawFrame(kLeft), DiscardFrame(kLeft, 0x16), DrawFrame(kOwn, drawn),
          TurnFrame(kOwn, offers)});
  };
  round(0x11, 0x81, OpPass | OpAnGang);
  round(0x12, 0x41, OpPass | OpAnGang | OpBuGang);
  Taken();
  PressClaimButton(client, kKongButton);
  ASSERT_EQ(client.table.KongCandidates, 2);
  EXPECT_EQ(client.table.KongKinds[0], OpBuGang);
  EXPECT_EQ(client.table.KongKinds[1], OpAnGang);
  EXPECT_TRUE(client.view.Gang[0].visible);
  EXPECT_TRUE(client.view.Gang[1].visible);
  EXPECT_FALSE(client.view.Gang[2].visible);
  EXPECT_LT(client.view.Gang[1].y, client.view.Gang[0].y);  // stacked upwards
  EXPECT_TRUE(Taken().empty());
  PickKong(client, 1);
  PickKong(client, 0);  // the pictures are gone
  EXPECT_EQ(ReadRequests(Taken()), (std::vector<Request>{Claim(OpAnGang, 0x81, 0x81, 0x81)}));
}

TEST_F(Operations, AddedKongRequestCarriesTheTileOnce) {
  OfferOnDiscard(0x29, 0x41, OpPass | OpPeng);
  PressClaimButton(client, kPungButton);
  Play({ClaimFrame(kOwn, OpPeng, {0x41, 0x41, 0x41}), TurnFrame(kOwn)});
  SendDiscard(client, OwnImage(0x11));
  Play({DiscardFrame(kOwn, 0x11), DrawFrame(kRight), DiscardFrame(kRight, 0x16), DrawFrame(kTop),
        DiscardFrame(kTop, 0x16), DrawFrame(kLeft), DiscardFrame(kLeft, 0x16), DrawFrame(kOwn, 0x41),
        TurnFrame(kOwn, OpPass | OpBuGang)});
  Taken();
  PressClaimButton(client, kKongButton);
  EXPECT_EQ(ReadRequests(Taken()), (std::vector<Request>{{7, kOwn, {OpBuGang, 0, 0, 0x2041}}}));
}

}  // namespace
}  // namespace vask
