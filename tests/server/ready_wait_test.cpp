// The table that waits for its players: the countdown every client starts
// when the table fills, the seat the server declares ready when its client
// never does, and the server's bots, who pause like people before they are
// ready but never keep a person waiting.
#include <gtest/gtest.h>

#include "server/table_fixture.h"

namespace vask::server::test {
namespace {

bool IsCountdown(const Frame& f) {
  const MsgInfo m = DecodeHeader(f);
  return m.cmd == static_cast<int>(Cmd::PlayerLeaves) && f[layout::kAccountName] == 0 && m.value[1] == 1;
}

TEST(ReadyWait, TheFilledTableStartsEveryClientsCountdownBeforeItsSeating) {
  Harness h(WithoutQuestions());
  for (LinkId l = 1; l <= 3; ++l) h.Join("p" + std::to_string(l), l);
  // Nobody has been told the table waits: their tables stay fresh.
  for (LinkId l = 1; l <= 3; ++l) EXPECT_TRUE(h.Received(l, Cmd::TableState).empty()) << l;
  h.Join("p4", 4);
  for (LinkId l = 1; l <= 4; ++l) {
    const auto& frames = h.out.sent[l];
    const auto countdown = std::find_if(frames.begin(), frames.end(), IsCountdown);
    ASSERT_NE(countdown, frames.end()) << l;
    EXPECT_EQ(std::count_if(frames.begin(), frames.end(), IsCountdown), 1) << l;
    const auto names = std::find_if(frames.begin(), frames.end(),
                                    [](const Frame& f) { return f[frame_offset::kCmd] == static_cast<int>(Cmd::SeatName); });
    EXPECT_LT(countdown - frames.begin(), names - frames.begin()) << l;
  }
}

TEST(ReadyWait, APlayerWhoComesBackToItsSeatStartsNoCountdown) {
  Harness h(WithoutQuestions());
  SeatFourAndStart(h);
  h.Clear();
  h.table.Disconnect(2, h.now);
  h.Join("p2", 7);
  for (LinkId l : {1, 3, 4, 7})
    for (const Frame& f : h.out.sent[l]) EXPECT_FALSE(IsCountdown(f)) << l;
}

struct LateCase {
  const char* name;
  bool absent;  // the late seat has no player connected
};

class LateSeat : public ::testing::TestWithParam<LateCase> {};

TEST_P(LateSeat, IsDeclaredReadyByTheServerOnlyWhileItsPlayerIsThere) {
  Harness h(WithoutQuestions());
  for (LinkId l = 1; l <= 4; ++l) h.Join("p" + std::to_string(l), l);
  for (LinkId l = 1; l <= 3; ++l) h.Send(l, client_frames::Ready(SeatMask(static_cast<int>(l - 1))));
  if (GetParam().absent) h.table.Disconnect(4, h.now);
  const Millis wait = TableOptions{}.readyWait;
  EXPECT_LE(h.table.NextDeadline().value_or(0), h.now + wait);
  h.Advance(wait - 1);
  EXPECT_EQ(h.table.CurrentHand(), nullptr);
  h.Advance(1);
  if (GetParam().absent) {
    EXPECT_EQ(h.table.CurrentHand(), nullptr);
    return;
  }
  ASSERT_NE(h.table.CurrentHand(), nullptr);
  // The others see the late player's marker as if it had pressed the button.
  const auto ready = h.Frames(1, Cmd::Ready);
  ASSERT_FALSE(ready.empty());
  EXPECT_EQ(ready.back()[layout::kAccountName], 'p');
  EXPECT_EQ(ready.back()[layout::kAccountName + 1], '4');
}

INSTANTIATE_TEST_SUITE_P(Seats, LateSeat, ::testing::Values(LateCase{"Connected", false}, LateCase{"Absent", true}),
                         [](const ::testing::TestParamInfo<LateCase>& i) { return std::string(i.param.name); });

TEST(ReadyWait, TheWaitStartsAgainAfterEveryHand) {
  Harness h(WithoutQuestions());
  SeatFourAndStart(h);
  // Nobody plays: the server plays every turn out after its countdown.
  for (int i = 0; i < 2000 && h.table.HandsPlayed() == 0; ++i) h.Advance(1000);
  ASSERT_EQ(h.table.HandsPlayed(), 1);
  const Millis ended = h.now;
  for (LinkId l = 1; l <= 3; ++l) h.Send(l, client_frames::Ready(SeatMask(static_cast<int>(l - 1))));
  EXPECT_EQ(h.table.NextDeadline(), ended + TableOptions{}.readyWait);
}

// Three of the server's bots and one person.
struct BotsAndPerson {
  RecordingOutbox out;
  BotPool bots;
  Table table;
  Millis now = 0;

  explicit BotsAndPerson(Millis pause) : bots(0, pause, 3), table(WithoutQuestions(), out) {
    out.bots = &bots;
    table.Connect(1, now);
    table.Receive(1, client_frames::Login("person", "k"), now);
    for (int i = 1; i <= 3; ++i) bots.Add("bot" + std::to_string(i), table, now);
    Step(0);
  }
  void Step(Millis ms) {
    now += ms;
    table.Tick(now);
    bots.Pump(table, now);
  }
  int BotsReady() const {
    int n = 0;
    for (int s = 0; s < 4; ++s) n += table.Seat(s).ready && table.Seat(s).profile.account != "person";
    return n;
  }
};

TEST(BotPauses, BotsWaitAtLeastThePauseAndAtMostTwiceIt) {
  BotsAndPerson t(6000);
  ASSERT_EQ(t.BotsReady(), 0);
  t.Step(5999);
  EXPECT_EQ(t.BotsReady(), 0);
  t.Step(6001);
  EXPECT_EQ(t.BotsReady(), 3);
}

TEST(BotPauses, APersonWhoIsReadyEndsThePauses) {
  BotsAndPerson t(6000);
  t.Step(1000);
  EXPECT_EQ(t.BotsReady(), 0);
  t.table.Receive(1, client_frames::Ready(SeatMask(t.table.SeatOfLink(1))), t.now);
  t.Step(0);
  EXPECT_NE(t.table.CurrentHand(), nullptr);
}

TEST(BotPauses, WithoutAPauseBotsAreReadyAtOnce) {
  BotsAndPerson t(0);
  EXPECT_EQ(t.BotsReady(), 3);
}

}  // namespace
}  // namespace vask::server::test

namespace vask::server::test {
namespace {

TEST(ReadyWait, TheFirstHandOfAFilledTableIsDealtWithoutThePullQuestions) {
  Harness h{TableOptions{}};
  SeatFourAndStart(h);
  EXPECT_NE(h.table.CurrentHand()->CurrentPhase(), Hand::Phase::Questions);
  EXPECT_TRUE(h.Frames(2, Cmd::PullSit).empty());
  for (int i = 0; i < 2000 && h.table.HandsPlayed() == 0; ++i) h.Advance(1000);
  ASSERT_EQ(h.table.HandsPlayed(), 1);
  for (LinkId l = 1; l <= 4; ++l) h.Send(l, client_frames::Ready(SeatMask(static_cast<int>(l - 1))));
  ASSERT_NE(h.table.CurrentHand(), nullptr);
  EXPECT_EQ(h.table.CurrentHand()->CurrentPhase(), Hand::Phase::Questions);
}

}  // namespace
}  // namespace vask::server::test

namespace vask::server::test {
namespace {

TEST(ReadyWait, AWatcherIsNotToldOfTheCountdownItWouldTakeForADeparture) {
  Harness h(WithoutQuestions());
  for (LinkId l = 1; l <= 4; ++l) h.Join("p" + std::to_string(l), l);
  h.table.Connect(20, h.now);
  h.table.Receive(20, client_frames::Login("fan", "watch:3"), h.now);
  ASSERT_EQ(h.table.Watchers(), 1u);
  h.Send(1, client_frames::Leave(1));
  h.Clear();
  h.Join("p9", 9);  // the table fills again
  EXPECT_TRUE(std::any_of(h.out.sent[3].begin(), h.out.sent[3].end(), IsCountdown));
  EXPECT_FALSE(std::any_of(h.out.sent[20].begin(), h.out.sent[20].end(), IsCountdown));
}

}  // namespace
}  // namespace vask::server::test
