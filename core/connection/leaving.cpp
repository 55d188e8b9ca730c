#include "core/client.h"
#include "core/handlers.h"

namespace vask {

void OnLeaveNotice(Client&, MsgInfo&) {}

}  // namespace vask
