// The table's life: waiting, game start, players gone or short of gold,
// departures and the game parameters.
#include <gtest/gtest.h>

#include "core/client.h"
#include "core/connection/table_state_msgs.h"
#include "support/frames.h"
#include "table_fixture.h"

namespace vask::test {
namespace {

class TableLifeTest : public TableTest {
 protected:
  TableLifeTest() {
    platform.localTime.hour = 9;
    platform.localTime.minute = 5;
    platform.localTime.second = 7;
    SitDown();
  }
  // The view of a seat index at the scripted table (own seat 2).
  static int ViewOfSeat(int seat) { return (2 + 4 - seat) % 4; }
};

TEST_F(TableLifeTest, TheFirstWaitingMessagePreparesTheShuffleAndStartsItWhenAsked) {
  EXPECT_FALSE(client.life.bTableFresh);  // the scripted table ends with one waiting message
  EXPECT_TRUE(client.widgets.ShufflePending);
  EXPECT_FALSE(client.widgets.ShuffleShown);
  EXPECT_FLOAT_EQ(client.view.ImgShuffle.x, 136);
  // A second one places nothing again and starts nothing.
  client.view.ImgShuffle.x = 1;
  Play(TableStateFrame(kTableWaiting, 0, 1, 1));
  EXPECT_FLOAT_EQ(client.view.ImgShuffle.x, 1);
  EXPECT_FALSE(client.widgets.ShuffleShown);
}

TEST_F(TableLifeTest, AFreshWaitingMessageWithTheShuffleFlagsStartsTheNotice) {
  client.life.bTableFresh = true;
  Play(TableStateFrame(kTableWaiting, 0, 1, 1));
  EXPECT_TRUE(client.widgets.ShuffleTable);
  EXPECT_TRUE(client.widgets.ShuffleShown);
  EXPECT_FALSE(client.widgets.ShufflePending);
  EXPECT_TRUE(client.view.LblShuffle.visible);
  EXPECT_EQ(client.view.LblShuffle.text, "正在随机换座中..");
  EXPECT_TRUE(platform.TimerOn(TimerId::Shuffle));
  EXPECT_FALSE(client.view.Time_Img.visible);  // the clock is only moved
}

TEST_F(TableLifeTest, TheGameStartNamesTheDealerAndKeepsTheReloginId) {
  Frame f = TableStateFrame(kGameStart, 8);
  PutBytes(f, 268, {1, 0, 0, 0});
  Play(f);
  EXPECT_EQ(client.login.ReLoginId, 1u);
  EXPECT_EQ(client.view.Zhuang.text, "东");
  EXPECT_TRUE(client.table.Detail[ViewOfSeat(3)].IsDealer);
  EXPECT_TRUE(client.life.bTableFresh);
}

TEST_F(TableLifeTest, AGameStartBringsAMinimisedWindowBack) {
  platform.mainMinimized = true;
  platform.calls.clear();
  Play(TableStateFrame(kGameStart, 1));
  EXPECT_FALSE(platform.mainMinimized);
  EXPECT_TRUE(platform.CallMade(std::string("MinimizeWindow(") + kLobby + ")"));
}

TEST_F(TableLifeTest, PlayersGoneWithEveryoneStillInChangesNothing) {
  Play(TableStateFrame(kPlayersGone, 15));
  EXPECT_FALSE(client.life.bTableBroken);
  EXPECT_EQ(client.players.OthersSeated, 3);
  EXPECT_FALSE(platform.CallMade("SocketClose"));
}

TEST_F(TableLifeTest, PlayersGoneEndsTheTableAndLeaves) {
  // Seat 3 (bit 8) is gone.
  Play(TableStateFrame(kPlayersGone, 7));
  EXPECT_TRUE(client.life.bTableBroken);
  EXPECT_FALSE(platform.quit);
  EXPECT_EQ(client.players.OthersSeated, 2);
  for (int v = 1; v < 4; ++v) EXPECT_TRUE(client.view.Nid[v].text.empty());
  const std::string list = table.nicks[3] + ",";
  EXPECT_EQ(client.view.Sysmsg[0].items, std::vector<std::string>{list + "退出了游戏！ 9:5:7"});
  EXPECT_EQ(client.view.Sysmsg[1].items, std::vector<std::string>{list + "请退出重新开始游戏."});
  EXPECT_TRUE(platform.CallMade("SocketClose"));
  EXPECT_FALSE(client.login.g_bCanRecon);
}

TEST_F(TableLifeTest, PlayersGoneWithTheOwnSeatHighestQuits) {
  // Seats 0 and 2 gone: the own seat (2) is the highest.
  Play(TableStateFrame(kPlayersGone, 10));
  EXPECT_TRUE(platform.quit);
  EXPECT_TRUE(platform.CallMade("SocketClose"));
}

TEST_F(TableLifeTest, AnotherPlayerShortOfGoldIsNamedAndTheClientStays) {
  Play(TableStateFrame(kShortOfGold, 14));
  EXPECT_EQ(client.view.Sysmsg[0].items, std::vector<std::string>{"玩家" + table.nicks[0] + "金币不够，退出游戏！"});
  EXPECT_FALSE(platform.quit);
  EXPECT_FALSE(platform.CallMade("SocketClose"));
  EXPECT_TRUE(client.login.g_bCanRecon);
  EXPECT_FALSE(client.life.bTableBroken);
}

TEST_F(TableLifeTest, ShortOfGoldAtTheOwnSeatLeavesForGood) {
  // Seats 1 and 2 (own) short.
  Play(TableStateFrame(kShortOfGold, 9, 4));
  EXPECT_EQ(client.view.Sysmsg[0].items,
            std::vector<std::string>{"玩家" + table.nicks[1] + "，" + table.account + "金币不够，退出游戏！"});
  EXPECT_TRUE(client.life.bTableBroken);
  EXPECT_FALSE(client.login.g_bCanRecon);
  EXPECT_FALSE(client.conn.bLoginSend);
  EXPECT_FALSE(client.conn.bWatchLink);
  EXPECT_FALSE(platform.TimerOn(TimerId::KeepAlive));
  EXPECT_TRUE(platform.CallMade("SocketClose"));
  for (int v = 1; v < 4; ++v) EXPECT_TRUE(client.table.Detail[v].username.empty());
  EXPECT_FALSE(platform.quit);
}

TEST_F(TableLifeTest, ADepartureOfTheOwnAccountQuits) {
  Play(PlayerLeavesFrame(table.account));
  EXPECT_TRUE(platform.quit);
}

TEST_F(TableLifeTest, ADepartureShiftedByOneIsReadBack) {
  std::string sent = table.accounts[0];
  ++sent[0];
  Frame f = PlayerLeavesFrame(sent);
  f[8] = 1;
  Play(f);
  EXPECT_TRUE(client.table.Detail[ViewOfSeat(0)].username.empty());
  EXPECT_EQ(client.players.OthersSeated, 2);
}

TEST_F(TableLifeTest, ADepartureClearsTheSeatAndSaysWhenItHappened) {
  const int v = ViewOfSeat(1);
  Play(PlayerLeavesFrame(table.accounts[1]));
  EXPECT_TRUE(client.table.Detail[v].username.empty());
  EXPECT_TRUE(client.view.Nid[v].text.empty());
  EXPECT_TRUE(client.players.PlayerInfo[v].Nick.empty());
  EXPECT_EQ(client.players.OthersSeated, 2);
  EXPECT_FALSE(client.life.bTableCleared);
  EXPECT_EQ(client.view.Sysmsg[0].items, std::vector<std::string>{table.nicks[1] + "退出了游戏 9:5:7"});
  EXPECT_TRUE(client.view.Sysmsg[1].items.empty());
  for (const SeatRec& s : client.table.Detail) EXPECT_EQ(s.Mask, 0);
}

TEST_F(TableLifeTest, ADepartureOfAStrangerStillStartsTheReadyCountdown) {
  struct Case {
    int shortReady;
    bool boss;
    int countdown;
  } cases[] = {{0, false, 15}, {1, false, 10}, {0, true, 1}};
  for (const Case& k : cases) {
    client.life.bTableFresh = true;
    client.table.bBossHidden = k.boss;
    Play(PlayerLeavesFrame("stranger", k.shortReady));
    EXPECT_EQ(client.table.Countdown, k.countdown);
    EXPECT_TRUE(client.conn.bReadyClock);
    EXPECT_EQ(client.view.Number.text, std::to_string(k.countdown));
    EXPECT_TRUE(client.view.Time_Img.visible);
    EXPECT_EQ(client.players.OthersSeated, 3);
    for (const SeatRec& s : client.table.Detail) EXPECT_EQ(s.Mask, 0);
  }
  EXPECT_TRUE(platform.TimerOn(TimerId::KeepAlive));
}

// The practice server's frames for the player who fills the table: the
// login, the others unplaced, a departure of nobody (the short countdown),
// then the seating with its clearing of the table.
class FilledTable : public TableTest {};

TEST_F(FilledTable, TheCountdownOfTheFilledTableShowsThroughTheSeatingAndDeclaresThePlayerReady) {
  ASSERT_TRUE(client.life.bTableFresh);
  std::vector<Frame> frames{LoginAnswer(1), PlayerInfoFrame(15, {table.nicks[2], table.accounts[2]})};
  for (int seat : {1, 0, 3}) frames.push_back(PlayerInfoFrame(0, {table.nicks[seat], table.accounts[seat]}));
  frames.push_back(PlayerLeavesFrame("", 1));
  for (int seat = 0; seat < 4; ++seat) frames.push_back(SeatNameFrame(static_cast<std::uint8_t>(1 << seat), table.accounts[seat]));
  for (int seat = 0; seat < 4; ++seat)
    frames.push_back(PlayerInfoFrame(static_cast<std::uint8_t>(1 << seat), {table.nicks[seat], table.accounts[seat]}));
  frames.push_back(PlayerInfoFrame(15, {table.nicks[2], table.accounts[2]}));
  frames.push_back(TableStateFrame(0));
  Play(frames);
  EXPECT_TRUE(client.conn.bReadyClock);
  EXPECT_EQ(client.table.Detail[0].Mask, 4);
  EXPECT_FALSE(client.widgets.ButtonState[2]);  // the player may be quicker
  Ticks(20);
  EXPECT_TRUE(client.view.Number.visible);
  EXPECT_TRUE(client.view.Time_Img.visible);
  int ready = 0;
  for (int second = 0; second < 12; ++second) {
    Ticks(20);
    ready = 0;
    for (const Frame& f : platform.SentFrames())
      ready += f[frame_offset::kCmd] == static_cast<int>(Cmd::TableState) && f[15] == 1;
  }
  EXPECT_EQ(ready, 1);
  EXPECT_FALSE(client.conn.bReadyClock);
}

TEST_F(TableLifeTest, AWatcherEndsWithEveryDeparture) {
  client.table.Spectator = true;
  Play(PlayerLeavesFrame("stranger"));
  EXPECT_TRUE(platform.CallMade("MessageBox(Vask,有用户退出，旁观结束！)"));
  EXPECT_TRUE(platform.quit);
}

TEST_F(TableLifeTest, GameParametersClearTheTableAndKeepTheDealerAndDice) {
  client.life.bTableCleared = false;
  Play(ServerFrame(41, 2, {5, 9, 1, 0x23}));
  EXPECT_TRUE(client.life.bTableCleared);
  EXPECT_TRUE(client.widgets.ButtonState[2]);
  EXPECT_EQ(client.view.Zhuang.text, "西");
  EXPECT_TRUE(client.view.Zhuang.visible);
  EXPECT_TRUE(client.view.Host.visible);
  EXPECT_EQ(client.life.DealerSeat, 2);
  EXPECT_EQ(client.life.DealerDice0, 5);
  EXPECT_EQ(client.life.DealerDice1, 9);
  EXPECT_EQ(client.table.IncrementalRedraw, 1);
  EXPECT_EQ(client.table.HunIndicator, 0x23);
  for (int i = 0; i < 3; ++i) EXPECT_FALSE(client.view.AnNiu[i].enabled);
}

TEST_F(TableLifeTest, TheWaitingMessageKeepsTheWealthBadgeOfAWealthTable) {
  client.table.WealthDouble = 3;
  Frame f = TableStateFrame(kTableWaiting);
  PutBytes(f, 16, {120, 0, 0, 0});
  Play(f);
  EXPECT_EQ(client.table.WealthDouble, 120);
  EXPECT_EQ(client.view.lbwealth.text, "120");
  EXPECT_EQ(client.view.lbwealth.fontSize, 13);
  client.table.WealthDouble = 0;
  Play(TableStateFrame(kTableWaiting));
  EXPECT_FALSE(client.view.lbwealth.visible);
}

}  // namespace
}  // namespace vask::test
