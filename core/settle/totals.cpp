#include "core/client.h"
#include "core/handlers.h"

namespace vask {

void OnHandResult(Client&, MsgInfo&) {}

}  // namespace vask
