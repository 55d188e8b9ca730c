#pragma once
// A scripted hand for tests, the table demo and the benchmarks: the server
// frames of a deal and of a number of full turn rounds, played into a
// client over the fake platform.
#include <vector>

#include "core/connection/protocol.h"
#include "core/game/tiles.h"

namespace vask {

struct Client;
class FakePlatform;

// Gives the four view positions the seat masks of an own seat with mask 1
// (the seating frames' job in a real game).
void SeatFourPlayers(Client& c);

// Feeds frames to the client one burst at a time and runs the heart beat
// until every frame has been handled.
void PlayFrames(FakePlatform& p, Client& c, const std::vector<Frame>& frames);

// The hand start, the wildcards and the deal (own seat deals).
std::vector<Frame> ScriptedDealFrames();

// Deals, then plays `rounds` rounds in which every seat discards once (the
// own seat first, as the player would by clicking its drawn tile). Other
// seats alternate between discarding the drawn tile and a tile from inside
// the hand.
void PlayScriptedHand(FakePlatform& p, Client& c, int rounds);

// The own player's discard of hand slot `slot` as the view shows it.
void DiscardOwnTile(Client& c, int slot);

}  // namespace vask
