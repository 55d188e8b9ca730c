#include "core/client.h"
#include "core/handlers.h"

namespace vask {

void TimerShuffle_Timer(Client&) {}

}  // namespace vask
