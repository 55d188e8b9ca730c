#pragma once
// The own player's requests: discards, passes, claims and the win, the
// checks made before each, and the changes made at once to the own table
// (the server's result completes them).
#include "core/game/tiles.h"

namespace vask {

struct Client;

// Operation types: the offer bits of command 6, the request types and the
// result types of command 7.
enum OpType : int {
  OpPass = 1,
  OpChi = 4,
  OpPeng = 8,
  OpMingGang = 16,
  OpAnGang = 32,
  OpBuGang = 64,
  OpHu = 128,
};

// The claim buttons Operation(0..4).
inline constexpr int kChowButton = 0;
inline constexpr int kPungButton = 1;
inline constexpr int kKongButton = 2;
inline constexpr int kWinButton = 3;
inline constexpr int kPassButton = 4;

// The own hand holds 3k + 2 tiles: a discard is due.
bool OwnDiscardDue(const Client& c);

// The player discards the own hand tile shown by this image (tile click).
void SendDiscard(Client& c, int image);
// The server reports a discard of the own seat that this client did not
// lay (one queued just before the line dropped reaches the server after the
// re-login, so after the restore put the tile back): the server's word
// stands and the tile leaves the hand. `fromHand` as the server sends it:
// not the last hand slot.
void TakeServerDiscard(Client& c, TileCode tile, bool fromHand);
// Declines any open offer; sent at most once per turn.
void SendPass(Client& c);
// Claim requests; each first fills the next meld slots of the own record.
// False, sending nothing, when the own record cannot hold the meld.
bool SendChi(Client& c, int slotA, int slotB);
bool SendPeng(Client& c, TileCode tile);
bool SendMingGang(Client& c, int slot);
bool SendAnGang(Client& c, int slot);
bool SendBuGang(Client& c, int slot);
void SendHu(Client& c);
// A claim the own hand cannot form is declined: on the own turn the
// discard is due again, on another seat's discard a pass goes out.
void GiveUpClaim(Client& c);

// Claim button k pressed.
void PressClaimButton(Client& c, int k);

// The turn clock stops and its display hides.
void StopTurnClock(Client& c);
// Every claim button disabled with its idle picture.
void IdleClaimButtons(Client& c);
// Hides claim buttons: bit k of `which` for Operation(k).
void HideClaimButtons(Client& c, unsigned which);

}  // namespace vask
