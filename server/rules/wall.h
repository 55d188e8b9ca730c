#pragma once
// The wall of one hand.
//
// Tiles are kept in the order the front of the wall is drawn: index 0 is the
// first tile dealt. The back end, where replacement tiles after a kong come
// from, is the last stack (indices 134, 135), then the stack before it
// (132, 133), and so on; inside a stack the lower index goes first. This is
// the order the client's wall pointers walk, so the counts the server reports
// (front used, back used) match the client's picture of the wall.
#include <array>
#include <optional>
#include <random>

#include "server/rules/tile_set.h"

namespace vask::server {

class Wall {
 public:
  using Order = std::array<TileCode, kTilesInSet>;

  explicit Wall(const Order& frontOrder);
  static Wall Shuffled(std::mt19937& rng);

  // Turns up the wildcard indicator: with the two dice summing to s, the tile
  // s - 1 stacks in from the back end (the first tile of that stack) lies face
  // up and is never drawn. Returns it.
  TileCode TurnUpIndicator(int diceSum);
  TileCode Indicator() const { return indicator_ >= 0 ? tiles_[static_cast<std::size_t>(indicator_)] : NoTile; }

  // nullopt when the next tile of that end is already gone: the wall is used up.
  std::optional<TileCode> DrawFront();
  std::optional<TileCode> DrawBack();
  bool CanDrawFront() const { return !taken_[static_cast<std::size_t>(front_)]; }
  bool CanDrawBack() const { return NextBack().has_value(); }

  int FrontUsed() const { return frontUsed_; }
  int BackUsed() const { return backUsed_; }
  // Tiles that can still be drawn from either end.
  int Remaining() const;

 private:
  std::optional<int> NextBack() const;
  static int BackIndex(int draws) { return 134 - 2 * (draws / 2) + draws % 2; }

  Order tiles_;
  std::array<bool, kTilesInSet> taken_{};
  int front_ = 0;
  int backCursor_ = 0;  // replacement draws walked so far, indicator included
  int frontUsed_ = 0;
  int backUsed_ = 0;
  int indicator_ = -1;
};

}  // namespace vask::server
