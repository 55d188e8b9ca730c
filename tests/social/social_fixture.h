#pragma once
// A seated table for the chat, phrase, bubble and sound tests: the own
// player "阿明" at mask 1, the others at views 1 (mask 8), 2 (4), 3 (2).
#include <string>

#include "core/client.h"
#include "core/connection/gbk.h"
#include "core/social/social_input.h"
#include "core/view/layout.h"
#include "platform/fake/scripted_hand.h"
#include "support/client_fixture.h"
#include "support/table_frames.h"

namespace vask::test {

inline constexpr std::array<const char*, 4> kNicks = {"阿明", "老李", "小红", "大刘"};
inline constexpr std::array<std::uint8_t, 4> kMasks = {1, 8, 4, 2};  // by view

// The text of a command-19 frame the client sent.
inline std::string SentText(const Frame& f) { return UnpackChatText(f); }

inline std::int16_t SentValue(const Frame& f, int i) {
  return static_cast<std::int16_t>(f[frame_offset::kValues + 2 * i] << 8 | f[frame_offset::kValues + 2 * i + 1]);
}

// Voices as a complete table assigns them: view v speaks with the second
// code 10·(v + 1); views 0 and 2 are men, 1 and 3 women.
inline void GiveTestVoices(Client& c) {
  for (int v = 0; v < 4; ++v) {
    PlayerRecord& p = c.players.PlayerInfo[static_cast<std::size_t>(v)];
    p.Sex = v % 2 == 0 ? 1 : 0;
    p.VoiceCodeA = "27";
    p.VoiceCodeB = std::to_string(10 * (v + 1));
    p.VoiceKind = p.Sex != 0 ? 3 : 2;
  }
}

class SocialTest : public ClientTest {
 protected:
  SocialTest() {
    SeatFourPlayers(client);
    GiveTestVoices(client);
    for (int v = 0; v < 4; ++v) client.players.PlayerInfo[v].Nick = kNicks[v];
    client.conn.bTableLive = true;
    InitPictureTables(client.pics, 1.0);
    InitLayout(client);
    SetUpSocialWindows(client);
    for (int v = 1; v < 4; ++v) client.view.Tou[v].visible = true;
  }

  // The user's hand on the chat box: a key (caret where the core has it)
  // and the box's text after an edit.
  void ChatKey(int key) {
    InputEvent e;
    e.kind = InputKind::KeyDown;
    e.control = "Chat";
    e.key = key;
    e.caret = client.chat.SelStart;
    platform.UserInput(e);
  }
  void Edit(const std::string& text, int caret) {
    InputEvent e;
    e.kind = InputKind::TextEdited;
    e.control = "Chat";
    e.text = text;
    e.caret = caret;
    platform.UserInput(e);
  }
  // A click on a floating window's part, a double click on a list's line.
  void ClickPart(const FormWindow& w, const char* name, int index = -1) {
    const ListControl* part = FindPart(w, name, index);
    ASSERT_NE(part, nullptr) << name;
    platform.Click(client.view.Pic1.x + w.x + part->x + part->w / 2, client.view.Pic1.y + w.y + part->y + part->h / 2);
  }
  void DoubleClickRow(const FormWindow& w, const char* list, int row) {
    const ListControl* part = FindPart(w, list);
    ASSERT_NE(part, nullptr) << list;
    const float y = part->y + (static_cast<float>(row - part->topRow) + 0.5f) * part->lineHeight;
    platform.MouseAt(InputKind::DoubleClick, client.view.Pic1.x + w.x + part->x + part->w / 2,
                     client.view.Pic1.y + w.y + y, mouse_button::kLeft);
  }

  // Frames sent so far after running the heart beat long enough to send
  // everything queued.
  std::vector<Frame> Sent() {
    platform.RunTicks(4);
    return platform.SentFrames();
  }

  void Type(const std::string& text) { Edit(text, static_cast<int>(Utf8ToCodePoints(text).size())); }

  // Lines of the history list and the ticker.
  const std::vector<std::string>& History() { return TalkLines(client).items; }
  std::string Ticker(int i) {
    const auto& items = client.view.Sysmsg[i].items;
    return items.empty() ? std::string() : items.front();
  }
};

}  // namespace vask::test
