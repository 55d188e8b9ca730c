#pragma once
// The wall and the four rivers: building the wall face down, opening it at
// the indicator, discards shown at the table centre and laid in rows of
// eight.
#include "core/game/tiles.h"

namespace vask {

struct Client;

// Builds the four walls face down, stack by stack.
void ShowWall(Client& c);
// Moves `count` wall images, from wall position `start` downwards, two
// stacks further along wall `side`.
void ShiftWall(Client& c, int side, int count, int start);
// Lays one tile in the river of a view and advances that river's cursor.
void LayRiverTile(Client& c, int view, int image, TileCode code);
// Another seat's discard in player mode: out of the hand, to the table
// centre; the row closes up.
void ShowOtherDiscard(Client& c, int view, TileCode code);
// The own discard: the image to the table centre, the hand closes up.
void ShowOwnDiscard(Client& c, int image, TileCode code);
// A watcher's discard of any seat: the tile leaves the row, is shown
// enlarged at the centre for a second once a restore opened the wall, and
// lies in its river at once.
void ShowSpectatorDiscard(Client& c, int view, TileCode code);
// Lays the discard waiting at the centre in its river (first step of every
// tile delivery to the seat at `receivingView`).
void SettleDiscard(Client& c, int receivingView);
// Undoes the river placement of the last discard (a claim took it).
void TakeDiscardBack(Client& c);
// The latest discard starts blinking.
void StartDiscardBlink(Client& c, int image);

// The table surface's size in pixels (scaled).
float SurfaceWidth(const Client& c);
float SurfaceHeight(const Client& c);

}  // namespace vask
