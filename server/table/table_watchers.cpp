// Watchers: a login that asks to watch a player is no player. It gets the
// table as the watched seat sees it (the players' records with the watched
// one first, the seating, the running hand restored) and from then on a
// copy of every frame the seat gets. It may only keep its link alive and
// leave; the table never waits for it, and a watcher that reads too slowly
// is dropped by the network like any link.
#include <algorithm>
#include <charconv>
#include <string_view>

#include "core/connection/player_records.h"
#include "core/game/seats.h"
#include "server/table/table.h"

namespace vask::server {

namespace {
constexpr std::string_view kWatchPrefix = "watch:";
constexpr std::size_t kMaxWatchers = 8;
constexpr int kMaxHalfTurnLimit = 15;  // the login answer keeps it in four bits
}  // namespace

std::optional<std::int64_t> WatchedPlayerOf(const LoginRequest& login) {
  std::string_view key = login.key;
  if (login.relogin || !key.starts_with(kWatchPrefix)) return std::nullopt;
  key.remove_prefix(kWatchPrefix.size());
  std::int64_t id = 0;
  auto [end, ec] = std::from_chars(key.data(), key.data() + key.size(), id);
  // A key that names no number watches nobody: refused like an unknown one.
  if (ec != std::errc() || end != key.data() + key.size()) return 0;
  return id;
}

void Table::OnWatcherLogin(LinkId link, std::int64_t watchedId) {
  auto watched = std::find_if(seats_.begin(), seats_.end(), [&](const SeatState& s) {
    return s.taken && s.profile.playerId == watchedId && watchedId != 0;
  });
  // Only a whole table can be watched: the watcher's table is laid out
  // around four players.
  if (watched == seats_.end() || !Complete() || watchers_.size() >= kMaxWatchers)
    return RefuseLogin(link, LoginVerdict::NoSeat);
  const int seat = static_cast<int>(watched - seats_.begin());
  links_.erase(link);  // no login time-out: it has logged in
  watchers_[link] = seat;

  const int halfTurn = std::clamp(options_.hand.turnSeconds / 2, 1, kMaxHalfTurnLimit);
  ToLink(link, wire::LoginAnswer(LoginVerdict::Accepted, options_.timeoutLimit, halfTurn));
  // The watcher keeps the first three records and finds the watched player
  // among them; the seating then places everyone as the seat sees them.
  // The watched player's hand is open to its watchers.
  auto record = [&](int s) {
    const SeatState& st = seats_[static_cast<std::size_t>(s)];
    Frame f = wire::PlayerInfo(Mask(s), st.profile, st.ready, options_.propsAllowed);
    if (s == seat) f[player_offset::kOpenHand] = 1;
    ToLink(link, f);
  };
  record(seat);
  for (int s = 0; s < 4; ++s)
    if (s != seat) record(s);
  for (int s = 0; s < 4; ++s) ToLink(link, wire::SeatName(Mask(s), seats_[static_cast<std::size_t>(s)].profile.account));
  for (int s = 0; s < 4; ++s) record(s);
  if (hand_) {
    ToLink(link, wire::GameStart(Mask(hand_->Dealer()), 0));
    hand_->SendRestore(seat, [&](const Frame& f) { ToLink(link, f); });
    return;
  }
  ToLink(link, wire::TableWaiting());
  for (const SeatState& s : seats_)
    if (s.ready) ToLink(link, wire::Ready(s.profile.account));
}

void Table::OnWatcherFrame(LinkId link, const ClientFrame& r) {
  if (r.cmd == static_cast<int>(Cmd::KeepAlive)) return;
  // The leave frame: command 16 with every value 0.
  if (r.cmd == static_cast<int>(Cmd::TableState) && r.value == std::array<int, 4>{}) {
    watchers_.erase(link);
    out_.Close(link);
    return;
  }
  Refuse();
  ++refusedFromWatchers_;
}

void Table::ToWatchers(int seat, const Frame& f) {
  for (const auto& [link, watched] : watchers_)
    if (watched == seat) out_.Send(link, f);
}

}  // namespace vask::server
