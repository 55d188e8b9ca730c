// Frames the server should never send: seats that do not exist, names
// without an end, impossible numbers. They are ignored or clamped; the
// table stays consistent and the client stays up.
#include <gtest/gtest.h>

#include "core/client.h"
#include "support/frames.h"
#include "table_fixture.h"

namespace vask::test {
namespace {

Frame Filled(int cmd, std::uint8_t seat, std::uint8_t byte, std::initializer_list<int> values = {}) {
  Frame f = ServerFrame(cmd, seat, values);
  for (std::size_t i = 16; i < kFrameSize; ++i) f[i] = byte;
  return f;
}

struct BadFrame {
  const char* name;
  Frame frame;
};

class BadFrames : public TableTest, public ::testing::WithParamInterface<BadFrame> {
 protected:
  BadFrames() { SitDown(); }
};

TEST_P(BadFrames, AreSurvivedWithATableThatStillAddsUp) {
  Play(GetParam().frame);
  Play(GetParam().frame);
  EXPECT_FALSE(platform.quit);
  const PlayerRecords& pr = client.players;
  EXPECT_GE(pr.OthersSeated, 0);
  EXPECT_LE(pr.OthersSeated, 3);
  for (int v = 0; v < 4; ++v) {
    EXPECT_GE(pr.PlayerInfo[v].Gold, 0) << v;
    EXPECT_GE(pr.WealthList[v], 0) << v;
    EXPECT_GE(pr.PlayerInfo[v].Wins, 0) << v;
    std::uint8_t m = client.table.Detail[v].Mask;
    EXPECT_TRUE(m == 0 || m == 1 || m == 2 || m == 4 || m == 8) << v;
  }
  // The own seat is still the own player.
  EXPECT_EQ(client.table.Detail[0].username, table.account);
  EXPECT_EQ(client.players.PlayerInfo[0].Nick, table.nicks[2]);
}

INSTANTIATE_TEST_SUITE_P(
    Frames, BadFrames,
    ::testing::Values(
        BadFrame{"SeatNameWithoutSeat", Filled(3, 0, 'x')},
        BadFrame{"SeatNameForTwoSeats", Filled(3, 3, 'y')},
        BadFrame{"SeatNameHighNibble", Filled(3, 0xF0 | 8, 0xFF)},
        BadFrame{"PlayerForTwoSeats", Filled(20, 5, 0xFF)},
        BadFrame{"PlayerForSeatNine", Filled(20, 9, 0x41)},
        BadFrame{"PlayerAllOnesAtAMask", Filled(20, 1, 0xFF)},
        BadFrame{"PlayerWithoutSeatWhenTheTableIsFull", Filled(20, 0, 0xFF)},
        BadFrame{"ReadyNameWithoutEnd", Filled(23, 0, 'z', {0, 0, 0, 1})},
        BadFrame{"OwnGoldHuge", Filled(91, 0, 0xFF)},
        BadFrame{"OtherGoldNameWithoutEnd", Filled(92, 0, 0xFF)},
        BadFrame{"LeaverNameWithoutEnd", Filled(21, 0, 0xFE)},
        BadFrame{"LeaverShiftedEmpty", Filled(21, 0, 0, {0x100})},
        BadFrame{"TableStateKind255", Filled(16, 0, 0xFF, {0, 0, 0, 255})},
        BadFrame{"TableStateUnknownSeats", Filled(16, 0xF0, 0xFF, {0, 0, 0, 3})},
        BadFrame{"GameStartNoSeat", Filled(16, 0, 0xFF, {0, 0, 0, 2})},
        BadFrame{"GameParamsNoSeat", Filled(41, 0, 0xFF, {255, 255, 255, 255})},
        BadFrame{"LoginAnswerAdWithoutEnd", Filled(18, 0, 'a', {255, 255, 0, 1})}),
    [](const ::testing::TestParamInfo<BadFrame>& i) { return std::string(i.param.name); });

TEST_F(TableTest, AnUnseatedPlayerWhenEverySeatIsTakenIsIgnored) {
  SitDown();
  auto before = client.table.Detail;
  Play(PlayerInfoFrame(0, {"第五人", "fifth"}));
  for (int v = 0; v < 4; ++v) EXPECT_EQ(client.table.Detail[v].username, before[v].username);
  EXPECT_EQ(client.players.OthersSeated, 3);
}

TEST_F(TableTest, ImpossibleNumbersInAPlayerRecordAreClamped) {
  PlayerSpec p{"负数", "neg"};
  p.gold = -5;
  p.wealth = -1;
  Frame f = PlayerInfoFrame(0, p);
  PutBytes(f, 160, {0xFF, 0xFF, 0xFF, 0xFF});  // wins -1
  Play(f);
  EXPECT_EQ(client.players.PlayerInfo[1].Gold, 0);
  EXPECT_EQ(client.players.PlayerInfo[1].Wins, 0);
  EXPECT_EQ(client.players.WealthList[1], 0);
  EXPECT_EQ(client.view.Cash[1].text, "0金币");
  EXPECT_FALSE(client.view.Imgwealth.visible);
}

TEST_F(TableTest, ANameFillingAllSixteenBytesIsTakenWhole) {
  Play(ServerFrame(23));  // nothing ready: harmless
  Frame f = PlayerInfoFrame(0, {"满", "abcdefghijklmnop"});
  f[184] = 'T';  // the title starts right after the account
  Play(f);
  EXPECT_EQ(client.table.Detail[1].username, "abcdefghijklmnop");
}

}  // namespace
}  // namespace vask::test
