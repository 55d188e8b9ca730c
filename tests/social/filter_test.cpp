// The word filter: deletions in list order over the shrinking text.
#include <gtest/gtest.h>

#include "core/social/filter.h"

namespace vask {
namespace {

TEST(FilterChat, DeletesListedWordsInOrder) {
  struct Case {
    const char* in;
    const char* out;
  } cases[] = {
      {"黄色的花", "的花"},
      {"他妈的好", "好"},
      {"shitty", "ty"},
      {"Shit FUCK fuck", "Shit FUCK "},   // only the lower-case forms are listed
      {"色情色情", ""},
      {"", ""},
      {"婊子养的东西", "东西"},            // the long insult goes whole before its short form
      {"你这婊子", "你这"},
      {"法轮功他妈的淫", ""},
      {"阿明说道： 黄色", "阿明说道： "},  // the prefix stays, the line is empty after it
      // Deleting 淫 joins 他妈的, whose step has passed: it stays ...
      {"他妈淫的", "他妈的"},
      // ... while 色情 and 黄色, whose steps come later, go.
      {"色淫情", ""},
      {"黄淫色", ""},
      {"江泽民", ""},
      {"一二三四五", "一二三四五"},
  };
  for (const Case& c : cases) EXPECT_EQ(FilterChat(c.in), c.out) << c.in;
}

}  // namespace
}  // namespace vask
