// Speech bubbles (transparent around the bubble, so a window can take its
// shape) and the claim words shown over them.
#include <QLinearGradient>
#include <array>

#include "core/view/pictures.h"
#include "platform/qt/art/art_parts.h"

namespace vask::art {
namespace {

const QColor kBubbleInk(200, 20, 20);

// The bubble without its tail, which sticks out towards the seat: view 0
// (bottom), 1 (left), 2 (top) or 3 (right).
QRectF BubbleBody(double w, double h, int view) {
  const double tail = std::min(w, h) * 0.2;
  QRectF body(3, 3, w - 6, h - 6);
  if (view == 1) body.setLeft(tail + 3);
  if (view == 2) body.setTop(tail + 3);
  if (view == 3) body.setRight(w - tail - 3);
  if (view == 0) body.setBottom(h - tail - 3);
  return body;
}

// The bubble body and its tail as two closed outlines.
std::array<QPainterPath, 2> BubbleShape(double w, double h, int view) {
  const QRectF body = BubbleBody(w, h, view);
  QPainterPath shape;
  shape.addRoundedRect(body, body.width() * 0.3, body.height() * 0.35);
  QPainterPath pointer;
  const QPointF c = body.center();
  if (view == 1) {
    pointer.moveTo(body.left() + body.width() * 0.12, c.y() + body.height() * 0.05);
    pointer.lineTo(2, h - 4);
    pointer.lineTo(body.left() + body.width() * 0.3, body.bottom() - body.height() * 0.12);
  } else if (view == 0) {
    pointer.moveTo(body.left() + body.width() * 0.18, body.bottom() - body.height() * 0.2);
    pointer.lineTo(body.left() + body.width() * 0.08, h - 2);
    pointer.lineTo(body.left() + body.width() * 0.34, body.bottom() - body.height() * 0.15);
  } else if (view == 2) {
    pointer.moveTo(c.x() - body.width() * 0.2, body.top() + body.height() * 0.2);
    pointer.lineTo(body.left() + body.width() * 0.1, 2);
    pointer.lineTo(c.x() + body.width() * 0.02, body.top() + body.height() * 0.15);
  } else {
    pointer.moveTo(body.right() - body.width() * 0.12, c.y() + body.height() * 0.05);
    pointer.lineTo(w - 2, h - 4);
    pointer.lineTo(body.right() - body.width() * 0.3, body.bottom() - body.height() * 0.12);
  }
  pointer.closeSubpath();
  return {shape, pointer};
}

QImage Bubble(GlyphCache& glyphs, PictureSize s, const QString& word, int view) {
  QImage img = NewImage(s.w, s.h);
  QPainter p;
  BeginPainter(p, img);
  const auto shape = BubbleShape(s.w, s.h, view);
  QLinearGradient g(0, 0, 0, s.h);
  g.setColorAt(0, QColor(255, 255, 255));
  g.setColorAt(1, QColor(255, 240, 200));
  // Outline both parts, then fill both over the inner halves of the
  // outlines: one continuous border without joining the shapes.
  p.setPen(QPen(QColor(120, 70, 20), 2.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.setBrush(Qt::NoBrush);
  for (const QPainterPath& part : shape) p.drawPath(part);
  p.setPen(Qt::NoPen);
  p.setBrush(g);
  for (const QPainterPath& part : shape) p.drawPath(part);
  if (word.isEmpty()) return img;
  const QRectF body = BubbleBody(s.w, s.h, view);
  const QRectF box = body.adjusted(body.width() * 0.14, body.height() * 0.2, -body.width() * 0.14,
                                   -body.height() * 0.2);
  PaintText(p, FitText(glyphs, Face::Plain, word, box, Fit::Em), kBubbleInk, 2, QColor(255, 220, 80), 2);
  return img;
}

}  // namespace

QImage DrawSpeech(GlyphCache& glyphs, int id) {
  static const std::array<QString, 3> kWords = {"拉庄", "坐庄", "再拉一下"};
  if (id >= 440) return Bubble(glyphs, PictureSizeOf(id), "铲", id - 439);
  const int i = id - 420;
  return Bubble(glyphs, PictureSizeOf(id), kWords[static_cast<std::size_t>(i / 3)], i % 3 + 1);
}

QImage DrawSpeakBox(GlyphCache& glyphs, int view) {
  return Bubble(glyphs, WindowPictureSize(kSpeakBoxPic + view), QString(), view);
}

QImage DrawClaimWord(GlyphCache& glyphs, int id) {
  static const std::array<QString, 8> kWords = {"吃", "碰", "杠", "暗杠", "红中杠", "混杠", "开杠", "胡"};
  const PictureSize s = PictureSizeOf(id);
  QImage img = NewImage(s.w, s.h);
  QPainter p;
  BeginPainter(p, img);
  const QRectF box(2, 2, s.w - 4, s.h - 4);
  const PlacedText word = FitText(glyphs, Face::Brush, kWords[static_cast<std::size_t>(id - 183)], box, Fit::Em);
  // A drop shadow, a red rim and a gold fill: readable over any bubble.
  PaintText(p, word.Translated(1.5, 1.5), QColor(0, 0, 0, 110), 2, QColor(0, 0, 0, 90), 2);
  QLinearGradient gold(box.topLeft(), box.bottomLeft());
  gold.setColorAt(0, QColor(255, 246, 150));
  gold.setColorAt(1, QColor(240, 150, 20));
  PaintText(p, word, QBrush(gold), 1.2, QColor(170, 20, 10), 1.6);
  return img;
}

}  // namespace vask::art
