#pragma once
// The check the end-to-end games make between moves.
#include <gtest/gtest.h>

#include "bots/practice_game.h"

namespace vask::test {

// At a moment the bot must discard, having read all the server sent: its
// concealed tiles must be the server's for its seat. True when it was such
// a moment (and so checked).
inline bool CheckHandAgainstServer(bots::PracticeGame& game, bots::TableBot& p) {
  const std::optional<bool> same = game.HandMatchesServer(p);
  if (!same) return false;
  EXPECT_TRUE(*same) << p.Options().account << " in hand " << game.ServerTable().HandsPlayed() + 1 << ": "
                     << game.HandsText(p);
  return true;
}

}  // namespace vask::test
