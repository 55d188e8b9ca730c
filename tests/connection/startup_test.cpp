// Start-up through the fake platform: refusals, the command line's effect,
// the window size, the caption, the login frame and the login duty.
#include "core/connection/startup.h"

#include <gtest/gtest.h>

#include "core/client.h"
#include "core/connection/command_line.h"
#include "platform/fake/fake_platform.h"
#include "support/table_frames.h"

namespace vask {
namespace {

class StartUpTest : public ::testing::Test {
 protected:
  StartUpTest() { platform.existingWindows = {"Vask山庄", "大厅"}; }
  bool Start(const std::string& line) { return StartUp(client, line); }

  FakePlatform platform;
  Client client{platform};
};

constexpr const char* kLine = "player$key-1234$127.0.0.1$7300$本地练习$0$$0$$$1$大厅$我的牌桌$1$0$";

TEST_F(StartUpTest, ABareStartIsRefused) {
  EXPECT_FALSE(Start("   "));
  EXPECT_TRUE(platform.CallMade("MessageBox(警告,本游戏需从游戏大厅中启动！)"));
  EXPECT_TRUE(platform.quit);
  EXPECT_FALSE(platform.CallMade("SocketConnect"));
}

TEST_F(StartUpTest, ASecondInstanceIsRefused) {
  platform.singleInstanceTaken = true;
  EXPECT_FALSE(Start(kLine));
  EXPECT_TRUE(platform.CallMade("MessageBox(警告, Velora游戏已经运行！)"));
  EXPECT_TRUE(platform.quit);
  EXPECT_FALSE(platform.CallMade("SocketConnect"));
}

TEST_F(StartUpTest, ABadFieldIsRefusedAndNothingIsStarted) {
  EXPECT_FALSE(Start("player$key$127.0.0.1$73o0$loc$0$$0$$$1$大厅$C$1$0$"));
  EXPECT_TRUE(platform.CallMade(std::string("MessageBox(警告,") + command_line_text::kBadServerPort + ")"));
  EXPECT_TRUE(platform.quit);
  EXPECT_FALSE(platform.CallMade("SocketConnect"));
  EXPECT_FALSE(platform.CallMade("ShowMainWindow"));
  EXPECT_FALSE(platform.TimerOn(TimerId::Bong));
}

TEST_F(StartUpTest, APlayerLineConnectsDirectlyAndUsesTheLobbysCaption) {
  ASSERT_TRUE(Start(kLine));
  EXPECT_TRUE(platform.CallMade("SocketConnect(127.0.0.1:7300)"));
  EXPECT_FALSE(client.table.Spectator);
  EXPECT_TRUE(platform.TimerOn(TimerId::Bong));
  EXPECT_TRUE(client.conn.bLoginSend);
  EXPECT_TRUE(client.conn.bProxyDone);
  EXPECT_EQ(client.conn.LobbyTitle, "大厅");
  EXPECT_TRUE(platform.CallMade("SetMainTitle(我的牌桌)"));
  EXPECT_TRUE(platform.CallMade("ShowMainWindow(true)"));
  EXPECT_EQ(client.table.Detail[0].username, "player");
  EXPECT_EQ(client.table.Detail[0].Mask, 0);
  EXPECT_EQ(client.view.Sysmsg[0].items, std::vector<std::string>{"正在连接服务器..."});
  EXPECT_EQ(client.view.Location.text, "本地练习");
  EXPECT_EQ(client.prop.Prop_swicth, 1);
}

TEST_F(StartUpTest, WithoutTheCaptionChoiceTheLobbyIsFoundAsVaskShanzhuang) {
  ASSERT_TRUE(Start("player$k$127.0.0.1$7300$loc$0$$0$$$0$大厅$我的牌桌$1$0$"));
  EXPECT_EQ(client.conn.LobbyTitle, "Vask山庄");
  EXPECT_FALSE(platform.CallMade("SetMainTitle(我的牌桌)"));
  EXPECT_TRUE(platform.CallMade(std::string("SetMainTitle(") + kDefaultCaption + ")"));
}

TEST_F(StartUpTest, ProxyTypes) {
  struct Case {
    const char* type;
    bool connects;
  } cases[] = {{"0", true}, {"5", false}, {"9", false}};
  for (const Case& k : cases) {
    FakePlatform p;
    Client c(p);
    ASSERT_TRUE(StartUp(c, std::string("a$k$h$7300$l$") + k.type + "$ph$1080$u$pw$1$T$C$0$0$")) << k.type;
    EXPECT_EQ(p.CallMade("SocketConnect(h:7300)"), k.connects) << k.type;
    // Type 5 reaches the server through its proxy's handshake.
    EXPECT_EQ(p.CallMade("SocketConnect(ph:1080)"), std::string(k.type) == "5") << k.type;
    EXPECT_EQ(c.conn.bLoginSend, k.connects) << k.type;
    EXPECT_EQ(c.launch.ProxyHost, "ph");
    EXPECT_EQ(c.launch.ProxyPort, 1080);
  }
}

TEST_F(StartUpTest, TheWindowFollowsTheScreen) {
  struct Case {
    int sw, sh;
    const char* placed;
    float scale;
  } cases[] = {{800, 600, "PlaceMainWindow(0,0,800,600)", 0.78125f},
               {1024, 768, "PlaceMainWindow(0,0,1024,768)", 1.0f},
               {1280, 1024, "PlaceMainWindow(0,0,1040,796)", 1.0f},
               {1366, 768, "PlaceMainWindow(0,0,1040,768)", 1.0f},
               {1000, 900, "PlaceMainWindow(0,0,1000,796)", 0.78125f}};
  for (const Case& k : cases) {
    FakePlatform p;
    p.screen = {k.sw, k.sh};
    Client c(p);
    ASSERT_TRUE(StartUp(c, kLine));
    EXPECT_TRUE(p.CallMade(k.placed)) << k.sw << "x" << k.sh;
    EXPECT_EQ(c.view.LayoutScale, k.scale) << k.sw << "x" << k.sh;
  }
}

TEST_F(StartUpTest, ALongLocationIsShownSmaller) {
  auto fontFor = [](const std::string& location) {
    FakePlatform p;
    Client c(p);
    EXPECT_TRUE(StartUp(c, "a$k$h$1$" + location + "$0$"));
    return c.view.Location.fontSize;
  };
  EXPECT_EQ(fontFor("一二三四五六七八九十") - fontFor("一二三四五六七八九十一"), 2);
}

TEST_F(StartUpTest, TheLoginFrameCarriesAccountAndKeyOnly) {
  ASSERT_TRUE(Start(kLine));
  const Frame& f = client.login.LoginFrame;
  Frame expected{};
  expected[3] = 18;
  expected[14] = 1;
  const std::string account = "player", key = "key-1234";
  std::copy(account.begin(), account.end(), expected.begin() + 16);
  std::copy(key.begin(), key.end(), expected.begin() + 32);
  EXPECT_EQ(f, expected);
  EXPECT_EQ(client.launch.PropKey, key);
}

TEST_F(StartUpTest, TheLoginFrameGoesOutOnceTheSocketIsConnectedAndTheLobbyHearsFirst) {
  ASSERT_TRUE(Start(kLine));
  platform.RunTicks(20);
  EXPECT_TRUE(platform.sent.empty());
  EXPECT_EQ(platform.PostedTo("大厅"), std::vector<std::uint32_t>{lobby_msg::kConnect});
  EXPECT_FALSE(client.login.bLoggingIn);
  platform.Connect();
  platform.RunTicks(4);
  ASSERT_EQ(platform.SentFrames().size(), 1u);
  EXPECT_EQ(platform.SentFrames()[0], client.login.LoginFrame);
  EXPECT_TRUE(client.login.bLoggingIn);
  EXPECT_TRUE(client.conn.bWatchLink);
  EXPECT_FALSE(client.conn.bLoginSend);
  platform.RunTicks(40);
  EXPECT_EQ(platform.SentFrames().size(), 1u);
  EXPECT_EQ(platform.PostedTo("大厅"), std::vector<std::uint32_t>{lobby_msg::kConnect});
}

TEST_F(StartUpTest, LobbyMessagesBeforeStartUpAreNotAnswered) {
  client.OnWindowMessage(lobby_msg::kLeave, 0, 0);
  client.OnWindowMessage(lobby_msg::kConnect, 0, 0);
  EXPECT_TRUE(platform.posts.empty());
  EXPECT_FALSE(platform.CallMade("SocketConnect"));
}

}  // namespace
}  // namespace vask
