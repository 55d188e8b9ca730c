#include "core/view/buttons.h"

#include <algorithm>

#include "core/client.h"
#include "core/connection/leaving.h"
#include "core/connection/lobby_link.h"
#include "core/connection/ready_clock.h"
#include "core/connection/reconnect.h"
#include "core/handlers.h"
#include "core/settle/score_windows.h"
#include "core/view/chrome.h"
#include "core/view/player_card.h"
#include "core/view/pull_choice.h"
#include "core/view/reset.h"
#include "core/view/widgets.h"

namespace vask {

namespace {

constexpr int kPhraseHover = 1;  // the hover face follows the normal one

void Changed(Client& c) {
  ++c.view.revision;
  c.platform.ViewChanged();
}

void ShowFace(Client& c, int button, bool hover) {
  PutPicture(c, c.pics.ButtonPics[static_cast<std::size_t>(ButtonFaceEntry(c, button, hover))], c.view.AnNiu[button]);
}

// After the settings, score and record buttons the bank plug-in redraws
// its own button.
void TellBank(Client& c) {
  if (c.prop.Prop_GameDllState >= 1) PropCall(c, [](PropPlugin& p) { p.setbankstate(2); });
}

void RestorePhraseAndBankFaces(Client& c) {
  WidgetState& w = c.widgets;
  if (w.WordHover1) PutPicture(c, kPhrase1Pic, c.view.imgword1);
  if (w.WordHover2) PutPicture(c, kPhrase2Pic, c.view.imgword2);
  if (w.BankHover) PutPicture(c, kBankPic, c.view.Bank);
  w.WordHover1 = w.WordHover2 = w.BankHover = false;
}

void HoverPicture(Client& c, bool& flag, int normalPicture, Control& control) {
  if (flag) return;
  flag = true;
  PutPicture(c, normalPicture + kPhraseHover, control);
  Changed(c);
}

// The broken table's start button: back to the lobby, or out.
void ReturnToLobby(Client& c) {
  ResetClient(c);
  ResetRound(c);
  ResetTable(c);
  if (!c.conn.LobbyTitle.empty() && c.platform.WindowExists(c.conn.LobbyTitle)) {
    c.platform.MinimizeMainWindow();
    RestoreLobby(c);
  } else {
    QuitClient(c);
  }
}

bool IsUrlCharacter(unsigned char ch) { return ch > 0x20 && ch != 0x7F; }

}  // namespace

int ButtonFaceEntry(const Client& c, int button, bool hover) {
  const int h = hover ? 1 : 0;
  if (button < an_niu::kStart) return 2 * button + h;
  if (button == an_niu::kStart) return (c.table.HandNo < 1 && c.widgets.FirstStart ? 4 : 6) + h;
  return 2 * button + 2 + h;
}

void EnableHandButtons(Client& c) {
  for (int i = an_niu::kSend; i <= an_niu::kStart; ++i) {
    Control& b = c.view.AnNiu[i];
    if (b.enabled) continue;
    b.enabled = true;
    ShowFace(c, i, false);
  }
}

void StartOrContinue(Client& c) {
  if (c.life.bTableBroken) return ReturnToLobby(c);
  WidgetState& w = c.widgets;
  if (w.ButtonState[an_niu::kStart]) return;
  ViewModel& v = c.view;
  w.FirstStart = false;
  PutPicture(c, c.pics.ButtonPics[6], v.AnNiu[an_niu::kStart]);
  v.OK[0].visible = true;
  BringToFront(v, v.OK[0]);
  c.conn.bReadyClock = false;
  v.Time_Img.visible = v.Number.visible = false;
  w.ButtonState[an_niu::kStart] = true;
  if (!c.life.bTableCleared) {
    ClearTable(c);
    ResetTable(c);
    ResetSeats(c);
  }
  SendReady(c);
  StartShuffleIfPending(c);
  Changed(c);
}

void ResetHovers(Client& c) {
  WidgetState& w = c.widgets;
  for (int i = 0; i < 9; ++i) {
    if (!w.ButtonHover[i]) continue;
    ShowFace(c, i, false);
    w.ButtonHover[i] = false;
  }
  HidePlayerCard(c);
  ResetQuickOpHover(c);
  ResetChromeHover(c);
  if (w.BankHover) PutPicture(c, kBankPic, c.view.Bank);
  w.BankHover = false;
  Changed(c);
}

void QuickHide(Client& c) {
  ViewModel& v = c.view;
  c.table.bBossHidden = true;  // turns run on short clocks until the window is back
  for (FormWindow* w : {&v.Talk, &v.huifu, &v.VosSet, &v.Information, &v.Score, &v.Hero, &v.frmOtherExit})
    w->visible = false;
  CloseLeaveDialog(c);
  if (PluginActive(c)) PropCall(c, [](PropPlugin& p) { p.SetKeyDown(112); });
  c.platform.MinimizeMainWindow();
  MinimizeLobby(c);
  Changed(c);
}

bool IsWebAddress(const std::string& url) {
  std::size_t hostStart = 0;
  if (url.rfind("http://", 0) == 0) hostStart = 7;
  else if (url.rfind("https://", 0) == 0) hostStart = 8;
  else return false;
  if (url.size() <= hostStart || url[hostStart] == '/') return false;
  for (unsigned char ch : url)
    if (!IsUrlCharacter(ch)) return false;
  return true;
}

bool OpenWebAddress(Client& c, const std::string& url) {
  if (!IsWebAddress(url)) return false;
  c.platform.OpenInBrowser(url);
  return true;
}

void PlaceChatWindow(Client& c, FormWindow& w) {
  const ViewModel& v = c.view;
  // Surface coordinates: the window's and the table's lefts cancel out.
  if (v.LayoutScale >= 1.0f) {
    w.x = 0.3f * v.Pic1.w;
    w.y = 0.66f * v.Pic1.h;
  } else {
    w.x = 0.27f * v.Pic2.w;
    w.y = 0.6f * v.Pic2.h;
  }
  // The phrase window is taller than the table leaves below that corner:
  // it stays on the table, its bottom on the table's edge.
  w.x = std::clamp(w.x, 0.0f, std::max(0.0f, v.Pic1.w - w.w));
  w.y = std::clamp(w.y, 0.0f, std::max(0.0f, v.Pic1.h - w.h));
  ++c.view.revision;
}

void MainForm_AnNiu_MouseMove(Client& c, const ControlInput& in) {
  if (in.index < 0 || in.index > 8 || c.widgets.ButtonHover[in.index]) return;
  c.widgets.ButtonHover[in.index] = true;
  ShowFace(c, in.index, true);
  Changed(c);
}

void MainForm_AnNiu_Click(Client& c, const ControlInput& in) {
  if (in.index < 0 || in.index > 8 || !c.view.AnNiu[in.index].enabled) return;
  RunButtonAction(c, in.index);
}

void RunButtonAction(Client& c, int button) {
  switch (button) {
    case an_niu::kSend: SendChat(c); break;  // not rate-limited
    case an_niu::kChat: ToggleTalkWindow(c); break;
    case an_niu::kStart: StartOrContinue(c); break;
    case an_niu::kSettings:
      ToggleSoundSettings(c);
      TellBank(c);
      break;
    case an_niu::kHide:
      c.platform.MinimizeMainWindow();
      QuickHide(c);
      break;
    case an_niu::kScore:
      ToggleScoreWindow(c);
      TellBank(c);
      break;
    case an_niu::kHistory:
      ToggleRecordWindow(c);
      TellBank(c);
      break;
    case an_niu::kRules: OpenWebAddress(c, kRulesPage); break;
    case an_niu::kLeave: ToggleLeaveDialog(c); break;
    default: break;
  }
  Changed(c);
}

void MainForm_imgword1_MouseMove(Client& c, const ControlInput&) {
  HoverPicture(c, c.widgets.WordHover1, kPhrase1Pic, c.view.imgword1);
}

void MainForm_imgword2_MouseMove(Client& c, const ControlInput&) {
  HoverPicture(c, c.widgets.WordHover2, kPhrase2Pic, c.view.imgword2);
}

void MainForm_Bank_MouseMove(Client& c, const ControlInput&) {
  HoverPicture(c, c.widgets.BankHover, kBankPic, c.view.Bank);
}

void MainForm_imgLocation_MouseMove(Client& c, const ControlInput&) {
  RestorePhraseAndBankFaces(c);
  Changed(c);
}

void MainForm_imgword1_Click(Client& c, const ControlInput&) { PhraseButton_Click(c, kPhraseOwn); }

void MainForm_imgword2_Click(Client& c, const ControlInput&) { PhraseButton_Click(c, kPhraseBuiltIn); }

}  // namespace vask
