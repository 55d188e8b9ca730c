#pragma once
// Which tiles a chow or a kong of the own hand would use: one candidate is
// requested at once, several are shown as small pictures beside the claim
// buttons for the player to pick.
namespace vask {

struct Client;

// The chow candidates for the last discard (the chow button was pressed).
void ChiChoice(Client& c);
// The kong candidates of the latest kong offer (the kong button was pressed).
void KongChoice(Client& c);

// The player picks chow picture k (0..5) or kong picture k (0..4).
void PickChow(Client& c, int k);
void PickKong(Client& c, int k);

// Hides and disables every pick picture.
void ClosePicks(Client& c);

}  // namespace vask
