#pragma once
// Server frames of a hand with chosen tiles, and a client seated at a live
// table to play them into: own seat mask 1 deals; right 2, top 4, left 8.
#include <array>
#include <cstdint>
#include <ostream>
#include <vector>

#include "core/connection/protocol.h"
#include "core/game/tiles.h"
#include "support/client_fixture.h"

namespace vask::test {

inline constexpr std::uint8_t kOwn = 1, kRight = 2, kTop = 4, kLeft = 8;

// An own hand for the dealer: dots 1 1 1 2 3, characters 1 1 3 4 7 8,
// bamboo 9, east, south (sorted: 81 81 81 82 83 41 41 43 44 47 48 29 11 12).
inline const std::vector<TileCode> kSampleHand = {0x41, 0x41, 0x43, 0x44, 0x47, 0x48, 0x81,
                                                  0x81, 0x81, 0x82, 0x83, 0x11, 0x12, 0x29};

Frame HandStartFrame(std::uint8_t dealer, std::array<int, 4> dice);
// value(3) is also the indicator tile.
Frame WildcardsFrame(int die0, int die1, std::array<TileCode, 3> codes);
// Up to twelve own tiles, four per seat in each batch.
Frame DealFrame(const std::vector<TileCode>& tiles);
Frame DrawFrame(std::uint8_t mask, TileCode tile = NoTile);
Frame TurnFrame(std::uint8_t mask, int offers = 0, int seconds = 15);
Frame DiscardFrame(std::uint8_t mask, TileCode tile, bool fromHand = false);
Frame ClaimFrame(std::uint8_t mask, int type, std::array<TileCode, 3> tiles,
                 std::array<std::uint8_t, 4> winCode = {});

struct RestoreSeat {
  int river = 0;
  std::vector<TileCode> shown;
  std::vector<TileCode> concealed;
};
Frame RestoreFrame(std::uint8_t mask, const RestoreSeat& seat, int frontUsed, int backRemaining);

// The hand start (own seat deals, dice 3 4 2 5), the wildcards 0x23, 0x45,
// 0x46 (indicator 0x46 unless given) and the deal of these 14 own tiles.
std::vector<Frame> DealOwnTiles(const std::vector<TileCode>& own14,
                                std::array<TileCode, 3> wildcards = {0x23, 0x45, 0x46});

// A client at a live table of four, its layout made, the heart beat on.
class PlayTest : public ClientTest {
 protected:
  PlayTest();
  // Plays the frames through the poll loop until all are handled.
  void Play(const std::vector<Frame>& frames);
  // Every frame the client has sent so far, once its send ring is empty.
  std::vector<Frame> Sent();
  // The frames sent since the last call of Taken (or the start).
  std::vector<Frame> Taken();
  const SeatRec& Seat(int view) const { return client.table.Detail[view]; }
  // The own hand's tiles in slot order.
  std::vector<TileCode> OwnHand() const;
  // The image of the own hand slot holding the n-th copy of the tile.
  int OwnImage(TileCode tile, int copy = 0) const;

 private:
  std::size_t taken_ = 0;
};

// A sent frame's command and values as the server reads them.
struct Request {
  int cmd = 0;
  std::uint8_t seat = 0;
  std::array<int, 4> value{};
  bool operator==(const Request&) const = default;
};
void PrintTo(const Request& r, std::ostream* os);
Request ReadRequest(const Frame& f);
std::vector<Request> ReadRequests(const std::vector<Frame>& frames);

}  // namespace vask::test
