#pragma once
// The settlement of a hand: what the four settlement messages (command 17)
// say about each seat, the pull and sit choices of the hand (command 26),
// and the settlement text of the score window's four seat columns.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "core/game/tiles.h"

namespace vask {

struct Client;

// Item ids of the settlement message.
inline constexpr int kItemWin = 2;        // the seat's signed win amount in stakes
inline constexpr int kItemSecondWin = 6;  // a second amount, signed the same way
inline constexpr int kItemCurrency = 14;  // 1: the totals are in gold coins
inline constexpr int kItemPerHand = 17;   // cleared at every hand start
inline constexpr int kItemIds = 17;

// PullState values.
inline constexpr int kNotPulled = 0;
inline constexpr int kPulledOnce = 1;
inline constexpr int kPulledTwice = 2;
inline constexpr int kDealerSat = 3;

inline constexpr int kNoView = 4;

// What the settlement and the totals read of the table, as it stood when
// the hand's fourth settlement message came. The plug-in's show may hold
// the settlement back for seconds, and meanwhile the others' readiness
// clears the table for the next game (dealer, totals, the dice caption).
struct SettledHand {
  std::array<bool, 4> IsDealer{};
  std::array<std::int32_t, 4> SeatTotal{};
  std::array<std::string, 4> Cash;  // the gold captions before the hand
  std::array<std::array<std::int16_t, 4>, 27> KongRecord{};
  HunList HunTiles{};
  bool ShovelFlag = false;
  bool DiceDouble = false;
  std::string DiceText;  // the caption of lblDifen
  std::int16_t WealthDouble = 0;
  std::int16_t WinnerView = -1;
  std::int16_t HandNo = 0;
};

// Takes the hand's values off the table; the settlement is built from them.
void KeepSettledHand(Client& c);

struct SettlementStore {
  // Seats whose message has come in this hand (0..4); at 4 the hand is
  // shown and the count starts again.
  std::int16_t SettleCount = 0;
  std::array<bool, 4> Reported{};
  // [seat][id], ids 1..17; element 0 unused.
  std::array<std::array<std::int16_t, kItemIds + 1>, 4> SettleItem{};
  std::array<double, 4> HandResult{};
  std::array<std::array<std::uint8_t, 4>, 4> WinFlags{};
  // [seat][k], k = 1..4: that exposed kong is paid.
  std::array<std::array<std::uint8_t, 5>, 4> KongPaid{};
  std::int32_t RoomStake = 0;
  // Pull choices of the hand, per view.
  std::array<std::int16_t, 4> PullState{};
  std::array<std::uint8_t, 4> SitFlag{};
  // The dealer that sat keeps its pull state while it deals; kNoView none.
  int SatDealerView = kNoView;
  std::uint8_t DrawnHand = 0;
  SettledHand hand;
};

// The four seat columns of a hand's settlement, before the totals.
using SettlementColumns = std::array<std::vector<std::string>, 4>;
// Builds the columns from the store and the kept hand (dealer, shovel,
// kongs, wildcards, the gold captions).
SettlementColumns SettlementText(const Client& c);
// Clears the score window's State(0..7) and writes the columns.
void BuildSettlementText(Client& c);

// A new hand (command 4, after the dealer is known): the count, the
// per-hand item and the pull choices are cleared; the dealer that sat keeps
// its choice while it deals again.
void StartHandSettlement(Client& c, int dealerView);
// The seats are named anew (command 3): no dealer has sat.
void ForgetSatDealer(Client& c);

// Amounts as the columns write them: whole values without decimals.
std::string FormatAmount(double value);
std::string FormatAmount(std::int64_t value);

}  // namespace vask
