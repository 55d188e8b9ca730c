#include "bots/bot_player.h"

#include <algorithm>

#include "core/connection/reconnect.h"
#include "core/game/choices.h"
#include "core/game/operations.h"
#include "core/handlers.h"
#include "core/social/phrases.h"
#include "core/view/input.h"

namespace vask::bots {

namespace {

// A press of button k of a control array. The handler is called directly:
// a floating window over the button (the score window after a hand) would
// take a real click, and a bot has no hand to move it away.
void Press(Client& c, void (*handler)(Client&, const ControlInput&), int k) {
  ControlInput in;
  in.index = k;
  in.button = mouse_button::kLeft;
  handler(c, in);
}

bool Shown(const Control& ctl) { return ctl.visible && ctl.enabled; }

}  // namespace

BotPlayer::BotPlayer(Client& client, Strength strength, int thinkMs)
    : client_(client), strength_(strength), thinkMs_(thinkMs) {}

void BotPlayer::PaceReadiness(int ms, std::vector<std::string> fellowBots) {
  readyPauseMs_ = ms;
  fellowBots_ = std::move(fellowBots);
}

std::uint64_t BotPlayer::Situation() const {
  const TableState& t = client_.table;
  std::uint64_t k = static_cast<std::uint64_t>(t.PanelState) | (static_cast<std::uint64_t>(t.MustDiscard) << 3) |
                    (static_cast<std::uint64_t>(t.Detail[0].HandCount) << 8) |
                    (static_cast<std::uint64_t>(t.LastDiscard) << 16) | (static_cast<std::uint64_t>(t.bInGame) << 40);
  for (int b = 0; b < 5; ++b) k ^= static_cast<std::uint64_t>(t.OpOffer[b] == 2) << (41 + b);
  for (int b = 0; b < 3; ++b) k ^= static_cast<std::uint64_t>(client_.view.operZ[b].visible) << (46 + b);
  k ^= static_cast<std::uint64_t>(client_.view.AnNiu[2].visible && client_.view.AnNiu[2].enabled) << 50;
  return k;
}

bool BotPlayer::ThoughtOver() {
  const std::uint64_t now = Situation();
  if (now != situation_) {
    situation_ = now;
    seenAt_ = client_.platform.TickCount();
  }
  return static_cast<int>(client_.platform.TickCount() - seenAt_) >= thinkMs_;
}

void BotPlayer::Act() {
  if (client_.conn.bQuitting) return;
  if (Reconnect()) return;
  if (!client_.conn.bTableLive) return;
  AnswerChat();
  // It acts on the table as the server last told it, as a person would:
  // after a re-login the frames behind the restore may already settle the
  // turn it seems to be asked for.
  if (client_.conn.RecvBuf.Unread() >= kFrameSize) return;
  if (!ThoughtOver()) return;
  if (AnswerQuestion() || AnswerOffer() || Discard() || Ready()) situation_ = ~0ull;
}

// A line another player typed is answered with a built-in quick phrase
// once thought over; lines that come meanwhile share the answer. Phrases are
// not answered, so bots never keep talking among themselves.
bool BotPlayer::AnswerChat() {
  const std::uint32_t heard = client_.chat.LinesHeard;
  if (heard == linesAnswered_) return false;
  if (!answerDue_) {
    answerDue_ = true;
    answerSeenAt_ = client_.platform.TickCount();
    return false;
  }
  if (static_cast<int>(client_.platform.TickCount() - answerSeenAt_) < thinkMs_) return false;
  answerDue_ = false;
  linesAnswered_ = heard;
  SendPhrase(client_, kPhraseBuiltIn, static_cast<int>(client_.platform.Random() % kBuiltInPhrases.size()));
  return true;
}

// The line dropped and the client asks whether to reconnect: yes, at once.
bool BotPlayer::Reconnect() {
  if (!ReconnectDialogShown(client_)) return false;
  if (TimerEnabled(client_, TimerId::Count)) return true;  // attempts under way
  pbReconnect_Click(client_);
  ++reconnects_;
  return true;
}

bool BotPlayer::AnswerOffer() {
  TableState& t = client_.table;
  if (t.PanelState != 0) return false;
  const int k = ChooseClaim(t, strength_);
  if (k < 0) return false;
  // On the own turn a discard answers the offer; a pass would only repeat it.
  if (k == kPassButton && t.MustDiscard) return false;
  PressClaimButton(client_, k);
  if (k == kPassButton) return true;
  ++claims_;
  // Several ways to make the meld: take the first one shown.
  for (int i = 0; i < static_cast<int>(client_.view.Chi.size()); ++i)
    if (client_.view.Chi[i].visible) return PickChow(client_, i), true;
  for (int i = 0; i < static_cast<int>(client_.view.Gang.size()); ++i)
    if (client_.view.Gang[i].visible) return PickKong(client_, i), true;
  return true;
}

bool BotPlayer::Discard() {
  TableState& t = client_.table;
  if (!t.MustDiscard || !OwnDiscardDue(client_)) return false;
  const int slot = ChooseDiscardSlot(t, strength_, client_.platform.Random());
  if (slot < 0) return false;
  SendDiscard(client_, t.Detail[0].Slots[slot].Img);
  ++discards_;
  return true;
}

// Between hands: the start or continue button.
bool BotPlayer::Ready() {
  if (client_.table.bInGame || !Shown(client_.view.AnNiu[2])) {
    readyWaiting_ = false;
    return false;
  }
  if (!ReadyPauseOver()) return false;
  readyWaiting_ = false;
  Press(client_, MainForm_AnNiu_Click, 2);
  return true;
}

bool BotPlayer::ReadyPauseOver() {
  if (readyPauseMs_ <= 0) return true;
  const std::uint32_t now = client_.platform.TickCount();
  if (!readyWaiting_) {
    readyWaiting_ = true;
    readySeenAt_ = now;
    readyPause_ = readyPauseMs_ + static_cast<int>(client_.platform.Random() % static_cast<std::uint32_t>(readyPauseMs_ + 1));
  }
  return static_cast<int>(now - readySeenAt_) >= readyPause_ || PeopleReady();
}

// At least one person at the table, and all of them ready.
bool BotPlayer::PeopleReady() const {
  int people = 0;
  for (int v = 1; v < 4; ++v) {
    const std::string& name = client_.table.Detail[v].username;
    if (name.empty() || std::find(fellowBots_.begin(), fellowBots_.end(), name) != fellowBots_.end()) continue;
    if (!client_.view.OK[v].visible) return false;
    ++people;
  }
  return people > 0;
}

// The pull and sit questions: the steady decline, the others say yes half
// of the time.
bool BotPlayer::AnswerQuestion() {
  auto& z = client_.view.operZ;
  if (!Shown(z[2])) return false;
  const bool yes = strength_ != Strength::Steady && (client_.platform.Random() & 1);
  for (int k : {0, 1})
    if (yes && Shown(z[k])) return Press(client_, MainForm_operZ_Click, k), true;
  Press(client_, MainForm_operZ_Click, 2);
  return true;
}

}  // namespace vask::bots
