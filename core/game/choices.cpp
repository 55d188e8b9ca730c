#include "core/game/choices.h"

#include <algorithm>

#include "core/client.h"
#include "core/game/operations.h"
#include "core/view/hands.h"

namespace vask {

namespace {

constexpr float kPickScale = 0.8f;
constexpr int kMaxKongPicks = 5;

void ShowPick(Client& c, Control& pick, TileCode tile, float x, float y) {
  PutPicture(c, c.pics.TileFacePics[TileFaceIndex(kOwnHandFaceSet, tile)], pick);
  pick.w = kPickScale * c.view.TileW[0];
  pick.h = kPickScale * c.view.TileH[0];
  pick.x = x;
  pick.y = y;
  pick.visible = pick.enabled = true;
  BringToFront(c.view, pick);
}

bool IsWildcardKong(const Client& c, TileCode tile) { return IsHun(c.table.HunTiles, tile); }

// Plays the kong voice, then requests candidate k with its kind.
void RequestKong(Client& c, int k, bool withVoice) {
  TableState& t = c.table;
  const int slot = t.KongSlots[k];
  const int kind = t.KongKinds[k];
  const TileCode tile = t.Detail[0].Slots[std::clamp(slot, 0, kSlotsPerSeat - 1)].Tile;
  if (withVoice) PlaySeatVoice(c, 0, kind == OpAnGang && IsWildcardKong(c, tile) ? voice::kWildcardKong : voice::kKong);
  bool sent = false;
  if (kind == OpBuGang) sent = SendBuGang(c, slot);
  else if (kind == OpAnGang) sent = SendAnGang(c, slot);
  else sent = SendMingGang(c, slot);
  if (!sent) GiveUpClaim(c);
}

}  // namespace

void ClosePicks(Client& c) {
  for (Control& pick : c.view.Chi) pick.visible = pick.enabled = false;
  for (Control& pick : c.view.Gang) pick.visible = pick.enabled = false;
  ++c.view.revision;
}

void ChiChoice(Client& c) {
  TableState& t = c.table;
  SeatRec& own = t.Detail[0];
  SortHand(c, 0, own.HandCount);
  own.HunCount = 0;  // wildcards count as their own face here
  t.ChiCandidates = 0;
  const TileCode d = t.LastDiscard;
  // Runs exist in the three number suits only.
  if (IsValidTile(d) && TileSuit(d) != SuitHonour) {
    // The last slot holding each rank of the discard's suit: the sort puts
    // wildcards at the left, away from their suit, so the whole hand is
    // searched rather than one stretch of the suit.
    std::array<int, 11> lastOf{};
    lastOf.fill(-1);
    for (int i = own.HandStart; i < own.HandStart + own.HandCount; ++i)
      if (TileSuit(own.Slots[i].Tile) == TileSuit(d)) lastOf[TileRank(own.Slots[i].Tile)] = i;
    auto has = [&](int rank) { return rank >= 1 && rank <= 9 && lastOf[rank] >= 0; };
    auto add = [&](int x, int y) {
      t.ChiSlots[2 * t.ChiCandidates] = static_cast<std::int16_t>(lastOf[x]);
      t.ChiSlots[2 * t.ChiCandidates + 1] = static_cast<std::int16_t>(lastOf[y]);
      ++t.ChiCandidates;
    };
    const int r = TileRank(d);
    if (r > 2 && has(r - 2) && has(r - 1)) add(r - 2, r - 1);
    if (r > 1 && r < 9 && has(r - 1) && has(r + 1)) add(r - 1, r + 1);
    if (r < 8 && has(r + 1) && has(r + 2)) add(r + 1, r + 2);
  }

  ViewModel& v = c.view;
  if (t.ChiCandidates == 0) return GiveUpClaim(c);
  if (t.ChiCandidates == 1) {
    v.Operation[kChowButton].visible = false;
    if (!SendChi(c, t.ChiSlots[0], t.ChiSlots[1])) GiveUpClaim(c);
    return;
  }
  for (int k = 1; k < 5; ++k) v.Operation[k].visible = v.Operation[k].enabled = false;
  // Two pictures per row beside the chow button, rows stacked upwards.
  const float w = kPickScale * v.TileW[0], h = kPickScale * v.TileH[0];
  for (int k = 0; k < 2 * t.ChiCandidates; ++k) {
    const TileCode tile = own.Slots[t.ChiSlots[k]].Tile;
    ShowPick(c, v.Chi[k], tile, v.Operation[kPungButton].x + (k % 2) * w, v.Operation[kChowButton].y - (k / 2) * h);
  }
  c.platform.ViewChanged();
}

void KongChoice(Client& c) {
  TableState& t = c.table;
  SeatRec& own = t.Detail[0];
  t.KongCandidates = 0;
  auto add = [&](int slot, int kind) {
    if (t.KongCandidates >= static_cast<int>(t.KongSlots.size())) return;
    t.KongSlots[t.KongCandidates] = static_cast<std::int16_t>(slot);
    t.KongKinds[t.KongCandidates] = static_cast<std::int16_t>(kind);
    ++t.KongCandidates;
  };
  const int handEnd = own.HandStart + own.HandCount;
  if (t.KongOffer & OpBuGang) {
    for (int first = 1; first <= own.MeldTop - 5; first += 3) {
      if (own.Slots[first].Mark != SlotPeng) continue;
      for (int i = own.HandStart; i < handEnd; ++i)
        if (own.Slots[i].Tile == own.Slots[first].Tile) {
          add(i, OpBuGang);
          break;
        }
    }
  }
  if (t.KongOffer & OpMingGang)
    for (int g = own.HandStart; g + 2 < handEnd; ++g)
      if (own.Slots[g].Tile == own.Slots[g + 2].Tile && own.Slots[g].Tile == t.LastDiscard) add(g, OpMingGang);
  if (t.KongOffer & OpAnGang)
    for (int g = own.HandStart; g + 3 < handEnd; ++g)
      if (own.Slots[g].Tile == own.Slots[g + 3].Tile && IsValidTile(own.Slots[g].Tile)) add(g, OpAnGang);

  if (t.KongCandidates == 0) return GiveUpClaim(c);
  // Auto-play takes the first candidate; so does a single one.
  if (t.PanelState == 3 || t.KongCandidates == 1) return RequestKong(c, 0, t.PanelState != 3);
  ViewModel& v = c.view;
  const float h = kPickScale * v.TileH[0];
  for (int k = 0; k < std::min<int>(t.KongCandidates, kMaxKongPicks); ++k) {
    const TileCode tile = own.Slots[t.KongSlots[k]].Tile;
    ShowPick(c, v.Gang[k], tile, v.Operation[kWinButton].x, v.Operation[kChowButton].y - kPickScale * k * h);
  }
  c.platform.ViewChanged();
}

void PickChow(Client& c, int k) {
  TableState& t = c.table;
  if (k < 0 || k >= 6 || !c.view.Chi[k].visible || t.PanelState == 3) return;
  const int first = k % 2 == 1 ? k - 1 : k;
  if (first + 1 >= 2 * t.ChiCandidates) return;
  t.ChiSlots[0] = t.ChiSlots[first];
  t.ChiSlots[1] = t.ChiSlots[first + 1];
  ClosePicks(c);
  c.view.Operation[kChowButton].visible = false;
  if (!SendChi(c, t.ChiSlots[0], t.ChiSlots[1])) GiveUpClaim(c);
  c.platform.ViewChanged();
}

void PickKong(Client& c, int k) {
  TableState& t = c.table;
  if (k < 0 || k >= kMaxKongPicks || !c.view.Gang[k].visible || t.PanelState == 3) return;
  if (k >= t.KongCandidates) return;
  ClosePicks(c);
  HideClaimButtons(c, 0b11111);
  if (t.KongOffer & OpBuGang) PlaySeatVoice(c, 0, voice::kKong);
  const bool concealed = t.KongKinds[k] == OpAnGang;
  if (t.KongKinds[k] == OpBuGang) t.KongSlots[0] = t.KongSlots[k];
  RequestKong(c, k, concealed);
  c.platform.ViewChanged();
}

}  // namespace vask
