#include "core/view/clock.h"

#include <string>

#include "core/client.h"
#include "core/view/layout.h"

namespace vask {

void PlaceClock(Client& c, int view, bool show) {
  ViewModel& v = c.view;
  Control& clock = v.Time_Img;
  switch (view & 3) {
    case 0:
      clock.x = v.Imgwealth.x;
      clock.y = v.Imgwealth.y + Scaled(v, 200);
      break;
    case 1:
      clock.x = v.Host.x;
      clock.y = v.Host.y + v.Host.h + Scaled(v, 20);
      break;
    case 2:
      clock.x = v.Tou[2].x - Scaled(v, 20);
      clock.y = v.Host.y - Scaled(v, 40);
      break;
    default:
      clock.x = v.Vask.x;
      clock.y = v.Vask.y + v.Vask.h;
      break;
  }
  v.Number.x = clock.x + Scaled(v, 48);
  v.Number.y = clock.y + Scaled(v, 5);
  ++v.revision;
  if (!show) return;
  v.Number.text = std::to_string(c.table.Countdown);
  v.Number.foreColor = kGreen;
  clock.visible = v.Number.visible = true;
  BringToFront(v, clock);
  BringToFront(v, v.Number);
}

}  // namespace vask
