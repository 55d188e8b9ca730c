#pragma once
// A byte ring of fixed size with a read and a write position. The writer
// never lets the positions meet by writing: a full ring refuses the byte.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace vask {

class ByteRing {
 public:
  explicit ByteRing(std::size_t size) : buf_(size, 0) {}

  std::size_t Size() const { return buf_.size(); }
  std::size_t ReadPos() const { return read_; }
  std::size_t WritePos() const { return write_; }
  std::size_t Unread() const { return (write_ + buf_.size() - read_) % buf_.size(); }
  // Bytes that can still be stored without the positions meeting.
  std::size_t Free() const { return buf_.size() - 1 - Unread(); }

  // Stores one byte; false (and nothing stored) when the ring is full.
  bool Put(std::uint8_t byte);
  // Stores all bytes or none.
  bool PutAll(std::span<const std::uint8_t> bytes);
  // Copies out.size() bytes from the read position, wrapping, and advances.
  void Take(std::span<std::uint8_t> out);
  // Copies without advancing.
  void Peek(std::span<std::uint8_t> out) const;
  void SetReadPos(std::size_t pos) { read_ = pos % buf_.size(); }
  // Forgets every unread byte after the first n (n at most Unread()).
  void KeepUnread(std::size_t n) { write_ = (read_ + std::min(n, Unread())) % buf_.size(); }
  void Clear() { read_ = write_ = 0; }
  std::uint8_t At(std::size_t pos) const { return buf_[pos % buf_.size()]; }

 private:
  std::vector<std::uint8_t> buf_;
  std::size_t read_ = 0;
  std::size_t write_ = 0;
};

}  // namespace vask
