#include "core/client.h"
#include "core/handlers.h"

namespace vask {

void BlinkDuty(Client&) {}

}  // namespace vask
