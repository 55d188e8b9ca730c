#include "core/connection/reconnect.h"

#include "core/client.h"
#include "core/connection/command_line.h"
#include "core/connection/lobby_link.h"
#include "core/connection/login.h"
#include "core/connection/proxy.h"
#include "core/handlers.h"
#include "core/view/widgets.h"

namespace vask {

namespace {

void TellPlugin(Client& c, bool linkUp) {
  if (PluginActive(c)) PropCall(c, [linkUp](PropPlugin& p) { p.rec_state(3, linkUp, 0); });
}

// What stays in the receive ring when an attempt starts. On the first one,
// the old link's whole frames (a frame cut by the drop would shift the new
// stream); on a later one, the part of those still unhandled, since what
// came after them is a failed attempt's.
void KeepOldLinkFrames(Client& c) {
  ByteRing& in = c.conn.RecvBuf;
  ReconnectState& r = c.recon;
  if (!r.bReloginPending) r.OldLinkFrames = static_cast<std::uint32_t>(in.Unread() / kFrameSize);
  in.KeepUnread(r.OldLinkFrames * kFrameSize);
}

}  // namespace

void WatchDuty(Client& c) {
  if (ProxyHandshakeRunning(c)) return ProxyWatch(c);
  if (c.platform.SocketState() == kSocketConnected) return;
  TellPlugin(c, false);
  if (!LobbyWindowExists(c)) return QuitClient(c);
  if (!c.login.g_bCanRecon) return;
  c.conn.bTableLive = false;
  c.conn.bWatchLink = false;
  c.conn.WatchTick = 0;
  // An attempt whose link dropped again: the dialog's next tick retries,
  // its count goes on.
  if (!ReconnectDialogShown(c)) OpenReconnectDialog(c);
}

void StartReconnect(Client& c) {
  SetSysmsgLines(c, reconnect_text::kReconnecting, "");
  PrepareRelogin(c);
  ConnectionState& s = c.conn;
  s.bProxyDone = true;
  c.platform.SocketClose();
  s.bSocketBacklog = false;  // they went with the socket
  KeepOldLinkFrames(c);
  c.recon.bReloginPending = true;
  if (c.launch.ProxyType == kProxyNone) {
    c.platform.SocketConnect(c.launch.ServerHost, c.launch.ServerPort);
    OpenLoginGate(c);
  } else if (c.launch.ProxyType == kProxySocks5) {
    s.bLoginSend = false;
    StartProxy(c);
  }
}

bool FrameBelongsToLink(const Client& c, int cmd) {
  const ReconnectState& r = c.recon;
  return r.OldLinkFrames > 0 || !r.bReloginPending || cmd == static_cast<int>(Cmd::ReloginAnswer);
}

void FrameTaken(Client& c) {
  if (c.recon.OldLinkFrames > 0) --c.recon.OldLinkFrames;
}

void OnReloginAnswer(Client& c, MsgInfo& info) {
  ReconnectState& r = c.recon;
  // Only an attempt is answered; a stray answer is not the server's verdict.
  if (!r.bReloginPending) return;
  if ((info.value[3] & 0xFF) != 1) {
    if (PluginActive(c)) {
      UnloadGameDll(c);
      c.prop.Prop_GameDllState = -1;
    }
    c.platform.MessageBox(c.view.Caption, reconnect_text::kReloginRefused);
    RestoreLobby(c);
    return QuitClient(c);
  }
  r.bReloginPending = false;
  r.bReconnected = true;
  c.login.bLoggingIn = false;
  CloseReconnectDialog(c);
  c.conn.bTableLive = true;
  SetSysmsgLines(c, reconnect_text::kReloggedIn, "");
  c.conn.bSendPending = true;
  TellPlugin(c, true);
}

}  // namespace vask
