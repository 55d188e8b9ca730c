// Table bots at the chat: a line another player types is answered with a
// built-in quick phrase, which the typist sees in bubbles beside the bots'
// seats; phrases are not answered.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <functional>

#include "bots/practice_game.h"
#include "core/social/chat.h"

namespace vask::test {
namespace {

using bots::PracticeGame;

TEST(BotChat, ALineTypedAtTheTableIsAnsweredByEachBotWithAQuickPhrase) {
  PracticeGame game(31);
  ASSERT_TRUE(game.Started());
  auto& players = game.Players();
  Client& typist = players[0]->GetClient();
  ASSERT_TRUE(game.RunUntil([&] { return typist.players.OthersSeated == 3 && typist.table.OwnMask() != 0; }, 10));
  typist.view.Chat.text = "大家好";
  SendChat(typist);
  // A bot's own lines come back to it as "你说道： ...".
  auto ownLines = [](Client& c) {
    const auto& items = TalkLines(c).items;
    return std::count_if(items.begin(), items.end(), [](const std::string& l) { return l.rfind("你说道： ", 0) == 0; });
  };
  // Answered: every bot has heard its own phrase back and the typist has
  // seen all three (a long phrase wraps to two history lines, so the
  // history's length alone does not tell).
  // The bubbles fade on the typist's own clock, which races while it has
  // work: each one is noted when it is seen.
  std::array<bool, 4> bubbleSeen{};
  auto answered = [&] {
    for (int v = 1; v < 4; ++v)
      bubbleSeen[v] = bubbleSeen[v] || (typist.bubbles.boxes[v].loaded && typist.view.SpeakBox[v].visible);
    for (std::size_t i = 1; i < players.size(); ++i)
      if (ownLines(players[i]->GetClient()) < 1) return false;
    return bubbleSeen[1] && bubbleSeen[2] && bubbleSeen[3];
  };
  // Each of the others is seen saying its phrase beside its seat.
  ASSERT_TRUE(game.RunUntil(answered, 10)) << bubbleSeen[1] << bubbleSeen[2] << bubbleSeen[3];
  EXPECT_EQ(TalkLines(typist).items.front(), "你说道： 大家好");
  // Phrases are not answered: the table falls quiet again.
  const std::size_t lines = TalkLines(typist).items.size();
  game.RunUntil([] { return false; }, 1);
  for (auto& p : players) EXPECT_EQ(ownLines(p->GetClient()), 1) << p->Options().account;
  EXPECT_EQ(TalkLines(typist).items.size(), lines);
}

}  // namespace
}  // namespace vask::test
