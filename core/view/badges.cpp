#include "core/view/badges.h"

#include <algorithm>
#include <string>

#include "core/client.h"
#include "core/handlers.h"
#include "core/settle/settle_texts.h"
#include "core/social/sound.h"
#include "core/view/delay.h"
#include "core/view/layout.h"

namespace vask {

namespace {

constexpr float kDie0X = 400, kDie1X = 560, kDieY = 344;
constexpr int kTumblingFrames = 10, kFirstTumblingFrame = 6;
constexpr int kFrameWaitMs = 3;  // more than 2 ms per frame
constexpr int kRestMs = 600;

void Changed(Client& c) {
  ++c.view.revision;
  c.platform.ViewChanged();
}

void ShowDieFrame(Client& c, Control& die, int frame) {
  die.picture = c.view.SZ_Image[static_cast<std::size_t>(std::clamp(frame, 0, 15))].picture;
}

void RollPair(Client& c, int first) {
  ViewModel& v = c.view;
  const int frames = static_cast<int>(c.platform.Random() % 5) + 20;
  for (int r = 0; r <= frames && !c.conn.bQuitting; ++r) {
    for (Control& die : v.Sai_Image)
      ShowDieFrame(c, die, static_cast<int>(c.platform.Random() % kTumblingFrames) + kFirstTumblingFrame);
    Changed(c);
    Delay(c, kFrameWaitMs);
  }
  ShowDieFrame(c, v.Sai_Image[0], c.table.Dice[first] - 1);
  ShowDieFrame(c, v.Sai_Image[1], c.table.Dice[first + 1] - 1);
  Changed(c);
  c.platform.Sleep(kRestMs);
}

}  // namespace

void RollDice(Client& c, int pairs) {
  ViewModel& v = c.view;
  PlayEffect(c, kSoundDice);
  for (std::int16_t& d : c.table.Dice)
    if (d == 0) d = 1;
  const PictureSize size = PictureSizeOf(c.pics.DicePics[0]);
  const float xs[2] = {kDie0X, kDie1X};
  for (int i = 0; i < 2; ++i) {
    Control& die = v.Sai_Image[i];
    die.x = Scaled(v, xs[i]);
    die.y = Scaled(v, kDieY);
    die.w = Scaled(v, static_cast<float>(size.w));
    die.h = Scaled(v, static_cast<float>(size.h));
    die.visible = true;
    BringToFront(v, die);
  }
  RollPair(c, 0);
  if (pairs == 2) RollPair(c, 2);
  for (Control& die : v.Sai_Image) die.visible = false;
  Changed(c);
}

void ShowDiceDouble(Client& c) {
  ViewModel& v = c.view;
  const auto& dice = c.table.Dice;
  if (c.table.DiceDouble) {
    for (Control& l : v.lbfont) l.visible = false;
    v.lblDifen.text = std::to_string(dice[0] + dice[1]);
    v.lblDifen.visible = v.imgBeishu.visible = true;
    for (int i = 0; i < 2; ++i) {
      const int face = std::clamp<int>(dice[i] - 1, 0, 5);
      PutPicture(c, c.pics.DieFacePics[static_cast<std::size_t>(face)], v.imgsezi[i]);
      v.imgsezi[i].visible = true;
    }
  } else {
    for (Control* p : {&v.lblDifen, &v.imgBeishu, &v.imgsezi[0], &v.imgsezi[1]}) p->visible = false;
    for (Control& l : v.lbfont) {
      l.visible = false;
      BringToFront(v, l);
    }
  }
  Changed(c);
}

void MainForm_imgBeishu_MouseMove(Client& c, const ControlInput&) {
  if (!c.table.DiceDouble) return;
  c.view.imgBeishu.tooltip = c.view.lblDifen.tooltip = settle_text::kDiceDoubling + c.view.lblDifen.text;
}

void MainForm_Imgwealth_MouseMove(Client& c, const ControlInput&) {
  if (c.table.WealthDouble == 0) return;
  c.view.Imgwealth.tooltip = settle_text::kWealthDoubling + c.view.lbwealth.text;
}

}  // namespace vask
