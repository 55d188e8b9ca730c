#pragma once
// A whole practice game in one thread: the practice server on a free
// loopback port and four table bots, run turn about, so that tests and
// benchmarks can look at every client and the server between moves.
#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "bots/table_bot.h"
#include "server/net/host.h"

namespace vask::bots {

// A table client that watches a player: nobody acts for it.
struct TableWatcher {
  explicit TableWatcher(std::uint32_t seed);
  HeadlessPlatform platform;
  Client client;
};

class PracticeGame {
 public:
  // `startNow` of the four bots log in at once; StartRest brings the others.
  explicit PracticeGame(std::uint32_t seed, Strength strength = Strength::Steady, int startNow = 4);
  // A table of mixed strengths, bot i playing strengths[i].
  PracticeGame(std::uint32_t seed, const std::array<Strength, 4>& strengths);
  bool StartRest();
  // Starts a watcher of the player with this number (a seat's player has
  // the seat's index + 1); it joins the rounds. Null when it refused to
  // start.
  TableWatcher* AddWatcher(std::int64_t playerId);
  std::vector<std::unique_ptr<TableWatcher>>& Watchers() { return watchers_; }
  // While held, the bots look but do not act: the hand waits for them.
  void HoldBots(bool held) { botsHeld_ = held; }

  bool Started() const { return started_; }
  // One turn about: the server, then every client, then every bot's move;
  // `look` sees each bot just before it moves. waitMs bounds the wait for
  // the network.
  void Round(int waitMs = 0, const std::function<void(TableBot&)>& look = {});
  // Rounds until `done` holds or `seconds` passed; false on the time-out.
  bool RunUntil(const std::function<bool()>& done, double seconds, const std::function<void(TableBot&)>& look = {});
  // Rounds until the server has played `hands` hands or `seconds` passed;
  // false on the time-out.
  bool PlayHands(int hands, double seconds, const std::function<void(TableBot&)>& look = {});

  server::Host& Server() { return *host_; }
  const server::Table& ServerTable() const { return host_->GetTable(); }
  std::vector<std::unique_ptr<TableBot>>& Players() { return players_; }
  // The server seat of a bot, −1 before it sits.
  int SeatOf(const TableBot& p) const;
  // At a moment the bot must discard, having read all the server sent:
  // whether its concealed tiles are the server's for its seat. Empty at any
  // other moment.
  std::optional<bool> HandMatchesServer(TableBot& p) const;
  // A bot's concealed tiles and the server's for its seat, for messages.
  std::string HandsText(TableBot& p) const;
  // Who waits for whom: the server's hand and every client's state, for
  // the message of a game that stalled.
  std::string Describe();
  // The server's results log so far.
  std::string Log() const { return log_.str(); }

 private:
  PracticeGame(std::uint32_t seed, const std::array<Strength, 4>& strengths, int startNow);

  std::ostringstream log_;
  std::unique_ptr<server::Host> host_;
  HeadlessLoop loop_;
  std::vector<std::unique_ptr<TableBot>> players_;
  std::vector<std::unique_ptr<TableWatcher>> watchers_;
  bool started_ = false;
  bool botsHeld_ = false;
  int startedCount_ = 0;
};

}  // namespace vask::bots
