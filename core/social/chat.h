#pragma once
// Chat: the chat box, addressing a player, sending under the rate limit,
// and received lines in the history window Talk and the ticker Sysmsg.
#include <cstdint>
#include <initializer_list>
#include <string>

namespace vask {

struct Client;
struct MsgInfo;
struct FormWindow;
struct ListControl;

struct ChatState {
  bool CanSend = true;          // the chat box may send (cleared for 800 ms by Enter)
  std::string WhisperPrefix;    // "你对" + nick + "说 ：" after an avatar click
  std::uint8_t WhisperMask = 0; // seat mask of the addressed player
  std::string ChatBeforeKey;    // the box's text when Backspace hit the address
  bool bChatBackspace = false;  // the next text change removes the whole address
  bool bChatFocus = false;      // the chat box has the input focus
  std::int16_t ChatBlinks = 0;  // remaining blinks of the chat button
  int SelStart = 0;             // characters before the caret in the chat box
  bool bTalkAlt = false;        // Alt was the last key pressed in the history list
  std::uint32_t LinesHeard = 0; // free-text lines of other players so far (table bots answer them)
};

// User-visible texts of the chat.
namespace chat_text {
inline constexpr const char* kTooFast = "（发送消息太快！）";
inline constexpr const char* kSays = "说道： ";
inline constexpr const char* kYouSayTo = "你对";  // + nick + kSayTo
inline constexpr const char* kSayTo = "说 ：";
inline constexpr const char* kTo = "对";
inline constexpr const char* kYou = "你";
inline constexpr const char* kTalkCaption = "聊天";
inline constexpr const char* kClose = "×";
}  // namespace chat_text

inline constexpr int kTalkWrapColumns = 44;  // history lines, in display columns
inline constexpr int kTickerChars = 45;      // a ticker line's length
inline constexpr std::size_t kTalkMaxLines = 100;
inline constexpr int kChatBlinkCount = 8;
inline constexpr int kChatIntervalMs = 800;

// Key codes the chat box and the history list receive.
inline constexpr int kKeyBackspace = 8;
inline constexpr int kKeyEnter = 13;
inline constexpr int kKeyAlt = 18;
inline constexpr int kKeyC = 67;
inline constexpr int kKeyF1 = 112;
inline constexpr int kKeyF6 = 117;

// The chat box: a character about to be typed into it (8 Backspace, 13
// Enter), a key going down in it (F1 the boss key, F2..F6 go to the prop
// plug-in), and its
// text after a change (caret = characters before the caret).
void Chat_KeyPress(Client& c, int key);
void Chat_KeyDown(Client& c, int key);
void Chat_Change(Client& c, const std::string& text, int caret);
void Chat_Focus(Client& c, bool focused);
// Sends the chat box's line (Enter, once the rate limit allows, and the
// send button AnNiu(0), which ignores the limit).
void SendChat(Client& c);
// The avatar Tou(view) clicked: the next line goes to that player.
void AddressTo(Client& c, int view);
// The chat box holds an address (the prefix is in its text).
bool ChatAddressed(const Client& c);
// The text an outgoing line carries, with the speaker: for an addressed
// line the body alone and the addressed mask in value(1) (or, while that
// seat's mask is unknown, the nick and the address in the text); else
// "nick说道： " + body.
std::string OutgoingLine(Client& c, const std::string& body, MsgInfo& record);

// Appends text to a list as lines of at most `width` columns (a double-byte
// character counts 2); continuation lines start with a blank.
void WrapAddLines(ListControl& list, const std::string& text, int width);

// The history window: shown placed beside the table, or hidden.
void ToggleTalkWindow(Client& c);
// Lays out a chat-side window (Talk, huifu): caption, size at scale 1, the
// lists filling it and the close label Label1.
void LayOutListWindow(Client& c, FormWindow& w, const char* caption, float width, float height,
                      std::initializer_list<const char*> lists);
// Lays out the history window's parts (once, at start-up).
void SetUpTalkWindow(Client& c);
void Talk_Label1_Click(Client& c);
void Talk_Text1_KeyDown(Client& c, int key);

// The chat button's blink, one step of the blink duty.
void ChatBlinkStep(Client& c);

// The history list Talk.Text1.
ListControl& TalkLines(Client& c);
// A line for the history, wrapped, the history scrolled to its end.
void AddHistoryLine(Client& c, const std::string& text);
// The newest line of the two-line ticker Sysmsg, the older one moving up;
// cut to its first `cut` characters (0: the whole text).
void AddTickerLine(Client& c, const std::string& text, std::size_t cut = kTickerChars);

}  // namespace vask
