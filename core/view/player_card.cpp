#include "core/view/player_card.h"

#include <string>

#include "core/client.h"
#include "core/handlers.h"
#include "core/view/input.h"

namespace vask {

namespace {

constexpr const char* kCaptions[kCardValues] = {"玩家昵称", "性    别", "所 在 地", "积    分", "信 用 度",
                                                "登录次数", "掉线次数", "胜场次数", "败场次数"};
constexpr const char* kMale = "男";
constexpr const char* kFemale = "女";

constexpr float kCardWidth = 210, kCardHeight = 232;
constexpr float kRowTop = 12, kRowHeight = 23;
constexpr float kCaptionLeft = 12, kCaptionWidth = 70;
constexpr float kValueLeft = 90, kValueWidth = 112;

ListControl Label(float x, float y, float w, float h, const std::string& text, std::uint32_t colour) {
  ListControl l;
  l.kind = ControlKind::Label;
  l.x = x, l.y = y, l.w = w, l.h = h;
  l.text = text;
  l.foreColor = colour;
  l.visible = true;
  return l;
}

}  // namespace

void LayoutPlayerCard(Client& c) {
  FormWindow& card = c.view.Information;
  const float s = c.view.LayoutScale;
  card.w = kCardWidth * s;
  card.h = kCardHeight * s;
  card.parts.clear();
  for (int i = 0; i < kCardValues; ++i)
    card.parts.push_back(Label(kValueLeft * s, (kRowTop + kRowHeight * i) * s, kValueWidth * s, kRowHeight * s, "", 0xFFF4C8));
  for (int i = 0; i < kCardValues; ++i)
    card.parts.push_back(Label(kCaptionLeft * s, (kRowTop + kRowHeight * i) * s, kCaptionWidth * s, kRowHeight * s,
                               kCaptions[i], 0xD8C090));
  card.visible = false;
}

void ShowPlayerCard(Client& c, int view) {
  if (view < 0 || view > 3) return;
  FormWindow& card = c.view.Information;
  const PlayerRecord& p = c.players.PlayerInfo[view];
  if (card.visible || p.Nick.empty()) return;
  if (card.parts.size() < kCardValues) LayoutPlayerCard(c);
  const std::string values[kCardValues] = {p.Nick,
                                           p.Sex != 0 ? kMale : kFemale,
                                           p.Area,
                                           std::to_string(p.Points),
                                           std::to_string(p.Credit),
                                           std::to_string(p.Logins),
                                           std::to_string(p.Drops),
                                           std::to_string(p.Wins),
                                           std::to_string(p.Losses)};
  for (int i = 0; i < kCardValues; ++i) card.parts[static_cast<std::size_t>(i)].text = values[i];
  const ViewModel& v = c.view;
  if (view == 0) {
    card.x = 0;
    card.y = (v.LayoutScale < 1.0f ? 0.3f : 0.42f) * v.Pic1.h;
  } else {
    card.x = static_cast<float>(static_cast<int>((view - 1) * v.Pic1.w) / 3);
    card.y = 0.11f * v.Pic1.h;
  }
  card.visible = true;
  BringToFront(c.view, card);
  c.platform.ViewChanged();
}

void HidePlayerCard(Client& c) {
  if (!c.view.Information.visible) return;
  c.view.Information.visible = false;
  ++c.view.revision;
  c.platform.ViewChanged();
}

void MainForm_Tou_MouseMove(Client& c, const ControlInput& in) { ShowPlayerCard(c, in.index); }
void MainForm_Nid_MouseMove(Client& c, const ControlInput& in) { ShowPlayerCard(c, in.index); }
void MainForm_Cash_MouseMove(Client& c, const ControlInput& in) { ShowPlayerCard(c, in.index); }
void MainForm_Level_MouseMove(Client& c, const ControlInput& in) { ShowPlayerCard(c, in.index); }

}  // namespace vask
