#pragma once
// Speech bubbles: one shaped, fading window per seat (frmSpeakBox) that
// shows a received quick phrase beside the speaker.
#include <array>
#include <cstdint>
#include <string>

namespace vask {

struct Client;

// The fade clock asks for 1 ms; the platform timers of the day gave about
// 16, which is the speed the fade was made to be seen at.
inline constexpr int kFadeTickMs = 16;

// showMe's parameters for a phrase.
inline constexpr int kPhrasePerc = 210;
inline constexpr int kPhraseFadeIn = 8;
inline constexpr int kPhraseFadeOut = 4;
inline constexpr int kPhraseShowTime = 2000;

struct SpeakBoxState {
  bool loaded = false;  // the window exists (created at the seat's first phrase)
  bool fading = false;  // its tmrFadeIn runs
  std::int16_t Alpha = 0;
  std::int16_t Perc = 0;
  std::int16_t FadeIn = 0, FadeOut = 0, ShowTime = 0;
};

struct BubbleState {
  std::array<SpeakBoxState, 4> boxes{};
};

// "speak" + view: the window's tag.
std::string BubbleTag(int view);

// EnsureBubble, then shows the phrase in the seat's bubble.
void ShowBubble(Client& c, int view, const std::string& phrase);
void EnsureBubble(Client& c, int view);
void showMe(Client& c, int seat, const std::string& phrase, int perc, int fadeIn, int fadeOut, int showTime);
void SetOpacity(Client& c, int view, int alpha);
// One tick of every running bubble fade.
void tmrFadeIn_Timer(Client& c);

// The table reset: every bubble window closed; a later phrase opens its
// seat's window anew.
void CloseBubbles(Client& c);

// The main window minimised: every bubble hidden. Restored: once a hand has
// started, every bubble stopped, transparent, hidden and top-most again.
void BubblesOnMinimize(Client& c);
void BubblesOnRestore(Client& c);

}  // namespace vask
