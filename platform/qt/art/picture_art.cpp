#include "platform/qt/art/picture_art.h"

#include "core/view/pictures.h"

namespace vask {

PictureArt::PictureArt() {
  for (int id : AllPictureIds()) {
    const PictureSize s = PictureSizeOf(id);
    QImage img(s.w, s.h, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::lightGray);
    images_.emplace(id, std::move(img));
  }
}

const QImage* PictureArt::Get(int id) const {
  auto it = images_.find(id);
  return it == images_.end() ? nullptr : &it->second;
}

}  // namespace vask
