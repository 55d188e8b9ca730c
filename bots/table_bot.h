#pragma once
// A computer player that is an ordinary table client: the core with all
// its logic on the headless platform, connected to the server over TCP. It
// looks at its own table after every event and acts through the same
// operations as the buttons and tiles a person would use.
#include <cstdint>
#include <string>

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
  bool warp = false;   // race the clock while work is queued (tests, benchmarks)
  std::uint32_t seed = 1;
};

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
  int Discards() const { return discards_; }
  int Claims() const { return claims_; }
  int Reconnects() const { return reconnects_; }

 private:
  // The situation the bot has to answer, to know when it first saw it.
  std::uint64_t Situation() const;
  bool ThoughtOver();
  bool AnswerOffer();
  bool Discard();
  bool Ready();
  bool AnswerQuestion();
  bool Reconnect();

  BotOptions options_;
  HeadlessPlatform platform_;
  Client client_;
  std::uint64_t situation_ = 0;
  std::uint32_t seenAt_ = 0;
  int discards_ = 0;
  int claims_ = 0;
  int reconnects_ = 0;
};

}  // namespace vask::bots
