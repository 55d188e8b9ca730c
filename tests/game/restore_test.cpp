// Table restore: a client that logs in again into a running hand rebuilds
// from four per-seat messages the table a client that saw the whole hand
// holds; messages outside the protocol leave a consistent table.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>
#include <sstream>

#include "core/client.h"
#include "core/game/operations.h"
#include "core/view/layout.h"
#include "platform/fake/scripted_hand.h"
#include "support/full_hand.h"
#include "support/play_frames.h"
#include "support/table_summary.h"

namespace vask {
namespace {

using test::kLeft;
using test::kOwn;
using test::kRight;
using test::kTop;
using test::RestoreFrame;
using test::RestoreSeat;

class Restore : public test::PlayTest {};

// A client that receives only the restore frames of a cut.
struct RestoredClient {
  FakePlatform platform;
  Client client{platform};
  explicit RestoredClient(const std::vector<Frame>& restore) {
    platform.Connect();
    client.conn.bProxyDone = true;
    EnableTimer(client, TimerId::Bong, true);
    InitPictureTables(client.pics, 1.0);
    InitLayout(client);
    SeatFourPlayers(client);
    client.conn.bTableLive = true;
    PlayFrames(platform, client, restore);
  }
};

// At every cut, the restored client holds the table of the client that saw
// everything; and playing the rest of the hand, it sends the same requests
// and ends with the same table.
TEST_F(Restore, RebuildsTheTableOfTheUncutHandAtEveryCut) {
  const std::vector<test::HandStep> steps = test::FullHandSteps();
  struct Cut {
    std::size_t step;
    std::vector<std::string> table;
    std::size_t requestsBefore;
  };
  std::vector<Cut> cuts;
  for (std::size_t i = 0; i < steps.size(); ++i) {
    steps[i].run(platform, client);
    if (!steps[i].restore.empty()) cuts.push_back({i, test::TableSummary(client), Sent().size()});
  }
  const std::vector<std::string> end = test::TableSummary(client);
  const std::vector<Frame> requests = Sent();
  ASSERT_EQ(cuts.size(), 5u);

  for (const Cut& cut : cuts) {
    SCOPED_TRACE("cut after step " + std::to_string(cut.step) + " (" + steps[cut.step].what + ")");
    RestoredClient other(steps[cut.step].restore);
    test::ExpectSameTable(test::TableSummary(other.client), cut.table);
    EXPECT_FALSE(other.client.players.PlayerInfo[0].OpenHand);
    EXPECT_TRUE(other.client.view.rivers.WallOpened);
    for (std::size_t i = cut.step + 1; i < steps.size(); ++i) steps[i].run(other.platform, other.client);
    test::ExpectSameTable(test::TableSummary(other.client), end);
    for (int guard = 0; guard < 100 && other.client.conn.SendBuf.Unread() >= kFrameSize; ++guard)
      other.platform.RunTicks(1);
    EXPECT_EQ(test::ReadRequests(other.platform.SentFrames()),
              test::ReadRequests({requests.begin() + static_cast<std::ptrdiff_t>(cut.requestsBefore), requests.end()}));
  }
}

// A restore alone, after the table reset and the hand start.
class RestoreMessages : public test::PlayTest {
 protected:
  void SetUp() override {
    Play({test::ServerFrame(41, kOwn, {7, 7, 1, 0x46}), test::HandStartFrame(kOwn, {1, 1, 1, 1}),
          test::WildcardsFrame(3, 3, {0x23, 0x45, 0x46})});
    // Own dealer, dice 1 1 1 1: the wall breaks at 110, the back at 108;
    // the indicator lies at 98.
    ASSERT_EQ(client.table.WallFront, 110);
    ASSERT_EQ(client.table.WallBack, 108);
  }
  void RestoreAll(const std::array<RestoreSeat, 4>& seats, int frontUsed, int backRemaining) {
    std::vector<Frame> frames;
    for (int s = 0; s < 4; ++s)
      frames.push_back(RestoreFrame(static_cast<std::uint8_t>(1 << s), seats[s], frontUsed, backRemaining));
    Play(frames);
  }
  const Control& Img(int p) const { return client.view.MJ_Image[p]; }
};

TEST_F(RestoreMessages, TheBackOfTheWallAfterItsReplacementDraws) {
  struct Case {
    int backRemaining;
    int wallBack;
    std::vector<int> shown, hidden;
  };
  const Case cases[] = {
      {135, 108, {108, 109}, {}},
      {134, 109, {109, 107}, {108}},
      {133, 106, {106, 107}, {108, 109}},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.backRemaining);
    SetUp();
    // Front 60 of 110: the rest of the wall runs from 34.
    RestoreAll({}, 60, k.backRemaining);
    EXPECT_EQ(client.table.WallBack, k.wallBack);
    EXPECT_EQ(client.table.WallFront, 34);
    for (int p : k.shown) EXPECT_TRUE(Img(p).visible) << p;
    for (int p : k.hidden) EXPECT_FALSE(Img(p).visible) << p;
    EXPECT_FALSE(Img(33).visible);
    EXPECT_TRUE(Img(34).visible);
    // The indicator keeps its face.
    const int ind = client.table.IndicatorPos;
    EXPECT_EQ(Img(ind).picture, client.pics.TileFacePics[TileFaceIndex(ind / 34, 0x46)]);
  }
}

TEST_F(RestoreMessages, ShownTilesBecomeMeldsAsinPlayAndTheRedDragonGoesAside) {
  RestoreSeat top;
  top.shown = {0x15, 0x47, 0x47, 0x47, 0x81, 0x81, 0x81, 0x81, 0x42, 0x43, 0x44};
  top.concealed = std::vector<TileCode>(3, NoTile);
  RestoreSeat own;
  own.concealed = {0x12, 0x29, 0x11, 0x41, 0x41};
  RestoreAll({own, {}, top, {}}, 60, 135);
  const SeatRec& s = Seat(2);
  EXPECT_EQ(s.RedAside, 1);
  // The own five tiles took images 110..114; the top seat's red dragon the
  // next one.
  EXPECT_EQ(client.table.AsideImg[0][2], 115);
  EXPECT_EQ(s.MeldTop, 13);
  EXPECT_EQ(s.HandStart, 13);
  EXPECT_EQ(s.HandCount, 3);
  const TileCode tiles[9] = {0x47, 0x47, 0x47, 0x81, 0x81, 0x81, 0x42, 0x43, 0x44};
  for (int i = 0; i < 9; ++i) {
    EXPECT_EQ(s.Slots[2 + i].Tile, tiles[i]) << i;
    EXPECT_EQ(s.Slots[2 + i].Mark, i < 6 ? SlotPeng : SlotChi) << i;
    EXPECT_FLOAT_EQ(Img(s.Slots[2 + i].Img).x, s.HandX - (2 + i) * 34.0f) << i;
  }
  // The fourth dot 1 lies on the middle one.
  const int kongTop = 115 + 1 + 3 + 3;
  EXPECT_FLOAT_EQ(Img(kongTop).x, Img(s.Slots[6].Img).x);
  EXPECT_FLOAT_EQ(Img(kongTop).y, s.HandY - 18);
  EXPECT_EQ(client.table.KongDraws, 1);
  // The own tiles face up and sorted, the last one set apart as drawn.
  EXPECT_EQ(OwnHand(), (std::vector<TileCode>{0x41, 0x29, 0x11, 0x12, 0x41}));
  const SeatRec& me = Seat(0);
  const Control& first = Img(me.Slots[4].Img);
  EXPECT_EQ(first.picture, client.pics.TileFacePics[TileFaceIndex(kOwnHandFaceSet, 0x41)]);
  EXPECT_FLOAT_EQ(Img(me.Slots[8].Img).x, 19 + 8 * 48 + 24);
}

TEST_F(RestoreMessages, RiversComeFaceDownFromTheUsedWall) {
  std::array<RestoreSeat, 4> seats;
  seats[0].river = 9;
  seats[1].river = 2;
  RestoreAll(seats, 20, 135);
  // Nine own river tiles: the ninth starts the second row.
  const SeatRec& own = Seat(0);
  EXPECT_EQ(own.DiscardX, 358 + 36);
  EXPECT_EQ(own.DiscardY, 438 - 50 + 18);
  int faceDown = 0;
  for (int i = 0; i < 20; ++i) {
    const Control& img = Img((110 + i) % 136);
    if (img.visible && img.picture == client.pics.TileFacePics[LyingBackFace(0)]) ++faceDown;
  }
  EXPECT_EQ(faceDown, 9);
  EXPECT_EQ(client.table.LastDiscardImg, -1);
  // The next draw takes the first tile of the rest of the wall.
  Play({test::DrawFrame(kRight)});
  EXPECT_EQ(Seat(3).Slots[Seat(3).HandStart + Seat(3).HandCount - 1].Img, 130);
  EXPECT_EQ(own.DiscardX, 358 + 36);  // nothing laid again
}

TEST_F(RestoreMessages, ThreeMessagesLeaveTheRestUnshown) {
  Play({RestoreFrame(kOwn, {0, {}, {0x11}}, 10, 135), RestoreFrame(kRight, {}, 10, 135),
        RestoreFrame(kTop, {}, 10, 135)});
  EXPECT_EQ(client.table.restore.Received, 3);
  EXPECT_FALSE(client.view.rivers.WallOpened);
  EXPECT_EQ(client.table.WallFront, 110);
}

TEST_F(RestoreMessages, MessagesOutsideTheProtocolStayInsideTheRecord) {
  // Every seat claims 24 shown tiles and the wall says nothing was drawn.
  RestoreSeat greedy;
  for (int i = 0; i < 24; ++i) greedy.shown.push_back(static_cast<TileCode>(0x81 + i % 9));
  RestoreAll({greedy, greedy, greedy, greedy}, 0, 135);
  for (int v = 0; v < 4; ++v) {
    EXPECT_LE(Seat(v).HandStart + Seat(v).HandCount, kSlotsPerSeat);
    EXPECT_EQ(Seat(v).MeldTop, v == 0 ? 3 : 4);
  }
  // Enough wall, too many tiles: the record fills up and no further.
  SetUp();
  RestoreSeat many;
  for (int i = 0; i < 24; ++i) many.shown.push_back(static_cast<TileCode>(0x41 + i % 3));
  for (int i = 0; i < 14; ++i) many.concealed.push_back(0x29);
  Play({RestoreFrame(kOwn, many, 100, 135), RestoreFrame(kRight, many, 100, 135), RestoreFrame(kTop, many, 100, 135),
        RestoreFrame(kLeft, many, 100, 135)});
  std::set<int> images;
  for (int v = 0; v < 4; ++v) {
    const SeatRec& s = Seat(v);
    ASSERT_LE(s.HandStart + s.HandCount, kSlotsPerSeat);
    for (int i = s.HandStart; i < s.HandStart + s.HandCount; ++i) EXPECT_TRUE(images.insert(s.Slots[i].Img).second);
  }
  // Garbage pair kinds and tiles that name no tile are skipped.
  SetUp();
  Frame f = RestoreFrame(kOwn, {}, 10, 135);
  test::PutBytes(f, 16, {0x30, 0x41, 0x20, 0x00, 0x20, 0xFF, 0x00, 0x41});
  Play({f});
  EXPECT_EQ(Seat(0).MeldTop, 3);
  EXPECT_EQ(Seat(0).HandCount, 0);
}

}  // namespace
}  // namespace vask
