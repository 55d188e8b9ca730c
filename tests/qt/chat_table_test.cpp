// Chat at a scripted table over loopback TCP through the Qt platform: lines
// and a phrase arrive, the player types a line into the real chat box and
// it comes back; the history window, ticker and bubble show them.
#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>

#include "core/client.h"
#include "core/connection/frame.h"
#include "core/connection/startup.h"
#include "platform/qt/lobby_ipc.h"
#include "platform/qt/qt_platform.h"
#include "platform/qt/table_window.h"
#include "lobby_ear.h"
#include "pump_until.h"
#include "support/scripted_server.h"
#include "support/table_frames.h"

namespace vask {
namespace {

using ChatTable = qt_test::PrivateTemp;

void TypeInto(QWidget* box, const QString& text) {
  for (const QChar ch : text) {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(ch));
    QApplication::sendEvent(box, &press);
  }
}

void Press(QWidget* box, int key) {
  QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
  QApplication::sendEvent(box, &press);
}

void ClickAt(QWidget* window, QPointF at) {
  QMouseEvent press(QEvent::MouseButtonPress, at, window->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                    Qt::NoModifier);
  QApplication::sendEvent(window, &press);
  QMouseEvent release(QEvent::MouseButtonRelease, at, window->mapToGlobal(at), Qt::LeftButton, Qt::NoButton,
                      Qt::NoModifier);
  QApplication::sendEvent(window, &release);
}

QPointF CentreOf(const ViewModel& v, const Control& c) {
  return {v.Pic1.x + c.x + c.w / 2, v.Pic1.y + c.y + c.h / 2};
}

TEST_F(ChatTable, LinesAndPhrasesRoundTripThroughTheServer) {
  test::ScriptedServer server;
  ASSERT_TRUE(server.Listening());
  test::ScriptedTable table;  // we are 我自己 at mask 4; 南山人 (mask 2) sits left, 北斗星 (mask 8) right
  server.stepTimeoutMs = 10000;
  Frame ownLine{};
  server.ExpectCmd(18, "the login")
      .Send(test::LoginAndSeating(table))
      .Send({test::ChatFrame(2, "南山人说道： 大家好"), test::ChatFrame(8, "北斗星说道： 快点!", {2, 0, 'a', 5})})
      .Expect("the typed line",
              [&](const Frame& f) {
                ownLine = f;
                return f[frame_offset::kCmd] == 19 && UnpackChatText(f) == "我自己说道： 你好";
              })
      .Send({test::ChatFrame(4, "我自己说道： 你好")});
  server.Start();

  window_link::Endpoint lobby;  // the client gives up when its lobby is gone
  ASSERT_TRUE(lobby.Listen("聊天大厅"));
  QtPlatform platform;
  Client client(platform);
  platform.AttachView(&client.view);
  ASSERT_TRUE(StartUp(client, test::PlayerCommandLine("127.0.0.1", server.Port(), "聊天大厅", "聊天牌桌")));
  TableWindow* window = platform.Window();
  window->show();

  auto history = [&]() -> const std::vector<std::string>& { return TalkLines(client).items; };
  ASSERT_TRUE(test::PumpUntil([&] { return history().size() >= 2; }, 15000))
      << (server.Failures().empty() ? "" : server.Failures()[0]);
  EXPECT_EQ(history()[0], "南山人说道： 大家好");
  EXPECT_EQ(history()[1], "北斗星说道： 快点!");
  ASSERT_TRUE(client.view.SpeakBox[3].visible);
  EXPECT_EQ(FindPart(client.view.SpeakBox[3], "labPhrase")->text, "快点!");

  // Typed into the real chat box and sent with Enter.
  QLineEdit* box = window->ChatBox();
  ASSERT_TRUE(box->isVisible());
  TypeInto(box, "你好");
  EXPECT_EQ(client.view.Chat.text, "你好");
  Press(box, Qt::Key_Return);
  EXPECT_EQ(box->text(), "");
  ASSERT_TRUE(test::PumpUntil([&] { return history().size() >= 3; }, 15000))
      << (server.Failures().empty() ? "" : server.Failures()[0]);
  EXPECT_TRUE(server.Passed());
  EXPECT_EQ(history()[2], "你说道： 你好");
  EXPECT_EQ(client.view.Sysmsg[1].items.front(), "你说道： 你好");

  // The chat button opens the history window over the table.
  ClickAt(window, CentreOf(client.view, client.view.AnNiu[1]));
  EXPECT_TRUE(client.view.Talk.visible);
  test::PumpUntil([&] { return client.bubbles.boxes[3].Alpha > 300; }, 5000);
  const QImage shot = window->grab().toImage();
  if (const char* out = std::getenv("VASK_SHOT")) shot.save(out);
  // The bubble's middle is drawn, its transparent corner is the table's.
  const FormWindow& bubble = client.view.SpeakBox[3];
  const QPoint inside(qRound(client.view.Pic1.x + bubble.x + bubble.w / 2), qRound(client.view.Pic1.y + bubble.y + bubble.h * 0.6));
  EXPECT_GT(qGray(shot.pixel(inside)), 150);
  server.Stop();
}

}  // namespace
}  // namespace vask
