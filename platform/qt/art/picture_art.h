#pragma once
// The client's own picture set, drawn once with QPainter at start-up: every
// picture id of the tables at its drawn size.
#include <QImage>
#include <unordered_map>

namespace vask {

class PictureArt {
 public:
  // Draws every picture (ARGB32_Premultiplied), at `pixelsPerUnit` pixels
  // per unit of its drawn size (the screen's pixel ratio).
  explicit PictureArt(double pixelsPerUnit = 1);

  // The picture with that id; nullptr for an id without a picture.
  const QImage* Get(int id) const;

 private:
  std::unordered_map<int, QImage> images_;
};

}  // namespace vask
