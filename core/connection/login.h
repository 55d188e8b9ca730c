#pragma once
// The login frame, the login duty and the server's login answer.
#include <cstdint>
#include <string>
#include <string_view>

#include "core/connection/protocol.h"

namespace vask {

struct Client;

struct LoginState {
  Frame LoginFrame{};
  // The login frame has gone out and the answer has not come yet.
  bool bLoggingIn = false;
  // The lobby has been told (0x16) for this opening of the login gate.
  bool bLoginAnnounced = false;
  // Reconnection is allowed (the login was accepted this visit).
  bool g_bCanRecon = false;
  // From the last game start; sent back on re-login.
  std::uint32_t ReLoginId = 0;
  std::string AdPage;  // the advert page from the login answer
};

// Byte offsets of the login frame.
namespace login_offset {
inline constexpr std::size_t kFlag = 14;  // 1: a login with the lobby's key
inline constexpr std::size_t kAccount = 16;
inline constexpr std::size_t kKey = 32;
inline constexpr std::size_t kReLoginId = 268;
}  // namespace login_offset

// The first login frame: command 18, the account and the key one byte per
// character. The caller has checked that both fit.
Frame BuildLoginFrame(std::string_view account, std::string_view key);

// Opens the login gate: the login duty writes the frame once the socket is
// connected, and tells the lobby first.
void OpenLoginGate(Client& c);
// Writes LoginFrame straight to the socket (not through the send ring): the
// login duty's and the proxy handshake's last step.
void WriteLoginFrame(Client& c);
// The login frame of a re-login: command 28, the last server tag and the
// identifier of the last game start. Everything else stays.
void PrepareRelogin(Client& c);
// The login frame of a first login again (the lobby's connect order).
void PrepareFirstLogin(Client& c);

// The advert page is shown here; the game centre's address follows the
// welcome line.
inline constexpr const char* kGameCentreAddress = "www.vask.example";

namespace login_text {
inline constexpr const char* kConnected = "连接服务器成功！";
inline constexpr const char* kWelcome = "欢迎进入Vask游戏中心";
inline constexpr const char* kStartFailed = "启动游戏失败，请重新在大厅就座后进入游戏！";
inline constexpr const char* kBadLogin = "验证错误，请重新登陆游戏！";
}  // namespace login_text

}  // namespace vask
