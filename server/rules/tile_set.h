#pragma once
// The 136-tile set the server deals from, and tile kinds as array indices.
#include <array>
#include <cstdint>
#include <vector>

#include "core/game/tiles.h"

namespace vask::server {

// 34 kinds: characters 0..8, bamboo 9..17, dots 18..26, winds 27..30,
// dragons 31..33. Runs only exist inside one of the three number blocks.
inline constexpr int kKinds = 34;
inline constexpr int kCopies = 4;

using KindCounts = std::array<int, kKinds>;
using Tiles = std::vector<TileCode>;

// -1 for a code that is no tile of the set.
int KindOf(TileCode t);
TileCode TileOfKind(int kind);
bool IsNumberKind(int kind);
// Rank 1..9 (number kinds) or 1..7 (honours).
int RankOfKind(int kind);

// Four copies of each kind, in kind order.
std::array<TileCode, kTilesInSet> FullSet();

KindCounts CountKinds(const Tiles& tiles);
int CountOf(const Tiles& tiles, TileCode t);
// Removes one copy; false when there is none.
bool RemoveOne(Tiles& tiles, TileCode t);
// Removes n copies only when all are there.
bool RemoveCopies(Tiles& tiles, TileCode t, int n);

}  // namespace vask::server
