#pragma once
// Bytes from a socket in, whole 272-byte frames out. A frame may arrive in
// any number of pieces; bytes of an unfinished frame wait for the rest.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "core/connection/protocol.h"

namespace vask::server {

class FrameBuffer {
 public:
  void Append(const std::uint8_t* data, std::size_t n);
  std::optional<Frame> Next();
  // Bytes of a frame not complete yet.
  std::size_t Partial() const { return bytes_.size() - read_; }

 private:
  std::vector<std::uint8_t> bytes_;
  std::size_t read_ = 0;
};

}  // namespace vask::server
