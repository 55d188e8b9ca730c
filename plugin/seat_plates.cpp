#include "plugin/seat_plates.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>

#include "platform/qt/art/art_parts.h"
#include "plugin/table_surface.h"

namespace vask::props {

namespace {

constexpr double kSmallScale = 0.78125;
// The portraits' places on the table surface (left, top, width, height),
// and where the surface lies in the client's window.
constexpr std::array<std::array<int, 4>, 4> kPlates{{{10, 668, 85, 90}, {7, 15, 70, 62}, {350, 15, 70, 62}, {693, 15, 70, 62}}};

// One short mark per prop for its badge.
constexpr std::array<const char*, kPropKinds> kBadges{"钥", "倍", "喇"};
const std::array<QColor, kPropKinds> kBadgeColours{QColor(230, 180, 40), QColor(210, 60, 50), QColor(60, 150, 220)};

}  // namespace

SeatPlate::SeatPlate(const PropModel& model, int view, QWidget* table) : QWidget(table), model_(model), view_(view) {
  setAttribute(Qt::WA_TransparentForMouseEvents);
  Place();
  hide();
}

void SeatPlate::Place() {
  const double s = model_.layout == 2 ? kSmallScale : 1.0;
  const auto& r = kPlates[static_cast<std::size_t>(view_)];
  const QPointF surface = SurfaceOrigin(parentWidget(), s);
  setGeometry(static_cast<int>(surface.x() + r[0] * s), static_cast<int>(surface.y() + r[1] * s),
              static_cast<int>(r[2] * s), static_cast<int>(r[3] * s));
}

void SeatPlate::paintEvent(QPaintEvent*) {
  const SeatInfo& seat = model_.seats[static_cast<std::size_t>(view_)];
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::SmoothPixmapTransform);
  const QRectF r = QRectF(rect()).adjusted(1, 1, -1, -1);
  // The gilt frame, and the portrait inside it.
  QLinearGradient gilt(r.topLeft(), r.bottomRight());
  gilt.setColorAt(0, QColor(255, 230, 150));
  gilt.setColorAt(0.5, QColor(190, 140, 50));
  gilt.setColorAt(1, QColor(120, 80, 20));
  p.setPen(QPen(QColor(70, 40, 10), 1));
  p.setBrush(gilt);
  p.drawRoundedRect(r, 7, 7);
  const double rim = std::max(2.0, r.width() * 0.06);
  const QRectF inner = r.adjusted(rim, rim, -rim, -rim);
  const qreal dpr = devicePixelRatioF();
  const QSize pixels(static_cast<int>(inner.width() * dpr), static_cast<int>(inner.height() * dpr));
  if (faceIndex_ != seat.portrait || face_.size() != pixels) {
    faceIndex_ = seat.portrait;
    const art::DrawingResolution resolution(dpr * inner.width() / 85);
    face_ = art::DrawPortrait(std::clamp(seat.portrait, 0, 19))
                .scaled(pixels, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
  }
  QPainterPath clip;
  clip.addRoundedRect(inner, 4, 4);
  p.save();
  p.setClipPath(clip);
  p.drawImage(inner, face_);
  p.restore();
  p.setPen(QPen(QColor(255, 244, 200, 160), 1));
  p.setBrush(Qt::NoBrush);
  p.drawRoundedRect(inner, 4, 4);

  QFont small(QStringLiteral("WenQuanYi Zen Hei"));
  const qreal badge = r.height() * 0.26;
  small.setPixelSize(static_cast<int>(badge * 0.7));
  p.setFont(small);
  qreal x = r.left() + 4;
  for (int k = 0; k < kPropKinds; ++k) {
    if (!seat.using_[static_cast<std::size_t>(k)]) continue;
    const QRectF b(x, r.bottom() - badge - 3, badge, badge);
    p.setPen(Qt::NoPen);
    p.setBrush(kBadgeColours[static_cast<std::size_t>(k)]);
    p.drawEllipse(b);
    p.setPen(Qt::white);
    p.drawText(b, Qt::AlignCenter, kBadges[static_cast<std::size_t>(k)]);
    x += badge + 2;
  }
}

SeatPlates::SeatPlates(const PropModel& model, QWidget* table) : model_(model) {
  for (int v = 0; v < 4; ++v) plates_[static_cast<std::size_t>(v)] = new SeatPlate(model, v, table);
}

SeatPlates::~SeatPlates() {
  for (const QPointer<SeatPlate>& plate : plates_) delete plate.data();
}

void SeatPlates::Refresh() {
  for (int v = 0; v < 4; ++v) {
    SeatPlate* plate = plates_[static_cast<std::size_t>(v)];
    if (!plate) continue;
    plate->setVisible(model_.seats[static_cast<std::size_t>(v)].present);
    plate->update();
  }
}

void SeatPlates::Place() {
  for (const QPointer<SeatPlate>& plate : plates_)
    if (plate) plate->Place();
}

}  // namespace vask::props
