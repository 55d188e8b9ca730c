// Table restore (command 40): one message per seat describes a hand under
// way; the table is rebuilt from wall images taken in order, and after the
// fourth message the rivers, the rest of the wall and the wildcards show.
#include <algorithm>
#include <vector>

#include "core/client.h"
#include "core/game/claims.h"
#include "core/game/deal.h"
#include "core/game/seats.h"
#include "core/handlers.h"
#include "core/view/hands.h"
#include "core/view/layout.h"
#include "core/view/rivers.h"

namespace vask {

namespace {

constexpr std::size_t kPairs = 24;
constexpr int kMaxConcealed = 14;
constexpr int kAsideRows = 4;
constexpr int kAsideStep = 18;  // pixels between stacked tiles, not scaled

int Wrap(int p) { return ((p % kTilesInSet) + kTilesInSet) % kTilesInSet; }

int BackDraws(const RestoreState& r) { return std::clamp(135 - r.BackUsed, 0, kTilesInSet); }

// The wall positions the back draws took, in order.
std::vector<int> BackDrawn(const TableState& t) {
  TableState walk;
  walk.WallBack = t.restore.WallBackAtStart;
  walk.IndicatorPos = t.IndicatorPos;
  std::vector<int> out;
  for (int k = 0; k < BackDraws(t.restore); ++k) {
    out.push_back(Wrap(walk.WallBack));
    StepWallBack(walk);
  }
  return out;
}

// Every position the hand has used: the front draws, then the back draws.
std::vector<int> UsedPositions(const TableState& t) {
  std::vector<int> out;
  for (int i = 0; i < t.restore.FrontUsed; ++i) out.push_back(Wrap(t.WallFront + i));
  for (int p : BackDrawn(t))
    if (std::find(out.begin(), out.end(), p) == out.end()) out.push_back(p);
  return out;
}

// The next wall image of the restore, or −1 when the used part of the wall
// has none left (the messages claim more tiles than were drawn).
int NextImage(TableState& t) {
  for (int p : UsedPositions(t)) {
    if (t.WallTaken[p]) continue;
    ++t.restore.WallOffset;
    t.WallTaken[p] = true;
    return p;
  }
  return -1;
}

TileCode SpecialTile(const TableState& t) {
  return t.IncrementalRedraw > 0 && IsValidTile(static_cast<TileCode>(t.IncrementalRedraw))
             ? static_cast<TileCode>(t.IncrementalRedraw)
             : NoTile;
}

// A laid-aside red dragon or special tile on its stack beside the row.
void LayAside(Client& c, int view, TileCode tile) {
  TableState& t = c.table;
  SeatRec& s = t.Detail[view];
  const bool red = tile == kRedDragon;
  std::int16_t& count = red ? s.RedAside : s.SpecialAside;
  if (count >= kAsideRows) return;
  const int image = NextImage(t);
  if (image < 0) return;
  t.AsideImg[(red ? 0 : kAsideRows) + count][view] = static_cast<std::int16_t>(image);
  ViewModel& v = c.view;
  InstallTileSize(v, TileSizeSet::MeldSpectator, view);
  Control& img = v.MJ_Image[image];
  img.w = v.TileW[view];
  img.h = v.TileH[view];
  ShowTileFace(c, image, TileFaceIndex(view, tile));
  img.x = s.HandX + (red ? 0.0f : v.TileW[view] - 2.0f);
  img.y = static_cast<float>(s.HandY - kAsideStep * count);
  BringToFront(v, img);
  ++count;
}

struct Group {
  std::array<TileCode, 3> tiles{};
  bool kong = false;
};

bool Equal3(const std::vector<TileCode>& s, std::size_t i) { return s[i] == s[i + 1] && s[i + 1] == s[i + 2]; }

bool Run3(const std::vector<TileCode>& s, std::size_t i) {
  std::array<TileCode, 3> g = {s[i], s[i + 1], s[i + 2]};
  std::sort(g.begin(), g.end());
  const int suit = TileSuit(g[0]);
  return suit != SuitHonour && TileSuit(g[2]) == suit && TileSuit(g[1]) == suit &&
         TileRank(g[1]) == TileRank(g[0]) + 1 && TileRank(g[2]) == TileRank(g[1]) + 1;
}

// Splits the shown tiles into melds of three, a fourth equal tile making a
// kong; false when they do not split.
bool SplitMelds(const std::vector<TileCode>& s, std::size_t i, std::vector<Group>& out) {
  if (i == s.size()) return true;
  if (i + 3 > s.size()) return false;
  const bool equal = Equal3(s, i);
  if (!equal && !Run3(s, i)) return false;
  out.push_back({{s[i], s[i + 1], s[i + 2]}, false});
  if (equal && i + 3 < s.size() && s[i + 3] == s[i]) {
    out.back().kong = true;
    if (SplitMelds(s, i + 4, out)) return true;
    out.back().kong = false;
  }
  if (SplitMelds(s, i + 3, out)) return true;
  out.pop_back();
  return false;
}

// The melds of the shown list: as sent (the server lists each meld whole,
// a kong's fourth tile after its three), else in sorted order.
std::vector<Group> MeldsOf(std::vector<TileCode> shown) {
  std::vector<Group> groups;
  if (SplitMelds(shown, 0, groups)) return groups;
  std::sort(shown.begin(), shown.end(), [](TileCode a, TileCode b) {
    return TileSuit(a) != TileSuit(b) ? TileSuit(a) > TileSuit(b) : TileRank(a) < TileRank(b);
  });
  groups.clear();
  if (SplitMelds(shown, 0, groups)) return groups;
  // Tiles that make no melds: laid three by three, the rest left out.
  groups.clear();
  for (std::size_t i = 0; i + 3 <= shown.size(); i += 3) groups.push_back({{shown[i], shown[i + 1], shown[i + 2]}, false});
  return groups;
}

// The melds stand where melds made in play stand, in the same slots.
void LayMeld(Client& c, int view, const Group& g) {
  TableState& t = c.table;
  SeatRec& s = t.Detail[view];
  const int m = s.MeldTop;
  if (m < 2 || m >= kSlotsPerSeat || s.HandStart + 3 + s.HandCount > kSlotsPerSeat) return;
  const bool equal = g.tiles[0] == g.tiles[1] && g.tiles[1] == g.tiles[2];
  const std::int16_t mark = equal ? SlotPeng : SlotChi;
  std::array<int, 3> images{};
  for (int k = 0; k < 3; ++k) {
    images[k] = NextImage(t);
    if (images[k] < 0) return;
  }
  for (int k = 0; k < 3; ++k) s.Slots[m - 2 + k] = {mark, g.tiles[k], static_cast<std::int16_t>(images[k])};
  PlaceMeld(c, view, m - 2, g.tiles, mark);
  if (g.kong) {
    const int top = NextImage(t);
    if (top >= 0) PlaceKongTop(c, view, m - 1, top, g.tiles[0], false);
    InstallTileSize(c.view, TileSizeSet::ConcealedAfterClaim, view);
    CountKong(c);
  }
  s.MeldTop = static_cast<std::int16_t>(m + 3);
  s.HandStart = static_cast<std::int16_t>(s.HandStart + 3);
}

void LayConcealed(Client& c, int view, TileCode tile) {
  TableState& t = c.table;
  SeatRec& s = t.Detail[view];
  const int slot = s.HandStart + s.HandCount;
  if (slot >= kSlotsPerSeat) return;
  const int image = NextImage(t);
  if (image < 0) return;
  ++s.HandCount;
  s.Slots[slot] = {SlotHand, tile, static_cast<std::int16_t>(image)};
  // A player sees the own tiles; a watcher sees the row face down.
  const bool faceUp = view == 0 && !t.Spectator && IsValidTile(tile);
  PlaceHandTile(c, view, slot, image, faceUp ? tile : NoTile, false);
}

// The own hand as play leaves it: sorted, a drawn tile set apart.
void SettleOwnHand(Client& c) {
  TableState& t = c.table;
  SeatRec& own = t.Detail[0];
  if (t.Spectator || own.HandCount == 0) return;
  const bool drawn = (own.HandCount - 2) % 3 == 0;
  SortHand(c, 0, drawn ? own.HandCount - 1 : own.HandCount);
  InstallTileSize(c.view, TileSizeSet::ConcealedHand, 0);
  RelayHand(c, 0);
  if (drawn) {
    const TileSlot& last = own.Slots[own.HandStart + own.HandCount - 1];
    PlaceHandTile(c, 0, own.HandStart + own.HandCount - 1, last.Img, last.Tile, true);
  }
}

void CloseRestore(Client& c) {
  TableState& t = c.table;
  ViewModel& v = c.view;
  RestoreState& r = t.restore;
  r.Received = 0;
  ShowWildcardPanel(c);

  // The back pointer after the replacement draws.
  TableState walk;
  walk.WallBack = r.WallBackAtStart;
  walk.IndicatorPos = t.IndicatorPos;
  for (int k = 0; k < BackDraws(r); ++k) StepWallBack(walk);
  t.WallBack = walk.WallBack;
  t.IndicatorTaken = walk.IndicatorTaken;

  // The rivers, face down, from the images still unused.
  for (int view = 0; view < 4; ++view)
    for (int k = 0; k < r.RiverCount[view]; ++k) {
      const int image = NextImage(t);
      if (image < 0) break;
      LayRiverTile(c, view, image, NoTile);
      if (view == 0) SendToBack(v, v.MJ_Image[image]);
    }
  // Used images no seat holds any more stay off the table; every other
  // position lies in the wall face down, the indicator keeping its face.
  const std::array<bool, kTilesInSet> laid = t.WallTaken;
  for (int p : UsedPositions(t)) {
    if (!laid[p]) v.MJ_Image[p].visible = false;
    t.WallTaken[p] = true;
  }
  for (int p = 0; p < kTilesInSet; ++p) {
    if (t.WallTaken[p]) continue;
    const bool indicator = p == t.IndicatorPos && IsValidTile(t.HunIndicator) && !t.IndicatorTaken;
    ShowTileFace(c, p, indicator ? TileFaceIndex(p / kWallSideLength, t.HunIndicator) : LyingBackFace(p / kWallSideLength));
  }
  // No discard waits at the centre: every river tile is laid.
  t.LastDiscardImg = -1;
  t.DiscardClaimed = false;
  v.rivers.DiscardSettled = true;
  v.rivers.WallOpened = true;
  t.WallFront = static_cast<std::int16_t>(Wrap(t.WallFront + r.FrontUsed));
  // The hand is in play: draws are single draws, not the deal.
  t.bInGame = true;
  if (t.IncrementalRedraw < 1) t.IncrementalRedraw = 1;
  t.SingleDraws = 5;
  SettleOwnHand(c);
  InstallTileSizes(v, TileSizeSet::ConcealedAfterClaim);
}

// A seat's message is laid into the record the table reset left: a second
// message for the seat (a repeated restore) or one for a seat that holds
// tiles already (dealt without a reset) would pile tiles over tiles.
bool SeatAwaitsRestore(const TableState& t, int view) {
  const SeatRec& s = t.Detail[view];
  const int meldTop = view == 0 ? kOwnMeldTopReset : kOtherMeldTopReset;
  return !t.restore.Restored[view] && s.HandStart == kHandStartReset && s.HandCount == 0 && s.MeldTop == meldTop &&
         s.RedAside == 0 && s.SpecialAside == 0;
}

}  // namespace

void OnRestore(Client& c, MsgInfo& info) {
  TableState& t = c.table;
  if (!IsSeatMask(info.seat) || t.OwnMask() == 0) return;
  const int view = ViewPos(t.OwnMask(), info.seat);
  // Ignored whole: the first message of a seat stands until the next reset.
  if (!SeatAwaitsRestore(t, view)) return;
  t.restore.Restored[view] = true;
  if (view == 0) c.players.PlayerInfo[0].OpenHand = false;
  RestoreState& r = t.restore;
  r.RiverCount[view] = info.ext7;
  const auto front = static_cast<std::int16_t>(std::clamp<int>(info.value[1], 0, kTilesInSet));
  const auto back = static_cast<std::int16_t>(std::clamp<int>(info.value[3], 0, 135));
  if (++r.Received == 1) {
    r.FrontUsed = front;
    r.BackUsed = back;
    // Each restore takes its images afresh from the wall's front.
    r.WallOffset = 0;
    r.WallBackAtStart = t.WallBack;
  }
  r.FrontUsed = std::max(r.FrontUsed, front);
  r.BackUsed = std::min(r.BackUsed, back);

  std::vector<TileCode> shown, concealed;
  for (std::size_t i = 0; i < kPairs; ++i) {
    const std::uint8_t kind = c.conn.Msg[frame_offset::kPayload + 2 * i];
    const TileCode tile = c.conn.Msg[frame_offset::kPayload + 2 * i + 1];
    if (kind >> 4 == 2 && IsValidTile(tile)) shown.push_back(tile);
    if (kind >> 4 == 1 && static_cast<int>(concealed.size()) < kMaxConcealed) concealed.push_back(tile);
  }
  const TileCode special = SpecialTile(t);
  std::vector<TileCode> melded;
  for (TileCode tile : shown) {
    if (tile == kRedDragon || (special != NoTile && tile == special))
      LayAside(c, view, tile);
    else
      melded.push_back(tile);
  }
  for (const Group& g : MeldsOf(melded)) LayMeld(c, view, g);
  for (TileCode tile : concealed) LayConcealed(c, view, tile);
  if (r.Received >= 4) CloseRestore(c);
  ++c.view.revision;
  c.platform.ViewChanged();
}

}  // namespace vask
