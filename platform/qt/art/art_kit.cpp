#include "platform/qt/art/art_kit.h"

#include <QFontMetricsF>
#include <QLinearGradient>
#include <QStringList>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

namespace vask::art {

namespace {

// One set is drawn at a time, on the thread that draws it.
thread_local double gResolution = 1;

}  // namespace

double Resolution() { return gResolution; }

DrawingResolution::DrawingResolution(double pixelsPerUnit) : before_(gResolution) {
  gResolution = std::max(1.0, pixelsPerUnit);
}

DrawingResolution::~DrawingResolution() { gResolution = before_; }

QImage NewLayer(int w, int h) {
  QImage img(w, h, QImage::Format_ARGB32_Premultiplied);
  img.fill(Qt::transparent);
  return img;
}

QImage NewImage(int w, int h) {
  return NewLayer(static_cast<int>(std::lround(w * gResolution)), static_cast<int>(std::lround(h * gResolution)));
}

void BeginPainter(QPainter& p, QImage& img) {
  p.begin(&img);
  p.setRenderHint(QPainter::Antialiasing, true);
  p.setRenderHint(QPainter::TextAntialiasing, true);
  p.setRenderHint(QPainter::SmoothPixmapTransform, true);
  p.scale(gResolution, gResolution);
}

QFont FontOf(Face face, double pixelSize, bool bold) {
  QFont f;
  // Debian's CJK fonts: a Kai (brush) face for the tiles, a plain black face
  // for words; either falls back to the other and to Droid.
  static const QStringList kBrush = {"AR PL UKai CN", "AR PL UKai TW", "WenQuanYi Zen Hei",
                                     "Droid Sans Fallback", "Noto Sans CJK SC"};
  static const QStringList kPlain = {"WenQuanYi Zen Hei", "Droid Sans Fallback", "Noto Sans CJK SC",
                                     "AR PL UKai CN"};
  f.setFamilies(face == Face::Brush ? kBrush : kPlain);
  f.setPixelSize(std::max(1, static_cast<int>(pixelSize + 0.5)));
  f.setBold(bold);
  f.setHintingPreference(QFont::PreferNoHinting);
  f.setStyleStrategy(QFont::PreferAntialias);
  return f;
}

const GlyphCache::Glyphs& GlyphCache::Of(Face face, const QString& text) {
  const QString key = (face == Face::Brush ? QStringLiteral("b:") : QStringLiteral("p:")) + text;
  auto it = paths_.find(key);
  if (it != paths_.end()) return it.value();
  Glyphs g;
  const QFontMetricsF fm(Font(face));
  g.ascent = fm.ascent();
  g.ink = fm.tightBoundingRect(text).translated(0, g.ascent);
  g.advance = fm.horizontalAdvance(text);
  return paths_.insert(key, g).value();
}

const QFont& GlyphCache::Font(Face face) {
  const int i = face == Face::Brush ? 0 : 1;
  if (!haveFont_[i]) {
    fonts_[i] = FontOf(face, 100);
    haveFont_[i] = true;
  }
  return fonts_[i];
}

PlacedText PlacedText::Translated(double dx, double dy) const {
  PlacedText moved = *this;
  moved.place = place * QTransform::fromTranslate(dx, dy);
  return moved;
}

PlacedText FitText(GlyphCache& glyphs, Face face, const QString& text, const QRectF& box, Fit fit) {
  PlacedText out;
  out.font = glyphs.Font(face);
  out.text = text;
  out.metrics = glyphs.Of(face, text);
  const QRectF& ink = out.metrics.ink;
  if (ink.isEmpty() || box.isEmpty()) {
    out.text.clear();
    return out;
  }
  double scale;
  if (fit == Fit::Tight) {
    scale = std::min(box.width() / ink.width(), box.height() / ink.height());
  } else {
    scale = std::min(box.width() / std::max(1.0, out.metrics.advance), box.height() / 100.0);
    // A wide character may still overrun its em a little.
    scale = std::min(scale, std::min(box.width() / ink.width(), box.height() / ink.height()));
  }
  QTransform t;
  t.translate(box.center().x(), box.center().y());
  t.scale(scale, scale);
  t.translate(-ink.center().x(), -ink.center().y());
  out.place = t;
  return out;
}

namespace {

// o = max(o, in × weight / 256) over a row, sixteen pixels at a time.
using Bytes16 = std::uint8_t __attribute__((vector_size(16)));
using Words16 = std::uint16_t __attribute__((vector_size(32)));

void ShiftMax(uchar* o, const uchar* in, int n, unsigned weight) {
  int x = 0;
  const bool full = weight >= 256;
  for (; x + 16 <= n; x += 16) {
    Bytes16 a, b;
    std::memcpy(&a, o + x, 16);
    std::memcpy(&b, in + x, 16);
    if (!full) {
      const Words16 wide = __builtin_convertvector(b, Words16) * static_cast<std::uint16_t>(weight);
      b = __builtin_convertvector(wide >> 8, Bytes16);
    }
    a = a > b ? a : b;
    std::memcpy(o + x, &a, 16);
  }
  for (; x < n; ++x) {
    const uchar v = full ? in[x] : static_cast<uchar>((in[x] * weight) >> 8);
    if (v > o[x]) o[x] = v;
  }
}

// The mask grown by `radius` pixels, with a soft last pixel so that
// fractional radii stay smooth.
QImage Dilate(const QImage& mask, double radius) {
  if (radius <= 0.05) return mask;
  struct Tap {
    int dx, dy, weight;  // weight of 256 = full
  };
  std::vector<Tap> taps;
  const int reach = static_cast<int>(std::ceil(radius + 1));
  for (int dy = -reach; dy <= reach; ++dy) {
    for (int dx = -reach; dx <= reach; ++dx) {
      const double d = std::sqrt(double(dx * dx + dy * dy));
      const double w = std::clamp(radius + 1 - d, 0.0, 1.0);
      if (w > 0) taps.push_back({dx, dy, static_cast<int>(w * 256 + 0.5)});
    }
  }
  const int w = mask.width(), h = mask.height();
  QImage out(w, h, QImage::Format_Alpha8);
  out.fill(0);
  // One shifted, weighted copy of the mask per tap, kept where larger: the
  // inner loop runs over plain rows.
  const qsizetype stride = out.bytesPerLine(), inStride = mask.bytesPerLine();
  uchar* const outBits = out.bits();
  const uchar* const inBits = mask.constBits();
  for (const Tap& t : taps) {
    const int x0 = std::max(0, -t.dx), x1 = std::min(w, w - t.dx);
    const unsigned weight = static_cast<unsigned>(t.weight);
    for (int y = std::max(0, -t.dy); y < std::min(h, h - t.dy); ++y) {
      ShiftMax(outBits + y * stride + x0, inBits + (y + t.dy) * inStride + x0 + t.dx, x1 - x0, weight);
    }
  }
  return out;
}

// Each channel of the premultiplied pixel times a / 255, two channels at a
// time.
QRgb ByteMul(QRgb x, unsigned a) {
  unsigned t = (x & 0xff00ffu) * a;
  t = ((t + ((t >> 8) & 0xff00ffu) + 0x800080u) >> 8) & 0xff00ffu;
  x = ((x >> 8) & 0xff00ffu) * a;
  x = (x + ((x >> 8) & 0xff00ffu) + 0x800080u) & 0xff00ff00u;
  return x | t;
}

// Paints the brush through the mask onto the layer (whose top-left is
// device position `at`).
void PaintThrough(QImage& layer, const QImage& mask, QPoint at, const QBrush& brush, const QTransform& world) {
  if (brush.style() == Qt::SolidPattern) {
    // A plain colour: composed by hand, source over, pixel by pixel.
    const QRgb c = qPremultiply(brush.color().rgba());
    for (int y = 0; y < mask.height(); ++y) {
      const uchar* m = mask.constScanLine(y);
      auto* o = reinterpret_cast<QRgb*>(layer.scanLine(y));
      for (int x = 0; x < mask.width(); ++x) {
        if (m[x] == 0) continue;
        const QRgb src = m[x] == 255 ? c : ByteMul(c, m[x]);
        o[x] = src + ByteMul(o[x], 255 - qAlpha(src));
      }
    }
    return;
  }
  QImage paint(mask.size(), QImage::Format_ARGB32_Premultiplied);
  paint.fill(Qt::transparent);
  QPainter lp(&paint);
  const QTransform toLayer = world * QTransform::fromTranslate(-at.x(), -at.y());
  lp.setTransform(toLayer);
  lp.fillRect(toLayer.inverted().mapRect(QRectF(paint.rect())), brush);
  lp.setTransform(QTransform());
  lp.setCompositionMode(QPainter::CompositionMode_DestinationIn);
  lp.drawImage(0, 0, mask);
  lp.end();
  QPainter op(&layer);
  op.drawImage(0, 0, paint);
}

}  // namespace

Layer RenderText(const QTransform& world, const PlacedText& text, const QBrush& fill, double bold,
                 const QColor& rimColor, double rim) {
  // Pen widths in the painter's units, as pixels.
  const double unit = std::sqrt(std::abs(world.determinant()));
  const double grow = bold * unit / 2, outer = grow + (rim > 0 ? rim * unit : 0);
  const QTransform toDevice = text.place * world;
  const int margin = static_cast<int>(std::ceil(outer)) + 2;
  const QRect area =
      toDevice.mapRect(text.metrics.ink).toAlignedRect().adjusted(-margin, -margin, margin, margin);
  Layer layer;
  if (text.text.isEmpty() || area.isEmpty()) return layer;
  QImage mask(area.size(), QImage::Format_Alpha8);
  mask.fill(0);
  {
    QPainter mp(&mask);
    mp.setRenderHint(QPainter::Antialiasing, true);
    mp.setRenderHint(QPainter::TextAntialiasing, true);
    mp.setTransform(toDevice * QTransform::fromTranslate(-area.left(), -area.top()));
    mp.setFont(text.font);
    mp.setPen(Qt::black);
    mp.drawText(QPointF(0, text.metrics.ascent), text.text);
  }
  layer.at = area.topLeft();
  layer.image = QImage(area.size(), QImage::Format_ARGB32_Premultiplied);
  layer.image.fill(Qt::transparent);
  if (rim > 0 && rimColor.alpha() > 0) PaintThrough(layer.image, Dilate(mask, outer), layer.at, rimColor, world);
  PaintThrough(layer.image, Dilate(mask, grow), layer.at, fill, world);
  return layer;
}

void DrawLayer(QPainter& p, const Layer& layer) {
  if (layer.image.isNull()) return;
  p.save();
  p.setWorldTransform(QTransform());
  p.drawImage(layer.at, layer.image);
  p.restore();
}

void PaintText(QPainter& p, const PlacedText& text, const QBrush& fill, double bold, const QColor& rimColor,
               double rim) {
  DrawLayer(p, RenderText(p.worldTransform(), text, fill, bold, rimColor, rim));
}

QColor Mix(const QColor& a, const QColor& b, double t) {
  auto m = [t](int x, int y) { return static_cast<int>(x + (y - x) * t + 0.5); };
  return QColor(m(a.red(), b.red()), m(a.green(), b.green()), m(a.blue(), b.blue()), m(a.alpha(), b.alpha()));
}

void PaintPlate(QPainter& p, const QRectF& r, double radius, const QColor& top, const QColor& bottom,
                const QColor& outline) {
  p.save();
  QLinearGradient g(r.topLeft(), r.bottomLeft());
  g.setColorAt(0, top);
  g.setColorAt(0.5, Mix(top, bottom, 0.55));
  g.setColorAt(1, bottom);
  p.setPen(QPen(outline, 1));
  p.setBrush(g);
  p.drawRoundedRect(r.adjusted(0.5, 0.5, -0.5, -0.5), radius, radius);
  // The light catching the upper rim.
  p.setPen(QPen(QColor(255, 255, 255, 110), 1));
  p.setBrush(Qt::NoBrush);
  const QRectF rim = r.adjusted(1.5, 1.5, -1.5, -1.5);
  p.drawLine(QPointF(rim.left() + radius * 0.6, rim.top()), QPointF(rim.right() - radius * 0.6, rim.top()));
  p.restore();
}

}  // namespace vask::art
