#pragma once
// The in-process bots: each one is a link of the table like any socket. The
// pool queues what the table sends them and hands their answers back after a
// delay, so a person at the table can follow the game.
#include <deque>
#include <map>
#include <optional>
#include <random>
#include <string>

#include "server/bots/bot_player.h"
#include "server/table/table.h"

namespace vask::server {

class BotPool {
 public:
  static constexpr LinkId kFirstBotLink = 0x80000000u;

  // `readyPause`: the shortest pause before a bot declares itself ready
  // (each pause lies between it and twice it), so that people can read the
  // hand's end; cut short once every person at the table is ready.
  explicit BotPool(Millis delay, Millis readyPause = 0, std::uint32_t seed = 1)
      : delay_(delay), readyPause_(readyPause), rng_(seed) {}

  // Seats a new bot: it connects and sends its login.
  LinkId Add(const std::string& account, Table& table, Millis now);
  bool Owns(LinkId link) const { return link >= kFirstBotLink; }
  // From the table (through its outbox).
  void Deliver(LinkId link, const Frame& f);
  void Drop(LinkId link);

  // Lets the bots read what arrived and gives the table the answers that
  // are due.
  void Pump(Table& table, Millis now);
  std::optional<Millis> NextDue() const;
  const BotPlayer* Bot(LinkId link) const;
  // True when the bot has read everything and sent all it meant to.
  bool Idle(LinkId link) const;
  std::size_t Size() const { return bots_.size(); }

 private:
  struct Pending {
    Millis due;
    Frame frame;
  };
  struct Seat {
    BotPlayer player;
    std::deque<Frame> inbox;
    std::deque<Pending> outbox;
  };

  Millis AnswerDue(const Frame& answer, Millis now);
  void HurryReadiness(const Table& table, Millis now);

  Millis delay_;
  Millis readyPause_;
  std::mt19937 rng_;
  LinkId next_ = kFirstBotLink;
  std::map<LinkId, Seat> bots_;
};

}  // namespace vask::server
