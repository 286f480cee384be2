#pragma once

#include <QDialog>
#include <QString>
#include <atomic>
#include <functional>
#include <vector>

// Core headers name members "slots"; Qt's keyword macro must not see them.
#pragma push_macro("slots")
#undef slots
#include "link/port_list.h"
#include "production/pager_search.h"
#include "window/comm_settings.h"
#include "window/setup_form.h"
#pragma pop_macro("slots")

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTabWidget;
class QThread;

namespace zelta::ui {

class HelpOpener;
class TraceSwitchBox;

// "Setup Computer Configuration": the serial port from the ports of this
// machine (and the running pager simulators), its line settings, the
// software password and the work-files folder. Shown modally; "Apply"
// writes the settings and accepts, "Cancel" writes nothing. "Refresh"
// lists the ports again; "Find pager" probes the listed ports one by one on
// a thread of its own (the dialog keeps answering, and a second press stops
// it) and chooses the first that a pager answers on.
class TFmSetup : public QDialog {
  Q_OBJECT

 public:
  using PortLister = std::function<std::vector<link::PortEntry>()>;

  // Loads the settings (writing defaults where they are missing) and lists
  // the ports. defaultWorkFolder stands for an empty work-files path;
  // probe asks one port for a pager.
  TFmSetup(window::SettingsStore& store, QString defaultWorkFolder,
           PortLister listPorts = link::listPorts, QWidget* parent = nullptr,
           production::PagerProbe probe = production::probePagerOn);
  // A search under way is stopped and waited for.
  ~TFmSetup() override;

  // The settings as written by "Apply" and read back. Give them to the port
  // and link (window::configureLink) after exec() returned Accepted.
  const window::CommSettings& applied() const { return applied_; }

  // What the controls hold now.
  const window::SetupForm& form() const { return form_; }

  // F1 in the dialog opens help through opener (which outlives the dialog);
  // without one F1 does nothing.
  void setHelpOpener(const HelpOpener* opener) { help_ = opener; }

  bool searching() const { return search_ != nullptr; }

  // Cancel and Escape stop a search first.
  void reject() override;

  // "Trace to file" on the application page; "Apply" stores it.
  TraceSwitchBox& traceSwitch() { return *traceSwitch_; }

 private:
  void buildCommPage(QWidget* page);
  void buildApplicationPage(QWidget* page);
  void showForm();
  void fillPortList();
  void selectRow(int row);
  void portChosen();
  void refreshClicked();
  void findPagerClicked();
  void searchTrying(int index);
  void searchFinished(const production::PagerSearchResult& result);
  void stopSearch();
  void showSearching(bool searching);
  void defaultClicked();
  void applyClicked();
  void browseClicked();
  void takeControls();

  window::SettingsStore& store_;
  std::string defaultWorkFolder_;
  PortLister listPorts_;
  production::PagerProbe probe_;
  QThread* search_ = nullptr;
  std::atomic<bool> stopSearch_{false};
  std::vector<link::PortEntry> ports_;
  window::SetupForm form_;
  window::CommSettings applied_;

  QTabWidget* pages_ = nullptr;
  QListWidget* portList_ = nullptr;  // TntListBox1
  QLineEdit* portDevice_ = nullptr;  // TntEdit2
  QLineEdit* portName_ = nullptr;    // TntEdit1 (hidden)
  QPushButton* refresh_ = nullptr;
  QPushButton* findPager_ = nullptr;
  QLabel* searchStatus_ = nullptr;
  QPushButton* apply_ = nullptr;
  QPushButton* default_ = nullptr;
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
