// The main window's own title band (close, minimise, the drag strip) and
// the window on every screen size: the table and its floating windows all
// on the screen, the band clear of the table's controls.
#include <gtest/gtest.h>

#include <string>

#include "core/client.h"
#include "core/connection/leaving.h"
#include "core/connection/reconnect.h"
#include "core/connection/startup.h"
#include "core/settle/score_windows.h"
#include "core/social/bubbles.h"
#include "core/social/chat.h"
#include "core/social/phrases.h"
#include "core/social/sound.h"
#include "core/view/chrome.h"
#include "core/view/dialogs.h"
#include "core/view/input.h"
#include "core/view/layout.h"
#include "core/view/player_card.h"
#include "platform/fake/fake_platform.h"

namespace vask {
namespace {

constexpr const char* kLine = "me$key$127.0.0.1$7300$本地$0$$0$$$1$Vask山庄$Vask$0$0$";

struct Rect {
  float x, y, w, h;
};
bool Within(const Rect& in, const Rect& outer) {
  return in.x >= outer.x - 0.01f && in.y >= outer.y - 0.01f && in.x + in.w <= outer.x + outer.w + 0.01f &&
         in.y + in.h <= outer.y + outer.h + 0.01f;
}
bool Overlap(const Rect& a, const Rect& b) {
  return a.x < b.x + b.w && b.x < a.x + a.w && a.y < b.y + b.h && b.y < a.y + a.h;
}
// A control of the table in window pixels.
Rect OnWindow(const ViewModel& v, const Control& c) { return {v.Pic1.x + c.x, v.Pic1.y + c.y, c.w, c.h}; }
Rect Of(const Control& c) { return {c.x, c.y, c.w, c.h}; }
std::string Name(const char* name, int index) { return std::string(name) + "(" + std::to_string(index) + ")"; }

class WindowOnScreen : public ::testing::TestWithParam<ScreenSize> {
 protected:
  WindowOnScreen() : client(platform) {
    platform.screen = GetParam();
    EXPECT_TRUE(StartUp(client, kLine));
    for (int v = 0; v < 4; ++v) client.players.PlayerInfo[v].Nick = "玩家" + std::to_string(v);
  }
  Rect Screen() const { return {0, 0, static_cast<float>(GetParam().width), static_cast<float>(GetParam().height)}; }
  FakePlatform platform;
  Client client;
};

TEST_P(WindowOnScreen, TheWindowAndEveryControlOfTheTableLieOnTheScreen) {
  const ViewModel& v = client.view;
  const ScreenSize window = MainWindowSize(GetParam());
  EXPECT_FLOAT_EQ(v.Pic2.w, window.width);
  EXPECT_FLOAT_EQ(v.Pic2.h, window.height);
  EXPECT_TRUE(Within(Of(v.Pic2), Screen()));
  EXPECT_TRUE(Within(Of(v.Pic1), Of(v.Pic2)));
  // On 1024 × 768 and more the table is at its full size.
  EXPECT_EQ(v.LayoutScale, GetParam().width >= 1024 && GetParam().height >= 768 ? 1.0f : kSmallScale);
  ForEachControl(v, [&](const char* name, int index, const Control& c) {
    if (c.w <= 0 || c.h <= 0) return;  // never placed
    EXPECT_TRUE(Within(OnWindow(v, c), Of(v.Pic2))) << Name(name, index) << " at " << c.x << "," << c.y << " "
                                                    << c.w << "x" << c.h;
  });
}

TEST_P(WindowOnScreen, TheTitleBandStandsClearOfTheTable) {
  const ViewModel& v = client.view;
  const Rect close = Of(v.ImgClose[0]), min = Of(v.ImgMin[0]), strip = Of(v.LbMove);
  for (const Rect& r : {close, min, strip}) EXPECT_TRUE(Within(r, Of(v.Pic2)));
  EXPECT_FALSE(Overlap(close, min));
  EXPECT_FALSE(Overlap(strip, min));
  EXPECT_GT(close.x, min.x);  // close in the corner, minimise beside it
  EXPECT_GE(close.w, 10.0f);
  // Nothing of the table that can be seen or clicked lies under the band.
  ForEachControl(v, [&](const char* name, int index, const Control& c) {
    if (c.w <= 0 || c.h <= 0 || std::string(name) == "MJ_Image" || std::string(name) == "SZ_Image") return;
    for (const Rect& r : {close, min, strip}) EXPECT_FALSE(Overlap(OnWindow(v, c), r)) << Name(name, index);
  });
}

TEST_P(WindowOnScreen, EveryFloatingWindowOpensOnTheTable) {
  ViewModel& v = client.view;
  ToggleTalkWindow(client);
  PhraseButton_Click(client, kPhraseOwn);
  ToggleSoundSettings(client);
  ToggleScoreWindow(client);
  ToggleRecordWindow(client);
  ToggleLeaveDialog(client);
  ShowOtherExitDialog(client);
  OpenReconnectDialog(client);
  for (int view = 1; view < 4; ++view) ShowBubble(client, view, "快点吧");
  int shown = 0;
  auto check = [&](const char* name, const FormWindow& w) {
    if (!w.visible) return;
    ++shown;
    EXPECT_TRUE(Within(Of(w), {0, 0, v.Pic1.w, v.Pic1.h})) << name << " at " << w.x << "," << w.y << " " << w.w << "x" << w.h;
  };
  ForEachWindow(v, check);
  // The talk and phrase windows share a corner; the record window hides the score window.
  EXPECT_GE(shown, 9);
  for (int view = 0; view < 4; ++view) {
    ShowPlayerCard(client, view);
    ASSERT_TRUE(v.Information.visible) << view;
    check("Information", v.Information);
    HidePlayerCard(client);
  }
}

INSTANTIATE_TEST_SUITE_P(Screens, WindowOnScreen,
                         ::testing::Values(ScreenSize{800, 600}, ScreenSize{1024, 768}, ScreenSize{1280, 1024},
                                           ScreenSize{1366, 768}, ScreenSize{1000, 900}));

// The band's buttons through the input router: their faces under the
// pointer, and what a click does.
class WindowChrome : public ::testing::Test {
 protected:
  WindowChrome() : client(platform) {
    platform.existingWindows = {"Vask山庄"};
    EXPECT_TRUE(StartUp(client, kLine));
    platform.calls.clear();
  }
  std::pair<float, float> Centre(const Control& c) const { return {c.x + c.w / 2, c.y + c.h / 2}; }
  void Move(const Control& c) {
    auto [x, y] = Centre(c);
    platform.MoveMouse(x, y);
  }
  void Down(const Control& c, int button = mouse_button::kLeft) {
    auto [x, y] = Centre(c);
    platform.MouseAt(InputKind::MouseDown, x, y, button);
  }
  void Up(const Control& c, int button = mouse_button::kLeft) {
    auto [x, y] = Centre(c);
    platform.MouseAt(InputKind::MouseUp, x, y, button);
  }
  int Close() const { return client.view.ImgClose[0].picture; }
  int Min() const { return client.view.ImgMin[0].picture; }
  FakePlatform platform;
  Client client;
};

TEST_F(WindowChrome, HoverPressAndReleaseShowTheirFaces) {
  ViewModel& v = client.view;
  EXPECT_EQ(Close(), kClosePic);
  EXPECT_EQ(Min(), kMinimizePic);
  for (int f = 1; f <= 3; ++f) EXPECT_FALSE(v.ImgClose[f].visible);
  Move(v.ImgClose[0]);
  EXPECT_EQ(Close(), kClosePic + 1);
  EXPECT_TRUE(client.widgets.ChromeHover);
  // While one is lit the other stays as it is.
  Move(v.ImgMin[0]);
  EXPECT_EQ(Min(), kMinimizePic);
  // The strip puts both out; so do the window's rim and the table.
  Move(v.LbMove);
  EXPECT_EQ(Close(), kClosePic);
  EXPECT_FALSE(client.widgets.ChromeHover);
  Move(v.ImgMin[0]);
  EXPECT_EQ(Min(), kMinimizePic + 1);
  platform.MoveMouse(v.Pic1.x + 500, v.Pic1.y + 400);
  EXPECT_EQ(Min(), kMinimizePic);
  EXPECT_FALSE(client.widgets.ChromeHover);
  Move(v.ImgMin[0]);
  client.widgets.ChromeHover = true;
  MainForm_Form_MouseMove(client, {});
  EXPECT_EQ(Min(), kMinimizePic);

  Move(v.ImgClose[0]);
  Down(v.ImgClose[0]);
  EXPECT_EQ(Close(), kClosePic + 2);
  EXPECT_FALSE(v.frmExit.visible);  // nothing happens before the release
  // Sliding off before letting go: no click.
  Up(v.LbMove);
  EXPECT_FALSE(v.frmExit.visible);
  Down(v.ImgClose[0]);
  Up(v.ImgClose[0]);
  EXPECT_EQ(Close(), kClosePic + 1);
}

TEST_F(WindowChrome, CloseOpensAndClosesTheLeaveDialog) {
  ViewModel& v = client.view;
  auto [x, y] = Centre(v.ImgClose[0]);
  platform.Click(x, y);
  EXPECT_TRUE(v.frmExit.visible);
  // Centred over the main window's table.
  EXPECT_NEAR(v.frmExit.x + v.frmExit.w / 2, v.Pic1.w / 2, 1.0f);
  platform.Click(x, y);
  EXPECT_FALSE(v.frmExit.visible);
  EXPECT_FALSE(platform.CallMade("Quit"));
}

TEST_F(WindowChrome, MinimiseHidesTheWindowsAndTheWindowAsTheHideButtonDoes) {
  ViewModel& v = client.view;
  v.Talk.visible = v.huifu.visible = v.Score.visible = v.Hero.visible = v.VosSet.visible = true;
  auto [x, y] = Centre(v.ImgMin[0]);
  platform.Click(x, y);
  for (const FormWindow* w : {&v.Talk, &v.huifu, &v.Score, &v.Hero, &v.VosSet}) EXPECT_FALSE(w->visible);
  EXPECT_TRUE(platform.CallMade("MinimizeMainWindow"));
  EXPECT_TRUE(client.table.bBossHidden);  // and the quick hide's short turns
}

TEST_F(WindowChrome, TheStripDragsTheWindowWithoutTheChatWindows) {
  ViewModel& v = client.view;
  v.Talk.visible = v.huifu.visible = v.Score.visible = true;
  Down(v.LbMove, mouse_button::kRight);
  EXPECT_FALSE(platform.CallMade("DragMainWindow"));
  EXPECT_TRUE(v.Talk.visible);
  Down(v.LbMove);
  EXPECT_TRUE(platform.CallMade("DragMainWindow"));
  EXPECT_FALSE(v.Talk.visible);
  EXPECT_FALSE(v.huifu.visible);
  EXPECT_TRUE(v.Score.visible);  // the score window stays where it is
}

TEST_F(WindowChrome, TheBandIsOverTheFloatingWindows) {
  ViewModel& v = client.view;
  // A score window dragged up to the table's top edge lies under the band.
  v.Score.visible = true;
  v.Score.x = 0, v.Score.y = 0;
  auto [x, y] = Centre(v.ImgClose[0]);
  const HitResult hit = ControlAt(v, x, y);
  ASSERT_NE(hit.name, nullptr);
  EXPECT_STREQ(hit.name, "ImgClose");
  const HitResult strip = ControlAt(v, 30, 2);
  EXPECT_STREQ(strip.name, "LbMove");
}

}  // namespace
}  // namespace vask
