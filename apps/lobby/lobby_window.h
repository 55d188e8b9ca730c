#pragma once
// The lobby's window: starts the table client, logs what the client tells
// it and sends it the lobby's orders.
#include <QLabel>
#include <QListWidget>
#include <QProcess>
#include <QWidget>

#include "platform/qt/lobby_ipc.h"

namespace vask::lobby {

struct LobbySettings {
  QString title;     // the lobby window's title, where the client finds it
  QString host;      // the game server
  int port = 0;
  QString account;
  QString key;
  QString location;
  QString caption;   // the client's window caption
  QString client;    // the table client program
  bool props = false;  // the prop plug-in is allowed (field 14)
  int propParam = 0;   // the number handed to the plug-in (field 15)
  bool startClient = true;
  // The number of the player to watch (the practice server numbers a seat's
  // player 1..4); 0 plays instead.
  int watch = 0;
};

// The fifteen "$"-terminated fields the client expects; for a watcher five
// fields and the watched player's number, the key asking to watch it.
QString ClientCommandLine(const LobbySettings& s);
// What a message number means when the client sends it.
QString ClientMessageText(std::uint32_t msg);

class LobbyWindow final : public QWidget {
  Q_OBJECT
 public:
  explicit LobbyWindow(LobbySettings settings, QWidget* parent = nullptr);
  ~LobbyWindow() override;

  // Starts the client (again); false when it could not be started.
  bool StartClient();
  bool Listening() const { return listening_; }

 private:
  void OnPacket(const window_link::Packet& p);
  void SendToClient(std::uint32_t msg);
  void Log(const QString& line);

  LobbySettings settings_;
  window_link::Endpoint endpoint_;
  bool listening_ = false;
  QString clientEndpoint_;  // learnt from the client's first message
  QProcess process_;
  QLabel* status_ = nullptr;
  QListWidget* log_ = nullptr;
};

}  // namespace vask::lobby
