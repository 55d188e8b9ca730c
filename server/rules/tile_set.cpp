#include "server/rules/tile_set.h"

#include <algorithm>

namespace vask::server {

namespace {
// Number suits in kind order, then honours.
constexpr int kNumberSuits[] = {SuitCharacter, SuitBamboo, SuitDot};
constexpr int kHonourBase = 27;
}  // namespace

int KindOf(TileCode t) {
  if (!IsValidTile(t)) return -1;
  int rank = TileRank(t);
  switch (TileSuit(t)) {
    case SuitCharacter: return rank - 1;
    case SuitBamboo: return 9 + rank - 1;
    case SuitDot: return 18 + rank - 1;
    default: return kHonourBase + rank - 1;
  }
}

TileCode TileOfKind(int kind) {
  if (kind < 0 || kind >= kKinds) return NoTile;
  if (kind >= kHonourBase) return MakeTile(SuitHonour, kind - kHonourBase + 1);
  return MakeTile(kNumberSuits[kind / 9], kind % 9 + 1);
}

bool IsNumberKind(int kind) { return kind >= 0 && kind < kHonourBase; }

int RankOfKind(int kind) { return IsNumberKind(kind) ? kind % 9 + 1 : kind - kHonourBase + 1; }

std::array<TileCode, kTilesInSet> FullSet() {
  std::array<TileCode, kTilesInSet> set{};
  for (int k = 0; k < kKinds; ++k)
    for (int c = 0; c < kCopies; ++c) set[static_cast<std::size_t>(k * kCopies + c)] = TileOfKind(k);
  return set;
}

KindCounts CountKinds(const Tiles& tiles) {
  KindCounts counts{};
  for (TileCode t : tiles)
    if (int k = KindOf(t); k >= 0) ++counts[static_cast<std::size_t>(k)];
  return counts;
}

int CountOf(const Tiles& tiles, TileCode t) {
  return static_cast<int>(std::count(tiles.begin(), tiles.end(), t));
}

bool RemoveOne(Tiles& tiles, TileCode t) {
  auto it = std::find(tiles.begin(), tiles.end(), t);
  if (it == tiles.end()) return false;
  tiles.erase(it);
  return true;
}

bool RemoveCopies(Tiles& tiles, TileCode t, int n) {
  if (CountOf(tiles, t) < n) return false;
  for (int i = 0; i < n; ++i) RemoveOne(tiles, t);
  return true;
}

}  // namespace vask::server
