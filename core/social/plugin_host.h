#pragma once
// The client's side of the prop plug-in: the object and its state.
#include <cstdint>
#include <functional>
#include <memory>

#include "core/connection/protocol.h"
#include "core/social/prop_plugin.h"

namespace vask {

struct Client;

struct PropHost {
  std::unique_ptr<PropPlugin> PropObj;
  // 0 not loaded, −1 not to be used, 1 active, 2 active with chests.
  std::int16_t Prop_GameDllState = 0;
  std::int16_t Prop_swicth = 0;
  std::int16_t PropParam = 0;
  bool bPropPump = false;
  bool PropPending = false;
  bool PropScoreReady = false;  // command 46 arrived: the plug-in has scores
  PluginRequest request;
};

bool PluginActive(const Client& c);
// Loads the plug-in for this visit (when the lobby and the server allow it).
void InitGameDll(Client& c);
// Releases the plug-in object; the caller decides its state.
void UnloadGameDll(Client& c);
// Runs f on the plug-in object when there is one; a plug-in that throws is
// unloaded and turned off for the visit. False when f did not run through.
bool PropCall(Client& c, const std::function<void(PropPlugin&)>& f);
// The hand is over and the plug-in is active: its end-of-hand show runs
// before the settlement is shown.
void PropHandEnd(Client& c);
// After the totals panel: the plug-in is told the hand is shown.
void PropAfterShow(Client& c);
// Hands a frame to the active plug-in's Rec_MSG; nothing when inactive.
void PassToPlugin(Client& c, Frame& msg);

}  // namespace vask
