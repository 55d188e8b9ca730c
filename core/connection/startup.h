#pragma once
// Start-up of the main window: one instance, the command line, the login
// frame, the connection, the caption.
#include <cstdint>
#include <string>
#include <string_view>

namespace vask {

struct Client;

// What the command line gave the link, kept for reconnecting and the proxy.
struct LaunchState {
  std::string ServerHost;
  std::uint16_t ServerPort = 0;
  int ProxyType = 0;
  std::string ProxyHost;
  std::uint16_t ProxyPort = 0;
  std::string ProxyUser;
  std::string ProxyPass;
  bool bOwnCaption = false;
  std::string WindowCaption;
  // The prop plug-in's copies of the account and the login key; the key is
  // kept nowhere else.
  std::string PropAccount;
  std::string PropKey;
  // The lobby's messages are answered once start-up has finished.
  bool bWndProcInstalled = false;
  // The platform has been asked to end the process.
  bool bQuitRequested = false;
};

// The lobby's title when the lobby does not choose the caption.
inline constexpr const char* kDefaultLobbyTitle = "Vask山庄";
// The main window's caption unless the lobby gives one.
inline constexpr const char* kDefaultCaption = "Velora游戏";
// The name of the lock that keeps a second client from starting.
inline constexpr const char* kInstanceLock = "velora-table-client";

namespace startup_text {
inline constexpr const char* kTitle = "警告";
inline constexpr const char* kAlreadyRunning = " Velora游戏已经运行！";
inline constexpr const char* kNoCommandLine = "本游戏需从游戏大厅中启动！";
inline constexpr const char* kConnecting = "正在连接服务器...";
}  // namespace startup_text

// Runs the start-up in its fixed order. False when the client refused to
// start (it has then shown why and asked the platform to quit).
bool StartUp(Client& c, std::string_view commandLine);

}  // namespace vask
