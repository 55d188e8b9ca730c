#include "core/connection/ini_file.h"

#include <gtest/gtest.h>

#include "core/connection/gbk.h"
#include "platform/fake/fake_platform.h"

namespace vask {
namespace {

class IniFileTest : public ::testing::Test {
 protected:
  FakePlatform platform;
  classIniFile ini{platform, "/client/chat.txt"};
};

TEST(JoinPath, ExactlyOneSeparator) {
  const struct {
    const char* dir;
    const char* file;
    const char* joined;
  } cases[] = {
      {"/client", "chat.txt", "/client/chat.txt"},
      {"/client/", "/info.vask", "/client/info.vask"},
      {"C:\\game\\", "\\info.vask", "C:\\game/info.vask"},
      {"/client//", "\\\\chat.txt", "/client/chat.txt"},
  };
  for (const auto& c : cases) EXPECT_EQ(JoinPath(c.dir, c.file), c.joined);
}

TEST_F(IniFileTest, MissingFileSectionOrKeyReadsEmpty) {
  EXPECT_EQ(ini.GetIniKey("chat", "num"), "");
  platform.files["/client/chat.txt"] = "[other]\r\nnum=3\r\n";
  EXPECT_EQ(ini.GetIniKey("chat", "num"), "");
  EXPECT_EQ(ini.GetIniKey("other", "missing"), "");
  EXPECT_EQ(ini.GetIniKey("other", "num"), "3");
}

TEST_F(IniFileTest, ReadsAUsersPhraseFileInGbk) {
  // num=3 with keys 1 and 3 only: the second phrase is empty.
  platform.files["/client/chat.txt"] =
      Utf8ToGbk("; my phrases\n[chat]\nnum = 3 \n1=快点出牌吧  \n3=\t下次再玩\n");
  EXPECT_EQ(ini.GetIniKey("chat", "num"), "3");
  EXPECT_EQ(ini.GetIniKey("chat", "1"), "快点出牌吧");
  EXPECT_EQ(ini.GetIniKey("chat", "2"), "");
  EXPECT_EQ(ini.GetIniKey("CHAT", "3"), "下次再玩") << "names ignore case";
}

TEST_F(IniFileTest, WritesGbkAndReadsBack) {
  ASSERT_TRUE(ini.WriteIniKey("juNum:1", "name( 0 )", "张三"));
  ASSERT_TRUE(ini.WriteIniKey("juNum:1", "name( 1 )", "李四  "));
  ASSERT_TRUE(ini.WriteIniKey("juNum:2", "count( 0 )", "5"));
  ASSERT_TRUE(ini.WriteIniKey("juNum:1", "name( 0 )", "王五"));  // replaced
  EXPECT_EQ(ini.GetIniKey("juNum:1", "name( 0 )"), "王五");
  EXPECT_EQ(ini.GetIniKey("juNum:1", "name( 1 )"), "李四");
  EXPECT_EQ(ini.GetIniKey("juNum:2", "count( 0 )"), "5");
  const std::string& bytes = platform.files["/client/chat.txt"];
  EXPECT_NE(bytes.find(Utf8ToGbk("王五")), std::string::npos) << "stored as GBK";
  EXPECT_EQ(bytes.find("王五"), std::string::npos);
  // Section order and other keys survive.
  EXPECT_LT(bytes.find("[juNum:1]"), bytes.find("[juNum:2]"));
}

TEST_F(IniFileTest, DeletesKeysAndSections) {
  ini.WriteIniKey("a", "x", "1");
  ini.WriteIniKey("a", "y", "2");
  ini.WriteIniKey("b", "x", "3");
  EXPECT_TRUE(ini.DelIniKey("a", "x"));
  EXPECT_FALSE(ini.DelIniKey("a", "x"));
  EXPECT_EQ(ini.GetIniKey("a", "x"), "");
  EXPECT_EQ(ini.GetIniKey("a", "y"), "2");
  EXPECT_TRUE(ini.DelIniSec("a"));
  EXPECT_EQ(ini.GetIniKey("a", "y"), "");
  EXPECT_EQ(ini.GetIniKey("b", "x"), "3");
}

TEST_F(IniFileTest, ValuesAreCutAndCleaned) {
  std::string nul = "a";
  nul.push_back('\0');
  nul += "b";
  platform.files["/client/chat.txt"] = "[s]\nlong=" + std::string(1500, 'x') + "\nnul=" + nul + "\neq=a=b\n";
  EXPECT_EQ(ini.GetIniKey("s", "long").size(), kIniValueMax);
  EXPECT_EQ(ini.GetIniKey("s", "nul"), "ab");
  EXPECT_EQ(ini.GetIniKey("s", "eq"), "a=b");
}

TEST_F(IniFileTest, BrokenGbkReadsWithoutHarm) {
  platform.files["/client/chat.txt"] = std::string("[chat]\n1=ok\xFF\n2=\x81");
  EXPECT_EQ(ini.GetIniKey("chat", "1"), "ok");
  EXPECT_EQ(ini.GetIniKey("chat", "2"), "");
}

}  // namespace
}  // namespace vask

namespace vask {
namespace {

// Many keys in one write act as one WriteIniKey after the other.
TEST_F(IniFileTest, ManyKeysInOneWriteActAsSingleWrites) {
  const std::string before = "[a]\r\nx=1\r\n\r\n[juNum:1]\r\nName=old\r\nkeep=yes\r\n\r\n[b]\r\ny=2\r\n";
  const std::vector<std::pair<std::string, std::string>> pairs = {
      {"name", "新"}, {"count( 0 )", "2"}, {"count( 0 )( 0 )", "一"}, {"count( 0 )", "3"}};
  platform.files["/client/one.txt"] = before;
  platform.files["/client/many.txt"] = before;
  classIniFile one(platform, "/client/one.txt"), many(platform, "/client/many.txt");
  for (const auto& [k, v] : pairs) one.WriteIniKey("juNum:1", k, v);
  many.WriteIniKeys("juNum:1", pairs);
  EXPECT_EQ(platform.files["/client/many.txt"], platform.files["/client/one.txt"]);
  const auto section = many.GetIniSection("JUNUM:1");
  EXPECT_EQ(section.at("name"), "新");
  EXPECT_EQ(section.at("count( 0 )"), "3");
  EXPECT_EQ(section.at("keep"), "yes");
  EXPECT_EQ(section.size(), 4u);
  EXPECT_EQ(many.GetIniKey("b", "y"), "2");
  // A new section goes to the end.
  many.WriteIniKeys("juNum:2", {{"k", "v"}});
  EXPECT_EQ(many.GetIniSection("juNum:2").at("k"), "v");
}

}  // namespace
}  // namespace vask
