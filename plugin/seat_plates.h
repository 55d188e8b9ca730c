#pragma once
// The players' plates our plug-in draws in place of the table's portraits
// (the client hides those for the players the plug-in knows): the player's
// own portrait, the client's picture of it, in the plug-in's gilt frame, with
// a badge for every prop used this hand.
#include <QImage>
#include <QPointer>
#include <QWidget>
#include <array>

#include "plugin/prop_model.h"

namespace vask::props {

class SeatPlate final : public QWidget {
 public:
  SeatPlate(const PropModel& model, int view, QWidget* table);
  void Place();

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  const PropModel& model_;
  int view_;
  // The portrait at the plate's pixels, drawn again for another face or size.
  QImage face_;
  int faceIndex_ = -1;
};

class SeatPlates {
 public:
  SeatPlates(const PropModel& model, QWidget* table);
  // The plates go with the table window, or with these.
  ~SeatPlates();
  SeatPlates(const SeatPlates&) = delete;
  SeatPlates& operator=(const SeatPlates&) = delete;
  // Shows the plates of the seats the model knows, hides the others.
  void Refresh();
  void Place();

 private:
  const PropModel& model_;
  std::array<QPointer<SeatPlate>, 4> plates_{};
};

}  // namespace vask::props
