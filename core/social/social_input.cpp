// The user's input on the chat, phrase and sound controls and windows.
#include "core/social/social_input.h"

#include "core/client.h"
#include "core/handlers.h"

namespace vask {

namespace {

// The part of a floating window a pointer event reached; nullptr for none.
const ListControl* PartOf(const FormWindow& w, const ControlInput& in) {
  if (in.index < 0 || in.index >= static_cast<int>(w.parts.size())) return nullptr;
  return &w.parts[static_cast<std::size_t>(in.index)];
}

bool Is(const ListControl* part, const char* name) { return part && part->name == name; }

}  // namespace

void SetUpSocialWindows(Client& c) {
  SetUpTalkWindow(c);
  VosSet_Form_Load(c);
}

void MainForm_Tou_Click(Client& c, const ControlInput& in) { AddressTo(c, in.index); }

void MainForm_Lbchat_Click(Client& c, const ControlInput&) { ToggleTalkWindow(c); }

void MainForm_Chat_KeyDown(Client& c, const ControlInput& in) {
  c.chat.SelStart = in.caret;
  Chat_KeyPress(c, in.key);
  Chat_KeyDown(c, in.key);
}

void MainForm_Chat_Change(Client& c, const ControlInput& in) {
  if (in.text) Chat_Change(c, *in.text, in.caret);
}

void MainForm_Chat_GotFocus(Client& c, const ControlInput&) { Chat_Focus(c, true); }

void MainForm_Chat_LostFocus(Client& c, const ControlInput&) { Chat_Focus(c, false); }

void Talk_Click(Client& c, const ControlInput& in) {
  if (Is(PartOf(c.view.Talk, in), "Label1")) Talk_Label1_Click(c);
}

void huifu_Click(Client& c, const ControlInput& in) {
  if (Is(PartOf(c.view.huifu, in), "Label1")) Huifu_Label1_Click(c);
}

void huifu_DblClick(Client& c, const ControlInput& in) {
  const ListControl* part = PartOf(c.view.huifu, in);
  const int list = Is(part, "List1") ? kPhraseOwn : Is(part, "List2") ? kPhraseBuiltIn : 0;
  if (list == 0) return;
  const int row = ListRowAt(*part, in.y);
  if (row >= 0) SendPhrase(c, list, row);
}

void VosSet_Click(Client& c, const ControlInput& in) {
  const ListControl* part = PartOf(c.view.VosSet, in);
  if (Is(part, "Command1")) VosSet_Command1_Click(c, part->index);
  if (Is(part, "Command2")) VosSet_Command2_Click(c, part->index);
}

}  // namespace vask
