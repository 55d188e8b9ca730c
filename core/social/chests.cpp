#include "core/social/chests.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "core/client.h"
#include "core/connection/gbk.h"
#include "core/handlers.h"
#include "core/settle/settle_texts.h"
#include "core/settle/totals.h"
#include "core/social/chat.h"
#include "core/social/plugin_host.h"
#include "core/social/prop_texts.h"
#include "core/view/delay.h"

namespace vask {

namespace {

constexpr float kLetterWidth = 14;  // per display column of the chest message
constexpr float kMessageHeight = 50;
constexpr float kCountLineHeight = 30;
constexpr std::uint32_t kYellow = 0xFFFF00;
// The chest messages and the count-up are read across the table.
constexpr float kChestPoints = 14;
constexpr int kEndPauseMs = 1000;
// Timings the show runs with; beyond them the layout is taken as garbage.
constexpr int kMaxAnimTickMs = 1000;
constexpr int kMaxAnimTicks = 1000;

void Changed(Client& c) {
  ++c.view.revision;
  c.platform.ViewChanged();
}

const ChestLayout& Layout(const Client& c) { return c.prop.chestLayout; }

// A random number in [0, 1).
double Rnd(Client& c) { return static_cast<double>(c.platform.Random() & 0xFFFFFF) / 16777216.0; }

// Rnd × 4 rounded to the nearest whole number, halves to even: 0..4.
int RandomChest(Client& c) { return static_cast<int>(std::nearbyint(Rnd(c) * 4)); }

const std::string& NameOf(const Client& c, int v) { return c.prop.ChestInfo[static_cast<std::size_t>(2 * v)]; }
const std::string& LinesOf(const Client& c, int v) {
  return c.prop.ChestInfo[static_cast<std::size_t>(2 * v + 1)];
}
bool HasChests(const Client& c, int v) { return !NameOf(c, v).empty() || !LinesOf(c, v).empty(); }

std::vector<std::string> Pieces(const std::string& lines) {
  std::vector<std::string> out;
  std::size_t from = 0;
  for (;;) {
    const std::size_t bar = lines.find('|', from);
    out.push_back(lines.substr(from, bar == std::string::npos ? std::string::npos : bar - from));
    if (bar == std::string::npos) return out;
    from = bar + 1;
  }
}

// A number as the show writes it: whole values without decimals.
std::string DecimalText(double v) {
  if (v == std::floor(v) && std::fabs(v) < 1e15) return std::to_string(static_cast<long long>(v));
  char buf[32];
  std::snprintf(buf, sizeof buf, "%.15g", v);
  return buf;
}

double Amount(const Client& c, int v) { return PropAmounts(c)[static_cast<std::size_t>(v)]; }

Control* ChestImage(Client& c, int chest) {
  if (chest < 0 || chest >= static_cast<int>(c.view.ImgProp.size())) return nullptr;
  return &c.view.ImgProp[static_cast<std::size_t>(chest)];
}

void PlaceClosedChest(Client& c, int k, bool enabled) {
  Control* img = ChestImage(c, k);
  if (!img) return;
  const ChestLayout& l = Layout(c);
  img->x = static_cast<float>(l.ChestPos[static_cast<std::size_t>(k)]);
  img->y = static_cast<float>(l.ChestPos[static_cast<std::size_t>(k + kChestSlots)]);
  img->w = static_cast<float>(l.ChestSize[0]);
  img->h = static_cast<float>(l.ChestSize[1]);
  img->picture = kClosedChestPicture;
  img->visible = true;
  img->enabled = enabled;
  BringToFront(c.view, *img);
}

void ChestMessageFont(Client& c) {
  c.view.LbProp.fontSize = kChestPoints * c.view.LayoutScale;
  c.view.LbProp.bold = true;
}

void ShowLabelInFront(Client& c, const std::string& text) {
  c.view.LbProp.text = text;
  c.view.LbProp.visible = true;
  BringToFront(c.view, c.view.LbProp);
  Changed(c);
}

// One count-up line of view v: the name, the amount padded, the gold word.
std::string CountLine(const Client& c, int v, const std::string& amount) {
  return c.prop.chests.ChestNames[static_cast<std::size_t>(v)] + PadLeft(amount, static_cast<std::size_t>(c.prop.chests.AmountWidth)) +
         settle_text::kGold;
}

std::string Joined(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += (text.empty() ? "" : "\n") + line;
  return text;
}

}  // namespace

bool ChestLayoutUsable(const ChestLayout& l) {
  if (l.ChestPos.size() < kChestPosEntries || l.ChestCentre.size() < 2 || l.SeatTargets.size() < 8 ||
      l.MsgPos.size() < 2 || l.ChestTimes.size() < 2 || l.ChestSize.size() < 2 || l.OpenSize.size() < 2)
    return false;
  return l.ChestTimes[0] >= 1 && l.ChestTimes[0] <= kMaxAnimTickMs && l.ChestTimes[1] >= 1 &&
         l.ChestTimes[1] <= kMaxAnimTicks;
}

void PlayBaoXiang(Client& c) {
  ChestState& s = c.prop.chests;
  const ChestLayout& l = Layout(c);
  c.view.LbProp.text.clear();
  s.Prop_BaoChs.fill(kNoChest);
  bool any = false;
  for (int v = 0; v < 4; ++v) any = any || HasChests(c, v);
  if (!any) return ShowPropSettlement(c);

  std::string message;
  if (HasChests(c, 0)) {
    for (int k = 0; k < kChestsPerGroup; ++k) PlaceClosedChest(c, k, true);
    message = prop_text::kPickChest;
  } else {
    int group = 0;
    for (int v = 1; v < 4; ++v) {
      if (!HasChests(c, v)) continue;
      for (int k = 0; k < kChestsPerGroup; ++k) PlaceClosedChest(c, kChestsPerGroup * group + k, false);
      s.Prop_BaoChs[static_cast<std::size_t>(v)] = static_cast<std::int16_t>(kChestsPerGroup * group + RandomChest(c));
      ++group;
    }
    message = prop_text::kWaitOthers;
  }
  Control& label = c.view.LbProp;
  const float w = static_cast<float>(DisplayWidth(message)) * kLetterWidth;
  label.align = TextAlign::Center;
  label.w = w;
  label.h = kMessageHeight;
  label.x = static_cast<float>(l.MsgPos[0]) - w / 2;
  label.y = static_cast<float>(l.MsgPos[1]);
  label.foreColor = kRed;
  ChestMessageFont(c);
  ShowLabelInFront(c, std::string(prop_text::kChestCountdownFirst) + "\n" + message);

  c.prop.bLabelTimed = false;
  s.bChestClock = true;
  s.ChestTick = 0;
  s.ChestSeconds = kCountdownSeconds;
}

void ChestCountdown(Client& c) {
  ChestState& s = c.prop.chests;
  if (++s.ChestTick < kTicksPerSecond) return;
  s.ChestTick = 0;
  --s.ChestSeconds;
  if (s.bChestPicked) {
    s.bChestClock = false;
    return;
  }
  const std::string seconds = std::to_string(s.ChestSeconds);
  if (Amount(c, 0) <= 0 && LinesOf(c, 0).empty()) {
    ShowLabelInFront(c, seconds + "\n" + prop_text::kWaitPlayers);
    if (s.ChestSeconds < 3) {
      s.bChestClock = false;
      OpenChest(c, kNoChest);
    }
    return;
  }
  ShowLabelInFront(c, seconds + "\n" + prop_text::kPickChest);
  if (s.ChestSeconds < 1) {
    s.bChestClock = false;
    OpenChest(c, RandomChest(c));
  }
}

void MainForm_ImgProp_Click(Client& c, const ControlInput& in) {
  const Control* img = ChestImage(c, in.index);
  if (!img || !img->enabled) return;
  if (c.prop.Prop_GameDllState != kPropWithChests || c.prop.chests.bChestPicked) return;
  OpenChest(c, in.index);
}

void OpenChest(Client& c, int chest) {
  ChestState& s = c.prop.chests;
  const ChestLayout& l = Layout(c);
  if (chest == kNoChest) {
    for (int v = 1; v < 4; ++v)
      if (s.Prop_BaoChs[static_cast<std::size_t>(v)] != kNoChest) FlyChest(c, s.Prop_BaoChs[static_cast<std::size_t>(v)], true, v);
  } else {
    // The own chest is chosen once, by the user or by the countdown; a
    // click during the countdown's own pick must not open a second one.
    s.bChestPicked = true;
    s.Prop_BaoChs[0] = static_cast<std::int16_t>(chest);
    FlyChest(c, chest, true, 0);
  }
  if (c.prop.Prop_GameDllState == kPropWithChests) PropCall(c, [](PropPlugin& p) { p.ShowGif(1, true); });
  if (!PluginActive(c)) {
    // The plug-in went in the middle of the show: the next main-timer tick
    // settles the hand without it.
    c.prop.PropPending = true;
    return;
  }
  SetTimerInterval(c, TimerId::Prop, l.ChestTimes[0]);
  s.AnimFrame = 0;
  s.bChestAnim = true;
  c.prop.bLabelTimed = false;
  s.AnimLength = l.ChestTimes[1];
  ShowChestCount(c, -1);
  EnableTimer(c, TimerId::Prop, true);
}

void FlyChest(Client& c, int chest, bool opening, int view) {
  Control* img = ChestImage(c, chest);
  if (!img) return;
  const ChestLayout& l = Layout(c);
  const float cx = static_cast<float>(l.ChestCentre[0]), cy = static_cast<float>(l.ChestCentre[1]);
  if (opening) {
    img->enabled = false;
    const int first = chest / kChestsPerGroup * kChestsPerGroup;
    for (int k = first; k < first + kChestsPerGroup; ++k) {
      Control* other = ChestImage(c, k);
      if (other && k != chest && other->visible) {
        other->visible = false;
        other->enabled = false;
      }
    }
    MoveBao(c, img->x, img->y, cx - static_cast<float>(l.ChestSize[0]) / 2, cy - static_cast<float>(l.ChestSize[1]) / 2, chest);
    if ((img = ChestImage(c, chest))) img->visible = false;
    Changed(c);
    return;
  }
  img->w = static_cast<float>(l.OpenSize[0]);
  img->h = static_cast<float>(l.OpenSize[1]);
  img->x = cx - img->w / 2;
  img->y = cy - img->h / 2;
  img->picture = kOpenChestPicture;
  img->visible = true;
  Changed(c);
  const std::size_t v = static_cast<std::size_t>(view & 3);
  MoveBao(c, img->x, img->y, static_cast<float>(l.SeatTargets[v]), static_cast<float>(l.SeatTargets[v + 4]), chest);
}

bool MoveBao(Client& c, float x0, float y0, float x1, float y1, int image) {
  const float dx = (x1 - x0) / kFlightSteps, dy = (y1 - y0) / kFlightSteps;
  for (int i = 1; i <= kFlightSteps; ++i) {
    // The window handles events while the chest flies: look it up afresh.
    Control* img = ChestImage(c, image);
    if (!img) return false;
    img->x = x0 + static_cast<float>(i) * dx;
    img->y = y0 + static_cast<float>(i) * dy;
    Changed(c);
    Delay(c, kFlightStepMs);
  }
  return true;
}

void ChestAnimTick(Client& c) {
  ChestState& s = c.prop.chests;
  ++s.AnimFrame;
  if (s.AnimFrame < s.AnimLength) {
    ShowChestCount(c, s.AnimFrame);
    EnableTimer(c, TimerId::Prop, true);
    return;
  }
  s.bChestAnim = false;
  s.AnimFrame = 0;
  ShowChestCount(c, s.AnimLength);
  if (PluginActive(c)) PropCall(c, [](PropPlugin& p) { p.ShowGif(1, false); });
  if (s.Prop_BaoChs[0] == kNoChest) {
    for (int v = 1; v < 4; ++v)
      if (s.Prop_BaoChs[static_cast<std::size_t>(v)] != kNoChest) FlyChest(c, s.Prop_BaoChs[static_cast<std::size_t>(v)], false, v);
  } else {
    FlyChest(c, s.Prop_BaoChs[0], false, 0);
  }
  ShowPropSettlement(c);
  if (PluginActive(c)) {
    // A plain pause: the opened chests stay in sight before the label goes.
    c.platform.Sleep(kEndPauseMs);
    c.view.LbProp.visible = false;
    Changed(c);
  }
}

void ShowChestCount(Client& c, int frame) {
  ChestState& s = c.prop.chests;
  Control& label = c.view.LbProp;
  if (frame == -1) {
    int nameWidth = 0;
    for (int v = 0; v < 4; ++v) {
      s.ChestNames[static_cast<std::size_t>(v)] = NameOf(c, v);
      nameWidth = std::max(nameWidth, DisplayWidth(NameOf(c, v)));
      s.CountUp[static_cast<std::size_t>(v)] = 0;
    }
    s.NameWidth = static_cast<std::int16_t>(nameWidth);
    int lines = 0, pieces = 0;
    double top = 0;
    for (int v = 0; v < 4; ++v) {
      const double amount = Amount(c, v);
      s.CountStep[static_cast<std::size_t>(v)] = 0;
      if (amount > 0) {
        top = std::max(top, amount);
        s.CountStep[static_cast<std::size_t>(v)] = static_cast<float>(amount / s.AnimLength);
        lines += 2;
      }
      if (!LinesOf(c, v).empty())
        for (const std::string& piece : Pieces(LinesOf(c, v))) {
          pieces = std::max(pieces, DisplayWidth(piece));
          ++lines;
        }
    }
    const float h = lines < 3 ? kMessageHeight : static_cast<float>(lines) * kCountLineHeight;
    s.AmountWidth = static_cast<std::int16_t>(DecimalText(top).size());
    const int columns = s.AmountWidth + s.NameWidth > pieces ? s.AmountWidth + s.NameWidth + 4 : pieces + 4;
    const float w = static_cast<float>(columns) * kLetterWidth;
    label.text.clear();
    label.x = static_cast<float>(Layout(c).MsgPos[0]) - w / 2;
    label.y = static_cast<float>(Layout(c).MsgPos[1]);
    label.w = w;
    label.h = h;
    label.align = TextAlign::Center;
    label.foreColor = kYellow;
    ChestMessageFont(c);
    label.visible = true;
    BringToFront(c.view, label);
    Changed(c);
    return;
  }
  std::vector<std::string> lines;
  if (frame < s.AnimLength) {
    for (int v = 0; v < 4; ++v) {
      const auto i = static_cast<std::size_t>(v);
      if (Amount(c, v) == 0) continue;
      lines.push_back(CountLine(c, v, DecimalText(std::nearbyint(s.CountUp[i]))));
      s.CountUp[i] += s.CountStep[i];
    }
    return ShowLabelInFront(c, Joined(lines));
  }
  for (int v = 0; v < 4; ++v) {
    if (Amount(c, v) == 0) continue;
    lines.push_back(CountLine(c, v, DecimalText(Amount(c, v))));
    AddHistoryLine(c, lines.back());
  }
  for (int v = 0; v < 4; ++v) {
    if (LinesOf(c, v).empty()) continue;
    for (const std::string& piece : Pieces(LinesOf(c, v))) {
      lines.push_back(piece);
      AddHistoryLine(c, piece);
    }
  }
  const std::string text = Joined(lines);
  AddTickerLine(c, text, 0);
  s.CountUp = {};
  s.CountStep = {};
  ShowLabelInFront(c, text);
}

}  // namespace vask
