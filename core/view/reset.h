#pragma once
// The table resets between hands and on leaving, each in the order its
// occasion requires.
namespace vask {

struct Client;

void ClearTable(Client& c);   // empties the table's view for the next game
void ResetTable(Client& c);   // the full view reset, also run at every hand start
void ResetSeats(Client& c);   // seat records back to their start
void ResetRound(Client& c);   // seat records and per-hand values for a new round
void DrawSeatTiles(Client& c);  // the seat-draw animation
void ShowCompass(Client& c);    // the compass by the own seat index

}  // namespace vask
