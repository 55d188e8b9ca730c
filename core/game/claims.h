#pragma once
// What claim results leave behind that the table restore rebuilds too.
namespace vask {

struct Client;

// One more kong in this hand; every second one moves the two wall tiles
// beside the indicator two stacks on.
void CountKong(Client& c);

}  // namespace vask
