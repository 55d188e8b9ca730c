#include "core/connection/ini_file.h"

#include <algorithm>
#include <cctype>
#include <functional>
#include <optional>
#include <vector>

#include "core/connection/gbk.h"
#include "platform/platform.h"

namespace vask {
namespace {

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

std::string Trim(std::string_view s) {
  auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
  std::size_t b = 0, e = s.size();
  while (b < e && blank(s[b])) ++b;
  while (e > b && blank(s[e - 1])) --e;
  return std::string(s.substr(b, e - b));
}

// Section and key names compare without regard to ASCII case, as the
// profile-string files users edit by hand have always done.
bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
      return false;
  return true;
}

// The file as lines (GBK bytes, line ends removed).
std::vector<std::string> SplitLines(const std::string& bytes) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < bytes.size()) {
    std::size_t end = bytes.find('\n', start);
    if (end == std::string::npos) end = bytes.size();
    std::string line = bytes.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(std::move(line));
    start = end + 1;
  }
  return lines;
}

std::string JoinLines(const std::vector<std::string>& lines) {
  std::string out;
  for (const auto& l : lines) {
    out += l;
    out += "\r\n";
  }
  return out;
}

// "[name]" gives name; anything else gives nothing.
std::optional<std::string> SectionName(const std::string& line) {
  std::string t = Trim(line);
  if (t.size() < 2 || t.front() != '[') return std::nullopt;
  std::size_t close = t.find(']');
  if (close == std::string::npos) return std::nullopt;
  return Trim(std::string_view(t).substr(1, close - 1));
}

// "key=value": the key, or nothing for comments and other lines.
std::optional<std::string> KeyName(const std::string& line) {
  std::size_t eq = line.find('=');
  if (eq == std::string::npos) return std::nullopt;
  std::string key = Trim(std::string_view(line).substr(0, eq));
  if (key.empty() || key.front() == ';') return std::nullopt;
  return key;
}

// Whether any line of the file is this section's header, read in place:
// only lines that open with '[' are looked at closely.
bool HasSection(std::string_view bytes, const std::string& gbkSection) {
  for (std::size_t start = 0; start < bytes.size();) {
    std::size_t end = bytes.find('\n', start);
    if (end == std::string_view::npos) end = bytes.size();
    const std::string_view line = bytes.substr(start, end - start);
    start = end + 1;
    const std::size_t first = line.find_first_not_of(" \t");
    if (first == std::string_view::npos || line[first] != '[') continue;
    auto name = SectionName(std::string(line));
    if (name && SameName(*name, gbkSection)) return true;
  }
  return false;
}

// Line range [begin, end) of a section's body; begin is the header line.
struct SectionSpan {
  std::size_t header = 0;
  std::size_t end = 0;
};

std::optional<SectionSpan> FindSection(const std::vector<std::string>& lines, const std::string& gbkSection) {
  for (std::size_t i = 0; i < lines.size(); ++i) {
    auto name = SectionName(lines[i]);
    if (!name || !SameName(*name, gbkSection)) continue;
    std::size_t j = i + 1;
    while (j < lines.size() && !SectionName(lines[j])) ++j;
    return SectionSpan{i, j};
  }
  return std::nullopt;
}

std::optional<std::size_t> FindKey(const std::vector<std::string>& lines, const SectionSpan& span,
                                   const std::string& gbkKey) {
  for (std::size_t i = span.header + 1; i < span.end; ++i) {
    auto key = KeyName(lines[i]);
    if (key && SameName(*key, gbkKey)) return i;
  }
  return std::nullopt;
}

std::string LowerAscii(std::string s) {
  for (char& ch : s) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
  return s;
}

// The value of a "key=value" line: NULs dropped, blanks trimmed, at most
// kIniValueMax characters.
std::string ValueOf(const std::string& line) {
  std::string raw = line.substr(line.find('=') + 1);
  raw.erase(std::remove(raw.begin(), raw.end(), '\0'), raw.end());
  std::string value = Trim(GbkToUtf8(raw));
  return FirstChars(value, kIniValueMax);
}

// The "key=value" lines of the pairs that `replaced` does not take in
// place (it gets the lower-case key name), in the order given; a key given
// twice keeps its first place and its last value.
std::vector<std::string> NewEntries(const std::vector<std::pair<std::string, std::string>>& pairs,
                                    const std::function<bool(const std::string&, std::string&)>& replaced) {
  std::vector<std::string> added;
  std::map<std::string, std::size_t> addedAt;
  for (const auto& [key, value] : pairs) {
    const std::string gKey = Utf8ToGbk(key);
    std::string entry = gKey + "=" + Utf8ToGbk(value);
    const std::string name = LowerAscii(Trim(gKey));
    if (replaced && replaced(name, entry)) continue;
    if (auto at = addedAt.find(name); at != addedAt.end()) {
      added[at->second] = std::move(entry);
    } else {
      addedAt[name] = added.size();
      added.push_back(std::move(entry));
    }
  }
  return added;
}

}  // namespace

std::string JoinPath(const std::string& dir, const std::string& file) {
  std::size_t e = dir.size();
  while (e > 0 && IsSeparator(dir[e - 1])) --e;
  std::size_t b = 0;
  while (b < file.size() && IsSeparator(file[b])) ++b;
  return dir.substr(0, e) + "/" + file.substr(b);
}

std::optional<std::string> classIniFile::ReadForLookup() const {
  auto bytes = platform_.ReadFile(INIFileName, readLimit_);
  // A cut file ends at its last whole line: half a value is no value.
  if (bytes && readLimit_ != kWholeFile && bytes->size() == readLimit_) {
    const std::size_t end = bytes->find_last_of('\n');
    bytes->resize(end == std::string::npos ? 0 : end + 1);
  }
  return bytes;
}

std::string classIniFile::GetIniKey(const std::string& section, const std::string& key) const {
  auto bytes = ReadForLookup();
  if (!bytes) return "";
  auto lines = SplitLines(*bytes);
  auto span = FindSection(lines, Utf8ToGbk(section));
  if (!span) return "";
  auto at = FindKey(lines, *span, Utf8ToGbk(key));
  if (!at) return "";
  return ValueOf(lines[*at]);
}

std::map<std::string, std::string> classIniFile::GetIniSection(const std::string& section) const {
  std::map<std::string, std::string> out;
  auto bytes = ReadForLookup();
  if (!bytes) return out;
  auto lines = SplitLines(*bytes);
  auto span = FindSection(lines, Utf8ToGbk(section));
  if (!span) return out;
  for (std::size_t i = span->header + 1; i < span->end; ++i) {
    auto key = KeyName(lines[i]);
    if (!key) continue;
    out.emplace(LowerAscii(GbkToUtf8(*key)), ValueOf(lines[i]));
  }
  return out;
}

bool classIniFile::WriteIniKey(const std::string& section, const std::string& key,
                               const std::string& value) {
  return WriteIniKeys(section, {{key, value}});
}

bool classIniFile::WriteIniKeys(const std::string& section,
                                const std::vector<std::pair<std::string, std::string>>& pairs) {
  auto bytes = platform_.ReadFile(INIFileName, kWholeFile);
  const std::string gSection = Utf8ToGbk(section);
  // A new section goes at the end, the file before it untouched: the
  // results file gains one per hand, and taking the whole file apart each
  // time grew with the length of the visit.
  if (!bytes || !HasSection(*bytes, gSection)) {
    std::string out = bytes ? std::move(*bytes) : std::string();
    if (!out.empty() && out.back() != '\n') out += "\r\n";
    out += "[" + gSection + "]\r\n";
    for (const std::string& entry : NewEntries(pairs, {})) out += entry + "\r\n";
    return platform_.WriteFile(INIFileName, out);
  }
  auto lines = SplitLines(*bytes);
  auto span = FindSection(lines, gSection);
  if (!span) {
    lines.push_back("[" + gSection + "]");
    span = SectionSpan{lines.size() - 1, lines.size()};
  }
  // The section's keys, found once: a key already there is replaced in
  // place, a new one joins the others after the section's last non-blank
  // line (blank separators stay below), in the order given.
  std::map<std::string, std::size_t> existing;
  for (std::size_t i = span->end; i-- > span->header + 1;)
    if (auto key = KeyName(lines[i])) existing[LowerAscii(*key)] = i;
  std::vector<std::string> added = NewEntries(pairs, [&](const std::string& name, std::string& entry) {
    auto it = existing.find(name);
    if (it == existing.end()) return false;
    lines[it->second] = std::move(entry);
    return true;
  });
  std::size_t insert = span->end;
  while (insert > span->header + 1 && Trim(lines[insert - 1]).empty()) --insert;
  lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(insert), std::make_move_iterator(added.begin()),
               std::make_move_iterator(added.end()));
  return platform_.WriteFile(INIFileName, JoinLines(lines));
}

bool classIniFile::DelIniKey(const std::string& section, const std::string& key) {
  auto bytes = platform_.ReadFile(INIFileName, kWholeFile);
  if (!bytes) return false;
  auto lines = SplitLines(*bytes);
  auto span = FindSection(lines, Utf8ToGbk(section));
  if (!span) return false;
  auto at = FindKey(lines, *span, Utf8ToGbk(key));
  if (!at) return false;
  lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(*at));
  return platform_.WriteFile(INIFileName, JoinLines(lines));
}

bool classIniFile::DelIniSec(const std::string& section) {
  auto bytes = platform_.ReadFile(INIFileName, kWholeFile);
  if (!bytes) return false;
  auto lines = SplitLines(*bytes);
  auto span = FindSection(lines, Utf8ToGbk(section));
  if (!span) return false;
  lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(span->header),
              lines.begin() + static_cast<std::ptrdiff_t>(span->end));
  return platform_.WriteFile(INIFileName, JoinLines(lines));
}

}  // namespace vask
