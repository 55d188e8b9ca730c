#pragma once
// The table: four seats, the players' links, login and re-login, seating,
// readiness, chat, and the hands one after another. It never trusts a link:
// a frame from a link that has not logged in, with another seat's mask, out
// of turn or not offered is refused and changes nothing.
#include <array>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <random>
#include <string>

#include "server/table/hand.h"
#include "server/table/link.h"
#include "server/table/portraits.h"
#include "server/table/props_desk.h"
#include "server/table/results_log.h"
#include "server/table/wire.h"

namespace vask::server {

struct TableOptions {
  HandConfig hand;
  std::uint32_t seed = 1;
  int roomStake = 10;
  std::int64_t startGold = 10000;
  int timeoutLimit = 0;            // the client hides after this many time-outs; 0 never
  Millis loginTimeout = 30000;     // a link that does not log in is dropped
  Millis absentRelease = 90000;    // a seat without its player is given up between hands
  // A player at the table who has not declared itself ready this long after
  // the table filled or the last hand ended is declared ready by the server
  // (its client's countdown should have done it long before).
  Millis readyWait = 45000;
  bool propsAllowed = false;
  int chatBurst = 5;               // chat lines a seat may send ...
  Millis chatWindow = 3000;        // ... within this time
  std::string winnerTitle = "赢家";
  // Chance for each hand; tests put in fixed walls.
  std::function<HandSetup(std::mt19937&, int dealer, bool dealerSat)> setup = RandomSetup;
};

struct SeatState {
  bool taken = false;
  PlayerProfile profile;
  std::string key;
  LinkId link = 0;  // 0: nobody connected plays the seat
  bool ready = false;
  bool maskConfirmed = false;  // the client has shown it knows its seat
  bool leaving = false;        // left during a hand; freed when it ends
  std::uint32_t reloginId = 0;
  std::int64_t total = 0;      // gold won or lost since sitting down
  Millis goneSince = 0;
  std::deque<Millis> chatTimes;
};

class Table : private HandIo {
 public:
  Table(TableOptions options, Outbox& out, ResultsLog* log = nullptr);
  ~Table() override;

  void Connect(LinkId link, Millis now);
  void Receive(LinkId link, const Frame& f, Millis now);
  void Disconnect(LinkId link, Millis now);
  void Tick(Millis now);
  std::optional<Millis> NextDeadline() const;

  const SeatState& Seat(int s) const { return seats_[static_cast<std::size_t>(s)]; }
  int SeatOfLink(LinkId link) const;
  const Hand* CurrentHand() const { return hand_.get(); }
  const std::optional<HandOutcome>& LastOutcome() const { return lastOutcome_; }
  int HandsPlayed() const { return handsPlayed_; }
  int RefusedFrames() const { return refused_; }
  std::size_t Watchers() const { return watchers_.size(); }
  int RefusedFromWatchers() const { return refusedFromWatchers_; }
  int Dealer() const { return dealer_; }

 private:
  struct LinkState {
    int seat = -1;
    Millis since = 0;
  };

  // HandIo
  void ToSeat(int seat, const Frame& f) override;
  bool SeatLive(int seat) const override;

  void ToLink(LinkId link, const Frame& f) { out_.Send(link, f); }
  void ToAll(const Frame& f);
  void Refuse() { ++refused_; }
  bool Complete() const;
  std::uint8_t Mask(int seat) const;

  void OnLogin(LinkId link, const ClientFrame& r, Millis now);
  void OnRelogin(LinkId link, const ClientFrame& r, Millis now);
  void RefuseLogin(LinkId link, LoginVerdict verdict);
  void Attach(int seat, LinkId link);
  void Welcome(int seat, bool newSeat);
  void SendSeating(int seat);
  void CatchUp(int seat, bool relogin);

  bool MaskAccepted(int seat, const ClientFrame& r);
  void OnTableState(int seat, const ClientFrame& r, Millis now);
  void OnChat(int seat, const ClientFrame& r, Millis now);
  void OnProps(int seat, const ClientFrame& r);
  void SendPropScores(int winner);
  void Leave(int seat, Millis now);
  void FreeSeat(int seat);

  void StartReadyWait(Millis now);
  void StartReadyCountdown(int seat);
  HandConfig NextHandConfig() const;
  void DeclareLateSeatsReady(Millis now);
  // Watchers (table_watchers.cpp): links that follow one seat's frames and
  // play no part.
  void OnWatcherLogin(LinkId link, std::int64_t watchedId);
  void OnWatcherFrame(LinkId link, const ClientFrame& r);
  void ToWatchers(int seat, const Frame& f);

  void MaybeStartHand(Millis now);
  void AfterHandStep(Millis now);
  void FinishHand(Millis now);

  TableOptions options_;
  Outbox& out_;
  ResultsLog* log_;
  std::mt19937 rng_;
  std::array<SeatState, 4> seats_;
  std::map<LinkId, LinkState> links_;
  std::unique_ptr<Hand> hand_;
  std::optional<HandOutcome> lastOutcome_;
  int handsPlayed_ = 0;
  int refused_ = 0;
  int dealer_ = 0;
  bool dealerSat_ = false;
  std::optional<Millis> readySince_;  // the table waits for its players to be ready
  bool justFilled_ = false;           // no hand since the last seat was taken
  PropsDesk props_;
  PortraitBook portraits_;
  std::map<LinkId, int> watchers_;  // link → the seat it watches
  int refusedFromWatchers_ = 0;
};

// A login whose key reads "watch:" and a player's number watches that
// player; empty for a player's login.
std::optional<std::int64_t> WatchedPlayerOf(const LoginRequest& login);

}  // namespace vask::server
