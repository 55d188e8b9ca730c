#include "server/bots/client_frames.h"

#include <algorithm>

#include "core/connection/frame.h"
#include "server/table/wire.h"

namespace vask::server::client_frames {

namespace {
Frame Record(Cmd cmd, std::uint8_t mask, int v0 = 0, int v1 = 0, int v2 = 0, int v3 = 0) {
  MsgInfo m;
  m.cmd = static_cast<std::int16_t>(cmd);
  m.seat = mask;
  m.value = {static_cast<std::int16_t>(v0), static_cast<std::int16_t>(v1), static_cast<std::int16_t>(v2),
             static_cast<std::int16_t>(v3)};
  return EncodeHeader(m);
}

void PutAscii(Frame& f, std::size_t at, std::size_t end, const std::string& s) {
  for (std::size_t i = 0; i < s.size() && at + i < end; ++i) f[at + i] = static_cast<std::uint8_t>(s[i]);
}

Frame LoginFrame(Cmd cmd, const std::string& account, const std::string& key) {
  Frame f = Record(cmd, 0, 0, 0, 0, 1);
  PutAscii(f, layout::kLoginAccount, layout::kLoginKey, account);
  PutAscii(f, layout::kLoginKey, layout::kLoginKeyEnd, key);
  return f;
}

int WithClaimBit(TileCode t) { return t == NoTile ? 0 : ClaimTileCode(t); }
}  // namespace

Frame Login(const std::string& account, const std::string& key) { return LoginFrame(Cmd::Login, account, key); }

Frame Relogin(const std::string& account, const std::string& key, std::uint32_t reloginId) {
  Frame f = LoginFrame(Cmd::Relogin, account, key);
  for (std::size_t i = 0; i < 4; ++i) f[layout::kReloginId + i] = static_cast<std::uint8_t>(reloginId >> (8 * i));
  return f;
}

Frame Ready(std::uint8_t mask) { return Record(Cmd::TableState, mask, 0, 0, 0, 1); }
Frame Leave(std::uint8_t mask) { return Record(Cmd::TableState, mask); }
Frame KeepAlive(std::uint8_t mask) { return Record(Cmd::KeepAlive, mask); }

Frame Discard(std::uint8_t mask, TileCode tile, bool fromHand) {
  return Record(Cmd::Discard, mask, 0, fromHand ? 1 : 0, 0, (tile & 0x0FFF) | 0x4000);
}

Frame Claim(std::uint8_t mask, int op, TileCode t1, TileCode t2, TileCode t3) {
  return Record(Cmd::Claim, mask, op, WithClaimBit(t1), WithClaimBit(t2), WithClaimBit(t3));
}

Frame PullAnswer(std::uint8_t mask, int kind, bool yes) { return Record(Cmd::PullSit, mask, 0, kind, 0, yes ? 1 : 0); }

Frame Chat(std::uint8_t mask, const std::string& gbkText, std::uint8_t to) {
  Frame f = Record(Cmd::Chat, mask, 0, to);
  std::size_t n = std::min(gbkText.size(), frame_offset::kChatMaxBytes);
  std::copy_n(gbkText.begin(), n, f.begin() + frame_offset::kPayload);
  return f;
}

}  // namespace vask::server::client_frames
