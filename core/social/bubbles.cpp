#include "core/social/bubbles.h"

#include "core/client.h"
#include "core/handlers.h"
#include "core/view/layout.h"

namespace vask {

namespace {

constexpr float kTwipsPerPixel = 15;

struct Placement {
  float left, top;      // twips from the main window's corner, in showMe
  float labelX, labelY; // twips inside the bubble
  float labelW, labelH; // pixels
};
constexpr std::array<Placement, 4> kPlacements = {{
    {1500, 8550, 260, 180, 200, 64},
    {1050, 3000, 570, 350, 180, 60},
    {6150, 1050, 450, 620, 190, 52},
    {11400, 3000, 270, 470, 180, 60},
}};

// Views 0 and 1 park to the left, views 2 and 3 above the window.
bool ParksLeft(int view) { return view <= 1; }

FormWindow& Box(Client& c, int view) { return c.view.SpeakBox[static_cast<std::size_t>(view)]; }
SpeakBoxState& State(Client& c, int view) { return c.bubbles.boxes[static_cast<std::size_t>(view)]; }

// Twips from the main window's corner, as table-surface pixels.
float SurfaceX(const Client& c, float twips) { return Scaled(c.view, twips / kTwipsPerPixel) - c.view.Pic1.x; }
float SurfaceY(const Client& c, float twips) { return Scaled(c.view, twips / kTwipsPerPixel) - c.view.Pic1.y; }

void Park(Client& c, int view, int widths) {
  FormWindow& w = Box(c, view);
  if (ParksLeft(view))
    w.x = -widths * w.w;
  else
    w.y = -widths * w.h;
}

// The fade timer runs while any bubble fades.
void SyncFadeTimer(Client& c) {
  bool any = false;
  for (const SpeakBoxState& s : c.bubbles.boxes) any = any || s.fading;
  EnableTimer(c, TimerId::FadeIn, any);
}

void Changed(Client& c) {
  ++c.view.revision;
  c.platform.ViewChanged();
}

void FadeStep(Client& c, int view) {
  SpeakBoxState& s = State(c, view);
  s.Alpha = static_cast<std::int16_t>(s.Alpha + s.FadeIn);
  if (s.Alpha < s.Perc) SetOpacity(c, view, s.Alpha);
  if (s.Alpha > s.Perc + s.ShowTime) {
    s.Perc = static_cast<std::int16_t>(s.Perc - s.FadeOut);
    if (s.Perc >= 0 && s.Perc <= 255) SetOpacity(c, view, s.Perc);
    if (s.Perc <= 1) {
      s.fading = false;
      Part(Box(c, view), "labPhrase").text.clear();
      Park(c, view, 2);
    }
  }
}

}  // namespace

std::string BubbleTag(int view) { return "speak" + std::to_string(view); }

void SetOpacity(Client& c, int view, int alpha) {
  Box(c, view).opacity = static_cast<std::uint8_t>(std::clamp(alpha, 0, 255));
  Changed(c);
}

void EnsureBubble(Client& c, int view) {
  if (view < 0 || view > 3 || State(c, view).loaded) return;
  SpeakBoxState& s = State(c, view);
  s.loaded = true;
  FormWindow& w = Box(c, view);
  const Placement& p = kPlacements[static_cast<std::size_t>(view)];
  w.text = BubbleTag(view);
  w.picture = kSpeakBoxPic + view;
  w.shaped = true;
  const PictureSize size = WindowPictureSize(w.picture);
  w.w = Scaled(c.view, static_cast<float>(size.w));
  w.h = Scaled(c.view, static_cast<float>(size.h));
  w.opacity = 0;
  w.visible = false;
  ListControl& label = Part(w, "labPhrase");
  label.kind = ControlKind::Label;
  label.text = "  ";
  label.x = Scaled(c.view, p.labelX / kTwipsPerPixel);
  label.y = Scaled(c.view, p.labelY / kTwipsPerPixel);
  label.w = Scaled(c.view, p.labelW);
  label.h = Scaled(c.view, p.labelH);
  label.wordWrap = true;
  label.foreColor = 0x502810;
  label.align = TextAlign::Center;
  label.visible = true;
  // First parked one width (or height) off the window, the other
  // coordinate already at the seat.
  if (ParksLeft(view)) {
    w.y = SurfaceY(c, p.top);
  } else {
    w.x = SurfaceX(c, p.left);
  }
  Park(c, view, 1);
  BringToFront(c.view, w);
  w.visible = true;
  s.fading = true;
  SyncFadeTimer(c);
}

void showMe(Client& c, int seat, const std::string& phrase, int perc, int fadeIn, int fadeOut, int showTime) {
  if (seat < 0 || seat > 3) return;  // only the seats' own windows exist
  FormWindow& w = Box(c, seat);
  const Placement& p = kPlacements[static_cast<std::size_t>(seat)];
  w.x = SurfaceX(c, p.left);
  w.y = SurfaceY(c, p.top);
  SpeakBoxState& s = State(c, seat);
  s.Perc = static_cast<std::int16_t>(perc);
  s.FadeIn = static_cast<std::int16_t>(fadeIn);
  s.FadeOut = static_cast<std::int16_t>(fadeOut);
  s.ShowTime = static_cast<std::int16_t>(showTime);
  Part(w, "labPhrase").text = phrase;
  s.fading = true;
  s.Alpha = 0;
  SyncFadeTimer(c);
  Changed(c);
}

void ShowBubble(Client& c, int view, const std::string& phrase) {
  if (view < 0 || view > 3) return;
  EnsureBubble(c, view);
  Box(c, view).visible = true;
  showMe(c, view, phrase, kPhrasePerc, kPhraseFadeIn, kPhraseFadeOut, kPhraseShowTime);
}

void tmrFadeIn_Timer(Client& c) {
  for (int view = 0; view < 4; ++view)
    if (State(c, view).fading) FadeStep(c, view);
  SyncFadeTimer(c);
}

void CloseBubbles(Client& c) {
  for (int view = 0; view < 4; ++view) {
    if (!State(c, view).loaded) continue;
    State(c, view) = SpeakBoxState{};
    Box(c, view) = FormWindow{};
  }
  SyncFadeTimer(c);
  Changed(c);
}

void BubblesOnMinimize(Client& c) {
  for (int view = 0; view < 4; ++view)
    if (State(c, view).loaded) Box(c, view).visible = false;
  Changed(c);
}

void BubblesOnRestore(Client& c) {
  if (c.table.HandNo < 1) return;
  for (int view = 0; view < 4; ++view) {
    if (!State(c, view).loaded) continue;
    State(c, view).fading = false;
    FormWindow& w = Box(c, view);
    w.opacity = 0;
    w.visible = false;
    BringToFront(c.view, w);
  }
  SyncFadeTimer(c);
  Changed(c);
}

}  // namespace vask
