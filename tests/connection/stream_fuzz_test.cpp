// A long random stream through the rings, the decoder and the dispatcher:
// whatever the server sends, the client neither crashes nor reads outside
// its buffers (run under AddressSanitizer and UBSan in CI).
#include <gtest/gtest.h>

#include <random>

#include "support/client_fixture.h"
#include "support/recording_plugin.h"

namespace vask {
namespace {

class StreamFuzzTest : public test::ClientTest {};

Frame RandomFrame(std::mt19937& rng) {
  Frame f;
  std::uniform_int_distribution<int> byte(0, 255);
  for (auto& b : f) b = static_cast<std::uint8_t>(byte(rng));
  // Mostly commands the client knows, so the handlers are exercised too.
  static constexpr int kKnown[] = {1, 2, 3, 4, 5, 6, 7, 9, 14, 15, 16, 17, 18, 19, 20,
                                   21, 22, 23, 26, 29, 40, 41, 44, 45, 46, 91, 92};
  if (byte(rng) < 200) f[3] = static_cast<std::uint8_t>(kKnown[byte(rng) % std::size(kKnown)]);
  if (byte(rng) < 40) {  // some plug-in chat frames
    f[3] = 19;
    f[236] = 0;
    f[237] = 0;
    f[238] = 1;
    f[239] = byte(rng) < 128 ? 16 : 4;
  }
  return f;
}

// Runs ticks until at most `frames` frames wait. A held departure (command
// 21 after a hand result) blocks the stream until the next hand starts;
// random input may never bring one, so it is released as the totals panel's
// countdown would. A frame that makes the client leave the table stops its
// heart beat; it starts again as the lobby's next connect order would.
void DrainTo(FakePlatform& platform, Client& client, std::size_t frames) {
  for (int ticks = 0; client.conn.RecvBuf.Unread() > frames * kFrameSize && !platform.quit; ++ticks) {
    if (!TimerEnabled(client, TimerId::Bong)) {
      client.launch.bWndProcInstalled = true;
      client.OnWindowMessage(lobby_msg::kConnect, 0, 0);
      platform.Connect();
    }
    platform.RunTicks(1);
    if (ticks > 400) client.conn.bHoldCmd21 = false;
  }
}

// Sends 100000 random frames in random pieces and lets the client handle them.
void Feed(FakePlatform& platform, Client& client, std::uint32_t seed, bool withPlugin) {
  std::vector<Frame> toPlugin;
  if (withPlugin) test::ActivateRecordingPlugin(client, &toPlugin);
  std::mt19937 rng(seed);
  std::uniform_int_distribution<int> burst(1, 6);
  constexpr int kFrames = 100000;
  int sent = 0;
  std::vector<std::uint8_t> bytes;
  while (sent < kFrames && !platform.quit) {
    bytes.clear();
    int n = std::min(burst(rng), kFrames - sent);
    for (int i = 0; i < n; ++i) {
      Frame f = RandomFrame(rng);
      bytes.insert(bytes.end(), f.begin(), f.end());
    }
    sent += n;
    // Deliver in random pieces.
    std::size_t at = 0;
    while (at < bytes.size()) {
      std::size_t piece = std::min<std::size_t>(bytes.size() - at, 1 + rng() % 700);
      platform.ServerSends(std::span<const std::uint8_t>(bytes.data() + at, piece));
      at += piece;
    }
    // Keep the backlog bounded so the ring never overflows.
    DrainTo(platform, client, 64);
    platform.RunTicks(1);
    if (toPlugin.size() > 1000) toPlugin.clear();
  }
  DrainTo(platform, client, 0);
}

// Either every frame was handled, or a handler decided to end the client.
void ExpectConsumedOrEnded(const FakePlatform& platform, const Client& client) {
  if (!platform.quit) {
    EXPECT_LT(client.conn.RecvBuf.Unread(), kFrameSize);
  }
}

TEST_F(StreamFuzzTest, RandomFramesWithoutThePlugin) {
  Feed(platform, client, 20261210, false);
  ExpectConsumedOrEnded(platform, client);
}

TEST_F(StreamFuzzTest, RandomFramesWithThePlugin) {
  Feed(platform, client, 7, true);
  ExpectConsumedOrEnded(platform, client);
}

}  // namespace
}  // namespace vask
