#include "core/game/seats.h"

namespace vask {

int SeatIndex(std::uint8_t mask) {
  int i = 0;
  while (mask >= 2) {
    mask >>= 1;
    ++i;
  }
  return i;
}

std::uint8_t SeatMask(int index) { return static_cast<std::uint8_t>(1u << (index & 7)); }

int ViewPos(std::uint8_t ownMask, std::uint8_t mask) {
  // Masks above 8 (bad input) still give a view position in 0..3.
  return ((SeatIndex(ownMask) - SeatIndex(mask)) % 4 + 4) % 4;
}

std::uint8_t MaskOfView(std::uint8_t ownMask, int view) {
  return SeatMask((SeatIndex(ownMask) - (view & 3) + 4) % 4);
}

std::string SeatWind(int seatIndex) {
  static constexpr const char* kWinds[] = {"南", "西", "北", "东"};
  return kWinds[seatIndex & 3];
}

bool IsSeatMask(std::uint8_t mask) { return mask == 1 || mask == 2 || mask == 4 || mask == 8; }

}  // namespace vask
