#include "plugin/chest_art.h"

#include <QBuffer>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace vask::props {

namespace {

const QColor kWoodLight(150, 86, 40);
const QColor kWoodDark(92, 48, 20);
const QColor kGold(238, 196, 72);
const QColor kGoldDark(160, 112, 24);

void Planks(QPainter& p, const QRectF& r) {
  QLinearGradient wood(r.topLeft(), r.bottomLeft());
  wood.setColorAt(0, kWoodLight);
  wood.setColorAt(1, kWoodDark);
  p.setPen(QPen(QColor(60, 30, 12), 1.2));
  p.setBrush(wood);
  p.drawRoundedRect(r, 3, 3);
  p.setPen(QPen(QColor(70, 36, 14, 140), 1));
  for (int k = 1; k < 3; ++k) {
    const qreal y = r.top() + r.height() * k / 3;
    p.drawLine(QPointF(r.left() + 2, y), QPointF(r.right() - 2, y));
  }
}

void Bands(QPainter& p, const QRectF& r) {
  p.setPen(QPen(kGoldDark, 1));
  p.setBrush(kGold);
  const qreal bw = r.width() * 0.09;
  for (qreal x : {r.left() + r.width() * 0.16, r.right() - r.width() * 0.16 - bw})
    p.drawRect(QRectF(x, r.top(), bw, r.height()));
}

void Coins(QPainter& p, const QRectF& box) {
  QRadialGradient glow(box.center().x(), box.top(), box.width() * 0.6);
  glow.setColorAt(0, QColor(255, 240, 150, 230));
  glow.setColorAt(1, QColor(255, 220, 80, 0));
  p.setPen(Qt::NoPen);
  p.setBrush(glow);
  p.drawEllipse(QRectF(box.left() - box.width() * 0.1, box.top() - box.height() * 0.9, box.width() * 1.2, box.height() * 1.2));
  p.setPen(QPen(kGoldDark, 1));
  p.setBrush(kGold);
  const qreal cw = box.width() * 0.2, ch = box.height() * 0.18;
  for (int k = 0; k < 5; ++k) {
    const qreal x = box.left() + box.width() * (0.1 + 0.16 * k);
    const qreal y = box.top() - ch * (k % 2 ? 0.9 : 0.4);
    p.drawEllipse(QRectF(x, y, cw, ch));
  }
}

}  // namespace

std::string ChestPicture(bool open, int w, int h) {
  QImage img(w, h, QImage::Format_ARGB32_Premultiplied);
  img.fill(Qt::transparent);
  {
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF box(w * 0.06, h * 0.45, w * 0.88, h * 0.5);
    if (open) {
      // The lid stands open behind the box; gold shines out of it.
      QRectF lid(w * 0.1, h * 0.05, w * 0.8, h * 0.36);
      Planks(p, lid);
      Bands(p, lid);
      Coins(p, box);
    } else {
      QPainterPath lid;
      lid.moveTo(box.left(), box.top());
      lid.cubicTo(box.left(), h * 0.1, box.right(), h * 0.1, box.right(), box.top());
      lid.closeSubpath();
      QLinearGradient wood(0, h * 0.1, 0, box.top());
      wood.setColorAt(0, kWoodLight.lighter(115));
      wood.setColorAt(1, kWoodLight);
      p.setPen(QPen(QColor(60, 30, 12), 1.2));
      p.setBrush(wood);
      p.drawPath(lid);
    }
    Planks(p, box);
    Bands(p, box);
    if (!open) {
      // The lock.
      p.setPen(QPen(kGoldDark, 1));
      p.setBrush(kGold);
      const QRectF lock(w * 0.42, box.top() - h * 0.06, w * 0.16, h * 0.18);
      p.drawRoundedRect(lock, 2, 2);
      p.setBrush(QColor(40, 20, 8));
      p.drawEllipse(QRectF(lock.center().x() - 1.5, lock.center().y() - 2, 3, 4));
    }
  }
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  img.save(&buffer, "PNG");
  return bytes.toStdString();
}

}  // namespace vask::props
