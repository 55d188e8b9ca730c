#pragma once
// Every text the end of a hand shows: the settlement columns, the totals,
// the messages after a hand and the captions of the score and record
// windows.
namespace vask::settle_text {

// Settlement columns.
inline constexpr const char* kInitial = "初始：";
inline constexpr const char* kRoomStake = "房间底金： ";
inline constexpr const char* kRoomStakeUnit = " 金币";
inline constexpr const char* kRule = " -------------------  ";
inline constexpr const char* kDrawnHand = "黄庄";
inline constexpr const char* kDealer = "         庄家   ";
inline constexpr const char* kPulled = "拉庄 ";
inline constexpr const char* kPulledAgain = "再拉一下";
inline constexpr const char* kSat = "坐庄";
inline constexpr const char* kShovel = "  铲了：";
inline constexpr const char* kGold = "金币";
inline constexpr const char* kGoldBars = "金条";
inline constexpr const char* kColon = "：";

// Winning categories.
inline constexpr const char* kHeavenly = "天胡";
inline constexpr const char* kEarthly = "地胡";
inline constexpr const char* kRobbed = "抢胡";
inline constexpr const char* kFalseWin = "诈胡: ";
inline constexpr const char* kConcealedKongDraw = "暗杠杠开";
inline constexpr const char* kKongDraw = "杠开";
inline constexpr const char* kPlain = "素的";
inline constexpr const char* kDoubleWildWait = "双混吊";
inline constexpr const char* kWildWait = "混吊";
inline constexpr const char* kCatchFive = "捉五";
inline constexpr const char* kOwnWild = "本混";
inline constexpr const char* kDragon = "龙";
inline constexpr const char* kOwn = "本";
inline constexpr const char* kTiliu = "提溜";

// Kong lines.
inline constexpr const char* kAddedKong = "开杠：";
inline constexpr const char* kExposedKong = "杠：";
inline constexpr const char* kConcealedKong = "暗杠：";
inline constexpr const char* kGoldKong = "金杠：";

// Totals.
inline constexpr const char* kSubtotal = "小计:";
inline constexpr const char* kDiceDoubling = "骰子加倍 ×";
inline constexpr const char* kWealthDoubling = "财富加倍 ×";
inline constexpr const char* kSeparator = "========================";
inline constexpr const char* kTotal = " 总分:";
inline constexpr const char* kFlexibleCap = "灵活封顶";
inline constexpr const char* kFinal = "最终分：";
inline constexpr const char* kPressContinue = "请点击【继续】按钮继续游戏！";
inline constexpr const char* kStartsIn15 = "游戏将在15秒内开始";

// Windows.
inline constexpr const char* kScoreCaption = "战绩板";
inline constexpr const char* kRecordCaption = "英雄榜";
inline constexpr const char* kHandColumn = "局 数";
inline constexpr const char* kPlayerColumn = "玩家";  // followed by 0..3
inline constexpr const char* kSumLabel = "输赢总分：";
inline constexpr const char* kRecordHint = "点击查看详细战绩";
inline constexpr const char* kClose = "×";

}  // namespace vask::settle_text
