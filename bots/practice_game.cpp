#include "bots/practice_game.h"

#include <algorithm>
#include <chrono>

#include "core/connection/reconnect.h"
#include "core/connection/startup.h"
#include "core/game/operations.h"

namespace vask::bots {

namespace {

std::string TilesText(server::Tiles tiles) {
  std::sort(tiles.begin(), tiles.end());
  std::ostringstream out;
  out << std::hex;
  for (TileCode t : tiles) out << static_cast<int>(t) << " ";
  return out.str();
}

}  // namespace

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

TableWatcher::TableWatcher(std::uint32_t seed) : platform(seed, true), client(platform) {
  platform.busy = [this] {
    return client.conn.RecvBuf.Unread() >= kFrameSize || client.conn.SendBuf.Unread() >= kFrameSize;
  };
}

TableWatcher* PracticeGame::AddWatcher(std::int64_t playerId) {
  auto w = std::make_unique<TableWatcher>(static_cast<std::uint32_t>(100 + watchers_.size()));
  const std::string account = "watcher" + std::to_string(watchers_.size() + 1);
  if (!StartUp(w->client, WatcherCommandLine(account, playerId, "127.0.0.1", host_->Port()))) return nullptr;
  loop_.Add(&w->platform);
  watchers_.push_back(std::move(w));
  return watchers_.back().get();
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
    if (!botsHeld_) p->Act();
  }
}

bool PracticeGame::RunUntil(const std::function<bool()>& done, double seconds,
                            const std::function<void(TableBot&)>& look) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
  while (!done()) {
    if (std::chrono::steady_clock::now() > end) return false;
    Round(0, look);
  }
  return true;
}

bool PracticeGame::PlayHands(int hands, double seconds, const std::function<void(TableBot&)>& look) {
  return RunUntil([&] { return host_->GetTable().HandsPlayed() >= hands; }, seconds, look);
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

std::string PracticeGame::HandsText(TableBot& p) const {
  const server::Hand* hand = host_->GetTable().CurrentHand();
  const int seat = SeatOf(p);
  if (!hand || seat < 0) return "no hand";
  return "client " + TilesText(OwnHand(p.GetClient().table)) + "/ server " + TilesText(hand->SeatTilesOf(seat).hand);
}

std::string PracticeGame::Describe() {
  std::ostringstream out;
  const server::Table& table = host_->GetTable();
  if (const server::Hand* h = table.CurrentHand()) {
    out << "server: phase=" << static_cast<int>(h->CurrentPhase()) << " turn=" << h->TurnSeat() << " waiting=";
    for (int s = 0; s < 4; ++s) out << h->Waiting(s) << "/" << h->Offers(s) << " ";
  } else {
    out << "server: between hands, ready=";
    for (int s = 0; s < 4; ++s) out << table.Seat(s).ready;
  }
  out << "\n";
  for (auto& p : players_) {
    Client& c = p->GetClient();
    out << p->Options().account << " seat=" << SeatOf(*p) << " socket=" << p->Platform().SocketState()
        << " live=" << c.conn.bTableLive << " inGame=" << c.table.bInGame << " must=" << c.table.MustDiscard
        << " panel=" << c.table.PanelState << " hand=" << c.table.Detail[0].HandCount
        << " quit=" << p->Platform().quit << " \"" << p->Platform().lastMessage << "\""
        << " reconnects=" << p->Reconnects() << " dialog=" << ReconnectDialogShown(c)
        << " start=" << c.view.AnNiu[2].visible << c.view.AnNiu[2].enabled << " offers=";
    for (int b = 0; b < 5; ++b) out << c.table.OpOffer[b];
    out << "\n";
  }
  return out.str();
}

}  // namespace vask::bots
