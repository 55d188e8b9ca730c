#pragma once
// Picture ids by purpose: the rest of the client asks for "button picture 5"
// or "tile face 43", never for raw ids.
#include <array>

namespace vask {

struct Client;
struct Control;

// An entry naming no picture.
inline constexpr int kNoPictureId = 1500;

struct PictureTables {
  std::array<int, 20> ButtonPics{};
  std::array<int, 3> MascotPics{};
  std::array<int, 180> TileFacePics{};
  std::array<int, 18> OperationPics{};
  std::array<int, 16> DicePics{};
  std::array<int, 8> WordPics{};
  std::array<int, 20> PortraitPics{};
  std::array<int, 8> DialogButtonPics{};
  std::array<int, 4> CompassPics{};
  std::array<int, 8> QuickOpPics{};
  std::array<int, 12> SpeechPics{};
  std::array<int, 6> DieFacePics{};
};

// Fixed ids outside the tables.
inline constexpr int kPhrase1Pic = 500;  // 500/501 "短语1", normal and hover
inline constexpr int kPhrase2Pic = 502;  // 502/503 "短语2"
inline constexpr int kBankPic = 550;     // 550/551 "仓库"

// Fills the tables; small screens (LayoutScale below 1) get the small buttons.
void InitPictureTables(PictureTables& t, double layoutScale);

struct PictureSize {
  int w = 0;
  int h = 0;
};
// True for every id the client's picture set holds.
bool PictureExists(int id);
// The drawn size of a picture; {0, 0} when it does not exist.
PictureSize PictureSizeOf(int id);
// Every existing id, ascending.
const std::array<int, 327>& AllPictureIds();

// Pictures that belong to floating windows rather than to the numbered set.
inline constexpr int kSpeakBoxPic = 700;  // 700..703: the speech bubble of view 0..3
inline constexpr int kSoundRowPic = 710;  // 710..713: the rows of the sound settings
// The title band's buttons: normal, hover and pressed faces.
inline constexpr int kClosePic = 720;     // 720..722
inline constexpr int kMinimizePic = 723;  // 723..725
const std::array<int, 14>& WindowPictureIds();
// The drawn size of a window picture; {0, 0} for any other id.
PictureSize WindowPictureSize(int id);

// Gives the control the picture; false (control unchanged) for an id
// without a picture.
bool PutPicture(Client& c, int id, Control& target);
// PutPicture(TileFacePics(face), MJ_Image(image)) and shows the image.
void ShowTileFace(Client& c, int image, int face);

}  // namespace vask
