// Quick phrases: the phrases file, sending a phrase with its voice, and
// received phrases with bubble and voice.
#include <gtest/gtest.h>

#include "social/social_fixture.h"

namespace vask {
namespace {

using test::ChatFrame;
using test::SentText;
using test::SentValue;

constexpr const char* kPhrasePath = "/client/chat.txt";
const std::string kVoices = "/client/../common/dorvan/";

using Phrases = test::SocialTest;

const std::vector<std::string>& OwnList(Client& c) {
  LoadPhraseWindow(c);
  return Part(c.view.huifu, "List1").items;
}

TEST(PhraseNumbers, FourIsNeverUsed) {
  for (int k = 1; k <= 14; ++k) EXPECT_EQ(PhraseEntry(PhraseNumber(k)), k);
  EXPECT_EQ(PhraseNumber(3), 3);
  EXPECT_EQ(PhraseNumber(4), 5);
  EXPECT_EQ(PhraseNumber(14), 15);
}

TEST(PhraseCount, ReadsLeadingDigitsAndCountsAnythingElseAsZero) {
  struct Case {
    const char* in;
    int n;
  } cases[] = {{"3", 3}, {" 12", 12}, {"+2", 2}, {"7abc", 7}, {"abc", 0}, {"", 0}, {"-5", 0},
               {"99999999999999999999", kMaxOwnPhrases + 1}};
  for (const Case& c : cases) EXPECT_EQ(PhraseCount(c.in), c.n) << c.in;
}

TEST_F(Phrases, TheOwnListFollowsTheFileKeysEvenWhenSomeAreMissing) {
  platform.files[kPhrasePath] = Utf8ToGbk("[chat]\r\nnum=3\r\n1=你好\r\n3=  再见  \r\n");
  EXPECT_EQ(OwnList(client), (std::vector<std::string>{"你好", "", "再见"}));
  EXPECT_EQ(Part(client.view.huifu, "List2").items.size(), 14u);
}

TEST_F(Phrases, BadPhraseFilesLeaveAUsableList) {
  std::string huge = "[chat]\r\nnum=2000000000\r\n";
  for (int i = 1; i <= 5000; ++i) huge += std::to_string(i) + "=" + std::string(300, 'p') + "\r\n";
  struct Case {
    const char* what;
    std::optional<std::string> file;
    std::size_t phrases;
  } cases[] = {
      {"missing", std::nullopt, 0},
      {"num not a number", "[chat]\r\nnum=many\r\n1=a\r\n", 0},
      {"huge", huge, static_cast<std::size_t>(kMaxOwnPhrases)},
      {"not GBK", std::string("[chat]\r\nnum=2\r\n1=\xFF\xFF\x81\r\n2=\xE4\xBD\xA0\xE5\xA5\xBD\r\n"), 2},
      {"no section", "num=2\r\n1=a\r\n", 0},
  };
  for (const Case& c : cases) {
    FakePlatform p;  // a fresh client per file
    Client fresh(p);
    if (c.file) p.files[kPhrasePath] = *c.file;
    const auto& list = OwnList(fresh);
    EXPECT_EQ(list.size(), c.phrases) << c.what;
    for (const std::string& phrase : list) EXPECT_LE(Utf8ToCodePoints(phrase).size(), 1023u) << c.what;
    EXPECT_EQ(Part(fresh.view.huifu, "List2").items.size(), 14u) << c.what;
    if (c.file) {
      EXPECT_EQ(p.files[kPhrasePath], *c.file) << c.what;  // never written
    }
  }
}

// A file of tens of megabytes: the phrases the list can hold come from its
// start, the rest is never read, and the file stays as it is.
TEST_F(Phrases, AnAbsurdFileIsReadOnlyAsFarAsTheListHolds) {
  std::string file = "[chat]\r\nnum=1000\r\n";
  for (int i = 1; i <= kMaxOwnPhrases; ++i) file += std::to_string(i) + "=" + std::string(200, 'p') + "\r\n";
  file += "junk=" + std::string(30 << 20, 'j') + "\r\n";
  FakePlatform p;
  Client fresh(p);
  p.files[kPhrasePath] = file;
  const auto& list = OwnList(fresh);
  ASSERT_EQ(list.size(), static_cast<std::size_t>(kMaxOwnPhrases));
  EXPECT_EQ(list.back(), std::string(200, 'p'));
  EXPECT_LE(p.largestRead, kPhraseFileMaxBytes);
  EXPECT_EQ(p.files[kPhrasePath].size(), file.size());
  // A phrase cut by the bound is no phrase: the last whole line stands.
  std::string cut = "[chat]\r\nnum=2\r\n1=a\r\n2=" + std::string(kPhraseFileMaxBytes, 'q') + "\r\n";
  FakePlatform q;
  Client other(q);
  q.files[kPhrasePath] = cut;
  EXPECT_EQ(OwnList(other), (std::vector<std::string>{"a", ""}));
}

TEST_F(Phrases, ABuiltInPhraseSendsItsNumberAndPlaysTheOwnVoice) {
  // Entry 4 is "快点!", sent as number 5.
  ClickOn(client.view.imgword2);
  DoubleClickRow(client.view.huifu, "List2", 3);
  auto sent = Sent();
  ASSERT_EQ(sent.size(), 1u);
  EXPECT_EQ(SentText(sent[0]), "阿明说道： 快点!");
  EXPECT_EQ(SentValue(sent[0], 0), 2);
  EXPECT_EQ(SentValue(sent[0], 1), 0);
  EXPECT_EQ(SentValue(sent[0], 2), 97);
  EXPECT_EQ(SentValue(sent[0], 3), 5);
  EXPECT_EQ(platform.SoundCalls(),
            (std::vector<std::string>{"SoundPlay(" + kVoices + "v271013a5.wav,once)", "SoundVolume(3000)"}));
  EXPECT_FALSE(client.view.huifu.visible);
}

TEST_F(Phrases, OwnPhrasesSendTheirPositionAndTakeTheAddress) {
  platform.files[kPhrasePath] = Utf8ToGbk("[chat]\r\nnum=2\r\n1=第一句\r\n2=第二句\r\n");
  ClickOn(client.view.Tou[3]);
  test::SocialTest::Type(client.view.Chat.text + "typed");
  ClickOn(client.view.imgword1);
  ASSERT_TRUE(client.view.huifu.visible);
  DoubleClickRow(client.view.huifu, "List1", 1);
  auto sent = Sent();
  ASSERT_EQ(sent.size(), 1u);
  EXPECT_EQ(SentText(sent[0]), "第二句");
  EXPECT_EQ(SentValue(sent[0], 0), 1);
  EXPECT_EQ(SentValue(sent[0], 1), 2);
  EXPECT_EQ(SentValue(sent[0], 2), 0);
  EXPECT_EQ(SentValue(sent[0], 3), 2);
  EXPECT_EQ(client.view.Chat.text, "");
  EXPECT_TRUE(platform.SoundCalls().empty());
  EXPECT_EQ(client.view.ChatFocusSerial, 2u);  // the avatar click, then the phrase
  // Outside the list: nothing.
  ClickOn(client.view.imgword1);
  DoubleClickRow(client.view.huifu, "List1", 2);
  SendPhrase(client, kPhraseBuiltIn, 14);
  SendPhrase(client, kPhraseBuiltIn, -1);
  SendPhrase(client, 3, 0);
  EXPECT_EQ(Sent().size(), 1u);
}

TEST_F(Phrases, PhrasesIgnoreTheChatRateLimit) {
  Type("x");
  ChatKey(kKeyEnter);
  SendPhrase(client, kPhraseBuiltIn, 0);
  SendPhrase(client, kPhraseBuiltIn, 1);
  EXPECT_EQ(Sent().size(), 3u);
}

TEST_F(Phrases, ThePhraseButtonsShowSwitchAndHideTheLists) {
  ClickOn(client.view.AnNiu[1]);  // the history window gives way
  ClickOn(client.view.imgword2);
  const FormWindow& w = client.view.huifu;
  EXPECT_FALSE(client.view.Talk.visible);
  ASSERT_TRUE(w.visible);
  EXPECT_TRUE(FindPart(w, "List2")->visible);
  EXPECT_FALSE(FindPart(w, "List1")->visible);
  ClickOn(client.view.imgword1);
  EXPECT_TRUE(w.visible);
  EXPECT_TRUE(FindPart(w, "List1")->visible);
  ClickOn(client.view.imgword1);
  EXPECT_FALSE(w.visible);
  ClickOn(client.view.imgword1);
  ClickPart(client.view.huifu, "Label1");
  EXPECT_FALSE(w.visible);
}

TEST_F(Phrases, AReceivedBuiltInPhraseShowsABubbleAndPlaysTheSpeakersVoice) {
  // View 2 (mask 4, male, voice 30) says phrase number 15, entry 14.
  Receive({ChatFrame(4, "小红说道： 还玩吗?别过话!", {2, 0, 97, 15})});
  platform.RunTicks(2);
  const FormWindow& bubble = client.view.SpeakBox[2];
  EXPECT_TRUE(bubble.visible);
  EXPECT_EQ(FindPart(bubble, "labPhrase")->text, kBuiltInPhrases[13]);
  EXPECT_EQ(platform.SoundCalls(),
            (std::vector<std::string>{"SoundPlay(" + kVoices + "v273013a15.wav,once)", "SoundVolume(3000)"}));
  EXPECT_EQ(History().back(), "小红说道： 还玩吗?别过话!");
}

TEST_F(Phrases, ReceivedPhrasesAreLookedUpInTheOwnLists) {
  platform.files[kPhrasePath] = Utf8ToGbk("[chat]\r\nnum=1\r\n1=我的话\r\n");
  // {seat, value(0), value(3), bubble text of view 1 ("" none)}
  struct Case {
    int list, number;
    const char* bubble;
  } cases[] = {{1, 1, "我的话"}, {1, 2, ""}, {1, 0, ""}, {2, 4, kBuiltInPhrases[3]}, {2, 5, kBuiltInPhrases[3]},
               {2, 16, ""}, {2, -3, ""}};
  for (const Case& c : cases) {
    client.view.SpeakBox[1] = {};
    client.bubbles = {};
    Receive({ChatFrame(8, "老李说道： x", {c.list, 0, c.list == 2 ? 97 : 0, c.number})});
    platform.RunTicks(2);
    const ListControl* label = FindPart(client.view.SpeakBox[1], "labPhrase");
    EXPECT_EQ(label && client.view.SpeakBox[1].visible ? label->text : "", c.bubble) << c.list << "/" << c.number;
  }
}

TEST_F(Phrases, NoBubbleWhileMinimisedNorForTheOwnSeatAndNoVoiceWhenVoicesAreOff) {
  platform.mainMinimized = true;
  Receive({ChatFrame(8, "x", {2, 0, 97, 5})});
  platform.RunTicks(2);
  EXPECT_FALSE(client.view.SpeakBox[1].visible);
  EXPECT_EQ(platform.SoundCalls().size(), 2u);  // the voice plays anyway
  platform.mainMinimized = false;
  Receive({ChatFrame(1, "阿明说道： 快点!", {2, 0, 97, 5})});
  platform.RunTicks(2);
  EXPECT_FALSE(client.view.SpeakBox[0].visible);
  client.sound.bVoicesOn = false;
  Receive({ChatFrame(8, "x", {2, 0, 97, 5})});
  platform.RunTicks(2);
  EXPECT_TRUE(client.view.SpeakBox[1].visible);
  EXPECT_EQ(platform.SoundCalls().size(), 2u);
  // Until the own seat is known nothing of a phrase is shown or heard.
  client.sound.bVoicesOn = true;
  client.table.Detail[0].Mask = 0;
  Receive({ChatFrame(4, "x", {2, 0, 97, 5})});
  platform.RunTicks(2);
  EXPECT_FALSE(client.view.SpeakBox[2].visible);
  EXPECT_EQ(platform.SoundCalls().size(), 2u);
}

TEST_F(Phrases, AVoiceLetterThatIsNoLetterPlaysNothing) {
  for (int letter : {0, int{'/'}, int{'.'}, 200, -1}) {
    Receive({ChatFrame(8, "x", {2, 0, letter, 5})});
    platform.RunTicks(2);
  }
  EXPECT_TRUE(platform.SoundCalls().empty());
  EXPECT_TRUE(client.view.SpeakBox[1].visible);  // the phrase is shown all the same
}

TEST_F(Phrases, AMissingVoiceFilePlaysNothingAndChangesNoSwitch) {
  platform.unplayableSounds.push_back(kVoices + "v274002a5.wav");
  Receive({ChatFrame(2, "x", {2, 0, 97, 5})});
  platform.RunTicks(2);
  EXPECT_EQ(platform.SoundCalls(), (std::vector<std::string>{"SoundPlay(" + kVoices + "v274002a5.wav,once)"}));
  EXPECT_TRUE(client.sound.bEffectsOn);
  EXPECT_TRUE(client.sound.bVoicesOn);
  EXPECT_FALSE(client.sound.bBufferLoaded);
}

}  // namespace
}  // namespace vask
