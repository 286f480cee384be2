#include "ui/progress_window.h"

#include <QGuiApplication>
#include <QProgressBar>
#include <QScreen>
#include <QVBoxLayout>
#include <algorithm>

namespace zelta::ui {

TFmProgressBar::TFmProgressBar(QWidget* parent) : QDialog(parent) {
  setObjectName("FmProgressBar");
  setWindowTitle("Progress");
  // Not closable by the operator: the operation closes it.
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
  bar_ = new QProgressBar(this);
  bar_->setObjectName("progressBar");
  bar_->setRange(0, 100);
  bar_->setValue(0);
  bar_->setTextVisible(false);
  bar_->setMinimumWidth(320);
  bar_->setStyleSheet(
      "QProgressBar { background: white; border: 1px solid black; }"
      "QProgressBar::chunk { background: black; }");
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(bar_);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

int TFmProgressBar::value() const {
  return bar_->value();
}

void TFmProgressBar::setProgress(int percent) {
  bar_->setValue(std::clamp(percent, 0, 100));
}

void TFmProgressBar::showEvent(QShowEvent* event) {
  bar_->setValue(0);
  adjustSize();
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    const QRect area = screen->availableGeometry();
    move(area.center() - rect().center());
  }
  QDialog::showEvent(event);
}

void TFmProgressBar::hideEvent(QHideEvent* event) {
  bar_->setValue(0);
  QDialog::hideEvent(event);
}

}  // namespace zelta::ui
