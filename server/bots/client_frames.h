#pragma once
// The frames a client sends, built as the table client builds them; the bots
// and the tests speak to the table with these.
#include <string>

#include "core/connection/protocol.h"
#include "core/game/tiles.h"

namespace vask::server::client_frames {

Frame Login(const std::string& account, const std::string& key);
Frame Relogin(const std::string& account, const std::string& key, std::uint32_t reloginId);
Frame Ready(std::uint8_t mask);
Frame Leave(std::uint8_t mask);
Frame KeepAlive(std::uint8_t mask);
Frame Discard(std::uint8_t mask, TileCode tile, bool fromHand);
// Claim requests carry each tile with bit 13 set; a pass or win carries none.
Frame Claim(std::uint8_t mask, int op, TileCode t1 = NoTile, TileCode t2 = NoTile, TileCode t3 = NoTile);
// kind: 2 answers a pull question, 6 a sit question.
Frame PullAnswer(std::uint8_t mask, int kind, bool yes);
Frame Chat(std::uint8_t mask, const std::string& gbkText, std::uint8_t to = 0);

}  // namespace vask::server::client_frames
