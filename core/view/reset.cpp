#include "core/view/reset.h"

#include "core/client.h"
#include "core/game/seats.h"
#include "core/social/bubbles.h"
#include "core/view/delay.h"
#include "core/view/layout.h"
#include "core/view/rivers.h"

namespace vask {

void ClearTable(Client& c) {
  ViewModel& v = c.view;
  c.table.LastDiscardImg = -1;
  v.rivers.DiscardBlinks = -1;
  v.rivers.BlinkImg = v.rivers.BlinkPrevImg = -1;
  InstallTileSizes(v, TileSizeSet::WallAndDiscard);
  for (Control& tile : v.MJ_Image) tile.visible = false;
  for (Control& op : v.Operation) op.visible = op.enabled = false;
  for (std::string& name : c.conn.SeatName) name.clear();
  v.Vask_Image[0].visible = v.Vask_Image[1].visible = false;
  v.VaskP_Image.visible = v.imgZeph.visible = false;
  if (!c.table.Spectator) v.Zhuang.text.clear();
  ++v.revision;
  c.platform.ViewChanged();
}

void ResetTable(Client& c) {
  ViewModel& v = c.view;
  auto S = [&](float k) { return Scaled(v, k); };
  for (Control& tile : v.MJ_Image) tile.visible = false;
  for (Control* p : {&v.Time_Img, &v.Number, &v.ZhiNan, &v.Host, &v.Zhuang}) p->visible = false;
  for (Control& op : v.Operation) op.visible = false;
  for (int i = 0; i < 3; ++i) v.Speak[i].visible = false;
  v.Words.visible = false;
  v.Speak[0].x = S(8);
  v.Speak[0].y = S(310);
  v.Speak[1].x = v.Tou[2].x;
  v.Speak[1].y = v.Tou[2].y + v.Tou[2].h;
  v.Speak[2].x = S(936);
  v.Speak[2].y = S(280);
  for (Control& b : v.Chi) b.visible = false;
  for (Control& b : v.Gang) b.visible = false;
  v.Talk.visible = false;

  LayoutWalls(c);
  // The wall is whole again.
  c.table.WallTaken.fill(false);
  c.table.restore.Received = 0;
  c.table.restore.Restored.fill(false);
  c.table.SingleDraws = 0;
  c.table.IndicatorTaken = false;
  v.rivers.RightRiverCount = 0;
  v.rivers.DiscardSettled = false;
  ClearSlotTiles(c.table);

  v.huifu.visible = false;
  CloseBubbles(c);
  v.lblDifen.text = "1";
  for (Control* p : {&v.lblDifen, &v.imgsezi[0], &v.imgsezi[1], &v.imgBeishu, &v.LbProp}) p->visible = false;
  for (Control& l : v.lbfont) l.visible = false;
  if (c.table.WealthDouble == 0) {
    v.lbwealth.text = "1";
    v.lbwealth.visible = v.Imgwealth.visible = false;
  }
  v.Bank.visible = true;
  BringToFront(v, v.Bank);
  ClearPropHand(c);
  ++v.revision;
  c.platform.ViewChanged();
}

void ResetSeats(Client& c) {
  ResetSeatRecords(c.table);
  for (std::string& name : c.conn.SeatName) name.clear();
}

void ResetRound(Client& c) {
  ResetSeats(c);
  c.table.HandSeen = false;
}

void DrawSeatTiles(Client& c) {
  ViewModel& v = c.view;
  const int ownSeat = SeatIndex(c.table.OwnMask()) & 3;
  PlayEffect(c, kSoundTake);
  const float W = SurfaceWidth(c), H = SurfaceHeight(c);
  const float w = v.TileW[0], h = v.TileH[0];
  for (int k = 0; k < 4; ++k) {
    Control& tile = v.MJ_Image[k];
    tile.w = w;
    tile.h = h;
    tile.x = W / 2 - 2 * w + k * w;
    tile.y = static_cast<float>(static_cast<int>(H / 2 - h));
    ShowTileFace(c, k, StandingBackFace(0));
  }
  // The pauses let the window draw the tiles; frames wait, since the
  // heart beat is off while a handler runs.
  c.platform.ViewChanged();
  Delay(c, 500);
  const int r = static_cast<int>(c.platform.Random() % 4);
  ShowTileFace(c, r, 36 * kOwnHandFaceSet + 3 - ownSeat);
  c.platform.ViewChanged();
  Delay(c, 500);
  for (int k = 0; k < 4; ++k) v.MJ_Image[k].visible = false;
  ++v.revision;
  c.platform.ViewChanged();
}

void ShowCompass(Client& c) {
  SeatRec& own = c.table.Detail[0];
  if (own.Mask == 0) own.Mask = 1;
  const int seat = SeatIndex(own.Mask);
  if (seat >= 0 && seat < static_cast<int>(c.pics.CompassPics.size())) PutPicture(c, c.pics.CompassPics[seat], c.view.ZhiNan);
  c.view.ZhiNan.visible = true;
  ++c.view.revision;
}

}  // namespace vask
