#pragma once
// A computer player that is an ordinary table client: the core with all
// its logic on the headless platform, connected to the server over TCP,
// played by a BotPlayer.
#include <cstdint>
#include <string>
#include <vector>

#include "bots/bot_player.h"
#include "bots/strategy.h"
#include "core/client.h"
#include "platform/headless/headless_platform.h"

namespace vask::bots {

struct BotOptions {
  std::string account = "bot";
  std::string key = "practice";
  std::string host = "127.0.0.1";
  std::uint16_t port = 7300;
  Strength strength = Strength::Steady;
  int thinkMs = 600;   // how long it waits before acting, so a person can follow
  int readyPauseMs = 0;  // its shortest pause before it is ready for a hand
  std::vector<std::string> fellowBots;  // the accounts of the other bots
  bool warp = false;   // race the clock while work is queued (tests, benchmarks)
  std::uint32_t seed = 1;
};

// The fifteen fields a lobby gives a player of the practice server.
std::string PracticeCommandLine(const std::string& account, const std::string& key, const std::string& host,
                                std::uint16_t port);

// A watcher's line for the practice server: five fields and the watched
// player's number, the key asking to watch that player.
std::string WatcherCommandLine(const std::string& account, std::int64_t playerId, const std::string& host,
                               std::uint16_t port);

class TableBot {
 public:
  explicit TableBot(BotOptions options);
  // Starts the client from a command line as a lobby would; false when the
  // client refused to start.
  bool Start();
  // Looks at the table and acts when something is due and thought over.
  void Act();

  HeadlessPlatform& Platform() { return platform_; }
  Client& GetClient() { return client_; }
  const BotOptions& Options() const { return options_; }
  int Discards() const { return player_.Discards(); }
  int Claims() const { return player_.Claims(); }
  int Reconnects() const { return player_.Reconnects(); }

 private:
  BotOptions options_;
  HeadlessPlatform platform_;
  Client client_;
  BotPlayer player_;
};

}  // namespace vask::bots
