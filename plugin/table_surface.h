#pragma once
// Where the client's table surface lies in its window. The client names it
// on its window (the property "vaskSurface"); a client that does not gets
// the classic place, 8 across and 20 down, scaled with the table.
#include <QRectF>
#include <QVariant>
#include <QWidget>

namespace vask::props {

inline QPointF SurfaceOrigin(const QWidget* table, double scale) {
  if (table) {
    const QVariant named = table->property("vaskSurface");
    if (named.isValid()) return named.toRectF().topLeft();
  }
  return {8 * scale, 20 * scale};
}

}  // namespace vask::props
