#include "core/settle/autoplay.h"

#include "core/client.h"
#include "core/connection/frame.h"
#include "core/game/choices.h"
#include "core/game/operations.h"
#include "core/view/layout.h"
#include "core/view/rivers.h"

namespace vask {

void TimeOutPlay(Client& c) {
  TableState& t = c.table;
  ViewModel& v = c.view;
  if (t.Spectator) return;
  // The claim panel closes.
  IdleClaimButtons(c);
  HideClaimButtons(c, 0b11111);
  ClosePicks(c);
  SendPass(c);

  // A hand of 3k + 1 tiles waited on a claim: nothing more is due.
  SeatRec& own = t.Detail[0];
  if (!OwnDiscardDue(c)) return c.platform.ViewChanged();
  const int slot = own.HandStart + own.HandCount - 1;
  if (slot < 0 || slot >= kSlotsPerSeat) return;
  const TileCode tile = own.Slots[slot].Tile;
  const int image = own.Slots[slot].Img;
  if (!IsValidTile(tile) || image < 0 || image >= kTilesInSet) return;
  t.MustDiscard = false;
  InstallTileSize(v, TileSizeSet::WallAndDiscard, 0);
  MsgInfo discard;
  discard.cmd = static_cast<std::int16_t>(Cmd::Discard);
  discard.seat = t.OwnMask();
  discard.value = {0, 0, 0, static_cast<std::int16_t>((tile & 0x0FFF) | 0x4000)};
  SendMsg(c, discard);

  // The tile waits at the table centre for the next delivery; the other
  // hand tiles stay where they are.
  t.LastDiscardImg = static_cast<std::int16_t>(image);
  t.LastDiscardView = 0;
  v.rivers.DiscardSettled = false;
  ShowTileFace(c, image, TileFaceIndex(0, tile));
  Control& shown = v.MJ_Image[image];
  shown.w = v.TileW[0];
  shown.h = v.TileH[0];
  shown.x = (SurfaceWidth(c) - shown.w) / 2;
  shown.y = (SurfaceHeight(c) - shown.h) / 2;
  SendToBack(v, shown);
  own.HandCount -= 1;
  c.platform.ViewChanged();
}

}  // namespace vask
