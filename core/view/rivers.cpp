#include "core/view/rivers.h"

#include <algorithm>
#include <cmath>

#include "core/client.h"
#include "core/view/delay.h"
#include "core/view/hands.h"
#include "core/view/layout.h"

namespace vask {

namespace {

constexpr int kDiscardBlinkSteps = 6;  // three times off and on again
constexpr int kArcStepLimit = 400;     // a bound on the arc loop whatever the geometry
constexpr int kSpectatorZoomMs = 1000;

bool ValidImage(int image) { return image >= 0 && image < kTilesInSet; }
int Wrap(int p) { return ((p % kTilesInSet) + kTilesInSet) % kTilesInSet; }

void Centre(Client& c, Control& tile) {
  tile.x = (SurfaceWidth(c) - tile.w) / 2;
  tile.y = (SurfaceHeight(c) - tile.h) / 2;
}

// The last concealed tile of a side or top seat jumps into the gap left by
// a discard taken from inside the hand.
void RunArc(Client& c, int view, Control& tile) {
  AnimRec& a = c.view.rivers.AnimRecs[view];
  switch (view) {
    case 1:
      a.span = static_cast<std::int16_t>(2 * (a.toX - a.fromX));
      a.height = static_cast<std::int16_t>(a.fromY - a.toY + 80);
      break;
    case 2:
      a.span = static_cast<std::int16_t>(a.toX - a.fromX);
      a.height = static_cast<std::int16_t>(a.fromY - a.toY + 70);
      break;
    default:
      a.span = static_cast<std::int16_t>(2 * (a.toX - a.fromX));
      a.height = static_cast<std::int16_t>(a.toY - a.fromY);
      break;
  }
  Delay(c, 100);
  BringToFront(c.view, tile);
  auto landed = [&] {
    tile.x = a.toX;
    tile.y = a.toY;
  };
  if (a.span == 0) return landed();
  const double half = a.span / 2.0;
  a.curvature = static_cast<float>(a.height / (half * half));
  const double step = (a.toX - a.fromX) / 26.0;
  a.x = 0;
  a.y = 0;
  bool phaseTwo = false;
  for (int n = 0; n < kArcStepLimit; ++n) {
    if (view == 1) {
      if (!phaseTwo) {
        a.x += step;
        a.y = std::trunc(a.height - a.curvature * (a.x - half) * (a.x - half));
        if (a.x >= half || a.y >= a.height) {
          a.x = half;
          phaseTwo = true;
        }
      } else {
        a.y -= 5;
        if (a.fromY - a.y >= a.toY) return landed();
      }
    } else if (view == 2) {
      a.x += step;
      a.y = std::trunc(a.height - a.curvature * (a.x - half) * (a.x - half));
      if (a.x >= half && a.fromY - a.y >= a.toY) return landed();
    } else {
      a.x += step;
      a.y = std::trunc(-a.curvature * a.x * a.x);
      if (a.x >= half || a.y >= a.height) return landed();
    }
    tile.x = static_cast<float>(a.fromX + a.x);
    tile.y = static_cast<float>(a.fromY - a.y);
    ++c.view.revision;
    Delay(c, 5);
  }
  landed();
}

// Lifts a hand tile out of its row at the river size of its view.
void Lift(Client& c, int view, Control& tile, float grow) {
  const ViewModel& v = c.view;
  const float w = tile.w, h = tile.h;
  switch (view) {
    case 1:
      tile.x += std::floor(w / 3);
      tile.y += h - v.TileW[1] / 2.0f;
      tile.w = v.TileW[1] * grow;
      tile.h = v.TileH[1] * grow;
      break;
    case 2:
      tile.y += 0.6f * h;
      tile.w = 1.2f * v.TileW[2] * grow;
      tile.h = v.TileH[2] * grow;
      break;
    default:
      tile.x -= w;
      tile.y += h - v.TileW[3] / 2.0f;
      tile.w = v.TileW[3] * grow;
      tile.h = v.TileH[3] * grow;
      break;
  }
}

}  // namespace

float SurfaceWidth(const Client& c) { return c.view.Pic1.w > 0 ? c.view.Pic1.w : Scaled(c.view, kSurfaceWidth); }
float SurfaceHeight(const Client& c) { return c.view.Pic1.h > 0 ? c.view.Pic1.h : Scaled(c.view, kSurfaceHeight); }

void ShowWall(Client& c) {
  PlayEffect(c, kSoundWall);
  const int first[4][2] = {{1, 0}, {35, 34}, {69, 68}, {102, 103}};
  for (int w = 0; w < 4; ++w)
    for (int image : first[w]) ShowTileFace(c, image, LyingBackFace(w));
  c.platform.ViewChanged();
  auto& img = c.view.MJ_Image;
  for (int j = 1; j <= 16; ++j) {
    for (int w = 0; w < 4; ++w) {
      const int base = 34 * w;
      img[base + 2 * j].picture = img[base].picture;
      img[base + 2 * j + 1].picture = img[base + 1].picture;
      img[base + 2 * j].visible = img[base + 2 * j + 1].visible = true;
    }
    ++c.view.revision;
    c.platform.ViewChanged();
    Delay(c, 10);
  }
}

void ShiftWall(Client& c, int side, int count, int start) {
  ViewModel& v = c.view;
  const float s = v.LayoutScale;
  count = std::clamp(count, 0, kTilesInSet);
  for (int p = start; p > start - count; --p) {
    Control& tile = v.MJ_Image[Wrap(p)];
    const bool even = Wrap(p) % 2 == 0;
    switch (side) {
      case 0:
        tile.x -= 2 * tile.w;
        even ? BringToFront(v, tile) : SendToBack(v, tile);
        break;
      case 1:
        tile.x += 8 * s;
        tile.y -= 30 * s;
        break;
      case 2:
        tile.x += 2 * tile.w;
        even ? BringToFront(v, tile) : SendToBack(v, tile);
        break;
      default:
        tile.x += 8 * s;
        tile.y += 30 * s;
        break;
    }
  }
  if (side == 1) {
    for (int p = start; p > start - count; p -= 2) BringToFront(v, v.MJ_Image[Wrap(p)]);
    for (int p = start - 1; p > start - count; p -= 2) BringToFront(v, v.MJ_Image[Wrap(p)]);
  } else if (side == 3) {
    const int back = c.table.WallBack;
    for (int q = 103; q <= std::min(back + 1, kTilesInSet - 1); q += 2) BringToFront(v, v.MJ_Image[q]);
    for (int q = 102; q <= std::min<int>(back, kTilesInSet - 1); q += 2) BringToFront(v, v.MJ_Image[q]);
  }
  ++v.revision;
}

void LayRiverTile(Client& c, int view, int image, TileCode code) {
  if (view < 0 || view > 3 || !ValidImage(image)) return;
  ViewModel& v = c.view;
  SeatRec& seat = c.table.Detail[view];
  RiverState& r = v.rivers;
  const float s = v.LayoutScale;
  InstallTileSize(v, TileSizeSet::WallAndDiscard, view);
  Control& tile = v.MJ_Image[image];
  tile.w = v.TileW[view];
  tile.h = v.TileH[view];
  ShowTileFace(c, image, IsValidTile(code) ? TileFaceIndex(view, code) : LyingBackFace(view));
  tile.x = seat.DiscardX;
  tile.y = seat.DiscardY;
  r.LastDiscardX = seat.DiscardX;
  r.LastDiscardY = seat.DiscardY;

  const int w = v.TileW[view], h = v.TileH[view];
  switch (view) {
    case 0:
      seat.DiscardX = Round16(static_cast<float>(seat.DiscardX + w));
      if (w > 0 && (seat.DiscardX - seat.DiscardRowX) / w == 8) {
        seat.DiscardX = seat.DiscardRowX;
        seat.DiscardY = Round16(seat.DiscardY - h + 18 * s);
      }
      break;
    case 1: {
      const float step = h - 17 * s;
      seat.DiscardY = Round16(seat.DiscardY + step);
      seat.DiscardX = Round16(static_cast<float>(seat.DiscardX - 5));
      const int d = static_cast<int>(step);
      if (d > 0 && (seat.DiscardY - seat.DiscardRowY) / d == 8) {
        seat.DiscardY = seat.DiscardRowY;
        seat.DiscardX = Round16(seat.DiscardX + 40 + w - 5 * s);
      }
      break;
    }
    case 2:
      seat.DiscardX = Round16(static_cast<float>(seat.DiscardX - w));
      if (w > 0 && (seat.DiscardRowX - seat.DiscardX) / w == 8) {
        seat.DiscardX = seat.DiscardRowX;
        seat.DiscardY = Round16(seat.DiscardY + h - 14 * s);
      }
      break;
    default: {
      const float step = h - 17 * s;
      seat.DiscardY = Round16(seat.DiscardY - h + 17 * s);
      seat.DiscardX = Round16(static_cast<float>(seat.DiscardX - 5));
      const int d = static_cast<int>(step);
      if (d > 0 && (seat.DiscardRowY - seat.DiscardY) / d == 8) {
        seat.DiscardY = seat.DiscardRowY;
        seat.DiscardX = Round16(seat.DiscardX + 40 - w + 5 * s);
      }
      break;
    }
  }

  if (view != 3) {
    BringToFront(v, tile);
    return;
  }
  // The right river: lower tiles cover upper ones within each column.
  SendToBack(v, tile);
  if (r.RightRiverCount < static_cast<int>(r.RightRiverImgs.size()))
    r.RightRiverImgs[r.RightRiverCount++] = static_cast<std::int16_t>(image);
  const int n = r.RightRiverCount;
  auto front = [&](int from, int downTo) {
    for (int k = from; k >= downTo; --k)
      if (ValidImage(r.RightRiverImgs[k])) BringToFront(v, v.MJ_Image[r.RightRiverImgs[k]]);
  };
  if (n <= 8) {
    front(n - 1, 0);
  } else if (n <= 16) {
    front(n - 1, 8);
  } else {
    front(15, 8);
    front(n - 1, 16);
  }
}

void ShowOtherDiscard(Client& c, int view, TileCode code) {
  if (view < 1 || view > 3) return;
  TableState& t = c.table;
  SeatRec& seat = t.Detail[view];
  ViewModel& v = c.view;
  if (seat.HandCount < 1) return;
  const int last = seat.HandStart + seat.HandCount - 1;
  if (last < 0 || last >= kSlotsPerSeat) return;
  t.LastDiscard = code;
  t.LastDiscardView = static_cast<std::int16_t>(view);
  InstallTileSize(v, TileSizeSet::WallAndDiscard, view);

  const int lastImage = seat.Slots[last].Img;
  const bool fromHand = v.rivers.FromHand && seat.HandCount >= 2;
  if (fromHand) {
    AnimRec& a = v.rivers.AnimRecs[view];
    Point from = ValidImage(lastImage) ? Point{v.MJ_Image[lastImage].x, v.MJ_Image[lastImage].y}
                                       : SlotPosition(c, view, last);
    a.fromX = Round16(from.x);
    a.fromY = Round16(from.y);
    const std::uint32_t roll = c.platform.Random();
    const int r = static_cast<int>((roll / 4294967296.0) * (seat.HandCount - 1));
    const int slot = seat.HandStart + r;
    const int image = seat.Slots[slot].Img;
    t.LastDiscardImg = static_cast<std::int16_t>(image);
    if (ValidImage(image)) {
      Control& tile = v.MJ_Image[image];
      a.toX = Round16(tile.x);
      a.toY = Round16(tile.y);
      ShowTileFace(c, image, TileFaceIndex(view, code));
      Lift(c, view, tile, 1.0f);
      c.platform.ViewChanged();
      Delay(c, 150);
      tile.w = v.TileW[view];
      tile.h = v.TileH[view];
      Centre(c, tile);
      view == 3 ? SendToBack(v, tile) : BringToFront(v, tile);
    }
    if (ValidImage(lastImage)) RunArc(c, view, v.MJ_Image[lastImage]);
    seat.HandCount -= 1;
    seat.Slots[slot].Img = static_cast<std::int16_t>(lastImage);
    seat.Slots[slot].Mark = SlotHand;
    seat.Slots[last] = TileSlot{};
    if (view == 1)
      for (int i = seat.HandStart; i <= seat.HandStart + seat.HandCount - 1; ++i) {
        if (ValidImage(seat.Slots[i].Img)) BringToFront(v, v.MJ_Image[seat.Slots[i].Img]);
      }
    if (view == 3)
      for (int i = seat.HandStart + seat.HandCount - 1; i >= seat.HandStart; --i) {
        if (ValidImage(seat.Slots[i].Img)) BringToFront(v, v.MJ_Image[seat.Slots[i].Img]);
      }
  } else {
    t.LastDiscardImg = static_cast<std::int16_t>(lastImage);
    if (ValidImage(lastImage)) {
      Control& tile = v.MJ_Image[lastImage];
      ShowTileFace(c, lastImage, TileFaceIndex(view, code));
      Lift(c, view, tile, 1.1f);
      c.platform.ViewChanged();
      Delay(c, 500);
      tile.w = v.TileW[view];
      tile.h = v.TileH[view];
      Centre(c, tile);
      view == 3 ? SendToBack(v, tile) : BringToFront(v, tile);
    }
    seat.HandCount -= 1;
    seat.Slots[last] = TileSlot{};
  }
  v.rivers.DiscardSettled = false;
  ++v.revision;
}

void ShowOwnDiscard(Client& c, int image, TileCode code) {
  if (!ValidImage(image)) return;
  ViewModel& v = c.view;
  TableState& t = c.table;
  SeatRec& own = t.Detail[0];
  InstallTileSize(v, TileSizeSet::WallAndDiscard, 0);
  ShowTileFace(c, image, IsValidTile(code) ? TileFaceIndex(0, code) : LyingBackFace(0));
  t.LastDiscardImg = static_cast<std::int16_t>(image);
  t.LastDiscardView = 0;
  Control& tile = v.MJ_Image[image];
  Centre(c, tile);  // with the hand size, then the river size
  tile.w = v.TileW[0];
  tile.h = v.TileH[0];
  SendToBack(v, tile);
  v.rivers.DiscardSettled = false;

  InstallTileSize(v, TileSizeSet::ConcealedHand, 0);
  const int s = HandSlotOfImage(t, image);
  if (s < 0) return;
  const int end = std::min<int>(own.HandStart + own.HandCount, kSlotsPerSeat);
  for (int j = s; j + 1 < end; ++j) {
    own.Slots[j] = own.Slots[j + 1];
    if (ValidImage(own.Slots[j].Img)) {
      v.MJ_Image[own.Slots[j].Img].x = own.HandX + j * 48 * v.LayoutScale;
      v.MJ_Image[own.Slots[j].Img].y = own.HandY;
    }
  }
  if (end - 1 >= s) own.Slots[end - 1] = TileSlot{};
  ++v.revision;
}

void ShowSpectatorDiscard(Client& c, int view, TileCode code) {
  if (view < 0 || view > 3) return;
  TableState& t = c.table;
  SeatRec& seat = t.Detail[view];
  ViewModel& v = c.view;
  if (seat.HandCount < 1) return;
  const int first = seat.HandStart, end = std::min<int>(seat.HandStart + seat.HandCount, kSlotsPerSeat);
  if (first < 0 || end <= first) return;
  // The watched player's row keeps its tiles' codes (the later melds show
  // them): the discarded tile leaves from its own slot as at the player's
  // table (the drawn tile when that was discarded), which looks the same as
  // the last one while the row is face down.
  int slot = end - 1;
  if (view == 0 && (v.rivers.FromHand || seat.Slots[slot].Tile != code))
    for (int i = first; i < end; ++i)
      if (seat.Slots[i].Tile == code) {
        slot = i;
        break;
      }
  const int image = seat.Slots[slot].Img;
  t.LastDiscard = code;
  t.LastDiscardView = static_cast<std::int16_t>(view);
  t.LastDiscardImg = static_cast<std::int16_t>(image);
  InstallTileSize(v, TileSizeSet::WallAndDiscard, view);
  if (ValidImage(image)) {
    ShowTileFace(c, image, IsValidTile(code) ? TileFaceIndex(view, code) : LyingBackFace(view));
    if (v.rivers.WallOpened) {
      Control& tile = v.MJ_Image[image];
      tile.w = 1.2f * v.TileW[view];
      tile.h = 1.2f * v.TileH[view];
      Centre(c, tile);
      view == 3 ? SendToBack(v, tile) : BringToFront(v, tile);
      ++v.revision;
      c.platform.ViewChanged();
      Delay(c, kSpectatorZoomMs);
    }
    LayRiverTile(c, view, image, code);
  }
  // The row closes up behind the tile.
  for (int j = slot; j + 1 < end; ++j) seat.Slots[j] = seat.Slots[j + 1];
  seat.Slots[end - 1] = TileSlot{};
  seat.HandCount -= 1;
  InstallTileSize(v, TileSizeSet::ConcealedAfterClaim, view);
  if (view == 0) {
    InstallTileSize(v, TileSizeSet::ConcealedHand, 0);
    for (int j = slot; j < seat.HandStart + seat.HandCount; ++j)
      if (ValidImage(seat.Slots[j].Img)) {
        v.MJ_Image[seat.Slots[j].Img].x = seat.HandX + j * 48 * v.LayoutScale;
        v.MJ_Image[seat.Slots[j].Img].y = seat.HandY;
      }
    // An open row is kept sorted as the player keeps it.
    if (OwnFacesShown(c)) SortHand(c, 0, seat.HandCount);
  }
  // It lies in its river already: no delivery lays it again.
  v.rivers.DiscardSettled = true;
  ++v.revision;
}

void SettleDiscard(Client& c, int receivingView) {
  TableState& t = c.table;
  RiverState& r = c.view.rivers;
  if (t.DiscardClaimed || t.LastDiscardImg == -1 || r.DiscardSettled) return;
  if (t.LastDiscardView == 0 && receivingView != 3) return;
  const int view = t.LastDiscardView & 3;
  LayRiverTile(c, view, t.LastDiscardImg, t.LastDiscard);
  InstallTileSize(c.view, TileSizeSet::ConcealedAfterClaim, view);
  r.DiscardSettled = true;
}

void TakeDiscardBack(Client& c) {
  TableState& t = c.table;
  RiverState& r = c.view.rivers;
  const int view = t.LastDiscardView & 3;
  t.Detail[view].DiscardX = r.LastDiscardX;
  t.Detail[view].DiscardY = r.LastDiscardY;
  if (view == 3 && r.RightRiverCount > 0) --r.RightRiverCount;
  r.DiscardSettled = false;
}

void StartDiscardBlink(Client& c, int image) {
  RiverState& r = c.view.rivers;
  if (ValidImage(r.BlinkImg)) c.view.MJ_Image[r.BlinkImg].visible = true;
  r.BlinkPrevImg = r.BlinkImg;
  if (!ValidImage(image)) {
    r.BlinkImg = -1;
    r.DiscardBlinks = -1;
    return;
  }
  r.BlinkImg = static_cast<std::int16_t>(image);
  r.DiscardBlinks = kDiscardBlinkSteps;
  c.conn.bBlink = true;
}

}  // namespace vask
