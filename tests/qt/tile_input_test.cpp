// Tile input through the real window offscreen: synthetic mouse and key
// events on a client whose server speaks over loopback TCP.
#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTcpServer>
#include <QTcpSocket>

#include "core/client.h"
#include "core/game/operations.h"
#include "core/view/input.h"
#include "core/view/layout.h"
#include "platform/fake/scripted_hand.h"
#include "platform/qt/qt_platform.h"
#include "platform/qt/table_window.h"
#include "support/play_frames.h"

namespace vask {
namespace {

using test::kOwn;

bool WaitFor(const std::function<bool()>& done, int ms = 5000) {
  QElapsedTimer t;
  t.start();
  while (!done() && t.elapsed() < ms) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
  return done();
}

class WindowTileInput : public ::testing::Test {
 protected:
  WindowTileInput() {
    EXPECT_TRUE(server.listen(QHostAddress::LocalHost, 0));
    platform.AttachView(&client.view);
    InitPictureTables(client.pics, 1.0);
    InitLayout(client);
    platform.AttachView(&client.view);
    SeatFourPlayers(client);
    client.conn.bProxyDone = true;
    client.conn.bTableLive = true;
    client.widgets.ButtonState[2] = true;
    platform.SocketConnect("127.0.0.1", server.serverPort());
    EXPECT_TRUE(WaitFor([&] { return server.hasPendingConnections(); }));
    peer = server.nextPendingConnection();
    EXPECT_TRUE(WaitFor([&] { return platform.SocketState() == kSocketConnected; }));
    EnableTimer(client, TimerId::Bong, true);
  }
  void ServerSends(const std::vector<Frame>& frames) {
    for (const Frame& f : frames) peer->write(reinterpret_cast<const char*>(f.data()), kFrameSize);
    peer->flush();
  }
  // Every frame the client has written so far.
  std::vector<test::Request> Received() {
    got.append(peer->readAll());
    std::vector<test::Request> out;
    for (qsizetype at = 0; at + static_cast<qsizetype>(kFrameSize) <= got.size(); at += kFrameSize) {
      Frame f;
      std::memcpy(f.data(), got.constData() + at, kFrameSize);
      out.push_back(test::ReadRequest(f));
    }
    return out;
  }
  QPointF At(const Control& c, float dy = 0.5f) const {
    return {client.view.Pic1.x + c.x + c.w / 2, client.view.Pic1.y + c.y + dy * c.h};
  }
  void Mouse(QEvent::Type type, QPointF at, Qt::MouseButton button = Qt::NoButton) {
    QMouseEvent e(type, at, at, button, type == QEvent::MouseMove ? Qt::NoButton : button, Qt::NoModifier);
    QApplication::sendEvent(platform.Window(), &e);
  }
  void Key(Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    QKeyEvent e(QEvent::KeyPress, key, mods);
    QApplication::sendEvent(platform.Window(), &e);
  }
  Control& OwnTile(int k) { return client.view.MJ_Image[client.table.Detail[0].Slots[client.table.Detail[0].HandStart + k].Img]; }

  QTcpServer server;
  QtPlatform platform;
  Client client{platform};
  QTcpSocket* peer = nullptr;
  QByteArray got;
};

TEST_F(WindowTileInput, HoverRaisesAClickDiscardsTheRightButtonPassesAndKeysAct) {
  ASSERT_NE(peer, nullptr);
  const std::vector<TileCode> hand = {0x41, 0x41, 0x43, 0x44, 0x47, 0x48, 0x81,
                                      0x81, 0x81, 0x82, 0x83, 0x11, 0x12, 0x29};
  std::vector<Frame> frames = test::DealOwnTiles(hand);
  frames.push_back(test::TurnFrame(kOwn));
  ServerSends(frames);
  ASSERT_TRUE(WaitFor([&] { return client.table.MustDiscard && client.table.Detail[0].HandCount == 14; }));

  // Hover: the pointed-at tile rises and the hand pointer shows.
  const float handY = client.table.Detail[0].HandY;
  Control& east = OwnTile(12);
  Mouse(QEvent::MouseMove, At(east));
  EXPECT_FLOAT_EQ(east.y, handY - 10);
  EXPECT_EQ(platform.Window()->cursor().shape(), Qt::PointingHandCursor);
  Mouse(QEvent::MouseMove, At(OwnTile(11)));
  EXPECT_FLOAT_EQ(east.y, handY);

  // A double click on east discards it once.
  const QPointF onEast = At(east);
  Mouse(QEvent::MouseButtonPress, onEast, Qt::LeftButton);
  Mouse(QEvent::MouseButtonRelease, onEast, Qt::LeftButton);
  Mouse(QEvent::MouseButtonDblClick, onEast, Qt::LeftButton);
  Mouse(QEvent::MouseButtonRelease, onEast, Qt::LeftButton);
  ASSERT_TRUE(WaitFor([&] { return Received().size() >= 2; }));
  EXPECT_EQ(client.table.Detail[0].HandCount, 13);

  // The server reports it; the right seat discards a character 1 and the
  // own seat may pung it: the right button on the table passes.
  ServerSends({test::DiscardFrame(kOwn, 0x11), test::DrawFrame(test::kRight), test::TurnFrame(test::kRight),
               test::DiscardFrame(test::kRight, 0x41), test::TurnFrame(kOwn, OpPass | OpPeng)});
  ASSERT_TRUE(WaitFor([&] { return client.table.OpOffer[kPungButton] == 2; }));
  // A point of the bare table surface.
  QPointF table;
  for (float y = 100; y < 600 && table.isNull(); y += 20)
    for (float x = 100; x < 900 && table.isNull(); x += 20)
      if (std::string(ControlAt(client.view, x, y).name) == "Pic1") table = QPointF(x, y);
  ASSERT_FALSE(table.isNull());
  Mouse(QEvent::MouseButtonPress, table, Qt::RightButton);
  Mouse(QEvent::MouseButtonRelease, table, Qt::RightButton);
  ASSERT_TRUE(WaitFor([&] { return Received().size() >= 3; }));
  EXPECT_EQ(Received(), (std::vector<test::Request>{{7, kOwn, {OpPass, 0, 0, 0}},
                                                    {2, kOwn, {0, 1, 0, 0x4011}},
                                                    {7, kOwn, {OpPass, 0, 0, 0}}}));

  // Alt then C opens the chat input; F1 hides the window.
  Key(Qt::Key_Alt);
  Key(Qt::Key_C, Qt::AltModifier);
  EXPECT_TRUE(client.view.Talk.visible);
  Key(Qt::Key_F1);
  EXPECT_FALSE(client.view.Talk.visible);
  EXPECT_TRUE(client.table.bBossHidden);
}

}  // namespace
}  // namespace vask
