// The login answer, seat names, player records, readiness and gold,
// headless through the fake platform.
#include <gtest/gtest.h>

#include <functional>

#include "core/client.h"
#include "core/view/buttons.h"
#include "core/connection/login.h"
#include "core/connection/reconnect.h"
#include "support/recording_plugin.h"
#include "table_fixture.h"

namespace vask::test {
namespace {

using Login = TableTest;

TEST_F(Login, AnAcceptedLoginOpensTheTable) {
  client.login.bLoggingIn = true;
  client.conn.bHoldCmd21 = true;
  client.conn.bHoldFrame1 = true;
  Play(LoginAnswer(1, 3, 7));
  EXPECT_EQ(platform.PostedTo(kLobby), std::vector<std::uint32_t>{lobby_msg::kLeave});
  EXPECT_TRUE(client.conn.bTableLive);
  EXPECT_EQ(client.table.TurnLimit, 14);
  EXPECT_EQ(client.table.TimeOutLimit, 3);
  EXPECT_TRUE(client.login.g_bCanRecon);
  EXPECT_FALSE(client.login.bLoggingIn);
  EXPECT_FALSE(client.conn.bHoldCmd21);
  EXPECT_FALSE(client.conn.bHoldFrame1);
  EXPECT_TRUE(platform.TimerOn(TimerId::KeepAlive));
  EXPECT_EQ(client.view.Sysmsg[0].items, std::vector<std::string>{"连接服务器成功！"});
  EXPECT_EQ(client.view.Sysmsg[1].items,
            std::vector<std::string>{std::string("欢迎进入Vask游戏中心 ") + kGameCentreAddress});
  EXPECT_FALSE(client.view.WebBrowser1.visible);
  EXPECT_FALSE(platform.CallMade("WebNavigate"));
}

TEST_F(Login, TheTurnClockTakesTheLowFourBitsTwice) {
  Play(LoginAnswer(1, 0, 0xF3));
  EXPECT_EQ(client.table.TurnLimit, 6);
}

TEST_F(Login, AnAdvertPageIsOpenedAndBecomesTheShufflePage) {
  Play(LoginAnswer(1, 0, 7, "http://ads.local/p"));
  EXPECT_TRUE(platform.CallMade("WebNavigate(1,http://ads.local/p)"));
  EXPECT_TRUE(client.view.WebBrowser1.visible);
  EXPECT_EQ(client.widgets.ShufflePage, "http://ads.local/p.gamead");
}

TEST_F(Login, ARefusedLoginTellsTheLobbyAndQuits) {
  struct Case {
    int result;
    const char* text;
  } cases[] = {{2, login_text::kStartFailed}, {0, login_text::kBadLogin}, {7, login_text::kBadLogin}};
  for (const Case& k : cases) {
    FakePlatform p;
    p.existingWindows = {kLobby};
    Client c(p);
    p.Connect();
    c.conn.bProxyDone = true;
    c.conn.LobbyTitle = kLobby;
    EnableTimer(c, TimerId::Bong, true);
    p.ServerSendsFrame(LoginAnswer(k.result));
    p.RunTicks(4);
    EXPECT_EQ(p.PostedTo(kLobby), std::vector<std::uint32_t>{lobby_msg::kConnect}) << k.result;
    EXPECT_EQ(c.view.Sysmsg[0].items, std::vector<std::string>{k.text}) << k.result;
    EXPECT_TRUE(p.CallMade(std::string("RestoreWindow(") + kLobby + ")"));
    EXPECT_TRUE(p.quit);
    EXPECT_FALSE(c.conn.bTableLive);
  }
}

using Seating = TableTest;

std::vector<Frame> Names(const std::array<std::string, 4>& bySeat) {
  std::vector<Frame> f;
  for (int s = 0; s < 4; ++s) f.push_back(SeatNameFrame(static_cast<std::uint8_t>(1 << s), bySeat[s]));
  return f;
}

TEST_F(Seating, TheOwnNameFindsTheOwnSeatAndTheOthersFollowAroundIt) {
  Play(Names({"a", "b", "player", "d"}));
  const std::uint8_t masks[4] = {4, 2, 1, 8};
  const char* names[4] = {"player", "b", "a", "d"};
  for (int v = 0; v < 4; ++v) {
    EXPECT_EQ(client.table.Detail[v].Mask, masks[v]) << v;
    EXPECT_EQ(client.table.Detail[v].username, names[v]) << v;
  }
  EXPECT_EQ(client.players.NamesReceived, 0);
  EXPECT_TRUE(client.players.NamesCounting);
  EXPECT_TRUE(client.widgets.ButtonState[2]);
  EXPECT_FALSE(platform.TimerOn(TimerId::KeepAlive));
}

TEST_F(Seating, WithoutTheOwnNameNoSeatIsAssigned) {
  Play(Names({"a", "b", "c", "d"}));
  EXPECT_EQ(client.table.Detail[0].Mask, 1);
  EXPECT_EQ(client.table.Detail[1].username, "");
}

TEST_F(Seating, ThreeUnseatedPlayersFillTheViewsInOrderAndTheGameIsAnnouncedOnce) {
  int announced = 0;
  for (int i = 0; i < 3; ++i) {
    PlayerSpec p{"nick" + std::to_string(i), "acct" + std::to_string(i)};
    Play(PlayerInfoFrame(0, p));
    for (const auto& line : client.view.Sysmsg[0].items) announced += line == kGameStartsSoon;
    client.view.Sysmsg[0].items.clear();
  }
  for (int v = 1; v < 4; ++v) {
    EXPECT_EQ(client.table.Detail[v].username, "acct" + std::to_string(v - 1));
    EXPECT_EQ(client.view.Nid[v].text, "[平民] nick" + std::to_string(v - 1));
    EXPECT_EQ(client.view.Cash[v].text, "1000金币");
    EXPECT_EQ(client.view.Level[v].text, "新手");
  }
  EXPECT_EQ(announced, 1);
  EXPECT_EQ(client.players.OthersSeated, 3);
  EXPECT_TRUE(client.life.bTableCleared);
  EXPECT_TRUE(platform.CallMade("RestoreMainWindow"));
  EXPECT_TRUE(platform.CallMade(std::string("MinimizeWindow(") + kLobby + ")"));
}

TEST_F(Seating, TheFourthRecordCompletesTheTableAndMenGetDifferentVoices) {
  SitDown();
  EXPECT_EQ(client.players.NamesReceived, 5);
  EXPECT_FALSE(client.players.NamesCounting);
  const auto& info = client.players.PlayerInfo;
  std::vector<std::string> menVoices;
  for (int v = 0; v < 4; ++v) {
    EXPECT_EQ(info[v].VoiceCodeA, "27");
    EXPECT_EQ(info[v].VoiceKind, info[v].Sex ? 3 : 2);
    if (info[v].Sex == 1) menVoices.push_back(info[v].VoiceCodeB);
  }
  ASSERT_EQ(menVoices.size(), 2u);
  EXPECT_NE(menVoices[0], menVoices[1]);
}

TEST_F(Seating, RecordsWithoutAVoiceAfterTheTableIsCompleteKeepOrGetOne) {
  SitDown();
  const auto& info = client.players.PlayerInfo;
  // The practice server's records name no voice.
  auto voiceless = [](Frame f) {
    std::fill(f.begin() + player_offset::kVoiceA, f.begin() + player_offset::kVoiceBEnd, 0);
    return f;
  };
  const std::string own = VoicePrefix(client, 0);
  // The own record again, as the server sends it after the names.
  Play(voiceless(PlayerInfoFrame(15, {table.nicks[2], table.accounts[2]})));
  EXPECT_EQ(VoicePrefix(client, 0), own);
  // Somebody new in the seat at view 1: a voice of her gender nobody has.
  PlayerSpec newcomer{"新来的", "newbie"};
  newcomer.sex = 0;
  Play(voiceless(PlayerInfoFrame(client.table.Detail[1].Mask, newcomer)));
  EXPECT_EQ(info[1].VoiceCodeA, "27");
  EXPECT_EQ(info[1].VoiceKind, 2);
  for (int v : {0, 2, 3}) {
    if (info[v].Sex == 0) {
      EXPECT_NE(info[v].VoiceCodeB, info[1].VoiceCodeB) << v;
    }
  }
  // A server that names a voice is taken at its word.
  Frame named = PlayerInfoFrame(client.table.Detail[3].Mask, {"有声的", "voiced"});
  PutBytes(named, player_offset::kVoiceA, {'2', '8'});
  PutBytes(named, player_offset::kVoiceB, {'5', '0'});
  Play(named);
  EXPECT_EQ(VoicePrefix(client, 3), "v285013");
}

TEST_F(Seating, TheScriptedTableNamesEverySeat) {
  SitDown();
  for (int v = 0; v < 4; ++v) {
    int seat = (2 + 4 - v) % 4;
    EXPECT_EQ(client.table.Detail[v].username, table.accounts[seat]) << v;
    EXPECT_EQ(client.view.Nid[v].text, "[平民] " + table.nicks[seat]) << v;
  }
  EXPECT_EQ(client.players.PlayerInfo[1].Face, "w3");
  EXPECT_EQ(client.view.Sysmsg[0].items, std::vector<std::string>{kGameStartsSoon});
}

TEST_F(Seating, AnUpdateOfTheOwnPlayerOnlyTakesTheWealth) {
  SitDown();
  PlayerSpec p{"改名", table.account};
  p.gold = 5;
  p.wealth = 40;
  Play(PlayerInfoFrame(table.ownMask, p));
  EXPECT_EQ(client.players.PlayerInfo[0].Nick, table.nicks[2]);
  EXPECT_EQ(client.players.WealthList[0], 40);
  EXPECT_EQ(client.view.lbwealth.text, "40");
  EXPECT_TRUE(client.view.Imgwealth.visible);
}

TEST_F(Seating, WealthShowsTheSmallestPositiveMultiple) {
  SitDown();
  PlayerSpec p{"x", table.accounts[1]};
  p.wealth = 40;
  Play(PlayerInfoFrame(2, p));
  p.wealth = 25;
  p.account = table.accounts[3];
  Play(PlayerInfoFrame(8, p));
  EXPECT_EQ(client.view.lbwealth.text, "25");
  EXPECT_EQ(client.view.lbwealth.fontSize, 18);
  EXPECT_TRUE(client.view.lbfont[1].visible);
  EXPECT_TRUE(client.view.lbfont[2].visible);
}

// The practice server's seating of a complete table: the names, one
// record per seat mask, the own record once more, the table waiting.
std::vector<Frame> ServerSeating(const ScriptedTable& t) {
  std::vector<Frame> frames = Names(t.accounts);
  for (int s = 0; s < 4; ++s) frames.push_back(PlayerInfoFrame(static_cast<std::uint8_t>(1 << s), {t.nicks[s], t.accounts[s]}));
  frames.push_back(PlayerInfoFrame(15, {t.nicks[2], t.accounts[2]}));
  frames.push_back(TableStateFrame(0));
  return frames;
}

struct Reseating {
  const char* name;
  // What happens to the complete table before it is seated again; the
  // frames that come first with the seating.
  std::function<std::vector<Frame>(Client&, FakePlatform&, ScriptedTable&)> before;
};

class SeatedAgain : public Seating, public ::testing::WithParamInterface<Reseating> {};

TEST_P(SeatedAgain, TheNamesOfANewSeatingFindTheOwnSeatAndTheHandStarts) {
  SitDown();
  ASSERT_EQ(client.players.NamesReceived, 5);
  std::vector<Frame> frames = GetParam().before(client, platform, table);
  for (const Frame& f : ServerSeating(table)) frames.push_back(f);
  Play(frames);
  for (int v = 0; v < 4; ++v) {
    const int seat = (2 + 4 - v) % 4;
    EXPECT_EQ(client.table.Detail[v].Mask, 1 << seat) << v;
    EXPECT_EQ(client.table.Detail[v].username, table.accounts[seat]) << v;
  }
  EXPECT_EQ(client.players.OthersSeated, 3);
  EXPECT_EQ(client.players.NamesReceived, 5);
  Play(TableStateFrame(2, 8));
  Play(ServerFrame(static_cast<int>(Cmd::HandStart), 8, {1, 2, 3, 4}));
  EXPECT_FALSE(platform.quit);
  EXPECT_TRUE(client.table.Detail[ViewOfAccount(table.accounts[3])].IsDealer);
}

INSTANTIATE_TEST_SUITE_P(
    Tables, SeatedAgain,
    ::testing::Values(
        // Somebody takes the seat another player left.
        Reseating{"ANewcomerInAFreedSeat",
                  [](Client&, FakePlatform&, ScriptedTable& t) {
                    const std::string left = t.accounts[1];
                    t.accounts[1] = "newbie";
                    t.nicks[1] = "新来的";
                    return std::vector<Frame>{PlayerLeavesFrame(left), PlayerInfoFrame(0, {t.nicks[1], t.accounts[1]})};
                  }},
        // The own player left and the lobby's connect order logs in again.
        Reseating{"TheOwnPlayerBackFromTheLobby",
                  [](Client& c, FakePlatform& p, ScriptedTable& t) {
                    ResetClient(c);
                    p.Connect();
                    EnableTimer(c, TimerId::Bong, true);
                    std::vector<Frame> f{LoginAnswer(1), PlayerInfoFrame(15, {t.nicks[2], t.accounts[2]})};
                    for (int s : {1, 0, 3}) f.push_back(PlayerInfoFrame(0, {t.nicks[s], t.accounts[s]}));
                    return f;
                  }}),
    [](const ::testing::TestParamInfo<Reseating>& i) { return std::string(i.param.name); });

TEST_F(Seating, AReadyPlayerGetsTheMarker) {
  SitDown();
  Play(ReadyFrame(table.accounts[0]));
  int v = ViewOfAccount(table.accounts[0]);
  EXPECT_TRUE(client.view.OK[v].visible);
  Play(ReadyFrame("nobody"));
  int shown = 0;
  for (const Control& ok : client.view.OK) shown += ok.visible;
  EXPECT_EQ(shown, 1);
  Play(ReadyFrame(table.accounts[1], 0));
  EXPECT_FALSE(client.view.OK[ViewOfAccount(table.accounts[1])].visible);
}

TEST_F(Seating, AllOthersReadyAfterAHandClearTheTable) {
  SitDown();
  client.table.HandSeen = true;
  client.life.bTableCleared = false;
  for (int s : {0, 1, 3}) Play(ReadyFrame(table.accounts[s]));
  EXPECT_TRUE(client.life.bTableCleared);
  // The game waits for this player: its continue button declares it ready.
  EXPECT_FALSE(client.widgets.ButtonState[2]);
  platform.sent.clear();
  StartOrContinue(client);
  Ticks(2);
  ASSERT_EQ(platform.SentFrames().size(), 1u);
  EXPECT_EQ(platform.SentFrames()[0][3], static_cast<int>(Cmd::TableState));
  EXPECT_EQ(platform.SentFrames()[0][15], 1);
}

TEST_F(Seating, GoldChangesNeverGoBelowZero) {
  SitDown();
  Play(OwnGoldFrame(500));
  EXPECT_EQ(client.players.PlayerInfo[0].Gold, 1500);
  EXPECT_EQ(client.view.Cash[0].text, "1500金币");
  Play(OwnGoldFrame(-5000));
  EXPECT_EQ(client.players.PlayerInfo[0].Gold, 0);
  EXPECT_EQ(client.view.Cash[0].text, "0金币");
  int v = ViewOfAccount(table.accounts[3]);
  Play(OtherGoldFrame(table.accounts[3], -250));
  EXPECT_EQ(client.players.PlayerInfo[v].Gold, 750);
  EXPECT_EQ(client.view.Cash[v].text, "750金币");
}

TEST_F(Seating, GoldForAnAccountAtNoSeatChangesNobody) {
  SitDown();
  Play(OtherGoldFrame("stranger", 999));
  for (int v = 0; v < 4; ++v) EXPECT_EQ(client.players.PlayerInfo[v].Gold, 1000) << v;
}

TEST_F(Seating, APluginThatRefusesTheUserIsTurnedOffForTheVisit) {
  std::vector<Frame> got;
  ActivateRecordingPlugin(client, &got);  // a NullPropPlugin refuses SetUserinfo
  client.prop.Prop_swicth = 1;
  Play(PlayerInfoFrame(0, {"n", "a"}));
  EXPECT_EQ(client.prop.Prop_GameDllState, -1);
  // Off for the visit; the object itself is kept until the client ends.
  EXPECT_FALSE(PluginActive(client));
  EXPECT_EQ(client.view.Nid[1].text, "[平民] n");
}

TEST_F(Seating, AWatcherWaitsForThreeRecordsAndPlacesThemAroundTheWatchedPlayer) {
  client.table.Spectator = true;
  client.players.PlayerInfo[0].PlayerId = 77;
  client.table.Detail[0].Mask = 0;
  PlayerSpec a{"甲", "acc-a"}, b{"乙", "acc-b"}, w{"被看", "watched"};
  a.playerId = 1;
  b.playerId = 2;
  w.playerId = 77;
  Play(PlayerInfoFrame(1, a));
  Play(PlayerInfoFrame(2, w));
  EXPECT_TRUE(client.view.Nid[0].text.empty());
  Play(PlayerInfoFrame(8, b));
  EXPECT_EQ(client.table.Detail[0].username, "watched");
  EXPECT_EQ(client.view.Nid[0].text, "[平民] 被看");
  // Seat 0 sits at the watched player's left, seat 3 opposite.
  EXPECT_EQ(client.table.Detail[1].username, "acc-a");
  EXPECT_EQ(client.table.Detail[2].username, "acc-b");
  EXPECT_EQ(client.table.Detail[0].Mask, 2);
  EXPECT_EQ(client.view.Nid[2].text, "[平民] 乙");
  // The seat nobody's record has told of yet shows no empty labels.
  EXPECT_TRUE(client.view.Nid[3].text.empty());
  // A fourth record has no slot; it is placed as a player places it.
  Play(PlayerInfoFrame(4, {"丙", "acc-c"}));
  EXPECT_EQ(client.players.WatcherSlots[2][frame_offset::kSeat], 8);
  EXPECT_EQ(client.table.Detail[3].username, "acc-c");
  EXPECT_EQ(client.view.Nid[3].text, "[平民] 丙");
  EXPECT_EQ(client.table.Detail[0].username, "watched");
}

TEST_F(Seating, AWatcherWhoseWatchedPlayerIsNotAtTheTableSaysSoAndEnds) {
  client.table.Spectator = true;
  client.players.PlayerInfo[0].PlayerId = 5;
  client.conn.LobbyTitle = "Vask山庄";
  platform.existingWindows.push_back("Vask山庄");
  PlayerSpec a{"甲", "acc-a"}, b{"乙", "acc-b"}, w{"丙", "acc-c"};
  a.playerId = 1;
  b.playerId = 2;
  w.playerId = 3;
  Play(PlayerInfoFrame(1, a));
  Play(PlayerInfoFrame(2, b));
  EXPECT_FALSE(platform.CallMade("Quit"));
  Play(PlayerInfoFrame(4, w));
  EXPECT_TRUE(platform.CallMade("MessageBox(" + client.view.Caption + ",您要旁观的玩家不在这张桌子上，旁观结束！)"));
  EXPECT_TRUE(platform.CallMade("RestoreWindow(Vask山庄)"));
  EXPECT_TRUE(platform.CallMade("Quit"));
  EXPECT_TRUE(client.view.Nid[0].text.empty());
}

}  // namespace
}  // namespace vask::test
