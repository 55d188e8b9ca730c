// A hand the prop plug-in holds back is settled from its own values: the
// others' readiness clears the table while the plug-in's scores are awaited
// (dealer, totals and the dice caption go), yet the score window and the
// records come out line for line as the same hand settled without it.
#include <gtest/gtest.h>

#include "core/settle/records.h"
#include "prop_fixture.h"

namespace vask::test {
namespace {

// A fixture used as a second table inside a test.
template <class Fixture>
struct Beside : Fixture {
  void TestBody() override {}
  using Fixture::client;
  using Fixture::EndHand;
  using Fixture::MaskOf;
  using Fixture::platform;
  using Fixture::Play;
  using Fixture::State;
};

// The hand: seat at view 2 deals with the dice doubled, view 1 pulled
// once; the dealer's exposed 8条 kong is paid, view 3 has a concealed one;
// view 1 wins.
Frame DoubledHandStart(std::uint8_t dealer) {
  Frame f = HandStartFrame(dealer, {3, 4, 2, 5});
  f[frame_offset::kPayload] = 1;
  return f;
}

constexpr int kDealerView = 2;

void KongsOfTheHand(Client& c) {
  auto& rec = c.table.KongRecord;
  rec[0][kDealerView] = 1;  // exposed: 8条
  rec[1][kDealerView] = 8;
  rec[2][kDealerView] = 2;
  rec[18][3] = 1;  // concealed: 7筒
  rec[19][3] = 7;
  rec[20][3] = 8;
}

HandResultSpec Result(std::int64_t total, std::int64_t subtotal) {
  HandResultSpec r;
  r.seatTotal = total;
  r.subtotal = subtotal;
  r.winnerTitle = "赢家";
  return r;
}

const std::array<HandResultSpec, 4> kResults{Result(-60, -30), Result(180, 90), Result(-80, -40), Result(-40, -20)};

std::array<SettleSpec, 4> Settles() {
  std::array<SettleSpec, 4> s{Settle(-2, -60), Settle(6, 180), Settle(-2, -80), Settle(-2, -40)};
  s[1].winFlags = {0x00, 0x10, 0x00, 0x00};
  s[kDealerView].kongPaid = {1, 0, 0, 0};
  return s;
}

class HeldSettlement : public PropTest {
 protected:
  HeldSettlement()
      : PropTest([](PluginScript& s, FakePlatform&, Client&) {
          s.baoInfo = false;  // no chests: the settlement follows the scores
          s.scoreAnswer = 0;  // until the test delivers them
        }) {}

  template <class T>
  static void PlayHand(T& t) {
    t.Play({DoubledHandStart(t.MaskOf(kDealerView)), PullSitFrame(t.MaskOf(1), 0, true)});
    KongsOfTheHand(t.client);
  }
  static std::string Records(FakePlatform& p, Client& c) { return p.files[ResultsFilePath(c)]; }
};

TEST_F(HeldSettlement, ReadinessAndChatDuringTheWaitLeaveTheHandAsSettledWithoutThePlugin) {
  Beside<SettleTest> plain;
  ASSERT_FALSE(PluginActive(plain.client));
  PlayHand(plain);
  plain.EndHand(kResults, Settles());

  ASSERT_TRUE(PluginActive(client));
  PlayHand(*this);
  EndHandWithScores(kResults, Settles());
  Play({ReadyFrame("east01"), ChatFrame(MaskOf(1), "快点吧"), ReadyFrame("south02"), ReadyFrame("north04")});
  // The table is cleared for the next game as ever; the hand waits on.
  ASSERT_TRUE(client.life.bTableCleared);
  ASSERT_EQ(Panels(), 0u);
  script.scoreAnswer = 1;
  Ticks(1);
  ASSERT_EQ(Panels(), 1u);

  for (int j = 0; j < 8; ++j) EXPECT_EQ(State(j), plain.State(j)) << "column " << j;
  // The lines that the cleared table would have lost.
  EXPECT_EQ(State(kDealerView)[4], "         庄家   ");
  EXPECT_EQ(State(kDealerView)[7], " 8条杠：80金币");
  EXPECT_EQ(State(0)[7], " 8条杠：-20金币");
  EXPECT_EQ(State(1), (Column{"初始：1000金币", "房间底金： 10 金币", " -------------------  ", "", "拉庄 ", " ",
                              "素的：60金币", " 8条杠：-40金币", " 7筒暗杠：-20金币", "小计:90金币", "骰子加倍 ×7", "",
                              "========================", "", " 总分:180金币", "", "", "赢家", "",
                              "最终分：180金币"}));
  EXPECT_EQ(Records(platform, client), Records(plain.platform, plain.client));
  EXPECT_EQ(HeroNum(client).items, HeroNum(plain.client).items);
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(HeroGrade(client, i).items, HeroGrade(plain.client, i).items);
    EXPECT_EQ(client.players.PlayerInfo[i].Wins, plain.client.players.PlayerInfo[i].Wins);
  }
}

}  // namespace
}  // namespace vask::test
