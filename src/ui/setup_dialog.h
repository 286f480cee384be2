#pragma once

#include <QDialog>
#include <QString>
#include <functional>
#include <vector>

#include "link/port_list.h"
#include "window/comm_settings.h"
#include "window/setup_form.h"

class QComboBox;
class QLineEdit;
class QListWidget;
class QTabWidget;

namespace zelta::ui {

class HelpOpener;
class TraceSwitchBox;

// "Setup Computer Configuration": the serial port from the ports of this
// machine (and the running pager simulators), its line settings, the
// software password and the work-files folder. Shown modally; "Apply"
// writes the settings and accepts, "Cancel" writes nothing.
class TFmSetup : public QDialog {
  Q_OBJECT

 public:
  using PortLister = std::function<std::vector<link::PortEntry>()>;

  // Loads the settings (writing defaults where they are missing) and lists
  // the ports. defaultWorkFolder stands for an empty work-files path.
  TFmSetup(window::SettingsStore& store, QString defaultWorkFolder,
           PortLister listPorts = link::listPorts, QWidget* parent = nullptr);

  // The settings as written by "Apply" and read back. Give them to the port
  // and link (window::configureLink) after exec() returned Accepted.
  const window::CommSettings& applied() const { return applied_; }

  // What the controls hold now.
  const window::SetupForm& form() const { return form_; }

  // F1 in the dialog opens help through opener (which outlives the dialog);
  // without one F1 does nothing.
  void setHelpOpener(const HelpOpener* opener) { help_ = opener; }

  // "Trace to file" on the application page; "Apply" stores it.
  TraceSwitchBox& traceSwitch() { return *traceSwitch_; }

 private:
  void buildCommPage(QWidget* page);
  void buildApplicationPage(QWidget* page);
  void showForm();
  void portChosen(int row);
  void defaultClicked();
  void applyClicked();
  void browseClicked();
  void takeControls();

  window::SettingsStore& store_;
  std::string defaultWorkFolder_;
  std::vector<link::PortEntry> ports_;
  window::SetupForm form_;
  window::CommSettings applied_;

  QTabWidget* pages_ = nullptr;
  QListWidget* portList_ = nullptr;  // TntListBox1
  QLineEdit* portDevice_ = nullptr;  // TntEdit2
  QLineEdit* portName_ = nullptr;    // TntEdit1 (hidden)
  QComboBox* bitRate_ = nullptr;
  QComboBox* parity_ = nullptr;
  QComboBox* dataBits_ = nullptr;
  QComboBox* stopBits_ = nullptr;
  QLineEdit* swPassword_ = nullptr;
  QLineEdit* archPath_ = nullptr;
  const HelpOpener* help_ = nullptr;
  TraceSwitchBox* traceSwitch_ = nullptr;
};

}  // namespace zelta::ui
