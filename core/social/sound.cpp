#include "core/social/sound.h"

#include <array>

#include "core/client.h"

namespace vask {

namespace {
constexpr std::array<const char*, 6> kSoundFiles = {"majiang.wav", "dapai.wav", "qupai.wav",
                                                     "xipai.wav",   "zhise.wav", "tishi.wav"};
}  // namespace

std::string SoundListPath(Client& c, int entry) {
  if (entry < 1 || entry > static_cast<int>(kSoundFiles.size())) return {};
  return c.platform.ClientDirectory() + "/../common/music/" + kSoundFiles[entry - 1];
}

std::string SoundDir(Client& c) { return c.platform.ClientDirectory() + "/../common/dorvan/"; }

// Until the sound settings window is built the button shows nothing.
void ToggleSoundSettings(Client&) {}

void PlayEffect(Client& c, int entry) {
  if (!c.sound.bEffectsOn) return;
  std::string path = SoundListPath(c, entry);
  if (!path.empty()) c.platform.SoundPlay(path, false);
}

namespace {
std::string VoicePath(Client& c, const std::string& voicePrefix, const std::string& code) {
  return SoundDir(c) + (voicePrefix.empty() ? "v" : voicePrefix) + code + ".wav";
}
}  // namespace

void PlayVoice(Client& c, const std::string& voicePrefix, const std::string& code) {
  if (!c.sound.bEffectsOn) return;
  c.platform.SoundPlay(VoicePath(c, voicePrefix, code), false);
}

bool VoiceFileExists(Client& c, const std::string& voicePrefix, const std::string& code) {
  return c.platform.FileExists(VoicePath(c, voicePrefix, code));
}

}  // namespace vask
