#pragma once

#include <QDialog>
#include <QString>
#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <thread>
#include <vector>

// Core headers name members "slots"; Qt's keyword macro must not see them.
#pragma push_macro("slots")
#undef slots
#include "errors/reporter.h"
#include "link/clock.h"
#include "link/port_list.h"
#include "production/production_board.h"
#include "production/production_run.h"
#include "window/production_form.h"
#include "window/window_front_end.h"
#pragma pop_macro("slots")

class QButtonGroup;
class QGridLayout;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QTableWidget;

namespace zelta::ui {

// What the dialog starts from.
struct ProductionStart {
  // The codeplug on the window's pages, when one is there.
  std::optional<window::ProductionTemplate> onScreen;
  // Where the journal goes by default and the file dialogs start.
  std::filesystem::path folder;
  std::function<std::vector<link::PortEntry>()> listPorts = link::listPorts;
  using FileChooser =
      std::function<std::optional<std::filesystem::path>(const window::FileDialogRequest&)>;
  FileChooser chooseOpen;  // the template
  FileChooser chooseSave;  // the journal (new or continued) and the CSV
};

// "Production run": the template, the fixtures' ports, the journal and the
// number of pagers; then a line per fixture, the counters and the records
// of the run, which programs pagers on every fixture at once while the
// dialog stays responsive. The run's fixture threads report through queued
// calls; Stop (and closing) lets every block being written finish.
class ProductionDialog : public QDialog {
  Q_OBJECT

 public:
  ProductionDialog(ProductionStart start, errors::Reporter& reporter, QWidget* parent = nullptr);
  ~ProductionDialog() override;

  // How often an empty fixture looks for a pager (tests shorten it).
  void setProbeInterval(std::chrono::milliseconds interval) { probeInterval_ = interval; }

  // Checks the inputs and starts the run; false when it did not start (the
  // problem is shown under the inputs).
  bool start();
  // Every fixture stops once the block it writes is whole.
  void stop();
  bool running() const { return running_; }
  // Closing: asks while a pager is being written. True when the dialog may
  // close now; false when it stays, or closes itself once the run stopped.
  bool requestClose();
  // Closing was asked for and waits for the run to stop.
  bool closing() const { return closeWhenStopped_; }
  // Writes the run's records as comma-separated values to file.
  bool exportCsv(const std::filesystem::path& file);

  // The rows of a run on ports without a run: whatever the observer is then
  // told is drawn as a run's events are (pictures of a run, tests).
  production::ProductionObserver& showWithoutRun(const std::vector<std::string>& ports);

  const production::ProductionBoard* board() const { return board_.get(); }
  QString problemText() const;
  QString statusText() const;

 signals:
  // The run has ended (complete, stopped or unfinished).
  void runEnded();

 public:
  // Esc, Close and the window's close button come here (QDialog's close
  // rejects): a running run is asked about and stopped first.
  void reject() override;

 private:
  class QueuedObserver;

  QPushButton* button(const char* text, const char* name);
  static void addInputRow(QGridLayout* grid, int row, const char* label, QWidget* field,
                          QPushButton* button);
  QGroupBox* buildInputs();
  QGroupBox* buildRunView();
  void listPorts();
  void browseTemplate();
  void browseJournal();
  void exportClicked();
  void suggestJournal();
  window::ProductionForm form() const;
  void showProblem(const QString& text);
  std::optional<window::ProductionTemplate> loadTemplate(const window::ProductionForm& form);
  void buildFixtureRows(const std::vector<std::string>& ports);
  void showBoard();
  void appendRecords();
  void ended();
  void setInputsEnabled(bool enabled);

  ProductionStart start_;
  errors::Reporter& reporter_;
  std::chrono::milliseconds probeInterval_{1000};
  std::vector<link::PortEntry> ports_;
  bool journalTouched_ = false;

  QRadioButton* onScreen_ = nullptr;
  QRadioButton* fromFile_ = nullptr;
  QLineEdit* templateFile_ = nullptr;
  QPushButton* browseTemplate_ = nullptr;
  QListWidget* portList_ = nullptr;
  QPushButton* refreshPorts_ = nullptr;
  QLineEdit* journal_ = nullptr;
  QPushButton* browseJournal_ = nullptr;
  QLineEdit* count_ = nullptr;
  QLabel* problem_ = nullptr;
  QGridLayout* fixtureGrid_ = nullptr;
  QWidget* fixtureRows_ = nullptr;
  QLabel* counters_ = nullptr;
  QTableWidget* records_ = nullptr;
  QLabel* status_ = nullptr;
  QPushButton* startButton_ = nullptr;
  QPushButton* stopButton_ = nullptr;
  QPushButton* exportButton_ = nullptr;
  QPushButton* closeButton_ = nullptr;

  // Declared in the order they must die in reverse: the runner first (it
  // joins the fixtures), then the run, then what the run reports to.
  link::SteadyClock clock_;
  std::unique_ptr<QueuedObserver> observer_;
  std::unique_ptr<production::ProductionBoard> board_;
  std::unique_ptr<production::ProductionRun> production_;
  std::size_t recordsShown_ = 0;
  bool running_ = false;
  bool stopping_ = false;
  bool closeWhenStopped_ = false;
  std::jthread runner_;
};

}  // namespace zelta::ui
