// The SOCKS5 handshake over the fake socket: the messages, the step machine,
// every refusal, and answers that come short, split or never.
#include "core/connection/proxy.h"

#include <gtest/gtest.h>

#include "core/client.h"
#include "core/connection/startup.h"
#include "platform/fake/fake_platform.h"
#include "support/frames.h"

namespace vask::test {
namespace {

using Bytes = std::vector<std::uint8_t>;

TEST(ProxyMessage, GreetingAuthenticationAndConnectRequest) {
  EXPECT_EQ(ProxyMessage(1, "u", "p", "1.2.3.4", 1), (Bytes{5, 2, 0, 2}));
  EXPECT_EQ(ProxyMessage(3, "ab", "xyz", "", 0), (Bytes{1, 2, 'a', 'b', 3, 'x', 'y', 'z'}));
  EXPECT_EQ(ProxyMessage(5, "", "", "10.1.2.3", 6000), (Bytes{5, 1, 0, 1, 10, 1, 2, 3, 23, 112}));
  // A name that is no dotted address goes as a name.
  EXPECT_EQ(ProxyMessage(5, "", "", "srv", 80), (Bytes{5, 1, 0, 3, 3, 's', 'r', 'v', 0, 80}));
  EXPECT_EQ(ProxyMessage(5, "", "", "1.2.3.400", 80)[3], 3);
  EXPECT_EQ(ProxyMessage(5, "", "", "1.2.3", 80)[3], 3);
  // Lengths are one byte: longer fields are cut, not wrapped.
  Bytes longUser = ProxyMessage(3, std::string(300, 'u'), "", "", 0);
  EXPECT_EQ(longUser[1], 255);
  EXPECT_EQ(longUser.size(), 1u + 1 + 255 + 1);
  EXPECT_TRUE(ProxyMessage(2, "", "", "", 0).empty());
}

class ProxyHandshake : public ::testing::Test {
 protected:
  ProxyHandshake() {
    platform.existingWindows = {"大厅"};
    EXPECT_TRUE(StartUp(client, "player$key-1234$10.0.0.7$6000$本地练习$5$127.0.0.1$1080$user$secret$1$大厅$牌桌$1$0$"));
  }
  // The bytes the client wrote since the last call.
  Bytes Written() {
    Bytes out(platform.sent.begin() + static_cast<std::ptrdiff_t>(seen_), platform.sent.end());
    seen_ = platform.sent.size();
    return out;
  }
  void ProxyAnswers(Bytes b) { platform.ServerSends(b); }
  // Reached the proxy, greeted it, was asked for the password, sent it.
  void UpToAuthentication() {
    platform.Connect();
    Written();
    ProxyAnswers({5, 2});
    Written();
  }
  void UpToConnectRequest() {
    UpToAuthentication();
    ProxyAnswers({1, 0});
    Written();
  }
  // The handshake's bytes come first: the login frame is the last 272.
  bool LoginWritten() const {
    const Bytes& s = platform.sent;
    return s.size() >= kFrameSize && s[s.size() - kFrameSize + 3] == 18 &&
           std::string(reinterpret_cast<const char*>(&s[s.size() - kFrameSize + 16])) == "player";
  }

  FakePlatform platform;
  Client client{platform};
  std::size_t seen_ = 0;
};

TEST_F(ProxyHandshake, WithoutAuthenticationTheConnectRequestFollowsTheGreeting) {
  EXPECT_TRUE(platform.CallMade("SocketConnect(127.0.0.1:1080)"));
  EXPECT_TRUE(Written().empty());  // nothing before the socket is up
  platform.Connect();
  EXPECT_EQ(Written(), (Bytes{5, 2, 0, 2}));
  EXPECT_TRUE(client.login.bLoggingIn);
  ProxyAnswers({5, 0});
  EXPECT_EQ(Written(), (Bytes{5, 1, 0, 1, 10, 0, 0, 7, 23, 112}));
}

TEST_F(ProxyHandshake, WithAuthenticationThenTheLoginAndTheGameStreamInTheSameRead) {
  platform.Connect();
  EXPECT_EQ(Written(), (Bytes{5, 2, 0, 2}));
  ProxyAnswers({5, 2});
  EXPECT_EQ(Written(), (Bytes{1, 4, 'u', 's', 'e', 'r', 6, 's', 'e', 'c', 'r', 'e', 't'}));
  ProxyAnswers({1, 0});
  EXPECT_EQ(Written(), (Bytes{5, 1, 0, 1, 10, 0, 0, 7, 23, 112}));
  EXPECT_FALSE(LoginWritten());
  // The connect answer and the first game frame arrive together.
  Bytes answer{5, 0, 0, 1, 127, 0, 0, 1, 4, 56};
  Frame login = ServerFrame(18, 0, {0, 7, 0, 1});
  answer.insert(answer.end(), login.begin(), login.end());
  ProxyAnswers(answer);
  EXPECT_TRUE(client.conn.bProxyDone);
  EXPECT_EQ(Written().size(), kFrameSize);
  EXPECT_TRUE(LoginWritten());
  EXPECT_EQ(client.view.Sysmsg[0].items, std::vector<std::string>{"连接代理服务器成功！"});
  EXPECT_EQ(platform.PostedTo("大厅"), std::vector<std::uint32_t>{lobby_msg::kLeave});
  // The game frame is decoded by the poll loop, whole and first.
  platform.RunTicks(3);
  EXPECT_TRUE(client.conn.bTableLive);
  EXPECT_EQ(client.conn.RecvBuf.Unread(), 0u);
}

TEST_F(ProxyHandshake, AnswersThatComeShortOrSplitWaitForTheirRest) {
  platform.Connect();
  Written();
  ProxyAnswers({5});
  EXPECT_TRUE(Written().empty());
  ProxyAnswers({2});
  EXPECT_EQ(Written()[0], 1);
  ProxyAnswers({1});
  ProxyAnswers({0});
  Written();
  // The connect answer in three pieces: none of it reaches the game stream.
  ProxyAnswers({5, 0, 0});
  ProxyAnswers({3, 4, 'h', 'o'});
  EXPECT_FALSE(client.conn.bProxyDone);
  ProxyAnswers({'s', 't', 0x1F, 0x90});
  EXPECT_TRUE(client.conn.bProxyDone);
  EXPECT_EQ(client.conn.RecvBuf.Unread(), 0u);
  EXPECT_TRUE(LoginWritten());
}

struct Refusal {
  const char* name;
  int stage;  // 0 greeting, 1 authentication, 2 connect request
  Bytes answer;
  const char* text;
};

class ProxyRefusal : public ProxyHandshake, public ::testing::WithParamInterface<Refusal> {};

TEST_P(ProxyRefusal, ShowsItsTextAndLeavesACleanUnconnectedClient) {
  const Refusal& k = GetParam();
  if (k.stage == 0) platform.Connect();
  if (k.stage == 1) UpToAuthentication();
  if (k.stage == 2) UpToConnectRequest();
  Written();
  ProxyAnswers(k.answer);
  EXPECT_TRUE(platform.CallMade(std::string("MessageBox(牌桌,") + k.text + ")"));
  EXPECT_EQ(client.view.Sysmsg[0].items, std::vector<std::string>{k.text});
  EXPECT_TRUE(Written().empty());
  EXPECT_FALSE(LoginWritten());
  EXPECT_EQ(platform.socketState, 0);
  EXPECT_FALSE(client.conn.bProxyDone);
  EXPECT_FALSE(client.proxy.bProxyRun);
  EXPECT_FALSE(client.login.bLoggingIn);
  EXPECT_FALSE(client.conn.bLoginSend);
  EXPECT_FALSE(platform.TimerOn(TimerId::Bong));
  EXPECT_FALSE(platform.quit);
  // Later bytes from the dead proxy change nothing; the lobby can send the
  // client to the table again.
  ProxyAnswers({5, 0, 0, 1, 0, 0, 0, 0, 0, 0});
  EXPECT_FALSE(client.conn.bProxyDone);
  client.OnWindowMessage(lobby_msg::kConnect, 0, 0);
  EXPECT_TRUE(client.proxy.bProxyRun);
  platform.Connect();
  EXPECT_EQ(Written(), (Bytes{5, 2, 0, 2}));
}

INSTANTIATE_TEST_SUITE_P(
    Steps, ProxyRefusal,
    ::testing::Values(Refusal{"NoAcceptableMethod", 0, {5, 0xFF}, "请求代理失败！"},
                      Refusal{"AnotherVersion", 0, {4, 0}, "请求代理失败！"},
                      Refusal{"WrongPassword", 1, {1, 1}, "代理服务器用户验证失败！"},
                      Refusal{"TargetRefused", 2, {5, 5, 0, 1, 0, 0, 0, 0, 0, 0}, "通过代理连接主站失败！"},
                      Refusal{"UnknownAddressType", 2, {5, 0, 0, 9, 0, 0}, "通过代理连接主站失败！"}),
    [](const ::testing::TestParamInfo<Refusal>& i) { return std::string(i.param.name); });

TEST_F(ProxyHandshake, AnUnreachableProxyIsReportedOnTheNextWatch) {
  platform.RefuseConnection();
  platform.RunTicks(3);
  EXPECT_TRUE(platform.CallMade("MessageBox(牌桌,请求代理失败！)"));
  EXPECT_FALSE(client.proxy.bProxyRun);
  EXPECT_FALSE(platform.quit);
}

TEST_F(ProxyHandshake, AProxyThatStopsHalfwayIsGivenUpInTime) {
  struct Case {
    int stage;
    const char* text;
  } cases[] = {{0, "请求代理失败！"}, {1, "代理服务器用户验证失败！"}, {2, "通过代理连接主站失败！"}};
  for (const Case& k : cases) {
    FakePlatform p;
    p.existingWindows = {"大厅"};
    Client c(p);
    ASSERT_TRUE(StartUp(c, "u$k$10.0.0.7$6000$l$5$127.0.0.1$1080$user$pw$1$大厅$牌桌$1$0$"));
    p.Connect();
    if (k.stage >= 1) p.ServerSends(Bytes{5, 2});
    if (k.stage >= 2) p.ServerSends(Bytes{1, 0});
    p.ServerSends(Bytes{5});  // one byte of the answer, then silence
    p.Advance(static_cast<int>(kProxyHandshakeMs) - 200);
    EXPECT_FALSE(p.CallMade("MessageBox")) << k.stage;
    p.Advance(400);
    EXPECT_TRUE(p.CallMade(std::string("MessageBox(牌桌,") + k.text + ")")) << k.stage;
    EXPECT_EQ(p.socketState, 0) << k.stage;
  }
}

TEST_F(ProxyHandshake, AProxyThatClosesMidwayIsReportedWithTheStepsText) {
  UpToAuthentication();
  platform.ServerCloses();
  platform.RunTicks(3);
  EXPECT_TRUE(platform.CallMade("MessageBox(牌桌,代理服务器用户验证失败！)"));
}

// The buffer takes what it has room for and the rest waits in the socket:
// an answer too long is judged by its first bytes, not fatal.
TEST_F(ProxyHandshake, AFloodOfAnswerBytesIsJudgedAsAnAnswer) {
  platform.Connect();
  ProxyAnswers(Bytes(1100, 7));
  EXPECT_TRUE(platform.CallMade("MessageBox(牌桌,请求代理失败！)"));
  EXPECT_FALSE(platform.CallMade("RestoreWindow(大厅)"));
  EXPECT_FALSE(platform.quit);
}

// The connect answer and more game frames than the proxy buffer holds, in
// one read: the game stream reaches the ring whole and in order.
TEST_F(ProxyHandshake, AGameStreamLongerThanTheBufferAfterTheConnectAnswer) {
  UpToConnectRequest();
  Bytes answer{5, 0, 0, 1, 127, 0, 0, 1, 4, 56};
  Bytes stream;
  for (int i = 0; i < 8; ++i) {
    Frame f = ServerFrame(44, 2);
    f[100] = static_cast<std::uint8_t>(i);
    stream.insert(stream.end(), f.begin(), f.end());
  }
  answer.insert(answer.end(), stream.begin(), stream.end());
  ProxyAnswers(answer);
  EXPECT_TRUE(client.conn.bProxyDone);
  EXPECT_TRUE(LoginWritten());
  platform.RunTicks(1);
  Bytes ring(client.conn.RecvBuf.Unread());
  client.conn.RecvBuf.Peek(ring);
  EXPECT_EQ(ring, stream);
  EXPECT_FALSE(platform.quit);
}

}  // namespace
}  // namespace vask::test
