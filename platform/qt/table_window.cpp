#include "platform/qt/table_window.h"

#include <QKeyEvent>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QWindow>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QRandomGenerator>
#include <algorithm>
#include <cmath>

#include "core/view/input.h"
#include "core/view/view_model.h"
#include "platform/platform.h"
#include "platform/qt/art/picture_art.h"
#include "platform/qt/web_pane.h"
#include "platform/qt/window_shape.h"

namespace vask {

namespace {

constexpr float kWindowFontPoints = 10;

QColor Rgb(std::uint32_t c) { return QColor((c >> 16) & 0xFF, (c >> 8) & 0xFF, c & 0xFF); }

QRectF Rect(const Control& c) { return QRectF(c.x, c.y, c.w, c.h); }

// `scale`: the floating windows' fonts grow and shrink with the table.
QFont FontFor(const Control& c, float scale = 1) {
  QFont f(QStringLiteral("WenQuanYi Zen Hei"));
  // Points at the table's 96 dpi, independent of the screen's own dpi.
  const double points = (c.fontSize > 0 ? c.fontSize : kWindowFontPoints) * scale;
  f.setPixelSize(std::max(6, static_cast<int>(std::lround(points * 4.0 / 3.0))));
  f.setBold(c.bold);
  return f;
}

Qt::Alignment AlignOf(const Control& c) {
  switch (c.align) {
    case TextAlign::Center: return Qt::AlignHCenter | Qt::AlignVCenter;
    case TextAlign::Right: return Qt::AlignRight | Qt::AlignVCenter;
    default: return Qt::AlignLeft | Qt::AlignVCenter;
  }
}

// The felt of the table surface, drawn once per size.
QPixmap DrawSurface(int w, int h, float scale) {
  QImage cloth(w, h, QImage::Format_RGB32);
  {
    QPainter g(&cloth);
    QRadialGradient felt(w * 0.5, h * 0.42, w * 0.62);
    felt.setColorAt(0.0, QColor(36, 128, 80));
    felt.setColorAt(0.65, QColor(22, 98, 60));
    felt.setColorAt(1.0, QColor(10, 58, 36));
    g.fillRect(0, 0, w, h, felt);
  }
  // A fine weave so the cloth does not look like plastic.
  QRandomGenerator rng(7);
  for (int y = 0; y < h; ++y) {
    auto* line = reinterpret_cast<QRgb*>(cloth.scanLine(y));
    for (int x = 0; x < w; ++x) {
      const int d = static_cast<int>(rng.bounded(9)) - 4;
      const QRgb c = line[x];
      line[x] = qRgb(std::clamp(qRed(c) + d, 0, 255), std::clamp(qGreen(c) + d, 0, 255), std::clamp(qBlue(c) + d, 0, 255));
    }
  }
  QPixmap pm = QPixmap::fromImage(cloth);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);
  // The playing field: a thin gold line around the walls.
  const double s = scale;
  p.setPen(QPen(QColor(214, 186, 110, 90), 2 * s));
  p.setBrush(Qt::NoBrush);
  p.drawRoundedRect(QRectF(140 * s, 100 * s, 744 * s, 540 * s), 24 * s, 24 * s);
  // The own panel at the bottom and the three seat bands at the top.
  QLinearGradient panel(0, 650 * s, 0, h);
  panel.setColorAt(0, QColor(46, 30, 18, 235));
  panel.setColorAt(1, QColor(26, 16, 10, 245));
  p.setPen(Qt::NoPen);
  p.setBrush(panel);
  p.drawRect(QRectF(0, 652 * s, w, h - 652 * s));
  p.setPen(QPen(QColor(214, 186, 110), 1.5 * s));
  p.drawLine(QPointF(0, 652 * s), QPointF(w, 652 * s));
  for (double left : {2.0, 345.0, 688.0}) {
    QRectF band(left * s, 10 * s, 334 * s, 76 * s);
    p.setPen(QPen(QColor(214, 186, 110, 120), 1 * s));
    p.setBrush(QColor(0, 0, 0, 70));
    p.drawRoundedRect(band, 8 * s, 8 * s);
  }
  return pm;
}

// The window around the surface: a dark lacquer frame and a title band.
QPixmap DrawFrame(int w, int h) {
  QPixmap pm(w, h);
  QPainter p(&pm);
  QLinearGradient lacquer(0, 0, 0, h);
  lacquer.setColorAt(0, QColor(92, 22, 18));
  lacquer.setColorAt(1, QColor(50, 10, 8));
  p.fillRect(0, 0, w, h, lacquer);
  return pm;
}

}  // namespace

TableRenderer::TableRenderer(const PictureArt* art)
    : pictures_([art](int id) { return art ? art->Get(id) : nullptr; }) {}

const QImage* TableRenderer::PluginPicture(int id) {
  if (!view_) return nullptr;
  auto it = view_->PluginPictures.find(id);
  if (it == view_->PluginPictures.end()) return nullptr;
  const QByteArray bytes = QByteArray::fromStdString(it->second);
  if (pluginBytes_.value(id) != bytes) {
    // A new picture under the same id: its scaled copies are stale.
    pluginBytes_[id] = bytes;
    pluginImages_[id] = QImage::fromData(bytes);
    for (auto s = scaled_.begin(); s != scaled_.end();)
      s = (s.key() >> 32) == static_cast<quint64>(static_cast<std::uint32_t>(id)) ? scaled_.erase(s) : std::next(s);
  }
  const QImage& img = pluginImages_[id];
  return img.isNull() ? nullptr : &img;
}

namespace {

quint64 PictureKey(int id, int w, int h) {
  return (static_cast<quint64>(static_cast<std::uint32_t>(id)) << 32) | (static_cast<quint64>(w & 0xFFFF) << 16) |
         static_cast<quint64>(h & 0xFFFF);
}

}  // namespace

const QPixmap* TableRenderer::Scaled(int id, int w, int h) {
  if (!pictures_ || w <= 0 || h <= 0) return nullptr;
  const QImage* plugin = PluginPicture(id);  // first: it drops stale copies
  // Pictures are made at the screen's own pixels: on a screen of pixel ratio
  // 2 a 50 × 77 tile is 100 × 154 pixels, not an enlarged small one.
  const int dw = static_cast<int>(std::lround(w * dpr_)), dh = static_cast<int>(std::lround(h * dpr_));
  const quint64 key = PictureKey(id, dw, dh);
  auto it = scaled_.find(key);
  if (it != scaled_.end()) return &it.value();
  const QImage* img = plugin ? plugin : pictures_(id);
  if (!img) return nullptr;
  QPixmap pm = QPixmap::fromImage(img->scaled(dw, dh, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
  pm.setDevicePixelRatio(dpr_);
  return &scaled_.insert(key, pm).value();
}

const QRegion& TableRenderer::Shape(int id, int w, int h) {
  const quint64 key = PictureKey(id, w, h);
  auto it = shapes_.find(key);
  if (it != shapes_.end()) return it.value();
  // In the window's own pixels, whatever the screen's.
  const QImage* plugin = pictures_ && w > 0 && h > 0 ? PluginPicture(id) : nullptr;
  const QImage* img = plugin ? plugin : (pictures_ && w > 0 && h > 0 ? pictures_(id) : nullptr);
  return shapes_.insert(key, img ? ShapeRegion(img->scaled(w, h, Qt::IgnoreAspectRatio, Qt::SmoothTransformation))
                                 : QRegion())
      .value();
}

void TableRenderer::PaintBackground(QPainter& p, const ViewModel& v) {
  const int ww = std::max(1, static_cast<int>(std::lround(v.Pic2.w * dpr_)));
  const int wh = std::max(1, static_cast<int>(std::lround(v.Pic2.h * dpr_)));
  if (frame_.width() != ww || frame_.height() != wh) {
    frame_ = DrawFrame(ww, wh);
    frame_.setDevicePixelRatio(dpr_);
  }
  p.drawPixmap(0, 0, frame_);
  const int sw = std::max(1, static_cast<int>(std::lround(v.Pic1.w * dpr_)));
  const int sh = std::max(1, static_cast<int>(std::lround(v.Pic1.h * dpr_)));
  if (surface_.width() != sw || surface_.height() != sh) {
    surface_ = DrawSurface(sw, sh, static_cast<float>(v.LayoutScale * dpr_));
    surface_.setDevicePixelRatio(dpr_);
  }
  p.drawPixmap(QPointF(v.Pic1.x, v.Pic1.y), surface_);
}

// The window's own title band: the caption on the drag strip and the two
// buttons. Where it lies over the table's top strip it gets a lacquer strip
// of its own so that the caption reads on the cloth.
void TableRenderer::PaintBand(QPainter& p, const ViewModel& v) {
  const Control& strip = v.LbMove;
  if (!strip.visible || strip.h <= 0) return;
  if (v.Pic1.y < strip.h) {
    QLinearGradient lacquer(0, 0, 0, strip.h);
    lacquer.setColorAt(0, QColor(92, 22, 18, 235));
    lacquer.setColorAt(1, QColor(60, 12, 10, 200));
    p.fillRect(QRectF(v.Pic1.x, 0, v.Pic1.w, strip.h), lacquer);
  }
  p.setPen(QColor(240, 220, 170));
  QFont title(QStringLiteral("WenQuanYi Zen Hei"));
  title.setPixelSize(std::max(8, static_cast<int>(std::lround(strip.h * 0.7))));
  p.setFont(title);
  p.drawText(QRectF(v.Pic1.x + 6 * v.LayoutScale, strip.y, strip.w, strip.h), Qt::AlignLeft | Qt::AlignVCenter,
             QString::fromStdString(v.Caption.empty() ? std::string("Vask 麻将") : v.Caption));
  for (const Control* button : {&v.ImgMin[0], &v.ImgClose[0]})
    if (button->visible) PaintControl(p, *button);
}

void TableRenderer::PaintControl(QPainter& p, const Control& c, float fontScale) {
  const QRectF r = Rect(c);
  switch (c.kind) {
    case ControlKind::Browser: return;  // no page to show
    case ControlKind::TextBox:
      p.fillRect(r, c.backOpaque ? Rgb(c.backColor) : QColor(Qt::white));
      p.setPen(QColor(120, 96, 60));
      p.setBrush(Qt::NoBrush);
      p.drawRect(r.adjusted(0, 0, -1, -1));
      break;
    case ControlKind::List: {
      const auto& list = static_cast<const ListControl&>(c);
      if (c.backOpaque) p.fillRect(r, Rgb(c.backColor));
      p.setFont(FontFor(c, fontScale));
      p.setPen(Rgb(c.foreColor));
      const qreal line = std::max<qreal>(list.lineHeight > 0 ? list.lineHeight : r.height(), 1);
      qreal y = r.y();
      const std::size_t first = static_cast<std::size_t>(std::max(0, list.topRow));
      for (std::size_t i = first; i < list.items.size(); ++i) {
        // Only whole lines; a long line is cut at the list's edge.
        if (y + line > r.bottom() + 0.5 && i != first) break;
        const QRectF row(r.x(), y, r.width(), line);
        if (static_cast<int>(i) == list.selected) {
          p.fillRect(row, QColor(214, 186, 110, 110));
        }
        p.drawText(row.adjusted(2, 0, -2, 0), Qt::AlignLeft | Qt::AlignVCenter, QString::fromStdString(list.items[i]));
        y += line;
      }
      return;
    }
    case ControlKind::Picture:
      if (c.backOpaque) {
        p.setPen(Qt::NoPen);
        p.setBrush(Rgb(c.backColor));
        p.drawRoundedRect(r, 4, 4);
      }
      if (c.picture != kNoPicture) {
        const int w = static_cast<int>(std::lround(c.w)), h = static_cast<int>(std::lround(c.h));
        if (const QPixmap* pm = Scaled(c.picture, w, h)) {
          p.drawPixmap(QPointF(c.x, c.y), *pm);
        } else {
          // A picture the set does not have: a plain plate.
          p.setPen(QColor(90, 90, 90));
          p.setBrush(QColor(220, 216, 204));
          p.drawRect(r.adjusted(0, 0, -1, -1));
        }
      }
      break;
    case ControlKind::Label: break;
  }
  if (!c.text.empty()) {
    p.setFont(FontFor(c, fontScale));
    p.setPen(c.kind == ControlKind::TextBox ? QColor(Qt::black) : Rgb(c.foreColor));
    const Qt::Alignment align = c.kind == ControlKind::Picture ? (Qt::AlignHCenter | Qt::AlignTop) : AlignOf(c);
    const int flags = static_cast<int>(align) | (c.wordWrap ? Qt::TextWordWrap : 0);
    p.drawText(r.adjusted(2, 1, -2, -1), flags, QString::fromStdString(c.text));
  }
}

void TableRenderer::Paint(QPainter& p, const ViewModel& v) {
  view_ = &v;
  const qreal dpr = p.device() ? p.device()->devicePixelRatioF() : 1.0;
  if (dpr != dpr_) {
    // Another screen: every picture again at its pixels.
    dpr_ = dpr;
    scaled_.clear();
    surface_ = frame_ = QPixmap();
  }
  PaintBackground(p, v);
  p.save();
  p.translate(v.Pic1.x, v.Pic1.y);
  p.setClipRect(QRectF(0, 0, v.Pic1.w, v.Pic1.h));
  for (const ControlRef& ref : StackingOrder(v)) PaintControl(p, *ref.control);
  ForEachWindow(v, [&](const char*, const FormWindow& w) {
    if (!w.visible) return;
    p.save();
    p.setOpacity(w.opacity / 255.0);
    const QRectF r = Rect(w);
    if (w.picture != kNoPicture) {
      // A window that is its picture, cut to its shape.
      const int pw = static_cast<int>(std::lround(w.w)), ph = static_cast<int>(std::lround(w.h));
      if (const QPixmap* pm = Scaled(w.picture, pw, ph)) {
        if (w.shaped) p.setClipRegion(Shape(w.picture, pw, ph).translated(QPoint(qRound(w.x), qRound(w.y))), Qt::IntersectClip);
        p.drawPixmap(QPointF(qRound(w.x), qRound(w.y)), *pm);
      }
    } else {
      p.setPen(QPen(QColor(214, 186, 110), 1));
      p.setBrush(QColor(40, 26, 16));
      p.drawRoundedRect(r, 6, 6);
      p.setFont(FontFor(w, v.LayoutScale));
      p.setPen(QColor(240, 220, 170));
      const float s = v.LayoutScale;
      p.drawText(QRectF(r.x() + 8 * s, r.y(), r.width() - 16 * s, 22 * s), Qt::AlignLeft | Qt::AlignVCenter,
                 QString::fromStdString(w.text));
    }
    p.translate(w.x, w.y);
    for (const ListControl& part : w.parts)
      if (part.visible) PaintControl(p, part, v.LayoutScale);
    p.restore();
  });
  p.restore();
  PaintBand(p, v);
}

QImage RenderTable(const ViewModel& view, TableRenderer& renderer) {
  QImage image(std::max(1, static_cast<int>(std::lround(view.Pic2.w))),
               std::max(1, static_cast<int>(std::lround(view.Pic2.h))), QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::black);
  QPainter p(&image);
  renderer.Paint(p, view);
  return image;
}

QImage RenderTable(const ViewModel& view, const PictureArt& art) {
  TableRenderer renderer(&art);
  return RenderTable(view, renderer);
}

namespace {

// The pictures are drawn for the screen the window opens on.
double ScreenPixelRatio() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  return screen ? std::max(1.0, screen->devicePixelRatio()) : 1.0;
}

}  // namespace

TableWindow::TableWindow(QWidget* parent)
    : QWidget(parent),
      art_(std::make_unique<PictureArt>(ScreenPixelRatio())),
      renderer_(std::make_unique<TableRenderer>(art_.get())) {
  // The window draws its own title band (close, minimise, the drag strip).
  setWindowFlag(Qt::FramelessWindowHint);
  resize(1040, 796);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setMouseTracking(true);  // hovering raises tiles and lights buttons
  setFocusPolicy(Qt::StrongFocus);
  chat_ = new QLineEdit(this);
  chat_->setFrame(false);
  chat_->hide();
  chat_->installEventFilter(this);
  connect(chat_, &QLineEdit::textEdited, this, [this](const QString& text) {
    InputEvent e;
    e.kind = InputKind::TextEdited;
    e.text = text.toStdString();
    SendChatEvent(std::move(e));
  });
  for (WebPane*& pane : panes_) pane = new WebPane(this);
}

namespace {

// A text box or web pane is a widget of its own and would paint over the
// floating windows the table draws: the parts those windows cover are cut
// out of it, and a widget covered whole is hidden.
void ShowUnderWindows(QWidget* widget, bool visible, const ViewModel& v) {
  if (!visible) return widget->setVisible(false);
  const QRect at = widget->geometry();
  QRegion open(QRect(QPoint(0, 0), at.size()));
  ForEachWindow(v, [&](const char*, const FormWindow& w) {
    if (!w.visible || w.opacity == 0) return;
    const QRect covered(static_cast<int>(std::lround(v.Pic1.x + w.x)), static_cast<int>(std::lround(v.Pic1.y + w.y)),
                        static_cast<int>(std::lround(w.w)), static_cast<int>(std::lround(w.h)));
    open -= covered.translated(-at.topLeft());
  });
  if (open.isEmpty()) return widget->setVisible(false);
  if (open.rectCount() == 1 && open.boundingRect().size() == at.size())
    widget->clearMask();
  else
    widget->setMask(open);
  widget->setVisible(true);
}

}  // namespace

WebPane* TableWindow::Pane(int pane) const { return pane == 1 || pane == 2 ? panes_[pane - 1] : nullptr; }

void TableWindow::SyncPanes() {
  if (!view_) return;
  const Control* controls[2] = {&view_->WebBrowser1, &view_->WebBrowser2};
  for (int i = 0; i < 2; ++i) {
    const Control& c = *controls[i];
    const QRect at(static_cast<int>(std::lround(view_->Pic1.x + c.x)), static_cast<int>(std::lround(view_->Pic1.y + c.y)),
                   static_cast<int>(std::lround(c.w)), static_cast<int>(std::lround(c.h)));
    if (panes_[i]->geometry() != at) panes_[i]->setGeometry(at);
    ShowUnderWindows(panes_[i], c.visible && c.w > 0 && c.h > 0 && panes_[i]->HasPage(), *view_);
  }
}

TableWindow::~TableWindow() = default;

void TableWindow::SetView(const ViewModel* view) {
  view_ = view;
  if (view_ && view_->Pic2.w > 0) {
    resize(static_cast<int>(std::lround(view_->Pic2.w)), static_cast<int>(std::lround(view_->Pic2.h)));
    // Where the prop plug-in finds the table surface for its own windows.
    setProperty("vaskSurface", QRectF(view_->Pic1.x, view_->Pic1.y, view_->Pic1.w, view_->Pic1.h));
  }
  SyncPanes();
  SyncInputs();
  update();
}

void TableWindow::paintEvent(QPaintEvent*) {
  QPainter p(this);
  if (!view_ || view_->Pic2.w <= 0) {
    p.fillRect(rect(), QColor(18, 92, 58));
    return;
  }
  renderer_->Paint(p, *view_);
  ++paints_;
}

namespace {

int ButtonBits(Qt::MouseButtons b) {
  int bits = 0;
  if (b & Qt::LeftButton) bits |= mouse_button::kLeft;
  if (b & Qt::RightButton) bits |= mouse_button::kRight;
  if (b & Qt::MiddleButton) bits |= mouse_button::kMiddle;
  return bits;
}

int ShiftBits(Qt::KeyboardModifiers m) {
  int bits = 0;
  if (m & Qt::ShiftModifier) bits |= shift_key::kShift;
  if (m & Qt::ControlModifier) bits |= shift_key::kCtrl;
  if (m & Qt::AltModifier) bits |= shift_key::kAlt;
  return bits;
}

// The virtual-key code of a Qt key: letters and digits are their upper-case
// character, the rest as the window system numbers them.
int VirtualKey(int qtKey) {
  if ((qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) || (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)) return qtKey;
  if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24) return 112 + (qtKey - Qt::Key_F1);
  switch (qtKey) {
    case Qt::Key_Escape: return 27;
    case Qt::Key_Return:
    case Qt::Key_Enter: return 13;
    case Qt::Key_Space: return 32;
    case Qt::Key_Backspace: return 8;
    case Qt::Key_Tab: return 9;
    case Qt::Key_Shift: return 16;
    case Qt::Key_Control: return 17;
    case Qt::Key_Alt: return 18;
    case Qt::Key_Left: return 37;
    case Qt::Key_Up: return 38;
    case Qt::Key_Right: return 39;
    case Qt::Key_Down: return 40;
    case Qt::Key_Delete: return 46;
    default: return 0;
  }
}

}  // namespace

void TableWindow::SendMouse(int kind, QMouseEvent* event) {
  const QPointF at = event->position();
  if (sink_) {
    InputEvent e;
    e.kind = static_cast<InputKind>(kind);
    // A press or release names the button that changed; a move the buttons held.
    e.button = kind == static_cast<int>(InputKind::MouseMove) ? ButtonBits(event->buttons()) : ButtonBits(event->button());
    e.shift = ShiftBits(event->modifiers());
    e.x = static_cast<float>(at.x());
    e.y = static_cast<float>(at.y());
    sink_(e);
  }
  UpdatePointer(static_cast<float>(at.x()), static_cast<float>(at.y()));
}

void TableWindow::SendKey(int kind, QKeyEvent* event) {
  const int key = VirtualKey(event->key());
  if (!sink_ || !key) return;
  InputEvent e;
  e.kind = static_cast<InputKind>(kind);
  e.key = key;
  e.shift = ShiftBits(event->modifiers());
  sink_(e);
}

void TableWindow::UpdatePointer(float x, float y) {
  if (!view_) return;
  const HitResult hit = ControlAt(*view_, x, y);
  const Control* c = hit.name ? FindControl(*view_, hit.name, hit.index) : nullptr;
  const Qt::CursorShape shape = c && c->mousePointer == kHandPointer ? Qt::PointingHandCursor : Qt::ArrowCursor;
  if (cursor().shape() != shape) setCursor(shape);
}

void TableWindow::BeginDrag() {
  if (QWindow* w = windowHandle(); w && w->startSystemMove()) return;
  // No move of the window system's (no window manager, or none that offers
  // it): the window follows the pointer itself.
  dragging_ = true;
  grip_ = lastPress_ - pos();
}

void TableWindow::mouseMoveEvent(QMouseEvent* e) {
  if (dragging_) {
    if (e->buttons() & Qt::LeftButton) return move(e->globalPosition().toPoint() - grip_);
    dragging_ = false;
  }
  SendMouse(static_cast<int>(InputKind::MouseMove), e);
}

void TableWindow::mousePressEvent(QMouseEvent* e) {
  lastPress_ = e->globalPosition().toPoint();
  SendMouse(static_cast<int>(InputKind::MouseDown), e);
}

void TableWindow::mouseReleaseEvent(QMouseEvent* e) {
  dragging_ = false;
  SendMouse(static_cast<int>(InputKind::MouseUp), e);
}
void TableWindow::mouseDoubleClickEvent(QMouseEvent* e) { SendMouse(static_cast<int>(InputKind::DoubleClick), e); }
void TableWindow::keyPressEvent(QKeyEvent* e) { SendKey(static_cast<int>(InputKind::KeyDown), e); }
void TableWindow::keyReleaseEvent(QKeyEvent* e) { SendKey(static_cast<int>(InputKind::KeyUp), e); }

void TableWindow::closeEvent(QCloseEvent* event) {
  if (onClose) onClose();
  event->accept();
}

// The chat box's own events: keys before the box applies them, its text
// after a change, its focus; the caret is the box's.
void TableWindow::SendChatEvent(InputEvent e) {
  if (!sink_) return;
  e.control = "Chat";
  e.caret = chat_->cursorPosition();
  sink_(e);
  SyncInputs();
}

void TableWindow::SyncInputs() {
  if (!view_) return;
  const Control& box = view_->Chat;
  chat_->setGeometry(QRectF(view_->Pic1.x + box.x, view_->Pic1.y + box.y, box.w, box.h).toRect());
  ShowUnderWindows(chat_, box.visible, *view_);
  const QString text = QString::fromStdString(box.text);
  if (chat_->text() != text) {
    // The core changed the text (sent it, took an address): caret at the end.
    chat_->setText(text);
    chat_->setCursorPosition(static_cast<int>(text.size()));
  }
  if (view_->ChatFocusSerial != chatFocusSerial_) {
    chatFocusSerial_ = view_->ChatFocusSerial;
    chat_->setFocus();
  }
}

bool TableWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched != chat_) return QWidget::eventFilter(watched, event);
  InputEvent e;
  switch (event->type()) {
    case QEvent::KeyPress: {
      auto* key = static_cast<QKeyEvent*>(event);
      e.kind = InputKind::KeyDown;
      e.key = VirtualKey(key->key());
      e.shift = ShiftBits(key->modifiers());
      if (e.key == 0 && !key->text().isEmpty()) e.key = static_cast<int>(key->text().toUcs4().value(0));
      if (e.key != 0) SendChatEvent(std::move(e));
      // Enter and the function keys are the table's; the box does nothing with them.
      return key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter ||
             (key->key() >= Qt::Key_F1 && key->key() <= Qt::Key_F24);
    }
    case QEvent::FocusIn:
      e.kind = InputKind::GotFocus;
      SendChatEvent(std::move(e));
      break;
    case QEvent::FocusOut:
      e.kind = InputKind::LostFocus;
      SendChatEvent(std::move(e));
      break;
    default: break;
  }
  return QWidget::eventFilter(watched, event);
}

void TableWindow::changeEvent(QEvent* event) {
  if (event->type() == QEvent::WindowStateChange && stateSink_) stateSink_(isMinimized());
  QWidget::changeEvent(event);
}

}  // namespace vask
