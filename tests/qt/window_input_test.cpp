// The real window hands the user's mouse and keys to the core as plain
// events, and shows the hand pointer over controls that ask for it.
#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <vector>

#include "core/view/view_model.h"
#include "platform/platform.h"
#include "platform/qt/table_window.h"

namespace vask {
namespace {

TEST(WindowInput, MouseAndKeysReachTheCoreAsPlainEvents) {
  ViewModel view;
  view.Pic2.w = 1040, view.Pic2.h = 796, view.Pic2.visible = true;
  view.Pic1.x = 10, view.Pic1.y = 20, view.Pic1.w = 1000, view.Pic1.h = 650;
  Control& tile = view.MJ_Image[0];
  tile.x = 100, tile.y = 100, tile.w = 40, tile.h = 60, tile.visible = true;
  tile.mousePointer = kHandPointer;

  TableWindow window;
  window.SetView(&view);
  std::vector<InputEvent> got;
  window.SetInputSink([&](const InputEvent& e) { got.push_back(e); });

  const QPointF onTile(10 + 110, 20 + 120);
  QMouseEvent move(QEvent::MouseMove, onTile, onTile, Qt::NoButton, Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(&window, &move);
  EXPECT_EQ(window.cursor().shape(), Qt::PointingHandCursor);
  QMouseEvent press(QEvent::MouseButtonPress, onTile, onTile, Qt::RightButton, Qt::RightButton, Qt::ShiftModifier);
  QApplication::sendEvent(&window, &press);
  QKeyEvent f1(QEvent::KeyPress, Qt::Key_F1, Qt::NoModifier);
  QApplication::sendEvent(&window, &f1);
  QKeyEvent c(QEvent::KeyPress, Qt::Key_C, Qt::AltModifier);
  QApplication::sendEvent(&window, &c);
  const QPointF off(600, 600);
  QMouseEvent away(QEvent::MouseMove, off, off, Qt::NoButton, Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(&window, &away);
  EXPECT_EQ(window.cursor().shape(), Qt::ArrowCursor);

  ASSERT_EQ(got.size(), 5u);
  EXPECT_EQ(got[0].kind, InputKind::MouseMove);
  EXPECT_FLOAT_EQ(got[0].x, 120);
  EXPECT_EQ(got[1].kind, InputKind::MouseDown);
  EXPECT_EQ(got[1].button, mouse_button::kRight);
  EXPECT_EQ(got[1].shift, shift_key::kShift);
  EXPECT_EQ(got[2].key, 112);
  EXPECT_EQ(got[3].key, 67);
  EXPECT_EQ(got[3].shift, shift_key::kAlt);
}

TEST(WindowInput, AFloatingWindowOverTheChatBoxIsNotHiddenByIt) {
  ViewModel view;
  view.Pic2.w = 1040, view.Pic2.h = 796, view.Pic2.visible = true;
  view.Pic1.w = 1040, view.Pic1.h = 796;
  view.Chat.x = 300, view.Chat.y = 750, view.Chat.w = 240, view.Chat.h = 30, view.Chat.visible = true;
  TableWindow window;
  window.SetView(&view);
  window.show();
  auto* box = window.findChild<QLineEdit*>();
  ASSERT_NE(box, nullptr);
  EXPECT_TRUE(box->isVisible());
  EXPECT_TRUE(box->mask().isEmpty());
  // The phrase window covers the box's left half: that half is cut out.
  view.huifu.x = 200, view.huifu.y = 500, view.huifu.w = 220, view.huifu.h = 290, view.huifu.visible = true;
  window.SyncInputs();
  EXPECT_TRUE(box->isVisible());
  EXPECT_FALSE(box->mask().contains(QPoint(10, 10)));
  EXPECT_TRUE(box->mask().contains(QPoint(200, 10)));
  // Covered whole, the box is hidden; uncovered, whole again.
  view.huifu.w = 400;
  window.SyncInputs();
  EXPECT_FALSE(box->isVisible());
  view.huifu.visible = false;
  window.SyncInputs();
  EXPECT_TRUE(box->isVisible());
  EXPECT_TRUE(box->mask().isEmpty());
}

}  // namespace
}  // namespace vask
