#include "core/client.h"
#include "core/handlers.h"

namespace vask {

void OnLogin(Client&, MsgInfo&) {}

void LoginDuty(Client&) {}

}  // namespace vask
