#pragma once

#include <QDialog>

class QProgressBar;

namespace zelta::ui {

// "Progress": the gauge of a running pager operation, centred on the
// screen, back at 0 whenever it is shown or closed.
class TFmProgressBar : public QDialog {
  Q_OBJECT

 public:
  explicit TFmProgressBar(QWidget* parent = nullptr);

  int value() const;

 public Q_SLOTS:
  void setProgress(int percent);

 protected:
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  QProgressBar* bar_ = nullptr;
};

}  // namespace zelta::ui
