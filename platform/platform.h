#pragma once
// The one interface through which the core reaches the world. The Qt
// platform implements it for real; the fake platform for tests.
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "core/social/prop_plugin.h"

namespace vask {

// The client's timers. Intervals and enabled states are the core's; the
// platform only fires them.
enum class TimerId : std::uint8_t {
  Bong,       // the 50 ms heart beat
  KeepAlive,  // 5000 ms
  Chat,       // 800 ms chat rate limit
  Prop,       // the plug-in's timer
  Shuffle,    // 300 ms seat-shuffle notice
  Count,      // reconnect dialog, 3000 ms
  Reconnect,  // reconnect attempt
  FadeIn,     // speech bubble fade
  kCount
};

// Window messages between the lobby and the client. Most numbers mean one
// thing from the lobby and an answer from the client.
namespace lobby_msg {
// Lobby: connect (again). Client: logging in now, or the login was refused.
inline constexpr std::uint32_t kConnect = 0x16;
// Lobby: please leave the table. Client: the server accepted the login.
inline constexpr std::uint32_t kLeave = 0x303;
// Lobby: leave now. Client: it has left the table.
inline constexpr std::uint32_t kLeft = 0x400;
// Lobby: is a hand being played? Client: yes.
inline constexpr std::uint32_t kInHand = 0x465;
// Client: still logging in (answer to kLeave).
inline constexpr std::uint32_t kLoggingIn = 0x466;
// Client: a new hand has been laid out.
inline constexpr std::uint32_t kHandLaidOut = 0x467;
}  // namespace lobby_msg

inline constexpr std::size_t kWholeFile = static_cast<std::size_t>(-1);

struct LocalTime {
  int year = 2000, month = 1, day = 1;
  int hour = 0, minute = 0, second = 0;
};

// What became of a sound the platform was asked to play.
enum class SoundResult : std::uint8_t {
  Played,
  Unplayable,    // the file is missing or no wave file: nothing plays
  DeviceFailed,  // the sound device failed
};

struct ScreenSize {
  int width = 1024;
  int height = 768;
};

// The user's hand on the main window: mouse and keys as the window saw
// them. The core finds the control under the pointer itself.
// A text box's own events carry its name in `control`: keys pressed in it,
// its text after an edit, and its gaining and losing the input focus.
enum class InputKind : std::uint8_t {
  MouseMove, MouseDown, MouseUp, DoubleClick, KeyDown, KeyUp, TextEdited, GotFocus, LostFocus
};
namespace mouse_button {
inline constexpr int kLeft = 1, kRight = 2, kMiddle = 4;
}
namespace shift_key {
inline constexpr int kShift = 1, kCtrl = 2, kAlt = 4;
}
struct InputEvent {
  InputKind kind = InputKind::MouseMove;
  int button = 0;    // mouse_button bits
  int shift = 0;     // shift_key bits
  float x = 0, y = 0;  // window pixels
  int key = 0;       // virtual-key code (Esc 27, F1 112, Alt 18, C 67, ...)
  std::string text;  // TextEdited: the text box's whole new text
  std::string control;  // a text box's events: its name
  int index = -1;       // and its array index
  int caret = 0;        // and the characters before its caret
};

// What the platform tells the core. The client context implements it.
class PlatformEvents {
 public:
  virtual ~PlatformEvents() = default;
  virtual void OnTimer(TimerId timer) = 0;
  virtual void OnSocketConnected() = 0;
  virtual void OnSocketData() = 0;    // bytes can be read
  virtual void OnSocketClosed() = 0;  // the peer closed or the link broke
  virtual void OnWindowMessage(std::uint32_t msg, std::int64_t wparam, std::int64_t lparam) = 0;
  virtual void OnInput(const InputEvent& event) = 0;
  // A web pane (1 or 2) has finished loading its page, or failed to.
  virtual void OnWebPaneLoaded(int pane, bool ok) = 0;
  // The user closes the main window.
  virtual void OnMainWindowClose() = 0;
  // The main window was minimised or restored.
  virtual void OnMainWindowState(bool /*minimized*/) {}
};

class Platform {
 public:
  virtual ~Platform() = default;

  virtual void SetEvents(PlatformEvents* events) = 0;

  // Clock, timers, event pumping.
  virtual std::uint32_t TickCount() = 0;  // milliseconds
  virtual LocalTime Now() = 0;            // the wall clock, local time
  virtual void SetTimer(TimerId timer, int intervalMs, bool enabled) = 0;
  virtual void PumpEvents() = 0;  // handle pending events once (for Delay)
  virtual void Sleep(int ms) = 0;

  // The game socket.
  virtual void SocketConnect(const std::string& host, std::uint16_t port) = 0;
  virtual void SocketClose() = 0;
  virtual int SocketState() = 0;  // kSocketConnected when connected
  // At most `most` bytes of what has arrived; the rest stays in the socket
  // for a later read.
  virtual std::vector<std::uint8_t> SocketRead(std::size_t most) = 0;
  virtual void SocketSend(std::span<const std::uint8_t> bytes) = 0;

  // Windows found by title (the lobby link), and the main window itself.
  virtual bool WindowExists(const std::string& title) = 0;
  virtual bool PostToWindow(const std::string& title, std::uint32_t msg, std::int64_t wparam,
                            std::int64_t lparam) = 0;
  virtual void RestoreWindow(const std::string& title) = 0;
  virtual void MinimizeWindow(const std::string& title) = 0;
  virtual void SetMainTitle(const std::string& title) = 0;  // also the title others find us by
  virtual void PlaceMainWindow(int x, int y, int width, int height) = 0;
  virtual bool MainWindowMinimized() = 0;
  virtual void ShowMainWindow(bool visible) = 0;
  virtual void MinimizeMainWindow() = 0;
  virtual void RestoreMainWindow() = 0;
  // Brings the main window above the others once (it does not stay on top).
  virtual void BringMainWindowToTop() {}
  // Moves the main window with the pointer, as a caption being dragged
  // would, until the mouse button is let go (the window has no caption of
  // the window system's).
  virtual void DragMainWindow() {}
  virtual void ViewChanged() = 0;  // the view model changed: repaint
  virtual ScreenSize Screen() = 0;

  // Process.
  virtual bool AcquireSingleInstance(const std::string& name) = 0;
  virtual void Quit() = 0;  // end the process (after this returns)

  // Message boxes.
  virtual void MessageBox(const std::string& title, const std::string& text) = 0;

  // Files. Paths are the platform's; WriteFile writes whole, then replaces.
  virtual std::string ClientDirectory() = 0;
  // At most `most` bytes from the start of the file (kWholeFile: all).
  virtual std::optional<std::string> ReadFile(const std::string& path, std::size_t most) = 0;
  virtual bool WriteFile(const std::string& path, const std::string& bytes) = 0;
  virtual bool RemoveFile(const std::string& path) = 0;
  virtual bool FileExists(const std::string& path) = 0;

  // Random numbers.
  virtual std::uint32_t Random() = 0;

  // Sound: one buffer; a new sound stops and releases the one before.
  // False from SoundInit, SoundStop and SoundVolume means the device failed.
  virtual bool SoundInit() = 0;
  virtual SoundResult SoundPlay(const std::string& path, bool loop) = 0;
  virtual bool SoundStop() = 0;  // and rewinds
  // 0..3000: 3000 is full volume, each step below it a hundredth of a decibel.
  virtual bool SoundVolume(int volume) = 0;

  // The prop plug-in library; nullptr when missing or refusing.
  virtual std::unique_ptr<PropPlugin> LoadPlugin(const std::string& path) = 0;
  // What the plug-in is told of the main window (a QWidget* with the Qt
  // platform); 0 where there is none.
  virtual std::intptr_t MainWindowHandle() { return 0; }

  // Web panes and the system browser. A pane (1 or 2) fetches the page and
  // shows it plainly where the view model's WebBrowser1/2 stands, then
  // reports OnWebPaneLoaded; it runs nothing and has no context menu.
  virtual void WebNavigate(int pane, const std::string& url) = 0;
  virtual void OpenInBrowser(const std::string& url) = 0;
};

}  // namespace vask
