#include "core/view/hands.h"

#include "core/client.h"
#include "core/view/delay.h"
#include "core/view/layout.h"

namespace vask {

namespace {

bool ValidView(int view) { return view >= 0 && view < 4; }
bool ValidSlot(int slot) { return slot >= 0 && slot < kSlotsPerSeat; }
bool ValidImage(int image) { return image >= 0 && image < kTilesInSet; }

// The lying face of a tile in a view's set, or its lying back when the code
// names no tile.
int LyingFace(int view, TileCode code) {
  return IsValidTile(code) ? TileFaceIndex(view, code) : LyingBackFace(view);
}

void Show(Client& c, int image, int face) { ShowTileFace(c, image, face); }

}  // namespace

bool OwnFacesShown(const Client& c) { return !c.table.Spectator || c.players.PlayerInfo[0].OpenHand; }

namespace {

}  // namespace

Point SlotPosition(const Client& c, int view, int slot) {
  const ViewModel& v = c.view;
  const SeatRec& s = c.table.Detail[view & 3];
  const float sc = v.LayoutScale;
  switch (view) {
    case 0: return {static_cast<float>(s.HandX + slot * v.TileW[0]), static_cast<float>(s.HandY)};
    case 1: return {s.HandX - 5.0f * slot * sc, s.HandY + slot * v.TileW[1] / 2.0f};
    case 2: return {static_cast<float>(s.HandX - slot * v.TileW[2]), static_cast<float>(s.HandY)};
    default: return {s.HandX - 5.0f * slot * sc, s.HandY - slot * v.TileW[3] / 2.0f};
  }
}

Point MeldPosition(const Client& c, int view, int slot) {
  const ViewModel& v = c.view;
  const SeatRec& s = c.table.Detail[view & 3];
  const float sc = v.LayoutScale;
  switch (view) {
    case 0: return {s.HandX + slot * (v.TileW[0] - 2 * sc), static_cast<float>(s.HandY)};
    case 1: return {s.HandX - 5.0f * slot * sc, s.HandY + slot * (v.TileH[1] - 17 * sc)};
    case 2: return {static_cast<float>(s.HandX - slot * v.TileW[2]), static_cast<float>(s.HandY)};
    default: return {s.HandX - 10 * sc - 5.0f * slot * sc, s.HandY - slot * (v.TileH[3] - 17 * sc)};
  }
}

void PlaceHandTile(Client& c, int view, int slot, int image, TileCode code, bool gap) {
  if (!ValidView(view) || !ValidSlot(slot) || !ValidImage(image)) return;
  ViewModel& v = c.view;
  InstallTileSizes(v, TileSizeSet::ConcealedHand);
  Control& tile = v.MJ_Image[image];
  tile.w = v.TileW[view];
  tile.h = v.TileH[view];
  if (view == 0)
    Show(c, image, IsValidTile(code) && OwnFacesShown(c) ? TileFaceIndex(kOwnHandFaceSet, code) : StandingBackFace(0));
  else
    Show(c, image, StandingBackFace(view));
  Point p = SlotPosition(c, view, slot);
  if (gap) {
    const float step = 10 * v.LayoutScale;
    switch (view) {
      case 0: p.x += v.TileW[0] / 2.0f; break;
      case 1: p.y += step; break;
      case 2: p.x -= step; break;
      default: p.y -= step; break;
    }
  }
  tile.x = p.x;
  tile.y = p.y;
  if (view == 1) BringToFront(v, tile);
  if (view == 3) SendToBack(v, tile);
  ++v.revision;
}

void RelayHand(Client& c, int view) {
  if (!ValidView(view)) return;
  SeatRec& s = c.table.Detail[view];
  for (int i = s.HandStart; i < s.HandStart + s.HandCount && ValidSlot(i); ++i) {
    int image = s.Slots[i].Img;
    if (!ValidImage(image)) continue;
    Point p = SlotPosition(c, view, i);
    c.view.MJ_Image[image].x = p.x;
    c.view.MJ_Image[image].y = p.y;
  }
  ++c.view.revision;
}

void FlipOwnHand(Client& c, int pauseMs) {
  SeatRec& s = c.table.Detail[0];
  for (int i = s.HandStart; i < s.HandStart + s.HandCount && ValidSlot(i); ++i)
    if (ValidImage(s.Slots[i].Img)) Show(c, s.Slots[i].Img, StandingBackFace(0));
  c.platform.ViewChanged();
  Delay(c, pauseMs);
}

void SortHand(Client& c, int view, int n) {
  if (!ValidView(view)) return;
  const std::uint32_t changed = SortHandCodes(c.table, view, n);
  SeatRec& s = c.table.Detail[view];
  const bool onlyChanged = view == 0 && c.table.IncrementalOn();
  for (int i = s.HandStart; i < s.HandStart + n && ValidSlot(i); ++i) {
    if (onlyChanged && !(changed & (1u << i))) continue;
    const TileCode code = s.Slots[i].Tile;
    if (!IsValidTile(code) || !ValidImage(s.Slots[i].Img)) continue;
    int face = TileFaceIndex(view, code) + (view == 0 ? 36 * kOwnHandFaceSet : 0);
    Show(c, s.Slots[i].Img, face);
  }
}

void PlaceMeld(Client& c, int view, int firstSlot, const std::array<TileCode, 3>& codes, int kind) {
  if (!ValidView(view) || !ValidSlot(firstSlot) || !ValidSlot(firstSlot + 2)) return;
  ViewModel& v = c.view;
  SeatRec& s = c.table.Detail[view];
  InstallTileSizes(v, c.table.Spectator ? TileSizeSet::MeldSpectator : TileSizeSet::MeldPlayer);
  const bool backs = kind == SlotAnGang && view != 0;
  for (int k = 2; k >= 0; --k) {
    const int slot = firstSlot + k;
    const int image = s.Slots[slot].Img;
    if (!ValidImage(image)) continue;
    Control& tile = v.MJ_Image[image];
    tile.w = v.TileW[view];
    tile.h = v.TileH[view];
    Show(c, image, backs ? LyingBackFace(view) : LyingFace(view, codes[k]));
    Point p = MeldPosition(c, view, slot);
    tile.x = p.x;
    tile.y = p.y;
    if (view == 0 || view == 1) BringToFront(v, tile);
    if (view == 3) SendToBack(v, tile);
  }
  InstallTileSizes(v, TileSizeSet::ConcealedAfterClaim);
  RelayHand(c, view);
  // Nearer tiles of the side rows cover farther ones.
  if (view == 1)
    for (int i = s.HandStart; i < s.HandStart + s.HandCount && ValidSlot(i); ++i) {
      if (ValidImage(s.Slots[i].Img)) BringToFront(v, v.MJ_Image[s.Slots[i].Img]);
    }
  if (view == 3)
    for (int i = s.HandStart + s.HandCount - 1; i >= s.HandStart && ValidSlot(i); --i) {
      if (ValidImage(s.Slots[i].Img)) BringToFront(v, v.MJ_Image[s.Slots[i].Img]);
    }
}

void PlaceKongTop(Client& c, int view, int middleSlot, int image, TileCode code, bool concealed) {
  if (!ValidView(view) || !ValidSlot(middleSlot) || !ValidImage(image)) return;
  ViewModel& v = c.view;
  const SeatRec& s = c.table.Detail[view];
  InstallTileSize(v, c.table.Spectator ? TileSizeSet::MeldSpectator : TileSizeSet::MeldPlayer, view);
  Control& tile = v.MJ_Image[image];
  tile.w = v.TileW[view];
  tile.h = v.TileH[view];
  Point middle = MeldPosition(c, view, middleSlot);
  const int middleImage = s.Slots[middleSlot].Img;
  if (ValidImage(middleImage)) middle = {v.MJ_Image[middleImage].x, v.MJ_Image[middleImage].y};
  const float lift = 18 * v.LayoutScale;
  tile.x = middle.x;
  tile.y = (view == 0 || view == 2) ? s.HandY - lift : middle.y - lift;
  Show(c, image, concealed ? LyingBackFace(view) : LyingFace(view, code));
  BringToFront(v, tile);
}

}  // namespace vask
