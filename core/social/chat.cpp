#include "core/social/chat.h"

#include <algorithm>

#include "core/client.h"
#include "core/connection/gbk.h"
#include "core/game/seats.h"
#include "core/handlers.h"
#include "core/social/filter.h"
#include "core/social/phrases.h"
#include "core/view/buttons.h"
#include "core/view/layout.h"
#include "core/view/widgets.h"

namespace vask {

namespace {

// The history window at scale 1.
constexpr float kTalkW = 330, kTalkH = 214;
constexpr float kListLineH = 16;
constexpr float kListFontPoints = 10;

std::size_t Chars(const std::string& s) { return Utf8ToCodePoints(s).size(); }

// The text without its first n characters.
std::string DropChars(const std::string& s, std::size_t n) {
  std::u32string p = Utf8ToCodePoints(s);
  return CodePointsToUtf8(std::u32string_view(p).substr(std::min(n, p.size())));
}

std::string TrimSpaces(const std::string& s) {
  std::size_t b = s.find_first_not_of(' ');
  if (b == std::string::npos) return {};
  return s.substr(b, s.find_last_not_of(' ') - b + 1);
}

std::string ReplaceAll(std::string text, const std::string& what, const std::string& with) {
  if (what.empty()) return text;
  for (std::size_t at = 0; (at = text.find(what, at)) != std::string::npos; at += with.size())
    text.replace(at, what.size(), with);
  return text;
}

void Changed(Client& c) {
  ++c.view.revision;
  c.platform.ViewChanged();
}

void SetChatBox(Client& c, const std::string& text) {
  c.view.Chat.text = text;
  c.chat.SelStart = static_cast<int>(Chars(text));
}

// Scrolls a list so that its last line is the top index; as in any list
// box, as far as that goes with the last page full.
void ScrollToEnd(ListControl& list) {
  if (!list.items.empty()) list.topRow = std::max(0, static_cast<int>(list.items.size()) - VisibleRows(list));
}

const std::string& Nick(const Client& c, int view) { return c.players.PlayerInfo[static_cast<std::size_t>(view & 3)].Nick; }

}  // namespace

ListControl& TalkLines(Client& c) { return Part(c.view.Talk, "Text1"); }

void AddTickerLine(Client& c, const std::string& text, std::size_t cut) {
  const std::string line = cut > 0 ? FirstChars(text, cut) : text;
  auto& s = c.view.Sysmsg;
  if (!s[1].items.empty()) {
    const std::string older = s[1].items.front();
    SetSysmsgLine(c, 0, older);
    SetSysmsgLine(c, 1, line);
  } else if (!s[0].items.empty()) {
    SetSysmsgLine(c, 1, line);
  } else {
    SetSysmsgLine(c, 0, line);
  }
}

void AddHistoryLine(Client& c, const std::string& text) {
  ListControl& history = TalkLines(c);
  WrapAddLines(history, text, kTalkWrapColumns);
  ScrollToEnd(history);
}

void LayOutListWindow(Client& c, FormWindow& w, const char* caption, float width, float height,
                      std::initializer_list<const char*> lists) {
  auto S = [&](float k) { return Scaled(c.view, k); };
  w.text = caption;
  w.w = S(width);
  w.h = S(height);
  for (const char* name : lists) {
    ListControl& list = Part(w, name);
    list.x = S(8);
    list.y = S(26);
    list.w = w.w - S(16);
    list.h = w.h - S(34);
    list.lineHeight = S(kListLineH);
    list.fontSize = kListFontPoints;  // drawn with the table's scale
    list.foreColor = 0xF0E6C8;
  }
  ListControl& close = Part(w, "Label1");
  close.kind = ControlKind::Label;
  close.text = chat_text::kClose;
  close.x = w.w - S(24);
  close.y = S(2);
  close.w = S(20);
  close.h = S(20);
  close.foreColor = 0xF0DCAA;
  close.align = TextAlign::Center;
  close.visible = true;
}

void SetUpTalkWindow(Client& c) {
  LayOutListWindow(c, c.view.Talk, chat_text::kTalkCaption, kTalkW, kTalkH, {"Text1"});
  TalkLines(c).visible = true;
  // The label beside the ticker shows nothing but takes the click that
  // toggles this window.
  c.view.Lbchat.visible = true;
}

void WrapAddLines(ListControl& list, const std::string& text, int width) {
  std::u32string t = Utf8ToCodePoints(text);
  const std::size_t L = std::min(t.size(), t.find(U'\0'));
  if (L == 0) return;
  auto piece = [&](std::size_t from, std::size_t to) {  // characters from..to, 1-based, inclusive
    return CodePointsToUtf8(std::u32string_view(t).substr(from - 1, to >= from ? to - from + 1 : 0));
  };
  int w = 0;
  std::size_t start = 1;
  for (std::size_t i = 1; i <= L; ++i) {
    if (i == L || w >= width) {
      if (start == 1) {
        list.items.push_back(piece(start, i));
        start = i + 1;
      } else if (i == L) {
        list.items.push_back(" " + piece(start, L));
      } else {
        list.items.push_back(" " + piece(start, i - 1));
        start = i;
      }
      w = 0;
    }
    w += t[i - 1] < 0x80 ? 1 : 2;
  }
}

bool ChatAddressed(const Client& c) {
  return !c.chat.WhisperPrefix.empty() && c.view.Chat.text.find(c.chat.WhisperPrefix) != std::string::npos;
}

std::string OutgoingLine(Client& c, const std::string& body, MsgInfo& record) {
  const std::string& own = Nick(c, 0);
  if (!ChatAddressed(c)) return own + chat_text::kSays + body;
  record.value[1] = c.chat.WhisperMask;
  // A seat without a mask cannot be addressed on the wire: the text names
  // speaker and listener for everybody instead.
  if (c.chat.WhisperMask == 0) return own + DropChars(c.chat.WhisperPrefix, 1) + body;
  return body;
}

void SendChat(Client& c) {
  ChatState& s = c.chat;
  const std::string typed = c.view.Chat.text;
  if (typed.empty() || TrimSpaces(typed) == s.WhisperPrefix) return;
  MsgInfo record;
  record.cmd = static_cast<std::int16_t>(Cmd::Chat);
  record.seat = c.table.OwnMask();
  const std::string body = ChatAddressed(c) ? DropChars(typed, Chars(s.WhisperPrefix)) : typed;
  c.conn.ChatText = OutgoingLine(c, body, record);
  s.WhisperPrefix.clear();
  SetChatBox(c, "");
  SendMsg(c, record);
  Changed(c);
}

void Chat_KeyPress(Client& c, int key) {
  ChatState& s = c.chat;
  ListControl& history = TalkLines(c);
  if (history.items.size() > kTalkMaxLines) {
    history.items.clear();
    history.topRow = 0;
  }
  if (key == kKeyEnter && !c.table.Spectator) {
    if (s.CanSend) {
      s.CanSend = false;
      EnableTimer(c, TimerId::Chat, true);
      SendChat(c);
    } else if (!c.view.Chat.text.empty()) {
      history.items.push_back(chat_text::kTooFast);
      SetChatBox(c, "");
      ScrollToEnd(history);
    }
  }
  if (!s.WhisperPrefix.empty() && key == kKeyBackspace) {
    s.ChatBeforeKey = c.view.Chat.text;
    if (s.SelStart <= static_cast<int>(Chars(s.WhisperPrefix))) s.bChatBackspace = true;
  }
  Changed(c);
}

void Chat_KeyDown(Client& c, int key) {
  // F1 is the boss key here too (the quick hide tells the plug-in of the
  // key); the window leaves F2..F6 to the box while the box has the focus.
  if (key == kKeyF1) return QuickHide(c);
  if (key > kKeyF1 && key <= kKeyF6 && PluginActive(c))
    PropCall(c, [key](PropPlugin& p) { p.SetKeyDown(key); });
}

void Chat_Change(Client& c, const std::string& text, int caret) {
  ChatState& s = c.chat;
  c.view.Chat.text = text;
  s.SelStart = std::clamp(caret, 0, static_cast<int>(Chars(text)));
  if (s.bChatBackspace) {
    // One Backspace inside the address removes all of it; what was typed
    // after it stays.
    s.bChatBackspace = false;
    SetChatBox(c, DropChars(s.ChatBeforeKey, Chars(s.WhisperPrefix)));
    s.WhisperPrefix.clear();
    s.WhisperMask = 0;
  }
  Changed(c);
}

void Chat_Focus(Client& c, bool focused) { c.chat.bChatFocus = focused; }

void AddressTo(Client& c, int view) {
  if (!c.conn.bTableLive || view < 1 || view > 3) return;
  const std::string& nick = Nick(c, view);
  if (nick.empty()) return;
  ChatState& s = c.chat;
  const std::string prefix = std::string(chat_text::kYouSayTo) + nick + chat_text::kSayTo;
  s.WhisperMask = c.table.Detail[static_cast<std::size_t>(view)].Mask;
  std::string typed = c.view.Chat.text;
  if (!typed.empty() && !s.WhisperPrefix.empty() && typed.find(s.WhisperPrefix) != std::string::npos)
    typed = DropChars(typed, Chars(s.WhisperPrefix));
  s.WhisperPrefix = prefix;
  SetChatBox(c, prefix + typed);
  ++c.view.ChatFocusSerial;
  Changed(c);
}

void TimerChat_Timer(Client& c) {
  EnableTimer(c, TimerId::Chat, false);
  c.chat.CanSend = true;
}

// The text was decoded while the frame was read (GetMsg); nothing is left.
void OnChat(Client&, MsgInfo&) {}

void OnChatMessage(Client& c, const MsgInfo& info, const std::string& text) {
  const int s = info.seat & 3;
  // The speaker's mask as it came: info.seat is already a view position,
  // and view 0 is both "own line" and "no speaker".
  const std::uint8_t speakerMask = c.conn.Msg[frame_offset::kSeat] & 0x0F;
  if (info.value[0] == kPhraseOwn || info.value[0] == kPhraseBuiltIn) ShowReceivedPhrase(c, info, s);
  const std::string& own = Nick(c, 0);
  std::string line = text;
  if (info.value[1] != 0) {
    const int t = ViewPos(c.table.OwnMask(), static_cast<std::uint8_t>(info.value[1] & 0x0F)) & 3;
    line = Nick(c, s) + chat_text::kTo + Nick(c, t) + chat_text::kSays + text;
    if (s == 0) line = ReplaceAll(line, own, chat_text::kYou);
    if (t == 0) line = ReplaceAll(line, own, chat_text::kYou);
  } else if (speakerMask != 0 && s == 0) {
    line = ReplaceAll(line, own, chat_text::kYou);
  }
  line = FilterChat(line);
  AddHistoryLine(c, line);
  AddTickerLine(c, line);
  if (s != 0) {
    if (info.value[0] == 0) ++c.chat.LinesHeard;
    c.chat.ChatBlinks = kChatBlinkCount;
    c.conn.bBlink = true;
  }
  Changed(c);
}

void ToggleTalkWindow(Client& c) {
  FormWindow& w = c.view.Talk;
  if (!w.visible) {
    PlaceChatWindow(c, w);
    w.visible = true;
    BringToFront(c.view, w);
  } else {
    w.visible = false;
  }
  Changed(c);
}

void Talk_Label1_Click(Client& c) {
  c.view.Talk.visible = false;
  Changed(c);
}

void Talk_Text1_KeyDown(Client& c, int key) {
  if (key == kKeyC && c.chat.bTalkAlt) {
    c.view.Talk.visible = false;
    Changed(c);
  }
  c.chat.bTalkAlt = key == kKeyAlt;
}

void ChatBlinkStep(Client& c) {
  ChatState& s = c.chat;
  if (s.ChatBlinks <= 0) return;
  --s.ChatBlinks;
  // Odd steps highlight, the last step (0) leaves the normal picture.
  PutPicture(c, s.ChatBlinks % 2 == 1 ? c.pics.ButtonPics[3] : c.pics.ButtonPics[2], c.view.AnNiu[1]);
  Changed(c);
}

}  // namespace vask
