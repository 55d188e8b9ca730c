#include "core/client.h"
#include "core/handlers.h"

namespace vask {

void TimerKeepAlive_Timer(Client&) {}

}  // namespace vask
