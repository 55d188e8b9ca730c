// Four table bots, each a whole client on the headless platform, play the
// practice server over loopback TCP. Server and clients run in one thread,
// turn about, so the test can hold each client's table against the
// server's at the moments the client must act.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <set>
#include <sstream>
#include <vector>

#include "bots/practice_game.h"
#include "e2e/hand_check.h"

namespace vask::test {
namespace {

using bots::PracticeGame;
using bots::TableBot;


// The "sum=" field of every hand line of the results log.
std::vector<long> HandSums(const std::string& log) {
  std::vector<long> sums;
  std::istringstream in(log);
  for (std::string line; std::getline(in, line);) {
    const auto at = line.find(" sum=");
    if (line.rfind("hand=", 0) == 0 && at != std::string::npos) sums.push_back(std::stol(line.substr(at + 5)));
  }
  return sums;
}

TEST(BotsGame, FourClientsPlayWholeHandsAndAlwaysHoldWhatTheServerDealtThem) {
  PracticeGame game(2024);
  ASSERT_TRUE(game.Started());
  const int kHands = 6;
  int checks = 0;
  const bool finished = game.PlayHands(kHands, 60, [&](TableBot& p) {
    checks += CheckHandAgainstServer(game, p);
  });
  ASSERT_TRUE(finished) << game.Describe() << game.Log();
  EXPECT_GT(checks, 20);
  int claims = 0, discards = 0;
  for (auto& p : game.Players()) {
    claims += p->Claims();
    discards += p->Discards();
    EXPECT_FALSE(p->Platform().quit) << p->Options().account << ": " << p->Platform().lastMessage;
  }
  EXPECT_GT(claims, 0);
  EXPECT_GT(discards, 4 * kHands);
  const std::vector<long> sums = HandSums(game.Log());
  ASSERT_GE(sums.size(), static_cast<std::size_t>(kHands));
  for (long s : sums) EXPECT_EQ(s, 0) << game.Log();
}

// Wins on a discard and self-drawn wins in the results log so far.
struct WinKinds {
  int byDiscard = 0, selfDrawn = 0;
};
WinKinds CountWins(const std::string& log) {
  WinKinds w;
  std::istringstream in(log);
  for (std::string line; std::getline(in, line);) {
    if (line.rfind("hand=", 0) != 0) continue;
    const bool noWinner = line.find(" winner=-1 ") != std::string::npos;
    const bool noPayer = line.find(" payer=-1 ") != std::string::npos;
    w.selfDrawn += !noWinner && noPayer;
    w.byDiscard += !noWinner && !noPayer;
  }
  return w;
}

TEST(BotsGame, ManyHandsBringEveryMeldAndBothWaysOfWinning) {
  using bots::Strength;
  // Players who claim and players who never do: every meld comes up. Four
  // links over loopback do not replay a game move for move, so the game
  // runs until everything asserted below has come up, at least 40 hands;
  // the cap lies far beyond what chance needs (the rarest meld comes up in
  // about one hand in twenty), so the verdict cannot flip with the machine's
  // load.
  PracticeGame game(11, {Strength::Sharp, Strength::Novice, Strength::Steady, Strength::Novice});
  ASSERT_TRUE(game.Started());
  const std::vector<server::MeldKind> kinds = {server::MeldKind::Chow, server::MeldKind::Pung,
                                               server::MeldKind::ExposedKong, server::MeldKind::ConcealedKong,
                                               server::MeldKind::AddedKong};
  std::set<server::MeldKind> melds;
  int checks = 0;
  // The log is read again only when a hand has ended.
  int handsSeen = -1;
  WinKinds wins;
  const auto covered = [&] {
    const int hands = game.ServerTable().HandsPlayed();
    if (hands != handsSeen) wins = CountWins(game.Log()), handsSeen = hands;
    return hands >= 40 && melds.size() == kinds.size() && wins.byDiscard > 0 && wins.selfDrawn > 0;
  };
  const int kMaxHands = 400;
  const bool finished = game.RunUntil(
      [&] { return covered() || game.ServerTable().HandsPlayed() >= kMaxHands; }, 300, [&](TableBot& p) {
        if (const server::Hand* hand = game.ServerTable().CurrentHand())
          for (int s = 0; s < 4; ++s)
            for (const server::Meld& m : hand->SeatTilesOf(s).melds) melds.insert(m.kind);
        checks += CheckHandAgainstServer(game, p);
      });
  ASSERT_TRUE(finished) << game.Describe() << game.Log();
  EXPECT_GT(checks, 200);
  for (server::MeldKind k : kinds) EXPECT_TRUE(melds.count(k)) << "no meld of kind " << static_cast<int>(k);
  // Won on a discard and self-drawn (with a dozen wildcards in the wall
  // somebody always wins before it runs out; drawn hands are the
  // settlement tests').
  wins = CountWins(game.Log());
  EXPECT_GT(wins.byDiscard, 0);
  EXPECT_GT(wins.selfDrawn, 0);
  for (long sum : HandSums(game.Log())) EXPECT_EQ(sum, 0);
}

TEST(BotsGame, APlayerWhoSitsDownLastCompletesTheTableAndTheHandStarts) {
  PracticeGame game(7, bots::Strength::Steady, 3);
  ASSERT_TRUE(game.Started());
  // Three wait at the table long enough to have been told it is waiting.
  game.RunUntil([] { return false; }, 2);
  EXPECT_EQ(game.ServerTable().HandsPlayed(), 0);
  ASSERT_TRUE(game.StartRest());
  ASSERT_TRUE(game.PlayHands(2, 30)) << game.Log();
}

}  // namespace
}  // namespace vask::test
