#include "server/table/wire.h"

#include <algorithm>

#include "core/connection/gbk.h"

namespace vask::server {

using namespace layout;

namespace {

void PutLe(Frame& f, std::size_t at, std::uint64_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) f[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(v >> (8 * i));
}

void PutBe(Frame& f, std::size_t at, std::uint64_t v, int bytes) {
  for (int i = 0; i < bytes; ++i)
    f[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(v >> (8 * (bytes - 1 - i)));
}

// Raw bytes, cut to the field.
void PutBytes(Frame& f, std::size_t at, std::size_t width, const std::string& bytes) {
  std::size_t n = std::min(width, bytes.size());
  std::copy_n(bytes.begin(), n, f.begin() + static_cast<std::ptrdiff_t>(at));
}

// Cuts GBK text to at most `width` bytes without splitting a character.
std::string CutGbk(const std::string& gbk, std::size_t width) {
  std::size_t n = 0;
  while (n < gbk.size()) {
    std::size_t step = static_cast<std::uint8_t>(gbk[n]) >= 0x80 ? 2 : 1;
    if (n + step > width || n + step > gbk.size()) break;
    n += step;
  }
  return gbk.substr(0, n);
}

void PutText(Frame& f, std::size_t at, std::size_t width, const std::string& utf8) {
  PutBytes(f, at, width, CutGbk(Utf8ToGbk(utf8), width));
}

std::string ReadPrintable(const Frame& f, std::size_t from, std::size_t end, bool* ok) {
  std::string s;
  for (std::size_t i = from; i < end && f[i] != 0; ++i) {
    if (f[i] < 0x21 || f[i] > 0x7E) *ok = false;
    s.push_back(static_cast<char>(f[i]));
  }
  return s;
}

}  // namespace

ClientFrame ReadClientFrame(const Frame& f) {
  ClientFrame c;
  c.cmd = f[frame_offset::kCmd];
  c.mask = f[frame_offset::kSeat] & 0x0F;
  for (std::size_t i = 0; i < 4; ++i)
    c.value[i] = static_cast<std::int16_t>(f[frame_offset::kValues + 2 * i] << 8 | f[frame_offset::kValues + 2 * i + 1]);
  c.raw = f;
  return c;
}

TileCode RequestTile(int value) { return static_cast<TileCode>(value & 0xFF); }

std::optional<LoginRequest> ReadLogin(const Frame& f) {
  LoginRequest r;
  int cmd = f[frame_offset::kCmd];
  if (cmd != static_cast<int>(Cmd::Login) && cmd != static_cast<int>(Cmd::Relogin)) return std::nullopt;
  r.relogin = cmd == static_cast<int>(Cmd::Relogin);
  bool ok = true;
  r.account = ReadPrintable(f, kLoginAccount, kLoginAccount + kAccountBytes, &ok);
  r.key = ReadPrintable(f, kLoginKey, kLoginKeyEnd, &ok);
  if (!ok || r.account.empty()) return std::nullopt;
  for (int i = 0; i < 4; ++i) r.reloginId |= static_cast<std::uint32_t>(f[kReloginId + static_cast<std::size_t>(i)]) << (8 * i);
  return r;
}

std::string ChatTextOf(const Frame& f) {
  std::string s;
  std::size_t i = frame_offset::kPayload;
  while (i < frame_offset::kChatEnd && f[i] != 0) {
    bool lead = f[i] >= 0x80;
    if (lead && (i + 1 >= frame_offset::kChatEnd || f[i + 1] == 0)) break;
    s.push_back(static_cast<char>(f[i]));
    if (lead) s.push_back(static_cast<char>(f[i + 1]));
    i += lead ? 2 : 1;
  }
  return s;
}

namespace wire {

Frame Make(Cmd cmd, std::uint8_t seat, int v0, int v1, int v2, int v3) {
  MsgInfo m;
  m.cmd = static_cast<std::int16_t>(cmd);
  m.seat = seat;
  m.value = {static_cast<std::int16_t>(v0), static_cast<std::int16_t>(v1), static_cast<std::int16_t>(v2),
             static_cast<std::int16_t>(v3)};
  Frame f = EncodeHeader(m);
  f[frame_offset::kServerTag] = kServerTag[0];
  f[frame_offset::kServerTag + 1] = kServerTag[1];
  return f;
}

Frame LoginAnswer(LoginVerdict verdict, int timeoutLimit, int halfTurnLimit) {
  return Make(Cmd::Login, 0, timeoutLimit, halfTurnLimit, 0, static_cast<int>(verdict));
}

Frame ReloginAnswer(bool accepted) { return Make(Cmd::ReloginAnswer, 0, 0, 0, 0, accepted ? 1 : 0); }

Frame SeatName(std::uint8_t mask, const std::string& account) {
  Frame f = Make(Cmd::SeatName, mask);
  PutBytes(f, frame_offset::kPayload, kAccountBytes, account);
  return f;
}

Frame PlayerInfo(std::uint8_t nibble, const PlayerProfile& p, bool ready, bool propsAllowed) {
  Frame f = Make(Cmd::PlayerInfo, nibble);
  PutText(f, kNick, kNickBytes, p.nick);
  PutBytes(f, kFace, kFaceBytes, p.face);
  f[kSex] = p.male ? 1 : 0;
  PutText(f, kArea, kAreaBytes, p.area);
  PutLe(f, kPoints, static_cast<std::uint64_t>(p.points), 8);
  PutLe(f, kCredit, static_cast<std::uint64_t>(p.credit), 8);
  PutLe(f, kGold, static_cast<std::uint64_t>(std::max<std::int64_t>(p.gold, 0)), 8);
  PutText(f, kLevel, kLevelBytes, p.level);
  PutLe(f, kLogins, static_cast<std::uint32_t>(p.logins), 4);
  PutLe(f, kDrops, static_cast<std::uint32_t>(p.drops), 4);
  PutLe(f, kWins, static_cast<std::uint32_t>(p.wins), 4);
  PutLe(f, kLosses, static_cast<std::uint32_t>(p.losses), 4);
  PutBytes(f, kAccount, kAccountBytes, p.account);
  PutText(f, kTitle, kTitleBytes, p.title);
  f[kReady] = ready ? 1 : 0;
  PutLe(f, kPlayerId, static_cast<std::uint64_t>(p.playerId), 8);
  f[kPropFlag] = propsAllowed ? 0 : 1;
  return f;
}

Frame TableWaiting() { return Make(Cmd::TableState, 0, 0, 0, 0, kTableWaiting); }

Frame GameStart(std::uint8_t dealerMask, std::uint32_t reloginId) {
  Frame f = Make(Cmd::TableState, dealerMask, 0, 0, 0, kGameStart);
  PutLe(f, kReloginId, reloginId, 4);
  return f;
}

Frame Ready(const std::string& account) {
  Frame f = Make(Cmd::Ready, 0, 0, 0, 0, 1);
  PutBytes(f, kAccountName, kAccountBytes, account);
  return f;
}

Frame PlayerLeaves(const std::string& account) {
  Frame f = Make(Cmd::PlayerLeaves, 0);
  PutBytes(f, kAccountName, kAccountBytes, account);
  return f;
}

Frame ReadyCountdown() {
  // Byte 11 (value(1)'s low byte) 1: the short countdown.
  return Make(Cmd::PlayerLeaves, 0, 0, 1);
}

Frame HandStart(std::uint8_t dealerMask, const std::array<int, 4>& d) {
  return Make(Cmd::HandStart, dealerMask, d[0], d[1], d[2], d[3]);
}

Frame Wildcards(int die0, int die1, const std::array<TileCode, 3>& codes) {
  return Make(Cmd::Wildcards, 0, die0 << 8 | die1, codes[0], codes[1], codes[2]);
}

Frame Deal(std::uint8_t mask, const std::vector<TileCode>& tiles) {
  std::size_t n = std::min<std::size_t>(tiles.size(), 12);
  Frame f = Make(Cmd::Deal, mask, 0, static_cast<int>(n));
  for (std::size_t i = 0; i < n; ++i) PutLe(f, kDealTiles + 2 * i, tiles[i], 2);
  return f;
}

Frame Draw(std::uint8_t mask, TileCode tile) { return Make(Cmd::Draw, mask, 0, 0, 0, tile); }

Frame Turn(std::uint8_t mask, int offers, int seconds) {
  Frame f = Make(Cmd::Turn, mask, offers);
  f[kCountdown] = static_cast<std::uint8_t>(std::clamp(seconds, 0, 255));
  return f;
}

Frame Discard(std::uint8_t mask, TileCode tile, bool fromHand) {
  return Make(Cmd::Discard, mask, 0, fromHand ? 1 : 0, 0, tile);
}

Frame ClaimResult(std::uint8_t mask, int op, const std::array<TileCode, 3>& t,
                  const std::array<std::uint8_t, 4>& winCode) {
  Frame f = Make(Cmd::Claim, mask, op, t[0], t[1], t[2]);
  std::copy(winCode.begin(), winCode.end(), f.begin() + kWinCode);
  return f;
}

Frame Reveal(std::uint8_t mask, const std::array<TileCode, 3>& t) {
  return Make(Cmd::Reveal, mask, 0, t[0], t[1], t[2]);
}

Frame PullSit(std::uint8_t mask, int kind, bool yes) { return Make(Cmd::PullSit, mask, 0, kind, 0, yes ? 1 : 0); }

Frame GameParams(std::uint8_t dealerMask, int diceSum0, int diceSum1, int special, TileCode indicator) {
  return Make(Cmd::GameParams, dealerMask, diceSum0, diceSum1, special, indicator);
}

namespace {
Frame GoldChange(Cmd cmd, std::int64_t delta) {
  Frame f = Make(cmd, 0);
  f[kGoldSign] = delta < 0 ? 1 : 0;
  PutLe(f, kGoldMagnitude, static_cast<std::uint64_t>(delta < 0 ? -delta : delta), 8);
  return f;
}
}  // namespace

Frame OwnGold(std::int64_t delta) { return GoldChange(Cmd::OwnGold, delta); }

Frame OtherGold(const std::string& account, std::int64_t delta) {
  Frame f = GoldChange(Cmd::OtherGold, delta);
  PutBytes(f, kGoldAccount, kGoldAccountBytes, account);
  return f;
}

Frame HandResult(std::uint8_t mask, const HandResultInfo& r) {
  // The total travels as two's complement with value(1) = 1; the subtotal as
  // a magnitude with its sign byte.
  Frame f = Make(Cmd::HandResult, mask, 0, 1);
  PutLe(f, kSeatTotal, static_cast<std::uint64_t>(r.seatTotal), 8);
  f[kSubtotalSign] = r.subtotal < 0 ? 0 : 1;
  PutLe(f, kSubtotal, static_cast<std::uint64_t>(r.subtotal < 0 ? -r.subtotal : r.subtotal), 8);
  f[kDrawnHand] = r.drawn ? 1 : 0;
  PutText(f, kWinnerTitle, kWinnerTitleBytes, r.winnerTitle);
  return f;
}

Frame Settlement(std::uint8_t mask, const SettlementInfo& s) {
  MsgInfo m;
  m.cmd = static_cast<std::int16_t>(Cmd::SettleItem);
  m.seat = mask;
  // Four (id, value) byte pairs in the header's value fields.
  auto pair = [](int id, int v) { return static_cast<std::int16_t>(id << 8 | (v & 0xFF)); };
  m.value = {pair(kItemWin, s.winAmount > 0 ? 1 : 0), pair(kItemCurrency, 1),
             pair(kItemResultSign, s.handResult < 0 ? 0 : 1), 0};
  Frame f = EncodeHeader(m);
  f[frame_offset::kServerTag] = kServerTag[0];
  f[frame_offset::kServerTag + 1] = kServerTag[1];
  PutLe(f, kHandResult, static_cast<std::uint64_t>(s.handResult < 0 ? -s.handResult : s.handResult), 8);
  PutText(f, kSettleLevel, kSettleLevelBytes, s.level);
  for (int k = 0; k < std::min(s.exposedKongs, 4); ++k) f[kKongPaid + static_cast<std::size_t>(k)] = 1;
  PutBe(f, kWinMagnitude, static_cast<std::uint64_t>(std::min(std::abs(s.winAmount), 32767)), 2);
  PutBe(f, kRoomStake, static_cast<std::uint64_t>(std::max(s.roomStake, 0)), 4);
  std::copy(s.winFlags.begin(), s.winFlags.end(), f.begin() + kWinFlags);
  return f;
}

Frame Restore(std::uint8_t mask, const RestoreInfo& r) {
  Frame f = Make(Cmd::Restore, mask, 0, r.frontUsed, 0, 135 - r.backUsed);
  f[frame_offset::kExt7] = static_cast<std::uint8_t>(std::clamp(r.riverCount, 0, 255));
  std::size_t pair = 0;
  auto put = [&](std::uint8_t kind, TileCode t) {
    if (pair >= kRestorePairCount) return;
    f[kRestorePairs + 2 * pair] = kind;
    f[kRestorePairs + 2 * pair + 1] = static_cast<std::uint8_t>(t);
    ++pair;
  };
  for (TileCode t : r.shown) put(kRestoreShown, t);
  for (TileCode t : r.concealed) put(kRestoreConcealed, t);
  return f;
}

Frame Chat(std::uint8_t senderMask, const std::array<int, 4>& v, const std::string& gbkText) {
  Frame f = Make(Cmd::Chat, senderMask, v[0], v[1], v[2], v[3]);
  PutBytes(f, frame_offset::kPayload, frame_offset::kChatMaxBytes, CutGbk(gbkText, frame_offset::kChatMaxBytes));
  return f;
}

}  // namespace wire
}  // namespace vask::server
