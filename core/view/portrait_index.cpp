#include "core/view/portrait_index.h"

#include "core/connection/gbk.h"

namespace vask {

namespace {

// The value of a digit character; anything else counts 0.
int DigitValue(char32_t ch) { return ch >= U'0' && ch <= U'9' ? static_cast<int>(ch - U'0') : 0; }

}  // namespace

int PortraitIndex(const std::string& face) {
  std::u32string f = Utf8ToCodePoints(face);
  int k = 0;
  if (f.size() == 2) k = DigitValue(f[1]) - 1;
  else if (f.size() == 3) k = 10 * DigitValue(f[1]) + DigitValue(f[2]) - 1;
  // "m0" and faces of other lengths fall back to the first portrait.
  if (k >= 10 || k < 0) k = 0;
  if (!f.empty() && f[0] == U'w') k += 10;
  return k;
}

}  // namespace vask
