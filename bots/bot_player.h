#pragma once
// The decisions of a computer player at a table client: it looks at the
// client's table after every event and acts through the same operations as
// the buttons and tiles a person would use. It works on any client, on any
// platform: a headless one for the practice bots, the real window for a
// game played by itself.
#include <cstdint>
#include <string>
#include <vector>

#include "bots/strategy.h"
#include "core/client.h"

namespace vask::bots {

class BotPlayer {
 public:
  BotPlayer(Client& client, Strength strength, int thinkMs);
  // Before it is ready for a hand the bot pauses like a person, between
  // `ms` and twice that, so that the table's end can be read; the pause
  // ends once every player who is not one of `fellowBots` is ready.
  void PaceReadiness(int ms, std::vector<std::string> fellowBots);
  // Looks at the table and acts when something is due and thought over.
  void Act();

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
  bool ReadyPauseOver();
  bool PeopleReady() const;
  bool AnswerQuestion();
  bool Reconnect();
  bool AnswerChat();

  Client& client_;
  Strength strength_;
  int thinkMs_;
  std::uint64_t situation_ = 0;
  std::uint32_t seenAt_ = 0;
  int discards_ = 0;
  int claims_ = 0;
  int reconnects_ = 0;
  int readyPauseMs_ = 0;
  std::vector<std::string> fellowBots_;
  bool readyWaiting_ = false;  // the start button waits for the bot
  std::uint32_t readySeenAt_ = 0;
  int readyPause_ = 0;
  // The chat lines answered so far, and since when an answer is due.
  std::uint32_t linesAnswered_ = 0;
  bool answerDue_ = false;
  std::uint32_t answerSeenAt_ = 0;
};

}  // namespace vask::bots
