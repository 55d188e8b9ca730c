// The player's hand on the table: pointing raises an own tile, a press
// discards it, the right button passes on a claim, the claim buttons and
// pick pictures answer the offer; Esc, the quick-hide key F1 and Alt+C.
#include "core/client.h"
#include "core/connection/leaving.h"
#include "core/game/choices.h"
#include "core/game/operations.h"
#include "core/handlers.h"
#include "core/view/buttons.h"
#include "core/view/input.h"
#include "core/view/pull_choice.h"

namespace vask {

namespace {

constexpr int kRaise = 10;  // pixels a pointed-at tile rises, not scaled
constexpr int kEsc = 27, kAlt = 18, kC = 67, kF1 = 112, kF6 = 117;

bool ValidImage(int image) { return image >= 0 && image < kTilesInSet; }

bool RaisingAllowed(const Client& c) { return !c.table.Spectator && c.widgets.ButtonState[2]; }

void SetPointer(Client& c, Control& image, int pointer) {
  if (image.mousePointer == pointer) return;
  image.mousePointer = pointer;
  ++c.view.revision;
}

// The own concealed tile that stands raised, or −1; only one ever is.
int RaisedImage(const Client& c) {
  const SeatRec& own = c.table.Detail[0];
  for (int i = own.HandStart + own.HandCount - 1; i >= own.HandStart && i >= 0; --i) {
    if (i >= kSlotsPerSeat) continue;
    const int image = own.Slots[i].Img;
    if (ValidImage(image) && c.view.MJ_Image[image].y == own.HandY - kRaise) return image;
  }
  return -1;
}

void Lower(Client& c, int image) {
  c.view.MJ_Image[image].y = c.table.Detail[0].HandY;
  ++c.view.revision;
  c.platform.ViewChanged();
}

}  // namespace

void MainForm_MJ_Image_MouseMove(Client& c, const ControlInput& in) {
  if (!ValidImage(in.index)) return;
  Control& image = c.view.MJ_Image[in.index];
  const float handY = c.table.Detail[0].HandY;
  if (image.y < handY - kRaise || !RaisingAllowed(c) || !IsOwnHandImage(c.table, in.index)) {
    SetPointer(c, image, 0);
  } else {
    SetPointer(c, image, kHandPointer);
    if (image.y == handY) {
      // Moving from one tile to the next lowers the first.
      const int raised = RaisedImage(c);
      if (raised >= 0) Lower(c, raised);
      image.y = handY - kRaise;
      ++c.view.revision;
      c.platform.ViewChanged();
    }
  }
  ResetQuickOpHover(c);
}

void MainForm_MJ_Image_MouseDown(Client& c, const ControlInput& in) { SendDiscard(c, in.index); }

void MainForm_Pic1_MouseMove(Client& c, const ControlInput& in) {
  ResetHovers(c);
  if (!RaisingAllowed(c)) return;
  const int raised = RaisedImage(c);
  if (raised < 0) return;
  // The raised tile's rectangle reaches down over the gap it left.
  const Control& tile = c.view.MJ_Image[raised];
  const bool over = in.x > tile.x && in.x < tile.x + tile.w && in.y > tile.y && in.y < tile.y + tile.h + kRaise;
  if (!over) Lower(c, raised);
}

void MainForm_Pic1_MouseDown(Client& c, const ControlInput& in) {
  ViewModel& v = c.view;
  v.Score.visible = v.Hero.visible = v.huifu.visible = v.Talk.visible = false;
  ++v.revision;
  // The right button passes on an offered claim.
  if (in.button == mouse_button::kRight && c.table.OpOffer[kPassButton] == 2 && !c.table.ActionSent)
    PressClaimButton(c, kPassButton);
  c.platform.ViewChanged();
}

void MainForm_Pic1_KeyDown(Client& c, const ControlInput& in) {
  bool* chord = c.input.ChatChord;
  if (in.key == kEsc) return ToggleLeaveDialog(c);
  if (in.key == kF1) return QuickHide(c);
  if (in.key == kAlt) {
    chord[0] = true;
  } else if (in.key == kC) {
    chord[1] = true;
  } else {
    chord[0] = chord[1] = false;
  }
  if (chord[0] && chord[1]) {
    chord[0] = chord[1] = false;
    PlaceChatWindow(c, c.view.Talk);
    c.view.Talk.visible = true;
    ++c.view.revision;
    c.platform.ViewChanged();
  }
}

void MainForm_Form_KeyDown(Client& c, const ControlInput& in) {
  // F1 reaches the plug-in with the quick hide; F2..F6 here, unless the
  // chat box has them (it passes them on itself).
  if (in.key > kF1 && in.key <= kF6 && !c.chat.bChatFocus && PluginActive(c))
    PropCall(c, [&](PropPlugin& p) { p.SetKeyDown(in.key); });
}

void MainForm_Operation_Click(Client& c, const ControlInput& in) { PressClaimButton(c, in.index); }
void MainForm_Chi_Click(Client& c, const ControlInput& in) { PickChow(c, in.index); }
void MainForm_Gang_Click(Client& c, const ControlInput& in) { PickKong(c, in.index); }

}  // namespace vask
