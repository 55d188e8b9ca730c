// A scripted hand through the fake platform: deal, wildcards, turns and
// discards of all four seats, checked on the view model at both scales;
// and frames the table cannot use.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "core/client.h"
#include "core/game/deal.h"
#include "core/game/seats.h"
#include "core/handlers.h"
#include "core/view/input.h"
#include "core/view/layout.h"
#include "core/view/reset.h"
#include "platform/fake/fake_platform.h"
#include "platform/fake/scripted_hand.h"
#include "support/client_fixture.h"

namespace vask {
namespace {

using test::PutBytes;
using test::ServerFrame;

// Every image sits in at most one slot and shows; every slot index is
// inside the record, every image number inside the set, every own tile a
// real tile.
void ExpectConsistentTable(const Client& client) {
  std::set<int> used;
  for (int v = 0; v < 4; ++v) {
    const SeatRec& s = client.table.Detail[v];
    ASSERT_GE(s.HandCount, 0);
    ASSERT_LE(s.HandStart + s.HandCount, kSlotsPerSeat);
    for (int i = s.HandStart; i < s.HandStart + s.HandCount; ++i) {
      const int img = s.Slots[i].Img;
      ASSERT_TRUE(img >= 0 && img < kTilesInSet);
      EXPECT_TRUE(used.insert(img).second) << "image " << img << " in two slots";
      EXPECT_TRUE(client.view.MJ_Image[img].visible);
      if (v == 0) {
        EXPECT_TRUE(IsValidTile(s.Slots[i].Tile));
      }
    }
  }
  EXPECT_TRUE(client.table.WallFront >= 0 && client.table.WallFront < kTilesInSet);
  EXPECT_TRUE(client.table.IndicatorPos >= 0 && client.table.IndicatorPos < kTilesInSet);
}

class HandFlow : public test::ClientTest, public ::testing::WithParamInterface<ScreenSize> {
 protected:
  void SetUp() override {
    platform.screen = GetParam();
    InitPictureTables(client.pics, ChooseLayoutScale(platform.screen));
    InitLayout(client);
    SeatFourPlayers(client);
  }
  float S(float k) const { return k * client.view.LayoutScale; }
  int Face(int entry) const { return client.pics.TileFacePics[entry]; }
  const Control& Img(int image) const { return client.view.MJ_Image[image]; }
  const SeatRec& Seat(int view) const { return client.table.Detail[view]; }

};

TEST_P(HandFlow, DealShowsTheOwnHandSortedAndTheOthersStanding) {
  PlayFrames(platform, client, ScriptedDealFrames());
  const TableState& t = client.table;
  // Dealer at view 0, dice 3 4 2 5: side (13 − 7) mod 4 = 2.
  EXPECT_EQ(t.WallFront, (2 * (17 * 2 + 14) + 53) % 136);
  EXPECT_EQ(t.IncrementalRedraw, 1);
  EXPECT_EQ(Seat(0).HandCount, 14);
  for (int v = 1; v < 4; ++v) EXPECT_EQ(Seat(v).HandCount, 13);
  // Wildcards 0x23, 0x45, 0x46 on the panel in the large set.
  EXPECT_EQ(t.HunTiles, (HunList{0x23, 0x45, 0x46, 0}));
  EXPECT_TRUE(client.view.VaskP_Image.visible);
  EXPECT_EQ(client.view.VaskP_Image.picture, Face(TileFaceIndex(kOwnHandFaceSet, 0x23)));
  EXPECT_EQ(client.view.Vask_Image[1].picture, Face(TileFaceIndex(kOwnHandFaceSet, 0x46)));
  // The indicator lies face up in the wall with its side's face set.
  const int ind = t.IndicatorPos;
  EXPECT_EQ(Img(ind).picture, Face(TileFaceIndex(ind / 34, 0x45)));

  const SeatRec& own = Seat(0);
  // Sorted: wildcards first, then dots, characters, bamboo, honours.
  int lastSuit = 99, wild = 0;
  for (int i = own.HandStart; i < own.HandStart + own.HandCount; ++i) {
    const TileCode code = own.Slots[i].Tile;
    const Control& tile = Img(own.Slots[i].Img);
    EXPECT_EQ(tile.picture, Face(TileFaceIndex(kOwnHandFaceSet, code)));
    EXPECT_FLOAT_EQ(tile.x, own.HandX + i * client.view.TileW[0]);
    EXPECT_FLOAT_EQ(tile.y, own.HandY);
    EXPECT_EQ(tile.w, Round16(S(48)));
    EXPECT_EQ(tile.h, Round16(S(78)));
    if (IsHun(t.HunTiles, code)) {
      EXPECT_EQ(i - own.HandStart, wild++) << "wildcards stand at the left";
      continue;
    }
    EXPECT_LE(TileSuit(code), lastSuit);
    lastSuit = TileSuit(code);
  }
  for (int v = 1; v < 4; ++v) {
    const SeatRec& s = Seat(v);
    for (int i = s.HandStart; i < s.HandStart + s.HandCount; ++i)
      EXPECT_EQ(Img(s.Slots[i].Img).picture, Face(StandingBackFace(v)));
  }
  // Left seat: slot 4 stands 20 left of and 70 below slot 0 at scale 1.
  const SeatRec& left = Seat(1);
  const Control& s4 = Img(left.Slots[4].Img);
  const Control& s8 = Img(left.Slots[8].Img);
  EXPECT_NEAR(s4.x - s8.x, S(20), 1e-3);
  EXPECT_NEAR(s8.y - s4.y, 4 * client.view.TileW[1] / 2.0f, 1e-3);
  ExpectConsistentTable(client);
  // The wall still shows lying backs where nothing was drawn.
  EXPECT_TRUE(Img((t.WallFront + 5) % 136).visible);
}

TEST_P(HandFlow, DiscardsOfAllFourSeatsLieInTheirRivers) {
  PlayScriptedHand(platform, client, 3);
  const TableState& t = client.table;
  const ViewModel& v = client.view;
  ExpectConsistentTable(client);
  // Three laid per seat except the last discard (left seat), laid when the
  // own draw arrived, so all twelve are in rivers.
  const SeatOrigin& o0 = kSeatOrigins[0];
  // The own river advanced three tile widths of 36.
  EXPECT_EQ(Seat(0).DiscardX, Round16(S(o0.discardX)) + 3 * Round16(S(36)));
  EXPECT_EQ(Seat(0).DiscardY, Round16(S(o0.discardY)));
  // Right river: three steps up of 35 − 17.
  EXPECT_EQ(Seat(3).DiscardX, Round16(S(758)) - 15);
  EXPECT_EQ(v.rivers.RightRiverCount, 3);
  // Top river runs leftwards.
  EXPECT_EQ(Seat(2).DiscardX, Round16(S(635)) - 3 * Round16(S(30)));
  // The right river's tiles: lying faces of set 3, the wall-and-discard size.
  for (int k = 0; k < 3; ++k) {
    const Control& tile = Img(v.rivers.RightRiverImgs[k]);
    EXPECT_EQ(tile.w, Round16(S(48)));
    EXPECT_EQ(tile.h, Round16(S(35)));
    EXPECT_GE(tile.picture, Face(36 * 3));
    EXPECT_LE(tile.picture, Face(36 * 3 + 35));
  }
  // The lower tile of the right river covers the one above it.
  EXPECT_GT(Img(v.rivers.RightRiverImgs[0]).z, Img(v.rivers.RightRiverImgs[1]).z);
  EXPECT_EQ(Seat(0).HandCount, 14);
  for (int view = 1; view < 4; ++view) EXPECT_EQ(Seat(view).HandCount, 13);
  EXPECT_EQ(t.LastDiscardView, 1);
}

TEST_P(HandFlow, AnOwnDiscardWaitsForTheRightSeatsDraw) {
  PlayFrames(platform, client, ScriptedDealFrames());
  SeatRec& own = client.table.Detail[0];
  const int image = own.Slots[own.HandStart + 13].Img;
  const float handWidth = Img(image).w;
  DiscardOwnTile(client, own.HandStart + 13);
  const Control& tile = Img(image);
  // Centred with the hand size it had, then given the river size.
  EXPECT_FLOAT_EQ(tile.x, (S(1024) - handWidth) / 2);
  EXPECT_EQ(tile.w, Round16(S(36)));
  // A delivery to the top seat leaves it at the centre.
  AddTiles(client, MaskOfView(1, 2), 1, {0, 0, 0, 0});
  EXPECT_FLOAT_EQ(tile.x, (S(1024) - handWidth) / 2);
  AddTiles(client, MaskOfView(1, 3), 1, {0, 0, 0, 0});
  EXPECT_FLOAT_EQ(tile.x, Round16(S(358)));
  EXPECT_FLOAT_EQ(tile.y, Round16(S(438)));
  // A second delivery does not lay the same tile again.
  const std::int16_t cursor = own.DiscardX;
  AddTiles(client, MaskOfView(1, 3), 1, {0, 0, 0, 0});
  EXPECT_EQ(own.DiscardX, cursor);
}

INSTANTIATE_TEST_SUITE_P(Scales, HandFlow, ::testing::Values(ScreenSize{1024, 768}, ScreenSize{800, 600}));

class TurnClock : public test::ClientTest {
 protected:
  void SetUp() override {
    InitPictureTables(client.pics, 1.0);
    InitLayout(client);
    SeatFourPlayers(client);
    client.conn.bTableLive = true;
  }
  Frame Turn(std::uint8_t seat, int seconds, int offer = 0) {
    Frame f = ServerFrame(6, seat, {offer, 0, 0, 0});
    f[100] = static_cast<std::uint8_t>(seconds);
    return f;
  }
};

TEST_F(TurnClock, OwnTurnOffersButtonsAndCountsDownInRedAtTheEnd) {
  Receive({Turn(1, 2, 0x88)});
  platform.RunTicks(3);
  const TableState& t = client.table;
  EXPECT_EQ(t.Countdown, 8);
  EXPECT_EQ(t.OpOffer, (std::array<std::int16_t, 5>{0, 2, 0, 2, 0}));
  EXPECT_TRUE(client.view.Operation[1].enabled);
  EXPECT_FALSE(client.view.Operation[0].enabled);
  EXPECT_TRUE(client.view.Operation[0].visible);
  EXPECT_EQ(client.view.Operation[3].picture, client.pics.OperationPics[10]);
  EXPECT_TRUE(client.view.Number.visible);
  EXPECT_EQ(client.view.Number.foreColor, kGreen);
  platform.RunTicks(20 * 3);
  EXPECT_EQ(t.Countdown, 5);
  EXPECT_EQ(client.view.Number.text, "5");
  EXPECT_EQ(client.view.Number.foreColor, kRed);
  EXPECT_TRUE(platform.CallMade("SoundPlay(/client/../common/music/tishi.wav"));
  platform.RunTicks(20 * 6);
  EXPECT_EQ(t.PanelState, 3);
  EXPECT_EQ(t.TimeOuts, 1);
  EXPECT_FALSE(client.view.Time_Img.visible);
}

// The chow button is a picture like the others: grey, coloured when offered,
// grey again once the offer is answered. The claim words keep entry 0 empty.
TEST_F(TurnClock, AnOfferedChowLightsItsButtonLikeEveryOtherClaim) {
  ASSERT_EQ(client.view.Operation[0].picture, 141);
  Receive({Turn(1, 10, 4 | 1)});
  platform.RunTicks(3);
  EXPECT_TRUE(client.view.Operation[0].visible);
  EXPECT_TRUE(client.view.Operation[0].enabled);
  EXPECT_EQ(client.view.Operation[0].picture, 142);
  EXPECT_EQ(client.view.Operation[4].picture, client.pics.OperationPics[13]);
  MainForm_Operation_Click(client, ControlInput{.index = 4});
  EXPECT_EQ(client.view.Operation[0].picture, 141);
  EXPECT_FALSE(client.view.Operation[0].enabled);
  EXPECT_EQ(client.pics.WordPics[0], kNoPictureId);
  EXPECT_FALSE(PutPicture(client, kNoPictureId, client.view.Words));
}

TEST_F(TurnClock, AnotherSeatsClockStandsBesideItAndHidesAtZero) {
  Receive({Turn(4, 2)});
  platform.RunTicks(3);
  EXPECT_EQ(client.table.Countdown, 2);
  EXPECT_FLOAT_EQ(client.view.Time_Img.x, client.view.Tou[2].x - 20);
  EXPECT_FLOAT_EQ(client.view.Number.x, client.view.Time_Img.x + 48);
  platform.RunTicks(20 * 3 + 1);
  EXPECT_FALSE(client.view.Time_Img.visible);
  EXPECT_FALSE(client.conn.bClock);
  EXPECT_EQ(client.table.Countdown, client.table.TurnLimit);
}

// Frames the table cannot use: nothing breaks, nothing is indexed outside
// its array, the table stays consistent.
struct BadCase {
  const char* name;
  std::vector<Frame> frames;
};

Frame Deal(int count, std::initializer_list<int> codes) {
  Frame f = ServerFrame(1, 0, {0, count, 0, 0});
  std::size_t at = frame_offset::kPayload;
  for (int code : codes) {
    PutBytes(f, at, {code & 0xFF, code >> 8});
    at += 2;
  }
  return f;
}

std::vector<BadCase> BadCases() {
  std::vector<BadCase> out;
  out.push_back({"deal count not a multiple of four", {Deal(5, {0x11, 0x12, 0x13, 0x14, 0x15})}});
  out.push_back({"deal count beyond twelve", {Deal(16, {0x11, 0x12, 0x13, 0x14})}});
  out.push_back({"deal count negative", {Deal(-4, {0x11, 0x12, 0x13, 0x14})}});
  out.push_back({"deal with no tile", {Deal(4, {0x11, 0x00, 0x13, 0x14})}});
  out.push_back({"deal with impossible tiles", {Deal(4, {0x1A, 0x30, 0x2F, 0xFF})}});
  std::vector<Frame> many;
  for (int i = 0; i < 10; ++i) many.push_back(Deal(12, {0x11, 0x12, 0x13, 0x14, 0x21, 0x22, 0x23, 0x24, 0x41, 0x42, 0x43, 0x44}));
  out.push_back({"more deal batches than a hand holds", many});
  std::vector<Frame> draws;
  for (int i = 0; i < 200; ++i) draws.push_back(ServerFrame(5, static_cast<std::uint8_t>(1 << (i % 4)), {0, 0, 0, 0x21}));
  out.push_back({"more draws than a hand holds", draws});
  std::vector<Frame> wallOut;
  for (int i = 0; i < 120; ++i) {
    wallOut.push_back(ServerFrame(5, 8, {0, 0, 0, 0}));
    wallOut.push_back(ServerFrame(2, 8, {0, i % 2, 0, 0x21 + i % 9}));
  }
  out.push_back({"more draws than the wall has", wallOut});
  std::vector<Frame> discards;
  for (int i = 0; i < 30; ++i) discards.push_back(ServerFrame(2, 4, {0, i % 2, 0, 0x21}));
  out.push_back({"discards of tiles a seat does not hold", discards});
  out.push_back({"discard of no tile", {ServerFrame(2, 2, {0, 1, 0, 0x00}), ServerFrame(2, 1, {0, 0, 0, 0x9A})}});
  out.push_back({"frames for impossible seats", {ServerFrame(5, 3, {0, 0, 0, 0x21}), ServerFrame(2, 0x10, {0, 0, 0, 0x21}),
                                                  ServerFrame(6, 0, {0xFF, 0, 0, 0}), ServerFrame(15, 0x30, {0, 0x21, 0x22, 0x23})}});
  out.push_back({"wildcards with impossible dice and tiles", {ServerFrame(14, 0, {0x7F7F, 0x00, 0xFF, 0x9A})}});
  std::vector<Frame> reveals;
  for (int i = 0; i < 12; ++i) reveals.push_back(ServerFrame(15, static_cast<std::uint8_t>(2 << (i % 3)), {0, 0x21, 0x00, 0x99}));
  out.push_back({"reveals beyond the hand", reveals});
  return out;
}

class BadInput : public test::ClientTest, public ::testing::WithParamInterface<int> {};

TEST_P(BadInput, TableStaysConsistent) {
  InitPictureTables(client.pics, 1.0);
  InitLayout(client);
  SeatFourPlayers(client);
  const BadCase bad = BadCases()[GetParam()];
  SCOPED_TRACE(bad.name);
  // Half way into a real hand, then the bad frames.
  std::vector<Frame> deal = ScriptedDealFrames();
  PlayFrames(platform, client, {deal.begin(), deal.begin() + 3});
  PlayFrames(platform, client, bad.frames);
  PlayFrames(platform, client, {deal.begin() + 3, deal.end()});
  EXPECT_FALSE(platform.quit);
  ExpectConsistentTable(client);
  for (TileCode h : client.table.HunTiles) EXPECT_TRUE(h == NoTile || IsValidTile(h));
}

INSTANTIATE_TEST_SUITE_P(Frames, BadInput, ::testing::Range(0, static_cast<int>(BadCases().size())));

TEST_F(TurnClock, DrawsStopWhenTheWallIsUsedUp) {
  PlayFrames(platform, client, ScriptedDealFrames());
  std::vector<Frame> frames;
  for (int i = 0; i < 100; ++i) {
    frames.push_back(ServerFrame(5, 8, {0, 0, 0, 0}));
    frames.push_back(ServerFrame(2, 8, {0, 0, 0, 0x21 + i % 9}));
  }
  PlayFrames(platform, client, frames);
  const TableState& t = client.table;
  EXPECT_EQ(std::count(t.WallTaken.begin(), t.WallTaken.end(), true), 136);
  // 53 tiles dealt, so 83 draws were possible; the left seat laid all but
  // the last of its 83 discards, every one on an image of its own.
  EXPECT_EQ(t.Detail[1].HandCount, 13);
  std::set<std::int16_t> river;
  for (int image = 0; image < 136; ++image) {
    const Control& tile = client.view.MJ_Image[image];
    if (tile.visible && tile.w == client.view.TileW[1] && tile.h == 35) river.insert(static_cast<std::int16_t>(image));
  }
  EXPECT_GE(river.size(), 82u);
  ExpectConsistentTable(client);
}

TEST_F(TurnClock, HandStartWithAnUnknownDealerEndsTheClient) {
  Receive({ServerFrame(4, 0x40, {1, 1, 1, 1})});
  platform.RunTicks(3);
  EXPECT_TRUE(platform.CallMade("MessageBox(警告,有玩家退出，游戏结束！)"));
  EXPECT_TRUE(platform.quit);
}

TEST(WallBreak, DiceFixTheFrontAndTheBack) {
  FakePlatform platform;
  Client client(platform);
  InitPictureTables(client.pics, 1.0);
  InitLayout(client);
  SeatFourPlayers(client);
  struct Case {
    std::uint8_t dealer;
    int d[4];
    int front, back;
  };
  // Dealer view 0 with 1,1,1,1: 110/108; dealer view 2 with 6,6,3,4: 4/2.
  for (const Case& k : {Case{1, {1, 1, 1, 1}, 110, 108}, Case{MaskOfView(1, 2), {6, 6, 3, 4}, 4, 2}}) {
    MsgInfo info;
    info.seat = k.dealer;
    info.value = {static_cast<std::int16_t>(k.d[0]), static_cast<std::int16_t>(k.d[1]),
                  static_cast<std::int16_t>(k.d[2]), static_cast<std::int16_t>(k.d[3])};
    OnHandStart(client, info);
    EXPECT_EQ(client.table.WallFront, k.front);
    EXPECT_EQ(client.table.WallBack, k.back);
  }
  // Then wildcards with dice 6 and 6: indicator 116, kong shift 115.
  MsgInfo hun;
  hun.value = {static_cast<std::int16_t>((6 << 8) | 6), 0x45, 0x23, 0x89};
  OnWildcards(client, hun);
  EXPECT_EQ(client.table.IndicatorPos, 116);
  EXPECT_EQ(client.table.KongShiftPos, 115);
  EXPECT_EQ(client.table.HunTiles, (HunList{0x23, 0x45, 0x89, 0}));
  hun.value[3] = 0x13;
  OnWildcards(client, hun);
  EXPECT_EQ(client.table.HunTiles, (HunList{0x11, 0x12, 0x13, 0x14}));
  EXPECT_TRUE(client.view.imgZeph.visible);
}

}  // namespace
}  // namespace vask
