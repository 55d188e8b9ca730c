#pragma once
// Putting tiles into a seat's hand: the deal batches and single draws.
#include <array>
#include <cstdint>

#include "core/game/tiles.h"

namespace vask {

struct Client;
struct TableState;

// Puts n tiles (4 or 1) into the hand of the seat with that mask; a single
// tile is codes[3]. Returns false, changing nothing, when the delivery
// cannot be used (no such seat, no room in the seat record, the wall has no
// tile left at its pointer, an own tile that names no tile).
bool AddTiles(Client& c, std::uint8_t seatMask, int n, const std::array<TileCode, 4>& codes);
// Moves the back pointer past one replacement draw: from an even position
// to the next, from an odd one three back, skipping the indicator.
void StepWallBack(TableState& t);
// The wildcard panel shows the hand's wildcards (or "all winds").
void ShowWildcardPanel(Client& c);

}  // namespace vask
