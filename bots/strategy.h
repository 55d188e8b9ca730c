#pragma once
// What a computer player decides, from nothing but what its own client
// knows: the own hand, the wildcards, the offers the server made.
#include <cstdint>
#include <string_view>

#include "core/game/table.h"
#include "server/rules/tile_set.h"

namespace vask::bots {

enum class Strength : std::uint8_t {
  Novice,  // discards loosely, claims only wins
  Steady,  // keeps pairs and runs, claims kongs and pungs, chows that fit
  Sharp,   // as steady, and discards towards the widest wait
};
// "novice", "steady" or "sharp"; false for anything else.
bool ParseStrength(std::string_view text, Strength* out);

// The own concealed tiles.
server::Tiles OwnHand(const TableState& t);
// The hand slot to discard from a hand of 3k + 2 tiles; −1 when the hand
// holds nothing. `random` breaks the novice's choices.
int ChooseDiscardSlot(const TableState& t, Strength s, std::uint32_t random);
// The claim button to press for the offers open now (kPassButton for none
// worth taking; −1 when nothing is offered).
int ChooseClaim(const TableState& t, Strength s);

}  // namespace vask::bots
