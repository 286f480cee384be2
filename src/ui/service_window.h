#pragma once

#include <QDialog>
#include <QHash>
#include <QString>
#include <array>

// Core headers name members "slots"; Qt's keyword macro must not see them.
#pragma push_macro("slots")
#undef slots
#include "window/service_controller.h"
#include "window/window_controller.h"
#include "window/window_pager_port.h"
#pragma pop_macro("slots")

class QAction;
class QButtonGroup;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenuBar;
class QStackedWidget;

namespace zelta::ui {

class HelpOpener;
class QtReporter;
class WindowOperations;

// The service window (TFmService): one page shown at a time ("Main",
// "Adjust Hardware Tuned Values", "Test Mode"), the "&Service" menu whose
// items carry the function keys, and two status panels. Every key and field
// event goes to the service controller; the window draws its view after.
class TFmService : public QDialog {
  Q_OBJECT

 public:
  TFmService(window::ServiceController& controller, const HelpOpener* help,
             QWidget* parent = nullptr);

  window::ServiceController& controller() { return controller_; }
  QAction* action(const QString& name) const { return actions_.value(name); }
  QMenuBar* menuBar() const { return menuBar_; }

  // The command of a function key, as its menu item runs it: nothing while
  // the item is disabled.
  void runKey(window::WindowKey key);
  // Draws the controller's view: the page, the items, the panels, the fields.
  void showView();

 protected:
  void closeEvent(QCloseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void buildMenu();
  QWidget* buildMainPage();
  QWidget* buildAdjustPage();
  QWidget* buildTestPage();
  QLineEdit* numberField(window::AdjustField field, QWidget* parent);
  void showFields(const window::ServiceView& view);
  void showFocus(const window::ServiceFocus& focus);
  void finish(window::ServiceOutcome outcome);

  window::ServiceController& controller_;
  const HelpOpener* help_;
  QMenuBar* menuBar_ = nullptr;
  QHash<QString, QAction*> actions_;
  QLabel* pageCaption_ = nullptr;
  QStackedWidget* servicePgc_ = nullptr;
  QLabel* statusOperation_ = nullptr;
  QLabel* statusKeys_ = nullptr;

  QComboBox* secondAdjust_ = nullptr;
  QGroupBox* textContrastGroup_ = nullptr;  // GroupBox2
  QGroupBox* lcdGroup_ = nullptr;           // GroupBox1
  // The number fields by window::AdjustField (the list's slot stays empty).
  std::array<QLineEdit*, window::kAdjustFields.size()> fields_{};

  QButtonGroup* tests_ = nullptr;
  QComboBox* annunciator_ = nullptr;
  QLineEdit* dataResult_ = nullptr;

  // The window is drawing the view: its own changes are no events.
  bool showing_ = false;
  // A command or a field check runs: further events wait for it.
  bool running_ = false;
};

// F4 after its read: the service window over the codeplug read, shown
// modally until it closes; its boxes come up over it, and its F2 programs
// through program. True when it programmed the pager and the main window
// is to return to its Main page.
bool runServiceWindow(WindowOperations& operations, window::WindowController& main,
                      QtReporter& reporter, const HelpOpener& help, window::ServiceStart start,
                      const window::ServiceProgram& program, QWidget* parent);

}  // namespace zelta::ui
