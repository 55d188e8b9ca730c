#pragma once
// Sectioned text files ("[section]" then "key=value" lines) in GBK: the
// player's quick phrases and the hand records of the visit.
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/platform.h"

namespace vask {

inline constexpr std::size_t kIniValueMax = 1023;

// Joins a directory and a file name with exactly one separator, dropping
// separators ('\' or '/') at the end of the directory and the start of the name.
std::string JoinPath(const std::string& dir, const std::string& file);

class classIniFile {
 public:
  // `readLimit` bounds what the reading operations take from the start of
  // the file (whole lines only); the writing ones always read it whole.
  explicit classIniFile(Platform& platform, std::string fileName = {}, std::size_t readLimit = kWholeFile)
      : platform_(platform), INIFileName(std::move(fileName)), readLimit_(readLimit) {}

  // Creates file, section or key as needed. The file is written whole and
  // then replaces the old one, so it is never left half written.
  bool WriteIniKey(const std::string& section, const std::string& key, const std::string& value);
  // The value, at most 1023 characters, blanks trimmed, NULs dropped; "" when
  // the file, section or key is missing.
  std::string GetIniKey(const std::string& section, const std::string& key) const;
  // Many keys of one section in one write of the file: as WriteIniKey for
  // each pair in order, but the file is read and replaced only once.
  bool WriteIniKeys(const std::string& section, const std::vector<std::pair<std::string, std::string>>& pairs);
  // Every key of a section with its value as GetIniKey gives it, the key
  // in ASCII lower case (names compare without case); the first of
  // repeated keys wins. Empty when the file or section is missing.
  std::map<std::string, std::string> GetIniSection(const std::string& section) const;
  bool DelIniKey(const std::string& section, const std::string& key);
  bool DelIniSec(const std::string& section);

 private:
  std::optional<std::string> ReadForLookup() const;

  Platform& platform_;

 public:
  std::string INIFileName;

 private:
  std::size_t readLimit_;
};

}  // namespace vask
