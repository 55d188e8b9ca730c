#include "bots/practice_game.h"

#include <algorithm>
#include <chrono>

#include "core/game/operations.h"

namespace vask::bots {

PracticeGame::PracticeGame(std::uint32_t seed, Strength strength, int startNow)
    : PracticeGame(seed, {strength, strength, strength, strength}, startNow) {}

PracticeGame::PracticeGame(std::uint32_t seed, const std::array<Strength, 4>& strengths)
    : PracticeGame(seed, strengths, 4) {}

PracticeGame::PracticeGame(std::uint32_t seed, const std::array<Strength, 4>& strengths, int startNow) {
  server::HostOptions options;
  options.net.port = 0;
  options.table.seed = seed;
  options.log = &log_;
  host_ = std::make_unique<server::Host>(options);
  std::string error;
  started_ = host_->Start(&error);
  for (int i = 0; i < 4 && started_; ++i) {
    BotOptions o;
    o.account = "bot" + std::to_string(i + 1);
    o.port = host_->Port();
    o.thinkMs = 0;
    o.warp = true;
    o.seed = seed + static_cast<std::uint32_t>(i);
    o.strength = strengths[static_cast<std::size_t>(i)];
    players_.push_back(std::make_unique<TableBot>(o));
    loop_.Add(&players_.back()->Platform());
    if (i < startNow) started_ = players_.back()->Start();
  }
  startedCount_ = std::min(startNow, 4);
}

bool PracticeGame::StartRest() {
  for (; startedCount_ < static_cast<int>(players_.size()); ++startedCount_)
    if (!players_[static_cast<std::size_t>(startedCount_)]->Start()) return false;
  return true;
}

void PracticeGame::Round(int waitMs, const std::function<void(TableBot&)>& look) {
  host_->RunOnce(0);
  loop_.RunOnce(waitMs);
  for (auto& p : players_) {
    if (look) look(*p);
    p->Act();
  }
}

bool PracticeGame::PlayHands(int hands, double seconds, const std::function<void(TableBot&)>& look) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
  while (host_->GetTable().HandsPlayed() < hands) {
    if (std::chrono::steady_clock::now() > end) return false;
    Round(0, look);
  }
  return true;
}

int PracticeGame::SeatOf(const TableBot& p) const {
  for (int s = 0; s < 4; ++s)
    if (host_->GetTable().Seat(s).profile.account == p.Options().account) return s;
  return -1;
}

std::optional<bool> PracticeGame::HandMatchesServer(TableBot& p) const {
  Client& c = p.GetClient();
  const server::Hand* hand = host_->GetTable().CurrentHand();
  const int seat = SeatOf(p);
  if (!hand || seat < 0 || !c.table.MustDiscard || !OwnDiscardDue(c) || !hand->Waiting(seat)) return std::nullopt;
  if (c.conn.RecvBuf.Unread() != 0 || p.Platform().SocketState() != kSocketConnected) return std::nullopt;
  server::Tiles mine = OwnHand(c.table), theirs = hand->SeatTilesOf(seat).hand;
  std::sort(mine.begin(), mine.end());
  std::sort(theirs.begin(), theirs.end());
  return mine == theirs;
}

}  // namespace vask::bots
