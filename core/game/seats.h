#pragma once
// Seat masks on the wire, absolute seat indices, view positions on screen.
#include <cstdint>
#include <string>

namespace vask {

// View positions: 0 own seat (bottom), 1 left, 2 top, 3 right.
inline constexpr int kViewOwn = 0;
inline constexpr int kViewLeft = 1;
inline constexpr int kViewTop = 2;
inline constexpr int kViewRight = 3;

// Number of right shifts until the value is below 2 (0 → 0, 8 → 3).
int SeatIndex(std::uint8_t mask);
// 2 to the power index (index 0..7).
std::uint8_t SeatMask(int index);
// (SeatIndex(own) + 4 − SeatIndex(mask)) mod 4.
int ViewPos(std::uint8_t ownMask, std::uint8_t mask);
// The seat mask shown at view position v.
std::uint8_t MaskOfView(std::uint8_t ownMask, int view);
// The wind character of absolute seat index 0..3: "南", "西", "北", "东".
std::string SeatWind(int seatIndex);
// True for exactly one of the bits 1, 2, 4, 8.
bool IsSeatMask(std::uint8_t mask);

}  // namespace vask
