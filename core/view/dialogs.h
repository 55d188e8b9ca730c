#pragma once
// The leave dialog, the notice that others left and the reconnect dialog:
// floating windows centred over the table, built the first time they show.
#include <string>

namespace vask {

struct Client;
struct FormWindow;

// The parts of each dialog, by index.
namespace exit_part {
inline constexpr int kQuestion = 0, kWarning = 1, kPbCloseMe = 2, kPbCancel = 3, kCount = 4;
}
namespace other_exit_part {
inline constexpr int kLabel1 = 0, kImgOK = 1, kImgCancel = 2, kCount = 3;
}
namespace reconnect_part {
inline constexpr int kText = 0, kLbTime = 1, kPbReconnect = 2, kPbCancel = 3, kCount = 4;
}

// Builds the dialog's parts (once), centres it over the table surface,
// shows it and brings it in front of the other floating windows.
void ShowExitDialog(Client& c);
void ShowOtherExitDialog(Client& c);
void ShowReconnectDialog(Client& c);
void HideDialog(Client& c, FormWindow& w);
// Sets the text of a label part.
void SetDialogText(Client& c, FormWindow& w, int part, const std::string& text);

}  // namespace vask
