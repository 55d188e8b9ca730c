#include "core/client.h"
#include "core/handlers.h"

namespace vask {

void OnSettleItem(Client&, MsgInfo&) {}

void OnPullSit(Client&, MsgInfo&) {}

void LiveTableDuty(Client&) {}

}  // namespace vask
