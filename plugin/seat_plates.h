#pragma once
// The players' plates our plug-in draws in place of the table's portraits
// (the client hides those for the players the plug-in knows): a drawn face
// with the player's initial and a badge for every prop used this hand.
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
