#include "core/client.h"
#include "core/handlers.h"

namespace vask {

void ReadyClockDuty(Client&) {}

}  // namespace vask
