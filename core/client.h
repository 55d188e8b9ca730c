#pragma once
// The client context: every piece of the client's state, one instance per
// client. Handlers are plain functions over it.
#include <array>

#include "core/connection/connection_state.h"
#include "core/connection/leaving.h"
#include "core/connection/login.h"
#include "core/connection/player_records.h"
#include "core/connection/proxy.h"
#include "core/connection/reconnect.h"
#include "core/connection/startup.h"
#include "core/connection/table_state_msgs.h"
#include "core/game/table.h"
#include "core/settle/settle_state.h"
#include "core/social/bubbles.h"
#include "core/social/chat.h"
#include "core/social/phrases.h"
#include "core/social/plugin_host.h"
#include "core/social/sound.h"
#include "core/view/input.h"
#include "core/view/pictures.h"
#include "core/view/view_model.h"
#include "core/view/widgets.h"
#include "platform/platform.h"

namespace vask {

struct TimerSetting {
  int interval = 0;
  bool enabled = false;
};

struct Client final : PlatformEvents {
  explicit Client(Platform& platform);
  Client(const Client&) = delete;
  Client& operator=(const Client&) = delete;
  ~Client() override;

  Platform& platform;
  ConnectionState conn;
  LaunchState launch;
  LoginState login;
  ReconnectState recon;
  ProxyState proxy;
  LeaveState leave;
  PlayerRecords players;
  TableLife life;
  TableState table;
  ViewModel view;
  InputState input;
  WidgetState widgets;
  PictureTables pics;
  PropHost prop;
  SettleState settle;
  SoundState sound;
  ChatState chat;
  PhraseState phrases;
  BubbleState bubbles;
  std::array<TimerSetting, static_cast<std::size_t>(TimerId::kCount)> timers{};

  // Platform events.
  void OnTimer(TimerId timer) override;
  void OnSocketConnected() override;
  void OnSocketData() override;
  void OnSocketClosed() override;
  void OnWindowMessage(std::uint32_t msg, std::int64_t wparam, std::int64_t lparam) override;
  void OnInput(const InputEvent& event) override;
  void OnWebPaneLoaded(int pane, bool ok) override;
  void OnMainWindowClose() override;
  void OnMainWindowState(bool minimized) override;
};

// Starts or stops one of the client's timers, keeping its interval.
void EnableTimer(Client& c, TimerId timer, bool enabled);
void SetTimerInterval(Client& c, TimerId timer, int intervalMs);
bool TimerEnabled(const Client& c, TimerId timer);

}  // namespace vask
