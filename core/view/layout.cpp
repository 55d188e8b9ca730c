#include "core/view/layout.h"

#include <algorithm>
#include <cmath>

#include "core/client.h"
#include "core/view/chrome.h"
#include "core/view/player_card.h"

namespace vask {

namespace {

struct Size16 {
  std::int16_t w, h;
};

// Per set and view position, at scale 1.
constexpr Size16 kTileSizes[6][4] = {
    {{36, 50}, {48, 35}, {30, 36}, {48, 35}},  // wall and discard
    {{48, 78}, {35, 66}, {36, 50}, {35, 66}},  // concealed hand
    {{48, 78}, {35, 66}, {37, 50}, {35, 66}},  // concealed hand after a claim or a discard
    {{45, 56}, {45, 35}, {34, 40}, {45, 35}},  // meld, spectator mode
    {{45, 60}, {45, 35}, {34, 40}, {45, 35}},  // meld, player mode
    {{48, 60}, {45, 35}, {36, 39}, {45, 35}},  // hand-end reveal
};

void Place(Control& c, float x, float y) {
  c.x = x;
  c.y = y;
}

void Place(Control& c, float x, float y, float w, float h) {
  c.x = x;
  c.y = y;
  c.w = w;
  c.h = h;
}

bool Small(const ViewModel& v) { return v.LayoutScale < 1.0f; }

// The first constant at scale 1, the second on a small screen (scaled too).
float Pick(const ViewModel& v, float normal, float small) { return Scaled(v, Small(v) ? small : normal); }

}  // namespace

float ChooseLayoutScale(ScreenSize screen) {
  return (screen.width < 1024 || screen.height < 768) ? kSmallScale : 1.0f;
}

std::int16_t Round16(float value) {
  float r = std::nearbyint(value);  // the default rounding mode: halves to even
  r = std::clamp(r, -32768.0f, 32767.0f);
  return static_cast<std::int16_t>(r);
}

void InstallTileSize(ViewModel& v, TileSizeSet set, int view) {
  const Size16 s = kTileSizes[static_cast<int>(set)][view & 3];
  v.TileW[view & 3] = Round16(Scaled(v, s.w));
  v.TileH[view & 3] = Round16(Scaled(v, s.h));
}

void InstallTileSizes(ViewModel& v, TileSizeSet set) {
  for (int view = 0; view < 4; ++view) InstallTileSize(v, set, view);
}

ScreenSize MainWindowSize(ScreenSize screen) {
  return {screen.width <= kSurfaceWidth ? screen.width : kWindowWidth,
          screen.height <= kSurfaceHeight ? screen.height : kWindowHeight};
}

void InitLayout(Client& c) {
  ViewModel& v = c.view;
  const ScreenSize screen = c.platform.Screen();
  v.LayoutScale = ChooseLayoutScale(screen);
  // The window is as start-up sized it; the surface sits in it inside the
  // rim and under the band, as far as the window leaves room for them.
  const ScreenSize window = MainWindowSize(screen);
  Place(v.Pic2, 0, 0, static_cast<float>(window.width), static_cast<float>(window.height));
  v.Pic2.visible = true;
  const float sw = Scaled(v, kSurfaceWidth), sh = Scaled(v, kSurfaceHeight);
  Place(v.Pic1, std::clamp(std::floor((v.Pic2.w - sw) / 2), 0.0f, Scaled(v, kSurfaceLeft)),
        std::clamp(v.Pic2.h - sh, 0.0f, Scaled(v, kSurfaceTop)), sw, sh);
  v.Pic1.visible = true;
  LayoutChrome(c);
  // Controls the layout never moves: their design places.
  Place(v.Host, 16, 192, 71, 25);
  Place(v.Zhuang, 56, 192, 25, 25);
  Place(v.ZhiNan, Scaled(v, 473), Scaled(v, 345), Scaled(v, 77), Scaled(v, 77));
  InstallTileSizes(v, TileSizeSet::WallAndDiscard);
  LayoutPanel(c);
  LayoutTable(c);
  LayoutWalls(c);
  LayoutScoreWindows(c);
  LayoutPlayerCard(c);
  ++v.revision;
}

void PlacePlayerLabels(Client& c) {
  ViewModel& v = c.view;
  auto S = [&](float k) { return Scaled(v, k); };
  // View 3's labels end clear of the title band's buttons in the corner.
  const float labelW0 = S(125), labelW = S(125), labelH = S(20);
  Place(v.Nid[0], S(181), S(700), labelW0, labelH);
  Place(v.Cash[0], S(181), S(724), labelW0, labelH);
  Place(v.Level[0], S(181), S(744), labelW0, labelH);
  const float left[4] = {0, 165, 509, 852};
  for (int i = 1; i < 4; ++i) {
    Place(v.Nid[i], S(left[i]), S(15), labelW, labelH);
    Place(v.Cash[i], S(left[i]), S(40), labelW, labelH);
    Place(v.Level[i], S(left[i]), S(64), labelW, labelH);
  }
  Place(v.Location, S(760), S(668), S(250), S(20));
  Place(v.imgword1, S(640), S(659), S(57), S(13));
  Place(v.imgword2, S(640), S(675), S(57), S(13));
  // The strip behind the phrase and bank buttons would reach two pixels past
  // the table's right edge: it ends at the edge.
  Place(v.imgLocation, S(632), S(654), std::min(S(394), v.Pic1.w - S(632)), S(39));
}

void LayoutPanel(Client& c) {
  ViewModel& v = c.view;
  auto S = [&](float k) { return Scaled(v, k); };

  // 1. The wildcard panel and its pictures.
  Place(v.Vask, S(840), S(96), S(165), S(129));
  v.Vask.visible = true;
  v.Vask.text = "本局混牌";
  v.Vask.foreColor = 0xF0DCA0;
  v.Vask.backOpaque = true;
  v.Vask.backColor = 0x2A1A10;
  Place(v.VaskP_Image, v.Vask.x + S(24), v.Vask.y + S(60), S(41), S(53));
  Place(v.Vask_Image[0], v.VaskP_Image.x + S(41), v.Vask.y + S(60), S(41), S(53));
  Place(v.Vask_Image[1], v.Vask_Image[0].x + S(41), v.Vask.y + S(60), S(41), S(53));
  Place(v.imgZeph, v.Vask.x + S(24), v.Vask.y + S(28), S(121), S(89));
  v.imgZeph.text = "东南西北\n皆为混";
  v.imgZeph.fontSize = 14;
  v.imgZeph.bold = true;
  v.imgZeph.foreColor = 0xFFD040;
  for (Control* p : {&v.VaskP_Image, &v.Vask_Image[0], &v.Vask_Image[1], &v.imgZeph}) {
    BringToFront(v, *p);
    p->visible = false;
  }

  // 2. Portraits.
  Place(v.Tou[0], S(10), S(668), S(85), S(90));
  v.Tou[0].visible = true;
  const float touLeft[4] = {0, 7, 350, 693};
  for (int i = 1; i < 4; ++i) {
    Place(v.Tou[i], S(touLeft[i]), S(15), S(70), S(62));
    v.Tou[i].visible = true;
  }

  // 3-5. The nine table buttons: normal pictures, button 2 on "开始",
  // inert until the server has seated the player.
  c.widgets.ButtonState.fill(false);
  c.widgets.ButtonHover.fill(false);
  c.widgets.ButtonState[2] = true;
  for (int i = 0; i < 9; ++i) {
    Control& b = v.AnNiu[i];
    b.visible = true;
    BringToFront(v, b);
    b.w = S(i == 0 ? 50 : 60);
    b.h = S(30);
    PutPicture(c, c.pics.ButtonPics[i < 3 ? 2 * i : 2 * i + 2], b);
  }
  Place(v.AnNiu[0], S(573), S(730));
  Place(v.AnNiu[1], S(648), S(699));
  for (int i = 2; i <= 4; ++i) Place(v.AnNiu[i], v.AnNiu[i - 1].x + S(70), v.AnNiu[1].y);
  Place(v.AnNiu[5], v.AnNiu[1].x, v.AnNiu[1].y + S(32));
  for (int i = 6; i <= 8; ++i) Place(v.AnNiu[i], v.AnNiu[i - 1].x + S(70), v.AnNiu[5].y);

  // 6. Player labels.
  for (int i = 0; i < 4; ++i) {
    v.Nid[i].visible = v.Cash[i].visible = v.Level[i].visible = true;
    v.Nid[i].foreColor = v.Cash[i].foreColor = v.Level[i].foreColor = kWhite;
    if (Small(v)) {
      v.Level[i].fontSize = 8;
      if (i > 0) v.Cash[i].fontSize = 8;
    }
  }
  PlacePlayerLabels(c);

  // 7. Ready markers.
  const float okLeft[4] = {460, 60, 460, 900};
  const float okTop[4] = {630, Small(v) ? 260.0f : 310.0f, 88, 280};
  for (int i = 0; i < 4; ++i) {
    Place(v.OK[i], S(okLeft[i]), S(okTop[i]), S(60), S(30));
    v.OK[i].kind = ControlKind::Label;
    v.OK[i].text = "准备";
    v.OK[i].fontSize = 14;
    v.OK[i].bold = true;
    v.OK[i].foreColor = 0xFFD040;
    v.OK[i].visible = false;
  }

  // 8. Speech pictures, two sets for the three other seats.
  for (int set = 0; set < 2; ++set) {
    Place(v.Speak[3 * set + 0], S(8), S(310), S(81), S(81));
    Place(v.Speak[3 * set + 1], v.Tou[2].x, v.Tou[2].y + v.Tou[2].h, S(81), S(81));
    Place(v.Speak[3 * set + 2], S(936), S(280), S(81), S(81));
  }
  for (Control& s : v.Speak) s.visible = false;
  v.Words.visible = false;

  // 9. Pull and sit buttons; 0 and 1 share their place.
  for (int i = 0; i < 3; ++i) {
    Place(v.operZ[i], S(430), S(461), S(66), S(38));
    v.operZ[i].visible = false;
    v.operZ[i].enabled = false;
  }
  v.operZ[2].x = v.operZ[0].x + v.operZ[0].w + S(5);

  // 10-11. The bank and the phrase buttons in front.
  PutPicture(c, kBankPic, v.Bank);
  PictureSize bank = PictureSizeOf(kBankPic);
  Place(v.Bank, S(699), S(658), Small(v) ? S(bank.w) : bank.w, Small(v) ? S(bank.h) : bank.h);
  v.Bank.visible = true;
  PutPicture(c, kPhrase1Pic, v.imgword1);
  PutPicture(c, kPhrase2Pic, v.imgword2);
  v.imgword1.visible = v.imgword2.visible = true;
  BringToFront(v, v.Bank);
  BringToFront(v, v.imgword1);
  BringToFront(v, v.imgword2);
}

void LayoutTable(Client& c) {
  ViewModel& v = c.view;
  auto S = [&](float k) { return Scaled(v, k); };

  // 12. The turn clock beside the dealer plate.
  v.ZhiNan.visible = false;
  Place(v.Time_Img, Small(v) ? v.ZhiNan.x : v.Host.x - S(10), v.Host.y + v.Host.h + S(10), S(81), S(38));
  Place(v.Number, v.Time_Img.x + (Small(v) ? S(48) + 2 : S(48)), v.Time_Img.y + S(5), S(24), S(24));
  v.Number.fontSize = Small(v) ? 12 : 14;
  v.Number.bold = true;
  v.Number.align = TextAlign::Center;
  v.Time_Img.backOpaque = true;
  v.Time_Img.backColor = 0x202a24;

  // 13. Claim buttons, grey pictures, hidden and disabled.
  Place(v.Operation[0], S(358), S(461), S(50), S(71));
  for (int i = 0; i < 5; ++i) {
    Control& op = v.Operation[i];
    op.w = S(50);
    op.h = S(71);
    PutPicture(c, c.pics.OperationPics[3 * i], op);
    if (i > 0) Place(op, v.Operation[i - 1].x + v.Operation[0].w, v.Operation[0].y);
    op.enabled = false;
    op.visible = false;
  }

  // 14. The tile images: creation order, then image 0 in front.
  for (int i = 1; i < 136; ++i) BringToFront(v, v.MJ_Image[i]);
  BringToFront(v, v.MJ_Image[0]);

  // 15. Dice pictures.
  for (int i = 0; i < 16; ++i) PutPicture(c, c.pics.DicePics[i], v.SZ_Image[i]);

  // 16. Message lines and the chat label.
  if (Small(v)) {
    const float lineH = (26 * v.LayoutScale + 4) / 2;
    Place(v.Sysmsg[0], S(312), S(696) - 2, S(281), lineH);
    Place(v.Sysmsg[1], S(312), v.Sysmsg[0].y + lineH, S(281), lineH);
  } else {
    Place(v.Sysmsg[0], 312, 696, 281, 13);
    Place(v.Sysmsg[1], 312, v.Sysmsg[0].y + v.Sysmsg[0].h, 281, 13);
  }
  for (ListControl& line : v.Sysmsg) {
    line.visible = true;
    line.foreColor = 0xFFF4C8;
    line.fontSize = Small(v) ? 8 : 9;
  }
  Place(v.Lbchat, S(594), S(694), S(25), S(33));

  // 17. The chat box.
  Place(v.Chat, S(312), S(732), S(250), S(33));
  v.Chat.visible = true;
  v.Chat.backOpaque = true;
  v.Chat.backColor = 0xF4F0E0;

  // 18. The mascot and the advert pane over it.
  Place(v.Bird, S(936), S(680), S(82), S(80));
  PutPicture(c, c.pics.MascotPics[0], v.Bird);
  v.Bird.visible = true;
  BringToFront(v, v.Bird);
  Place(v.WebBrowser1, v.Bird.x + S(2), v.Bird.y + S(2), S(82), S(80));
  v.WebBrowser1.visible = true;

  // 19. Badges and rule captions, hidden.
  Place(v.imgBeishu, S(10), Pick(v, 334, 400), S(50), S(30));
  Place(v.lblDifen, Pick(v, 62, 74), Pick(v, 335, 403), S(40), S(30));
  v.lblDifen.fontSize = 18;
  Place(v.Imgwealth, S(10), Pick(v, 280, 330), S(50), S(30));
  Place(v.lbwealth, Pick(v, 62, 56), S(282), S(40), S(30));
  v.lbwealth.fontSize = 18;
  Place(v.imgsezi[0], S(25), Pick(v, 310, 370), S(24), S(24));
  Place(v.imgsezi[1], S(55), Pick(v, 310, 370), S(24), S(24));
  for (Control* p : {&v.imgBeishu, &v.lblDifen, &v.Imgwealth, &v.lbwealth, &v.imgsezi[0], &v.imgsezi[1]}) {
    BringToFront(v, *p);
    p->visible = false;
  }
  const char* rules[3] = {"骰子点数加倍", "最少金币定倍数", "个人金币数封顶"};
  for (int i = 0; i < 3; ++i) {
    Place(v.lbfont[i], Pick(v, 424, 424 - 10), S(280.0f + 32.0f * i), S(180), S(20));
    v.lbfont[i].text = v.lbfont[i].tooltip = rules[i];
    v.lbfont[i].foreColor = 0xFFE080;
    v.lbfont[i].visible = false;
  }
}

void LayoutWalls(Client& c) {
  ViewModel& v = c.view;
  auto S = [&](float k) { return Scaled(v, k); };
  auto& img = v.MJ_Image;

  // 1-2. Wall sizes.
  InstallTileSizes(v, TileSizeSet::WallAndDiscard);
  for (int w = 0; w < 4; ++w)
    for (int k = 0; k < 34; ++k) {
      img[34 * w + k].w = v.TileW[w];
      img[34 * w + k].h = v.TileH[w];
    }

  // 3. Bottom wall, running leftwards.
  Place(img[0], S(809), S(476));
  Place(img[1], img[0].x, img[0].y + S(22));
  for (int j = 1; j <= 16; ++j) {
    Control& up = img[2 * j];
    const Control& prev = img[2 * j - 2];
    Place(up, prev.x - prev.w, prev.y);
    Place(img[2 * j + 1], up.x, up.y + S(22));
    BringToFront(v, up);
    SendToBack(v, img[2 * j + 1]);
  }

  // 4. Left wall, climbing.
  Place(img[34], S(164), S(476));
  Place(img[35], img[34].x, img[34].y + S(20));
  for (int j = 1; j <= 16; ++j) {
    const Control& prev = img[32 + 2 * j];
    Control& up = img[34 + 2 * j];
    Place(up, prev.x + S(4), prev.y - S(15));
    Place(img[35 + 2 * j], up.x, up.y + S(20));
  }

  // 5. Top wall, running rightwards.
  Place(img[68], S(236), S(192));
  Place(img[69], img[68].x, img[68].y + S(16));
  for (int j = 1; j <= 16; ++j) {
    const Control& prev = img[66 + 2 * j];
    Control& up = img[68 + 2 * j];
    Place(up, prev.x + prev.w, prev.y);
    Place(img[69 + 2 * j], up.x, up.y + S(16));
    BringToFront(v, up);
    SendToBack(v, img[69 + 2 * j]);
  }

  // 6. Right wall, descending.
  Place(img[102], S(748), S(192));
  BringToFront(v, img[102]);
  Place(img[103], img[102].x, img[102].y + S(20));
  for (int j = 1; j <= 16; ++j) {
    const Control& prev = img[100 + 2 * j];
    Control& up = img[102 + 2 * j];
    Place(up, prev.x + S(4), prev.y + S(15));
    Place(img[103 + 2 * j], up.x, up.y + S(20));
    BringToFront(v, img[103 + 2 * j]);
    BringToFront(v, up);
  }

  // 7. Stacking repairs: the near end of the left wall in front.
  BringToFront(v, img[0]);
  BringToFront(v, img[2]);
  for (int j = 0; j <= 16; ++j) {
    BringToFront(v, img[67 - 2 * j]);
    BringToFront(v, img[66 - 2 * j]);
  }
  SendToBack(v, img[69]);
  SendToBack(v, img[71]);

  // 8. Seat origins.
  for (int view = 0; view < 4; ++view) {
    SeatRec& s = c.table.Detail[view];
    const SeatOrigin& o = kSeatOrigins[view];
    s.HandX = Round16(S(o.handX));
    s.HandY = Round16(S(o.handY));
    s.DiscardX = s.DiscardRowX = Round16(S(o.discardX));
    s.DiscardY = s.DiscardRowY = Round16(S(o.discardY));
  }
  ++v.revision;
}

}  // namespace vask
