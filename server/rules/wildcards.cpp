#include "server/rules/wildcards.h"

#include <algorithm>

namespace vask::server {

namespace {
constexpr int kWinds = 4;
constexpr int kDragonFirst = 5;
constexpr int kDragonLast = 7;

bool IsWind(TileCode t) { return TileSuit(t) == SuitHonour && TileRank(t) <= kWinds; }
}  // namespace

std::array<TileCode, 3> AnnouncedWildcards(TileCode ind) {
  int suit = TileSuit(ind);
  int rank = TileRank(ind);
  if (IsWind(ind)) {
    // Any two other winds; the client fills in all four from the indicator.
    return {MakeTile(SuitHonour, rank % kWinds + 1), MakeTile(SuitHonour, (rank + 1) % kWinds + 1), ind};
  }
  if (suit == SuitHonour) {
    auto next = [](int r) { return r == kDragonLast ? kDragonFirst : r + 1; };
    return {MakeTile(suit, next(rank)), MakeTile(suit, next(next(rank))), ind};
  }
  int below = rank == 1 ? 9 : rank - 1;
  int above = rank == 9 ? 1 : rank + 1;
  return {MakeTile(suit, below), MakeTile(suit, above), ind};
}

HunList WildcardsOf(TileCode ind) {
  if (!IsValidTile(ind)) return {};
  if (IsWind(ind)) return {0x11, 0x12, 0x13, 0x14};
  std::array<TileCode, 3> three = AnnouncedWildcards(ind);
  std::sort(three.begin(), three.end());
  return {three[0], three[1], three[2], NoTile};
}

}  // namespace vask::server
