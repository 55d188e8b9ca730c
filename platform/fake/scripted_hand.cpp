#include "platform/fake/scripted_hand.h"

#include <algorithm>
#include <array>

#include "core/client.h"
#include "core/game/seats.h"
#include "core/view/hands.h"
#include "core/view/rivers.h"
#include "platform/fake/fake_platform.h"

namespace vask {

namespace {

Frame Make(int cmd, std::uint8_t seat, std::array<int, 4> values) {
  Frame f{};
  f[frame_offset::kCmd] = static_cast<std::uint8_t>(cmd);
  f[frame_offset::kSeat] = seat;
  for (std::size_t i = 0; i < 4; ++i) {
    auto u = static_cast<std::uint16_t>(values[i]);
    f[frame_offset::kValues + 2 * i] = static_cast<std::uint8_t>(u >> 8);
    f[frame_offset::kValues + 2 * i + 1] = static_cast<std::uint8_t>(u & 0xFF);
  }
  return f;
}

// A fixed shuffle of the 136 tiles.
std::vector<TileCode> Wall() {
  std::vector<TileCode> w;
  for (int copy = 0; copy < 4; ++copy) {
    for (int r = 1; r <= 7; ++r) w.push_back(MakeTile(SuitHonour, r));
    for (int suit : {SuitBamboo, SuitCharacter, SuitDot})
      for (int r = 1; r <= 9; ++r) w.push_back(MakeTile(suit, r));
  }
  std::uint32_t s = 20240611u;
  for (std::size_t i = w.size() - 1; i > 0; --i) {
    s = s * 1103515245u + 12345u;
    std::swap(w[i], w[(s >> 8) % (i + 1)]);
  }
  return w;
}

constexpr std::uint8_t kOwn = 1, kRight = 2, kTop = 4, kLeft = 8;

}  // namespace

void SeatFourPlayers(Client& c) {
  c.table.Detail[0].Mask = kOwn;
  for (int v = 1; v < 4; ++v) c.table.Detail[v].Mask = MaskOfView(kOwn, v);
}

void PlayFrames(FakePlatform& p, Client& c, const std::vector<Frame>& frames) {
  // Bursts well below the receive ring's 128 frames.
  constexpr std::size_t kBurst = 64;
  for (std::size_t at = 0; at < frames.size() && !p.quit; at += kBurst) {
    std::vector<std::uint8_t> bytes;
    for (std::size_t i = at; i < std::min(frames.size(), at + kBurst); ++i)
      bytes.insert(bytes.end(), frames[i].begin(), frames[i].end());
    p.ServerSends(bytes);
    for (int guard = 0; guard < 10000 && c.conn.RecvBuf.Unread() >= kFrameSize && !p.quit; ++guard) p.RunTicks(1);
  }
  p.RunTicks(2);
}

std::vector<Frame> ScriptedDealFrames() {
  const std::vector<TileCode> wall = Wall();
  std::vector<Frame> out;
  out.push_back(Make(4, kOwn, {3, 4, 2, 5}));
  out.push_back(Make(14, 0, {(2 << 8) | 3, 0x23, 0x46, 0x45}));
  std::size_t next = 0;
  for (int batch = 0; batch < 3; ++batch) {
    Frame f = Make(1, 0, {0, 4, 0, 0});
    for (int i = 0; i < 4; ++i) {
      TileCode t = wall[next++];
      f[frame_offset::kPayload + 2 * i] = static_cast<std::uint8_t>(t & 0xFF);
      f[frame_offset::kPayload + 2 * i + 1] = 0;
    }
    out.push_back(f);
  }
  out.push_back(Make(5, kOwn, {0, 0, 0, wall[next++]}));
  out.push_back(Make(5, kRight, {0, 0, 0, 0}));
  out.push_back(Make(5, kTop, {0, 0, 0, 0}));
  out.push_back(Make(5, kLeft, {0, 0, 0, 0}));
  out.push_back(Make(5, kOwn, {0, 0, 0, wall[next++]}));
  return out;
}

void DiscardOwnTile(Client& c, int slot) {
  SeatRec& own = c.table.Detail[0];
  if (slot < own.HandStart || slot >= own.HandStart + own.HandCount) return;
  const int image = own.Slots[slot].Img;
  const TileCode tile = own.Slots[slot].Tile;
  c.table.MustDiscard = false;
  ShowOwnDiscard(c, image, tile);
  SortHand(c, 0, own.HandCount - 1);
  own.HandCount -= 1;
}

void PlayScriptedHand(FakePlatform& p, Client& c, int rounds) {
  SeatFourPlayers(c);
  PlayFrames(p, c, ScriptedDealFrames());
  const std::vector<TileCode> wall = Wall();
  std::size_t next = 14;  // the own tiles dealt so far
  auto turn = [](std::uint8_t seat) {
    Frame f = Make(6, seat, {0, 0, 0, 0});
    f[100] = 15;
    return f;
  };
  for (int r = 0; r < rounds; ++r) {
    PlayFrames(p, c, {turn(kOwn)});
    SeatRec& own = c.table.Detail[0];
    const int slot = own.HandStart + own.HandCount - 1;
    const TileCode mine = own.Slots[slot].Tile;
    DiscardOwnTile(c, slot);
    std::vector<Frame> frames = {Make(2, kOwn, {0, 0, 0, mine})};
    for (std::uint8_t seat : {kRight, kTop, kLeft}) {
      frames.push_back(Make(5, seat, {0, 0, 0, 0}));
      frames.push_back(turn(seat));
      const int fromHand = (r + seat) % 2;
      frames.push_back(Make(2, seat, {0, fromHand, 0, wall[next++ % wall.size()]}));
    }
    frames.push_back(Make(5, kOwn, {0, 0, 0, wall[next++ % wall.size()]}));
    PlayFrames(p, c, frames);
  }
}

}  // namespace vask
