#include "support/full_hand.h"

#include <algorithm>
#include <array>

#include "core/client.h"
#include "core/game/operations.h"
#include "platform/fake/fake_platform.h"
#include "platform/fake/scripted_hand.h"
#include "support/frames.h"
#include "support/play_frames.h"

namespace vask::test {

namespace {

constexpr std::array<int, 4> kDice = {3, 4, 2, 5};
constexpr std::array<TileCode, 3> kWildcards = {0x23, 0x45, 0x46};
constexpr int kSpecialTile = 1;  // no tile: nothing is laid aside

int SeatOf(std::uint8_t mask) { return mask == 1 ? 0 : mask == 2 ? 1 : mask == 4 ? 2 : 3; }

// What the server knows of the hand.
struct Model {
  int frontDraws = 0;
  int backDraws = 0;
  std::array<std::vector<TileCode>, 4> shown;  // melds as listed, by seat
  std::vector<TileCode> ownHand;
  std::array<int, 4> concealed{};  // other seats' counts
  std::array<int, 4> river{};
  int lastDiscarder = -1;
  Frame turn{};
};

class Script {
 public:
  std::vector<HandStep> steps;

  void Frames(const std::string& what, std::vector<Frame> frames) {
    steps.push_back({what, [frames](FakePlatform& p, Client& c) { PlayFrames(p, c, frames); }, {}});
  }

  void Deal(const std::vector<TileCode>& own14) {
    m_.ownHand = own14;
    m_.concealed = {14, 13, 13, 13};
    m_.frontDraws = 53;
    Frames("deal", DealOwnTiles(own14, kWildcards));
  }
  void Turn(std::uint8_t seat, int offers = 0) {
    m_.turn = TurnFrame(seat, offers);
    Frames("turn", {m_.turn});
  }
  void Draw(std::uint8_t seat, TileCode tile = NoTile, bool back = false) {
    (back ? m_.backDraws : m_.frontDraws) += 1;
    if (seat == kOwn) m_.ownHand.push_back(tile);
    ++m_.concealed[SeatOf(seat)];
    Frames(back ? "replacement draw" : "draw", {DrawFrame(seat, tile)});
  }
  void Discard(std::uint8_t seat, TileCode tile, bool fromHand = false) {
    Leave(seat, tile, 1);
    ++m_.river[SeatOf(seat)];
    m_.lastDiscarder = SeatOf(seat);
    if (seat != kOwn) return Frames("discard", {DiscardFrame(seat, tile, fromHand)});
    steps.push_back({"own discard",
                     [tile](FakePlatform& p, Client& c) {
                       const SeatRec& own = c.table.Detail[0];
                       for (int i = own.HandStart; i < own.HandStart + own.HandCount; ++i)
                         if (own.Slots[i].Tile == tile) {
                           SendDiscard(c, own.Slots[i].Img);
                           break;
                         }
                       PlayFrames(p, c, {DiscardFrame(kOwn, tile)});
                     },
                     {}});
  }
  void Press(int button) {
    steps.push_back({"press " + std::to_string(button),
                     [button](FakePlatform& p, Client& c) {
                       PressClaimButton(c, button);
                       p.RunTicks(4);
                     },
                     {}});
  }
  void Result(std::uint8_t seat, int type, std::array<TileCode, 3> tiles) {
    std::vector<TileCode>& shown = m_.shown[SeatOf(seat)];
    switch (type) {
      case OpChi:
      case OpPeng: {
        --m_.river[m_.lastDiscarder];
        shown.insert(shown.end(), tiles.begin(), tiles.end());
        bool skipped = false;  // the claimed tile came from the river
        for (TileCode t : tiles) {
          if (!skipped && t == tiles[2]) {
            skipped = true;
            continue;
          }
          Leave(seat, t, 1);
        }
        break;
      }
      case OpMingGang:
        --m_.river[m_.lastDiscarder];
        shown.insert(shown.end(), 4, tiles[1]);
        Leave(seat, tiles[1], 3);
        break;
      case OpAnGang:
        shown.insert(shown.end(), 4, tiles[1]);
        Leave(seat, tiles[1], 4);
        break;
      case OpBuGang: {
        auto at = std::search_n(shown.begin(), shown.end(), 3, tiles[2]);
        shown.insert(at + 3, tiles[2]);
        Leave(seat, tiles[2], 1);
        break;
      }
      default: break;
    }
    Frames("result " + std::to_string(type), {ClaimFrame(seat, type, tiles, {0x00, 0x12, 0x01, 0x00})});
  }
  // The restore frames of the table as it stands now, the latest turn last.
  void Cut() {
    std::vector<Frame> out;
    out.push_back(ServerFrame(41, kOwn, {kDice[0] + kDice[1], kDice[2] + kDice[3], kSpecialTile, kWildcards[2]}));
    out.push_back(HandStartFrame(kOwn, kDice));
    out.push_back(WildcardsFrame(2, 3, kWildcards));
    for (int seat = 0; seat < 4; ++seat) {
      RestoreSeat r;
      r.river = m_.river[seat];
      r.shown = m_.shown[seat];
      r.concealed = seat == 0 ? m_.ownHand : std::vector<TileCode>(static_cast<std::size_t>(m_.concealed[seat]), NoTile);
      out.push_back(RestoreFrame(static_cast<std::uint8_t>(1 << seat), r, m_.frontDraws, 135 - m_.backDraws));
    }
    out.push_back(m_.turn);
    steps.back().restore = out;
  }

 private:
  void Leave(std::uint8_t seat, TileCode tile, int n) {
    m_.concealed[SeatOf(seat)] -= n;
    if (seat != kOwn) return;
    for (int k = 0; k < n; ++k) m_.ownHand.erase(std::find(m_.ownHand.begin(), m_.ownHand.end(), tile));
  }
  Model m_;
};

}  // namespace

std::vector<HandStep> FullHandSteps() {
  Script s;
  // Own: dots 1 1 1 4 4 4 4, characters 1 1 2 3, bamboo 9, east, south.
  s.Deal({0x81, 0x81, 0x81, 0x84, 0x84, 0x84, 0x84, 0x41, 0x41, 0x42, 0x43, 0x29, 0x11, 0x12});
  // The dealer's concealed kong, its replacement, a discard.
  s.Turn(kOwn, OpPass | OpAnGang);
  s.Press(kKongButton);
  s.Result(kOwn, OpAnGang, {0x84, 0x84, 0x84});
  s.Draw(kOwn, 0x29, true);
  s.Turn(kOwn);
  s.Cut();
  s.Discard(kOwn, 0x11);
  // The right seat's discard: the own pung.
  s.Draw(kRight);
  s.Turn(kRight);
  s.Cut();
  s.Discard(kRight, 0x41);
  s.Turn(kOwn, OpPass | OpPeng);
  s.Press(kPungButton);
  s.Result(kOwn, OpPeng, {0x41, 0x41, 0x41});
  s.Turn(kOwn);
  s.Discard(kOwn, 0x12);
  // Right discards, the top seat pungs it and discards from inside its hand.
  s.Draw(kRight);
  s.Turn(kRight);
  s.Discard(kRight, 0x27);
  s.Result(kTop, OpPeng, {0x27, 0x27, 0x27});
  s.Turn(kTop);
  s.Discard(kTop, 0x17, true);
  // The left seat draws, declares a concealed kong, draws its replacement
  // and discards a character 4: the own chow.
  s.Draw(kLeft);
  s.Turn(kLeft);
  s.Result(kLeft, OpAnGang, {0x16, 0x16, 0x16});
  s.Draw(kLeft, NoTile, true);
  s.Turn(kLeft);
  s.Cut();
  s.Discard(kLeft, 0x44);
  s.Turn(kOwn, OpPass | OpChi);
  s.Press(kChowButton);
  s.Result(kOwn, OpChi, {0x42, 0x43, 0x44});
  s.Turn(kOwn);
  s.Discard(kOwn, 0x29);
  // Right discards a dot 1: the own exposed kong, then the fourth character
  // 1 from the back of the wall: an added kong; its replacement wins.
  s.Draw(kRight);
  s.Turn(kRight);
  s.Discard(kRight, 0x81);
  s.Turn(kOwn, OpPass | OpPeng | OpMingGang);
  s.Press(kKongButton);
  s.Result(kOwn, OpMingGang, {0x81, 0x81, 0x81});
  s.Draw(kOwn, 0x41, true);
  s.Turn(kOwn, OpPass | OpBuGang);
  s.Cut();
  s.Press(kKongButton);
  s.Result(kOwn, OpBuGang, {0, 0, 0x41});
  s.Draw(kOwn, 0x29, true);
  s.Turn(kOwn, OpPass | OpHu);
  s.Cut();
  s.Press(kWinButton);
  s.Result(kOwn, OpHu, {0, 0, 0});
  return s.steps;
}

std::vector<Request> FullHandRequests() {
  auto claim = [](int type, TileCode a, TileCode b, TileCode d) {
    return Request{7, kOwn, {type, 0x2000 | a, 0x2000 | b, 0x2000 | d}};
  };
  const Request pass{7, kOwn, {OpPass, 0, 0, 0}};
  auto discard = [](TileCode t, bool fromHand) { return Request{2, kOwn, {0, fromHand ? 1 : 0, 0, 0x4000 | t}}; };
  // Every discard after a turn starts passes first: the turn has cleared
  // what was sent before.
  return {
      claim(OpAnGang, 0x84, 0x84, 0x84), pass, discard(0x11, true),
      claim(OpPeng, 0x41, 0x41, 0x41),   pass, discard(0x12, false),
      claim(OpChi, 0x42, 0x43, 0x44),    pass, discard(0x29, true),
      claim(OpMingGang, 0x81, 0x81, 0x81),
      {7, kOwn, {OpBuGang, 0, 0, 0x2041}},
      {7, kOwn, {OpHu, 0, 0, 0}},
  };
}

}  // namespace vask::test
