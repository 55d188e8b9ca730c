#include "core/game/table.h"

#include <algorithm>

namespace vask {

void ClearSeatTiles(TableState& t) {
  for (int v = 0; v < 4; ++v) {
    SeatRec& s = t.Detail[v];
    for (TileSlot& slot : s.Slots) {
      slot.Mark = SlotEmpty;
      slot.Img = -1;
    }
    s.HandStart = kHandStartReset;
    s.HandCount = 0;
    s.HunCount = 0;
    s.RedAside = 0;
    s.SpecialAside = 0;
    s.MeldTop = v == 0 ? kOwnMeldTopReset : kOtherMeldTopReset;
  }
  for (auto& row : t.AsideImg) row.fill(0);
}

void ResetSeatRecords(TableState& t) {
  for (SeatRec& s : t.Detail) {
    s.SeatTotal = 0;
    s.IsDealer = false;
  }
  ClearSeatTiles(t);
  t.IncrementalRedraw = -1;
  t.DrawFromFront = true;
  t.MustDiscard = false;
  for (auto& row : t.RevealedTiles) row.fill(NoTile);
  t.bInGame = false;
  t.WinnerView = -1;
}

void ClearSlotTiles(TableState& t) {
  for (SeatRec& s : t.Detail)
    for (TileSlot& slot : s.Slots) slot.Tile = NoTile;
}

int HandSlotOfImage(const TableState& t, int image) {
  const SeatRec& own = t.Detail[0];
  int end = std::min<int>(own.HandStart + own.HandCount, kSlotsPerSeat);
  for (int i = std::max<int>(own.HandStart, 0); i < end; ++i)
    if (own.Slots[i].Img == image && image >= 0) return i;
  return -1;
}

bool IsOwnHandImage(const TableState& t, int image) { return HandSlotOfImage(t, image) >= 0; }

std::uint32_t SortHandCodes(TableState& t, int view, int n) {
  SeatRec& s = t.Detail[view & 3];
  const int first = std::clamp<int>(s.HandStart, 0, kSlotsPerSeat - 1);
  n = std::clamp(n, 0, kSlotsPerSeat - first);
  const int last = first + n - 1;
  auto code = [&](int i) -> TileCode& { return s.Slots[i].Tile; };
  auto low = [](TileCode c) { return static_cast<TileCode>(c & 0xFF); };

  std::array<TileCode, kSlotsPerSeat> before{};
  for (int i = first; i <= last; ++i) before[i] = code(i);

  // Count the wildcards; an empty entry matches nothing.
  std::array<int, 4> perEntry{};
  s.HunCount = 0;
  for (int i = first; i <= last; ++i)
    for (int m = 0; m < 4; ++m)
      if (t.HunTiles[m] != NoTile && low(t.HunTiles[m]) == low(code(i))) {
        ++s.HunCount;
        ++perEntry[m];
      }

  // Suit bit descending (dots, characters, bamboo, honours), rank ascending.
  for (int i = first; i < last; ++i)
    for (int j = i + 1; j <= last; ++j) {
      int si = TileSuit(code(i)), sj = TileSuit(code(j));
      if (si < sj || (si == sj && TileRank(code(i)) > TileRank(code(j)))) std::swap(code(i), code(j));
    }

  // Move each wildcard group to the left, entry 0 ending leftmost.
  for (int m = 3; m >= 0; --m) {
    if (t.HunTiles[m] == NoTile || perEntry[m] == 0) continue;
    int f = -1;
    for (int i = first; i <= last; ++i)
      if (low(code(i)) == low(t.HunTiles[m])) {
        f = i;
        break;
      }
    if (f < 0) continue;
    int count = std::min(perEntry[m], last - f + 1);
    for (int k = f - 1; k >= first; --k) code(k + count) = code(k);
    for (int k = first; k < first + count; ++k) code(k) = t.HunTiles[m];
  }

  std::uint32_t changed = 0;
  for (int i = first; i <= last; ++i)
    if (code(i) != before[i]) changed |= 1u << i;
  return changed;
}

}  // namespace vask
