#include "core/connection/leaving.h"

#include "core/client.h"
#include "core/connection/login.h"
#include "core/connection/poll_loop.h"
#include "core/handlers.h"
#include "core/view/delay.h"
#include "core/view/widgets.h"

namespace vask {

namespace {
// The server needs a moment to read the leave frame before the link drops.
constexpr int kLeaveWaitMs = 400;
}  // namespace

void LeaveTable(Client& c) {
  MsgInfo leave;
  leave.cmd = static_cast<std::int16_t>(Cmd::TableState);
  leave.seat = c.table.OwnMask();
  const Frame f = EncodeHeader(leave);
  ClearGates(c);
  EnableTimer(c, TimerId::Bong, false);
  EnableTimer(c, TimerId::KeepAlive, false);
  if (c.platform.SocketState() == kSocketConnected) c.platform.SocketSend(f);
  Delay(c, kLeaveWaitMs);
  c.login.g_bCanRecon = false;
  StopSeatShuffle(c);
}

void ShowOtherExit(Client&, const std::string&) {}

void OnLeaveNotice(Client&, MsgInfo&) {}

// Until the leave dialog is built the button opens nothing.
void ToggleLeaveDialog(Client&) {}

}  // namespace vask
