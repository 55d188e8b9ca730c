#pragma once
// A seated client at the scripted table (own seat 2) with the window laid
// out, and the frames of a hand's start and end.
#include <array>
#include <functional>
#include <string>
#include <vector>

#include "../connection/table_fixture.h"
#include "core/client.h"
#include "core/game/seats.h"
#include "core/settle/score_windows.h"
#include "core/view/buttons.h"
#include "core/view/layout.h"
#include "support/play_frames.h"
#include "support/settle_frames.h"

namespace vask::test {

using Column = std::vector<std::string>;

class SettleTest : public TableTest {
 protected:
  // `beforeSitting` prepares the client (or the platform) before the login.
  explicit SettleTest(const std::function<void(SettleTest&)>& beforeSitting = {}) {
    InitPictureTables(client.pics, 1.0);
    InitLayout(client);
    if (beforeSitting) beforeSitting(*this);
    SitDown();
  }
  // The seat mask shown at a view (own mask 4).
  std::uint8_t MaskOf(int view) const { return MaskOfView(table.ownMask, view); }
  // After a hand the player continues (which clears the table) before the
  // server starts the next.
  void StartHand(int dealerView) {
    if (client.table.HandNo > 0) StartOrContinue(client);
    Play(HandStartFrame(MaskOf(dealerView), {3, 4, 2, 5}));
  }
  void EndHand(const std::array<HandResultSpec, 4>& results, const std::array<SettleSpec, 4>& settles) {
    std::vector<Frame> frames;
    for (int v = 0; v < 4; ++v) frames.push_back(HandResultFrame(MaskOf(v), results[v]));
    for (int v = 0; v < 4; ++v) frames.push_back(SettleFrame(MaskOf(v), settles[v]));
    Play(frames);
  }
  const Column& State(int j) { return ScoreState(client, j).items; }
  // The first lines of every column: the gold before the hand and the stake.
  Column Header(int view, int stake) const {
    return {"初始：" + client.view.Cash[view].text, "房间底金： " + std::to_string(stake) + " 金币",
            " -------------------  ", ""};
  }
  int ReadyFramesSent() const {
    int n = 0;
    for (const Frame& f : platform.SentFrames())
      if (f[frame_offset::kCmd] == static_cast<int>(Cmd::TableState) && f[15] == 1) ++n;
    return n;
  }
};

}  // namespace vask::test
