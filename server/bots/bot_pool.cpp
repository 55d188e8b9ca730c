#include "server/bots/bot_pool.h"

#include <algorithm>

#include "core/connection/frame.h"

namespace vask::server {

LinkId BotPool::Add(const std::string& account, Table& table, Millis now) {
  LinkId link = next_++;
  Seat& seat = bots_.emplace(link, Seat{BotPlayer(account, "bot"), {}, {}}).first->second;
  table.Connect(link, now);
  seat.outbox.push_back({now, seat.player.LoginFrame()});
  return link;
}

void BotPool::Deliver(LinkId link, const Frame& f) {
  auto it = bots_.find(link);
  if (it != bots_.end()) it->second.inbox.push_back(f);
}

void BotPool::Drop(LinkId link) { bots_.erase(link); }

void BotPool::Pump(Table& table, Millis now) {
  // With no delay the answers are due at once; keep going until the table
  // waits on someone else. The bound only guards against a loop of refusals.
  for (int round = 0; round < 10000; ++round) {
    bool moved = false;
    for (auto& [link, seat] : bots_) {
      while (!seat.inbox.empty()) {
        Frame f = seat.inbox.front();
        seat.inbox.pop_front();
        for (const Frame& answer : seat.player.OnFrame(f)) seat.outbox.push_back({AnswerDue(answer, now), answer});
      }
    }
    HurryReadiness(table, now);
    for (auto it = bots_.begin(); it != bots_.end();) {
      LinkId link = it->first;
      Seat& seat = it->second;
      ++it;  // the table may drop this bot while it handles the frame
      if (!seat.outbox.empty() && seat.outbox.front().due <= now) {
        Frame f = seat.outbox.front().frame;
        seat.outbox.pop_front();
        table.Receive(link, f, now);
        moved = true;
      }
    }
    if (!moved) return;
  }
}

namespace {
bool IsReady(const Frame& f) {
  const MsgInfo m = DecodeHeader(f);
  return m.cmd == static_cast<int>(Cmd::TableState) && m.value[3] == 1;
}
}  // namespace

Millis BotPool::AnswerDue(const Frame& answer, Millis now) {
  if (readyPause_ <= 0 || !IsReady(answer)) return now + delay_;
  return now + readyPause_ + static_cast<Millis>(rng_() % static_cast<std::uint32_t>(readyPause_ + 1));
}

// Bots wait for people, never people for bots: once everyone at the table
// who is not a bot is ready, the bots' pauses end.
void BotPool::HurryReadiness(const Table& table, Millis now) {
  int people = 0;
  for (int s = 0; s < 4; ++s) {
    const SeatState& seat = table.Seat(s);
    if (!seat.taken || Owns(seat.link)) continue;
    if (!seat.ready) return;
    ++people;
  }
  if (people == 0) return;
  for (auto& [link, seat] : bots_)
    for (Pending& p : seat.outbox)
      if (IsReady(p.frame)) p.due = std::min(p.due, now + delay_);
}

std::optional<Millis> BotPool::NextDue() const {
  std::optional<Millis> soonest;
  for (const auto& [link, seat] : bots_) {
    if (!seat.inbox.empty()) return Millis{0};
    if (!seat.outbox.empty() && (!soonest || seat.outbox.front().due < *soonest)) soonest = seat.outbox.front().due;
  }
  return soonest;
}

bool BotPool::Idle(LinkId link) const {
  auto it = bots_.find(link);
  return it == bots_.end() || (it->second.inbox.empty() && it->second.outbox.empty());
}

const BotPlayer* BotPool::Bot(LinkId link) const {
  auto it = bots_.find(link);
  return it == bots_.end() ? nullptr : &it->second.player;
}

}  // namespace vask::server
