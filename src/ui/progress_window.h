#pragma once

#include <QDialog>

class QLabel;
class QProgressBar;
class QPushButton;

namespace zelta::ui {

// "Progress": what the running pager operation is doing (waking the pager,
// reading, writing, setting the clock), the gauge of its current block with
// its percent, and Cancel. Centred on the screen, back at 0 whenever it is
// shown or closed. Neither Escape nor the title bar hides it while the
// operation works: only the operation's end does.
class TFmProgressBar : public QDialog {
  Q_OBJECT

 public:
  explicit TFmProgressBar(QWidget* parent = nullptr);

  int value() const;

  // Shown for an operation, and hidden once it has ended.
  void startWork();
  void endWork();

 public Q_SLOTS:
  void setProgress(int percent);
  // A link::LinkPhase.
  void setPhase(int linkPhase);
  // Escape: the operation goes on, and so does its window.
  void reject() override;

 Q_SIGNALS:
  // Cancel was pressed: the operation is to stop at its next safe point.
  void cancelRequested();

 protected:
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void cancelClicked();
  void reset();

  QLabel* phase_ = nullptr;
  QProgressBar* bar_ = nullptr;
  QLabel* percent_ = nullptr;
  QPushButton* cancel_ = nullptr;
  bool working_ = false;
  bool stopping_ = false;
};

}  // namespace zelta::ui
