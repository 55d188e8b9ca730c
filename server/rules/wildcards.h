#pragma once
// Which tiles are wildcards (混) in a hand, chosen from the face-up indicator.
//
// The rule: the indicator is a wildcard itself, with its two neighbours in
// its suit (ranks wrap, so a 9 brings the 8 and the 1); a dragon makes the
// three dragons wildcards; a wind makes all four winds wildcards. The client
// is told three codes, the indicator last; for a wind it takes the four winds
// on its own.
#include <array>

#include "core/game/tiles.h"

namespace vask::server {

// The three codes announced in value(1), value(2), value(3) of command 14.
std::array<TileCode, 3> AnnouncedWildcards(TileCode indicator);
// The wildcards as the client holds them: ascending, empty entries last.
HunList WildcardsOf(TileCode indicator);

}  // namespace vask::server
