#include "support/play_frames.h"

#include "core/client.h"
#include "core/view/layout.h"
#include "platform/fake/scripted_hand.h"
#include "support/frames.h"

namespace vask::test {

Frame HandStartFrame(std::uint8_t dealer, std::array<int, 4> dice) {
  return ServerFrame(4, dealer, {dice[0], dice[1], dice[2], dice[3]});
}

Frame WildcardsFrame(int die0, int die1, std::array<TileCode, 3> codes) {
  return ServerFrame(14, 0, {(die0 << 8) | die1, codes[0], codes[1], codes[2]});
}

Frame DealFrame(const std::vector<TileCode>& tiles) {
  Frame f = ServerFrame(1, 0, {0, static_cast<int>(tiles.size()), 0, 0});
  for (std::size_t i = 0; i < tiles.size() && i < 12; ++i) f[frame_offset::kPayload + 2 * i] = static_cast<std::uint8_t>(tiles[i]);
  return f;
}

Frame DrawFrame(std::uint8_t mask, TileCode tile) { return ServerFrame(5, mask, {0, 0, 0, tile}); }

Frame TurnFrame(std::uint8_t mask, int offers, int seconds) {
  Frame f = ServerFrame(6, mask, {offers, 0, 0, 0});
  f[100] = static_cast<std::uint8_t>(seconds);
  return f;
}

Frame DiscardFrame(std::uint8_t mask, TileCode tile, bool fromHand) {
  return ServerFrame(2, mask, {0, fromHand ? 1 : 0, 0, tile});
}

Frame ClaimFrame(std::uint8_t mask, int type, std::array<TileCode, 3> tiles, std::array<std::uint8_t, 4> winCode) {
  Frame f = ServerFrame(7, mask, {type, tiles[0], tiles[1], tiles[2]});
  for (std::size_t k = 0; k < 4; ++k) f[frame_offset::kPayload + k] = winCode[k];
  return f;
}

Frame RestoreFrame(std::uint8_t mask, const RestoreSeat& seat, int frontUsed, int backRemaining) {
  Frame f = ServerFrame(40, mask, {0, frontUsed, 0, backRemaining});
  f[frame_offset::kExt7] = static_cast<std::uint8_t>(seat.river);
  std::size_t pair = 0;
  auto put = [&](std::uint8_t kind, TileCode t) {
    if (pair >= 24) return;
    f[16 + 2 * pair] = kind;
    f[17 + 2 * pair] = static_cast<std::uint8_t>(t);
    ++pair;
  };
  for (TileCode t : seat.shown) put(0x20, t);
  for (TileCode t : seat.concealed) put(0x10, t);
  return f;
}

std::vector<Frame> DealOwnTiles(const std::vector<TileCode>& own14, std::array<TileCode, 3> wildcards) {
  std::vector<Frame> out;
  out.push_back(HandStartFrame(kOwn, {3, 4, 2, 5}));
  out.push_back(WildcardsFrame(2, 3, wildcards));
  for (int batch = 0; batch < 3; ++batch)
    out.push_back(DealFrame({own14.begin() + 4 * batch, own14.begin() + 4 * batch + 4}));
  out.push_back(DrawFrame(kOwn, own14[12]));
  out.push_back(DrawFrame(kRight));
  out.push_back(DrawFrame(kTop));
  out.push_back(DrawFrame(kLeft));
  out.push_back(DrawFrame(kOwn, own14[13]));
  return out;
}

PlayTest::PlayTest() {
  InitPictureTables(client.pics, 1.0);
  InitLayout(client);
  SeatFourPlayers(client);
  client.conn.bTableLive = true;
}

void PlayTest::Play(const std::vector<Frame>& frames) { PlayFrames(platform, client, frames); }

std::vector<Frame> PlayTest::Sent() {
  for (int guard = 0; guard < 1000 && client.conn.SendBuf.Unread() >= kFrameSize; ++guard) platform.RunTicks(1);
  return platform.SentFrames();
}

std::vector<Frame> PlayTest::Taken() {
  std::vector<Frame> all = Sent();
  std::vector<Frame> out(all.begin() + static_cast<std::ptrdiff_t>(std::min(taken_, all.size())), all.end());
  taken_ = all.size();
  return out;
}

std::vector<TileCode> PlayTest::OwnHand() const {
  std::vector<TileCode> out;
  const SeatRec& own = Seat(0);
  for (int i = own.HandStart; i < own.HandStart + own.HandCount; ++i) out.push_back(own.Slots[i].Tile);
  return out;
}

int PlayTest::OwnImage(TileCode tile, int copy) const {
  const SeatRec& own = Seat(0);
  for (int i = own.HandStart; i < own.HandStart + own.HandCount; ++i)
    if (own.Slots[i].Tile == tile && copy-- == 0) return own.Slots[i].Img;
  return -1;
}

void PrintTo(const Request& r, std::ostream* os) {
  *os << "{cmd " << r.cmd << " seat " << int(r.seat) << " values " << std::hex << r.value[0] << " " << r.value[1]
      << " " << r.value[2] << " " << r.value[3] << std::dec << "}";
}

Request ReadRequest(const Frame& f) {
  Request r;
  r.cmd = f[frame_offset::kCmd];
  r.seat = f[frame_offset::kSeat];
  for (std::size_t i = 0; i < 4; ++i)
    r.value[i] = f[frame_offset::kValues + 2 * i] << 8 | f[frame_offset::kValues + 2 * i + 1];
  return r;
}

std::vector<Request> ReadRequests(const std::vector<Frame>& frames) {
  std::vector<Request> out;
  for (const Frame& f : frames) out.push_back(ReadRequest(f));
  return out;
}

}  // namespace vask::test
