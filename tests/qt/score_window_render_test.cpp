// The score and record windows as the window draws them after a hand:
// floating over the table, translucent, with every seat's settlement
// column and the record list. VASK_SHOTS=<dir> also saves the pictures.
#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <cstdlib>

#include "core/client.h"
#include "core/game/seats.h"
#include "core/settle/score_windows.h"
#include "core/view/buttons.h"
#include "core/view/layout.h"
#include "platform/fake/fake_platform.h"
#include "platform/qt/art/picture_art.h"
#include "platform/qt/table_window.h"
#include "support/client_fixture.h"
#include "support/play_frames.h"
#include "support/settle_frames.h"
#include "support/table_frames.h"

namespace vask::test {
namespace {

class ScoreWindowRender : public ClientTest {
 protected:
  ScoreWindowRender() {
    client.conn.LobbyTitle = "Vask山庄";
    platform.existingWindows = {"Vask山庄"};
    client.table.Detail[0].username = "player";
    InitPictureTables(client.pics, 1.0);
    InitLayout(client);
    Play(LoginAndSeating());
    StartOrContinue(client);
    Play(std::vector<Frame>{HandStartFrame(MaskOfView(4, 1), {3, 4, 2, 5})});
    client.table.KongRecord[18][0] = 1, client.table.KongRecord[19][0] = 5, client.table.KongRecord[20][0] = 4;
    std::vector<Frame> end;
    for (int v = 0; v < 4; ++v) end.push_back(HandResultFrame(MaskOfView(4, v), {v == 0 ? 120 : -40, 0, false, false, "赢家"}));
    for (int v = 0; v < 4; ++v) {
      SettleSpec s = Settle(v == 0 ? 6 : -2, v == 0 ? 120 : -40);
      if (v == 0) s.winFlags = {0x01, 0x10, 0x10, 0x00};
      end.push_back(SettleFrame(MaskOfView(4, v), s));
    }
    Play(end);
  }
  void Play(const std::vector<Frame>& frames) {
    std::vector<std::uint8_t> bytes;
    for (const Frame& f : frames) bytes.insert(bytes.end(), f.begin(), f.end());
    platform.ServerSends(bytes);
    for (std::size_t i = 0; i < frames.size() + 4; ++i) platform.RunTicks(1);
  }
  void Save(const QImage& image, const char* name) {
    if (const char* dir = std::getenv("VASK_SHOTS")) image.save(QDir(dir).filePath(name));
  }
  // Pixels of the rectangle that differ from the same place without the window.
  static int Changed(const QImage& with, const QImage& without, const QRect& r) {
    int n = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
      for (int x = r.left(); x <= r.right(); ++x)
        if (with.pixel(x, y) != without.pixel(x, y)) ++n;
    return n;
  }
  QRect OnWindow(const ListControl& part, const FormWindow& w) const {
    const ViewModel& v = client.view;
    return QRect(static_cast<int>(v.Pic1.x + w.x + part.x), static_cast<int>(v.Pic1.y + w.y + part.y),
                 static_cast<int>(part.w), static_cast<int>(part.h));
  }
  PictureArt art;
};

TEST_F(ScoreWindowRender, TheScoreWindowFloatsOverTheTableWithEveryColumn) {
  ASSERT_TRUE(client.view.Score.visible);
  const QImage shown = RenderTable(client.view, art);
  client.view.Score.visible = false;
  const QImage hidden = RenderTable(client.view, art);
  client.view.Score.visible = true;
  Save(shown, "score_window.png");
  for (int i = 0; i < 4; ++i) {
    SCOPED_TRACE(i);
    // Text in every seat column and its final line.
    EXPECT_GT(Changed(shown, hidden, OnWindow(ScoreState(client, i), client.view.Score)), 200);
    EXPECT_GT(Changed(shown, hidden, OnWindow(ScoreState(client, i + 4), client.view.Score)), 20);
  }
  // Translucent: the table shows through the window's background.
  const ListControl& gap = ScoreState(client, 0);
  const QPoint inside(static_cast<int>(client.view.Pic1.x + client.view.Score.x + gap.x + gap.w + 4),
                      static_cast<int>(client.view.Pic1.y + client.view.Score.y + 60));
  EXPECT_NE(shown.pixel(inside), QColor(40, 26, 16).rgb());
}

TEST_F(ScoreWindowRender, TheRecordWindowListsTheHand) {
  ToggleRecordWindow(client);
  ASSERT_TRUE(client.view.Hero.visible);
  const QImage shown = RenderTable(client.view, art);
  client.view.Hero.visible = false;
  const QImage hidden = RenderTable(client.view, art);
  Save(shown, "record_window.png");
  client.view.Hero.visible = true;
  EXPECT_GT(Changed(shown, hidden, OnWindow(HeroNum(client), client.view.Hero)), 20);
  for (int i = 0; i < 4; ++i) EXPECT_GT(Changed(shown, hidden, OnWindow(HeroGrade(client, i), client.view.Hero)), 20);
}

}  // namespace
}  // namespace vask::test
