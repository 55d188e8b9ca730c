#pragma once
// Keeping the link: the connection watch, the reconnect dialog and its
// timers, the re-login, and the return to the unconnected state.
#include <cstdint>

namespace vask {

struct Client;

struct ReconnectState {
  std::int16_t ReconAttempts = 0;   // 0..21
  std::int16_t ReconCountdown = 0;  // seconds shown before retrying
  // From the first attempt until the server accepts the re-login. While it
  // is set the link is not back, whatever the socket says.
  bool bReloginPending = false;
  // Frames of the old link still whole in the receive ring when the first
  // attempt started; they are handled as usual, what follows them comes
  // from the new link.
  std::uint32_t OldLinkFrames = 0;
  // The link was re-established by a re-login during this visit.
  bool bReconnected = false;
};

namespace reconnect_text {
inline constexpr const char* kLinkLost = "发现网络断开，需要重连吗？";
inline constexpr const char* kSecondsSuffix = " 秒后自动重连";
inline constexpr const char* kGivenUp = "重连失败，请检查您的网络！";
inline constexpr const char* kReconnecting = "正在重新连接服务器...";
inline constexpr const char* kReloginRefused = "重连服务器失败，退出后请重新入座！";
inline constexpr const char* kReloggedIn = "正在重连服务器，请等待...！";
inline constexpr const char* kConnectionLost = "已经与服务器断开连接，请重新入座！";
}  // namespace reconnect_text

// At most 21 attempts, one per TimerCount tick.
inline constexpr int kMaxReconAttempts = 21;
inline constexpr int kTimerCountMs = 3000;
inline constexpr int kTimerReconnectMs = 1000;

// Back to the unconnected state, waiting for the lobby's connect order.
void ResetClient(Client& c);
// One reconnection attempt: the re-login frame, a fresh socket.
void StartReconnect(Client& c);
// The reconnect dialog.
void OpenReconnectDialog(Client& c);
void CloseReconnectDialog(Client& c);
bool ReconnectDialogShown(const Client& c);
void pbReconnect_Click(Client& c);
void frmReconnect_pbCancel_Click(Client& c);
// False for a frame of the new link that arrives before the server has
// accepted the re-login: it is not handled.
bool FrameBelongsToLink(const Client& c, int cmd);
// A frame has been taken out of the receive ring and handled.
void FrameTaken(Client& c);

}  // namespace vask
