#include "server/net/frame_buffer.h"

#include <algorithm>

namespace vask::server {

void FrameBuffer::Append(const std::uint8_t* data, std::size_t n) {
  if (read_ > 0 && read_ == bytes_.size()) {
    bytes_.clear();
    read_ = 0;
  }
  bytes_.insert(bytes_.end(), data, data + n);
}

std::optional<Frame> FrameBuffer::Next() {
  if (Partial() < kFrameSize) {
    // Keep only the unfinished frame so the buffer never grows.
    bytes_.erase(bytes_.begin(), bytes_.begin() + static_cast<std::ptrdiff_t>(read_));
    read_ = 0;
    return std::nullopt;
  }
  Frame f;
  std::copy_n(bytes_.begin() + static_cast<std::ptrdiff_t>(read_), kFrameSize, f.begin());
  read_ += kFrameSize;
  return f;
}

}  // namespace vask::server
