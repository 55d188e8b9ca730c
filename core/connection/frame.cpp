#include "core/connection/frame.h"

#include <cstring>

#include "core/client.h"
#include "core/connection/gbk.h"
#include "core/game/seats.h"
#include "core/handlers.h"

namespace vask {

using namespace frame_offset;

std::int16_t DecodeValue(int cmd, std::uint8_t high, std::uint8_t low) {
  switch (cmd) {
    case static_cast<int>(Cmd::SettleItem):
      return static_cast<std::int16_t>(static_cast<std::uint16_t>(high << 8 | low));
    case static_cast<int>(Cmd::Wildcards):
      // The server keeps this below 32768; a larger value would not fit the
      // record, so the sign bit is dropped rather than wrapping negative.
      return static_cast<std::int16_t>((high & 0x7F) << 8 | low);
    default:
      return low;
  }
}

MsgInfo DecodeHeader(const Frame& f) {
  MsgInfo r;
  r.cmd = f[kCmd];
  r.ext5 = f[kExt5];
  r.seat = f[kSeat] & 0x0F;
  r.ext7 = f[kExt7];
  for (int i = 0; i < 4; ++i) r.value[i] = DecodeValue(r.cmd, f[kValues + 2 * i], f[kValues + 2 * i + 1]);
  return r;
}

Frame EncodeHeader(const MsgInfo& r) {
  Frame f{};
  auto cmd = static_cast<std::uint16_t>(r.cmd);
  f[kCmdHigh] = static_cast<std::uint8_t>(cmd >> 8);
  f[kCmd] = static_cast<std::uint8_t>(cmd & 0xFF);
  f[kExt5] = r.ext5;
  f[kSeat] = r.seat;
  f[kExt7] = r.ext7;
  for (int i = 0; i < 4; ++i) {
    auto v = static_cast<std::uint16_t>(r.value[i]);
    f[kValues + 2 * i] = static_cast<std::uint8_t>(v >> 8);
    f[kValues + 2 * i + 1] = static_cast<std::uint8_t>(v & 0xFF);
  }
  return f;
}

std::size_t PackChatText(Frame& f, const std::string& text) {
  std::string gbk;
  for (char32_t p : Utf8ToCodePoints(FirstChars(text, kChatMaxChars))) AppendGbk(gbk, p);
  // 100 characters of at most two bytes each always fit; the cut is a guard.
  std::size_t n = std::min(gbk.size(), kChatMaxBytes);
  std::memcpy(f.data() + kPayload, gbk.data(), n);
  return n;
}

std::string UnpackChatText(const Frame& f) {
  return GbkToUtf8(std::span<const std::uint8_t>(f.data() + kPayload, kChatMaxBytes));
}

std::uint32_t PropMarker(const Frame& f) {
  return static_cast<std::uint32_t>(f[kPropMarker]) << 24 | static_cast<std::uint32_t>(f[kPropMarker + 1]) << 16 |
         static_cast<std::uint32_t>(f[kPropMarker + 2]) << 8 | f[kPropMarker + 3];
}

bool IsPropChatFrame(const Frame& f) {
  std::uint32_t m = PropMarker(f);
  return m == kPropMarkerA || m == kPropMarkerB;
}

void GetMsg(Client& c) {
  ConnectionState& s = c.conn;
  s.RecvBuf.Take(s.Msg);
  s.Rinfo = DecodeHeader(s.Msg);
  switch (static_cast<Cmd>(s.Rinfo.cmd)) {
    case Cmd::SeatName: {
      std::size_t end = kPayload;
      while (end < kNameEnd && s.Msg[end] != 0) ++end;
      s.SeatName[SeatIndex(s.Rinfo.seat) & 3] +=
          Latin1ToUtf8(std::span<const std::uint8_t>(s.Msg.data() + kPayload, end - kPayload));
      break;
    }
    case Cmd::Chat:
      // A plug-in frame carries no text and is never shown.
      if (IsPropChatFrame(s.Msg)) {
        PassToPlugin(c, s.Msg);
        break;
      }
      if (s.Rinfo.seat != 0)
        s.Rinfo.seat = static_cast<std::uint8_t>(ViewPos(c.table.OwnMask(), s.Rinfo.seat));
      OnChatMessage(c, s.Rinfo, UnpackChatText(s.Msg));
      break;
    default:
      break;
  }
}

namespace {

bool QueueFrame(Client& c, Frame& f) {
  ConnectionState& s = c.conn;
  // A watcher plays no part: its frames would carry the watched player's
  // seat. Only the keep-alive leaves it (the leave frame is written
  // directly to the socket).
  if (c.table.Spectator && (f[kCmd] != static_cast<int>(Cmd::KeepAlive) || f[kCmdHigh] != 0)) return false;
  f[kServerTag] = s.ServerTag[0];
  f[kServerTag + 1] = s.ServerTag[1];
  if (!s.SendBuf.PutAll(f)) {
    // The ring holds frames not yet sent: refuse this one rather than
    // overwrite them, and count it.
    ++s.SendRefused;
    return false;
  }
  s.bSendPending = true;
  s.SendTick = 0;
  return true;
}

}  // namespace

bool SendMsg(Client& c, const MsgInfo& record) {
  Frame f = EncodeHeader(record);
  if (record.cmd == static_cast<int>(Cmd::Chat)) {
    if (c.conn.ChatText.empty()) return false;
    PackChatText(f, c.conn.ChatText);
    c.conn.ChatText.clear();
  }
  return QueueFrame(c, f);
}

bool SendRawMsg(Client& c, const Frame& frame) {
  Frame f = frame;
  return QueueFrame(c, f);
}

}  // namespace vask
