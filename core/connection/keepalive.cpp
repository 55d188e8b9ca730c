#include "core/client.h"
#include "core/handlers.h"

namespace vask {

// The server drops a link that stays silent; one frame every five seconds.
void TimerKeepAlive_Timer(Client& c) {
  MsgInfo alive;
  alive.cmd = static_cast<std::int16_t>(Cmd::KeepAlive);
  alive.seat = c.table.OwnMask();
  SendMsg(c, alive);
}

}  // namespace vask
