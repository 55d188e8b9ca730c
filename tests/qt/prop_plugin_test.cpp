// Our prop plug-in, loaded from the shared library the build puts beside
// the client, through the real Qt platform: a scripted hand over loopback
// TCP with the bank, the chests and the settlement that waits for them.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QImage>
#include <QPixmap>
#include <QWidget>

#include "core/client.h"
#include "lobby_ear.h"
#include "pump_until.h"
#include "core/connection/startup.h"
#include "core/game/seats.h"
#include "core/handlers.h"
#include "core/settle/score_windows.h"
#include "core/view/input.h"
#include "plugin/prop_wire.h"
#include "platform/qt/qt_platform.h"
#include "platform/qt/table_window.h"
#include "support/frames.h"
#include "support/play_frames.h"
#include "support/scripted_server.h"
#include "support/settle_frames.h"
#include "support/table_frames.h"

namespace vask {
namespace {

using test::PumpUntil;

std::string Failure(const test::ScriptedServer& s) { return s.Failures().empty() ? "" : s.Failures()[0]; }

// Pictures of the run for a person to look at, when VASK_SHOTS names a folder.
void Shot(QWidget* w, const char* name) {
  const QByteArray dir = qgetenv("VASK_SHOTS");
  if (!dir.isEmpty()) w->grab().save(QDir(QString::fromLocal8Bit(dir)).filePath(name));
}

TEST(PropLibrary, TheBuiltLibraryLoadsAndMakesAPlugin) {
  ASSERT_TRUE(QFileInfo::exists(VASK_PROP_LIBRARY));
  QtPlatform platform;
  EXPECT_EQ(platform.ClientDirectory() + kPropLibrary, std::string(VASK_PROP_LIBRARY));
  std::unique_ptr<PropPlugin> plugin = platform.LoadPlugin(VASK_PROP_LIBRARY);
  ASSERT_TRUE(plugin);
  std::string account = "a", key = "k";
  std::int16_t layout = 1, param = 0;
  // Not the game it was made for: it refuses.
  EXPECT_FALSE(plugin->Initdll(account, key, "DLL", 0, "othergame", *plugin, layout, param));
  EXPECT_FALSE(platform.LoadPlugin("/nonexistent/PropDll.so"));
}

Frame BankState(std::int64_t bank, std::int64_t gold) {
  Frame f = props::MakeFrame(props::kCmdNews, 0, props::kBankState, props::kDone);
  props::PutLE(f, props::kBankAt, static_cast<std::uint64_t>(bank), 8);
  props::PutLE(f, props::kGoldAt, static_cast<std::uint64_t>(gold), 8);
  f[props::kCountsAt] = 1;
  f[props::kCountsAt + 1] = 1;
  f[props::kCountsAt + 2] = 2;
  return f;
}

// The own seat (mask 4, seat 2) won a chest of 120 gold.
Frame Scores() {
  Frame f = props::MakeFrame(props::kCmdScores, 0);
  const std::size_t at = props::kScoreAt + props::kScoreStride * 2;
  props::PutLE(f, at + props::kScoreAmount, 120, 4);
  f[at + props::kScoreChest] = 1;
  f[at + props::kScoreWhy] = props::kWhyWon;
  return f;
}

bool BankQuery(const Frame& f) { return f[3] == props::kCmdRequest && props::ValueOf(f, 0) == props::kAskBank; }

using PropPluginHand = qt_test::PrivateTemp;

TEST_F(PropPluginHand, TheRealPluginHoldsTheHandForItsChestsAndTheTableShowsThem) {
  const std::string lobbyTitle = "道具大厅";
  qt_test::LobbyEar lobby(lobbyTitle);
  ASSERT_TRUE(lobby.listening);
  test::ScriptedServer server;
  ASSERT_TRUE(server.Listening());
  test::ScriptedTable table;
  server.stepTimeoutMs = 15000;
  auto mask = [&](int view) { return MaskOfView(table.ownMask, view); };
  std::vector<Frame> end;
  const std::array<std::int64_t, 4> results{400, -100, -200, -100};
  for (int v = 0; v < 4; ++v) {
    test::HandResultSpec r;
    r.seatTotal = results[static_cast<std::size_t>(v)];
    end.push_back(test::HandResultFrame(mask(v), r));
  }
  end.push_back(Scores());
  end.push_back(test::SettleFrame(mask(0), test::Settle(20, 400)));
  for (int v = 1; v < 4; ++v) end.push_back(test::SettleFrame(mask(v), test::Settle(-5, results[v])));
  server.ExpectCmd(18, "the login frame")
      .Send(test::LoginAndSeating(table))
      .Expect("the plug-in asks for its bank", BankQuery)
      .Send(BankState(500, 1000))
      .Send(test::HandStartFrame(table.ownMask, {3, 4, 2, 5}))
      .Send(end)
      .Expect("the plug-in asks for its bank after the hand", BankQuery);
  server.Start();

  QtPlatform platform;
  Client client(platform);
  platform.AttachView(&client.view);
  ASSERT_TRUE(StartUp(client, test::PlayerCommandLine("127.0.0.1", server.Port(), lobbyTitle, "道具牌桌", "player", true)));

  ASSERT_TRUE(PumpUntil([&] { return client.prop.Prop_GameDllState == kPropWithChests; }, 15000)) << Failure(server);
  TableWindow* window = platform.Window();
  auto* bank = window->findChild<QWidget*>("bank");
  ASSERT_NE(bank, nullptr);
  EXPECT_FALSE(bank->isVisible());
  // The bank button opens the plug-in's window.
  window->show();
  MainForm_Bank_Click(client, {});
  EXPECT_TRUE(bank->isVisible());

  // The hand ends: five chests wait for the player's pick.
  ASSERT_TRUE(PumpUntil([&] { return client.prop.chests.bChestClock; }, 15000)) << Failure(server);
  EXPECT_TRUE(HeroNum(client).items.empty());
  const QImage closed = QImage::fromData(QByteArray::fromStdString(client.view.PluginPictures.at(kClosedChestPicture)));
  EXPECT_FALSE(closed.isNull());
  for (int k = 0; k < 5; ++k) EXPECT_TRUE(client.view.ImgProp[static_cast<std::size_t>(k)].visible);
  Shot(window, "props-chests.png");

  ControlInput pick;
  pick.index = 2;
  MainForm_ImgProp_Click(client, pick);
  ASSERT_TRUE(PumpUntil([&] { return client.prop.chests.AnimFrame >= 20; }, 15000));
  // The plug-in opens the chest in the middle while the gold counts up.
  auto* glow = window->findChild<QWidget*>("chestGlow");
  ASSERT_NE(glow, nullptr);
  EXPECT_TRUE(glow->isVisible());
  Shot(window, "props-countup.png");
  ASSERT_TRUE(PumpUntil([&] { return !HeroNum(client).items.empty(); }, 15000)) << Failure(server);
  EXPECT_FALSE(glow->isVisible());
  Shot(window, "props-settled.png");
  // The chest's gold is booked with the hand and shown in the own column.
  EXPECT_DOUBLE_EQ(client.settle.totals.RunningTotal[0], 520);
  const std::vector<std::string>& column = ScoreState(client, 0).items;
  EXPECT_NE(std::find(column.begin(), column.end(), "宝箱奖励：+120金币"), column.end());
  ASSERT_TRUE(PumpUntil([&] { return server.Done(); }, 15000));
  EXPECT_TRUE(server.Passed()) << Failure(server);

  // Closed, the plug-in takes its windows away and the portraits are back.
  UnloadGameDll(client);
  EXPECT_EQ(window->findChild<QWidget*>("bank"), nullptr);
  EXPECT_EQ(window->findChild<QWidget*>("chestGlow"), nullptr);
  for (const Control& portrait : client.view.Tou) EXPECT_TRUE(portrait.visible);
}

}  // namespace
}  // namespace vask
