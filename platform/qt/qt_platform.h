#pragma once
// The real platform: Qt timers, a QTcpSocket, files beside the client and
// the main window that draws the view model.
#include <QElapsedTimer>
#include <QObject>
#include <QTcpSocket>
#include <QSoundEffect>
#include <QTimer>
#include <array>
#include <memory>

#include "platform/platform.h"
#include "platform/qt/lobby_ipc.h"

namespace vask {

class TableWindow;
struct ViewModel;

class QtPlatform final : public QObject, public Platform {
  Q_OBJECT
 public:
  explicit QtPlatform(QObject* parent = nullptr);
  ~QtPlatform() override;

  // The window draws this view model (owned by the client).
  void AttachView(const ViewModel* view);
  TableWindow* Window() const { return window_.get(); }
  // Runs nobody watches (the wire fuzz): message boxes go to standard error
  // instead of waiting for a click.
  void SetUnattended(bool unattended) { unattended_ = unattended; }

  void SetEvents(PlatformEvents* events) override { events_ = events; }
  std::uint32_t TickCount() override;
  LocalTime Now() override;
  void SetTimer(TimerId timer, int intervalMs, bool enabled) override;
  void PumpEvents() override;
  void Sleep(int ms) override;
  void SocketConnect(const std::string& host, std::uint16_t port) override;
  void SocketClose() override;
  int SocketState() override;
  std::vector<std::uint8_t> SocketRead(std::size_t most) override;
  void SocketSend(std::span<const std::uint8_t> bytes) override;
  bool WindowExists(const std::string& title) override;
  bool PostToWindow(const std::string& title, std::uint32_t msg, std::int64_t wparam,
                    std::int64_t lparam) override;
  void RestoreWindow(const std::string& title) override;
  void MinimizeWindow(const std::string& title) override;
  void SetMainTitle(const std::string& title) override;
  void PlaceMainWindow(int x, int y, int width, int height) override;
  bool MainWindowMinimized() override;
  void ShowMainWindow(bool visible) override;
  void MinimizeMainWindow() override;
  void RestoreMainWindow() override;
  void BringMainWindowToTop() override;
  void DragMainWindow() override;
  void ViewChanged() override;
  ScreenSize Screen() override;
  bool AcquireSingleInstance(const std::string& name) override;
  void Quit() override;
  void MessageBox(const std::string& title, const std::string& text) override;
  std::string ClientDirectory() override;
  std::optional<std::string> ReadFile(const std::string& path, std::size_t most) override;
  bool WriteFile(const std::string& path, const std::string& bytes) override;
  bool RemoveFile(const std::string& path) override;
  bool FileExists(const std::string& path) override;
  std::uint32_t Random() override;
  bool SoundInit() override;
  SoundResult SoundPlay(const std::string& path, bool loop) override;
  bool SoundStop() override;
  bool SoundVolume(int volume) override;
  std::unique_ptr<PropPlugin> LoadPlugin(const std::string& path) override;
  std::intptr_t MainWindowHandle() override;
  void WebNavigate(int pane, const std::string& url) override;
  void OpenInBrowser(const std::string& url) override;

 private:
  PlatformEvents* events_ = nullptr;
  bool unattended_ = false;
  QElapsedTimer clock_;
  std::array<QTimer*, static_cast<std::size_t>(TimerId::kCount)> timers_{};
  QTcpSocket socket_;
  std::unique_ptr<TableWindow> window_;
  // The one sound buffer; exists once the device was found.
  std::unique_ptr<QSoundEffect> effect_;
  // Where the lobby finds us: listens under the main window's title.
  window_link::Endpoint endpoint_;
};

}  // namespace vask
