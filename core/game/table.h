#pragma once
// The client's model of the hand being played: four seat records by view
// position, the wall pointers, the wildcards and the per-hand values.
#include <array>
#include <cstdint>
#include <string>

#include "core/game/tiles.h"

namespace vask {

enum SlotMark : std::int16_t {
  SlotEmpty = 0,
  SlotHand = 1,
  SlotChi = 2,
  SlotPeng = 3,
  SlotMingGang = 4,
  SlotAnGang = 5,
  SlotBuGang = 6,
};

inline constexpr int kSlotsPerSeat = 18;
inline constexpr int kHandStartReset = 4;
inline constexpr int kOwnMeldTopReset = 3;
inline constexpr int kOtherMeldTopReset = 4;

struct TileSlot {
  std::int16_t Mark = SlotEmpty;
  TileCode Tile = NoTile;
  std::int16_t Img = -1;  // tile image number, −1 for none
};

struct SeatRec {
  std::string username;
  std::int32_t SeatTotal = 0;
  std::uint8_t Mask = 0;
  bool IsDealer = false;
  std::int16_t DiscardX = 0, DiscardY = 0;
  std::int16_t DiscardRowX = 0, DiscardRowY = 0;
  std::int16_t HandX = 0, HandY = 0;
  std::array<TileSlot, kSlotsPerSeat> Slots{};
  std::int16_t MeldTop = kOtherMeldTopReset;
  std::int16_t HandStart = kHandStartReset;
  std::int16_t HandCount = 0;
  std::int16_t HunCount = 0;
  std::int16_t RedAside = 0;
  std::int16_t SpecialAside = 0;
};

// A table restore in progress (command 40, one message per seat).
struct RestoreState {
  std::array<std::int16_t, 4> RiverCount{};  // by view position
  std::int16_t FrontUsed = 0;     // the largest front count of the messages
  std::int16_t BackUsed = 135;    // the smallest back value of the messages
  std::int16_t WallOffset = 0;    // wall images the restore has taken
  std::int16_t WallBackAtStart = 0;
  std::int16_t Received = 0;      // messages since the table reset
  // The seats (by view position) whose message has been laid since the
  // table reset: a seat is restored once.
  std::array<bool, 4> Restored{};
};

struct TableState {
  std::array<SeatRec, 4> Detail{};

  // Wall.
  std::int16_t WallFront = 0;
  std::int16_t WallBack = 0;
  std::int16_t IndicatorPos = 0;
  std::int16_t KongShiftPos = 0;
  std::int16_t KongDraws = 0;
  bool IndicatorTaken = false;
  bool DrawFromFront = true;

  // Hand-wide values.
  std::array<std::int16_t, 4> Dice{};
  HunList HunTiles{};
  TileCode HunIndicator = NoTile;
  TileCode LastDiscard = NoTile;
  std::int16_t LastDiscardImg = -1;
  std::int16_t LastDiscardView = 0;
  bool DiscardClaimed = false;
  std::array<std::array<std::int16_t, 4>, 10> SeenCount{};  // [rank 1..9][suit index]
  std::array<std::array<std::int16_t, 4>, 27> KongRecord{};  // [row][view]
  std::array<std::array<std::int16_t, 4>, 8> AsideImg{};     // [row][view]
  std::array<std::array<TileCode, 3>, 18> RevealedTiles{};   // [slot][view − 1]
  bool ActionSent = false;
  std::int16_t IncrementalRedraw = -1;
  std::int16_t SingleDraws = 0;
  std::int16_t WinnerView = -1;
  bool bInGame = false;
  bool Spectator = false;

  // Hand start and turns.
  std::int16_t HandNo = 0;        // hands started at this table
  bool HandSeen = false;          // a hand has been started since the last round reset
  bool DiceDouble = false;        // the hand's dice doubling (command 4)
  std::int16_t Countdown = 0;     // seconds left on the turn clock
  std::int16_t TurnLimit = 15;    // the table's default countdown (login answer)
  std::int16_t TimeOutLimit = 0;  // time-outs before the window hides; 0 = never
  bool OwnTurn = false;
  std::int16_t PanelState = 0;    // 0 may act, 1 passed, 2 acted, 3 timed out
  std::array<std::int16_t, 5> OpOffer{};  // per claim button: 2 offered, 0 not
  std::int16_t KongOffer = 0;     // the offer word when a kong was offered
  // Chow and kong candidates of the own hand: slot pairs (0,1), (2,3), (4,5)
  // and one slot per kong with its operation type.
  std::array<std::int16_t, 6> ChiSlots{};
  std::int16_t ChiCandidates = 0;
  std::array<std::int16_t, 10> KongSlots{};
  std::array<std::int16_t, 10> KongKinds{};
  std::int16_t KongCandidates = 0;
  std::array<std::uint8_t, 4> WinCode{};  // the win's four code bytes (command 7)
  std::int16_t WordBubble = -1;   // the Speak bubble shown with the claim word, −1 none
  bool MustDiscard = false;
  std::int16_t TimeOuts = 0;      // consecutive time-outs of the own turn
  bool bBossHidden = false;       // the window is hidden with the boss key
  std::int16_t WealthDouble = 0;  // the wealth multiple, 0 = none
  bool ShovelFlag = false;        // the last discard pays the shovel
  bool ShovelAnnounce = false;    // the shovel voice is still to play
  // Wall images taken into hands or rivers since the walls were laid out:
  // a draw never takes an image twice.
  std::array<bool, kTilesInSet> WallTaken{};
  RestoreState restore;

  std::uint8_t OwnMask() const { return Detail[0].Mask; }
  // Incremental redraw is on for any positive value.
  bool IncrementalOn() const { return IncrementalRedraw > 0; }
};

// The seat-record part of the table resets: slots emptied, hand pointers
// back to their start, per-hand counters and flags cleared. Names and masks
// are kept.
void ResetSeatRecords(TableState& t);
// The seat records hold no tiles: slots empty, hand and meld pointers and
// the laid-aside counts back to their start.
void ClearSeatTiles(TableState& t);
// Every slot's tile becomes NoTile (part of the full view reset).
void ClearSlotTiles(TableState& t);

// The first own-hand slot showing this image, or −1.
int HandSlotOfImage(const TableState& t, int image);
bool IsOwnHandImage(const TableState& t, int image);

// Sorts the first n hand tiles of view v: dots, characters, bamboo, honours,
// each by rank, then the wildcards at the left in HunTiles order. Only the
// codes move; each slot keeps its image. Recomputes HunCount. Returns a
// mask of the slots whose code changed (bit i for slot i).
std::uint32_t SortHandCodes(TableState& t, int view, int n);

}  // namespace vask
