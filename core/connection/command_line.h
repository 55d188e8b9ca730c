#pragma once
// The lobby's command line: fifteen "$"-terminated fields. A line that does
// not end with "$" starts a watcher.
#include <cstdint>
#include <string>
#include <string_view>

namespace vask {

// What the login frame can carry: the account in bytes 16..31, the key from
// byte 32 up to the server tag at 260.
inline constexpr std::size_t kAccountMaxBytes = 16;
inline constexpr std::size_t kLoginKeyMaxBytes = 228;

inline constexpr int kProxyNone = 0;
inline constexpr int kProxySocks5 = 5;

struct CommandLine {
  bool Spectator = false;
  int FieldCount = 0;  // "$"-terminated fields read (at most 15)

  std::string Account;        // 1
  std::string LoginKey;       // 2
  std::string ServerHost;     // 3
  std::uint16_t ServerPort = 0;  // 4
  std::string Location;       // 5
  int ProxyType = kProxyNone;  // 6
  std::string ProxyHost;      // 7
  std::uint16_t ProxyPort = 0;  // 8
  std::string ProxyUser;      // 9
  std::string ProxyPass;      // 10
  bool bOwnCaption = false;   // 11: "1"
  std::string LobbyTitle;     // 12
  std::string WindowCaption;  // 13
  std::int16_t Prop_swicth = 0;  // 14
  std::int16_t PropParam = 0;    // 15
  // A watcher's line carries the watched player's number after the fifth "$".
  std::int64_t PlayerId = 0;

  // Empty when the line can be used; otherwise the text the user is shown.
  std::string problem;
};

// Reads a line (already trimmed or not). Never fails: a field that cannot be
// used is reported in `problem`, and the first such field wins.
CommandLine ParseCommandLine(std::string_view line);

// Blanks at both ends removed.
std::string_view TrimBlanks(std::string_view s);

// The refusal texts, shown in a message box titled "警告".
namespace command_line_text {
inline constexpr const char* kBadServerPort = "游戏服务器端口错误，请重新从游戏大厅进入游戏！";
inline constexpr const char* kBadProxyPort = "代理服务器端口错误，请重新从游戏大厅进入游戏！";
inline constexpr const char* kBadPropSwitch = "道具开关参数错误，请重新从游戏大厅进入游戏！";
inline constexpr const char* kBadPropParam = "道具参数错误，请重新从游戏大厅进入游戏！";
inline constexpr const char* kAccountTooLong = "用户名过长，请重新从游戏大厅进入游戏！";
inline constexpr const char* kAccountBadChar = "用户名含有无效字符，请重新从游戏大厅进入游戏！";
inline constexpr const char* kKeyTooLong = "登录密钥过长，请重新从游戏大厅进入游戏！";
inline constexpr const char* kKeyBadChar = "登录密钥含有无效字符，请重新从游戏大厅进入游戏！";
}  // namespace command_line_text

}  // namespace vask
