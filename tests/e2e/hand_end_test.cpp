// A whole hand against the practice server over loopback TCP: the client
// declares ready with the start button, the server and its bots play the
// hand to its end, the score window shows all four seats' settlement, the
// record window lists the hand, and the next hand starts from the button.
#include <gtest/gtest.h>

#include "core/client.h"
#include "core/connection/startup.h"
#include "core/settle/records.h"
#include "core/settle/score_windows.h"
#include "core/view/buttons.h"
#include "platform/headless/headless_platform.h"
#include "server_thread.h"
#include "support/table_frames.h"

namespace vask::test {
namespace {

// The server soon plays the client's turns itself, so a hand takes
// moments; its pace stays within what the receive ring holds.
server::HostOptions FastOptions() {
  server::HostOptions options = ServerThread::BotOptions(3);
  options.botDelay = 20;
  options.table.seed = 11;
  options.table.hand.turnSeconds = 0;
  options.table.hand.grace = 60;
  return options;
}

TEST(HandEnd, AHandAgainstThePracticeServerEndsInTheScoreAndRecordWindows) {
  ServerThread server(FastOptions());
  ASSERT_TRUE(server.Started());
  HeadlessPlatform platform(1, /*warp=*/true);
  Client client(platform);
  HeadlessLoop loop;
  loop.Add(&platform);
  platform.busy = [&] { return client.conn.RecvBuf.Unread() >= kFrameSize || client.conn.SendBuf.Unread() > 0; };
  ASSERT_TRUE(StartUp(client, PlayerCommandLine("127.0.0.1", server.Port(), "Vask山庄", "牌桌")));
  ASSERT_TRUE(RunUntil(loop, [&] {
    return client.players.OthersSeated == 3 && client.table.OwnMask() != 0 && !client.widgets.ButtonState[2];
  }, 10));

  StartOrContinue(client);
  ASSERT_TRUE(RunUntil(loop, [&] { return client.view.Score.visible || platform.quit; }, 30));
  ASSERT_FALSE(platform.quit) << platform.lastMessage;
  EXPECT_EQ(client.table.HandNo, 1);
  for (int v = 0; v < 4; ++v) {
    const auto& column = ScoreState(client, v).items;
    ASSERT_GT(column.size(), 10u);
    EXPECT_EQ(column[0], "初始：10000金币");
    EXPECT_EQ(column[1], "房间底金： 10 金币");
    EXPECT_EQ(column.back().rfind("最终分：", 0), 0u);
    EXPECT_EQ(ScoreId(client, v).text, client.players.PlayerInfo[v].Nick);
  }
  EXPECT_EQ(HeroNum(client).items.size(), 1u);
  EXPECT_TRUE(platform.files.count(ResultsFilePath(client)));
  EXPECT_TRUE(client.conn.bReadyClock);
  EXPECT_FALSE(client.widgets.ButtonState[2]);

  // The next hand starts from the continue button.
  StartOrContinue(client);
  ASSERT_TRUE(RunUntil(loop, [&] { return client.table.HandNo == 2; }, 20));
  EXPECT_FALSE(platform.quit);
}

}  // namespace
}  // namespace vask::test
