#include "server/table_fixture.h"

#include <algorithm>

namespace vask::server::test {

Wall::Order ArrangedWall(const std::array<Tiles, 4>& hands, const Tiles& draws, const Tiles& back,
                         TileCode indicator) {
  std::array<std::optional<TileCode>, kTilesInSet> at{};
  std::size_t front = 0;
  for (std::size_t round = 0; round < 3; ++round)
    for (std::size_t k = 0; k < 4; ++k)
      for (std::size_t i = 0; i < 4; ++i) at[front++] = hands[k].at(4 * round + i);
  for (std::size_t k = 0; k < 4; ++k) at[front++] = hands[k].at(12);
  at[front++] = hands[0].at(13);
  for (TileCode t : draws) at[front++] = t;
  constexpr std::size_t kIndicator = 132;
  at[kIndicator] = indicator;
  std::size_t draw = 0;
  for (TileCode t : back) {
    std::size_t idx;
    do {
      idx = 134 - 2 * (draw / 2) + draw % 2;
      ++draw;
    } while (idx == kIndicator);
    at[idx] = t;
  }
  std::array<TileCode, kTilesInSet> set = FullSet();
  Tiles left(set.begin(), set.end());
  for (const auto& t : at) {
    if (t) {
      EXPECT_TRUE(RemoveOne(left, *t)) << "more than four of " << std::hex << *t;
    }
  }
  Wall::Order order{};
  for (std::size_t i = 0; i < kTilesInSet; ++i) {
    if (at[i]) {
      order[i] = *at[i];
    } else {
      order[i] = left.back();
      left.pop_back();
    }
  }
  return order;
}

TableOptions FixedTable(const Wall::Order& order, int dealer) {
  TableOptions o;
  o.hand.pullDealer = false;
  o.setup = [order, dealer](std::mt19937&, int, bool) {
    HandSetup s{Wall(order)};
    s.dealer = dealer;
    return s;
  };
  return o;
}

std::vector<MsgInfo> Harness::Received(LinkId link, Cmd cmd) const {
  std::vector<MsgInfo> out;
  for (const Frame& f : Frames(link, cmd)) out.push_back(DecodeHeader(f));
  return out;
}

std::vector<Frame> Harness::Frames(LinkId link, Cmd cmd) const {
  std::vector<Frame> frames;
  auto it = out.sent.find(link);
  if (it == out.sent.end()) return frames;
  for (const Frame& f : it->second)
    if (f[frame_offset::kCmd] == static_cast<std::uint8_t>(cmd)) frames.push_back(f);
  return frames;
}

TableOptions WithoutQuestions() {
  TableOptions o;
  o.hand.pullDealer = false;
  return o;
}

void SeatFourAndStart(Harness& h) {
  for (LinkId l = 1; l <= 4; ++l) h.Join("p" + std::to_string(l), l);
  for (LinkId l = 1; l <= 4; ++l) h.Send(l, client_frames::Ready(SeatMask(static_cast<int>(l - 1))));
  ASSERT_NE(h.table.CurrentHand(), nullptr);
}

}  // namespace vask::server::test
