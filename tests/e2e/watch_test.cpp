// Watchers at the practice server: a watcher follows a bot's table frame by
// frame through whole hands, one arriving mid-hand catches up, a player
// leaving ends the watch, and a watch nobody can be given is refused.
// Server and clients run in one thread, seeded, turn about; the comparisons
// pair the frames both clients handled, so they hold whatever the timing.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "bots/practice_game.h"
#include "core/connection/login.h"
#include "core/game/operations.h"
#include "support/table_summary.h"

namespace vask::test {
namespace {

using bots::PracticeGame;
using bots::TableWatcher;

// One frame a client handled and its table right after it.
struct Step {
  Frame frame{};
  std::vector<std::string> table;
};

// Stands between a platform and its client: sees every frame the client
// takes out of its ring.
class FrameTap final : public PlatformEvents {
 public:
  FrameTap(Platform& p, Client& c) : platform_(p), client_(c) { p.SetEvents(this); }
  ~FrameTap() override { platform_.SetEvents(&client_); }
  FrameTap(const FrameTap&) = delete;
  FrameTap& operator=(const FrameTap&) = delete;

  std::vector<Step> steps;

  void OnTimer(TimerId timer) override {
    const std::size_t before = client_.conn.RecvBuf.ReadPos();
    client_.OnTimer(timer);
    if (timer == TimerId::Bong && client_.conn.RecvBuf.ReadPos() != before)
      steps.push_back({client_.conn.Msg, WatchSummary(client_)});
  }
  void OnSocketConnected() override { client_.OnSocketConnected(); }
  void OnSocketData() override { client_.OnSocketData(); }
  void OnSocketClosed() override { client_.OnSocketClosed(); }
  void OnWindowMessage(std::uint32_t m, std::int64_t w, std::int64_t l) override { client_.OnWindowMessage(m, w, l); }
  void OnInput(const InputEvent& e) override { client_.OnInput(e); }
  void OnWebPaneLoaded(int pane, bool ok) override { client_.OnWebPaneLoaded(pane, ok); }
  void OnMainWindowClose() override { client_.OnMainWindowClose(); }
  void OnMainWindowState(bool minimized) override { client_.OnMainWindowState(minimized); }

 private:
  Platform& platform_;
  Client& client_;
};

int CmdOf(const Frame& f) { return f[frame_offset::kCmd]; }
bool Is(const Frame& f, Cmd c) { return CmdOf(f) == static_cast<int>(c); }
int Value(const Frame& f, int k) { return static_cast<std::int16_t>(f[8 + 2 * k] << 8 | f[9 + 2 * k]); }

// The river tiles of a restore lie face down: their faces are not compared.
std::vector<std::string> WithoutFaces(std::vector<std::string> table) {
  for (std::string& line : table)
    if (line.rfind("out of the wall", 0) == 0) line = line.substr(0, line.find(" face "));
  return table;
}

// Where the watcher's frames from `from` on are the bot's frames; −1 when
// they are nowhere.
std::ptrdiff_t Align(const std::vector<Step>& bot, const std::vector<Step>& watcher, std::size_t from) {
  for (std::size_t j = 0; j < bot.size(); ++j) {
    std::size_t n = 0;
    while (from + n < watcher.size() && j + n < bot.size() && watcher[from + n].frame == bot[j + n].frame) ++n;
    if (n > 0 && (from + n == watcher.size() || j + n == bot.size())) return static_cast<std::ptrdiff_t>(j);
  }
  return -1;
}

// The tables after every paired frame; false at the first difference,
// which is reported.
// Between a hand's end and the next hand's start a player clears its table
// when it presses its start button, a moment between frames; a watcher at
// the echo of that press. The hands are compared, from each hand start to
// the first ready message after it.
bool SameTablesAfterEveryFrame(const std::vector<Step>& bot, const std::vector<Step>& watcher, std::size_t from,
                               std::size_t j, bool faces) {
  bool inHand = true;
  for (std::size_t i = from; i < watcher.size() && j < bot.size(); ++i, ++j) {
    if (Is(watcher[i].frame, Cmd::HandStart)) inHand = true;
    if (Is(watcher[i].frame, Cmd::Ready)) inHand = false;
    if (!inHand) continue;
    const std::vector<std::string> w = faces ? watcher[i].table : WithoutFaces(watcher[i].table);
    const std::vector<std::string> b = faces ? bot[j].table : WithoutFaces(bot[j].table);
    if (w == b) continue;
    SCOPED_TRACE("after frame " + std::to_string(i) + " (command " + std::to_string(CmdOf(watcher[i].frame)) + ")");
    ExpectSameTable(w, b);
    return false;
  }
  return true;
}

constexpr int kWonOnDiscard = 1000, kWonOnDraw = 1001;

// The claim result types a stream of frames shows, and the two ways of
// winning.
std::set<int> ClaimsSeen(const std::vector<Step>& steps, std::size_t from) {
  std::set<int> kinds;
  int lastPlay = 0;
  for (std::size_t i = from; i < steps.size(); ++i) {
    const Frame& f = steps[i].frame;
    if (Is(f, Cmd::Claim)) {
      const int type = Value(f, 0);
      kinds.insert(type);
      if (type == OpHu && lastPlay == static_cast<int>(Cmd::Discard)) kinds.insert(kWonOnDiscard);
      if (type == OpHu && lastPlay == static_cast<int>(Cmd::Draw)) kinds.insert(kWonOnDraw);
    }
    if (Is(f, Cmd::Discard) || Is(f, Cmd::Draw) || Is(f, Cmd::Claim)) lastPlay = CmdOf(f);
  }
  return kinds;
}

const std::set<int> kEveryKind = {OpChi, OpPeng, OpMingGang, OpAnGang, OpBuGang, OpHu, kWonOnDiscard, kWonOnDraw};

TEST(Watch, AWatcherHoldsTheWatchedPlayersTableAfterEveryFrameAndOneComingMidHandCatchesUp) {
  PracticeGame game(7);
  ASSERT_TRUE(game.Started());
  ASSERT_TRUE(game.RunUntil([&] { return game.ServerTable().CurrentHand() != nullptr; }, 20)) << game.Describe();
  bots::TableBot* watched = nullptr;
  for (auto& p : game.Players())
    if (game.SeatOf(*p) == 0) watched = p.get();
  ASSERT_NE(watched, nullptr);
  FrameTap botTap(watched->Platform(), watched->GetClient());
  TableWatcher* early = game.AddWatcher(1);
  ASSERT_NE(early, nullptr);
  FrameTap earlyTap(early->platform, early->client);
  ASSERT_TRUE(game.RunUntil([&] { return game.ServerTable().Watchers() == 1; }, 20)) << game.Describe();
  // A second watcher comes while the next hand is under way.
  const int handsBefore = game.ServerTable().HandsPlayed();
  ASSERT_TRUE(game.RunUntil([&] {
    const server::Hand* h = game.ServerTable().CurrentHand();
    return h && game.ServerTable().HandsPlayed() > handsBefore && h->CurrentPhase() == server::Hand::Phase::Turn &&
           h->TurnSeat() == 2;
  }, 30)) << game.Describe();
  game.HoldBots(true);
  TableWatcher* late = game.AddWatcher(1);
  ASSERT_NE(late, nullptr);
  FrameTap lateTap(late->platform, late->client);
  ASSERT_TRUE(game.RunUntil([&] {
    return std::count_if(lateTap.steps.begin(), lateTap.steps.end(), [](const Step& s) { return Is(s.frame, Cmd::Restore); }) == 4;
  }, 20)) << game.Describe();
  game.HoldBots(false);

  // The early watcher from the first hand it saw start (not a restore).
  std::size_t from = 1;
  auto liveStart = [&](std::size_t i) {
    return Is(earlyTap.steps[i].frame, Cmd::HandStart) && !Is(earlyTap.steps[i - 1].frame, Cmd::GameParams);
  };
  std::set<int> kinds;
  ASSERT_TRUE(game.RunUntil([&] {
    while (from < earlyTap.steps.size() && !liveStart(from)) ++from;
    kinds = ClaimsSeen(earlyTap.steps, std::min(from, earlyTap.steps.size()));
    return game.ServerTable().HandsPlayed() >= handsBefore + 11 &&
           std::includes(kinds.begin(), kinds.end(), kEveryKind.begin(), kEveryKind.end());
  }, 240)) << "kinds seen: " << kinds.size() << "\n" << game.Describe();
  EXPECT_EQ(game.ServerTable().Watchers(), 2u);

  ASSERT_LT(from, earlyTap.steps.size());
  std::ptrdiff_t j = Align(botTap.steps, earlyTap.steps, from);
  ASSERT_GE(j, 0);
  EXPECT_GT(earlyTap.steps.size() - from, 1000u);
  EXPECT_TRUE(SameTablesAfterEveryFrame(botTap.steps, earlyTap.steps, from, static_cast<std::size_t>(j), true));

  // The late watcher: once its restore is in, the seat's own table.
  std::size_t restored = 0;
  for (int restores = 0; restored < lateTap.steps.size() && restores < 4; ++restored)
    if (Is(lateTap.steps[restored].frame, Cmd::Restore)) ++restores;
  ASSERT_LT(restored, lateTap.steps.size());
  if (Is(lateTap.steps[restored].frame, Cmd::Turn) && Align(botTap.steps, lateTap.steps, restored) < 0)
    ++restored;  // the restore's own turn message
  // The restore lays the turn seat's drawn tile in its row, not set apart:
  // from that seat's discard on, the tables are the same.
  while (restored < lateTap.steps.size() && !Is(lateTap.steps[restored].frame, Cmd::Discard)) ++restored;
  j = Align(botTap.steps, lateTap.steps, restored);
  ASSERT_GE(j, 1);
  EXPECT_TRUE(SameTablesAfterEveryFrame(botTap.steps, lateTap.steps, restored, static_cast<std::size_t>(j), false));

  // Watchers send nothing the table has to refuse.
  EXPECT_EQ(game.ServerTable().RefusedFromWatchers(), 0);
  for (TableWatcher* w : {early, late}) {
    EXPECT_FALSE(w->platform.quit) << w->platform.lastMessage;
    EXPECT_TRUE(w->client.table.Spectator);
  }
}

TEST(Watch, APlayerLeavingEndsTheWatchWithItsMessage) {
  PracticeGame game(11);
  ASSERT_TRUE(game.Started());
  ASSERT_TRUE(game.RunUntil([&] { return game.ServerTable().CurrentHand() != nullptr; }, 20)) << game.Describe();
  TableWatcher* w = game.AddWatcher(2);
  ASSERT_NE(w, nullptr);
  ASSERT_TRUE(game.RunUntil([&] { return game.ServerTable().Watchers() == 1; }, 20)) << game.Describe();
  // Another player leaves the table by the lobby's order.
  for (auto& p : game.Players())
    if (game.SeatOf(*p) == 3) p->GetClient().OnWindowMessage(0x400, 0, 0);
  ASSERT_TRUE(game.RunUntil([&] { return w->platform.quit; }, 60)) << game.Describe();
  EXPECT_EQ(w->platform.lastMessage, w->client.view.Caption + ": 有用户退出，旁观结束！");
}

TEST(Watch, NobodyToWatchOrNoWholeTableIsRefusedWithTheServersMessage) {
  PracticeGame game(5);
  ASSERT_TRUE(game.Started());
  ASSERT_TRUE(game.RunUntil([&] { return game.ServerTable().CurrentHand() != nullptr; }, 20)) << game.Describe();
  TableWatcher* nobody = game.AddWatcher(9);
  ASSERT_NE(nobody, nullptr);
  ASSERT_TRUE(game.RunUntil([&] { return nobody->platform.quit; }, 20)) << game.Describe();
  EXPECT_EQ(nobody->client.view.Sysmsg[0].items, std::vector<std::string>{login_text::kStartFailed});
  EXPECT_EQ(game.ServerTable().Watchers(), 0u);

  PracticeGame half(6, bots::Strength::Steady, 2);
  ASSERT_TRUE(half.Started());
  ASSERT_TRUE(half.RunUntil([&] { return half.ServerTable().Seat(1).taken; }, 20)) << half.Describe();
  TableWatcher* tooEarly = half.AddWatcher(1);
  ASSERT_NE(tooEarly, nullptr);
  ASSERT_TRUE(half.RunUntil([&] { return tooEarly->platform.quit; }, 20)) << half.Describe();
  EXPECT_EQ(tooEarly->client.view.Sysmsg[0].items, std::vector<std::string>{login_text::kStartFailed});
}

}  // namespace
}  // namespace vask::test
