#include "core/client.h"
#include "core/handlers.h"

namespace vask {

void GiveUp(Client& c) {
  if (!c.conn.LobbyTitle.empty() && c.platform.WindowExists(c.conn.LobbyTitle))
    c.platform.RestoreWindow(c.conn.LobbyTitle);
  c.platform.Quit();
}

void WndProc(Client&, std::uint32_t, std::int64_t, std::int64_t) {}

}  // namespace vask
