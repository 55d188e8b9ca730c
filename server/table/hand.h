#pragma once
// One hand at the table: pull questions, the deal, turns, claims, kongs and
// the end by a win or a drawn wall. Seats are absolute indices 0..3; frames
// go out through HandIo, requests come in already tied to their seat.
#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <random>
#include <vector>

#include "server/rules/claims.h"
#include "server/rules/scoring.h"
#include "server/rules/wall.h"
#include "server/rules/win.h"
#include "server/table/wire.h"

namespace vask::server {

using Millis = std::int64_t;

class HandIo {
 public:
  virtual ~HandIo() = default;
  virtual void ToSeat(int seat, const Frame& f) = 0;
  // Someone plays the seat over a link; an absent seat is played by the server.
  virtual bool SeatLive(int seat) const = 0;
};

struct HandConfig {
  int turnSeconds = 15;       // the countdown each seat is shown
  Millis grace = 5000;        // how long past the countdown the server waits for a live seat
  Millis absentDelay = 300;   // how soon the server plays for an absent seat
  bool pullDealer = true;     // ask the pull and sit questions (拉庄, 坐庄)
};

// Everything chance decides for a hand.
struct HandSetup {
  Wall wall;
  std::array<int, 4> dice{1, 1, 1, 1};    // the wall break
  std::array<int, 2> indicatorDice{1, 1};  // where the indicator lies
  int dealer = 0;
  bool dealerSat = false;  // the dealer sat in the hand before and deals again
};
HandSetup RandomSetup(std::mt19937& rng, int dealer, bool dealerSat);

struct HandOutcome {
  int winner = -1;   // -1: the wall ran out
  int payer = -1;    // the seat whose tile won; -1 when the winner drew it
  TileCode winTile = NoTile;
  WinCategories categories;
  Amounts winStakes{};
  Amounts kongStakes{};
  Amounts totalStakes{};
  std::array<Tiles, 4> revealed;  // each seat's concealed tiles as shown at the end
  std::array<int, 4> exposedKongs{};
  std::vector<KongEntry> kongs;
  PullStates pulls;
  int dealer = 0;
  HunList hun{};
  TileCode indicator = NoTile;
  bool Drawn() const { return winner < 0; }
};

class Hand {
 public:
  Hand(const HandConfig& config, HandSetup setup, HandIo& io);

  void Start(Millis now);
  // False when the request is refused: not this seat's to make, not offered,
  // or not matching its tiles. A refused request changes nothing.
  bool OnRequest(int seat, const ClientFrame& request, Millis now);
  // Plays for the seats whose time ran out.
  void Tick(Millis now);
  std::optional<Millis> Deadline() const;

  bool Over() const { return phase_ == Phase::Over; }
  const HandOutcome& Outcome() const { return outcome_; }

  // The frames that bring a seat that logged in again up to date; `to`, when
  // given, takes them instead of the seat (a watcher of the seat).
  void SendRestore(int seat, const std::function<void(const Frame&)>& to = {});

  // Read access for tests and the log.
  enum class Phase : std::uint8_t { Questions, Turn, Claims, RobbedKong, Over };
  Phase CurrentPhase() const { return phase_; }
  int TurnSeat() const { return turnSeat_; }
  int Offers(int seat) const { return waits_[static_cast<std::size_t>(seat)].offers; }
  bool Waiting(int seat) const { return waits_[static_cast<std::size_t>(seat)].waiting; }
  const SeatTiles& SeatTilesOf(int seat) const { return seats_[static_cast<std::size_t>(seat)]; }
  const HunList& Hun() const { return hun_; }
  int Dealer() const { return dealer_; }
  const Wall& WallState() const { return wall_; }

 private:
  // A question the hand waits on one seat to answer.
  struct Wait {
    bool waiting = false;
    Millis since = 0;
    int offers = 0;
    std::optional<Claim> claim;
    std::array<TileCode, 2> chowTiles{};
  };
  enum class Question : std::uint8_t { Pull, Sit, PullAgain };

  void ToAll(const Frame& f);
  std::uint8_t Mask(int seat) const;
  void Expect(int seat, int offers, Millis now);
  void StopWaiting();
  bool AnyWaiting() const;

  // Questions before the deal.
  void Ask(Question q, Millis now);
  bool OnAnswer(int seat, const ClientFrame& r, Millis now);
  void AfterQuestions(Millis now);
  void Deal(Millis now);

  // Turns.
  void DrawFor(int seat, bool fromBack, WinOccasion occasion, Millis now);
  void BeginTurn(int seat, bool drew, WinOccasion occasion, Millis now);
  bool OnTurnRequest(int seat, const ClientFrame& r, Millis now);
  void DiscardFor(int seat, TileCode tile, bool fromHand, Millis now);
  void ConcealedKong(int seat, TileCode tile, Millis now);
  void AddedKong(int seat, TileCode tile, Millis now);
  void CompleteAddedKong(int seat, TileCode tile, Millis now);

  // Claims on a discard, and on a tile added to a pung.
  bool OnClaimRequest(int seat, const ClientFrame& r, Millis now);
  void TryResolveClaims(Millis now);
  void ResolveClaims(Millis now);
  void ResolveRob(Millis now);

  void Win(int seat, TileCode tile, int payer, WinOccasion occasion);
  void WallEmpty();
  void Finish();

  void PlayForAbsent(int seat, Millis now);

  HandConfig config_;
  HandIo& io_;
  Wall wall_;
  std::array<int, 4> dice_;
  std::array<int, 2> indicatorDice_;
  int dealer_;
  HunList hun_{};
  std::array<SeatTiles, 4> seats_;
  std::array<int, 4> river_{};
  std::array<int, 4> draws_{};
  PullStates pulls_;
  std::vector<KongEntry> kongs_;

  Phase phase_ = Phase::Questions;
  Question question_ = Question::Pull;
  std::array<Wait, 4> waits_;

  int turnSeat_ = -1;
  std::optional<TileCode> drawn_;
  WinOccasion turnOccasion_ = WinOccasion::Ordinary;
  bool anyClaim_ = false;

  int discarder_ = -1;
  TileCode discard_ = NoTile;

  HandOutcome outcome_;
};

}  // namespace vask::server
