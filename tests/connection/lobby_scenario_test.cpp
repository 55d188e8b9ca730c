// From the lobby's command line to a seated, waiting table and back to the
// lobby, headless through the fake platform.
#include <gtest/gtest.h>

#include "core/client.h"
#include "core/connection/startup.h"
#include "platform/fake/fake_platform.h"
#include "support/table_frames.h"

namespace vask::test {
namespace {

TEST(LobbyScenario, LogInSitDownWaitAndLeaveOnTheLobbysOrder) {
  const std::string lobby = "测试大厅";
  FakePlatform platform;
  platform.existingWindows = {lobby};
  Client client(platform);
  ASSERT_TRUE(StartUp(client, PlayerCommandLine("127.0.0.1", 7300, lobby, "牌桌一")));
  EXPECT_TRUE(platform.CallMade("SocketConnect(127.0.0.1:7300)"));

  platform.Connect();
  platform.RunTicks(5);
  ASSERT_EQ(platform.SentFrames().size(), 1u);
  const Frame login = platform.SentFrames()[0];
  EXPECT_EQ(login[3], 18);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(&login[16])), "player");

  ScriptedTable t;
  std::vector<std::uint8_t> bytes;
  for (const Frame& f : LoginAndSeating(t)) bytes.insert(bytes.end(), f.begin(), f.end());
  platform.ServerSends(bytes);
  // One frame a tick; the seat-draw animation waits inside its tick.
  for (int i = 0; i < 15; ++i) platform.RunTicks(1);

  EXPECT_EQ(platform.PostedTo(lobby), (std::vector<std::uint32_t>{lobby_msg::kConnect, lobby_msg::kLeave}));
  for (int v = 0; v < 4; ++v) EXPECT_FALSE(client.view.Nid[v].text.empty()) << v;
  EXPECT_EQ(client.table.Detail[0].Mask, t.ownMask);
  EXPECT_EQ(client.view.Sysmsg[0].items, std::vector<std::string>{"游戏将在15秒内开始"});
  EXPECT_TRUE(client.widgets.ShufflePending);
  EXPECT_FALSE(platform.quit);

  // The lobby asks the client to leave while no hand is played.
  client.OnWindowMessage(lobby_msg::kLeave, 0, 0);
  const std::vector<Frame> sent = platform.SentFrames();
  ASSERT_EQ(sent.size(), 2u);
  EXPECT_EQ(sent[1][3], 16);
  EXPECT_EQ(sent[1][6], t.ownMask);
  EXPECT_EQ(sent[1][15], 0);
  EXPECT_EQ(platform.PostedTo(lobby).back(), lobby_msg::kLeft);
  EXPECT_EQ(platform.socketState, 0);
  EXPECT_TRUE(platform.mainMinimized);
  for (int v = 1; v < 4; ++v) EXPECT_TRUE(client.view.Nid[v].text.empty()) << v;

  // And connects it again later.
  client.OnWindowMessage(lobby_msg::kConnect, 0, 0);
  platform.Connect();
  platform.RunTicks(5);
  ASSERT_EQ(platform.SentFrames().size(), 3u);
  EXPECT_EQ(platform.SentFrames()[2], login);
}

}  // namespace
}  // namespace vask::test
