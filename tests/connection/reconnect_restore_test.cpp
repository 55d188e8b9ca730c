// The link dropped at every cut of a whole hand (after the deal, mid-turn,
// during claims and kongs): the client reconnects, logs in again, the
// server restores the table, and the client holds the table of one that
// never lost the link; it plays the rest of the hand to the same end with
// the same requests. Also with half a frame in the ring at the drop.
#include <gtest/gtest.h>

#include "core/client.h"
#include "core/connection/login.h"
#include "core/view/layout.h"
#include "platform/fake/scripted_hand.h"
#include "support/full_hand.h"
#include "support/play_frames.h"
#include "support/table_summary.h"

namespace vask::test {
namespace {

constexpr const char* kLobby = "Vask山庄";

// A client at the full hand's table, logged in with its watch open.
struct TableClient {
  FakePlatform platform;
  Client client{platform};
  TableClient() {
    platform.existingWindows = {kLobby};
    client.conn.LobbyTitle = kLobby;
    client.launch.ServerHost = "10.0.0.7";
    client.launch.ServerPort = 6000;
    client.login.LoginFrame = BuildLoginFrame("player", "key");
    platform.Connect();
    client.conn.bProxyDone = true;
    EnableTimer(client, TimerId::Bong, true);
    InitPictureTables(client.pics, 1.0);
    InitLayout(client);
    SeatFourPlayers(client);
    client.conn.bTableLive = true;
    client.login.g_bCanRecon = true;
    client.conn.bWatchLink = true;
  }
  std::vector<Frame> Sent() {
    for (int guard = 0; guard < 1000 && client.conn.SendBuf.Unread() >= kFrameSize; ++guard) platform.RunTicks(1);
    return platform.SentFrames();
  }
};

struct Cut {
  std::size_t step;
  std::vector<std::string> table;
  std::size_t requestsBefore;
};

class ReconnectAtEveryCut : public ::testing::TestWithParam<bool> {};

TEST_P(ReconnectAtEveryCut, RestoresTheUncutTableAndPlaysOnToTheSameEnd) {
  const bool halfFrameAtTheDrop = GetParam();
  const std::vector<HandStep> steps = FullHandSteps();
  TableClient uncut;
  std::vector<Cut> cuts;
  for (std::size_t i = 0; i < steps.size(); ++i) {
    steps[i].run(uncut.platform, uncut.client);
    if (!steps[i].restore.empty()) cuts.push_back({i, TableSummary(uncut.client), uncut.Sent().size()});
  }
  const std::vector<std::string> end = TableSummary(uncut.client);
  const std::vector<Frame> requests = uncut.Sent();
  ASSERT_EQ(cuts.size(), 5u);

  for (const Cut& cut : cuts) {
    SCOPED_TRACE("drop after step " + std::to_string(cut.step) + " (" + steps[cut.step].what + ")");
    TableClient cutClient;
    FakePlatform& p = cutClient.platform;
    Client& c = cutClient.client;
    for (std::size_t i = 0; i <= cut.step; ++i) steps[i].run(p, c);
    const std::vector<Frame> before = cutClient.Sent();
    const auto players = c.players.PlayerInfo;
    if (halfFrameAtTheDrop) p.ServerSends(std::vector<std::uint8_t>(150, 0x07));
    p.ServerCloses();
    p.Advance(kTimerReconnectMs + kTimerCountMs + 100);
    ASSERT_TRUE(c.view.frmReconnect.visible);
    p.Connect();
    p.RunTicks(5);
    ASSERT_EQ(p.SentFrames().back()[3], 28);
    std::vector<Frame> answer{ServerFrame(29, 0, {0, 0, 0, 1})};
    answer.insert(answer.end(), steps[cut.step].restore.begin(), steps[cut.step].restore.end());
    PlayFrames(p, c, answer);
    EXPECT_FALSE(c.view.frmReconnect.visible);
    ExpectSameTable(TableSummary(c), cut.table);
    for (int v = 0; v < 4; ++v) EXPECT_EQ(c.players.PlayerInfo[v].Nick, players[v].Nick) << v;
    for (std::size_t i = cut.step + 1; i < steps.size(); ++i) steps[i].run(p, c);
    ExpectSameTable(TableSummary(c), end);
    // The requests after the cut are the uncut client's; the re-login frame
    // is the only one between.
    std::vector<Frame> after = cutClient.Sent();
    after.erase(after.begin(), after.begin() + static_cast<std::ptrdiff_t>(before.size()));
    ASSERT_FALSE(after.empty());
    EXPECT_EQ(after.front()[3], 28);
    after.erase(after.begin());
    EXPECT_EQ(ReadRequests(after),
              ReadRequests({requests.begin() + static_cast<std::ptrdiff_t>(cut.requestsBefore), requests.end()}));
  }
}

INSTANTIATE_TEST_SUITE_P(Drops, ReconnectAtEveryCut, ::testing::Values(false, true),
                         [](const ::testing::TestParamInfo<bool>& i) { return i.param ? "HalfFrameAtTheDrop" : "Clean"; });

}  // namespace
}  // namespace vask::test
