// The prop plug-in host against a scripted plug-in: loading at the seating,
// refusals at every step, the requests it makes, the settlement that waits
// for its scores, and a plug-in that fails in any of these.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "core/client.h"
#include "core/connection/reconnect.h"
#include "core/connection/frame.h"
#include "core/settle/totals.h"
#include "core/social/chat.h"
#include "prop_fixture.h"

namespace vask::test {
namespace {

bool Has(const std::vector<std::string>& lines, const std::string& line) {
  return std::find(lines.begin(), lines.end(), line) != lines.end();
}

// ---- Loading ----------------------------------------------------------------

class PropLoading : public PropTest {};

TEST_F(PropLoading, TheSeatingLoadsThePluginAndRegistersEveryPlayer) {
  EXPECT_TRUE(platform.CallMade("LoadPlugin(" + kPropPath + ")"));
  ASSERT_EQ(client.prop.Prop_GameDllState, kPropWithChests);
  EXPECT_TRUE(client.prop.bPropPump);
  EXPECT_EQ(script.calls.front(), "Initdll(player,key,DLL,newvask,self,1,7)");
  EXPECT_EQ(script.calls.at(1), "GetBaoInfo()");
  // The own player first, then the others, each with its seat mask, and
  // each seat's player reported present.
  EXPECT_EQ(script.CallsOf("SetUserinfo"),
            (std::vector<std::string>{"SetUserinfo(0,4,player,我自己)", "SetUserinfo(1,2,south02,南山人)",
                                      "SetUserinfo(2,1,east01,东风客)", "SetUserinfo(3,8,north04,北斗星)"}));
  EXPECT_EQ(script.CallsOf("rec_state"),
            (std::vector<std::string>{"rec_state(0,true,2)", "rec_state(1,true,2)", "rec_state(2,true,2)",
                                      "rec_state(3,true,2)"}));
  EXPECT_EQ(client.view.ImgProp.size(), 30u);
  for (const Control& img : client.view.ImgProp) EXPECT_FALSE(img.visible || img.enabled);
  EXPECT_EQ(client.view.PluginPictures.at(kClosedChestPicture), "closed");
  EXPECT_TRUE(client.view.Bank.visible);
  EXPECT_EQ(client.view.Bank.tooltip, "单击打开您的道具仓库");
}

struct LoadCase {
  const char* name;
  PropTest::Adjust adjust;
  std::int16_t state;
  bool objectKept;
  std::size_t chestImages;
  int loads;  // LoadPlugin calls
};

class PropRefusals : public PropTest, public ::testing::WithParamInterface<LoadCase> {
 protected:
  PropRefusals() : PropTest(GetParam().adjust) {}
};

TEST_P(PropRefusals, EachStepThatFailsLeavesTheGameWithoutThePlugin) {
  const LoadCase& c = GetParam();
  EXPECT_EQ(client.prop.Prop_GameDllState, c.state);
  EXPECT_EQ(client.prop.PropObj != nullptr, c.objectKept);
  EXPECT_EQ(client.view.ImgProp.size(), c.chestImages);
  EXPECT_EQ(static_cast<int>(std::count_if(platform.calls.begin(), platform.calls.end(),
                                           [](const std::string& s) { return s.rfind("LoadPlugin", 0) == 0; })),
            c.loads);
  EXPECT_EQ(client.prop.bPropPump, c.state >= kPropActive);
  // The table is seated all the same.
  EXPECT_EQ(client.table.Detail[3].username, "north04");
}

INSTANTIATE_TEST_SUITE_P(
    Steps, PropRefusals,
    ::testing::Values(
        // Not ready: released, and tried again at every player-information message.
        LoadCase{"InitdllRefuses", [](PluginScript& s, FakePlatform&, Client&) { s.initdll = false; }, kPropNotLoaded, false, 1, 4},
        LoadCase{"NoChests", [](PluginScript& s, FakePlatform&, Client&) { s.baoInfo = false; }, kPropActive, true, 1, 1},
        LoadCase{"ShortChestLayout", [](PluginScript& s, FakePlatform&, Client&) { s.layout.ChestPos.resize(12); }, kPropActive,
                 true, 1, 1},
        LoadCase{"EndlessChestShow", [](PluginScript& s, FakePlatform&, Client&) { s.layout.ChestTimes = {100, 30000}; },
                 kPropActive, true, 1, 1},
        LoadCase{"NoChestTicks", [](PluginScript& s, FakePlatform&, Client&) { s.layout.ChestTimes = {0, 10}; }, kPropActive,
                 true, 1, 1},
        // Refusing a player: off for the visit; the object stays.
        LoadCase{"SetUserinfoRefuses", [](PluginScript& s, FakePlatform&, Client&) { s.setUserinfo = false; }, kPropOff, true,
                 1, 1},
        LoadCase{"InitdllThrows", [](PluginScript& s, FakePlatform&, Client&) { s.throwIn = "Initdll"; }, kPropOff, false, 1, 1},
        LoadCase{"GetBaoInfoThrows", [](PluginScript& s, FakePlatform&, Client&) { s.throwIn = "GetBaoInfo"; }, kPropOff, false,
                 1, 1},
        LoadCase{"SetUserinfoThrows", [](PluginScript& s, FakePlatform&, Client&) { s.throwIn = "SetUserinfo"; }, kPropOff,
                 false, 1, 1},
        LoadCase{"LibraryMissing", [](PluginScript&, FakePlatform& p, Client&) { p.files.clear(); }, kPropOff, false, 1, 0},
        // A library that does not load leaves the state as it was.
        LoadCase{"LibraryNotLoadable",
                 [](PluginScript&, FakePlatform& p, Client&) {
                   p.pluginFactory = [](const std::string&) { return std::unique_ptr<PropPlugin>(); };
                 },
                 kPropNotLoaded, false, 1, 4},
        LoadCase{"LobbyForbids", [](PluginScript&, FakePlatform&, Client& c) { c.prop.Prop_swicth = 0; }, kPropOff,
                 false, 1, 0}),
    [](const ::testing::TestParamInfo<LoadCase>& i) { return std::string(i.param.name); });

TEST_F(PropLoading, APlayerRefusedLaterUnloadsThePluginOnce) {
  EXPECT_EQ(Count("InitExit"), 0);
  script.setUserinfo = false;
  Play(PlayerInfoFrame(table.ownMask, {table.nicks[2], table.account}));
  Play(PlayerInfoFrame(table.ownMask, {table.nicks[2], table.account}));
  EXPECT_EQ(client.prop.Prop_GameDllState, kPropOff);
  EXPECT_EQ(script.CallsOf("InitExit"), std::vector<std::string>{"InitExit(0)"});
  EXPECT_EQ(client.view.ImgProp.size(), 1u);
}

TEST_F(PropLoading, AnObjectTurnedOffIsToldOfPlayersButDrawsNone) {
  script.setUserinfo = false;
  Play(PlayerInfoFrame(table.ownMask, {table.nicks[2], table.account}));
  ASSERT_EQ(client.prop.Prop_GameDllState, kPropOff);
  ASSERT_TRUE(client.prop.PropObj);
  script.setUserinfo = true;
  const std::size_t before = script.calls.size();
  const int v = ViewOfAccount("south02");
  Play(PlayerInfoFrame(MaskOf(v), {table.nicks[1], "south02"}));
  EXPECT_EQ(CallsFrom(before), std::vector<std::string>{"SetUserinfo(" + std::to_string(v) + "," + std::to_string(MaskOf(v)) +
                                            ",south02,南山人)"});
  // The portraits the plug-in drew came back when it went.
  for (int w = 0; w < 4; ++w) EXPECT_TRUE(client.view.Tou[w].visible && client.view.Tou[w].enabled) << w;
}

TEST_F(PropLoading, TheFirstDepartureOfAHandRegistersTheSeatsAgain) {
  StartHand(0);
  const std::size_t before = script.calls.size();
  const int v = ViewOfAccount("south02");
  Play(PlayerLeavesFrame("south02"));
  EXPECT_EQ(CallsFrom(before), (std::vector<std::string>{"ClearUser(" + std::to_string(v) + ")", "rec_state(1,false,2)",
                                             "rec_state(2,false,2)", "rec_state(3,false,2)", "Ainit(newvask.xml)"}));
  for (int w = 1; w < 4; ++w) EXPECT_TRUE(client.view.Tou[w].visible) << w;
  // Once a hand.
  Play(PlayerLeavesFrame("east01"));
  EXPECT_EQ(Count("Ainit"), 1);
}

TEST_F(PropLoading, TheRestoredWindowLetsThePluginPlaceItsWindows) {
  client.OnMainWindowState(true);
  EXPECT_EQ(Count("FixBuffPos"), 0);
  client.OnMainWindowState(false);
  EXPECT_EQ(Count("FixBuffPos"), 1);
  UnloadGameDll(client);
  client.OnMainWindowState(false);
  EXPECT_EQ(Count("FixBuffPos"), 1);
}

TEST_F(PropLoading, EachFunctionKeyReachesThePluginOnce) {
  auto key = [&](const char* control, int code) {
    InputEvent e;
    e.kind = InputKind::KeyDown;
    e.control = control;
    e.key = code;
    platform.UserInput(e);
  };
  key("", 113);  // F2 on the table
  EXPECT_EQ(script.CallsOf("SetKeyDown"), std::vector<std::string>{"SetKeyDown(113)"});
  InputEvent focus;
  focus.kind = InputKind::GotFocus;
  focus.control = "Chat";
  platform.UserInput(focus);
  key("Chat", 116);  // F5 in the chat box
  EXPECT_EQ(script.CallsOf("SetKeyDown"), (std::vector<std::string>{"SetKeyDown(113)", "SetKeyDown(116)"}));
  script.calls.clear();
  key("", 112);  // F1 on the table: the quick hide tells the plug-in
  EXPECT_EQ(script.CallsOf("SetKeyDown"), std::vector<std::string>{"SetKeyDown(112)"});
}

// ---- Frames for the plug-in ----------------------------------------------------

TEST_F(PropLoading, ThePluginGetsItsFramesAsCopies) {
  Frame f = ServerFrame(45, 0, {9});
  PutBytes(f, 100, {1, 2, 3});
  Play({ServerFrame(44), f, ServerFrame(46), ServerFrame(8), ServerFrame(200)});
  std::vector<int> cmds;
  for (const Frame& got : script.received) cmds.push_back(got[3]);
  EXPECT_EQ(cmds, (std::vector<int>{44, 45, 46, 8, 200}));
  EXPECT_EQ(script.received[1][100], 1);
  EXPECT_TRUE(client.prop.PropScoreReady);
}

// ---- Requests --------------------------------------------------------------------

PluginRequest Request(int kind, const std::string& text = {}) {
  PluginRequest r;
  r.PluginKind = static_cast<std::int16_t>(kind);
  r.PluginText = text;
  return r;
}

PluginRequest FrameRequest(std::vector<std::uint8_t> bytes) {
  PluginRequest r = Request(prop_request::kFrame);
  r.PluginFrame = std::move(bytes);
  return r;
}

std::vector<std::uint8_t> Bytes(int cmd, std::size_t size = kFrameSize) {
  std::vector<std::uint8_t> b(size, 0);
  if (size > 3) b[3] = static_cast<std::uint8_t>(cmd);
  if (size > 20) b[20] = 0x5A;
  return b;
}

class PropRequests : public PropTest {
 protected:
  std::vector<Frame> SentOf(int cmd) {
    Ticks(40);
    std::vector<Frame> out;
    for (const Frame& f : platform.SentFrames())
      if (f[3] == cmd) out.push_back(f);
    return out;
  }
};

TEST_F(PropRequests, AWholeFrameOfItsOwnGoesOutWithTheServerTag) {
  client.conn.ServerTag = {0x12, 0x34};
  script.requests.push_back(FrameRequest(Bytes(45)));
  Ticks(1);
  const std::vector<Frame> sent = SentOf(45);
  ASSERT_EQ(sent.size(), 1u);
  EXPECT_EQ(sent[0][20], 0x5A);
  EXPECT_EQ(sent[0][260], 0x12);
  EXPECT_EQ(sent[0][261], 0x34);
}

TEST_F(PropRequests, MalformedOrForeignFramesAreDropped) {
  std::vector<std::uint8_t> marked = Bytes(19);
  marked[238] = 1, marked[239] = 16;  // the plug-in's marker, 272
  for (auto bytes : {Bytes(45, 271), Bytes(45, 273), Bytes(45, 0), Bytes(0), Bytes(16), Bytes(18), Bytes(2), Bytes(7),
                     Bytes(26), Bytes(28), Bytes(24), Bytes(19), marked})
    script.requests.push_back(FrameRequest(bytes));
  std::vector<std::uint8_t> high = Bytes(45);
  high[2] = 1;  // a command above 255
  script.requests.push_back(FrameRequest(high));
  const std::size_t before = platform.SentFrames().size();
  Ticks(1);
  std::vector<Frame> sent = SentOf(19);
  ASSERT_EQ(sent.size(), 1u);
  EXPECT_EQ(sent[0][239], 16);
  // Nothing else left: no ready, login, leave, discard, claim or chat frame.
  EXPECT_EQ(platform.SentFrames().size(), before + 1);
}

TEST_F(PropRequests, AFloodIsTakenAFewAtATickAndLeavesRoomForTheGame) {
  script.checkSendBuff = 100000;
  for (int i = 0; i < 200; ++i) script.requests.push_back(FrameRequest(Bytes(45)));
  Ticks(1);
  EXPECT_EQ(Count("GetSendBuff"), kMaxRequestsPerTick);
  Ticks(3);
  // The plug-in's frames stop short of the game's room in the send ring.
  EXPECT_GE(client.conn.SendBuf.Free(), kSendRoomForGame);
  EXPECT_EQ(client.conn.SendRefused, 0);
  MsgInfo keepAlive;
  keepAlive.cmd = static_cast<std::int16_t>(Cmd::KeepAlive);
  EXPECT_TRUE(SendMsg(client, keepAlive));
}

TEST_F(PropRequests, NoticesLabelsAndPointerRequests) {
  script.requests.push_back(Request(prop_request::kNotice, "道具消息"));
  PluginRequest label = Request(prop_request::kLabel, "双倍卡生效");
  label.PluginRect = {200, 40, 300, 310};
  label.PluginStyle = {100, 5, 12, 0x0000FF, 2};
  script.requests.push_back(label);
  script.requests.push_back(Request(prop_request::kPlayerCard, "2.4"));  // rounds to 2
  script.requests.push_back(Request(prop_request::kPlayerCard, "9"));
  script.requests.push_back(Request(prop_request::kAddress, "abc"));
  script.requests.push_back(Request(prop_request::kKey, "1e400"));
  script.requests.push_back(Request(17, "什么"));
  Ticks(1);
  EXPECT_TRUE(Has(client.view.Sysmsg[0].items, "道具消息") || Has(client.view.Sysmsg[1].items, "道具消息"));
  EXPECT_EQ(TalkLines(client).items, Column{"道具消息"});
  const Control& l = client.view.LbProp;
  EXPECT_TRUE(l.visible);
  EXPECT_EQ(l.text, "双倍卡生效");
  EXPECT_EQ(l.x, 300);
  EXPECT_EQ(l.w, 200);
  EXPECT_EQ(l.foreColor, 0xFF0000u);  // the plug-in's 0x0000FF is red
  EXPECT_EQ(l.align, TextAlign::Center);
  EXPECT_TRUE(client.view.Information.visible);
  // The label goes after five ticks of 100 ms.
  platform.Advance(420);
  EXPECT_TRUE(l.visible);
  platform.Advance(200);
  EXPECT_FALSE(l.visible);
  EXPECT_TRUE(l.text.empty());
  EXPECT_FALSE(platform.TimerOn(TimerId::Prop));
}

TEST_F(PropRequests, ALabelWithoutTimingStaysAndOneWithoutFourSidesIsDropped) {
  PluginRequest bad = Request(prop_request::kLabel, "坏的");
  bad.PluginRect = {1, 2, 3};
  PluginRequest kept = Request(prop_request::kLabel, "留着");
  kept.PluginRect = {100, 30, 10, 10};
  script.requests = {bad, kept};
  Ticks(60);
  EXPECT_TRUE(client.view.LbProp.visible);
  EXPECT_EQ(client.view.LbProp.text, "留着");
}

TEST_F(PropRequests, APluginThatThrowsIsTurnedOffAndTheTablePlaysOn) {
  script.throwIn = "GetSendBuff";
  script.requests.push_back(Request(prop_request::kNotice, "x"));
  Ticks(1);
  EXPECT_EQ(client.prop.Prop_GameDllState, kPropOff);
  EXPECT_TRUE(script.destroyed);
  EXPECT_FALSE(client.prop.bPropPump);
  const std::size_t calls = script.calls.size();
  Play(ServerFrame(44));
  EXPECT_EQ(script.calls.size(), calls);
  Play(ReadyFrame("east01"));
  EXPECT_TRUE(client.view.OK[ViewOfAccount("east01")].visible);
}

// ---- The settlement waits for the scores ----------------------------------------

class PropSettlement : public PropTest {
 protected:
  PropSettlement()
      : PropTest([](PluginScript& s, FakePlatform&, Client&) {
          s.baoInfo = false;  // no chests: the settlement follows the scores at once
          s.scoreTexts[0] = "道具奖励：+60金币&H0000FF";
          s.amounts[0] = 60;
        }) {
    StartHand(0);
  }
  bool ColumnHas(int view, const std::string& line) { return Has(State(view), line); }
};

TEST_F(PropSettlement, WithoutAScoreMessageTheHandIsShownAtOnce) {
  EndWonHand(false);
  EXPECT_EQ(Panels(), 1u);
  EXPECT_EQ(Count("GetScoreInfo"), 0);
  EXPECT_FALSE(ColumnHas(0, "道具奖励：+60金币"));
  const std::vector<std::string> names = script.Names();
  auto end = std::find(names.begin(), names.end(), "InitShowEnd");
  ASSERT_NE(end, names.end());
  EXPECT_NE(std::find(end, names.end(), "InitShowNext"), names.end());
  EXPECT_EQ(script.CallsOf("InitShowNext").back(), "InitShowNext(false)");
}

TEST_F(PropSettlement, TheHandWaitsUntilTheScoresAreDelivered) {
  script.scoreAnswer = 0;
  EndWonHand();
  Ticks(10);
  EXPECT_EQ(Panels(), 0u);
  EXPECT_GE(Count("GetScoreInfo"), 10);
  script.scoreAnswer = 1;
  Ticks(1);
  EXPECT_EQ(Panels(), 1u);
  EXPECT_TRUE(ColumnHas(0, "道具奖励：+60金币"));
  EXPECT_TRUE(ColumnHas(0, "最终分：460金币"));
  EXPECT_DOUBLE_EQ(client.settle.totals.RunningTotal[0], 460);
  EXPECT_EQ(client.prop.PropShowPhase, kShowDone);
}

TEST_F(PropSettlement, ScoresThatNeverComeTurnThePluginOffAfterFiveSeconds) {
  script.scoreAnswer = 0;
  EndWonHand();
  Ticks(kScoreWaitTicks - 10);
  EXPECT_EQ(Panels(), 0u);
  Ticks(20);
  EXPECT_EQ(Panels(), 1u);
  EXPECT_EQ(client.prop.Prop_GameDllState, kPropOff);
  EXPECT_EQ(script.CallsOf("InitExit"), std::vector<std::string>{"InitExit(0)"});
  // What the plug-in left in its answers never reaches the hand.
  EXPECT_FALSE(ColumnHas(0, "道具奖励：+60金币"));
  EXPECT_TRUE(ColumnHas(0, "最终分：400金币"));
}

struct BadScores {
  const char* name;
  std::function<void(PluginScript&)> spoil;
};

class PropBadScores : public PropSettlement, public ::testing::WithParamInterface<BadScores> {};

TEST_P(PropBadScores, GarbageScoresSettleTheHandWithoutThePlugin) {
  GetParam().spoil(script);
  EndWonHand();
  EXPECT_EQ(Panels(), 1u);
  EXPECT_EQ(client.prop.Prop_GameDllState, kPropOff);
  EXPECT_TRUE(ColumnHas(0, "最终分：400金币"));
  EXPECT_TRUE(std::isfinite(client.settle.totals.RunningTotal[0]));
  EXPECT_EQ(client.players.PlayerInfo[0].Gold, 1400);
}

INSTANTIATE_TEST_SUITE_P(
    Answers, PropBadScores,
    ::testing::Values(BadScores{"NotANumber", [](PluginScript& s) { s.amounts[1] = std::nan(""); }},
                      BadScores{"Infinite", [](PluginScript& s) { s.amounts[2] = -INFINITY; }},
                      BadScores{"Huge", [](PluginScript& s) { s.amounts[0] = 1e300; }},
                      BadScores{"Throws", [](PluginScript& s) { s.throwIn = "GetScoreInfo"; }}),
    [](const ::testing::TestParamInfo<BadScores>& i) { return std::string(i.param.name); });

TEST_F(PropSettlement, TheTableResetWhileTheScoresAreAwaitedKeepsTheHand) {
  script.scoreAnswer = 0;
  EndDrawnHand();
  // The others are ready for the next game first: the table is cleared.
  Play({ReadyFrame("east01"), ReadyFrame("south02"), ReadyFrame("north04")});
  ASSERT_TRUE(client.life.bTableCleared);
  EXPECT_EQ(Panels(), 0u);
  script.scoreAnswer = 1;
  Ticks(1);
  ASSERT_EQ(Panels(), 1u);
  EXPECT_EQ(State(0), (Column{"      黄  庄", "", "道具奖励：+60金币", ""}));
  EXPECT_EQ(client.prop.PropShowPhase, kShowDone);
}

TEST_F(PropSettlement, OverlongTextsAreCut) {
  std::string line;
  for (int i = 0; i < 5000; ++i) line += "长";
  script.scoreTexts[0] = line;
  script.requests.push_back(Request(prop_request::kNotice, line));
  EndWonHand();
  ASSERT_EQ(Panels(), 1u);
  for (const std::string& l : State(0)) EXPECT_LE(l.size(), 3 * 512u);
  EXPECT_LE(TalkLines(client).items.size(), 30u);
}

TEST_F(PropSettlement, AShortChestListIsFilledUpAndALongOneCut) {
  script.chestInfo = {"只有一个"};
  EndWonHand();
  EXPECT_EQ(Panels(), 1u);
  EXPECT_EQ(client.prop.ChestInfo.size(), 8u);
}

TEST_F(PropSettlement, ADrawnHandEndsWithTheDrawnPanelAndThePluginsLines) {
  EndDrawnHand();
  ASSERT_EQ(Panels(), 1u);
  EXPECT_EQ(State(0), (Column{"      黄  庄", "", "道具奖励：+60金币", ""}));
  EXPECT_EQ(State(1), (Column{"      黄  庄"}));
  EXPECT_EQ(State(4), (Column{"最终分：60金币"}));
  EXPECT_EQ(client.view.Cash[0].text, "1060金币");
  EXPECT_EQ(HeroGrade(client, 0).items.back(), "       60金币");
  EXPECT_EQ(HeroSum(client, 0).text, "60金币");
  EXPECT_EQ(client.view.Sysmsg[0].items, Column{"请点击【继续】按钮继续游戏！"});
  EXPECT_TRUE(client.conn.bReadyClock);
  EXPECT_FALSE(client.conn.bHoldCmd21);
}

TEST_F(PropSettlement, ADrawnHandWithoutScoresStillShowsTheDrawnPanel) {
  EndDrawnHand(false);
  ASSERT_EQ(Panels(), 1u);
  for (int v = 0; v < 4; ++v) EXPECT_EQ(State(v), (Column{"      黄  庄"}));
}

TEST_F(PropSettlement, TheNextHandStartsThePluginsHandOnce) {
  EndWonHand();
  StartHand(1);
  Play(DealOwnTiles({0x11, 0x12, 0x13, 0x14, 0x15, 0x16, 0x17, 0x18, 0x19, 0x21, 0x22, 0x23, 0x24, 0x25}));
  EXPECT_EQ(script.CallsOf("InitShowNext(true)").size(), 1u);
  EXPECT_TRUE(client.prop.bPropHandStarted);
}

TEST_F(PropSettlement, ALateScoreMessageDoesNotHoldTheNextHand) {
  EndWonHand(false);
  Play(ServerFrame(static_cast<int>(Cmd::PropScore)));
  script.scoreAnswer = 0;
  StartHand(1);
  Play(DealOwnTiles({0x11, 0x12, 0x13, 0x14, 0x15, 0x16, 0x17, 0x18, 0x19, 0x21, 0x22, 0x23, 0x24, 0x25}));
  EndWonHand(false);
  EXPECT_EQ(Panels(), 2u);
  EXPECT_EQ(Count("GetScoreInfo"), 0);
  EXPECT_TRUE(PluginActive(client));
}

// ---- Departures, unloading, the bank -----------------------------------------

TEST_F(PropSettlement, ADepartureDuringTheShowUnloadsOnlyAfterThePanel) {
  script.scoreAnswer = 0;
  EndWonHand();
  UnloadAfterShow(client);
  EXPECT_TRUE(PluginActive(client));
  EXPECT_TRUE(client.prop.bPropUnloadAfterShow);
  script.scoreAnswer = 1;
  Ticks(1);
  EXPECT_EQ(Panels(), 1u);
  EXPECT_FALSE(PluginActive(client));
  EXPECT_EQ(client.prop.PropShowPhase, kShowNone);
  const std::vector<std::string> names = script.Names();
  const auto score = std::find(names.begin(), names.end(), "GetScoreInfo");
  EXPECT_NE(std::find(score, names.end(), "InitExit"), names.end());
}

TEST_F(PropLoading, ResettingTheClientUnloadsAndTheNextSeatingLoadsAgain) {
  ResetClient(client);
  EXPECT_EQ(client.prop.Prop_GameDllState, kPropNotLoaded);
  EXPECT_EQ(script.CallsOf("InitExit"), std::vector<std::string>{"InitExit(0)"});
  EXPECT_EQ(client.view.ImgProp.size(), 1u);
  EXPECT_FALSE(client.prop.bPropPump);
  EXPECT_TRUE(InitGameDll(client));
  EXPECT_EQ(client.prop.Prop_GameDllState, kPropWithChests);
  EXPECT_EQ(Count("Initdll"), 2);
}

TEST_F(PropLoading, TheBankButtonOpensTheBankOnlyWhileActive) {
  ClickOn(client.view.Bank);
  EXPECT_EQ(script.CallsOf("setbankstate"), std::vector<std::string>{"setbankstate(0)"});
  UnloadGameDll(client);
  ClickOn(client.view.Bank);
  EXPECT_EQ(script.CallsOf("setbankstate").size(), 1u);
}

}  // namespace
}  // namespace vask::test
