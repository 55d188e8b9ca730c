#include "core/social/plugin_host.h"

#include "core/client.h"
#include "core/handlers.h"

namespace vask {

bool PluginActive(const Client& c) {
  return c.prop.PropObj != nullptr && c.prop.Prop_GameDllState >= 1;
}

namespace {

// A plug-in that throws is turned off for the visit; the game goes on.
void TurnPluginOff(Client& c) {
  c.prop.bPropPump = false;
  c.prop.Prop_GameDllState = -1;
}

}  // namespace

void InitGameDll(Client&) {}

void UnloadGameDll(Client& c) {
  c.prop.bPropPump = false;
  c.prop.PropObj.reset();
}

bool PropCall(Client& c, const std::function<void(PropPlugin&)>& f) {
  if (!c.prop.PropObj) return false;
  try {
    f(*c.prop.PropObj);
    return true;
  } catch (...) {
    UnloadGameDll(c);
    c.prop.Prop_GameDllState = -1;
    return false;
  }
}

void PassToPlugin(Client& c, Frame& msg) {
  if (!PluginActive(c)) return;
  try {
    c.prop.PropObj->Rec_MSG(msg);
  } catch (...) {
    TurnPluginOff(c);
  }
}

void OnPropA(Client& c, MsgInfo&) { PassToPlugin(c, c.conn.Msg); }

void OnPropB(Client& c, MsgInfo&) { PassToPlugin(c, c.conn.Msg); }

void OnPropScore(Client& c, MsgInfo&) {
  if (!PluginActive(c)) return;
  PassToPlugin(c, c.conn.Msg);
  c.prop.PropScoreReady = true;
}

void OnUnassigned(Client& c, MsgInfo&) { PassToPlugin(c, c.conn.Msg); }

// Until the end-of-hand show is built the settlement is shown at once.
void PropHandEnd(Client& c) {
  BuildSettlementText(c);
  ShowTotalsPanel(c);
}

void PropAfterShow(Client&) {}

void PropTimerStep(Client&) {}

void TimerProp_Timer(Client&) {}

}  // namespace vask
