// Four in-process bots play whole games against the table.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "server/table_fixture.h"

namespace vask::server::test {
namespace {

struct BotTable {
  RecordingOutbox out;
  std::ostringstream log;
  ResultsLog results{log};
  BotPool bots{1};
  Table table;
  std::vector<LinkId> links;
  Millis now = 0;

  explicit BotTable(TableOptions o) : table(std::move(o), out, &results) {
    out.bots = &bots;
    for (int i = 1; i <= 4; ++i) links.push_back(bots.Add("bot" + std::to_string(i), table, now));
  }
  void Step() {
    ++now;
    table.Tick(now);
    bots.Pump(table, now);
  }
};

// What each bot believes it holds is what the table holds for its seat.
void ExpectBotsAgree(const BotTable& t) {
  const Hand* hand = t.table.CurrentHand();
  if (!hand || hand->CurrentPhase() == Hand::Phase::Questions) return;
  for (LinkId link : t.links) {
    if (!t.bots.Idle(link)) continue;
    const BotPlayer* bot = t.bots.Bot(link);
    int seat = t.table.SeatOfLink(link);
    ASSERT_GE(seat, 0);
    Tiles mine = bot->Hand(), server = hand->SeatTilesOf(seat).hand;
    std::sort(mine.begin(), mine.end());
    std::sort(server.begin(), server.end());
    ASSERT_EQ(mine, server) << bot->Account() << " at seat " << seat;
  }
}

TEST(Bots, FourBotsPlayManyHandsThatAllSumToZero) {
  TableOptions o;
  o.seed = 2024;
  BotTable t(o);
  for (int i = 0; i < 200000 && t.table.HandsPlayed() < 60; ++i) {
    t.Step();
    ExpectBotsAgree(t);
    if (HasFatalFailure()) return;
  }
  ASSERT_EQ(t.table.HandsPlayed(), 60);
  std::istringstream lines(t.log.str());
  std::string line;
  int count = 0, wins = 0;
  std::int64_t totals = 0;
  while (std::getline(lines, line)) {
    ++count;
    EXPECT_NE(line.find(" sum=0"), std::string::npos) << line;
    wins += line.find(" winner=-1 ") == std::string::npos;
  }
  EXPECT_EQ(count, 60);
  EXPECT_GT(wins, 10);  // the bots do win hands
  for (int s = 0; s < 4; ++s) totals += t.table.Seat(s).total;
  EXPECT_EQ(totals, 0);
}

TEST(Bots, TheSameSeedPlaysTheSameGame) {
  auto play = [](std::uint32_t seed) {
    TableOptions o;
    o.seed = seed;
    BotTable t(o);
    for (int i = 0; i < 100000 && t.table.HandsPlayed() < 5; ++i) t.Step();
    return t.log.str();
  };
  std::string a = play(7);
  EXPECT_EQ(a, play(7));
  EXPECT_NE(a, play(8));
}

}  // namespace
}  // namespace vask::server::test
