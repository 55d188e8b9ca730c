#include <algorithm>

#include "core/view/pictures.h"

namespace vask {

// Placeholder until the picture set is drawn: every id of the tables.
const std::array<int, 327>& AllPictureIds() {
  static const std::array<int, 327> ids = [] {
    std::array<int, 327> out{};
    std::size_t n = 0;
    auto add = [&](int from, int to) {
      for (int id = from; id <= to && n < out.size(); ++id) out[n++] = id;
    };
    add(101, 120);  // buttons
    add(123, 137);  // mascots, compass, dialog buttons
    add(141, 158);  // claim buttons
    add(161, 176);  // dice
    add(183, 190);  // claim words
    add(191, 200);  // portraits 0..9
    add(201, 380);  // tile faces
    add(381, 398);  // small buttons
    add(401, 410);  // portraits 10..19
    add(420, 428);  // speech bubbles
    add(430, 437);  // quick-op buttons
    add(440, 442);  // "铲" bubbles
    add(500, 503);  // phrase buttons
    add(550, 551);  // bank
    add(600, 605);  // small die faces
    return out;
  }();
  return ids;
}

bool PictureExists(int id) {
  const auto& ids = AllPictureIds();
  return std::binary_search(ids.begin(), ids.end(), id);
}

PictureSize PictureSizeOf(int id) { return PictureExists(id) ? PictureSize{50, 50} : PictureSize{}; }

}  // namespace vask
