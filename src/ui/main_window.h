#pragma once

#include <QHash>
#include <QMainWindow>
#include <QString>
#include <array>
#include <functional>
#include <memory>

// Core headers name members "slots"; Qt's keyword macro must not see them.
#pragma push_macro("slots")
#undef slots
#include "storage/codeplug_files.h"
#include "window/window_controller.h"
#include "window/window_front_end.h"
#include "window/window_pager_port.h"
#pragma pop_macro("slots")
#include <QPointer>

#include "ui/help_opener.h"
#include "ui/production_dialog.h"
#include "ui/qt_reporter.h"
#include "ui/window_operations.h"
#include "ui/window_size_keeper.h"

class QAction;
class QLabel;
class QLineEdit;
class QMenu;
class QProgressBar;
class QTabWidget;
class QToolBar;

namespace zelta::ui {

class AudioToneOutput;
class CodeplugReport;
class EditingPages;
class RecentFilesMenu;

// The application's single top-level window (FmMain): the page control with
// thirteen editing pages and the "Main" launcher page, the menu bar, the
// toolbar, the key-map line and the three-panel status bar. Every command
// goes through the window controller; the window draws its view afterwards.
// The pager work of the controller's flows runs on the window's operations.
class MainWindow : public QMainWindow,
                   public window::WindowFrontEnd,
                   public window::WindowPagerPort {
  Q_OBJECT

 public:
  // work is the work folder, where the scratch files go (and the open
  // dialog starts until setArchiveFolder names another folder).
  explicit MainWindow(storage::WorkFiles work = {}, QWidget* parent = nullptr);
  ~MainWindow() override;

  // The setup's "Arch Path": where the open and save dialogs start.
  void setArchiveFolder(const std::string& folder) { controller_->setArchiveFolder(folder); }

  QtReporter& reporter() { return reporter_; }
  window::WindowController& controller() { return *controller_; }
  QAction* action(const QString& name) const { return actions_.value(name); }
  QMenu* menu(const QString& name) const { return menus_.value(name); }
  QTabWidget* pages() const { return mainPgc_; }
  // The thirteen editing pages of the tabs. They are built once the window
  // has first been painted, or when first asked for.
  EditingPages& editingPages();
  bool editingPagesBuilt() const { return editingPages_ != nullptr; }

  // The file dialogs: a chooser replaces the desktop's dialog (tests, tools).
  using FileChooser =
      std::function<std::optional<std::filesystem::path>(const window::FileDialogRequest&)>;
  void setFileChoosers(FileChooser open, FileChooser save);

  std::optional<std::filesystem::path> chooseFileToOpen(
      const window::FileDialogRequest& request) override;
  std::optional<std::filesystem::path> chooseFileToSave(
      const window::FileDialogRequest& request) override;
  // Save, Discard or Cancel in a message box: Save by Enter, Cancel by Esc,
  // each by its underlined letter. Nobody answers once the program is ending:
  // Cancel then.
  window::UnsavedEditsAnswer askAboutUnsavedEdits(
      const window::UnsavedEditsQuestion& question) override;
  // "Programmable Pleasing Alert" chosen or entered as "Custom".
  void editPleasingAlert(codes::Melody& melody) override;
  // Listed first among the recent files of the File menu.
  void codeplugFileUsed(const std::filesystem::path& file) override;

  // A codeplug file opened without the open dialog (the command line, a
  // drop, the recent files): F8's checks, unsaved edits asked about first.
  // True when it is on screen.
  bool openFile(const std::filesystem::path& file);
  RecentFilesMenu& recentFiles() { return *recentFiles_; }

  // Size, position and maximised state, kept in the settings store when the
  // window closes and given back at the next start (before show()). False
  // when none was kept.
  void rememberGeometry();
  bool restoreRememberedGeometry();

  // "&Print...": the report of the pages, shown by the presenter until it
  // returns (Qt's print preview unless replaced: tests, tools). Its page
  // pictures are gone once it has returned.
  using ReportPresenter = std::function<void(const CodeplugReport&)>;
  void setReportPresenter(ReportPresenter presenter) { presentReport_ = std::move(presenter); }
  void printReport();

  // Runs the command of a function key (or Ctrl+S) as its menu item or
  // toolbar button does: nothing when the command is not offered.
  void runKey(window::WindowKey key);
  // A tab chosen by the user: the field being edited is stored and the page
  // checks run first; a refused change keeps the page. True when changed.
  bool requestPage(pages::Page page);

  // The port, the link and the pager operations. The store configures the
  // port (the desktop's settings unless replaced: tests, tools).
  WindowOperations& operations() { return *operations_; }
  void useSettingsStore(std::unique_ptr<window::SettingsStore> store);
  // Ctrl+O: "Setup Computer Configuration"; the settings applied reach the port.
  void setupCommunication();

  // Where the setup and production dialogs list the ports (link::listPorts
  // unless replaced: tests, tools).
  using PortLister = std::function<std::vector<link::PortEntry>()>;
  void setPortLister(PortLister lister) { listPorts_ = std::move(lister); }

  // Ctrl+R, "Production run...": the dialog over the production line, shown
  // modally. Its inputs start from productionStart(): the codeplug on screen
  // (the field being edited stored first), the work folder, the ports of
  // the setup dialog's list and the window's file choosers.
  void productionRun();
  std::optional<ProductionStart> productionStart();
  // The production dialog while it is open.
  ProductionDialog* productionDialog() const { return productionDialog_; }

  // The program must end (SIGTERM, SIGHUP, the end of the desktop session).
  // Nothing waits for the operator any more (no box, every question No); a
  // pager operation stops once the block being written is whole, with its
  // checksum and the pager's answer; then the event loops end with status.
  // Unsaved edits are not asked about: nobody may be there to answer.
  void endSession(int status);
  // A pager operation is under way on the worker.
  bool pagerOperationRunning() const;

  // ---- WindowPagerPort ----
  errors::OperationOutcome read() override;
  errors::OperationOutcome program(const window::ProgramRequest& request) override;
  window::PagerReport report() const override;
  // The window drawn busy, pages, toolbar and menus disabled.
  void redraw() override;
  bool openServiceWindow(const window::ServiceStart& start,
                         const window::ServiceProgram& program) override;

 protected:
  void closeEvent(QCloseEvent* event) override;
  // A single .cp file dropped on the window opens as F8 opens it.
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // How much of the pages a command changed.
  enum class Redraw {
    ActivePage,  // the fields of the active page
    Refill,      // every page from the settings: a load, the defaults, the converter
  };

  void buildMenus();
  // Ctrl+Q: on "Main" the path of F10, on an editing page that of closing
  // the window.
  void buildQuitKey();
  // The recent files and the trace switch of the settings store.
  void takeStoredSettings();
  // The link traced to the work folder's trace file while the setup's
  // switch is on; a file that cannot be written is said once.
  void applyTraceSetting();
  void buildToolBar();
  void buildPages();
  void buildStatusBar();
  void showView(Redraw redraw);
  // The caption, the status bar and the key-map line.
  void showStatus(const window::WindowView& view);
  void showTabs(const window::WindowView& view);
  void showCommands(const window::WindowView& view);
  void showFocus(const window::FocusRequest& focus);
  void tabChanged(int index);
  void chooseConverter(pages::ConverterMode mode);
  bool adjacentPage(int step);
  // F2 to F6: the controller's flow of the key; keys wait for it to end.
  void runPagerKey(window::KeyOutcome outcome);
  // The field being edited stored as leaving it stores it; false when refused.
  window::StoreFocusedField storeFocusedField();
  // "Play tone" on a Code page and the keypad button on "Password / OTA".
  void playTone();
  void openUserPasswordKeypad();
  // "Stay on &Top": the window above others or not, where it is.
  void applyStayOnTop(bool on);
  // The report's page pictures into folder, the window kept on top meanwhile.
  void capturePages(const window::WindowView& view, const QString& folder);
  void showReport(const CodeplugReport& report);

  QtReporter reporter_;
  // F1 and "&Help Topics": the guide beside or installed with the program.
  HelpOpener help_;
  std::unique_ptr<window::WindowController> controller_;
  FileChooser chooseOpen_;
  FileChooser chooseSave_;
  ReportPresenter presentReport_;
  QTabWidget* mainPgc_ = nullptr;
  // The tabs of the editing pages, and the pages in them once built.
  std::array<QWidget*, pages::kPageCount> tabPages_{};
  EditingPages* editingPages_ = nullptr;
  bool pagesScheduled_ = false;
  QLineEdit* keymapStr_ = nullptr;
  QLabel* statusOperation_ = nullptr;
  QLabel* statusVersion_ = nullptr;
  QProgressBar* promptGauge_ = nullptr;
  QToolBar* toolBar_ = nullptr;
  QHash<QString, QAction*> actions_;
  QHash<QString, QMenu*> menus_;
  // The window is drawing the controller's view: tab changes are its own.
  bool showing_ = false;
  // A command runs (its boxes are open): keys wait for it to end.
  bool running_ = false;
  std::unique_ptr<WindowOperations> operations_;
  // Closing was confirmed while an operation ran: the window closes at its end.
  bool closeAfterOperation_ = false;
  QPointer<ProductionDialog> productionDialog_;
  PortLister listPorts_ = link::listPorts;
  // The tones of the pleasing alert editor and "Play tone".
  std::unique_ptr<AudioToneOutput> tones_;
  RecentFilesMenu* recentFiles_ = nullptr;
  // The size the window had before the converter's tab row widened it.
  WindowSizeKeeper sizeKeeper_{*this};
};

}  // namespace zelta::ui
