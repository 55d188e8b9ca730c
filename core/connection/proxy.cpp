#include "core/client.h"
#include "core/handlers.h"

namespace vask {

void ProxyStep(Client&) {}

void StartProxy(Client&) {}

}  // namespace vask
