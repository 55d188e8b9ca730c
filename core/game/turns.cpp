#include "core/client.h"
#include "core/handlers.h"

namespace vask {

void OnDiscard(Client&, MsgInfo&) {}

void OnDraw(Client&, MsgInfo&) {}

void OnTurn(Client&, MsgInfo&) {}

void OnReveal(Client&, MsgInfo&) {}

void TurnClockDuty(Client&) {}

}  // namespace vask
