// The reconnect dialog: a countdown (TimerReconnect), then one attempt every
// three seconds (TimerCount) until the server accepts the re-login.
#include "core/client.h"
#include "core/connection/leaving.h"
#include "core/connection/lobby_link.h"
#include "core/connection/reconnect.h"
#include "core/handlers.h"
#include "core/view/dialogs.h"
#include "core/view/input.h"

namespace vask {

namespace {

void ShowCountdown(Client& c) {
  SetDialogText(c, c.view.frmReconnect, reconnect_part::kLbTime,
                std::to_string(c.recon.ReconCountdown) + reconnect_text::kSecondsSuffix);
}

// The link is back only once the server has accepted the re-login: a socket
// that connects and then stays silent is no reconnection.
bool LinkBack(Client& c) {
  return !c.recon.bReloginPending && c.platform.SocketState() == kSocketConnected;
}

void StartAttempts(Client& c) {
  EnableTimer(c, TimerId::Reconnect, false);
  c.recon.ReconCountdown = 0;
  ShowCountdown(c);
  EnableTimer(c, TimerId::Count, true);
}

}  // namespace

bool ReconnectDialogShown(const Client& c) { return c.view.frmReconnect.visible; }

void OpenReconnectDialog(Client& c) {
  c.recon.ReconAttempts = 0;
  c.recon.ReconCountdown = 0;
  ShowReconnectDialog(c);
  SetDialogText(c, c.view.frmReconnect, reconnect_part::kText, reconnect_text::kLinkLost);
  ShowCountdown(c);
  EnableTimer(c, TimerId::Reconnect, true);
  EnableTimer(c, TimerId::Count, false);
}

void CloseReconnectDialog(Client& c) {
  EnableTimer(c, TimerId::Reconnect, false);
  EnableTimer(c, TimerId::Count, false);
  HideDialog(c, c.view.frmReconnect);
}

void TimerReconnect_Timer(Client& c) {
  --c.recon.ReconCountdown;
  ShowCountdown(c);
  if (c.recon.ReconCountdown < 1) StartAttempts(c);
}

void TimerCount_Timer(Client& c) {
  if (LinkBack(c)) return CloseReconnectDialog(c);
  if (c.recon.ReconAttempts < kMaxReconAttempts) {
    ++c.recon.ReconAttempts;
    return StartReconnect(c);
  }
  CloseReconnectDialog(c);
  c.platform.MessageBox(c.view.Caption, reconnect_text::kGivenUp);
  RestoreLobby(c);
  QuitClient(c);
}

void pbReconnect_Click(Client& c) { StartAttempts(c); }

void frmReconnect_Click(Client& c, const ControlInput& in) {
  if (in.index == reconnect_part::kPbReconnect) pbReconnect_Click(c);
  else if (in.index == reconnect_part::kPbCancel) frmReconnect_pbCancel_Click(c);
}

void frmReconnect_pbCancel_Click(Client& c) {
  if (!LinkBack(c)) {
    RestoreLobby(c);
    LeaveResets(c);
  }
  CloseReconnectDialog(c);
}

}  // namespace vask
