#include "platform/qt/qt_platform.h"

#include <QApplication>
#include <QDateTime>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLibrary>
#include <QLockFile>
#include <QMessageBox>
#include <QRandomGenerator>
#include <QSaveFile>
#include <QScreen>
#include <QMediaDevices>
#include <QAudioDevice>
#include <QSoundEffect>
#include <QStandardPaths>
#include <QThread>
#include <QUrl>
#include <cmath>
#include <cstdio>

#include "core/connection/protocol.h"
#include "platform/qt/table_window.h"
#include "platform/qt/web_pane.h"

namespace vask {

namespace {
// Twice the client's receive ring: enough to keep it fed between ticks.
constexpr qint64 kSocketBufferBytes = 2 * static_cast<qint64>(kRingSize);
}  // namespace

QtPlatform::QtPlatform(QObject* parent) : QObject(parent), window_(std::make_unique<TableWindow>()) {
  clock_.start();
  window_->SetInputSink([this](const InputEvent& e) {
    if (events_) events_->OnInput(e);
  });
  window_->SetWindowStateSink([this](bool minimized) {
    if (events_) events_->OnMainWindowState(minimized);
  });
  for (std::size_t i = 0; i < timers_.size(); ++i) {
    auto* t = new QTimer(this);
    t->setTimerType(Qt::PreciseTimer);
    connect(t, &QTimer::timeout, this, [this, i] {
      if (events_) events_->OnTimer(static_cast<TimerId>(i));
    });
    timers_[i] = t;
  }
  connect(&socket_, &QTcpSocket::connected, this, [this] {
    if (events_) events_->OnSocketConnected();
  });
  // What the client has no room for waits in the kernel: TCP holds a
  // flooding server back instead of this process's memory.
  socket_.setReadBufferSize(kSocketBufferBytes);
  connect(&socket_, &QTcpSocket::readyRead, this, [this] {
    if (events_) events_->OnSocketData();
  });
  connect(&socket_, &QTcpSocket::disconnected, this, [this] {
    if (events_) events_->OnSocketClosed();
  });
  for (int pane : {1, 2})
    connect(window_->Pane(pane), &WebPane::Loaded, this, [this, pane](bool ok) {
      if (events_) events_->OnWebPaneLoaded(pane, ok);
    });
  window_->onClose = [this] {
    if (events_) events_->OnMainWindowClose();
  };
  connect(&endpoint_, &window_link::Endpoint::Received, this, [this](const window_link::Packet& p) {
    switch (p.kind) {
      case window_link::Kind::Post:
        if (events_) events_->OnWindowMessage(p.msg, p.wparam, p.lparam);
        break;
      case window_link::Kind::Restore: RestoreMainWindow(); break;
      case window_link::Kind::Minimize: MinimizeMainWindow(); break;
    }
  });
}

QtPlatform::~QtPlatform() { socket_.abort(); }

void QtPlatform::AttachView(const ViewModel* view) { window_->SetView(view); }


std::uint32_t QtPlatform::TickCount() { return static_cast<std::uint32_t>(clock_.elapsed()); }

LocalTime QtPlatform::Now() {
  QDateTime t = QDateTime::currentDateTime();
  return {t.date().year(), t.date().month(), t.date().day(), t.time().hour(), t.time().minute(),
          t.time().second()};
}

void QtPlatform::SetTimer(TimerId timer, int intervalMs, bool enabled) {
  QTimer* t = timers_[static_cast<std::size_t>(timer)];
  if (!enabled) {
    t->stop();
    return;
  }
  if (!t->isActive() || t->interval() != intervalMs) t->start(intervalMs);
}

void QtPlatform::PumpEvents() {
  // Handles what is pending, else waits for the next event, a millisecond
  // at most: a handler's animation must not spin a core while it waits.
  QTimer::singleShot(1, Qt::PreciseTimer, this, [] {});
  QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

void QtPlatform::Sleep(int ms) { QThread::msleep(static_cast<unsigned long>(ms)); }

void QtPlatform::SocketConnect(const std::string& host, std::uint16_t port) {
  socket_.abort();
  socket_.connectToHost(QString::fromStdString(host), port);
}

void QtPlatform::SocketClose() { socket_.abort(); }

int QtPlatform::SocketState() {
  // The client's numbering: 7 is connected.
  switch (socket_.state()) {
    case QAbstractSocket::ConnectedState: return 7;
    case QAbstractSocket::HostLookupState: return 5;
    case QAbstractSocket::ConnectingState: return 6;
    case QAbstractSocket::ClosingState: return 8;
    default: return 0;
  }
}

std::vector<std::uint8_t> QtPlatform::SocketRead(std::size_t most) {
  QByteArray bytes = socket_.read(static_cast<qint64>(most));
  return {bytes.begin(), bytes.end()};
}

void QtPlatform::SocketSend(std::span<const std::uint8_t> bytes) {
  socket_.write(reinterpret_cast<const char*>(bytes.data()), static_cast<qint64>(bytes.size()));
}

bool QtPlatform::WindowExists(const std::string& title) { return window_link::Exists(title); }

bool QtPlatform::PostToWindow(const std::string& title, std::uint32_t msg, std::int64_t wparam,
                              std::int64_t lparam) {
  return window_link::Send(title, {window_link::Kind::Post, msg, wparam, lparam, endpoint_.Name()});
}

void QtPlatform::RestoreWindow(const std::string& title) {
  window_link::Send(title, {window_link::Kind::Restore, 0, 0, 0, endpoint_.Name()});
}

void QtPlatform::MinimizeWindow(const std::string& title) {
  window_link::Send(title, {window_link::Kind::Minimize, 0, 0, 0, endpoint_.Name()});
}

void QtPlatform::SetMainTitle(const std::string& title) {
  window_->setWindowTitle(QString::fromStdString(title));
  endpoint_.Listen(title);
}

void QtPlatform::PlaceMainWindow(int x, int y, int width, int height) {
  window_->move(x, y);
  window_->resize(width, height);
}

bool QtPlatform::MainWindowMinimized() { return window_->isMinimized(); }

void QtPlatform::ShowMainWindow(bool visible) { window_->setVisible(visible); }

void QtPlatform::MinimizeMainWindow() { window_->showMinimized(); }

void QtPlatform::RestoreMainWindow() {
  window_->showNormal();
  BringMainWindowToTop();
}

void QtPlatform::BringMainWindowToTop() {
  window_->raise();
  window_->activateWindow();
}

void QtPlatform::DragMainWindow() { window_->BeginDrag(); }

void QtPlatform::ViewChanged() {
  window_->SyncPanes();
  window_->SyncInputs();
  window_->update();
}

ScreenSize QtPlatform::Screen() {
  QScreen* s = QGuiApplication::primaryScreen();
  if (!s) return {};
  QRect r = s->geometry();
  return {r.width(), r.height()};
}

bool QtPlatform::AcquireSingleInstance(const std::string& name) {
  static QLockFile* lock = nullptr;  // held for the life of the process
  if (lock) return true;
  QString path = QDir::temp().filePath(QString::fromStdString(name) + ".lock");
  auto* candidate = new QLockFile(path);
  candidate->setStaleLockTime(0);
  if (!candidate->tryLock(0)) {
    delete candidate;
    return false;
  }
  lock = candidate;
  return true;
}

void QtPlatform::Quit() { QMetaObject::invokeMethod(qApp, [] { QCoreApplication::exit(0); }, Qt::QueuedConnection); }

void QtPlatform::MessageBox(const std::string& title, const std::string& text) {
  if (unattended_) {
    std::fprintf(stderr, "%s: %s\n", title.c_str(), text.c_str());
    return;
  }
  QMessageBox::warning(window_.get(), QString::fromStdString(title), QString::fromStdString(text));
}

std::string QtPlatform::ClientDirectory() { return QCoreApplication::applicationDirPath().toStdString(); }

std::optional<std::string> QtPlatform::ReadFile(const std::string& path, std::size_t most) {
  QFile f(QString::fromStdString(path));
  if (!f.open(QIODevice::ReadOnly)) return std::nullopt;
  QByteArray bytes = most == kWholeFile ? f.readAll() : f.read(static_cast<qint64>(most));
  return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

bool QtPlatform::WriteFile(const std::string& path, const std::string& bytes) {
  QSaveFile f(QString::fromStdString(path));
  if (!f.open(QIODevice::WriteOnly)) return false;
  if (f.write(bytes.data(), static_cast<qint64>(bytes.size())) != static_cast<qint64>(bytes.size())) {
    f.cancelWriting();
    return false;
  }
  return f.commit();
}

bool QtPlatform::RemoveFile(const std::string& path) { return QFile::remove(QString::fromStdString(path)); }

bool QtPlatform::FileExists(const std::string& path) { return QFileInfo::exists(QString::fromStdString(path)); }

std::uint32_t QtPlatform::Random() { return QRandomGenerator::global()->generate(); }

namespace {

// A RIFF wave file, judged by its first twelve bytes.
bool IsWaveFile(const QString& path) {
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly)) return false;
  const QByteArray head = f.read(12);
  return head.size() == 12 && head.startsWith("RIFF") && head.mid(8, 4) == "WAVE";
}

}  // namespace

bool QtPlatform::SoundInit() {
  if (QMediaDevices::defaultAudioOutput().isNull()) return false;
  if (!effect_) effect_ = std::make_unique<QSoundEffect>(QMediaDevices::defaultAudioOutput());
  return true;
}

SoundResult QtPlatform::SoundPlay(const std::string& path, bool loop) {
  if (!effect_) return SoundResult::DeviceFailed;
  effect_->stop();
  const QString file = QString::fromStdString(path);
  if (!IsWaveFile(file)) {
    effect_->setSource(QUrl());
    return SoundResult::Unplayable;
  }
  effect_->setSource(QUrl::fromLocalFile(file));
  effect_->setLoopCount(loop ? QSoundEffect::Infinite : 1);
  effect_->setVolume(1.0f);
  effect_->play();  // starts once loaded
  return SoundResult::Played;
}

bool QtPlatform::SoundStop() {
  if (!effect_) return false;
  effect_->stop();
  return true;
}

bool QtPlatform::SoundVolume(int volume) {
  if (!effect_) return false;
  // Hundredths of a decibel below full volume, as a linear factor.
  const double decibels = (volume - 3000) / 100.0;
  effect_->setVolume(static_cast<float>(std::pow(10.0, decibels / 20.0)));
  return true;
}

std::unique_ptr<PropPlugin> QtPlatform::LoadPlugin(const std::string& path) {
  QLibrary library(QString::fromStdString(path));
  if (!library.load()) return nullptr;
  auto factory = reinterpret_cast<PropPluginFactory>(library.resolve(kPropFactorySymbol));
  if (!factory) return nullptr;
  try {
    return std::unique_ptr<PropPlugin>(factory());
  } catch (...) {
    return nullptr;
  }
}

std::intptr_t QtPlatform::MainWindowHandle() {
  QWidget* main = window_.get();
  return reinterpret_cast<std::intptr_t>(main);
}

void QtPlatform::WebNavigate(int pane, const std::string& url) {
  WebPane* target = window_->Pane(pane);
  if (!target) return;
  target->Navigate(QString::fromStdString(url));
}

void QtPlatform::OpenInBrowser(const std::string& url) {
  QUrl u(QString::fromStdString(url));
  if (u.scheme() == "http" || u.scheme() == "https") QDesktopServices::openUrl(u);
}

}  // namespace vask
