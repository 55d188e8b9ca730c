// The table client: started by the lobby with its command line.
#include <QApplication>
#include <QStringList>

#include "core/client.h"
#include "core/connection/startup.h"
#include "platform/qt/qt_platform.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  vask::QtPlatform platform;
  vask::Client client(platform);
  platform.AttachView(&client.view);
  platform.SetUnattended(qEnvironmentVariableIsSet("VASK_UNATTENDED"));
  // The lobby hands over one argument; a line split by a shell is joined again.
  const std::string line = QCoreApplication::arguments().mid(1).join(' ').toStdString();
  if (!vask::StartUp(client, line)) return 1;
  return app.exec();
}
