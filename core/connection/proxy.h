#pragma once
// The SOCKS5 handshake (user name and password authentication) on the game
// socket, before any game frame.
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace vask {

struct Client;

struct ProxyState {
  // 0 idle, 1 greeting to send, 2 waiting for the method, 3 authentication
  // to send, 4 waiting for its answer, 5 connect request to send, 6 waiting
  // for the connect answer.
  std::uint8_t ProxyStep = 0;
  bool bProxyRun = false;        // a handshake has been started and not ended
  std::uint32_t ProxyStarted = 0;  // the clock when it started
};

// A handshake that has not finished in this time is given up.
inline constexpr std::uint32_t kProxyHandshakeMs = 10000;

namespace proxy_text {
inline constexpr const char* kRequestFailed = "请求代理失败！";
inline constexpr const char* kAuthFailed = "代理服务器用户验证失败！";
inline constexpr const char* kTargetFailed = "通过代理连接主站失败！";
inline constexpr const char* kConnected = "连接代理服务器成功！";
}  // namespace proxy_text

// The message the client sends in step 1, 3 or 5 (empty for other steps):
// the greeting, the authentication, the connect request. A server host that
// is a dotted IPv4 address goes as one; any other name goes as a name.
std::vector<std::uint8_t> ProxyMessage(int step, const std::string& user, const std::string& pass,
                                       const std::string& host, std::uint16_t port);

// Begins a handshake with the proxy of the command line; the greeting goes
// out when the socket reports connected.
void StartProxy(Client& c);
// The socket reached the proxy.
void OnProxyConnected(Client& c);
// Advances the handshake over the bytes in ProxyBuf (data arrival).
void ProxyReceive(Client& c);
// The watch during a handshake: a socket that fails or a handshake that
// takes too long ends it.
void ProxyWatch(Client& c);
bool ProxyHandshakeRunning(const Client& c);

}  // namespace vask
