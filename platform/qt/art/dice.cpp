// Dice: six faces, ten tumbling frames, six small faces.
#include <QLinearGradient>
#include <QPolygonF>
#include <QRadialGradient>
#include <QTransform>
#include <array>
#include <cmath>

#include "core/view/pictures.h"
#include "platform/qt/art/art_parts.h"

namespace vask::art {
namespace {

const QColor kPipRed(206, 20, 28);
const QColor kPipBlack(24, 24, 40);

// Pips of a face on the unit square; the one and the four are red.
void Pips(QPainter& p, int value) {
  static const std::array<std::array<QPointF, 6>, 6> kAt = {{
      {{{0.5, 0.5}}},
      {{{0.27, 0.27}, {0.73, 0.73}}},
      {{{0.25, 0.25}, {0.5, 0.5}, {0.75, 0.75}}},
      {{{0.27, 0.27}, {0.73, 0.27}, {0.27, 0.73}, {0.73, 0.73}}},
      {{{0.25, 0.25}, {0.75, 0.25}, {0.5, 0.5}, {0.25, 0.75}, {0.75, 0.75}}},
      {{{0.28, 0.22}, {0.72, 0.22}, {0.28, 0.5}, {0.72, 0.5}, {0.28, 0.78}, {0.72, 0.78}}},
  }};
  const double r = value == 1 ? 0.17 : 0.095;
  const QColor c = (value == 1 || value == 4) ? kPipRed : kPipBlack;
  p.save();
  p.setPen(Qt::NoPen);
  for (int i = 0; i < value; ++i) {
    const QPointF at = kAt[static_cast<std::size_t>(value - 1)][static_cast<std::size_t>(i)];
    QRadialGradient g(at + QPointF(r * 0.3, r * 0.3), r * 1.4);
    g.setColorAt(0, c.lighter(140));
    g.setColorAt(1, c.darker(130));
    p.setBrush(g);
    p.drawEllipse(at, r, r);
  }
  p.restore();
}

// A die resting on the table, seen from above: the top face and its near side.
QImage RestingDie(int w, int h, int value) {
  QImage img = NewImage(w, h);
  QPainter p;
  BeginPainter(p, img);
  const double side = h * 0.14;
  const QRectF body(1, 1, w - 2, h - 2);
  const double radius = w * 0.18;
  p.setPen(QPen(QColor(90, 80, 70), 1));
  p.setBrush(QColor(200, 192, 180));
  p.drawRoundedRect(body, radius, radius);
  const QRectF top(1, 1, w - 2, h - 2 - side);
  QRadialGradient g(top.topLeft() + QPointF(w * 0.3, h * 0.25), w);
  g.setColorAt(0, Qt::white);
  g.setColorAt(1, QColor(226, 222, 214));
  p.setPen(Qt::NoPen);
  p.setBrush(g);
  p.drawRoundedRect(top, radius, radius);
  p.save();
  p.translate(top.topLeft());
  p.scale(top.width(), top.height());
  Pips(p, value);
  p.restore();
  return img;
}

struct Vec {
  double x, y, z;
};

Vec Rotate(Vec v, double ax, double ay, double az) {
  const double cx = std::cos(ax), sx = std::sin(ax), cy = std::cos(ay), sy = std::sin(ay), cz = std::cos(az),
               sz = std::sin(az);
  v = {v.x, v.y * cx - v.z * sx, v.y * sx + v.z * cx};
  v = {v.x * cy + v.z * sy, v.y, -v.x * sy + v.z * cy};
  return {v.x * cz - v.y * sz, v.x * sz + v.y * cz, v.z};
}

// One frame of the roll: the cube turned in the air, its three nearest
// faces shaded by how they face the light.
QImage TumblingDie(int w, int h, int frame) {
  QImage img = NewImage(w, h);
  QPainter p;
  BeginPainter(p, img);
  // Fixed angles per frame: the roll looks random, the pictures do not change.
  const double ax = 0.5 + frame * 0.83, ay = 0.3 + frame * 1.37, az = frame * 0.61;
  const double scale = std::min(w, h) / 3.6;
  const QPointF centre(w / 2.0, h / 2.0 - 2);
  // The shadow on the table.
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0, 0, 0, 60));
  p.drawEllipse(QPointF(w / 2.0, h - 6.0), w * 0.32, 4.5);
  struct FaceDef {
    Vec normal, u, v;
    int value;
  };
  // Opposite faces add up to seven.
  const std::array<FaceDef, 6> faces = {{
      {{0, 0, 1}, {1, 0, 0}, {0, 1, 0}, 1},
      {{0, 0, -1}, {-1, 0, 0}, {0, 1, 0}, 6},
      {{1, 0, 0}, {0, 0, -1}, {0, 1, 0}, 3},
      {{-1, 0, 0}, {0, 0, 1}, {0, 1, 0}, 4},
      {{0, 1, 0}, {1, 0, 0}, {0, 0, -1}, 2},
      {{0, -1, 0}, {1, 0, 0}, {0, 0, 1}, 5},
  }};
  for (const FaceDef& f : faces) {
    const Vec n = Rotate(f.normal, ax, ay, az);
    if (n.z <= 0.02) continue;  // turned away from the viewer
    auto corner = [&](double a, double b) {
      const Vec c = Rotate({f.normal.x + a * f.u.x + b * f.v.x, f.normal.y + a * f.u.y + b * f.v.y,
                            f.normal.z + a * f.u.z + b * f.v.z},
                           ax, ay, az);
      return centre + QPointF(c.x, c.y) * scale;
    };
    const QPolygonF quad({corner(-1, -1), corner(1, -1), corner(1, 1), corner(-1, 1)});
    const double light = 0.55 + 0.45 * std::max(0.0, n.z * 0.8 - n.y * 0.3 - n.x * 0.2);
    const int shade = static_cast<int>(255 * std::min(1.0, light));
    p.setPen(QPen(QColor(110, 100, 90), 0.8));
    p.setBrush(QColor(shade, shade, std::max(0, shade - 10)));
    p.drawPolygon(quad);
    QTransform t;
    if (QTransform::squareToQuad(quad, t)) {
      p.save();
      p.setTransform(t, true);
      Pips(p, f.value);
      p.restore();
    }
  }
  return img;
}

// The small faces of the dice-doubling badge: flat and plain.
QImage SmallDie(int value) {
  const PictureSize s = PictureSizeOf(600 + value - 1);
  QImage img = NewImage(s.w, s.h);
  QPainter p;
  BeginPainter(p, img);
  p.setPen(QPen(QColor(90, 80, 70), 1));
  p.setBrush(QColor(250, 248, 242));
  p.drawRoundedRect(QRectF(0.5, 0.5, s.w - 1, s.h - 1), 4, 4);
  p.translate(1.5, 1.5);
  p.scale(s.w - 3, s.h - 3);
  Pips(p, value);
  return img;
}

}  // namespace

QImage DrawDie(int id) {
  if (id >= 600 && id <= 605) return SmallDie(id - 599);
  const PictureSize s = PictureSizeOf(id);
  const int i = id - 161;
  if (i < 6) return RestingDie(s.w, s.h, i + 1);
  return TumblingDie(s.w, s.h, i - 6);
}

}  // namespace vask::art
