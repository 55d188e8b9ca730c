#include "core/client.h"
#include "core/handlers.h"

namespace vask {

void OnTableState(Client&, MsgInfo&) {}

void OnPlayerLeaves(Client&, MsgInfo&) {}

void OnGameParams(Client&, MsgInfo&) {}

}  // namespace vask
