#pragma once
// What the prop plug-in's host and the treasure chests show the user.
namespace vask::prop_text {

inline constexpr const char* kBankTip = "单击打开您的道具仓库";
inline constexpr const char* kPickChest = "请选择一个宝箱打开";
inline constexpr const char* kWaitOthers = "请等待其他玩家打开宝箱";
inline constexpr const char* kWaitPlayers = "请等待玩家打开宝箱";
inline constexpr const char* kDrawnHand = "      黄  庄";
inline constexpr const char* kChestCountdownFirst = "5";

}  // namespace vask::prop_text
