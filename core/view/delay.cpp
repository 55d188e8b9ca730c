#include "core/view/delay.h"

#include "core/client.h"

namespace vask {

void Delay(Client& c, int ms) {
  if (ms <= 0) return;
  const std::uint32_t start = c.platform.TickCount();
  // The tick count wraps after 49 days; unsigned difference handles it.
  while (!c.conn.bQuitting && c.platform.TickCount() - start < static_cast<std::uint32_t>(ms)) {
    c.platform.PumpEvents();
  }
}

}  // namespace vask
