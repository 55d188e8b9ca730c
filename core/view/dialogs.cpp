#include "core/view/dialogs.h"

#include "core/client.h"
#include "core/view/layout.h"
#include "core/view/pictures.h"

namespace vask {

namespace {

// Sizes at scale 1: the dialog, its text lines and its two buttons.
constexpr float kDialogW = 300, kDialogH = 150;
constexpr float kLineH = 20;
constexpr float kButtonW = 70, kButtonH = 29;
constexpr std::uint32_t kDialogText = 0xF0DCAA;
constexpr std::uint32_t kWarningText = 0xFF5040;

float S(const Client& c, float k) { return Scaled(c.view, k); }

ListControl Line(const Client& c, float y, std::uint32_t color) {
  ListControl l;
  l.kind = ControlKind::Label;
  l.x = S(c, 12);
  l.y = S(c, y);
  l.w = S(c, kDialogW - 24);
  l.h = S(c, kLineH);
  l.foreColor = color;
  l.align = TextAlign::Center;
  l.visible = true;
  return l;
}

ListControl Button(Client& c, float x, int pic) {
  ListControl b;
  b.kind = ControlKind::Picture;
  b.x = S(c, x);
  b.y = S(c, kDialogH - kButtonH - 16);
  b.w = S(c, kButtonW);
  b.h = S(c, kButtonH);
  PutPicture(c, c.pics.DialogButtonPics[static_cast<std::size_t>(pic)], b);
  b.visible = true;
  return b;
}

// "确定" at the left, "取消" at the right.
constexpr float kLeftButtonX = 50, kRightButtonX = kDialogW - 50 - kButtonW;
constexpr int kOkPic = 0, kCancelPic = 2;

void Frame(Client& c, FormWindow& w, std::size_t parts) {
  w.w = S(c, kDialogW);
  w.h = S(c, kDialogH);
  w.opacity = 200;
  w.parts.resize(parts);
}

void BuildExit(Client& c) {
  FormWindow& w = c.view.frmExit;
  if (!w.parts.empty()) return;
  Frame(c, w, exit_part::kCount);
  w.parts[exit_part::kQuestion] = Line(c, 34, kDialogText);
  w.parts[exit_part::kWarning] = Line(c, 60, kWarningText);
  w.parts[exit_part::kPbCloseMe] = Button(c, kLeftButtonX, kOkPic);
  w.parts[exit_part::kPbCancel] = Button(c, kRightButtonX, kCancelPic);
}

void BuildOtherExit(Client& c) {
  FormWindow& w = c.view.frmOtherExit;
  if (!w.parts.empty()) return;
  Frame(c, w, other_exit_part::kCount);
  w.parts[other_exit_part::kLabel1] = Line(c, 40, kDialogText);
  w.parts[other_exit_part::kLabel1].h = S(c, 2 * kLineH);
  w.parts[other_exit_part::kImgOK] = Button(c, kLeftButtonX, kOkPic);
  w.parts[other_exit_part::kImgCancel] = Button(c, kRightButtonX, kCancelPic);
}

void BuildReconnect(Client& c) {
  FormWindow& w = c.view.frmReconnect;
  if (!w.parts.empty()) return;
  Frame(c, w, reconnect_part::kCount);
  w.parts[reconnect_part::kText] = Line(c, 34, kDialogText);
  w.parts[reconnect_part::kLbTime] = Line(c, 60, kDialogText);
  w.parts[reconnect_part::kPbReconnect] = Button(c, kLeftButtonX, kOkPic);
  w.parts[reconnect_part::kPbCancel] = Button(c, kRightButtonX, kCancelPic);
}

void Show(Client& c, FormWindow& w) {
  const ViewModel& v = c.view;
  w.x = static_cast<float>(static_cast<int>((v.Pic1.w - w.w) / 2));
  w.y = static_cast<float>(static_cast<int>((v.Pic1.h - w.h) / 2));
  w.visible = true;
  BringToFront(c.view, w);
  c.platform.ViewChanged();
}

}  // namespace

void ShowExitDialog(Client& c) {
  BuildExit(c);
  Show(c, c.view.frmExit);
}

void ShowOtherExitDialog(Client& c) {
  BuildOtherExit(c);
  Show(c, c.view.frmOtherExit);
}

void ShowReconnectDialog(Client& c) {
  BuildReconnect(c);
  Show(c, c.view.frmReconnect);
}

void HideDialog(Client& c, FormWindow& w) {
  if (!w.visible) return;
  w.visible = false;
  ++c.view.revision;
  c.platform.ViewChanged();
}

void SetDialogText(Client& c, FormWindow& w, int part, const std::string& text) {
  if (part < 0 || static_cast<std::size_t>(part) >= w.parts.size()) return;
  w.parts[static_cast<std::size_t>(part)].text = text;
  ++c.view.revision;
  c.platform.ViewChanged();
}

}  // namespace vask
