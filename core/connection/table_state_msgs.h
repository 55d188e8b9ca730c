#pragma once
// The table's life as the server drives it: waiting, game start, players
// gone or short of gold (command 16), departures (21), game parameters (41).
#include <cstdint>
#include <string>

namespace vask {

struct Client;

struct TableLife {
  // Set at start-up, by the game start and by every departure; cleared by
  // the table-waiting message.
  bool bTableFresh = true;
  // Armed by every hand start; the first departure after it re-registers
  // the seats with the prop plug-in.
  bool bPropResetPending = false;
  // Another player has left this table; the start button goes back to the
  // lobby.
  bool bTableBroken = false;
  // The table has been cleared for the coming game.
  bool bTableCleared = false;
  // From the game parameters: the dealer's seat mask and the two dice sums.
  std::uint8_t DealerSeat = 0;
  std::int16_t DealerDice0 = 0;
  std::int16_t DealerDice1 = 0;
};

// Kinds of the table-state message (value(3)).
inline constexpr int kTableWaiting = 0;
inline constexpr int kPlayersGone = 1;
inline constexpr int kGameStart = 2;
inline constexpr int kShortOfGold = 3;  // and above

// The wind character of the seat mask's index, for the dealer label.
std::string DealerWind(std::uint8_t seatMask);
// "h:m:s" without leading zeros.
std::string ClockText(Client& c);

namespace table_text {
inline constexpr const char* kLeftGame = "退出了游戏 ";
inline constexpr const char* kLeftGameBang = "退出了游戏！ ";
inline constexpr const char* kPleaseRestart = "请退出重新开始游戏.";
inline constexpr const char* kPlayer = "玩家";
inline constexpr const char* kGameOver = "退出了游戏！游戏结束！";
inline constexpr const char* kShortOfGoldLine = "金币不够，退出游戏！";
inline constexpr const char* kOwnGoldChangeRoom = "您的金币不够，请更换房间或充值后继续游戏！";
inline constexpr const char* kOwnGoldAllowance = "您的金币不够，请领取低保或充值后继续游戏！";
inline constexpr const char* kWatchEnded = "有用户退出，旁观结束！";
}  // namespace table_text

}  // namespace vask
