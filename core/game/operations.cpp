#include "core/game/operations.h"

#include "core/client.h"
#include "core/connection/frame.h"
#include "core/game/choices.h"
#include "core/view/hands.h"
#include "core/view/layout.h"
#include "core/view/rivers.h"

namespace vask {

namespace {

constexpr unsigned kAllButtons = 0b11111;

void Send(Client& c, Cmd cmd, int v0, int v1, int v2, int v3) {
  MsgInfo r;
  r.cmd = static_cast<std::int16_t>(cmd);
  r.seat = c.table.OwnMask();
  r.value = {static_cast<std::int16_t>(v0), static_cast<std::int16_t>(v1), static_cast<std::int16_t>(v2),
             static_cast<std::int16_t>(v3)};
  SendMsg(c, r);
}

void SendClaim(Client& c, int type, TileCode a, TileCode b, TileCode d) {
  Send(c, Cmd::Claim, type, ClaimTileCode(a), ClaimTileCode(b), ClaimTileCode(d));
  c.table.ActionSent = true;
}

bool InHand(const SeatRec& s, int slot) { return slot >= s.HandStart && slot < s.HandStart + s.HandCount; }

// The next meld's three slots must lie inside the record.
bool MeldFits(const SeatRec& s) { return s.MeldTop >= 2 && s.MeldTop < kSlotsPerSeat; }

bool DiscardImageValid(const TableState& t) { return t.LastDiscardImg >= 0 && t.LastDiscardImg < kTilesInSet; }

// Slots M − 2 .. M take over the given slots with a meld mark.
void FillMeldSlots(SeatRec& own, const std::array<int, 3>& from, std::int16_t mark) {
  const int m = own.MeldTop;
  for (int k = 0; k < 3; ++k) {
    own.Slots[m - 2 + k] = own.Slots[from[k]];
    own.Slots[m - 2 + k].Mark = mark;
  }
}

void CloseSideWindows(Client& c) {
  c.view.huifu.visible = false;
  c.view.Talk.visible = false;
}

// The own turn is over: no second discard, the clock and the claim
// buttons stop.
void EndOwnTurn(Client& c) {
  TableState& t = c.table;
  t.PanelState = 2;
  t.MustDiscard = false;
  StopTurnClock(c);
  IdleClaimButtons(c);
}

// The tile of this slot goes to the centre and the hand closes up.
void LayOwnDiscard(Client& c, int slot) {
  SeatRec& own = c.table.Detail[0];
  const TileSlot taken = own.Slots[slot];
  ShowOwnDiscard(c, taken.Img, taken.Tile);
  SortHand(c, 0, own.HandCount - 1);
  own.HandCount -= 1;
  c.platform.ViewChanged();
}

}  // namespace

bool OwnDiscardDue(const Client& c) {
  const int n = c.table.Detail[0].HandCount;
  return n >= 2 && (n - 2) % 3 == 0;
}

void StopTurnClock(Client& c) {
  c.conn.bClock = false;
  c.table.Countdown = c.table.TurnLimit;
  c.view.Time_Img.visible = c.view.Number.visible = false;
  ++c.view.revision;
}

void IdleClaimButtons(Client& c) {
  for (int k = 0; k < 5; ++k) {
    Control& b = c.view.Operation[k];
    b.enabled = false;
    PutPicture(c, c.pics.OperationPics[3 * k], b);
  }
  ++c.view.revision;
}

void HideClaimButtons(Client& c, unsigned which) {
  for (int k = 0; k < 5; ++k)
    if (which & (1u << k)) c.view.Operation[k].visible = false;
  ++c.view.revision;
}

void SendPass(Client& c) {
  if (c.table.ActionSent) return;
  Send(c, Cmd::Claim, OpPass, 0, 0, 0);
  c.table.ActionSent = true;
}

void SendDiscard(Client& c, int image) {
  TableState& t = c.table;
  CloseSideWindows(c);
  if (t.Spectator || t.PanelState == 3 || !c.conn.bTableLive || !t.MustDiscard) return;
  if (!IsOwnHandImage(t, image)) return;
  // Only a hand of 3k + 2 tiles discards: moving a tile without telling the
  // server would lose it from the hand.
  if (!OwnDiscardDue(c)) return;
  SeatRec& own = t.Detail[0];
  const int slot = HandSlotOfImage(t, image);
  const TileCode tile = own.Slots[slot].Tile;
  if (!IsValidTile(tile)) return;

  t.TimeOuts = 0;
  EndOwnTurn(c);
  SendPass(c);
  const bool drawnTile = slot == own.HandStart + own.HandCount - 1;
  Send(c, Cmd::Discard, 0, drawnTile ? 0 : 1, 0, (tile & 0x0FFF) | 0x4000);
  LayOwnDiscard(c, slot);
}

void TakeServerDiscard(Client& c, TileCode tile, bool fromHand) {
  TableState& t = c.table;
  const SeatRec& own = t.Detail[0];
  if (t.Spectator || !t.MustDiscard || t.PanelState != 0 || !OwnDiscardDue(c)) return;
  const int last = own.HandStart + own.HandCount - 1;
  int slot = !fromHand && last < kSlotsPerSeat && own.Slots[last].Tile == tile ? last : -1;
  for (int s = own.HandStart; s <= last && slot < 0 && s < kSlotsPerSeat; ++s)
    if (own.Slots[s].Tile == tile) slot = s;
  if (slot < 0) return;
  EndOwnTurn(c);
  LayOwnDiscard(c, slot);
}

bool SendChi(Client& c, int slotA, int slotB) {
  TableState& t = c.table;
  SeatRec& own = t.Detail[0];
  if (!MeldFits(own) || !InHand(own, slotA) || !InHand(own, slotB) || slotA == slotB) return false;
  if (!DiscardImageValid(t) || !IsValidTile(t.LastDiscard)) return false;
  const int m = own.MeldTop;
  own.Slots[m - 2] = own.Slots[slotA];
  own.Slots[m - 1] = own.Slots[slotB];
  own.Slots[m] = {SlotChi, t.LastDiscard, t.LastDiscardImg};
  own.Slots[m - 2].Mark = own.Slots[m - 1].Mark = SlotChi;
  SendClaim(c, OpChi, own.Slots[m - 2].Tile, own.Slots[m - 1].Tile, own.Slots[m].Tile);
  return true;
}

bool SendPeng(Client& c, TileCode tile) {
  TableState& t = c.table;
  SeatRec& own = t.Detail[0];
  if (!MeldFits(own) || !DiscardImageValid(t) || !IsValidTile(tile)) return false;
  for (int f = own.HandStart; f + 1 < own.HandStart + own.HandCount; ++f) {
    if (own.Slots[f].Tile != tile || own.Slots[f + 1].Tile != tile) continue;
    const int m = own.MeldTop;
    own.Slots[m - 2] = own.Slots[f];
    own.Slots[m - 1] = own.Slots[f + 1];
    own.Slots[m] = {SlotPeng, tile, t.LastDiscardImg};
    own.Slots[m - 2].Mark = own.Slots[m - 1].Mark = SlotPeng;
    SendClaim(c, OpPeng, tile, tile, tile);
    return true;
  }
  return false;
}

namespace {

// Three (or four) equal tiles from `slot` in the own hand.
bool EqualRun(const SeatRec& own, int slot, int count) {
  if (!InHand(own, slot) || !InHand(own, slot + count - 1)) return false;
  for (int k = 1; k < count; ++k)
    if (own.Slots[slot + k].Tile != own.Slots[slot].Tile) return false;
  return IsValidTile(own.Slots[slot].Tile);
}

// A kong from `copies` equal hand tiles at `slot`: three of them fill the
// meld slots, the request names the tile three times.
bool SendKongOfRun(Client& c, int slot, int copies, std::int16_t mark, int type) {
  SeatRec& own = c.table.Detail[0];
  if (!MeldFits(own) || !EqualRun(own, slot, copies)) return false;
  const TileCode tile = own.Slots[slot].Tile;
  FillMeldSlots(own, {slot, slot + 1, slot + 2}, mark);
  SendClaim(c, type, tile, tile, tile);
  return true;
}

}  // namespace

bool SendMingGang(Client& c, int slot) { return SendKongOfRun(c, slot, 3, SlotMingGang, OpMingGang); }

bool SendAnGang(Client& c, int slot) { return SendKongOfRun(c, slot, 4, SlotAnGang, OpAnGang); }

bool SendBuGang(Client& c, int slot) {
  SeatRec& own = c.table.Detail[0];
  if (!MeldFits(own) || !InHand(own, slot) || !IsValidTile(own.Slots[slot].Tile)) return false;
  const int m = own.MeldTop;
  own.Slots[m - 2] = own.Slots[slot];
  own.Slots[m - 2].Mark = SlotBuGang;
  Send(c, Cmd::Claim, OpBuGang, 0, 0, ClaimTileCode(own.Slots[slot].Tile));
  c.table.ActionSent = true;
  return true;
}

void SendHu(Client& c) { Send(c, Cmd::Claim, OpHu, 0, 0, 0); }

void GiveUpClaim(Client& c) {
  if (OwnDiscardDue(c))
    c.table.MustDiscard = true;
  else
    SendPass(c);
}

void PressClaimButton(Client& c, int k) {
  TableState& t = c.table;
  ViewModel& v = c.view;
  CloseSideWindows(c);
  if (k < 0 || k > 4 || t.Spectator) return;
  if (!c.conn.bTableLive || t.OpOffer[k] != 2 || t.PanelState != 0) return;
  t.PanelState = 2;
  t.OpOffer.fill(0);
  Control& button = v.Operation[k];
  PutPicture(c, c.pics.OperationPics[3 * k], button);
  button.enabled = false;
  if (k < kPassButton) StopTurnClock(c);
  InstallTileSize(v, TileSizeSet::ConcealedHand, 0);
  t.TimeOuts = 0;

  switch (k) {
    case kChowButton:
      t.MustDiscard = false;
      HideClaimButtons(c, kAllButtons & ~1u);
      PlaySeatVoice(c, 0, voice::kChow);
      ChiChoice(c);
      break;
    case kPungButton:
      t.MustDiscard = false;
      HideClaimButtons(c, kAllButtons);
      PlaySeatVoice(c, 0, voice::kPung);
      if (!SendPeng(c, t.LastDiscard)) GiveUpClaim(c);
      break;
    case kKongButton:
      t.MustDiscard = false;
      HideClaimButtons(c, kAllButtons & ~(1u << kKongButton));
      if (t.KongOffer & OpAnGang) SortHand(c, 0, t.Detail[0].HandCount);
      KongChoice(c);
      break;
    case kWinButton:
      t.MustDiscard = false;
      SendHu(c);
      HideClaimButtons(c, kAllButtons);
      break;
    default:
      HideClaimButtons(c, kAllButtons);
      // On another seat's discard nothing more is due; on the own turn the
      // clock keeps running for the discard.
      if (!OwnDiscardDue(c)) {
        StopTurnClock(c);
        c.conn.ClockTick = 0;
      }
      SendPass(c);
      IdleClaimButtons(c);
      t.PanelState = 1;
      break;
  }
  c.platform.ViewChanged();
}

}  // namespace vask
