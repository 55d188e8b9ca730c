// Our prop plug-in, loaded from the library the build makes, in hands
// against the practice server with props allowed: each hand waits for the
// plug-in's chests and books their gold; with the library gone the same
// game plays on without them.
#include <gtest/gtest.h>

#include <dlfcn.h>

#include <algorithm>
#include <map>
#include <regex>
#include <sstream>

#include "core/client.h"
#include "core/connection/ini_file.h"
#include "core/connection/startup.h"
#include "core/settle/records.h"
#include "core/settle/score_windows.h"
#include "core/view/buttons.h"
#include "platform/headless/headless_platform.h"
#include "server/rules/scoring.h"
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

// The practice server and the client in one thread, so that the server's
// results log can be read between moves; three hands with the plug-in.
class PropRecords : public ::testing::Test {
 protected:
  PropRecords() {
    server::HostOptions options = PropOptions();
    options.net.port = 0;
    options.log = &log;
    options.table.seed = 2;  // its first hand has a kong
    host = std::make_unique<server::Host>(options);
    std::string error;
    started = host->Start(&error);
  }
  bool Run(const std::function<bool()>& done, double seconds) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    while (!done()) {
      if (std::chrono::steady_clock::now() > end) return false;
      host->RunOnce(0);
      loop.RunOnce(5);
    }
    return true;
  }

  std::ostringstream log;
  std::unique_ptr<server::Host> host;
  bool started = false;
  HeadlessPlatform platform{1, /*warp=*/true};
  Client client{platform};
  HeadlessLoop loop;
};

// One hand of the results log: key=value fields.
std::map<std::string, std::string> LogFields(const std::string& line) {
  std::map<std::string, std::string> out;
  std::istringstream in(line);
  std::string field;
  while (in >> field)
    if (const auto eq = field.find('='); eq != std::string::npos) out[field.substr(0, eq)] = field.substr(eq + 1);
  return out;
}

std::vector<std::string> Split(const std::string& text) {
  std::vector<std::string> out;
  std::istringstream in(text);
  std::string item;
  while (std::getline(in, item, ',')) out.push_back(item);
  return out;
}

TEST_F(PropRecords, EveryHandsRecordsAgreeWithTheServersResultsSeatBySeat) {
  ASSERT_TRUE(started);
  loop.Add(&platform);
  // The chest show runs at its own pace, as for a person: the others are
  // ready, and their readiness clears the table, while it plays.
  platform.busy = [&] { return client.conn.RecvBuf.Unread() >= kFrameSize || client.conn.SendBuf.Unread() > 0; };
  platform.files[platform.ClientDirectory() + kPropLibrary] = "";
  platform.pluginFactory = LoadBuiltPlugin;
  ASSERT_TRUE(StartUp(client, PlayerCommandLine("127.0.0.1", host->Port(), "Vask山庄", "牌桌", "player", true)));
  ASSERT_TRUE(Run([&] { return client.players.OthersSeated == 3 && client.table.OwnMask() != 0 && !client.widgets.ButtonState[2]; }, 10));
  ASSERT_EQ(client.prop.Prop_GameDllState, kPropWithChests);
  constexpr int kHands = 2;
  for (int hand = 1; hand <= kHands; ++hand) {
    StartOrContinue(client);
    ASSERT_TRUE(Run([&] { return HeroNum(client).items.size() == static_cast<std::size_t>(hand) || platform.quit; }, 40));
    ASSERT_FALSE(platform.quit) << platform.lastMessage;
  }

  const std::regex amountLine("^ ?.*[：:](-?[0-9]+)金币$");
  const classIniFile records(platform, ResultsFilePath(client));
  std::istringstream lines(log.str());
  std::string line;
  int checked = 0;
  while (std::getline(lines, line)) {
    if (line.rfind("hand=", 0) != 0) continue;
    const auto f = LogFields(line);
    const int n = std::stoi(f.at("hand"));
    SCOPED_TRACE(line);
    const std::vector<std::string> seats = Split(f.at("seats")), results = Split(f.at("results")),
                                   totals = Split(f.at("totals"));
    const int dealer = std::stoi(f.at("dealer"));
    // A win without categories prints no win line (its share is only in
    // the final score): the share as the server paid it.
    server::Amounts winShare{};
    const int winner = std::stoi(f.at("winner"));
    if (winner >= 0 && f.at("flags") == "00000000") {
      server::PullStates pulls;
      const auto p = Split(f.at("pulls"));
      for (std::size_t k = 0; k < 4; ++k) pulls.pulls[k] = std::stoi(p[k]);
      pulls.dealerSat = f.at("sat") == "1";
      winShare = server::WinPayments(winner, std::stoi(f.at("payer")), std::stoi(f.at("multiplier")), dealer, pulls);
    }
    const long stake = std::stol(f.at("stake"));
    const auto section = records.GetIniSection("juNum:" + std::to_string(n));
    ASSERT_FALSE(section.empty()) << "no records of hand " << n;
    for (int v = 0; v < 4; ++v) {
      const std::string key = "count( " + std::to_string(v) + " )";
      const std::string name = section.at("name( " + std::to_string(v) + " )");
      const auto at = std::find(seats.begin(), seats.end(), name);
      ASSERT_NE(at, seats.end()) << name;
      const auto s = static_cast<std::size_t>(at - seats.begin());
      std::vector<std::string> col;
      for (int k = 0; k < std::stoi(section.at(key)); ++k) {
        const auto it = section.find(key + "( " + std::to_string(k) + " )");
        col.push_back(it == section.end() ? "" : it->second);
      }
      SCOPED_TRACE(name);
      // The dealer's line stands in the dealer's column only.
      EXPECT_EQ(std::count(col.begin(), col.end(), "庄家"), static_cast<long>(s) == dealer ? 1 : 0);
      EXPECT_NE(std::find(col.begin(), col.end(), "总分:" + totals[s] + "金币"), col.end());
      // The win and kong lines add up to the server's result of the hand;
      // the chest's gold comes on top of it in the final score.
      long sum = 0, chest = 0;
      bool inLines = false;
      std::string final;
      for (const std::string& l : col) {
        if (l.rfind("房间底金：", 0) == 0) inLines = true;
        else if (l == "========================") inLines = false;
        std::smatch m;
        const bool doubling = l.rfind("小计:", 0) == 0;
        if (inLines && !doubling && l.rfind("房间底金：", 0) != 0 && std::regex_match(l, m, amountLine)) sum += std::stol(m[1]);
        if (l.rfind("宝箱奖励：+", 0) == 0) chest = std::stol(l.substr(std::string("宝箱奖励：+").size()));
        if (l.rfind("最终分：", 0) == 0) final = l;
      }
      EXPECT_EQ(sum + winShare[s] * stake, std::stol(results[s])) << ::testing::PrintToString(col);
      EXPECT_EQ(final, "最终分：" + std::to_string(std::stol(results[s]) + chest) + "金币");
    }
    ++checked;
  }
  EXPECT_EQ(checked, kHands) << log.str();
}

}  // namespace
}  // namespace vask::test
