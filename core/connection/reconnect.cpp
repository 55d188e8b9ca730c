#include "core/client.h"
#include "core/handlers.h"

namespace vask {

void OnReloginAnswer(Client&, MsgInfo&) {}

void WatchDuty(Client&) {}

void ConnectionLost(Client&) {}

void TimerCount_Timer(Client&) {}

void TimerReconnect_Timer(Client&) {}

}  // namespace vask
