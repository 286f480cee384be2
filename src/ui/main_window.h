#pragma once

#include <QHash>
#include <QMainWindow>
#include <QString>

#include "ui/qt_reporter.h"

class QAction;
class QLabel;
class QLineEdit;
class QMenu;
class QProgressBar;
class QTabWidget;
class QToolBar;

namespace zelta::window {
class FieldEvents;
}

namespace zelta::ui {

class EditingPages;

// The application's single top-level window (FmMain): the page control with
// thirteen editing pages and the "Main" launcher page, the menu bar, the
// toolbar, the key-map line and the three-panel status bar.
class MainWindow : public QMainWindow {
  Q_OBJECT

 public:
  explicit MainWindow(QWidget* parent = nullptr);

  QtReporter& reporter() { return reporter_; }
  QAction* action(const QString& name) const { return actions_.value(name); }
  QTabWidget* pages() const { return mainPgc_; }
  // The thirteen editing pages of the tabs.
  EditingPages& editingPages() const { return *editingPages_; }

  // Binds the editing pages to the rules; the events outlive the window.
  void attachFieldEvents(window::FieldEvents& events);

  // Shows only the "Main" tab and offers the commands that obtain a codeplug.
  void returnToMain();
  // Enables the command group of the active page (launcher or editing).
  void applyCommandMode();
  // While false, pages, toolbar and menus are disabled (a pager operation runs).
  void setBusy(bool busy);

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void buildMenus();
  void buildToolBar();
  void buildPages();
  void buildStatusBar();
  void updateKeymap();
  void exitClicked();
  void setCommandEnabled(std::string_view name, bool enabled);

  QtReporter reporter_;
  QTabWidget* mainPgc_ = nullptr;
  EditingPages* editingPages_ = nullptr;
  QLineEdit* keymapStr_ = nullptr;
  QLabel* statusOperation_ = nullptr;
  QLabel* statusVersion_ = nullptr;
  QProgressBar* promptGauge_ = nullptr;
  QToolBar* toolBar_ = nullptr;
  QHash<QString, QAction*> actions_;
  QHash<QString, QMenu*> menus_;
};

}  // namespace zelta::ui
