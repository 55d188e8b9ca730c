#pragma once
// The view model: every named control of the main window with its place,
// picture, text and state. Handlers change it; the platform draws it.
//
// Positions are pixels of the table surface `Pic1` (origin at its top-left
// corner) and already multiplied by LayoutScale. Stacking order is a number
// per control: higher is in front. BringToFront/SendToBack keep the relative
// order of everything else, as the window system's z-order would.
#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace vask {

inline constexpr int kNoPicture = 0;

// Colours are 0xRRGGBB.
inline constexpr std::uint32_t kGreen = 0x00FF00;  // the countdown's 65280
inline constexpr std::uint32_t kRed = 0xFF0000;    // the countdown's 255
inline constexpr std::uint32_t kWhite = 0xFFFFFF;

enum class ControlKind : std::uint8_t {
  Picture,  // shows its picture stretched to its size (images, picture boxes, buttons)
  Label,    // text, transparent background
  List,     // lines of text (ListControl)
  TextBox,  // single-line input
  Browser,  // an embedded web pane (drawn as a frame)
};

enum class TextAlign : std::uint8_t { Left, Center, Right };

struct Control {
  ControlKind kind = ControlKind::Picture;
  float x = 0, y = 0, w = 0, h = 0;
  int picture = kNoPicture;  // picture id, 0 for none
  std::string text;
  std::string tooltip;
  bool visible = false;
  bool enabled = true;
  std::int64_t z = 0;  // stacking order: higher is in front
  std::uint32_t foreColor = 0x000000;
  std::uint32_t backColor = 0x000000;
  bool backOpaque = false;  // fill the background with backColor
  float fontSize = 0;       // points; 0 = the window's font
  bool bold = false;
  TextAlign align = TextAlign::Left;
  int mousePointer = 0;  // 0 the default pointer, kHandPointer over a tile that can be played
  bool wordWrap = false;  // labels: break the text into lines at its width
};

inline constexpr int kHandPointer = 99;

// A list control: lines of text, the newest appended at the end.
struct ListControl : Control {
  ListControl() { kind = ControlKind::List; }
  std::vector<std::string> items;
  float lineHeight = 0;  // 0: one line fills the control
  int topRow = 0;        // the first line shown
  int selected = -1;     // the selected line, −1 none
  // A floating window's part: its name and array index (see Part).
  std::string name;
  int index = -1;
};

// A floating window (chat history, quick phrases, score, record, player
// card, sound settings, leave and reconnect dialogs): drawn above the table
// with a constant opacity, placed relative to the table surface, hidden
// rather than destroyed. Its parts are placed relative to the window.
// Its parts' fonts, and its caption's, are design points: they are drawn
// times LayoutScale, so that a window's text keeps to its columns on a small
// screen.
struct FormWindow : Control {
  std::uint8_t opacity = 200;  // of 255
  // Shaped by its picture: only the pixels whose colour differs from that
  // of pixel (0, 0) belong to the window (the speech bubbles).
  bool shaped = false;
  std::vector<ListControl> parts;
};

// The whole lines a list shows, and the line under a point `y` of the
// list's container (−1 off its lines).
int VisibleRows(const ListControl& list);
int ListRowAt(const ListControl& list, float y);

// The part of a window by name and index, created hidden on first use.
ListControl& Part(FormWindow& w, std::string_view name, int index = -1);
const ListControl* FindPart(const FormWindow& w, std::string_view name, int index = -1);

// The arc a side seat's last hand tile follows into the gap of a discard.
struct AnimRec {
  std::int16_t fromX = 0, fromY = 0, toX = 0, toY = 0;
  std::int16_t span = 0, height = 0;
  float curvature = 0;
  double x = 0, y = 0;
};

// The rivers, the wall opening and the blinking of the latest discard.
struct RiverState {
  std::int16_t LastDiscardX = 0, LastDiscardY = 0;
  std::array<std::int16_t, 25> RightRiverImgs{};
  std::int16_t RightRiverCount = 0;
  bool FromHand = false;
  bool WallOpened = false;
  // The last discard has been laid in its river: a second delivery (a
  // repeated draw frame) must not lay it again.
  bool DiscardSettled = false;
  std::array<AnimRec, 4> AnimRecs{};
  // Blinking of the latest discard: remaining steps (−1 none), the image
  // blinking now and the one that blinked before.
  std::int16_t DiscardBlinks = -1;
  std::int16_t BlinkImg = -1;
  std::int16_t BlinkPrevImg = -1;
};

struct ViewModel {
  ViewModel();

  std::string Caption;
  // 1.0, or 0.78125 on screens smaller than 1024 × 768; fixed at start-up.
  float LayoutScale = 1.0f;
  // Size of the next tile drawn per view, and the step of the seat cursors.
  std::array<std::int16_t, 4> TileW{};
  std::array<std::int16_t, 4> TileH{};

  // The window background and the table surface. Pic1's x/y are its place
  // in the window (window pixels); every other control is on the surface,
  // except the title band's below.
  Control Pic2;
  Control Pic1;

  // The window's own title band, in window pixels and drawn above
  // everything: the close and minimise buttons (element 0 is the one shown;
  // 1, 2 and 3 hold its normal, hover and pressed faces) and the strip that
  // drags the window.
  std::array<Control, 4> ImgClose{};
  std::array<Control, 4> ImgMin{};
  Control LbMove;

  std::array<Control, 136> MJ_Image{};  // one per physical tile
  std::array<Control, 16> SZ_Image{};   // hidden dice pictures
  std::array<Control, 2> Sai_Image{};   // the two large dice
  std::array<Control, 4> Tou{};         // portraits, by view position
  std::array<Control, 4> Nid{};
  std::array<Control, 4> Cash{};
  std::array<Control, 4> Level{};
  std::array<Control, 4> OK{};          // ready markers
  std::array<Control, 9> AnNiu{};       // table buttons
  std::array<Control, 5> Operation{};   // claim buttons
  std::array<Control, 6> Speak{};       // speech pictures
  std::array<Control, 3> operZ{};       // pull and sit buttons
  std::array<Control, 6> Chi{};         // chow choices
  std::array<Control, 5> Gang{};        // kong choices
  Control Vask;                         // the wildcard panel
  Control VaskP_Image;
  std::array<Control, 2> Vask_Image{};
  Control imgZeph;                      // "all winds are wildcards"
  std::array<ListControl, 2> Sysmsg{};  // the two system message lines
  ListControl ChatList1;                // the first chat line list
  std::array<Control, 2> imgsezi{};     // dice-bonus die faces
  std::array<Control, 3> lbfont{};      // rule captions
  Control Words;                        // claim word
  Control Bank, Location, imgword1, imgword2, imgLocation;
  Control ZhiNan;                       // compass
  Control Host, Zhuang;                 // dealer plate and wind label
  Control Time_Img, Number;             // the turn clock
  Control Lbchat, Chat;
  Control Bird, WebBrowser1, WebBrowser2;
  Control imgBeishu, lblDifen, Imgwealth, lbwealth;
  Control ImgShuffle, LblShuffle;
  Control LbProp;
  // The prop plug-in's chest images: element 0 exists with the window, the
  // others are made when the plug-in loads.
  std::vector<Control> ImgProp{Control{}};
  // Pictures the prop plug-in supplies, as the bytes of an image file, by
  // the picture id controls show them under.
  std::map<int, std::string> PluginPictures;

  // Floating windows.
  FormWindow Talk;         // chat history
  FormWindow huifu;        // quick phrases
  FormWindow Information;  // player card
  FormWindow Score;        // "战绩板": the settlement of a hand
  FormWindow Hero;         // "英雄榜": every hand of the visit
  FormWindow frmExit;       // the leave dialog
  FormWindow frmOtherExit;  // the notice that others left
  FormWindow frmReconnect;  // the reconnect dialog
  FormWindow VosSet;       // sound settings
  // The speech bubbles frmSpeakBox, by view position; always on top.
  std::array<FormWindow, 4> SpeakBox{};
  // Raised each time the chat box is to take the input focus.
  std::uint32_t ChatFocusSerial = 0;

  RiverState rivers;

  // Raised whenever something changed since the platform last drew.
  std::uint64_t revision = 0;

  // Stacking order bounds handed out so far.
  std::int64_t zFront = 0;
  std::int64_t zBack = 0;
};

// Stacking order operations.
void BringToFront(ViewModel& v, Control& c);
void SendToBack(ViewModel& v, Control& c);

// One control of the main window: its name, its array index (−1 for a
// single control) and the control.
struct ControlRef {
  const char* name;
  int index;
  const Control* control;
};

// Every control of the main window except Pic1 and Pic2, in declaration
// order.
void ForEachControl(const ViewModel& v, const std::function<void(const char*, int, const Control&)>& f);
void ForEachControl(ViewModel& v, const std::function<void(const char*, int, Control&)>& f);
// The visible controls of the table surface, back to front (ties keep
// declaration order).
std::vector<ControlRef> StackingOrder(const ViewModel& v);
// The floating windows with their names.
void ForEachWindow(const ViewModel& v, const std::function<void(const char*, const FormWindow&)>& f);
// Looks a control up by name and index (nullptr when there is none).
const Control* FindControl(const ViewModel& v, const std::string& name, int index = -1);

}  // namespace vask
