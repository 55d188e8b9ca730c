// Claim, kong and win results (command 7): the server decided; the table
// state, the melds on screen, the claim word and the voice follow.
#include "core/game/claims.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "core/client.h"
#include "core/connection/lobby_link.h"
#include "core/game/choices.h"
#include "core/game/operations.h"
#include "core/game/seats.h"
#include "core/handlers.h"
#include "core/view/hands.h"
#include "core/view/layout.h"
#include "core/view/rivers.h"

namespace vask {

namespace {

constexpr const char* kClaimDrawingFailedText = "操作错误，请退出后重新游戏！";

bool ValidImage(int image) { return image >= 0 && image < kTilesInSet; }

// The WordPics entry announcing a result type, −1 for none.
int WordEntry(int type) {
  switch (type) {
    case OpChi: return 0;
    case OpPeng: return 1;
    case OpMingGang: return 2;
    case OpAnGang: return 3;
    case OpBuGang: return 6;
    case OpHu: return 7;
    default: return -1;
  }
}

// Win codes the voice files name differently.
constexpr std::pair<const char*, const char*> kWinCodeVoices[] = {
    {"00020000", "00010000"}, {"00020100", "00010100"}, {"00120000", "00110000"}, {"00021000", "00011000"},
    {"00021100", "00011100"}, {"00121000", "00111000"}, {"00120100", "00110100"},
};

std::string WinVoiceCode(const std::array<std::uint8_t, 4>& code) {
  char text[9];
  std::snprintf(text, sizeof text, "%02X%02X%02X%02X", code[0], code[1], code[2], code[3]);
  std::string out = text;
  for (const auto& [received, used] : kWinCodeVoices)
    if (out == received) return used;
  return out;
}

void CountSeen(TableState& t, TileCode tile, int n) {
  const int rank = TileRank(tile), suit = SuitIndex(TileSuit(tile));
  if (rank >= 1 && rank <= 9 && suit >= 0 && suit < 4) t.SeenCount[rank][suit] += n;
}

// A meld being made: its three slots (the claimed tile last for chows and
// pungs) and the tiles left in the hand, in their new order.
struct MeldPlan {
  std::array<TileSlot, 3> meld{};
  std::vector<TileSlot> rest;
  TileSlot top{};  // the fourth tile of a kong
  bool kong = false;
};

std::vector<TileSlot> HandOf(const SeatRec& s) {
  return {s.Slots.begin() + s.HandStart, s.Slots.begin() + s.HandStart + s.HandCount};
}

// The own hand without the slots at these hand positions, in order.
std::vector<TileSlot> Without(const std::vector<TileSlot>& hand, const std::vector<int>& used) {
  std::vector<TileSlot> rest;
  for (int i = 0; i < static_cast<int>(hand.size()); ++i)
    if (std::find(used.begin(), used.end(), i) == used.end()) rest.push_back(hand[i]);
  return rest;
}

// Hand positions of the wanted tiles, each used once, preferred positions
// tried first; false when the hand lacks one.
bool FindTiles(const std::vector<TileSlot>& hand, const std::vector<TileCode>& wanted,
               const std::vector<int>& preferred, std::vector<int>& out) {
  out.clear();
  for (TileCode tile : wanted) {
    int found = -1;
    for (int p : preferred)
      if (p >= 0 && p < static_cast<int>(hand.size()) && hand[p].Tile == tile &&
          std::find(out.begin(), out.end(), p) == out.end()) {
        found = p;
        break;
      }
    for (int i = 0; found < 0 && i < static_cast<int>(hand.size()); ++i)
      if (hand[i].Tile == tile && std::find(out.begin(), out.end(), i) == out.end()) found = i;
    if (found < 0) return false;
    out.push_back(found);
  }
  return true;
}

// The pung of another seat or the own seat holding this tile: its first
// slot, or −1.
int PungOf(const SeatRec& s, int view, TileCode tile) {
  const int reset = view == 0 ? kOwnMeldTopReset : kOtherMeldTopReset;
  for (int top = reset; top < s.MeldTop; top += 3) {
    const int first = top - 2;
    if (s.Slots[first].Mark == SlotPeng && s.Slots[first].Tile == tile) return first;
  }
  return -1;
}

bool IsRun(std::array<TileCode, 3> tiles) {
  std::sort(tiles.begin(), tiles.end());
  const int suit = TileSuit(tiles[0]);
  if (suit == SuitHonour || TileSuit(tiles[1]) != suit || TileSuit(tiles[2]) != suit) return false;
  return TileRank(tiles[1]) == TileRank(tiles[0]) + 1 && TileRank(tiles[2]) == TileRank(tiles[1]) + 1;
}

// The discard a claim takes: shown at the table centre, by another seat.
// A watcher has already laid it in its river.
bool DiscardToClaim(const Client& c, int view) {
  const TableState& t = c.table;
  return ValidImage(t.LastDiscardImg) && t.LastDiscardView != view && !t.DiscardClaimed &&
         (t.Spectator || !c.view.rivers.DiscardSettled) && IsValidTile(t.LastDiscard);
}

// Plans a chow, pung or exposed/concealed kong; false when the seat cannot
// form it.
bool PlanMeld(const Client& c, int view, int type, const std::array<TileCode, 3>& tiles, MeldPlan& plan) {
  const TableState& t = c.table;
  const SeatRec& s = t.Detail[view];
  const std::vector<TileSlot> hand = HandOf(s);
  const TileSlot claimed{SlotHand, t.LastDiscard, t.LastDiscardImg};
  const TileCode kongTile = tiles[1];
  switch (type) {
    case OpChi:
      if (!IsRun(tiles) || !DiscardToClaim(c, view)) return false;
      if (std::find(tiles.begin(), tiles.end(), t.LastDiscard) == tiles.end()) return false;
      break;
    case OpPeng:
    case OpMingGang:
      if (tiles[0] != tiles[1] || tiles[1] != tiles[2] || tiles[0] != t.LastDiscard) return false;
      if (!DiscardToClaim(c, view)) return false;
      break;
    default:  // concealed kong: the kong tile three times
      if (!IsValidTile(kongTile) || (tiles[0] != kongTile && tiles[0] != NoTile)) return false;
      break;
  }
  const int fromHand = type == OpChi || type == OpPeng ? 2 : type == OpMingGang ? 3 : 4;
  if (s.HandCount < fromHand) return false;

  if (view == 0) {
    std::vector<TileCode> wanted;
    std::vector<int> preferred;
    if (type == OpChi) {
      bool skipped = false;  // one copy of the discard comes from the centre
      for (TileCode tile : tiles) {
        if (tile == t.LastDiscard && !skipped) {
          skipped = true;
          continue;
        }
        wanted.push_back(tile);
      }
      preferred = {t.ChiSlots[0] - s.HandStart, t.ChiSlots[1] - s.HandStart};
    } else {
      wanted.assign(static_cast<std::size_t>(fromHand), type == OpAnGang ? kongTile : t.LastDiscard);
    }
    std::vector<int> used;
    if (!FindTiles(hand, wanted, preferred, used)) return false;
    plan.meld = {hand[used[0]], hand[used[1]], fromHand == 2 ? claimed : hand[used[2]]};
    if (type == OpMingGang) plan.top = claimed;
    if (type == OpAnGang) plan.top = hand[used[3]];
    plan.rest = Without(hand, used);
  } else if (type == OpChi || type == OpPeng) {
    plan.meld = {hand[0], hand[1], claimed};
    // The third hand tile goes to the end of the row.
    plan.rest.assign(hand.begin() + 3, hand.end());
    if (hand.size() > 2) plan.rest.push_back(hand[2]);
    for (int k = 0; k < 3; ++k) plan.meld[k].Tile = tiles[k];
  } else {
    plan.meld = {hand[2], hand[1], hand[0]};
    for (TileSlot& slot : plan.meld) slot.Tile = kongTile;
    if (type == OpMingGang) {
      plan.top = claimed;
      plan.rest.assign(hand.begin() + 3, hand.end());
    } else {
      // The fourth tile of a concealed kong leaves the hand as well.
      plan.top = hand.back();
      plan.top.Tile = kongTile;
      plan.rest.assign(hand.begin() + 3, hand.end() - 1);
    }
  }
  plan.kong = type == OpMingGang || type == OpAnGang;
  // The record must hold the meld and the hand above it.
  return s.MeldTop >= 2 && s.MeldTop < kSlotsPerSeat &&
         s.HandStart + 3 + static_cast<int>(plan.rest.size()) <= kSlotsPerSeat;
}

std::int16_t MarkOf(int type) {
  switch (type) {
    case OpChi: return SlotChi;
    case OpPeng: return SlotPeng;
    case OpMingGang: return SlotMingGang;
    default: return SlotAnGang;
  }
}

// Writes the planned meld into the record and lays it on the table.
void CommitMeld(Client& c, int view, int type, const MeldPlan& plan) {
  TableState& t = c.table;
  SeatRec& s = t.Detail[view];
  const int m = s.MeldTop;
  const int oldEnd = s.HandStart + s.HandCount;
  for (int k = 0; k < 3; ++k) {
    s.Slots[m - 2 + k] = plan.meld[k];
    s.Slots[m - 2 + k].Mark = MarkOf(type);
  }
  s.HandStart = static_cast<std::int16_t>(s.HandStart + 3);
  s.HandCount = static_cast<std::int16_t>(plan.rest.size());
  for (int j = m + 1; j < std::max<int>(oldEnd, s.HandStart + s.HandCount) && j < kSlotsPerSeat; ++j)
    s.Slots[j] = TileSlot{};
  for (int i = 0; i < s.HandCount; ++i) {
    s.Slots[s.HandStart + i] = plan.rest[i];
    s.Slots[s.HandStart + i].Mark = SlotHand;
  }
  const std::array<TileCode, 3> codes = {plan.meld[0].Tile, plan.meld[1].Tile, plan.meld[2].Tile};
  PlaceMeld(c, view, m - 2, codes, MarkOf(type));
  if (plan.kong && ValidImage(plan.top.Img)) {
    PlaceKongTop(c, view, m - 1, plan.top.Img, plan.top.Tile, type == OpAnGang && view != 0);
    InstallTileSize(c.view, TileSizeSet::ConcealedAfterClaim, view);
  }
  s.MeldTop = static_cast<std::int16_t>(m + 3);
}

// The discard a claim took no longer waits at the centre: it blinks no more
// and no delivery lays it in a river.
void DiscardTaken(Client& c) {
  RiverState& r = c.view.rivers;
  if (ValidImage(r.BlinkImg)) c.view.MJ_Image[r.BlinkImg].visible = true;
  r.BlinkImg = -1;
  r.DiscardBlinks = -1;
  c.table.LastDiscardImg = -1;
}

bool AddedKong(Client& c, int view, TileCode tile) {
  TableState& t = c.table;
  SeatRec& s = t.Detail[view];
  const int pung = PungOf(s, view, tile);
  if (pung < 0 || s.HandCount < 1) return false;
  int slot = s.HandStart + s.HandCount - 1;  // another seat adds the tile just drawn
  if (view == 0) {
    slot = -1;
    for (int i = s.HandStart; i < s.HandStart + s.HandCount && slot < 0; ++i)
      if (s.Slots[i].Tile == tile) slot = i;
    if (slot < 0) return false;
  }
  if (tile == kRedDragon && s.RedAside == 0 && s.MeldTop >= 2) s.Slots[0] = s.Slots[s.MeldTop - 2];
  const int image = s.Slots[slot].Img;
  for (int j = slot; j + 1 < s.HandStart + s.HandCount; ++j) s.Slots[j] = s.Slots[j + 1];
  s.Slots[s.HandStart + s.HandCount - 1] = TileSlot{};
  s.HandCount -= 1;
  if (ValidImage(image)) PlaceKongTop(c, view, pung + 1, image, tile, false);
  InstallTileSize(c.view, TileSizeSet::ConcealedAfterClaim, view);
  RelayHand(c, view);
  return true;
}

void RecordKong(Client& c, int view, int type, TileCode tile) {
  TableState& t = c.table;
  const int base = type == OpMingGang ? 0 : type == OpBuGang ? 9 : 18;
  std::int16_t& count = t.KongRecord[base][view];
  if (count < 4) {
    ++count;
    t.KongRecord[base + 2 * count - 1][view] = static_cast<std::int16_t>(TileRank(tile));
    t.KongRecord[base + 2 * count][view] = static_cast<std::int16_t>(TileSuit(tile));
  }
  CountKong(c);
  t.DrawFromFront = false;
  t.DiscardClaimed = true;
}

void ShowClaimWord(Client& c, int view, int entry) {
  ViewModel& v = c.view;
  TableState& t = c.table;
  for (int w = 1; w <= 3; ++w)
    if (w != view) v.Speak[w - 1].visible = false;
  t.WordBubble = -1;
  // The chow word has no picture: nothing to show rather than an old word.
  if (entry < 0 || !PutPicture(c, c.pics.WordPics[entry], v.Words)) return;
  const PictureSize size = PictureSizeOf(v.Words.picture);
  v.Words.w = Scaled(v, static_cast<float>(size.w));
  v.Words.h = Scaled(v, static_cast<float>(size.h));
  if (view >= 1 && view <= 3) {
    Control& bubble = v.Speak[view - 1];
    const Point place[4] = {{}, {Scaled(v, 8), Scaled(v, 310)}, {v.Tou[2].x, v.Tou[2].y + v.Tou[2].h},
                            {Scaled(v, 936), Scaled(v, 280)}};
    bubble.x = place[view].x;
    bubble.y = place[view].y;
    v.Words.x = bubble.x + 0.17f * bubble.w;
    v.Words.y = bubble.y + 0.24f * bubble.h;
    bubble.visible = true;
    BringToFront(v, bubble);
    t.WordBubble = static_cast<std::int16_t>(view - 1);
  } else {
    // The own claim: above the claim buttons.
    const Control& kong = v.Operation[kKongButton];
    v.Words.x = kong.x + (kong.w - v.Words.w) / 2;
    v.Words.y = kong.y - v.Words.h - Scaled(v, 8);
  }
  v.Words.visible = true;
  BringToFront(v, v.Words);
  c.conn.bWordShown = true;
  c.conn.HideTick = 0;
}

// The tile laid down, then the claim named by the acting player's voice
// (which takes the one sound buffer over at once).
void PlayResultVoice(Client& c, int view, int type, TileCode kongTile) {
  PlayEffect(c, kSoundDiscard);
  switch (type) {
    case OpChi: return PlaySeatVoice(c, view, voice::kChow);
    case OpPeng: return PlaySeatVoice(c, view, voice::kPung);
    case OpAnGang:
      return PlaySeatVoice(c, view, IsHun(c.table.HunTiles, kongTile) ? voice::kWildcardKong : voice::kKong);
    case OpHu: {
      const std::string code = WinVoiceCode(c.table.WinCode);
      return PlaySeatVoice(c, view, SeatVoiceExists(c, view, code) ? code : voice::kWin);
    }
    default: return PlaySeatVoice(c, view, voice::kKong);
  }
}

// The own seat won on a discard: the winning tile stands after the hand.
void ShowOwnWinningDiscard(Client& c) {
  TableState& t = c.table;
  ViewModel& v = c.view;
  const SeatRec& own = t.Detail[0];
  if (!ValidImage(t.LastDiscardImg) || !IsValidTile(t.LastDiscard) || own.HandCount < 1) return;
  InstallTileSize(v, TileSizeSet::ConcealedHand, 0);
  const int lastImage = own.Slots[own.HandStart + own.HandCount - 1].Img;
  Control& won = v.MJ_Image[t.LastDiscardImg];
  ShowTileFace(c, t.LastDiscardImg, TileFaceIndex(0, t.LastDiscard));
  won.w = v.TileW[0];
  won.h = v.TileH[0];
  won.x = (ValidImage(lastImage) ? v.MJ_Image[lastImage].x : SlotPosition(c, 0, own.HandStart + own.HandCount - 1).x) +
          v.TileW[0];
  won.y = own.HandY;
  BringToFront(v, won);
}

void BringAsideToFront(Client& c, int view) {
  const SeatRec& s = c.table.Detail[view];
  for (int row = 0; row < s.RedAside && row < 4; ++row)
    if (ValidImage(c.table.AsideImg[row][view])) BringToFront(c.view, c.view.MJ_Image[c.table.AsideImg[row][view]]);
  for (int row = 0; row < s.SpecialAside && row < 4; ++row)
    if (ValidImage(c.table.AsideImg[4 + row][view]))
      BringToFront(c.view, c.view.MJ_Image[c.table.AsideImg[4 + row][view]]);
}

// A watcher's table that cannot follow a claim is no longer the watched
// player's: it says so and gives the screen back.
void ClaimDrawingFailed(Client& c) {
  c.platform.MessageBox(c.view.Caption, kClaimDrawingFailedText);
  RestoreLobby(c);
  QuitClient(c);
}
}  // namespace

void CountKong(Client& c) {
  TableState& t = c.table;
  if (t.KongDraws++ % 2 == 1) {
    ShiftWall(c, t.KongShiftPos / kWallSideLength, 2, t.KongShiftPos);
    t.KongShiftPos = static_cast<std::int16_t>((t.KongShiftPos + 134) % kTilesInSet);
  }
}

// A watcher runs the same steps as a player with three differences: the
// discard a claim takes already lies in its river and comes back out of it,
// the counts of seen tiles and the win code are the players' business, and
// a result its table cannot draw ends the watch.
void OnClaim(Client& c, MsgInfo& info) {
  TableState& t = c.table;
  if (!t.bInGame || !IsSeatMask(info.seat) || t.OwnMask() == 0) return;
  const int type = info.value[0];
  const int view = ViewPos(t.OwnMask(), info.seat);
  const std::array<TileCode, 3> tiles = {TileOf(info.value[1]), TileOf(info.value[2]), TileOf(info.value[3])};
  const bool watcher = t.Spectator;

  // Nothing changes for a result the seat cannot have made.
  MeldPlan plan;
  bool drawable = true;
  switch (type) {
    case OpChi:
    case OpPeng:
    case OpMingGang:
    case OpAnGang:
      drawable = PlanMeld(c, view, type, tiles, plan);
      break;
    case OpBuGang:
      drawable = PungOf(t.Detail[view], view, tiles[2]) >= 0 && t.Detail[view].HandCount >= 1;
      break;
    case OpHu: break;
    default: return;
  }
  if (!drawable) {
    if (watcher) ClaimDrawingFailed(c);
    return;
  }

  if (!watcher) {
    ClosePicks(c);
    if (type == OpChi || type == OpPeng) {
      CountSeen(t, tiles[0], 1);
      CountSeen(t, tiles[1], 1);
    } else if (type == OpMingGang) {
      CountSeen(t, tiles[2], 3);
    } else if (type == OpBuGang) {
      CountSeen(t, tiles[2], 1);
    } else if (type == OpHu) {
      for (int k = 0; k < 4; ++k) t.WinCode[k] = c.conn.Msg[frame_offset::kPayload + k];
    }
  }
  if (type == OpMingGang || type == OpAnGang) RecordKong(c, view, type, tiles[1]);
  if (type == OpBuGang) RecordKong(c, view, type, tiles[2]);
  ShowClaimWord(c, view, WordEntry(type));
  PlayResultVoice(c, view, type, tiles[1]);

  const bool tookDiscard = type == OpChi || type == OpPeng || type == OpMingGang;
  if (watcher && tookDiscard) TakeDiscardBack(c);
  if (type == OpBuGang) {
    AddedKong(c, view, tiles[2]);
  } else if (type == OpHu) {
    if (t.WinnerView == -1) {
      t.WinnerView = static_cast<std::int16_t>(view);
      MarkWinnerName(c, view);
    }
    // Won on a discard: the winning tile stands after the own row (out of
    // its river, at a watcher).
    if (view == 0 && !OwnDiscardDue(c)) {
      if (watcher && ValidImage(t.LastDiscardImg)) TakeDiscardBack(c);
      ShowOwnWinningDiscard(c);
    }
  } else {
    CommitMeld(c, view, type, plan);
    if (tookDiscard) DiscardTaken(c);
  }
  if (watcher) c.view.rivers.DiscardSettled = true;
  BringAsideToFront(c, view);
  ++c.view.revision;
  c.platform.ViewChanged();
}

void HideWordDuty(Client& c) {
  ViewModel& v = c.view;
  v.Words.visible = false;
  if (c.table.WordBubble >= 0 && c.table.WordBubble < 3) v.Speak[c.table.WordBubble].visible = false;
  c.table.WordBubble = -1;
  c.conn.bWordShown = false;
  ++v.revision;
  c.platform.ViewChanged();
}

}  // namespace vask
