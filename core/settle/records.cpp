#include "core/settle/records.h"

#include <algorithm>
#include <charconv>
#include <map>
#include <optional>
#include <utility>
#include <vector>

#include "core/client.h"
#include "core/connection/ini_file.h"
#include "core/settle/score_windows.h"

namespace vask {

namespace {

// A hand shows far fewer lines; a hand-edited count beyond this is capped
// so that a damaged file cannot swell the window.
constexpr long kMaxStoredLines = 200;

std::string Section(int hand) { return "juNum:" + std::to_string(hand); }
std::string NameKey(int i) { return "name( " + std::to_string(i) + " )"; }
std::string PicKey(int i) { return "PicIndex( " + std::to_string(i) + " )"; }
std::string CountKey(int j) { return "count( " + std::to_string(j) + " )"; }
std::string LineKey(int j, int k) { return CountKey(j) + "( " + std::to_string(k) + " )"; }
std::string ColourKey(int i) { return CountKey(i) + " ForeColor"; }

// A line break inside a value would end the key's line in the file.
std::string OneLine(std::string text) {
  std::replace(text.begin(), text.end(), '\r', ' ');
  std::replace(text.begin(), text.end(), '\n', ' ');
  return text;
}

// The leading decimal number of a value, as the stored numbers are read;
// nothing when it does not start with one.
std::optional<long> NumberOf(const std::string& text) {
  long v = 0;
  const char* b = text.data();
  const char* e = b + text.size();
  if (b != e && *b == '+') ++b;
  auto [end, ec] = std::from_chars(b, e, v);
  if (ec != std::errc{} || end == b) return std::nullopt;
  return v;
}

std::string Lookup(const std::map<std::string, std::string>& section, std::string key) {
  for (char& ch : key) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
  auto it = section.find(key);
  return it == section.end() ? "" : it->second;
}

}  // namespace

std::string ResultsFilePath(Client& c) { return JoinPath(c.platform.ClientDirectory(), kResultsFile); }

void RecordScoreSeat(Client& c, int view, const std::string& nick, int portraitIndex) {
  if (view < 0 || view > 3) return;
  ScoreSeatRec& seat = c.settle.records.ScoreSeat[view];
  seat.Nick = nick;
  seat.PicIndex = std::to_string(portraitIndex);
  HeroId(c, view).text = nick;
  if (portraitIndex >= 0 && portraitIndex < 20)
    PutPicture(c, c.pics.PortraitPics[static_cast<std::size_t>(portraitIndex)], HeroTou(c, view));
}

void WriteResultsFile(Client& c, int hand) {
  std::vector<std::pair<std::string, std::string>> keys;
  for (int i = 0; i < 4; ++i) {
    const ScoreSeatRec& seat = c.settle.records.ScoreSeat[i];
    keys.emplace_back(NameKey(i), OneLine(seat.Nick));
    keys.emplace_back(PicKey(i), seat.PicIndex);
  }
  for (int j = 0; j < 8; ++j) {
    const auto& lines = ScoreState(c, j).items;
    keys.emplace_back(CountKey(j), std::to_string(lines.size()));
    for (std::size_t k = 0; k < lines.size(); ++k) keys.emplace_back(LineKey(j, static_cast<int>(k)), OneLine(lines[k]));
  }
  for (int i = 0; i < 4; ++i) keys.emplace_back(ColourKey(i), std::to_string(RgbToBgr(ScoreId(c, i).foreColor)));
  classIniFile file(c.platform, ResultsFilePath(c));
  // A file that cannot be written costs the record of this hand only.
  file.WriteIniKeys(Section(hand), keys);
}

void ShowRecordedHand(Client& c, int hand) {
  if (hand == 0) return;
  const classIniFile file(c.platform, ResultsFilePath(c));
  const auto section = file.GetIniSection(Section(hand));
  for (int i = 0; i < 4; ++i) {
    ScoreId(c, i).text = Lookup(section, NameKey(i));
    // A stored index outside the portraits leaves the portrait as it is.
    if (auto k = NumberOf(Lookup(section, PicKey(i))); k && *k >= 0 && *k < 20)
      PutPicture(c, c.pics.PortraitPics[static_cast<std::size_t>(*k)], ScoreTou(c, i));
  }
  // The final lines too: a hand that cannot be read must not show the
  // last one's final scores.
  for (int j = 0; j < 8; ++j) ScoreState(c, j).items.clear();
  bool complete = true;
  for (int j = 0; j < 8 && complete; ++j) {
    const std::string count = Lookup(section, CountKey(j));
    if (count.empty()) {
      complete = false;
      break;
    }
    const long n = std::clamp(NumberOf(count).value_or(0), 0L, kMaxStoredLines);
    auto& lines = ScoreState(c, j).items;
    lines.assign(static_cast<std::size_t>(n), " ");
    for (long k = 0; k < n; ++k) {
      const std::string line = Lookup(section, LineKey(j, static_cast<int>(k)));
      // The file drops blanks around a value; an empty line keeps its row.
      lines[static_cast<std::size_t>(k)] = line.empty() ? " " : line;
    }
  }
  if (complete)
    for (int i = 0; i < 4; ++i) {
      const auto colour = NumberOf(Lookup(section, ColourKey(i))).value_or(0);
      if (colour >= 0 && colour <= 0xFFFFFF) ScoreId(c, i).foreColor = BgrToRgb(static_cast<std::uint32_t>(colour));
    }
  ++c.view.revision;
  c.platform.ViewChanged();
}

void ForgetHandRecords(Client& c) {
  const std::string path = ResultsFilePath(c);
  if (c.platform.FileExists(path)) c.platform.RemoveFile(path);
  for (int j = 0; j < 8; ++j) ScoreState(c, j).items.clear();
  HeroNum(c).items.clear();
  for (int i = 0; i < 4; ++i) {
    HeroGrade(c, i).items.clear();
    HeroSum(c, i).text.clear();
  }
  c.view.Score.visible = c.view.Hero.visible = false;
  ++c.view.revision;
}

}  // namespace vask
