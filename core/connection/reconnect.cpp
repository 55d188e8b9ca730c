#include "core/connection/reconnect.h"

#include "core/client.h"
#include "core/connection/login.h"
#include "core/connection/player_records.h"
#include "core/connection/poll_loop.h"
#include "core/handlers.h"
#include "core/view/widgets.h"

namespace vask {

namespace {
// Closing is immediate on both platforms; the bound only guards the wait.
constexpr int kCloseWaitPumps = 200;
}  // namespace

void ResetClient(Client& c) {
  ClearGates(c);
  EnableTimer(c, TimerId::Bong, false);
  EnableTimer(c, TimerId::KeepAlive, false);
  SetSysmsgLines(c, "", "");
  c.platform.SocketClose();
  c.login.bLoggingIn = false;
  for (int i = 0; i < kCloseWaitPumps && c.platform.SocketState() == kSocketConnected; ++i) c.platform.PumpEvents();
  for (int v = 0; v < 4; ++v) {
    ClearSeatView(c, v);
    c.table.Detail[v].Mask = 0;
  }
  // The own account is the client's, not the table's: the next connect
  // order must still find the own seat by it.
  c.table.Detail[0].username = c.launch.PropAccount;
  ForgetHandRecords(c);
  c.widgets.FirstStart = true;
  if (PluginActive(c)) {
    UnloadGameDll(c);
    c.prop.Prop_GameDllState = -1;
  }
  c.platform.MinimizeMainWindow();
}

void OnReloginAnswer(Client&, MsgInfo&) {}

void WatchDuty(Client&) {}

void ConnectionLost(Client&) {}

void TimerCount_Timer(Client&) {}

void TimerReconnect_Timer(Client&) {}

}  // namespace vask
