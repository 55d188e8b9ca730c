#pragma once
// The word filter every received chat line passes before it is shown.
#include <array>
#include <string>

namespace vask {

// Deleted in this order, each wherever it occurs. Later words are looked
// for in the text the earlier deletions left, so "婊子养的" goes whole
// before "婊子" is looked for.
inline constexpr std::array<const char*, 15> kFilterWords = {
    "毛泽东", "邓小平", "江泽民", "胡锦涛",  // the national leaders' names
    "法轮功", "他妈的", "她妈的", "它妈的", "婊子养的", "婊子", "淫", "色情", "黄色", "shit", "fuck"};

// The text with every listed word deleted (case matters: "Shit" stays).
std::string FilterChat(std::string text);

}  // namespace vask
