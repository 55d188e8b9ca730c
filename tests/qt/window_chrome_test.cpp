// The real window has no frame of the window system's: its own title band
// drags it, and its close button opens the leave dialog.
#include <gtest/gtest.h>

#include <QApplication>
#include <QMouseEvent>

#include "core/client.h"
#include "core/view/layout.h"
#include "platform/qt/art/picture_art.h"
#include "platform/qt/qt_platform.h"
#include "platform/qt/table_window.h"

namespace vask {
namespace {

class RealWindowChrome : public ::testing::Test {
 protected:
  RealWindowChrome() {
    platform.AttachView(&client.view);
    InitPictureTables(client.pics, 1.0);
    InitLayout(client);
    platform.AttachView(&client.view);
    platform.Window()->move(100, 80);
    platform.Window()->show();
  }
  // A mouse event at a window point, the screen point following the window.
  void Mouse(QEvent::Type type, QPointF at, Qt::MouseButton button, Qt::MouseButtons held) {
    const QPointF global = at + QPointF(platform.Window()->pos());
    QMouseEvent e(type, at, global, button, held, Qt::NoModifier);
    QApplication::sendEvent(platform.Window(), &e);
  }
  QPointF Centre(const Control& c) const { return {c.x + c.w / 2, c.y + c.h / 2}; }

  QtPlatform platform;
  Client client{platform};
};

TEST_F(RealWindowChrome, TheWindowIsFramelessAndItsStripDragsIt) {
  TableWindow* window = platform.Window();
  EXPECT_TRUE(window->windowFlags() & Qt::FramelessWindowHint);
  client.view.Talk.visible = true;
  const QPoint before = window->pos();
  const QPointF grip = Centre(client.view.LbMove);
  Mouse(QEvent::MouseButtonPress, grip, Qt::LeftButton, Qt::LeftButton);
  EXPECT_FALSE(client.view.Talk.visible);
  // The pointer moves 40 right and 30 down on the screen; the window with it.
  const QPointF global = grip + QPointF(before) + QPointF(40, 30);
  QMouseEvent move(QEvent::MouseMove, global - QPointF(window->pos()), global, Qt::NoButton, Qt::LeftButton,
                   Qt::NoModifier);
  QApplication::sendEvent(window, &move);
  EXPECT_EQ(window->pos(), before + QPoint(40, 30));
  Mouse(QEvent::MouseButtonRelease, grip, Qt::LeftButton, Qt::NoButton);
  EXPECT_FALSE(window->Dragging());
  // After the release the pointer moves without the window.
  Mouse(QEvent::MouseMove, grip + QPointF(50, 50), Qt::NoButton, Qt::NoButton);
  EXPECT_EQ(window->pos(), before + QPoint(40, 30));
}

TEST_F(RealWindowChrome, CloseOpensTheLeaveDialogAndHoverLightsTheButton) {
  const Control& close = client.view.ImgClose[0];
  const QPointF at = Centre(close);
  Mouse(QEvent::MouseMove, at, Qt::NoButton, Qt::NoButton);
  EXPECT_EQ(close.picture, kClosePic + 1);
  Mouse(QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton);
  EXPECT_EQ(close.picture, kClosePic + 2);
  Mouse(QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton);
  EXPECT_TRUE(client.view.frmExit.visible);
  EXPECT_TRUE(platform.Window()->isVisible());  // closing the game is the dialog's business
  // The band is drawn: the close button's own picture at its place.
  const QImage shot = RenderTable(client.view, platform.Window()->Art());
  const QImage* face = platform.Window()->Art().Get(kClosePic + 1);
  ASSERT_NE(face, nullptr);
  EXPECT_NE(shot.pixel(static_cast<int>(at.x()), static_cast<int>(at.y())),
            shot.pixel(static_cast<int>(client.view.LbMove.x + 2), static_cast<int>(at.y())));
}

}  // namespace
}  // namespace vask
