#pragma once
// A logged-in client at a table over the fake platform, with the lobby's
// window present.
#include <vector>

#include "support/client_fixture.h"
#include "support/table_frames.h"

namespace vask::test {

inline constexpr const char* kLobby = "Vask山庄";

class TableTest : public ClientTest {
 protected:
  TableTest() {
    client.conn.LobbyTitle = kLobby;
    platform.existingWindows = {kLobby};
    client.table.Detail[0].username = table.account;
    client.launch.PropAccount = table.account;
    client.launch.bWndProcInstalled = true;
    client.view.Caption = "Vask";
  }

  // The server sends the frames in one burst; every one is handled.
  void Play(const std::vector<Frame>& frames) {
    std::vector<std::uint8_t> bytes;
    for (const Frame& f : frames) bytes.insert(bytes.end(), f.begin(), f.end());
    platform.ServerSends(bytes);
    Ticks(static_cast<int>(frames.size()) + 3);
  }
  // n heart beats, however long a handler waits inside one of them.
  void Ticks(int n) {
    for (int i = 0; i < n; ++i) platform.RunTicks(1);
  }
  void Play(const Frame& f) { Play(std::vector<Frame>{f}); }

  // Logged in and seated at the scripted table.
  void SitDown() {
    Play(LoginAndSeating(table));
    platform.posts.clear();
  }

  int ViewOfAccount(const std::string& account) const {
    for (int v = 0; v < 4; ++v)
      if (client.table.Detail[v].username == account) return v;
    return -1;
  }

  ScriptedTable table;
};

}  // namespace vask::test
