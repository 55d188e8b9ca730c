#include "core/client.h"
#include "core/handlers.h"

namespace vask {

void OnPlayerInfo(Client&, MsgInfo&) {}

void OnReady(Client&, MsgInfo&) {}

void OnOwnGold(Client&, MsgInfo&) {}

void OnOtherGold(Client&, MsgInfo&) {}

}  // namespace vask
