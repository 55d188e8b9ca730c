#include "core/connection/login.h"

#include <algorithm>

#include "core/client.h"
#include "core/connection/command_line.h"
#include "core/connection/leaving.h"
#include "core/connection/lobby_link.h"
#include "core/connection/player_records.h"
#include "core/connection/proxy.h"
#include "core/handlers.h"
#include "core/view/adverts.h"
#include "core/view/widgets.h"

namespace vask {

namespace {

constexpr std::size_t kAdPageEnd = 116;  // the advert page: bytes 16..115

void PutBytes(Frame& f, std::size_t at, std::string_view s, std::size_t room) {
  std::size_t n = std::min(s.size(), room);
  for (std::size_t i = 0; i < n; ++i) f[at + i] = static_cast<std::uint8_t>(s[i]);
}

void LoginRefused(Client& c, const char* text) {
  PostToLobby(c, lobby_msg::kConnect);
  SetSysmsgLines(c, text, "");
  RestoreLobby(c);
  QuitClient(c);
}

}  // namespace

Frame BuildLoginFrame(std::string_view account, std::string_view key) {
  Frame f{};
  f[frame_offset::kCmd] = static_cast<std::uint8_t>(Cmd::Login);
  // The server reads the login flag from byte 14.
  f[login_offset::kFlag] = 1;
  PutBytes(f, login_offset::kAccount, account, login_offset::kKey - login_offset::kAccount);
  PutBytes(f, login_offset::kKey, key, frame_offset::kServerTag - login_offset::kKey);
  return f;
}

void OpenLoginGate(Client& c) {
  c.conn.bLoginSend = true;
  c.conn.LoginTick = 0;
  c.login.bLoginAnnounced = false;
}

void WriteLoginFrame(Client& c) {
  c.login.bLoggingIn = true;
  c.login.LoginWritten = c.platform.TickCount();
  // A new link: it has not been told that the client leaves.
  c.leave.bLeaveSent = false;
  c.platform.SocketSend(c.login.LoginFrame);
}

void PrepareRelogin(Client& c) {
  Frame& f = c.login.LoginFrame;
  f[frame_offset::kCmd] = static_cast<std::uint8_t>(Cmd::Relogin);
  f[frame_offset::kServerTag] = c.conn.ServerTag[0];
  f[frame_offset::kServerTag + 1] = c.conn.ServerTag[1];
  for (std::size_t i = 0; i < 4; ++i)
    f[login_offset::kReLoginId + i] = static_cast<std::uint8_t>(c.login.ReLoginId >> (8 * i));
}

void PrepareFirstLogin(Client& c) {
  Frame& f = c.login.LoginFrame;
  f[frame_offset::kCmd] = static_cast<std::uint8_t>(Cmd::Login);
  f[frame_offset::kServerTag] = f[frame_offset::kServerTag + 1] = 0;
  for (std::size_t i = 0; i < 4; ++i) f[login_offset::kReLoginId + i] = 0;
}

void BeginFirstLink(Client& c) {
  LoginState& l = c.login;
  l.bFirstLink = true;
  l.LinkAttempts = 1;
  l.AttemptStarted = c.platform.TickCount();
}

void FirstLinkDuty(Client& c) {
  LoginState& l = c.login;
  // The proxy handshake bounds its own wait; its end writes the login frame.
  if (ProxyHandshakeRunning(c)) return;
  const std::uint32_t now = c.platform.TickCount();
  const int state = c.platform.SocketState();
  const bool dropped = now - l.AttemptStarted >= kRetryGapMs && state != kSocketConnected;
  bool noAnswer = false;
  if (c.conn.bLoginSend) {
    // Refused (the socket is down again) or still connecting too long.
    if (!(dropped && state == 0) && now - l.AttemptStarted < kConnectWaitMs) return;
  } else if (l.bLoggingIn) {
    // Accepted, then closed or silent.
    if (!dropped && now - l.LoginWritten < kLoginAnswerWaitMs) return;
    noAnswer = !dropped;
  } else {
    return;
  }
  if (l.LinkAttempts < kLinkAttempts) {
    ++l.LinkAttempts;
    l.AttemptStarted = now;
    SetSysmsgLine(c, 0, login_text::kRetryBefore + std::to_string(l.LinkAttempts) + login_text::kRetryAfter);
    c.conn.bWatchLink = false;
    if (c.launch.ProxyType == kProxySocks5) return StartProxy(c);
    // A fresh link: nothing of the failed one is kept.
    c.platform.SocketClose();
    ResetRings(c);
    c.platform.SocketConnect(c.launch.ServerHost, c.launch.ServerPort);
    return OpenLoginGate(c);
  }
  // Given up: the player is told, the lobby has its window back and the
  // client waits for its next connect order.
  const char* text = noAnswer ? login_text::kNoAnswer : login_text::kConnectFailed;
  l.bFirstLink = false;
  PostToLobby(c, lobby_msg::kConnect);
  c.platform.MessageBox(c.view.Caption, text);
  RestoreLobby(c);
  LeaveResets(c);
  SetSysmsgLine(c, 0, text);
}

void LoginDuty(Client& c) {
  if (!c.login.bLoginAnnounced) {
    c.login.bLoginAnnounced = true;
    PostToLobby(c, lobby_msg::kConnect);
  }
  // Not connected yet: the gate stays open and the duty looks again four
  // ticks later, so nothing waits inside the tick.
  if (c.platform.SocketState() != kSocketConnected) return;
  WriteLoginFrame(c);
  c.conn.bWatchLink = true;
  c.conn.WatchTick = 0;
  c.conn.bLoginSend = false;
  c.conn.LoginTick = 0;
  if (PluginActive(c)) PropCall(c, [](PropPlugin& p) { p.rec_state(3, true, 0); });
}

void OnLogin(Client& c, MsgInfo& info) {
  ConnectionState& s = c.conn;
  s.bHoldFrame1 = s.bHoldFrame2 = false;
  for (Frame& f : s.HeldFrame) f.fill(0);
  s.bHoldCmd21 = false;
  c.table.HandSeen = false;
  c.life.bPropResetPending = false;
  c.table.HandNo = 0;
  c.settle.totals.RunningTotal.fill(0);
  StopSeatShuffle(c);
  EnableTimer(c, TimerId::KeepAlive, true);
  c.login.bLoggingIn = false;
  c.login.bFirstLink = false;

  if (info.value[3] == 2) return LoginRefused(c, login_text::kStartFailed);
  if (info.value[3] != 1) return LoginRefused(c, login_text::kBadLogin);

  s.bTableLive = true;
  PostToLobby(c, lobby_msg::kLeave);
  c.table.TimeOutLimit = static_cast<std::int16_t>(info.value[0] & 0xFF);
  SetSysmsgLines(c, login_text::kConnected, std::string(login_text::kWelcome) + " " + kGameCentreAddress);
  c.table.TurnLimit = static_cast<std::int16_t>((info.value[1] & 0x0F) * 2);
  c.login.g_bCanRecon = true;
  c.login.AdPage = FrameByteText(s.Msg, frame_offset::kPayload, kAdPageEnd);
  if (!c.login.AdPage.empty()) {
    c.view.WebBrowser1.visible = true;
    NavigateWebPane(c, kAdvertPane, c.login.AdPage);
    c.widgets.ShufflePage = c.login.AdPage + ".gamead";
  }
  ++c.view.revision;
  c.platform.ViewChanged();
}

}  // namespace vask
