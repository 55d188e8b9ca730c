#include "core/connection/proxy.h"

#include <algorithm>
#include <charconv>

#include "core/client.h"
#include "core/connection/lobby_link.h"
#include "core/connection/login.h"
#include "core/connection/reconnect.h"
#include "core/handlers.h"
#include "core/view/widgets.h"

namespace vask {

namespace {

constexpr std::uint8_t kSocksVersion = 5;
constexpr std::uint8_t kAuthVersion = 1;
constexpr std::uint8_t kMethodNone = 0, kMethodUserPass = 2;
constexpr std::uint8_t kConnectCmd = 1;
constexpr std::uint8_t kAddrIPv4 = 1, kAddrName = 3, kAddrIPv6 = 4;
// RFC 1929 and RFC 1928 carry lengths in one byte.
constexpr std::size_t kMaxField = 255;

std::optional<std::array<std::uint8_t, 4>> DottedIPv4(const std::string& host) {
  std::array<std::uint8_t, 4> out{};
  const char* p = host.data();
  const char* end = p + host.size();
  for (int i = 0; i < 4; ++i) {
    if (i > 0) {
      if (p == end || *p != '.') return std::nullopt;
      ++p;
    }
    unsigned value = 256;
    auto [next, ec] = std::from_chars(p, end, value);
    if (ec != std::errc{} || next == p || next - p > 3 || value > 255) return std::nullopt;
    out[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(value);
    p = next;
  }
  if (p != end) return std::nullopt;
  return out;
}

void PutField(std::vector<std::uint8_t>& m, const std::string& s) {
  const std::size_t n = std::min(s.size(), kMaxField);
  m.push_back(static_cast<std::uint8_t>(n));
  m.insert(m.end(), s.begin(), s.begin() + static_cast<std::ptrdiff_t>(n));
}

// The failure text of the step the handshake stands at.
const char* FailureOfStep(int step) {
  if (step >= 5) return proxy_text::kTargetFailed;
  if (step >= 3) return proxy_text::kAuthFailed;
  return proxy_text::kRequestFailed;
}

void ProxySend(Client& c) {
  ProxyState& p = c.proxy;
  const LaunchState& l = c.launch;
  std::vector<std::uint8_t> m = ProxyMessage(p.ProxyStep, l.ProxyUser, l.ProxyPass, l.ServerHost, l.ServerPort);
  if (m.empty()) return;
  p.ProxyStep = static_cast<std::uint8_t>(p.ProxyStep + 1);
  // Each answer is read from the start of the buffer.
  c.conn.ProxyBuf.Clear();
  c.platform.SocketSend(m);
}

// The socket is closed and the handshake ends; the client stays. During a
// reconnection the dialog's next attempt follows, so the text only goes to
// the message line: a box every three seconds would bury the window.
void ProxyFailed(Client& c, const char* text) {
  ProxyState& p = c.proxy;
  p.bProxyRun = false;
  c.platform.SocketClose();
  c.conn.ProxyBuf.Clear();
  SetSysmsgLines(c, text, "");
  if (c.recon.bReloginPending) return;
  // Nothing is logging in any more: the lobby may send the client away or
  // order a new connection.
  c.login.bLoggingIn = false;
  c.conn.bWatchLink = false;
  c.conn.WatchTick = 0;
  EnableTimer(c, TimerId::Bong, false);
  c.platform.MessageBox(c.view.Caption, text);
}

// Bytes of the connect answer: 4, the bound address, 2; 0 when the address
// type is unknown.
std::size_t ConnectAnswerSize(const ByteRing& b) {
  if (b.Unread() < 5) return 5;
  switch (b.At(b.ReadPos() + 3)) {
    case kAddrIPv4: return 4 + 4 + 2;
    case kAddrName: return 4 + 1 + b.At(b.ReadPos() + 4) + 2;
    case kAddrIPv6: return 4 + 16 + 2;
    default: return 0;
  }
}

void ProxyDone(Client& c, std::size_t answerSize) {
  ConnectionState& s = c.conn;
  c.proxy.bProxyRun = false;
  s.bProxyDone = true;
  PostToLobby(c, lobby_msg::kLeave);
  SetSysmsgLine(c, 0, proxy_text::kConnected);
  WriteLoginFrame(c);
  EnableTimer(c, TimerId::Bong, true);
  // Whatever followed the answer in the same read is the game stream's.
  std::vector<std::uint8_t> rest(s.ProxyBuf.Unread() - answerSize);
  s.ProxyBuf.SetReadPos(s.ProxyBuf.ReadPos() + answerSize);
  if (!rest.empty()) s.ProxyBuf.Take(rest);
  s.ProxyBuf.Clear();
  if (!rest.empty() && s.RecvBuf.PutAll(rest)) {
    s.bRecvPending = true;
    s.RecvTick = 0;
  }
}

}  // namespace

std::vector<std::uint8_t> ProxyMessage(int step, const std::string& user, const std::string& pass,
                                       const std::string& host, std::uint16_t port) {
  std::vector<std::uint8_t> m;
  switch (step) {
    case 1:
      m = {kSocksVersion, 2, kMethodNone, kMethodUserPass};
      break;
    case 3:
      m.push_back(kAuthVersion);
      PutField(m, user);
      PutField(m, pass);
      break;
    case 5:
      m = {kSocksVersion, kConnectCmd, 0};
      if (auto ip = DottedIPv4(host)) {
        m.push_back(kAddrIPv4);
        m.insert(m.end(), ip->begin(), ip->end());
      } else {
        m.push_back(kAddrName);
        PutField(m, host);
      }
      m.push_back(static_cast<std::uint8_t>(port >> 8));
      m.push_back(static_cast<std::uint8_t>(port & 0xFF));
      break;
    default:
      break;
  }
  return m;
}

bool ProxyHandshakeRunning(const Client& c) { return c.proxy.bProxyRun && !c.conn.bProxyDone; }

void StartProxy(Client& c) {
  ConnectionState& s = c.conn;
  ProxyState& p = c.proxy;
  // On reconnection the frames still queued are the table's: they go out
  // once the link is back, as they do without a proxy.
  if (!c.recon.bReloginPending) ResetRings(c);
  p.bProxyRun = true;
  s.bProxyDone = false;
  p.ProxyStep = 0;
  s.ProxyBuf.Clear();
  p.ProxyStarted = c.platform.TickCount();
  c.platform.SocketConnect(c.launch.ProxyHost, c.launch.ProxyPort);
  // The greeting goes out on the connected event; the watch bounds the wait.
  s.bWatchLink = true;
  s.WatchTick = 0;
  EnableTimer(c, TimerId::Bong, true);
}

void OnProxyConnected(Client& c) {
  ProxyState& p = c.proxy;
  if (!ProxyHandshakeRunning(c) || p.ProxyStep != 0) return;
  c.login.bLoggingIn = true;
  c.conn.ProxyBuf.Clear();
  p.ProxyStep = 1;
  ProxySend(c);
}

void ProxyReceive(Client& c) {
  if (!ProxyHandshakeRunning(c)) return;
  ProxyState& p = c.proxy;
  const ByteRing& b = c.conn.ProxyBuf;
  // A short answer waits for the rest; the watch gives up on it in time.
  if (b.Unread() < 2) return;
  const std::uint8_t b0 = b.At(b.ReadPos()), b1 = b.At(b.ReadPos() + 1);
  switch (p.ProxyStep) {
    case 2:
      if (b0 != kSocksVersion || (b1 != kMethodNone && b1 != kMethodUserPass))
        return ProxyFailed(c, proxy_text::kRequestFailed);
      p.ProxyStep = b1 == kMethodUserPass ? 3 : 5;
      return ProxySend(c);
    case 4:
      if (b0 != kAuthVersion || b1 != 0) return ProxyFailed(c, proxy_text::kAuthFailed);
      p.ProxyStep = 5;
      return ProxySend(c);
    case 6: {
      if (b0 != kSocksVersion || b1 != 0) return ProxyFailed(c, proxy_text::kTargetFailed);
      // The whole answer first: its tail must not reach the game stream.
      const std::size_t size = ConnectAnswerSize(b);
      if (size == 0) return ProxyFailed(c, proxy_text::kTargetFailed);
      if (b.Unread() < size) return;
      return ProxyDone(c, size);
    }
    default:
      return;
  }
}

void ProxyWatch(Client& c) {
  const ProxyState& p = c.proxy;
  const bool socketGone = c.platform.SocketState() == 0;
  const bool tooLong = c.platform.TickCount() - p.ProxyStarted >= kProxyHandshakeMs;
  if (socketGone || tooLong) ProxyFailed(c, FailureOfStep(p.ProxyStep));
}

}  // namespace vask
