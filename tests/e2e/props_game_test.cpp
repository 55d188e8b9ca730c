// Our prop plug-in, loaded from the library the build makes, in hands
// against the practice server with props allowed: each hand waits for the
// plug-in's chests and books their gold; with the library gone the same
// game plays on without them.
#include <gtest/gtest.h>

#include <dlfcn.h>

#include <algorithm>

#include "core/client.h"
#include "core/connection/startup.h"
#include "core/settle/score_windows.h"
#include "core/view/buttons.h"
#include "platform/headless/headless_platform.h"
#include "server_thread.h"
#include "support/table_frames.h"

namespace vask::test {
namespace {

server::HostOptions PropOptions() {
  server::HostOptions options = ServerThread::BotOptions(3);
  options.botDelay = 20;
  options.table.seed = 11;
  options.table.hand.turnSeconds = 0;
  options.table.hand.grace = 60;
  options.table.propsAllowed = true;
  return options;
}

// The client's way of loading the library, without a window system.
std::unique_ptr<PropPlugin> LoadBuiltPlugin(const std::string&) {
  void* lib = dlopen(VASK_PROP_LIBRARY, RTLD_NOW | RTLD_LOCAL);
  if (!lib) return nullptr;
  auto factory = reinterpret_cast<PropPluginFactory>(dlsym(lib, kPropFactorySymbol));
  return factory ? std::unique_ptr<PropPlugin>(factory()) : nullptr;
}

class PropGame : public ::testing::Test {
 protected:
  void Start(bool libraryThere) {
    ASSERT_TRUE(server.Started());
    loop.Add(&platform);
    // The clock also races through the chest show's countdown and count-up.
    platform.busy = [&] {
      return client.conn.RecvBuf.Unread() >= kFrameSize || client.conn.SendBuf.Unread() > 0 ||
             client.prop.chests.bChestClock || client.prop.chests.bChestAnim;
    };
    if (libraryThere) platform.files[platform.ClientDirectory() + kPropLibrary] = "";
    platform.pluginFactory = LoadBuiltPlugin;
    ASSERT_TRUE(StartUp(client, PlayerCommandLine("127.0.0.1", server.Port(), "Vask山庄", "牌桌", "player", true)));
    ASSERT_TRUE(RunUntil(loop, [&] {
      return client.players.OthersSeated == 3 && client.table.OwnMask() != 0 && !client.widgets.ButtonState[2];
    }, 10));
  }
  void PlayHand(int hand) {
    StartOrContinue(client);
    ASSERT_TRUE(RunUntil(loop, [&] { return HeroNum(client).items.size() == static_cast<std::size_t>(hand) || platform.quit; }, 40));
    ASSERT_FALSE(platform.quit) << platform.lastMessage;
  }
  // Views whose column has a line of the plug-in's chest gold.
  std::vector<int> ChestColumns() {
    std::vector<int> out;
    for (int v = 0; v < 4; ++v) {
      const auto& col = ScoreState(client, v).items;
      if (std::any_of(col.begin(), col.end(), [](const std::string& l) { return l.rfind("宝箱奖励：+", 0) == 0; }))
        out.push_back(v);
    }
    return out;
  }
  int Winner() const {
    for (int v = 0; v < 4; ++v)
      if (client.settle.store.HandResult[static_cast<std::size_t>(v)] > 0) return v;
    return -1;
  }

  ServerThread server{PropOptions()};
  HeadlessPlatform platform{1, /*warp=*/true};
  Client client{platform};
  HeadlessLoop loop;
};

TEST_F(PropGame, EveryHandsWinnerOpensAChestAndItsGoldIsBooked) {
  Start(true);
  ASSERT_EQ(client.prop.Prop_GameDllState, kPropWithChests);
  for (int hand = 1; hand <= 2; ++hand) {
    SCOPED_TRACE(hand);
    PlayHand(hand);
    const int winner = Winner();
    if (winner >= 0) {
      EXPECT_EQ(ChestColumns(), std::vector<int>{winner});
    } else {
      EXPECT_TRUE(ChestColumns().empty());
    }
    EXPECT_TRUE(PluginActive(client));
    EXPECT_EQ(client.prop.PropShowPhase, kShowDone);
  }
}

TEST_F(PropGame, WithoutTheLibraryTheSameGamePlaysOn) {
  Start(false);
  EXPECT_EQ(client.prop.Prop_GameDllState, kPropOff);
  for (int hand = 1; hand <= 2; ++hand) {
    SCOPED_TRACE(hand);
    PlayHand(hand);
    EXPECT_TRUE(ChestColumns().empty());
    for (const Control& img : client.view.ImgProp) EXPECT_FALSE(img.visible);
  }
}

}  // namespace
}  // namespace vask::test
