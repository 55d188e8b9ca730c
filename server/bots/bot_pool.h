#pragma once
// The in-process bots: each one is a link of the table like any socket. The
// pool queues what the table sends them and hands their answers back after a
// delay, so a person at the table can follow the game.
#include <deque>
#include <map>
#include <optional>
#include <string>

#include "server/bots/bot_player.h"
#include "server/table/table.h"

namespace vask::server {

class BotPool {
 public:
  static constexpr LinkId kFirstBotLink = 0x80000000u;

  explicit BotPool(Millis delay) : delay_(delay) {}

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

  Millis delay_;
  LinkId next_ = kFirstBotLink;
  std::map<LinkId, Seat> bots_;
};

}  // namespace vask::server
