#pragma once
// The view model: every named control of the main window with its place,
// picture, text and state. Handlers change it; the platform draws it.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace vask {

inline constexpr int kNoPicture = 0;

struct Control {
  int x = 0, y = 0, w = 0, h = 0;
  int picture = kNoPicture;  // picture id, 0 for none
  std::string text;
  bool visible = false;
  bool enabled = true;
  int z = 0;  // stacking order: higher is in front
  std::uint32_t foreColor = 0x000000;  // 0xRRGGBB
};

// A list control: lines of text, the newest appended at the end.
struct ListControl : Control {
  std::vector<std::string> items;
};

struct ViewModel {
  std::string Caption;
  std::array<Control, 136> MJ_Image{};
  ListControl Sysmsg;     // the two-line message list
  ListControl ChatList1;  // the first chat line list
  // Raised whenever something changed since the platform last drew.
  std::uint64_t revision = 0;
};

}  // namespace vask
