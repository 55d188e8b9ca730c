// Whatever the order, repetition or content of restore, claim, kong, draw
// and discard messages, the table state stays whole: no seat record holds
// more than its slots, and no tile image is in two places. Random sequences
// from fixed seeds, the table checked after every frame (run under
// AddressSanitizer and UBSan in CI).
#include <gtest/gtest.h>

#include <map>
#include <random>
#include <sstream>

#include "core/client.h"
#include "core/game/operations.h"
#include "support/play_frames.h"

namespace vask {
namespace {

using test::ClaimFrame;
using test::DiscardFrame;
using test::DrawFrame;
using test::kLeft;
using test::kOwn;
using test::kRight;
using test::kTop;
using test::RestoreFrame;
using test::RestoreSeat;

// What no message may break, as a list of faults (empty when whole).
std::vector<std::string> TableFaults(const Client& c) {
  const TableState& t = c.table;
  std::vector<std::string> faults;
  std::map<int, std::string> placeOf;
  auto place = [&](int image, const std::string& where) {
    if (image == -1) return;
    if (image < 0 || image >= kTilesInSet) return faults.push_back(where + " holds image " + std::to_string(image));
    if (!t.WallTaken[image]) faults.push_back(where + " holds image " + std::to_string(image) + ", still in the wall");
    auto [it, fresh] = placeOf.emplace(image, where);
    if (!fresh) faults.push_back("image " + std::to_string(image) + " in " + it->second + " and " + where);
  };
  for (int v = 0; v < 4; ++v) {
    const SeatRec& s = t.Detail[v];
    const std::string seat = "view " + std::to_string(v);
    const int meldReset = v == 0 ? kOwnMeldTopReset : kOtherMeldTopReset;
    if (s.HandCount < 0 || s.HandStart < kHandStartReset || s.HandStart + s.HandCount > kSlotsPerSeat ||
        s.MeldTop < meldReset || s.MeldTop > kSlotsPerSeat || s.MeldTop - 2 > s.HandStart) {
      std::ostringstream o;
      o << seat << ": HandStart " << s.HandStart << " HandCount " << s.HandCount << " MeldTop " << s.MeldTop;
      faults.push_back(o.str());
      continue;
    }
    // Melds: three slots each from two below the reset top; then the hand.
    for (int i = meldReset - 2; i < s.MeldTop - 2; ++i) place(s.Slots[i].Img, seat + " meld slot " + std::to_string(i));
    for (int i = s.HandStart; i < s.HandStart + s.HandCount; ++i) {
      place(s.Slots[i].Img, seat + " hand slot " + std::to_string(i));
      if (s.Slots[i].Img < 0) faults.push_back(seat + " hand slot " + std::to_string(i) + " has no image");
    }
    if (s.RedAside < 0 || s.RedAside > 4 || s.SpecialAside < 0 || s.SpecialAside > 4) {
      faults.push_back(seat + ": aside counts out of their rows");
      continue;
    }
    for (int row = 0; row < s.RedAside; ++row) place(t.AsideImg[row][v], seat + " red aside " + std::to_string(row));
    for (int row = 0; row < s.SpecialAside; ++row)
      place(t.AsideImg[4 + row][v], seat + " special aside " + std::to_string(row));
  }
  place(t.LastDiscardImg, "the discard at the centre");
  return faults;
}

class TableInvariants : public test::PlayTest {
 protected:
  // A table reset and a hand start: own dealer, the wall breaks at 110.
  void NewHand() {
    Play({test::ServerFrame(41, kOwn, {7, 7, 1, 0x46}), test::HandStartFrame(kOwn, {1, 1, 1, 1}),
          test::WildcardsFrame(3, 3, {0x23, 0x45, 0x46})});
  }
  void PlayChecked(const Frame& f, const std::string& what) {
    Play({f});
    const std::vector<std::string> faults = TableFaults(client);
    ASSERT_TRUE(faults.empty()) << what << ": " << faults.front();
  }
};

// The repeated restore of a seat is ignored: the first message stands.
TEST_F(TableInvariants, FourCopiesOfTheOwnRestoreLayItOnce) {
  NewHand();
  RestoreSeat own;
  own.shown = {0x47, 0x47, 0x47, 0x81, 0x81, 0x81, 0x42, 0x43, 0x44};
  own.concealed = {0x12, 0x29, 0x11, 0x41, 0x41};
  const Frame f = RestoreFrame(kOwn, own, 60, 135);
  PlayChecked(f, "first copy");
  const SeatRec once = Seat(0);
  for (int copy = 2; copy <= 4; ++copy) PlayChecked(f, "copy " + std::to_string(copy));
  EXPECT_EQ(Seat(0).HandStart, once.HandStart);
  EXPECT_EQ(Seat(0).HandCount, once.HandCount);
  EXPECT_EQ(Seat(0).MeldTop, once.MeldTop);
  EXPECT_EQ(client.table.restore.Received, 1);
  EXPECT_FALSE(client.view.rivers.WallOpened);
  // The other seats' messages still close the restore.
  for (std::uint8_t mask : {kRight, kTop, kLeft}) PlayChecked(RestoreFrame(mask, {}, 60, 135), "another seat");
  EXPECT_TRUE(client.view.rivers.WallOpened);
  EXPECT_EQ(OwnHand().size(), 5u);
}

TEST_F(TableInvariants, FourRestoresOfAnotherSeatThenAnAddedKong) {
  NewHand();
  RestoreSeat right;
  right.shown = {0x47, 0x47, 0x47, 0x81, 0x81, 0x81, 0x82, 0x82, 0x82, 0x83, 0x83, 0x83};
  right.concealed = {NoTile};
  for (int copy = 1; copy <= 4; ++copy) PlayChecked(RestoreFrame(kRight, right, 60, 135), "copy " + std::to_string(copy));
  for (std::uint8_t mask : {kOwn, kTop, kLeft}) PlayChecked(RestoreFrame(mask, {}, 60, 135), "another seat");
  ASSERT_TRUE(client.view.rivers.WallOpened);
  EXPECT_EQ(Seat(3).MeldTop, 4 + 4 * 3);
  EXPECT_EQ(Seat(3).HandCount, 1);
  PlayChecked(DrawFrame(kRight), "the draw");
  ASSERT_EQ(Seat(3).HandCount, 2);
  PlayChecked(ClaimFrame(kRight, OpBuGang, {0, 0, 0x47}), "the added kong");
  EXPECT_EQ(Seat(3).HandCount, 1);
  EXPECT_EQ(client.table.KongRecord[9][3], 1);
}

// A restore for a seat that was dealt tiles without a table reset between.
TEST_F(TableInvariants, ARestoreOverADealtHandIsIgnored) {
  NewHand();
  for (const Frame& f : test::DealOwnTiles(test::kSampleHand)) PlayChecked(f, "the deal");
  const std::vector<TileCode> dealt = OwnHand();
  RestoreSeat own;
  own.shown = {0x47, 0x47, 0x47};
  own.concealed = {0x12, 0x29, 0x11};
  PlayChecked(RestoreFrame(kOwn, own, 60, 135), "the restore");
  EXPECT_EQ(OwnHand(), dealt);
}

// Random frames of the kinds that move tiles, mostly with tiles that match
// one another so melds and kongs are found.
class FrameMaker {
 public:
  explicit FrameMaker(std::uint32_t seed) : rng_(seed) {}

  std::pair<Frame, std::string> Next() {
    const int kind = Pick(100);
    const std::uint8_t mask = static_cast<std::uint8_t>(1 << Pick(4));
    if (kind < 3) return {test::ServerFrame(41, kOwn, {7, 7, 1, 0x46}), "reset"};
    if (kind < 5) return {test::HandStartFrame(kOwn, {1 + Pick(6), 1 + Pick(6), 1 + Pick(6), 1 + Pick(6)}), "hand start"};
    if (kind < 20) {
      RestoreSeat seat;
      seat.river = Pick(12);
      const int shown = Pick(4) == 0 ? Pick(25) : 3 * Pick(5);
      for (int i = 0; i < shown; ++i) seat.shown.push_back(Tile());
      const int concealed = Pick(15);
      for (int i = 0; i < concealed; ++i) seat.concealed.push_back(Pick(3) == 0 ? NoTile : Tile());
      return {RestoreFrame(mask, seat, Pick(137), 100 + Pick(40)), "restore"};
    }
    if (kind < 30) return {test::DealFrame(std::vector<TileCode>(static_cast<std::size_t>(Pick(13)), Tile())), "deal"};
    if (kind < 50) return {DrawFrame(mask, Tile()), "draw"};
    if (kind < 70) return {DiscardFrame(mask, Tile(), Pick(2) == 0), "discard"};
    if (kind < 75) return {test::TurnFrame(mask, Pick(256)), "turn"};
    static constexpr int kTypes[] = {OpChi, OpPeng, OpMingGang, OpAnGang, OpBuGang, OpHu, 0, 3};
    const int type = kTypes[Pick(8)];
    const TileCode a = Tile();
    std::array<TileCode, 3> tiles = {a, a, a};
    if (type == OpChi && TileRank(a) <= 7) tiles = {a, static_cast<TileCode>(a + 1), static_cast<TileCode>(a + 2)};
    if (Pick(4) == 0) tiles = {Tile(), Tile(), Tile()};
    if (type == OpAnGang || type == OpBuGang) tiles[0] = Pick(2) == 0 ? NoTile : tiles[0];
    return {ClaimFrame(mask, type, tiles), "claim " + std::to_string(type)};
  }

 private:
  int Pick(int n) { return static_cast<int>(rng_() % static_cast<std::uint32_t>(n)); }
  TileCode Tile() {
    static constexpr TileCode kCommon[] = {0x41, 0x42, 0x43, 0x47, 0x81, 0x15, 0x46, 0x23};
    if (Pick(5) == 0) return static_cast<TileCode>(Pick(256));
    return kCommon[Pick(8)];
  }
  std::mt19937 rng_;
};

TEST_F(TableInvariants, RandomMessageSequencesKeepTheTableWhole) {
  constexpr int kFramesPerSeed = 1500;
  for (std::uint32_t seed : {1u, 2u, 3u}) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    NewHand();
    FrameMaker maker(seed);
    for (int i = 0; i < kFramesPerSeed && !HasFatalFailure(); ++i) {
      auto [frame, what] = maker.Next();
      PlayChecked(frame, "frame " + std::to_string(i) + " (" + what + ")");
    }
    EXPECT_FALSE(platform.quit);
  }
}

}  // namespace
}  // namespace vask
