#pragma once
// The practice server's side of our prop plug-in: every account's bank and
// props, the answers to the plug-in's requests, and the treasure chests of
// a hand's end. It trusts no request: an unknown one, a prop the player does
// not have, or gold the player does not hold changes nothing.
#include <array>
#include <cstdint>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "plugin/prop_wire.h"
#include "server/table/wire.h"

namespace vask::server {

struct PropAccount {
  std::int64_t bank = 0;
  std::array<int, props::kPropKinds> counts{1, 1, 2};  // a start for every new player
  std::array<bool, props::kPropKinds> inUse{};         // used for the coming hand's end
};

// What answering a request asks of the table.
struct PropReply {
  std::vector<Frame> toSeat;   // to the asking player
  std::vector<Frame> toAll;    // news for the whole table
  std::int64_t goldChange = 0;  // moved between the bank and the player's gold
};

// One seat's share of a hand's chests.
struct ChestShare {
  std::int64_t amount = 0;
  bool chest = false;
  std::uint8_t why = 0;
};

class PropsDesk {
 public:
  // A request from the player `account` at seat mask `mask` holding `gold`
  // on the table.
  PropReply OnRequest(const std::string& account, std::uint8_t mask, std::int64_t gold, bool handInPlay,
                      const Frame& request);
  // The chests of a finished hand: the winner and every seat that used a key
  // open one; a double card doubles the seat's gold. Uses are spent.
  std::array<ChestShare, 4> Chests(const std::array<std::string, 4>& accounts, int winner, std::mt19937& rng);
  static Frame ScoresFrame(const std::array<ChestShare, 4>& shares);

  const PropAccount& Of(const std::string& account) { return accounts_[account]; }

 private:
  Frame BankState(const std::string& account, std::int64_t gold, int answer);
  std::map<std::string, PropAccount> accounts_;
};

}  // namespace vask::server
