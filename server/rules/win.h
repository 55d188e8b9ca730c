#pragma once
// Whether a hand wins, and which winning categories it earns.
//
// A winning hand is the concealed tiles (winning tile included, 3k + 2 of
// them) split into k melds (pungs or runs of one suit) and one pair, where a
// wildcard stands for any tile. Laid melds are complete already and do not
// take part. The categories are those the settlement names:
//   天胡 the dealer wins on the deal; 地胡 another seat wins on its first draw
//   before any claim; 抢胡 a seat wins on the tile another adds to a pung;
//   杠开 / 暗杠杠开 a win on the replacement tile of a kong / concealed kong;
//   素的 no wildcard in the hand; 本 the hand wins with every wildcard standing
//   for itself; 龙 the hand holds 1..9 of one suit (本混龙 when that too
//   needs no wildcard to stand in); 混吊 the winning tile pairs with a
//   wildcard; 双混吊 the winning tile is a wildcard and pairs with another;
//   捉五 the winning 5 of 万 sits between the 4 and the 6.
// 诈胡 (a false win) and 提溜 are never awarded: the server refuses false
// wins instead of penalising them.
#include <array>
#include <cstdint>

#include "server/rules/tile_set.h"

namespace vask::server {

bool IsCompleteHand(const Tiles& concealed, const HunList& hun);
// The hand (3k + 1 tiles) with one more tile.
bool WinsWith(const Tiles& hand, TileCode tile, const HunList& hun);

// How the hand came to win, as far as it decides a category.
enum class WinOccasion : std::uint8_t {
  Ordinary,
  Heavenly,            // 天胡
  Earthly,             // 地胡
  RobbedKong,          // 抢胡
  KongReplacement,     // 杠开
  ConcealedKongDraw,   // 暗杠杠开
};

// The four flag bytes of the settlement (high and low nibbles as the client
// reads them) and the factor they give the win.
struct WinCategories {
  std::array<std::uint8_t, 4> flags{};
  int multiplier = 1;
};

// `concealed` holds the winning tile too.
WinCategories JudgeWin(const Tiles& concealed, TileCode winTile, WinOccasion occasion, const HunList& hun);

}  // namespace vask::server
