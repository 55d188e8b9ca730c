// The user's mouse and keys reach the handler of the control they land on.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/view/input.h"
#include "support/client_fixture.h"

namespace vask::test {
namespace {

std::vector<std::string> g_log;

void Log(const char* what, const ControlInput& in) {
  g_log.push_back(std::string(what) + " " + std::to_string(in.index) + " " + std::to_string(static_cast<int>(in.x)) +
                  "," + std::to_string(static_cast<int>(in.y)));
}

const ControlHandlers kTable[] = {
    {"MJ_Image", [](Client&, const ControlInput& in) { Log("tile-move", in); },
     [](Client&, const ControlInput& in) { Log("tile-down", in); }, nullptr,
     [](Client&, const ControlInput& in) { Log("tile-click", in); },
     [](Client&, const ControlInput& in) { Log("tile-dbl", in); }},
    {"Pic1", [](Client&, const ControlInput& in) { Log("surface-move", in); },
     [](Client&, const ControlInput& in) { Log("surface-down", in); }, nullptr, nullptr, nullptr,
     [](Client&, const ControlInput& in) { g_log.push_back("surface-key " + std::to_string(in.key)); }},
    {"Form", nullptr, nullptr, nullptr, nullptr, nullptr,
     [](Client&, const ControlInput& in) { g_log.push_back("form-key " + std::to_string(in.key)); }},
    {"Talk", nullptr, [](Client&, const ControlInput& in) { Log("talk-down", in); }},
};

class InputTest : public ClientTest {
 protected:
  InputTest() {
    g_log.clear();
    ViewModel& v = client.view;
    v.Pic2 = Control{};
    v.Pic2.w = 1040, v.Pic2.h = 796, v.Pic2.visible = true;
    v.Pic1.x = 10, v.Pic1.y = 20, v.Pic1.w = 1000, v.Pic1.h = 650, v.Pic1.visible = true;
    for (Control& t : v.MJ_Image) t.visible = false;
    Place(v.MJ_Image[3], 100, 100, 40, 60);
    Place(v.MJ_Image[4], 120, 100, 40, 60);  // overlaps tile 3 on its right half
  }
  void Place(Control& c, float x, float y, float w, float h) {
    c.x = x, c.y = y, c.w = w, c.h = h, c.visible = true;
  }
  void Send(InputKind kind, float x, float y, int button = mouse_button::kLeft) {
    InputEvent e;
    e.kind = kind, e.x = x, e.y = y, e.button = button;
    RouteInput(client, e, kTable);
  }
};

TEST_F(InputTest, ThePointerReachesTheTopmostVisibleControlUnderIt) {
  BringToFront(client.view, client.view.MJ_Image[3]);
  EXPECT_STREQ(ControlAt(client.view, 10 + 130, 20 + 110).name, "MJ_Image");
  EXPECT_EQ(ControlAt(client.view, 10 + 130, 20 + 110).index, 3);
  BringToFront(client.view, client.view.MJ_Image[4]);
  EXPECT_EQ(ControlAt(client.view, 10 + 130, 20 + 110).index, 4);
  client.view.MJ_Image[4].visible = false;
  EXPECT_EQ(ControlAt(client.view, 10 + 130, 20 + 110).index, 3);
  // The far edges belong to what lies beyond.
  EXPECT_STREQ(ControlAt(client.view, 10 + 140, 20 + 110).name, "Pic1");
  EXPECT_STREQ(ControlAt(client.view, 5, 5).name, "Pic2");
}

TEST_F(InputTest, FloatingWindowsLieAboveTheTable) {
  FormWindow& talk = client.view.Talk;
  Place(talk, 90, 90, 200, 100);
  talk.parts.resize(2);
  Place(talk.parts[1], 10, 10, 50, 20);
  const HitResult hit = ControlAt(client.view, 10 + 105, 20 + 105);
  EXPECT_STREQ(hit.name, "Talk");
  EXPECT_EQ(hit.index, 1);
  EXPECT_FLOAT_EQ(hit.x, 15);
  Send(InputKind::MouseDown, 10 + 95, 20 + 95);
  EXPECT_EQ(g_log, std::vector<std::string>{"talk-down -1 5,5"});
}

TEST_F(InputTest, PressAndReleaseOnOneControlIsAClick) {
  Send(InputKind::MouseMove, 10 + 105, 20 + 130);
  Send(InputKind::MouseDown, 10 + 105, 20 + 130);
  Send(InputKind::MouseUp, 10 + 106, 20 + 131);
  // Pressed on a tile, released on the surface: no click.
  Send(InputKind::MouseDown, 10 + 105, 20 + 130);
  Send(InputKind::MouseUp, 10 + 500, 20 + 500);
  EXPECT_EQ(g_log, (std::vector<std::string>{"tile-move 3 5,30", "tile-down 3 5,30", "tile-click 3 6,31",
                                             "tile-down 3 5,30"}));
}

TEST_F(InputTest, TheSecondPressOfADoubleClickIsAPressToo) {
  Send(InputKind::MouseDown, 10 + 105, 20 + 130);
  Send(InputKind::MouseUp, 10 + 105, 20 + 130);
  Send(InputKind::DoubleClick, 10 + 105, 20 + 130);
  Send(InputKind::MouseUp, 10 + 105, 20 + 130);
  EXPECT_EQ(g_log, (std::vector<std::string>{"tile-down 3 5,30", "tile-click 3 5,30", "tile-down 3 5,30",
                                             "tile-dbl 3 5,30", "tile-click 3 5,30"}));
}

TEST_F(InputTest, KeysGoToTheWindowThenTheTableSurface) {
  InputEvent e;
  e.kind = InputKind::KeyDown;
  e.key = 112;
  RouteInput(client, e, kTable);
  EXPECT_EQ(g_log, (std::vector<std::string>{"form-key 112", "surface-key 112"}));
}

TEST_F(InputTest, ControlsWithoutHandlersIgnoreTheUser) {
  Place(client.view.Bird, 300, 300, 50, 50);
  Send(InputKind::MouseDown, 10 + 310, 20 + 310);
  Send(InputKind::MouseUp, 10 + 310, 20 + 310);
  EXPECT_TRUE(g_log.empty());
  // The client's own table takes every event without a fault.
  platform.Click(10 + 310, 20 + 310);
  platform.Click(-50, 5000, mouse_button::kRight);
  platform.PressKey(27);
}

}  // namespace
}  // namespace vask::test
