// The practice server's bank and props for our plug-in: every request and
// its answer, the chests of a hand's end, and the table carrying both.
#include <gtest/gtest.h>

#include <algorithm>

#include "plugin/prop_wire.h"
#include "server/table/props_desk.h"
#include "server/table_fixture.h"

namespace vask::server::test {
namespace {

Frame Request(int what, int prop = 0, std::int64_t amount = 0) {
  Frame f = props::MakeFrame(props::kCmdRequest, 4, what, prop);
  props::PutLE(f, props::kAmountAt, static_cast<std::uint64_t>(amount), 8);
  return f;
}

struct Answer {
  int answer;
  std::int64_t bank, gold;
  std::array<int, 3> counts;
};

Answer Read(const PropReply& r) {
  const Frame& f = r.toSeat.at(0);
  EXPECT_EQ(f[3], props::kCmdNews);
  EXPECT_EQ(props::ValueOf(f, 0), props::kBankState);
  return {props::ValueOf(f, 1), static_cast<std::int64_t>(props::GetLE(f, props::kBankAt, 8)),
          static_cast<std::int64_t>(props::GetLE(f, props::kGoldAt, 8)),
          {f[props::kCountsAt], f[props::kCountsAt + 1], f[props::kCountsAt + 2]}};
}

struct Step {
  const char* what;
  Frame request;
  bool inHand;
  int answer;
  std::int64_t bank, goldAfter;
  std::array<int, 3> counts;
  bool news;
};

// One player with 1000 gold on the table goes through the bank's counter;
// every step starts from where the one before left the account.
TEST(PropsDesk, EveryRequestIsAnsweredWithTheBanksState) {
  using namespace props;
  const Step steps[] = {
      {"ask", Request(kAskBank), false, kDone, 0, 1000, {1, 1, 2}, false},
      {"deposit", Request(kDeposit, 0, 600), false, kDone, 600, 400, {1, 1, 2}, false},
      {"deposit more than held", Request(kDeposit, 0, 401), false, kNoGold, 600, 400, {1, 1, 2}, false},
      {"deposit nothing", Request(kDeposit, 0, 0), false, kNoGold, 600, 400, {1, 1, 2}, false},
      {"deposit a negative amount", Request(kDeposit, 0, -50), false, kNoGold, 600, 400, {1, 1, 2}, false},
      {"deposit in a hand", Request(kDeposit, 0, 10), true, kNotNow, 600, 400, {1, 1, 2}, false},
      {"withdraw", Request(kWithdraw, 0, 100), false, kDone, 500, 500, {1, 1, 2}, false},
      {"withdraw more than saved", Request(kWithdraw, 0, 501), false, kNoSavings, 500, 500, {1, 1, 2}, false},
      {"buy a key", Request(kBuy, 0), false, kDone, 0, 500, {2, 1, 2}, false},
      {"buy without savings", Request(kBuy, 1), false, kNoSavings, 0, 500, {2, 1, 2}, false},
      {"buy no such prop", Request(kBuy, 7), false, kNoProp, 0, 500, {2, 1, 2}, false},
      {"use a key", Request(kUse, 0), true, kDone, 0, 500, {1, 1, 2}, true},
      {"a second key in the hand", Request(kUse, 0), true, kAlreadyUsed, 0, 500, {1, 1, 2}, false},
      {"horn", Request(kUse, 2), true, kDone, 0, 500, {1, 1, 1}, true},
      {"horn again", Request(kUse, 2), true, kDone, 0, 500, {1, 1, 0}, true},
      {"no horn left", Request(kUse, 2), true, kNoProp, 0, 500, {1, 1, 0}, false},
      {"use no such prop", Request(kUse, -1), true, kNoProp, 0, 500, {1, 1, 0}, false},
      {"unknown request", Request(99), false, kNoProp, 0, 500, {1, 1, 0}, false},
  };
  PropsDesk desk;
  std::int64_t gold = 1000;
  for (const Step& s : steps) {
    SCOPED_TRACE(s.what);
    const PropReply r = desk.OnRequest("p1", 4, gold, s.inHand, s.request);
    gold += r.goldChange;
    const Answer a = Read(r);
    EXPECT_EQ(a.answer, s.answer);
    EXPECT_EQ(a.bank, s.bank);
    EXPECT_EQ(gold, s.goldAfter);
    EXPECT_EQ(a.gold, s.goldAfter);
    EXPECT_EQ(a.counts, s.counts);
    ASSERT_EQ(r.toAll.size(), s.news ? 1u : 0u);
    if (s.news) {
      EXPECT_EQ(r.toAll[0][6], 4);
      EXPECT_EQ(props::ValueOf(r.toAll[0], 0), kPropUsed);
      EXPECT_EQ(props::ValueOf(r.toAll[0], 1), props::ValueOf(s.request, 1));
    }
  }
}

TEST(PropsDesk, TheWinnerAndTheKeysOpenChestsAndTheDoubleCardDoubles) {
  PropsDesk desk;
  std::mt19937 rng(5);
  const std::array<std::string, 4> accounts{"a", "b", "c", ""};
  desk.OnRequest("c", 4, 0, true, Request(props::kUse, 0));
  desk.OnRequest("c", 4, 0, true, Request(props::kUse, 1));
  desk.OnRequest("a", 1, 0, true, Request(props::kUse, 1));  // doubles nothing without a chest
  const std::array<ChestShare, 4> s = desk.Chests(accounts, 1, rng);
  EXPECT_FALSE(s[0].chest);
  EXPECT_EQ(s[0].amount, 0);
  EXPECT_TRUE(s[1].chest);
  EXPECT_EQ(s[1].why, props::kWhyWon);
  EXPECT_GE(s[1].amount, 50);
  EXPECT_LE(s[1].amount, 300);
  EXPECT_TRUE(s[2].chest);
  EXPECT_EQ(s[2].why, props::kWhyKey | props::kWhyDoubled);
  EXPECT_EQ(s[2].amount % 2, 0);
  EXPECT_GE(s[2].amount, 100);
  EXPECT_FALSE(s[3].chest);
  // The uses are spent: the next hand without a winner has no chests.
  const std::array<ChestShare, 4> next = desk.Chests(accounts, -1, rng);
  for (const ChestShare& share : next) EXPECT_FALSE(share.chest);

  const Frame f = PropsDesk::ScoresFrame(s);
  EXPECT_EQ(f[3], props::kCmdScores);
  const std::size_t at = props::kScoreAt + props::kScoreStride * 2;
  EXPECT_EQ(static_cast<std::int64_t>(props::GetLE(f, at + props::kScoreAmount, 4)), s[2].amount);
  EXPECT_EQ(f[at + props::kScoreChest], 1);
}

struct PropBots {
  RecordingOutbox out;
  BotPool bots{1};
  Table table;
  std::vector<LinkId> links;
  Millis now = 0;

  explicit PropBots(bool allowed) : table(Options(allowed), out) {
    out.bots = &bots;
    for (int i = 1; i <= 4; ++i) links.push_back(bots.Add("bot" + std::to_string(i), table, now));
  }
  static TableOptions Options(bool allowed) {
    TableOptions o;
    o.seed = 77;
    o.propsAllowed = allowed;
    return o;
  }
  void PlayHands(int n) {
    for (int i = 0; i < 400000 && table.HandsPlayed() < n; ++i) {
      ++now;
      table.Tick(now);
      bots.Pump(table, now);
    }
  }
  std::vector<int> Commands(LinkId link) {
    std::vector<int> cmds;
    for (const Frame& f : out.sent[link]) cmds.push_back(f[3]);
    return cmds;
  }
};

TEST(PropTable, EveryHandsScoresComeBeforeItsSettlementAndTheirGoldIsTheSeats) {
  PropBots t(true);
  t.PlayHands(3);
  ASSERT_EQ(t.table.HandsPlayed(), 3);
  const std::vector<int> cmds = t.Commands(t.links[0]);
  int scores = 0;
  for (std::size_t i = 0; i < cmds.size(); ++i) {
    if (cmds[i] != props::kCmdScores) continue;
    ++scores;
    // After the hand's results, before its first settlement message.
    auto prev9 = std::find(cmds.rbegin() + static_cast<std::ptrdiff_t>(cmds.size() - i), cmds.rend(), 9);
    EXPECT_NE(prev9, cmds.rend());
    ASSERT_LT(i + 1, cmds.size());
    EXPECT_EQ(cmds[i + 1], 17);
  }
  EXPECT_EQ(scores, 3);
}

TEST(PropTable, RequestsGoToTheBankAndMoveGoldOnlyWhenPropsAreAllowed) {
  for (bool allowed : {true, false}) {
    SCOPED_TRACE(allowed);
    PropBots t(allowed);
    t.PlayHands(1);
    const LinkId link = t.links[1];
    const int seat = t.table.SeatOfLink(link);
    const std::int64_t gold = t.table.Seat(seat).profile.gold;
    t.out.sent.clear();
    t.table.Receive(link, props::MakeFrame(props::kCmdRequest, SeatMask(seat), props::kAskBank), t.now);
    Frame deposit = Request(props::kDeposit, 0, 50);
    deposit[6] = SeatMask(seat);
    t.table.Receive(link, deposit, t.now);
    // Another seat's mask is refused once the seat's own is known.
    Frame foreign = Request(props::kDeposit, 0, 50);
    foreign[6] = SeatMask((seat + 1) % 4);
    t.table.Receive(link, foreign, t.now);
    if (!allowed) {
      EXPECT_TRUE(t.out.sent[link].empty());
      EXPECT_EQ(t.table.Seat(seat).profile.gold, gold);
      continue;
    }
    if (t.table.CurrentHand()) continue;  // the next hand began: no deposits now
    EXPECT_EQ(t.table.Seat(seat).profile.gold, gold - 50);
    const std::vector<int> mine = t.Commands(link);
    EXPECT_NE(std::find(mine.begin(), mine.end(), 91), mine.end());
    EXPECT_EQ(std::count(mine.begin(), mine.end(), props::kCmdNews), 2);
    const std::vector<int> other = t.Commands(t.links[2]);
    EXPECT_NE(std::find(other.begin(), other.end(), 92), other.end());
  }
}

}  // namespace
}  // namespace vask::server::test
