#include "core/connection/gbk.h"

#include <gtest/gtest.h>

namespace vask {
namespace {

TEST(Gbk, RoundTripsChineseAndAscii) {
  for (const char* text : {"", "abc 123", "本游戏需从游戏大厅中启动！", "东南西北中發白", "混a混"}) {
    std::string gbk = Utf8ToGbk(text);
    EXPECT_EQ(GbkToUtf8(gbk), text);
  }
  EXPECT_EQ(Utf8ToGbk("麻将"), "\xC2\xE9\xBD\xAB");
}

TEST(Gbk, BrokenInputDecodesCleanly) {
  const struct {
    std::string gbk;
    std::string utf8;
  } cases[] = {
      {"ab\xC2", "ab"},                 // a lead byte at the end is dropped
      {"\xFF\xFF" "a", "\xEF\xBF\xBD" "a"},  // an undefined pair is U+FFFD
      {std::string("a\0b", 3), "a"},    // text ends at the first zero
      {std::string("\xC2\0", 2), "\xEF\xBF\xBD"},
  };
  for (const auto& c : cases) EXPECT_EQ(GbkToUtf8(c.gbk), c.utf8);
}

TEST(Gbk, UnencodableCharactersBecomeQuestionMarks) {
  EXPECT_EQ(Utf8ToGbk("a\xF0\x9F\x98\x80" "b"), "a?b");  // an emoji
  EXPECT_EQ(Utf8ToGbk("\xFF"), "?");                    // broken UTF-8
}

TEST(DisplayWidth, DoubleByteCharactersCountTwo) {
  EXPECT_EQ(DisplayWidth(""), 0);
  EXPECT_EQ(DisplayWidth("abc"), 3);
  EXPECT_EQ(DisplayWidth("胡了!"), 5);
}

TEST(Text, FirstCharsCountsCharactersNotBytes) {
  EXPECT_EQ(FirstChars("东南西北", 2), "东南");
  EXPECT_EQ(FirstChars("ab", 5), "ab");
  EXPECT_EQ(Latin1ToUtf8(std::vector<std::uint8_t>{'a', 0xE9}), "a\xC3\xA9");
}

}  // namespace
}  // namespace vask
