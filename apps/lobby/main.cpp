// The lobby: a window the table client finds by its title. It starts the
// client for a game server and carries the window messages both ways.
#include <QApplication>
#include <QCommandLineParser>
#include <QDir>

#include "apps/lobby/lobby_window.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QCoreApplication::setApplicationName("lobby");

  QCommandLineParser parser;
  parser.setApplicationDescription("The lobby that starts the table client.");
  parser.addHelpOption();
  const QCommandLineOption title("title", "The lobby window's title.", "title", "Vask山庄");
  const QCommandLineOption host("host", "The game server's address.", "host", "127.0.0.1");
  const QCommandLineOption port("port", "The game server's port.", "port", "7300");
  const QCommandLineOption account("account", "The player's account.", "account", "player");
  const QCommandLineOption key("key", "The login key for this visit.", "key", "practice");
  const QCommandLineOption location("location", "The location shown on the table.", "text", "本地练习");
  const QCommandLineOption caption("caption", "The client window's caption.", "caption", "Vask牌桌");
  const QCommandLineOption client("client", "The table client program.", "path",
                                  QDir(QCoreApplication::applicationDirPath()).filePath("table-client"));
  const QCommandLineOption noClient("no-client", "Do not start the client.");
  const QCommandLineOption props("props", "Allow the prop plug-in (bank, props, treasure chests).");
  const QCommandLineOption watch("watch", "Start the client as a watcher of the player at this seat (1..4).", "seat");
  parser.addOptions({title, host, port, account, key, location, caption, client, noClient, props, watch});
  parser.process(app);

  vask::lobby::LobbySettings s;
  s.title = parser.value(title);
  s.host = parser.value(host);
  bool portOk = false;
  s.port = parser.value(port).toInt(&portOk);
  if (!portOk || s.port < 1 || s.port > 65535) {
    qCritical("lobby: --port needs a number from 1 to 65535");
    return 2;
  }
  s.account = parser.value(account);
  s.key = parser.value(key);
  s.location = parser.value(location);
  s.caption = parser.value(caption);
  s.client = parser.value(client);
  s.startClient = !parser.isSet(noClient);
  s.props = parser.isSet(props);
  if (parser.isSet(watch)) {
    bool watchOk = false;
    s.watch = parser.value(watch).toInt(&watchOk);
    if (!watchOk || s.watch < 1 || s.watch > 4) {
      qCritical("lobby: --watch needs a seat from 1 to 4");
      return 2;
    }
  }

  vask::lobby::LobbyWindow window(s);
  window.show();
  if (s.startClient) window.StartClient();
  return app.exec();
}
