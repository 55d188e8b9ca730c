#include "platform/qt/window_shape.h"

namespace vask {

QRegion ShapeRegion(const QImage& picture) {
  if (picture.isNull()) return {};
  const QImage img = picture.convertToFormat(QImage::Format_ARGB32);
  const QRgb transparent = img.pixel(0, 0);
  QRegion region;
  for (int y = 0; y < img.height(); ++y) {
    const auto* line = reinterpret_cast<const QRgb*>(img.constScanLine(y));
    int x = 0;
    while (x < img.width()) {
      while (x < img.width() && line[x] == transparent) ++x;
      const int start = x;
      while (x < img.width() && line[x] != transparent) ++x;
      if (x > start) region += QRect(start, y, x - start, 1);
    }
  }
  return region;
}

}  // namespace vask
