// Speech bubbles: placement, the fade timeline under the virtual clock,
// reuse, and the main window minimised and restored.
#include <gtest/gtest.h>

#include "core/view/reset.h"
#include "social/social_fixture.h"

namespace vask {
namespace {

using Bubbles = test::SocialTest;

// Opacity after each fade tick until the bubble stops.
std::vector<int> FadeTimeline(FakePlatform& p, Client& c, int view) {
  std::vector<int> out;
  for (int guard = 0; guard < 1000 && c.bubbles.boxes[view].fading; ++guard) {
    p.Advance(kFadeTickMs);
    out.push_back(c.view.SpeakBox[view].opacity);
  }
  return out;
}

TEST_F(Bubbles, FadesInHoldsFadesOutAndParks) {
  ShowBubble(client, 3, "快点!");
  const FormWindow& w = client.view.SpeakBox[3];
  EXPECT_TRUE(w.visible);
  EXPECT_TRUE(w.shaped);
  EXPECT_EQ(w.picture, kSpeakBoxPic + 3);
  EXPECT_FLOAT_EQ(w.x, 11400 / 15.0f - client.view.Pic1.x);
  EXPECT_FLOAT_EQ(w.y, 3000 / 15.0f - client.view.Pic1.y);
  EXPECT_TRUE(platform.TimerOn(TimerId::FadeIn));

  const std::vector<int> t = FadeTimeline(platform, client, 3);
  // 26 steps of 8 up to 208, a hold of 250 ticks, 52 steps of 4 down to 2,
  // and the park at the next tick.
  ASSERT_EQ(t.size(), 26u + 250u + 52u + 1u);
  for (int i = 0; i < 26; ++i) EXPECT_EQ(t[i], 8 * (i + 1)) << i;
  for (int i = 26; i < 276; ++i) ASSERT_EQ(t[i], 208) << i;
  for (int i = 0; i < 52; ++i) EXPECT_EQ(t[276 + i], 206 - 4 * i) << i;
  EXPECT_EQ(t.back(), 2);
  EXPECT_FALSE(platform.TimerOn(TimerId::FadeIn));
  EXPECT_EQ(FindPart(w, "labPhrase")->text, "");
  EXPECT_FLOAT_EQ(w.y, -2 * w.h);  // views 2 and 3 park above
}

TEST_F(Bubbles, ParkedPlacesBeforeTheFirstShowAndAfterFading) {
  for (int view = 0; view < 4; ++view) {
    EnsureBubble(client, view);
    const FormWindow& w = client.view.SpeakBox[view];
    if (view <= 1)
      EXPECT_FLOAT_EQ(w.x, -w.w) << view;
    else
      EXPECT_FLOAT_EQ(w.y, -w.h) << view;
  }
  ShowBubble(client, 1, "hi");
  FadeTimeline(platform, client, 1);
  EXPECT_FLOAT_EQ(client.view.SpeakBox[1].x, -2 * client.view.SpeakBox[1].w);
  EXPECT_FLOAT_EQ(client.view.SpeakBox[1].y, 3000 / 15.0f - client.view.Pic1.y);
}

TEST_F(Bubbles, ASecondPhraseRestartsTheSameWindow) {
  ShowBubble(client, 2, "一");
  platform.Advance(kFadeTickMs * 100);
  ShowBubble(client, 2, "二");
  EXPECT_EQ(client.bubbles.boxes[2].Alpha, 0);
  EXPECT_EQ(FindPart(client.view.SpeakBox[2], "labPhrase")->text, "二");
  EXPECT_EQ(client.view.SpeakBox[2].parts.size(), 1u);
  EXPECT_EQ(FadeTimeline(platform, client, 2).size(), 329u);
}

TEST_F(Bubbles, TwoSeatsFadeOnOneClock) {
  ShowBubble(client, 1, "a");
  platform.Advance(kFadeTickMs * 10);
  ShowBubble(client, 3, "b");
  platform.Advance(kFadeTickMs * 5);
  EXPECT_EQ(client.view.SpeakBox[1].opacity, 8 * 15);
  EXPECT_EQ(client.view.SpeakBox[3].opacity, 8 * 5);
  FadeTimeline(platform, client, 1);
  EXPECT_TRUE(platform.TimerOn(TimerId::FadeIn));  // seat 3 still fades
  FadeTimeline(platform, client, 3);
  EXPECT_FALSE(platform.TimerOn(TimerId::FadeIn));
}

TEST_F(Bubbles, MinimisingHidesThemAndRestoringAfterAHandStopsThem) {
  ShowBubble(client, 1, "a");
  platform.Advance(kFadeTickMs * 30);
  client.OnMainWindowState(true);
  EXPECT_FALSE(client.view.SpeakBox[1].visible);
  client.OnMainWindowState(false);  // no hand yet: left as it is
  EXPECT_TRUE(client.bubbles.boxes[1].fading);
  client.table.HandNo = 1;
  client.OnMainWindowState(false);
  EXPECT_FALSE(client.bubbles.boxes[1].fading);
  EXPECT_FALSE(client.view.SpeakBox[1].visible);
  EXPECT_EQ(client.view.SpeakBox[1].opacity, 0);
  EXPECT_FALSE(platform.TimerOn(TimerId::FadeIn));
  ShowBubble(client, 1, "b");
  EXPECT_TRUE(client.view.SpeakBox[1].visible);
}

TEST_F(Bubbles, TheTableResetClosesThemAndTheNextPhraseOpensItsWindowAnew) {
  ShowBubble(client, 1, "a");
  ShowBubble(client, 2, "b");
  platform.Advance(kFadeTickMs * 30);
  ResetTable(client);
  for (int view : {1, 2}) {
    EXPECT_FALSE(client.bubbles.boxes[view].loaded) << view;
    EXPECT_FALSE(client.view.SpeakBox[view].visible) << view;
  }
  EXPECT_FALSE(platform.TimerOn(TimerId::FadeIn));
  ShowBubble(client, 2, "c");
  EXPECT_TRUE(client.view.SpeakBox[2].visible);
  EXPECT_EQ(FindPart(client.view.SpeakBox[2], "labPhrase")->text, "c");
  EXPECT_EQ(FadeTimeline(platform, client, 2).size(), 329u);
}

TEST_F(Bubbles, SeatsOutsideTheTableAreIgnored) {
  ShowBubble(client, 4, "x");
  ShowBubble(client, -1, "x");
  showMe(client, 7, "x", 210, 8, 4, 2000);
  for (const SpeakBoxState& s : client.bubbles.boxes) EXPECT_FALSE(s.loaded);
}

}  // namespace
}  // namespace vask
