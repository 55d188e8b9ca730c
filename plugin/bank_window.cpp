#include "plugin/bank_window.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "plugin/plugin_texts.h"
#include "plugin/table_surface.h"

namespace vask::props {

namespace {

constexpr int kWidth = 300, kHeight = 268;
// The table surface lies at (8, 20) of the client's window.
constexpr int kSurfaceWidth = 1024;
constexpr double kSmallScale = 0.78125;

const char* kStyle =
    "QFrame#bank { background: rgba(40, 26, 16, 235); border: 1px solid rgb(214, 186, 110); border-radius: 6px; }"
    "QLabel { color: rgb(240, 220, 170); }"
    "QLabel#title { font-weight: bold; font-size: 15px; }"
    "QLabel#hint { color: rgb(200, 180, 130); font-size: 11px; }"
    "QLabel#status { color: rgb(255, 230, 120); }"
    "QPushButton { color: rgb(40, 20, 8); background: rgb(226, 190, 100); border: 1px solid rgb(150, 110, 40);"
    " border-radius: 3px; padding: 2px 8px; }"
    "QPushButton:hover { background: rgb(246, 214, 130); }"
    "QSpinBox { background: rgb(250, 244, 228); color: black; }";

QString Q(const std::string& s) { return QString::fromStdString(s); }

}  // namespace

BankWindow::BankWindow(PropModel& model, QWidget* table) : QFrame(table), model_(model), table_(table) {
  setObjectName("bank");
  setStyleSheet(kStyle);
  if (!table) setWindowTitle(text::kWindowTitle);
  setFixedSize(kWidth, kHeight);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(10, 6, 10, 8);
  layout->setSpacing(4);

  auto* top = new QHBoxLayout;
  auto* title = new QLabel(text::kWindowTitle, this);
  title->setObjectName("title");
  auto* close = new QPushButton(text::kClose, this);
  connect(close, &QPushButton::clicked, this, [this] { hide(); });
  top->addWidget(title);
  top->addStretch();
  top->addWidget(close);
  layout->addLayout(top);

  bank_ = new QLabel(this);
  gold_ = new QLabel(this);
  layout->addWidget(bank_);
  layout->addWidget(gold_);

  auto* moves = new QHBoxLayout;
  amount_ = new QSpinBox(this);
  amount_->setRange(100, 1000000000);
  amount_->setSingleStep(100);
  amount_->setValue(1000);
  auto* deposit = new QPushButton(text::kDeposit, this);
  auto* withdraw = new QPushButton(text::kWithdraw, this);
  connect(deposit, &QPushButton::clicked, this, [this] { model_.Deposit(amount_->value()); });
  connect(withdraw, &QPushButton::clicked, this, [this] { model_.Withdraw(amount_->value()); });
  moves->addWidget(amount_, 1);
  moves->addWidget(deposit);
  moves->addWidget(withdraw);
  layout->addLayout(moves);

  auto* grid = new QGridLayout;
  grid->setHorizontalSpacing(6);
  for (int p = 0; p < kPropKinds; ++p) {
    const auto i = static_cast<std::size_t>(p);
    auto* name = new QLabel(text::kPropNames[i], this);
    name->setToolTip(text::kPropHelp[i]);
    counts_[i] = new QLabel(this);
    auto* use = new QPushButton(text::kUse, this);
    auto* buy = new QPushButton(QString("%1 %2").arg(text::kBuy).arg(kPropPrice[i]), this);
    connect(use, &QPushButton::clicked, this, [this, p] { model_.Use(p); });
    connect(buy, &QPushButton::clicked, this, [this, p] { model_.Buy(p); });
    grid->addWidget(name, p, 0);
    grid->addWidget(counts_[i], p, 1);
    grid->addWidget(use, p, 2);
    grid->addWidget(buy, p, 3);
  }
  layout->addLayout(grid);

  status_ = new QLabel(this);
  status_->setObjectName("status");
  layout->addWidget(status_);
  auto* hint = new QLabel(text::kKeysHint, this);
  hint->setObjectName("hint");
  layout->addWidget(hint);

  Refresh();
  Place();
  hide();
}

void BankWindow::Refresh() {
  const QString unknown = "--";
  bank_->setText(QString(text::kBank) + (model_.bankKnown ? QString::number(model_.bank) : unknown) + text::kGold);
  gold_->setText(QString(text::kOnTable) + (model_.bankKnown ? QString::number(model_.gold) : unknown) + text::kGold);
  for (int p = 0; p < kPropKinds; ++p)
    counts_[static_cast<std::size_t>(p)]->setText(QString("× %1").arg(model_.counts[static_cast<std::size_t>(p)]));
  status_->setText(Q(model_.status));
}

void BankWindow::Toggle() {
  if (isVisible()) return hide();
  Refresh();
  Place();
  show();
  raise();
}

void BankWindow::Place() {
  if (!table_) return;
  const double s = model_.layout == 2 ? kSmallScale : 1.0;
  const QPointF surface = SurfaceOrigin(table_, s);
  const int right = static_cast<int>(surface.x() + (kSurfaceWidth - 150) * s);
  move(right - kWidth, static_cast<int>(surface.y() + 150 * s));
}

}  // namespace vask::props
