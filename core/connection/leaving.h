#pragma once
// Leaving the table: the leave dialog, the leave frame, the notice of others
// leaving, and closing the main window.
#include <string>

namespace vask {

struct Client;

struct LeaveState {
  // The leave frame has gone out on this link; a new login clears it.
  bool bLeaveSent = false;
  // LeaveTable or the confirm button is waiting with the event loop running.
  bool bLeaving = false;
  bool bConfirming = false;
};

namespace leave_text {
inline constexpr const char* kQuestion = "您真的要退出吗？";
inline constexpr const char* kWarning = "游戏正在进行，逃跑会扣分！";
inline constexpr const char* kSomeoneLeft = "有用户退出，请退出重新开始游戏!";
}  // namespace leave_text

// The server reads the leave frame before the link drops: the wait after
// writing it, longer once the link has been re-established this visit.
inline constexpr int kLeaveWaitMs = 400;
inline constexpr int kLeaveWaitReconnectedMs = 800;
// The plug-in stores the player's props before the client leaves.
inline constexpr int kPropSaveWaitMs = 250;

// Tells the server the client leaves and stops the link's timers.
void LeaveTable(Client& c);
// The notice dialog frmOtherExit with its text, centred and top-most.
void ShowOtherExit(Client& c, const std::string& text);
// The resets of every way of leaving: the client's, the round's, the view's.
void LeaveResets(Client& c);

// Button action 8: the leave dialog opens, or closes when it is open.
void ToggleLeaveDialog(Client& c);
void CloseLeaveDialog(Client& c);
// The leave dialog's buttons.
void pbCloseMe_Click(Client& c);
void frmExit_pbCancel_Click(Client& c);
// The notice dialog's buttons.
void imgOK_Click(Client& c);
void imgCancel_Click(Client& c);
// The main window closes: the plug-in is unloaded and the process ends.
void Form_Unload(Client& c);

}  // namespace vask
