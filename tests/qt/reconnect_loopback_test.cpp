// Reconnection over real loopback TCP through the Qt platform: the scripted
// server drops the link in the middle of a hand, half a frame written; the
// client notices, reconnects, logs in again into the same table, and its
// seat records are those it had. A server that takes the connection but
// never answers the re-login is no reconnection.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include "core/client.h"
#include "core/connection/startup.h"
#include "platform/qt/lobby_ipc.h"
#include "platform/qt/qt_platform.h"
#include "support/frames.h"
#include "pump_until.h"
#include "support/scripted_server.h"
#include "support/table_frames.h"

namespace vask {
namespace {

using test::PumpUntil;

constexpr std::uint32_t kReloginId = 0x01020304;
constexpr const char* kLobby = "重连测试大厅";

// The game start that names the re-login identifier, tagged by the server.
Frame GameStart() {
  Frame f = test::TableStateFrame(2, 1);
  for (int i = 0; i < 4; ++i) f[268 + i] = static_cast<std::uint8_t>(kReloginId >> (8 * i));
  f[260] = 0x21;
  f[261] = 0x43;
  return f;
}

bool IsRelogin(const Frame& f) {
  const std::uint32_t id = f[268] | f[269] << 8 | f[270] << 16 | static_cast<std::uint32_t>(f[271]) << 24;
  return f[3] == 28 && id == kReloginId && f[260] == 0x21 && f[261] == 0x43 &&
         std::string(reinterpret_cast<const char*>(&f[16])) == "player";
}

struct SeatView {
  std::string username, nick;
  std::uint8_t mask;
  bool operator==(const SeatView&) const = default;
};

std::vector<SeatView> Seats(const Client& c) {
  std::vector<SeatView> out;
  for (int v = 0; v < 4; ++v) out.push_back({c.table.Detail[v].username, c.players.PlayerInfo[v].Nick, c.table.Detail[v].Mask});
  return out;
}

class LoopbackReconnect : public ::testing::Test {
 protected:
  LoopbackReconnect() : saved_(qgetenv("TMPDIR")) {
    qputenv("TMPDIR", tmp_.path().toLocal8Bit());
    EXPECT_TRUE(lobby.Listen(kLobby));
    platform.AttachView(&client.view);
    server.stepTimeoutMs = 15000;
    // Logged in, seated, the hand started; then the link breaks in the
    // middle of a frame.
    server.Expect("the login frame", [](const Frame& f) { return f[3] == 18; })
        .Send(test::LoginAndSeating(table))
        .Send(GameStart())
        .Pause(300)
        .SendPart(test::ReadyFrame(table.accounts[0]), 100)
        .Close()
        .AcceptAgain()
        .Expect("the re-login frame", IsRelogin);
  }
  ~LoopbackReconnect() override { qputenv("TMPDIR", saved_); }
  bool Start() {
    server.Start();
    return StartUp(client, test::PlayerCommandLine("127.0.0.1", server.Port(), kLobby, "重连牌桌"));
  }
  bool Seated() { return PumpUntil([&] { return client.players.NamesReceived == 5 && client.login.ReLoginId == kReloginId; }, 15000); }
  std::string Failure() const { return server.Failures().empty() ? "" : server.Failures()[0]; }

  QTemporaryDir tmp_;
  QByteArray saved_;
  window_link::Endpoint lobby;
  test::ScriptedServer server;
  test::ScriptedTable table;
  QtPlatform platform;
  Client client{platform};
};

TEST_F(LoopbackReconnect, ADropMidHandBringsTheClientBackIntoTheSameTable) {
  server.Send(test::ServerFrame(29, 0, {0, 0, 0, 1}))
      .Send(test::PlayerLeavesFrame(table.accounts[0]))
      .Expect("the leave frame", [&](const Frame& f) { return f[3] == 16 && f[6] == 0 && f[15] == 0; });
  ASSERT_TRUE(Start());
  ASSERT_TRUE(Seated()) << Failure();
  const std::vector<SeatView> before = Seats(client);
  ASSERT_TRUE(PumpUntil([&] { return client.view.frmReconnect.visible; }, 5000));
  EXPECT_FALSE(client.conn.bTableLive);
  // Back once the server accepts the re-login, not before.
  ASSERT_TRUE(PumpUntil([&] { return !client.view.frmReconnect.visible; }, 15000)) << Failure();
  EXPECT_TRUE(client.conn.bTableLive);
  EXPECT_EQ(client.recon.ReconAttempts, 1);
  EXPECT_EQ(Seats(client), before);
  // The new link's stream is read whole: the half frame of the old one is gone.
  ASSERT_TRUE(PumpUntil([&] { return client.table.Detail[1].username.empty() || client.table.Detail[2].username.empty() ||
                                     client.table.Detail[3].username.empty(); }, 5000));
  EXPECT_EQ(client.conn.RecvBuf.Unread(), 0u);
  client.OnWindowMessage(lobby_msg::kLeft, 0, 0);
  ASSERT_TRUE(PumpUntil([&] { return server.Done(); }, 10000));
  EXPECT_TRUE(server.Passed()) << Failure();
  EXPECT_FALSE(client.conn.bQuitting);
}

TEST_F(LoopbackReconnect, AServerThatNeverAnswersTheReloginIsNoReconnection) {
  // It takes the next attempt too, and answers that one neither.
  server.AcceptAgain().Expect("the second re-login", IsRelogin);
  ASSERT_TRUE(Start());
  ASSERT_TRUE(Seated()) << Failure();
  ASSERT_TRUE(PumpUntil([&] { return server.Done(); }, 25000));
  EXPECT_TRUE(server.Passed()) << Failure();
  EXPECT_TRUE(client.view.frmReconnect.visible);
  EXPECT_FALSE(client.conn.bTableLive);
  EXPECT_GE(client.recon.ReconAttempts, 2);
  EXPECT_FALSE(client.conn.bQuitting);
}

TEST_F(LoopbackReconnect, AServerThatAnswersGarbageChangesNothingAndIsRetried) {
  // Frames that would end the client, reseat it or log it in, and bytes
  // that are no frame at all; then the next attempt.
  std::vector<Frame> garbage{test::PlayerLeavesFrame("player"), test::SeatNameFrame(1, "stranger"), test::LoginAnswer(3)};
  Frame noise;
  for (std::size_t i = 0; i < noise.size(); ++i) noise[i] = static_cast<std::uint8_t>(i * 37 + 11);
  garbage.push_back(noise);
  server.Send(garbage).SendPart(noise, 77).AcceptAgain().Expect("the second re-login", IsRelogin);
  ASSERT_TRUE(Start());
  ASSERT_TRUE(Seated()) << Failure();
  const std::vector<SeatView> before = Seats(client);
  ASSERT_TRUE(PumpUntil([&] { return server.Done(); }, 25000));
  EXPECT_TRUE(server.Passed()) << Failure();
  EXPECT_FALSE(client.conn.bQuitting);
  EXPECT_TRUE(client.view.frmReconnect.visible);
  EXPECT_EQ(Seats(client), before);
}

}  // namespace
}  // namespace vask
