#include "core/settle/totals.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "core/client.h"
#include "core/connection/gbk.h"
#include "core/connection/ready_clock.h"
#include "core/game/seats.h"
#include "core/handlers.h"
#include "core/settle/score_windows.h"
#include "core/settle/settle_texts.h"
#include "core/view/buttons.h"
#include "core/view/widgets.h"

namespace vask {

namespace st = settle_text;

namespace {

// Byte offsets of the hand-result message.
constexpr std::size_t kSeatTotalAt = 16;     // signed 64-bit little-endian
constexpr std::size_t kSubtotalSignAt = 25;  // 0: the subtotal is negated
constexpr std::size_t kSubtotalAt = 26;
constexpr std::size_t kCapFlagAt = 35;
constexpr std::size_t kDrawnHandAt = 36;
constexpr std::size_t kWinnerTitleAt = 46, kWinnerTitleBytes = 20;

constexpr std::uint32_t kMaxColour = 0xFFFFFF;
constexpr std::size_t kColourChars = 8;
constexpr std::size_t kNumWidth = 12, kGradeWidth = 9;

std::int64_t SignedLE(const Frame& f, std::size_t at) {
  std::uint64_t v = 0;
  for (std::size_t i = 8; i-- > 0;) v = v << 8 | f[at + i];
  return static_cast<std::int64_t>(v);
}

// Totals beyond 32 bits lie outside the protocol: they are capped.
std::int32_t Clamp32(std::int64_t v) {
  return static_cast<std::int32_t>(
      std::clamp<std::int64_t>(v, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

std::int32_t Negate32(std::int32_t v) { return v == std::numeric_limits<std::int32_t>::min() ? std::numeric_limits<std::int32_t>::max() : -v; }

std::string WinnerTitleOf(const Frame& f) {
  std::string gbk(reinterpret_cast<const char*>(f.data() + kWinnerTitleAt), kWinnerTitleBytes);
  std::replace(gbk.begin(), gbk.end(), '\0', ' ');
  std::string text = GbkToUtf8(gbk);
  const auto b = text.find_first_not_of(' ');
  if (b == std::string::npos) return "";
  return text.substr(b, text.find_last_not_of(' ') - b + 1);
}

std::int64_t ToInt64(double v) {
  if (!(v == v)) return 0;
  if (v >= 9.2e18) return std::numeric_limits<std::int64_t>::max();
  if (v <= -9.2e18) return std::numeric_limits<std::int64_t>::min();
  return static_cast<std::int64_t>(v);
}

void AddGold(std::int64_t& gold, double amount, std::int64_t floor) {
  gold = ToInt64(static_cast<double>(gold) + amount);
  if (gold < 0) gold = floor;
}

void Count(std::int32_t& counter) {
  if (counter < std::numeric_limits<std::int32_t>::max()) ++counter;
}

// The colour a prop line ends with: eight characters of decimal digits or
// "&H" and hexadecimal digits, 0..0xFFFFFF; nothing else is a colour.
bool ColourOf(const std::u32string& tail, std::uint32_t& colour) {
  std::string t;
  for (char32_t ch : tail)
    if (ch != U' ') {
      if (ch > 0x7F) return false;
      t += static_cast<char>(ch);
    }
  if (t.empty()) return false;
  int base = 10;
  if (t.size() > 2 && t[0] == '&' && (t[1] == 'H' || t[1] == 'h')) {
    base = 16;
    t = t.substr(2);
  }
  std::uint64_t v = 0;
  for (char ch : t) {
    int d = -1;
    if (ch >= '0' && ch <= '9') d = ch - '0';
    else if (base == 16 && ch >= 'a' && ch <= 'f') d = ch - 'a' + 10;
    else if (base == 16 && ch >= 'A' && ch <= 'F') d = ch - 'A' + 10;
    if (d < 0) return false;
    v = v * static_cast<std::uint64_t>(base) + static_cast<std::uint64_t>(d);
    if (v > kMaxColour) return false;
  }
  colour = static_cast<std::uint32_t>(v);
  return true;
}

}  // namespace

void AppendPropLines(Client& c, int i) {
  TotalsState& t = c.settle.totals;
  ListControl& col = ScoreState(c, i);
  std::string text = t.PropScoreText[i];
  if (!text.empty()) {
    col.items.push_back("");
    std::size_t start = 0;
    while (true) {
      const std::size_t bar = text.find('|', start);
      const std::u32string piece = Utf8ToCodePoints(text.substr(start, bar == std::string::npos ? std::string::npos : bar - start));
      std::u32string shown = piece;
      if (piece.size() >= kColourChars) {
        std::uint32_t colour = 0;
        if (ColourOf(piece.substr(piece.size() - kColourChars), colour)) col.foreColor = BgrToRgb(colour);
        shown = piece.substr(0, piece.size() - kColourChars);
      }
      col.items.push_back(CodePointsToUtf8(shown));
      if (bar == std::string::npos) break;
      start = bar + 1;
    }
    col.items.push_back("");
    PlayerRecord& p = c.players.PlayerInfo[i];
    c.settle.store.HandResult[i] += t.PropAmount[i];
    AddGold(p.Gold, t.PropAmount[i], 0);
    t.RunningTotal[i] += t.PropAmount[i];
  }
  t.PropAmount[i] = 0;
  t.PropScoreText[i].clear();
}

std::string PadLeft(const std::string& text, std::size_t width) {
  const std::size_t n = Utf8ToCodePoints(text).size();
  return n >= width ? text : std::string(width - n, ' ') + text;
}

void OnHandResult(Client& c, MsgInfo& info) {
  const std::uint8_t nibble = info.seat & 0x0F;
  if (!IsSeatMask(nibble) || c.table.OwnMask() == 0) return;
  const int v = ViewPos(c.table.OwnMask(), nibble);
  const Frame& f = c.conn.Msg;
  TotalsState& t = c.settle.totals;
  std::int32_t total = Clamp32(SignedLE(f, kSeatTotalAt));
  if (info.value[1] == 0) total = Negate32(total);
  c.table.Detail[v].SeatTotal = total;
  std::int32_t sub = Clamp32(SignedLE(f, kSubtotalAt));
  if (f[kSubtotalSignAt] == 0) sub = Negate32(sub);
  t.Subtotal[v] = sub;
  t.CapFlag[v] = f[kCapFlagAt] == 1 ? 1 : 0;
  c.settle.store.DrawnHand = f[kDrawnHandAt] == 1 ? 1 : 0;
  t.ResultSeen[v] = true;
  if (std::all_of(t.ResultSeen.begin(), t.ResultSeen.end(), [](bool b) { return b; })) {
    t.WinnerTitle = WinnerTitleOf(f);
    t.ResultSeen.fill(false);
  }
  // A departure waits until the hand is shown, and so do the plug-in's
  // frames of the hand's end.
  c.conn.bHoldCmd21 = true;
  c.conn.bHoldFrame1 = c.conn.bHoldFrame2 = true;
}

void StartHandTotals(Client& c) {
  TotalsState& t = c.settle.totals;
  t.ResultSeen.fill(false);
  t.WealthText = c.table.WealthDouble != 0 ? c.view.lbwealth.text : "";
}

void ShowTotalsPanel(Client& c) {
  TableState& table = c.table;
  SettlementStore& s = c.settle.store;
  SettledHand& hand = s.hand;
  TotalsState& t = c.settle.totals;
  ViewModel& view = c.view;
  auto unit = [&](int i) { return s.SettleItem[i][kItemCurrency] == 1 ? st::kGold : st::kGoldBars; };

  HeroNum(c).items.push_back(PadLeft(std::to_string(hand.HandNo), kNumWidth));
  if (hand.WinnerView < 0)
    for (int i = 0; i < 4; ++i)
      if (s.HandResult[i] > 0) hand.WinnerView = static_cast<std::int16_t>(i);
  table.WinnerView = hand.WinnerView;

  const bool wealth = hand.WealthDouble != 0;
  for (int i = 0; i < 4; ++i) {
    if (!hand.DiceDouble && !wealth) break;
    auto& col = ScoreState(c, i).items;
    col.push_back(st::kSubtotal + std::to_string(t.Subtotal[i]) + st::kGold);
    if (hand.DiceDouble) col.push_back(st::kDiceDoubling + hand.DiceText);
    if (wealth) col.push_back(st::kWealthDoubling + t.WealthText);
  }

  std::array<std::size_t, 4> n{};
  std::size_t N = 0;
  for (int i = 0; i < 4; ++i) {
    PlayerRecord& p = c.players.PlayerInfo[i];
    const double r = s.HandResult[i];
    t.RunningTotal[i] += r;
    AddGold(p.Gold, r, 0);
    if (r > 0 || (r == 0 && hand.SeatTotal[i] > 0)) Count(p.Wins);
    else Count(p.Losses);
    AddGold(p.Points, r, 1);
    auto& col = ScoreState(c, i).items;
    col.push_back(st::kSeparator);
    n[i] = col.size();
    N = std::max(N, n[i]);
    col.push_back("");
    col.push_back(st::kTotal + std::to_string(hand.SeatTotal[i]) + unit(i));
    col.push_back("");
    col.push_back(t.CapFlag[i] == 1 ? st::kFlexibleCap : "");
  }
  for (int i = 0; i < 4; ++i) {
    auto& col = ScoreState(c, i).items;
    col.push_back(s.HandResult[i] > 0 ? t.WinnerTitle : " ");
    col.push_back("");
  }
  for (int i = 0; i < 4; ++i) {
    ListControl& col = ScoreState(c, i);
    col.foreColor = 0;
    AppendPropLines(c, i);
    const PlayerRecord& p = c.players.PlayerInfo[i];
    view.Cash[i].text = std::to_string(p.Gold) + unit(i);
    const std::string result = FormatAmount(s.HandResult[i]);
    col.items.push_back(st::kFinal + result + unit(i));
    ScoreState(c, i + 4).items.push_back(st::kFinal + result + unit(i));
    HeroGrade(c, i).items.push_back(PadLeft(result, kGradeWidth) + unit(i));
    HeroSum(c, i).text = FormatAmount(t.RunningTotal[i]) + unit(i);
    // Blank lines above the separator bring every column's separator to
    // the same row.
    const auto at = col.items.begin() + static_cast<std::ptrdiff_t>(n[i] - 1);
    col.items.insert(at, N - n[i] + 1, "");
  }

  for (int i = 0; i < 4; ++i) {
    const ScoreSeatRec& seat = c.settle.records.ScoreSeat[i];
    ScoreId(c, i).text = seat.Nick;
    if (!seat.PicIndex.empty()) {
      const int k = std::atoi(seat.PicIndex.c_str());
      if (k >= 0 && k < 20) PutPicture(c, c.pics.PortraitPics[static_cast<std::size_t>(k)], ScoreTou(c, i));
    }
  }
  if (!c.platform.MainWindowMinimized()) ShowScoreWindow(c);
  ScrollRecordsToEnd(c);

  SetSysmsgLines(c, st::kPressContinue, st::kStartsIn15);
  c.widgets.ButtonState[2] = false;
  EnableHandButtons(c);
  table.bInGame = false;
  c.life.bTableCleared = false;
  c.conn.bHoldCmd21 = false;
  // The hand is over: the turn clock gives the countdown to the ready clock.
  c.conn.bClock = false;
  if (!table.Spectator) StartReadyClock(c, kNextHandSeconds);
  WriteResultsFile(c, hand.HandNo);
  PropAfterShow(c);
  ++view.revision;
  c.platform.ViewChanged();
}

}  // namespace vask
