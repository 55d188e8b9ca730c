// The settlement of a hand through the fake platform: a small table of
// hands (win by discard, self-drawn, drawn hand, kongs, stakes and the
// shovel) played to their end, every seat's settlement text compared in
// full; the pull and sit messages; bad settlement messages.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "core/handlers.h"
#include "core/settle/settlement.h"
#include "settle_fixture.h"
#include "support/frames.h"

namespace vask::test {
namespace {

constexpr int kPullAnswered = 0, kSitAnswered = 7;
constexpr const char* kDealer = "         庄家   ";
constexpr const char* kRule = "========================";

struct Pull {
  int view;
  int kind;
};

struct HandCase {
  const char* name;
  int dealer;
  int stake;
  std::vector<Pull> pulls;  // answers, in order
  std::array<int, 4> winStakes;
  std::array<std::uint8_t, 4> winFlags;  // of the winner
  bool drawn = false;
  std::function<void(Client&)> during;  // the hand's kongs, shovel, wildcards
  std::array<Column, 4> expected;       // after the header
  int paidKongOf = -1;                  // the seat whose first exposed kong is paid
};

// Kong records: group rows 0 (exposed), 9 (added), 18 (concealed).
void Kong(Client& c, int view, int groupRow, int k, int rank, int suit) {
  auto& rec = c.table.KongRecord;
  rec[static_cast<std::size_t>(groupRow)][view] += 1;
  rec[static_cast<std::size_t>(groupRow + 2 * k - 1)][view] = static_cast<std::int16_t>(rank);
  rec[static_cast<std::size_t>(groupRow + 2 * k)][view] = static_cast<std::int16_t>(suit);
}

std::vector<HandCase> Hands() {
  return {
      {"win by discard", 0, 10, {}, {-2, 6, -2, -2}, {0x00, 0x10, 0x00, 0x00}, false, nullptr,
       {{{kDealer, " ", "素的：-20金币"},
         {" ", " ", "素的：60金币"},
         {" ", " ", "素的：-20金币"},
         {" ", " ", "素的：-20金币"}}}},
      {"self-drawn after pulls, the dealer sat", 2, 10,
       {{1, kPullAnswered}, {3, kPullAnswered}, {3, kPullAnswered}, {2, kSitAnswered}},
       {12, -4, -4, -4}, {0x01, 0x00, 0x10, 0x10}, false, nullptr,
       {{{" ", " ", "杠开混吊捉五：120金币"},
         {"拉庄 ", " ", "杠开混吊捉五：-40金币"},
         {kDealer, "坐庄", "杠开混吊捉五：-40金币"},
         {"拉庄 ", "再拉一下", "杠开混吊捉五：-40金币"}}}},
      {"drawn hand", 3, 10, {}, {0, 0, 0, 0}, {}, true, nullptr,
       {{{"黄庄", " ", " ", " "}, {"黄庄", " ", " ", " "}, {"黄庄", " ", " ", " "}, {"黄庄", " ", kDealer, " "}}}},
      {"kongs of every kind", 1, 5, {}, {0, 0, 0, 0}, {}, false,
       [](Client& c) {
         c.table.HunTiles = {0x45, 0x46, 0x47, 0};
         Kong(c, 0, 18, 1, 5, 4);  // 5万, a wildcard: 金杠
         Kong(c, 1, 9, 1, 1, 1);   // the dealer's added kong of 东风
         Kong(c, 2, 0, 1, 3, 2);   // 3条, paid
         Kong(c, 2, 0, 2, 9, 8);   // 9筒, not paid: no line
         Kong(c, 3, 18, 1, 7, 8);  // 7筒
       },
       {{{" ", " ", " 东风开杠：-10金币", " 3条杠：-5金币", " 5万金杠：160金币", " 7筒暗杠：-10金币"},
         {kDealer, " ", " 东风开杠：30金币", " 3条杠：-10金币", " 5万金杠：-80金币", " 7筒暗杠：-20金币"},
         {" ", " ", " 东风开杠：-10金币", " 3条杠：20金币", " 5万金杠：-40金币", " 7筒暗杠：-10金币"},
         {" ", " ", " 东风开杠：-10金币", " 3条杠：-5金币", " 5万金杠：-40金币", " 7筒暗杠：40金币"}}},
       2},
      {"stakes: the dealer sat, pulls twice and once, the shovel", 0, 100,
       {{1, kPullAnswered}, {1, kPullAnswered}, {2, kPullAnswered}, {0, kSitAnswered}},
       {-1, -1, -1, 3}, {0x03, 0x00, 0x00, 0x00}, false,
       [](Client& c) {
         c.table.ShovelFlag = true;
         Kong(c, 1, 0, 1, 2, 4);  // 2万, paid: 4 × 4 + 2 = 18 stakes
       },
       {{{kDealer, "坐庄", "  铲了：-2800金币", " ", "诈胡:：-100金币", " 2万杠：-1600金币"},
         {"拉庄 ", "再拉一下", "  铲了：1600金币", " ", "诈胡:：-100金币", " 2万杠：1800金币"},
         {"拉庄 ", " ", "  铲了：800金币", " ", "诈胡:：-100金币", " 2万杠：-100金币"},
         {" ", " ", "  铲了：400金币", " ", "诈胡:：300金币", " 2万杠：-100金币"}}},
       1},
  };
}

class SettlementTest : public SettleTest {
 protected:
  // Plays a hand's start and end; the columns as the header and the case
  // expect them.
  std::array<Column, 4> PlayHand(const HandCase& h) {
    StartHand(h.dealer);
    for (const Pull& p : h.pulls) Play(PullSitFrame(MaskOf(p.view), p.kind, true));
    if (h.during) h.during(client);
    std::array<Column, 4> want;
    std::array<HandResultSpec, 4> results;
    std::array<SettleSpec, 4> settles;
    for (int v = 0; v < 4; ++v) {
      want[v] = Header(v, h.stake);
      want[v].insert(want[v].end(), h.expected[v].begin(), h.expected[v].end());
      results[v].drawn = h.drawn;
      settles[v] = Settle(h.winStakes[v], h.winStakes[v] * h.stake, static_cast<std::uint32_t>(h.stake));
      if (h.winStakes[v] > 0) settles[v].winFlags = h.winFlags;
      if (v == h.paidKongOf) settles[v].kongPaid = {1, 0, 0, 0};
    }
    EndHand(results, settles);
    return want;
  }
};

TEST_F(SettlementTest, EverySeatsSettlementTextOfATableOfHands) {
  for (const HandCase& h : Hands()) {
    SCOPED_TRACE(h.name);
    const std::array<Column, 4> want = PlayHand(h);
    ASSERT_TRUE(client.view.Score.visible);
    for (int v = 0; v < 4; ++v) {
      SCOPED_TRACE("view " + std::to_string(v));
      const Column& got = State(v);
      ASSERT_GE(got.size(), want[v].size() + 2);
      EXPECT_EQ(Column(got.begin(), got.begin() + static_cast<std::ptrdiff_t>(want[v].size())), want[v]);
      // The settlement ends with a blank line above the totals' rule.
      EXPECT_EQ(got[want[v].size()], "");
      EXPECT_EQ(got[want[v].size() + 1], kRule);
    }
  }
}

TEST_F(SettlementTest, TheTotalsCompleteEachColumnAndAlignTheirRules) {
  StartHand(0);
  // The server puts the dealer through a pull: its column is one line
  // longer, so the others get an extra blank line above their rule.
  Play(PullSitFrame(MaskOf(0), kPullAnswered, true));
  const std::array<Column, 4> head = {Header(0, 10), Header(1, 10), Header(2, 10), Header(3, 10)};
  std::array<HandResultSpec, 4> results;
  for (int v = 0; v < 4; ++v) results[v] = {v == 1 ? 60 : -20, v == 1 ? 60 : -20, v == 3, false, "牌王"};
  std::array<SettleSpec, 4> settles;
  for (int v = 0; v < 4; ++v) settles[v] = Settle(v == 1 ? 6 : -2, v == 1 ? 60 : -20);
  settles[1].winFlags = {0x00, 0x10, 0x00, 0x00};
  EndHand(results, settles);

  auto column = [&](int v, Column middle, const std::string& total, bool cap, const std::string& title,
                    const std::string& final) {
    Column c = head[v];
    c.insert(c.end(), middle.begin(), middle.end());
    Column tail = {kRule, "", " 总分:" + total + "金币", "", cap ? "灵活封顶" : "", title, "", "最终分：" + final + "金币"};
    c.insert(c.end(), tail.begin(), tail.end());
    return c;
  };
  EXPECT_EQ(State(0), column(0, {kDealer, "拉庄 ", " ", "素的：-20金币", ""}, "-20", false, " ", "-20"));
  EXPECT_EQ(State(1), column(1, {" ", " ", "素的：60金币", "", ""}, "60", false, "牌王", "60"));
  EXPECT_EQ(State(2), column(2, {" ", " ", "素的：-20金币", "", ""}, "-20", false, " ", "-20"));
  EXPECT_EQ(State(3), column(3, {" ", " ", "素的：-20金币", "", ""}, "-20", true, " ", "-20"));
  for (int v = 0; v < 4; ++v) {
    EXPECT_EQ(State(v + 4), Column{State(v).back()});
    EXPECT_EQ(std::find(State(v).begin(), State(v).end(), kRule) - State(v).begin(), 9);
  }
}

TEST_F(SettlementTest, TheTotalsBookTheHandIntoThePlayersAndTheRecordOfHands) {
  StartHand(0);
  const std::int32_t wins = client.players.PlayerInfo[1].Wins, losses = client.players.PlayerInfo[3].Losses;
  EndHand({}, {Settle(-2, -20), Settle(6, 1500), Settle(-2, -20), Settle(-2, -2000)});
  EXPECT_EQ(client.view.Cash[1].text, "2500金币");
  EXPECT_EQ(client.view.Cash[3].text, "0金币");  // never below 0
  EXPECT_EQ(client.players.PlayerInfo[1].Wins, wins + 1);
  EXPECT_EQ(client.players.PlayerInfo[3].Losses, losses + 1);
  EXPECT_EQ(client.players.PlayerInfo[3].Points, 1);  // a negative score becomes 1
  EXPECT_EQ(client.table.WinnerView, 1);
  EXPECT_EQ(HeroNum(client).items, Column{"           1"});
  EXPECT_EQ(HeroGrade(client, 1).items, Column{"     1500金币"});
  EXPECT_EQ(HeroGrade(client, 3).items, Column{"    -2000金币"});

  StartHand(1);
  EndHand({}, {Settle(6, 300), Settle(-2, -100), Settle(-2, -100), Settle(-2, -100)});
  EXPECT_EQ(HeroNum(client).items, (Column{"           1", "           2"}));
  EXPECT_EQ(HeroSum(client, 0).text, "280金币");
  EXPECT_EQ(HeroSum(client, 1).text, "1400金币");
  EXPECT_EQ(client.view.Sysmsg[0].items, Column{"请点击【继续】按钮继续游戏！"});
  EXPECT_EQ(client.view.Sysmsg[1].items, Column{"游戏将在15秒内开始"});
}

TEST_F(SettlementTest, ThePlugInsLinesAndGoldJoinTheColumn) {
  StartHand(0);
  TotalsState& t = client.settle.totals;
  // Each piece ends in an eight-character colour (0xBBGGRR as the system
  // numbers colours); a shorter piece stands unchanged.
  t.PropScoreText[1] = "道具加成：+50金币00000255|双倍卡&H00FF00|无色";
  t.PropAmount[1] = 50;
  t.PropScoreText[2] = "坏颜色zzzzzzzz";
  EndHand({}, {Settle(-2, -20), Settle(6, 60), Settle(-2, -20), Settle(-2, -20)});
  const Column& col = State(1);
  const auto at = std::find(col.begin(), col.end(), "道具加成：+50金币");
  ASSERT_NE(at, col.end());
  EXPECT_EQ(*(at - 1), "");
  EXPECT_EQ(*(at + 1), "双倍卡");
  EXPECT_EQ(*(at + 2), "无色");
  EXPECT_EQ(*(at + 3), "");
  EXPECT_EQ(col.back(), "最终分：110金币");
  EXPECT_EQ(ScoreState(client, 1).foreColor, 0x00FF00u);  // the last valid colour
  EXPECT_EQ(client.settle.totals.RunningTotal[1], 110);
  EXPECT_EQ(client.view.Cash[1].text, "1110金币");
  // A piece whose end is no colour loses it anyway and leaves black.
  EXPECT_NE(std::find(State(2).begin(), State(2).end(), "坏颜色"), State(2).end());
  EXPECT_EQ(ScoreState(client, 2).foreColor, 0u);
  EXPECT_TRUE(t.PropScoreText[1].empty());
  EXPECT_EQ(t.PropAmount[1], 0);
}

TEST_F(SettlementTest, GoldBarsWhenTheCurrencyItemIsNotOne) {
  StartHand(0);
  std::array<SettleSpec, 4> s = {Settle(-2, -20), Settle(6, 60), Settle(-2, -20), Settle(-2, -20)};
  s[2].items[1].second = 2;
  EndHand({}, s);
  EXPECT_EQ(State(2).back(), "最终分：-20金条");
  EXPECT_EQ(State(1).back(), "最终分：60金币");
  EXPECT_EQ(HeroGrade(client, 2).items.back(), "      -20金条");
}

TEST_F(SettlementTest, PullAndSitAnswersMarkTheOtherSeatsForTwoSeconds) {
  StartHand(2);
  Play(PullSitFrame(MaskOf(1), kPullAnswered, true));
  EXPECT_TRUE(client.view.Speak[3].visible);
  EXPECT_EQ(client.view.Speak[3].picture, client.pics.SpeechPics[0]);  // "拉庄" beside the left seat
  EXPECT_TRUE(platform.CallMade("SoundPlay(/client/../common/dorvan/"));
  Play(PullSitFrame(MaskOf(1), kPullAnswered, true));
  EXPECT_EQ(client.view.Speak[3].picture, client.pics.SpeechPics[6]);  // "再拉一下"
  EXPECT_EQ(client.settle.store.PullState[1], kPulledTwice);
  Play(PullSitFrame(MaskOf(2), kSitAnswered, true));
  EXPECT_EQ(client.view.Speak[4].picture, client.pics.SpeechPics[4]);  // "坐庄" beside the top seat
  EXPECT_EQ(client.settle.store.PullState[2], kDealerSat);
  platform.RunTicks(41);
  EXPECT_FALSE(client.view.Speak[3].visible);
  EXPECT_FALSE(client.view.Speak[4].visible);

  // A "no" changes no pull state.
  Play(PullSitFrame(MaskOf(3), kPullAnswered, false));
  EXPECT_EQ(client.settle.store.PullState[3], kNotPulled);
}

TEST_F(SettlementTest, TheDealerThatSatKeepsItsChoiceWhileItDealsAgain) {
  StartHand(2);
  Play(PullSitFrame(MaskOf(2), kSitAnswered, true));
  Play(PullSitFrame(MaskOf(1), kPullAnswered, true));
  StartHand(2);
  EXPECT_EQ(client.settle.store.PullState[2], kDealerSat);
  EXPECT_EQ(client.settle.store.PullState[1], kNotPulled);
  StartHand(3);
  EXPECT_EQ(client.settle.store.PullState[2], kNotPulled);
}

TEST_F(SettlementTest, FewerThanFourMessagesShowNothingAndTheNextHandStartsAgain) {
  StartHand(0);
  Play({SettleFrame(MaskOf(0), Settle(-2, -20)), SettleFrame(MaskOf(1), Settle(6, 60)),
        SettleFrame(MaskOf(2), Settle(-2, -20))});
  EXPECT_FALSE(client.view.Score.visible);
  StartHand(0);
  Play(SettleFrame(MaskOf(3), Settle(-2, -20)));
  EXPECT_FALSE(client.view.Score.visible);
  EXPECT_EQ(client.settle.store.SettleCount, 1);
}

TEST_F(SettlementTest, MessagesInAnyOrderAndARepeatedSeatStillGiveTheRightTotals) {
  StartHand(0);
  // The settlement before the hand results, seats out of order, seat 1
  // twice (the later message counts).
  Play({SettleFrame(MaskOf(3), Settle(-2, -20)), SettleFrame(MaskOf(1), Settle(6, 999)),
        SettleFrame(MaskOf(1), Settle(6, 60)), SettleFrame(MaskOf(0), Settle(-2, -20))});
  EXPECT_FALSE(client.view.Score.visible);  // seat 2 is still missing
  Play(SettleFrame(MaskOf(2), Settle(-2, -20)));
  ASSERT_TRUE(client.view.Score.visible);
  EXPECT_EQ(client.settle.totals.RunningTotal, (std::array<double, 4>{-20, 60, -20, -20}));
  // A fifth message after the hand is shown shows nothing again.
  HeroNum(client).items.clear();
  Play(SettleFrame(MaskOf(0), Settle(-2, -20)));
  EXPECT_TRUE(HeroNum(client).items.empty());
  // Messages about no seat are not used.
  for (int mask : {0, 3, 0x10, 0x0F}) Play(SettleFrame(static_cast<std::uint8_t>(mask), Settle(6, 60)));
  EXPECT_EQ(client.settle.store.SettleCount, 1);
}

TEST_F(SettlementTest, ValuesAtTheSixteenBitLimits) {
  StartHand(0);
  SettleSpec big = Settle(1, 0, 0xFFFFFFFF);  // a stake beyond 31 bits is capped
  big.winMagnitude = 0xFFFF;                  // capped at 32767
  big.items.push_back({5, 128});              // stays +128
  big.items.push_back({7, 255});              // −1
  big.items.push_back({17, 5});               // not an item id the message may set
  big.winFlags = {0x00, 0x10, 0x00, 0x00};
  SettleSpec loser = Settle(-1, 0, 0xFFFFFFFF);
  loser.winMagnitude = 32767;
  std::array<HandResultSpec, 4> results{};
  results[0].seatTotal = std::int64_t{1} << 40;  // beyond 32 bits: capped
  EndHand(results, {big, loser, loser, loser});
  const SettlementStore& s = client.settle.store;
  EXPECT_EQ(s.RoomStake, 2147483647);
  EXPECT_EQ(s.SettleItem[0][kItemWin], 32767);
  EXPECT_EQ(s.SettleItem[1][kItemWin], -32767);
  EXPECT_EQ(s.SettleItem[0][5], 128);
  EXPECT_EQ(s.SettleItem[0][7], -1);
  EXPECT_EQ(s.SettleItem[0][17], 0);
  const std::int64_t amount = std::int64_t{32767} * 2147483647;
  EXPECT_EQ(State(0)[6], "素的：" + std::to_string(amount) + "金币");
  EXPECT_EQ(State(1)[6], "素的：-" + std::to_string(amount) + "金币");
  EXPECT_EQ(client.table.Detail[0].SeatTotal, 2147483647);
}

TEST_F(SettlementTest, AHandResultOfSixtyFourBitsIsShownWithoutOverflow) {
  StartHand(0);
  SettleSpec huge = Settle(6, 1);
  huge.handResult = std::int64_t{0x7FFFFFFFFFFFFFFF};
  EndHand({}, {huge, Settle(-2, -1), Settle(-2, -1), Settle(-2, -1)});
  EXPECT_EQ(client.players.PlayerInfo[0].Gold, std::int64_t{0x7FFFFFFFFFFFFFFF});
  EXPECT_EQ(State(4).back(), "最终分：9.22337203685478e+18金币");
}

TEST_F(SettlementTest, LongTextsAreReadWithinTheirFields) {
  StartHand(0);
  std::array<HandResultSpec, 4> results{};
  // Twenty bytes of title with no end, and a level of eight characters
  // running to the end of its field.
  for (auto& r : results) r.winnerTitle = "一二三四五六七八九十";
  std::array<SettleSpec, 4> settles = {Settle(6, 60), Settle(-2, -20), Settle(-2, -20), Settle(-2, -20)};
  settles[0].level = "甲乙丙丁戊己庚辛";
  settles[0].winFlags = {0x00, 0x10, 0x00, 0x00};
  EndHand(results, settles);
  EXPECT_EQ(client.settle.totals.WinnerTitle, "一二三四五六七八九十");
  EXPECT_EQ(client.view.Level[0].text, "甲乙丙丁戊己庚辛");
  EXPECT_EQ(client.players.PlayerInfo[0].LevelText, "甲乙丙丁戊己庚辛");
}

TEST_F(SettlementTest, TheCategoryWordsOfTheWinnersFlags) {
  struct Flags {
    std::array<std::uint8_t, 4> flags;
    const char* text;  // empty: no win line
  };
  const Flags cases[] = {
      {{0x20, 0x11, 0x21, 0x11}, "天胡"},
      {{0x10, 0, 0, 0}, "地胡"},
      {{0x30, 0, 0, 0}, "抢胡"},
      {{0x02, 0x01, 0x00, 0x00}, "暗杠杠开本"},
      {{0x00, 0x01, 0x01, 0x01}, "本混龙提溜"},
      {{0x00, 0x00, 0x21, 0x00}, "双混吊龙"},
      {{0x03, 0x00, 0x00, 0x00}, "诈胡:"},
      {{0x00, 0x00, 0x00, 0x00}, ""},
  };
  for (const Flags& k : cases) {
    SCOPED_TRACE(k.text);
    StartHand(0);
    std::array<SettleSpec, 4> s = {Settle(-2, -20), Settle(6, 60), Settle(-2, -20), Settle(-2, -20)};
    s[1].winFlags = k.flags;
    EndHand({}, s);
    const std::string line = State(1)[6];
    if (*k.text) EXPECT_EQ(line, std::string(k.text) + "：60金币");
    else EXPECT_EQ(line, "");
  }
}

}  // namespace
}  // namespace vask::test
