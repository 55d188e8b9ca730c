#pragma once
// What each seat pays or earns in a hand, in room stakes. Every amount is a
// transfer between two seats, so the four results always sum to zero.
//
// The shares follow the settlement the client prints: the dealer's factor f
// is 2, or 4 once the dealer sat (坐庄); a seat that pulled the dealer (拉庄)
// once has the factor 2, twice 4. Between the dealer and another seat s a
// unit is worth P(s) × f; between two other seats it is worth 1.
#include <array>
#include <vector>

#include "server/rules/claims.h"

namespace vask::server {

struct PullStates {
  std::array<int, 4> pulls{};  // 0..2 per seat, by absolute seat
  bool dealerSat = false;
};

int DealerFactor(const PullStates& p);
int PullFactor(int pulls);
// Units the payer hands the payee for one unit of the payee's gain.
int Share(int payee, int payer, int dealer, const PullStates& p);

struct KongEntry {
  int owner = 0;
  int op = kOpMingGang;  // kOpMingGang, kOpAnGang or kOpBuGang
  TileCode tile = NoTile;
};
// Exposed and added kongs are worth 1, concealed ones 2, a concealed kong of
// a wildcard (金杠) 8.
int KongUnits(const KongEntry& k, const HunList& hun);

using Amounts = std::array<int, 4>;
Amounts KongPayments(const std::vector<KongEntry>& kongs, int dealer, const PullStates& p, const HunList& hun);
// `payer` -1: every other seat pays (the winner drew the tile itself).
Amounts WinPayments(int winner, int payer, int multiplier, int dealer, const PullStates& p);

int Sum(const Amounts& a);

}  // namespace vask::server
