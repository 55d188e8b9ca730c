#include "core/game/deal.h"

#include <algorithm>

#include "core/client.h"
#include "core/connection/frame.h"
#include "core/game/seats.h"
#include "core/handlers.h"
#include "core/view/badges.h"
#include "core/view/hands.h"
#include "core/view/layout.h"
#include "core/view/reset.h"
#include "core/view/rivers.h"

namespace vask {

namespace {

constexpr int kDealPauseMs = 1000;
constexpr int kWatcherDealPauseMs = 800;
// Told to the lobby once a hand's table is laid out.
constexpr std::uint32_t kHandLaidOutMsg = 0x467;

int Mod136(int p) { return ((p % kTilesInSet) + kTilesInSet) % kTilesInSet; }
std::int16_t Die(int value) { return static_cast<std::int16_t>(std::clamp(value, 1, 6)); }

// The view position holding the seat mask, or −1.
int ViewOfMask(const Client& c, std::uint8_t mask) {
  for (int v = 0; v < 4; ++v)
    if (c.table.Detail[v].Mask == mask && mask != 0) return v;
  return -1;
}

void EndAfterMessage(Client& c, const std::string& text) {
  c.platform.MessageBox("警告", text);
  if (!c.conn.LobbyTitle.empty() && c.platform.WindowExists(c.conn.LobbyTitle))
    c.platform.RestoreWindow(c.conn.LobbyTitle);
  c.conn.bQuitting = true;
  c.platform.Quit();
}

// Held prop frames of the last hand's end go out now.
void ReleaseHeldFrames(Client& c) {
  const bool armed[2] = {c.conn.bHoldFrame1, c.conn.bHoldFrame2};
  for (int k = 0; k < 2; ++k) {
    Frame& f = c.conn.HeldFrame[k];
    if (f[frame_offset::kCmd] == 0 || armed[k]) continue;
    f[frame_offset::kSeat] = c.table.OwnMask();
    SendRawMsg(c, f);
    f[frame_offset::kCmd] = 0;
  }
  c.conn.bHoldFrame1 = false;
}

// The wall image the next tile comes from, advancing the pointer; −1 when
// the wall has nothing left there.
int TakeFromFront(TableState& t) {
  const int p = Mod136(t.WallFront);
  if (t.WallTaken[p]) return -1;
  t.WallFront = static_cast<std::int16_t>((p + 1) % kTilesInSet);
  return p;
}

int TakeFromBack(TableState& t) {
  const int p = Mod136(t.WallBack);
  if (t.WallTaken[p]) return -1;
  StepWallBack(t);
  return p;
}

}  // namespace

void StepWallBack(TableState& t) {
  const int p = Mod136(t.WallBack);
  int next = p % 2 == 0 ? p + 1 : Mod136(p - 3);
  if (next == t.IndicatorPos) {
    next = Mod136(t.IndicatorPos + 1);
    t.IndicatorTaken = true;
  }
  t.WallBack = static_cast<std::int16_t>(next);
}

void ShowWildcardPanel(Client& c) {
  TableState& t = c.table;
  ViewModel& v = c.view;
  if (t.HunTiles[3] == NoTile) {
    Control* panel[3] = {&v.VaskP_Image, &v.Vask_Image[0], &v.Vask_Image[1]};
    for (int k = 0; k < 3; ++k) {
      if (t.HunTiles[k] == NoTile) continue;
      PutPicture(c, c.pics.TileFacePics[TileFaceIndex(kOwnHandFaceSet, t.HunTiles[k])], *panel[k]);
      panel[k]->visible = true;
    }
  } else {
    v.imgZeph.visible = true;
  }
}

bool AddTiles(Client& c, std::uint8_t seatMask, int n, const std::array<TileCode, 4>& codes) {
  TableState& t = c.table;
  if (n != 1 && n != 4) return false;
  if (!IsSeatMask(seatMask)) return false;
  const int v = ViewPos(t.OwnMask(), seatMask);
  SeatRec& seat = t.Detail[v];
  const int first = seat.HandStart + seat.HandCount;
  if (seat.HandStart < 0 || first + n > kSlotsPerSeat) return false;
  std::array<TileCode, 4> tiles{};
  for (int i = 0; i < n; ++i) tiles[i] = TileOf(n == 4 ? codes[i] : codes[3]);
  if (v == 0)
    for (int i = 0; i < n; ++i)
      if (!IsValidTile(tiles[i])) return false;
  // The wall must hold every tile of the delivery.
  const bool fromFront = n == 4 || t.DrawFromFront;
  {
    TableState probe = t;
    for (int i = 0; i < n; ++i)
      if ((fromFront ? TakeFromFront(probe) : TakeFromBack(probe)) < 0) return false;
  }

  // 1. The pending discard goes to its river first.
  if (!t.DiscardClaimed && t.LastDiscardImg != -1) SettleDiscard(c, v);
  t.DiscardClaimed = false;

  const bool inPlay = t.IncrementalRedraw >= 1;
  if (v == 0 && n == 1 && inPlay) RelayHand(c, 0);
  seat.HandCount = static_cast<std::int16_t>(seat.HandCount + n);
  for (int i = 0; i < n; ++i) {
    TileSlot& slot = seat.Slots[first + i];
    slot.Mark = SlotHand;
    if (v == 0) slot.Tile = tiles[i];
    const int image = fromFront ? TakeFromFront(t) : TakeFromBack(t);
    t.WallTaken[image] = true;
    slot.Img = static_cast<std::int16_t>(image);
    PlaceHandTile(c, v, first + i, image, tiles[i], n == 1 && inPlay);
  }

  // The dealt hand turned over and shown sorted; a watcher sees it only
  // while the watched player's hand is open.
  if (v == 0 && t.IncrementalRedraw == -1 && (seat.HandCount == 14 || (seat.HandCount == 13 && !seat.IsDealer)) &&
      OwnFacesShown(c)) {
    FlipOwnHand(c, t.Spectator ? kWatcherDealPauseMs : kDealPauseMs);
    SortHand(c, 0, seat.HandCount);
  }
  if (n == 1 && ++t.SingleDraws == 5) t.IncrementalRedraw = 1;
  t.DrawFromFront = true;
  c.platform.ViewChanged();
  return true;
}

void OnHandStart(Client& c, MsgInfo& info) {
  TableState& t = c.table;
  ViewModel& v = c.view;
  ReleaseHeldFrames(c);
  c.conn.bHoldCmd21 = false;
  if (t.Spectator) {
    ClearTable(c);
    ResetTable(c);
    ResetRound(c);
  }
  t.bInGame = true;
  for (Control& ok : v.OK) ok.visible = false;
  ++t.HandNo;
  // Whatever the plug-in still owed the last hand's end is not this hand's.
  DropPropHand(c);
  ResetTable(c);
  // The wall is whole again, so no seat may still hold its tiles (a server
  // that skipped the table reset would have them taken a second time).
  ClearSeatTiles(t);
  t.LastDiscardImg = -1;
  t.HandSeen = true;
  // The first departure of this hand registers the seats with the plug-in
  // again.
  c.life.bPropResetPending = true;
  // A new hand: the last one's leave dialog closes and the table is whole.
  CloseLeaveDialog(c);
  c.life.bTableBroken = false;
  c.recon.ReconAttempts = c.recon.ReconCountdown = 0;
  t.WinnerView = -1;

  const int view = ViewOfMask(c, info.seat);
  if (view < 0) return EndAfterMessage(c, "有玩家退出，游戏结束！");
  t.Detail[view].IsDealer = true;
  StartHandSettlement(c, view);
  for (int k = 0; k < 4; ++k) t.Dice[k] = Die(info.value[k]);
  RollDice(c, 2);

  const int d1 = t.Dice[0], d2 = t.Dice[1], d3 = t.Dice[2], d4 = t.Dice[3];
  const int side = Mod136(view + 13 - d1 - d2) % 4;
  t.WallFront = static_cast<std::int16_t>(2 * (17 * side + d1 + d2 + d3 + d4) % kTilesInSet);
  t.WallBack = static_cast<std::int16_t>((t.WallFront + kTilesInSet - 2) % kTilesInSet);
  t.DiceDouble = c.conn.Msg[frame_offset::kPayload] != 0;
  ShowDiceDouble(c);

  for (auto& row : t.SeenCount) row.fill(0);
  for (int k = 0; k < 5; ++k) {
    Control& op = v.Operation[k];
    op.visible = op.enabled = false;
    PutPicture(c, c.pics.OperationPics[3 * k], op);
  }

  ShowWall(c);
  for (auto& row : t.KongRecord) row.fill(0);
  t.KongDraws = 0;
  if (!c.conn.LobbyTitle.empty() && c.platform.WindowExists(c.conn.LobbyTitle))
    c.platform.PostToWindow(c.conn.LobbyTitle, kHandLaidOutMsg, 0, 0);
  c.platform.ViewChanged();
}

void OnWildcards(Client& c, MsgInfo& info) {
  TableState& t = c.table;
  ViewModel& v = c.view;
  if (!t.bInGame) return;  // needs the wall break of a hand start
  const auto raw = static_cast<std::uint16_t>(info.value[0]);
  t.Dice[0] = Die(raw >> 8);
  t.Dice[1] = Die(raw & 0xFF);
  const int pair = t.Dice[0] + t.Dice[1];
  t.IndicatorPos = static_cast<std::int16_t>(Mod136(t.WallBack - 2 * pair + 2));
  RollDice(c, 1);

  const TileCode w = TileOf(info.value[3]);
  auto usable = [](int code) { return IsValidTile(TileOf(code)) ? TileOf(code) : NoTile; };
  if (TileSuit(w) == SuitHonour && TileRank(w) <= 4 && TileRank(w) >= 1)
    t.HunTiles = {0x11, 0x12, 0x13, 0x14};
  else
    t.HunTiles = {usable(info.value[1]), usable(info.value[2]), usable(info.value[3]), NoTile};
  t.HunIndicator = IsValidTile(w) ? w : NoTile;
  for (int i = 0; i < 3; ++i)
    for (int j = i + 1; j < 4; ++j)
      if (t.HunTiles[j] < t.HunTiles[i] && t.HunTiles[j] >= 1) std::swap(t.HunTiles[i], t.HunTiles[j]);

  if (t.HunIndicator != NoTile)
    ShowTileFace(c, t.IndicatorPos, TileFaceIndex(t.IndicatorPos / kWallSideLength, t.HunIndicator));

  ShowWildcardPanel(c);
  t.KongShiftPos = static_cast<std::int16_t>(Mod136(t.IndicatorPos - 1));

  // Open the gap: the images from the back end down to the indicator move
  // two stacks along their wall.
  const int count = 2 * pair;
  const int start = t.WallBack + 1;
  const int backSide = t.WallBack / kWallSideLength;
  const int indicatorSide = t.IndicatorPos / kWallSideLength;
  if (backSide == indicatorSide) {
    ShiftWall(c, backSide, count, start);
  } else {
    const int firstPart = std::min(count, start % kWallSideLength + 1);
    ShiftWall(c, backSide, firstPart, start);
    ShiftWall(c, indicatorSide, count - firstPart, kWallSideLength * indicatorSide + kWallSideLength - 1);
  }
  ++v.revision;
  c.platform.ViewChanged();
}

void OnDeal(Client& c, MsgInfo& info) {
  TableState& t = c.table;
  if (!t.bInGame) return;
  if (t.Detail[0].HandCount == 0 && PluginActive(c)) PropHandStart(c);
  for (Control& b : c.view.operZ) b.visible = false;
  const int count = info.value[1];
  if (count != 4 && count != 8 && count != 12) return;
  std::array<TileCode, 12> codes{};
  for (int i = 0; i < 12; ++i) {
    const std::size_t at = frame_offset::kPayload + 2 * static_cast<std::size_t>(i);
    codes[i] = TileOf(c.conn.Msg[at] | c.conn.Msg[at + 1] << 8);
  }
  for (int i = 0; i < count; ++i)
    if (!IsValidTile(codes[i])) return;  // the own tiles must be real tiles

  t.DiscardClaimed = false;
  const int own = SeatIndex(t.OwnMask());
  for (int r = 0; r < count / 4; ++r) {
    const std::array<TileCode, 4> batch = {codes[4 * r], codes[4 * r + 1], codes[4 * r + 2], codes[4 * r + 3]};
    info.value = {static_cast<std::int16_t>(batch[0]), static_cast<std::int16_t>(batch[1]),
                  static_cast<std::int16_t>(batch[2]), static_cast<std::int16_t>(batch[3])};
    for (int k = 0; k < 4; ++k) {
      PlayEffect(c, kSoundTake);
      AddTiles(c, SeatMask((k + own) % 4), 4, batch);
    }
  }
  t.ShovelFlag = t.ShovelAnnounce = false;
}

}  // namespace vask
