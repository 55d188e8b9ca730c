#include "server/table/hand.h"

#include <algorithm>

#include "core/game/seats.h"
#include "server/rules/wildcards.h"

namespace vask::server {

namespace {
constexpr int kDealRounds = 3;
constexpr int kBatch = 4;
constexpr int kMaxPulls = 2;
// value(2) of command 41 goes into the client's redraw switch: any positive
// value means "the deal is over", and 1 is no tile, so nothing is laid aside.
constexpr int kNoSpecialTile = 1;
}  // namespace

HandSetup RandomSetup(std::mt19937& rng, int dealer, bool dealerSat) {
  std::uniform_int_distribution<int> die(1, 6);
  HandSetup s{Wall::Shuffled(rng)};
  for (int& d : s.dice) d = die(rng);
  for (int& d : s.indicatorDice) d = die(rng);
  s.dealer = dealer;
  s.dealerSat = dealerSat;
  return s;
}

Hand::Hand(const HandConfig& config, HandSetup setup, HandIo& io)
    : config_(config),
      io_(io),
      wall_(setup.wall),
      dice_(setup.dice),
      indicatorDice_(setup.indicatorDice),
      dealer_(setup.dealer & 3) {
  pulls_.dealerSat = setup.dealerSat;
}

std::uint8_t Hand::Mask(int seat) const { return SeatMask(seat & 3); }

void Hand::ToAll(const Frame& f) {
  for (int s = 0; s < 4; ++s) io_.ToSeat(s, f);
}

void Hand::Expect(int seat, int offers, Millis now) {
  Wait& w = waits_[static_cast<std::size_t>(seat)];
  w = Wait{};
  w.waiting = true;
  w.since = now;
  w.offers = offers;
}

void Hand::StopWaiting() {
  for (Wait& w : waits_) w = Wait{};
}

bool Hand::AnyWaiting() const {
  return std::any_of(waits_.begin(), waits_.end(), [](const Wait& w) { return w.waiting; });
}

std::optional<Millis> Hand::Deadline() const {
  std::optional<Millis> soonest;
  for (int s = 0; s < 4; ++s) {
    const Wait& w = waits_[static_cast<std::size_t>(s)];
    if (!w.waiting) continue;
    Millis due = w.since + (io_.SeatLive(s) ? config_.turnSeconds * 1000 + config_.grace : config_.absentDelay);
    if (!soonest || due < *soonest) soonest = due;
  }
  return soonest;
}

void Hand::Tick(Millis now) {
  // Each step moves the hand on, so the loop ends.
  while (phase_ != Phase::Over) {
    int due = -1;
    for (int s = 0; s < 4 && due < 0; ++s) {
      const Wait& w = waits_[static_cast<std::size_t>(s)];
      Millis limit = io_.SeatLive(s) ? config_.turnSeconds * 1000 + config_.grace : config_.absentDelay;
      if (w.waiting && now >= w.since + limit) due = s;
    }
    if (due < 0) break;
    PlayForAbsent(due, now);
  }
}

void Hand::Start(Millis now) {
  ToAll(wire::HandStart(Mask(dealer_), dice_));
  TileCode indicator = wall_.TurnUpIndicator(indicatorDice_[0] + indicatorDice_[1]);
  hun_ = WildcardsOf(indicator);
  ToAll(wire::Wildcards(indicatorDice_[0], indicatorDice_[1], AnnouncedWildcards(indicator)));
  if (config_.pullDealer) {
    Ask(Question::Pull, now);
  } else {
    Deal(now);
  }
}

// ---- Questions before the deal -------------------------------------------

void Hand::Ask(Question q, Millis now) {
  phase_ = Phase::Questions;
  question_ = q;
  StopWaiting();
  for (int s = 0; s < 4; ++s) {
    bool asked = q == Question::Sit ? s == dealer_
                 : q == Question::Pull ? s != dealer_
                                       : s != dealer_ && pulls_.pulls[static_cast<std::size_t>(s)] == 1;
    if (!asked) continue;
    Expect(s, 0, now);
    io_.ToSeat(s, wire::PullSit(Mask(s), q == Question::Sit ? kAskSit : kAskPull, false));
  }
  if (!AnyWaiting()) AfterQuestions(now);
}

bool Hand::OnAnswer(int seat, const ClientFrame& r, Millis now) {
  int expected = question_ == Question::Sit ? kSitReply : kPullReply;
  if (r.cmd != static_cast<int>(Cmd::PullSit) || r.value[1] != expected) return false;
  bool yes = r.value[3] == 1;
  if (question_ == Question::Sit) {
    if (yes) pulls_.dealerSat = true;
    ToAll(wire::PullSit(Mask(seat), kSitAnswered, yes));
  } else {
    int& pulls = pulls_.pulls[static_cast<std::size_t>(seat)];
    if (yes) pulls = std::min(pulls + 1, kMaxPulls);
    ToAll(wire::PullSit(Mask(seat), kPullAnswered, yes));
  }
  waits_[static_cast<std::size_t>(seat)].waiting = false;
  if (!AnyWaiting()) AfterQuestions(now);
  return true;
}

void Hand::AfterQuestions(Millis now) {
  bool anyPull = std::any_of(pulls_.pulls.begin(), pulls_.pulls.end(), [](int p) { return p > 0; });
  switch (question_) {
    case Question::Pull:
      if (anyPull && !pulls_.dealerSat) return Ask(Question::Sit, now);
      if (anyPull) return Ask(Question::PullAgain, now);
      break;
    case Question::Sit:
      if (pulls_.dealerSat) return Ask(Question::PullAgain, now);
      break;
    case Question::PullAgain:
      break;
  }
  Deal(now);
}

void Hand::Deal(Millis now) {
  StopWaiting();
  for (int round = 0; round < kDealRounds; ++round)
    for (int k = 0; k < 4; ++k)
      for (int i = 0; i < kBatch; ++i)
        seats_[static_cast<std::size_t>((dealer_ + k) % 4)].hand.push_back(*wall_.DrawFront());
  for (int s = 0; s < 4; ++s) io_.ToSeat(s, wire::Deal(Mask(s), seats_[static_cast<std::size_t>(s)].hand));
  // The 13th tile of every seat, then the dealer's 14th: the client counts
  // these five single draws to know the deal is over.
  for (int k = 0; k <= 4; ++k) {
    int seat = (dealer_ + k) % 4;
    TileCode t = *wall_.DrawFront();
    seats_[static_cast<std::size_t>(seat)].hand.push_back(t);
    for (int s = 0; s < 4; ++s) io_.ToSeat(s, wire::Draw(Mask(seat), s == seat ? t : NoTile));
  }
  drawn_ = seats_[static_cast<std::size_t>(dealer_)].hand.back();
  BeginTurn(dealer_, true, WinOccasion::Heavenly, now);
}

// ---- Turns ----------------------------------------------------------------

void Hand::DrawFor(int seat, bool fromBack, WinOccasion occasion, Millis now) {
  std::optional<TileCode> t = fromBack ? wall_.DrawBack() : wall_.DrawFront();
  if (!t) return WallEmpty();
  seats_[static_cast<std::size_t>(seat)].hand.push_back(*t);
  drawn_ = *t;
  int& draws = draws_[static_cast<std::size_t>(seat)];
  ++draws;
  if (!fromBack && seat != dealer_ && draws == 1 && !anyClaim_) occasion = WinOccasion::Earthly;
  for (int s = 0; s < 4; ++s) io_.ToSeat(s, wire::Draw(Mask(seat), s == seat ? *t : NoTile));
  BeginTurn(seat, true, occasion, now);
}

void Hand::BeginTurn(int seat, bool drew, WinOccasion occasion, Millis now) {
  phase_ = Phase::Turn;
  turnSeat_ = seat;
  if (!drew) drawn_.reset();
  turnOccasion_ = occasion;
  int offers = TurnOffers(seats_[static_cast<std::size_t>(seat)], drew, wall_.CanDrawBack(), hun_);
  StopWaiting();
  Expect(seat, offers, now);
  for (int s = 0; s < 4; ++s) io_.ToSeat(s, wire::Turn(Mask(seat), s == seat ? offers : 0, config_.turnSeconds));
}

bool Hand::OnRequest(int seat, const ClientFrame& r, Millis now) {
  if (seat < 0 || seat > 3 || !waits_[static_cast<std::size_t>(seat)].waiting) return false;
  switch (phase_) {
    case Phase::Questions: return OnAnswer(seat, r, now);
    case Phase::Turn: return OnTurnRequest(seat, r, now);
    case Phase::Claims:
    case Phase::RobbedKong: return OnClaimRequest(seat, r, now);
    case Phase::Over: return false;
  }
  return false;
}

bool Hand::OnTurnRequest(int seat, const ClientFrame& r, Millis now) {
  if (seat != turnSeat_) return false;
  const SeatTiles& mine = seats_[static_cast<std::size_t>(seat)];
  int offers = waits_[static_cast<std::size_t>(seat)].offers;
  if (r.cmd == static_cast<int>(Cmd::Discard)) {
    TileCode t = RequestTile(r.value[3]);
    if (CountOf(mine.hand, t) == 0) return false;
    bool fromHand = r.value[1] != 0 || !(drawn_ && *drawn_ == t);
    DiscardFor(seat, t, fromHand, now);
    return true;
  }
  if (r.cmd != static_cast<int>(Cmd::Claim)) return false;
  switch (r.value[0]) {
    case kOpPass:
      // Declines the kong or win on offer; the discard is still due.
      return true;
    case kOpHu:
      if (!(offers & kOpHu)) return false;
      Win(seat, drawn_.value_or(mine.hand.back()), -1, turnOccasion_);
      return true;
    case kOpAnGang: {
      TileCode t = RequestTile(r.value[1]);
      bool same = RequestTile(r.value[2]) == t && RequestTile(r.value[3]) == t;
      if (!(offers & kOpAnGang) || !same || !CanConcealedKong(mine.hand, t)) return false;
      ConcealedKong(seat, t, now);
      return true;
    }
    case kOpBuGang: {
      TileCode t = RequestTile(r.value[3]);
      if (!(offers & kOpBuGang) || !CanAddedKong(mine, t)) return false;
      AddedKong(seat, t, now);
      return true;
    }
    default:
      return false;
  }
}

void Hand::DiscardFor(int seat, TileCode tile, bool fromHand, Millis now) {
  RemoveOne(seats_[static_cast<std::size_t>(seat)].hand, tile);
  ++river_[static_cast<std::size_t>(seat)];
  drawn_.reset();
  ToAll(wire::Discard(Mask(seat), tile, fromHand));
  discarder_ = seat;
  discard_ = tile;
  StopWaiting();
  phase_ = Phase::Claims;
  for (int s = 0; s < 4; ++s) {
    if (s == seat) continue;
    int offers = DiscardOffers(seats_[static_cast<std::size_t>(s)], tile, s == (seat + 1) % 4, wall_.CanDrawBack(), hun_);
    if (offers == 0) continue;
    Expect(s, offers, now);
    io_.ToSeat(s, wire::Turn(Mask(s), offers, config_.turnSeconds));
  }
  if (!AnyWaiting()) DrawFor((seat + 1) % 4, false, WinOccasion::Ordinary, now);
}

void Hand::ConcealedKong(int seat, TileCode tile, Millis now) {
  SeatTiles& mine = seats_[static_cast<std::size_t>(seat)];
  RemoveCopies(mine.hand, tile, 4);
  mine.melds.push_back(Meld{MeldKind::ConcealedKong, {tile, tile, tile}});
  kongs_.push_back({seat, kOpAnGang, tile});
  anyClaim_ = true;
  ToAll(wire::ClaimResult(Mask(seat), kOpAnGang, {tile, tile, tile}));
  DrawFor(seat, true, WinOccasion::ConcealedKongDraw, now);
}

void Hand::AddedKong(int seat, TileCode tile, Millis now) {
  StopWaiting();
  // Another seat may win on the added tile first (抢胡).
  for (int s = 0; s < 4; ++s) {
    if (s == seat || !WinsWith(seats_[static_cast<std::size_t>(s)].hand, tile, hun_)) continue;
    Expect(s, kOpHu | kOpPass, now);
    io_.ToSeat(s, wire::Turn(Mask(s), kOpHu | kOpPass, config_.turnSeconds));
  }
  if (!AnyWaiting()) return CompleteAddedKong(seat, tile, now);
  phase_ = Phase::RobbedKong;
  discarder_ = seat;
  discard_ = tile;
}

void Hand::CompleteAddedKong(int seat, TileCode tile, Millis now) {
  SeatTiles& mine = seats_[static_cast<std::size_t>(seat)];
  RemoveOne(mine.hand, tile);
  for (Meld& m : mine.melds)
    if (m.kind == MeldKind::Pung && m.Tile() == tile) {
      m.kind = MeldKind::AddedKong;
      break;
    }
  kongs_.push_back({seat, kOpBuGang, tile});
  anyClaim_ = true;
  ToAll(wire::ClaimResult(Mask(seat), kOpBuGang, {NoTile, NoTile, tile}));
  DrawFor(seat, true, WinOccasion::KongReplacement, now);
}

// ---- Claims ---------------------------------------------------------------

bool Hand::OnClaimRequest(int seat, const ClientFrame& r, Millis now) {
  if (r.cmd != static_cast<int>(Cmd::Claim)) return false;
  Wait& w = waits_[static_cast<std::size_t>(seat)];
  std::array<TileCode, 3> sent{RequestTile(r.value[1]), RequestTile(r.value[2]), RequestTile(r.value[3])};
  bool allDiscard = std::all_of(sent.begin(), sent.end(), [&](TileCode t) { return t == discard_; });
  int op = r.value[0];
  if (op != kOpPass && !(w.offers & op)) return false;  // not offered
  switch (op) {
    case kOpPass:
      break;
    case kOpChi: {
      auto pair = ChowFromHand(seats_[static_cast<std::size_t>(seat)].hand, discard_, sent);
      if (!pair) return false;
      w.chowTiles = *pair;
      w.claim = Claim{seat, op};
      break;
    }
    case kOpPeng:
    case kOpMingGang:
      if (!allDiscard) return false;
      w.claim = Claim{seat, op};
      break;
    case kOpHu:
      w.claim = Claim{seat, op};
      break;
    default:
      return false;
  }
  w.waiting = false;
  TryResolveClaims(now);
  return true;
}

void Hand::TryResolveClaims(Millis now) {
  std::vector<Claim> answered;
  for (const Wait& w : waits_)
    if (w.claim) answered.push_back(*w.claim);
  std::optional<Claim> best = WinningClaim(discarder_, answered);
  for (int s = 0; s < 4; ++s) {
    const Wait& w = waits_[static_cast<std::size_t>(s)];
    if (w.waiting && CouldBeat(discarder_, s, w.offers, best)) return;
  }
  if (phase_ == Phase::RobbedKong) return ResolveRob(now);
  ResolveClaims(now);
}

void Hand::ResolveClaims(Millis now) {
  std::vector<Claim> answered;
  for (const Wait& w : waits_)
    if (w.claim) answered.push_back(*w.claim);
  std::optional<Claim> best = WinningClaim(discarder_, answered);
  std::array<TileCode, 2> chow = best ? waits_[static_cast<std::size_t>(best->seat)].chowTiles
                                      : std::array<TileCode, 2>{};
  StopWaiting();
  if (!best) return DrawFor((discarder_ + 1) % 4, false, WinOccasion::Ordinary, now);

  int seat = best->seat;
  TileCode t = discard_;
  if (best->op == kOpHu) return Win(seat, t, discarder_, WinOccasion::Ordinary);

  SeatTiles& mine = seats_[static_cast<std::size_t>(seat)];
  --river_[static_cast<std::size_t>(discarder_)];
  anyClaim_ = true;
  switch (best->op) {
    case kOpMingGang:
      RemoveCopies(mine.hand, t, 3);
      mine.melds.push_back(Meld{MeldKind::ExposedKong, {t, t, t}});
      kongs_.push_back({seat, kOpMingGang, t});
      ToAll(wire::ClaimResult(Mask(seat), kOpMingGang, {t, t, t}));
      return DrawFor(seat, true, WinOccasion::KongReplacement, now);
    case kOpPeng:
      RemoveCopies(mine.hand, t, 2);
      mine.melds.push_back(Meld{MeldKind::Pung, {t, t, t}});
      ToAll(wire::ClaimResult(Mask(seat), kOpPeng, {t, t, t}));
      return BeginTurn(seat, false, WinOccasion::Ordinary, now);
    default:  // chow
      RemoveOne(mine.hand, chow[0]);
      RemoveOne(mine.hand, chow[1]);
      mine.melds.push_back(Meld{MeldKind::Chow, {chow[0], chow[1], t}});
      ToAll(wire::ClaimResult(Mask(seat), kOpChi, {chow[0], chow[1], t}));
      return BeginTurn(seat, false, WinOccasion::Ordinary, now);
  }
}

void Hand::ResolveRob(Millis now) {
  std::vector<Claim> answered;
  for (const Wait& w : waits_)
    if (w.claim) answered.push_back(*w.claim);
  std::optional<Claim> best = WinningClaim(discarder_, answered);
  StopWaiting();
  int declarer = discarder_;
  TileCode t = discard_;
  if (!best) return CompleteAddedKong(declarer, t, now);
  // The robbed tile leaves the declarer's hand as if discarded, so every
  // client's count of that hand stays right for the reveal.
  RemoveOne(seats_[static_cast<std::size_t>(declarer)].hand, t);
  ToAll(wire::Discard(Mask(declarer), t, true));
  Win(best->seat, t, declarer, WinOccasion::RobbedKong);
}

// ---- The end --------------------------------------------------------------

void Hand::Win(int seat, TileCode tile, int payer, WinOccasion occasion) {
  Tiles hand = seats_[static_cast<std::size_t>(seat)].hand;
  Tiles concealed = hand;
  if (payer >= 0) {
    concealed.push_back(tile);
  } else if (RemoveOne(hand, tile)) {
    hand.push_back(tile);  // the drawn tile is revealed last
  }
  outcome_.winner = seat;
  outcome_.payer = payer;
  outcome_.winTile = tile;
  outcome_.categories = JudgeWin(concealed, tile, occasion, hun_);
  outcome_.winStakes = WinPayments(seat, payer, outcome_.categories.multiplier, dealer_, pulls_);
  outcome_.revealed[static_cast<std::size_t>(seat)] = hand;
  ToAll(wire::ClaimResult(Mask(seat), kOpHu, {NoTile, NoTile, NoTile}, outcome_.categories.flags));
  Finish();
}

void Hand::WallEmpty() { Finish(); }

void Hand::Finish() {
  StopWaiting();
  phase_ = Phase::Over;
  outcome_.kongStakes = KongPayments(kongs_, dealer_, pulls_, hun_);
  for (int s = 0; s < 4; ++s) {
    auto i = static_cast<std::size_t>(s);
    outcome_.totalStakes[i] = outcome_.winStakes[i] + outcome_.kongStakes[i];
    if (s != outcome_.winner) outcome_.revealed[i] = seats_[i].hand;
    outcome_.exposedKongs[i] = static_cast<int>(std::count_if(
        seats_[i].melds.begin(), seats_[i].melds.end(), [](const Meld& m) { return m.kind == MeldKind::ExposedKong; }));
  }
  outcome_.kongs = kongs_;
  outcome_.pulls = pulls_;
  outcome_.dealer = dealer_;
  outcome_.hun = hun_;
  outcome_.indicator = wall_.Indicator();
}

// ---- Playing for a seat ---------------------------------------------------

void Hand::PlayForAbsent(int seat, Millis now) {
  ClientFrame r;
  r.mask = Mask(seat);
  switch (phase_) {
    case Phase::Questions:
      r.cmd = static_cast<int>(Cmd::PullSit);
      r.value = {0, question_ == Question::Sit ? kSitReply : kPullReply, 0, 0};
      OnAnswer(seat, r, now);
      return;
    case Phase::Turn: {
      const Tiles& hand = seats_[static_cast<std::size_t>(seat)].hand;
      TileCode t = drawn_ && CountOf(hand, *drawn_) > 0 ? *drawn_ : hand.back();
      return DiscardFor(seat, t, !(drawn_ && *drawn_ == t), now);
    }
    case Phase::Claims:
    case Phase::RobbedKong:
      r.cmd = static_cast<int>(Cmd::Claim);
      r.value = {kOpPass, 0, 0, 0};
      OnClaimRequest(seat, r, now);
      return;
    case Phase::Over:
      return;
  }
}

// ---- Restore --------------------------------------------------------------

void Hand::SendRestore(int r, const std::function<void(const Frame&)>& to) {
  auto send = [&](const Frame& f) { to ? to(f) : io_.ToSeat(r, f); };
  TileCode indicator = wall_.Indicator();
  bool dealt = wall_.FrontUsed() > 0;
  if (dealt) {
    // Command 41 clears the client's table first; command 4 then sets the
    // dealer and the wall, command 14 the wildcards.
    send(wire::GameParams(Mask(dealer_), dice_[0] + dice_[1], dice_[2] + dice_[3], kNoSpecialTile, indicator));
  }
  send(wire::HandStart(Mask(dealer_), dice_));
  send(wire::Wildcards(indicatorDice_[0], indicatorDice_[1], AnnouncedWildcards(indicator)));
  if (!dealt) {
    if (waits_[static_cast<std::size_t>(r)].waiting)
      send(wire::PullSit(Mask(r), question_ == Question::Sit ? kAskSit : kAskPull, false));
    return;
  }
  for (int s = 0; s < 4; ++s) {
    const SeatTiles& st = seats_[static_cast<std::size_t>(s)];
    wire::RestoreInfo info;
    info.riverCount = river_[static_cast<std::size_t>(s)];
    info.frontUsed = wall_.FrontUsed();
    info.backUsed = wall_.BackUsed();
    for (const Meld& m : st.melds) {
      info.shown.insert(info.shown.end(), m.tiles.begin(), m.tiles.end());
      if (m.IsKong()) info.shown.push_back(m.Tile());
    }
    for (TileCode t : st.hand) info.concealed.push_back(s == r ? t : NoTile);
    send(wire::Restore(Mask(s), info));
  }
  const Wait& mine = waits_[static_cast<std::size_t>(r)];
  if (phase_ == Phase::Turn) {
    send(wire::Turn(Mask(turnSeat_), r == turnSeat_ ? mine.offers : 0, config_.turnSeconds));
  } else if (mine.waiting) {
    send(wire::Turn(Mask(r), mine.offers, config_.turnSeconds));
  }
}

}  // namespace vask::server
