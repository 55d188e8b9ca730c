#include "bots/table_bot.h"

#include "core/connection/reconnect.h"
#include "core/connection/startup.h"
#include "core/game/choices.h"
#include "core/game/operations.h"
#include "core/handlers.h"
#include "core/view/input.h"

namespace vask::bots {

namespace {

// The fifteen fields a lobby gives a player, for the practice server.
std::string CommandLine(const BotOptions& o) {
  return o.account + "$" + o.key + "$" + o.host + "$" + std::to_string(o.port) + "$本地练习$0$$0$$$1$Vask山庄$" +
         o.account + "$1$0$";
}

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

TableBot::TableBot(BotOptions options)
    : options_(std::move(options)), platform_(options_.seed, options_.warp), client_(platform_) {
  platform_.busy = [this] {
    const ConnectionState& s = client_.conn;
    // A line that dropped mid-hand is only waited for by the client's own
    // timers (the connection watch, the reconnect dialog): race to them. An
    // attempt under way waits for the network, in real time, or the next
    // attempt would cut it off before the server could answer.
    const bool dropped = platform_.SocketState() != kSocketConnected && client_.table.bInGame &&
                         !client_.recon.bReloginPending;
    return dropped || s.RecvBuf.Unread() >= kFrameSize || s.SendBuf.Unread() >= kFrameSize;
  };
}

bool TableBot::Start() { return StartUp(client_, CommandLine(options_)); }

std::uint64_t TableBot::Situation() const {
  const TableState& t = client_.table;
  std::uint64_t k = static_cast<std::uint64_t>(t.PanelState) | (static_cast<std::uint64_t>(t.MustDiscard) << 3) |
                    (static_cast<std::uint64_t>(t.Detail[0].HandCount) << 8) |
                    (static_cast<std::uint64_t>(t.LastDiscard) << 16) | (static_cast<std::uint64_t>(t.bInGame) << 40);
  for (int b = 0; b < 5; ++b) k ^= static_cast<std::uint64_t>(t.OpOffer[b] == 2) << (41 + b);
  for (int b = 0; b < 3; ++b) k ^= static_cast<std::uint64_t>(client_.view.operZ[b].visible) << (46 + b);
  k ^= static_cast<std::uint64_t>(client_.view.AnNiu[2].visible && client_.view.AnNiu[2].enabled) << 50;
  return k;
}

bool TableBot::ThoughtOver() {
  const std::uint64_t now = Situation();
  if (now != situation_) {
    situation_ = now;
    seenAt_ = platform_.TickCount();
  }
  return static_cast<int>(platform_.TickCount() - seenAt_) >= options_.thinkMs;
}

void TableBot::Act() {
  if (platform_.quit || client_.conn.bQuitting) return;
  if (Reconnect()) return;
  if (!client_.conn.bTableLive) return;
  // It acts on the table as the server last told it, as a person would:
  // after a re-login the frames behind the restore may already settle the
  // turn it seems to be asked for.
  if (client_.conn.RecvBuf.Unread() >= kFrameSize) return;
  if (!ThoughtOver()) return;
  if (AnswerQuestion() || AnswerOffer() || Discard() || Ready()) situation_ = ~0ull;
}

// The line dropped and the client asks whether to reconnect: yes, at once.
bool TableBot::Reconnect() {
  if (!ReconnectDialogShown(client_)) return false;
  if (TimerEnabled(client_, TimerId::Count)) return true;  // attempts under way
  pbReconnect_Click(client_);
  ++reconnects_;
  return true;
}

bool TableBot::AnswerOffer() {
  TableState& t = client_.table;
  if (t.PanelState != 0) return false;
  const int k = ChooseClaim(t, options_.strength);
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

bool TableBot::Discard() {
  TableState& t = client_.table;
  if (!t.MustDiscard || !OwnDiscardDue(client_)) return false;
  const int slot = ChooseDiscardSlot(t, options_.strength, platform_.Random());
  if (slot < 0) return false;
  SendDiscard(client_, t.Detail[0].Slots[slot].Img);
  ++discards_;
  return true;
}

// Between hands: the start or continue button.
bool TableBot::Ready() {
  if (client_.table.bInGame || !Shown(client_.view.AnNiu[2])) return false;
  Press(client_, MainForm_AnNiu_Click, 2);
  return true;
}

// The pull and sit questions: the steady decline, the others say yes half
// of the time.
bool TableBot::AnswerQuestion() {
  auto& z = client_.view.operZ;
  if (!Shown(z[2])) return false;
  const bool yes = options_.strength != Strength::Steady && (platform_.Random() & 1);
  for (int k : {0, 1})
    if (yes && Shown(z[k])) return Press(client_, MainForm_operZ_Click, k), true;
  Press(client_, MainForm_operZ_Click, 2);
  return true;
}

}  // namespace vask::bots
