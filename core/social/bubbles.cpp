#include "core/client.h"
#include "core/handlers.h"

namespace vask {

void tmrFadeIn_Timer(Client&) {}

}  // namespace vask
