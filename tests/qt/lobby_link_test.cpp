// The window link over local sockets, and a scripted login and seating
// over real loopback TCP through the Qt platform, with a lobby listening.
#include <gtest/gtest.h>

#include <algorithm>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLocalSocket>
#include <QTemporaryDir>

#include "core/client.h"
#include "core/connection/startup.h"
#include "lobby_ear.h"
#include "pump_until.h"
#include "platform/qt/lobby_ipc.h"
#include "platform/qt/qt_platform.h"
#include "support/scripted_server.h"
#include "support/table_frames.h"

namespace vask {
namespace {

namespace wl = window_link;

using qt_test::LobbyEar;
using qt_test::PrivateTemp;
using test::PumpUntil;

TEST(WindowLink, PacketsRoundTripAndStrangersAreRefused) {
  wl::Packet p{wl::Kind::Post, 0x303, -1, 1234567890123, wl::EndpointName("大厅")};
  QByteArray bytes = wl::Encode(p);
  ASSERT_EQ(bytes.size(), wl::kPacketSize);
  std::optional<wl::Packet> back = wl::Decode(bytes);
  ASSERT_TRUE(back);
  EXPECT_EQ(back->kind, wl::Kind::Post);
  EXPECT_EQ(back->msg, 0x303u);
  EXPECT_EQ(back->wparam, -1);
  EXPECT_EQ(back->lparam, 1234567890123);
  EXPECT_EQ(back->sender, p.sender);

  QByteArray wrongMagic = bytes;
  wrongMagic[0] = 'X';
  QByteArray wrongKind = bytes;
  wrongKind[5] = 9;
  QByteArray badSender = bytes;
  badSender[29] = '/';
  for (const QByteArray& b : {wrongMagic, wrongKind, badSender, bytes.left(50), QByteArray(wl::kPacketSize, '\xff')})
    EXPECT_FALSE(wl::Decode(b));
}

TEST(WindowLink, EndpointNamesAreSafeFileNamesForAnyTitle) {
  for (const std::string& title : {std::string("Vask山庄"), std::string("../../etc/passwd"), std::string(300, 'x'),
                                   std::string("a b\tc")}) {
    QString name = wl::EndpointName(title);
    EXPECT_LE(name.size(), 80) << title;
    for (QChar ch : name) EXPECT_TRUE(ch.isLetterOrNumber() || ch == '-') << title;
  }
  EXPECT_NE(wl::EndpointName("Vask山庄"), wl::EndpointName("Vask山"));
}

using WindowLinkEndpoint = PrivateTemp;

TEST_F(WindowLinkEndpoint, AWindowFoundByTitleReceivesPostsRestoreAndMinimise) {
  EXPECT_FALSE(wl::Exists("没有这个窗口"));
  LobbyEar lobby("Vask山庄");
  ASSERT_TRUE(lobby.listening);
  EXPECT_TRUE(wl::Exists("Vask山庄"));
  EXPECT_TRUE(wl::Send("Vask山庄", {wl::Kind::Post, 0x16, 0, 0, {}}));
  EXPECT_TRUE(wl::Send("Vask山庄", {wl::Kind::Restore, 0, 0, 0, {}}));
  EXPECT_TRUE(wl::Send("Vask山庄", {wl::Kind::Minimize, 0, 0, 0, {}}));
  ASSERT_TRUE(PumpUntil([&] { return lobby.got.size() == 3; }, 3000));
  EXPECT_EQ(lobby.Posts(), std::vector<std::uint32_t>{0x16});
  EXPECT_EQ(lobby.got[1].kind, wl::Kind::Restore);
  EXPECT_EQ(lobby.got[2].kind, wl::Kind::Minimize);
  EXPECT_FALSE(wl::Send("没有这个窗口", {wl::Kind::Post, 0x16, 0, 0, {}}));
}

TEST_F(WindowLinkEndpoint, ALeftoverSocketFileIsTakenOverButALiveOneIsNot) {
  QString path = QDir(dir_.path()).filePath(wl::EndpointName("旧大厅"));
  QFile stale(path);
  ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
  stale.close();
  LobbyEar first("旧大厅");
  EXPECT_TRUE(first.listening);
  wl::Endpoint second;
  EXPECT_FALSE(second.Listen("旧大厅"));
  EXPECT_TRUE(wl::Exists("旧大厅"));
}

TEST_F(WindowLinkEndpoint, GarbageOnTheSocketIsDroppedAndTheEndpointGoesOn) {
  LobbyEar lobby("大厅");
  QLocalSocket s;
  s.connectToServer(wl::EndpointName("大厅"));
  ASSERT_TRUE(s.waitForConnected(1000));
  s.write(QByteArray(3 * wl::kPacketSize, 'G'));
  s.flush();
  PumpUntil([&] { return s.state() != QLocalSocket::ConnectedState; }, 1000);
  EXPECT_TRUE(lobby.got.empty());
  EXPECT_TRUE(wl::Send("大厅", {wl::Kind::Post, 0x400, 0, 0, {}}));
  ASSERT_TRUE(PumpUntil([&] { return !lobby.got.empty(); }, 3000));
  EXPECT_EQ(lobby.Posts(), std::vector<std::uint32_t>{0x400});
}

using ScriptedTable = PrivateTemp;

TEST_F(ScriptedTable, LogsInSitsDownWaitsAndLeavesOnTheLobbysOrder) {
  const std::string lobbyTitle = "测试大厅", caption = "测试牌桌";
  LobbyEar lobby(lobbyTitle);
  ASSERT_TRUE(lobby.listening);

  test::ScriptedServer server;
  ASSERT_TRUE(server.Listening());
  test::ScriptedTable table;
  server.stepTimeoutMs = 10000;
  server
      .Expect("the login frame",
              [](const Frame& f) {
                return f[3] == 18 && f[14] == 1 && std::string(reinterpret_cast<const char*>(&f[16])) == "player";
              })
      .Send(test::LoginAndSeating(table))
      .Expect("the leave frame", [&](const Frame& f) { return f[3] == 16 && f[6] == table.ownMask && f[15] == 0; })
      .ExpectClose();
  server.Start();

  QtPlatform platform;
  Client client(platform);
  platform.AttachView(&client.view);
  ASSERT_TRUE(StartUp(client, test::PlayerCommandLine("127.0.0.1", server.Port(), lobbyTitle, caption)));

  // Logged in and seated: four names, the waiting line, and the lobby told.
  ASSERT_TRUE(PumpUntil(
      [&] {
        return client.players.NamesReceived == 5 && !client.view.Sysmsg[0].items.empty() &&
               client.view.Sysmsg[0].items[0] == kGameStartsSoon && lobby.Posts().size() >= 2;
      },
      15000))
      << "failures: " << (server.Failures().empty() ? "" : server.Failures()[0]);
  EXPECT_EQ(lobby.Posts(), (std::vector<std::uint32_t>{lobby_msg::kConnect, lobby_msg::kLeave}));
  EXPECT_TRUE(lobby.Got(wl::Kind::Minimize));
  for (int v = 0; v < 4; ++v) EXPECT_FALSE(client.view.Nid[v].text.empty()) << v;
  EXPECT_EQ(client.table.Detail[0].Mask, table.ownMask);

  // The lobby asks the client to leave while no hand is played.
  ASSERT_TRUE(wl::Send(caption, {wl::Kind::Post, lobby_msg::kLeave, 0, 0, lobby.endpoint.Name()}));
  ASSERT_TRUE(PumpUntil([&] { return server.Done() && lobby.Posts().size() >= 3; }, 15000));
  EXPECT_TRUE(server.Passed()) << (server.Failures().empty() ? "" : server.Failures()[0]);
  EXPECT_EQ(lobby.Posts().back(), lobby_msg::kLeft);
  EXPECT_NE(platform.SocketState(), kSocketConnected);
}

}  // namespace
}  // namespace vask
