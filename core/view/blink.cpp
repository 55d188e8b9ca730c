#include "core/client.h"
#include "core/handlers.h"

namespace vask {

// Every 400 ms: the latest discard is hidden and shown in turn, ending
// shown; the tile that blinked before is shown again. The chat button
// blinks after a line from another player.
void BlinkDuty(Client& c) {
  ChatBlinkStep(c);
  RiverState& r = c.view.rivers;
  auto valid = [](int image) { return image >= 0 && image < kTilesInSet; };
  if (valid(r.BlinkPrevImg)) c.view.MJ_Image[r.BlinkPrevImg].visible = true;
  r.BlinkPrevImg = -1;
  if (r.DiscardBlinks <= 0 || !valid(r.BlinkImg)) return;
  --r.DiscardBlinks;
  Control& tile = c.view.MJ_Image[r.BlinkImg];
  tile.visible = r.DiscardBlinks % 2 == 0;
  if (r.DiscardBlinks == 0) r.DiscardBlinks = -1;
  ++c.view.revision;
  c.platform.ViewChanged();
}

}  // namespace vask
