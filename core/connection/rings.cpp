#include "core/connection/rings.h"

#include <algorithm>
#include <cstring>

namespace vask {

bool ByteRing::Put(std::uint8_t byte) {
  std::size_t next = (write_ + 1) % buf_.size();
  if (next == read_) return false;
  buf_[write_] = byte;
  write_ = next;
  return true;
}

bool ByteRing::PutAll(std::span<const std::uint8_t> bytes) {
  if (bytes.size() > Free()) return false;
  for (std::uint8_t b : bytes) {
    buf_[write_] = b;
    write_ = (write_ + 1) % buf_.size();
  }
  return true;
}

void ByteRing::Peek(std::span<std::uint8_t> out) const {
  // At most two contiguous pieces: up to the end of the buffer, then from 0.
  std::size_t first = std::min(out.size(), buf_.size() - read_);
  std::memcpy(out.data(), buf_.data() + read_, first);
  if (first < out.size()) std::memcpy(out.data() + first, buf_.data(), out.size() - first);
}

void ByteRing::Take(std::span<std::uint8_t> out) {
  Peek(out);
  read_ = (read_ + out.size()) % buf_.size();
}

}  // namespace vask
