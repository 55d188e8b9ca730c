// The sounds of play: every effect and voice of a whole scripted hand in
// order, under the sound switches; the clock's warning, the shovel and the
// pull and sit voices.
#include <gtest/gtest.h>

#include "core/client.h"
#include "core/view/pull_choice.h"
#include "support/full_hand.h"
#include "support/play_frames.h"
#include "social/social_fixture.h"
#include "support/settle_frames.h"

namespace vask {
namespace {

using test::kLeft;
using test::kOwn;
using test::kRight;
using test::kTop;

// Own seat male with voice 10, left female 20, top male 30, right female 40.
class HandSounds : public test::PlayTest {
 protected:
  HandSounds() { test::GiveTestVoices(client); }

  // The files played since the last call, without their folders:
  // "xipai" for an effect, "v27101303" for a voice.
  std::vector<std::string> Played() {
    const std::vector<std::string> calls = platform.SoundCalls();
    std::vector<std::string> out;
    for (std::size_t i = seen_; i < calls.size(); ++i) {
      const std::string& call = calls[i];
      if (call.rfind("SoundPlay(", 0) != 0) continue;
      const std::size_t name = call.rfind('/') + 1;
      out.push_back(call.substr(name, call.find(".wav") - name));
    }
    seen_ = calls.size();
    return out;
  }

  // Every step of the whole hand with what it played: "step: file".
  std::vector<std::string> PlayWholeHand() {
    std::vector<std::string> out;
    for (const test::HandStep& step : test::FullHandSteps()) {
      step.run(platform, client);
      for (const std::string& file : Played()) out.push_back(step.what + ": " + file);
    }
    return out;
  }

 private:
  std::size_t seen_ = 0;
};

TEST_F(HandSounds, AWholeHandPlaysEachEffectAndVoiceAtItsMoment) {
  client.sound.bVoicesOn = false;  // the phrase voices' switch leaves the game's alone
  std::vector<std::string> expected = {"deal: zhise", "deal: xipai", "deal: zhise"};  // dice, walls, wildcard dice
  for (int batch = 0; batch < 12; ++batch) expected.push_back("deal: qupai");  // three batches to four seats
  const std::vector<std::string> play = {
      // The own concealed kong: the pick, then the result as every client hears it.
      "press 2: v27101303", "result 32: dapai", "result 32: v27101303",
      // A discard, then the discarder names its tile (sound suit and rank).
      "own discard: dapai", "own discard: v27101311",
      "discard: dapai", "discard: v27400281",
      "press 1: v27101302", "result 8: dapai", "result 8: v27101302",
      "own discard: dapai", "own discard: v27101312",
      "discard: dapai", "discard: v27400227",
      "result 8: dapai", "result 8: v27301302",  // the top seat's pung
      "discard: dapai", "discard: v27301317",
      "result 32: dapai", "result 32: v27200203",  // the left seat's concealed kong
      "discard: dapai", "discard: v27200284",
      "press 0: v27101301", "result 4: dapai", "result 4: v27101301",
      "own discard: dapai", "own discard: v27101329",
      "discard: dapai", "discard: v27400241",
      "press 2: v27101303", "result 16: dapai", "result 16: v27101303",
      "press 2: v27101303", "result 64: dapai", "result 64: v27101303",
      // The win button is silent; the win code has no file here, so "09".
      "result 128: dapai", "result 128: v27101309"};
  expected.insert(expected.end(), play.begin(), play.end());
  EXPECT_EQ(PlayWholeHand(), expected);
}

TEST_F(HandSounds, WithTheEffectsOffAWholeHandIsSilent) {
  client.sound.bEffectsOn = false;
  EXPECT_TRUE(PlayWholeHand().empty());
  EXPECT_TRUE(platform.SoundCalls().empty());
  EXPECT_EQ(client.table.WinnerView, 0);  // the hand was played all the same
}

TEST_F(HandSounds, TheTurnClockWarnsAtEachSecondBelowSix) {
  Play(test::DealOwnTiles(test::kSampleHand));
  Played();
  Play({test::DrawFrame(kRight), test::TurnFrame(kRight, 0, 8)});
  std::vector<std::string> ticks;
  for (int second = 0; second < 10; ++second) {
    platform.Advance(1000);
    for (const std::string& file : Played()) ticks.push_back(std::to_string(client.table.Countdown) + file);
  }
  EXPECT_EQ(ticks, (std::vector<std::string>{"5tishi", "4tishi", "3tishi", "2tishi", "1tishi", "0tishi"}));
}

TEST_F(HandSounds, AShovelDiscardNamesTheShovelOnceInsteadOfTheTile) {
  Play(test::DealOwnTiles(test::kSampleHand));
  Played();
  Frame shovel = test::DiscardFrame(kRight, 0x27);
  shovel[frame_offset::kValues + 1] = 3;  // the low byte of value(0)
  Play({test::DrawFrame(kRight), test::TurnFrame(kRight), shovel});
  EXPECT_EQ(Played(), (std::vector<std::string>{"dapai", "v27400237"}));  // the discarder's voice
  EXPECT_TRUE(client.table.ShovelFlag);
  EXPECT_TRUE(client.view.Speak[3 + 2].visible);  // the marker beside the right seat
  Play({test::DrawFrame(kTop), test::TurnFrame(kTop), test::DiscardFrame(kTop, 0x28)});
  EXPECT_EQ(Played(), (std::vector<std::string>{"dapai", "v27301328"}));
}

TEST_F(HandSounds, PullAndSitAnswersAreSpokenByTheAnsweringPlayer) {
  // Others' answers come from the server; the own answers are spoken as the
  // button is clicked and not again when the server reports them.
  struct Step {
    const char* what;
    std::function<void()> act;
    std::vector<std::string> heard;
  } steps[] = {
      {"right pulls", [&] { Play({test::PullSitFrame(kRight, pull_kind::kPullAnswered, true)}); }, {"v27400234"}},
      {"right pulls again", [&] { Play({test::PullSitFrame(kRight, pull_kind::kPullAnswered, true)}); }, {"v27400235"}},
      {"left declines", [&] { Play({test::PullSitFrame(kLeft, pull_kind::kPullAnswered, false)}); }, {}},
      {"top sits", [&] { Play({test::PullSitFrame(kTop, pull_kind::kSitAnswered, true)}); }, {"v27301336"}},
      {"own pull", [&] {
         Play({test::PullSitFrame(kOwn, pull_kind::kAskPull, false)});
         ClickOn(client.view.operZ[oper_z::kPull]);
       }, {"v27101334"}},
      {"own pull reported", [&] { Play({test::PullSitFrame(kOwn, pull_kind::kPullAnswered, true)}); }, {}},
      {"own pull again", [&] {
         Play({test::PullSitFrame(kOwn, pull_kind::kAskPull, false)});
         ClickOn(client.view.operZ[oper_z::kPull]);
       }, {"v27101335"}},
      {"own sit", [&] {
         Play({test::PullSitFrame(kOwn, pull_kind::kAskSit, false)});
         ClickOn(client.view.operZ[oper_z::kSit]);
       }, {"v27101336"}},
  };
  for (const Step& s : steps) {
    s.act();
    EXPECT_EQ(Played(), s.heard) << s.what;
  }
}

}  // namespace
}  // namespace vask
