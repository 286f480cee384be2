#include "ui/main_window.h"

#include <QAction>
#include <QActionGroup>
#include <QCloseEvent>
#include <QFont>
#include <QFontDatabase>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QToolBar>
#include <QVBoxLayout>

#include "ui/editing_pages.h"
#include "ui/main_commands.h"
#include "version.h"

namespace zelta::ui {
namespace {

QString qs(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent), reporter_(this) {
  setObjectName("FmMain");
  setWindowTitle(qs(kMainWindowCaption));
  buildMenus();
  buildToolBar();
  buildPages();
  buildStatusBar();
  returnToMain();
  applyCommandMode();
  connect(mainPgc_, &QTabWidget::currentChanged, this, [this] {
    updateKeymap();
    applyCommandMode();
  });
}

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
    // Shortcuts of hidden items and hidden menus must still fire: the window
    // itself carries every action.
    addAction(item);
    actions_.insert(qs(entry.name), item);
    if (entry.separatorAfter) menu->addSeparator();
  }
  actions_.value("menuLocker")->setCheckable(true);
  actions_.value("menuLocker")->setChecked(true);
  actions_.value("setupStayontop")->setCheckable(true);

  QMenu* converter = menus_.value("menuTools")->addMenu(qs(kConverterMenuCaption));
  converter->setObjectName("menuRemodulator");
  auto* group = new QActionGroup(converter);
  for (const auto& item : kConverterItems) {
    QAction* a = converter->addAction(qs(item[1]));
    a->setObjectName(qs(item[0]));
    a->setCheckable(true);
    group->addAction(a);
    actions_.insert(qs(item[0]), a);
  }
  actions_.value("cprDisable")->setChecked(true);

  connect(actions_.value("menuExit"), &QAction::triggered, this, &MainWindow::exitClicked);
}

void MainWindow::buildToolBar() {
  toolBar_ = addToolBar("toolBar");
  toolBar_->setObjectName("toolBar");
  toolBar_->setMovable(false);
  struct ToolEntry {
    const char* name;
    const char* hint;
    const char* text;
  };
  static constexpr ToolEntry kTools[] = {
      {"toolBarOpen", "Load Codeplug (F8)", "Load"},
      {"toolBarSave", "Save Codeplug", "Save"},
      {nullptr, nullptr, nullptr},
      {"toolBarRead", "Read Pager (F3)", "Read"},
      {"toolBarWrite", "Program Pager (F2)", "Program"},
      {nullptr, nullptr, nullptr},
      {"toolBarExit", "Exit (F10)", "Exit"},
  };
  for (const ToolEntry& tool : kTools) {
    if (tool.name == nullptr) {
      toolBar_->addSeparator();
      continue;
    }
    QAction* a = toolBar_->addAction(QString::fromLatin1(tool.text));
    a->setObjectName(QString::fromLatin1(tool.name));
    a->setToolTip(QString::fromLatin1(tool.hint));
    a->setStatusTip(QString::fromLatin1(tool.hint));
    actions_.insert(a->objectName(), a);
  }
  connect(actions_.value("toolBarExit"), &QAction::triggered, this, &MainWindow::exitClicked);
}

void MainWindow::buildPages() {
  auto* central = new QWidget(this);
  auto* layout = new QVBoxLayout(central);
  mainPgc_ = new QTabWidget(central);
  mainPgc_->setObjectName("mainPgc");
  editingPages_ = new EditingPages(this);
  for (const pages::PageInfo& info : pages::kPages) {
    QWidget* page = editingPages_->page(info.page);
    if (page == nullptr) {
      page = new QWidget(mainPgc_);
      page->setObjectName(qs(info.component));
    }
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

void MainWindow::attachFieldEvents(window::FieldEvents& events) {
  editingPages_->attach(&events);
}

void MainWindow::buildStatusBar() {
  QStatusBar* bar = statusBar();
  bar->setObjectName("mainStatusBar");
  statusOperation_ = new QLabel(bar);
  statusOperation_->setObjectName("statusOperation");
  statusOperation_->setFixedWidth(480);
  promptGauge_ = new QProgressBar(bar);
  promptGauge_->setObjectName("promptGauge");
  promptGauge_->setRange(0, 100);
  promptGauge_->setValue(0);
  promptGauge_->setTextVisible(true);
  promptGauge_->setFixedWidth(90);
  promptGauge_->setVisible(false);
  statusVersion_ = new QLabel(bar);
  statusVersion_->setObjectName("statusVersion");
  statusVersion_->setFixedWidth(172);
  bar->addWidget(statusOperation_);
  bar->addWidget(promptGauge_);
  bar->addWidget(statusVersion_);
}

void MainWindow::returnToMain() {
  for (int i = 0; i < mainPgc_->count(); ++i) mainPgc_->setTabVisible(i, i == kMainPage);
  mainPgc_->setCurrentIndex(kMainPage);
  menus_.value("menuTools")->menuAction()->setVisible(false);
  statusVersion_->clear();
  mainPgc_->setFocus();
  updateKeymap();
}

void MainWindow::setCommandEnabled(std::string_view name, bool enabled) {
  const QString key = qs(name);
  if (QAction* a = actions_.value(key)) a->setEnabled(enabled);
  if (QMenu* m = menus_.value(key)) m->setEnabled(enabled);
}

void MainWindow::applyCommandMode() {
  const bool onMain = mainPgc_->currentIndex() == kMainPage;
  for (std::string_view name : kMainPageCommands) setCommandEnabled(name, onMain);
  for (std::string_view name : kEditingCommands) setCommandEnabled(name, !onMain);
  QAction* print = actions_.value("menuPrint");
  print->setVisible(!onMain);
  print->setEnabled(!onMain);
}

void MainWindow::setBusy(bool busy) {
  const bool enabled = !busy;
  mainPgc_->setEnabled(enabled);
  toolBar_->setEnabled(enabled);
  for (const char* name :
       {"menuFile", "menuSetup", "menuHelp", "menuProg", "menuPage", "menuTools"}) {
    menus_.value(QString::fromLatin1(name))->setEnabled(enabled);
  }
}

void MainWindow::updateKeymap() {
  keymapStr_->setText(mainPgc_->currentIndex() == kMainPage ? QString() : qs(kEditingKeymap));
}

void MainWindow::exitClicked() {
  if (mainPgc_->currentIndex() == kMainPage) {
    close();
    return;
  }
  // Unsaved edits are discarded without a question, as operators expect F10
  // to be the quick way back to the launcher.
  returnToMain();
  applyCommandMode();
  setWindowTitle(qs(kMainWindowCaption));
}

void MainWindow::closeEvent(QCloseEvent* event) {
  const bool yes = reporter_.Ask(
      errors::Question{std::string(kExitQuestionCaption), std::string(kExitQuestionText)});
  if (yes) {
    event->accept();
  } else {
    event->ignore();
  }
}

}  // namespace zelta::ui
