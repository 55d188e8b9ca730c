#pragma once
// The pull-the-dealer and sit questions to the own seat (the three operZ
// buttons with their countdown) and the markers beside the other seats
// that show their answers.
namespace vask {

struct Client;

// Ticks a pull or sit question waits for the player: 8 seconds.
inline constexpr int kPullAnswerTicks = 160;
// Ticks a seat marker stays up: 2 seconds.
inline constexpr int kMarkerTicks = 40;

// operZ(0) "拉庄"/"再拉一下", operZ(1) "坐庄", operZ(2) "过".
namespace oper_z {
inline constexpr int kPull = 0;
inline constexpr int kSit = 1;
inline constexpr int kPass = 2;
}  // namespace oper_z

// value(1) of command 26.
namespace pull_kind {
inline constexpr int kPullAnswered = 0;  // received: a non-dealer answered
inline constexpr int kAskPull = 1;       // received: pull the dealer?
inline constexpr int kPullReply = 2;     // sent: the own pull answer
inline constexpr int kAskSit = 5;        // received: sit (own seat deals)?
inline constexpr int kSitReply = 6;      // sent: the own sit answer
inline constexpr int kSitAnswered = 7;   // received: the dealer answered
}  // namespace pull_kind

enum class SeatMarker { Pull, PullAgain, Sit, Shovel };

void ShowPullChoice(Client& c);
void ShowSitChoice(Client& c);
// operZ(0..2) hidden and disabled.
void HidePullChoice(Client& c);
// The hovered operZ button back to its normal face.
void ResetQuickOpHover(Client& c);
// The marker picture beside another seat (views 1..3), in front, for
// kMarkerTicks ticks.
void ShowSeatMarker(Client& c, int view, SeatMarker kind);
// One poll tick: the markers' countdowns and the pending question's.
void PullSitTick(Client& c);

}  // namespace vask
