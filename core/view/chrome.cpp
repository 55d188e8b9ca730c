#include "core/view/chrome.h"

#include <algorithm>
#include <array>

#include "core/client.h"
#include "core/view/buttons.h"
#include "core/view/input.h"
#include "core/view/layout.h"

namespace vask {

namespace {

// Faces of ImgClose and ImgMin: element 0 shows one of these.
enum Face { kShown = 0, kNormal = 1, kHover = 2, kPressed = 3 };

// At scale 1: the band's height where it lies over the table surface (the
// seats' portraits and labels start at 15), the buttons and their gaps.
constexpr float kOverlayBand = 14;
constexpr float kButtonW = 20, kButtonH = 16;
constexpr float kRightGap = 4, kButtonGap = 2;

void Changed(Client& c) {
  ++c.view.revision;
  c.platform.ViewChanged();
}

void ShowFace(std::array<Control, 4>& button, Face face) { button[kShown].picture = button[face].picture; }

void LayoutButton(std::array<Control, 4>& button, int firstPicture, float x, float y, float w, float h) {
  for (int f = kShown; f <= kPressed; ++f) {
    Control& c = button[static_cast<std::size_t>(f)];
    c.x = x, c.y = y, c.w = w, c.h = h;
    c.picture = firstPicture + (f == kShown ? 0 : f - kNormal);
    c.visible = f == kShown;
  }
}

// A button lights only while no other is lit; the strip, the window and the
// table put both out.
void Hover(Client& c, std::array<Control, 4>& button) {
  if (c.widgets.ChromeHover) return;
  c.widgets.ChromeHover = true;
  ShowFace(button, kHover);
  Changed(c);
}

void Press(Client& c, std::array<Control, 4>& button, const ControlInput& in, Face face) {
  if (!(in.button & mouse_button::kLeft)) return;
  ShowFace(button, face);
  Changed(c);
}

}  // namespace

void LayoutChrome(Client& c) {
  ViewModel& v = c.view;
  auto S = [&](float k) { return Scaled(v, k); };
  const float band = std::max(v.Pic1.y, S(kOverlayBand));
  const float w = S(kButtonW), h = S(kButtonH);
  const float y = std::max(0.0f, (band - h) / 2);
  const float closeX = v.Pic1.x + v.Pic1.w - S(kRightGap) - w;
  const float minX = closeX - S(kButtonGap) - w;
  LayoutButton(v.ImgClose, kClosePic, closeX, y, w, h);
  LayoutButton(v.ImgMin, kMinimizePic, minX, y, w, h);
  v.LbMove.kind = ControlKind::Label;
  v.LbMove.x = 0, v.LbMove.y = 0, v.LbMove.w = minX - S(kButtonGap), v.LbMove.h = band;
  v.LbMove.visible = true;
  c.widgets.ChromeHover = false;
}

void ResetChromeHover(Client& c) {
  if (!c.widgets.ChromeHover) return;
  c.widgets.ChromeHover = false;
  ShowFace(c.view.ImgClose, kNormal);
  ShowFace(c.view.ImgMin, kNormal);
  Changed(c);
}

void MainForm_ImgClose_MouseMove(Client& c, const ControlInput&) { Hover(c, c.view.ImgClose); }
void MainForm_ImgClose_MouseDown(Client& c, const ControlInput& in) { Press(c, c.view.ImgClose, in, kPressed); }
void MainForm_ImgClose_MouseUp(Client& c, const ControlInput& in) { Press(c, c.view.ImgClose, in, kHover); }

void MainForm_ImgClose_Click(Client& c, const ControlInput&) {
  RunButtonAction(c, an_niu::kLeave);
  Changed(c);
}

void MainForm_ImgMin_MouseMove(Client& c, const ControlInput&) { Hover(c, c.view.ImgMin); }
void MainForm_ImgMin_MouseDown(Client& c, const ControlInput& in) { Press(c, c.view.ImgMin, in, kPressed); }
void MainForm_ImgMin_MouseUp(Client& c, const ControlInput& in) { Press(c, c.view.ImgMin, in, kHover); }

void MainForm_ImgMin_Click(Client& c, const ControlInput&) {
  RunButtonAction(c, an_niu::kHide);
  c.platform.MinimizeMainWindow();
  Changed(c);
}

void MainForm_LbMove_MouseMove(Client& c, const ControlInput&) { ResetChromeHover(c); }

void MainForm_LbMove_MouseDown(Client& c, const ControlInput& in) {
  if (!(in.button & mouse_button::kLeft)) return;
  // The chat windows stand on the table, not with the window being moved.
  c.view.Talk.visible = false;
  c.view.huifu.visible = false;
  Changed(c);
  c.platform.DragMainWindow();
}

void MainForm_Form_MouseMove(Client& c, const ControlInput&) { ResetChromeHover(c); }

}  // namespace vask
