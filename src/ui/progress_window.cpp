#include "ui/progress_window.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>
#include <algorithm>

// Core headers name members "slots"; Qt's keyword macro must not see them.
#pragma push_macro("slots")
#undef slots
#include "window/progress_texts.h"
#pragma pop_macro("slots")
#include "ui/qt_text.h"

namespace zelta::ui {

TFmProgressBar::TFmProgressBar(QWidget* parent) : QDialog(parent) {
  setObjectName("FmProgressBar");
  setWindowTitle("Progress");
  // Not closable by the operator: the operation closes it.
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
  phase_ = new QLabel(this);
  phase_->setObjectName("lb_phase");
  bar_ = new QProgressBar(this);
  bar_->setObjectName("progressBar");
  bar_->setRange(0, 100);
  bar_->setValue(0);
  bar_->setTextVisible(false);
  bar_->setMinimumWidth(320);
  bar_->setStyleSheet(
      "QProgressBar { background: white; border: 1px solid black; }"
      "QProgressBar::chunk { background: black; }");
  percent_ = new QLabel(this);
  percent_->setObjectName("lb_percent");
  percent_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  // Wide enough for "100 %" so that the gauge does not move as it fills.
  percent_->setMinimumWidth(percent_->fontMetrics().horizontalAdvance("100 %") + 4);
  cancel_ = new QPushButton("Cancel", this);
  cancel_->setObjectName("btnCancel");
  // Enter or Space on a focused Cancel must not stop a run by accident.
  cancel_->setAutoDefault(false);
  connect(cancel_, &QPushButton::clicked, this, &TFmProgressBar::cancelClicked);

  auto* gauge = new QHBoxLayout;
  gauge->addWidget(bar_, 1);
  gauge->addWidget(percent_);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(cancel_);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(phase_);
  layout->addLayout(gauge);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  reset();
}

int TFmProgressBar::value() const {
  return bar_->value();
}

void TFmProgressBar::startWork() {
  working_ = true;
  stopping_ = false;
  reset();
  show();
}

void TFmProgressBar::endWork() {
  working_ = false;
  hide();
}

void TFmProgressBar::reset() {
  phase_->setText(qs(window::phaseText(link::LinkPhase::Waking)));
  bar_->setValue(0);
  percent_->setText(qs(window::percentText(0)));
  cancel_->setEnabled(true);
}

void TFmProgressBar::setProgress(int percent) {
  bar_->setValue(std::clamp(percent, 0, 100));
  percent_->setText(qs(window::percentText(percent)));
}

void TFmProgressBar::setPhase(int linkPhase) {
  // Once Cancel is pressed the window says so until the operation ends.
  if (stopping_) return;
  phase_->setText(qs(window::phaseText(static_cast<link::LinkPhase>(linkPhase))));
  setProgress(0);
}

void TFmProgressBar::cancelClicked() {
  if (stopping_) return;
  stopping_ = true;
  cancel_->setEnabled(false);
  phase_->setText(qs(window::kStoppingText));
  emit cancelRequested();
}

void TFmProgressBar::reject() {
  if (!working_) QDialog::reject();
}

void TFmProgressBar::closeEvent(QCloseEvent* event) {
  if (working_) {
    event->ignore();
    return;
  }
  QDialog::closeEvent(event);
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
