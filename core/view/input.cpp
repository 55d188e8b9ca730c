#include "core/view/input.h"

#include <cstring>

#include "core/client.h"
#include "core/handlers.h"
#include "core/view/chrome.h"
#include "core/view/view_model.h"

namespace vask {

namespace {

bool Inside(const Control& c, float x, float y) {
  return x >= c.x && y >= c.y && x < c.x + c.w && y < c.y + c.h;
}

// Every control that takes the user's input, by name. A control that is
// not listed, or an empty slot, ignores the event.
const ControlHandlers kInputHandlers[] = {
    {"Form", nullptr, nullptr, nullptr, nullptr, nullptr, MainForm_Form_KeyDown, nullptr},
    {"Pic2", MainForm_Form_MouseMove},
    {"ImgClose", MainForm_ImgClose_MouseMove, MainForm_ImgClose_MouseDown, MainForm_ImgClose_MouseUp,
     MainForm_ImgClose_Click},
    {"ImgMin", MainForm_ImgMin_MouseMove, MainForm_ImgMin_MouseDown, MainForm_ImgMin_MouseUp, MainForm_ImgMin_Click},
    {"LbMove", MainForm_LbMove_MouseMove, MainForm_LbMove_MouseDown},
    {"Pic1", MainForm_Pic1_MouseMove, MainForm_Pic1_MouseDown, nullptr, nullptr, nullptr, MainForm_Pic1_KeyDown,
     nullptr},
    {"MJ_Image", MainForm_MJ_Image_MouseMove, MainForm_MJ_Image_MouseDown},
    {"Operation", nullptr, nullptr, nullptr, MainForm_Operation_Click},
    {"Chi", nullptr, nullptr, nullptr, MainForm_Chi_Click},
    {"Gang", nullptr, nullptr, nullptr, MainForm_Gang_Click},
    {"AnNiu", MainForm_AnNiu_MouseMove, nullptr, nullptr, MainForm_AnNiu_Click},
    {"imgword1", MainForm_imgword1_MouseMove, nullptr, nullptr, MainForm_imgword1_Click},
    {"imgword2", MainForm_imgword2_MouseMove, nullptr, nullptr, MainForm_imgword2_Click},
    {"Bank", MainForm_Bank_MouseMove, nullptr, nullptr, MainForm_Bank_Click},
    {"imgLocation", MainForm_imgLocation_MouseMove},
    {"operZ", MainForm_operZ_MouseMove, nullptr, nullptr, MainForm_operZ_Click},
    {"Tou", MainForm_Tou_MouseMove, nullptr, nullptr, MainForm_Tou_Click},
    {"Nid", MainForm_Nid_MouseMove},
    {"Cash", MainForm_Cash_MouseMove},
    {"Level", MainForm_Level_MouseMove},
    {"imgBeishu", MainForm_imgBeishu_MouseMove},
    {"Imgwealth", MainForm_Imgwealth_MouseMove},
    {"Score", MainForm_Score_MouseMove, MainForm_Score_MouseDown, MainForm_Score_MouseUp, MainForm_Score_Click,
     nullptr, MainForm_Score_KeyDown},
    {"Hero", MainForm_Hero_MouseMove, MainForm_Hero_MouseDown, MainForm_Hero_MouseUp, MainForm_Hero_Click,
     MainForm_Hero_DblClick},
    {"frmExit", nullptr, nullptr, nullptr, frmExit_Click},
    {"frmOtherExit", nullptr, nullptr, nullptr, frmOtherExit_Click},
    {"frmReconnect", nullptr, nullptr, nullptr, frmReconnect_Click},
    {"ImgProp", nullptr, nullptr, nullptr, MainForm_ImgProp_Click},
    // Chat, phrases and sound.
    {"Lbchat", nullptr, nullptr, nullptr, MainForm_Lbchat_Click},
    {"Chat", nullptr, nullptr, nullptr, nullptr, nullptr, MainForm_Chat_KeyDown, MainForm_Chat_Change,
     MainForm_Chat_GotFocus, MainForm_Chat_LostFocus},
    {"Talk", nullptr, nullptr, nullptr, Talk_Click},
    {"huifu", nullptr, nullptr, nullptr, huifu_Click, huifu_DblClick},
    {"VosSet", nullptr, nullptr, nullptr, VosSet_Click},
};

const ControlHandlers* HandlersOf(std::span<const ControlHandlers> table, const char* name) {
  if (!name) return nullptr;
  for (const ControlHandlers& h : table)
    if (!std::strcmp(h.name, name)) return &h;
  return nullptr;
}

void CallSlot(std::span<const ControlHandlers> table, Client& c, const char* name, InputHandler ControlHandlers::*slot,
          const ControlInput& in) {
  const ControlHandlers* h = HandlersOf(table, name);
  if (h && h->*slot) (h->*slot)(c, in);
}

ControlInput MouseInput(const HitResult& hit, const InputEvent& e) {
  ControlInput in;
  in.index = hit.index;
  in.button = e.button;
  in.shift = e.shift;
  in.x = hit.x;
  in.y = hit.y;
  return in;
}

}  // namespace

HitResult ControlAt(const ViewModel& v, float windowX, float windowY) {
  HitResult hit;
  // The title band lies above everything, the table's floating windows too.
  const std::pair<const char*, const Control*> band[] = {
      {"ImgClose", &v.ImgClose[0]}, {"ImgMin", &v.ImgMin[0]}, {"LbMove", &v.LbMove}};
  for (const auto& [name, c] : band) {
    if (c->visible && Inside(*c, windowX, windowY)) {
      hit.name = name;
      hit.index = c == &v.LbMove ? -1 : 0;
      hit.x = windowX - c->x;
      hit.y = windowY - c->y;
      return hit;
    }
  }
  const float sx = windowX - v.Pic1.x, sy = windowY - v.Pic1.y;
  // Floating windows lie above the table; the one declared last is in front.
  const FormWindow* window = nullptr;
  const char* windowName = nullptr;
  ForEachWindow(v, [&](const char* name, const FormWindow& w) {
    if (w.visible && Inside(w, sx, sy)) window = &w, windowName = name;
  });
  if (window) {
    hit.name = windowName;
    hit.x = sx - window->x;
    hit.y = sy - window->y;
    for (std::size_t i = window->parts.size(); i-- > 0;) {
      const ListControl& part = window->parts[i];
      if (part.visible && Inside(part, hit.x, hit.y)) {
        hit.index = static_cast<int>(i);
        break;
      }
    }
    return hit;
  }
  const std::vector<ControlRef> order = StackingOrder(v);
  for (auto it = order.rbegin(); it != order.rend(); ++it) {
    const Control& c = *it->control;
    if (Inside(c, sx, sy)) {
      hit.name = it->name;
      hit.index = it->index;
      hit.x = sx - c.x;
      hit.y = sy - c.y;
      return hit;
    }
  }
  if (Inside(v.Pic1, windowX, windowY)) {
    hit.name = "Pic1";
    hit.x = sx;
    hit.y = sy;
    return hit;
  }
  hit.name = "Pic2";
  hit.x = windowX;
  hit.y = windowY;
  return hit;
}

void RouteInput(Client& c, const InputEvent& e) { RouteInput(c, e, kInputHandlers); }

void ClickOnControl(Client& c, const char* name, int index) {
  ControlInput in;
  in.index = index;
  in.button = mouse_button::kLeft;
  CallSlot(kInputHandlers, c, name, &ControlHandlers::Click, in);
}

void PointerOnControl(Client& c, const char* name, int index) {
  ControlInput in;
  in.index = index;
  CallSlot(kInputHandlers, c, name, &ControlHandlers::MouseMove, in);
}

void KeyOnControl(Client& c, const char* name, int key) {
  ControlInput in;
  in.key = key;
  CallSlot(kInputHandlers, c, name, &ControlHandlers::KeyDown, in);
}

void RouteInput(Client& c, const InputEvent& e, std::span<const ControlHandlers> table) {
  auto Call = [&](Client& cl, const char* name, InputHandler ControlHandlers::*slot, const ControlInput& in) {
    CallSlot(table, cl, name, slot, in);
  };
  InputState& state = c.input;
  switch (e.kind) {
    case InputKind::MouseMove:
    case InputKind::MouseDown:
    case InputKind::MouseUp:
    case InputKind::DoubleClick: {
      const HitResult hit = ControlAt(c.view, e.x, e.y);
      const ControlInput in = MouseInput(hit, e);
      if (e.kind == InputKind::MouseMove) return Call(c, hit.name, &ControlHandlers::MouseMove, in);
      if (e.kind == InputKind::MouseDown || e.kind == InputKind::DoubleClick) {
        // The second press of a double click is a press too (its guards
        // keep it from acting twice), then the double click itself.
        state.pressedName = hit.name ? hit.name : "";
        state.pressedIndex = hit.index;
        Call(c, hit.name, &ControlHandlers::MouseDown, in);
        if (e.kind == InputKind::DoubleClick) Call(c, hit.name, &ControlHandlers::DblClick, in);
        return;
      }
      Call(c, hit.name, &ControlHandlers::MouseUp, in);
      // A click is a press and a release on the same control, as the user
      // sees it: sliding off a button before letting go cancels it.
      const bool click = hit.name && state.pressedName == hit.name && state.pressedIndex == hit.index;
      state.pressedName.clear();
      state.pressedIndex = -1;
      if (click) Call(c, hit.name, &ControlHandlers::Click, in);
      return;
    }
    case InputKind::KeyDown: {
      ControlInput in;
      in.key = e.key;
      in.shift = e.shift;
      in.index = e.index;
      in.caret = e.caret;
      // The window sees every key first, then the text box that has the
      // focus, else the table surface.
      Call(c, "Form", &ControlHandlers::KeyDown, in);
      Call(c, e.control.empty() ? "Pic1" : e.control.c_str(), &ControlHandlers::KeyDown, in);
      // A shown score window hears the keys too (its quick-hide key).
      if (c.view.Score.visible) Call(c, "Score", &ControlHandlers::KeyDown, in);
      return;
    }
    case InputKind::KeyUp:
      return;
    case InputKind::TextEdited:
    case InputKind::GotFocus:
    case InputKind::LostFocus: {
      ControlInput in;
      in.index = e.index;
      in.text = &e.text;
      in.caret = e.caret;
      InputHandler ControlHandlers::*slot = e.kind == InputKind::TextEdited ? &ControlHandlers::TextChange
                                            : e.kind == InputKind::GotFocus ? &ControlHandlers::GotFocus
                                                                            : &ControlHandlers::LostFocus;
      Call(c, e.control.c_str(), slot, in);
      return;
    }
  }
}

}  // namespace vask
