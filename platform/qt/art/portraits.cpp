// Twenty player portraits: simple drawn busts, ten men and ten women, each
// with its own background, skin, hair and clothes.
#include <QLinearGradient>
#include <QPolygonF>
#include <QRadialGradient>
#include <array>

#include "platform/qt/art/art_parts.h"

namespace vask::art {
namespace {

const std::array<QColor, 10> kBackdrop = {QColor(120, 170, 220), QColor(140, 200, 150), QColor(230, 190, 120),
                                          QColor(190, 150, 210), QColor(120, 200, 200), QColor(230, 150, 140),
                                          QColor(170, 180, 120), QColor(150, 160, 230), QColor(220, 170, 200),
                                          QColor(180, 180, 180)};
const std::array<QColor, 4> kSkin = {QColor(250, 220, 190), QColor(236, 196, 160), QColor(214, 170, 130),
                                     QColor(246, 210, 176)};
const std::array<QColor, 5> kHair = {QColor(30, 24, 20), QColor(70, 44, 26), QColor(120, 76, 40),
                                     QColor(40, 40, 50), QColor(150, 110, 60)};
const std::array<QColor, 8> kShirt = {QColor(40, 90, 170), QColor(180, 40, 40), QColor(40, 130, 80),
                                      QColor(230, 160, 30), QColor(110, 60, 150), QColor(60, 60, 70),
                                      QColor(220, 100, 140), QColor(30, 150, 170)};

template <typename A>
const QColor& Pick(const A& a, int i) {
  return a[static_cast<std::size_t>(i) % a.size()];
}

void HeadFace(QPainter& p, QPointF c, double rx, double ry, const QColor& skin, bool female, int k) {
  p.setPen(QPen(skin.darker(130), 1));
  QRadialGradient g(c - QPointF(rx * 0.3, ry * 0.3), rx * 1.6);
  g.setColorAt(0, skin.lighter(106));
  g.setColorAt(1, skin.darker(108));
  p.setBrush(g);
  p.drawEllipse(c, rx, ry);
  // Ears.
  p.drawEllipse(c + QPointF(-rx, 2), 3.5, 5.5);
  p.drawEllipse(c + QPointF(rx, 2), 3.5, 5.5);
  // Eyes, brows, nose, mouth.
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(30, 30, 40));
  const double ey = c.y() + 1;
  p.drawEllipse(QPointF(c.x() - rx * 0.4, ey), 2.4, female ? 3.0 : 2.6);
  p.drawEllipse(QPointF(c.x() + rx * 0.4, ey), 2.4, female ? 3.0 : 2.6);
  p.setBrush(Qt::white);
  p.drawEllipse(QPointF(c.x() - rx * 0.4 + 0.8, ey - 0.9), 0.8, 0.8);
  p.drawEllipse(QPointF(c.x() + rx * 0.4 + 0.8, ey - 0.9), 0.8, 0.8);
  p.setPen(QPen(QColor(60, 40, 30), female ? 1.0 : 1.8, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(c.x() - rx * 0.58, ey - 6), QPointF(c.x() - rx * 0.22, ey - 7));
  p.drawLine(QPointF(c.x() + rx * 0.22, ey - 7), QPointF(c.x() + rx * 0.58, ey - 6));
  p.setPen(QPen(skin.darker(150), 1.2, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(c.x(), ey + 3), QPointF(c.x() - 1.5, ey + 7));
  p.setPen(QPen(female ? QColor(200, 60, 80) : QColor(150, 70, 60), 1.6, Qt::SolidLine, Qt::RoundCap));
  p.setBrush(Qt::NoBrush);
  const double mw = 5 + k % 3;
  p.drawArc(QRectF(c.x() - mw, ey + 6, mw * 2, 6), 200 * 16, 140 * 16);
  if (female) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(240, 120, 130, 90));
    p.drawEllipse(QPointF(c.x() - rx * 0.6, ey + 6), 4, 2.5);
    p.drawEllipse(QPointF(c.x() + rx * 0.6, ey + 6), 4, 2.5);
  }
}

void MaleHair(QPainter& p, QPointF c, double rx, double ry, const QColor& hair, int k) {
  p.setPen(Qt::NoPen);
  p.setBrush(hair);
  QPainterPath cap;
  const QRectF head(c.x() - rx - 1, c.y() - ry - 2, 2 * rx + 2, 2 * ry);
  cap.moveTo(head.left(), c.y() - 2);
  cap.arcTo(head, 180, -180);
  switch (k % 3) {
    case 0:  // short, side parting
      cap.lineTo(head.right() - 4, c.y() - 6);
      cap.quadTo(c.x(), c.y() - ry * 0.55, head.left() + 3, c.y() - 5);
      break;
    case 1:  // fringe
      cap.lineTo(head.right() - 2, c.y() - 4);
      cap.lineTo(c.x() + rx * 0.3, c.y() - ry * 0.5);
      cap.lineTo(c.x() - rx * 0.1, c.y() - ry * 0.38);
      cap.lineTo(c.x() - rx * 0.5, c.y() - ry * 0.5);
      break;
    default:  // swept back
      cap.lineTo(head.right() - 3, c.y() - 8);
      cap.quadTo(c.x(), c.y() - ry * 0.85, head.left() + 3, c.y() - 8);
      break;
  }
  cap.closeSubpath();
  p.drawPath(cap);
}

void FemaleHairBack(QPainter& p, QPointF c, double rx, double ry, const QColor& hair, int k) {
  p.setPen(Qt::NoPen);
  p.setBrush(hair);
  const double len = k % 2 ? ry * 2.1 : ry * 1.5;
  p.drawRoundedRect(QRectF(c.x() - rx - 6, c.y() - ry - 3, 2 * rx + 12, len + ry), rx * 0.9, rx * 0.9);
}

void FemaleHairFront(QPainter& p, QPointF c, double rx, double ry, const QColor& hair, int k) {
  p.setPen(Qt::NoPen);
  p.setBrush(hair);
  QPainterPath fringe;
  const QRectF head(c.x() - rx - 2, c.y() - ry - 3, 2 * rx + 4, 2 * ry);
  fringe.moveTo(head.left(), c.y() + 4);
  fringe.arcTo(head, 180, -180);
  fringe.lineTo(head.right(), c.y() + 4);
  fringe.quadTo(c.x() + rx * 0.5, c.y() - ry * 0.3, c.x() + rx * 0.1, c.y() - ry * 0.45);
  fringe.quadTo(c.x() - rx * 0.5, c.y() - ry * 0.3, head.left(), c.y() + 4);
  p.drawPath(fringe);
  // A bow or a flower in the hair.
  const QColor bow = k % 3 == 0 ? QColor(230, 60, 90) : k % 3 == 1 ? QColor(250, 200, 40) : QColor(120, 160, 240);
  p.setBrush(bow);
  const QPointF at(c.x() + rx * 0.7, c.y() - ry * 0.75);
  p.drawEllipse(at + QPointF(-4, 0), 4.5, 3);
  p.drawEllipse(at + QPointF(4, 0), 4.5, 3);
  p.setBrush(bow.darker(130));
  p.drawEllipse(at, 2, 2);
}

}  // namespace

QImage DrawPortrait(int index) {
  const bool female = index >= 10;
  const int k = index % 10;
  QImage img = NewImage(85, 90);
  QPainter p;
  BeginPainter(p, img);
  // Backdrop with a soft light behind the head.
  const QColor back = Pick(kBackdrop, k + (female ? 3 : 0));
  QRadialGradient bg(QPointF(42, 34), 60);
  bg.setColorAt(0, back.lighter(135));
  bg.setColorAt(1, back.darker(115));
  p.setPen(QPen(back.darker(160), 1));
  p.setBrush(bg);
  p.drawRoundedRect(QRectF(0.5, 0.5, 84, 89), 7, 7);
  const QColor skin = Pick(kSkin, k + index / 3);
  const QColor hair = Pick(kHair, k * 3 + (female ? 1 : 0));
  const QColor shirt = Pick(kShirt, k + (female ? 5 : 0));
  const QPointF head(42.5, 40);
  const double rx = 17, ry = 20;
  if (female) FemaleHairBack(p, head, rx, ry, hair, k);
  // Shoulders and neck.
  QPainterPath body;
  body.moveTo(8, 90);
  body.cubicTo(10, 70, 24, 64, 42.5, 64);
  body.cubicTo(61, 64, 75, 70, 77, 90);
  body.closeSubpath();
  QLinearGradient sg(QPointF(0, 62), QPointF(0, 90));
  sg.setColorAt(0, shirt.lighter(125));
  sg.setColorAt(1, shirt.darker(120));
  p.setPen(QPen(shirt.darker(160), 1));
  p.setBrush(sg);
  p.drawPath(body);
  p.setPen(Qt::NoPen);
  p.setBrush(skin.darker(108));
  p.drawRect(QRectF(36.5, 54, 12, 12));
  // A collar or a neckline.
  p.setBrush(female ? skin : QColor(245, 245, 245));
  if (female) {
    p.drawEllipse(QPointF(42.5, 66), 9, 5);
  } else {
    p.drawPolygon(QPolygonF({QPointF(33, 64), QPointF(42.5, 74), QPointF(52, 64)}));
    if (k % 2 == 0) {
      p.setBrush(Pick(kShirt, k + 3));
      p.drawPolygon(QPolygonF({QPointF(41, 68), QPointF(44, 68), QPointF(45.5, 86), QPointF(42.5, 89),
                               QPointF(39.5, 86)}));
    }
  }
  HeadFace(p, head, rx, ry, skin, female, k);
  if (female) {
    FemaleHairFront(p, head, rx, ry, hair, k);
  } else {
    MaleHair(p, head, rx, ry, hair, k);
  }
  // Some wear glasses.
  if (k % 4 == 3) {
    p.setPen(QPen(QColor(40, 40, 50), 1.3));
    p.setBrush(QColor(255, 255, 255, 40));
    p.drawEllipse(QPointF(head.x() - rx * 0.4, head.y() + 1), 5.2, 4.4);
    p.drawEllipse(QPointF(head.x() + rx * 0.4, head.y() + 1), 5.2, 4.4);
    p.drawLine(QPointF(head.x() - rx * 0.4 + 5.2, head.y() + 1), QPointF(head.x() + rx * 0.4 - 5.2, head.y() + 1));
  }
  return img;
}

}  // namespace vask::art
