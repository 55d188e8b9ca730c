#include "core/client.h"

#include "core/connection/lobby_link.h"

#include "core/connection/poll_loop.h"
#include "core/handlers.h"
#include "core/view/adverts.h"

namespace vask {

namespace {
constexpr std::size_t Index(TimerId t) { return static_cast<std::size_t>(t); }
}  // namespace

Client::Client(Platform& p) : platform(p) {
  timers[Index(TimerId::Bong)].interval = kBongIntervalMs;
  timers[Index(TimerId::KeepAlive)].interval = 5000;
  timers[Index(TimerId::Chat)].interval = 800;
  timers[Index(TimerId::Prop)].interval = 50;
  timers[Index(TimerId::Shuffle)].interval = 300;
  timers[Index(TimerId::Count)].interval = kTimerCountMs;
  timers[Index(TimerId::Reconnect)].interval = kTimerReconnectMs;
  timers[Index(TimerId::FadeIn)].interval = kFadeTickMs;
  ResetSeatRecords(table);
  platform.SetEvents(this);
}

Client::~Client() { platform.SetEvents(nullptr); }

void Client::OnTimer(TimerId timer) {
  if (!timers[Index(timer)].enabled) return;
  switch (timer) {
    case TimerId::Bong: return TimerBong_Timer(*this);
    case TimerId::KeepAlive: return TimerKeepAlive_Timer(*this);
    case TimerId::Chat: return TimerChat_Timer(*this);
    case TimerId::Prop: return TimerProp_Timer(*this);
    case TimerId::Shuffle: return TimerShuffle_Timer(*this);
    case TimerId::Count: return TimerCount_Timer(*this);
    case TimerId::Reconnect: return TimerReconnect_Timer(*this);
    case TimerId::FadeIn: return tmrFadeIn_Timer(*this);
    case TimerId::kCount: return;
  }
}

// The login duty polls the socket's state; only the proxy handshake waits
// for this event.
void Client::OnSocketConnected() { OnProxyConnected(*this); }

void Client::OnSocketData() { Winsock1_DataArrival(*this); }

void Client::OnSocketClosed() { Winsock1_Close(*this); }

void Client::OnWindowMessage(std::uint32_t msg, std::int64_t wparam, std::int64_t lparam) {
  WndProc(*this, msg, wparam, lparam);
}

void Client::OnInput(const InputEvent& event) { RouteInput(*this, event); }

void Client::OnWebPaneLoaded(int pane, bool ok) { WebPaneLoaded(*this, pane, ok); }
void Client::OnMainWindowClose() { Form_Unload(*this); }

void Client::OnMainWindowState(bool minimized) {
  if (minimized) return BubblesOnMinimize(*this);
  // Back on the screen: the table comes to the top once and the lobby
  // makes room for it.
  platform.BringMainWindowToTop();
  MinimizeLobby(*this);
  if (conn.bQuitting) return;
  PropWindowRestored(*this);
  BubblesOnRestore(*this);
}

void EnableTimer(Client& c, TimerId timer, bool enabled) {
  TimerSetting& t = c.timers[Index(timer)];
  if (timer == TimerId::Bong && !enabled) ++c.conn.BongStops;
  if (t.enabled == enabled) return;
  t.enabled = enabled;
  c.platform.SetTimer(timer, t.interval, enabled);
}

void SetTimerInterval(Client& c, TimerId timer, int intervalMs) {
  TimerSetting& t = c.timers[Index(timer)];
  t.interval = intervalMs;
  if (t.enabled) c.platform.SetTimer(timer, t.interval, true);
}

bool TimerEnabled(const Client& c, TimerId timer) { return c.timers[Index(timer)].enabled; }

}  // namespace vask
