#pragma once
// What a seat may do with a discard or on its own turn, whether a request
// matches, and which of several claims on one discard goes through.
#include <array>
#include <optional>
#include <vector>

#include "server/rules/tile_set.h"

namespace vask::server {

// Operation types: offer bits of command 6, request and result types of
// command 7.
enum Op : int {
  kOpPass = 1,
  kOpChi = 4,
  kOpPeng = 8,
  kOpMingGang = 16,
  kOpAnGang = 32,
  kOpBuGang = 64,
  kOpHu = 128,
};
inline constexpr int kKongOps = kOpMingGang | kOpAnGang | kOpBuGang;

enum class MeldKind : std::uint8_t { Chow, Pung, ExposedKong, ConcealedKong, AddedKong };

struct Meld {
  MeldKind kind = MeldKind::Pung;
  // A chow's three tiles in the order they were sent; any other meld holds
  // its one tile three times.
  std::array<TileCode, 3> tiles{};
  TileCode Tile() const { return tiles[0]; }
  bool IsKong() const { return kind != MeldKind::Chow && kind != MeldKind::Pung; }
};

struct SeatTiles {
  Tiles hand;
  std::vector<Meld> melds;
};

// Offer bits for a seat that is not the discarder. `nextSeat`: it plays right
// after the discarder, the only seat that may chow. `canReplace`: a
// replacement tile is left for a kong. The pass bit comes with any offer.
int DiscardOffers(const SeatTiles& seat, TileCode discard, bool nextSeat, bool canReplace, const HunList& hun);
// Offer bits on the own turn (hand of 3k + 2 tiles). `mayWin` is false right
// after a chow or pung, when the seat has not drawn.
int TurnOffers(const SeatTiles& seat, bool mayWin, bool canReplace, const HunList& hun);

// The two hand tiles of a chow request whose three tiles are `sent`, or
// nullopt when they do not make a run with the discard from the hand.
std::optional<std::array<TileCode, 2>> ChowFromHand(const Tiles& hand, TileCode discard,
                                                    const std::array<TileCode, 3>& sent);
bool CanConcealedKong(const Tiles& hand, TileCode t);
bool CanAddedKong(const SeatTiles& seat, TileCode t);

// 3 win, 2 kong or pung, 1 chow, 0 pass or nothing.
int ClaimRank(int op);
// Seats after the discarder in playing order: 1 for the next seat, 3 for the
// one before it.
int Distance(int discarder, int seat);

struct Claim {
  int seat = -1;
  int op = 0;
};
// The claim that goes through among `claims` on a discard by `discarder`:
// win over kong and pung over chow; among equal ones the seat nearest after
// the discarder. Passes never win.
std::optional<Claim> WinningClaim(int discarder, const std::vector<Claim>& claims);
// Whether a seat that has not answered, holding `offers`, could still beat
// `best`.
bool CouldBeat(int discarder, int seat, int offers, const std::optional<Claim>& best);

}  // namespace vask::server
