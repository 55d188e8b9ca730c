#pragma once
// Sound effects, game voices, the start tune and the three switches. One
// sound at a time: every new sound stops and replaces the one before.
#include <array>
#include <cstdint>
#include <string>

namespace vask {

struct Client;

struct SoundState {
  bool bMusicOn = true;
  bool bVoicesOn = true;   // quick-phrase voices
  bool bEffectsOn = true;  // every effect and game voice; off for good when the device fails
  // EffectBuffer: a sound is loaded (the last one played).
  bool bBufferLoaded = false;
  // The settings window: the change mark of each row since the last
  // "确定" or "取消".
  std::array<bool, 4> ChangeMark{};
};

// Entries of the effect list.
inline constexpr int kSoundTune = 1;     // "majiang.wav"
inline constexpr int kSoundDiscard = 2;  // "dapai.wav"
inline constexpr int kSoundTake = 3;     // "qupai.wav"
inline constexpr int kSoundWall = 4;     // "xipai.wav"
inline constexpr int kSoundDice = 5;     // "zhise.wav"
inline constexpr int kSoundTick = 6;     // "tishi.wav"

inline constexpr int kFullVolume = 3000;

// Voice codes: the file name after the speaker's prefix. The claim voices
// ("01" chow, "02" pung, "03" kong, "38" wildcard kong, "09" or the win
// code) are played by the claim results and operations.
namespace voice {
inline constexpr const char* kChow = "01";
inline constexpr const char* kPung = "02";
inline constexpr const char* kKong = "03";
inline constexpr const char* kWin = "09";  // when the win code has no file
inline constexpr const char* kPull = "34";
inline constexpr const char* kPullAgain = "35";
inline constexpr const char* kSit = "36";
inline constexpr const char* kShovel = "37";
inline constexpr const char* kWildcardKong = "38";
}  // namespace voice

// The first voice code of every voice the table assigns (Mandarin).
inline constexpr const char* kMandarinVoiceCode = "27";

// The file of an effect entry 1..6 below the client's directory; empty for
// any other entry.
std::string SoundListPath(Client& c, int entry);
// The folder of the voice files.
std::string SoundDir(Client& c);
// The start of the voice file names of the player at view v: "v", the two
// voice codes, the sex and the voice kind of the player record.
std::string VoicePrefix(Client& c, int view);
// The code of a discarded tile's voice: sound suit digit and rank digit.
std::string TileVoiceCode(int tile);

// The sound operations over the platform's one buffer. A failing device
// turns the effects off, silently; a file that cannot be played plays
// nothing and changes nothing.
void SoundInit(Client& c);
void SoundPlay(Client& c, const std::string& path, bool loop);
void SoundStop(Client& c);
void SoundVolume(Client& c, int value);  // 0..3000; others ignored

// Start-up: switches on, device made, the tune looping.
void SoundStartUp(Client& c);
// Program end: the sound stopped.
void SoundAtExit(Client& c);

// Plays effect entry 1..6 once, when effects are on.
void PlayEffect(Client& c, int entry);
// A game voice of the player at view v (the file VoicePrefix + code +
// ".wav" in the voice folder), when effects are on.
void PlaySeatVoice(Client& c, int view, const std::string& code);
// True when that voice file exists.
bool SeatVoiceExists(Client& c, int view, const std::string& code);
// A built-in phrase's voice at full volume (the caller checks bVoicesOn):
// the letter of value(2) and the phrase number of value(3).
void PlayPhraseVoice(Client& c, int view, int letter, int number);

// The settings window VosSet: laid out once; its buttons.
void VosSet_Form_Load(Client& c);
void VosSet_Command1_Click(Client& c, int index);
void VosSet_Command2_Click(Client& c, int index);
// The settings button: shows the window beside the table, or hides it.
void ToggleSoundSettings(Client& c);

namespace sound_text {
inline constexpr const char* kSettingsCaption = "声音设置";
}  // namespace sound_text

}  // namespace vask
