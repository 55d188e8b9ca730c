#include "platform/qt/art/picture_art.h"

#include "core/view/pictures.h"
#include "platform/qt/art/art_parts.h"

namespace vask {

namespace {

QImage Draw(art::GlyphCache& glyphs, int id) {
  if (id >= 201 && id <= 380) return art::DrawTile(glyphs, (id - 201) / 36, (id - 201) % 36);
  if (id >= 123 && id <= 125) return art::DrawMascot(glyphs, id - 123);
  if (id >= 126 && id <= 129) return art::DrawCompass(glyphs, id - 126);
  if ((id >= 161 && id <= 176) || (id >= 600 && id <= 605)) return art::DrawDie(id);
  if (id >= 183 && id <= 190) return art::DrawClaimWord(glyphs, id);
  if (id >= 191 && id <= 200) return art::DrawPortrait(id - 191);
  if (id >= 401 && id <= 410) return art::DrawPortrait(id - 391);
  if ((id >= 420 && id <= 428) || (id >= 440 && id <= 442)) return art::DrawSpeech(glyphs, id);
  return art::DrawButton(glyphs, id);
}

}  // namespace

PictureArt::PictureArt(double pixelsPerUnit) {
  art::DrawingResolution resolution(pixelsPerUnit);
  art::GlyphCache glyphs;
  images_.reserve(AllPictureIds().size());
  for (int id : AllPictureIds()) images_.emplace(id, Draw(glyphs, id));
  for (int id : WindowPictureIds())
    images_.emplace(id, id < kSoundRowPic ? art::DrawSpeakBox(glyphs, id - kSpeakBoxPic)
                        : id < kClosePic  ? art::DrawSoundRow(glyphs, id - kSoundRowPic)
                                          : art::DrawBandButton(id));
}

const QImage* PictureArt::Get(int id) const {
  auto it = images_.find(id);
  return it == images_.end() ? nullptr : &it->second;
}

}  // namespace vask
