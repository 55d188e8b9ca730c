#include "platform/fake/fake_platform.h"

#include <algorithm>

namespace vask {

FakePlatform::FakePlatform() = default;

void FakePlatform::SetTimer(TimerId timer, int intervalMs, bool enabled) {
  FakeTimer& t = timers[static_cast<std::size_t>(timer)];
  bool restart = enabled && (!t.enabled || t.interval != intervalMs);
  t.interval = intervalMs;
  t.enabled = enabled;
  if (restart) t.due = now + static_cast<std::uint32_t>(std::max(intervalMs, 1));
}

bool FakePlatform::FireNext(std::uint32_t until) {
  int best = -1;
  for (std::size_t i = 0; i < timers.size(); ++i) {
    const FakeTimer& t = timers[i];
    if (t.enabled && t.due <= until && (best < 0 || t.due < timers[best].due)) best = static_cast<int>(i);
  }
  if (best < 0) return false;
  FakeTimer& t = timers[best];
  now = std::max(now, t.due);
  t.due = now + static_cast<std::uint32_t>(std::max(t.interval, 1));
  if (events_) events_->OnTimer(static_cast<TimerId>(best));
  return true;
}

void FakePlatform::Advance(int ms) {
  std::uint32_t until = now + static_cast<std::uint32_t>(ms);
  while (!quit && FireNext(until)) {
  }
  now = std::max(now, until);
}

void FakePlatform::PumpEvents() {
  if (duringPump) {
    auto once = std::move(duringPump);
    duringPump = nullptr;
    once();
  }
  // Event pumping while a handler waits: a little virtual time passes.
  std::uint32_t until = now + 5;
  while (!quit && FireNext(until)) {
  }
  now = std::max(now, until);
}

void FakePlatform::ServerSends(std::span<const std::uint8_t> bytes) {
  inbox.insert(inbox.end(), bytes.begin(), bytes.end());
  if (events_) events_->OnSocketData();
}

void FakePlatform::ServerCloses() {
  socketState = 0;
  calls.push_back("ServerClosed");
  if (events_) events_->OnSocketClosed();
}

std::vector<Frame> FakePlatform::SentFrames() const {
  std::vector<Frame> frames;
  for (std::size_t at = 0; at + kFrameSize <= sent.size(); at += kFrameSize) {
    Frame f;
    std::copy_n(sent.begin() + static_cast<std::ptrdiff_t>(at), kFrameSize, f.begin());
    frames.push_back(f);
  }
  return frames;
}

bool FakePlatform::CallMade(const std::string& prefix) const {
  return std::any_of(calls.begin(), calls.end(),
                     [&](const std::string& c) { return c.rfind(prefix, 0) == 0; });
}

void FakePlatform::SocketConnect(const std::string& host, std::uint16_t port) {
  connectedHost = host;
  connectedPort = port;
  // Connecting until the test connects it (Connect) or refuses it.
  socketState = refuseConnections ? 0 : kSocketConnecting;
  calls.push_back("SocketConnect(" + host + ":" + std::to_string(port) + ")");
}

void FakePlatform::SocketClose() {
  socketState = 0;
  closedAt = now;
  calls.push_back("SocketClose");
}

std::vector<std::uint8_t> FakePlatform::SocketRead(std::size_t most) {
  const auto n = static_cast<std::ptrdiff_t>(std::min(most, inbox.size()));
  std::vector<std::uint8_t> out(inbox.begin(), inbox.begin() + n);
  inbox.erase(inbox.begin(), inbox.begin() + n);
  return out;
}

void FakePlatform::SocketSend(std::span<const std::uint8_t> bytes) {
  sent.insert(sent.end(), bytes.begin(), bytes.end());
  sendTimes.push_back(now);
}

bool FakePlatform::WindowExists(const std::string& title) {
  return std::find(existingWindows.begin(), existingWindows.end(), title) != existingWindows.end();
}

std::vector<std::uint32_t> FakePlatform::PostedTo(const std::string& title) const {
  std::vector<std::uint32_t> out;
  for (const Post& p : posts)
    if (p.title == title) out.push_back(p.msg);
  return out;
}

bool FakePlatform::PostToWindow(const std::string& title, std::uint32_t msg, std::int64_t wparam,
                                std::int64_t lparam) {
  posts.push_back({title, msg});
  calls.push_back("PostToWindow(" + title + "," + std::to_string(msg) + "," + std::to_string(wparam) + "," +
                  std::to_string(lparam) + ")");
  return WindowExists(title);
}

void FakePlatform::RestoreWindow(const std::string& title) { calls.push_back("RestoreWindow(" + title + ")"); }
void FakePlatform::MinimizeWindow(const std::string& title) { calls.push_back("MinimizeWindow(" + title + ")"); }
void FakePlatform::SetMainTitle(const std::string& title) { calls.push_back("SetMainTitle(" + title + ")"); }
void FakePlatform::ShowMainWindow(bool visible) {
  calls.push_back(std::string("ShowMainWindow(") + (visible ? "true" : "false") + ")");
}
void FakePlatform::PlaceMainWindow(int x, int y, int width, int height) {
  calls.push_back("PlaceMainWindow(" + std::to_string(x) + "," + std::to_string(y) + "," + std::to_string(width) +
                  "," + std::to_string(height) + ")");
}
void FakePlatform::MinimizeMainWindow() {
  mainMinimized = true;
  calls.push_back("MinimizeMainWindow");
}
void FakePlatform::RestoreMainWindow() {
  mainMinimized = false;
  calls.push_back("RestoreMainWindow");
}

bool FakePlatform::AcquireSingleInstance(const std::string& name) {
  calls.push_back("AcquireSingleInstance(" + name + ")");
  if (singleInstanceTaken) return false;
  singleInstanceTaken = true;
  return true;
}

void FakePlatform::Quit() {
  quit = true;
  calls.push_back("Quit");
}

void FakePlatform::MessageBox(const std::string& title, const std::string& text) {
  calls.push_back("MessageBox(" + title + "," + text + ")");
}

std::optional<std::string> FakePlatform::ReadFile(const std::string& path, std::size_t most) {
  auto it = files.find(path);
  if (it == files.end()) return std::nullopt;
  const std::string out = it->second.substr(0, most);
  largestRead = std::max(largestRead, out.size());
  return out;
}

bool FakePlatform::WriteFile(const std::string& path, const std::string& bytes) {
  files[path] = bytes;
  return true;
}

bool FakePlatform::RemoveFile(const std::string& path) { return files.erase(path) != 0; }

std::uint32_t FakePlatform::Random() {
  // A fixed linear congruential sequence keeps tests repeatable.
  randomState = randomState * 1103515245u + 12345u;
  return randomState >> 8;
}

bool FakePlatform::SoundInit() {
  calls.push_back("SoundInit");
  return !soundDeviceFails;
}

SoundResult FakePlatform::SoundPlay(const std::string& path, bool loop) {
  calls.push_back("SoundPlay(" + path + "," + (loop ? "loop" : "once") + ")");
  if (soundDeviceFails) return SoundResult::DeviceFailed;
  if (std::find(unplayableSounds.begin(), unplayableSounds.end(), path) != unplayableSounds.end())
    return SoundResult::Unplayable;
  return SoundResult::Played;
}

bool FakePlatform::SoundStop() {
  calls.push_back("SoundStop");
  return !soundDeviceFails;
}

bool FakePlatform::SoundVolume(int volume) {
  calls.push_back("SoundVolume(" + std::to_string(volume) + ")");
  return !soundDeviceFails;
}

std::vector<std::string> FakePlatform::SoundCalls() const {
  std::vector<std::string> out;
  for (const std::string& c : calls)
    if (c.rfind("Sound", 0) == 0) out.push_back(c);
  return out;
}

std::unique_ptr<PropPlugin> FakePlatform::LoadPlugin(const std::string& path) {
  calls.push_back("LoadPlugin(" + path + ")");
  return pluginFactory ? pluginFactory(path) : nullptr;
}

void FakePlatform::WebNavigate(int pane, const std::string& url) {
  calls.push_back("WebNavigate(" + std::to_string(pane) + "," + url + ")");
}
void FakePlatform::OpenInBrowser(const std::string& url) { calls.push_back("OpenInBrowser(" + url + ")"); }

}  // namespace vask
