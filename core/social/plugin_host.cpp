#include "core/social/plugin_host.h"

#include <algorithm>

#include "core/client.h"
#include "core/handlers.h"
#include "core/social/prop_texts.h"
#include "core/view/view_model.h"

namespace vask {

bool PluginActive(const Client& c) {
  return c.prop.PropObj != nullptr && c.prop.Prop_GameDllState >= kPropActive;
}

namespace {

void Changed(Client& c) {
  ++c.view.revision;
  c.platform.ViewChanged();
}

void HideControl(Control& ctl) {
  ctl.visible = false;
  ctl.enabled = false;
}

void EmptyAndHideLabel(Client& c) {
  c.view.LbProp.text.clear();
  c.view.LbProp.visible = false;
}

// The chest images: ImgProp(0) exists with the window, 1..n are made for
// the plug-in's layout (n = the upper bound of ChestPos).
void MakeChestImages(Client& c) {
  std::vector<Control>& imgs = c.view.ImgProp;
  imgs.resize(1);
  HideControl(imgs[0]);
  // Only the first fifteen chests are ever shown; a longer layout makes no
  // more images than a regular one.
  const std::size_t n = c.prop.Prop_GameDllState == kPropWithChests
                            ? std::min<std::size_t>(c.prop.chestLayout.ChestPos.size(), kChestPosEntries)
                            : 1;
  for (std::size_t k = 1; k < n; ++k) {
    Control img;
    HideControl(img);
    img.z = ++c.view.zFront;
    imgs.push_back(img);
  }
  c.view.PluginPictures.erase(kClosedChestPicture);
  c.view.PluginPictures.erase(kOpenChestPicture);
  if (c.prop.Prop_GameDllState == kPropWithChests) {
    c.view.PluginPictures[kClosedChestPicture] = c.prop.chestLayout.ClosedPic;
    c.view.PluginPictures[kOpenChestPicture] = c.prop.chestLayout.OpenPic;
  }
}

void DropChestImages(Client& c) {
  c.view.ImgProp.resize(1);
  HideControl(c.view.ImgProp[0]);
  c.view.PluginPictures.erase(kClosedChestPicture);
  c.view.PluginPictures.erase(kOpenChestPicture);
}

// The view side of closing the plug-in; the object is not called.
void CloseDown(Client& c) {
  PropHost& h = c.prop;
  // A chest show cut short still owes the hand its settlement: the next
  // main-timer tick shows it.
  if (h.chests.bChestClock || h.chests.bChestAnim) h.PropPending = true;
  h.Prop_GameDllState = kPropNotLoaded;
  h.bPropPump = false;
  EnableTimer(c, TimerId::Prop, false);
  h.chests.bChestClock = false;
  h.chests.bChestAnim = false;
  h.bLabelTimed = false;
  DropChestImages(c);
  EmptyAndHideLabel(c);
  // The plug-in drew the players in place of their portraits.
  for (Control& portrait : c.view.Tou) portrait.visible = portrait.enabled = true;
  Changed(c);
}

// A plug-in that failed: closed without asking it again, released, and
// off for the visit. The game goes on.
void TurnPluginOff(Client& c) {
  CloseDown(c);
  c.prop.PropObj.reset();
  c.prop.Prop_GameDllState = kPropOff;
}

// Asks GetBaoInfo for the chest layout; a layout the show cannot use
// counts as no chests.
bool TakeChestLayout(Client& c) {
  ChestLayout layout;
  bool chests = false;
  if (!PropCall(c, [&](PropPlugin& p) { chests = p.GetBaoInfo(layout); })) return false;
  if (!chests || !ChestLayoutUsable(layout)) return false;
  c.prop.chestLayout = std::move(layout);
  return true;
}

}  // namespace

bool InitGameDll(Client& c) {
  PropHost& h = c.prop;
  ViewModel& v = c.view;
  v.Bank.visible = true;
  v.Bank.tooltip = prop_text::kBankTip;
  BringToFront(v, v.Bank);
  h.chests.ChestNames = {};
  h.chests.CountUp = {};
  h.chests.CountStep = {};

  if (!h.PropObj) {
    const std::string path = c.platform.ClientDirectory() + kPropLibrary;
    if (c.conn.bTableLive && c.platform.FileExists(path)) {
      // The library needs no registration here: loading it is enough.
      h.PropObj = c.platform.LoadPlugin(path);
      if (!h.PropObj) return false;  // not loadable: state unchanged
    }
  }
  if (!h.PropObj || !c.conn.bTableLive) {
    h.Prop_GameDllState = kPropOff;
    return false;
  }

  h.Prop_GameDllState = kPropOff;  // while loading
  std::string account = c.launch.PropAccount;
  std::string key = c.launch.PropKey;
  std::int16_t layout = v.LayoutScale == 1.0f ? 1 : 2;
  std::int16_t param = h.PropParam;
  bool ready = false;
  const bool ran = PropCall(c, [&](PropPlugin& p) {
    ready = p.Initdll(account, key, kPropMode, c.platform.MainWindowHandle(), kPropGame, p, layout, param);
  });
  if (!ran) return false;
  if (!ready) {
    h.bPropPump = false;
    h.Prop_GameDllState = kPropNotLoaded;
    h.PropObj.reset();
    return false;
  }
  const bool chests = TakeChestLayout(c);
  if (!h.PropObj) return false;  // GetBaoInfo threw
  h.Prop_GameDllState = chests ? kPropWithChests : kPropActive;
  MakeChestImages(c);
  h.bPropPump = true;
  Changed(c);
  return true;
}

void UnloadGameDll(Client& c, std::int16_t atProgramEnd) {
  if (c.prop.Prop_GameDllState < kPropActive) return;
  PropCall(c, [atProgramEnd](PropPlugin& p) {
    std::int16_t flag = atProgramEnd;
    p.InitExit(flag);
  });
  if (c.prop.PropObj) CloseDown(c);
}

void UnloadAfterShow(Client& c) {
  if (!PluginActive(c)) return;
  if (c.prop.PropShowPhase == kShowRunning) {
    c.prop.bPropUnloadAfterShow = true;
    return;
  }
  UnloadGameDll(c);
}

bool PropCall(Client& c, const std::function<void(PropPlugin&)>& f) {
  if (!c.prop.PropObj) return false;
  try {
    f(*c.prop.PropObj);
    return true;
  } catch (...) {
    TurnPluginOff(c);
    return false;
  }
}

void PassToPlugin(Client& c, Frame& msg) {
  if (!PluginActive(c)) return;
  // The plug-in gets its own copy: what it does to it stays with it.
  Frame copy = msg;
  PropCall(c, [&](PropPlugin& p) { p.Rec_MSG(copy); });
}

void OnPropA(Client& c, MsgInfo&) { PassToPlugin(c, c.conn.Msg); }

void OnPropB(Client& c, MsgInfo&) { PassToPlugin(c, c.conn.Msg); }

void OnPropScore(Client& c, MsgInfo&) {
  if (!PluginActive(c)) return;
  PassToPlugin(c, c.conn.Msg);
  c.prop.PropScoreReady = true;
}

void OnUnassigned(Client& c, MsgInfo&) { PassToPlugin(c, c.conn.Msg); }

void PropHandStart(Client& c) {
  PropHost& h = c.prop;
  if (h.bPropHandStarted) return;
  h.bPropHandStarted = true;
  for (Control& img : c.view.ImgProp)
    if (img.visible || img.enabled) HideControl(img);
  if (c.view.LbProp.visible) EmptyAndHideLabel(c);
  if (h.Prop_GameDllState > 0) PropCall(c, [](PropPlugin& p) { p.InitShowNext(true); });
  ClearPropScores(c);
  // A score message that came after its hand was settled is not this
  // hand's: the end of this one must not wait on it.
  h.PropScoreReady = false;
  Changed(c);
}

void PropHandEnd(Client& c) {
  PropHost& h = c.prop;
  bool anyTotal = false;
  for (const SeatRec& seat : c.table.Detail) anyTotal = anyTotal || seat.SeatTotal != 0;
  h.PropPending = true;
  if (!anyTotal) h.PropDrawn = true;
  h.PropShowPhase = kShowRunning;
  h.ScoreWaits = 0;
  ClearPropScores(c);
  h.ChestInfo.clear();
  PropCall(c, [](PropPlugin& p) { p.InitShowEnd(); });
}

void PropAfterShow(Client& c) {
  PropHost& h = c.prop;
  if (h.bPropUnloadAfterShow) {
    UnloadGameDll(c);
    h.PropShowPhase = kShowNone;
  } else {
    h.PropShowPhase = kShowDone;
  }
}

void ClearPropHand(Client& c) {
  PropHost& h = c.prop;
  h.bPropHandStarted = false;
  // The end of a hand still being shown keeps what it needs: the table is
  // reset meanwhile when the others are ready for the next game first.
  if (h.PropShowPhase == kShowRunning) return;
  h.PropDrawn = false;
  h.bPropUnloadAfterShow = false;
}

void DropPropHand(Client& c) {
  PropHost& h = c.prop;
  const bool unload = h.bPropUnloadAfterShow;
  h.PropPending = false;
  h.PropScoreReady = false;
  h.ScoreWaits = 0;
  h.chests.bChestClock = false;
  h.chests.bChestAnim = false;
  if (h.PropShowPhase == kShowRunning) h.PropShowPhase = kShowNone;
  h.PropDrawn = false;
  h.bPropUnloadAfterShow = false;
  if (unload) UnloadGameDll(c);
}

void PropWindowRestored(Client& c) {
  if (PluginActive(c)) PropCall(c, [](PropPlugin& p) { p.FixBuffPos(); });
}

bool PropPumpDue(const Client& c) {
  // A hand waiting for an unloaded plug-in still needs the step that shows
  // its settlement.
  return (c.prop.bPropPump && PluginActive(c)) || c.prop.PropPending;
}

void MainForm_Bank_Click(Client& c, const ControlInput&) {
  if (c.prop.Prop_GameDllState < kPropActive) return;
  PropCall(c, [](PropPlugin& p) { p.setbankstate(0); });
}

}  // namespace vask
