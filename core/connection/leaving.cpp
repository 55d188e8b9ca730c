#include "core/connection/leaving.h"

#include "core/client.h"
#include "core/connection/lobby_link.h"
#include "core/connection/login.h"
#include "core/connection/player_records.h"
#include "core/connection/poll_loop.h"
#include "core/connection/reconnect.h"
#include "core/handlers.h"
#include "core/view/delay.h"
#include "core/view/dialogs.h"
#include "core/view/input.h"
#include "core/view/reset.h"
#include "core/view/widgets.h"

namespace vask {

namespace {

constexpr std::size_t kNoticeText = 16, kNoticeTextEnd = 216;  // command 22

}  // namespace

void LeaveTable(Client& c) {
  LeaveState& l = c.leave;
  // A lobby order handled during the wait below finds the leave under way.
  if (l.bLeaving) return;
  l.bLeaving = true;
  MsgInfo leave;
  leave.cmd = static_cast<std::int16_t>(Cmd::TableState);
  leave.seat = c.table.OwnMask();
  const Frame f = EncodeHeader(leave);
  ClearGates(c);
  EnableTimer(c, TimerId::Bong, false);
  EnableTimer(c, TimerId::KeepAlive, false);
  if (c.platform.SocketState() == kSocketConnected && !l.bLeaveSent) {
    c.platform.SocketSend(f);
    l.bLeaveSent = true;
  }
  Delay(c, c.recon.bReconnected ? kLeaveWaitReconnectedMs : kLeaveWaitMs);
  c.login.g_bCanRecon = false;
  StopSeatShuffle(c);
  c.view.WebBrowser2.visible = false;
  l.bLeaving = false;
}

void LeaveResets(Client& c) {
  c.life.bTableCleared = false;
  ResetClient(c);
  ResetRound(c);
  ResetTable(c);
}

void ShowOtherExit(Client& c, const std::string& text) {
  ShowOtherExitDialog(c);
  SetDialogText(c, c.view.frmOtherExit, other_exit_part::kLabel1, text);
}

void OnLeaveNotice(Client& c, MsgInfo&) {
  std::string text = FrameGbkText(c.conn.Msg, kNoticeText, kNoticeTextEnd);
  if (text.empty()) text = leave_text::kSomeoneLeft;
  for (Control& portrait : c.view.Tou) portrait.picture = kNoPicture;
  ShowOtherExit(c, text);
  LeaveTable(c);
  EnableTimer(c, TimerId::Bong, false);
  c.conn.bReadyClock = false;
  c.conn.bWatchLink = false;
  c.conn.WatchTick = 0;
  c.table.bInGame = false;
  c.life.bTableCleared = false;
  c.life.bTableBroken = true;
}

void ToggleLeaveDialog(Client& c) {
  if (PluginActive(c)) PropCall(c, [](PropPlugin& p) { p.setbankstate(2); });
  FormWindow& w = c.view.frmExit;
  if (w.visible) return HideDialog(c, w);
  ShowExitDialog(c);
  SetDialogText(c, w, exit_part::kQuestion, leave_text::kQuestion);
  SetDialogText(c, w, exit_part::kWarning, leave_text::kWarning);
  w.parts[exit_part::kWarning].visible = c.table.bInGame && !c.table.Spectator;
}

void CloseLeaveDialog(Client& c) { HideDialog(c, c.view.frmExit); }

void pbCloseMe_Click(Client& c) {
  LeaveState& l = c.leave;
  // A second click while the first one waits does not leave twice.
  if (l.bConfirming) return;
  l.bConfirming = true;
  if (PluginActive(c)) {
    PropCall(c, [](PropPlugin& p) { p.UpdataMyProp(false); });
    Delay(c, kPropSaveWaitMs);
  }
  c.table.bInGame = false;
  if (c.platform.SocketState() == kSocketConnected) {
    c.conn.bWatchLink = false;
    c.conn.WatchTick = 0;
    LeaveTable(c);
  }
  LeaveResets(c);
  CloseLeaveDialog(c);
  l.bConfirming = false;
  if (LobbyWindowExists(c)) RestoreLobby(c);
  else QuitClient(c);
}

void frmExit_pbCancel_Click(Client& c) { CloseLeaveDialog(c); }

void imgOK_Click(Client& c) {
  LeaveResets(c);
  HideDialog(c, c.view.frmOtherExit);
  RestoreLobby(c);
}

void imgCancel_Click(Client& c) {
  if (c.table.bInGame) return;
  c.life.bTableBroken = true;
  HideDialog(c, c.view.frmOtherExit);
}

void frmExit_Click(Client& c, const ControlInput& in) {
  if (in.index == exit_part::kPbCloseMe) pbCloseMe_Click(c);
  else if (in.index == exit_part::kPbCancel) frmExit_pbCancel_Click(c);
}

void frmOtherExit_Click(Client& c, const ControlInput& in) {
  if (in.index == other_exit_part::kImgOK) imgOK_Click(c);
  else if (in.index == other_exit_part::kImgCancel) imgCancel_Click(c);
}

void Form_Unload(Client& c) {
  c.launch.bWndProcInstalled = false;
  SoundAtExit(c);
  UnloadGameDll(c, 1);
  c.prop.PropObj.reset();
  QuitClient(c);
}

}  // namespace vask
