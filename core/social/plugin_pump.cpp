// The plug-in's requests on the main timer, the settlement that waits for
// its scores, and its labels and notices.
#include <algorithm>
#include <cmath>
#include <optional>

#include "core/client.h"
#include "core/connection/frame.h"
#include "core/handlers.h"
#include "core/connection/gbk.h"
#include "core/social/chat.h"
#include "core/social/plugin_host.h"
#include "core/view/input.h"
#include "core/view/widgets.h"

namespace vask {

namespace {

constexpr std::size_t kLabelRectEntries = 4;
constexpr std::size_t kChestInfoEntries = 8;
// Beyond this the plug-in's gold is taken as garbage.
constexpr double kMaxPropAmount = 1e12;
// Labels are kept to a sane size whatever the plug-in asks.
constexpr std::int32_t kMaxLabelSide = 4096;
// A text of the plug-in's beyond this many characters is cut: the score
// window, the history and the results file take it line by line.
constexpr std::size_t kMaxPropTextChars = 512;

void CapText(std::string& text) {
  if (text.size() > kMaxPropTextChars) text = FirstChars(text, kMaxPropTextChars);
}

void Changed(Client& c) {
  ++c.view.revision;
  c.platform.ViewChanged();
}

// The whole number a request's text holds, rounded halves to even.
std::optional<int> RequestNumber(const std::string& text) {
  if (text.empty()) return std::nullopt;
  std::size_t used = 0;
  double d = 0;
  try {
    d = std::stod(text, &used);
  } catch (...) {
    return std::nullopt;
  }
  if (!std::isfinite(d) || std::fabs(d) > 1e6) return std::nullopt;
  return static_cast<int>(std::nearbyint(d));
}

std::int32_t StyleAt(const std::vector<std::int32_t>& style, std::size_t i) {
  return i < style.size() ? style[i] : 0;
}

// The colours of the plug-in are 0xBBGGRR; the view's are 0xRRGGBB.
std::uint32_t ColourOf(std::int32_t bgr) {
  const auto v = static_cast<std::uint32_t>(bgr) & 0xFFFFFF;
  return (v & 0xFF) << 16 | (v & 0xFF00) | (v >> 16);
}

// Commands the client itself speaks for the game; the plug-in must not
// make them, or it could log in, leave or play for the user.
bool GameCommand(std::uint8_t cmd) {
  switch (static_cast<Cmd>(cmd)) {
    case Cmd::Discard:
    case Cmd::Claim:
    case Cmd::TableState:
    case Cmd::Login:
    case Cmd::KeepAlive:
    case Cmd::PullSit:
    case Cmd::Relogin:
      return true;
    default:
      return false;
  }
}

// A plug-in frame goes out only when it is a whole frame with a command
// of its own, and while the send ring keeps room for the game's frames.
void SendPluginFrame(Client& c, const std::vector<std::uint8_t>& bytes) {
  if (bytes.size() != kFrameSize) return;
  Frame f;
  std::copy(bytes.begin(), bytes.end(), f.begin());
  const std::uint8_t cmd = f[frame_offset::kCmd];
  if (cmd == 0 || f[frame_offset::kCmdHigh] != 0 || GameCommand(cmd)) return;
  // A command-19 frame is only the plug-in's when it carries the marker;
  // anything else would be chat in the user's name.
  if (cmd == static_cast<int>(Cmd::Chat) && !IsPropChatFrame(f)) return;
  if (c.conn.SendBuf.Free() < kFrameSize + kSendRoomForGame) return;
  SendRawMsg(c, f);
}

void HandleRequest(Client& c, PluginRequest& r) {
  CapText(r.PluginText);
  switch (r.PluginKind) {
    case prop_request::kNotice:
      if (r.PluginText.empty()) return;
      ShowPropNotice(c, r.PluginText);
      r.PluginText.clear();
      return;
    case prop_request::kLabel:
      if (r.PluginText.empty() || r.PluginRect.size() != kLabelRectEntries) return;
      ShowPropLabel(c, r.PluginText, r.PluginRect, r.PluginStyle);
      r.PluginText.clear();
      r.PluginRect.clear();
      r.PluginStyle.clear();
      return;
    case prop_request::kFrame:
      return SendPluginFrame(c, r.PluginFrame);
    case prop_request::kAddress: {
      const auto n = RequestNumber(r.PluginText);
      if (n && *n >= 1 && *n <= 3) ClickOnControl(c, "Tou", *n);
      return;
    }
    case prop_request::kKey: {
      const auto n = RequestNumber(r.PluginText);
      if (n) KeyOnControl(c, "Pic1", *n);
      return;
    }
    case prop_request::kPlayerCard: {
      const auto n = RequestNumber(r.PluginText);
      if (n && *n >= 0 && *n <= 3) PointerOnControl(c, "Tou", *n);
      return;
    }
    default:
      return;
  }
}

void PumpRequests(Client& c) {
  int n = 0;
  if (!PropCall(c, [&](PropPlugin& p) { n = p.CheckSendBuff(); })) return;
  n = std::clamp(n, 0, kMaxRequestsPerTick);
  for (int i = 0; i < n; ++i) {
    if (!PluginActive(c)) return;
    PluginRequest& r = c.prop.request;
    r.PluginKind = -1;
    if (!PropCall(c, [&](PropPlugin& p) { p.GetSendBuff(r); })) return;
    HandleRequest(c, r);
  }
}

// Scores as the plug-in delivers them; ScoresUsable cuts their texts to
// size and refuses garbage amounts.
struct PropScores {
  std::array<std::string, 4> texts;
  std::array<double, 4> amounts{};
  std::vector<std::string> chestInfo;
};

bool ScoresUsable(PropScores& s) {
  for (double a : s.amounts)
    if (!std::isfinite(a) || std::fabs(a) > kMaxPropAmount) return false;
  s.chestInfo.resize(kChestInfoEntries);
  for (std::string& t : s.texts) CapText(t);
  for (std::string& t : s.chestInfo) CapText(t);
  return true;
}

// The plug-in failed the hand: it is turned off for the visit and the
// hand is settled without it.
void GiveUpOnPlugin(Client& c) {
  UnloadGameDll(c);
  c.prop.PropObj.reset();
  c.prop.Prop_GameDllState = kPropOff;
  c.prop.PropPending = false;
  ClearPropScores(c);
  ShowPropSettlement(c);
}

// Returns false when the tick ends here.
bool SequenceSettlement(Client& c) {
  PropHost& h = c.prop;
  if (h.Prop_GameDllState < kPropActive) {
    h.PropPending = false;
    ShowPropSettlement(c);
    return false;
  }
  if (!h.PropScoreReady) {
    // The settlement does not wait for a late score message.
    h.PropPending = false;
    ShowPropSettlement(c);
    return true;
  }
  // The plug-in fills copies: what it leaves behind without answering 1
  // never reaches the hand's records.
  PropScores s;
  int answer = 0;
  if (!PropCall(c, [&](PropPlugin& p) { answer = p.GetScoreInfo(s.texts, s.amounts, s.chestInfo); })) {
    GiveUpOnPlugin(c);
    return false;
  }
  if (answer != 1) {
    if (++h.ScoreWaits >= kScoreWaitTicks) GiveUpOnPlugin(c);
    return false;
  }
  if (!ScoresUsable(s)) {
    GiveUpOnPlugin(c);
    return false;
  }
  SetPropScores(c, s.texts, s.amounts);
  h.ChestInfo = std::move(s.chestInfo);
  h.PropScoreReady = false;
  h.PropPending = false;
  h.chests.bChestPicked = false;
  if (h.Prop_GameDllState == kPropWithChests) {
    PlayBaoXiang(c);
    return true;
  }
  ShowPropSettlement(c);
  return true;
}

}  // namespace

void PropTimerStep(Client& c) {
  PropHost& h = c.prop;
  if (h.bPropPump && h.Prop_GameDllState >= kPropActive) {
    PumpRequests(c);
    // A plug-in that failed here ends the tick; a waiting hand is settled
    // on the next.
    if (!PluginActive(c)) return;
  }
  if (h.PropPending && !SequenceSettlement(c)) return;
  if (h.chests.bChestClock) ChestCountdown(c);
}

void TimerProp_Timer(Client& c) {
  PropHost& h = c.prop;
  EnableTimer(c, TimerId::Prop, false);
  if (h.bLabelTimed && !h.chests.bChestAnim) {
    ++h.LabelCount;
    if (h.LabelCount >= h.LabelTicks) {
      c.view.LbProp.text.clear();
      c.view.LbProp.visible = false;
      h.LabelCount = 0;
      h.bLabelTimed = false;
      Changed(c);
      return;
    }
  }
  if (h.chests.bChestAnim) return ChestAnimTick(c);
  EnableTimer(c, TimerId::Prop, true);
}

void ShowPropLabel(Client& c, const std::string& text, const std::vector<std::int32_t>& rect,
                   const std::vector<std::int32_t>& style) {
  Control& l = c.view.LbProp;
  auto side = [](std::int32_t v) { return static_cast<float>(std::clamp<std::int32_t>(v, 0, kMaxLabelSide)); };
  l.visible = false;
  l.w = side(rect[0]);
  l.h = side(rect[1]);
  l.x = static_cast<float>(rect[2]);
  l.y = static_cast<float>(rect[3]);
  l.fontSize = static_cast<float>(std::clamp<std::int32_t>(StyleAt(style, 2), 0, 72));
  l.foreColor = ColourOf(StyleAt(style, 3));
  l.bold = false;
  switch (StyleAt(style, 4)) {
    case 1: l.align = TextAlign::Right; break;
    case 2: l.align = TextAlign::Center; break;
    default: l.align = TextAlign::Left; break;
  }
  l.text = text;
  l.visible = true;
  BringToFront(c.view, l);
  if (StyleAt(style, 1) >= 1 && StyleAt(style, 0) >= 1) {
    PropHost& h = c.prop;
    SetTimerInterval(c, TimerId::Prop, StyleAt(style, 0));
    h.LabelTicks = static_cast<std::int16_t>(std::min<std::int32_t>(StyleAt(style, 1), INT16_MAX));
    h.LabelCount = 0;
    h.bLabelTimed = true;
    EnableTimer(c, TimerId::Prop, true);
  }
  Changed(c);
}

void ShowPropNotice(Client& c, const std::string& text) {
  AddHistoryLine(c, text);
  AddTickerLine(c, text);
  Changed(c);
}

}  // namespace vask
