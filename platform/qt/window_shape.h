#pragma once
// Window regions built from a picture: the shape of the speech bubbles.
#include <QImage>
#include <QRegion>

namespace vask {

// Every pixel whose colour differs from that of pixel (0, 0), collected as
// one rectangle per run of such pixels in a row. Pixels inside the shape
// that share the corner's colour are left out too.
QRegion ShapeRegion(const QImage& picture);

}  // namespace vask
