#include "core/connection/table_state_msgs.h"

#include <algorithm>

#include "core/client.h"
#include "core/connection/leaving.h"
#include "core/connection/lobby_link.h"
#include "core/connection/login.h"
#include "core/connection/player_records.h"
#include "core/game/seats.h"
#include "core/handlers.h"
#include "core/view/buttons.h"
#include "core/view/clock.h"
#include "core/view/reset.h"
#include "core/view/widgets.h"

namespace vask {

namespace {

constexpr std::size_t kLeaverName = 16, kLeaverNameEnd = 32;  // command 21
constexpr std::size_t kLeaverShifted = 8;  // 1: the name's first byte was sent one higher
constexpr std::size_t kShortReady = 11;    // command 21: 1 for the short ready countdown
constexpr std::size_t kTableWealth = 16;   // command 16 kind 0
constexpr std::size_t kReLoginId = 268;    // command 16 kind 2
constexpr const char* kPropConfig = "newvask.xml";

void Changed(Client& c) {
  ++c.view.revision;
  c.platform.ViewChanged();
}

// A watcher's view ends with every departure.
void EndWatchIfWatching(Client& c) {
  if (!c.table.Spectator) return;
  c.platform.MessageBox(c.view.Caption, table_text::kWatchEnded);
  QuitClient(c);
}

// The seats a players-gone or short-of-gold message is about: the bits
// clear in its nibble.
std::uint8_t SeatsConcerned(std::uint8_t nibble) { return static_cast<std::uint8_t>(~nibble & 0x0F); }

bool OwnSeatIn(const Client& c, std::uint8_t seats) { return (seats & c.table.OwnMask()) != 0; }

const std::string& NickOfSeat(const Client& c, int seatIndex) {
  return c.players.PlayerInfo[ViewPos(c.table.OwnMask(), SeatMask(seatIndex))].Nick;
}

void ForgetWealthOf(Client& c, int v) {
  if (c.table.WealthDouble != 0) c.players.WealthList[v] = 0;
  RefreshWealthBadge(c);
}

void ClearOtherSeats(Client& c, bool forgetWealth) {
  for (int v = 1; v < 4; ++v) {
    ClearSeatView(c, v);
    if (!forgetWealth) continue;
    if (PluginActive(c)) PropCall(c, [v](PropPlugin& p) { p.ClearUser(v); });
    ForgetWealthOf(c, v);
  }
}

void StartReadyCountdown(Client& c, bool shortWait) {
  c.conn.bReadyClock = true;
  c.conn.ReadyTick = 0;
  c.table.Countdown = c.table.bBossHidden ? 1 : shortWait ? 10 : 15;
  ViewModel& v = c.view;
  v.Number.text = std::to_string(c.table.Countdown);
  v.Number.foreColor = kGreen;
  v.Time_Img.visible = v.Number.visible = true;
  BringToFront(v, v.Time_Img);
  BringToFront(v, v.Number);
}

void TableWaiting(Client& c, MsgInfo& info) {
  if (c.life.bTableFresh) {
    c.life.bTableFresh = false;
    c.table.bInGame = false;
    if (!c.table.Spectator) {
      c.widgets.ShuffleTable = (info.value[1] & 0xFF) == 1;
      PlaceClock(c, 0, false);
      PlaceShuffleWidgets(c);
      if ((info.value[2] & 0xFF) == 1) StartSeatShuffle(c);
    }
  }
  if (c.table.WealthDouble != 0) {
    std::int32_t wealth = ReadWealth(c.conn.Msg, kTableWealth);
    c.table.WealthDouble = static_cast<std::int16_t>(std::min<std::int32_t>(wealth, 32767));
  }
  // A multiple of 0 has no badge.
  if (c.table.WealthDouble != 0) ShowWealth(c, c.table.WealthDouble);
  else c.view.Imgwealth.visible = c.view.lbwealth.visible = false;
  // The table waits for the players to declare themselves ready: the start
  // button must be usable, or a table whose seat names came last would
  // wait for ever.
  if (!c.table.bInGame && !c.table.Spectator) {
    c.widgets.ButtonState[2] = false;
    EnableHandButtons(c);
  }
}

void GameStart(Client& c, MsgInfo& info) {
  c.view.Zhuang.text = DealerWind(info.seat);
  for (SeatRec& seat : c.table.Detail)
    if (seat.Mask != 0 && seat.Mask == info.seat) {
      seat.IsDealer = true;
      break;
    }
  if (c.platform.MainWindowMinimized() && !c.table.bBossHidden) {
    c.platform.RestoreMainWindow();
    MinimizeLobby(c);
    if (c.conn.bQuitting) return;
  }
  c.login.ReLoginId = static_cast<std::uint32_t>(FrameLE(c.conn.Msg, kReLoginId, 4));
  c.view.ImgShuffle.visible = c.view.LblShuffle.visible = c.view.WebBrowser2.visible = false;
  c.life.bTableFresh = true;
}

void PlayersGone(Client& c, MsgInfo& info) {
  if (info.seat == 15) return;
  c.conn.bReadyClock = false;
  c.table.bInGame = false;
  c.life.bTableBroken = true;
  const std::uint8_t seats = SeatsConcerned(info.seat);
  int highest = 3;
  while (highest > 0 && !(seats & SeatMask(highest))) --highest;
  if (c.table.OwnMask() != 0 && SeatMask(highest) == c.table.OwnMask()) {
    UnloadGameDll(c);
    c.platform.SocketClose();
    return QuitClient(c);
  }
  c.life.bTableCleared = false;
  std::string list;
  for (int s = 0; s < 4; ++s) {
    if (!(seats & SeatMask(s))) continue;
    list += NickOfSeat(c, s) + ",";
    if (c.players.OthersSeated > 0) --c.players.OthersSeated;
  }
  ClearOtherSeats(c, false);
  SetSysmsgLines(c, list + table_text::kLeftGameBang + ClockText(c), list + table_text::kPleaseRestart);
  ShowOtherExit(c, std::string(table_text::kPlayer) + list + table_text::kGameOver);
  c.platform.SocketClose();
  LeaveTable(c);
  EndWatchIfWatching(c);
}

void ShortOfGold(Client& c, MsgInfo& info) {
  c.table.bInGame = false;
  HideShuffleNotice(c);
  const std::uint8_t seats = SeatsConcerned(info.seat);
  const bool own = OwnSeatIn(c, seats);
  std::string list;
  for (int s = 0; s < 4; ++s) {
    if (!(seats & SeatMask(s)) || SeatMask(s) == c.table.OwnMask()) continue;
    if (!list.empty()) list += "，";
    list += NickOfSeat(c, s);
  }
  std::string text = table_text::kPlayer + list;
  if (own) text += (list.empty() ? "" : "，") + c.table.Detail[0].username;
  SetSysmsgLine(c, 0, text + table_text::kShortOfGoldLine);
  c.conn.bReadyClock = false;
  if (own) {
    c.life.bTableBroken = true;
    bool changeRoom = (info.value[1] & c.table.OwnMask()) != 0;
    ShowOtherExit(c, changeRoom ? table_text::kOwnGoldChangeRoom : table_text::kOwnGoldAllowance);
    UnloadAfterShow(c);
    // The client leaves the table itself, for good.
    c.conn.bLoginSend = c.conn.bWatchLink = false;
    c.login.g_bCanRecon = false;
    EnableTimer(c, TimerId::Bong, false);
    c.platform.SocketClose();
    ClearOtherSeats(c, true);
    EnableTimer(c, TimerId::KeepAlive, false);
    LeaveTable(c);
  }
  c.conn.bReadyClock = false;
  c.table.bInGame = false;
  c.life.bTableCleared = false;
  EndWatchIfWatching(c);
}

}  // namespace

std::string DealerWind(std::uint8_t seatMask) { return SeatWind(SeatIndex(seatMask) & 3); }

std::string ClockText(Client& c) {
  LocalTime t = c.platform.Now();
  return std::to_string(t.hour) + ":" + std::to_string(t.minute) + ":" + std::to_string(t.second);
}

void OnTableState(Client& c, MsgInfo& info) {
  const int kind = info.value[3];
  if (kind == kTableWaiting) TableWaiting(c, info);
  else if (kind == kGameStart) GameStart(c, info);
  else if (kind == kPlayersGone) PlayersGone(c, info);
  else if (kind >= kShortOfGold) ShortOfGold(c, info);
  Changed(c);
}

void OnPlayerLeaves(Client& c, MsgInfo&) {
  Frame f = c.conn.Msg;
  if (f[kLeaverShifted] == 1 && f[kLeaverName] != 0) --f[kLeaverName];
  const std::string name = FrameByteText(f, kLeaverName, kLeaverNameEnd);
  HideShuffleNotice(c);
  if (!name.empty() && name == c.table.Detail[0].username) return QuitClient(c);

  for (int v = 1; v < 4 && !name.empty(); ++v) {
    if (c.table.Detail[v].username != name) continue;
    if (c.players.OthersSeated > 0) --c.players.OthersSeated;
    c.life.bTableCleared = false;
    std::string nick = c.players.PlayerInfo[v].Nick;
    ClearSeatView(c, v);
    SetSysmsgLines(c, nick + table_text::kLeftGame + ClockText(c), "");
    if (PluginActive(c)) PropCall(c, [v](PropPlugin& p) { p.ClearUser(v); });
    ForgetWealthOf(c, v);
  }
  if (PluginActive(c) && c.table.HandSeen && c.life.bPropResetPending) {
    c.life.bPropResetPending = false;
    for (int v = 1; v < 4; ++v) {
      PropCall(c, [v](PropPlugin& p) { p.rec_state(v, false, 2); });
      c.view.Tou[v].visible = true;
    }
    PropCall(c, [](PropPlugin& p) { p.Ainit(kPropConfig); });
  }
  for (SeatRec& seat : c.table.Detail) seat.Mask = 0;
  if (c.life.bTableFresh) {
    c.life.bTableFresh = false;
    c.table.bInGame = false;
    c.life.bTableCleared = false;
    c.widgets.ButtonState[2] = false;
    if (!c.table.Spectator) StartReadyCountdown(c, f[kShortReady] == 1);
  }
  c.life.bTableFresh = true;
  if (!TimerEnabled(c, TimerId::KeepAlive)) EnableTimer(c, TimerId::KeepAlive, true);
  Changed(c);
  EndWatchIfWatching(c);
}

void OnGameParams(Client& c, MsgInfo& info) {
  ViewModel& v = c.view;
  c.widgets.ButtonState[2] = true;
  ClearTable(c);
  ResetTable(c);
  ResetRound(c);
  c.life.bTableCleared = true;
  for (int i = 0; i < 3; ++i) {
    v.AnNiu[i].enabled = false;
    PutPicture(c, c.pics.ButtonPics[static_cast<std::size_t>(2 * i + 1)], v.AnNiu[i]);
  }
  v.Zhuang.text = DealerWind(info.seat);
  v.Host.visible = v.Zhuang.visible = true;
  BringToFront(v, v.Zhuang);
  c.life.DealerSeat = info.seat;
  c.life.DealerDice0 = info.value[0];
  c.life.DealerDice1 = info.value[1];
  c.table.IncrementalRedraw = info.value[2];
  c.table.HunIndicator = static_cast<TileCode>(info.value[3]);
  Changed(c);
}

}  // namespace vask
