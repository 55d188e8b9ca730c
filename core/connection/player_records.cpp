#include "core/connection/player_records.h"

#include <algorithm>
#include <limits>

#include "core/client.h"
#include "core/connection/gbk.h"
#include "core/connection/lobby_link.h"
#include "core/connection/table_state_msgs.h"
#include "core/game/seats.h"
#include "core/handlers.h"
#include "core/view/reset.h"
#include "core/view/widgets.h"

namespace vask {

namespace po = player_offset;

namespace {

// A watcher whose line names a player none of the table's records has.
constexpr const char* kWatchedPlayerMissing = "您要旁观的玩家不在这张桌子上，旁观结束！";
constexpr int kTableComplete = 5;
constexpr std::size_t kReadyNameEnd = 32;      // command 23: bytes 16..31
constexpr std::size_t kGoldSign = 16;          // commands 91, 92
constexpr std::size_t kGoldAmount = 17;        // 64-bit magnitude
constexpr std::size_t kGoldAccount = 25;       // command 92: bytes 25..41
constexpr std::size_t kGoldAccountEnd = 42;

void Changed(Client& c) {
  ++c.view.revision;
  c.platform.ViewChanged();
}

std::int64_t NonNegative(std::int64_t v) { return v < 0 ? 0 : v; }
std::int32_t NonNegative32(std::uint64_t raw) {
  auto v = static_cast<std::int32_t>(static_cast<std::uint32_t>(raw));
  return v < 0 ? 0 : v;
}

void ShowInFront(Client& c, Control& control) {
  control.visible = true;
  BringToFront(c.view, control);
}

bool OthersReady(const Client& c) {
  return c.view.OK[1].visible && c.view.OK[2].visible && c.view.OK[3].visible;
}

// All other players ready after a hand has been seen: the next game is
// coming, so the table is cleared for it now. The own continue button stays
// usable: the game waits for this player alone, and an inert button would
// leave it to the ready clock.
void ClearForNextGameWhenAllReady(Client& c) {
  if (!OthersReady(c) || !c.table.HandSeen) return;
  PutPicture(c, c.pics.ButtonPics[6], c.view.AnNiu[2]);
  ClearTable(c);
  ResetTable(c);
  ResetRound(c);
  c.life.bTableCleared = true;
}

// Tells the plug-in who sits at view v; a plug-in that refuses is unloaded
// for the visit. True when it accepted.
bool RegisterWithPlugin(Client& c, int v) {
  const PlayerRecord& p = c.players.PlayerInfo[v];
  const SeatRec& seat = c.table.Detail[v];
  int mask = seat.Mask != 0 ? seat.Mask : 1 << v;
  bool accepted = false;
  bool ran = PropCall(c, [&](PropPlugin& plugin) {
    accepted = plugin.SetUserinfo(p.Face, p.Title, p.Sex, p.Credit != 0, v, mask, seat.username, p.Nick);
  });
  if (ran && accepted) return true;
  UnloadGameDll(c);
  c.prop.Prop_GameDllState = -1;
  return false;
}

void HidePortraitForPlugin(Client& c, int v) {
  c.view.Tou[v].visible = false;
  c.view.Tou[v].enabled = false;
}

// The wealth multiple of the frame for view v; `captions` also shows the
// rule captions and places the badge.
void TakeWealth(Client& c, int v, const Frame& f, bool captions) {
  ViewModel& view = c.view;
  if (captions) view.lbfont[0].visible = f[po::kDiceDouble] != 0;
  std::int32_t wealth = ReadWealth(f, po::kWealth);
  c.table.WealthDouble = static_cast<std::int16_t>(std::min<std::int32_t>(wealth, 32767));
  if (wealth != 0) {
    if (captions) view.lbfont[1].visible = view.lbfont[2].visible = true;
    c.players.WealthList[v] = wealth;
    if (captions) {
      ShowWealth(c, SmallestWealth(c.players));
    } else {
      view.lbwealth.text = std::to_string(SmallestWealth(c.players));
      view.Imgwealth.visible = view.lbwealth.visible = true;
    }
  } else {
    view.Imgwealth.visible = view.lbwealth.visible = false;
  }
}

constexpr std::array<const char*, 4> kVoiceB = {"10", "20", "30", "40"};

// The voices of a complete table: players of the same gender get different
// voices where four allow it.
void AssignVoices(Client& c) {
  std::array<std::array<bool, 4>, 2> taken{};
  for (PlayerRecord& p : c.players.PlayerInfo) {
    if (p.Sex == 0 || p.Sex == 1) {
      auto& mine = taken[p.Sex];
      int r = static_cast<int>(c.platform.Random() % 4);
      if (mine[r]) r = static_cast<int>(std::find(mine.begin(), mine.end(), false) - mine.begin()) % 4;
      mine[r] = true;
      p.VoiceCodeA = kMandarinVoiceCode;
      p.VoiceCodeB = kVoiceB[r];
    }
    p.VoiceKind = p.Sex != 0 ? 3 : 2;
  }
}

// A record that names no voice would leave its player silent: the file its
// voices are named by has no sound. It happens with the own record the
// server sends again after the table is complete and with a player who sits
// down later. The same player keeps the voice it had; anyone else takes the
// first voice of its gender that nobody else at the table has.
void KeepVoice(Client& c, int v, PlayerRecord& rec) {
  rec.VoiceKind = rec.Sex != 0 ? 3 : 2;
  if (!rec.VoiceCodeA.empty() || !rec.VoiceCodeB.empty()) return;  // the server's own voice
  const PlayerRecord& before = c.players.PlayerInfo[static_cast<std::size_t>(v)];
  if (!rec.Account.empty() && rec.Account == before.Account && !before.VoiceCodeB.empty()) {
    rec.VoiceCodeA = before.VoiceCodeA;
    rec.VoiceCodeB = before.VoiceCodeB;
    return;
  }
  if (rec.Sex > 1) return;
  std::array<bool, 4> taken{};
  for (int w = 0; w < 4; ++w) {
    const PlayerRecord& other = c.players.PlayerInfo[static_cast<std::size_t>(w)];
    if (w == v || other.Sex != rec.Sex) continue;
    for (std::size_t r = 0; r < kVoiceB.size(); ++r) taken[r] = taken[r] || other.VoiceCodeB == kVoiceB[r];
  }
  const std::size_t r = static_cast<std::size_t>(std::find(taken.begin(), taken.end(), false) - taken.begin()) % 4;
  rec.VoiceCodeA = kMandarinVoiceCode;
  rec.VoiceCodeB = kVoiceB[r];
}

void CompleteTableIfLast(Client& c) {
  PlayerRecords& pr = c.players;
  if (!pr.NamesCounting || pr.NamesReceived != 4) return;
  pr.NamesCounting = false;
  pr.NamesReceived = kTableComplete;
  DrawSeatTiles(c);
  ShowCompass(c);
  AssignVoices(c);
}

// The view a player frame's seat nibble selects, or -1 for none.
int ViewOfPlayerFrame(Client& c, std::uint8_t nibble) {
  if (nibble == 15) return 0;
  if (nibble == 0) {
    if (c.players.OthersSeated < 1) return 1;
    for (int v = 1; v < 4; ++v)
      if (c.view.Nid[v].text.empty()) return v;
    return -1;  // every other seat is taken
  }
  if (!IsSeatMask(nibble)) return -1;
  if (nibble == c.table.OwnMask()) return 0;
  int v = ViewPos(c.table.OwnMask(), nibble);
  // Before the own seat is known no other mask may land on the own view.
  return v == 0 ? -1 : v;
}

// A watcher's three stored frames placed around the watched player; false
// when none of them is the watched player (the watch ends).
bool BuildWatcherPanels(Client& c) {
  PlayerRecords& pr = c.players;
  std::array<PlayerRecord, 3> rec;
  for (std::size_t i = 0; i < 3; ++i) rec[i] = ReadPlayerRecord(pr.WatcherSlots[i]);
  int watched = -1;
  for (int i = 0; i < 3; ++i)
    if (rec[i].PlayerId == pr.PlayerInfo[0].PlayerId) {
      watched = i;
      break;
    }
  const std::uint8_t seatOfWatched = watched < 0 ? 0 : pr.WatcherSlots[watched][frame_offset::kSeat] & 0x0F;
  if (watched < 0 || !IsSeatMask(seatOfWatched)) {
    c.platform.MessageBox(c.view.Caption, kWatchedPlayerMissing);
    RestoreLobby(c);
    QuitClient(c);
    return false;
  }
  const std::uint8_t watchedMask = pr.WatcherSlots[watched][frame_offset::kSeat] & 0x0F;
  // The seats turn around the watched player, so every later frame of
  // theirs lands on the view it is drawn at.
  if (IsSeatMask(watchedMask))
    for (int v = 0; v < 4; ++v) c.table.Detail[v].Mask = MaskOfView(watchedMask, v);
  c.table.Detail[0].username = rec[watched].Account;
  ShowCompass(c);
  pr.PlayerInfo[0] = rec[watched];
  pr.PlayerInfo[0].OpenHand = pr.WatcherSlots[watched][po::kOpenHand] != 0;
  for (int i = 0; i < 3; ++i) {
    if (i == watched) continue;
    std::uint8_t mask = pr.WatcherSlots[i][frame_offset::kSeat] & 0x0F;
    if (!IsSeatMask(mask) || !IsSeatMask(watchedMask)) continue;
    int v = ViewPos(watchedMask, mask);
    if (v == 0) continue;
    c.table.Detail[v].username = rec[i].Account;
    pr.PlayerInfo[v] = rec[i];
  }
  for (int v = 0; v < 4; ++v) {
    SeatRec& seat = c.table.Detail[v];
    if (seat.Mask == 0 || seat.Mask != c.life.DealerSeat) continue;
    seat.IsDealer = true;
    const int d0 = c.life.DealerDice0, d1 = c.life.DealerDice1;
    int side = ((13 + v - d0) % 4 + 4) % 4;
    c.table.WallFront = static_cast<std::int16_t>((2 * (17 * side + d0 + d1)) % 136);
    c.table.WallBack = static_cast<std::int16_t>((c.table.WallFront + 134) % 136);
    break;
  }
  for (int v = 0; v < 4; ++v)
    if (!pr.PlayerInfo[v].Account.empty()) DrawSeatLabels(c, v);
  return true;
}

// A watcher keeps the first three player frames; true once the third is in
// and the panels are built, and for every frame after them.
bool StoreForWatcher(Client& c) {
  for (std::size_t i = 0; i < 3; ++i) {
    Frame& slot = c.players.WatcherSlots[i];
    if (slot[frame_offset::kCmd] != 0) continue;
    slot = c.conn.Msg;
    if (i < 2) return false;
    return BuildWatcherPanels(c);
  }
  // The panels are built: the fourth player and every later record are
  // placed as a player places them.
  return true;
}

void AddGold(Client& c, int v, std::int64_t amount) {
  std::int64_t& gold = c.players.PlayerInfo[v].Gold;
  if (amount > 0 && gold > std::numeric_limits<std::int64_t>::max() - amount)
    gold = std::numeric_limits<std::int64_t>::max();
  else
    gold += amount;
  gold = NonNegative(gold);
  c.view.Cash[v].text = std::to_string(gold) + kGoldSuffix;
}

std::int64_t GoldAmount(const Frame& f) {
  std::uint64_t magnitude = FrameLE(f, kGoldAmount, 8);
  auto capped = static_cast<std::int64_t>(
      std::min<std::uint64_t>(magnitude, static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max())));
  return f[kGoldSign] != 0 ? -capped : capped;
}

}  // namespace

std::string FrameByteText(const Frame& f, std::size_t from, std::size_t to) {
  to = std::min(to, f.size());
  std::size_t end = from;
  while (end < to && f[end] != 0) ++end;
  return Latin1ToUtf8(std::span<const std::uint8_t>(f.data() + from, end - from));
}

std::string FrameGbkText(const Frame& f, std::size_t from, std::size_t to) {
  to = std::min(to, f.size());
  return GbkToUtf8(std::span<const std::uint8_t>(f.data() + from, to - from));
}

std::uint64_t FrameLE(const Frame& f, std::size_t at, int bytes) {
  std::uint64_t v = 0;
  for (int i = bytes - 1; i >= 0; --i) v = v << 8 | f[at + static_cast<std::size_t>(i)];
  return v;
}

std::int32_t ReadWealth(const Frame& f, std::size_t at) { return NonNegative32(FrameLE(f, at, 4)); }

PlayerRecord ReadPlayerRecord(const Frame& f) {
  auto i64 = [&](std::size_t at) { return static_cast<std::int64_t>(FrameLE(f, at, 8)); };
  auto count = [&](std::size_t at) { return NonNegative32(FrameLE(f, at, 4)); };
  PlayerRecord p;
  p.Nick = FrameGbkText(f, po::kNick, po::kNickEnd);
  p.Face = FrameGbkText(f, po::kFace, po::kFaceEnd);
  if (p.Face.empty()) p.Face = "m1";
  p.Sex = f[po::kSex];
  p.Area = FrameGbkText(f, po::kArea, po::kAreaEnd);
  p.Points = i64(po::kPoints);
  p.Credit = i64(po::kCredit);
  p.Gold = NonNegative(i64(po::kGold));
  p.Stat104 = i64(po::kStat104);
  p.LevelText = FrameGbkText(f, po::kLevel, po::kLevelEnd);
  p.Stat128 = i64(po::kStat128);
  p.Stat136 = i64(po::kStat136);
  p.Stat144 = i64(po::kStat144);
  p.Logins = count(po::kLogins);
  p.Drops = count(po::kDrops);
  p.Wins = count(po::kWins);
  p.Losses = count(po::kLosses);
  p.Account = FrameByteText(f, po::kAccount, po::kAccountEnd);
  p.Title = FrameGbkText(f, po::kTitle, po::kTitleEnd);
  p.VoiceCodeA = FrameGbkText(f, po::kVoiceA, po::kVoiceAEnd);
  p.VoiceCodeB = FrameGbkText(f, po::kVoiceB, po::kVoiceBEnd);
  p.PlayerId = i64(po::kPlayerId);
  return p;
}

std::int32_t SmallestWealth(const PlayerRecords& p) {
  std::int32_t best = 0;
  for (std::int32_t w : p.WealthList)
    if (w > 0 && (best == 0 || w < best)) best = w;
  return best;
}

void RefreshWealthBadge(Client& c) {
  if (c.table.WealthDouble != 0) {
    ShowWealth(c, SmallestWealth(c.players));
  } else {
    c.view.Imgwealth.visible = c.view.lbwealth.visible = false;
  }
}

void ClearSeatView(Client& c, int v) {
  v &= 3;
  ViewModel& view = c.view;
  view.OK[v].visible = false;
  view.Tou[v].picture = kNoPicture;
  view.Nid[v].text.clear();
  view.Cash[v].text.clear();
  view.Level[v].text.clear();
  c.table.Detail[v].username.clear();
  c.players.PlayerInfo[v] = PlayerRecord{};
  Changed(c);
}

void DrawSeatLabels(Client& c, int v) {
  v &= 3;
  const PlayerRecord& p = c.players.PlayerInfo[v];
  ShowPortrait(c, v);
  c.view.Nid[v].text = "[" + p.Title + "] " + p.Nick;
  c.view.Cash[v].text = std::to_string(p.Gold) + kGoldSuffix;
  c.view.Level[v].text = p.LevelText;
  for (Control* label : {&c.view.Nid[v], &c.view.Cash[v], &c.view.Level[v]}) label->visible = true;
  Changed(c);
}

void OnPlayerInfo(Client& c, MsgInfo& info) {
  const Frame& f = c.conn.Msg;
  PlayerRecords& pr = c.players;
  if (f[po::kPropFlag] != 0 || c.prop.Prop_swicth != 1) c.prop.Prop_GameDllState = -1;
  else if (c.prop.Prop_GameDllState == 0) InitGameDll(c);
  c.life.bTableBroken = false;

  if (c.table.Spectator && !StoreForWatcher(c)) return;

  const int v = ViewOfPlayerFrame(c, info.seat);
  StopSeatShuffle(c);
  if (pr.NamesCounting) ++pr.NamesReceived;
  if (v < 0) return;

  if (info.seat != 15 && v == 0) {
    // The own player again: only the plug-in and the wealth hear of it.
    if (pr.PlayerInfo[0].Gold > 0 && c.prop.PropObj && RegisterWithPlugin(c, 0) && PluginActive(c))
      HidePortraitForPlugin(c, 0);
    TakeWealth(c, 0, f, false);
    CompleteTableIfLast(c);
    return Changed(c);
  }
  if (info.seat == 15) c.widgets.ButtonState[2] = false;
  if (info.seat == 0) {
    const bool wasFull = pr.OthersSeated >= 3;
    pr.OthersSeated = static_cast<std::int16_t>(std::min(pr.OthersSeated + 1, 3));
    if (!wasFull && pr.OthersSeated == 3 && !c.table.HandSeen) {
      c.platform.RestoreMainWindow();
      MinimizeLobby(c);
      if (c.conn.bQuitting) return;
    }
  }

  PlayerRecord rec = ReadPlayerRecord(f);
  c.table.Detail[v].username = rec.Account;
  if (f[po::kReady] == 1) ShowInFront(c, c.view.OK[v]);
  KeepVoice(c, v, rec);
  pr.PlayerInfo[v] = rec;
  // The plug-in draws the players only while it is active; an object kept
  // from a visit it was turned off for is told of them, nothing more.
  if (rec.Gold > 0 && c.prop.PropObj && RegisterWithPlugin(c, v) && PluginActive(c)) {
    HidePortraitForPlugin(c, v);
    PropCall(c, [v](PropPlugin& p) { p.rec_state(v, true, 2); });
  }
  ClearForNextGameWhenAllReady(c);
  DrawSeatLabels(c, v);
  if (pr.OthersSeated == 3 && !c.life.bTableCleared) {
    ClearTable(c);
    ResetTable(c);
    ResetRound(c);
    c.life.bTableCleared = true;
    SetSysmsgLine(c, 0, kGameStartsSoon);
  }
  TakeWealth(c, v, f, true);
  CompleteTableIfLast(c);
  Changed(c);
}

void OnReady(Client& c, MsgInfo& info) {
  std::string name = FrameByteText(c.conn.Msg, frame_offset::kPayload, kReadyNameEnd);
  if (info.value[3] == 1 && !name.empty()) {
    for (int v = 0; v < 4; ++v)
      if (c.table.Detail[v].username == name && !c.view.Nid[v].text.empty()) ShowInFront(c, c.view.OK[v]);
    // The watched player pressed its start button: its table was cleared as
    // it did, and so is the watcher's; the last hand's score window, which
    // nobody at a watcher closes, makes way for the next hand.
    if (c.table.Spectator && name == c.table.Detail[0].username) {
      c.view.Score.visible = false;
      if (!c.life.bTableCleared) {
        ClearTable(c);
        ResetTable(c);
        ResetSeats(c);
      }
    }
  }
  ClearForNextGameWhenAllReady(c);
  Changed(c);
}

void OnOwnGold(Client& c, MsgInfo&) {
  AddGold(c, 0, GoldAmount(c.conn.Msg));
  Changed(c);
}

void OnOtherGold(Client& c, MsgInfo&) {
  // Compared byte for byte, as the account is stored.
  std::string name = FrameByteText(c.conn.Msg, kGoldAccount, kGoldAccountEnd);
  if (name.empty()) return;
  std::int64_t amount = GoldAmount(c.conn.Msg);
  for (int v = 1; v < 4; ++v)
    if (c.players.PlayerInfo[v].Account == name) AddGold(c, v, amount);
  Changed(c);
}

}  // namespace vask
