// The start/continue button and the ready clock: how the player declares
// itself ready for the next game, and what the button shows meanwhile.
#include <gtest/gtest.h>

#include "../connection/table_fixture.h"
#include "core/client.h"
#include "core/connection/ready_clock.h"
#include "core/view/buttons.h"
#include "core/view/layout.h"
#include "support/frames.h"

namespace vask::test {
namespace {

class StartButtonTest : public TableTest {
 protected:
  StartButtonTest() {
    InitPictureTables(client.pics, 1.0);
    InitLayout(client);
    SitDown();
  }
  Control& Start() { return client.view.AnNiu[an_niu::kStart]; }
  int Button(int entry) const { return client.pics.ButtonPics[static_cast<std::size_t>(entry)]; }
  // The ready declarations the client has sent: command 16 with value(3) 1.
  int ReadyFramesSent() const {
    int n = 0;
    for (const Frame& f : platform.SentFrames())
      if (f[frame_offset::kCmd] == static_cast<int>(Cmd::TableState) && f[15] == 1) ++n;
    return n;
  }
};

TEST_F(StartButtonTest, TheFirstClickDeclaresReadyOnceAndTheButtonTurnsToContinue) {
  // The seat names give the button its "继续" face; before the first game
  // its hover face still reads "开始".
  EXPECT_EQ(Start().picture, Button(6));
  PointAt(Start());
  EXPECT_EQ(Start().picture, Button(5));
  ClickOn(Start());
  Ticks(2);
  EXPECT_EQ(ReadyFramesSent(), 1);
  const Frame ready = platform.SentFrames().back();
  EXPECT_EQ(ready[frame_offset::kSeat], table.ownMask);
  EXPECT_EQ(ready[8] | ready[9] | ready[10] | ready[11] | ready[12] | ready[13] | ready[14], 0);
  EXPECT_EQ(Start().picture, Button(6));  // "继续", even before the first hand
  EXPECT_TRUE(client.view.OK[0].visible);
  EXPECT_FALSE(client.widgets.FirstStart);

  // Inert until the hand ends.
  ClickOn(Start());
  Ticks(2);
  EXPECT_EQ(ReadyFramesSent(), 1);
}

TEST(StartButton, IsUsableWhenTheTableWaitsEvenIfTheSeatNamesCameLast) {
  // The practice server's order: the own record, the others, then the
  // names and the records by seat, and the table waiting.
  FakePlatform platform;
  Client client(platform);
  platform.Connect();
  client.conn.bProxyDone = true;
  client.table.Detail[0].username = "player";
  client.conn.LobbyTitle = kLobby;
  platform.existingWindows = {kLobby};
  EnableTimer(client, TimerId::Bong, true);
  InitPictureTables(client.pics, 1.0);
  InitLayout(client);
  const ScriptedTable t;
  std::vector<Frame> frames{LoginAnswer(1), PlayerInfoFrame(15, {t.nicks[2], t.accounts[2]})};
  for (int seat : {1, 0, 3}) frames.push_back(PlayerInfoFrame(0, {t.nicks[seat], t.accounts[seat]}));
  for (int seat = 0; seat < 4; ++seat) frames.push_back(SeatNameFrame(static_cast<std::uint8_t>(1 << seat), t.accounts[seat]));
  for (int seat = 0; seat < 4; ++seat)
    frames.push_back(PlayerInfoFrame(static_cast<std::uint8_t>(1 << seat), {t.nicks[seat], t.accounts[seat]}));
  frames.push_back(TableStateFrame(0));
  std::vector<std::uint8_t> bytes;
  for (const Frame& f : frames) bytes.insert(bytes.end(), f.begin(), f.end());
  platform.ServerSends(bytes);
  for (int i = 0; i < 200 && client.conn.RecvBuf.Unread() > 0; ++i) platform.RunTicks(1);
  platform.RunTicks(2);
  ASSERT_EQ(client.table.OwnMask(), 4);
  ASSERT_FALSE(platform.quit);
  EXPECT_FALSE(client.widgets.ButtonState[an_niu::kStart]);
  StartOrContinue(client);
  platform.RunTicks(2);
  ASSERT_FALSE(platform.SentFrames().empty());
  EXPECT_EQ(platform.SentFrames().back()[15], 1);
}

TEST_F(StartButtonTest, TheButtonIsInertBeforeTheServerHasSeatedThePlayer) {
  FakePlatform fresh;
  Client c(fresh);
  InitPictureTables(c.pics, 1.0);
  InitLayout(c);
  EXPECT_TRUE(c.widgets.ButtonState[an_niu::kStart]);
  StartOrContinue(c);
  EXPECT_TRUE(c.conn.SendBuf.Unread() == 0);
}

TEST_F(StartButtonTest, OnABrokenTableTheButtonGoesBackToTheLobbyWithoutDeclaringReady) {
  client.life.bTableBroken = true;
  ClickOn(Start());
  Ticks(2);
  EXPECT_EQ(ReadyFramesSent(), 0);
  EXPECT_TRUE(platform.CallMade("RestoreWindow(" + std::string(kLobby) + ")"));
  EXPECT_TRUE(platform.mainMinimized);
  EXPECT_FALSE(platform.quit);

  // With the lobby gone the client ends.
  platform.existingWindows.clear();
  StartOrContinue(client);
  EXPECT_TRUE(platform.quit);
}

TEST_F(StartButtonTest, TheReadyClockCountsDownThenDeclaresReadyByItself) {
  StartReadyClock(client, 15);
  EXPECT_EQ(client.view.Number.text, "15");
  EXPECT_EQ(client.view.Number.foreColor, kGreen);
  platform.Advance(9 * 1000);
  EXPECT_EQ(client.view.Number.text, "6");
  EXPECT_EQ(client.view.Number.foreColor, kGreen);
  platform.Advance(1000);
  EXPECT_EQ(client.view.Number.text, "5");
  EXPECT_EQ(client.view.Number.foreColor, kRed);
  EXPECT_EQ(ReadyFramesSent(), 0);
  platform.Advance(6 * 1000);
  Ticks(2);  // the frame leaves on the next send duty
  EXPECT_EQ(ReadyFramesSent(), 1);
  EXPECT_FALSE(client.conn.bReadyClock);
  EXPECT_FALSE(client.view.Number.visible);
  EXPECT_TRUE(client.life.bTableCleared);
  // The player is ready now: the button does not declare it again.
  EXPECT_EQ(Start().picture, Button(6));
  ClickOn(Start());
  Ticks(2);
  EXPECT_EQ(ReadyFramesSent(), 1);
}

TEST_F(StartButtonTest, ClickingStartStopsTheReadyClock) {
  StartReadyClock(client, 15);
  platform.Advance(3000);
  ClickOn(Start());
  platform.Advance(20 * 1000);
  EXPECT_EQ(ReadyFramesSent(), 1);
  EXPECT_FALSE(client.view.Number.visible);
}

TEST_F(StartButtonTest, DeclaringReadyOnAReseatingTableStartsTheShuffleNotice) {
  Play(PlayerLeavesFrame("nobody"));  // a fresh table again
  client.life.bTableFresh = true;
  Play(TableStateFrame(0, 0, 1, 0));
  ASSERT_TRUE(client.widgets.ShufflePending && client.widgets.ShuffleTable);
  ClickOn(Start());
  EXPECT_TRUE(client.widgets.ShuffleShown);
  EXPECT_TRUE(client.view.LblShuffle.visible);
  for (const SeatRec& seat : client.table.Detail) EXPECT_EQ(seat.Mask, 0);
}

TEST_F(StartButtonTest, HoverFacesComeBackWhenThePointerLeavesForTheTable) {
  PointAt(client.view.AnNiu[an_niu::kScore]);
  EXPECT_EQ(client.view.AnNiu[an_niu::kScore].picture, Button(13));
  ResetHovers(client);
  EXPECT_EQ(client.view.AnNiu[an_niu::kScore].picture, Button(12));
  EXPECT_FALSE(client.widgets.ButtonHover[an_niu::kScore]);
}

TEST_F(StartButtonTest, OnlyWebAddressesReachTheBrowser) {
  struct Case {
    const char* url;
    bool opens;
  };
  const Case cases[] = {
      {"http://www.vask.example/gameinfo/vlrk/index.php", true},
      {"https://ads.example/x?y=1", true},
      {"HTTP://upper.example/", false},
      {"file:///etc/passwd", false},
      {"javascript:alert(1)", false},
      {"cmd.exe /c calc", false},
      {"http://", false},
      {"http:///path", false},
      {"http://host/with space", false},
      {"http://host/\nsecond", false},
      {"", false},
  };
  for (const Case& k : cases) {
    platform.calls.clear();
    EXPECT_EQ(OpenWebAddress(client, k.url), k.opens) << k.url;
    EXPECT_EQ(platform.CallMade("OpenInBrowser"), k.opens) << k.url;
  }
  ClickOn(client.view.AnNiu[an_niu::kRules]);
  EXPECT_TRUE(platform.CallMade(std::string("OpenInBrowser(") + kRulesPage + ")"));
}

}  // namespace
}  // namespace vask::test
