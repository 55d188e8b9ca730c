#pragma once
// The dice: their roll at the hand start and at the wildcard announcement,
// and the dice-doubling and wealth-doubling badges beside the own seat.
#include <array>
#include <cstdint>

namespace vask {

struct Client;

// Rolls the two large dice over the table once per pair (1 or 2), each
// pair coming to rest on the next two values of `dice`; values of 0 become
// 1 in the table's Dice.
void RollDice(Client& c, int pairs);
// The dice-doubling badge on or off by the hand's DiceDouble.
void ShowDiceDouble(Client& c);

}  // namespace vask
