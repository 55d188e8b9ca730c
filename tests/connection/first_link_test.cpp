// The first link of a visit is bounded: a closed port, a server that never
// answers the login and one that closes at once are each tried a few times,
// the message line saying so, and then the player is told and the lobby has
// its window back. All on the virtual clock.
#include <gtest/gtest.h>

#include "core/client.h"
#include "core/connection/startup.h"
#include "platform/fake/fake_platform.h"
#include "support/table_frames.h"

namespace vask {
namespace {

constexpr const char* kLine = "player$key-1234$127.0.0.1$7300$本地练习$0$$0$$$1$大厅$我的牌桌$1$0$";

// A client started against a server of the test's choosing.
struct Visit {
  Visit() { platform.existingWindows = {"大厅"}; }

  int Attempts() const {
    int n = 0;
    for (const std::string& call : platform.calls) n += call == "SocketConnect(127.0.0.1:7300)";
    return n;
  }
  std::string MessageLine() const {
    const auto& items = client.view.Sysmsg[0].items;
    return items.empty() ? "" : items.front();
  }
  // Runs the clock on for ms, the server acting before every tick.
  void RunMs(int ms, void (Visit::*server)() = nullptr) {
    for (int t = 0; t < ms / 50; ++t) {
      if (server) (this->*server)();
      platform.RunTicks(1);
    }
  }
  // A server that accepts every connection and never answers.
  void Accepts() {
    if (platform.socketState == kSocketConnecting) platform.Connect();
  }
  // A server that closes every connection once the login frame is in.
  void AcceptsAndCloses() {
    Accepts();
    if (platform.socketState == kSocketConnected && !platform.sent.empty()) {
      platform.sent.clear();
      platform.ServerCloses();
    }
  }

  FakePlatform platform;
  Client client{platform};
};

TEST(FirstLink, EachWayOfNotGettingInIsTriedThreeTimesThenTold) {
  struct Case {
    const char* what;
    bool closedPort;
    void (Visit::*server)();
    int msPerAttempt;  // from one attempt to the next
    const char* told;
  };
  const Case cases[] = {
      {"a closed port", true, nullptr, 2000, "连接服务器失败，请检查您的网络！"},
      {"a server that never answers", false, &Visit::Accepts, 10200, "服务器没有应答，请重新入座！"},
      {"a server that closes at once", false, &Visit::AcceptsAndCloses, 2000, "连接服务器失败，请检查您的网络！"},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.what);
    Visit v;
    v.platform.refuseConnections = k.closedPort;
    ASSERT_TRUE(StartUp(v.client, kLine));
    EXPECT_EQ(v.MessageLine(), "正在连接服务器...");
    EXPECT_EQ(v.Attempts(), 1);
    v.RunMs(k.msPerAttempt + 100, k.server);
    EXPECT_EQ(v.Attempts(), 2);
    EXPECT_EQ(v.MessageLine(), "正在第2次连接服务器...");
    v.RunMs(k.msPerAttempt, k.server);
    EXPECT_EQ(v.Attempts(), 3);
    EXPECT_EQ(v.MessageLine(), "正在第3次连接服务器...");
    EXPECT_FALSE(v.platform.CallMade("MessageBox"));
    v.RunMs(k.msPerAttempt, k.server);
    EXPECT_TRUE(v.platform.CallMade(std::string("MessageBox(我的牌桌,") + k.told + ")"));
    EXPECT_TRUE(v.platform.CallMade("RestoreWindow(大厅)"));
    EXPECT_TRUE(v.platform.CallMade("MinimizeMainWindow"));
    EXPECT_EQ(v.MessageLine(), k.told);
    EXPECT_FALSE(v.platform.quit) << "the client waits for the lobby's next order";
    // Nothing more is tried by itself.
    v.RunMs(30000, k.server);
    EXPECT_EQ(v.Attempts(), 3);
  }
}

TEST(FirstLink, AnAnswerOnTheSecondAttemptEndsTheWait) {
  Visit v;
  v.platform.refuseConnections = true;
  ASSERT_TRUE(StartUp(v.client, kLine));
  v.RunMs(1900);
  ASSERT_EQ(v.Attempts(), 1);
  v.platform.refuseConnections = false;
  v.RunMs(600, &Visit::Accepts);
  ASSERT_EQ(v.Attempts(), 2);
  ASSERT_EQ(v.platform.SentFrames().size(), 1u);
  for (const Frame& f : test::LoginAndSeating()) v.platform.ServerSendsFrame(f);
  v.RunMs(60000);
  EXPECT_EQ(v.Attempts(), 2);
  EXPECT_FALSE(v.client.login.bFirstLink);
  EXPECT_FALSE(v.platform.CallMade("MessageBox"));
  EXPECT_TRUE(v.client.login.g_bCanRecon);
}

// After giving up, the lobby's connect order starts a new bounded visit.
TEST(FirstLink, TheLobbysConnectOrderTriesAgain) {
  Visit v;
  v.platform.refuseConnections = true;
  ASSERT_TRUE(StartUp(v.client, kLine));
  v.RunMs(7000);
  ASSERT_EQ(v.Attempts(), 3);
  ASSERT_TRUE(v.platform.CallMade("MessageBox"));
  v.platform.calls.clear();
  v.client.OnWindowMessage(lobby_msg::kConnect, 0, 0);
  EXPECT_EQ(v.Attempts(), 1);
  v.RunMs(7000);
  EXPECT_EQ(v.Attempts(), 3);
  EXPECT_TRUE(v.platform.CallMade("MessageBox(我的牌桌,连接服务器失败，请检查您的网络！)"));
  EXPECT_FALSE(v.platform.quit);
}

}  // namespace
}  // namespace vask
