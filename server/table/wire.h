#pragma once
// The frames the server writes and the requests it reads, byte by byte as
// the client decodes and encodes them.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/connection/frame.h"
#include "core/connection/protocol.h"
#include "core/game/tiles.h"

namespace vask::server {

// Payload offsets of the server's frames, per command.
namespace layout {
inline constexpr std::size_t kLoginAccount = 16;  // commands 18, 28: account 16..31
inline constexpr std::size_t kLoginKey = 32;      // login key 32..259
inline constexpr std::size_t kLoginKeyEnd = 260;
inline constexpr std::size_t kReloginId = 268;    // commands 28 and 16 kind 2, little-endian
inline constexpr std::size_t kAccountBytes = 16;
inline constexpr std::size_t kAccountName = 16;   // commands 21 and 23: account 16..31

// Command 20, player information; numbers little-endian.
inline constexpr std::size_t kNick = 16, kNickBytes = 32;
inline constexpr std::size_t kFace = 48, kFaceBytes = 16;
inline constexpr std::size_t kSex = 64;
inline constexpr std::size_t kArea = 72, kAreaBytes = 8;
inline constexpr std::size_t kPoints = 80, kCredit = 88, kGold = 96;
inline constexpr std::size_t kLevel = 112, kLevelBytes = 16;
inline constexpr std::size_t kLogins = 152, kDrops = 156, kWins = 160, kLosses = 164;
inline constexpr std::size_t kAccount = 168;
inline constexpr std::size_t kTitle = 184, kTitleBytes = 24;
inline constexpr std::size_t kReady = 208;
inline constexpr std::size_t kPlayerId = 226;
inline constexpr std::size_t kPropFlag = 255;

inline constexpr std::size_t kDealTiles = 16;     // command 1: twelve 16-bit codes, low byte first
inline constexpr std::size_t kCountdown = 100;    // command 6: seconds
inline constexpr std::size_t kWinCode = 16;       // command 7, type 128: four bytes

// Command 9, hand result.
inline constexpr std::size_t kSeatTotal = 16;     // signed 64-bit little-endian
inline constexpr std::size_t kSubtotalSign = 25;  // 0: the subtotal is negative
inline constexpr std::size_t kSubtotal = 26;
inline constexpr std::size_t kDrawnHand = 36;
inline constexpr std::size_t kWinnerTitle = 46, kWinnerTitleBytes = 20;

// Command 17, settlement item.
inline constexpr std::size_t kHandResult = 16;    // magnitude, 64-bit little-endian
inline constexpr std::size_t kSettleLevel = 24, kSettleLevelBytes = 16;
inline constexpr std::size_t kKongPaid = 40;      // four bytes
inline constexpr std::size_t kWinMagnitude = 86;  // big-endian 16-bit
inline constexpr std::size_t kRoomStake = 90;     // big-endian 32-bit
inline constexpr std::size_t kWinFlags = 94;      // four bytes
inline constexpr std::size_t kHandResultSign = 13;  // value byte of the third item pair

// Commands 91 and 92, a change of gold.
inline constexpr std::size_t kGoldSign = 16;       // not 0: the change is a loss
inline constexpr std::size_t kGoldMagnitude = 17;  // 8 bytes
inline constexpr std::size_t kGoldAccount = 25;    // command 92: account 25..41
inline constexpr std::size_t kGoldAccountBytes = 17;

inline constexpr std::size_t kRestorePairs = 16;  // command 40: 24 (kind, tile) pairs
inline constexpr std::size_t kRestorePairCount = 24;
inline constexpr std::uint8_t kRestoreShown = 0x20;
inline constexpr std::uint8_t kRestoreConcealed = 0x10;
}  // namespace layout

// Settlement item ids (command 17).
inline constexpr int kItemWin = 2;       // 1: the win amount counts for the seat, 0: against it
inline constexpr int kItemResultSign = 3;
inline constexpr int kItemCurrency = 14;  // 1: gold coins

// Table-state kinds (value(3) of command 16).
inline constexpr int kTableWaiting = 0;
inline constexpr int kGameStart = 2;

// Pull and sit (command 26, value(1)).
inline constexpr int kPullAnswered = 0;  // server: a non-dealer's answer
inline constexpr int kAskPull = 1;       // server: ask a non-dealer
inline constexpr int kPullReply = 2;     // client: answer to kAskPull
inline constexpr int kAskSit = 5;        // server: ask the dealer
inline constexpr int kSitReply = 6;      // client: answer to kAskSit
inline constexpr int kSitAnswered = 7;   // server: the dealer's answer

// Login answer (value(3) of command 18; 29 uses 1 and anything else).
enum class LoginVerdict : int { BadLogin = 0, Accepted = 1, NoSeat = 2 };

// Two bytes every server frame carries in 260..261; the client echoes them.
inline constexpr std::array<std::uint8_t, 2> kServerTag{0x56, 0x4B};

// A player as the server describes it in command 20. Texts are UTF-8; the
// frame carries them in GBK.
struct PlayerProfile {
  std::string account;
  std::string nick;
  std::string face = "m1";
  bool male = true;
  std::string area = "本地";
  std::int64_t points = 0;
  std::int64_t credit = 1;
  std::int64_t gold = 0;
  std::string level = "新手";
  int logins = 1;
  int drops = 0;
  int wins = 0;
  int losses = 0;
  std::string title = "练习";
  std::int64_t playerId = 0;
};

// A frame from a client: every value as the full 16-bit number it sent.
struct ClientFrame {
  int cmd = 0;
  std::uint8_t mask = 0;
  std::array<int, 4> value{};
  Frame raw{};
};
ClientFrame ReadClientFrame(const Frame& f);
// Requests carry tiles with flag bits above the low byte.
TileCode RequestTile(int value);

struct LoginRequest {
  bool relogin = false;
  std::string account;
  std::string key;
  std::uint32_t reloginId = 0;
};
// nullopt for a frame that is no usable login: empty or unprintable account,
// unprintable key.
std::optional<LoginRequest> ReadLogin(const Frame& f);

namespace wire {

Frame Make(Cmd cmd, std::uint8_t seat, int v0 = 0, int v1 = 0, int v2 = 0, int v3 = 0);

Frame LoginAnswer(LoginVerdict verdict, int timeoutLimit, int halfTurnLimit);
Frame ReloginAnswer(bool accepted);
Frame SeatName(std::uint8_t mask, const std::string& account);
// `nibble`: 15 for the receiver's own record, 0 for a player not yet placed,
// else the player's seat mask.
Frame PlayerInfo(std::uint8_t nibble, const PlayerProfile& p, bool ready, bool propsAllowed);
Frame TableWaiting();
Frame GameStart(std::uint8_t dealerMask, std::uint32_t reloginId);
Frame Ready(const std::string& account);
Frame PlayerLeaves(const std::string& account);
// A departure of nobody: no seat changes, and every client at a table that
// has just filled starts its ready countdown (10 s), which declares the
// player ready when it runs out.
Frame ReadyCountdown();
Frame HandStart(std::uint8_t dealerMask, const std::array<int, 4>& dice);
Frame Wildcards(int die0, int die1, const std::array<TileCode, 3>& codes);
Frame Deal(std::uint8_t mask, const std::vector<TileCode>& tiles);
Frame Draw(std::uint8_t mask, TileCode tile);
Frame Turn(std::uint8_t mask, int offers, int seconds);
Frame Discard(std::uint8_t mask, TileCode tile, bool fromHand);
Frame ClaimResult(std::uint8_t mask, int op, const std::array<TileCode, 3>& tiles,
                  const std::array<std::uint8_t, 4>& winCode = {});
Frame Reveal(std::uint8_t mask, const std::array<TileCode, 3>& tiles);
Frame PullSit(std::uint8_t mask, int kind, bool yes);
Frame GameParams(std::uint8_t dealerMask, int diceSum0, int diceSum1, int special, TileCode indicator);
// The receiver's own gold changed by `delta` (command 91), and another
// player's (command 92, found by account).
Frame OwnGold(std::int64_t delta);
Frame OtherGold(const std::string& account, std::int64_t delta);

struct HandResultInfo {
  std::int64_t seatTotal = 0;
  std::int64_t subtotal = 0;
  bool drawn = false;
  std::string winnerTitle;
};
Frame HandResult(std::uint8_t mask, const HandResultInfo& r);

struct SettlementInfo {
  int winAmount = 0;           // stakes; positive for the winner
  std::int64_t handResult = 0;  // gold
  std::string level;
  int exposedKongs = 0;        // each one is paid
  int roomStake = 0;
  std::array<std::uint8_t, 4> winFlags{};
};
Frame Settlement(std::uint8_t mask, const SettlementInfo& s);

struct RestoreInfo {
  int riverCount = 0;
  int frontUsed = 0;
  int backUsed = 0;
  std::vector<TileCode> shown;
  std::vector<TileCode> concealed;  // NoTile for tiles the receiver may not see
};
Frame Restore(std::uint8_t mask, const RestoreInfo& r);

// A chat line relayed from `senderMask` (0 for a server notice). `text` is
// GBK, already checked.
Frame Chat(std::uint8_t senderMask, const std::array<int, 4>& values, const std::string& gbkText);

}  // namespace wire

// The GBK text of a client's chat frame, cut at the first 0 byte and before a
// lead byte that has no second byte.
std::string ChatTextOf(const Frame& f);

}  // namespace vask::server
