// A client on the headless platform against the practice server over
// loopback TCP: it logs in, takes its seat and learns the other three.
#include <gtest/gtest.h>

#include "core/client.h"
#include "core/connection/startup.h"
#include "platform/headless/headless_platform.h"
#include "server_thread.h"
#include "support/table_frames.h"

namespace vask::test {
namespace {

TEST(HeadlessClient, LogsInToThePracticeServerAndIsSeatedWithThreeBots) {
  ServerThread server(3);
  ASSERT_TRUE(server.Started());
  HeadlessPlatform platform(1, /*warp=*/false);
  Client client(platform);
  HeadlessLoop loop;
  loop.Add(&platform);
  ASSERT_TRUE(StartUp(client, PlayerCommandLine("127.0.0.1", server.Port(), "Vask山庄", "牌桌")));
  ASSERT_TRUE(RunUntil(loop, [&] {
    for (int v = 0; v < 4; ++v)
      if (client.view.Nid[v].text.empty() || client.table.Detail[v].Mask == 0) return false;
    return true;
  })) << platform.lastMessage;
  EXPECT_EQ(client.view.Sysmsg[0].items, std::vector<std::string>{"游戏将在15秒内开始"});
  // Every seat speaks with one of the voices the sound files are made for,
  // the own seat too, whose record the server sends again after the others.
  for (int v = 0; v < 4; ++v) {
    const PlayerRecord& p = client.players.PlayerInfo[v];
    const std::string prefix = VoicePrefix(client, v);
    EXPECT_EQ(prefix.substr(0, 3), "v27") << v;
    EXPECT_NE(std::string("10203040").find(p.VoiceCodeB), std::string::npos) << v;
    EXPECT_EQ(p.VoiceCodeB.size(), 2u) << v;
    EXPECT_EQ(prefix.substr(5), p.Sex ? "13" : "02") << v;
  }
  EXPECT_EQ(platform.lastPost, lobby_msg::kLeave);  // the lobby heard the login was accepted
  EXPECT_FALSE(platform.quit);
}

TEST(HeadlessClient, AClientThatCannotReachItsServerStaysQuietlyUnconnected) {
  HeadlessPlatform platform(1, false);
  Client client(platform);
  HeadlessLoop loop;
  loop.Add(&platform);
  // A port nothing listens on: the connect is refused at once.
  ASSERT_TRUE(StartUp(client, PlayerCommandLine("127.0.0.1", 1, "Vask山庄", "牌桌")));
  for (int i = 0; i < 20; ++i) loop.RunOnce(5);
  EXPECT_NE(platform.SocketState(), kSocketConnected);
  EXPECT_FALSE(platform.quit);
}

}  // namespace
}  // namespace vask::test
