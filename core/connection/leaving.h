#pragma once
// Leaving the table: the leave frame, and the notice of others leaving.
#include <string>

namespace vask {

struct Client;

// Tells the server the client leaves and stops the link's timers.
void LeaveTable(Client& c);
// The leave button: the leave dialog frmExit opened or closed.
void ToggleLeaveDialog(Client& c);
// The notice dialog frmOtherExit with its text, centred and top-most.
void ShowOtherExit(Client& c, const std::string& text);

}  // namespace vask
