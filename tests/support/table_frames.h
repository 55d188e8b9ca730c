#pragma once
// Server frames of the login, the seating and the table's life, and the
// scripted table every end-to-end test starts from.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "core/connection/protocol.h"

namespace vask::test {

// Command 18: value(3) 1 accepts; value(0) the time-out limit, value(1)
// the turn clock (low 4 bits, in half seconds); the advert page from 16.
Frame LoginAnswer(int result, int timeoutLimit = 0, int turnCode = 7, const std::string& adPage = {});
// Command 3: the name of the seat with this mask.
Frame SeatNameFrame(std::uint8_t mask, const std::string& name);

struct PlayerSpec {
  std::string nick;     // UTF-8, sent as GBK
  std::string account;  // one byte per character
  std::string face = "m1";
  int sex = 1;
  std::int64_t gold = 1000;
  std::string level = "新手";
  std::string title = "平民";
  bool ready = false;
  std::int32_t wealth = 0;
  std::int64_t playerId = 0;
  bool propFlag = false;  // byte 255: no plug-in
};
// Command 20 about the seat nibble (15 own, 0 unseated, or a mask).
Frame PlayerInfoFrame(std::uint8_t seat, const PlayerSpec& p);
// Command 16 of a kind with a seat nibble and value(1), value(2).
Frame TableStateFrame(int kind, std::uint8_t seat = 0, int v1 = 0, int v2 = 0);
// Command 21 naming the account that left.
Frame PlayerLeavesFrame(const std::string& account, int shortReady = 0);
// Command 23: the account is ready (value(3) 1).
Frame ReadyFrame(const std::string& account, int ready = 1);
// Command 22: another player has left, the notice text in GBK.
Frame LeaveNoticeFrame(const std::string& text);
// Commands 91 and 92: a gold change, negative for a loss.
Frame OwnGoldFrame(std::int64_t amount);
Frame OtherGoldFrame(const std::string& account, std::int64_t amount);

// Command 19: a chat line from the seat with this mask (0: the server),
// the text in GBK; values as in the frame (phrase list, addressed mask,
// voice letter, phrase number).
Frame ChatFrame(std::uint8_t seat, const std::string& text, std::initializer_list<int> values = {});

// A table of four: the client "player" at seat 2 (mask 4) with three others.
struct ScriptedTable {
  std::string account = "player";
  std::uint8_t ownMask = 4;
  std::array<std::string, 4> accounts{"east01", "south02", "player", "north04"};  // by seat
  std::array<std::string, 4> nicks{"东风客", "南山人", "我自己", "北斗星"};
};
// What the server sends after the login frame: the answer, the four seat
// names, the four player records (own first) and the table waiting.
std::vector<Frame> LoginAndSeating(const ScriptedTable& t = {});
// The command line that makes the client log in as t's player to a server;
// `props` allows the prop plug-in (field 14).
std::string PlayerCommandLine(const std::string& host, int port, const std::string& lobbyTitle,
                              const std::string& caption, const std::string& account = "player",
                              bool props = false);

}  // namespace vask::test
