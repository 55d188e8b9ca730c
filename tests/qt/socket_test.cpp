// The client's link over real loopback TCP through the Qt platform.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTcpServer>
#include <QTcpSocket>

#include "core/client.h"
#include "core/connection/frame.h"
#include "platform/qt/qt_platform.h"
#include "support/frames.h"
#include "support/recording_plugin.h"

namespace vask {
namespace {

// Runs the event loop until the condition holds or two seconds pass.
bool WaitFor(const std::function<bool()>& done) {
  QElapsedTimer t;
  t.start();
  while (!done() && t.elapsed() < 2000) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
  return done();
}

class LoopbackTest : public ::testing::Test {
 protected:
  LoopbackTest() {
    EXPECT_TRUE(server.listen(QHostAddress::LocalHost, 0));
    client.conn.bProxyDone = true;
    client.table.Detail[0].Mask = 1;
    test::ActivateRecordingPlugin(client, &handled);
    platform.SocketConnect("127.0.0.1", server.serverPort());
    EXPECT_TRUE(WaitFor([&] { return server.hasPendingConnections(); }));
    peer = server.nextPendingConnection();
    EXPECT_TRUE(WaitFor([&] { return platform.SocketState() == kSocketConnected; }));
    EnableTimer(client, TimerId::Bong, true);
  }

  QTcpServer server;
  QtPlatform platform;
  Client client{platform};
  QTcpSocket* peer = nullptr;
  std::vector<Frame> handled;
};

TEST_F(LoopbackTest, FramesArriveInPiecesAndAreHandledWholeInOrder) {
  ASSERT_NE(peer, nullptr);
  std::vector<Frame> frames;
  for (int i = 0; i < 5; ++i) {
    Frame f = test::ServerFrame(44, 2, {i});
    f[100] = static_cast<std::uint8_t>(i);
    frames.push_back(f);
  }
  QByteArray all;
  for (const Frame& f : frames) all.append(reinterpret_cast<const char*>(f.data()), kFrameSize);
  // Odd-sized pieces, so frames straddle reads.
  for (qsizetype at = 0; at < all.size(); at += 101) {
    peer->write(all.mid(at, 101));
    peer->flush();
    QCoreApplication::processEvents();
  }
  ASSERT_TRUE(WaitFor([&] { return handled.size() == frames.size(); }));
  for (std::size_t i = 0; i < frames.size(); ++i) EXPECT_EQ(handled[i], frames[i]);
}

TEST_F(LoopbackTest, QueuedFramesLeaveOneAtATime) {
  ASSERT_NE(peer, nullptr);
  MsgInfo r;
  r.cmd = 2;
  r.seat = 1;
  for (int tile : {0x11, 0x45, 0x89}) {
    r.value[0] = static_cast<std::int16_t>(tile);
    ASSERT_TRUE(SendMsg(client, r));
  }
  QByteArray got;
  ASSERT_TRUE(WaitFor([&] {
    got.append(peer->readAll());
    return got.size() >= static_cast<qsizetype>(3 * kFrameSize);
  }));
  EXPECT_EQ(got.size(), static_cast<qsizetype>(3 * kFrameSize));
  EXPECT_EQ(static_cast<std::uint8_t>(got[3]), 2);
  EXPECT_EQ(static_cast<std::uint8_t>(got[9]), 0x11);
  EXPECT_EQ(static_cast<std::uint8_t>(got[2 * kFrameSize + 9]), 0x89);
}

TEST_F(LoopbackTest, APeerThatClosesLeavesTheClientStanding) {
  ASSERT_NE(peer, nullptr);
  Frame f = test::ServerFrame(44, 2);
  peer->write(reinterpret_cast<const char*>(f.data()), 200);  // half a frame, then gone
  peer->flush();
  peer->disconnectFromHost();
  ASSERT_TRUE(WaitFor([&] { return platform.SocketState() != kSocketConnected; }));
  for (int i = 0; i < 10; ++i) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
  EXPECT_TRUE(handled.empty());
  EXPECT_EQ(client.conn.RecvBuf.Unread(), 200u);
}

}  // namespace
}  // namespace vask
