// Our sound files: every file the client can ask for lies beside it as a
// wave file, and the Qt platform plays them (or reports a missing device).
#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "core/client.h"
#include "core/game/tiles.h"
#include "platform/qt/qt_platform.h"

namespace vask {
namespace {

bool IsWave(const std::string& path) {
  QFile f(QString::fromStdString(path));
  if (!f.open(QIODevice::ReadOnly)) return false;
  const QByteArray head = f.read(12);
  return head.startsWith("RIFF") && head.mid(8, 4) == "WAVE";
}

// Every voice code a player can be heard with.
std::vector<std::string> VoiceCodes() {
  std::vector<std::string> codes = {voice::kChow, voice::kPung,      voice::kKong,   voice::kWin,        voice::kPull,
                                    voice::kPullAgain, voice::kSit, voice::kShovel, voice::kWildcardKong};
  for (int rank = 1; rank <= 7; ++rank) codes.push_back(TileVoiceCode(MakeTile(SuitHonour, rank)));
  for (int suit : {SuitBamboo, SuitCharacter, SuitDot})
    for (int rank = 1; rank <= 9; ++rank) codes.push_back(TileVoiceCode(MakeTile(suit, rank)));
  for (int entry = 1; entry <= 14; ++entry)
    codes.push_back(std::string(1, static_cast<char>(kPhraseVoiceLetter)) + std::to_string(PhraseNumber(entry)));
  return codes;
}

TEST(SoundFiles, EveryEffectAndEveryVoiceOfEveryAssignedVoiceExists) {
  QtPlatform platform;
  Client client(platform);
  std::vector<std::string> missing;
  for (int entry = 1; entry <= 6; ++entry)
    if (!IsWave(SoundListPath(client, entry))) missing.push_back(SoundListPath(client, entry));
  int checked = 0;
  for (const char* second : {"10", "20", "30", "40"}) {
    for (int sex : {0, 1}) {
      PlayerRecord& p = client.players.PlayerInfo[0];
      p.VoiceCodeA = kMandarinVoiceCode;  // as the table assigns them
      p.VoiceCodeB = second;
      p.Sex = static_cast<std::uint8_t>(sex);
      p.VoiceKind = sex != 0 ? 3 : 2;
      for (const std::string& code : VoiceCodes()) {
        const std::string path = SoundDir(client) + VoicePrefix(client, 0) + code + ".wav";
        ++checked;
        if (!IsWave(path)) missing.push_back(path);
      }
    }
  }
  EXPECT_EQ(checked, 8 * 57);
  EXPECT_TRUE(missing.empty()) << missing.size() << " missing, the first " << missing.front();
}

TEST(QtSound, PlaysWaveFilesAndRefusesOthersOrReportsNoDevice) {
  QtPlatform platform;
  Client client(platform);
  QTemporaryDir dir;
  const std::string notWave = dir.filePath("x.wav").toStdString();
  QFile f(QString::fromStdString(notWave));
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write("not a wave file at all");
  f.close();
  if (!platform.SoundInit()) {
    EXPECT_EQ(platform.SoundPlay(SoundListPath(client, kSoundDiscard), false), SoundResult::DeviceFailed);
    EXPECT_FALSE(platform.SoundStop());
    GTEST_SKIP() << "no sound device here";
  }
  EXPECT_EQ(platform.SoundPlay(SoundListPath(client, kSoundTune), true), SoundResult::Played);
  EXPECT_TRUE(platform.SoundVolume(1500));
  EXPECT_EQ(platform.SoundPlay(notWave, false), SoundResult::Unplayable);
  EXPECT_EQ(platform.SoundPlay(dir.filePath("none.wav").toStdString(), false), SoundResult::Unplayable);
  EXPECT_TRUE(platform.SoundStop());
}

}  // namespace
}  // namespace vask
