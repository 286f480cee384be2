#include "ui/main_window.h"

#include <QAbstractButton>
#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFont>
#include <QFontDatabase>
#include <QIcon>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QMouseEvent>
#include <QPointer>
#include <QProgressBar>
#include <QScreen>
#include <QStatusBar>
#include <QStyle>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolBar>
#include <QUrl>
#include <QVBoxLayout>
#include <QWindow>

#include "ui/about_dialog.h"
#include "ui/audio_tone_output.h"
#include "ui/codeplug_report.h"
#include "ui/editing_pages.h"
#include "ui/keypad_dialog.h"
#include "ui/main_commands.h"
#include "ui/pleasing_alert_dialog.h"
#include "ui/qsettings_store.h"
#include "ui/qt_text.h"
#include "ui/recent_files_menu.h"
#include "ui/report_capture.h"
#include "ui/report_preview.h"
#include "ui/service_window.h"
#include "ui/setup_dialog.h"
#include "ui/trace_switch_box.h"
#include "version.h"
#include "window/report_sheets.h"
#include "window/trace_setting.h"

namespace zelta::ui {
namespace {

QString pathText(const std::filesystem::path& path) {
  return QString::fromStdString(path.string());
}

// Where a file dialog starts: the folder asked for, or its nearest existing
// parent. A missing folder would otherwise land in the home folder with the
// missing name typed into the file name box.
QString dialogFolder(std::filesystem::path folder) {
  std::error_code error;
  while (!folder.empty() && !std::filesystem::is_directory(folder, error) &&
         folder.has_parent_path() && folder.parent_path() != folder)
    folder = folder.parent_path();
  return pathText(folder);
}

// "description|patterns|description|patterns" as a Qt name filter
// ("description (patterns);;..."); "*.*" means every file.
QString nameFilter(std::string_view filter) {
  const QStringList parts = qs(filter).split('|');
  QStringList filters;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    QString patterns = parts[i + 1];
    patterns.replace(';', ' ');
    if (patterns == "*.*") patterns = "*";
    filters << parts[i] + " (" + patterns + ")";
  }
  return filters.join(";;");
}

// The settings value of the window's size, position and maximised state
// (QWidget::saveGeometry, as base64 text).
constexpr std::string_view kWindowGeometryValue = "Window Geometry";

// What a drop would open: one local file named *.cp, in any case. Several
// files, folders and other names are refused as the drag enters.
std::optional<std::filesystem::path> droppedCodeplug(const QMimeData* data) {
  if (data == nullptr || !data->hasUrls()) return std::nullopt;
  const QList<QUrl> urls = data->urls();
  if (urls.size() != 1 || !urls.front().isLocalFile()) return std::nullopt;
  const QString file = urls.front().toLocalFile();
  if (!file.endsWith(qs(window::kCodeplugExtension), Qt::CaseInsensitive)) return std::nullopt;
  return std::filesystem::path(file.toStdString());
}

}  // namespace

MainWindow::MainWindow(storage::WorkFiles work, QWidget* parent)
    : QMainWindow(parent),
      reporter_(this),
      help_(QCoreApplication::applicationDirPath()),
      controller_(std::make_unique<window::WindowController>(*this, reporter_, std::move(work))) {
  setObjectName("FmMain");
  buildMenus();
  buildToolBar();
  buildPages();
  buildStatusBar();
  tones_ = std::make_unique<AudioToneOutput>(
      [this](const QString& text) { statusBar()->showMessage(text, 5000); });
  operations_ = std::make_unique<WindowOperations>(*controller_, reporter_, this,
                                                   std::make_unique<QSettingsStore>());
  takeStoredSettings();
  setAcceptDrops(true);
  connect(actions_.value("setupCommunication"), &QAction::triggered, this,
          &MainWindow::setupCommunication);
  mainPgc_->installEventFilter(this);
  mainPgc_->tabBar()->installEventFilter(this);
  connect(mainPgc_, &QTabWidget::currentChanged, this, &MainWindow::tabChanged);
  showView(Redraw::ActivePage);
  // Large enough for the widest editing page, within the screen.
  QSize size(1100, 800);
  if (const QScreen* shown = screen()) size = size.boundedTo(shown->availableSize());
  resize(size);
}

MainWindow::~MainWindow() {
  // The widgets die after the controller: they must not call into it.
  if (editingPages_ != nullptr) editingPages_->attach(nullptr);
}

EditingPages& MainWindow::editingPages() {
  if (editingPages_ != nullptr) return *editingPages_;
  editingPages_ = new EditingPages(this);
  for (const pages::PageInfo& info : pages::kPages) {
    if (QWidget* page = editingPages_->page(info.page))
      tabPages_[static_cast<std::size_t>(pages::pageIndex(info.page))]->layout()->addWidget(page);
  }
  editingPages_->attach(controller_.get());
  connect(editingPages_, &EditingPages::fieldEventHandled, this,
          [this] { showStatus(controller_->view()); });
  connect(editingPages_, &EditingPages::playToneClicked, this, &MainWindow::playTone);
  connect(editingPages_, &EditingPages::userPasswordKeypadClicked, this,
          &MainWindow::openUserPasswordKeypad);
  return *editingPages_;
}

void MainWindow::paintEvent(QPaintEvent* event) {
  QMainWindow::paintEvent(event);
  // The launcher page is on the screen: the editing pages, a thousand
  // widgets, are built behind it.
  if (editingPages_ == nullptr && !pagesScheduled_) {
    pagesScheduled_ = true;
    QTimer::singleShot(0, this, [this] { editingPages(); });
  }
}

// ---- Building ----

void MainWindow::buildMenus() {
  for (const MenuEntry& entry : kMenus) {
    QMenu* menu = menuBar()->addMenu(qs(entry.caption));
    menu->setObjectName(qs(entry.name));
    menu->menuAction()->setVisible(!entry.hidden);
    menus_.insert(qs(entry.name), menu);
  }
  for (const MenuItemEntry& entry : kMenuItems) {
    QMenu* menu = menus_.value(qs(entry.menu));
    QAction* item = menu->addAction(qs(entry.caption));
    item->setObjectName(qs(entry.name));
    if (!entry.shortcut.empty()) {
      item->setShortcut(QKeySequence(qs(entry.shortcut)));
      item->setShortcutContext(Qt::WindowShortcut);
    }
    item->setVisible(!entry.hidden);
    // Shortcuts of items in hidden menus must still fire: the window itself
    // carries every action. A disabled menu does not stop them, so the
    // command states enable and disable the items themselves.
    addAction(item);
    actions_.insert(qs(entry.name), item);
    if (entry.separatorAfter) menu->addSeparator();
  }
  for (const window::KeyEntry& key : window::kKeys) {
    if (QAction* item = actions_.value(qs(key.command))) {
      connect(item, &QAction::triggered, this, [this, k = key.key] { runKey(k); });
    }
  }
  connect(actions_.value("menuAbout"), &QAction::triggered, this, [this] { showAbout(this); });
  connect(actions_.value("productionBtn"), &QAction::triggered, this, &MainWindow::productionRun);
  QAction* locker = actions_.value("menuLocker");
  locker->setCheckable(true);
  connect(locker, &QAction::triggered, this, [this](bool on) {
    controller_->setLocker(on);
    showView(Redraw::ActivePage);
  });
  QAction* stayOnTop = actions_.value("setupStayontop");
  stayOnTop->setCheckable(true);
  connect(stayOnTop, &QAction::toggled, this, &MainWindow::applyStayOnTop);
  connect(actions_.value("menuPrint"), &QAction::triggered, this, &MainWindow::printReport);

  QMenu* converter = menus_.value("menuTools")->addMenu(qs(kConverterMenuCaption));
  converter->setObjectName("menuRemodulator");
  menus_.insert("menuRemodulator", converter);
  auto* group = new QActionGroup(converter);
  constexpr pages::ConverterMode kModes[] = {pages::ConverterMode::Off, pages::ConverterMode::Lumio,
                                             pages::ConverterMode::Varda};
  for (std::size_t i = 0; i < std::size(kConverterItems); ++i) {
    QAction* a = converter->addAction(qs(kConverterItems[i][1]));
    a->setObjectName(qs(kConverterItems[i][0]));
    a->setCheckable(true);
    group->addAction(a);
    actions_.insert(a->objectName(), a);
    connect(a, &QAction::triggered, this, [this, mode = kModes[i]] { chooseConverter(mode); });
  }

  // The files last used, just above "E&xit " as on every desktop.
  QMenu* file = menus_.value("menuFile");
  recentFiles_ = new RecentFilesMenu(file);
  file->insertMenu(actions_.value("menuExit"), recentFiles_);
  file->insertSeparator(actions_.value("menuExit"));
  menus_.insert(recentFiles_->objectName(), recentFiles_);
  connect(recentFiles_, &RecentFilesMenu::fileChosen, this,
          [this](const QString& chosen) { openFile(chosen.toStdString()); });
  buildQuitKey();
}

void MainWindow::buildQuitKey() {
  auto* quit = new QAction(this);
  quit->setObjectName("actionQuit");
  quit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
  quit->setShortcutContext(Qt::WindowShortcut);
  addAction(quit);
  actions_.insert(quit->objectName(), quit);
  connect(quit, &QAction::triggered, this, [this] {
    if (running_ || showing_) return;
    if (controller_->activePage() == pages::Page::Main)
      runKey(window::WindowKey::F10);
    else
      close();
  });
}

void MainWindow::buildToolBar() {
  toolBar_ = addToolBar("toolBar");
  toolBar_->setObjectName("toolBar");
  toolBar_->setMovable(false);
  toolBar_->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
  for (const ToolEntry& tool : kTools) {
    if (tool.name.empty()) {
      toolBar_->addSeparator();
      continue;
    }
    const QIcon icon =
        QIcon::fromTheme(qs(tool.themeIcon), style()->standardIcon(tool.fallbackIcon));
    QAction* a = toolBar_->addAction(icon, qs(tool.text));
    a->setObjectName(qs(tool.name));
    a->setToolTip(qs(tool.hint));
    a->setStatusTip(qs(tool.hint));
    actions_.insert(a->objectName(), a);
    connect(a, &QAction::triggered, this, [this, key = tool.key] { runKey(key); });
  }
}

void MainWindow::buildPages() {
  auto* central = new QWidget(this);
  auto* layout = new QVBoxLayout(central);
  mainPgc_ = new QTabWidget(central);
  mainPgc_->setObjectName("mainPgc");
  mainPgc_->setUsesScrollButtons(false);
  for (const pages::PageInfo& info : pages::kPages) {
    auto* page = new QWidget(mainPgc_);
    if (info.page == pages::Page::Main) {
      page->setObjectName(qs(info.component));
    } else {
      // The editing page goes in here once it is built.
      auto* host = new QVBoxLayout(page);
      host->setContentsMargins(0, 0, 0, 0);
    }
    tabPages_[static_cast<std::size_t>(pages::pageIndex(info.page))] = page;
    mainPgc_->addTab(page, qs(info.caption));
  }
  QWidget* mainPage = mainPgc_->widget(kMainPage);
  auto* keys = new QVBoxLayout(mainPage);
  // The key texts are padded with blanks to line up in columns.
  QFont keyFont = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  for (const KeyLabel& key : kMainPageKeys) {
    auto* label = new QLabel(qs(key.text), mainPage);
    label->setFont(keyFont);
    label->setEnabled(!key.greyed);
    keys->addWidget(label);
  }
  keys->addStretch();

  keymapStr_ = new QLineEdit(central);
  keymapStr_->setObjectName("keymapStr");
  keymapStr_->setReadOnly(true);
  keymapStr_->setFocusPolicy(Qt::NoFocus);
  layout->addWidget(mainPgc_, 1);
  layout->addWidget(keymapStr_);
  setCentralWidget(central);
}

void MainWindow::buildStatusBar() {
  QStatusBar* bar = statusBar();
  bar->setObjectName("mainStatusBar");
  statusOperation_ = new QLabel(bar);
  statusOperation_->setObjectName("statusOperation");
  // At least the 480 pixels of the operation text, and what the status bar
  // has left besides for the line of the last programming; a longer line is
  // cut, whole in its tooltip, and never widens the window.
  statusOperation_->setMinimumWidth(480);
  statusOperation_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
  promptGauge_ = new QProgressBar(bar);
  promptGauge_->setObjectName("promptGauge");
  promptGauge_->setRange(0, 100);
  promptGauge_->setValue(0);
  promptGauge_->setTextVisible(true);
  // A bare percentage says nothing of what is measured.
  promptGauge_->setFormat(QStringLiteral("Prompt memory %p%"));
  promptGauge_->setToolTip(QStringLiteral("Share of the pager's prompt memory the prompts use"));
  promptGauge_->setFixedWidth(170);
  promptGauge_->setVisible(false);
  statusVersion_ = new QLabel(bar);
  statusVersion_->setObjectName("statusVersion");
  statusVersion_->setMinimumWidth(172);
  bar->addWidget(statusOperation_, 1);
  bar->addWidget(promptGauge_);
  bar->addWidget(statusVersion_);
}

// ---- The file dialogs ----

void MainWindow::setFileChoosers(FileChooser open, FileChooser save) {
  chooseOpen_ = std::move(open);
  chooseSave_ = std::move(save);
}

std::optional<std::filesystem::path> MainWindow::chooseFileToOpen(
    const window::FileDialogRequest& request) {
  if (chooseOpen_) return chooseOpen_(request);
  QFileDialog dialog(this, QStringLiteral("Open"), dialogFolder(request.folder),
                     nameFilter(request.filter));
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::ExistingFile);
  dialog.setDefaultSuffix(qs(request.defaultExtension).remove('.'));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return std::filesystem::path(dialog.selectedFiles().first().toStdString());
}

std::optional<std::filesystem::path> MainWindow::chooseFileToSave(
    const window::FileDialogRequest& request) {
  if (chooseSave_) return chooseSave_(request);
  QFileDialog dialog(this, QStringLiteral("Save As"), dialogFolder(request.folder),
                     nameFilter(request.filter));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  // The controller asks before it replaces a file.
  dialog.setOption(QFileDialog::DontConfirmOverwrite);
  dialog.setDefaultSuffix(qs(request.defaultExtension).remove('.'));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return std::filesystem::path(dialog.selectedFiles().first().toStdString());
}

window::UnsavedEditsAnswer MainWindow::askAboutUnsavedEdits(
    const window::UnsavedEditsQuestion& question) {
  if (reporter_.quiet()) return window::UnsavedEditsAnswer::Cancel;
  QMessageBox box(QMessageBox::Warning, qs(question.caption), qs(question.text),
                  QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, this);
  box.setWindowModality(Qt::ApplicationModal);
  // Some styles call Discard "Close without Saving"; F10 closes nothing.
  box.button(QMessageBox::Save)->setText(QStringLiteral("&Save"));
  box.button(QMessageBox::Discard)->setText(QStringLiteral("&Discard"));
  box.button(QMessageBox::Cancel)->setText(QStringLiteral("&Cancel"));
  box.setDefaultButton(QMessageBox::Save);
  box.setEscapeButton(QMessageBox::Cancel);
  switch (box.exec()) {
    case QMessageBox::Save: return window::UnsavedEditsAnswer::Save;
    case QMessageBox::Discard: return window::UnsavedEditsAnswer::Discard;
    default: return window::UnsavedEditsAnswer::Cancel;
  }
}

// ---- Pleasing alert, tones and the user password keypad ----

void MainWindow::editPleasingAlert(codes::Melody& melody) {
  PleasingAlertDialog dialog(melody, *tones_, this);
  dialog.exec();
}

void MainWindow::playTone() {
  controller_->playTone(*tones_, QCoreApplication::applicationDirPath().toStdString());
}

void MainWindow::openUserPasswordKeypad() {
  KeypadDialog dialog(controller_->settings().cpwFc_Password, reporter_, this);
  if (dialog.exec() != QDialog::Accepted || !dialog.saved()) return;
  controller_->storeUserPassword(*dialog.saved());
  showView(Redraw::ActivePage);
}

// ---- Stay on top and the report ----

void MainWindow::applyStayOnTop(bool on) {
  Qt::WindowFlags flags = windowFlags();
  flags.setFlag(Qt::WindowStaysOnTopHint, on);
  // Told to the window system as it stands: recreating the window would
  // move it and flicker.
  overrideWindowFlags(flags);
  if (QWindow* handle = windowHandle()) handle->setFlags(flags);
}

void MainWindow::printReport() {
  if (running_ || showing_ || !controller_->view().enabled("menuPrint")) return;
  QTemporaryDir folder(QDir::temp().filePath(QStringLiteral("zelta-pps-report-XXXXXX")));
  if (!folder.isValid()) {
    QMessageBox::warning(
        this, QStringLiteral("Print"),
        QStringLiteral("The page pictures of the report cannot be written:\n%1\n%2")
            .arg(QDir::tempPath(), folder.errorString()));
    return;
  }
  const window::WindowView view = controller_->view();
  running_ = true;
  capturePages(view, folder.path());
  const CodeplugReport report(folder.path(), view.printedPages,
                              qs(window::reportTitle(controller_->codeplugName())));
  if (presentReport_)
    presentReport_(report);
  else
    showReport(report);
  running_ = false;
}

void MainWindow::capturePages(const window::WindowView& view, const QString& folder) {
  // The pages as the rules have them now; the page being edited shows what
  // is typed in it.
  for (const pages::PageInfo& info : pages::kPages) {
    if (info.page != pages::Page::Main && info.page != view.activePage &&
        view.tabs[static_cast<std::size_t>(pages::pageIndex(info.page))].shown)
      editingPages().refresh(info.page);
  }
  QAction* stayOnTop = actions_.value("setupStayontop");
  const bool wasOnTop = stayOnTop->isChecked();
  if (!wasOnTop) stayOnTop->setChecked(true);
  showing_ = true;
  // Showing a page moves the keyboard into its fields; the rules must not
  // see that as the user leaving and entering them (a field stored, an
  // editor opened), and the pictures show no field selected. The field
  // being edited gets the focus back.
  const QPointer<QWidget> focused = QApplication::focusWidget();
  editingPages().pauseEvents(true);
  setFocus(Qt::OtherFocusReason);
  captureReportPages(*mainPgc_, window::reportCapturePages(view), folder);
  if (focused != nullptr && focused->isVisible()) focused->setFocus(Qt::OtherFocusReason);
  editingPages().pauseEvents(false);
  showing_ = false;
  if (!wasOnTop) stayOnTop->setChecked(false);
}

void MainWindow::showReport(const CodeplugReport& report) {
  const std::filesystem::path opened(controller_->codeplugName());
  const std::filesystem::path folder =
      opened.has_parent_path() ? opened.parent_path() : controller_->archiveFolder();
  ReportPreview preview(report, dialogFolder(folder), this);
  // A sheet large enough to read, over the window.
  preview.resize(size());
  preview.exec();
}

// ---- Commands ----

void MainWindow::runKey(window::WindowKey key) {
  if (running_ || showing_) return;
  const window::KeyEntry& entry = window::keyEntry(key);
  const bool onMain = controller_->activePage() == pages::Page::Main;
  const window::KeyCommand command = onMain ? entry.onMain : entry.onEditing;
  // A command not offered does nothing, whatever reached it.
  if (entry.command.empty() || !controller_->view().enabled(entry.command)) return;
  running_ = true;
  const window::KeyOutcome outcome =
      controller_->pressKey(key, window::KeyInput{.storeFocusedField = storeFocusedField()});
  running_ = false;
  switch (outcome) {
    case window::KeyOutcome::OpenHelp: help_.open(this); return;
    case window::KeyOutcome::Read:
    case window::KeyOutcome::Program:
    case window::KeyOutcome::ProgramSingle:
    case window::KeyOutcome::ProgramSequential:
    case window::KeyOutcome::Service: runPagerKey(outcome); return;
    case window::KeyOutcome::CloseWindow: close(); return;
    default: break;
  }
  const bool refill =
      command == window::KeyCommand::Load || command == window::KeyCommand::SetToDefaults;
  showView(refill ? Redraw::Refill : Redraw::ActivePage);
}

void MainWindow::chooseConverter(pages::ConverterMode mode) {
  if (running_ || showing_) return;
  running_ = true;
  controller_->chooseConverter(mode);
  running_ = false;
  showView(Redraw::Refill);
}

bool MainWindow::requestPage(pages::Page page) {
  if (running_ || showing_) return false;
  const pages::Page active = controller_->activePage();
  if (active == pages::Page::Main || page == active) return false;
  running_ = true;
  const bool changed = controller_->selectPage(page, storeFocusedField());
  running_ = false;
  showView(Redraw::ActivePage);
  return changed;
}

// The tab bar's arrow keys move to the next shown tab, as a click on it would.
bool MainWindow::adjacentPage(int step) {
  const int count = mainPgc_->count();
  for (int i = 1; i < count; ++i) {
    const int index = ((mainPgc_->currentIndex() + step * i) % count + count) % count;
    if (!mainPgc_->isTabVisible(index)) continue;
    if (const std::optional<pages::Page> page = pages::pageFromIndex(index))
      return requestPage(*page);
  }
  return false;
}

void MainWindow::tabChanged(int index) {
  if (showing_) return;
  const int active = pages::pageIndex(controller_->activePage());
  if (index == active) return;
  // A change the window did not ask for: back to the controller's page,
  // then asked for as a click asks.
  showing_ = true;
  mainPgc_->setCurrentIndex(active);
  showing_ = false;
  if (const std::optional<pages::Page> page = pages::pageFromIndex(index)) requestPage(*page);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  QTabBar* bar = mainPgc_->tabBar();
  if (watched == bar) {
    switch (event->type()) {
      case QEvent::MouseButtonPress:
      case QEvent::MouseButtonDblClick: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() != Qt::LeftButton) break;
        const int index = bar->tabAt(mouse->position().toPoint());
        if (index < 0 || index == bar->currentIndex()) break;
        // The page checks decide before the tab bar moves.
        if (const std::optional<pages::Page> page = pages::pageFromIndex(index)) requestPage(*page);
        return true;
      }
      case QEvent::Wheel: return true;
      case QEvent::KeyPress: {
        switch (static_cast<QKeyEvent*>(event)->key()) {
          case Qt::Key_Left:
          case Qt::Key_Up: adjacentPage(-1); return true;
          case Qt::Key_Right:
          case Qt::Key_Down: adjacentPage(1); return true;
          case Qt::Key_Home:
          case Qt::Key_End: return true;
          default: break;
        }
        break;
      }
      default: break;
    }
  } else if (watched == mainPgc_ && event->type() == QEvent::KeyPress) {
    // Ctrl+Tab and Ctrl+PgUp/PgDn would change the tab past the page checks.
    auto* key = static_cast<QKeyEvent*>(event);
    if ((key->modifiers() & Qt::ControlModifier) &&
        (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab ||
         key->key() == Qt::Key_PageUp || key->key() == Qt::Key_PageDown)) {
      return true;
    }
  }
  return QMainWindow::eventFilter(watched, event);
}

window::StoreFocusedField MainWindow::storeFocusedField() {
  return [this] { return editingPages().commitFocusedField(); };
}

void MainWindow::closeEvent(QCloseEvent* event) {
  if (closeAfterOperation_ && !operations_->running() && productionDialog_ == nullptr) {
    rememberGeometry();
    event->accept();
    return;
  }
  if (productionDialog_ != nullptr && productionDialog_->running()) {
    // The run's question decides: a run that stops closes the dialog, and
    // then the window, once its fixtures have ended.
    productionDialog_->requestClose();
    if (productionDialog_->closing()) closeAfterOperation_ = true;
    event->ignore();
    return;
  }
  const bool editing = controller_->activePage() != pages::Page::Main;
  const bool wasRunning = running_;
  running_ = true;
  const bool confirmed = controller_->confirmClose(
      operations_->running(), false, editing ? storeFocusedField() : window::StoreFocusedField{});
  running_ = wasRunning;
  if (!confirmed) {
    // A save asked for and not finished, or Cancel: the window stays as the
    // question left it.
    if (editing && !operations_->running()) showView(Redraw::ActivePage);
    event->ignore();
    return;
  }
  if (operations_->running() || productionDialog_ != nullptr) {
    // The operation owns the port until it ends, the production dialog its
    // event loop until it is gone; the window goes then.
    closeAfterOperation_ = true;
    if (productionDialog_ != nullptr) productionDialog_->done(QDialog::Rejected);
    event->ignore();
    return;
  }
  rememberGeometry();
  event->accept();
}

// ---- Desktop conventions: files by name, the window's place ----

bool MainWindow::openFile(const std::filesystem::path& file) {
  if (running_ || showing_ || operations_->running()) return false;
  const bool editing = controller_->activePage() != pages::Page::Main;
  running_ = true;
  const errors::OperationOutcome opened =
      controller_->openFile(file, editing ? storeFocusedField() : window::StoreFocusedField{});
  running_ = false;
  showView(Redraw::Refill);
  return opened.succeeded();
}

void MainWindow::codeplugFileUsed(const std::filesystem::path& file) {
  recentFiles_->add(file);
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
  if (!running_ && !showing_ && !operations_->running() && droppedCodeplug(event->mimeData()))
    event->acceptProposedAction();
  else
    event->ignore();
}

void MainWindow::dropEvent(QDropEvent* event) {
  const std::optional<std::filesystem::path> file = droppedCodeplug(event->mimeData());
  if (!file) {
    event->ignore();
    return;
  }
  event->acceptProposedAction();
  // The file manager waits for the drop to end: the questions and boxes of
  // the open come after it.
  QTimer::singleShot(0, this, [this, opened = *file] { openFile(opened); });
}

void MainWindow::rememberGeometry() {
  operations_->store().writeString(kWindowGeometryValue, saveGeometry().toBase64().toStdString());
}

bool MainWindow::restoreRememberedGeometry() {
  const std::optional<std::string> kept = operations_->store().readString(kWindowGeometryValue);
  if (!kept || kept->empty()) return false;
  return restoreGeometry(QByteArray::fromBase64(QByteArray::fromStdString(*kept)));
}

// ---- The pager operations ----

bool MainWindow::pagerOperationRunning() const {
  return operations_->running();
}

void MainWindow::endSession(int status) {
  reporter_.setQuiet(true);
  operations_->runner().shutDown();
  // The fixtures finish the blocks they write; the dialog waits for them
  // when it goes.
  if (productionDialog_ != nullptr) productionDialog_->stop();
  // A close asked for from now on goes without a question, once no
  // operation runs.
  closeAfterOperation_ = true;
  // Every event loop ends, the boxes' and the running operation's too; the
  // operation's runner still waits for it (OperationRunner::run).
  QCoreApplication::exit(status);
}

void MainWindow::useSettingsStore(std::unique_ptr<window::SettingsStore> store) {
  if (operations_->running()) return;
  tones_ = std::make_unique<AudioToneOutput>(
      [this](const QString& text) { statusBar()->showMessage(text, 5000); });
  operations_ = std::make_unique<WindowOperations>(*controller_, reporter_, this, std::move(store));
  takeStoredSettings();
}

void MainWindow::takeStoredSettings() {
  recentFiles_->useStore(operations_->store());
  applyTraceSetting();
}

void MainWindow::applyTraceSetting() {
  if (!window::traceToFile(operations_->store())) {
    operations_->traceTo(std::nullopt);
    return;
  }
  const std::filesystem::path file = window::traceFilePath(controller_->workFiles().folder);
  if (operations_->tracing() || operations_->traceTo(file)) return;
  QMessageBox::warning(
      this, QStringLiteral("Trace to file"),
      QStringLiteral("The link trace cannot be written to\n%1").arg(pathText(file)));
}

void MainWindow::setupCommunication() {
  if (running_ || showing_ || operations_->running()) return;
  running_ = true;
  TFmSetup setup(operations_->store(), pathText(controller_->archiveFolder()), listPorts_, this);
  setup.setHelpOpener(&help_);
  setup.traceSwitch().setTraceFile(
      pathText(window::traceFilePath(controller_->workFiles().folder)));
  if (setup.exec() == QDialog::Accepted) {
    operations_->configure(setup.applied());
    controller_->setArchiveFolder(
        window::workFolderOf(setup.applied(), controller_->archiveFolder().string()));
    applyTraceSetting();
  }
  running_ = false;
}

std::optional<ProductionStart> MainWindow::productionStart() {
  ProductionStart start;
  if (controller_->codeplugLoaded()) {
    if (!storeFocusedField()()) return std::nullopt;
    start.onScreen = window::ProductionTemplate{
        controller_->codeplugName(),
        std::make_shared<const codeplug::CodeplugImage>(controller_->image()),
        controller_->settings()};
  }
  start.folder = controller_->archiveFolder();
  start.listPorts = listPorts_;
  start.chooseOpen = [this](const window::FileDialogRequest& r) { return chooseFileToOpen(r); };
  start.chooseSave = [this](const window::FileDialogRequest& r) { return chooseFileToSave(r); };
  return start;
}

void MainWindow::productionRun() {
  if (running_ || showing_ || operations_->running() || closeAfterOperation_) return;
  std::optional<ProductionStart> start = productionStart();
  if (!start) return;
  running_ = true;
  ProductionDialog dialog(std::move(*start), reporter_, this);
  productionDialog_ = &dialog;
  dialog.exec();
  productionDialog_ = nullptr;
  running_ = false;
  showView(Redraw::ActivePage);
  if (closeAfterOperation_) close();
}

void MainWindow::runPagerKey(window::KeyOutcome outcome) {
  running_ = true;
  controller_->runPagerCommand(outcome, *this);
  running_ = false;
  showView(Redraw::Refill);
  if (closeAfterOperation_) close();
}

errors::OperationOutcome MainWindow::read() {
  return operations_->read();
}

errors::OperationOutcome MainWindow::program(const window::ProgramRequest& request) {
  return operations_->program(request);
}

window::PagerReport MainWindow::report() const {
  return operations_->report();
}

void MainWindow::redraw() {
  showView(Redraw::ActivePage);
}

bool MainWindow::openServiceWindow(const window::ServiceStart& start,
                                   const window::ServiceProgram& program) {
  // The window goes once the read has ended; nothing new opens before.
  if (closeAfterOperation_) return false;
  return runServiceWindow(*operations_, *controller_, reporter_, help_, start, program, this);
}

// ---- Drawing the view ----

void MainWindow::showView(Redraw redraw) {
  const window::WindowView view = controller_->view();
  showing_ = true;
  sizeKeeper_.contentsChanging();
  if (redraw == Redraw::Refill) {
    editingPages().refill(controller_->modelLayout());
  } else if (view.activePage != pages::Page::Main) {
    editingPages().refresh(view.activePage);
  }
  showTabs(view);
  showCommands(view);
  showStatus(view);
  sizeKeeper_.contentsChanged();
  showing_ = false;
  showFocus(view.focus);
}

void MainWindow::showStatus(const window::WindowView& view) {
  // Unsaved edits mark the title.
  setWindowTitle(qs(view.caption) + (view.unsavedEdits ? QStringLiteral("*") : QString()));
  // Panel 0 tells the operation while one runs, else the last programming.
  const QString status = qs(view.operationText.empty() ? view.statusResult : view.operationText);
  statusOperation_->setText(status);
  statusOperation_->setToolTip(status);
  promptGauge_->setValue(view.gaugeValue);
  promptGauge_->setVisible(view.gaugeVisible);
  statusVersion_->setText(qs(view.versionText));
  keymapStr_->setText(qs(view.keymap));
}

void MainWindow::showTabs(const window::WindowView& view) {
  // The page to show first, so that hiding the others never moves to a third.
  for (int i = 0; i < pages::kPageCount; ++i) {
    const window::TabView& tab = view.tabs[static_cast<std::size_t>(i)];
    if (!tab.shown) continue;
    mainPgc_->setTabVisible(i, true);
    if (mainPgc_->tabText(i) != qs(tab.caption)) mainPgc_->setTabText(i, qs(tab.caption));
  }
  mainPgc_->setCurrentIndex(pages::pageIndex(view.activePage));
  for (int i = 0; i < pages::kPageCount; ++i) {
    if (!view.tabs[static_cast<std::size_t>(i)].shown) mainPgc_->setTabVisible(i, false);
  }
  mainPgc_->setEnabled(view.pagesEnabled);
}

void MainWindow::showCommands(const window::WindowView& view) {
  for (const window::CommandState& state : view.commands) {
    const QString name = qs(state.name);
    if (QMenu* m = menus_.value(name)) {
      m->setEnabled(state.enabled);
      m->menuAction()->setVisible(state.visible);
      continue;
    }
    QAction* a = actions_.value(name);
    if (a == nullptr) continue;
    a->setEnabled(state.enabled);
    a->setVisible(state.visible);
    const window::CommandEntry* entry = window::findCommand(state.name);
    if (entry != nullptr && entry->check != window::Check::None) a->setChecked(state.checked);
  }
  toolBar_->setEnabled(view.pagesEnabled);
}

void MainWindow::showFocus(const window::FocusRequest& focus) {
  switch (focus.target) {
    case window::FocusRequest::Target::None: break;
    case window::FocusRequest::Target::PageControl: mainPgc_->setFocus(); break;
    case window::FocusRequest::Target::Field:
      if (QWidget* field = editingPages().fieldWidget(focus.field)) {
        // As the keyboard enters a field: its text is selected, so that
        // typing replaces it (a full field would take nothing otherwise),
        // also when the window is active only after a dialog has closed.
        if (field->isEnabled() && !field->isHidden()) {
          field->setFocus(Qt::TabFocusReason);
          if (auto* edit = qobject_cast<QLineEdit*>(field)) edit->selectAll();
        }
      }
      break;
  }
}

}  // namespace zelta::ui
