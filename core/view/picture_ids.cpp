#include <algorithm>

#include "core/view/pictures.h"

namespace vask {

const std::array<int, 327>& AllPictureIds() {
  static const std::array<int, 327> ids = [] {
    std::array<int, 327> out{};
    std::size_t n = 0;
    auto add = [&](int from, int to) {
      for (int id = from; id <= to && n < out.size(); ++id) out[n++] = id;
    };
    add(101, 120);  // panel buttons, normal and hover
    add(123, 125);  // mascots
    add(126, 129);  // compass
    add(130, 137);  // dialog buttons
    add(141, 158);  // claim buttons (141..143 the unused chow button)
    add(161, 176);  // dice faces and tumbling frames
    add(183, 190);  // claim words (183 the unused chow word)
    add(191, 200);  // portraits 0..9
    add(201, 380);  // tile faces
    add(381, 398);  // small panel buttons
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

namespace {

// Tile face n (0..35) of face set s (0..4). Backs have their own sizes.
PictureSize TileFaceSize(int s, int n) {
  constexpr PictureSize kFace[5] = {{50, 58}, {59, 46}, {34, 37}, {59, 46}, {50, 77}};
  constexpr PictureSize kStandingBack[5] = {{50, 77}, {33, 66}, {34, 50}, {34, 66}, {50, 77}};
  constexpr PictureSize kLyingBack[5] = {{38, 56}, {50, 44}, {33, 37}, {50, 44}, {38, 56}};
  if (n == 7) return kStandingBack[s];
  if (n == 8) return kLyingBack[s];
  return kFace[s];
}

}  // namespace

// Drawn sizes: those of the controls each picture is shown in; the view
// stretches every picture to its control anyway.
PictureSize PictureSizeOf(int id) {
  if (!PictureExists(id)) return {};
  if (id >= 201 && id <= 380) return TileFaceSize((id - 201) / 36, (id - 201) % 36);
  if (id == 101 || id == 102) return {50, 30};  // "发送", the narrow AnNiu(0)
  if (id <= 120) return {60, 30};
  if (id <= 125) return {82, 80};
  if (id <= 129) return {77, 77};
  if (id <= 133) return {70, 29};  // "确定", "取消"
  if (id <= 137) return {64, 26};  // the sound switches
  if (id <= 158) return {50, 71};
  if (id <= 176) return {50, 56};
  if (id <= 190) return {60, 44};  // claim words, inside an 81 × 81 bubble
  if (id <= 200) return {85, 90};
  if (id <= 398) return {47, 23};  // 60 × 30 at the small-screen scale
  if (id <= 410) return {85, 90};
  if (id <= 428) return {215, 141};
  if (id <= 437) return {66, 38};
  if (id <= 442) return {93, 116};
  if (id <= 503) return {57, 13};
  if (id <= 551) return {56, 32};
  return {24, 24};
}

const std::array<int, 14>& WindowPictureIds() {
  static const std::array<int, 14> ids = {kSpeakBoxPic,     kSpeakBoxPic + 1, kSpeakBoxPic + 2, kSpeakBoxPic + 3,
                                          kSoundRowPic,     kSoundRowPic + 1, kSoundRowPic + 2, kSoundRowPic + 3,
                                          kClosePic,        kClosePic + 1,    kClosePic + 2,    kMinimizePic,
                                          kMinimizePic + 1, kMinimizePic + 2};
  return ids;
}

PictureSize WindowPictureSize(int id) {
  if (id >= kSpeakBoxPic && id <= kSpeakBoxPic + 3) return {240, 110};
  if (id >= kSoundRowPic && id <= kSoundRowPic + 3) return {91, 35};
  if (id >= kClosePic && id <= kMinimizePic + 2) return {20, 16};
  return {};
}

}  // namespace vask
