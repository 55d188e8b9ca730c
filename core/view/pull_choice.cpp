#include "core/view/pull_choice.h"

#include <string>

#include "core/client.h"
#include "core/handlers.h"
#include "core/social/sound.h"
#include "core/view/input.h"

namespace vask {

namespace {

// QuickOpPics entries: normal faces, then the hover faces 4 further on.
constexpr int kFacePull = 0, kFacePullAgain = 1, kFaceSit = 2, kFacePass = 3;
constexpr int kHoverOffset = 4;
constexpr int kTickMs = 50;

void Changed(Client& c) {
  ++c.view.revision;
  c.platform.ViewChanged();
}

// The face entry of operZ(index); −1 for operZ(0) when the count of pull
// questions names no face.
int FaceEntry(const Client& c, int index) {
  if (index == oper_z::kSit) return kFaceSit;
  if (index == oper_z::kPass) return kFacePass;
  if (c.widgets.PullCount == 1) return kFacePull;
  if (c.widgets.PullCount == 2) return kFacePullAgain;
  return -1;
}

void PutQuickOpFace(Client& c, int index, int entry) {
  if (entry < 0 || entry >= static_cast<int>(c.pics.QuickOpPics.size())) return;
  PutPicture(c, c.pics.QuickOpPics[static_cast<std::size_t>(entry)], c.view.operZ[index]);
}

void ShowCountdown(Client& c) {
  ViewModel& v = c.view;
  v.Number.text = std::to_string(c.table.Countdown);
  v.Number.foreColor = kGreen;
  v.Number.visible = v.Time_Img.visible = true;
  BringToFront(v, v.Time_Img);
  BringToFront(v, v.Number);
}

void Offer(Client& c, int index) {
  Control& b = c.view.operZ[index];
  b.enabled = b.visible = true;
  BringToFront(c.view, b);
}

void Withdraw(Client& c, int index) {
  Control& b = c.view.operZ[index];
  b.enabled = b.visible = false;
}

void SendAnswer(Client& c, int kind, bool yes) {
  MsgInfo answer;
  answer.cmd = static_cast<std::int16_t>(Cmd::PullSit);
  answer.seat = c.table.OwnMask();
  answer.value[1] = static_cast<std::int16_t>(kind);
  answer.value[3] = yes ? 1 : 0;
  SendMsg(c, answer);
}

void HideClock(Client& c) { c.view.Number.visible = c.view.Time_Img.visible = false; }

void MarkerTick(Client& c) {
  for (int v = 1; v < 4; ++v) {
    std::int16_t& ticks = c.widgets.MarkerTicks[v];
    if (ticks <= 0) continue;
    if (--ticks < 1) {
      c.view.Speak[v + 2].visible = false;
      Changed(c);
    }
  }
}

void QuestionTick(Client& c) {
  WidgetState& w = c.widgets;
  if (w.PullAsk == 0) return;
  --w.PullTicks;
  c.view.Number.text = std::to_string(w.PullTicks * kTickMs / 1000);
  if (w.PullTicks < 1) {
    HideClock(c);
    HidePullChoice(c);
    SendAnswer(c, w.PullAsk == 1 ? pull_kind::kPullReply : pull_kind::kSitReply, false);
    w.PullAsk = 0;
  }
  Changed(c);
}

}  // namespace

void ShowPullChoice(Client& c) {
  WidgetState& w = c.widgets;
  w.PullAsk = 1;
  ++w.PullCount;
  w.PullTicks = kPullAnswerTicks;
  w.QuickOpHover = 0;
  ShowCountdown(c);
  Withdraw(c, oper_z::kSit);
  PutQuickOpFace(c, oper_z::kPass, kFacePass);
  const int face = FaceEntry(c, oper_z::kPull);
  if (face >= 0) {
    PutQuickOpFace(c, oper_z::kPull, face);
    Offer(c, oper_z::kPull);
    Offer(c, oper_z::kPass);
  }
  Changed(c);
}

void ShowSitChoice(Client& c) {
  WidgetState& w = c.widgets;
  w.PullAsk = 2;
  w.PullTicks = kPullAnswerTicks;
  w.QuickOpHover = 0;
  ShowCountdown(c);
  Withdraw(c, oper_z::kPull);
  PutQuickOpFace(c, oper_z::kPass, kFacePass);
  PutQuickOpFace(c, oper_z::kSit, kFaceSit);
  Offer(c, oper_z::kSit);
  Offer(c, oper_z::kPass);
  Changed(c);
}

void HidePullChoice(Client& c) {
  for (int i = 0; i < 3; ++i) Withdraw(c, i);
  Changed(c);
}

void ResetQuickOpHover(Client& c) {
  WidgetState& w = c.widgets;
  if (w.QuickOpHover == 0) return;
  const int index = w.QuickOpHover - 1;
  PutQuickOpFace(c, index, FaceEntry(c, index));
  w.QuickOpHover = 0;
  Changed(c);
}

void ShowSeatMarker(Client& c, int view, SeatMarker kind) {
  if (view < 1 || view > 3) return;
  int entry = view - 1;
  switch (kind) {
    case SeatMarker::Pull: entry = view - 1; break;
    case SeatMarker::PullAgain: entry = view + 5; break;
    case SeatMarker::Sit: entry = view + 2; break;
    case SeatMarker::Shovel: entry = view + 8; break;
  }
  Control& marker = c.view.Speak[view + 2];
  PutPicture(c, c.pics.SpeechPics[static_cast<std::size_t>(entry)], marker);
  marker.visible = true;
  BringToFront(c.view, marker);
  c.widgets.MarkerTicks[view] = kMarkerTicks;
  Changed(c);
}

void PullSitTick(Client& c) {
  MarkerTick(c);
  QuestionTick(c);
}

void MainForm_operZ_MouseMove(Client& c, const ControlInput& in) {
  WidgetState& w = c.widgets;
  if (in.index < 0 || in.index > 2 || w.QuickOpHover != 0) return;
  w.QuickOpHover = static_cast<std::int16_t>(in.index + 1);
  const int face = FaceEntry(c, in.index);
  if (face >= 0) PutQuickOpFace(c, in.index, face + kHoverOffset);
  Changed(c);
}

void MainForm_operZ_Click(Client& c, const ControlInput& in) {
  if (in.index < 0 || in.index > 2 || !c.view.operZ[in.index].enabled) return;
  c.view.huifu.visible = c.view.Talk.visible = false;
  if (!c.conn.bTableLive) return Changed(c);
  WidgetState& w = c.widgets;
  const int asked = w.PullAsk;
  w.PullAsk = 0;
  HideClock(c);
  switch (in.index) {
    case oper_z::kPull:
      if (w.PullCount == 1 || w.PullCount == 2) PlaySeatVoice(c, 0, w.PullCount == 1 ? voice::kPull : voice::kPullAgain);
      SendAnswer(c, pull_kind::kPullReply, true);
      break;
    case oper_z::kSit:
      PlaySeatVoice(c, 0, voice::kSit);
      SendAnswer(c, pull_kind::kSitReply, true);
      break;
    default:
      SendAnswer(c, asked == 1 ? pull_kind::kPullReply : asked == 2 ? pull_kind::kSitReply : 0, false);
      break;
  }
  HidePullChoice(c);
}

}  // namespace vask
