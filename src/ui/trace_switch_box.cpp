#include "ui/trace_switch_box.h"

#include <QCheckBox>
#include <QLabel>
#include <QVBoxLayout>

#include "window/trace_setting.h"

namespace zelta::ui {

TraceSwitchBox::TraceSwitchBox(const window::SettingsStore& store, QWidget* parent)
    : QGroupBox(QStringLiteral("Link trace"), parent) {
  setObjectName("gb_linkTrace");
  switch_ = new QCheckBox(QStringLiteral("&Trace to file"), this);
  switch_->setObjectName("cb_traceToFile");
  switch_->setChecked(window::traceToFile(store));
  switch_->setToolTip(
      QStringLiteral("Every byte sent to and received from the pager, with its time, for support"));
  file_ = new QLabel(this);
  file_->setObjectName("lb_traceFile");
  file_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  file_->setWordWrap(true);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(switch_);
  layout->addWidget(file_);
}

void TraceSwitchBox::setTraceFile(const QString& file) {
  file_->setText(QStringLiteral("Written to %1").arg(file));
}

bool TraceSwitchBox::on() const {
  return switch_->isChecked();
}

void TraceSwitchBox::apply(window::SettingsStore& store) const {
  window::storeTraceToFile(store, on());
}

}  // namespace zelta::ui
