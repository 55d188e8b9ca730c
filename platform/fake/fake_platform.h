#pragma once
// A platform for tests: a virtual clock that fires timers in time order, a
// scripted socket, in-memory files and a log of every outward call.
#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "core/connection/protocol.h"
#include "platform/platform.h"

namespace vask {

class FakePlatform final : public Platform {
 public:
  FakePlatform();

  // Test controls --------------------------------------------------------
  // Moves the virtual clock on, firing every due timer at its time.
  void Advance(int ms);
  // Advances n times the heart-beat interval.
  void RunTicks(int n) { Advance(50 * n); }
  // The server side of the socket.
  void Connect() { socketState = kSocketConnected; if (events_) events_->OnSocketConnected(); }
  void ServerSends(std::span<const std::uint8_t> bytes);
  void ServerSendsFrame(const Frame& frame) { ServerSends(frame); }
  void ServerCloses();
  // The connection attempt fails: nobody listens there.
  void RefuseConnection() { socketState = 0; }
  // Every connection attempt fails at once (a closed port).
  bool refuseConnections = false;
  // Frames the client wrote, in order; bytes after the last whole frame are
  // left in `sent`.
  std::vector<Frame> SentFrames() const;
  bool CallMade(const std::string& prefix) const;
  // A web pane reports its page loaded or failed.
  void WebLoads(int pane, bool ok) { if (events_) events_->OnWebPaneLoaded(pane, ok); }
  // The user's hand, at window pixels.
  void UserInput(const InputEvent& e) { if (events_) events_->OnInput(e); }
  void MouseAt(InputKind kind, float x, float y, int button) {
    InputEvent e;
    e.kind = kind;
    e.button = button;
    e.x = x;
    e.y = y;
    UserInput(e);
  }
  void MoveMouse(float x, float y, int buttons = 0) { MouseAt(InputKind::MouseMove, x, y, buttons); }
  void Click(float x, float y, int button = mouse_button::kLeft) {
    MouseAt(InputKind::MouseDown, x, y, button);
    MouseAt(InputKind::MouseUp, x, y, button);
  }
  void PressKey(int key, int shift = 0) {
    InputEvent e;
    e.kind = InputKind::KeyDown;
    e.key = key;
    e.shift = shift;
    UserInput(e);
    e.kind = InputKind::KeyUp;
    UserInput(e);
  }
  // The message numbers posted to a window, in order.
  std::vector<std::uint32_t> PostedTo(const std::string& title) const;

  // Recorded state -------------------------------------------------------
  std::uint32_t now = 0;
  int socketState = 0;
  std::string connectedHost;
  std::uint16_t connectedPort = 0;
  std::vector<std::uint8_t> inbox;  // waiting to be read by the client
  std::vector<std::uint8_t> sent;   // everything the client wrote
  std::vector<std::uint32_t> sendTimes;  // the clock at each write
  std::uint32_t closedAt = 0;            // the clock at the last SocketClose
  // Runs once, the next time the client pumps events while it waits (a
  // lobby message or a click arriving during the wait).
  std::function<void()> duringPump;
  std::vector<std::string> calls;   // "Quit", "RestoreWindow(Vask)", ...
  struct Post {
    std::string title;
    std::uint32_t msg;
  };
  std::vector<Post> posts;  // every PostToWindow, also to missing windows
  std::map<std::string, std::string> files;
  std::size_t largestRead = 0;  // the most bytes one ReadFile returned
  std::vector<std::string> existingWindows;
  bool singleInstanceTaken = false;
  bool quit = false;
  bool mainMinimized = false;
  LocalTime localTime{};
  ScreenSize screen{1024, 768};
  std::uint32_t randomState = 12345;
  int viewChanges = 0;
  std::function<std::unique_ptr<PropPlugin>(const std::string&)> pluginFactory;
  // Sound: a device that fails every call, and files that cannot be played.
  bool soundDeviceFails = false;
  std::vector<std::string> unplayableSounds;
  // The sound calls alone, in order ("SoundPlay(path,once)", "SoundStop", ...).
  std::vector<std::string> SoundCalls() const;

  struct FakeTimer {
    int interval = 0;
    bool enabled = false;
    std::uint32_t due = 0;
  };
  std::array<FakeTimer, static_cast<std::size_t>(TimerId::kCount)> timers{};
  bool TimerOn(TimerId t) const { return timers[static_cast<std::size_t>(t)].enabled; }

  // Platform --------------------------------------------------------------
  void SetEvents(PlatformEvents* events) override { events_ = events; }
  std::uint32_t TickCount() override { return now; }
  LocalTime Now() override { return localTime; }
  void SetTimer(TimerId timer, int intervalMs, bool enabled) override;
  void PumpEvents() override;
  void Sleep(int ms) override { now += static_cast<std::uint32_t>(ms); }
  void SocketConnect(const std::string& host, std::uint16_t port) override;
  void SocketClose() override;
  int SocketState() override { return socketState; }
  std::vector<std::uint8_t> SocketRead(std::size_t most) override;
  void SocketSend(std::span<const std::uint8_t> bytes) override;
  bool WindowExists(const std::string& title) override;
  bool PostToWindow(const std::string& title, std::uint32_t msg, std::int64_t wparam,
                    std::int64_t lparam) override;
  void RestoreWindow(const std::string& title) override;
  void MinimizeWindow(const std::string& title) override;
  void SetMainTitle(const std::string& title) override;
  void PlaceMainWindow(int x, int y, int width, int height) override;
  bool MainWindowMinimized() override { return mainMinimized; }
  void ShowMainWindow(bool visible) override;
  void MinimizeMainWindow() override;
  void RestoreMainWindow() override;
  void BringMainWindowToTop() override { calls.push_back("BringMainWindowToTop"); }
  void DragMainWindow() override { calls.push_back("DragMainWindow"); }
  void ViewChanged() override { ++viewChanges; }
  ScreenSize Screen() override { return screen; }
  bool AcquireSingleInstance(const std::string& name) override;
  void Quit() override;
  void MessageBox(const std::string& title, const std::string& text) override;
  std::string ClientDirectory() override { return "/client"; }
  std::optional<std::string> ReadFile(const std::string& path, std::size_t most) override;
  bool WriteFile(const std::string& path, const std::string& bytes) override;
  bool RemoveFile(const std::string& path) override;
  bool FileExists(const std::string& path) override { return files.count(path) != 0; }
  std::uint32_t Random() override;
  bool SoundInit() override;
  SoundResult SoundPlay(const std::string& path, bool loop) override;
  bool SoundStop() override;
  bool SoundVolume(int volume) override;
  std::unique_ptr<PropPlugin> LoadPlugin(const std::string& path) override;
  void WebNavigate(int pane, const std::string& url) override;
  void OpenInBrowser(const std::string& url) override;

 private:
  // Fires the earliest enabled timer due at or before `until`; false if none.
  bool FireNext(std::uint32_t until);
  PlatformEvents* events_ = nullptr;
};

}  // namespace vask
