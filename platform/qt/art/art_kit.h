#pragma once
// Shared drawing helpers of the picture set: fonts, glyph outlines, panels.
#include <QColor>
#include <QFont>
#include <QBrush>
#include <QHash>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QTransform>
#include <QRectF>
#include <QString>

namespace vask::art {

// The pixels per unit of the pictures being drawn: 1, or the screen's pixel
// ratio, so that a screen of ratio 2 gets tiles and words drawn at its own
// pixels. PictureArt sets it while it draws the set.
double Resolution();
class DrawingResolution {
 public:
  explicit DrawingResolution(double pixelsPerUnit);
  ~DrawingResolution();
  DrawingResolution(const DrawingResolution&) = delete;
  DrawingResolution& operator=(const DrawingResolution&) = delete;

 private:
  double before_;
};

// A transparent picture of w × h units (w × h pixels times the resolution).
QImage NewImage(int w, int h);
// A transparent image of w × h pixels (the layers painted through a device
// transform).
QImage NewLayer(int w, int h);
// An antialiased painter on a picture, drawing in its units.
void BeginPainter(QPainter& p, QImage& img);

// The brush style of the tile characters and the plain style of the words.
enum class Face { Brush, Plain };
QFont FontOf(Face face, double pixelSize, bool bold = false);

// Painted pixels at a device position, ready to be drawn again.
struct Layer {
  QImage image;
  QPoint at;
};

// Text metrics at a fixed em, measured once per text and style while the
// set is drawn (the tiles repeat the same few characters many times at five
// sizes), and painted layers that repeat exactly.
class GlyphCache {
 public:
  struct Glyphs {
    QRectF ink;           // at an em of 100 units, the baseline at `ascent`
    double advance = 0;   // the text's width in the same units
    double ascent = 0;
  };
  const Glyphs& Of(Face face, const QString& text);
  // The style's font at an em of 100 pixels; one font object per style, as
  // matching a font family list is costly.
  const QFont& Font(Face face);

  // The layer kept under the key, made by `make` the first time: text and
  // tile bodies that repeat exactly are painted once.
  template <typename Make>
  const Layer& Keep(const QString& key, Make make) {
    auto it = layers_.find(key);
    if (it == layers_.end()) it = layers_.insert(key, make());
    return it.value();
  }

 private:
  QHash<QString, Glyphs> paths_;
  QFont fonts_[2];
  bool haveFont_[2] = {false, false};
  QHash<QString, Layer> layers_;
};

enum class Fit {
  Em,     // keeps the character's size within its em: 一 stays a thin stroke
  Tight,  // the ink fills the box as far as its aspect allows
};
// A text placed on a picture: its glyphs at an em of 100 units, mapped by
// `place` into the painter's units.
struct PlacedText {
  QFont font;
  QString text;
  GlyphCache::Glyphs metrics;
  QTransform place;
  PlacedText Translated(double dx, double dy) const;
};
// The text scaled into the box and centred on it.
PlacedText FitText(GlyphCache& glyphs, Face face, const QString& text, const QRectF& box, Fit fit);
// Fills the text, thickened by `bold` units of pen, with an optional outer
// rim of `rim` units (below the fill). Units are the painter's; the
// thickening grows a pixel mask of the font's own glyphs rather than
// stroking outlines, which is many times faster.
void PaintText(QPainter& p, const PlacedText& text, const QBrush& fill, double bold = 0,
               const QColor& rimColor = Qt::transparent, double rim = 0);
// The same as a layer, for text painted through `world`.
Layer RenderText(const QTransform& world, const PlacedText& text, const QBrush& fill, double bold = 0,
                 const QColor& rimColor = Qt::transparent, double rim = 0);
// Draws a layer where it was rendered, whatever the painter's transform.
void DrawLayer(QPainter& p, const Layer& layer);

// Paints `paint` (which draws around the origin, within `extent` units of
// it) centred at `centre`, through a sprite kept under the key and the
// painter's scale and turn: a coin or a stick of one size and colour is
// painted once per tile set, then only copied (placed to the nearest pixel).
template <typename Paint>
void PaintSprite(QPainter& p, GlyphCache& cache, const QString& key, QPointF centre, double extent, Paint paint) {
  const QTransform w = p.worldTransform();
  const QTransform linear(w.m11(), w.m12(), w.m21(), w.m22(), 0, 0);
  const QString fullKey = key + QStringLiteral(" %1 %2 %3 %4")
                                    .arg(w.m11(), 0, 'f', 4)
                                    .arg(w.m12(), 0, 'f', 4)
                                    .arg(w.m21(), 0, 'f', 4)
                                    .arg(w.m22(), 0, 'f', 4);
  const Layer& sprite = cache.Keep(fullKey, [&] {
    const QRect area =
        linear.mapRect(QRectF(-extent, -extent, 2 * extent, 2 * extent)).toAlignedRect().adjusted(-1, -1, 1, 1);
    Layer made{NewLayer(area.width(), area.height()), area.topLeft()};
    QPainter sp;
    BeginPainter(sp, made.image);
    sp.setTransform(linear * QTransform::fromTranslate(-area.left(), -area.top()));
    paint(sp);
    return made;
  });
  const QPointF at = w.map(centre);
  p.save();
  p.setWorldTransform(QTransform());
  p.drawImage(QPoint(qRound(at.x()) + sprite.at.x(), qRound(at.y()) + sprite.at.y()), sprite.image);
  p.restore();
}

// A colour mixed from two: t = 0 gives a, 1 gives b.
QColor Mix(const QColor& a, const QColor& b, double t);

// A rounded, vertically shaded plate with a light top rim and a dark
// outline: the body of every button.
void PaintPlate(QPainter& p, const QRectF& r, double radius, const QColor& top, const QColor& bottom,
                const QColor& outline);

}  // namespace vask::art
