#include "core/client.h"
#include "core/handlers.h"

namespace vask {

void OnClaim(Client&, MsgInfo&) {}

void HideWordDuty(Client&) {}

}  // namespace vask
