#include "bots/strategy.h"

#include <algorithm>

#include "core/game/operations.h"
#include "server/rules/win.h"

namespace vask::bots {

namespace {

bool IsWild(const TableState& t, TileCode tile) { return IsHun(t.HunTiles, tile); }

// How much a tile holds the hand together: copies, and neighbours it could
// run with; the middle ranks join more runs than the ends.
int KeepValue(const server::Tiles& hand, TileCode tile) {
  const int kind = server::KindOf(tile);
  if (kind < 0) return -1;
  int value = 4 * (server::CountOf(hand, tile) - 1);
  if (server::IsNumberKind(kind)) {
    const int rank = server::RankOfKind(kind);
    for (int o : {-2, -1, 1, 2}) {
      const int r = rank + o;
      if (r >= 1 && r <= 9 && server::CountOf(hand, server::TileOfKind(kind + o)) > 0) value += (o == 1 || o == -1) ? 2 : 1;
    }
    if (rank != 1 && rank != 9) ++value;
  }
  return value;
}

// The number of kinds that would complete the hand (3k + 1 tiles).
int Waits(const server::Tiles& hand, const HunList& hun) {
  int waits = 0;
  for (int k = 0; k < server::kKinds; ++k)
    if (server::WinsWith(hand, server::TileOfKind(k), hun)) ++waits;
  return waits;
}

}  // namespace

bool ParseStrength(std::string_view text, Strength* out) {
  if (text == "novice") *out = Strength::Novice;
  else if (text == "steady") *out = Strength::Steady;
  else if (text == "sharp") *out = Strength::Sharp;
  else return false;
  return true;
}

server::Tiles OwnHand(const TableState& t) {
  const SeatRec& own = t.Detail[0];
  server::Tiles hand;
  for (int s = own.HandStart; s < own.HandStart + own.HandCount && s < kSlotsPerSeat; ++s)
    if (s >= 0 && own.Slots[s].Tile != NoTile) hand.push_back(own.Slots[s].Tile);
  return hand;
}

int ChooseDiscardSlot(const TableState& t, Strength s, std::uint32_t random) {
  const SeatRec& own = t.Detail[0];
  const server::Tiles hand = OwnHand(t);
  const int first = std::max<int>(own.HandStart, 0);
  const int end = std::min<int>(own.HandStart + own.HandCount, kSlotsPerSeat);
  int best = -1;
  long bestScore = 0;
  for (int slot = first; slot < end; ++slot) {
    const TileCode tile = own.Slots[slot].Tile;
    if (tile == NoTile || own.Slots[slot].Img < 0) continue;
    long score;
    if (s == Strength::Novice) {
      // Anything but a wildcard, more or less at random.
      score = IsWild(t, tile) ? 1000 : static_cast<long>((random >> (slot % 16)) % 7);
    } else {
      score = IsWild(t, tile) ? (1L << 20) : KeepValue(hand, tile);
      if (s == Strength::Sharp && !IsWild(t, tile)) {
        server::Tiles rest = hand;
        server::RemoveOne(rest, tile);
        score -= 16L * Waits(rest, t.HunTiles);
      }
    }
    if (best < 0 || score < bestScore) best = slot, bestScore = score;
  }
  return best;
}

int ChooseClaim(const TableState& t, Strength s) {
  const auto offered = [&](int button) { return t.OpOffer[button] == 2; };
  if (!offered(kChowButton) && !offered(kPungButton) && !offered(kKongButton) && !offered(kWinButton))
    return offered(kPassButton) ? kPassButton : -1;
  if (offered(kWinButton)) return kWinButton;
  if (s == Strength::Novice) return kPassButton;
  if (offered(kKongButton)) return kKongButton;
  if (offered(kPungButton)) return kPungButton;
  if (offered(kChowButton)) {
    // A chow that would break a pair costs more than it brings.
    const server::Tiles hand = OwnHand(t);
    const int kind = server::KindOf(t.LastDiscard);
    if (kind < 0 || !server::IsNumberKind(kind)) return kPassButton;
    const int rank = server::RankOfKind(kind);
    for (int o : {-2, -1, 1, 2}) {
      const int r = rank + o;
      if (r >= 1 && r <= 9 && server::CountOf(hand, server::TileOfKind(kind + o)) >= 2) return kPassButton;
    }
    return kChowButton;
  }
  return kPassButton;
}

}  // namespace vask::bots
