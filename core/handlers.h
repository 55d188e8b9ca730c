#pragma once
// Every handler the dispatcher routes a server command to, and every duty
// the poll tick runs. The comment names the file that defines it.
#include <cstdint>
#include <string>

#include "core/connection/frame.h"

namespace vask {

struct Client;

// Server commands (see Cmd in core/connection/protocol.h).
void OnDeal(Client& c, MsgInfo& info);           // 1  game/deal.cpp
void OnDiscard(Client& c, MsgInfo& info);        // 2  game/turns.cpp
void OnSeatName(Client& c, MsgInfo& info);       // 3  connection/seating.cpp
void OnHandStart(Client& c, MsgInfo& info);      // 4  game/deal.cpp
void OnDraw(Client& c, MsgInfo& info);           // 5  game/turns.cpp
void OnTurn(Client& c, MsgInfo& info);           // 6  game/turns.cpp
void OnClaim(Client& c, MsgInfo& info);          // 7  game/claims.cpp
void OnHandResult(Client& c, MsgInfo& info);     // 9  settle/totals.cpp
void OnWildcards(Client& c, MsgInfo& info);      // 14 game/deal.cpp
void OnReveal(Client& c, MsgInfo& info);         // 15 game/turns.cpp
void OnTableState(Client& c, MsgInfo& info);     // 16 connection/table_state_msgs.cpp
void OnSettleItem(Client& c, MsgInfo& info);     // 17 settle/settlement.cpp
void OnLogin(Client& c, MsgInfo& info);          // 18 connection/login.cpp
void OnChat(Client& c, MsgInfo& info);           // 19 social/chat.cpp
void OnPlayerInfo(Client& c, MsgInfo& info);     // 20 connection/player_records.cpp
void OnPlayerLeaves(Client& c, MsgInfo& info);   // 21 connection/table_state_msgs.cpp
void OnLeaveNotice(Client& c, MsgInfo& info);    // 22 connection/leaving.cpp
void OnReady(Client& c, MsgInfo& info);          // 23 connection/player_records.cpp
void OnPullSit(Client& c, MsgInfo& info);        // 26 settle/settlement.cpp
void OnReloginAnswer(Client& c, MsgInfo& info);  // 29 connection/reconnect.cpp
void OnRestore(Client& c, MsgInfo& info);        // 40 game/restore.cpp
void OnGameParams(Client& c, MsgInfo& info);     // 41 connection/table_state_msgs.cpp
void OnPropA(Client& c, MsgInfo& info);          // 44 social/plugin_host.cpp
void OnPropB(Client& c, MsgInfo& info);          // 45 social/plugin_host.cpp
void OnPropScore(Client& c, MsgInfo& info);      // 46 social/plugin_host.cpp
void OnOwnGold(Client& c, MsgInfo& info);        // 91 connection/player_records.cpp
void OnOtherGold(Client& c, MsgInfo& info);      // 92 connection/player_records.cpp
void OnUnassigned(Client& c, MsgInfo& info);     // any other: social/plugin_host.cpp

// A chat line decoded from a command-19 frame; info.seat is the speaker's
// view position (or 0 for the server). social/chat.cpp
void OnChatMessage(Client& c, const MsgInfo& info, const std::string& text);
// The send button: the chat input line goes out. social/chat.cpp

// Poll-tick duties, in the order the tick runs them.
void LoginDuty(Client& c);       // every 4 ticks: connection/login.cpp
void FirstLinkDuty(Client& c);   // every tick: connection/login.cpp
void BlinkDuty(Client& c);       // every 8 ticks: view/blink.cpp
void TurnClockDuty(Client& c);   // every 20 ticks: game/turns.cpp
void ReadyClockDuty(Client& c);  // every 20 ticks: connection/ready_clock.cpp
void LiveTableDuty(Client& c);   // every tick while the table is live: settle/settlement.cpp
void WatchDuty(Client& c);       // every 2 ticks: connection/reconnect.cpp
void HideWordDuty(Client& c);    // every 40 ticks: game/claims.cpp
void PropTimerStep(Client& c);   // after the tick, plug-in active: social/plugin_pump.cpp

// Timers other than TimerBong (connection/poll_loop.cpp).
void TimerKeepAlive_Timer(Client& c);  // connection/keepalive.cpp
void TimerChat_Timer(Client& c);       // social/chat.cpp
void TimerProp_Timer(Client& c);       // social/plugin_pump.cpp
void TimerShuffle_Timer(Client& c);    // view/widgets.cpp
void TimerCount_Timer(Client& c);      // connection/reconnect.cpp
void TimerReconnect_Timer(Client& c);  // connection/reconnect.cpp
void tmrFadeIn_Timer(Client& c);       // social/bubbles.cpp

// The user's input on the window's controls reaches the handlers listed by
// control name in kInputHandlers (core/view/input.cpp); they are declared
// here, named MainForm_<control>_<event> after the window's own events.
struct ControlInput;
// view/tile_input.cpp
void MainForm_MJ_Image_MouseMove(Client& c, const ControlInput& in);
void MainForm_MJ_Image_MouseDown(Client& c, const ControlInput& in);
void MainForm_Pic1_MouseMove(Client& c, const ControlInput& in);
void MainForm_Pic1_MouseDown(Client& c, const ControlInput& in);
void MainForm_Pic1_KeyDown(Client& c, const ControlInput& in);
void MainForm_Form_KeyDown(Client& c, const ControlInput& in);
void MainForm_Operation_Click(Client& c, const ControlInput& in);
void MainForm_Chi_Click(Client& c, const ControlInput& in);
void MainForm_Gang_Click(Client& c, const ControlInput& in);
// view/buttons.cpp
void MainForm_AnNiu_MouseMove(Client& c, const ControlInput& in);
void MainForm_AnNiu_Click(Client& c, const ControlInput& in);
void MainForm_imgword1_MouseMove(Client& c, const ControlInput& in);
void MainForm_imgword2_MouseMove(Client& c, const ControlInput& in);
void MainForm_imgword1_Click(Client& c, const ControlInput& in);
void MainForm_imgword2_Click(Client& c, const ControlInput& in);
void MainForm_Bank_MouseMove(Client& c, const ControlInput& in);
void MainForm_imgLocation_MouseMove(Client& c, const ControlInput& in);
// view/pull_choice.cpp
void MainForm_operZ_MouseMove(Client& c, const ControlInput& in);
void MainForm_operZ_Click(Client& c, const ControlInput& in);
// view/player_card.cpp
void MainForm_Tou_MouseMove(Client& c, const ControlInput& in);
void MainForm_Nid_MouseMove(Client& c, const ControlInput& in);
void MainForm_Cash_MouseMove(Client& c, const ControlInput& in);
void MainForm_Level_MouseMove(Client& c, const ControlInput& in);
// view/badges.cpp
void MainForm_imgBeishu_MouseMove(Client& c, const ControlInput& in);
void MainForm_Imgwealth_MouseMove(Client& c, const ControlInput& in);
// settle/score_windows.cpp: the score and record windows
void MainForm_Score_MouseDown(Client& c, const ControlInput& in);
void MainForm_Score_MouseMove(Client& c, const ControlInput& in);
void MainForm_Score_MouseUp(Client& c, const ControlInput& in);
void MainForm_Score_Click(Client& c, const ControlInput& in);
void MainForm_Score_KeyDown(Client& c, const ControlInput& in);
void MainForm_Hero_MouseDown(Client& c, const ControlInput& in);
void MainForm_Hero_MouseMove(Client& c, const ControlInput& in);
void MainForm_Hero_MouseUp(Client& c, const ControlInput& in);
void MainForm_Hero_Click(Client& c, const ControlInput& in);
void MainForm_Hero_DblClick(Client& c, const ControlInput& in);
// connection/leaving.cpp: the leave dialog and the notice that others left
void frmExit_Click(Client& c, const ControlInput& in);
void frmOtherExit_Click(Client& c, const ControlInput& in);
// connection/reconnect_dialog.cpp
void frmReconnect_Click(Client& c, const ControlInput& in);
// social/plugin_host.cpp
void MainForm_Bank_Click(Client& c, const ControlInput& in);
// social/chests.cpp
void MainForm_ImgProp_Click(Client& c, const ControlInput& in);
// social/social_input.cpp: the chat box, addressing a player, the chat label
// and the chat, phrase and sound windows by their parts
void MainForm_Tou_Click(Client& c, const ControlInput& in);
void MainForm_Lbchat_Click(Client& c, const ControlInput& in);
void MainForm_Chat_KeyDown(Client& c, const ControlInput& in);
void MainForm_Chat_Change(Client& c, const ControlInput& in);
void MainForm_Chat_GotFocus(Client& c, const ControlInput& in);
void MainForm_Chat_LostFocus(Client& c, const ControlInput& in);
void Talk_Click(Client& c, const ControlInput& in);
void huifu_Click(Client& c, const ControlInput& in);
void huifu_DblClick(Client& c, const ControlInput& in);
void VosSet_Click(Client& c, const ControlInput& in);

// The lobby's window messages. connection/lobby_link.cpp
void WndProc(Client& c, std::uint32_t msg, std::int64_t wparam, std::int64_t lparam);

// The SOCKS5 handshake (ProxyReceive, StartProxy): connection/proxy.h

// The connection taken as lost (no frame for 5000 receive duties in a hand).
void ConnectionLost(Client& c);  // connection/client_reset.cpp

}  // namespace vask
