#include "core/connection/rings.h"

#include <gtest/gtest.h>

#include <numeric>

namespace vask {
namespace {

TEST(ByteRing, WrapsAndKeepsOneByteFree) {
  ByteRing ring(8);
  std::vector<std::uint8_t> five(5);
  std::iota(five.begin(), five.end(), 1);
  ASSERT_TRUE(ring.PutAll(five));
  std::vector<std::uint8_t> out(4);
  ring.Take(out);
  EXPECT_EQ(out, (std::vector<std::uint8_t>{1, 2, 3, 4}));
  // Write across the end of the buffer.
  ASSERT_TRUE(ring.PutAll(std::vector<std::uint8_t>{6, 7, 8, 9, 10, 11}));
  EXPECT_EQ(ring.Unread(), 7u);
  EXPECT_EQ(ring.Free(), 0u);
  EXPECT_FALSE(ring.Put(12));
  EXPECT_FALSE(ring.PutAll(std::vector<std::uint8_t>{12}));
  std::vector<std::uint8_t> all(7);
  ring.Take(all);
  EXPECT_EQ(all, (std::vector<std::uint8_t>{5, 6, 7, 8, 9, 10, 11}));
  EXPECT_EQ(ring.Unread(), 0u);
}

TEST(ByteRing, PutAllIsAllOrNothing) {
  ByteRing ring(4);
  ASSERT_TRUE(ring.Put(1));
  EXPECT_FALSE(ring.PutAll(std::vector<std::uint8_t>{2, 3, 4}));
  EXPECT_EQ(ring.Unread(), 1u);
}

TEST(ByteRing, PeekDoesNotAdvanceAndSetReadPosRewinds) {
  ByteRing ring(16);
  ring.PutAll(std::vector<std::uint8_t>{1, 2, 3});
  std::vector<std::uint8_t> out(2);
  ring.Peek(out);
  EXPECT_EQ(ring.Unread(), 3u);
  std::size_t at = ring.ReadPos();
  ring.Take(out);
  ring.SetReadPos(at);
  EXPECT_EQ(ring.Unread(), 3u);
}

}  // namespace
}  // namespace vask
