#include "core/connection/frame.h"

#include <gtest/gtest.h>

#include "core/connection/gbk.h"
#include "core/connection/dispatcher.h"
#include "support/client_fixture.h"
#include "support/recording_plugin.h"

namespace vask {
namespace {

using test::ClientTest;
using test::ServerFrame;

struct ValueCase {
  int cmd;
  std::uint8_t high, low;
  std::int16_t expected;
};

TEST(DecodeValue, FollowsThePerCommandRule) {
  const ValueCase cases[] = {
      {5, 1, 2, 2},           // low byte alone
      {2, 255, 255, 255},     // never negative
      {14, 1, 2, 258},        // 15-bit unsigned
      {14, 0x7F, 0xFF, 32767},
      {14, 0x80, 0x05, 5},    // out of range: the sign bit is dropped
      {17, 255, 254, -2},     // signed 16-bit
      {17, 0x80, 0x00, -32768},
      {17, 0x7F, 0xFF, 32767},
  };
  for (const auto& c : cases)
    EXPECT_EQ(DecodeValue(c.cmd, c.high, c.low), c.expected) << "cmd " << c.cmd;
}

TEST(DecodeHeader, ReadsCommandSeatAndExtras) {
  Frame f = ServerFrame(7, 0xF4, {1, 2, 3, 4});
  f[0] = 9;
  f[2] = 1;  // the high command byte is ignored
  f[5] = 11;
  f[7] = 13;
  MsgInfo r = DecodeHeader(f);
  EXPECT_EQ(r.cmd, 7);
  EXPECT_EQ(r.seat, 4);  // high nibble ignored
  EXPECT_EQ(r.ext5, 11);
  EXPECT_EQ(r.ext7, 13);
  EXPECT_EQ(r.value, (std::array<std::int16_t, 4>{1, 2, 3, 4}));
}

TEST(EncodeHeader, WritesTwosComplementBigEndian) {
  MsgInfo r;
  r.cmd = 300;
  r.seat = 2;
  r.value = {-2, 300, -1, 0};
  Frame f = EncodeHeader(r);
  EXPECT_EQ(f[2], 1);
  EXPECT_EQ(f[3], 44);
  EXPECT_EQ(f[6], 2);
  EXPECT_EQ((std::vector<int>{f[8], f[9], f[10], f[11], f[12], f[13]}),
            (std::vector<int>{255, 254, 1, 44, 255, 255}));
  for (std::size_t i = 16; i < kFrameSize; ++i) EXPECT_EQ(f[i], 0) << i;
}

TEST(ChatPacking, KeepsTheFirstHundredCharacters) {
  struct Case {
    std::string text;
    std::size_t bytes;
  };
  std::string han100, han150;
  for (int i = 0; i < 100; ++i) han100 += "麻";
  for (int i = 0; i < 150; ++i) han150 += "将";
  const Case cases[] = {
      {std::string(150, 'a'), 100},
      {std::string(100, 'b'), 100},
      {han100, 200},
      {han150, 200},
      {"ab胡了", 6},
  };
  for (const auto& c : cases) {
    Frame f{};
    EXPECT_EQ(PackChatText(f, c.text), c.bytes);
    EXPECT_EQ(f[216], 0);
    EXPECT_EQ(UnpackChatText(f), FirstChars(c.text, 100));
  }
}

TEST(ChatPacking, HundredDoubleByteCharactersFillTheTextField) {
  std::string han;
  for (int i = 0; i < 100; ++i) han += "混";
  Frame f{};
  PackChatText(f, han);
  EXPECT_NE(f[215], 0);
  EXPECT_EQ(f[216], 0);
}

class GetMsgTest : public ClientTest {
 protected:
  void Decode(const Frame& f) {
    client.conn.RecvBuf.PutAll(f);
    GetMsg(client);
  }
};

TEST_F(GetMsgTest, SeatNameTakesSixteenBytesOrStopsAtZero) {
  Frame whole = ServerFrame(3, 4);
  test::PutString(whole, 16, "abcdefghijklmnop");
  whole[32] = 'X';  // beyond the name field
  Decode(whole);
  EXPECT_EQ(client.conn.SeatName[2], "abcdefghijklmnop");

  Frame stopped = ServerFrame(3, 8);
  test::PutString(stopped, 16, "bob");
  test::PutString(stopped, 20, "tail");
  Decode(stopped);
  EXPECT_EQ(client.conn.SeatName[3], "bob");

  // A second frame for the same seat appends.
  Decode(stopped);
  EXPECT_EQ(client.conn.SeatName[3], "bobbob");
}

TEST_F(GetMsgTest, EveryCommandConsumesExactlyOneFrame) {
  for (int cmd : {0, 1, 3, 17, 19, 29, 40, 93, 255}) {
    std::size_t before = client.conn.RecvBuf.ReadPos();
    Decode(ServerFrame(cmd, 1));
    EXPECT_EQ(client.conn.RecvBuf.ReadPos(), (before + kFrameSize) % kRingSize) << cmd;
  }
}

TEST_F(GetMsgTest, MarkedChatFramesGoToThePluginOnly) {
  std::vector<Frame> received;
  for (std::uint32_t marker : {272u, 260u}) {
    Frame f = ServerFrame(19, 2);
    test::PutString(f, 16, "not text");
    test::PutU32(f, 236, marker);
    Decode(f);  // inactive: nothing at all
    EXPECT_TRUE(received.empty());
    EXPECT_EQ(client.conn.Rinfo.seat, 2) << "the seat stays a mask";
  }
  test::ActivateRecordingPlugin(client, &received);
  Frame f = ServerFrame(19, 2);
  test::PutU32(f, 236, 272);
  Decode(f);
  ASSERT_EQ(received.size(), 1u);
  EXPECT_EQ(received[0], f);
}

TEST_F(GetMsgTest, ChatSeatBecomesTheSpeakersViewPosition) {
  client.table.Detail[0].Mask = 4;
  Frame f = ServerFrame(19, 8);
  test::PutString(f, 16, "hi");
  Decode(f);
  EXPECT_EQ(client.conn.Rinfo.seat, 3);
  Decode(ServerFrame(19, 0));
  EXPECT_EQ(client.conn.Rinfo.seat, 0);
}

TEST_F(ClientTest, ServerTagFollowsEveryFrameButReloginAnswers) {
  auto withTag = [](int cmd, int a, int b) {
    Frame f = ServerFrame(cmd);
    f[260] = static_cast<std::uint8_t>(a);
    f[261] = static_cast<std::uint8_t>(b);
    return f;
  };
  const struct {
    Frame frame;
    std::array<std::uint8_t, 2> tag;
  } steps[] = {
      {withTag(8, 1, 2), {1, 2}},    // unassigned commands update it too
      {withTag(29, 7, 7), {1, 2}},   // command 29 leaves it
      {withTag(16, 3, 4), {3, 4}},
      {withTag(200, 5, 6), {5, 6}},
  };
  for (const auto& step : steps) {
    client.conn.RecvBuf.PutAll(step.frame);
    GetMsg(client);
    ProcessMsg(client, client.conn.Rinfo);
    EXPECT_EQ(client.conn.ServerTag, step.tag);
  }
  MsgInfo ready;
  ready.cmd = 16;
  ready.seat = 1;
  ready.value[3] = 1;
  ASSERT_TRUE(SendMsg(client, ready));
  Frame sent;
  client.conn.SendBuf.Take(sent);
  EXPECT_EQ(sent[260], 5);
  EXPECT_EQ(sent[261], 6);
}

TEST_F(ClientTest, ChatSendNeedsTextAndEmptiesIt) {
  MsgInfo chat;
  chat.cmd = 19;
  chat.seat = 1;
  EXPECT_FALSE(SendMsg(client, chat));
  EXPECT_EQ(client.conn.SendBuf.Unread(), 0u);
  EXPECT_FALSE(client.conn.bSendPending);

  client.conn.ChatText = "你好";
  EXPECT_TRUE(SendMsg(client, chat));
  EXPECT_TRUE(client.conn.ChatText.empty());
  Frame sent;
  client.conn.SendBuf.Take(sent);
  EXPECT_EQ(UnpackChatText(sent), "你好");
  EXPECT_EQ(sent[16], 0xC4);  // GBK of 你
  EXPECT_EQ(sent[17], 0xE3);
}

TEST_F(ClientTest, FullSendRingRefusesWithoutOverwriting) {
  client.platform.SocketClose();  // nothing leaves
  MsgInfo r;
  r.cmd = 2;
  r.seat = 1;
  int accepted = 0;
  for (int i = 0; i < 200; ++i) {
    r.value[0] = static_cast<std::int16_t>(i);
    if (SendMsg(client, r)) ++accepted;
  }
  // The ring keeps one byte free, so 127 whole frames fit.
  EXPECT_EQ(accepted, 127);
  EXPECT_EQ(client.conn.SendRefused, 73u);
  for (int i = 0; i < 127; ++i) {
    Frame f;
    client.conn.SendBuf.Take(f);
    EXPECT_EQ(f[9], i) << "frame " << i << " intact";
  }
  Frame raw{};
  EXPECT_TRUE(SendRawMsg(client, raw));
}

TEST_F(ClientTest, RawFramesAreStampedWithTheServerTag) {
  client.conn.ServerTag = {9, 8};
  Frame raw{};
  raw[3] = 45;
  raw[100] = 0x5A;
  ASSERT_TRUE(SendRawMsg(client, raw));
  Frame sent;
  client.conn.SendBuf.Take(sent);
  EXPECT_EQ(sent[3], 45);
  EXPECT_EQ(sent[100], 0x5A);
  EXPECT_EQ(sent[260], 9);
  EXPECT_EQ(sent[261], 8);
}

}  // namespace
}  // namespace vask
