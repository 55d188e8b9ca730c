// Every button picture: the panel buttons (and their small versions), the
// dialog, quick-op, phrase and bank buttons, and the claim buttons.
#include <QLinearGradient>
#include <array>

#include "core/view/pictures.h"
#include "platform/qt/art/art_parts.h"

namespace vask::art {
namespace {

struct Look {
  QColor top, bottom, outline, text, rim;
};

// Normal faces are cool blue, hover faces warm gold: a pointer over a
// button reads at once.
const Look kNormal{QColor(92, 164, 226), QColor(22, 76, 146), QColor(12, 40, 84), Qt::white, QColor(10, 36, 80)};
const Look kHover{QColor(255, 228, 130), QColor(226, 132, 24), QColor(120, 60, 6), QColor(96, 30, 0),
                  QColor(255, 246, 210)};

QImage Plate(GlyphCache& glyphs, int w, int h, const QString& word, const Look& look, double radius,
             double textHeight) {
  QImage img = NewImage(w, h);
  QPainter p;
  BeginPainter(p, img);
  const QRectF r(0, 0, w, h);
  PaintPlate(p, r, radius, look.top, look.bottom, look.outline);
  const double th = h * textHeight;
  const QRectF box(w * 0.08, (h - th) / 2, w * 0.84, th);
  const PlacedText text = FitText(glyphs, Face::Plain, word, box, Fit::Em);
  PaintText(p, text, look.text, 0, look.rim, h >= 20 ? 1.2 : 0.6);
  return img;
}

// The nine panel buttons' words, in ButtonPics pairs.
const std::array<QString, 10> kPanelWords = {"发送", "聊天", "开始", "继续", "设置",
                                             "隐藏", "战绩", "历史", "规则", "退出"};

QImage PanelButton(GlyphCache& glyphs, int entry, bool small) {
  const int id = small ? 379 + entry : 101 + entry;
  const PictureSize s = PictureSizeOf(id);
  const Look& look = entry % 2 ? kHover : kNormal;
  return Plate(glyphs, s.w, s.h, kPanelWords[static_cast<std::size_t>(entry / 2)], look, s.h * 0.3, 0.62);
}

QImage DialogButton(GlyphCache& glyphs, int i) {
  static const std::array<QString, 8> kWords = {"确定", "确定", "取消", "取消", "关闭", "开启", "普通话", "dorvan话"};
  const PictureSize s = PictureSizeOf(130 + i);
  const bool hover = i == 1 || i == 3;
  return Plate(glyphs, s.w, s.h, kWords[static_cast<std::size_t>(i)], hover ? kHover : kNormal, 6, 0.6);
}

QImage QuickOpButton(GlyphCache& glyphs, int i) {
  static const std::array<QString, 4> kWords = {"拉庄", "再拉一下", "坐庄", "过"};
  // Red lacquer: these offers stand out on the table until answered.
  const Look normal{QColor(238, 96, 70), QColor(150, 20, 16), QColor(80, 8, 6), QColor(255, 240, 180),
                    QColor(90, 10, 6)};
  const PictureSize s = PictureSizeOf(430 + i);
  return Plate(glyphs, s.w, s.h, kWords[static_cast<std::size_t>(i % 4)], i >= 4 ? kHover : normal, 8, 0.55);
}

QImage SmallWordButton(GlyphCache& glyphs, int id, const QString& word) {
  const PictureSize s = PictureSizeOf(id);
  const bool hover = id % 2 == 1;
  // The strip behind them is dark: light text, gold under the pointer.
  const Look normal{QColor(250, 244, 222), QColor(208, 190, 140), QColor(120, 96, 50), QColor(70, 44, 10),
                    Qt::transparent};
  return Plate(glyphs, s.w, s.h, word, hover ? kHover : normal, s.h * 0.35, 0.85);
}

// The bank: a small chest beside its word.
QImage BankButton(GlyphCache& glyphs, bool hover) {
  const PictureSize s = PictureSizeOf(kBankPic);
  QImage img = Plate(glyphs, s.w, s.h, QString(), hover ? kHover : kNormal, 7, 0.6);
  QPainter p;
  BeginPainter(p, img);
  const QRectF chest(5, s.h * 0.28, s.h * 0.52, s.h * 0.44);
  p.setPen(QPen(QColor(70, 36, 8), 1));
  p.setBrush(QColor(176, 104, 40));
  p.drawRoundedRect(chest, 2, 2);
  p.setBrush(QColor(250, 200, 60));
  p.drawRect(QRectF(chest.left(), chest.top() + chest.height() * 0.35, chest.width(), chest.height() * 0.16));
  p.drawRect(QRectF(chest.center().x() - 2, chest.top() + chest.height() * 0.3, 4, chest.height() * 0.32));
  const QRectF box(chest.right() + 3, s.h * 0.2, s.w - chest.right() - 7, s.h * 0.6);
  PaintText(p, FitText(glyphs, Face::Plain, "仓库", box, Fit::Em), hover ? kHover.text : Qt::white, 0,
            hover ? kHover.rim : kNormal.rim, 1.2);
  return img;
}

// Claim buttons: grey while not offered, coloured when offered, red under
// the pointer. The word stands in a round seal.
QImage ClaimButton(GlyphCache& glyphs, int i) {
  static const std::array<QString, 6> kWords = {"吃", "碰", "杠", "胡", "过", "报告错误"};
  static const std::array<QColor, 6> kColour = {QColor(30, 140, 70),  QColor(30, 100, 200), QColor(120, 60, 180),
                                                QColor(220, 110, 10), QColor(60, 120, 140), QColor(150, 100, 40)};
  const int word = i / 3, state = i % 3;
  const PictureSize s = PictureSizeOf(141 + i);
  QImage img = NewImage(s.w, s.h);
  QPainter p;
  BeginPainter(p, img);
  QColor base = kColour[static_cast<std::size_t>(word)];
  if (state == 0) base = QColor(150, 150, 150);
  if (state == 2) base = QColor(214, 28, 28);
  const QRectF r(0, 0, s.w, s.h);
  PaintPlate(p, r, 8, base.lighter(150), base.darker(140), base.darker(250));
  const QColor ink = state == 0 ? QColor(225, 225, 225) : state == 2 ? QColor(255, 236, 120) : Qt::white;
  const QColor rim = state == 0 ? QColor(110, 110, 110) : base.darker(260);
  // The seal.
  const QPointF c(s.w / 2.0, s.h * 0.46);
  const double rr = s.w * 0.42;
  p.setPen(QPen(ink, 1.5));
  p.setBrush(base.darker(115));
  p.drawEllipse(c, rr, rr);
  const QString& w = kWords[static_cast<std::size_t>(word)];
  if (w.size() == 4) {
    // Four characters: two lines of two.
    const double cell = rr * 0.72;
    for (int k = 0; k < 4; ++k) {
      const QRectF box(c.x() - cell + (k % 2) * cell, c.y() - cell + (k / 2) * cell, cell, cell);
      PaintText(p, FitText(glyphs, Face::Plain, w.mid(k, 1), box.adjusted(1, 1, -1, -1), Fit::Em), ink, 0.6, rim,
                0.8);
    }
  } else {
    const QRectF box(c.x() - rr * 0.7, c.y() - rr * 0.7, rr * 1.4, rr * 1.4);
    PaintText(p, FitText(glyphs, Face::Brush, w, box, Fit::Em), ink, 1.6, rim, 1.2);
  }
  // A small lamp under the seal: lit when the button can be pressed.
  p.setPen(Qt::NoPen);
  p.setBrush(state == 0 ? QColor(120, 120, 120) : state == 2 ? QColor(255, 230, 90) : QColor(120, 255, 140));
  p.drawEllipse(QPointF(s.w / 2.0, s.h * 0.88), 3, 3);
  return img;
}

}  // namespace

QImage DrawSoundRow(GlyphCache& glyphs, int row) {
  static const std::array<QString, 4> kRows = {"背景音乐", "短语声音", "功能声音", "方言选择"};
  static const Look kRowLook{QColor(120, 78, 40), QColor(66, 38, 18), QColor(30, 16, 6), QColor(250, 226, 160),
                             QColor(40, 20, 6)};
  const PictureSize s = WindowPictureSize(kSoundRowPic + row);
  return Plate(glyphs, s.w, s.h, kRows[static_cast<std::size_t>(row & 3)], kRowLook, 5, 0.5);
}

QImage DrawBandButton(int id) {
  const bool close = id >= kClosePic && id < kMinimizePic;
  const int face = (id - (close ? kClosePic : kMinimizePic)) % 3;  // normal, hover, pressed
  const PictureSize s = WindowPictureSize(id);
  QImage img = NewImage(s.w, s.h);
  QPainter p;
  BeginPainter(p, img);
  const QRectF r(0.5, 0.5, s.w - 1, s.h - 1);
  // On the lacquer band: a quiet plate at rest, gold under the pointer, and
  // pressed in (darker, the mark a pixel down) while held; the close button
  // turns red where the minimise button turns gold.
  const Look rest{QColor(120, 44, 36), QColor(70, 18, 14), QColor(36, 8, 6), QColor(240, 220, 170), {}};
  const Look hot = close ? Look{QColor(236, 90, 70), QColor(170, 24, 18), QColor(80, 8, 6), Qt::white, {}} : kHover;
  const Look& look = face == 0 ? rest : hot;
  const QColor top = face == 2 ? look.bottom : look.top, bottom = face == 2 ? look.top.darker(130) : look.bottom;
  PaintPlate(p, r, 3, top, bottom, look.outline);
  const double dy = face == 2 ? 1 : 0;
  const QPointF c(s.w / 2.0, s.h / 2.0 + dy);
  p.setPen(QPen(look.text, 1.8, Qt::SolidLine, Qt::RoundCap));
  if (close) {
    const double d = s.h * 0.22;
    p.drawLine(c + QPointF(-d, -d), c + QPointF(d, d));
    p.drawLine(c + QPointF(-d, d), c + QPointF(d, -d));
  } else {
    const double d = s.w * 0.22;
    p.drawLine(c + QPointF(-d, s.h * 0.18), c + QPointF(d, s.h * 0.18));
  }
  return img;
}

QImage DrawButton(GlyphCache& glyphs, int id) {
  if (id >= 101 && id <= 120) return PanelButton(glyphs, id - 101, false);
  if (id >= 381 && id <= 398) return PanelButton(glyphs, id - 379, true);
  if (id >= 130 && id <= 137) return DialogButton(glyphs, id - 130);
  if (id >= 141 && id <= 158) return ClaimButton(glyphs, id - 141);
  if (id >= 430 && id <= 437) return QuickOpButton(glyphs, id - 430);
  if (id == kPhrase1Pic || id == kPhrase1Pic + 1) return SmallWordButton(glyphs, id, "短语1");
  if (id == kPhrase2Pic || id == kPhrase2Pic + 1) return SmallWordButton(glyphs, id, "短语2");
  if (id == kBankPic || id == kBankPic + 1) return BankButton(glyphs, id == kBankPic + 1);
  return {};
}

}  // namespace vask::art
