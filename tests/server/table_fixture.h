#pragma once
// Drives a Table through fake seats: frames in, frames recorded, virtual time.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "core/connection/frame.h"
#include "core/game/seats.h"
#include "server/bots/bot_pool.h"
#include "server/bots/client_frames.h"
#include "server/table/table.h"

namespace vask::server::test {

class RecordingOutbox : public Outbox {
 public:
  BotPool* bots = nullptr;
  std::map<LinkId, std::vector<Frame>> sent;
  std::set<LinkId> closed;

  void Send(LinkId link, const Frame& f) override {
    sent[link].push_back(f);
    if (bots && bots->Owns(link)) bots->Deliver(link, f);
  }
  void Close(LinkId link) override {
    closed.insert(link);
    if (bots && bots->Owns(link)) bots->Drop(link);
  }
};

// The front order of a wall that deals `hands` (dealer first, 14 tiles; then
// the seats after it, 13 each), then gives `draws` from the front and `back`
// as replacement tiles. The indicator dice sum to 2, so the indicator lies at
// index 132 and replacement tiles come from 134, 135, 133, 130, ...
// Every other place gets the tiles of the set that are left.
Wall::Order ArrangedWall(const std::array<Tiles, 4>& hands, const Tiles& draws, const Tiles& back,
                         TileCode indicator);

// Options for a table with random walls and no pull questions.
TableOptions WithoutQuestions();

// Options for a table whose hands are fixed walls, pull questions off.
TableOptions FixedTable(const Wall::Order& order, int dealer = 0);

struct Harness {
  RecordingOutbox out;
  Table table;
  Millis now = 1000;

  explicit Harness(TableOptions options) : table(std::move(options), out) {}

  LinkId Join(const std::string& account, LinkId link) {
    table.Connect(link, now);
    table.Receive(link, client_frames::Login(account, "key-" + account), now);
    return link;
  }
  void Send(LinkId link, const Frame& f) { table.Receive(link, f, now); }
  void Advance(Millis ms) {
    now += ms;
    table.Tick(now);
  }
  std::vector<MsgInfo> Received(LinkId link, Cmd cmd) const;
  std::vector<Frame> Frames(LinkId link, Cmd cmd) const;
  std::size_t Count(LinkId link) const {
    auto it = out.sent.find(link);
    return it == out.sent.end() ? 0 : it->second.size();
  }
  void Clear() { out.sent.clear(); }
};

// Four links 1..4 at seats 0..3, all ready: the first hand has started.
void SeatFourAndStart(Harness& h);

}  // namespace vask::server::test
