#include <algorithm>
#include <string>

#include "core/client.h"
#include "core/connection/frame.h"
#include "core/game/choices.h"
#include "core/game/deal.h"
#include "core/game/operations.h"
#include "core/game/seats.h"
#include "core/handlers.h"
#include "core/settle/autoplay.h"
#include "core/view/buttons.h"
#include "core/view/clock.h"
#include "core/view/hands.h"
#include "core/view/pull_choice.h"
#include "core/view/layout.h"
#include "core/view/rivers.h"

namespace vask {

namespace {

constexpr std::size_t kCountdownByte = 100;
constexpr int kMinOwnCountdown = 3;
constexpr int kShortOwnCountdown = 8;

struct Offer {
  int bit;
  int button;
  int picture;  // entry of OperationPics
};
// Lowest bit first.
constexpr Offer kOffers[] = {{1, 4, 13}, {4, 0, 1}, {8, 1, 4}, {16, 2, 7}, {32, 2, 7}, {64, 2, 7}, {128, 3, 10}};
constexpr int kKongBits = 16 | 32 | 64;

bool ValidMask(const Client& c, std::uint8_t mask) { return IsSeatMask(mask) && c.table.OwnMask() != 0; }

// The window hidden with the quick-hide key counts as hidden until the user
// brings it back.
bool BossHidden(Client& c) {
  if (c.table.bBossHidden && !c.platform.MainWindowMinimized()) c.table.bBossHidden = false;
  return c.table.bBossHidden;
}

}  // namespace

void OnTurn(Client& c, MsgInfo& info) {
  TableState& t = c.table;
  ViewModel& v = c.view;
  if (!ValidMask(c, info.seat)) return;
  const bool own = info.seat == t.OwnMask();
  int seconds = c.conn.Msg[kCountdownByte];
  if (BossHidden(c))
    seconds = 1;
  else if (own && seconds < kMinOwnCountdown)
    seconds = kShortOwnCountdown;
  t.Countdown = static_cast<std::int16_t>(seconds);

  ClosePicks(c);
  if (!own) {
    PlaceClock(c, ViewPos(t.OwnMask(), info.seat));
  } else if (t.Spectator) {
    // The watched player's offers are not the watcher's: nothing it could
    // press would put the buttons out again.
    if ((t.Detail[0].HandCount - 2) % 3 == 0) t.MustDiscard = true;
    PlaceClock(c, 0);
  } else {
    t.ActionSent = false;
    t.PanelState = 0;
    t.OpOffer.fill(0);
    const int offer = info.value[0] & 0xFF;
    for (const Offer& o : kOffers) {
      if (!(offer & o.bit)) continue;
      Control& button = v.Operation[o.button];
      button.enabled = true;
      PutPicture(c, c.pics.OperationPics[o.picture], button);
      t.OpOffer[o.button] = 2;
    }
    if (offer & kKongBits) t.KongOffer = info.value[0];
    for (Control& button : v.Operation) {
      button.visible = true;
      BringToFront(v, button);
    }
    if ((t.Detail[0].HandCount - 2) % 3 == 0) t.MustDiscard = true;
    PlaceClock(c, 0);
  }
  t.OwnTurn = own;
  c.conn.ClockTick = 0;
  c.conn.bClock = true;
  c.platform.ViewChanged();
}

void TurnClockDuty(Client& c) {
  TableState& t = c.table;
  ViewModel& v = c.view;
  if (t.Countdown >= 1) {
    --t.Countdown;
    v.Number.text = std::to_string(t.Countdown);
    if (t.Countdown < 6) {
      PlayEffect(c, kSoundTick);
      v.Number.foreColor = kRed;
    } else {
      v.Number.foreColor = kGreen;
    }
    ++v.revision;
  } else if (!t.OwnTurn) {
    StopTurnClock(c);
  } else if (t.PanelState < 2 && t.Spectator) {
    // The watched player's time runs out, not the watcher's.
    StopTurnClock(c);
  } else if (t.PanelState < 2) {
    t.PanelState = 3;
    if (!BossHidden(c)) {
      ++t.TimeOuts;
      if (t.TimeOutLimit >= 1 && t.TimeOuts >= t.TimeOutLimit) QuickHide(c);
    }
    StopTurnClock(c);
    TimeOutPlay(c);
  }
  c.conn.ClockTick = 0;
  c.platform.ViewChanged();
}

void OnDraw(Client& c, MsgInfo& info) {
  if (!c.table.bInGame || !ValidMask(c, info.seat)) return;
  const std::array<TileCode, 4> codes = {TileOf(info.value[0]), TileOf(info.value[1]), TileOf(info.value[2]),
                                         TileOf(info.value[3])};
  AddTiles(c, info.seat, 1, codes);
}

void OnDiscard(Client& c, MsgInfo& info) {
  TableState& t = c.table;
  if (!t.bInGame || !ValidMask(c, info.seat)) return;
  const TileCode tile = TileOf(info.value[3]);
  const int view = ViewPos(t.OwnMask(), info.seat);
  // A discard of a tile that is no tile is not used, nor one by another
  // seat that has not drawn (a seat discards from 3k + 2 tiles).
  if (!IsValidTile(tile)) return;
  if ((view != 0 || t.Spectator) && t.Detail[view].HandCount % 3 != 2) return;

  PlayEffect(c, kSoundDiscard);
  if ((info.value[0] & 0xFF) == 3) {
    t.ShovelFlag = t.ShovelAnnounce = true;
    info.value[0] = static_cast<std::int16_t>(info.value[0] & ~0xFF);
  }
  c.view.rivers.FromHand = (info.value[1] & 0xFF) == 1;
  t.LastDiscard = tile;
  t.LastDiscardView = static_cast<std::int16_t>(view);
  if (c.sound.bEffectsOn) {
    if (t.ShovelAnnounce) {
      t.ShovelAnnounce = false;
      PlaySeatVoice(c, view, voice::kShovel);
      if (view != 0) ShowSeatMarker(c, view, SeatMarker::Shovel);
    } else {
      PlaySeatVoice(c, view, TileVoiceCode(tile));
    }
  }
  if (t.Spectator) ShowSpectatorDiscard(c, view, tile);
  else if (view != 0) ShowOtherDiscard(c, view, tile);
  else TakeServerDiscard(c, tile, c.view.rivers.FromHand);
  StartDiscardBlink(c, t.LastDiscardImg);
  const int rank = TileRank(tile), suit = SuitIndex(TileSuit(tile));
  if (rank >= 1 && rank <= 9 && suit >= 0 && suit < 4) ++t.SeenCount[rank][suit];
  c.platform.ViewChanged();
}

void OnReveal(Client& c, MsgInfo& info) {
  TableState& t = c.table;
  ViewModel& v = c.view;
  if (!ValidMask(c, info.seat)) return;
  const int view = ViewPos(t.OwnMask(), info.seat);
  if (view == 0) return;
  SeatRec& seat = t.Detail[view];
  const int col = view - 1;
  int i = 0;
  while (i < 14 && t.RevealedTiles[i][col] != NoTile) ++i;
  for (int k = 1; k <= 3; ++k) {
    const TileCode code = TileOf(info.value[k]);
    if (seat.HandCount <= 0 || i >= 14 || seat.HandStart + i >= kSlotsPerSeat) break;
    if (!IsValidTile(code)) continue;
    t.RevealedTiles[i][col] = code;
    seat.Slots[seat.HandStart + i].Tile = code;
    --seat.HandCount;
    ++i;
  }
  if (t.Detail[1].HandCount != 0 || t.Detail[2].HandCount != 0 || t.Detail[3].HandCount != 0) return;

  // Every hand face up.
  InstallTileSizes(v, TileSizeSet::HandEndReveal);
  SeatRec& own = t.Detail[0];
  if (t.Spectator) {
    SortHand(c, 0, own.HandCount);
    for (int s = own.HandStart; s < own.HandStart + own.HandCount && s < kSlotsPerSeat; ++s) {
      const int image = own.Slots[s].Img;
      if (image < 0 || image >= kTilesInSet) continue;
      // The sort redraws only the tiles it moved; a face-down row turns over
      // whole.
      if (IsValidTile(own.Slots[s].Tile)) ShowTileFace(c, image, TileFaceIndex(kOwnHandFaceSet, own.Slots[s].Tile));
      v.MJ_Image[image].w = v.TileW[0];
      v.MJ_Image[image].h = v.TileH[0];
    }
  } else {
    for (int s = own.HandStart; s < own.HandStart + own.HandCount && s < kSlotsPerSeat; ++s)
      if (IsValidTile(own.Slots[s].Tile)) ShowTileFace(c, own.Slots[s].Img, TileFaceIndex(0, own.Slots[s].Tile));
  }
  for (int w = 1; w <= 3; ++w) {
    SeatRec& other = t.Detail[w];
    int n = 0;
    while (n < 14 && t.RevealedTiles[n][w - 1] != NoTile) ++n;
    if (w == t.WinnerView && n > 0) {
      const TileSlot& lastSlot = other.Slots[std::min(other.HandStart + n - 1, kSlotsPerSeat - 1)];
      ShowTileFace(c, lastSlot.Img, TileFaceIndex(w, lastSlot.Tile));
      SortHand(c, w, n - 1);
    } else {
      SortHand(c, w, n);
    }
    for (int s = other.HandStart; s < other.HandStart + n && s < kSlotsPerSeat; ++s) {
      const int image = other.Slots[s].Img;
      if (image < 0 || image >= kTilesInSet) continue;
      v.MJ_Image[image].w = v.TileW[w];
      v.MJ_Image[image].h = v.TileH[w];
    }
    // A win on a discard: the winning tile stands after the hand.
    if (w == t.WinnerView && n > 0 && n % 3 != 2 && t.LastDiscardImg >= 0 && t.LastDiscardImg < kTilesInSet) {
      const int lastImage = other.Slots[std::min(other.HandStart + n - 1, kSlotsPerSeat - 1)].Img;
      if (lastImage < 0 || lastImage >= kTilesInSet) continue;
      const Control& L = v.MJ_Image[lastImage];
      Control& won = v.MJ_Image[t.LastDiscardImg];
      ShowTileFace(c, t.LastDiscardImg, TileFaceIndex(w, t.LastDiscard));
      won.w = v.TileW[w];
      won.h = v.TileH[w];
      if (w == 1) {
        won.x = L.x - 5;
        won.y = L.y + v.TileH[1] - 13;
        BringToFront(v, won);
      } else if (w == 2) {
        won.x = static_cast<float>(other.HandX - v.TileW[2] * (other.HandStart + n) - 5);
        won.y = other.HandY;
      } else {
        won.x = L.x - 5;
        won.y = L.y - v.TileH[3] + 13;
        SendToBack(v, won);
      }
    }
  }
  ++v.revision;
  c.platform.ViewChanged();
}

}  // namespace vask
