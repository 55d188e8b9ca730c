#include "support/settle_frames.h"

#include <cstdlib>

#include "core/connection/gbk.h"
#include "support/frames.h"

namespace vask::test {

namespace {

void PutLE(Frame& f, std::size_t at, std::uint64_t v) {
  for (std::size_t i = 0; i < 8; ++i) f[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
}

void PutGbk(Frame& f, std::size_t at, std::size_t room, const std::string& utf8) {
  const std::string gbk = Utf8ToGbk(utf8);
  for (std::size_t i = 0; i < gbk.size() && i < room; ++i) f[at + i] = static_cast<std::uint8_t>(gbk[i]);
}

}  // namespace

Frame HandResultFrame(std::uint8_t mask, const HandResultSpec& r) {
  // value(1) = 1: the total travels as two's complement.
  Frame f = ServerFrame(9, mask, {0, 1, 0, 0});
  PutLE(f, 16, static_cast<std::uint64_t>(r.seatTotal));
  f[25] = r.subtotal < 0 ? 0 : 1;
  PutLE(f, 26, static_cast<std::uint64_t>(std::llabs(r.subtotal)));
  f[35] = r.cap ? 1 : 0;
  f[36] = r.drawn ? 1 : 0;
  PutGbk(f, 46, 20, r.winnerTitle);
  return f;
}

Frame SettleFrame(std::uint8_t mask, const SettleSpec& s) {
  Frame f = ServerFrame(17, mask);
  std::size_t header = 0, more = 0;
  for (const auto& [id, value] : s.items) {
    if (header < 4) {
      f[8 + 2 * header] = static_cast<std::uint8_t>(id);
      f[9 + 2 * header] = static_cast<std::uint8_t>(value);
      ++header;
    } else if (more < 12) {
      f[117 + 2 * more] = static_cast<std::uint8_t>(id);
      f[118 + 2 * more] = static_cast<std::uint8_t>(value);
      ++more;
    }
  }
  PutLE(f, 16, static_cast<std::uint64_t>(std::llabs(s.handResult)));
  PutGbk(f, 24, 16, s.level);
  for (std::size_t k = 0; k < 4; ++k) f[40 + k] = s.kongPaid[k];
  f[86] = static_cast<std::uint8_t>(s.winMagnitude >> 8);
  f[87] = static_cast<std::uint8_t>(s.winMagnitude & 0xFF);
  f[88] = static_cast<std::uint8_t>(s.secondMagnitude >> 8);
  f[89] = static_cast<std::uint8_t>(s.secondMagnitude & 0xFF);
  PutU32(f, 90, s.roomStake);
  for (std::size_t j = 0; j < 4; ++j) f[94 + j] = s.winFlags[j];
  return f;
}

SettleSpec Settle(int winStakes, std::int64_t handResult, std::uint32_t stake) {
  SettleSpec s;
  // Item 2 first, the currency, then item 3 whose value byte (frame byte
  // 13) carries the sign of the hand result.
  s.items = {{2, winStakes > 0 ? 1 : 0}, {14, 1}, {3, handResult < 0 ? 0 : 1}};
  s.winMagnitude = std::abs(winStakes);
  s.handResult = handResult;
  s.roomStake = stake;
  return s;
}

Frame PullSitFrame(std::uint8_t mask, int kind, bool yes) { return ServerFrame(26, mask, {0, kind, 0, yes ? 1 : 0}); }

}  // namespace vask::test
