#pragma once
// Server frames of a hand's end: the hand results (command 9), the
// settlement messages (command 17) and the pull and sit messages (26).
#include <array>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "core/connection/protocol.h"

namespace vask::test {

struct HandResultSpec {
  std::int64_t seatTotal = 0;
  std::int64_t subtotal = 0;
  bool cap = false;
  bool drawn = false;
  std::string winnerTitle;  // UTF-8, sent as GBK
};
Frame HandResultFrame(std::uint8_t mask, const HandResultSpec& r);

struct SettleSpec {
  // (id, value byte) pairs; the first four go into bytes 8..15, the rest
  // into 117..140.
  std::vector<std::pair<int, int>> items;
  std::int64_t handResult = 0;  // gold; its sign goes into item 3's byte
  int winMagnitude = 0;
  int secondMagnitude = 0;
  std::uint32_t roomStake = 10;
  std::array<std::uint8_t, 4> winFlags{};
  std::array<std::uint8_t, 4> kongPaid{};
  std::string level = "新手";  // UTF-8, sent as GBK
};
Frame SettleFrame(std::uint8_t mask, const SettleSpec& s);
// A usual settlement: gold coins, the win amount for (+) or against (−).
SettleSpec Settle(int winStakes, std::int64_t handResult, std::uint32_t stake = 10);

Frame PullSitFrame(std::uint8_t mask, int kind, bool yes);

}  // namespace vask::test
