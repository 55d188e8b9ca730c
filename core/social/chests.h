#pragma once
// The treasure-chest show of the prop plug-in after a hand: five closed
// chests, a countdown to pick one, the flight to the centre, the count-up of
// the extra gold and the flight to the owners; and the totals panel of a
// plug-in hand whose totals are all 0.
#include <array>
#include <cstdint>
#include <string>

namespace vask {

struct Client;
struct ChestLayout;

inline constexpr int kChestsPerGroup = 5;
inline constexpr int kChestSlots = 15;      // three groups of five
inline constexpr int kChestPosEntries = 30;  // x at k, y at k + 15
inline constexpr int kCountdownSeconds = 5;
inline constexpr int kTicksPerSecond = 20;   // of the 50 ms main timer
inline constexpr int kFlightSteps = 5;
inline constexpr int kFlightStepMs = 37;
inline constexpr int kNoChest = -1;

// Picture ids under which the view shows the plug-in's chest pictures.
inline constexpr int kClosedChestPicture = 9001;
inline constexpr int kOpenChestPicture = 9002;

struct ChestState {
  // Per view: the ImgProp index of the chest that opens for it.
  std::array<std::int16_t, 4> Prop_BaoChs{kNoChest, kNoChest, kNoChest, kNoChest};
  bool bChestPicked = false;
  bool bChestClock = false;
  std::int16_t ChestTick = 0;
  std::int16_t ChestSeconds = 0;
  bool bChestAnim = false;
  std::int16_t AnimFrame = 0;
  std::int16_t AnimLength = 0;
  std::array<std::string, 4> ChestNames{};
  std::array<double, 4> CountUp{};
  std::array<float, 4> CountStep{};
  std::int16_t AmountWidth = 0;
  std::int16_t NameWidth = 0;
};

// True when a layout from GetBaoInfo has every entry the show reads and
// timings it can run with.
bool ChestLayoutUsable(const ChestLayout& layout);

// Starts the show (after GetScoreInfo with chests).
void PlayBaoXiang(Client& c);
// Every main-timer tick while the countdown runs.
void ChestCountdown(Client& c);
// Every TimerProp tick while the opening runs.
void ChestAnimTick(Client& c);
// Opens the own view's chest, or with kNoChest the other views' chests.
void OpenChest(Client& c, int chest);
// A chest flies to the centre (opening) or, opened, to its owner's seat.
void FlyChest(Client& c, int chest, bool opening, int view);
// Moves ImgProp(image) in five steps, the window handling events between.
bool MoveBao(Client& c, float x0, float y0, float x1, float y1, int image);
// The count-up in LbProp: -1 lays it out, 1.. shows a frame, AnimLength
// and above the final amounts.
void ShowChestCount(Client& c, int frame);
// The totals panel of a plug-in hand whose totals are all 0.
void ShowPropDrawnTotals(Client& c);

}  // namespace vask
