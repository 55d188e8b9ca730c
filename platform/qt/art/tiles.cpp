// The 180 tile pictures: five face sets of 36 (honours, two backs, bamboos,
// characters, dots), each at its own size and seen from its own seat.
#include <QLinearGradient>
#include <QPolygonF>
#include <QRadialGradient>
#include <array>
#include <cmath>

#include "core/view/pictures.h"
#include "platform/qt/art/art_parts.h"

namespace vask::art {
namespace {

// The set's ivory face layer over a coloured back layer.
const QColor kIvoryHi(253, 251, 242);
const QColor kIvoryLo(235, 227, 203);
const QColor kIvoryEdge(219, 206, 171);
const QColor kBackHi(70, 140, 214);
const QColor kBack(30, 94, 172);
const QColor kBackLo(16, 56, 116);
const QColor kOutline(70, 58, 36, 190);

const QColor kRed(198, 24, 30);
const QColor kGreen(10, 122, 62);
const QColor kBlue(24, 70, 160);
const QColor kInk(22, 30, 62);

// Every face is designed in a box of 100 × 130 units, upright, and mapped
// onto the tile's face: squeezed where the tile lies and is seen at a slant,
// turned to face the seat it belongs to.
constexpr double kUnitW = 100;
constexpr double kUnitH = 130;
// The own standing hand; the other sets lie on the table.
constexpr int kOwnHandFaceSetArt = 4;

// ---- bamboos ----

void StickShape(QPainter& p, double len, double w, const QColor& color, double angle) {
  p.save();
  p.rotate(angle);
  const QRectF body(-w / 2, -len / 2, w, len);
  QLinearGradient g(body.topLeft(), body.topRight());
  const QColor dark = color.darker(160);
  g.setColorAt(0, dark);
  g.setColorAt(0.35, color.lighter(125));
  g.setColorAt(0.65, color);
  g.setColorAt(1, dark);
  p.setPen(Qt::NoPen);
  p.setBrush(g);
  p.drawRoundedRect(body, w * 0.45, w * 0.45);
  // The joints: at both ends and in the middle.
  p.setBrush(dark);
  for (double y : {-len / 2 + w * 0.3, 0.0, len / 2 - w * 0.3}) {
    p.drawRoundedRect(QRectF(-w * 0.62, y - w * 0.2, w * 1.24, w * 0.4), w * 0.2, w * 0.2);
  }
  // The light along the stem, broken at the joints.
  p.setPen(QPen(QColor(255, 255, 255, 150), w * 0.14, Qt::SolidLine, Qt::RoundCap));
  const double top = -len / 2 + w * 0.75, bottom = len / 2 - w * 0.75;
  p.drawLine(QPointF(-w * 0.12, top), QPointF(-w * 0.12, -w * 0.45));
  p.drawLine(QPointF(-w * 0.12, w * 0.45), QPointF(-w * 0.12, bottom));
  p.restore();
}

void Stick(QPainter& p, GlyphCache& cache, QPointF c, double len, double w, const QColor& color,
           double angle = 0) {
  PaintSprite(p, cache, QStringLiteral("stick %1 %2 %3 %4").arg(len).arg(w).arg(color.rgb()).arg(angle), c,
              std::max(len, w) * 0.6, [&](QPainter& sp) { StickShape(sp, len, w, color, angle); });
}

// Bamboo 1: the bird on its stalk.
void Bird(QPainter& p, GlyphCache& cache) {
  p.save();
  p.setPen(Qt::NoPen);
  // Tail feathers fanning out behind.
  const std::array<QColor, 5> feather = {kBlue, kGreen, kRed, kGreen, kBlue};
  for (int i = 0; i < 5; ++i) {
    p.save();
    p.translate(64, 78);
    p.rotate(-62 + i * 24);
    QPainterPath f;
    f.moveTo(0, 0);
    f.cubicTo(8, -8, 30, -10, 38, -2);
    f.cubicTo(30, 6, 8, 6, 0, 0);
    p.setBrush(feather[static_cast<std::size_t>(i)]);
    p.drawPath(f);
    p.setBrush(kIvoryHi);
    p.drawEllipse(QPointF(32, -2), 3.2, 3.2);
    p.restore();
  }
  // Legs on the stalk.
  p.setPen(QPen(QColor(150, 80, 30), 3, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(46, 92), QPointF(42, 110));
  p.drawLine(QPointF(58, 92), QPointF(60, 110));
  p.setPen(Qt::NoPen);
  Stick(p, cache, QPointF(50, 114), 74, 9, kGreen, 90);
  // Body and wing.
  QRadialGradient body(QPointF(44, 66), 34);
  body.setColorAt(0, kGreen.lighter(150));
  body.setColorAt(1, kGreen.darker(130));
  p.setBrush(body);
  p.drawEllipse(QPointF(50, 74), 25, 20);
  QPainterPath wing;
  wing.moveTo(40, 68);
  wing.cubicTo(54, 56, 74, 62, 80, 76);
  wing.cubicTo(66, 78, 52, 82, 40, 68);
  p.setBrush(kBlue);
  p.drawPath(wing);
  // Head, crest, eye and beak.
  p.setBrush(kRed);
  p.drawEllipse(QPointF(28, 46), 13, 13);
  QPainterPath crest;
  crest.moveTo(24, 34);
  crest.cubicTo(22, 20, 32, 14, 40, 16);
  crest.cubicTo(34, 22, 34, 30, 34, 36);
  p.drawPath(crest);
  p.setBrush(QColor(240, 170, 20));
  p.drawPolygon(QPolygonF({QPointF(17, 42), QPointF(4, 49), QPointF(18, 51)}));
  p.setBrush(Qt::white);
  p.drawEllipse(QPointF(26, 44), 4, 4);
  p.setBrush(Qt::black);
  p.drawEllipse(QPointF(25.3, 44), 2.2, 2.2);
  p.restore();
}

void Bamboo(QPainter& p, GlyphCache& cache, int rank) {
  constexpr double W = 13;
  switch (rank) {
    case 1: Bird(p, cache); break;
    case 2:
      Stick(p, cache, {50, 36}, 52, 15, kGreen);
      Stick(p, cache, {50, 96}, 52, 15, kBlue);
      break;
    case 3:
      Stick(p, cache, {50, 36}, 52, 15, kGreen);
      Stick(p, cache, {30, 96}, 52, 15, kBlue);
      Stick(p, cache, {70, 96}, 52, 15, kBlue);
      break;
    case 4:
      for (double x : {30.0, 70.0}) {
        Stick(p, cache, {x, 36}, 52, 15, x < 50 ? kBlue : kGreen);
        Stick(p, cache, {x, 96}, 52, 15, x < 50 ? kGreen : kBlue);
      }
      break;
    case 5:
      for (double x : {22.0, 78.0}) {
        Stick(p, cache, {x, 34}, 50, W, kGreen);
        Stick(p, cache, {x, 96}, 50, W, kBlue);
      }
      Stick(p, cache, {50, 65}, 50, W, kRed);
      break;
    case 6:
      for (double x : {22.0, 50.0, 78.0}) {
        Stick(p, cache, {x, 36}, 52, W, kGreen);
        Stick(p, cache, {x, 96}, 52, W, kBlue);
      }
      break;
    case 7:
      Stick(p, cache, {50, 22}, 34, W, kRed);
      for (double x : {22.0, 50.0, 78.0}) {
        Stick(p, cache, {x, 64}, 36, W, kGreen);
        Stick(p, cache, {x, 106}, 36, W, kGreen);
      }
      break;
    case 8:
      // Upright outer stems, the inner pair leaning together above and
      // apart below.
      for (double y : {36.0, 96.0}) {
        const double lean = y < 65 ? 24 : -24;
        Stick(p, cache, {16, y}, 52, 12, kGreen);
        Stick(p, cache, {84, y}, 52, 12, kGreen);
        Stick(p, cache, {39, y}, 52, 12, kBlue, lean);
        Stick(p, cache, {61, y}, 52, 12, kBlue, -lean);
      }
      break;
    case 9:
      for (double x : {22.0, 50.0, 78.0}) {
        for (double y : {24.0, 65.0, 106.0}) Stick(p, cache, {x, y}, 36, W, x == 50.0 ? kRed : kGreen);
      }
      break;
  }
}

// ---- dots ----

// A coin: coloured rim, ivory ring, coloured centre with an ivory eye.
void DotShape(QPainter& p, double r, const QColor& color) {
  const QPointF c(0, 0);
  p.save();
  p.setPen(Qt::NoPen);
  p.setBrush(color.darker(110));
  p.drawEllipse(c, r, r);
  p.setBrush(kIvoryHi);
  p.drawEllipse(c, r * 0.74, r * 0.74);
  p.setBrush(color);
  p.drawEllipse(c, r * 0.54, r * 0.54);
  p.setBrush(kIvoryHi);
  p.drawEllipse(c, r * 0.16, r * 0.16);
  p.restore();
}

void Dot(QPainter& p, GlyphCache& cache, QPointF c, double r, const QColor& color) {
  PaintSprite(p, cache, QStringLiteral("dot %1 %2").arg(r).arg(color.rgb()), c, r + 0.5,
              [&](QPainter& sp) { DotShape(sp, r, color); });
}

// Dot 1: the large ornamented coin.
void BigDot(QPainter& p, GlyphCache& cache) {
  const QPointF c(50, 65);
  p.save();
  p.setPen(Qt::NoPen);
  p.setBrush(kGreen);
  p.drawEllipse(c, 42, 42);
  p.setBrush(kIvoryHi);
  p.drawEllipse(c, 37, 37);
  // A ring of petals.
  p.setBrush(kBlue);
  for (int i = 0; i < 12; ++i) {
    p.save();
    p.translate(c);
    p.rotate(i * 30);
    p.drawEllipse(QPointF(0, -29), 5, 7.5);
    p.restore();
  }
  p.restore();
  Dot(p, cache, c, 22, kRed);
}

void Dots(QPainter& p, GlyphCache& cache, int rank) {
  switch (rank) {
    case 1: BigDot(p, cache); break;
    case 2:
      Dot(p, cache, {50, 34}, 24, kGreen);
      Dot(p, cache, {50, 96}, 24, kBlue);
      break;
    case 3:
      Dot(p, cache, {24, 25}, 19, kBlue);
      Dot(p, cache, {50, 65}, 19, kRed);
      Dot(p, cache, {76, 105}, 19, kGreen);
      break;
    case 4:
      Dot(p, cache, {28, 36}, 20, kBlue);
      Dot(p, cache, {72, 36}, 20, kGreen);
      Dot(p, cache, {28, 94}, 20, kGreen);
      Dot(p, cache, {72, 94}, 20, kBlue);
      break;
    case 5:
      Dot(p, cache, {25, 27}, 17, kBlue);
      Dot(p, cache, {75, 27}, 17, kGreen);
      Dot(p, cache, {50, 65}, 17, kRed);
      Dot(p, cache, {25, 103}, 17, kGreen);
      Dot(p, cache, {75, 103}, 17, kBlue);
      break;
    case 6:
      for (double x : {29.0, 71.0}) {
        Dot(p, cache, {x, 23}, 16, kGreen);
        Dot(p, cache, {x, 73}, 16, kRed);
        Dot(p, cache, {x, 108}, 16, kRed);
      }
      break;
    case 7:
      Dot(p, cache, {21, 17}, 13, kGreen);
      Dot(p, cache, {50, 32}, 13, kGreen);
      Dot(p, cache, {79, 47}, 13, kGreen);
      for (double x : {29.0, 71.0}) {
        Dot(p, cache, {x, 80}, 15, kRed);
        Dot(p, cache, {x, 112}, 15, kRed);
      }
      break;
    case 8:
      for (double x : {29.0, 71.0}) {
        for (double y : {18.0, 49.5, 81.0, 112.0}) Dot(p, cache, {x, y}, 14.5, kBlue);
      }
      break;
    case 9: {
      const std::array<QColor, 3> row = {kBlue, kRed, kGreen};
      for (int j = 0; j < 3; ++j) {
        for (double x : {19.0, 50.0, 81.0}) Dot(p, cache, {x, 23.0 + 42.0 * j}, 14, row[static_cast<std::size_t>(j)]);
      }
      break;
    }
  }
}

// ---- characters and honours ----

void Characters(QPainter& p, GlyphCache& glyphs, int set, int rank) {
  static const std::array<QString, 9> kNumeral = {"一", "二", "三", "四", "五", "六", "七", "八", "九"};
  const PlacedText numeral =
      FitText(glyphs, Face::Brush, kNumeral[static_cast<std::size_t>(rank - 1)], QRectF(12, 2, 76, 54), Fit::Em);
  PaintText(p, numeral, kInk, 3.5);
  // The same 萬 at the same place on all nine faces of a set.
  DrawLayer(p, glyphs.Keep(QStringLiteral("萬 %1").arg(set), [&] {
    return RenderText(p.worldTransform(), FitText(glyphs, Face::Brush, "萬", QRectF(10, 60, 80, 66), Fit::Tight),
                      kRed, 3);
  }));
}

void Honour(QPainter& p, GlyphCache& glyphs, int n) {
  static const std::array<QString, 6> kWord = {"東", "南", "西", "北", "中", "發"};
  if (n == 6) {
    // The white dragon: an empty face inside a blue frame.
    p.save();
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(kBlue, 7, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.drawRect(QRectF(14, 14, 72, 102));
    p.setPen(QPen(kBlue, 2.5));
    p.drawRect(QRectF(24, 24, 52, 82));
    p.restore();
    return;
  }
  const QColor color = n == 4 ? kRed : n == 5 ? kGreen : kInk;
  const QRectF box = n >= 4 ? QRectF(4, 6, 92, 118) : QRectF(8, 10, 84, 110);
  PaintText(p, FitText(glyphs, Face::Brush, kWord[static_cast<std::size_t>(n)], box, Fit::Tight), color, 4);
}

void FaceContent(QPainter& p, GlyphCache& glyphs, int set, int n) {
  if (n <= 6) Honour(p, glyphs, n);
  else if (n <= 17) Bamboo(p, glyphs, n - 8);
  else if (n <= 26) Characters(p, glyphs, set, n - 17);
  else Dots(p, glyphs, n - 26);
}

// Maps the 100 × 130 design box onto the face rectangle, turned by
// `angle` degrees (90: the top of the face points right).
void DrawFaceInto(QPainter& p, GlyphCache& glyphs, int set, int n, const QRectF& face, double angle) {
  const bool across = std::abs(std::fmod(angle, 180.0)) > 1;
  const double w = across ? face.height() : face.width();
  const double h = across ? face.width() : face.height();
  p.save();
  p.translate(face.center());
  p.rotate(angle);
  p.scale(w / kUnitW, h / kUnitH);
  p.translate(-kUnitW / 2, -kUnitH / 2);
  FaceContent(p, glyphs, set, n);
  p.restore();
}

// ---- bodies ----

QLinearGradient Shade(const QRectF& r, const QColor& hi, const QColor& lo) {
  QLinearGradient g(r.topLeft(), r.bottomRight());
  g.setColorAt(0, hi);
  g.setColorAt(1, lo);
  return g;
}

void Outline(QPainter& p, const QRectF& body, double radius) {
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(kOutline, 1));
  p.drawRoundedRect(body.adjusted(0.5, 0.5, -0.5, -0.5), radius, radius);
}

// A tile lying on the table seen from the own seat: the top surface, then
// its near edge of `edge` pixels showing both layers.
void LyingBody(QPainter& p, const QRectF& body, double edge, double radius, bool faceUp) {
  p.setPen(Qt::NoPen);
  // Lowest layer: the back when face up, the ivory when face down.
  p.setBrush(faceUp ? QBrush(kBackLo) : QBrush(kIvoryEdge.darker(112)));
  p.drawRoundedRect(body, radius, radius);
  p.setBrush(faceUp ? QBrush(kIvoryEdge) : QBrush(kBack));
  p.drawRoundedRect(body.adjusted(0, 0, 0, -edge * 0.45), radius, radius);
  const QRectF top = body.adjusted(0.5, 0.5, -0.5, -edge);
  if (faceUp) {
    p.setBrush(Shade(top, kIvoryHi, kIvoryLo));
  } else {
    p.setBrush(Shade(top, kBackHi, kBack));
  }
  p.drawRoundedRect(top, radius, radius);
  Outline(p, body, radius);
}

double Radius(int w) { return std::max(2.5, w * 0.08); }

QImage LyingFaceBody(int w, int h, double edge) {
  QImage img = NewImage(w, h);
  QPainter p;
  BeginPainter(p, img);
  LyingBody(p, QRectF(0, 0, w, h), edge, Radius(w), true);
  return img;
}

// Where the face is drawn on a lying tile: its top surface, inset.
QRectF LyingFaceArea(int w, int h, double edge) {
  const QRectF top = QRectF(0, 0, w, h).adjusted(0.5, 0.5, -0.5, -edge);
  const double mx = top.width() * 0.07, my = top.height() * 0.07;
  return top.adjusted(mx, my, -mx, -my);
}

QImage LyingBack(int w, int h, double edge) {
  QImage img = NewImage(w, h);
  QPainter p;
  BeginPainter(p, img);
  const QRectF body(0, 0, w, h);
  const double radius = Radius(w);
  LyingBody(p, body, edge, radius, false);
  // The gloss of the lacquered back.
  const QRectF top = body.adjusted(0.5, 0.5, -0.5, -edge);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(255, 255, 255, 45));
  p.drawRoundedRect(top.adjusted(top.width() * 0.12, top.height() * 0.1, -top.width() * 0.45,
                                 -top.height() * 0.55),
                    radius, radius);
  return img;
}

// The own standing hand: the face towards the player, the top of the
// tile (back layer behind, face layer in front) seen above it.
constexpr double kStandingTop = 0.07, kStandingLayer = 0.055;

QImage StandingFaceBody(int w, int h) {
  QImage img = NewImage(w, h);
  QPainter p;
  BeginPainter(p, img);
  const QRectF body(0, 0, w, h);
  const double radius = w * 0.1;
  const double back = h * kStandingTop, layer = h * kStandingLayer;
  p.setPen(Qt::NoPen);
  p.setBrush(Shade(body, kBackHi, kBack));
  p.drawRoundedRect(body, radius, radius);
  p.setBrush(kIvoryEdge);
  p.drawRoundedRect(body.adjusted(0, back, 0, 0), radius, radius);
  const QRectF front = body.adjusted(0.5, back + layer, -0.5, -0.5);
  QLinearGradient g(front.topLeft(), front.bottomLeft());
  g.setColorAt(0, kIvoryHi);
  g.setColorAt(0.8, kIvoryLo);
  g.setColorAt(1, kIvoryEdge);
  p.setBrush(g);
  p.drawRoundedRect(front, radius, radius);
  Outline(p, body, radius);
  return img;
}

QRectF StandingFaceArea(int w, int h) {
  const QRectF front = QRectF(0, 0, w, h).adjusted(0.5, h * (kStandingTop + kStandingLayer), -0.5, -0.5);
  const double mx = front.width() * 0.07, my = front.height() * 0.05;
  return front.adjusted(mx, my, -mx, -my * 1.4);
}

// A standing tile seen from behind: its top (face layer far, back layer
// near) above the coloured back.
QImage StandingBack(int w, int h) {
  QImage img = NewImage(w, h);
  QPainter p;
  BeginPainter(p, img);
  const QRectF body(0, 0, w, h);
  const double radius = w * 0.1;
  const double layer = h * 0.06, back = h * 0.06;
  p.setPen(Qt::NoPen);
  p.setBrush(kIvoryEdge);
  p.drawRoundedRect(body, radius, radius);
  p.setBrush(kBackHi);
  p.drawRoundedRect(body.adjusted(0, layer, 0, 0), radius, radius);
  const QRectF face = body.adjusted(0.5, layer + back, -0.5, -0.5);
  QLinearGradient g(face.topLeft(), face.topRight());
  g.setColorAt(0, kBack.lighter(115));
  g.setColorAt(0.4, kBackHi);
  g.setColorAt(1, kBackLo);
  p.setBrush(g);
  p.drawRoundedRect(face, radius, radius);
  Outline(p, body, radius);
  return img;
}

// A side seat's standing tile seen along the table edge: the face layer
// towards its player, the coloured back towards the middle of the table,
// and the near end of the tile below. `faceLeft`: the player sits left.
QImage SideStanding(int w, int h, bool faceLeft) {
  QImage img = NewImage(w, h);
  QPainter p;
  BeginPainter(p, img);
  const QRectF body(0, 0, w, h);
  const double radius = w * 0.14;
  const double ivory = w * 0.36, end = h * 0.12;
  p.setPen(Qt::NoPen);
  p.setBrush(kBackLo);
  p.drawRoundedRect(body, radius, radius);
  const QRectF top = body.adjusted(0, 0, 0, -end);
  // The back towards the middle, lit from above.
  QLinearGradient g(top.topLeft(), top.topRight());
  g.setColorAt(faceLeft ? 1 : 0, kBackLo);
  g.setColorAt(0.5, kBack);
  g.setColorAt(faceLeft ? 0 : 1, kBackHi);
  p.setBrush(g);
  p.drawRoundedRect(top, radius, radius);
  const QRectF layer = faceLeft ? QRectF(0, 0, ivory, h - end * 0.5) : QRectF(w - ivory, 0, ivory, h - end * 0.5);
  p.setBrush(Shade(layer, kIvoryHi, kIvoryEdge));
  p.drawRoundedRect(layer, radius, radius);
  Outline(p, body, radius);
  return img;
}

}  // namespace

QImage DrawTile(GlyphCache& glyphs, int set, int n) {
  const PictureSize s = PictureSizeOf(201 + 36 * set + n);
  if (n == 7) {
    if (set == 1 || set == 3) return SideStanding(s.w, s.h, set == 1);
    return StandingBack(s.w, s.h);
  }
  if (n == 8) return LyingBack(s.w, s.h, std::round(s.h * 0.22));
  // Each set's faces share one body, painted once; the face turns towards
  // the seat: left seat (1) top to the right, opposite (2) upside down,
  // right seat (3) top to the left.
  constexpr std::array<double, 5> kEdge = {13, 11, 8, 11, 0};
  constexpr std::array<double, 5> kAngle = {0, 90, 180, -90, 0};
  const auto i = static_cast<std::size_t>(set);
  const bool standing = set == kOwnHandFaceSetArt;
  const Layer& body = glyphs.Keep(QStringLiteral("tile body %1").arg(set), [&] {
    return Layer{standing ? StandingFaceBody(s.w, s.h) : LyingFaceBody(s.w, s.h, kEdge[i]), {}};
  });
  QImage img = body.image;
  QPainter p;
  BeginPainter(p, img);
  const QRectF area = standing ? StandingFaceArea(s.w, s.h) : LyingFaceArea(s.w, s.h, kEdge[i]);
  DrawFaceInto(p, glyphs, set, n, area, kAngle[i]);
  return img;
}

}  // namespace vask::art
