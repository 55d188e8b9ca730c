#pragma once
// The time-out player: when the own turn clock runs out, it declines what
// was on offer and, when a discard is due, throws the tile in the last
// hand slot. It never claims and chooses no tile by its value.
namespace vask {

struct Client;

void TimeOutPlay(Client& c);

}  // namespace vask
