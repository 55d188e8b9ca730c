// Chat: wrapping, sending under the rate limit, addressing, received
// lines in the history window and the ticker, broken frames.
#include <gtest/gtest.h>

#include "social/social_fixture.h"

namespace vask {
namespace {

using test::ChatFrame;
using test::SentText;
using test::SentValue;
using test::PutBytes;

std::string Repeat(const std::string& s, int n) {
  std::string out;
  for (int i = 0; i < n; ++i) out += s;
  return out;
}

TEST(WrapAddLines, CutsAtTheWidthCountingDoubleByteCharactersTwice) {
  const std::string a60 = Repeat("a", 60), a120 = Repeat("b", 120);
  struct Case {
    std::string text;
    std::vector<std::string> lines;
  } cases[] = {
      {"", {}},
      {"x", {"x"}},
      {Repeat("a", 44), {Repeat("a", 44)}},
      {Repeat("a", 45), {Repeat("a", 45)}},
      {Repeat("a", 46), {Repeat("a", 45), " a"}},
      // The edge case of the history window: 45, then a blank and 15.
      {a60, {a60.substr(0, 45), " " + a60.substr(45)}},
      // Later lines stop before the character that reaches the width.
      {a120, {a120.substr(0, 45), " " + a120.substr(45, 43), " " + a120.substr(88)}},
      // 22 double-byte characters fill 44 columns; the first line takes the 23rd too.
      {Repeat("中", 30), {Repeat("中", 23), " " + Repeat("中", 7)}},
      {Repeat("a", 40) + "中文字", {Repeat("a", 40) + "中文字"}},
      {Repeat("a", 43) + "中文字", {Repeat("a", 43) + "中文", " 字"}},
      // A character of code 0 ends the text.
      {std::string("ab\0cd", 5), {"ab"}},
  };
  for (const Case& c : cases) {
    ListControl list;
    WrapAddLines(list, c.text, 44);
    EXPECT_EQ(list.items, c.lines) << c.text;
  }
}

using Chat = test::SocialTest;

TEST_F(Chat, EnterSendsTheLineWithTheSpeakerAndTheBoxEmpties) {
  Type("hello");
  ChatKey(kKeyEnter);
  auto sent = Sent();
  ASSERT_EQ(sent.size(), 1u);
  EXPECT_EQ(sent[0][frame_offset::kCmd], 19);
  EXPECT_EQ(sent[0][frame_offset::kSeat], 1);
  EXPECT_EQ(SentText(sent[0]), "阿明说道： hello");
  for (int i = 0; i < 4; ++i) EXPECT_EQ(SentValue(sent[0], i), 0);
  EXPECT_EQ(client.view.Chat.text, "");
}

TEST_F(Chat, EnterIsLimitedToOneLinePer800Milliseconds) {
  // {ms after the first Enter, text typed, sent?}
  struct Step {
    int at;
    const char* text;
    bool sent;
  } steps[] = {{0, "one", true}, {400, "two", false}, {799, "", false}, {801, "three", true}, {900, "four", false}};
  int now = 0, frames = 0, tooFast = 0;
  for (const Step& s : steps) {
    platform.Advance(s.at - now);
    now = s.at;
    Type(s.text);
    ChatKey(kKeyEnter);
    if (s.sent) ++frames;
    if (!s.sent && *s.text) ++tooFast;
    EXPECT_EQ(client.view.Chat.text, "") << s.at;
  }
  EXPECT_EQ(static_cast<int>(Sent().size()), frames);
  EXPECT_EQ(std::count(History().begin(), History().end(), chat_text::kTooFast), tooFast);
  EXPECT_EQ(SentText(platform.SentFrames().back()), "阿明说道： three");
}

TEST_F(Chat, TheSendButtonIgnoresTheLimitAndSpectatorsEnterSendsNothing) {
  Type("a");
  ChatKey(kKeyEnter);
  Type("b");
  ClickOn(client.view.AnNiu[0]);
  EXPECT_EQ(Sent().size(), 2u);
  client.table.Spectator = true;
  platform.Advance(1000);
  Type("c");
  ChatKey(kKeyEnter);
  EXPECT_EQ(Sent().size(), 2u);
  EXPECT_EQ(client.view.Chat.text, "c");
}

TEST_F(Chat, EmptyLinesAndBareAddressesAreNotSent) {
  ChatKey(kKeyEnter);
  ClickOn(client.view.Tou[2]);
  platform.Advance(1000);
  Type(client.view.Chat.text + "  ");
  ChatKey(kKeyEnter);
  EXPECT_TRUE(Sent().empty());
  EXPECT_EQ(client.view.Chat.text, "你对小红说 ：  ");
}

TEST_F(Chat, AnAddressedLineCarriesTheMaskAndTheBodyAlone) {
  ClickOn(client.view.Tou[2]);
  EXPECT_EQ(client.chat.WhisperPrefix, "你对小红说 ：");
  EXPECT_EQ(client.view.Chat.text, "你对小红说 ：");
  EXPECT_EQ(client.view.ChatFocusSerial, 1u);
  Type(client.view.Chat.text + "M");
  ChatKey(kKeyEnter);
  auto sent = Sent();
  ASSERT_EQ(sent.size(), 1u);
  EXPECT_EQ(SentText(sent[0]), "M");
  EXPECT_EQ(SentValue(sent[0], 1), 4);
  EXPECT_EQ(client.chat.WhisperPrefix, "");
}

TEST_F(Chat, AnAddressToASeatWithoutMaskNamesBothInTheText) {
  client.table.Detail[3].Mask = 0;
  ClickOn(client.view.Tou[3]);
  Type(client.view.Chat.text + "M");
  ChatKey(kKeyEnter);
  auto sent = Sent();
  ASSERT_EQ(sent.size(), 1u);
  EXPECT_EQ(SentText(sent[0]), "阿明对大刘说 ：M");
  EXPECT_EQ(SentValue(sent[0], 1), 0);
}

TEST_F(Chat, AvatarClicksReplaceTheAddressAndKeepTheText) {
  ClickOn(client.view.Tou[1]);
  Type(client.view.Chat.text + "hi");
  ClickOn(client.view.Tou[3]);
  EXPECT_EQ(client.view.Chat.text, "你对大刘说 ：hi");
  EXPECT_EQ(client.chat.WhisperMask, 2);
  // Not the own seat, not an empty seat, not while the table is not live.
  ClickOn(client.view.Tou[0]);
  for (int view : {4, -1}) AddressTo(client, view);
  client.players.PlayerInfo[1].Nick.clear();
  ClickOn(client.view.Tou[1]);
  client.conn.bTableLive = false;
  ClickOn(client.view.Tou[2]);
  EXPECT_EQ(client.view.Chat.text, "你对大刘说 ：hi");
}

TEST_F(Chat, BackspaceInsideTheAddressRemovesAllOfIt) {
  ClickOn(client.view.Tou[2]);
  const std::string prefix = client.view.Chat.text;
  Type(prefix + "abc");
  client.chat.SelStart = static_cast<int>(Utf8ToCodePoints(prefix).size());  // caret at the end of the address
  ChatKey(kKeyBackspace);
  // The box applies the key: the address loses its last character.
  const std::u32string p = Utf8ToCodePoints(prefix);
  Edit(CodePointsToUtf8(p.substr(0, p.size() - 1)) + "abc", static_cast<int>(p.size()) - 1);
  EXPECT_EQ(client.view.Chat.text, "abc");
  EXPECT_EQ(client.chat.WhisperPrefix, "");
  EXPECT_EQ(client.chat.WhisperMask, 0);
  EXPECT_EQ(client.chat.SelStart, 3);
  ChatKey(kKeyEnter);
  auto sent = Sent();
  ASSERT_EQ(sent.size(), 1u);
  EXPECT_EQ(SentText(sent[0]), "阿明说道： abc");
  EXPECT_EQ(SentValue(sent[0], 1), 0);
}

TEST_F(Chat, BackspaceAfterTheAddressIsAnOrdinaryBackspace) {
  ClickOn(client.view.Tou[2]);
  Type(client.view.Chat.text + "abc");
  ChatKey(kKeyBackspace);
  Edit("你对小红说 ：ab", 8);
  EXPECT_EQ(client.view.Chat.text, "你对小红说 ：ab");
  EXPECT_EQ(client.chat.WhisperPrefix, "你对小红说 ：");
}

TEST_F(Chat, ReceivedLinesNameTheSpeakersAsEachSeatSeesThem) {
  // {seat mask, value(1), text, history line}
  struct Case {
    std::uint8_t seat;
    int to;
    const char* text;
    const char* line;
  } cases[] = {
      {1, 0, "阿明说道： hello", "你说道： hello"},  // the own line back
      {8, 0, "老李说道： 阿明好", "老李说道： 阿明好"},
      {0, 0, "系统：阿明获胜", "系统：阿明获胜"},  // a server notice keeps the names
      {1, 4, "M", "你对小红说道： M"},              // own addressed line
      {8, 1, "M", "老李对你说道： M"},              // addressed to us
      {8, 4, "M", "老李对小红说道： M"},            // between two others
      {8, 0, "老李说道： 黄色笑话", "老李说道： 笑话"},  // filtered after the prefix
  };
  for (const Case& c : cases) {
    Receive({ChatFrame(c.seat, c.text, {0, c.to, 0, 0})});
    platform.RunTicks(2);
    ASSERT_FALSE(History().empty());
    EXPECT_EQ(History().back(), c.line) << c.text;
  }
  EXPECT_EQ(TalkLines(client).topRow, std::max(0, static_cast<int>(History().size()) - VisibleRows(TalkLines(client))));
}

TEST_F(Chat, TheTickerKeepsTheTwoLatestLinesCutTo45Characters) {
  const std::string longLine = "老李说道： " + Repeat("x", 60);
  Receive({ChatFrame(8, "one"), ChatFrame(8, "two"), ChatFrame(8, longLine)});
  platform.RunTicks(4);
  EXPECT_EQ(Ticker(0), "two");
  EXPECT_EQ(Ticker(1), FirstChars(longLine, 45));
  EXPECT_EQ(client.view.Sysmsg[1].items.size(), 1u);
  EXPECT_EQ(History().size(), 4u);  // one, two, and the long line wrapped in two
}

TEST_F(Chat, ALineFromAnotherSeatBlinksTheChatButtonEndingNormal) {
  Receive({ChatFrame(4, "hi")});
  platform.RunTicks(2);
  EXPECT_EQ(client.chat.ChatBlinks, kChatBlinkCount);
  std::vector<int> pictures;
  for (int i = 0; i < 8; ++i) {
    platform.RunTicks(8);
    pictures.push_back(client.view.AnNiu[1].picture);
  }
  const int normal = client.pics.ButtonPics[2], lit = client.pics.ButtonPics[3];
  EXPECT_EQ(pictures, (std::vector<int>{lit, normal, lit, normal, lit, normal, lit, normal}));
  EXPECT_EQ(client.chat.ChatBlinks, 0);
  Receive({ChatFrame(1, "阿明说道： own")});
  platform.RunTicks(2);
  EXPECT_EQ(client.chat.ChatBlinks, 0);
}

TEST_F(Chat, AKeyPressClearsAHistoryOfMoreThan100Lines) {
  for (int i = 0; i < 101; ++i) TalkLines(client).items.push_back("line");
  ChatKey('a');
  EXPECT_TRUE(History().empty());
}

TEST_F(Chat, BrokenAndFullTextFramesShowCleanly) {
  Frame leadAtEnd = ChatFrame(8, "");
  for (std::size_t i = 16; i < 215; ++i) leadAtEnd[i] = 'a';
  leadAtEnd[215] = 0xB0;  // a lead byte whose pair would be past the text
  Frame badPairs = ChatFrame(8, "");
  PutBytes(badPairs, 16, {'o', 'k', 0xFF, 0xFF, 0x81, 0x20, 'z'});
  Frame full = ChatFrame(8, Repeat("中", 100));  // 200 bytes, no 0 at the end
  full[216] = 'X';                                 // never read
  Frame badMask = ChatFrame(8, "M", {0, 0x70, 0, 0});
  Frame lone = ChatFrame(0, "");
  lone[16] = 0x80;
  Receive({leadAtEnd, badPairs, full, badMask, lone});
  platform.RunTicks(8);
  ASSERT_GE(History().size(), 5u);
  std::string all;
  for (const std::string& line : History()) all += line;
  EXPECT_NE(all.find(Repeat("a", 44)), std::string::npos);
  EXPECT_NE(all.find("ok"), std::string::npos);
  EXPECT_NE(all.find(Repeat("中", 23)), std::string::npos);
  EXPECT_EQ(all.find('X'), std::string::npos);
  EXPECT_FALSE(platform.quit);
}

TEST_F(Chat, ALongOutgoingLineIsCutTo100CharactersOnTheWire) {
  Type(Repeat("字", 150));
  ChatKey(kKeyEnter);
  auto sent = Sent();
  ASSERT_EQ(sent.size(), 1u);
  EXPECT_EQ(Utf8ToCodePoints(SentText(sent[0])).size(), 100u);
}

// A plug-in that records the keys it is passed.
class KeyPlugin : public NullPropPlugin {
 public:
  explicit KeyPlugin(std::vector<int>* keys) : keys_(keys) {}
  void SetKeyDown(int key) override { keys_->push_back(key); }

 private:
  std::vector<int>* keys_;
};

TEST_F(Chat, F1InTheChatBoxIsTheBossKeyAndTheOtherFunctionKeysGoToThePlugin) {
  std::vector<int> keys;
  client.prop.PropObj = std::make_unique<KeyPlugin>(&keys);
  client.prop.Prop_GameDllState = 1;
  ClickOn(client.view.imgword2);
  ClickOn(client.view.AnNiu[3]);  // the sound settings
  ASSERT_TRUE(client.view.huifu.visible && client.view.VosSet.visible);
  InputEvent focus;
  focus.kind = InputKind::GotFocus;
  focus.control = "Chat";
  platform.UserInput(focus);
  Type("typed");
  ChatKey(kKeyF1);
  EXPECT_TRUE(platform.CallMade("MinimizeMainWindow"));
  EXPECT_FALSE(client.view.huifu.visible);
  EXPECT_FALSE(client.view.VosSet.visible);
  EXPECT_EQ(client.view.Chat.text, "typed");
  for (int key = kKeyF1 + 1; key <= kKeyF6 + 1; ++key) ChatKey(key);
  EXPECT_EQ(keys, (std::vector<int>{112, 113, 114, 115, 116, 117}));  // F1 once, F7 not
  client.prop.Prop_GameDllState = 0;
  ChatKey(kKeyF1 + 1);
  EXPECT_EQ(keys.size(), 6u);
}

TEST_F(Chat, TheHistoryWindowTogglesAtTheChatPlaceAndClosesWithAltC) {
  ClickOn(client.view.AnNiu[1]);
  ASSERT_TRUE(client.view.Talk.visible);
  EXPECT_FLOAT_EQ(client.view.Talk.x, 0.3f * client.view.Pic1.w);
  EXPECT_FLOAT_EQ(client.view.Talk.y, 0.66f * client.view.Pic1.h);
  ClickOn(client.view.AnNiu[1]);
  EXPECT_FALSE(client.view.Talk.visible);
  ClickOn(client.view.Lbchat);  // under the window while it is shown
  EXPECT_TRUE(client.view.Talk.visible);
  Talk_Text1_KeyDown(client, kKeyAlt);
  Talk_Text1_KeyDown(client, 'X');
  Talk_Text1_KeyDown(client, kKeyC);
  EXPECT_TRUE(client.view.Talk.visible);  // another key came between
  Talk_Text1_KeyDown(client, kKeyAlt);
  Talk_Text1_KeyDown(client, kKeyC);
  EXPECT_FALSE(client.view.Talk.visible);
  ClickOn(client.view.AnNiu[1]);
  ClickPart(client.view.Talk, "Label1");
  EXPECT_FALSE(client.view.Talk.visible);
}

}  // namespace
}  // namespace vask
