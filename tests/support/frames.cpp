#include "support/frames.h"

namespace vask::test {

Frame ServerFrame(int cmd, std::uint8_t seat, std::initializer_list<int> values) {
  Frame f{};
  f[frame_offset::kCmd] = static_cast<std::uint8_t>(cmd);
  f[frame_offset::kSeat] = seat;
  std::size_t i = 0;
  for (int v : values) {
    auto u = static_cast<std::uint16_t>(v);
    f[frame_offset::kValues + 2 * i] = static_cast<std::uint8_t>(u >> 8);
    f[frame_offset::kValues + 2 * i + 1] = static_cast<std::uint8_t>(u & 0xFF);
    if (++i == 4) break;
  }
  return f;
}

void PutBytes(Frame& f, std::size_t at, std::initializer_list<int> bytes) {
  for (int b : bytes) f[at++] = static_cast<std::uint8_t>(b);
}

void PutString(Frame& f, std::size_t at, const std::string& bytes) {
  for (char ch : bytes) f[at++] = static_cast<std::uint8_t>(ch);
}

void PutU32(Frame& f, std::size_t at, std::uint32_t value) {
  PutBytes(f, at, {static_cast<int>(value >> 24), static_cast<int>((value >> 16) & 0xFF),
                   static_cast<int>((value >> 8) & 0xFF), static_cast<int>(value & 0xFF)});
}

}  // namespace vask::test
