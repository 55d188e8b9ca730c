#pragma once
// The panel of nine table buttons AnNiu, the two phrase buttons and the
// bank button: their faces, hovers and clicks. The start/continue button
// (AnNiu(2)) declares the player ready and so drives the game.
#include <string>

namespace vask {

struct Client;
struct FormWindow;

// Button indices of AnNiu.
namespace an_niu {
inline constexpr int kSend = 0;      // "发送"
inline constexpr int kChat = 1;      // "聊天"
inline constexpr int kStart = 2;     // "开始" / "继续"
inline constexpr int kSettings = 3;  // "设置"
inline constexpr int kHide = 4;      // "隐藏"
inline constexpr int kScore = 5;     // "战绩"
inline constexpr int kHistory = 6;   // "历史"
inline constexpr int kRules = 7;     // "规则"
inline constexpr int kLeave = 8;     // "退出"
}  // namespace an_niu

// What button i does when clicked, whether or not it is enabled: the
// title band's close and minimise buttons run actions 8 and 4.
void RunButtonAction(Client& c, int button);

// The ButtonPics entry button i shows, normal or hovered.
int ButtonFaceEntry(const Client& c, int button, bool hover);

// The send, chat and start buttons that a restored hand disabled (the
// game-parameters message) are usable again once that hand is over, each
// with its normal face.
void EnableHandButtons(Client& c);

// The start/continue button: declares ready once per hand; on a broken
// table it goes back to the lobby instead.
void StartOrContinue(Client& c);

// Gives every hovered panel button, operZ button and the bank their normal
// face and hides the player card (the pointer is back on the table).
void ResetHovers(Client& c);

// The quick hide (F1): every floating window hidden, the main window and
// the lobby minimised.
void QuickHide(Client& c);

// The rules page of the game site.
inline constexpr const char* kRulesPage = "http://www.vask.example/gameinfo/vlrk/index.php";

// Opens an address in the system browser when it is an http or https
// address; anything else is refused (false). Addresses come from the
// server, so nothing else may reach the shell.
bool OpenWebAddress(Client& c, const std::string& url);
// True for "http://host..." and "https://host..." with a host and no
// blank or control character.
bool IsWebAddress(const std::string& url);

// Places Talk or huifu: centred on the table, then moved to the chat corner.
void PlaceChatWindow(Client& c, FormWindow& w);

}  // namespace vask
