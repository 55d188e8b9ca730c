#pragma once
// Sound effects and game voices as the table plays them. One sound at a
// time: the platform replaces whatever plays.
#include <array>
#include <string>

namespace vask {

struct Client;

struct SoundState {
  bool bMusicOn = true;
  bool bVoicesOn = true;   // quick-phrase voices
  bool bEffectsOn = true;  // every effect and game voice
  // Per view position: the file-name start of the player's voice ("v" and
  // the voice codes, sex and kind of the player record); empty until the
  // player record sets it, which plays the default voice "v".
  std::array<std::string, 4> VoicePrefix{};
};

// Entries of the effect list.
inline constexpr int kSoundTune = 1;     // "majiang.wav"
inline constexpr int kSoundDiscard = 2;  // "dapai.wav"
inline constexpr int kSoundTake = 3;     // "qupai.wav"
inline constexpr int kSoundWall = 4;     // "xipai.wav"
inline constexpr int kSoundDice = 5;     // "zhise.wav"
inline constexpr int kSoundTick = 6;     // "tishi.wav"

// The file of an effect entry 1..6 below the client's directory; empty for
// any other entry.
std::string SoundListPath(Client& c, int entry);
// The folder of the voice files.
std::string SoundDir(Client& c);

// The settings button: the sound settings window VosSet shown or hidden.
void ToggleSoundSettings(Client& c);

// Plays effect entry 1..6 once, when effects are on.
void PlayEffect(Client& c, int entry);
// Plays the voice file `prefix + code + ".wav"` from the voice folder, when
// effects are on. The prefix names the speaker's voice (empty: the default
// voice "v").
void PlayVoice(Client& c, const std::string& voicePrefix, const std::string& code);
// True when the voice file PlayVoice would play exists.
bool VoiceFileExists(Client& c, const std::string& voicePrefix, const std::string& code);

}  // namespace vask
