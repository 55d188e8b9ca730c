#pragma once
// Our plug-in's own window: the bank with its balance and the gold on the
// table, deposits and withdrawals, and the props to use or buy. It floats
// over the client's table when the client gives its window.
#include <QFrame>
#include <array>

#include "plugin/prop_model.h"

class QLabel;
class QPushButton;
class QSpinBox;

namespace vask::props {

class BankWindow final : public QFrame {
 public:
  BankWindow(PropModel& model, QWidget* table);
  // Shows what the model holds now.
  void Refresh();
  void Toggle();
  // Places the window at the right of the table.
  void Place();

 private:
  PropModel& model_;
  QWidget* table_;
  QLabel* bank_ = nullptr;
  QLabel* gold_ = nullptr;
  QLabel* status_ = nullptr;
  QSpinBox* amount_ = nullptr;
  std::array<QLabel*, kPropKinds> counts_{};
};

}  // namespace vask::props
