#pragma once
// The opening of a chest while the client counts its gold up: an opened
// chest in the middle of the table, rising out of a turning ring of light.
#include <QImage>
#include <QTimer>
#include <QWidget>

namespace vask::props {

class ChestGlow final : public QWidget {
 public:
  // (x, y): the middle of the opened chest on the table surface; w × h
  // its size there. `layout` 2 on a small screen.
  ChestGlow(QWidget* table, int x, int y, int w, int h, int layout);
  void Start();
  void Stop();
  void Place();

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  int x_, y_, w_, h_, layout_;
  QImage chest_;
  QTimer timer_;
  int phase_ = 0;
};

}  // namespace vask::props
