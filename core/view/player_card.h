#pragma once
// The player card Information: one player's statistics, shown while the
// pointer rests on that player's portrait or labels.
namespace vask {

struct Client;

// The card's parts: Inf(0..8), the value labels, then their captions.
inline constexpr int kCardValues = 9;

// Builds the card's labels (start-up).
void LayoutPlayerCard(Client& c);
// Fills and shows the card for the player at view v, unless it is shown
// already or the seat is empty.
void ShowPlayerCard(Client& c, int view);
void HidePlayerCard(Client& c);

}  // namespace vask
