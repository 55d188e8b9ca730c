#pragma once
// The lobby link: the lobby's window found by its title, and the window
// messages both ways.
#include <cstdint>

namespace vask {

struct Client;

// The lobby's window, found by its title.
bool LobbyWindowExists(Client& c);
// Brings the lobby window back; quits when it is gone. Nothing while the
// lobby's title is unknown.
void RestoreLobby(Client& c);
// The same with minimising.
void MinimizeLobby(Client& c);
// Posts a message with two zero parameters, if the lobby window exists.
void PostToLobby(Client& c, std::uint32_t msg);
// Both rings empty, all four positions 0.
void ResetRings(Client& c);
// Ends the process once (nothing more is read from the network after it).
void QuitClient(Client& c);

}  // namespace vask
