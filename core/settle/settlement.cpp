#include "core/settle/settlement.h"

#include <algorithm>

#include "core/client.h"
#include "core/connection/gbk.h"
#include "core/game/seats.h"
#include "core/handlers.h"
#include "core/social/sound.h"
#include "core/view/pull_choice.h"

namespace vask {

namespace {

// Byte offsets of the settlement message.
constexpr std::size_t kHeaderPairs = 8;     // four (id, value) pairs, 8..15
constexpr std::size_t kMorePairs = 117;     // twelve more, 117..140
constexpr std::size_t kHandResultAt = 16;   // unsigned 64-bit little-endian
constexpr std::size_t kResultSignAt = 13;   // 0: the hand result is a loss
constexpr std::size_t kLevelAt = 24;        // up to eight GBK characters
constexpr std::size_t kLevelChars = 8;
constexpr std::size_t kKongPaidAt = 40;     // four bytes
constexpr std::size_t kWinAmountAt = 86;    // big-endian magnitude
constexpr std::size_t kSecondAmountAt = 88;
constexpr std::size_t kRoomStakeAt = 90;    // big-endian 32-bit
constexpr std::size_t kWinFlagsAt = 94;     // four bytes

constexpr int kMaxMagnitude = 32767;

std::int16_t ItemValue(std::uint8_t v) { return static_cast<std::int16_t>(v <= 128 ? v : v - 256); }

void TakePair(SettlementStore& s, int seat, std::uint8_t id, std::uint8_t value) {
  if (id < 1 || id > 16) return;
  s.SettleItem[seat][id] = ItemValue(value);
}

// Item 1 and 0 of an amount item mean "for" and "against" the seat.
void SignAmount(std::int16_t& item, const Frame& f, std::size_t at) {
  // The protocol keeps magnitudes below 32768; a larger one is capped.
  const int m = std::min(f[at] * 256 + f[at + 1], kMaxMagnitude);
  if (item == 1) item = static_cast<std::int16_t>(m);
  else if (item == 0) item = static_cast<std::int16_t>(-m);
}

std::int32_t RoomStakeOf(const Frame& f) {
  std::uint32_t v = 0;
  for (std::size_t i = 0; i < 4; ++i) v = v << 8 | f[kRoomStakeAt + i];
  // Stakes of 2^31 and more lie outside the protocol: capped.
  return static_cast<std::int32_t>(std::min<std::uint32_t>(v, 0x7FFFFFFF));
}

std::string LevelTextOf(const Frame& f) {
  std::string gbk;
  for (std::size_t k = 0; k < kLevelChars && f[kLevelAt + 2 * k] != 0; ++k) {
    gbk += static_cast<char>(f[kLevelAt + 2 * k]);
    gbk += static_cast<char>(f[kLevelAt + 2 * k + 1]);
  }
  return GbkToUtf8(gbk);
}

// The message about a seat the table does not have is not used.
int SeatOfMessage(const Client& c, std::uint8_t mask) {
  const std::uint8_t nibble = mask & 0x0F;
  if (!IsSeatMask(nibble) || c.table.OwnMask() == 0) return -1;
  return ViewPos(c.table.OwnMask(), nibble);
}

void HandEnds(Client& c) {
  if (PluginActive(c)) return PropHandEnd(c);
  BuildSettlementText(c);
  ShowTotalsPanel(c);
}

}  // namespace

void OnSettleItem(Client& c, MsgInfo& info) {
  const int s = SeatOfMessage(c, info.seat);
  if (s < 0) return;
  SettlementStore& st = c.settle.store;
  const Frame& f = c.conn.Msg;
  // A seat reported twice in a hand counts once: the later message wins,
  // and the hand waits for every seat rather than showing a stale column.
  if (!st.Reported[s]) {
    st.Reported[s] = true;
    ++st.SettleCount;
  }
  for (std::size_t p = 0; p < 12; ++p) TakePair(st, s, f[kMorePairs + 2 * p], f[kMorePairs + 2 * p + 1]);
  for (std::size_t p = 0; p < 4; ++p) TakePair(st, s, f[kHeaderPairs + 2 * p], f[kHeaderPairs + 2 * p + 1]);
  SignAmount(st.SettleItem[s][kItemWin], f, kWinAmountAt);
  SignAmount(st.SettleItem[s][kItemSecondWin], f, kSecondAmountAt);
  st.RoomStake = RoomStakeOf(f);
  for (std::size_t j = 0; j < 4; ++j) st.WinFlags[s][j] = f[kWinFlagsAt + j];
  for (std::size_t k = 1; k <= 4; ++k) st.KongPaid[s][k] = f[kKongPaidAt + k - 1];
  double result = 0;
  for (std::size_t i = 8; i-- > 0;) result = result * 256 + f[kHandResultAt + i];
  st.HandResult[s] = f[kResultSignAt] == 0 ? -result : result;
  PlayerRecord& player = c.players.PlayerInfo[s];
  player.LevelText = LevelTextOf(f);
  c.view.Level[s].text = player.LevelText;
  ++c.view.revision;
  c.platform.ViewChanged();

  if (st.SettleCount < 4) return;
  st.SettleCount = 0;
  st.Reported.fill(false);
  KeepSettledHand(c);
  HandEnds(c);
}

void KeepSettledHand(Client& c) {
  const TableState& t = c.table;
  SettledHand& h = c.settle.store.hand;
  for (int v = 0; v < 4; ++v) {
    h.IsDealer[v] = t.Detail[v].IsDealer;
    h.SeatTotal[v] = t.Detail[v].SeatTotal;
    h.Cash[v] = c.view.Cash[v].text;
  }
  h.KongRecord = t.KongRecord;
  h.HunTiles = t.HunTiles;
  h.ShovelFlag = t.ShovelFlag;
  h.DiceDouble = t.DiceDouble;
  h.DiceText = c.view.lblDifen.text;
  h.WealthDouble = t.WealthDouble;
  h.WinnerView = t.WinnerView;
  h.HandNo = t.HandNo;
}

void OnPullSit(Client& c, MsgInfo& info) {
  const int s = SeatOfMessage(c, info.seat);
  if (s < 0) return;
  SettlementStore& st = c.settle.store;
  const bool yes = info.value[3] == 1;
  switch (info.value[1]) {
    case pull_kind::kPullAnswered:
      if (s > 0) c.widgets.MarkerTicks[s] = kMarkerTicks;
      if (!yes) return;
      st.PullState[s] = st.PullState[s] == kPulledOnce ? kPulledTwice : kPulledOnce;
      ShowSeatMarker(c, s, st.PullState[s] == kPulledOnce ? SeatMarker::Pull : SeatMarker::PullAgain);
      if (s != 0) PlaySeatVoice(c, s, st.PullState[s] == kPulledOnce ? voice::kPull : voice::kPullAgain);
      return;
    case pull_kind::kSitAnswered:
      if (s > 0) c.widgets.MarkerTicks[s] = kMarkerTicks;
      if (!yes) return;
      st.PullState[s] = kDealerSat;
      st.SatDealerView = s;
      ShowSeatMarker(c, s, SeatMarker::Sit);
      if (s != 0) PlaySeatVoice(c, s, voice::kSit);
      return;
    // The watched player's question is not the watcher's to answer.
    case pull_kind::kAskPull:
      if (s == 0 && !c.table.Spectator) ShowPullChoice(c);
      return;
    case pull_kind::kAskSit:
      if (s == 0 && !c.table.Spectator) ShowSitChoice(c);
      return;
    default:
      return;
  }
}

void LiveTableDuty(Client& c) { PullSitTick(c); }

void StartHandSettlement(Client& c, int dealerView) {
  SettlementStore& st = c.settle.store;
  st.SettleCount = 0;
  st.Reported.fill(false);
  for (auto& items : st.SettleItem) items[kItemPerHand] = 0;
  if (st.SatDealerView != dealerView) st.SatDealerView = kNoView;
  for (int v = 0; v < 4; ++v) {
    if (v == st.SatDealerView) continue;
    st.PullState[v] = kNotPulled;
    st.SitFlag[v] = 0;
  }
  c.widgets.PullCount = 0;
  StartHandTotals(c);
}

void ForgetSatDealer(Client& c) { c.settle.store.SatDealerView = kNoView; }

}  // namespace vask
