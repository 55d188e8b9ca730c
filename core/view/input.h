#pragma once
// The user's mouse and keys, routed to the handler of the control they
// reach: the pointer's control is the topmost visible one under it (the
// title band, the floating windows, then the table's controls front to back, then the table
// surface Pic1, then the window background Pic2). A press and release on the
// same control is also its click.
#include <span>
#include <string>

#include "platform/platform.h"

namespace vask {

struct Client;
struct ViewModel;

// What a control's handler is told: the event, the control's array index
// (−1 for a single control) and the pointer relative to the control.
struct ControlInput {
  int index = -1;
  int button = 0;
  int shift = 0;
  float x = 0, y = 0;
  int key = 0;
  const std::string* text = nullptr;  // TextEdited only
  int caret = 0;                      // a text box's events: characters before the caret
};

using InputHandler = void (*)(Client& c, const ControlInput& in);

// The handlers of one control name; empty slots ignore the event.
struct ControlHandlers {
  const char* name;
  InputHandler MouseMove = nullptr;
  InputHandler MouseDown = nullptr;
  InputHandler MouseUp = nullptr;
  InputHandler Click = nullptr;
  InputHandler DblClick = nullptr;
  InputHandler KeyDown = nullptr;
  InputHandler TextChange = nullptr;
  InputHandler GotFocus = nullptr;
  InputHandler LostFocus = nullptr;
};

// The control under a window point: its name, index and the point relative
// to it. name is nullptr outside the window.
struct HitResult {
  const char* name = nullptr;
  int index = -1;
  float x = 0, y = 0;
};
HitResult ControlAt(const ViewModel& v, float windowX, float windowY);

// Which control a mouse button went down on, to tell a click.
struct InputState {
  std::string pressedName;
  int pressedIndex = -1;
  // Alt, then C: [0] set by Alt, [1] by C; both open the chat input.
  bool ChatChord[2] = {false, false};
};

// Routes one platform input event (Client::OnInput) to the client's
// handlers, or to the given table of them.
void RouteInput(Client& c, const InputEvent& e);
void RouteInput(Client& c, const InputEvent& e, std::span<const ControlHandlers> handlers);

// Acts as the user on one control, without a pointer or shift keys: a
// left click, the pointer moving over it, a key pressed on it.
void ClickOnControl(Client& c, const char* name, int index);
void PointerOnControl(Client& c, const char* name, int index);
void KeyOnControl(Client& c, const char* name, int key);

}  // namespace vask
