#pragma once
// The drawing functions of each kind of picture, one file per kind.
#include <QImage>

#include "platform/qt/art/art_kit.h"

namespace vask::art {

// Tile face n (0..35) of face set s (0..4), at the set's size.
QImage DrawTile(GlyphCache& glyphs, int set, int n);

// Panel, dialog, quick-op, phrase, bank and claim buttons, by picture id.
QImage DrawButton(GlyphCache& glyphs, int id);
// Claim words shown over a bubble.
QImage DrawClaimWord(GlyphCache& glyphs, int id);
// Speech bubbles with their word; transparent around the bubble.
QImage DrawSpeech(GlyphCache& glyphs, int id);
// The empty bubble of a phrase window, its tail towards view 0..3.
QImage DrawSpeakBox(GlyphCache& glyphs, int view);
// The row pictures of the sound settings: "背景音乐", "短语声音", "功能声音", "方言选择".
QImage DrawSoundRow(GlyphCache& glyphs, int row);

// The title band's close and minimise buttons: normal, hover, pressed.
QImage DrawBandButton(int id);

// Large die faces 1..6, the ten tumbling frames and the small faces.
QImage DrawDie(int id);

// Twenty portraits: ten male (0..9), ten female (10..19).
QImage DrawPortrait(int index);

// The compass for own seat index 0..3, the mascot and the level pictures.
QImage DrawCompass(GlyphCache& glyphs, int seat);
QImage DrawMascot(GlyphCache& glyphs, int index);

}  // namespace vask::art
