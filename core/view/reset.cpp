#include "core/view/reset.h"

#include "core/client.h"

namespace vask {

void ClearTable(Client&) {}

void ResetTable(Client& c) { ClearSlotTiles(c.table); }

void ResetSeats(Client& c) { ResetSeatRecords(c.table); }

void ResetRound(Client& c) { ResetSeatRecords(c.table); }

void DrawSeatTiles(Client&) {}

void ShowCompass(Client&) {}

}  // namespace vask
