#include "core/connection/poll_loop.h"

#include <gtest/gtest.h>

#include "core/view/layout.h"
#include "platform/fake/scripted_hand.h"
#include "support/client_fixture.h"
#include "support/play_frames.h"
#include "support/recording_plugin.h"

namespace vask {
namespace {

using test::ServerFrame;

// Frames reach the (recording) plug-in when handled, so the test sees when.
class PollLoopTest : public test::ClientTest {
 protected:
  PollLoopTest() { test::ActivateRecordingPlugin(client, &handled); }

  Frame Tagged(int cmd, int tag) {
    Frame f = ServerFrame(cmd, 2);
    f[100] = static_cast<std::uint8_t>(tag);
    return f;
  }
  // Tick number (1-based, from now) at which each frame was handled.
  std::vector<int> TicksUntilHandled(std::size_t count, int maxTicks) {
    std::vector<int> at;
    for (int t = 1; t <= maxTicks && at.size() < count; ++t) {
      std::size_t before = handled.size();
      platform.RunTicks(1);
      for (std::size_t i = before; i < handled.size(); ++i) at.push_back(t);
    }
    return at;
  }

  std::vector<Frame> handled;
};

TEST_F(PollLoopTest, ABurstIsHandledOneFramePerTickStartingTwoTicksLater) {
  Receive({Tagged(44, 1), Tagged(44, 2), Tagged(44, 3)});
  EXPECT_EQ(TicksUntilHandled(3, 10), (std::vector<int>{2, 3, 4}));
  EXPECT_EQ(handled[0][100], 1);
  EXPECT_EQ(handled[2][100], 3);
}

TEST_F(PollLoopTest, APartialFrameWaitsForItsLastByte) {
  Frame f = Tagged(44, 7);
  platform.ServerSends(std::span<const std::uint8_t>(f.data(), 271));
  platform.RunTicks(20);  // a second later
  EXPECT_TRUE(handled.empty());
  platform.ServerSends(std::span<const std::uint8_t>(f.data() + 271, 1));
  EXPECT_EQ(TicksUntilHandled(1, 5), (std::vector<int>{2}));
  EXPECT_EQ(handled[0], f);
}

TEST_F(PollLoopTest, OddReadsAreAppendedWhole) {
  std::vector<std::uint8_t> bytes(3 * kFrameSize);
  for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<std::uint8_t>(i % 251);
  for (std::size_t frame = 0; frame < 3; ++frame) bytes[frame * kFrameSize + 3] = 44;
  for (std::size_t at = 0; at < bytes.size(); at += 37)
    platform.ServerSends(std::span<const std::uint8_t>(bytes.data() + at, std::min<std::size_t>(37, bytes.size() - at)));
  EXPECT_EQ(client.conn.RecvBuf.Unread(), bytes.size());
  platform.RunTicks(10);
  ASSERT_EQ(handled.size(), 3u);
  EXPECT_TRUE(std::equal(handled[1].begin(), handled[1].end(), bytes.begin() + kFrameSize));
}

TEST_F(PollLoopTest, AHeldDepartureHoldsEverythingBehindIt) {
  client.conn.bHoldCmd21 = true;
  Frame leave = ServerFrame(21, 2);
  Receive({leave, Tagged(44, 1)});
  platform.RunTicks(10);
  EXPECT_TRUE(handled.empty());
  EXPECT_EQ(client.conn.RecvBuf.Unread(), 2 * kFrameSize);
  EXPECT_TRUE(TimerEnabled(client, TimerId::KeepAlive)) << "another seat's departure keeps the link alive";

  client.conn.bHoldCmd21 = false;
  platform.RunTicks(3);
  ASSERT_EQ(handled.size(), 1u);
  EXPECT_EQ(handled[0][100], 1);
  EXPECT_EQ(client.conn.RecvBuf.Unread(), 0u);
}

class SendDutyTest : public test::ClientTest {
 protected:
  void QueueProp(int value0) {
    Frame f{};
    f[3] = 45;
    f[8] = static_cast<std::uint8_t>(value0 >> 8);
    f[9] = static_cast<std::uint8_t>(value0 & 0xFF);
    SendRawMsg(client, f);
  }
  void QueueDiscard(int tile) {
    MsgInfo r;
    r.cmd = 2;
    r.seat = 1;
    r.value[0] = static_cast<std::int16_t>(tile);
    SendMsg(client, r);
  }
};

TEST_F(SendDutyTest, OneFrameLeavesPerTick) {
  for (int i = 0; i < 3; ++i) QueueDiscard(0x11 + i);
  platform.RunTicks(1);
  EXPECT_EQ(platform.SentFrames().size(), 1u);
  platform.RunTicks(2);
  ASSERT_EQ(platform.SentFrames().size(), 3u);
  EXPECT_EQ(platform.SentFrames()[2][9], 0x13);
  EXPECT_EQ(platform.sent.size() % kFrameSize, 0u);
}

TEST_F(SendDutyTest, PropFramesOfTheHandsEndAreHeldOnce) {
  client.conn.bHoldFrame1 = true;
  QueueProp(1035);  // 1035 / 8 == 129
  QueueProp(1035);
  platform.RunTicks(5);
  ASSERT_EQ(platform.SentFrames().size(), 1u);
  EXPECT_EQ(client.conn.HeldFrame[0][3], 45);
  EXPECT_FALSE(client.conn.bHoldFrame1);

  client.conn.bHoldFrame2 = true;
  client.table.bInGame = true;
  QueueProp(386 * 8 + 3);
  platform.RunTicks(2);
  EXPECT_EQ(platform.SentFrames().size(), 2u) << "in a hand the second kind is sent";
  client.table.bInGame = false;
  QueueProp(386 * 8 + 3);
  platform.RunTicks(2);
  EXPECT_EQ(platform.SentFrames().size(), 2u);
  EXPECT_FALSE(client.conn.bHoldFrame2);
}

TEST_F(SendDutyTest, FramesQueuedWhileDownLeaveAfterTheNextQueueing) {
  platform.socketState = 0;
  QueueDiscard(0x21);
  QueueDiscard(0x22);
  platform.RunTicks(5);
  EXPECT_TRUE(platform.sent.empty());
  EXPECT_FALSE(client.conn.bSendPending);

  platform.socketState = kSocketConnected;
  platform.RunTicks(5);
  EXPECT_TRUE(platform.sent.empty()) << "nothing wakes the send duty yet";
  QueueDiscard(0x23);
  platform.RunTicks(3);
  auto sent = platform.SentFrames();
  ASSERT_EQ(sent.size(), 3u);
  EXPECT_EQ(sent[0][9], 0x21);
  EXPECT_EQ(sent[2][9], 0x23);
}

// More than the ring holds, at once: what does not fit waits in the socket
// and comes in as the ticks make room; every frame is handled once, in
// order, one a tick, and the client stays.
TEST_F(PollLoopTest, AFloodLargerThanTheRingWaitsInTheSocket) {
  client.conn.LobbyTitle = "Vask山庄";
  platform.existingWindows = {"Vask山庄"};
  constexpr int kFrames = 500;
  std::vector<std::uint8_t> flood;
  for (int i = 0; i < kFrames; ++i) {
    Frame f = Tagged(44, i % 256);
    f[101] = static_cast<std::uint8_t>(i / 256);
    flood.insert(flood.end(), f.begin(), f.end());
  }
  platform.ServerSends(flood);
  EXPECT_EQ(client.conn.RecvBuf.Unread(), kRingSize - 1);
  EXPECT_EQ(platform.inbox.size(), flood.size() - (kRingSize - 1));
  std::vector<int> expected;
  for (int t = 2; t < kFrames + 2; ++t) expected.push_back(t);
  EXPECT_EQ(TicksUntilHandled(kFrames, kFrames + 10), expected);
  ASSERT_EQ(handled.size(), static_cast<std::size_t>(kFrames));
  for (int i = 0; i < kFrames; ++i) {
    EXPECT_EQ(handled[i][100], i % 256) << i;
    EXPECT_EQ(handled[i][101], i / 256) << i;
  }
  EXPECT_TRUE(platform.inbox.empty());
  EXPECT_EQ(client.conn.RecvBuf.Unread(), 0u);
  EXPECT_FALSE(platform.quit);
  EXPECT_FALSE(platform.CallMade("RestoreWindow"));
}

// 500 frames at once while the hand start's dice and wall animate, the tick
// held: all are handled after it, in order, and the client stays.
TEST_F(PollLoopTest, FiveHundredFramesDuringTheDealAnimation) {
  InitPictureTables(client.pics, 1.0);
  InitLayout(client);
  SeatFourPlayers(client);
  client.conn.bTableLive = true;
  std::vector<std::uint8_t> flood;
  for (int i = 0; i < 500; ++i) {
    Frame f = Tagged(44, i % 256);
    f[101] = static_cast<std::uint8_t>(i / 256);
    flood.insert(flood.end(), f.begin(), f.end());
  }
  bool delivered = false;
  platform.duringPump = [&] {
    platform.ServerSends(flood);
    delivered = true;
  };
  Receive({test::HandStartFrame(test::kOwn, {1, 2, 3, 4})});
  for (int t = 0; t < 700 && handled.size() < 500; ++t) platform.RunTicks(1);
  ASSERT_TRUE(delivered) << "the hand start animates";
  ASSERT_EQ(handled.size(), 500u);
  for (int i = 0; i < 500; ++i) {
    EXPECT_EQ(handled[i][100], i % 256) << i;
    EXPECT_EQ(handled[i][101], i / 256) << i;
  }
  EXPECT_TRUE(client.table.bInGame);
  EXPECT_FALSE(platform.quit);
}

// Bytes that arrive while the ring is full add to the backlog without
// postponing the frames already waiting.
TEST_F(PollLoopTest, ArrivalsDuringABacklogKeepTheRhythm) {
  std::vector<std::uint8_t> flood;
  for (int i = 0; i < 200; ++i) {
    Frame f = Tagged(44, i);
    flood.insert(flood.end(), f.begin(), f.end());
  }
  platform.ServerSends(flood);
  platform.RunTicks(2);
  ASSERT_EQ(handled.size(), 1u);
  for (int i = 0; i < 20; ++i) {
    Receive({Tagged(44, 200 + i)});
    platform.RunTicks(1);
  }
  EXPECT_EQ(handled.size(), 21u);
  platform.RunTicks(250);
  ASSERT_EQ(handled.size(), 220u);
  for (int i = 0; i < 220; ++i) EXPECT_EQ(handled[i][100], i % 256) << i;
}

TEST_F(PollLoopTest, TheTickDisablesItselfWhileItRuns) {
  // A tick that ends with the heart beat enabled again, at its period.
  platform.RunTicks(1);
  EXPECT_TRUE(platform.TimerOn(TimerId::Bong));
  EXPECT_EQ(platform.timers[static_cast<std::size_t>(TimerId::Bong)].interval, kBongIntervalMs);
}

TEST_F(PollLoopTest, IdleCountRestartsWithEveryFrameInAHand) {
  client.table.bInGame = true;
  client.conn.bRecvPending = true;
  platform.RunTicks(200);
  EXPECT_EQ(client.conn.IdleCount, 100u);  // one count per receive duty
  Receive({Tagged(44, 1)});
  platform.RunTicks(2);
  EXPECT_LE(client.conn.IdleCount, 1u);
}

}  // namespace
}  // namespace vask
