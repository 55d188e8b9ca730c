// The speech bubbles' shape: the pixels whose colour differs from that of
// the picture's corner, one rectangle per run in a row.
#include <gtest/gtest.h>

#include "platform/qt/window_shape.h"

namespace vask {
namespace {

TEST(ShapeRegion, KeepsThePixelsThatDifferFromTheCornerColour) {
  // A 6 × 3 picture on magenta: a white bubble whose middle row has a
  // magenta pixel inside it.
  const QRgb key = qRgb(255, 0, 255), ink = qRgb(255, 255, 255);
  const char* rows[] = {"..##..", ".####.", ".#.##."};
  QImage img(6, 3, QImage::Format_RGB32);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 6; ++x) img.setPixel(x, y, rows[y][x] == '#' ? ink : key);
  const QRegion shape = ShapeRegion(img);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 6; ++x) EXPECT_EQ(shape.contains(QPoint(x, y)), rows[y][x] == '#') << x << "," << y;
  // The inner pixel of the corner's colour splits its row in two runs.
  EXPECT_EQ(shape.rectCount(), 4);
  EXPECT_TRUE(ShapeRegion(QImage()).isEmpty());
}

}  // namespace
}  // namespace vask
