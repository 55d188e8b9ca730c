#include "server/rules/scoring.h"

#include <algorithm>
#include <numeric>

namespace vask::server {

int DealerFactor(const PullStates& p) { return p.dealerSat ? 4 : 2; }

int PullFactor(int pulls) { return 1 << std::clamp(pulls, 0, 2); }

int Share(int payee, int payer, int dealer, const PullStates& p) {
  if (payee == dealer) return PullFactor(p.pulls[static_cast<std::size_t>(payer)]) * DealerFactor(p);
  if (payer == dealer) return PullFactor(p.pulls[static_cast<std::size_t>(payee)]) * DealerFactor(p);
  return 1;
}

int KongUnits(const KongEntry& k, const HunList& hun) {
  if (k.op != kOpAnGang) return 1;
  return IsHun(hun, k.tile) ? 8 : 2;
}

namespace {
void Transfer(Amounts& a, int payee, int payer, int amount) {
  a[static_cast<std::size_t>(payee)] += amount;
  a[static_cast<std::size_t>(payer)] -= amount;
}
}  // namespace

Amounts KongPayments(const std::vector<KongEntry>& kongs, int dealer, const PullStates& p, const HunList& hun) {
  Amounts a{};
  for (const KongEntry& k : kongs)
    for (int payer = 0; payer < 4; ++payer)
      if (payer != k.owner) Transfer(a, k.owner, payer, Share(k.owner, payer, dealer, p) * KongUnits(k, hun));
  return a;
}

Amounts WinPayments(int winner, int payer, int multiplier, int dealer, const PullStates& p) {
  Amounts a{};
  for (int s = 0; s < 4; ++s) {
    if (s == winner || (payer >= 0 && s != payer)) continue;
    Transfer(a, winner, s, Share(winner, s, dealer, p) * multiplier);
  }
  return a;
}

int Sum(const Amounts& a) { return std::accumulate(a.begin(), a.end(), 0); }

}  // namespace vask::server
