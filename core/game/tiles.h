#pragma once
// Tile codes, names and picture-face addressing.
#include <array>
#include <cstdint>
#include <string>

namespace vask {

// A tile code: suit bit in bits 4..7, rank in bits 0..3; 0 is no tile.
using TileCode = std::uint16_t;
inline constexpr TileCode NoTile = 0;

inline constexpr int SuitHonour = 1;     // 字
inline constexpr int SuitBamboo = 2;     // 条
inline constexpr int SuitCharacter = 4;  // 万
inline constexpr int SuitDot = 8;        // 筒

inline constexpr int kTilesInSet = 136;
inline constexpr int kWallSideLength = 34;
inline constexpr int kFaceEntries = 180;
inline constexpr int kOwnHandFaceSet = 4;
inline constexpr int kRedDragon = 0x15;

constexpr int TileSuit(TileCode t) { return (t >> 4) & 0x0F; }
constexpr int TileRank(TileCode t) { return t & 0x0F; }
constexpr TileCode MakeTile(int suit, int rank) {
  return static_cast<TileCode>(((suit & 0x0F) << 4) | (rank & 0x0F));
}
// Only the low byte carries the tile.
constexpr TileCode TileOf(int received) { return static_cast<TileCode>(received & 0xFF); }
// How a tile is written into a claim request.
constexpr std::int16_t ClaimTileCode(TileCode t) {
  return static_cast<std::int16_t>((t & 0x0FFF) | 0x2000);
}

// 0..3 = log2 of the suit bit: honours 0, bamboo 1, characters 2, dots 3.
int SuitIndex(int suitBit);
// Voice files exchange characters and dots: 1, 2, 4 (dots), 8 (characters).
int SoundSuit(int suitBit);
// "东风" .. "白板", "3条", "5万", "9筒"; empty for anything else.
std::string TileName(int rank, int suitBit);
// 36 × face set + 9 × suit index + rank − 1.
int TileFaceIndex(int faceSet, int suitBit, int rank);
inline int TileFaceIndex(int faceSet, TileCode t) { return TileFaceIndex(faceSet, TileSuit(t), TileRank(t)); }
// The two face-down entries of each set.
inline int StandingBackFace(int faceSet) { return 36 * faceSet + 7; }
inline int LyingBackFace(int faceSet) { return 36 * faceSet + 8; }

// The wildcards of the hand: ascending, empty entries (0) at the end.
using HunList = std::array<TileCode, 4>;
bool IsHun(const HunList& hun, TileCode t);
// True when a received code names a real tile of the set.
bool IsValidTile(TileCode t);

}  // namespace vask
