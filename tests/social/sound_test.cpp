// Sound: the operations over the one buffer, device failures, the file
// names of effects and voices, the settings window, and the sound calls of
// a scripted hand.
#include <gtest/gtest.h>

#include "core/connection/startup.h"
#include "social/social_fixture.h"

namespace vask {
namespace {

const std::string kMusic = "/client/../common/music/";
const std::string kVoices = "/client/../common/dorvan/";

std::string Play(const std::string& path, bool loop = false) {
  return "SoundPlay(" + path + (loop ? ",loop)" : ",once)");
}

// A plug-in that records what it is told of the effects switch.
class StatePlugin : public NullPropPlugin {
 public:
  explicit StatePlugin(std::vector<bool>* told) : told_(told) {}
  void rec_state(int what, bool flag, int) override {
    if (what == 1) told_->push_back(flag);
  }

 private:
  std::vector<bool>* told_;
};

using Sound = test::SocialTest;

TEST_F(Sound, StartUpPlaysTheTuneLoopingAtFullVolume) {
  ASSERT_TRUE(StartUp(client, "a$k$127.0.0.1$7300$l$0$$0$$$1$T$C$0$0$"));
  EXPECT_EQ(platform.SoundCalls(),
            (std::vector<std::string>{"SoundInit", Play(kMusic + "majiang.wav", true), "SoundVolume(3000)"}));
  EXPECT_TRUE(client.sound.bEffectsOn && client.sound.bVoicesOn && client.sound.bMusicOn);
}

TEST_F(Sound, WithoutADeviceTheClientPlaysOnSilently) {
  platform.soundDeviceFails = true;
  SoundStartUp(client);
  EXPECT_FALSE(client.sound.bEffectsOn);
  EXPECT_TRUE(client.sound.bVoicesOn);
  EXPECT_TRUE(client.sound.bMusicOn);
  EXPECT_EQ(platform.SoundCalls(), std::vector<std::string>{"SoundInit"});
  PlayScriptedHand(platform, client, 2);
  EXPECT_EQ(platform.SoundCalls(), std::vector<std::string>{"SoundInit"});
  EXPECT_EQ(client.table.LastDiscardView, 1);  // the round went round
}

TEST_F(Sound, ADeviceFailingLaterTurnsTheEffectsOffAndNothingElse) {
  // {what fails, effects afterwards}
  struct Case {
    const char* what;
    std::function<void(Client&)> act;
    bool effects;
  } cases[] = {
      {"play over a loaded sound", [](Client& c) { SoundPlay(c, "/x.wav", false); }, false},
      {"stop", [](Client& c) { SoundStop(c); }, false},
      {"volume", [](Client& c) { SoundVolume(c, 3000); }, false},
      {"volume out of range is not even tried", [](Client& c) { SoundVolume(c, 3001); }, true},
  };
  for (const Case& k : cases) {
    FakePlatform p;
    Client c(p);
    SoundPlay(c, kMusic + "dapai.wav", false);
    ASSERT_TRUE(c.sound.bBufferLoaded);
    p.soundDeviceFails = true;
    k.act(c);
    EXPECT_EQ(c.sound.bEffectsOn, k.effects) << k.what;
    EXPECT_TRUE(c.sound.bVoicesOn) << k.what;
    EXPECT_FALSE(p.quit) << k.what;
  }
}

TEST_F(Sound, AnUnplayableFileChangesNoSwitchAndLeavesNoBuffer) {
  SoundPlay(client, kMusic + "dapai.wav", false);
  platform.unplayableSounds.push_back("/missing.wav");
  SoundPlay(client, "/missing.wav", false);
  EXPECT_TRUE(client.sound.bEffectsOn);
  EXPECT_FALSE(client.sound.bBufferLoaded);
  SoundStop(client);
  SoundVolume(client, 3000);
  EXPECT_EQ(platform.SoundCalls().size(), 2u);  // stop and volume need a buffer
}

TEST_F(Sound, VolumeOutside0To3000IsIgnored) {
  SoundPlay(client, kMusic + "dapai.wav", false);
  for (int v : {-1, 3001, 0, 1500, 3000}) SoundVolume(client, v);
  const auto calls = platform.SoundCalls();
  EXPECT_EQ(std::vector<std::string>(calls.begin() + 1, calls.end()),
            (std::vector<std::string>{"SoundVolume(0)", "SoundVolume(1500)", "SoundVolume(3000)"}));
}

TEST_F(Sound, VoiceFilesAreNamedByTheSpeakersCodes) {
  EXPECT_EQ(VoicePrefix(client, 0), "v271013");  // male, first voice
  EXPECT_EQ(VoicePrefix(client, 3), "v274002");  // female, fourth voice
  // Codes from the server that are no plain names lose what would lead elsewhere.
  client.players.PlayerInfo[1].VoiceCodeA = "../..";
  client.players.PlayerInfo[1].VoiceCodeB = "/etc";
  EXPECT_EQ(VoicePrefix(client, 1), "vetc02");
  struct Case {
    int tile;
    const char* code;
  } tiles[] = {{0x45, "85"}, {0x83, "43"}, {0x17, "17"}, {0x29, "29"}, {0x11, "11"}};  // dots and characters swap
  for (const Case& t : tiles) EXPECT_EQ(TileVoiceCode(t.tile), t.code) << t.tile;
}

TEST_F(Sound, ThePhraseVoiceSwitchLeavesGameVoicesAndTheEffectsSwitchSilencesThem) {
  client.sound.bVoicesOn = false;
  PlaySeatVoice(client, 1, voice::kPung);
  PlayEffect(client, kSoundDiscard);
  EXPECT_EQ(platform.SoundCalls().size(), 2u);
  client.sound.bVoicesOn = true;
  client.sound.bEffectsOn = false;
  PlaySeatVoice(client, 1, voice::kPung);
  PlayEffect(client, kSoundDiscard);
  EXPECT_EQ(platform.SoundCalls().size(), 2u);
}

class SoundSettings : public test::SocialTest {
 protected:
  SoundSettings() {
    ToggleSoundSettings(client);
    SoundPlay(client, kMusic + "majiang.wav", true);
    platform.calls.clear();
  }
  void Click(int row) { ClickPart(client.view.VosSet, "Command2", row); }
  void Ok() { ClickPart(client.view.VosSet, "Command1", 0); }
  void Cancel() { ClickPart(client.view.VosSet, "Command1", 1); }
  int Face(int row) { return FindPart(client.view.VosSet, "Command2", row)->picture; }
};

TEST_F(SoundSettings, TheWindowShowsItsButtonsAndTogglesBesideTheTable) {
  const FormWindow& w = client.view.VosSet;
  EXPECT_EQ(FindPart(w, "Command1", 0)->picture, client.pics.DialogButtonPics[0]);
  EXPECT_EQ(FindPart(w, "Command1", 1)->picture, client.pics.DialogButtonPics[2]);
  EXPECT_FLOAT_EQ(FindPart(w, "Command1", 1)->x, 28 + 1.4f * 65);
  for (int row = 0; row < 3; ++row) EXPECT_EQ(Face(row), client.pics.DialogButtonPics[4]);
  EXPECT_EQ(Face(3), client.pics.DialogButtonPics[7]);
  const ListControl* image = FindPart(w, "Image1", 2);
  EXPECT_FLOAT_EQ(FindPart(w, "Command2", 2)->x, image->x + image->w + 20);
  EXPECT_FLOAT_EQ(FindPart(w, "Command2", 2)->y, image->y + 3);
  ASSERT_TRUE(w.visible);
  EXPECT_FLOAT_EQ(w.y, client.view.Pic1.h - 1.35f * w.h);
  EXPECT_FLOAT_EQ(w.x, client.view.Pic1.w - 1.1f * w.w);
  Ok();
  Cancel();
  EXPECT_TRUE(w.visible);  // neither button hides it
  ClickOn(client.view.AnNiu[3]);
  EXPECT_FALSE(w.visible);
  ClickOn(client.view.AnNiu[3]);
  EXPECT_TRUE(w.visible);
}

TEST_F(SoundSettings, TurningTheMusicOnAndThenDiscardingStopsTheTune) {
  Click(0);
  EXPECT_FALSE(client.sound.bMusicOn);
  EXPECT_EQ(Face(0), client.pics.DialogButtonPics[5]);
  Click(0);
  EXPECT_EQ(Face(0), client.pics.DialogButtonPics[4]);
  PlayEffect(client, kSoundDiscard);
  EXPECT_EQ(platform.SoundCalls(), (std::vector<std::string>{"SoundStop", Play(kMusic + "majiang.wav", true),
                                                             "SoundVolume(3000)", Play(kMusic + "dapai.wav")}));
}

TEST_F(SoundSettings, CancelRevertsOnlyTheRowsChangedAnOddNumberOfTimes) {
  Click(0);
  Click(0);  // off and on again: nothing to revert
  Click(1);  // phrase voices off
  platform.calls.clear();
  client.players.PlayerInfo[2].VoiceCodeA = "99";
  Cancel();
  EXPECT_TRUE(client.sound.bMusicOn);
  EXPECT_TRUE(client.sound.bVoicesOn);
  EXPECT_EQ(Face(1), client.pics.DialogButtonPics[4]);
  EXPECT_TRUE(platform.SoundCalls().empty());
  for (const PlayerRecord& p : client.players.PlayerInfo) EXPECT_EQ(p.VoiceCodeA, "27");
  Click(1);
  Ok();
  Cancel();  // after OK the change stays
  EXPECT_FALSE(client.sound.bVoicesOn);
}

TEST_F(SoundSettings, TheEffectsSwitchTellsThePluginButCancelDoesNot) {
  std::vector<bool> told;
  client.prop.PropObj = std::make_unique<StatePlugin>(&told);
  client.prop.Prop_GameDllState = 1;
  Click(2);
  EXPECT_FALSE(client.sound.bEffectsOn);
  PlayEffect(client, kSoundDiscard);
  EXPECT_TRUE(platform.SoundCalls().empty());
  Cancel();
  EXPECT_TRUE(client.sound.bEffectsOn);
  EXPECT_EQ(told, std::vector<bool>{false});
  Click(3);  // the dialect row does nothing
  EXPECT_TRUE(client.sound.bEffectsOn && client.sound.bVoicesOn && client.sound.bMusicOn);
}

TEST_F(Sound, AScriptedHandPlaysItsSoundsInOrder) {
  client.sound.bVoicesOn = false;  // game voices do not depend on it
  PlayScriptedHand(platform, client, 1);
  std::vector<std::string> calls;
  for (std::string call : platform.SoundCalls()) {
    for (const std::string& dir : {kMusic, kVoices})
      if (auto at = call.find(dir); at != std::string::npos) call.erase(at, dir.size());
    calls.push_back(call);
  }
  // The hand start's dice, the walls built, the dice of the wildcard indicator.
  std::vector<std::string> expected = {"SoundPlay(zhise.wav,once)", "SoundPlay(xipai.wav,once)",
                                       "SoundPlay(zhise.wav,once)"};
  for (int i = 0; i < 12; ++i) expected.push_back("SoundPlay(qupai.wav,once)");  // three batches to four seats
  // The own discard, then the three others, each with the discarder's voice for the tile.
  const std::array<std::string, 4> voice = {"v271013", "v272002", "v273013", "v274002"};
  const std::array<int, 4> order = {0, 3, 2, 1};  // masks 1, 2, 4, 8
  for (int k = 0; k < 4; ++k) {
    expected.push_back("SoundPlay(dapai.wav,once)");
    expected.push_back("voice:" + voice[order[k]]);
  }
  ASSERT_EQ(calls.size(), expected.size()) << ::testing::PrintToString(calls);
  for (std::size_t i = 0; i < calls.size(); ++i) {
    if (expected[i].rfind("voice:", 0) == 0) {
      const std::string prefix = "SoundPlay(" + expected[i].substr(6);
      EXPECT_EQ(calls[i].rfind(prefix, 0), 0u) << i << ": " << calls[i];
      EXPECT_EQ(calls[i].size(), prefix.size() + std::string("NN.wav,once)").size()) << calls[i];
    } else {
      EXPECT_EQ(calls[i], expected[i]) << i;
    }
  }
}

}  // namespace
}  // namespace vask
