#include "core/connection/command_line.h"

#include <gtest/gtest.h>

namespace vask {
namespace {

namespace text = command_line_text;

constexpr const char* kPlayer = "player$key123$10.0.0.5$7300$北京一号$0$proxy.lan$1080$pu$pp$1$Vask大厅$Vask$1$42$";

TEST(CommandLine, FifteenFieldsMakeAPlayerLine) {
  CommandLine cl = ParseCommandLine(kPlayer);
  EXPECT_TRUE(cl.problem.empty()) << cl.problem;
  EXPECT_FALSE(cl.Spectator);
  EXPECT_EQ(cl.FieldCount, 15);
  EXPECT_EQ(cl.Account, "player");
  EXPECT_EQ(cl.LoginKey, "key123");
  EXPECT_EQ(cl.ServerHost, "10.0.0.5");
  EXPECT_EQ(cl.ServerPort, 7300);
  EXPECT_EQ(cl.Location, "北京一号");
  EXPECT_EQ(cl.ProxyType, 0);
  EXPECT_EQ(cl.ProxyHost, "proxy.lan");
  EXPECT_EQ(cl.ProxyPort, 1080);
  EXPECT_EQ(cl.ProxyUser, "pu");
  EXPECT_EQ(cl.ProxyPass, "pp");
  EXPECT_TRUE(cl.bOwnCaption);
  EXPECT_EQ(cl.LobbyTitle, "Vask大厅");
  EXPECT_EQ(cl.WindowCaption, "Vask");
  EXPECT_EQ(cl.Prop_swicth, 1);
  EXPECT_EQ(cl.PropParam, 42);
}

TEST(CommandLine, WithoutTheFinalDollarItIsAWatcherAndTheLastFieldDoesNotCount) {
  std::string line = kPlayer;
  line.pop_back();
  CommandLine cl = ParseCommandLine(line);
  EXPECT_TRUE(cl.Spectator);
  EXPECT_EQ(cl.FieldCount, 14);
  EXPECT_EQ(cl.PropParam, 0);
  // The text after the fifth "$" starts with the proxy type here.
  EXPECT_EQ(cl.PlayerId, 0);
}

TEST(CommandLine, AWatcherLineCarriesTheWatchedPlayerAfterTheFifthDollar) {
  CommandLine cl = ParseCommandLine("  fan$k$host$7300$看台$9876543210  ");
  EXPECT_TRUE(cl.problem.empty()) << cl.problem;
  EXPECT_TRUE(cl.Spectator);
  EXPECT_EQ(cl.FieldCount, 5);
  EXPECT_EQ(cl.PlayerId, 9876543210);
  EXPECT_EQ(cl.ProxyType, 0);
  EXPECT_EQ(cl.ServerPort, 7300);
}

TEST(CommandLine, BlanksAroundTheLineAndTheFieldsAreTrimmed) {
  CommandLine cl = ParseCommandLine("\t player $ k $ host $ 7300 $loc$ 5 $");
  EXPECT_FALSE(cl.Spectator);
  EXPECT_EQ(cl.Account, "player");
  EXPECT_EQ(cl.LoginKey, "k");
  EXPECT_EQ(cl.ServerHost, "host");
  EXPECT_EQ(cl.ServerPort, 7300);
  EXPECT_EQ(cl.ProxyType, 5);
}

TEST(CommandLine, FieldsAfterTheFifteenthAreIgnored) {
  CommandLine cl = ParseCommandLine(std::string(kPlayer) + "extra$more$");
  EXPECT_EQ(cl.FieldCount, 15);
  EXPECT_EQ(cl.PropParam, 42);
  EXPECT_TRUE(cl.problem.empty());
}

TEST(CommandLine, CaptionChoiceIsExactlyOne) {
  for (const char* v : {"0", "", "2", "yes", "01"}) {
    std::string line = "a$k$h$1$l$0$$0$$$" + std::string(v) + "$T$C$0$0$";
    EXPECT_FALSE(ParseCommandLine(line).bOwnCaption) << v;
  }
}

TEST(CommandLine, ProxyTypes) {
  struct Case {
    const char* field;
    int type;
  } cases[] = {{"0", 0}, {"5", 5}, {"7", 7}, {"-1", -1}, {"socks", -1}, {"", -1}};
  for (const Case& k : cases) {
    std::string line = "a$k$h$1$l$" + std::string(k.field) + "$";
    EXPECT_EQ(ParseCommandLine(line).ProxyType, k.type) << k.field;
  }
}

struct BadCase {
  const char* name;
  std::string line;
  const char* problem;
};

std::string Line(const std::string& account, const std::string& key, const std::string& port,
                 const std::string& proxyPort = "0", const std::string& prop = "1", const std::string& param = "0") {
  return account + "$" + key + "$h$" + port + "$l$0$$" + proxyPort + "$$$1$T$C$" + prop + "$" + param + "$";
}

class BadCommandLine : public ::testing::TestWithParam<BadCase> {};

TEST_P(BadCommandLine, IsRefusedWithItsText) {
  CommandLine cl = ParseCommandLine(GetParam().line);
  EXPECT_EQ(cl.problem, GetParam().problem);
}

INSTANTIATE_TEST_SUITE_P(
    Fields, BadCommandLine,
    ::testing::Values(
        BadCase{"PortNotANumber", Line("a", "k", "73x0"), text::kBadServerPort},
        BadCase{"PortEmpty", Line("a", "k", ""), text::kBadServerPort},
        BadCase{"PortTooLarge", Line("a", "k", "65536"), text::kBadServerPort},
        BadCase{"PortNegative", Line("a", "k", "-1"), text::kBadServerPort},
        BadCase{"ProxyPortNotANumber", Line("a", "k", "7300", "abc"), text::kBadProxyPort},
        BadCase{"PropSwitchNotANumber", Line("a", "k", "7300", "0", "yes"), text::kBadPropSwitch},
        BadCase{"PropParamBeyond16Bits", Line("a", "k", "7300", "0", "1", "40000"), text::kBadPropParam},
        BadCase{"AccountOf17Bytes", Line(std::string(17, 'a'), "k", "7300"), text::kAccountTooLong},
        BadCase{"AccountNotSingleByte", Line("张三", "k", "7300"), text::kAccountBadChar},
        BadCase{"KeyOf229Bytes", Line("a", std::string(229, 'k'), "7300"), text::kKeyTooLong},
        BadCase{"KeyNotSingleByte", Line("a", "clé", "7300"), text::kKeyBadChar},
        // The first bad field is the one reported.
        BadCase{"AccountBeforePort", Line("张三", "k", "x"), text::kAccountBadChar}),
    [](const ::testing::TestParamInfo<BadCase>& i) { return std::string(i.param.name); });

TEST(CommandLine, TheLongestAccountAndKeyThatFitAreTaken) {
  CommandLine cl = ParseCommandLine(Line(std::string(16, 'a'), std::string(228, 'k'), "65535", "65535", "-32768", "32767"));
  EXPECT_TRUE(cl.problem.empty()) << cl.problem;
  EXPECT_EQ(cl.ServerPort, 65535);
  EXPECT_EQ(cl.Prop_swicth, -32768);
  EXPECT_EQ(cl.PropParam, 32767);
}

}  // namespace
}  // namespace vask
