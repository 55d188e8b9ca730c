// The settlement text of a hand: one column per seat with the gold before
// the hand, the stake, the drawn-hand mark, dealer and pull lines, the
// shovel payments, the win with every seat's share and the kong payments.
#include <cmath>
#include <cstdio>

#include "core/client.h"
#include "core/game/tiles.h"
#include "core/settle/score_windows.h"
#include "core/settle/settle_texts.h"
#include "core/settle/settlement.h"

namespace vask {

namespace st = settle_text;

namespace {

std::string Trim(const std::string& s) {
  std::size_t b = 0, e = s.size();
  while (b < e && s[b] == ' ') ++b;
  while (e > b && s[e - 1] == ' ') --e;
  return s.substr(b, e - b);
}

std::string Gold(std::int64_t amount) { return FormatAmount(amount) + st::kGold; }

int DealerOf(const SettledHand& h) {
  int dealer = 0;
  for (int i = 0; i < 4; ++i)
    if (h.IsDealer[i]) dealer = i;
  return dealer;
}

bool Sat(const SettlementStore& s, int seat) { return s.SitFlag[seat] != 0 || s.PullState[seat] == kDealerSat; }

// 2 raised to the seat's pull state: 1, 2 or 4 (8 for a dealer that sat).
std::int64_t PullFactor(const SettlementStore& s, int seat) {
  const int state = s.PullState[seat];
  return state >= 0 && state <= 3 ? std::int64_t{1} << state : 1;
}

void PullLines(std::vector<std::string>& col, int state, bool dealer) {
  switch (state) {
    case kPulledOnce:
      col.push_back(st::kPulled);
      col.push_back(" ");
      return;
    case kPulledTwice:
      col.push_back(st::kPulled);
      col.push_back(st::kPulledAgain);
      return;
    case kDealerSat: col.push_back(st::kSat); return;
    default:
      col.push_back(" ");
      if (!dealer) col.push_back(" ");
      return;
  }
}

// The category text of the winner's flags; empty when there is none.
std::string Categories(const std::array<std::uint8_t, 4>& flags) {
  auto high = [&](int j) { return flags[j] >> 4; };
  auto low = [&](int j) { return flags[j] & 0x0F; };
  if (high(0) == 2) return st::kHeavenly;
  if (high(0) == 1) return st::kEarthly;
  if (high(0) == 3) return st::kRobbed;
  std::string text;
  if (low(0) == 3) text = st::kFalseWin;
  else if (low(0) == 2) text = st::kConcealedKongDraw;
  else if (low(0) == 1) text = st::kKongDraw;
  auto add = [&](const char* word) { text = Trim(text) + word; };
  if (high(1) == 1) add(st::kPlain);
  if (high(2) == 2) add(st::kDoubleWildWait);
  else if (high(2) == 1) add(st::kWildWait);
  if (high(3) == 1) add(st::kCatchFive);
  if (low(2) == 1) {
    if (low(1) == 1) add(st::kOwnWild);
    add(st::kDragon);
  } else if (low(1) == 1) {
    add(st::kOwn);
  }
  if (low(3) == 1) add(st::kTiliu);
  return Trim(text);
}

struct KongGroup {
  int firstRow;
  const char* label;
};
constexpr KongGroup kAddedKongs{9, st::kAddedKong};
constexpr KongGroup kExposedKongs{0, st::kExposedKong};
constexpr KongGroup kConcealedKongs{18, st::kConcealedKong};

bool IsWildcard(const SettledHand& hand, int rank, int suit) {
  for (TileCode h : hand.HunTiles)
    if (h != NoTile && TileRank(h) == rank && TileSuit(h) == suit) return true;
  return false;
}

void KongLines(const SettlementStore& s, SettlementColumns& cols, const KongGroup& g, int dealer, std::int64_t f) {
  const SettledHand& hand = s.hand;
  const std::int64_t B = s.RoomStake;
  for (int owner = 0; owner < 4; ++owner) {
    for (int k = 1; k <= 4; ++k) {
      const int rank = hand.KongRecord[static_cast<std::size_t>(g.firstRow + 2 * k - 1)][owner];
      const int suit = hand.KongRecord[static_cast<std::size_t>(g.firstRow + 2 * k)][owner];
      const bool counts = g.firstRow == kExposedKongs.firstRow ? s.KongPaid[owner][k] >= 1 : rank > 0;
      if (!counts) continue;
      std::int64_t M = 1;
      const char* label = g.label;
      if (g.firstRow == kConcealedKongs.firstRow) {
        const bool gold = IsWildcard(hand, rank, suit);
        M = gold ? 8 : 2;
        label = gold ? st::kGoldKong : st::kConcealedKong;
      }
      const std::string T = " " + TileName(rank, suit) + label;
      std::array<std::int64_t, 4> pays{};
      std::int64_t gain = 0;
      for (int j = 0; j < 4; ++j) {
        if (j == owner) continue;
        if (owner == dealer) pays[j] = PullFactor(s, j) * f * M;
        else if (j == dealer) pays[j] = PullFactor(s, owner) * f * M;
        else pays[j] = M;
        if (owner == dealer) gain += pays[j];
      }
      if (owner != dealer) gain = (PullFactor(s, owner) * f + 2) * M;
      cols[owner].push_back(T + Gold(B * gain));
      for (int j = 0; j < 4; ++j)
        if (j != owner) cols[j].push_back(T + "-" + Gold(B * pays[j]));
    }
  }
}

}  // namespace

std::string FormatAmount(std::int64_t value) { return std::to_string(value); }

std::string FormatAmount(double value) {
  if (std::isfinite(value) && value == std::floor(value) && std::fabs(value) < 9.0e15)
    return std::to_string(static_cast<std::int64_t>(value));
  char buf[40];
  std::snprintf(buf, sizeof buf, "%.15g", value);
  return buf;
}

SettlementColumns SettlementText(const Client& c) {
  const SettlementStore& s = c.settle.store;
  const SettledHand& hand = s.hand;
  const std::int64_t B = s.RoomStake;
  SettlementColumns cols;
  for (int i = 0; i < 4; ++i) {
    cols[i].push_back(st::kInitial + hand.Cash[i]);
    cols[i].push_back(st::kRoomStake + FormatAmount(B) + st::kRoomStakeUnit);
    cols[i].push_back(st::kRule);
    cols[i].push_back("");
  }
  if (s.DrawnHand == 1)
    for (auto& col : cols) {
      col.push_back(st::kDrawnHand);
      col.push_back(" ");
    }
  const int dealer = DealerOf(hand);
  for (int i = 0; i < 4; ++i)
    if (hand.IsDealer[i]) cols[i].push_back(st::kDealer);
  for (int i = 0; i < 4; ++i) PullLines(cols[i], s.PullState[i], hand.IsDealer[i]);

  const std::int64_t f = 2 + 2 * (Sat(s, dealer) ? 1 : 0);
  if (hand.ShovelFlag) {
    std::int64_t sum = 0;
    for (int i = 0; i < 4; ++i) {
      if (i == dealer) continue;
      const std::int64_t a = PullFactor(s, i) * f;
      sum += a;
      cols[i].push_back(st::kShovel + Gold(B * a));
      cols[i].push_back(" ");
    }
    cols[dealer].push_back(std::string(st::kShovel) + "-" + Gold(B * sum));
    cols[dealer].push_back(" ");
  }

  for (int w = 0; w < 4; ++w) {
    if (s.SettleItem[w][kItemWin] <= 0) continue;
    const std::string C = Categories(s.WinFlags[w]);
    if (!C.empty())
      for (int j = 0; j < 4; ++j) cols[j].push_back(C + st::kColon + Gold(s.SettleItem[j][kItemWin] * B));
    break;
  }

  KongLines(s, cols, kAddedKongs, dealer, f);
  KongLines(s, cols, kExposedKongs, dealer, f);
  KongLines(s, cols, kConcealedKongs, dealer, f);
  return cols;
}

void BuildSettlementText(Client& c) {
  SettlementStore& s = c.settle.store;
  for (int i = 0; i < 4; ++i)
    if (s.PullState[i] == kDealerSat) s.SitFlag[i] = 1;
  const SettlementColumns cols = SettlementText(c);
  for (int j = 0; j < 8; ++j) ScoreState(c, j).items.clear();
  for (int i = 0; i < 4; ++i) ScoreState(c, i).items = cols[i];
  ++c.view.revision;
}

}  // namespace vask
