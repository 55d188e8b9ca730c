#include "core/client.h"
#include "core/handlers.h"

namespace vask {

void OnRestore(Client&, MsgInfo&) {}

}  // namespace vask
