#pragma once
// The totals panel: the hand results (command 9) booked into the players'
// records and the running totals, the score window completed and shown,
// the record of hands extended, and the countdown to the next hand.
#include <array>
#include <cstdint>
#include <string>

namespace vask {

struct Client;

struct TotalsState {
  // From the hand-result messages of this hand (per view).
  std::array<std::int32_t, 4> Subtotal{};
  std::array<std::uint8_t, 4> CapFlag{};
  std::string WinnerTitle;
  std::array<bool, 4> ResultSeen{};  // seats whose hand result came this hand
  // Sum of each seat's hand results since joining the table.
  std::array<double, 4> RunningTotal{};
  // The wealth factor text taken at the hand start.
  std::string WealthText;
  // Extra lines and gold from the prop plug-in, per view.
  std::array<std::string, 4> PropScoreText{};
  std::array<double, 4> PropAmount{};
};

// Seconds of the countdown to the next hand.
inline constexpr int kNextHandSeconds = 15;

// Books the hand, completes and shows the score window, extends the record
// window, re-arms the start button, starts the countdown and writes the
// results file.
void ShowTotalsPanel(Client& c);

// The prop plug-in's extra lines of view i appended to its score column
// (their colour codes taken off) and its extra gold booked; both cleared.
void AppendPropLines(Client& c, int i);

// Blanks in front until the text is `width` characters long.
std::string PadLeft(const std::string& text, std::size_t width);

// A new hand: the results of the last one are forgotten.
void StartHandTotals(Client& c);

}  // namespace vask
