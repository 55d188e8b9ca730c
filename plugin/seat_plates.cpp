#include "plugin/seat_plates.h"

#include <QPainter>
#include <QPainterPath>


namespace vask::props {

namespace {

constexpr double kSmallScale = 0.78125;
// The portraits' places on the table surface (left, top, width, height),
// and where the surface lies in the client's window.
constexpr std::array<std::array<int, 4>, 4> kPlates{{{10, 668, 85, 90}, {7, 15, 70, 62}, {350, 15, 70, 62}, {693, 15, 70, 62}}};
constexpr int kSurfaceLeft = 8, kSurfaceTop = 20;

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
  setGeometry(static_cast<int>((kSurfaceLeft + r[0]) * s), static_cast<int>((kSurfaceTop + r[1]) * s),
              static_cast<int>(r[2] * s), static_cast<int>(r[3] * s));
}

void SeatPlate::paintEvent(QPaintEvent*) {
  const SeatInfo& seat = model_.seats[static_cast<std::size_t>(view_)];
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  const QRectF r = QRectF(rect()).adjusted(1, 1, -1, -1);
  QLinearGradient face(r.topLeft(), r.bottomRight());
  face.setColorAt(0, seat.male ? QColor(90, 140, 200) : QColor(220, 120, 150));
  face.setColorAt(1, seat.male ? QColor(30, 60, 110) : QColor(130, 50, 80));
  p.setPen(QPen(QColor(214, 186, 110), 1.5));
  p.setBrush(face);
  p.drawRoundedRect(r, 8, 8);

  const QString nick = QString::fromStdString(seat.nick);
  QFont big(QStringLiteral("WenQuanYi Zen Hei"));
  big.setPixelSize(static_cast<int>(r.height() * 0.42));
  big.setBold(true);
  p.setFont(big);
  p.setPen(QColor(255, 248, 230));
  p.drawText(r.adjusted(0, 0, 0, -r.height() * 0.28), Qt::AlignCenter, nick.left(1).toUpper());

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
