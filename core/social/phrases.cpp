#include "core/social/phrases.h"

#include <algorithm>
#include <cctype>

#include "core/client.h"
#include "core/connection/ini_file.h"
#include "core/social/bubbles.h"
#include "core/social/chat.h"
#include "core/view/buttons.h"

namespace vask {

namespace {

constexpr float kHuifuW = 330, kHuifuH = 264;  // the fourteen built-in phrases in full

ListControl& List(Client& c, int list) { return Part(c.view.huifu, list == kPhraseOwn ? "List1" : "List2"); }

void Changed(Client& c) {
  ++c.view.revision;
  c.platform.ViewChanged();
}

void ReadOwnPhrases(Client& c, ListControl& list) {
  // Only as much of the file as the list can hold is read: an absurd file
  // would freeze the window while it is taken apart.
  classIniFile ini(c.platform, JoinPath(c.platform.ClientDirectory(), kPhraseFile), kPhraseFileMaxBytes);
  if (!c.platform.FileExists(ini.INIFileName)) return;
  // One reading of the file, however many phrases it claims.
  const std::map<std::string, std::string> keys = ini.GetIniSection(kPhraseSection);
  auto value = [&](const std::string& key) {
    auto it = keys.find(key);
    return it == keys.end() ? std::string() : it->second;
  };
  const int n = std::min(PhraseCount(value(kPhraseCountKey)), kMaxOwnPhrases);
  // Missing keys stay as empty entries, so positions match the file's keys.
  for (int i = 1; i <= n; ++i) list.items.push_back(value(std::to_string(i)));
}

// The phrase at a 1-based position of a list; empty outside it.
std::string Entry(Client& c, int list, int position) {
  const auto& items = List(c, list).items;
  if (position < 1 || position > static_cast<int>(items.size())) return {};
  return items[static_cast<std::size_t>(position - 1)];
}

}  // namespace

int PhraseNumber(int entry) { return entry <= 3 ? entry : entry + 1; }

int PhraseEntry(int number) { return number < 5 ? number : number - 1; }

int PhraseCount(const std::string& value) {
  std::size_t i = 0;
  while (i < value.size() && (value[i] == ' ' || value[i] == '\t')) ++i;
  bool negative = false;
  if (i < value.size() && (value[i] == '+' || value[i] == '-')) negative = value[i++] == '-';
  long long n = 0;
  for (; i < value.size() && std::isdigit(static_cast<unsigned char>(value[i])); ++i) {
    n = n * 10 + (value[i] - '0');
    if (n > kMaxOwnPhrases) n = kMaxOwnPhrases + 1;  // enough to know it is too many
  }
  return negative ? 0 : static_cast<int>(n);
}

void LoadPhraseWindow(Client& c) {
  if (c.phrases.bLoaded) return;
  c.phrases.bLoaded = true;
  LayOutListWindow(c, c.view.huifu, kPhraseCaption, kHuifuW, kHuifuH, {"List1", "List2"});
  ReadOwnPhrases(c, List(c, kPhraseOwn));
  ListControl& builtIn = List(c, kPhraseBuiltIn);
  for (const char* phrase : kBuiltInPhrases) builtIn.items.emplace_back(phrase);
}

void PhraseButton_Click(Client& c, int list) {
  LoadPhraseWindow(c);
  FormWindow& w = c.view.huifu;
  c.view.Talk.visible = false;
  ListControl& mine = List(c, list);
  ListControl& other = List(c, list == kPhraseOwn ? kPhraseBuiltIn : kPhraseOwn);
  if (!w.visible) {
    PlaceChatWindow(c, w);
    w.visible = true;
    BringToFront(c.view, w);
  } else if (mine.visible) {
    w.visible = false;
  }
  mine.visible = true;
  other.visible = false;
  Changed(c);
}

void Huifu_Label1_Click(Client& c) {
  c.view.huifu.visible = false;
  Changed(c);
}

void SendPhrase(Client& c, int list, int position) {
  LoadPhraseWindow(c);
  if (list != kPhraseOwn && list != kPhraseBuiltIn) return;
  if (position < 0 || position >= static_cast<int>(List(c, list).items.size())) return;
  const std::string phrase = Entry(c, list, position + 1);
  MsgInfo record;
  record.cmd = static_cast<std::int16_t>(Cmd::Chat);
  record.seat = c.table.OwnMask();
  record.value[0] = static_cast<std::int16_t>(list);
  if (list == kPhraseOwn) {
    record.value[3] = static_cast<std::int16_t>(position + 1);
  } else {
    record.value[2] = kPhraseVoiceLetter;
    record.value[3] = static_cast<std::int16_t>(PhraseNumber(position + 1));
    if (c.sound.bVoicesOn) PlayPhraseVoice(c, 0, record.value[2], record.value[3]);
  }
  // Whatever was typed after the address is dropped; the address stays in force.
  c.conn.ChatText = OutgoingLine(c, phrase, record);
  c.view.Chat.text.clear();
  c.chat.SelStart = 0;
  c.chat.WhisperPrefix.clear();
  SendMsg(c, record);
  c.view.huifu.visible = false;
  if (list == kPhraseOwn) ++c.view.ChatFocusSerial;
  Changed(c);
}

void ShowReceivedPhrase(Client& c, const MsgInfo& info, int view) {
  if (c.table.Detail[0].Mask == 0 || view < 1 || view > 3) return;
  LoadPhraseWindow(c);
  const int list = info.value[0];
  const int position = list == kPhraseOwn ? info.value[3] : PhraseEntry(info.value[3]);
  const std::string phrase = Entry(c, list, position);
  if (!phrase.empty() && !c.platform.MainWindowMinimized()) ShowBubble(c, view, phrase);
  if (list == kPhraseBuiltIn && c.sound.bVoicesOn) PlayPhraseVoice(c, view, info.value[2], info.value[3]);
}

}  // namespace vask
