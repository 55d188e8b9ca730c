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
  // The first link of a visit (start-up or the lobby's connect order), from
  // its first connection attempt until the login answer: the attempts made
  // and the clock when the current one began and its login frame went out.
  bool bFirstLink = false;
  std::int16_t LinkAttempts = 0;
  std::uint32_t AttemptStarted = 0;
  std::uint32_t LoginWritten = 0;
};

// The first link's bounds: each attempt may take this long to connect and
// then this long for the login answer; after the last the player is told.
inline constexpr int kLinkAttempts = 3;
// A refused or dropped attempt is followed by the next this long after it
// began, so the message line can be read.
inline constexpr std::uint32_t kRetryGapMs = 2000;
inline constexpr std::uint32_t kConnectWaitMs = 5000;
inline constexpr std::uint32_t kLoginAnswerWaitMs = 10000;

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
// The message line of attempt n (2..kLinkAttempts): kRetryBefore n kRetryAfter.
inline constexpr const char* kRetryBefore = "正在第";
inline constexpr const char* kRetryAfter = "次连接服务器...";
inline constexpr const char* kConnectFailed = "连接服务器失败，请检查您的网络！";
inline constexpr const char* kNoAnswer = "服务器没有应答，请重新入座！";
}  // namespace login_text

// Starts the bounded wait of a first link whose first attempt has just
// been made.
void BeginFirstLink(Client& c);

}  // namespace vask
