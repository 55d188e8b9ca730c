// The scripted test server itself: it plays its script, checks what it is
// sent, and ends by itself when nobody comes.
#include "support/scripted_server.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "support/frames.h"

namespace vask::test {
namespace {

// A plain blocking client of the server.
struct PlainClient {
  explicit PlainClient(std::uint16_t port) {
    fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    a.sin_port = htons(port);
    connected = ::connect(fd, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0;
    timeval tv{5, 0};
    ::setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &tv, sizeof tv);
  }
  ~PlainClient() { Close(); }
  void Send(const Frame& f) { ASSERT_EQ(::send(fd, f.data(), f.size(), 0), static_cast<ssize_t>(f.size())); }
  bool Read(Frame& f) {
    std::size_t got = 0;
    while (got < f.size()) {
      ssize_t n = ::recv(fd, f.data() + got, f.size() - got, 0);
      if (n <= 0) return false;
      got += static_cast<std::size_t>(n);
    }
    return true;
  }
  void Close() {
    if (fd >= 0) ::close(fd);
    fd = -1;
  }
  int fd = -1;
  bool connected = false;
};

TEST(ScriptedServer, PlaysItsScriptAndChecksTheAnswers) {
  ScriptedServer server;
  ASSERT_TRUE(server.Listening());
  server.ExpectCmd(18).Send(ServerFrame(18, 0, {0, 0, 0, 1})).ExpectCmd(16).ExpectClose();
  server.Start();
  PlainClient client(server.Port());
  ASSERT_TRUE(client.connected);
  client.Send(ServerFrame(24));  // keep-alives are skipped
  client.Send(ServerFrame(18));
  Frame answer{};
  ASSERT_TRUE(client.Read(answer));
  EXPECT_EQ(answer[3], 18);
  EXPECT_EQ(answer[15], 1);
  client.Send(ServerFrame(16));
  client.Close();
  ASSERT_TRUE(server.WaitDone(5000));
  EXPECT_TRUE(server.Passed()) << server.Failures().front();
  EXPECT_EQ(server.Received().size(), 3u);
}

TEST(ScriptedServer, AWrongFrameFailsTheScript) {
  ScriptedServer server;
  server.ExpectCmd(18, "the login").Send(ServerFrame(18));
  server.Start();
  PlainClient client(server.Port());
  client.Send(ServerFrame(2));
  ASSERT_TRUE(server.WaitDone(5000));
  EXPECT_FALSE(server.Passed());
  ASSERT_EQ(server.Failures().size(), 1u);
  EXPECT_EQ(server.Failures()[0], "expected the login, got command 2");
}

TEST(ScriptedServer, NobodyComingEndsTheScriptInTime) {
  ScriptedServer server;
  server.stepTimeoutMs = 100;
  server.ExpectCmd(18);
  server.Start();
  ASSERT_TRUE(server.WaitDone(5000));
  EXPECT_FALSE(server.Passed());
  EXPECT_EQ(server.Failures()[0], "no client connected");
}

TEST(ScriptedServer, ASilentClientTimesTheStepOut) {
  ScriptedServer server;
  server.stepTimeoutMs = 100;
  server.ExpectCmd(18);
  server.Start();
  PlainClient client(server.Port());
  ASSERT_TRUE(server.WaitDone(5000));
  EXPECT_EQ(server.Failures()[0], "expected command 18, got nothing");
}

}  // namespace
}  // namespace vask::test
