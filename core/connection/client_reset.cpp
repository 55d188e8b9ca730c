// The return to the unconnected state, and the connection given up for lost.
#include "core/client.h"
#include "core/settle/records.h"
#include "core/connection/leaving.h"
#include "core/connection/lobby_link.h"
#include "core/connection/login.h"
#include "core/connection/player_records.h"
#include "core/connection/poll_loop.h"
#include "core/connection/reconnect.h"
#include "core/handlers.h"
#include "core/view/widgets.h"

namespace vask {

namespace {

// Closing is immediate on both platforms; the bound only guards the wait.
constexpr int kCloseWaitPumps = 200;

void HideStatusImages(ViewModel& v) {
  for (Control* p : {&v.Time_Img, &v.Number, &v.Host, &v.Zhuang, &v.ZhiNan, &v.Words}) p->visible = false;
  for (Control& ok : v.OK) ok.visible = false;
  for (Control& bubble : v.Speak) bubble.visible = false;
}

// The chat history window and the chat input.
void EmptyTalk(ViewModel& v) {
  for (ListControl& part : v.Talk.parts) part.items.clear();
  v.Chat.text.clear();
}

}  // namespace

void ResetClient(Client& c) {
  // Nothing of the old link may come back by itself: no attempt follows,
  // and the next link needs a new permission to reconnect.
  CloseReconnectDialog(c);
  c.recon = ReconnectState{};
  c.proxy.bProxyRun = false;
  c.login.g_bCanRecon = false;
  c.login.bFirstLink = false;

  ResetLink(c);
  EnableTimer(c, TimerId::Bong, false);
  EnableTimer(c, TimerId::KeepAlive, false);
  SetSysmsgLines(c, "", "");
  c.platform.SocketClose();
  c.login.bLoggingIn = false;
  for (int i = 0; i < kCloseWaitPumps && c.platform.SocketState() == kSocketConnected; ++i) c.platform.PumpEvents();
  for (int v = 0; v < 4; ++v) {
    ClearSeatView(c, v);
    c.table.Detail[v].Mask = 0;
  }
  // The next seating counts its names and players from the start: a count
  // left from this table would never reach the own seat's names.
  PlayerRecords& pr = c.players;
  pr.NamesReceived = 0;
  pr.NamesCounting = false;
  pr.OthersSeated = 0;
  pr.WealthList = {};
  // The own account is the client's, not the table's: the next connect
  // order must still find the own seat by it.
  c.table.Detail[0].username = c.launch.PropAccount;
  ForgetHandRecords(c);
  c.widgets.FirstStart = true;
  HideStatusImages(c.view);
  EmptyTalk(c.view);
  UnloadGameDll(c);
  DropPropHand(c);
  c.platform.MinimizeMainWindow();
  ++c.view.revision;
  c.platform.ViewChanged();
}

void ConnectionLost(Client& c) {
  if (!LobbyWindowExists(c)) return QuitClient(c);
  c.view.ChatList1.items.assign(1, reconnect_text::kConnectionLost);
  UnloadGameDll(c);
  c.platform.MinimizeMainWindow();
  RestoreLobby(c);
  LeaveResets(c);
}

}  // namespace vask
