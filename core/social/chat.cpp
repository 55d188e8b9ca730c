#include "core/client.h"
#include "core/handlers.h"

namespace vask {

// The text was decoded and shown while the frame was read; the seat is
// already a view position.
void OnChat(Client&, MsgInfo&) {}

void OnChatMessage(Client&, const MsgInfo&, const std::string&) {}

void TimerChat_Timer(Client&) {}

// Until the chat input is built the send button has nothing to send.
void SendChatInput(Client&) {}

}  // namespace vask
