#include "core/connection/dispatcher.h"

#include <gtest/gtest.h>

#include <set>

#include "support/client_fixture.h"
#include "support/recording_plugin.h"

namespace vask {
namespace {

using test::ServerFrame;

class DispatcherTest : public test::ClientTest {
 protected:
  void Dispatch(const Frame& f) {
    client.conn.RecvBuf.PutAll(f);
    GetMsg(client);
    ProcessMsg(client, client.conn.Rinfo);
  }
  std::vector<Frame> received;
};

// The commands with a handler of their own; everything else is the plug-in's.
const std::set<int> kRouted = {1, 2, 3, 4, 5, 6, 7, 9, 14, 15, 16, 17, 18, 19, 20,
                               21, 22, 23, 26, 29, 40, 41, 91, 92};

TEST_F(DispatcherTest, OnlyUnroutedCommandsAndPropCommandsReachThePlugin) {
  test::ActivateRecordingPlugin(client, &received);
  // The lobby allows the plug-in, so the player records leave it on.
  client.prop.Prop_swicth = 1;
  for (int cmd = 0; cmd <= 255; ++cmd) {
    received.clear();
    Frame f = ServerFrame(cmd, 0);
    f[200] = 0xAB;
    Dispatch(f);
    bool expected = !kRouted.count(cmd);
    ASSERT_EQ(received.size(), expected ? 1u : 0u) << "command " << cmd;
    if (expected) {
      EXPECT_EQ(received[0], f) << "passed unchanged, command " << cmd;
    }
  }
}

TEST_F(DispatcherTest, UnroutedCommandsDoNothingWithoutThePlugin) {
  for (int cmd : {0, 8, 44, 45, 46, 93, 200}) {
    Dispatch(ServerFrame(cmd, 1, {1, 2, 3, 4}));
    EXPECT_FALSE(client.prop.PropScoreReady) << cmd;
  }
  EXPECT_TRUE(platform.sent.empty());
  EXPECT_EQ(client.table.Detail[0].HandCount, 0);
}

TEST_F(DispatcherTest, PluginScoreMessageMarksScores) {
  test::ActivateRecordingPlugin(client, &received);
  Dispatch(ServerFrame(45));
  EXPECT_FALSE(client.prop.PropScoreReady);
  Dispatch(ServerFrame(46));
  EXPECT_TRUE(client.prop.PropScoreReady);
  EXPECT_EQ(received.size(), 2u);
}

TEST_F(DispatcherTest, APluginThatThrowsIsTurnedOff) {
  struct Throwing : NullPropPlugin {
    void Rec_MSG(Frame&) override { throw std::runtime_error("broken"); }
  };
  client.prop.PropObj = std::make_unique<Throwing>();
  client.prop.Prop_GameDllState = 1;
  Dispatch(ServerFrame(44));
  EXPECT_FALSE(PluginActive(client));
  Dispatch(ServerFrame(44));  // and is not called again
}

}  // namespace
}  // namespace vask
