#pragma once
// The clock, badges, portraits and the seat-shuffle notice of the table.
#include <array>
#include <cstdint>
#include <string>

#include "core/view/portrait_index.h"

namespace vask {

struct Client;

inline constexpr std::array<const char*, 4> kShuffleTexts = {
    "正在随机换座中..", "正在随机换座中...", "正在随机换座中....", "正在随机换座中....."};

struct WidgetState {
  // The table reseats the players at random before its first hand.
  bool ShuffleTable = false;
  // The seat shuffle is still to be shown when the player declares ready.
  bool ShufflePending = false;
  bool ShuffleShown = false;
  std::array<std::string, 4> ShuffleTexts{kShuffleTexts[0], kShuffleTexts[1], kShuffleTexts[2], kShuffleTexts[3]};
  std::int16_t ShufflePos = 0;
  std::string ShufflePage;  // the page under the notice
  bool AdFailed = false;
  // The panel buttons: element 2 set while the start button is inert.
  std::array<bool, 9> ButtonState{};
  std::array<bool, 9> ButtonHover{};
  // No game has been started in this visit: the start button reads "开始".
  bool FirstStart = true;
  // 1 + the index of the operZ button showing its hover face, 0 none.
  std::int16_t QuickOpHover = 0;
  // The own pull or sit decision pending: 0 none, 1 pull, 2 sit.
  std::int16_t PullAsk = 0;
  // Pull questions the own seat had in this hand; the face of operZ(0).
  std::int16_t PullCount = 0;
  // Poll ticks left for the pending decision.
  std::int16_t PullTicks = 0;
  bool WordHover1 = false, WordHover2 = false, BankHover = false;
  // A title-band button (ImgClose or ImgMin) shows its hover face.
  bool ChromeHover = false;
  // Per view: poll ticks left before the seat's pull or sit marker hides;
  // 0 when none runs.
  std::array<std::int16_t, 4> MarkerTicks{};
};


// The portrait of the seat at view v from its player's Face.
void ShowPortrait(Client& c, int view);
// The wealth badge shows the value (the caller hides it for 0).
void ShowWealth(Client& c, std::int32_t value);
// The two message lines Sysmsg(0..1): the line emptied, then the text shown
// in it (nothing for an empty text).
void SetSysmsgLine(Client& c, int line, const std::string& text);
void SetSysmsgLines(Client& c, const std::string& first, const std::string& second);
// The seat-shuffle notice: placed, started and stopped.
void PlaceShuffleWidgets(Client& c);
void StartSeatShuffle(Client& c);
void StopSeatShuffle(Client& c);
// When the table reseats its players and the shuffle is still to be shown
// (the player has just declared ready): the seat masks are forgotten and
// the notice starts.
void StartShuffleIfPending(Client& c);
// The shuffle notice hidden and its flags cleared, the timer left alone.
void HideShuffleNotice(Client& c);

}  // namespace vask
