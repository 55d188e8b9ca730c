#include "core/connection/lobby_link.h"

#include "core/client.h"
#include "core/connection/leaving.h"
#include "core/connection/login.h"
#include "core/connection/proxy.h"
#include "core/connection/reconnect.h"
#include "core/handlers.h"
#include "core/view/reset.h"

namespace vask {

namespace {

// Leaving on the lobby's order: tell the server while the link is up.
void LeaveOnLobbyOrder(Client& c) {
  if (c.platform.SocketState() == kSocketConnected) {
    c.conn.bWatchLink = false;
    c.conn.WatchTick = 0;
    LeaveTable(c);
  }
  ResetClient(c);
}

// The lobby's connect order: a fresh link to the game server.
void ConnectAgain(Client& c) {
  // A new visit logs in afresh, whatever the last link ended with.
  PrepareFirstLogin(c);
  c.conn.bProxyDone = true;
  c.login.bLoggingIn = true;
  if (c.launch.ProxyType == 0) {
    ResetRings(c);
    if (c.platform.SocketState() != 0) c.platform.SocketClose();
    c.platform.SocketConnect(c.launch.ServerHost, c.launch.ServerPort);
    if (!c.life.bTableCleared) {
      ClearTable(c);
      ResetTable(c);
      ResetRound(c);
      c.life.bTableCleared = true;
    }
    EnableTimer(c, TimerId::Bong, true);
    OpenLoginGate(c);
  } else if (c.launch.ProxyType == 5) {
    c.conn.bLoginSend = false;
    StartProxy(c);
  }
  BeginFirstLink(c);
  c.widgets.ButtonState[2] = false;
  PutPicture(c, c.pics.ButtonPics[4], c.view.AnNiu[2]);
  c.view.Time_Img.visible = c.view.Number.visible = false;
  ++c.view.revision;
  c.platform.ViewChanged();
}

}  // namespace

bool LobbyWindowExists(Client& c) {
  return !c.conn.LobbyTitle.empty() && c.platform.WindowExists(c.conn.LobbyTitle);
}

void QuitClient(Client& c) {
  c.conn.bQuitting = true;
  if (c.launch.bQuitRequested) return;
  c.launch.bQuitRequested = true;
  c.platform.Quit();
}

void RestoreLobby(Client& c) {
  if (c.conn.LobbyTitle.empty()) return;
  if (c.platform.WindowExists(c.conn.LobbyTitle)) c.platform.RestoreWindow(c.conn.LobbyTitle);
  else QuitClient(c);
}

void MinimizeLobby(Client& c) {
  if (c.conn.LobbyTitle.empty()) return;
  if (c.platform.WindowExists(c.conn.LobbyTitle)) c.platform.MinimizeWindow(c.conn.LobbyTitle);
  else QuitClient(c);
}

void PostToLobby(Client& c, std::uint32_t msg) {
  if (LobbyWindowExists(c)) c.platform.PostToWindow(c.conn.LobbyTitle, msg, 0, 0);
}

void ResetRings(Client& c) {
  c.conn.RecvBuf.Clear();
  c.conn.SendBuf.Clear();
  c.conn.bSocketBacklog = false;
}

void WndProc(Client& c, std::uint32_t msg, std::int64_t, std::int64_t) {
  // Until start-up has finished the window's own procedure answers.
  if (!c.launch.bWndProcInstalled || c.conn.bQuitting) return;
  switch (msg) {
    case lobby_msg::kInHand:
      if (LobbyWindowExists(c)) PostToLobby(c, c.table.bInGame ? lobby_msg::kInHand : lobby_msg::kLeft);
      return;
    case lobby_msg::kLeave:
      if (!LobbyWindowExists(c)) return;
      if (c.login.bLoggingIn) return PostToLobby(c, lobby_msg::kLoggingIn);
      if (c.table.bInGame) return PostToLobby(c, lobby_msg::kInHand);
      LeaveOnLobbyOrder(c);
      PostToLobby(c, lobby_msg::kLeft);
      return;
    case lobby_msg::kLeft:
      LeaveOnLobbyOrder(c);
      return;
    case lobby_msg::kConnect:
      ConnectAgain(c);
      return;
    default:
      return;
  }
}

}  // namespace vask
