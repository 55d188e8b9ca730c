// The compass in four orientations and the mascot pictures.
#include <QLinearGradient>
#include <QPolygonF>
#include <QRadialGradient>
#include <array>

#include "platform/qt/art/art_parts.h"

namespace vask::art {
namespace {

const std::array<QString, 4> kWinds = {"東", "南", "西", "北"};

// An arrow up (rising) or down, with its two words below.
QImage LevelPicture(GlyphCache& glyphs, bool up) {
  QImage img = NewImage(82, 80);
  QPainter p;
  BeginPainter(p, img);
  const QColor hi = up ? QColor(255, 224, 90) : QColor(170, 196, 230);
  const QColor lo = up ? QColor(220, 110, 10) : QColor(60, 90, 150);
  QPolygonF arrow;
  if (up) {
    arrow << QPointF(41, 3) << QPointF(70, 32) << QPointF(52, 32) << QPointF(52, 52) << QPointF(30, 52)
          << QPointF(30, 32) << QPointF(12, 32);
  } else {
    arrow << QPointF(30, 3) << QPointF(52, 3) << QPointF(52, 23) << QPointF(70, 23) << QPointF(41, 52)
          << QPointF(12, 23) << QPointF(30, 23);
  }
  QLinearGradient g(0, 3, 0, 52);
  g.setColorAt(0, up ? hi : lo);
  g.setColorAt(1, up ? lo : hi);
  p.setPen(QPen(lo.darker(150), 1.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.setBrush(g);
  p.drawPolygon(arrow);
  const PlacedText word =
      FitText(glyphs, Face::Plain, up ? "用户升级" : "用户降级", QRectF(2, 56, 78, 22), Fit::Em);
  PaintText(p, word, up ? QColor(200, 40, 10) : QColor(40, 60, 110), 0.6, Qt::white, 1.5);
  return img;
}

// The brand mascot: a cheerful tile with a red centre.
QImage Mascot(GlyphCache& glyphs) {
  QImage img = NewImage(82, 80);
  QPainter p;
  BeginPainter(p, img);
  // Arms and legs.
  p.setPen(QPen(QColor(30, 94, 172), 5, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(20, 40), QPointF(6, 28));
  p.drawLine(QPointF(62, 40), QPointF(76, 26));
  p.drawLine(QPointF(32, 68), QPointF(28, 78));
  p.drawLine(QPointF(50, 68), QPointF(54, 78));
  // Body: an ivory tile on its blue back.
  p.setPen(QPen(QColor(70, 58, 36), 1));
  p.setBrush(QColor(30, 94, 172));
  p.drawRoundedRect(QRectF(17, 6, 48, 64), 8, 8);
  QLinearGradient g(0, 6, 0, 66);
  g.setColorAt(0, QColor(253, 251, 242));
  g.setColorAt(1, QColor(226, 214, 180));
  p.setBrush(g);
  p.drawRoundedRect(QRectF(17, 6, 48, 58), 8, 8);
  // Face.
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(30, 30, 40));
  p.drawEllipse(QPointF(32, 22), 3.2, 4);
  p.drawEllipse(QPointF(50, 22), 3.2, 4);
  p.setBrush(QColor(240, 120, 130, 120));
  p.drawEllipse(QPointF(26, 30), 4, 2.5);
  p.drawEllipse(QPointF(56, 30), 4, 2.5);
  p.setPen(QPen(QColor(150, 40, 40), 2, Qt::SolidLine, Qt::RoundCap));
  p.setBrush(Qt::NoBrush);
  p.drawArc(QRectF(34, 24, 14, 10), 200 * 16, 140 * 16);
  PaintText(p, FitText(glyphs, Face::Brush, "中", QRectF(29, 38, 24, 24), Fit::Tight), QColor(198, 24, 30), 1);
  return img;
}

}  // namespace

QImage DrawCompass(GlyphCache& glyphs, int seat) {
  QImage img = NewImage(77, 77);
  QPainter p;
  BeginPainter(p, img);
  const QPointF c(38.5, 38.5);
  QRadialGradient ring(c - QPointF(10, 10), 50);
  ring.setColorAt(0, QColor(250, 220, 140));
  ring.setColorAt(1, QColor(150, 96, 30));
  p.setPen(QPen(QColor(90, 56, 16), 1));
  p.setBrush(ring);
  p.drawEllipse(c, 37.5, 37.5);
  QRadialGradient disc(c, 30);
  disc.setColorAt(0, QColor(60, 40, 24));
  disc.setColorAt(1, QColor(24, 16, 10));
  p.setBrush(disc);
  p.drawEllipse(c, 29, 29);
  // The winds round the dial: the own seat's at the bottom, then
  // anticlockwise on the screen as the seats follow in play.
  const std::array<QPointF, 4> at = {QPointF(0, 18), QPointF(18, 0), QPointF(0, -18), QPointF(-18, 0)};
  for (int k = 0; k < 4; ++k) {
    const QString& wind = kWinds[static_cast<std::size_t>((seat + k) % 4)];
    const QPointF m = c + at[static_cast<std::size_t>(k)];
    const QRectF box(m.x() - 9, m.y() - 9, 18, 18);
    if (k == 0) {
      p.setPen(Qt::NoPen);
      p.setBrush(QColor(200, 30, 30));
      p.drawEllipse(m, 10.5, 10.5);
    }
    PaintText(p, FitText(glyphs, Face::Brush, wind, box.adjusted(1, 1, -1, -1), Fit::Tight),
              k == 0 ? QColor(255, 236, 150) : QColor(240, 220, 170), 1);
  }
  // The needle points at the own seat.
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(220, 40, 30));
  p.drawPolygon(QPolygonF({c + QPointF(-3.5, 0), c + QPointF(0, 8), c + QPointF(3.5, 0)}));
  p.setBrush(QColor(230, 230, 220));
  p.drawPolygon(QPolygonF({c + QPointF(-3.5, 0), c + QPointF(0, -8), c + QPointF(3.5, 0)}));
  p.setBrush(QColor(250, 210, 100));
  p.drawEllipse(c, 2, 2);
  return img;
}

QImage DrawMascot(GlyphCache& glyphs, int index) {
  if (index == 0) return Mascot(glyphs);
  return LevelPicture(glyphs, index == 2);
}

}  // namespace vask::art
