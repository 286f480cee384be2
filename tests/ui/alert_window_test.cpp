#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QtTest/QTest>
#include <memory>

// Core headers name members "slots"; Qt's keyword macro must not see them.
#pragma push_macro("slots")
#undef slots
#include "codeplug/new_codeplug.h"
#include "modal_answerer.h"
#include "new_codeplug_file.h"
#include "pages/page_context_of.h"
#include "pages/page_rules.h"
#include "storage/codeplug_files.h"
#include "support/recording_reporter.h"
#include "support/temp_folder.h"
#include "ui/audio_tone_output.h"
#include "ui/keypad_dialog.h"
#include "ui/main_window.h"
#include "ui/pleasing_alert_dialog.h"
#include "ui/qt_text.h"
#pragma pop_macro("slots")

namespace pages = zelta::pages;
namespace codeplug = zelta::codeplug;
namespace storage = zelta::storage;
namespace window = zelta::window;
using zelta::testing::CoreDecode;
using zelta::testing::RecordingReporter;
using zelta::testing::TempFolder;
using zelta::testing::writeNewCodeplug;
using zelta::ui::MainWindow;
using zelta::ui::qs;
using Path = std::filesystem::path;

namespace {

// The window with a new family F codeplug opened by F8.
struct WindowFixture {
  WindowFixture() : window(storage::WorkFiles{folder.path(), {}}) {
    window.setFileChoosers([this](const window::FileDialogRequest&) { return toOpen; },
                           [this](const window::FileDialogRequest&) { return toSave; });
    window.resize(1100, 800);
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    toOpen = folder / "new.cp";
    writeNewCodeplug(0x98, *toOpen);
    press(Qt::Key_F8);
    QVERIFY(window.controller().codeplugLoaded());
  }

  // The offscreen platform does not give the window back its activation
  // when a dialog closes, as a desktop does.
  void activate() {
    if (QApplication::activeWindow() == &window) return;
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
  }

  void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    activate();
    QWidget* target = QApplication::focusWidget();
    QTest::keyClick(target != nullptr ? target : &window, key, modifiers);
    QApplication::processEvents();
  }

  void showPage(pages::Page page) {
    if (window.controller().activePage() != page) QVERIFY(window.requestPage(page));
    QApplication::processEvents();
  }

  template <class Widget>
  Widget* find(std::string_view name) const {
    return window.findChild<Widget*>(qs(name));
  }

  // Focus moves to a field by the keyboard.
  void focus(std::string_view name) {
    auto* widget = find<QWidget>(name);
    QVERIFY2(widget != nullptr && widget->isVisible() && widget->isEnabled(), name.data());
    activate();
    widget->setFocus(Qt::TabFocusReason);
    QApplication::processEvents();
  }

  // A list chosen by its arrow keys once it has the focus.
  void choose(std::string_view name, int index) {
    focus(name);
    auto* list = find<QComboBox>(name);
    while (list->currentIndex() < index) QTest::keyClick(list, Qt::Key_Down);
    while (list->currentIndex() > index) QTest::keyClick(list, Qt::Key_Up);
    QApplication::processEvents();
  }

  TempFolder folder;
  MainWindow window;
  std::optional<Path> toOpen;
  std::optional<Path> toSave;
};

}  // namespace

class AlertWindowTest : public QObject {
  Q_OBJECT

 private slots:
  // "Programmable Pleasing Alert" turned to "Custom" opens the editor; its
  // notes reach the settings, and Ctrl+S saves them.
  void customOpensTheEditorAndCtrlSSavesTheMelody() {
    WindowFixture f;
    int editors = 0;
    const ModalAnswerer::Handler boxes = ModalAnswerer::answering(QMessageBox::Yes);
    ModalAnswerer answerer([&](QWidget* w) {
      auto* editor = qobject_cast<zelta::ui::PleasingAlertDialog*>(w);
      if (editor == nullptr) return boxes(w);
      ++editors;
      editor->noteList(0)->setCurrentIndex(3);
      editor->noteList(15)->setCurrentIndex(24);
      QTest::keyClick(editor->noteList(15), Qt::Key_F10);
      return true;
    });
    f.showPage(pages::Page::Alert);
    f.choose("cb_userSelectableAlerts", 1);
    f.choose("cb_programmablePleasingAlert", 1);
    QTRY_COMPARE(editors, 1);
    QCOMPARE(f.find<QComboBox>("cb_programmablePleasingAlert")->currentText(), QString("Custom"));
    const codeplug::SettingsRecord& s = f.window.controller().settings();
    QCOMPARE(int(s.melody[0]), 0xE3);
    QCOMPARE(int(s.melody[15]), 0xF8);
    QVERIFY(f.window.windowTitle().endsWith('*'));

    // Entered again while it shows "Custom": the editor again.
    f.focus("cb_alertFrequency");
    f.focus("cb_programmablePleasingAlert");
    QTRY_COMPARE(editors, 2);

    f.toSave = f.folder / "melody.cp";
    f.press(Qt::Key_S, Qt::ControlModifier);
    QTRY_VERIFY(std::filesystem::exists(*f.toSave));
    CoreDecode saved(*f.toSave);
    QVERIFY(saved.loaded.succeeded());
    QVERIFY(saved.controller.settings().melody == s.melody);
    QCOMPARE(saved.controller.settings().programmablePleasingAlert, 1);
  }

  // "Play tone" follows the alert pattern list last entered; without a
  // sound device the status bar says so once.
  void playToneFollowsThePatternList() {
    WindowFixture f;
    ModalAnswerer boxes(ModalAnswerer::answering(QMessageBox::Yes));
    f.showPage(pages::Page::General);
    f.choose("cb_newAlertMenu", 1);  // the alert lists of the codes open
    f.showPage(pages::Page::Code1to4);
    auto* play = f.find<QPushButton>("listenBtn01");
    QVERIFY(play != nullptr && play->isVisible());
    QVERIFY(!play->isEnabled());
    f.focus("cb_alertPattern01_1");
    QVERIFY(play->isEnabled());
    QCOMPARE(play->toolTip(), QString("Sound Preview"));
    play->click();
    QApplication::processEvents();
    if (!zelta::ui::AudioToneOutput::deviceAvailable())
      QCOMPARE(f.window.statusBar()->currentMessage(), QString("No audio output is available."));
    f.focus("ed_code01");
    QVERIFY(!play->isEnabled());
  }

  // The keypad button on "Password / OTA": Save puts the keys on the page
  // and into the settings.
  void keypadSaveSetsTheUserPassword() {
    WindowFixture f;
    int keypads = 0;
    const ModalAnswerer::Handler boxes = ModalAnswerer::answering(QMessageBox::Yes);
    ModalAnswerer answerer([&](QWidget* w) {
      auto* keypad = qobject_cast<zelta::ui::KeypadDialog*>(w);
      if (keypad == nullptr) return boxes(w);
      ++keypads;
      for (const char* key : {"userPasswordBtn1", "userPasswordBtn3", "userPasswordBtn4"})
        keypad->findChild<QPushButton*>(key)->click();
      keypad->findChild<QPushButton*>("btnSave")->click();
      return true;
    });
    f.showPage(pages::Page::PasswordOta);
    auto* button = f.find<QPushButton>("BitBtn1");
    QVERIFY(button != nullptr && button->isVisible());
    button->click();
    QTRY_COMPARE(keypads, 1);
    QTRY_COMPARE(f.find<QLineEdit>("ed_cpwFc_Password_LRUD")->text(), QString("L. U. D. "));
    QCOMPARE(f.find<QLineEdit>("ed_cpwFc_Password")->text(), QString("023"));
    QCOMPARE(f.window.controller().settings().cpwFc_Password, std::string("023"));
    QCOMPARE(f.window.controller().settings().userPasswordKeyCount, 3);
    QVERIFY(f.window.windowTitle().endsWith('*'));
  }
};

QTEST_MAIN(AlertWindowTest)
#include "alert_window_test.moc"
