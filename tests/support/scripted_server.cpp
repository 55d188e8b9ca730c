#include "support/scripted_server.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>

namespace vask::test {

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kSlice = 50;  // ms: how often the thread looks at the stop flag
constexpr int kKeepAlive = static_cast<int>(Cmd::KeepAlive);

int MsLeft(Clock::time_point deadline) {
  auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
  return left > 0 ? static_cast<int>(left) : 0;
}

}  // namespace

ScriptedServer::ScriptedServer() {
  int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return;
  int one = 1;
  ::setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
  sockaddr_in addr{};
  addr.sin_family = AF_INET;
  addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  addr.sin_port = 0;
  socklen_t len = sizeof addr;
  if (::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 || ::listen(fd, 1) != 0 ||
      ::getsockname(fd, reinterpret_cast<sockaddr*>(&addr), &len) != 0) {
    ::close(fd);
    return;
  }
  listenFd_ = fd;
  port_ = ntohs(addr.sin_port);
}

ScriptedServer::~ScriptedServer() {
  Stop();
  if (connFd_ >= 0) ::close(connFd_);
  if (listenFd_ >= 0) ::close(listenFd_);
}

ScriptedServer& ScriptedServer::Send(const Frame& frame) { return Send(std::vector<Frame>{frame}); }

ScriptedServer& ScriptedServer::Send(const std::vector<Frame>& frames) {
  Step s{Step::SendBytes, {}, {}, {}, 0};
  for (const Frame& f : frames) s.bytes.insert(s.bytes.end(), f.begin(), f.end());
  steps_.push_back(std::move(s));
  return *this;
}

ScriptedServer& ScriptedServer::Expect(const std::string& what, Match match) {
  steps_.push_back({Step::ExpectFrame, {}, what, std::move(match), 0});
  return *this;
}

ScriptedServer& ScriptedServer::ExpectCmd(int cmd, const std::string& what) {
  return Expect(what.empty() ? "command " + std::to_string(cmd) : what,
                [cmd](const Frame& f) { return f[frame_offset::kCmd] == cmd; });
}

ScriptedServer& ScriptedServer::ExpectClose() {
  steps_.push_back({Step::ExpectClosed, {}, "the client closes", {}, 0});
  return *this;
}

ScriptedServer& ScriptedServer::SendPart(const Frame& frame, std::size_t n) {
  Step s{Step::SendBytes, {}, {}, {}, 0};
  s.bytes.assign(frame.begin(), frame.begin() + static_cast<std::ptrdiff_t>(std::min(n, frame.size())));
  steps_.push_back(std::move(s));
  return *this;
}

ScriptedServer& ScriptedServer::AcceptAgain() {
  steps_.push_back({Step::Reaccept, {}, "the client connects again", {}, 0});
  return *this;
}

ScriptedServer& ScriptedServer::Pause(int ms) {
  steps_.push_back({Step::Wait, {}, {}, {}, ms});
  return *this;
}

ScriptedServer& ScriptedServer::Close() {
  steps_.push_back({Step::CloseConn, {}, {}, {}, 0});
  return *this;
}

void ScriptedServer::Start() {
  if (thread_.joinable()) return;
  thread_ = std::thread([this] { Run(); });
}

bool ScriptedServer::Done() const {
  std::lock_guard<std::mutex> lock(mu_);
  return done_;
}

bool ScriptedServer::WaitDone(int timeoutMs) {
  std::unique_lock<std::mutex> lock(mu_);
  return doneCv_.wait_for(lock, std::chrono::milliseconds(timeoutMs), [this] { return done_; });
}

bool ScriptedServer::Passed() const {
  std::lock_guard<std::mutex> lock(mu_);
  return done_ && failures_.empty();
}

std::vector<std::string> ScriptedServer::Failures() const {
  std::lock_guard<std::mutex> lock(mu_);
  return failures_;
}

std::vector<Frame> ScriptedServer::Received() const {
  std::lock_guard<std::mutex> lock(mu_);
  return received_;
}

void ScriptedServer::Stop() {
  stop_ = true;
  if (thread_.joinable()) thread_.join();
}

bool ScriptedServer::Stopping() const { return stop_.load(); }

void ScriptedServer::Fail(const std::string& why) {
  std::lock_guard<std::mutex> lock(mu_);
  failures_.push_back(why);
}

bool ScriptedServer::AcceptClient() {
  if (listenFd_ < 0) return false;
  const auto deadline = Clock::now() + std::chrono::milliseconds(stepTimeoutMs);
  while (!Stopping() && MsLeft(deadline) > 0) {
    pollfd p{listenFd_, POLLIN, 0};
    if (::poll(&p, 1, std::min(kSlice, MsLeft(deadline))) > 0) {
      connFd_ = ::accept4(listenFd_, nullptr, nullptr, SOCK_CLOEXEC);
      return connFd_ >= 0;
    }
  }
  return false;
}

bool ScriptedServer::ReadSome(int ms) {
  if (connFd_ < 0 || peerClosed_) return false;
  pollfd p{connFd_, POLLIN, 0};
  if (::poll(&p, 1, ms) <= 0) return true;
  std::uint8_t buf[4096];
  ssize_t n = ::recv(connFd_, buf, sizeof buf, 0);
  if (n <= 0) {
    if (n < 0 && (errno == EINTR || errno == EAGAIN)) return true;
    peerClosed_ = true;
    return false;
  }
  inbuf_.insert(inbuf_.end(), buf, buf + n);
  std::lock_guard<std::mutex> lock(mu_);
  while (inbuf_.size() >= kFrameSize) {
    Frame f;
    std::copy_n(inbuf_.begin(), kFrameSize, f.begin());
    inbuf_.erase(inbuf_.begin(), inbuf_.begin() + kFrameSize);
    received_.push_back(f);
  }
  return true;
}

bool ScriptedServer::NextFrame(Frame& out, int ms) {
  const auto deadline = Clock::now() + std::chrono::milliseconds(ms);
  for (;;) {
    {
      std::lock_guard<std::mutex> lock(mu_);
      if (consumed_ < received_.size()) {
        out = received_[consumed_++];
        return true;
      }
    }
    if (Stopping() || MsLeft(deadline) == 0) return false;
    if (!ReadSome(std::min(kSlice, MsLeft(deadline)))) return false;
  }
}

bool ScriptedServer::WriteAll(const std::vector<std::uint8_t>& bytes) {
  std::size_t at = 0;
  while (at < bytes.size()) {
    ssize_t n = ::send(connFd_, bytes.data() + at, bytes.size() - at, MSG_NOSIGNAL);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    at += static_cast<std::size_t>(n);
  }
  return true;
}

void ScriptedServer::Run() {
  const auto end = Clock::now() + std::chrono::milliseconds(lifetimeMs);
  if (!AcceptClient()) {
    Fail("no client connected");
  } else {
    for (const Step& s : steps_) {
      if (Stopping()) {
        Fail("stopped before the script ended");
        break;
      }
      bool ok = true;
      switch (s.kind) {
        case Step::SendBytes:
          ok = connFd_ >= 0 && WriteAll(s.bytes);
          if (!ok) Fail("could not send to the client");
          break;
        case Step::ExpectFrame: {
          Frame f;
          do {
            ok = NextFrame(f, stepTimeoutMs);
          } while (ok && f[frame_offset::kCmd] == kKeepAlive);
          if (!ok) Fail("expected " + s.what + ", got nothing");
          else if (!s.match(f)) {
            Fail("expected " + s.what + ", got command " + std::to_string(f[frame_offset::kCmd]));
            ok = false;
          }
          break;
        }
        case Step::ExpectClosed: {
          const auto deadline = Clock::now() + std::chrono::milliseconds(stepTimeoutMs);
          while (!peerClosed_ && !Stopping() && MsLeft(deadline) > 0) ReadSome(std::min(kSlice, MsLeft(deadline)));
          ok = peerClosed_;
          if (!ok) Fail("expected the client to close");
          break;
        }
        case Step::Wait: {
          const auto until = Clock::now() + std::chrono::milliseconds(s.ms);
          while (!Stopping() && MsLeft(until) > 0) ReadSome(std::min(kSlice, MsLeft(until)));
          break;
        }
        case Step::CloseConn:
          if (connFd_ >= 0) ::shutdown(connFd_, SHUT_RDWR);
          peerClosed_ = true;
          break;
        case Step::Reaccept: {
          if (connFd_ >= 0) ::close(connFd_);
          connFd_ = -1;
          inbuf_.clear();
          peerClosed_ = false;
          {
            // What the old link sent is no answer on the new one.
            std::lock_guard<std::mutex> lock(mu_);
            consumed_ = received_.size();
          }
          ok = AcceptClient();
          if (!ok) Fail("expected " + s.what + ", nobody came");
          break;
        }
      }
      if (!ok) break;
    }
  }
  {
    std::lock_guard<std::mutex> lock(mu_);
    done_ = true;
  }
  doneCv_.notify_all();
  // Keep recording until the client goes, the test stops us or time is up.
  while (!Stopping() && !peerClosed_ && connFd_ >= 0 && MsLeft(end) > 0) ReadSome(kSlice);
}

}  // namespace vask::test
