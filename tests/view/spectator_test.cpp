// A watching client's table: every claim and kong kind at every view laid
// as the watched player's own table lays it, the discard that already lies
// in its river taken back out, the discard zoom once a restore opened the
// wall, a claim that cannot be drawn ending the watch, and nothing sent.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "core/client.h"
#include "core/game/operations.h"
#include "core/view/layout.h"
#include "core/view/rivers.h"
#include "platform/fake/scripted_hand.h"
#include "support/play_frames.h"
#include "support/table_frames.h"

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

constexpr int kViewOf[9] = {-1, 0, 3, -1, 2, -1, -1, -1, 1};  // by seat mask, own seat 1

// A watching client over the fake platform at a live table of four; the
// watched player (own seat mask 1) has been dealt and made its first
// discard, the east wind.
struct Watcher {
  FakePlatform platform;
  Client client{platform};
  explicit Watcher(bool openHand = false) {
    client.players.PlayerInfo[0].OpenHand = openHand;
    platform.Connect();
    client.conn.bProxyDone = true;
    client.table.Detail[0].Mask = 1;
    EnableTimer(client, TimerId::Bong, true);
    InitPictureTables(client.pics, 1.0);
    InitLayout(client);
    SeatFourPlayers(client);
    client.conn.bTableLive = true;
    client.table.Spectator = true;
    client.conn.LobbyTitle = "Vask山庄";
    platform.existingWindows.push_back("Vask山庄");
    Play(test::DealOwnTiles(test::kSampleHand));
    Play({TurnFrame(kOwn), DiscardFrame(kOwn, 0x11)});
  }
  void Play(const std::vector<Frame>& frames) { PlayFrames(platform, client, frames); }
  // A seat draws and discards `tile`.
  void Discards(std::uint8_t seat, TileCode tile, TileCode drawn = 0x17) {
    Play({DrawFrame(seat, seat == kOwn ? drawn : NoTile), TurnFrame(seat), DiscardFrame(seat, tile)});
  }
  std::vector<Frame> Sent() {
    for (int guard = 0; guard < 1000 && client.conn.SendBuf.Unread() >= kFrameSize; ++guard) platform.RunTicks(1);
    return platform.SentFrames();
  }
  const SeatRec& Seat(int view) const { return client.table.Detail[view]; }
  const Control& Img(int image) const { return client.view.MJ_Image[image]; }
  bool Ended() const {
    return platform.CallMade("MessageBox(") && platform.CallMade("RestoreWindow(Vask山庄)") && platform.CallMade("Quit");
  }
};

// Where a meld tile of slot s stands at the meld size of a watcher.
struct Place {
  float x, y, w, h;
};
Place MeldPlace(const SeatRec& s, int view, int slot) {
  switch (view) {
    case 0: return {s.HandX + slot * 43.0f, float(s.HandY), 45, 56};
    case 1: return {s.HandX - 5.0f * slot, s.HandY + slot * 18.0f, 45, 35};
    case 2: return {float(s.HandX - slot * 34), float(s.HandY), 34, 40};
    default: return {s.HandX - 10 - 5.0f * slot, s.HandY - slot * 18.0f, 45, 35};
  }
}

struct MeldCase {
  const char* what;
  std::uint8_t seat;
  int type;
  std::array<TileCode, 3> tiles;
  // Plays what leads up to the claim (after the watched player's first
  // discard); the claim's discard, if any, is the last discard played.
  std::function<void(Watcher&)> before;
  int handDrop;  // concealed tiles the meld takes
};

TEST(Spectator, EveryClaimAndKongAtEveryViewLaysTheMeldAndTakesTheDiscardBackOutOfItsRiver) {
  auto others = [](std::uint8_t seat, TileCode t) {
    return [seat, t](Watcher& s) { s.Discards(seat == kRight ? kTop : kRight, t); };
  };
  const MeldCase cases[] = {
      {"right chow", kRight, OpChi, {0x27, 0x28, 0x29}, others(kRight, 0x29), 2},
      {"top pung", kTop, OpPeng, {0x29, 0x29, 0x29}, others(kTop, 0x29), 2},
      {"left exposed kong", kLeft, OpMingGang, {0x29, 0x29, 0x29}, others(kLeft, 0x29), 3},
      {"right pung", kRight, OpPeng, {0x83, 0x83, 0x83}, others(kRight, 0x83), 2},
      {"top chow", kTop, OpChi, {0x84, 0x85, 0x86}, others(kTop, 0x86), 2},
      {"right exposed kong", kRight, OpMingGang, {0x26, 0x26, 0x26}, others(kRight, 0x26), 3},
      {"left chow", kLeft, OpChi, {0x23, 0x24, 0x25}, others(kLeft, 0x25), 2},
      {"left pung", kLeft, OpPeng, {0x25, 0x25, 0x25}, others(kLeft, 0x25), 2},
      {"top exposed kong", kTop, OpMingGang, {0x16, 0x16, 0x16}, others(kTop, 0x16), 3},
      {"own chow", kOwn, OpChi, {0x41, 0x42, 0x43}, others(kOwn, 0x42), 2},
      {"own pung", kOwn, OpPeng, {0x41, 0x41, 0x41}, others(kOwn, 0x41), 2},
      {"own exposed kong", kOwn, OpMingGang, {0x81, 0x81, 0x81}, others(kOwn, 0x81), 3},
      {"own concealed kong", kOwn, OpAnGang, {0x81, 0x81, 0x81},
       [](Watcher& s) { s.Play({DrawFrame(kOwn, 0x81), TurnFrame(kOwn)}); }, 4},
      {"right concealed kong", kRight, OpAnGang, {0x23, 0x23, 0x23},
       [](Watcher& s) { s.Play({DrawFrame(kRight), TurnFrame(kRight)}); }, 4},
      {"top concealed kong", kTop, OpAnGang, {0x23, 0x23, 0x23},
       [](Watcher& s) { s.Play({DrawFrame(kTop), TurnFrame(kTop)}); }, 4},
      {"left concealed kong", kLeft, OpAnGang, {0x23, 0x23, 0x23},
       [](Watcher& s) { s.Play({DrawFrame(kLeft), TurnFrame(kLeft)}); }, 4},
  };
  for (const MeldCase& k : cases) {
    SCOPED_TRACE(k.what);
    Watcher t;
    k.before(t);
    const int view = kViewOf[k.seat];
    const SeatRec& s = t.Seat(view);
    const int m = s.MeldTop, start = s.HandStart, count = s.HandCount;
    const bool onDiscard = k.type != OpAnGang;
    const int discard = t.client.table.LastDiscardImg, from = t.client.table.LastDiscardView;
    const SeatRec& discarder = t.Seat(from);
    const float riverX = t.client.view.rivers.LastDiscardX, riverY = t.client.view.rivers.LastDiscardY;
    if (onDiscard) {
      // The watcher laid the discard in its river at once.
      EXPECT_FLOAT_EQ(t.Img(discard).x, riverX);
      EXPECT_NE(discarder.DiscardX + discarder.DiscardY, riverX + riverY);
    }
    t.Play({ClaimFrame(k.seat, k.type, k.tiles)});
    ASSERT_FALSE(t.platform.CallMade("Quit"));
    EXPECT_EQ(s.MeldTop, m + 3);
    EXPECT_EQ(s.HandStart, start + 3);
    EXPECT_EQ(s.HandCount, count - k.handDrop);
    const bool backs = k.type == OpAnGang && view != 0;
    for (int slot = m - 2; slot <= m; ++slot) {
      const Control& img = t.Img(s.Slots[slot].Img);
      const Place p = MeldPlace(s, view, slot);
      EXPECT_FLOAT_EQ(img.x, p.x) << slot;
      EXPECT_FLOAT_EQ(img.y, p.y) << slot;
      EXPECT_FLOAT_EQ(img.w, p.w) << slot;
      EXPECT_FLOAT_EQ(img.h, p.h) << slot;
      const int face = backs ? LyingBackFace(view) : TileFaceIndex(view, k.tiles[slot - m + 2]);
      if (k.type != OpChi) {
        EXPECT_EQ(img.picture, t.client.pics.TileFacePics[face]) << slot;
      }
    }
    if (onDiscard) {
      // Out of the river into the meld: the river's next place is its own again.
      bool inMeld = false;
      for (int slot = m - 2; slot <= m; ++slot) inMeld |= s.Slots[slot].Img == discard;
      EXPECT_TRUE(inMeld || k.type == OpMingGang);
      EXPECT_FLOAT_EQ(discarder.DiscardX, riverX);
      EXPECT_FLOAT_EQ(discarder.DiscardY, riverY);
      EXPECT_EQ(t.client.table.LastDiscardImg, -1);
    }
    if (k.type == OpMingGang || k.type == OpAnGang) {
      // The fourth tile lies on the middle one.
      const Control& middle = t.Img(s.Slots[m - 1].Img);
      int tops = 0;
      for (int p = 0; p < kTilesInSet; ++p) {
        const Control& img = t.Img(p);
        const float topY = (view == 0 || view == 2) ? s.HandY - 18.0f : middle.y - 18;
        if (img.visible && img.x == middle.x && img.y == topY && img.z > middle.z) ++tops;
      }
      EXPECT_EQ(tops, 1);
      EXPECT_FALSE(t.client.table.DrawFromFront);
    }
    EXPECT_TRUE(t.Sent().empty());
  }
}

TEST(Spectator, AnAddedKongAtEveryViewLiesOnItsPung) {
  for (std::uint8_t seat : {kOwn, kRight, kTop, kLeft}) {
    SCOPED_TRACE(seat);
    Watcher t;
    const TileCode tile = seat == kOwn ? 0x41 : 0x29;
    t.Discards(seat == kRight ? kTop : kRight, tile);
    t.Play({ClaimFrame(seat, OpPeng, {tile, tile, tile}), DiscardFrame(seat, seat == kOwn ? 0x12 : 0x17)});
    t.Play({DrawFrame(seat, seat == kOwn ? tile : NoTile), TurnFrame(seat)});
    const int view = kViewOf[seat];
    const SeatRec& s = t.Seat(view);
    const int m = s.MeldTop, count = s.HandCount;
    t.Play({ClaimFrame(seat, OpBuGang, {NoTile, NoTile, tile})});
    ASSERT_FALSE(t.platform.CallMade("Quit"));
    EXPECT_EQ(s.MeldTop, m);
    EXPECT_EQ(s.HandCount, count - 1);
    const Control& middle = t.Img(s.Slots[m - 4].Img);
    int tops = 0;
    for (int p = 0; p < kTilesInSet; ++p) {
      const Control& img = t.Img(p);
      const float topY = (view == 0 || view == 2) ? s.HandY - 18.0f : middle.y - 18;
      if (img.visible && img.x == middle.x && img.y == topY &&
          img.picture == t.client.pics.TileFacePics[TileFaceIndex(view, tile)])
        ++tops;
    }
    EXPECT_EQ(tops, 1);
    EXPECT_EQ(t.client.table.KongRecord[9][view], 1);
    EXPECT_TRUE(t.Sent().empty());
  }
}

TEST(Spectator, TheWatchedRowStaysFaceDownAndItsOffersLightNoButton) {
  Watcher w;
  Client& client = w.client;
  const SeatRec& own = w.Seat(0);
  for (int slot = own.HandStart; slot < own.HandStart + own.HandCount; ++slot)
    EXPECT_EQ(w.Img(own.Slots[slot].Img).picture, client.pics.TileFacePics[StandingBackFace(0)]) << slot;
  w.Discards(kRight, 0x41);
  w.Play({TurnFrame(kOwn, OpPeng | OpHu | OpPass)});
  for (const Control& b : client.view.Operation) {
    EXPECT_FALSE(b.visible);
    EXPECT_FALSE(b.enabled);
  }
  EXPECT_TRUE(w.Sent().empty());
}

TEST(Spectator, AnOpenRowShowsTheWatchedPlayersTilesSortedAndTheDiscardLeavesFromItsSlot) {
  Watcher w(true);
  const SeatRec& own = w.Seat(0);
  ASSERT_EQ(own.HandCount, 13);
  std::vector<TileCode> row;
  for (int slot = own.HandStart; slot < own.HandStart + own.HandCount; ++slot) {
    row.push_back(own.Slots[slot].Tile);
    EXPECT_EQ(w.Img(own.Slots[slot].Img).picture,
              w.client.pics.TileFacePics[TileFaceIndex(kOwnHandFaceSet, own.Slots[slot].Tile)]);
  }
  // The sample hand without its east wind, sorted as the player sorts it.
  const std::vector<TileCode> sorted = {0x81, 0x81, 0x81, 0x82, 0x83, 0x41, 0x41, 0x43, 0x44, 0x47, 0x48, 0x29, 0x12};
  EXPECT_EQ(row, sorted);
  // Drawn and then a tile from inside the row discarded: the row closes up
  // and stays sorted.
  w.Play({DrawFrame(kOwn, 0x42), TurnFrame(kOwn), DiscardFrame(kOwn, 0x29, true)});
  row.clear();
  for (int slot = own.HandStart; slot < own.HandStart + own.HandCount; ++slot) row.push_back(own.Slots[slot].Tile);
  EXPECT_EQ(row, (std::vector<TileCode>{0x81, 0x81, 0x81, 0x82, 0x83, 0x41, 0x41, 0x42, 0x43, 0x44, 0x47, 0x48, 0x12}));
  for (int slot = own.HandStart; slot < own.HandStart + own.HandCount; ++slot)
    EXPECT_FLOAT_EQ(w.Img(own.Slots[slot].Img).x, own.HandX + slot * 48.0f) << slot;
}

TEST(Spectator, OnceARestoreOpenedTheWallADiscardIsShownEnlargedForASecondThenLiesInItsRiver) {
  Watcher w;
  FakePlatform& platform = w.platform;
  Client& client = w.client;
  client.view.rivers.WallOpened = true;
  const SeatRec& right = w.Seat(3);
  const float riverX = right.DiscardX, riverY = right.DiscardY;
  w.Play({DrawFrame(kRight), TurnFrame(kRight)});
  const int image = right.Slots[right.HandStart + right.HandCount - 1].Img;
  Control seen;
  std::uint32_t firstSeen = 0, lastSeen = 0;
  // Each pump of the wait looks at the tile (the fake's hook runs once).
  std::function<void()> look = [&] {
    platform.duringPump = look;
    const Control& img = client.view.MJ_Image[image];
    if (img.w < 50) return;
    if (firstSeen == 0) {
      seen = img;
      firstSeen = platform.TickCount();
    }
    lastSeen = platform.TickCount();
  };
  platform.duringPump = look;
  w.Play({DiscardFrame(kRight, 0x87)});
  platform.duringPump = nullptr;
  ASSERT_NE(firstSeen, 0u);
  EXPECT_FLOAT_EQ(seen.w, 1.2f * 48);
  EXPECT_FLOAT_EQ(seen.h, 1.2f * 35);
  EXPECT_FLOAT_EQ(seen.x, (SurfaceWidth(client) - seen.w) / 2);
  EXPECT_FLOAT_EQ(seen.y, (SurfaceHeight(client) - seen.h) / 2);
  EXPECT_EQ(seen.picture, client.pics.TileFacePics[TileFaceIndex(3, 0x87)]);
  EXPECT_GE(lastSeen - firstSeen + 50, 1000u);
  EXPECT_LE(lastSeen - firstSeen, 1100u);
  const Control& laid = w.Img(image);
  EXPECT_FLOAT_EQ(laid.x, riverX);
  EXPECT_FLOAT_EQ(laid.y, riverY);
  EXPECT_FLOAT_EQ(laid.w, 48);
}

TEST(Spectator, WithoutARestoreTheDiscardGoesStraightToItsRiver) {
  Watcher w;
  FakePlatform& platform = w.platform;
  Client& client = w.client;
  const SeatRec& top = w.Seat(2);
  const float riverX = top.DiscardX;
  bool enlarged = false;
  std::function<void()> look = [&] {
    platform.duringPump = look;
    for (const Control& img : client.view.MJ_Image) enlarged |= img.visible && img.w > 50 && img.h > 40 && img.h < 45;
  };
  platform.duringPump = look;
  w.Discards(kRight, 0x87);
  w.Discards(kTop, 0x88);
  platform.duringPump = nullptr;
  EXPECT_FALSE(enlarged);
  EXPECT_FLOAT_EQ(w.Img(client.table.LastDiscardImg).x, riverX);
  EXPECT_EQ(client.table.LastDiscardView, 2);
}

TEST(Spectator, AClaimTheTableCannotDrawEndsTheWatchWithItsMessage) {
  struct Bad {
    const char* what;
    std::vector<Frame> frames;
  };
  const Bad bad[] = {
      // The discard was pung already: nothing left to take.
      {"a second pung of one discard",
       {DrawFrame(kRight), TurnFrame(kRight), DiscardFrame(kRight, 0x29), ClaimFrame(kTop, OpPeng, {0x29, 0x29, 0x29}),
        ClaimFrame(kLeft, OpPeng, {0x29, 0x29, 0x29})}},
      {"an added kong without a pung", {DrawFrame(kTop), TurnFrame(kTop), ClaimFrame(kTop, OpBuGang, {0, 0, 0x29})}},
      {"the watched player's pung of tiles it lacks",
       {DrawFrame(kRight), TurnFrame(kRight), DiscardFrame(kRight, 0x89), ClaimFrame(kOwn, OpPeng, {0x89, 0x89, 0x89})}},
  };
  for (const Bad& b : bad) {
    SCOPED_TRACE(b.what);
    Watcher t;
    t.Play(b.frames);
    EXPECT_TRUE(t.platform.CallMade("MessageBox(" + t.client.view.Caption + ",操作错误，请退出后重新游戏！)"));
    EXPECT_TRUE(t.Ended());
  }
  // A claim for a seat that does not exist is only ignored.
  Watcher w;
  w.Play({DrawFrame(kRight), TurnFrame(kRight), DiscardFrame(kRight, 0x29), ClaimFrame(3, OpPeng, {0x29, 0x29, 0x29}),
        ClaimFrame(0x10, OpPeng, {0x29, 0x29, 0x29})});
  EXPECT_FALSE(w.platform.CallMade("Quit"));
  EXPECT_EQ(w.Seat(2).MeldTop, 4);
}

TEST(Spectator, WhenTheWatchedPlayerContinuesItsTableClearsAndTheScoreWindowGoes) {
  Watcher w;
  for (int v = 0; v < 4; ++v) w.client.table.Detail[v].username = "acc" + std::to_string(v);
  w.client.view.Score.visible = true;
  // Another player's readiness leaves the finished hand on the table.
  w.Play({test::ReadyFrame("acc2")});
  EXPECT_TRUE(w.client.view.Score.visible);
  EXPECT_EQ(w.Seat(0).HandCount, 13);
  w.Play({test::ReadyFrame("acc0")});
  EXPECT_FALSE(w.client.view.Score.visible);
  for (int v = 0; v < 4; ++v) EXPECT_EQ(w.Seat(v).HandCount, 0) << v;
  for (const Control& img : w.client.view.MJ_Image) EXPECT_FALSE(img.visible);
  EXPECT_TRUE(w.Sent().empty());
}

}  // namespace
}  // namespace vask
