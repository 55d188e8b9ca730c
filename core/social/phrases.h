#pragma once
// Quick phrases: the player's own phrases from "chat.txt", the fourteen
// built-in phrases with their voices, the phrase window huifu.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace vask {

struct Client;
struct MsgInfo;

// value(0) of a phrase line: which list it comes from.
inline constexpr int kPhraseOwn = 1;      // List1, the player's own phrases
inline constexpr int kPhraseBuiltIn = 2;  // List2, the built-in phrases
// value(2) of a built-in phrase: the letter its voice files start with.
inline constexpr int kPhraseVoiceLetter = 'a';

inline constexpr std::array<const char*, 14> kBuiltInPhrases = {
    "想跑了是吧,全国都解放了!", "别磨叽了,快打!",       "要不我先睡一觉?",   "快点!",
    "愣嘛神,相面了?",           "嘛钱不钱的，乐呵乐呵得了!", "打大不打小，打小胡不了!", "水上后门 -都是对儿!",
    "满把十三不靠!",            "全是字儿了!",           "混都浆了!",         "会玩吗?净放生张!",
    "吊了?",                    "还玩吗?别过话!"};

// The phrases file beside the client and its keys.
inline constexpr const char* kPhraseFile = "chat.txt";
inline constexpr const char* kPhraseSection = "chat";
inline constexpr const char* kPhraseCountKey = "num";
// More own phrases than a list can sensibly offer are not read.
inline constexpr int kMaxOwnPhrases = 1000;
// The most of the file read: that many phrases of a thousand bytes each.
inline constexpr std::size_t kPhraseFileMaxBytes = kMaxOwnPhrases * std::size_t{1040};

inline constexpr const char* kPhraseCaption = "快捷短语";

struct PhraseState {
  bool bLoaded = false;  // the lists are filled once, at the window's first use
};

// The number a built-in entry k (1..14) is sent as, and back: 4 is never used.
int PhraseNumber(int entry);
int PhraseEntry(int number);
// "num" read as a number: leading blanks, a sign and digits; anything else 0.
int PhraseCount(const std::string& value);

// Lays the window out and fills its lists, the first time only.
void LoadPhraseWindow(Client& c);
// The phrase buttons: imgword1 (own phrases, list 1), imgword2 (list 2).
void PhraseButton_Click(Client& c, int list);
void Huifu_Label1_Click(Client& c);
// Double-click on entry `position` (0-based) of list 1 or 2.
void SendPhrase(Client& c, int list, int position);
// A received phrase line from the player at view v: bubble and voice.
void ShowReceivedPhrase(Client& c, const MsgInfo& info, int view);

}  // namespace vask
