#pragma once
// The score window Score ("战绩板") and the record window Hero ("英雄榜"):
// their parts, placement over the table, dragging, closing and the record
// window's selection.
#include <cstdint>
#include <string>

namespace vask {

struct Client;
struct FormWindow;
struct ListControl;
struct Control;

// Parts of Score: State(0..7), ID(0..3), Tou(0..3), Image1.
namespace score_part {
inline constexpr int kState = 0;  // 8 lists
inline constexpr int kId = 8;
inline constexpr int kTou = 12;
inline constexpr int kClose = 16;
inline constexpr int kCount = 17;
}  // namespace score_part

// Parts of Hero: Num, Grade(0..3), sumScore(0..3), ID(0..3), Tou(0..3),
// Image1, then the fixed captions.
namespace hero_part {
inline constexpr int kNum = 0;
inline constexpr int kGrade = 1;  // 4 lists
inline constexpr int kSum = 5;
inline constexpr int kId = 9;
inline constexpr int kTou = 13;
inline constexpr int kClose = 17;
inline constexpr int kHandHeader = 18;
inline constexpr int kSumLabel = 19;
inline constexpr int kHint = 20;
inline constexpr int kCount = 21;
}  // namespace hero_part

// A window being dragged by the pointer: its name and the grip point
// inside it.
struct WindowDrag {
  std::string window;  // "Score", "Hero" or empty
  float gripX = 0, gripY = 0;
};

// Builds both windows (start-up); hidden, empty.
void LayoutScoreWindows(Client& c);

ListControl& ScoreState(Client& c, int j);
ListControl& ScoreId(Client& c, int i);
ListControl& ScoreTou(Client& c, int i);
ListControl& HeroNum(Client& c);
ListControl& HeroGrade(Client& c, int i);
ListControl& HeroSum(Client& c, int i);
ListControl& HeroId(Client& c, int i);
ListControl& HeroTou(Client& c, int i);

// Centres a floating window over the table surface.
void CentreOverTable(Client& c, FormWindow& w);
// Shows the score window centred over the table, in front of the others.
void ShowScoreWindow(Client& c);
// The score button: the record window hidden; the score window toggled,
// loaded with the last hand's record before it shows.
void ToggleScoreWindow(Client& c);
// The record button: the score window hidden; the record window toggled.
void ToggleRecordWindow(Client& c);
// Scrolls the record lists so that their last lines show.
void ScrollRecordsToEnd(Client& c);

// The hand's first winner at view v: every name green, the winner's red.
void MarkWinnerName(Client& c, int view);

// Colours as stored and sent (0xBBGGRR) and as the view draws them.
std::uint32_t BgrToRgb(std::uint32_t bgr);
std::uint32_t RgbToBgr(std::uint32_t rgb);

}  // namespace vask
