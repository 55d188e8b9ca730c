#include "core/social/sound.h"

#include <cctype>

#include "core/client.h"
#include "core/game/tiles.h"
#include "core/social/chat.h"
#include "core/view/layout.h"

namespace vask {

namespace {

constexpr std::array<const char*, 6> kSoundFiles = {"majiang.wav", "dapai.wav", "qupai.wav",
                                                     "xipai.wav",   "zhise.wav", "tishi.wav"};

// Codes from the server become part of a file name: only letters and
// digits are kept, so no code can lead out of the voice folder.
std::string FileNameSafe(const std::string& code) {
  std::string out;
  for (char ch : code)
    if (std::isalnum(static_cast<unsigned char>(ch))) out.push_back(ch);
  return out;
}

void DeviceFailed(Client& c) { c.sound.bEffectsOn = false; }

void Changed(Client& c) {
  ++c.view.revision;
  c.platform.ViewChanged();
}

}  // namespace

std::string SoundListPath(Client& c, int entry) {
  if (entry < 1 || entry > static_cast<int>(kSoundFiles.size())) return {};
  return c.platform.ClientDirectory() + "/../common/music/" + kSoundFiles[static_cast<std::size_t>(entry - 1)];
}

std::string SoundDir(Client& c) { return c.platform.ClientDirectory() + "/../common/dorvan/"; }

std::string VoicePrefix(Client& c, int view) {
  const PlayerRecord& p = c.players.PlayerInfo[static_cast<std::size_t>(view & 3)];
  return "v" + FileNameSafe(p.VoiceCodeA) + FileNameSafe(p.VoiceCodeB) + std::to_string(p.Sex) +
         std::to_string(p.VoiceKind);
}

std::string TileVoiceCode(int tile) { return std::to_string(SoundSuit(TileSuit(tile))) + std::to_string(TileRank(tile)); }

void SoundInit(Client& c) {
  if (!c.platform.SoundInit()) DeviceFailed(c);
}

void SoundPlay(Client& c, const std::string& path, bool loop) {
  const bool hadBuffer = c.sound.bBufferLoaded;
  c.sound.bBufferLoaded = false;
  switch (c.platform.SoundPlay(path, loop)) {
    case SoundResult::Played: c.sound.bBufferLoaded = true; break;
    case SoundResult::Unplayable: break;
    case SoundResult::DeviceFailed:
      // Releasing the old buffer is the device's part; a file it cannot
      // load is not its failure.
      if (hadBuffer) DeviceFailed(c);
      break;
  }
}

void SoundStop(Client& c) {
  if (c.sound.bBufferLoaded && !c.platform.SoundStop()) DeviceFailed(c);
}

void SoundVolume(Client& c, int value) {
  if (!c.sound.bBufferLoaded || value < 0 || value > kFullVolume) return;
  if (!c.platform.SoundVolume(value)) DeviceFailed(c);
}

void SoundStartUp(Client& c) {
  c.sound.bMusicOn = c.sound.bVoicesOn = c.sound.bEffectsOn = true;
  SoundInit(c);
  if (!c.sound.bEffectsOn) return;  // no device: the client plays on silently
  SoundStop(c);
  SoundPlay(c, SoundListPath(c, kSoundTune), true);
  SoundVolume(c, kFullVolume);
}

void SoundAtExit(Client& c) {
  // The tune may still loop after the effects were switched off.
  if (c.sound.bMusicOn || c.sound.bEffectsOn) SoundStop(c);
}

void PlayEffect(Client& c, int entry) {
  if (!c.sound.bEffectsOn) return;
  std::string path = SoundListPath(c, entry);
  if (!path.empty()) SoundPlay(c, path, false);
}

namespace {
std::string VoicePath(Client& c, int view, const std::string& code) {
  return SoundDir(c) + VoicePrefix(c, view) + code + ".wav";
}
}  // namespace

void PlaySeatVoice(Client& c, int view, const std::string& code) {
  if (c.sound.bEffectsOn) SoundPlay(c, VoicePath(c, view, code), false);
}

bool SeatVoiceExists(Client& c, int view, const std::string& code) {
  return c.platform.FileExists(VoicePath(c, view, code));
}

void PlayPhraseVoice(Client& c, int view, int letter, int number) {
  // The letter comes from the frame: anything but a letter or digit would
  // name a file outside the voice folder's plain names.
  if (letter < 0 || letter > 127 || !std::isalnum(letter)) return;
  SoundStop(c);
  SoundPlay(c, VoicePath(c, view, std::string(1, static_cast<char>(letter)) + std::to_string(number)), false);
  SoundVolume(c, kFullVolume);
}

// The settings window ------------------------------------------------------

namespace {

constexpr float kVosSetW = 220, kVosSetH = 310;
constexpr float kButtonW = 65, kButtonH = 30;
constexpr float kRowLeft = 20, kRowTop = 34, kRowStep = 56;
constexpr float kRowW = 91, kRowH = 35;

ListControl& Button(Client& c, const char* name, int index) { return Part(c.view.VosSet, name, index); }

// The switch button of a row shows what a click would do.
void ShowSwitch(Client& c, int row, bool on) {
  Button(c, "Command2", row).picture = c.pics.DialogButtonPics[on ? 4 : 5];
}

bool& Switch(Client& c, int row) {
  return row == 0 ? c.sound.bMusicOn : row == 1 ? c.sound.bVoicesOn : c.sound.bEffectsOn;
}

// Switches row 0..2 over as its button does; the plug-in hears of the
// effects switch only when asked to.
void FlipRow(Client& c, int row, bool tellPlugin) {
  bool& on = Switch(c, row);
  on = !on;
  if (row == 0) {
    if (on) {
      SoundPlay(c, SoundListPath(c, kSoundTune), true);
      SoundVolume(c, kFullVolume);
    } else {
      SoundStop(c);
    }
  }
  ShowSwitch(c, row, on);
  if (row == 2 && tellPlugin && PluginActive(c)) {
    const bool effects = c.sound.bEffectsOn;
    PropCall(c, [effects](PropPlugin& p) { p.rec_state(1, effects, 0); });
  }
}

}  // namespace

void VosSet_Form_Load(Client& c) {
  ViewModel& v = c.view;
  auto S = [&](float k) { return Scaled(v, k); };
  FormWindow& w = v.VosSet;
  w.text = sound_text::kSettingsCaption;
  w.w = S(kVosSetW);
  w.h = S(kVosSetH);
  for (int i = 0; i < 2; ++i) {
    ListControl& b = Button(c, "Command1", i);
    b.kind = ControlKind::Picture;
    b.w = S(kButtonW);
    b.h = S(kButtonH);
    b.y = S(264);
    b.x = i == 0 ? S(28) : S(28) + 1.4f * b.w;
    b.picture = c.pics.DialogButtonPics[i == 0 ? 0 : 2];
    b.visible = true;
  }
  for (int row = 0; row < 4; ++row) {
    c.sound.ChangeMark[static_cast<std::size_t>(row)] = false;
    ListControl& image = Button(c, "Image1", row);
    image.kind = ControlKind::Picture;
    image.x = S(kRowLeft);
    image.y = S(kRowTop + kRowStep * static_cast<float>(row));
    image.w = S(kRowW);
    image.h = S(kRowH);
    image.picture = kSoundRowPic + row;
    image.visible = true;
    ListControl& b = Button(c, "Command2", row);
    b.kind = ControlKind::Picture;
    b.w = S(kButtonW);
    b.h = S(kButtonH);
    b.y = image.y + S(3);
    b.x = image.x + image.w + S(20);
    b.picture = c.pics.DialogButtonPics[row < 3 ? 4 : 7];
    b.visible = true;
  }
}

void VosSet_Command2_Click(Client& c, int index) {
  if (index < 0 || index > 3) return;
  bool& mark = c.sound.ChangeMark[static_cast<std::size_t>(index)];
  mark = !mark;
  if (index < 3) FlipRow(c, index, true);
  Changed(c);
}

void VosSet_Command1_Click(Client& c, int index) {
  if (index == 1) {
    for (int row = 0; row < 3; ++row)
      if (c.sound.ChangeMark[static_cast<std::size_t>(row)]) FlipRow(c, row, false);
    for (PlayerRecord& p : c.players.PlayerInfo) p.VoiceCodeA = kMandarinVoiceCode;
  }
  if (index == 0 || index == 1) c.sound.ChangeMark.fill(false);
  Changed(c);
}

void ToggleSoundSettings(Client& c) {
  FormWindow& w = c.view.VosSet;
  if (w.visible) {
    w.visible = false;
  } else {
    w.x = c.view.Pic1.w - 1.1f * w.w;
    w.y = c.view.Pic1.h - 1.35f * w.h;
    w.visible = true;
    BringToFront(c.view, w);
  }
  Changed(c);
}

}  // namespace vask
