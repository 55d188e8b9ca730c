// Whole hands through fake seats on fixed walls: the deal, claims and their
// priority, kongs with replacement tiles, wins, settlement, refusals, time-outs
// and a seat that logs in again.
#include <gtest/gtest.h>

#include <numeric>

#include "server/table_fixture.h"

namespace vask::server::test {
namespace {

// Dealer seat 0 (link 1) discards 5万 first. Seat 1 (link 2, next) can chow
// it with 4万 6万; seat 2 (link 3) holds two 5万; seat 3 (link 4) holds
// 3万 4万 and a hand that 5万 completes. Wildcards: the three dragons.
const std::array<Tiles, 4> kHands{{
    {0x45, 0x11, 0x11, 0x12, 0x13, 0x14, 0x21, 0x23, 0x25, 0x27, 0x29, 0x81, 0x83, 0x85},
    {0x44, 0x46, 0x22, 0x24, 0x26, 0x28, 0x82, 0x84, 0x86, 0x88, 0x12, 0x13, 0x14},
    {0x45, 0x45, 0x47, 0x49, 0x22, 0x24, 0x26, 0x87, 0x89, 0x11, 0x12, 0x13, 0x14},
    {0x43, 0x44, 0x21, 0x22, 0x23, 0x27, 0x28, 0x29, 0x81, 0x82, 0x83, 0x86, 0x86},
}};
constexpr TileCode kIndicator = 0x17;

class HandFlow : public ::testing::Test {
 protected:
  void StartWith(const std::array<Tiles, 4>& hands, const Tiles& draws = {}, const Tiles& back = {}) {
    h = std::make_unique<Harness>(FixedTable(ArrangedWall(hands, draws, back, kIndicator)));
    SeatFourAndStart(*h);
    hand = h->table.CurrentHand();
  }
  const Hand& H() const { return *h->table.CurrentHand(); }
  static Frame Claim(int seat, int op, TileCode a = NoTile, TileCode b = NoTile, TileCode c = NoTile) {
    return client_frames::Claim(SeatMask(seat), op, a, b, c);
  }
  // Every seat asked about a discard passes.
  void PassAll() {
    if (H().CurrentPhase() != Hand::Phase::Claims) return;
    for (int s = 0; s < 4; ++s)
      if (H().Waiting(s)) h->Send(static_cast<LinkId>(s + 1), Claim(s, kOpPass));
  }
  // The seat on turn throws the tile it just drew.
  void ThrowDrawn() {
    int s = H().TurnSeat();
    h->Send(static_cast<LinkId>(s + 1), client_frames::Discard(SeatMask(s), H().SeatTilesOf(s).hand.back(), false));
    PassAll();
  }
  std::unique_ptr<Harness> h;
  const Hand* hand = nullptr;
};

TEST_F(HandFlow, DealsThirteenEachAndFourteenToTheDealer) {
  StartWith(kHands);
  EXPECT_EQ(H().SeatTilesOf(0).hand.size(), 14u);
  for (int s = 1; s < 4; ++s) EXPECT_EQ(H().SeatTilesOf(s).hand.size(), 13u);
  EXPECT_EQ(H().WallState().FrontUsed(), 53);
  // Each client sees its own twelve in one batch, then five single draws.
  for (LinkId l = 1; l <= 4; ++l) {
    auto deal = h->Received(l, Cmd::Deal);
    ASSERT_EQ(deal.size(), 1u);
    EXPECT_EQ(deal[0].value[1], 12);
    auto draws = h->Received(l, Cmd::Draw);
    ASSERT_EQ(draws.size(), 5u);
    for (const MsgInfo& d : draws) {
      bool own = d.seat == SeatMask(static_cast<int>(l - 1));
      EXPECT_EQ(d.value[3] != 0, own) << "another seat's tile was shown";
    }
  }
  auto hun = h->Received(1, Cmd::Wildcards);
  ASSERT_EQ(hun.size(), 1u);
  EXPECT_EQ(hun[0].value[3], kIndicator);
  EXPECT_EQ(H().Hun(), (HunList{0x15, 0x16, 0x17, 0}));
  // The dealer has the turn.
  auto turn = h->Received(2, Cmd::Turn);
  ASSERT_EQ(turn.size(), 1u);
  EXPECT_EQ(turn[0].seat, 1);
  EXPECT_EQ(h->Frames(1, Cmd::Turn)[0][layout::kCountdown], 15);
}

TEST_F(HandFlow, PungBeatsChowAndTheTableWaitsForThePung) {
  StartWith(kHands);
  h->Send(1, client_frames::Discard(1, 0x45, true));
  EXPECT_EQ(H().CurrentPhase(), Hand::Phase::Claims);
  EXPECT_EQ(H().Offers(1), kOpChi | kOpPass);
  EXPECT_EQ(H().Offers(2), kOpPeng | kOpPass);
  EXPECT_EQ(H().Offers(3), kOpHu | kOpPass);
  h->Send(4, Claim(3, kOpPass));
  h->Send(2, Claim(1, kOpChi, 0x44, 0x46, 0x45));
  EXPECT_TRUE(h->Received(1, Cmd::Claim).empty());  // seat 2 may still pung
  h->Send(3, Claim(2, kOpPeng, 0x45, 0x45, 0x45));
  auto result = h->Received(1, Cmd::Claim);
  ASSERT_EQ(result.size(), 1u);
  EXPECT_EQ(result[0].seat, 4);
  EXPECT_EQ(result[0].value[0], kOpPeng);
  EXPECT_EQ(H().TurnSeat(), 2);
  EXPECT_EQ(H().SeatTilesOf(2).hand.size(), 11u);
  EXPECT_EQ(H().SeatTilesOf(1).hand.size(), 13u);  // the chow did not happen
}

TEST_F(HandFlow, AnAnswerThatCannotLoseIsResolvedAtOnce) {
  StartWith(kHands);
  h->Send(1, client_frames::Discard(1, 0x45, true));
  h->Send(4, Claim(3, kOpPass));
  h->Send(3, Claim(2, kOpPeng, 0x45, 0x45, 0x45));  // the chow cannot beat it
  EXPECT_EQ(H().TurnSeat(), 2);
  int refused = h->table.RefusedFrames();
  h->Send(2, Claim(1, kOpChi, 0x44, 0x46, 0x45));  // too late
  EXPECT_EQ(h->table.RefusedFrames(), refused + 1);
}

TEST_F(HandFlow, WinBeatsPungAndSettles) {
  StartWith(kHands);
  h->Send(1, client_frames::Discard(1, 0x45, true));
  h->Send(3, Claim(2, kOpPeng, 0x45, 0x45, 0x45));
  h->Send(4, Claim(3, kOpHu));
  ASSERT_EQ(h->table.CurrentHand(), nullptr);
  const HandOutcome& o = *h->table.LastOutcome();
  EXPECT_EQ(o.winner, 3);
  EXPECT_EQ(o.payer, 0);
  EXPECT_EQ(o.categories.flags[1], 0x10);  // no wildcard in the hand: 素的
  EXPECT_EQ(Sum(o.totalStakes), 0);
  EXPECT_GT(o.totalStakes[3], 0);
  EXPECT_EQ(o.totalStakes[1], 0);  // on a discard only the discarder pays

  for (LinkId l = 1; l <= 4; ++l) {
    auto win = h->Received(l, Cmd::Claim);
    ASSERT_EQ(win.size(), 1u);
    EXPECT_EQ(win[0].value[0], kOpHu);
    EXPECT_EQ(win[0].seat, 8);
    EXPECT_EQ(h->Received(l, Cmd::HandResult).size(), 4u);
    // The settlement read as the client reads it sums to zero.
    auto items = h->Frames(l, Cmd::SettleItem);
    ASSERT_EQ(items.size(), 4u);
    std::int64_t sum = 0;
    for (const Frame& f : items) {
      std::int64_t r = 0;
      for (int i = 7; i >= 0; --i) r = r << 8 | f[layout::kHandResult + static_cast<std::size_t>(i)];
      sum += f[layout::kHandResultSign] == 0 ? -r : r;
    }
    EXPECT_EQ(sum, 0);
  }
  // The winner's tiles are shown to the others, three at a time.
  auto reveal = h->Received(1, Cmd::Reveal);
  int shown = 0;
  for (const MsgInfo& r : reveal)
    if (r.seat == 8)
      for (int i = 1; i <= 3; ++i) shown += r.value[static_cast<std::size_t>(i)] != 0;
  EXPECT_EQ(shown, 13);
  auto toWinner = h->Received(4, Cmd::Reveal);
  EXPECT_EQ(toWinner.size(), 15u);  // three hands of 13, three tiles a frame
  for (const MsgInfo& r : toWinner) EXPECT_NE(r.seat, 8) << "a hand revealed to its own seat";
}

TEST_F(HandFlow, ExposedKongTakesTheReplacementFromTheBack) {
  std::array<Tiles, 4> hands = kHands;
  hands[2] = {0x45, 0x45, 0x45, 0x49, 0x22, 0x24, 0x26, 0x87, 0x89, 0x11, 0x12, 0x13, 0x14};
  hands[3] = {0x41, 0x43, 0x47, 0x49, 0x21, 0x23, 0x25, 0x27, 0x29, 0x81, 0x83, 0x85, 0x87};
  StartWith(hands, {}, {0x88});
  h->Send(1, client_frames::Discard(1, 0x45, true));
  EXPECT_EQ(H().Offers(2), kOpMingGang | kOpPeng | kOpPass);
  h->Send(3, Claim(2, kOpMingGang, 0x45, 0x45, 0x45));
  h->Send(2, Claim(1, kOpPass));
  auto result = h->Received(1, Cmd::Claim);
  ASSERT_EQ(result.size(), 1u);
  EXPECT_EQ(result[0].value[0], kOpMingGang);
  EXPECT_EQ(result[0].value[2], 0x45);
  auto draws = h->Received(3, Cmd::Draw);
  EXPECT_EQ(draws.back().seat, 4);
  EXPECT_EQ(draws.back().value[3], 0x88);  // from index 134
  EXPECT_EQ(h->Received(1, Cmd::Draw).back().value[3], 0);
  EXPECT_EQ(H().WallState().BackUsed(), 1);
  EXPECT_EQ(H().TurnSeat(), 2);
  EXPECT_EQ(H().SeatTilesOf(2).hand.size(), 11u);
}

TEST_F(HandFlow, ConcealedKongOnTheOwnTurn) {
  std::array<Tiles, 4> hands = kHands;
  hands[0] = {0x45, 0x11, 0x11, 0x11, 0x11, 0x14, 0x21, 0x23, 0x25, 0x27, 0x29, 0x81, 0x83, 0x85};
  hands[2] = {0x45, 0x45, 0x47, 0x49, 0x22, 0x24, 0x26, 0x87, 0x89, 0x12, 0x12, 0x13, 0x14};
  StartWith(hands, {}, {0x88, 0x89});
  EXPECT_EQ(H().Offers(0), kOpAnGang | kOpPass);
  int refused = h->table.RefusedFrames();
  h->Send(1, Claim(0, kOpBuGang, NoTile, NoTile, 0x11));  // not offered
  h->Send(1, Claim(0, kOpAnGang, 0x14, 0x14, 0x14));      // only one 0x14
  EXPECT_EQ(h->table.RefusedFrames(), refused + 2);
  h->Send(1, Claim(0, kOpAnGang, 0x11, 0x11, 0x11));
  auto result = h->Received(2, Cmd::Claim);
  ASSERT_EQ(result.size(), 1u);
  EXPECT_EQ(result[0].value[0], kOpAnGang);
  EXPECT_EQ(h->Received(1, Cmd::Draw).back().value[3], 0x88);
  EXPECT_EQ(H().SeatTilesOf(0).hand.size(), 11u);
  EXPECT_EQ(H().TurnSeat(), 0);
}

TEST_F(HandFlow, AnotherSeatMayWinOnTheTileAddedToAPung) {
  StartWith(kHands, {0x88, 0x84, 0x29, 0x45}, {0x86});
  h->Send(1, client_frames::Discard(1, 0x45, true));
  h->Send(4, Claim(3, kOpPass));  // seat 3 lets the win on the discard go
  h->Send(2, Claim(1, kOpPass));
  h->Send(3, Claim(2, kOpPeng, 0x45, 0x45, 0x45));
  h->Send(3, client_frames::Discard(4, 0x11, true));
  PassAll();
  for (int i = 0; i < 3; ++i) ThrowDrawn();  // seats 3, 0 and 1
  ASSERT_EQ(H().TurnSeat(), 2);
  EXPECT_EQ(H().SeatTilesOf(2).hand.back(), 0x45);
  EXPECT_TRUE(H().Offers(2) & kOpBuGang);
  h->Send(3, Claim(2, kOpBuGang, NoTile, NoTile, 0x45));
  EXPECT_EQ(H().CurrentPhase(), Hand::Phase::RobbedKong);
  EXPECT_EQ(H().Offers(3), kOpHu | kOpPass);
  EXPECT_TRUE(h->Received(1, Cmd::Claim).size() == 1u);  // only the pung so far
  h->Send(4, Claim(3, kOpHu));
  const HandOutcome& o = *h->table.LastOutcome();
  EXPECT_EQ(o.winner, 3);
  EXPECT_EQ(o.payer, 2);
  EXPECT_EQ(o.categories.flags[0], 0x30);  // 抢胡
  EXPECT_TRUE(o.kongs.empty());            // the kong never happened
  // The others see the robbed tile leave seat 2 like a discard, then the win.
  auto last = h->Received(1, Cmd::Discard).back();
  EXPECT_EQ(last.seat, 4);
  EXPECT_EQ(last.value[3], 0x45);
  EXPECT_EQ(h->Received(1, Cmd::Claim).back().value[0], kOpHu);
}

TEST_F(HandFlow, RequestsOutOfTurnWithOtherMasksOrForeignTilesAreRefused) {
  StartWith(kHands);
  int refused = h->table.RefusedFrames();
  h->Send(2, client_frames::Discard(2, 0x44, true));   // not seat 1's turn
  h->Send(2, client_frames::Discard(1, 0x45, true));   // seat 1 with the dealer's mask
  h->Send(1, client_frames::Discard(1, 0x49, true));   // not in the dealer's hand
  h->Send(1, Claim(0, kOpHu));                         // no win offered
  Frame garbage{};
  for (std::size_t i = 0; i < garbage.size(); ++i) garbage[i] = static_cast<std::uint8_t>(i * 37 + 11);
  h->Send(3, garbage);
  garbage[frame_offset::kCmd] = static_cast<std::uint8_t>(Cmd::Discard);
  h->Send(3, garbage);
  EXPECT_EQ(h->table.RefusedFrames(), refused + 6);
  EXPECT_EQ(H().TurnSeat(), 0);
  EXPECT_EQ(H().SeatTilesOf(0).hand.size(), 14u);
  EXPECT_EQ(H().SeatTilesOf(1).hand.size(), 13u);
  // The hand goes on as if nothing had come.
  h->Send(1, client_frames::Discard(1, 0x45, true));
  EXPECT_EQ(h->Received(3, Cmd::Discard).size(), 1u);
  h->Send(4, Claim(3, kOpPeng, 0x45, 0x45, 0x45));  // seat 3 was offered a win, not a pung
  EXPECT_EQ(H().CurrentPhase(), Hand::Phase::Claims);
}

TEST_F(HandFlow, ALiveSeatThatLetsItsTimeRunOutIsPlayedForAfterTheGrace) {
  StartWith(kHands);
  const Millis limit = HandConfig{}.turnSeconds * 1000 + HandConfig{}.grace;
  EXPECT_EQ(h->table.NextDeadline(), h->now + limit);
  h->Advance(limit - 1);
  EXPECT_TRUE(h->Received(2, Cmd::Discard).empty());
  h->Advance(1);
  auto discard = h->Received(2, Cmd::Discard);
  ASSERT_EQ(discard.size(), 1u);
  EXPECT_EQ(discard[0].seat, 1);
  EXPECT_EQ(discard[0].value[3], 0x85);  // the last tile it got
  EXPECT_EQ(discard[0].value[1], 0);
}

TEST_F(HandFlow, AnAbsentSeatIsPlayedForSoon) {
  StartWith(kHands);
  h->table.Disconnect(1, h->now);
  h->Advance(HandConfig{}.absentDelay);
  EXPECT_EQ(h->Received(2, Cmd::Discard).size(), 1u);
}

TEST_F(HandFlow, ASeatLoggingInAgainGetsTheTableBack) {
  StartWith(kHands);
  h->Send(1, client_frames::Discard(1, 0x45, true));
  h->Send(3, Claim(2, kOpPeng, 0x45, 0x45, 0x45));
  h->Send(4, Claim(3, kOpPass));
  h->table.Disconnect(3, h->now);  // seat 2 drops on its own turn
  std::uint32_t id = h->table.Seat(2).reloginId;

  h->table.Connect(30, h->now);
  h->Send(30, client_frames::Relogin("p3", "wrong-key", id));
  EXPECT_EQ(h->Received(30, Cmd::ReloginAnswer).at(0).value[3], 0);
  EXPECT_TRUE(h->out.closed.count(30));

  h->table.Connect(31, h->now);
  h->Send(31, client_frames::Relogin("p3", "key-p3", id));
  ASSERT_EQ(h->Received(31, Cmd::ReloginAnswer).at(0).value[3], 1);
  const auto& frames = h->out.sent[31];
  std::vector<int> cmds;
  for (const Frame& f : frames) cmds.push_back(f[frame_offset::kCmd]);
  EXPECT_EQ(cmds, (std::vector<int>{29, 16, 41, 4, 14, 40, 40, 40, 40, 6}));

  auto restore = h->Frames(31, Cmd::Restore);
  for (int s = 0; s < 4; ++s) {
    const Frame& f = restore[static_cast<std::size_t>(s)];
    EXPECT_EQ(f[frame_offset::kSeat], SeatMask(s));
    MsgInfo m = DecodeHeader(f);
    EXPECT_EQ(m.value[1], 53);   // front used
    EXPECT_EQ(m.value[3], 135);  // no replacement draws yet
    EXPECT_EQ(f[frame_offset::kExt7], 0);  // the one discard was claimed
    Tiles shown, concealed;
    for (std::size_t p = 0; p < layout::kRestorePairCount; ++p) {
      std::uint8_t kind = f[layout::kRestorePairs + 2 * p];
      TileCode t = f[layout::kRestorePairs + 2 * p + 1];
      if (kind == layout::kRestoreShown) shown.push_back(t);
      if (kind == layout::kRestoreConcealed) concealed.push_back(t);
    }
    const SeatTiles& st = H().SeatTilesOf(s);
    EXPECT_EQ(concealed.size(), st.hand.size());
    if (s == 2) {
      EXPECT_EQ(shown, (Tiles{0x45, 0x45, 0x45}));
      EXPECT_EQ(concealed, st.hand);  // its own tiles, face values included
    } else {
      EXPECT_TRUE(std::all_of(concealed.begin(), concealed.end(), [](TileCode t) { return t == NoTile; }));
    }
  }
  // It is that seat's turn: the turn comes again, to it only.
  EXPECT_EQ(h->Frames(31, Cmd::Turn).back()[frame_offset::kSeat], 4);
  h->Send(31, client_frames::Discard(4, 0x49, true));
  EXPECT_EQ(h->Received(1, Cmd::Discard).back().value[3], 0x49);
}

TEST_F(HandFlow, ANewClientOfASeatedAccountGetsNamesRecordsAndTheTable) {
  StartWith(kHands);
  h->table.Disconnect(2, h->now);
  h->Join("p2", 20);
  ASSERT_EQ(h->Received(20, Cmd::Login).at(0).value[3], 1);
  EXPECT_EQ(h->Frames(20, Cmd::SeatName).size(), 4u);
  EXPECT_EQ(h->Frames(20, Cmd::Restore).size(), 4u);
  EXPECT_EQ(h->table.SeatOfLink(20), 1);
}

TEST_F(HandFlow, LeavingMidHandIsPlayedOutAndAnnouncedAtTheEnd) {
  StartWith(kHands);
  h->Send(4, client_frames::Leave(8));
  EXPECT_TRUE(h->out.closed.count(4));
  EXPECT_TRUE(h->table.Seat(3).taken);
  h->Send(1, client_frames::Discard(1, 0x45, true));
  h->Send(3, Claim(2, kOpPass));
  h->Send(2, Claim(1, kOpPass));
  h->Advance(HandConfig{}.absentDelay);  // seat 3's win offer is passed for it
  EXPECT_EQ(h->Received(2, Cmd::Draw).back().seat, 2);
  // Everyone else lets the server play; the wall runs out.
  h->table.Disconnect(1, h->now);
  h->table.Disconnect(2, h->now);
  h->table.Disconnect(3, h->now);
  for (int i = 0; i < 1000 && h->table.CurrentHand(); ++i) h->Advance(HandConfig{}.absentDelay);
  ASSERT_EQ(h->table.CurrentHand(), nullptr);
  EXPECT_FALSE(h->table.Seat(3).taken);
  EXPECT_EQ(Sum(h->table.LastOutcome()->totalStakes), 0);
}

}  // namespace
}  // namespace vask::server::test
