#pragma once
// The turn clock beside the seat whose turn it is.
namespace vask {

struct Client;

// Moves the clock picture and its number beside the seat at `view`; with
// `show` both are shown in front, the number in green.
void PlaceClock(Client& c, int view, bool show = true);

}  // namespace vask
