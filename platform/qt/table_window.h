#pragma once
// The main window: draws the view model, nothing else.
#include <QHash>
#include <QPixmap>
#include <QRegion>
#include <QWidget>
#include <functional>
#include <memory>
#include <string>

class QPainter;
class QMouseEvent;
class QKeyEvent;
class QLineEdit;

namespace vask {

struct InputEvent;
struct ViewModel;
struct Control;
class PictureArt;
class WebPane;

// Draws a view model with a picture set: the window background, the table
// surface, every visible control back to front, then the floating windows.
// Keeps the scaled pictures and the surface between paints.
class TableRenderer {
 public:
  // Where pictures come from: nullptr for an id without a picture.
  using PictureSource = std::function<const QImage*(int id)>;
  explicit TableRenderer(const PictureArt* art);
  explicit TableRenderer(PictureSource pictures) : pictures_(std::move(pictures)) {}
  void Paint(QPainter& p, const ViewModel& view);
  // The picture with that id at that size; nullptr when there is none.
  const QPixmap* Scaled(int id, int w, int h);
  // The shape of that picture at that size (see ShapeRegion).
  const QRegion& Shape(int id, int w, int h);

 private:
  void PaintBackground(QPainter& p, const ViewModel& view);
  void PaintBand(QPainter& p, const ViewModel& view);
  void PaintControl(QPainter& p, const Control& c, float fontScale = 1);
  const QImage* PluginPicture(int id);
  PictureSource pictures_;
  // The view being painted, for the pictures the prop plug-in supplies.
  const ViewModel* view_ = nullptr;
  QHash<int, QImage> pluginImages_;
  QHash<int, QByteArray> pluginBytes_;
  QHash<quint64, QPixmap> scaled_;
  QHash<quint64, QRegion> shapes_;
  QPixmap surface_;
  QPixmap frame_;
  // The pixel ratio of the device painted last: pictures are made for it.
  qreal dpr_ = 1;
};

// Renders the view model offscreen into an image of the window's size.
QImage RenderTable(const ViewModel& view, const PictureArt& art);
QImage RenderTable(const ViewModel& view, TableRenderer& renderer);

class TableWindow final : public QWidget {
  Q_OBJECT
 public:
  explicit TableWindow(QWidget* parent = nullptr);
  ~TableWindow() override;
  void SetView(const ViewModel* view);
  const PictureArt& Art() const { return *art_; }
  // Where the user's mouse and keys go (the core's Client::OnInput).
  void SetInputSink(std::function<void(const InputEvent&)> sink) { sink_ = std::move(sink); }
  // The web pane 1 or 2 (over WebBrowser1/2), nullptr for any other.
  WebPane* Pane(int pane) const;
  // Moves and shows the web panes where the view model has them.
  void SyncPanes();
  // Where the closing of the window goes.
  std::function<void()> onClose;
  // Where the window's minimising and restoring is reported.
  void SetWindowStateSink(std::function<void(bool minimized)> sink) { stateSink_ = std::move(sink); }
  // Brings the real input widgets (the chat box) in line with the view.
  void SyncInputs();
  QLineEdit* ChatBox() const { return chat_; }
  // How often the table has been painted (for the benchmarks).
  std::uint64_t Paints() const { return paints_; }
  // Moves the window with the pointer until the left button is let go: the
  // window system's own move where it offers one, else by the window itself.
  void BeginDrag();
  bool Dragging() const { return dragging_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void changeEvent(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  const ViewModel* view_ = nullptr;
  // The chat box is a real line edit over the view's Chat control, so that
  // typing, the caret and input methods work as users expect.
  QLineEdit* chat_ = nullptr;
  std::uint32_t chatFocusSerial_ = 0;
  std::unique_ptr<PictureArt> art_;
  std::unique_ptr<TableRenderer> renderer_;
  std::function<void(const InputEvent&)> sink_;
  WebPane* panes_[2] = {nullptr, nullptr};
  std::function<void(bool)> stateSink_;
  std::uint64_t paints_ = 0;
  // The drag the window does itself: where the last press was on the
  // screen, and the grip's offset from the window's corner.
  QPoint lastPress_;
  QPoint grip_;
  bool dragging_ = false;
  void SendChatEvent(InputEvent e);
  void SendMouse(int kind, QMouseEvent* event);
  void SendKey(int kind, QKeyEvent* event);
  void UpdatePointer(float x, float y);
};

}  // namespace vask
