#pragma once
// The client's side of the prop plug-in: the object, its state, loading and
// unloading, the frames it is given, the requests it makes on the main
// timer and the end of a hand it may hold back until its scores are in.
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/connection/protocol.h"
#include "core/social/chests.h"
#include "core/social/prop_plugin.h"

namespace vask {

struct Client;

// The library below the client's directory, and what Initdll is told.
inline constexpr const char* kPropLibrary = "/plugin/tools/PropDll.so";
inline constexpr const char* kPropMode = "DLL";
inline constexpr const char* kPropGame = "newvask";

// Prop_GameDllState values.
inline constexpr std::int16_t kPropNotLoaded = 0;
inline constexpr std::int16_t kPropOff = -1;  // refused, missing, or loading
inline constexpr std::int16_t kPropActive = 1;
inline constexpr std::int16_t kPropWithChests = 2;

// PropShowPhase values.
inline constexpr std::int16_t kShowNone = 0;
inline constexpr std::int16_t kShowRunning = 1;
inline constexpr std::int16_t kShowDone = 2;

// GetSendBuff kinds.
namespace prop_request {
inline constexpr int kNotice = 0;      // a line for the chat history and ticker
inline constexpr int kLabel = 1;       // a label on the table
inline constexpr int kFrame = 2;       // a frame for the server
inline constexpr int kAddress = 3;     // a click on Tou(n), n = 1..3
inline constexpr int kKey = 4;         // a key pressed on the table
inline constexpr int kPlayerCard = 5;  // the pointer over Tou(n), n = 0..3
}  // namespace prop_request

// Bounds on what the plug-in may ask for, so that a faulty one cannot
// flood the send ring or hold the end of a hand for ever.
inline constexpr int kMaxRequestsPerTick = 32;
// Frames the plug-in may not take from the game: this much room stays free.
inline constexpr std::size_t kSendRoomForGame = 16 * kFrameSize;
// Main-timer ticks the end of a hand waits for GetScoreInfo (5 s).
inline constexpr int kScoreWaitTicks = 100;

struct PropHost {
  std::unique_ptr<PropPlugin> PropObj;
  std::int16_t Prop_GameDllState = kPropNotLoaded;
  std::int16_t Prop_swicth = 0;
  std::int16_t PropParam = 0;
  bool bPropPump = false;
  bool PropPending = false;     // a hand has ended and waits for the plug-in
  bool PropScoreReady = false;  // command 46 arrived: the plug-in has scores
  bool PropDrawn = false;       // the waiting hand ended with all totals 0
  std::int16_t PropShowPhase = kShowNone;
  bool bPropUnloadAfterShow = false;
  bool bPropHandStarted = false;
  // Two strings per view, view 0 first: the name shown, then the result
  // lines separated by "|".
  std::vector<std::string> ChestInfo;
  // A plug-in label shown for LabelTicks ticks of TimerProp.
  bool bLabelTimed = false;
  std::int16_t LabelTicks = 0;
  std::int16_t LabelCount = 0;
  PluginRequest request;
  // Ticks the waiting hand has asked GetScoreInfo in vain.
  int ScoreWaits = 0;
  ChestLayout chestLayout;
  ChestState chests;
};

bool PluginActive(const Client& c);
// Loads the plug-in for this visit; true when it is active.
bool InitGameDll(Client& c);
// Closes the active plug-in (flag 1 at program end, else 0); the object
// stays, so that a later player-information message may load it again.
void UnloadGameDll(Client& c, std::int16_t atProgramEnd = 0);
// A departure: unloads the active plug-in, or after the end-of-hand show
// when one is running.
void UnloadAfterShow(Client& c);
// Runs f on the plug-in object when there is one. A plug-in that throws is
// closed, released and turned off for the visit. False when f did not run
// through.
bool PropCall(Client& c, const std::function<void(PropPlugin&)>& f);
// Hands a frame to the active plug-in's Rec_MSG; nothing when inactive.
void PassToPlugin(Client& c, Frame& msg);

// The deal of a new hand begins (own hand still empty, plug-in active).
void PropHandStart(Client& c);
// The fourth settlement message of a hand with the plug-in active: the
// settlement waits for the plug-in's scores.
void PropHandEnd(Client& c);
// The end of every totals panel.
void PropAfterShow(Client& c);
// The table is reset: the per-hand flags of the plug-in are cleared, but
// not those of a hand whose end is still being shown.
void ClearPropHand(Client& c);
// A new hand starts, or the client is reset: the end of the last hand is
// not waited for or shown any more (and a deferred unloading is done).
void DropPropHand(Client& c);
// The main window is back from being minimised.
void PropWindowRestored(Client& c);
// The main timer runs PropTimerStep this tick.
bool PropPumpDue(const Client& c);

// A plug-in label on the table: rect (w, h, left, top); style (interval ms,
// ticks, font size, colour 0xBBGGRR, alignment 0 left 1 right 2 centre).
void ShowPropLabel(Client& c, const std::string& text, const std::vector<std::int32_t>& rect,
                   const std::vector<std::int32_t>& style);
// A plug-in line in the chat history and the ticker.
void ShowPropNotice(Client& c, const std::string& text);
// The settlement of the waiting hand, then the plug-in told it is shown.
void ShowPropSettlement(Client& c);
// The plug-in's extra score lines ("|"-separated) and gold per view, kept
// with the hand's totals until the totals panel books them.
void ClearPropScores(Client& c);
void SetPropScores(Client& c, const std::array<std::string, 4>& texts, const std::array<double, 4>& amounts);
const std::array<double, 4>& PropAmounts(const Client& c);

}  // namespace vask
