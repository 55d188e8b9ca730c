#include "core/settle/score_windows.h"

#include <algorithm>

#include "core/client.h"
#include "core/connection/lobby_link.h"
#include "core/handlers.h"
#include "core/settle/records.h"
#include "core/settle/settle_texts.h"
#include "core/view/input.h"

namespace vask {

namespace st = settle_text;

namespace {

constexpr int kF1 = 112;
constexpr std::uint32_t kWinnerRed = 0xFF0000, kNameGreen = 0x00FF00;
constexpr std::uint32_t kColumnText = 0xFFF4C8, kHeaderText = 0xD8C090;
// The settlement columns are written in black (and the plug-in's colours)
// on paper.
constexpr std::uint32_t kPaper = 0xF4ECD8;

// Design sizes at scale 1.
constexpr float kScoreW = 880, kScoreH = 540;
constexpr float kScoreColLeft = 20, kScoreColStep = 215, kScoreColW = 205;
constexpr float kScoreLine = 15, kScoreRows = 26;
constexpr float kHeroW = 640, kHeroH = 420;
constexpr float kHeroColLeft = 120, kHeroColStep = 128, kHeroColW = 124;
constexpr float kHeroLine = 16, kHeroRows = 15;

ListControl Part(ControlKind kind, float x, float y, float w, float h, float s) {
  ListControl p;
  p.kind = kind;
  p.x = x * s, p.y = y * s, p.w = w * s, p.h = h * s;
  p.visible = true;
  p.foreColor = kColumnText;
  return p;
}

ListControl Text(float x, float y, float w, float h, float s, const std::string& text, TextAlign align) {
  ListControl p = Part(ControlKind::Label, x, y, w, h, s);
  p.text = text;
  p.align = align;
  return p;
}

ListControl List(float x, float y, float w, float rows, float line, float s) {
  ListControl p = Part(ControlKind::List, x, y, w, rows * line, s);
  p.lineHeight = line * s;
  return p;
}

ListControl CloseImage(float windowW, float s) {
  ListControl p = Text(windowW - 30, 2, 26, 22, s, st::kClose, TextAlign::Center);
  p.fontSize = 14;
  p.bold = true;
  return p;
}

void LayoutScore(Client& c, float s) {
  FormWindow& w = c.view.Score;
  w.text = st::kScoreCaption;
  w.w = kScoreW * s, w.h = kScoreH * s;
  w.parts.assign(score_part::kCount, ListControl{});
  for (int i = 0; i < 4; ++i) {
    const float left = kScoreColLeft + kScoreColStep * i;
    w.parts[score_part::kState + i] = List(left, 114, kScoreColW, kScoreRows, kScoreLine, s);
    w.parts[score_part::kState + 4 + i] = List(left, 512, kScoreColW, 1, 18, s);
    for (int j : {i, i + 4}) {
      ListControl& column = w.parts[static_cast<std::size_t>(score_part::kState + j)];
      column.backOpaque = true;
      column.backColor = kPaper;
      column.foreColor = 0;
    }
    w.parts[score_part::kId + i] = Text(left, 92, kScoreColW, 18, s, st::kPlayerColumn + std::to_string(i), TextAlign::Center);
    w.parts[score_part::kTou + i] = Part(ControlKind::Picture, left + 72, 26, 62, 64, s);
  }
  w.parts[score_part::kClose] = CloseImage(kScoreW, s);
  w.visible = false;
}

void LayoutHero(Client& c, float s) {
  FormWindow& w = c.view.Hero;
  w.text = st::kRecordCaption;
  w.w = kHeroW * s, w.h = kHeroH * s;
  w.parts.assign(hero_part::kCount, ListControl{});
  w.parts[hero_part::kNum] = List(12, 108, 100, kHeroRows, kHeroLine, s);
  for (int i = 0; i < 4; ++i) {
    const float left = kHeroColLeft + kHeroColStep * i;
    w.parts[hero_part::kGrade + i] = List(left, 108, kHeroColW, kHeroRows, kHeroLine, s);
    w.parts[hero_part::kSum + i] = Text(left, 356, kHeroColW, 20, s, "", TextAlign::Right);
    w.parts[hero_part::kId + i] = Text(left, 86, kHeroColW, 18, s, st::kPlayerColumn + std::to_string(i), TextAlign::Center);
    w.parts[hero_part::kTou + i] = Part(ControlKind::Picture, left + 36, 28, 52, 54, s);
  }
  w.parts[hero_part::kClose] = CloseImage(kHeroW, s);
  w.parts[hero_part::kHandHeader] = Text(12, 86, 100, 18, s, st::kHandColumn, TextAlign::Center);
  w.parts[hero_part::kSumLabel] = Text(12, 356, 100, 20, s, st::kSumLabel, TextAlign::Left);
  w.parts[hero_part::kHint] = Text(12, 390, kHeroW - 24, 20, s, st::kRecordHint, TextAlign::Center);
  for (int p : {hero_part::kHandHeader, hero_part::kSumLabel, hero_part::kHint}) w.parts[p].foreColor = kHeaderText;
  w.visible = false;
}

ListControl& PartOf(FormWindow& w, int index, int count) {
  if (w.parts.size() < static_cast<std::size_t>(count)) w.parts.resize(static_cast<std::size_t>(count));
  return w.parts[static_cast<std::size_t>(index)];
}

bool IsRecordList(int index) { return index >= hero_part::kNum && index < hero_part::kGrade + 4; }

// Every record list selects the row and scrolls to the top row of `from`.
void FollowSelection(Client& c, const ListControl& from) {
  const int selected = from.selected, top = from.topRow;
  HeroNum(c).selected = selected;
  HeroNum(c).topRow = top;
  for (int i = 0; i < 4; ++i) {
    HeroGrade(c, i).selected = selected;
    HeroGrade(c, i).topRow = top;
  }
}

void Changed(Client& c) {
  ++c.view.revision;
  c.platform.ViewChanged();
}

void StartDrag(Client& c, const char* name, const ControlInput& in) {
  c.settle.drag = {name, in.x, in.y};
}

void Drag(Client& c, FormWindow& w, const char* name, const ControlInput& in) {
  WindowDrag& d = c.settle.drag;
  if (d.window != name) return;
  if (!(in.button & mouse_button::kLeft)) {
    d.window.clear();
    return;
  }
  // The grip stays under the pointer; the window stays on the table.
  w.x = std::clamp(w.x + in.x - d.gripX, 0.0f, std::max(0.0f, c.view.Pic1.w - w.w));
  w.y = std::clamp(w.y + in.y - d.gripY, 0.0f, std::max(0.0f, c.view.Pic1.h - w.h));
  Changed(c);
}

}  // namespace

void LayoutScoreWindows(Client& c) {
  const float s = c.view.LayoutScale;
  LayoutScore(c, s);
  LayoutHero(c, s);
}

ListControl& ScoreState(Client& c, int j) { return PartOf(c.view.Score, score_part::kState + (j & 7), score_part::kCount); }
ListControl& ScoreId(Client& c, int i) { return PartOf(c.view.Score, score_part::kId + (i & 3), score_part::kCount); }
ListControl& ScoreTou(Client& c, int i) { return PartOf(c.view.Score, score_part::kTou + (i & 3), score_part::kCount); }
ListControl& HeroNum(Client& c) { return PartOf(c.view.Hero, hero_part::kNum, hero_part::kCount); }
ListControl& HeroGrade(Client& c, int i) { return PartOf(c.view.Hero, hero_part::kGrade + (i & 3), hero_part::kCount); }
ListControl& HeroSum(Client& c, int i) { return PartOf(c.view.Hero, hero_part::kSum + (i & 3), hero_part::kCount); }
ListControl& HeroId(Client& c, int i) { return PartOf(c.view.Hero, hero_part::kId + (i & 3), hero_part::kCount); }
ListControl& HeroTou(Client& c, int i) { return PartOf(c.view.Hero, hero_part::kTou + (i & 3), hero_part::kCount); }

void CentreOverTable(Client& c, FormWindow& w) {
  w.x = (c.view.Pic1.w - w.w) / 2;
  w.y = (c.view.Pic1.h - w.h) / 2;
}

void ShowScoreWindow(Client& c) {
  FormWindow& w = c.view.Score;
  CentreOverTable(c, w);
  w.visible = true;
  BringToFront(c.view, w);
  Changed(c);
}

void ToggleScoreWindow(Client& c) {
  c.view.Hero.visible = false;
  if (c.view.Score.visible) {
    c.view.Score.visible = false;
    return Changed(c);
  }
  const int hand = c.table.bInGame ? c.table.HandNo - 1 : c.table.HandNo;
  ShowRecordedHand(c, hand);
  ShowScoreWindow(c);
}

void ToggleRecordWindow(Client& c) {
  c.view.Score.visible = false;
  FormWindow& w = c.view.Hero;
  w.visible = !w.visible;
  if (w.visible) {
    CentreOverTable(c, w);
    BringToFront(c.view, w);
    ScrollRecordsToEnd(c);
  }
  Changed(c);
}

void ScrollRecordsToEnd(Client& c) {
  auto toEnd = [](ListControl& l) {
    if (!l.items.empty()) l.topRow = std::max(0, static_cast<int>(l.items.size()) - VisibleRows(l));
  };
  toEnd(HeroNum(c));
  for (int i = 0; i < 4; ++i) toEnd(HeroGrade(c, i));
}

void MarkWinnerName(Client& c, int view) {
  for (int i = 0; i < 4; ++i) ScoreId(c, i).foreColor = i == view ? kWinnerRed : kNameGreen;
  ++c.view.revision;
}

std::uint32_t BgrToRgb(std::uint32_t bgr) {
  return (bgr & 0xFF) << 16 | (bgr & 0xFF00) | (bgr >> 16 & 0xFF);
}
std::uint32_t RgbToBgr(std::uint32_t rgb) { return BgrToRgb(rgb); }

// The score window's events.
void MainForm_Score_MouseDown(Client& c, const ControlInput& in) {
  if (in.index < 0 || (in.index >= score_part::kId && in.index < score_part::kClose)) StartDrag(c, "Score", in);
}

void MainForm_Score_MouseMove(Client& c, const ControlInput& in) { Drag(c, c.view.Score, "Score", in); }

void MainForm_Score_MouseUp(Client& c, const ControlInput&) { c.settle.drag.window.clear(); }

void MainForm_Score_Click(Client& c, const ControlInput& in) {
  if (in.index != score_part::kClose) return;
  c.view.Score.visible = false;
  Changed(c);
}

void MainForm_Score_KeyDown(Client& c, const ControlInput& in) {
  if (in.key != kF1) return;
  ViewModel& v = c.view;
  v.Score.visible = v.Talk.visible = v.huifu.visible = v.Information.visible = false;
  c.platform.MinimizeMainWindow();
  MinimizeLobby(c);
  Changed(c);
}

// The record window's events.
void MainForm_Hero_MouseDown(Client& c, const ControlInput& in) {
  if (in.index < 0 || (in.index >= hero_part::kSum && in.index < hero_part::kClose) || in.index > hero_part::kClose)
    StartDrag(c, "Hero", in);
}

void MainForm_Hero_MouseMove(Client& c, const ControlInput& in) { Drag(c, c.view.Hero, "Hero", in); }

void MainForm_Hero_MouseUp(Client& c, const ControlInput&) { c.settle.drag.window.clear(); }

void MainForm_Hero_Click(Client& c, const ControlInput& in) {
  if (in.index == hero_part::kClose) {
    c.view.Hero.visible = false;
    return Changed(c);
  }
  if (!IsRecordList(in.index)) return;
  ListControl& list = c.view.Hero.parts[static_cast<std::size_t>(in.index)];
  const int row = ListRowAt(list, in.y);
  if (row < 0) return;
  list.selected = row;
  FollowSelection(c, list);
  Changed(c);
}

void MainForm_Hero_DblClick(Client& c, const ControlInput& in) {
  if (!IsRecordList(in.index)) return;
  const ListControl& list = c.view.Hero.parts[static_cast<std::size_t>(in.index)];
  const int row = ListRowAt(list, in.y);
  if (row < 0) return;
  ShowRecordedHand(c, row + 1);
  ShowScoreWindow(c);
}

}  // namespace vask
