#pragma once
// One text line per hand, so a game can be checked afterwards.
#include <array>
#include <cstdint>
#include <ostream>
#include <string>

#include "server/table/hand.h"

namespace vask::server {

struct HandLogEntry {
  int handNo = 0;
  std::array<std::string, 4> accounts;
  std::array<std::int64_t, 4> results{};  // gold
  std::array<std::int64_t, 4> totals{};
  int roomStake = 0;
};

// Example:
// hand=3 dealer=1 indicator=0x23 wildcards=0x22,0x23,0x24 winner=2 payer=-1 tile=0x45
//   flags=00100000 multiplier=4 pulls=0,1,0,0 sat=0 kongs=2:16:0x17 stake=10
//   seats=alice,bot1,bot2,bot3 results=-80,-40,160,-40 totals=... sum=0
std::string FormatHandLine(const HandLogEntry& e, const HandOutcome& o);

class ResultsLog {
 public:
  explicit ResultsLog(std::ostream& out) : out_(out) {}
  void Write(const HandLogEntry& e, const HandOutcome& o);

 private:
  std::ostream& out_;
};

}  // namespace vask::server
