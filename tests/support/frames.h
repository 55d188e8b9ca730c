#pragma once
// Building server frames for tests.
#include <cstdint>
#include <initializer_list>
#include <string>

#include "core/connection/protocol.h"

namespace vask::test {

// A server frame: command, seat mask, and the four values as big-endian
// 16-bit numbers.
Frame ServerFrame(int cmd, std::uint8_t seat = 0, std::initializer_list<int> values = {});
// Writes raw bytes into a frame from an offset.
void PutBytes(Frame& f, std::size_t at, std::initializer_list<int> bytes);
void PutString(Frame& f, std::size_t at, const std::string& bytes);
void PutU32(Frame& f, std::size_t at, std::uint32_t value);

}  // namespace vask::test
