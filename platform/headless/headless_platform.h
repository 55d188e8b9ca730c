#pragma once
// A platform without a window, for clients that no person watches (the
// practice bots, the soak test, the hands-per-second benchmark): real TCP to
// the server, files kept in memory, no sound, no lobby.
//
// Its clock is the real one plus a lead: with `warp` on, whenever the
// client has work queued (`busy` says so) the clock jumps straight to the
// next timer instead of waiting for it, so the client runs as fast as the
// processor allows; while it only waits for the server, time runs real, so
// its timeouts mean what they say.
#include <array>
#include <chrono>
#include <functional>
#include <map>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace vask {

class HeadlessPlatform final : public Platform {
 public:
  explicit HeadlessPlatform(std::uint32_t seed = 1, bool warp = false);
  ~HeadlessPlatform() override;

  // The client has queued work (frames to decode or to send).
  std::function<bool()> busy;
  bool quit = false;
  std::string lobbyTitle = "Vask山庄";
  std::uint32_t lastPost = 0;  // the latest message to the lobby
  std::map<std::string, std::string> files;
  // Where LoadPlugin gets a prop plug-in from; none unless a test gives one.
  std::function<std::unique_ptr<PropPlugin>(const std::string&)> pluginFactory;

  // The network fails under the client: the socket closes as if the line
  // had dropped, and the client is told.
  void DropConnection() { CloseSocket(true); }

  // The loop's side ---------------------------------------------------------
  int Fd() const { return fd_; }
  bool WantsWrite() const { return state_ == kConnecting || !outbox_.empty(); }
  // The socket is ready to read and/or write (from poll).
  void OnReady(bool readable, bool writable);
  // Fires every timer that is due (after a warp jump when busy); returns the
  // milliseconds until the next one is due in real time (0 while busy).
  int FireTimers();

  // Platform ------------------------------------------------------------------
  void SetEvents(PlatformEvents* events) override { events_ = events; }
  std::uint32_t TickCount() override;
  LocalTime Now() override;
  void SetTimer(TimerId timer, int intervalMs, bool enabled) override;
  void PumpEvents() override;
  void Sleep(int ms) override;
  void SocketConnect(const std::string& host, std::uint16_t port) override;
  void SocketClose() override;
  int SocketState() override { return state_ == kOpen ? kSocketConnected : 0; }
  std::vector<std::uint8_t> SocketRead(std::size_t most) override;
  void SocketSend(std::span<const std::uint8_t> bytes) override;
  // The lobby exists as far as the client can tell: it quits without one.
  bool WindowExists(const std::string& title) override { return title == lobbyTitle; }
  bool PostToWindow(const std::string& title, std::uint32_t msg, std::int64_t, std::int64_t) override {
    if (title != lobbyTitle) return false;
    lastPost = msg;
    return true;
  }
  void RestoreWindow(const std::string&) override {}
  void MinimizeWindow(const std::string&) override {}
  void SetMainTitle(const std::string&) override {}
  void PlaceMainWindow(int, int, int, int) override {}
  bool MainWindowMinimized() override { return false; }
  void ShowMainWindow(bool) override {}
  void MinimizeMainWindow() override {}
  void RestoreMainWindow() override {}
  void ViewChanged() override {}
  ScreenSize Screen() override { return {1280, 1024}; }
  bool AcquireSingleInstance(const std::string&) override { return true; }
  void Quit() override { quit = true; }
  void MessageBox(const std::string& title, const std::string& text) override;
  std::string ClientDirectory() override { return "/client"; }
  std::optional<std::string> ReadFile(const std::string& path, std::size_t most) override;
  bool WriteFile(const std::string& path, const std::string& bytes) override;
  bool RemoveFile(const std::string& path) override { return files.erase(path) != 0; }
  bool FileExists(const std::string& path) override { return files.count(path) != 0; }
  std::uint32_t Random() override { return random_(); }
  // No sound device: the client turns its effects off and plays on silently.
  bool SoundInit() override { return false; }
  SoundResult SoundPlay(const std::string&, bool) override { return SoundResult::DeviceFailed; }
  bool SoundStop() override { return false; }
  bool SoundVolume(int) override { return false; }
  std::unique_ptr<PropPlugin> LoadPlugin(const std::string& path) override {
    return pluginFactory ? pluginFactory(path) : nullptr;
  }
  void WebNavigate(int, const std::string&) override {}
  void OpenInBrowser(const std::string&) override {}

  // The last message box, for whoever runs the bot.
  std::string lastMessage;

 private:
  enum SocketPhase { kClosed, kConnecting, kOpen };
  struct Timer {
    int interval = 0;
    bool enabled = false;
    std::uint32_t due = 0;
  };
  std::uint32_t RealMs() const;
  // Milliseconds from `now` to the earliest enabled timer (negative when it
  // is overdue); empty when no timer runs.
  std::optional<std::int32_t> MsToNextTimer(std::uint32_t now) const;
  // How far a warped clock moves while a handler pumps events.
  std::uint32_t WarpStep() const;
  void Flush();
  void CloseSocket(bool tellClient);

  PlatformEvents* events_ = nullptr;
  bool warp_;
  std::uint32_t lead_ = 0;  // how far the clock is ahead of real time
  static constexpr int kPumpsPerLook = 4;
  int pumpsSinceLook_ = 0;
  std::chrono::steady_clock::time_point epoch_ = std::chrono::steady_clock::now();
  std::array<Timer, static_cast<std::size_t>(TimerId::kCount)> timers_{};
  std::mt19937 random_;
  int fd_ = -1;
  SocketPhase state_ = kClosed;
  std::vector<std::uint8_t> inbox_;
  std::vector<std::uint8_t> outbox_;
};

// Runs any number of headless clients in one thread.
class HeadlessLoop {
 public:
  void Add(HeadlessPlatform* p) { platforms_.push_back(p); }
  void Remove(HeadlessPlatform* p);
  // One round: waits at most maxWaitMs for the network, then serves every
  // socket and every due timer.
  void RunOnce(int maxWaitMs);

 private:
  std::vector<HeadlessPlatform*> platforms_;
};

}  // namespace vask
