#include "plugin/chest_glow.h"

#include <QPainter>
#include <QRadialGradient>
#include <algorithm>
#include <cmath>

#include "plugin/chest_art.h"
#include "plugin/table_surface.h"

namespace vask::props {

namespace {

constexpr double kSmallScale = 0.78125;
// The table surface lies at (8, 20) of the client's window.
constexpr int kFrameMs = 40;
constexpr int kRays = 12;
// The ring of light around the chest, as a multiple of its size.
constexpr double kRing = 1.7;

}  // namespace

ChestGlow::ChestGlow(QWidget* table, int x, int y, int w, int h, int layout)
    : QWidget(table), x_(x), y_(y), w_(w), h_(h), layout_(layout) {
  setObjectName("chestGlow");
  setAttribute(Qt::WA_TransparentForMouseEvents);
  const std::string png = ChestPicture(true, w, h);
  chest_ = QImage::fromData(QByteArray::fromStdString(png));
  timer_.setInterval(kFrameMs);
  QObject::connect(&timer_, &QTimer::timeout, this, [this] {
    ++phase_;
    update();
  });
  Place();
  hide();
}

void ChestGlow::Place() {
  const double s = layout_ == 2 ? kSmallScale : 1.0;
  const int side = static_cast<int>(std::max(w_, h_) * kRing);
  // x_, y_, w_ and h_ are already the client's units; only the surface's
  // place in the window scales.
  const QPointF surface = SurfaceOrigin(parentWidget(), s);
  setGeometry(static_cast<int>(surface.x()) + x_ - side / 2, static_cast<int>(surface.y()) + y_ - side / 2, side, side);
}

void ChestGlow::Start() {
  phase_ = 0;
  Place();
  show();
  raise();
  timer_.start();
}

void ChestGlow::Stop() {
  timer_.stop();
  hide();
}

void ChestGlow::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  const QPointF c = QRectF(rect()).center();
  const double r = width() / 2.0;
  QRadialGradient glow(c, r);
  glow.setColorAt(0, QColor(255, 240, 160, 200));
  glow.setColorAt(0.55, QColor(255, 210, 80, 90));
  glow.setColorAt(1, QColor(255, 200, 60, 0));
  p.setPen(Qt::NoPen);
  p.setBrush(glow);
  p.drawEllipse(c, r, r);
  // Rays turning slowly round the chest.
  p.save();
  p.translate(c);
  p.rotate(phase_ * 3.0);
  p.setBrush(QColor(255, 236, 150, 110));
  for (int k = 0; k < kRays; ++k) {
    p.rotate(360.0 / kRays);
    const QPointF ray[3] = {QPointF(0, 0), QPointF(-r * 0.09, -r), QPointF(r * 0.09, -r)};
    p.drawPolygon(ray, 3);
  }
  p.restore();
  // The chest rises a little and settles, as its lid springs open.
  const double lift = std::abs(std::sin(phase_ * 0.25)) * h_ * 0.08;
  p.drawImage(QPointF(c.x() - chest_.width() / 2.0, c.y() - chest_.height() / 2.0 - lift), chest_);
}

}  // namespace vask::props
