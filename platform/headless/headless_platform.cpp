#include "platform/headless/headless_platform.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdint>
#include <optional>
#include <ctime>
#include <thread>

#include "core/connection/protocol.h"

namespace vask {

HeadlessPlatform::HeadlessPlatform(std::uint32_t seed, bool warp) : warp_(warp), random_(seed) {}

HeadlessPlatform::~HeadlessPlatform() {
  if (fd_ >= 0) ::close(fd_);
}

std::uint32_t HeadlessPlatform::RealMs() const {
  return static_cast<std::uint32_t>(
      std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - epoch_).count());
}

std::uint32_t HeadlessPlatform::TickCount() { return RealMs() + lead_; }

LocalTime HeadlessPlatform::Now() {
  const std::time_t t = std::time(nullptr);
  std::tm tm{};
  localtime_r(&t, &tm);
  return {tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec};
}

void HeadlessPlatform::SetTimer(TimerId timer, int intervalMs, bool enabled) {
  Timer& t = timers_[static_cast<std::size_t>(timer)];
  const bool restart = enabled && (!t.enabled || t.interval != intervalMs);
  t.interval = std::max(intervalMs, 1);
  t.enabled = enabled;
  if (restart) t.due = TickCount() + static_cast<std::uint32_t>(t.interval);
}

int HeadlessPlatform::FireTimers() {
  const bool racing = warp_ && busy && busy();
  if (racing) {
    // Jump to the earliest timer: nothing real is being waited for.
    const std::optional<std::int32_t> ahead = MsToNextTimer(TickCount());
    if (ahead && *ahead > 0) lead_ += static_cast<std::uint32_t>(*ahead);
  }
  // The clock is read again only after a timer's handler ran: reading it
  // for every timer cost more than all the rest of an idle round.
  std::uint32_t now = TickCount();
  for (std::size_t i = 0; i < timers_.size() && !quit; ++i) {
    Timer& t = timers_[i];
    if (!t.enabled || static_cast<std::int32_t>(now - t.due) < 0) continue;
    // A timer that fell far behind fires once, not once per missed period.
    t.due = static_cast<std::int32_t>(now - t.due) >= t.interval ? now + static_cast<std::uint32_t>(t.interval)
                                                                  : t.due + static_cast<std::uint32_t>(t.interval);
    if (events_) events_->OnTimer(static_cast<TimerId>(i));
    now = TickCount();
  }
  if (warp_ && busy && busy()) return 0;
  constexpr std::int32_t kLongestWait = 1000;
  return std::clamp(MsToNextTimer(now).value_or(kLongestWait), 0, kLongestWait);
}

void HeadlessPlatform::PumpEvents() {
  // A racing clock looks at an open socket every few pumps only: what
  // arrives meanwhile waits in the socket, and the client reads it from the
  // ring at its next tick anyway.
  const bool look = !warp_ || state_ != kOpen || ++pumpsSinceLook_ >= kPumpsPerLook;
  if (look) pumpsSinceLook_ = 0;
  if (fd_ >= 0 && look) {
    pollfd p{fd_, static_cast<short>(POLLIN | (WantsWrite() ? POLLOUT : 0)), 0};
    // While a handler waits in real time, let a millisecond pass here rather
    // than spinning.
    if (::poll(&p, 1, warp_ ? 0 : 1) > 0) OnReady(p.revents & (POLLIN | POLLHUP | POLLERR), p.revents & POLLOUT);
  } else if (!warp_) {
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  // An animation waiting in a handler: on to the next timer that is due,
  // a few milliseconds at a time at least, at most a tick.
  if (warp_) lead_ += WarpStep();
  FireTimers();
}

std::optional<std::int32_t> HeadlessPlatform::MsToNextTimer(std::uint32_t now) const {
  std::optional<std::int32_t> soonest;
  for (const Timer& t : timers_)
    if (t.enabled) soonest = std::min(soonest.value_or(INT32_MAX), static_cast<std::int32_t>(t.due - now));
  return soonest;
}

std::uint32_t HeadlessPlatform::WarpStep() const {
  constexpr std::int32_t kLeast = 5, kMost = 50;
  const std::int32_t step = std::min(MsToNextTimer(RealMs() + lead_).value_or(kMost), kMost);
  return static_cast<std::uint32_t>(std::max(step, kLeast));
}

void HeadlessPlatform::Sleep(int ms) {
  if (ms <= 0) return;
  if (warp_) lead_ += static_cast<std::uint32_t>(ms);
  else std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

void HeadlessPlatform::SocketConnect(const std::string& host, std::uint16_t port) {
  CloseSocket(false);
  addrinfo hints{};
  hints.ai_family = AF_INET;
  hints.ai_socktype = SOCK_STREAM;
  addrinfo* found = nullptr;
  if (::getaddrinfo(host.c_str(), std::to_string(port).c_str(), &hints, &found) != 0 || !found) return;
  fd_ = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
  if (fd_ >= 0) {
    const int one = 1;
    ::setsockopt(fd_, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
    if (::connect(fd_, found->ai_addr, found->ai_addrlen) == 0 || errno == EINPROGRESS) {
      // Reported connected by the next poll, as a window system would.
      state_ = kConnecting;
    } else {
      CloseSocket(false);
    }
  }
  ::freeaddrinfo(found);
}

void HeadlessPlatform::SocketClose() { CloseSocket(false); }

void HeadlessPlatform::CloseSocket(bool tellClient) {
  const bool wasOpen = state_ == kOpen;
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
  state_ = kClosed;
  inbox_.clear();
  outbox_.clear();
  if (tellClient && wasOpen && events_) events_->OnSocketClosed();
}

void HeadlessPlatform::OnReady(bool readable, bool writable) {
  if (fd_ < 0) return;
  if (state_ == kConnecting && (writable || readable)) {
    int error = 0;
    socklen_t len = sizeof error;
    ::getsockopt(fd_, SOL_SOCKET, SO_ERROR, &error, &len);
    if (error != 0) return CloseSocket(false);
    state_ = kOpen;
    if (events_) events_->OnSocketConnected();
    if (fd_ < 0) return;
  }
  if (writable) Flush();
  if (!readable || state_ != kOpen) return;
  std::uint8_t buffer[16384];
  bool closed = false;
  for (;;) {
    const ssize_t n = ::recv(fd_, buffer, sizeof buffer, 0);
    if (n > 0) {
      inbox_.insert(inbox_.end(), buffer, buffer + n);
      // Less than asked for: the socket is empty for now, and asking again
      // only to hear so costs a system call each time.
      if (static_cast<std::size_t>(n) < sizeof buffer) break;
      continue;
    }
    closed = n == 0 || (errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR);
    break;
  }
  if (!inbox_.empty() && events_) events_->OnSocketData();
  if (closed) CloseSocket(true);
}

std::vector<std::uint8_t> HeadlessPlatform::SocketRead(std::size_t most) {
  const auto n = static_cast<std::ptrdiff_t>(std::min(most, inbox_.size()));
  std::vector<std::uint8_t> out(inbox_.begin(), inbox_.begin() + n);
  inbox_.erase(inbox_.begin(), inbox_.begin() + n);
  return out;
}

void HeadlessPlatform::SocketSend(std::span<const std::uint8_t> bytes) {
  if (state_ != kOpen) return;
  outbox_.insert(outbox_.end(), bytes.begin(), bytes.end());
  Flush();
}

void HeadlessPlatform::Flush() {
  while (!outbox_.empty() && fd_ >= 0) {
    const ssize_t n = ::send(fd_, outbox_.data(), outbox_.size(), MSG_NOSIGNAL);
    if (n > 0) {
      outbox_.erase(outbox_.begin(), outbox_.begin() + n);
    } else {
      if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR)) return;
      return CloseSocket(true);
    }
  }
}

void HeadlessPlatform::MessageBox(const std::string& title, const std::string& text) {
  lastMessage = title + ": " + text;
}

std::optional<std::string> HeadlessPlatform::ReadFile(const std::string& path, std::size_t most) {
  auto it = files.find(path);
  if (it == files.end()) return std::nullopt;
  return it->second.substr(0, most);
}

bool HeadlessPlatform::WriteFile(const std::string& path, const std::string& bytes) {
  files[path] = bytes;
  return true;
}

void HeadlessLoop::Remove(HeadlessPlatform* p) {
  platforms_.erase(std::remove(platforms_.begin(), platforms_.end(), p), platforms_.end());
}

void HeadlessLoop::RunOnce(int maxWaitMs) {
  int wait = std::max(0, maxWaitMs);
  for (HeadlessPlatform* p : platforms_) wait = std::min(wait, p->FireTimers());
  std::vector<pollfd> fds;
  std::vector<HeadlessPlatform*> owners;
  for (HeadlessPlatform* p : platforms_) {
    if (p->Fd() < 0) continue;
    fds.push_back({p->Fd(), static_cast<short>(POLLIN | (p->WantsWrite() ? POLLOUT : 0)), 0});
    owners.push_back(p);
  }
  if (fds.empty()) {
    if (wait > 0) std::this_thread::sleep_for(std::chrono::milliseconds(wait));
    return;
  }
  if (::poll(fds.data(), fds.size(), wait) <= 0) return;
  for (std::size_t i = 0; i < fds.size(); ++i) {
    if (fds[i].revents)
      owners[i]->OnReady(fds[i].revents & (POLLIN | POLLHUP | POLLERR), fds[i].revents & (POLLOUT | POLLERR));
  }
}

}  // namespace vask
