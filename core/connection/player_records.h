#pragma once
// The players at the table: one record per view position from the player
// information frame (command 20), readiness and gold changes.
#include <array>
#include <cstdint>
#include <string>

#include "core/connection/protocol.h"

namespace vask {

struct Client;

struct PlayerRecord {
  std::string Nick;
  std::string Face;  // portrait name, "m1" when the frame has none
  std::uint8_t Sex = 0;  // not 0: male
  std::string Area;
  std::int64_t Points = 0;
  std::int64_t Credit = 0;
  std::int64_t Gold = 0;
  std::int64_t Stat104 = 0;
  std::string LevelText;
  std::int64_t Stat128 = 0, Stat136 = 0, Stat144 = 0;
  std::int32_t Logins = 0, Drops = 0;
  std::int32_t Wins = 0, Losses = 0;
  std::string Account;  // one byte per character
  std::string Title;
  std::string VoiceCodeA, VoiceCodeB;
  std::int16_t VoiceKind = 0;
  std::int64_t PlayerId = 0;
  bool OpenHand = false;
};

// Byte offsets of the player information frame (numbers little-endian).
namespace player_offset {
inline constexpr std::size_t kNick = 16, kNickEnd = 48;
inline constexpr std::size_t kFace = 48, kFaceEnd = 64;
inline constexpr std::size_t kSex = 64;
inline constexpr std::size_t kArea = 72, kAreaEnd = 80;
inline constexpr std::size_t kPoints = 80, kCredit = 88, kGold = 96, kStat104 = 104;
inline constexpr std::size_t kLevel = 112, kLevelEnd = 128;
inline constexpr std::size_t kStat128 = 128, kStat136 = 136, kStat144 = 144;
inline constexpr std::size_t kLogins = 152, kDrops = 156, kWins = 160, kLosses = 164;
inline constexpr std::size_t kAccount = 168, kAccountEnd = 184;
inline constexpr std::size_t kTitle = 184, kTitleEnd = 208;
inline constexpr std::size_t kReady = 208;
// Unused by the players' records: a server that lets a watcher see the
// watched player's concealed tiles sets it in that player's record.
inline constexpr std::size_t kOpenHand = 209;
inline constexpr std::size_t kVoiceA = 210, kVoiceAEnd = 218;
inline constexpr std::size_t kVoiceB = 218, kVoiceBEnd = 226;
inline constexpr std::size_t kPlayerId = 226;
inline constexpr std::size_t kWealth = 234;
inline constexpr std::size_t kDiceDouble = 238;
inline constexpr std::size_t kPropFlag = 255;
}  // namespace player_offset

// NamesReceived of a table whose names and player records are all in.
inline constexpr int kTableComplete = 5;

struct PlayerRecords {
  std::array<PlayerRecord, 4> PlayerInfo{};  // by view position
  // Seat-name frames counted (1..4, then 0), then the player records that
  // follow while NamesCounting; 5 once the table's set is complete.
  std::int16_t NamesReceived = 0;
  bool NamesCounting = false;
  std::int16_t OthersSeated = 0;  // players placed at views 1..3
  std::array<std::int32_t, 4> WealthList{};  // each view's wealth multiple
  // A watcher keeps the first three player frames (a slot is free while
  // its command byte is 0).
  std::array<Frame, 3> WatcherSlots{};
};

// Texts of a frame between two offsets, ending at the first 0 byte: one
// byte per character, or GBK.
std::string FrameByteText(const Frame& f, std::size_t from, std::size_t to);
std::string FrameGbkText(const Frame& f, std::size_t from, std::size_t to);
// Little-endian numbers of a frame.
std::uint64_t FrameLE(const Frame& f, std::size_t at, int bytes);

// Reads a player information frame. Impossible numbers are clamped: gold,
// counts and the wealth multiple are never negative.
PlayerRecord ReadPlayerRecord(const Frame& f);
std::int32_t ReadWealth(const Frame& f, std::size_t at);

// The smallest positive entry of WealthList, 0 when none is.
std::int32_t SmallestWealth(const PlayerRecords& p);
// The wealth badge after WealthList changed: the smallest entry when the
// table has wealth doubling, else hidden.
void RefreshWealthBadge(Client& c);

// Empties the seat of view v: ready marker, portrait, labels, the account
// and the player record.
void ClearSeatView(Client& c, int v);
// Shows the seat of view v from its player record: portrait, "[title] nick",
// gold and level.
void DrawSeatLabels(Client& c, int v);

inline constexpr const char* kGoldSuffix = "金币";
inline constexpr const char* kGameStartsSoon = "游戏将在15秒内开始";

}  // namespace vask
