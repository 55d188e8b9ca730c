#include "server/rules/win.h"

#include <algorithm>

namespace vask::server {

namespace {

constexpr TileCode kFiveCharacters = 0x45;

int BlockStart(int kind) { return kind / 9 * 9; }

// Splits the counted tiles plus `jokers` wildcards into melds and, when
// `needPair`, one pair. Every kind below `from` is already used up. A real tile
// is always taken before a wildcard: swapping a wildcard in for it never helps.
bool SplitsIntoMelds(KindCounts& c, int jokers, bool needPair, int from = 0) {
  int i = from;
  while (i < kKinds && c[static_cast<std::size_t>(i)] == 0) ++i;
  if (i == kKinds) return needPair ? jokers >= 2 && (jokers - 2) % 3 == 0 : jokers % 3 == 0;
  int& here = c[static_cast<std::size_t>(i)];

  auto tryGroup = [&](int size, bool pairAfter) {
    int real = std::min(here, size);
    int need = size - real;
    if (need > jokers) return false;
    here -= real;
    bool ok = SplitsIntoMelds(c, jokers - need, pairAfter, i);
    here += real;
    return ok;
  };
  if (needPair && tryGroup(2, false)) return true;
  if (tryGroup(3, needPair)) return true;

  if (!IsNumberKind(i)) return false;
  // Runs holding tile i: lower kinds are used up, so they can only be wildcards.
  for (int s = std::max(i - 2, BlockStart(i)); s <= i && s + 2 < BlockStart(i) + 9; ++s) {
    int need = 0;
    std::array<int, 3> taken{};
    for (int k = s; k < s + 3; ++k) {
      int& n = c[static_cast<std::size_t>(k)];
      if (k >= i && n > 0) {
        --n;
        taken[static_cast<std::size_t>(k - s)] = 1;
      } else {
        ++need;
      }
    }
    bool ok = need <= jokers && SplitsIntoMelds(c, jokers - need, needPair, i);
    for (int k = s; k < s + 3; ++k) c[static_cast<std::size_t>(k)] += taken[static_cast<std::size_t>(k - s)];
    if (ok) return true;
  }
  return false;
}

// The counts of the tiles that are not wildcards, and the number that are.
struct Split {
  KindCounts counts{};
  int jokers = 0;
};

Split SplitWildcards(const Tiles& tiles, const HunList& hun) {
  Split s;
  for (TileCode t : tiles) {
    if (IsHun(hun, t)) {
      ++s.jokers;
    } else if (int k = KindOf(t); k >= 0) {
      ++s.counts[static_cast<std::size_t>(k)];
    }
  }
  return s;
}

// Takes one tile of `kind` out, or a wildcard for it.
bool TakeOrStandIn(Split& s, int kind) {
  int& n = s.counts[static_cast<std::size_t>(kind)];
  if (n > 0) {
    --n;
    return true;
  }
  if (s.jokers == 0) return false;
  --s.jokers;
  return true;
}

bool HasDragon(Split s) {
  for (int block = 0; block < 27; block += 9) {
    Split rest = s;
    bool whole = true;
    for (int k = block; k < block + 9 && whole; ++k) whole = TakeOrStandIn(rest, k);
    if (whole && SplitsIntoMelds(rest.counts, rest.jokers, true)) return true;
  }
  return false;
}

bool IsNaturalWin(const Tiles& tiles) {
  KindCounts c = CountKinds(tiles);
  return SplitsIntoMelds(c, 0, true);
}

}  // namespace

bool IsCompleteHand(const Tiles& concealed, const HunList& hun) {
  if (concealed.size() % 3 != 2) return false;
  Split s = SplitWildcards(concealed, hun);
  return SplitsIntoMelds(s.counts, s.jokers, true);
}

bool WinsWith(const Tiles& hand, TileCode tile, const HunList& hun) {
  Tiles all = hand;
  all.push_back(tile);
  return IsCompleteHand(all, hun);
}

WinCategories JudgeWin(const Tiles& concealed, TileCode winTile, WinOccasion occasion, const HunList& hun) {
  WinCategories w;
  auto& f = w.flags;
  switch (occasion) {
    case WinOccasion::Heavenly:
      f[0] = 0x20;
      w.multiplier = 8;
      return w;
    case WinOccasion::Earthly:
      f[0] = 0x10;
      w.multiplier = 8;
      return w;
    case WinOccasion::RobbedKong:
      f[0] = 0x30;
      w.multiplier = 4;
      return w;
    case WinOccasion::KongReplacement:
      f[0] = 0x01;
      w.multiplier *= 2;
      break;
    case WinOccasion::ConcealedKongDraw:
      f[0] = 0x02;
      w.multiplier *= 4;
      break;
    case WinOccasion::Ordinary:
      break;
  }

  const Split all = SplitWildcards(concealed, hun);
  const bool natural = IsNaturalWin(concealed);
  if (all.jokers == 0) {
    f[1] |= 0x10;  // 素的
    w.multiplier *= 2;
  }

  Split naturalSplit;
  naturalSplit.counts = CountKinds(concealed);
  if (natural && all.jokers > 0 && HasDragon(naturalSplit)) {
    f[1] |= 0x01;  // 本混龙
    f[2] |= 0x01;
    w.multiplier *= 8;
  } else if (HasDragon(all)) {
    f[2] |= 0x01;  // 龙
    w.multiplier *= 4;
  } else if (natural && all.jokers > 0) {
    f[1] |= 0x01;  // 本
    w.multiplier *= 2;
  }

  const bool winIsHun = IsHun(hun, winTile);
  const int winKind = KindOf(winTile);
  if (winIsHun && all.jokers >= 2) {
    Split rest = all;
    rest.jokers -= 2;
    if (SplitsIntoMelds(rest.counts, rest.jokers, false)) {
      f[2] |= 0x20;  // 双混吊
      w.multiplier *= 4;
    }
  } else if (!winIsHun && winKind >= 0 && all.jokers >= 1) {
    Split rest = all;
    --rest.counts[static_cast<std::size_t>(winKind)];
    --rest.jokers;
    if (SplitsIntoMelds(rest.counts, rest.jokers, false)) {
      f[2] |= 0x10;  // 混吊
      w.multiplier *= 2;
    }
  }

  if (winTile == kFiveCharacters && !winIsHun) {
    Split rest = all;
    --rest.counts[static_cast<std::size_t>(winKind)];
    if (TakeOrStandIn(rest, winKind - 1) && TakeOrStandIn(rest, winKind + 1) &&
        SplitsIntoMelds(rest.counts, rest.jokers, true)) {
      f[3] |= 0x10;  // 捉五
      w.multiplier *= 2;
    }
  }
  return w;
}

}  // namespace vask::server
