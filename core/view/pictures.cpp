#include "core/view/pictures.h"

#include "core/client.h"

namespace vask {

void InitPictureTables(PictureTables& t, double layoutScale) {
  for (int i = 0; i < 20; ++i) t.ButtonPics[i] = (layoutScale < 1.0 && i >= 2) ? 379 + i : 101 + i;
  for (int i = 0; i < 3; ++i) t.MascotPics[i] = 123 + i;
  for (int k = 0; k < 180; ++k) t.TileFacePics[k] = 201 + k;
  // The chow button shows the chow faces 141..143 like every other claim
  // button: without them it was an empty, unfindable spot that still worked.
  for (int i = 0; i < 18; ++i) t.OperationPics[i] = 141 + i;
  for (int i = 0; i < 16; ++i) t.DicePics[i] = 161 + i;
  for (int i = 0; i < 8; ++i) t.WordPics[i] = i == 0 ? kNoPictureId : 183 + i;
  for (int i = 0; i < 20; ++i) t.PortraitPics[i] = i < 10 ? 191 + i : 391 + i;
  for (int i = 0; i < 8; ++i) t.DialogButtonPics[i] = 130 + i;
  for (int i = 0; i < 4; ++i) t.CompassPics[i] = 126 + i;
  for (int i = 0; i < 8; ++i) t.QuickOpPics[i] = 430 + i;
  for (int i = 0; i < 12; ++i) t.SpeechPics[i] = i <= 8 ? 420 + i : 440 + (i - 9);
  for (int i = 0; i < 6; ++i) t.DieFacePics[i] = 600 + i;
}

bool PutPicture(Client& c, int id, Control& target) {
  if (!PictureExists(id)) return false;
  target.picture = id;
  ++c.view.revision;
  return true;
}

void ShowTileFace(Client& c, int image, int face) {
  if (image < 0 || image >= static_cast<int>(c.view.MJ_Image.size())) return;
  if (face < 0 || face >= static_cast<int>(c.pics.TileFacePics.size())) return;
  Control& tile = c.view.MJ_Image[image];
  PutPicture(c, c.pics.TileFacePics[face], tile);
  tile.visible = true;
}

}  // namespace vask
