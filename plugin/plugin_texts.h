#pragma once
// Everything our prop plug-in shows, in one place.
#include <array>

#include "plugin/prop_wire.h"

namespace vask::props::text {

inline constexpr const char* kWindowTitle = "道具仓库";
inline constexpr const char* kBank = "银行存款：";
inline constexpr const char* kOnTable = "身上金币：";
inline constexpr const char* kGold = "金币";
inline constexpr const char* kDeposit = "存入";
inline constexpr const char* kWithdraw = "取出";
inline constexpr const char* kUse = "使用";
inline constexpr const char* kBuy = "购买";
inline constexpr const char* kClose = "关闭";
inline constexpr const char* kKeysHint = "F2 仓库  F3 钥匙  F4 双倍  F5 喇叭";

inline constexpr std::array<const char*, kPropKinds> kPropNames{"宝箱钥匙", "双倍卡", "小喇叭"};
inline constexpr std::array<const char*, kPropKinds> kPropHelp{
    "本局结束时开启一个宝箱", "本局宝箱金币翻倍", "向全桌吹响小喇叭"};

// Answers of the bank.
inline constexpr const char* kDone = "操作成功";
inline constexpr const char* kNoGold = "身上的金币不够";
inline constexpr const char* kNoSavings = "银行存款不够";
inline constexpr const char* kNoProp = "没有这个道具";
inline constexpr const char* kNotNow = "牌局进行中，不能存取金币";
inline constexpr const char* kAlreadyUsed = "本局已经用过这个道具";

// News of the table: a nick, then one of these with the prop's name.
inline constexpr const char* kUsed = "使用了";
inline constexpr const char* kHorn = "吹响了小喇叭！";

// The hand's end.
inline constexpr const char* kChestReward = "宝箱奖励：+";
inline constexpr const char* kWonChest = "赢家宝箱";
inline constexpr const char* kKeyChest = "钥匙宝箱";
inline constexpr const char* kDoubled = "双倍卡翻倍";
inline constexpr const char* kNameEnd = "：";
// The colour code a score line ends with: eight characters, 0xBBGGRR.
inline constexpr const char* kScoreColour = "&H0000C0";  // red, on the score window's paper

}  // namespace vask::props::text
