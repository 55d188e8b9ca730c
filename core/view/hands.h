#pragma once
// The seats' hands and melds on screen: which picture each tile image
// carries, where it stands, how big it is and how it is stacked.
#include <array>

#include "core/game/tiles.h"

namespace vask {

struct Client;

struct Point {
  float x = 0, y = 0;
};

// Where a concealed tile of slot s of view v stands, and a meld tile.
Point SlotPosition(const Client& c, int view, int slot);
Point MeldPosition(const Client& c, int view, int slot);

// The own row shows its faces: always to a player, to a watcher only while
// the watched player's hand is open.
bool OwnFacesShown(const Client& c);
// Installs the concealed-hand sizes and puts one tile into a hand row; the
// gap flag sets a single drawn tile apart from the row.
void PlaceHandTile(Client& c, int view, int slot, int image, TileCode code, bool gap);
// Every concealed tile of the view back to its slot position, no gap.
void RelayHand(Client& c, int view);
// Every concealed own tile shows the standing back, then a pause.
void FlipOwnHand(Client& c, int pauseMs);
// Sorts the first n hand tiles of the view and shows their faces (the own
// hand in the large set; with incremental redraw only changed slots).
void SortHand(Client& c, int view, int n);
// Draws the three tiles of slots s..s+2 as a meld of the given kind
// (SlotChi .. SlotAnGang), then re-lays the concealed tiles.
void PlaceMeld(Client& c, int view, int firstSlot, const std::array<TileCode, 3>& codes, int kind);
// The fourth tile of a kong, lying on the meld's middle tile.
void PlaceKongTop(Client& c, int view, int middleSlot, int image, TileCode code, bool concealed);

}  // namespace vask
