#pragma once
// Every number of the game server protocol, named once.
#include <array>
#include <cstddef>
#include <cstdint>

namespace vask {

inline constexpr std::size_t kFrameSize = 272;
inline constexpr std::size_t kRingFrames = 128;
inline constexpr std::size_t kRingSize = kFrameSize * kRingFrames;  // 34816
inline constexpr std::size_t kProxyBufSize = 1024;

using Frame = std::array<std::uint8_t, kFrameSize>;

// Byte offsets inside a frame.
namespace frame_offset {
inline constexpr std::size_t kCmdHigh = 2;
inline constexpr std::size_t kCmd = 3;
inline constexpr std::size_t kExt5 = 5;
inline constexpr std::size_t kSeat = 6;
inline constexpr std::size_t kExt7 = 7;
inline constexpr std::size_t kValues = 8;  // four big-endian 16-bit values
inline constexpr std::size_t kPayload = 16;
inline constexpr std::size_t kNameEnd = 32;        // command 3: name in 16..31
inline constexpr std::size_t kChatEnd = 216;       // command 19: text in 16..215
inline constexpr std::size_t kChatMaxBytes = kChatEnd - kPayload;  // 200
inline constexpr std::size_t kPropMarker = 236;    // command 19: 32-bit marker
inline constexpr std::size_t kServerTag = 260;     // two bytes
}  // namespace frame_offset

// The chat packer keeps at most this many characters of an outgoing line.
inline constexpr std::size_t kChatMaxChars = 100;

// A command-19 frame whose marker is one of these belongs to the prop plug-in.
inline constexpr std::uint32_t kPropMarkerA = 272;
inline constexpr std::uint32_t kPropMarkerB = 260;

// The socket state meaning "connected".
inline constexpr int kSocketConnected = 7;
inline constexpr int kSocketConnecting = 6;

// Command numbers. The comment names the file of the handler (received)
// or of the sender (sent); the dispatcher's switch maps each to On<Name>.
enum class Cmd : std::uint8_t {
  Deal = 1,            // received: game/deal.cpp
  Discard = 2,         // both: game/turns.cpp (received), game/operations.cpp (sent)
  SeatName = 3,        // received: connection/seating.cpp
  HandStart = 4,       // received: game/deal.cpp
  Draw = 5,            // received: game/turns.cpp
  Turn = 6,            // received: game/turns.cpp
  Claim = 7,           // both: game/claims.cpp (received), game/operations.cpp (sent)
  HandResult = 9,      // received: settle/totals.cpp
  Wildcards = 14,      // received: game/deal.cpp
  Reveal = 15,         // received: game/turns.cpp
  TableState = 16,     // both: connection/table_state_msgs.cpp (received), ready/leave (sent)
  SettleItem = 17,     // received: settle/settlement.cpp
  Login = 18,          // both: connection/login.cpp
  Chat = 19,           // both: social/chat.cpp
  PlayerInfo = 20,     // received: connection/player_records.cpp
  PlayerLeaves = 21,   // received: connection/table_state_msgs.cpp
  LeaveNotice = 22,    // received: connection/leaving.cpp
  Ready = 23,          // received: connection/player_records.cpp
  KeepAlive = 24,      // sent: connection/keepalive.cpp
  PullSit = 26,        // both: settle/settlement.cpp
  Relogin = 28,        // sent: connection/reconnect.cpp
  ReloginAnswer = 29,  // received: connection/reconnect.cpp
  Restore = 40,        // received: game/restore.cpp
  GameParams = 41,     // received: connection/table_state_msgs.cpp
  PropA = 44,          // received: social/plugin_host.cpp
  PropB = 45,          // both: social/plugin_host.cpp
  PropScore = 46,      // received: social/plugin_host.cpp
  OwnGold = 91,        // received: connection/player_records.cpp
  OtherGold = 92,      // received: connection/player_records.cpp
};

// Commands 1..92 are routed; everything else takes the default handler.
inline constexpr int kHighestRoutedCmd = 92;

}  // namespace vask
