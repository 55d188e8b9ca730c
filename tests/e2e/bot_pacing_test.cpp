// A table bot pauses like a person before it is ready for the next hand,
// so that the hand's end can be read, and never keeps a person waiting:
// on the fake platform's clock, seated at the scripted table.
#include <gtest/gtest.h>

#include "bots/bot_player.h"
#include "settle/settle_fixture.h"

namespace vask::test {
namespace {

class BotPacing : public SettleTest {
 protected:
  BotPacing() {
    // east01 and south02 are bots like this one; north04 is a person.
    bot.PaceReadiness(6000, {"player", "east01", "south02"});
    StartHand(0);
    EndHand({}, {Settle(0, 0), Settle(0, 0), Settle(0, 0), Settle(0, 0)});
  }
  // Acts every 50 ms for `ms`; the ready frames sent meanwhile.
  int ActFor(int ms) {
    for (int t = 0; t < ms; t += 50) {
      platform.RunTicks(1);
      bot.Act();
    }
    return ReadyFramesSent();
  }

  bots::BotPlayer bot{client, bots::Strength::Steady, 0};
};

TEST_F(BotPacing, TheBotIsReadyNoSoonerThanThePauseAndNoLaterThanTwiceIt) {
  EXPECT_EQ(ActFor(5900), 0);
  EXPECT_EQ(ActFor(6200), 1);
}

TEST_F(BotPacing, ThePersonBeingReadyEndsThePause) {
  EXPECT_EQ(ActFor(1000), 0);
  Play(ReadyFrame("north04"));
  EXPECT_EQ(ActFor(100), 1);
}

TEST_F(BotPacing, OtherBotsBeingReadyDoNotEndIt) {
  Play({ReadyFrame("east01"), ReadyFrame("south02")});
  EXPECT_EQ(ActFor(1000), 0);
}

}  // namespace
}  // namespace vask::test
