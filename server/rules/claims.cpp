#include "server/rules/claims.h"

#include <algorithm>

#include "server/rules/win.h"

namespace vask::server {

namespace {

bool HasRunWith(const Tiles& hand, TileCode discard) {
  int k = KindOf(discard);
  if (!IsNumberKind(k)) return false;
  int rank = RankOfKind(k);
  auto has = [&](int offset) {
    int r = rank + offset;
    return r >= 1 && r <= 9 && CountOf(hand, TileOfKind(k + offset)) > 0;
  };
  return (has(-2) && has(-1)) || (has(-1) && has(1)) || (has(1) && has(2));
}

int WithPass(int offers) { return offers ? offers | kOpPass : 0; }

}  // namespace

int DiscardOffers(const SeatTiles& seat, TileCode discard, bool nextSeat, bool canReplace, const HunList& hun) {
  int offers = 0;
  int copies = CountOf(seat.hand, discard);
  if (WinsWith(seat.hand, discard, hun)) offers |= kOpHu;
  if (copies >= 3 && canReplace) offers |= kOpMingGang;
  if (copies >= 2) offers |= kOpPeng;
  if (nextSeat && HasRunWith(seat.hand, discard)) offers |= kOpChi;
  return WithPass(offers);
}

int TurnOffers(const SeatTiles& seat, bool mayWin, bool canReplace, const HunList& hun) {
  int offers = 0;
  if (mayWin && IsCompleteHand(seat.hand, hun)) offers |= kOpHu;
  if (canReplace) {
    for (TileCode t : seat.hand) {
      if (CanConcealedKong(seat.hand, t)) offers |= kOpAnGang;
      if (CanAddedKong(seat, t)) offers |= kOpBuGang;
    }
  }
  return WithPass(offers);
}

std::optional<std::array<TileCode, 2>> ChowFromHand(const Tiles& hand, TileCode discard,
                                                    const std::array<TileCode, 3>& sent) {
  Tiles rest(sent.begin(), sent.end());
  if (!RemoveOne(rest, discard)) return std::nullopt;
  std::array<int, 3> kinds{KindOf(rest[0]), KindOf(rest[1]), KindOf(discard)};
  std::sort(kinds.begin(), kinds.end());
  if (!IsNumberKind(kinds[0]) || kinds[0] / 9 != kinds[2] / 9) return std::nullopt;
  if (kinds[1] != kinds[0] + 1 || kinds[2] != kinds[0] + 2) return std::nullopt;
  Tiles left = hand;
  if (!RemoveOne(left, rest[0]) || !RemoveOne(left, rest[1])) return std::nullopt;
  return std::array<TileCode, 2>{rest[0], rest[1]};
}

bool CanConcealedKong(const Tiles& hand, TileCode t) { return CountOf(hand, t) >= 4; }

bool CanAddedKong(const SeatTiles& seat, TileCode t) {
  if (CountOf(seat.hand, t) < 1) return false;
  return std::any_of(seat.melds.begin(), seat.melds.end(),
                     [&](const Meld& m) { return m.kind == MeldKind::Pung && m.Tile() == t; });
}

int ClaimRank(int op) {
  switch (op) {
    case kOpHu: return 3;
    case kOpMingGang:
    case kOpPeng: return 2;
    case kOpChi: return 1;
    default: return 0;
  }
}

int Distance(int discarder, int seat) { return ((seat - discarder) % 4 + 4) % 4; }

namespace {
bool Beats(int discarder, const Claim& a, const Claim& b) {
  if (ClaimRank(a.op) != ClaimRank(b.op)) return ClaimRank(a.op) > ClaimRank(b.op);
  return Distance(discarder, a.seat) < Distance(discarder, b.seat);
}

int BestRankOffered(int offers) {
  int best = 0;
  for (int op : {kOpHu, kOpMingGang, kOpPeng, kOpChi})
    if (offers & op) best = std::max(best, ClaimRank(op));
  return best;
}
}  // namespace

std::optional<Claim> WinningClaim(int discarder, const std::vector<Claim>& claims) {
  std::optional<Claim> best;
  for (const Claim& c : claims) {
    if (ClaimRank(c.op) == 0) continue;
    if (!best || Beats(discarder, c, *best)) best = c;
  }
  return best;
}

bool CouldBeat(int discarder, int seat, int offers, const std::optional<Claim>& best) {
  int rank = BestRankOffered(offers);
  if (rank == 0) return false;
  if (!best) return true;
  int bestRank = ClaimRank(best->op);
  return rank > bestRank || (rank == bestRank && Distance(discarder, seat) < Distance(discarder, best->seat));
}

}  // namespace vask::server
