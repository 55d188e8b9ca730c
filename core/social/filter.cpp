#include "core/social/filter.h"

#include <string_view>

namespace vask {

// The text is UTF-8, so a byte match of a whole word is a character match:
// no word can start inside another character.
std::string FilterChat(std::string text) {
  for (std::string_view word : kFilterWords) {
    std::size_t at = 0;
    while ((at = text.find(word, at)) != std::string::npos) text.erase(at, word.size());
  }
  return text;
}

}  // namespace vask
