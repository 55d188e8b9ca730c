#pragma once
// What our prop plug-in knows and does, without any window: the players at
// the table, the bank and the props, the requests it makes of the client
// (frames, notices, labels) and the scores of a hand's end.
#include <array>
#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "core/social/prop_plugin.h"
#include "plugin/prop_wire.h"

namespace vask::props {

struct SeatInfo {
  bool present = false;
  int mask = 0;
  std::string account;
  std::string nick;
  bool male = true;
  int portrait = 0;  // the client's portrait index, 0..19
  std::array<bool, kPropKinds> using_{};  // props this player used this hand
};

struct HandScores {
  std::array<std::string, 4> texts;
  std::array<double, 4> amounts{};
  std::vector<std::string> chestInfo = std::vector<std::string>(8);
};

class PropModel {
 public:
  // Requests for the client, oldest first (GetSendBuff hands them out).
  std::deque<PluginRequest> requests;

  // The bank as the server last told it.
  bool bankKnown = false;
  std::int64_t bank = 0;
  std::int64_t gold = 0;
  std::array<int, kPropKinds> counts{};
  std::string status;  // how the last request went

  std::array<SeatInfo, 4> seats;  // by view position
  bool linkUp = true;
  int layout = 1;  // 1 at scale 1, 2 on a small screen

  // Called whenever something a window shows changed.
  std::function<void()> changed;

  void SetSeat(int view, int mask, const std::string& account, const std::string& nick, bool male, int portrait);
  void ClearSeat(int view);
  // A frame from the server (Rec_MSG).
  void OnFrame(const Frame& f);
  // A new hand starts: the props used last hand are forgotten.
  void HandStarts();

  void AskBank();
  void Deposit(std::int64_t amount);
  void Withdraw(std::int64_t amount);
  void Buy(int prop);
  void Use(int prop);

  // The scores of the hand that ended, once: true when they were there.
  bool TakeScores(HandScores& out);

 private:
  void Send(const Frame& f);
  void Notice(const std::string& text);
  void Label(const std::string& text);
  void Changed() {
    if (changed) changed();
  }
  int ViewOfMask(int mask) const;
  void OnBankState(const Frame& f);
  void OnPropUsed(const Frame& f);
  void OnScores(const Frame& f);

  bool scoresReady_ = false;
  HandScores scores_;
};

// The own seat's mask (0 until the client names it).
inline int OwnMask(const PropModel& m) { return m.seats[0].mask; }

}  // namespace vask::props
