#include "server/net/frame_buffer.h"

#include <gtest/gtest.h>

namespace vask::server {
namespace {

TEST(FrameBuffer, FramesComeOutWholeWhateverThePieces) {
  std::vector<std::uint8_t> stream(kFrameSize * 3);
  for (std::size_t i = 0; i < stream.size(); ++i) stream[i] = static_cast<std::uint8_t>(i / kFrameSize + 1);
  FrameBuffer b;
  std::vector<Frame> out;
  for (std::size_t at = 0, piece = 1; at < stream.size(); at += piece, piece = piece * 3 % 401 + 1) {
    std::size_t n = std::min(piece, stream.size() - at);
    b.Append(stream.data() + at, n);
    while (auto f = b.Next()) out.push_back(*f);
  }
  ASSERT_EQ(out.size(), 3u);
  for (std::size_t k = 0; k < 3; ++k) {
    EXPECT_EQ(out[k].front(), k + 1);
    EXPECT_EQ(out[k].back(), k + 1);
  }
  EXPECT_EQ(b.Partial(), 0u);
}

TEST(FrameBuffer, AnUnfinishedFrameWaits) {
  FrameBuffer b;
  std::vector<std::uint8_t> bytes(kFrameSize - 1, 9);
  b.Append(bytes.data(), bytes.size());
  EXPECT_FALSE(b.Next());
  EXPECT_EQ(b.Partial(), kFrameSize - 1);
  std::uint8_t last = 9;
  b.Append(&last, 1);
  EXPECT_TRUE(b.Next());
}

}  // namespace
}  // namespace vask::server
