// Watchers at the table: a login with a watch key follows one seat's
// frames, may only keep its link alive and leave, and never holds up the
// players.
#include <gtest/gtest.h>

#include "server/table_fixture.h"

namespace vask::server::test {
namespace {

TableOptions Plain() {
  TableOptions o;
  o.hand.pullDealer = false;
  return o;
}

LinkId Watch(Harness& h, LinkId link, const std::string& key) {
  h.table.Connect(link, h.now);
  h.table.Receive(link, client_frames::Login("fan" + std::to_string(link), key), h.now);
  return link;
}

TEST(Watchers, AWatcherGetsTheWatchedRecordFirstThenTheSeatingAndTheRunningHand) {
  Harness h(Plain());
  SeatFourAndStart(h);
  Watch(h, 20, "watch:3");  // the player at seat 2
  ASSERT_EQ(h.table.Watchers(), 1u);
  const std::vector<MsgInfo> login = h.Received(20, Cmd::Login);
  ASSERT_EQ(login.size(), 1u);
  EXPECT_EQ(login[0].value[3], 1);
  const std::vector<MsgInfo> records = h.Received(20, Cmd::PlayerInfo);
  ASSERT_EQ(records.size(), 8u);
  EXPECT_EQ(records[0].seat, SeatMask(2));
  EXPECT_EQ(h.Received(20, Cmd::SeatName).size(), 4u);
  // The hand under way, restored as seat 2 sees it.
  EXPECT_EQ(h.Received(20, Cmd::Restore).size(), 4u);
  // From now on every frame of seat 2, and no other seat's own frames.
  h.Clear();
  const server::Hand* hand = h.table.CurrentHand();
  ASSERT_NE(hand, nullptr);
  const int turn = hand->TurnSeat();
  const TileCode tile = hand->SeatTilesOf(turn).hand.back();
  h.Send(static_cast<LinkId>(turn + 1), client_frames::Discard(SeatMask(turn), tile, false));
  EXPECT_EQ(h.out.sent[20], h.out.sent[3]);
  EXPECT_FALSE(h.out.sent[20].empty());
}

TEST(Watchers, AWatcherMayOnlyKeepItsLinkAliveAndLeave) {
  Harness h(Plain());
  SeatFourAndStart(h);
  Watch(h, 20, "watch:1");
  const server::Hand* hand = h.table.CurrentHand();
  const int turn = hand->TurnSeat();
  const std::uint8_t mask = SeatMask(turn);
  const int refusedBefore = h.table.RefusedFrames();
  for (const Frame& f : {client_frames::Discard(mask, hand->SeatTilesOf(turn).hand.back(), false),
                         client_frames::Claim(SeatMask(0), 1), client_frames::Ready(SeatMask(0)),
                         client_frames::Chat(SeatMask(0), "hi")})
    h.Send(20, f);
  EXPECT_EQ(h.table.RefusedFromWatchers(), 4);
  EXPECT_EQ(h.table.RefusedFrames(), refusedBefore + 4);
  EXPECT_EQ(h.table.CurrentHand()->TurnSeat(), turn);
  h.Send(20, client_frames::KeepAlive(SeatMask(0)));
  EXPECT_EQ(h.table.RefusedFromWatchers(), 4);
  // Past the login time-out it is still there.
  h.Advance(60000);
  EXPECT_EQ(h.table.Watchers(), 1u);
  h.Send(20, client_frames::Leave(SeatMask(0)));
  EXPECT_EQ(h.table.Watchers(), 0u);
  EXPECT_TRUE(h.out.closed.count(20));
}

TEST(Watchers, NobodyToWatchAHalfTableOrAFullStandAreRefused) {
  struct Case {
    const char* what;
    std::string key;
    int seated;
  };
  for (const Case& k : {Case{"a number nobody has", "watch:9", 4}, Case{"no number", "watch:x", 4},
                        Case{"a half-full table", "watch:1", 2}}) {
    SCOPED_TRACE(k.what);
    Harness h(Plain());
    for (LinkId l = 1; l <= static_cast<LinkId>(k.seated); ++l) h.Join("p" + std::to_string(l), l);
    Watch(h, 20, k.key);
    const std::vector<MsgInfo> login = h.Received(20, Cmd::Login);
    ASSERT_EQ(login.size(), 1u);
    EXPECT_EQ(login[0].value[3], 2);
    EXPECT_TRUE(h.out.closed.count(20));
    EXPECT_EQ(h.table.Watchers(), 0u);
    // Nobody was seated by it.
    for (int s = k.seated; s < 4; ++s) EXPECT_FALSE(h.table.Seat(s).taken);
  }
  Harness h(Plain());
  SeatFourAndStart(h);
  for (LinkId l = 20; l < 28; ++l) Watch(h, l, "watch:2");
  EXPECT_EQ(h.table.Watchers(), 8u);
  Watch(h, 28, "watch:2");
  EXPECT_EQ(h.table.Watchers(), 8u);
  EXPECT_TRUE(h.out.closed.count(28));
}

TEST(Watchers, AWatcherSeesTheWatchedPlayerLeaveAndItsLinkGoes) {
  Harness h(Plain());
  for (LinkId l = 1; l <= 4; ++l) h.Join("p" + std::to_string(l), l);
  Watch(h, 20, "watch:2");
  h.Clear();
  h.Send(2, client_frames::Leave(SeatMask(1)));
  EXPECT_EQ(h.Received(20, Cmd::PlayerLeaves).size(), 1u);
  h.table.Disconnect(20, h.now);
  EXPECT_EQ(h.table.Watchers(), 0u);
}

}  // namespace
}  // namespace vask::server::test
