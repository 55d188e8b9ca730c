#include "core/client.h"
#include "core/handlers.h"

namespace vask {

void OnSeatName(Client&, MsgInfo&) {}

}  // namespace vask
