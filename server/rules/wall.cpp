#include "server/rules/wall.h"

#include <algorithm>

namespace vask::server {

Wall::Wall(const Order& frontOrder) : tiles_(frontOrder) {}

Wall Wall::Shuffled(std::mt19937& rng) {
  Order order = FullSet();
  std::shuffle(order.begin(), order.end(), rng);
  return Wall(order);
}

TileCode Wall::TurnUpIndicator(int diceSum) {
  int stack = std::clamp(diceSum, 2, 12) - 1;
  indicator_ = 134 - 2 * stack;
  taken_[static_cast<std::size_t>(indicator_)] = true;
  return Indicator();
}

std::optional<TileCode> Wall::DrawFront() {
  if (!CanDrawFront()) return std::nullopt;
  taken_[static_cast<std::size_t>(front_)] = true;
  TileCode t = tiles_[static_cast<std::size_t>(front_)];
  front_ = (front_ + 1) % kTilesInSet;
  ++frontUsed_;
  return t;
}

std::optional<int> Wall::NextBack() const {
  // The client steps over the indicator, and only over it.
  for (int draws = backCursor_; draws < kTilesInSet; ++draws) {
    int at = BackIndex(draws);
    if (at == indicator_) continue;
    if (taken_[static_cast<std::size_t>(at)]) return std::nullopt;
    return at;
  }
  return std::nullopt;
}

std::optional<TileCode> Wall::DrawBack() {
  std::optional<int> at = NextBack();
  if (!at) return std::nullopt;
  while (BackIndex(backCursor_) != *at) ++backCursor_;
  ++backCursor_;
  taken_[static_cast<std::size_t>(*at)] = true;
  ++backUsed_;
  return tiles_[static_cast<std::size_t>(*at)];
}

int Wall::Remaining() const {
  return static_cast<int>(std::count(taken_.begin(), taken_.end(), false));
}

}  // namespace vask::server
