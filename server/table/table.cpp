#include "server/table/table.h"

#include <algorithm>

#include "core/game/seats.h"

namespace vask::server {

namespace {
constexpr int kMaxHalfTurnLimit = 15;  // the login answer keeps it in four bits
constexpr std::size_t kRevealBatch = 3;

bool IsCmd(const ClientFrame& r, Cmd c) { return r.cmd == static_cast<int>(c); }
}  // namespace

Table::Table(TableOptions options, Outbox& out, ResultsLog* log)
    : options_(std::move(options)), out_(out), log_(log), rng_(options_.seed) {}

Table::~Table() = default;

std::uint8_t Table::Mask(int seat) const { return SeatMask(seat & 3); }

bool Table::Complete() const {
  return std::all_of(seats_.begin(), seats_.end(), [](const SeatState& s) { return s.taken; });
}

int Table::SeatOfLink(LinkId link) const {
  auto it = links_.find(link);
  return it == links_.end() ? -1 : it->second.seat;
}

void Table::ToSeat(int seat, const Frame& f) {
  LinkId link = seats_[static_cast<std::size_t>(seat)].link;
  if (link != 0) out_.Send(link, f);
  ToWatchers(seat, f);
}

bool Table::SeatLive(int seat) const { return seats_[static_cast<std::size_t>(seat)].link != 0; }

void Table::ToAll(const Frame& f) {
  for (int s = 0; s < 4; ++s) ToSeat(s, f);
}

// ---- Links ----------------------------------------------------------------

void Table::Connect(LinkId link, Millis now) { links_[link] = LinkState{-1, now}; }

void Table::Disconnect(LinkId link, Millis now) {
  watchers_.erase(link);
  auto it = links_.find(link);
  if (it == links_.end()) return;
  int seat = it->second.seat;
  links_.erase(it);
  if (seat < 0) return;
  SeatState& s = seats_[static_cast<std::size_t>(seat)];
  if (s.link != link) return;
  s.link = 0;
  s.goneSince = now;
  ++s.profile.drops;
}

void Table::Receive(LinkId link, const Frame& f, Millis now) {
  if (watchers_.count(link)) return OnWatcherFrame(link, ReadClientFrame(f));
  auto it = links_.find(link);
  if (it == links_.end()) return Refuse();
  ClientFrame r = ReadClientFrame(f);
  int seat = it->second.seat;
  if (seat < 0) {
    if (IsCmd(r, Cmd::Login)) return OnLogin(link, r, now);
    if (IsCmd(r, Cmd::Relogin)) return OnRelogin(link, r, now);
    return Refuse();
  }
  if (!MaskAccepted(seat, r)) return Refuse();
  switch (static_cast<Cmd>(r.cmd)) {
    case Cmd::TableState:
      return OnTableState(seat, r, now);
    case Cmd::Discard:
    case Cmd::Claim:
    case Cmd::PullSit:
      if (!hand_ || !hand_->OnRequest(seat, r, now)) return Refuse();
      return AfterHandStep(now);
    case Cmd::Chat:
      return OnChat(seat, r, now);
    case Cmd::PropB:
      return OnProps(seat, r);
    case Cmd::KeepAlive:
      return;
    default:
      return Refuse();
  }
}

bool Table::MaskAccepted(int seat, const ClientFrame& r) {
  SeatState& s = seats_[static_cast<std::size_t>(seat)];
  if (r.mask == Mask(seat)) {
    s.maskConfirmed = true;
    return true;
  }
  // Until the seat names reach it the client does not know its own mask; it
  // may declare itself ready, chat and keep the link alive meanwhile.
  // The prop plug-in may ask for its bank as soon as it is loaded.
  bool harmless = IsCmd(r, Cmd::TableState) || IsCmd(r, Cmd::Chat) || IsCmd(r, Cmd::KeepAlive) || IsCmd(r, Cmd::PropB);
  return harmless && !s.maskConfirmed;
}

// ---- Login ----------------------------------------------------------------

void Table::RefuseLogin(LinkId link, LoginVerdict verdict) {
  Refuse();
  ToLink(link, wire::LoginAnswer(verdict, options_.timeoutLimit, 0));
  out_.Close(link);
  links_.erase(link);
}

void Table::Attach(int seat, LinkId link) {
  SeatState& s = seats_[static_cast<std::size_t>(seat)];
  if (s.link != 0 && s.link != link) {
    // A half-dead old link gives way to the player's new one.
    links_.erase(s.link);
    out_.Close(s.link);
  }
  s.link = link;
  links_[link].seat = seat;
}

void Table::OnLogin(LinkId link, const ClientFrame& r, Millis now) {
  std::optional<LoginRequest> login = ReadLogin(r.raw);
  if (!login) return RefuseLogin(link, LoginVerdict::BadLogin);
  if (std::optional<std::int64_t> watched = WatchedPlayerOf(*login)) return OnWatcherLogin(link, *watched);
  auto sitting = std::find_if(seats_.begin(), seats_.end(),
                              [&](const SeatState& s) { return s.taken && s.profile.account == login->account; });
  if (sitting != seats_.end()) {
    // The player comes back with a new client: same account, same key, and
    // nobody else playing the seat.
    if (sitting->link != 0) return RefuseLogin(link, LoginVerdict::NoSeat);
    if (sitting->key != login->key) return RefuseLogin(link, LoginVerdict::BadLogin);
    int seat = static_cast<int>(sitting - seats_.begin());
    Attach(seat, link);
    sitting->maskConfirmed = false;
    sitting->leaving = false;
    ++sitting->profile.logins;
    return Welcome(seat, false);
  }
  auto free = std::find_if(seats_.begin(), seats_.end(), [](const SeatState& s) { return !s.taken; });
  if (free == seats_.end()) return RefuseLogin(link, LoginVerdict::NoSeat);
  int seat = static_cast<int>(free - seats_.begin());
  SeatState& s = *free;
  s = SeatState{};
  s.taken = true;
  s.key = login->key;
  s.profile.account = login->account;
  s.profile.nick = login->account;
  std::vector<std::string> faces;
  for (const SeatState& other : seats_)
    if (other.taken && &other != &s) faces.push_back(other.profile.face);
  const Portrait& portrait = portraits_.For(login->account, faces);
  s.profile.face = portrait.face;
  s.profile.male = portrait.male;
  s.profile.gold = options_.startGold;
  // A player's number is its seat's (1..4): a lobby that offers to watch a
  // seat knows whom its watcher looks for.
  s.profile.playerId = seat + 1;
  rng_();  // the draw that once made the number: seeded games stay as they were
  s.reloginId = rng_() | 1u;
  Attach(seat, link);
  Welcome(seat, true);
  if (Complete() && !hand_) StartReadyWait(now);
}

void Table::Welcome(int seat, bool newSeat) {
  SeatState& me = seats_[static_cast<std::size_t>(seat)];
  int halfTurn = std::clamp(options_.hand.turnSeconds / 2, 1, kMaxHalfTurnLimit);
  ToLink(me.link, wire::LoginAnswer(LoginVerdict::Accepted, options_.timeoutLimit, halfTurn));
  ToLink(me.link, wire::PlayerInfo(15, me.profile, me.ready, options_.propsAllowed));
  for (int s = 0; s < 4; ++s) {
    const SeatState& other = seats_[static_cast<std::size_t>(s)];
    if (s == seat || !other.taken) continue;
    ToLink(me.link, wire::PlayerInfo(0, other.profile, other.ready, options_.propsAllowed));
    if (newSeat) ToSeat(s, wire::PlayerInfo(0, me.profile, false, options_.propsAllowed));
  }
  // An incomplete table sends no table-waiting message: the clients keep
  // their table fresh, so that the countdown below starts when it fills.
  if (Complete()) {
    // New names make the clients forget a dealer that sat.
    if (newSeat) dealerSat_ = false;
    for (int s = 0; s < 4; ++s) {
      if (!newSeat && s != seat) continue;
      if (newSeat && !hand_) StartReadyCountdown(s);
      justFilled_ = justFilled_ || (newSeat && !hand_);
      SendSeating(s);
    }
  }
  CatchUp(seat, false);
}

void Table::SendSeating(int seat) {
  // Four names, then the four records by seat mask: the client counts them
  // to know the table is complete, and finds its own seat by its account.
  for (int k = 0; k < 4; ++k) ToSeat(seat, wire::SeatName(Mask(k), seats_[static_cast<std::size_t>(k)].profile.account));
  for (int k = 0; k < 4; ++k) {
    const SeatState& s = seats_[static_cast<std::size_t>(k)];
    ToSeat(seat, wire::PlayerInfo(Mask(k), s.profile, s.ready, options_.propsAllowed));
  }
  // The own record once more under seat 15: the names made the client's
  // start button inert, and its own record is what makes it usable again.
  const SeatState& own = seats_[static_cast<std::size_t>(seat)];
  ToSeat(seat, wire::PlayerInfo(15, own.profile, own.ready, options_.propsAllowed));
  ToSeat(seat, wire::TableWaiting());
}

void Table::CatchUp(int seat, bool relogin) {
  if (hand_) {
    ToSeat(seat, wire::GameStart(Mask(hand_->Dealer()), seats_[static_cast<std::size_t>(seat)].reloginId));
    hand_->SendRestore(seat);
    return;
  }
  // Whatever the client missed, the table waits for it to be ready.
  if (relogin) ToSeat(seat, wire::TableWaiting());
  for (const SeatState& s : seats_)
    if (s.taken && s.ready) ToSeat(seat, wire::Ready(s.profile.account));
}

void Table::OnRelogin(LinkId link, const ClientFrame& r, Millis now) {
  (void)now;
  std::optional<LoginRequest> login = ReadLogin(r.raw);
  auto sitting = std::find_if(seats_.begin(), seats_.end(), [&](const SeatState& s) {
    return login && s.taken && s.profile.account == login->account;
  });
  if (!login || sitting == seats_.end() || sitting->key != login->key || sitting->reloginId != login->reloginId) {
    Refuse();
    ToLink(link, wire::ReloginAnswer(false));
    out_.Close(link);
    links_.erase(link);
    return;
  }
  int seat = static_cast<int>(sitting - seats_.begin());
  Attach(seat, link);
  ToLink(link, wire::ReloginAnswer(true));
  CatchUp(seat, true);
}

// ---- Between hands ----------------------------------------------------------

void Table::OnTableState(int seat, const ClientFrame& r, Millis now) {
  if (r.value[3] == 1) {
    SeatState& s = seats_[static_cast<std::size_t>(seat)];
    if (hand_ || s.ready) return Refuse();
    s.ready = true;
    ToAll(wire::Ready(s.profile.account));
    return MaybeStartHand(now);
  }
  if (r.value == std::array<int, 4>{}) return Leave(seat, now);
  Refuse();
}

void Table::Leave(int seat, Millis now) {
  SeatState& s = seats_[static_cast<std::size_t>(seat)];
  LinkId link = s.link;
  links_.erase(link);
  out_.Close(link);
  s.link = 0;
  s.goneSince = now;
  // During a hand the server plays the seat to the end; the others see the
  // player go when the hand is settled.
  if (hand_) {
    s.leaving = true;
  } else {
    FreeSeat(seat);
  }
}

void Table::FreeSeat(int seat) {
  SeatState& s = seats_[static_cast<std::size_t>(seat)];
  std::string account = s.profile.account;
  if (s.link != 0) {
    links_.erase(s.link);
    out_.Close(s.link);
  }
  s = SeatState{};
  ToAll(wire::PlayerLeaves(account));
}

void Table::OnChat(int seat, const ClientFrame& r, Millis now) {
  SeatState& s = seats_[static_cast<std::size_t>(seat)];
  // Prop plug-in frames ride on command 19; they are not chat and not relayed.
  if (IsPropChatFrame(r.raw)) return Refuse();
  std::string text = ChatTextOf(r.raw);
  if (text.empty()) return Refuse();
  while (!s.chatTimes.empty() && now - s.chatTimes.front() >= options_.chatWindow) s.chatTimes.pop_front();
  if (static_cast<int>(s.chatTimes.size()) >= options_.chatBurst) return Refuse();
  s.chatTimes.push_back(now);

  std::array<int, 4> v = r.value;
  if (v[0] < 0 || v[0] > 2) v[0] = 0;  // free text or one of the two phrase kinds
  auto to = static_cast<std::uint8_t>(v[1]);
  bool addressed = v[1] == to && IsSeatMask(to) && seats_[static_cast<std::size_t>(SeatIndex(to))].taken;
  if (!addressed) v[1] = 0;
  ToAll(wire::Chat(Mask(seat), v, text));
}

// ---- Props ------------------------------------------------------------------

void Table::OnProps(int seat, const ClientFrame& r) {
  if (!options_.propsAllowed) return Refuse();
  SeatState& s = seats_[static_cast<std::size_t>(seat)];
  PropReply reply = props_.OnRequest(s.profile.account, Mask(seat), s.profile.gold, hand_ != nullptr, r.raw);
  if (reply.goldChange != 0) {
    s.profile.gold += reply.goldChange;
    ToSeat(seat, wire::OwnGold(reply.goldChange));
    for (int other = 0; other < 4; ++other)
      if (other != seat) ToSeat(other, wire::OtherGold(s.profile.account, reply.goldChange));
  }
  for (const Frame& f : reply.toSeat) ToSeat(seat, f);
  for (const Frame& f : reply.toAll) ToAll(f);
}

// The chests of a finished hand, before its settlement messages: the
// clients' plug-ins hold the settlement until they have them. The gold
// comes on top of the hand's result.
void Table::SendPropScores(int winner) {
  std::array<std::string, 4> accounts;
  for (int s = 0; s < 4; ++s) accounts[static_cast<std::size_t>(s)] = seats_[static_cast<std::size_t>(s)].profile.account;
  const std::array<ChestShare, 4> shares = props_.Chests(accounts, winner, rng_);
  for (int s = 0; s < 4; ++s) seats_[static_cast<std::size_t>(s)].profile.gold += shares[static_cast<std::size_t>(s)].amount;
  ToAll(PropsDesk::ScoresFrame(shares));
}

// ---- Hands ------------------------------------------------------------------

void Table::MaybeStartHand(Millis now) {
  if (hand_ || !Complete()) return;
  for (const SeatState& s : seats_)
    if (!s.ready || s.leaving) return;
  for (SeatState& s : seats_) s.ready = false;
  readySince_.reset();
  HandSetup setup = options_.setup(rng_, dealer_, dealerSat_);
  setup.dealer = dealer_;
  for (int s = 0; s < 4; ++s) ToSeat(s, wire::GameStart(Mask(dealer_), seats_[static_cast<std::size_t>(s)].reloginId));
  HandIo& io = *this;
  hand_ = std::make_unique<Hand>(NextHandConfig(), std::move(setup), io);
  justFilled_ = false;
  hand_->Start(now);
  AfterHandStep(now);
}

void Table::AfterHandStep(Millis now) {
  if (hand_ && hand_->Over()) FinishHand(now);
}

void Table::FinishHand(Millis now) {
  const HandOutcome o = hand_->Outcome();
  hand_.reset();
  ++handsPlayed_;

  HandLogEntry entry;
  entry.handNo = handsPlayed_;
  entry.roomStake = options_.roomStake;
  for (int s = 0; s < 4; ++s) {
    auto i = static_cast<std::size_t>(s);
    SeatState& seat = seats_[i];
    std::int64_t result = static_cast<std::int64_t>(o.totalStakes[i]) * options_.roomStake;
    seat.total += result;
    seat.profile.gold += result;
    seat.profile.points += result;
    // Counted as the client counts them: a hand of 0 goes by the total.
    if (result > 0 || (result == 0 && seat.total > 0)) {
      ++seat.profile.wins;
    } else {
      ++seat.profile.losses;
    }
    entry.accounts[i] = seat.profile.account;
    entry.results[i] = result;
    entry.totals[i] = seat.total;
  }

  for (int s = 0; s < 4; ++s) {
    auto i = static_cast<std::size_t>(s);
    ToAll(wire::HandResult(Mask(s), {seats_[i].total, entry.results[i], o.Drawn(), options_.winnerTitle}));
  }
  for (int s = 0; s < 4; ++s) {
    const Tiles& tiles = o.revealed[static_cast<std::size_t>(s)];
    for (std::size_t at = 0; at < tiles.size(); at += kRevealBatch) {
      std::array<TileCode, 3> batch{};
      for (std::size_t k = 0; k < kRevealBatch && at + k < tiles.size(); ++k) batch[k] = tiles[at + k];
      for (int to = 0; to < 4; ++to)
        if (to != s) ToSeat(to, wire::Reveal(Mask(s), batch));
    }
  }
  if (options_.propsAllowed) SendPropScores(o.winner);
  for (int s = 0; s < 4; ++s) {
    auto i = static_cast<std::size_t>(s);
    wire::SettlementInfo info;
    info.winAmount = o.winStakes[i];
    info.handResult = entry.results[i];
    info.level = seats_[i].profile.level;
    info.exposedKongs = o.exposedKongs[i];
    info.roomStake = options_.roomStake;
    if (s == o.winner) info.winFlags = o.categories.flags;
    ToAll(wire::Settlement(Mask(s), info));
  }
  if (log_) log_->Write(entry, o);

  // The dealer deals again after winning or a drawn wall, and keeps having sat.
  if (o.winner == o.dealer || o.Drawn()) {
    dealerSat_ = o.pulls.dealerSat;
  } else {
    dealer_ = (dealer_ + 1) % 4;
    dealerSat_ = false;
  }
  lastOutcome_ = o;
  for (int s = 0; s < 4; ++s)
    if (seats_[static_cast<std::size_t>(s)].leaving) FreeSeat(s);
  StartReadyWait(now);
}

// ---- Waiting for readiness --------------------------------------------------

void Table::StartReadyWait(Millis now) { readySince_ = now; }

// The player's own link only: a watcher takes any departure for the end of
// its watching.
void Table::StartReadyCountdown(int seat) {
  const LinkId link = seats_[static_cast<std::size_t>(seat)].link;
  if (link != 0) ToLink(link, wire::ReadyCountdown());
}

// The first hand of a table that has just filled is dealt without the pull
// questions: the clients promised it within seconds of the last seat, and a
// person's question alone takes eight of them.
HandConfig Table::NextHandConfig() const {
  HandConfig config = options_.hand;
  if (justFilled_) config.pullDealer = false;
  return config;
}

// A client that never declares itself ready does not hold the table for
// ever. Seats without their player are left to the absent release.
void Table::DeclareLateSeatsReady(Millis now) {
  if (hand_ || !readySince_ || !Complete() || now - *readySince_ < options_.readyWait) return;
  readySince_.reset();
  for (SeatState& s : seats_) {
    if (s.ready || s.link == 0 || s.leaving) continue;
    s.ready = true;
    ToAll(wire::Ready(s.profile.account));
  }
  MaybeStartHand(now);
}

// ---- Time -------------------------------------------------------------------

void Table::Tick(Millis now) {
  if (hand_) {
    hand_->Tick(now);
    AfterHandStep(now);
  }
  for (auto it = links_.begin(); it != links_.end();) {
    if (it->second.seat < 0 && now - it->second.since >= options_.loginTimeout) {
      out_.Close(it->first);
      it = links_.erase(it);
    } else {
      ++it;
    }
  }
  if (!hand_)
    for (int s = 0; s < 4; ++s) {
      const SeatState& seat = seats_[static_cast<std::size_t>(s)];
      if (seat.taken && seat.link == 0 && now - seat.goneSince >= options_.absentRelease) FreeSeat(s);
    }
  DeclareLateSeatsReady(now);
}

std::optional<Millis> Table::NextDeadline() const {
  std::optional<Millis> soonest = hand_ ? hand_->Deadline() : std::nullopt;
  auto consider = [&](Millis t) {
    if (!soonest || t < *soonest) soonest = t;
  };
  for (const auto& [link, state] : links_)
    if (state.seat < 0) consider(state.since + options_.loginTimeout);
  if (!hand_)
    for (const SeatState& s : seats_)
      if (s.taken && s.link == 0) consider(s.goneSince + options_.absentRelease);
  if (!hand_ && readySince_ && Complete()) consider(*readySince_ + options_.readyWait);
  return soonest;
}

}  // namespace vask::server
