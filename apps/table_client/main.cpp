// The table client: started by the lobby with its command line.
#include <QApplication>

#include "core/client.h"
#include "platform/qt/qt_platform.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  vask::QtPlatform platform;
  vask::Client client(platform);
  platform.AttachView(&client.view);
  client.view.Sysmsg[0].items = {"正在连接服务器..."};
  platform.SetMainTitle("Vask");
  platform.ShowMainWindow(true);
  return app.exec();
}
