#include "ui/main_window.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPointer>
#include <QTabWidget>
#include <QTimer>
#include <QtTest/QTest>
#include <memory>

// Core headers name members "slots"; Qt's keyword macro must not see them.
#pragma push_macro("slots")
#undef slots
#include "window/comm_settings.h"
#include "window/settings_store.h"
#pragma pop_macro("slots")

using zelta::ui::MainWindow;

namespace {

struct SeenBox {
  QString title;
  QString text;
  bool seen = false;
};

// Answers the next modal message box with the given button and tells what
// it showed. Shared so that a box that never came cannot write to a dead frame.
std::shared_ptr<SeenBox> answerNextBox(QMessageBox::StandardButton button) {
  auto seen = std::make_shared<SeenBox>();
  QTimer::singleShot(0, [seen, button] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr) return;
    seen->title = box->windowTitle();
    seen->text = box->text();
    seen->seen = true;
    box->button(button)->click();
  });
  return seen;
}

void activate(QWidget& window) {
  window.activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(&window));
}

}  // namespace

class MainWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void startsOnMainWithItsCaption() {
    MainWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCOMPARE(window.windowTitle(),
             QString("Zelta Series (POCSAG) PPS R080304 - 2015/06/22 (Customer Version)"));
    QTabWidget* pages = window.pages();
    QCOMPARE(pages->count(), 14);
    QCOMPARE(pages->currentIndex(), 13);
    QCOMPARE(pages->tabText(13), QString("Main"));
    QCOMPARE(pages->tabText(10), QString("Password / OTA"));
    for (int i = 0; i < 13; ++i) QVERIFY(!pages->isTabVisible(i));
    auto* keymap = window.findChild<QLineEdit*>("keymapStr");
    QVERIFY(keymap != nullptr);
    QVERIFY(keymap->text().isEmpty());

    QStringList keyLabels;
    for (QLabel* label : pages->widget(13)->findChildren<QLabel*>()) keyLabels << label->text();
    QVERIFY(
        keyLabels.contains("F3   - READ a pager (Pager must be ON and inserted in interface box)"));
    QVERIFY(keyLabels.contains("F10  - EXIT pager programming software, return to WINDOWS"));
  }

  void launcherOffersOnlyCommandsThatObtainACodeplug() {
    MainWindow window;
    for (const char* name : {"readBtn", "serviceBtn", "singleBtn", "sequentialBtn", "menuOpen",
                             "toolBarRead", "toolBarOpen"}) {
      QVERIFY2(window.action(name)->isEnabled(), name);
    }
    for (const char* name :
         {"writeBtn", "menuSave", "menuDefault", "toolBarSave", "toolBarWrite"}) {
      QVERIFY2(!window.action(name)->isEnabled(), name);
    }
    // F11/F12 sit in the hidden "Page" menu, which is disabled on the launcher.
    QVERIFY(!window.findChild<QMenu*>("menuPage")->isEnabled());
    QVERIFY(!window.action("menuPrint")->isVisible());
    QCOMPARE(window.action("menuSave")->text(), QString("Save &as "));
    QCOMPARE(window.action("menuOpen")->shortcut(), QKeySequence(Qt::Key_F8));
  }

  void f10AsksBeforeExitAndNoKeepsTheWindow() {
    MainWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    activate(window);

    auto seen = answerNextBox(QMessageBox::No);
    QTest::keyClick(&window, Qt::Key_F10);
    QVERIFY(seen->seen);
    QCOMPARE(seen->title, QString("WARNING"));
    QCOMPARE(seen->text, QString("Are you sure exit to WINDOWS ?"));
    QVERIFY(window.isVisible());

    activate(window);
    auto again = answerNextBox(QMessageBox::Yes);
    QTest::keyClick(&window, Qt::Key_F10);
    QVERIFY(again->seen);
    QVERIFY(!window.isVisible());
  }

  // With no port chosen, F3's port box ends with where the port is chosen,
  // by the names and key the window's own menu shows.
  void aPortThatCannotBeOpenedPointsToTheSetup() {
    MainWindow window;
    window.useSettingsStore(std::make_unique<zelta::window::MemorySettingsStore>());
    const QString menu = window.findChild<QMenu*>("menuSetup")->title().remove('&');
    QAction* setup = window.action("setupCommunication");
    const QString hint = QString::fromUtf8(zelta::window::kPortSetupHint.data());
    QVERIFY(hint.contains(menu + " > " + setup->text().remove('&')));
    QVERIFY(hint.contains("(" + setup->shortcut().toString() + ")"));

    QStringList texts;
    QTimer answer;
    connect(&answer, &QTimer::timeout, [&] {
      if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
        texts << box->text();
        box->button(QMessageBox::Ok)->click();
      }
    });
    answer.start(5);
    window.runKey(zelta::window::WindowKey::F3);
    QCOMPARE(texts.size(), 1);
    QVERIFY2(texts[0].startsWith("Can not open com port.\nNo serial port is chosen"),
             qPrintable(texts[0]));
    QVERIFY2(texts[0].endsWith("\n" + hint), qPrintable(texts[0]));
  }

  void reporterShowsTheCodesCaption() {
    MainWindow window;
    auto seen = answerNextBox(QMessageBox::Ok);
    window.reporter().ReportCode(-22);
    QVERIFY(seen->seen);
    QCOMPARE(seen->title, QString("WARNING"));
    QCOMPARE(seen->text, QString("Pager is unprogrammed."));
  }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
