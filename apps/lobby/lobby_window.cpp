#include "apps/lobby/lobby_window.h"

#include <QGridLayout>
#include <QPushButton>
#include <QTime>
#include <QVBoxLayout>

#include "platform/platform.h"

namespace vask::lobby {

namespace wl = window_link;

QString ClientCommandLine(const LobbySettings& s) {
  if (s.watch > 0) {
    const QString id = QString::number(s.watch);
    return QStringList{s.account, "watch:" + id, s.host, QString::number(s.port), s.location}.join('$') + '$' + id;
  }
  // account, key, host, port, location, no proxy (type, host, port, user,
  // password), the caption is ours, our title, the caption, the prop
  // switch and the number for the plug-in.
  QStringList f{s.account, s.key, s.host, QString::number(s.port), s.location, "0", "", "0", "", "", "1", s.title,
                s.caption, s.props ? "1" : "0", QString::number(s.propParam)};
  return f.join('$') + '$';
}

QString ClientMessageText(std::uint32_t msg) {
  switch (msg) {
    case lobby_msg::kConnect: return "客户端正在登录游戏服务器（或登录被拒绝）";
    case lobby_msg::kLeave: return "客户端登录成功";
    case lobby_msg::kLeft: return "客户端已离开牌桌";
    case lobby_msg::kInHand: return "牌局正在进行中";
    case lobby_msg::kLoggingIn: return "客户端仍在登录中";
    case lobby_msg::kHandLaidOut: return "新的一局已摆好";
    default: return "未知消息";
  }
}

LobbyWindow::LobbyWindow(LobbySettings settings, QWidget* parent) : QWidget(parent), settings_(std::move(settings)) {
  setWindowTitle(settings_.title);
  resize(640, 440);

  status_ = new QLabel(this);
  status_->setText(QString("游戏服务器 %1:%2，帐号 %3").arg(settings_.host).arg(settings_.port).arg(settings_.account));
  log_ = new QListWidget(this);
  log_->setWordWrap(true);

  struct Order {
    const char* label;
    std::uint32_t msg;
  };
  const Order orders[] = {{"连接 (0x16)", lobby_msg::kConnect},
                          {"请求离开 (0x303)", lobby_msg::kLeave},
                          {"立即离开 (0x400)", lobby_msg::kLeft},
                          {"是否在牌局中 (0x465)", lobby_msg::kInHand}};
  auto* grid = new QGridLayout;
  int i = 0;
  for (const Order& o : orders) {
    auto* b = new QPushButton(QString::fromUtf8(o.label), this);
    const std::uint32_t msg = o.msg;
    connect(b, &QPushButton::clicked, this, [this, msg] { SendToClient(msg); });
    grid->addWidget(b, i / 2, i % 2);
    ++i;
  }
  auto* start = new QPushButton("启动客户端", this);
  connect(start, &QPushButton::clicked, this, [this] { StartClient(); });
  grid->addWidget(start, 2, 0, 1, 2);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(status_);
  layout->addWidget(log_, 1);
  layout->addLayout(grid);

  connect(&endpoint_, &wl::Endpoint::Received, this, &LobbyWindow::OnPacket);
  listening_ = endpoint_.Listen(settings_.title.toStdString());
  Log(listening_ ? "大厅已就绪：" + settings_.title : "另一个大厅已在使用这个标题：" + settings_.title);

  connect(&process_, &QProcess::finished, this, [this](int code, QProcess::ExitStatus) {
    Log(QString("客户端已退出（%1）").arg(code));
    clientEndpoint_.clear();
  });
  connect(&process_, &QProcess::errorOccurred, this, [this](QProcess::ProcessError e) {
    if (e == QProcess::FailedToStart) Log("无法启动客户端：" + settings_.client);
  });
}

LobbyWindow::~LobbyWindow() {
  // The table goes with the lobby.
  if (process_.state() != QProcess::NotRunning) {
    process_.terminate();
    if (!process_.waitForFinished(2000)) process_.kill();
  }
}

bool LobbyWindow::StartClient() {
  if (process_.state() != QProcess::NotRunning) {
    Log("客户端已在运行");
    return true;
  }
  process_.setProgram(settings_.client);
  process_.setArguments({ClientCommandLine(settings_)});
  process_.start();
  bool ok = process_.waitForStarted(3000);
  if (ok) Log("已启动客户端：" + ClientCommandLine(settings_));
  return ok;
}

void LobbyWindow::OnPacket(const wl::Packet& p) {
  switch (p.kind) {
    case wl::Kind::Restore:
      showNormal();
      raise();
      activateWindow();
      Log("客户端请大厅回到前台");
      return;
    case wl::Kind::Minimize:
      showMinimized();
      Log("客户端请大厅最小化");
      return;
    case wl::Kind::Post:
      break;
  }
  if (!p.sender.isEmpty()) clientEndpoint_ = p.sender;
  Log(QString("收到 0x%1：%2").arg(p.msg, 0, 16).arg(ClientMessageText(p.msg)));
  // The client has left the table: the lobby takes the screen back.
  if (p.msg == lobby_msg::kLeft) {
    showNormal();
    raise();
  }
}

void LobbyWindow::SendToClient(std::uint32_t msg) {
  QString target = clientEndpoint_.isEmpty() ? wl::EndpointName(settings_.caption.toStdString()) : clientEndpoint_;
  bool ok = wl::SendTo(target, {wl::Kind::Post, msg, 0, 0, endpoint_.Name()});
  Log(QString("发送 0x%1%2").arg(msg, 0, 16).arg(ok ? "" : "：找不到客户端窗口"));
}

void LobbyWindow::Log(const QString& line) {
  log_->addItem(QTime::currentTime().toString("HH:mm:ss ") + line);
  log_->scrollToBottom();
}

}  // namespace vask::lobby
