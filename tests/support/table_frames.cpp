#include "support/table_frames.h"

#include "core/connection/gbk.h"
#include "support/frames.h"

namespace vask::test {

namespace {

void PutLE(Frame& f, std::size_t at, std::uint64_t v, int bytes) {
  for (int i = 0; i < bytes; ++i, v >>= 8) f[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(v & 0xFF);
}

void PutGbk(Frame& f, std::size_t at, std::size_t end, const std::string& utf8) {
  std::string gbk = Utf8ToGbk(utf8);
  for (std::size_t i = 0; i < gbk.size() && at + i < end; ++i) f[at + i] = static_cast<std::uint8_t>(gbk[i]);
}

void PutGold(Frame& f, std::size_t signAt, std::int64_t amount) {
  f[signAt] = amount < 0 ? 1 : 0;
  PutLE(f, signAt + 1, static_cast<std::uint64_t>(amount < 0 ? -amount : amount), 8);
}

}  // namespace

Frame LoginAnswer(int result, int timeoutLimit, int turnCode, const std::string& adPage) {
  Frame f = ServerFrame(18, 0, {timeoutLimit, turnCode, 0, result});
  PutString(f, 16, adPage.substr(0, 100));
  return f;
}

Frame SeatNameFrame(std::uint8_t mask, const std::string& name) {
  Frame f = ServerFrame(3, mask);
  PutString(f, 16, name.substr(0, 16));
  return f;
}

Frame ChatFrame(std::uint8_t seat, const std::string& text, std::initializer_list<int> values) {
  Frame f = ServerFrame(19, seat, values);
  PutGbk(f, frame_offset::kPayload, frame_offset::kChatEnd, text);
  return f;
}

Frame PlayerInfoFrame(std::uint8_t seat, const PlayerSpec& p) {
  Frame f = ServerFrame(20, seat);
  PutGbk(f, 16, 48, p.nick);
  PutGbk(f, 48, 64, p.face);
  f[64] = static_cast<std::uint8_t>(p.sex);
  PutGbk(f, 72, 80, "本地");
  PutLE(f, 80, 100, 8);
  PutLE(f, 88, 1, 8);
  PutLE(f, 96, static_cast<std::uint64_t>(p.gold), 8);
  PutGbk(f, 112, 128, p.level);
  PutLE(f, 152, 12, 4);
  PutLE(f, 160, 5, 4);
  PutLE(f, 164, 3, 4);
  PutString(f, 168, p.account.substr(0, 16));
  PutGbk(f, 184, 208, p.title);
  f[208] = p.ready ? 1 : 0;
  PutString(f, 210, "27");
  PutString(f, 218, "10");
  PutLE(f, 226, static_cast<std::uint64_t>(p.playerId), 8);
  PutLE(f, 234, static_cast<std::uint32_t>(p.wealth), 4);
  f[255] = p.propFlag ? 1 : 0;
  return f;
}

Frame TableStateFrame(int kind, std::uint8_t seat, int v1, int v2) { return ServerFrame(16, seat, {0, v1, v2, kind}); }

Frame PlayerLeavesFrame(const std::string& account, int shortReady) {
  Frame f = ServerFrame(21, 0, {0, shortReady});
  PutString(f, 16, account.substr(0, 16));
  return f;
}

Frame ReadyFrame(const std::string& account, int ready) {
  Frame f = ServerFrame(23, 0, {0, 0, 0, ready});
  PutString(f, 16, account.substr(0, 16));
  return f;
}

Frame LeaveNoticeFrame(const std::string& text) {
  Frame f = ServerFrame(22);
  PutGbk(f, 16, 216, text);
  return f;
}

Frame OwnGoldFrame(std::int64_t amount) {
  Frame f = ServerFrame(91);
  PutGold(f, 16, amount);
  return f;
}

Frame OtherGoldFrame(const std::string& account, std::int64_t amount) {
  Frame f = ServerFrame(92);
  PutGold(f, 16, amount);
  PutString(f, 25, account.substr(0, 17));
  return f;
}

std::vector<Frame> LoginAndSeating(const ScriptedTable& t) {
  std::vector<Frame> frames{LoginAnswer(1)};
  for (int seat = 0; seat < 4; ++seat) frames.push_back(SeatNameFrame(static_cast<std::uint8_t>(1 << seat), t.accounts[seat]));
  int own = 0;
  while ((1 << own) != t.ownMask) ++own;
  frames.push_back(PlayerInfoFrame(15, {t.nicks[own], t.accounts[own]}));
  // The others in view order (left, top, right), as the server seats them.
  for (int v = 1; v < 4; ++v) {
    int seat = (own + 4 - v) % 4;
    PlayerSpec p{t.nicks[seat], t.accounts[seat]};
    p.face = seat % 2 ? "w3" : "m2";
    p.sex = seat % 2 ? 0 : 1;
    frames.push_back(PlayerInfoFrame(0, p));
  }
  frames.push_back(TableStateFrame(0));
  return frames;
}

std::string PlayerCommandLine(const std::string& host, int port, const std::string& lobbyTitle,
                              const std::string& caption, const std::string& account, bool props) {
  return account + "$key-1234$" + host + "$" + std::to_string(port) + "$本地练习$0$$0$$$1$" + lobbyTitle + "$" +
         caption + (props ? "$1$0$" : "$0$0$");
}

}  // namespace vask::test
