#pragma once
// The main window: draws the view model, nothing else.
#include <QWidget>

namespace vask {

struct ViewModel;

class TableWindow final : public QWidget {
  Q_OBJECT
 public:
  explicit TableWindow(QWidget* parent = nullptr);
  void SetView(const ViewModel* view) { view_ = view; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  const ViewModel* view_ = nullptr;
};

}  // namespace vask
