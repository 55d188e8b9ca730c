#include "core/client.h"
#include "core/handlers.h"

namespace vask {

void OnDeal(Client&, MsgInfo&) {}

void OnHandStart(Client&, MsgInfo&) {}

void OnWildcards(Client&, MsgInfo&) {}

}  // namespace vask
