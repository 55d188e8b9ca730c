#include "platform/qt/table_window.h"

#include <QPainter>

#include "core/view/view_model.h"

namespace vask {

namespace {
constexpr int kTableWidth = 1040;
constexpr int kTableHeight = 796;
}  // namespace

TableWindow::TableWindow(QWidget* parent) : QWidget(parent) {
  resize(kTableWidth, kTableHeight);
  setAutoFillBackground(false);
}

void TableWindow::paintEvent(QPaintEvent*) {
  QPainter p(this);
  // A green baize until the table's own pictures are drawn.
  QLinearGradient baize(0, 0, 0, height());
  baize.setColorAt(0, QColor(18, 92, 58));
  baize.setColorAt(1, QColor(10, 60, 38));
  p.fillRect(rect(), baize);
  if (!view_) return;
  p.setPen(QColor(255, 244, 200));
  QFont f = font();
  f.setPointSize(12);
  p.setFont(f);
  int y = height() - 60;
  for (const auto& line : view_->Sysmsg[0].items) {
    p.drawText(QRect(20, y, width() - 40, 24), Qt::AlignLeft | Qt::AlignVCenter, QString::fromStdString(line));
    y += 24;
  }
}

}  // namespace vask
