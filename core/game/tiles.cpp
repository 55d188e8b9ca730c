#include "core/game/tiles.h"

#include "core/game/seats.h"

namespace vask {

int SuitIndex(int suitBit) { return SeatIndex(static_cast<std::uint8_t>(suitBit)); }

int SoundSuit(int suitBit) {
  if (suitBit == SuitCharacter) return SuitDot;
  if (suitBit == SuitDot) return SuitCharacter;
  return suitBit;
}

std::string TileName(int rank, int suitBit) {
  static constexpr const char* kHonours[] = {"东风", "南风", "西风", "北风", "红中", "发财", "白板"};
  switch (suitBit) {
    case SuitHonour:
      return rank >= 1 && rank <= 7 ? kHonours[rank - 1] : "";
    case SuitBamboo:
      return std::to_string(rank) + "条";
    case SuitCharacter:
      return std::to_string(rank) + "万";
    case SuitDot:
      return std::to_string(rank) + "筒";
    default:
      return "";
  }
}

int TileFaceIndex(int faceSet, int suitBit, int rank) {
  return 36 * faceSet + 9 * SuitIndex(suitBit) + rank - 1;
}

bool IsHun(const HunList& hun, TileCode t) {
  TileCode low = t & 0xFF;
  if (low == NoTile) return false;
  for (TileCode h : hun)
    if (h != NoTile && (h & 0xFF) == low) return true;
  return false;
}

bool IsValidTile(TileCode t) {
  if (t > 0xFF) return false;
  int rank = TileRank(t);
  switch (TileSuit(t)) {
    case SuitHonour:
      return rank >= 1 && rank <= 7;
    case SuitBamboo:
    case SuitCharacter:
    case SuitDot:
      return rank >= 1 && rank <= 9;
    default:
      return false;
  }
}

}  // namespace vask
