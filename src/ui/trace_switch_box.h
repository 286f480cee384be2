#pragma once

#include <QGroupBox>

#include "window/settings_store.h"

class QCheckBox;
class QLabel;

namespace zelta::ui {

// The "Trace to file" switch of the setup dialog: every byte of the link,
// with its time and direction, written to a file of the work folder, as the
// command line's --trace writes it. The box names the file.
class TraceSwitchBox : public QGroupBox {
  Q_OBJECT

 public:
  // Shows the switch as stored.
  explicit TraceSwitchBox(const window::SettingsStore& store, QWidget* parent = nullptr);

  void setTraceFile(const QString& file);
  bool on() const;
  // "Apply": the switch into the store.
  void apply(window::SettingsStore& store) const;

 private:
  QCheckBox* switch_ = nullptr;
  QLabel* file_ = nullptr;
};

}  // namespace zelta::ui
