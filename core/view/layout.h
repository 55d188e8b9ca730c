#pragma once
// The table's fixed geometry: the scale, the widgets' places, the 136 tile
// images as four walls, the seat origins and the tile size sets.
#include <cstdint>

#include "core/view/view_model.h"
#include "platform/platform.h"

namespace vask {

struct Client;

// The table surface at scale 1.
inline constexpr int kSurfaceWidth = 1024;
inline constexpr int kSurfaceHeight = 768;
// The window around it where the screen has room: the title band above, a
// rim around. A smaller screen gets a window of its own size: the surface
// then fills it and the band lies over the surface's empty top strip.
inline constexpr int kWindowWidth = 1040;
inline constexpr int kWindowHeight = 796;
inline constexpr int kSurfaceLeft = 8;
inline constexpr int kSurfaceTop = 20;

// The main window's size on a screen: the whole screen up to 1040 × 796.
ScreenSize MainWindowSize(ScreenSize screen);

inline constexpr float kSmallScale = 0.78125f;

// 1.0, or 0.78125 when the screen is narrower than 1024 or lower than 768.
float ChooseLayoutScale(ScreenSize screen);
// A constant of the layout times the scale.
inline float Scaled(const ViewModel& v, float constant) { return constant * v.LayoutScale; }
// The nearest 16-bit integer, halves to even (the per-seat origins and the
// tile sizes are stored that way).
std::int16_t Round16(float value);

// The tile size sets the seat views switch between.
enum class TileSizeSet : std::uint8_t {
  WallAndDiscard,
  ConcealedHand,
  ConcealedAfterClaim,
  MeldSpectator,
  MeldPlayer,
  HandEndReveal,
};
// Installs a set for all four views, or for one view.
void InstallTileSizes(ViewModel& v, TileSizeSet set);
void InstallTileSize(ViewModel& v, TileSizeSet set, int view);

// Start-up: scale, surface, then the two layout steps.
void InitLayout(Client& c);
void LayoutPanel(Client& c);
void LayoutTable(Client& c);
void PlacePlayerLabels(Client& c);
// Every table reset: the walls face down in place and the seat origins.
void LayoutWalls(Client& c);

// The seat origins at scale 1, by view position.
struct SeatOrigin {
  int handX, handY, discardX, discardY;
};
inline constexpr SeatOrigin kSeatOrigins[4] = {
    {19, 564, 358, 438}, {163, 192, 287, 238}, {842, 122, 635, 238}, {942, 560, 758, 438}};

}  // namespace vask
