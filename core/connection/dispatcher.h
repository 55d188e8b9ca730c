#pragma once
#include "core/connection/frame.h"

namespace vask {

struct Client;

// Routes one decoded frame to the handler of its command number, after
// taking the server tag from it (except from command 29).
void ProcessMsg(Client& c, MsgInfo& info);

}  // namespace vask
