#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QProgressBar>
#include <QTabBar>
#include <QTabWidget>
#include <QtTest/QTest>
#include <memory>

// Core headers name members "slots"; Qt's keyword macro must not see them.
#pragma push_macro("slots")
#undef slots
#include "codeplug/new_codeplug.h"
#include "modal_answerer.h"
#include "new_codeplug_file.h"
#include "pages/edit_mask.h"
#include "pages/page_context_of.h"
#include "pages/page_rules.h"
#include "shown_fields.h"
#include "storage/codeplug_files.h"
#include "support/recording_reporter.h"
#include "support/rules_field_events.h"
#include "support/temp_folder.h"
#include "ui/editing_pages.h"
#include "ui/main_window.h"
#include "ui/qt_text.h"
#include "version.h"
#include "window/window_controller.h"
#pragma pop_macro("slots")

namespace pages = zelta::pages;
namespace codeplug = zelta::codeplug;
namespace storage = zelta::storage;
namespace window = zelta::window;
using zelta::testing::CoreDecode;
using zelta::testing::RecordingReporter;
using zelta::testing::settingsText;
using zelta::testing::TempFolder;
using zelta::testing::writeNewCodeplug;
using zelta::ui::MainWindow;
using Settings = std::map<std::string, std::string>;
using Path = std::filesystem::path;

using zelta::ui::qs;

namespace {

// The real window over a work folder, its file dialogs answered by the test.
struct WindowFixture {
  WindowFixture() : window(storage::WorkFiles{folder.path(), {}}) {
    window.setFileChoosers(
        [this](const window::FileDialogRequest&) -> std::optional<Path> {
          ++opened;
          return toOpen;
        },
        [this](const window::FileDialogRequest&) -> std::optional<Path> {
          ++saved;
          return toSave;
        });
    window.resize(1100, 800);
    window.show();
    window.activateWindow();
  }

  bool ready() { return QTest::qWaitForWindowActive(&window); }

  void activate() {
    if (QApplication::activeWindow() == &window) return;
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
  }

  // A key as the user presses it, to the widget with the focus. (The
  // offscreen platform does not give the window back its activation when
  // a message box closes, as a desktop does.)
  void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    activate();
    QWidget* target = QApplication::focusWidget();
    QTest::keyClick(target != nullptr ? target : &window, key, modifiers);
    QApplication::processEvents();
  }

  // F8 on a new codeplug file of the model.
  bool open(zelta::models::ModelCode model) {
    toOpen = folder / "new.cp";
    writeNewCodeplug(model, *toOpen);
    press(Qt::Key_F8);
    return window.controller().codeplugLoaded();
  }

  template <class Widget>
  Widget* find(std::string_view name) const {
    return window.findChild<Widget*>(qs(name));
  }

  // Focus moves to a field by the keyboard, as tabbing through a page does.
  void focus(std::string_view name) {
    QWidget* widget = find<QWidget>(name);
    QVERIFY2(widget != nullptr && widget->isVisible() && widget->isEnabled(), name.data());
    widget->setFocus(Qt::TabFocusReason);
    QApplication::processEvents();
  }

  int tab() const { return window.pages()->currentIndex(); }

  TempFolder folder;
  MainWindow window;
  std::optional<Path> toOpen;
  std::optional<Path> toSave;
  int opened = 0;
  int saved = 0;
};

// Every setting of a saved file, as the core decodes it.
Settings decodedSettings(const Path& file) {
  CoreDecode decode(file);
  return settingsText(decode.controller.settings());
}

QString describe(const Settings& settings) {
  QStringList parts;
  for (const auto& [name, text] : settings) parts << qs(name) + "=" + qs(text);
  return parts.join(", ");
}

Settings differences(const Settings& before, const Settings& after) {
  Settings changed;
  for (const auto& [name, text] : after) {
    const auto old = before.find(name);
    if (old == before.end() || old->second != text) changed[name] = text;
  }
  return changed;
}

// Chooses a list item by the arrow keys of the focused list.
void chooseByKeys(QComboBox* list, int index) {
  while (list->currentIndex() < index) QTest::keyClick(list, Qt::Key_Down);
  while (list->currentIndex() > index) QTest::keyClick(list, Qt::Key_Up);
  QApplication::processEvents();
}

}  // namespace

class MainWindowFlowTest : public QObject {
  Q_OBJECT

 private slots:
  // ---- F8: every shown field is the core's decode of the file ----

  void f8ShowsTheDecodedFile_data() {
    QTest::addColumn<int>("model");
    QTest::newRow("old format !") << int('!');
    QTest::newRow("A 0x30") << 0x30;
    QTest::newRow("B p") << int('p');
    QTest::newRow("C q") << int('q');
    QTest::newRow("D 0x91") << 0x91;
    QTest::newRow("E 0x93") << 0x93;
    QTest::newRow("F 0x98") << 0x98;
  }

  void f8ShowsTheDecodedFile() {
    QFETCH(int, model);
    WindowFixture f;
    QVERIFY(f.ready());
    ModalAnswerer boxes(ModalAnswerer::answering(QMessageBox::Yes));
    QVERIFY(f.open(static_cast<zelta::models::ModelCode>(model)));
    QCOMPARE(f.opened, 1);
    QVERIFY2(boxes.titles.isEmpty(), qPrintable(boxes.texts.join(" | ")));
    QCOMPARE(f.tab(), pages::pageIndex(pages::Page::General));
    QVERIFY(!f.window.pages()->isTabVisible(pages::pageIndex(pages::Page::Main)));
    QCOMPARE(f.window.windowTitle(),
             qs(zelta::kMainWindowCaption) + " - " + qs(f.toOpen->filename().string()));
    // The first field has the focus with its text selected: typing replaces it.
    auto* inventory = f.find<QLineEdit>("ed_ICN");
    QCOMPARE(QApplication::focusWidget(), inventory);
    QCOMPARE(inventory->selectedText(), inventory->text());
    QVERIFY(f.find<QLineEdit>("keymapStr")->text().startsWith("F1-Help"));
    QVERIFY(f.find<QLabel>("statusVersion")->text().startsWith("Codeplug Version : "));

    CoreDecode core(*f.toOpen);
    QVERIFY(core.loaded.succeeded());
    int compared = 0;
    zelta::testing::compareShownFields([&](pages::Page p) { return core.controller.pageView(p); },
                                       f.window, zelta::testing::ListCheck::ShownText, compared);
    if (QTest::currentTestFailed()) return;
    QVERIFY(compared > 40);
  }

  // ---- Typing through the widgets and Ctrl+S ----

  void typedEditsAreWhatCtrlSSaves_data() {
    QTest::addColumn<int>("model");
    QTest::newRow("B p") << int('p');
    QTest::newRow("D 0x91") << 0x91;
    QTest::newRow("F 0x98") << 0x98;
  }

  void typedEditsAreWhatCtrlSSaves() {
    QFETCH(int, model);
    WindowFixture f;
    QVERIFY(f.ready());
    ModalAnswerer boxes(ModalAnswerer::answering(QMessageBox::Yes));
    QVERIFY(f.open(static_cast<zelta::models::ModelCode>(model)));
    const Settings before = decodedSettings(*f.toOpen);
    const QString plainTitle = f.window.windowTitle();

    // A list, by its arrow keys.
    f.focus("cb_codingFormat");
    auto* coding = f.find<QComboBox>("cb_codingFormat");
    const int format = coding->currentIndex() == 0 ? 1 : 0;
    chooseByKeys(coding, format);
    QCOMPARE(f.window.windowTitle(), plainTitle + "*");

    // A code and a function mask on "Code 1-4", reached by F12.
    f.press(Qt::Key_F12);
    QCOMPARE(f.tab(), pages::pageIndex(pages::Page::Code1to4));
    f.focus("ed_code02");
    auto* code = f.find<QLineEdit>("ed_code02");
    code->selectAll();
    QTest::keyClicks(code, "1654321");
    f.focus("ed_function01");
    auto* functions = f.find<QLineEdit>("ed_function01");
    QString expectedFunctions = functions->text();
    expectedFunctions.replace(0, 2, "TA");
    functions->setCursorPosition(0);
    QTest::keyClicks(functions, "ta");

    // A prompt on "Prompt 1", reached by F12 past the hidden tabs.
    while (f.tab() != pages::pageIndex(pages::Page::Prompt1)) {
      const int was = f.tab();
      f.press(Qt::Key_F12);
      QVERIFY(f.tab() != was);
    }
    QVERIFY2(boxes.titles.isEmpty(), qPrintable(boxes.texts.join(" | ")));
    f.focus("ed_setLockPrompt");
    auto* prompt = f.find<QLineEdit>("ed_setLockPrompt");
    prompt->selectAll();
    QTest::keyClicks(prompt, "locked!");

    f.toSave = f.folder / "edited";  // the dialog's default extension is added
    f.press(Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(f.saved, 1);
    QCOMPARE(boxes.titles, QStringList{"successfully"});
    const Path file = f.folder / "edited.cp";
    QVERIFY(std::filesystem::exists(file));
    QCOMPARE(f.window.windowTitle(), qs(zelta::kMainWindowCaption) + " - edited.cp");

    const Settings changed = differences(before, decodedSettings(file));
    const Settings expected{{"cb_codingFormat", std::to_string(format)},
                            {"ed_code02", "1654321"},
                            {"ed_function01", expectedFunctions.toStdString()},
                            {"ed_setLockPrompt", "LOCKED!"}};
    QVERIFY2(changed == expected, qPrintable(describe(changed)));
  }

  // ---- A page check refuses the tab change ----

  void aFailedPageCheckKeepsThePage() {
    WindowFixture f;
    QVERIFY(f.ready());
    ModalAnswerer boxes(ModalAnswerer::answering(QMessageBox::Yes));
    QVERIFY(f.open(0x98));
    f.press(Qt::Key_F11);  // from the first page back to the last
    QCOMPARE(f.tab(), pages::pageIndex(pages::Page::MoreFeatures));
    f.focus("cb_batteryGauge");
    auto* gauge = f.find<QComboBox>("cb_batteryGauge");
    chooseByKeys(gauge, gauge->findText("Yes"));
    f.focus("cb_batteryGaugeHiLevel");
    auto* high = f.find<QComboBox>("cb_batteryGaugeHiLevel");
    const QString batteryLevel = "ERROR: Invalid Battery Gauge Level.\nPlease select again.";
    QCOMPARE(boxes.texts.count(batteryLevel), 0);
    QTest::keyClick(high, Qt::Key_Home);  // the lowest level: below the medium one
    QTRY_COMPARE(boxes.texts.count(batteryLevel), 1);

    QTabBar* bar = f.window.pages()->tabBar();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(0).center());
    QTRY_COMPARE(boxes.texts.count(batteryLevel), 2);
    QCOMPARE(f.tab(), pages::pageIndex(pages::Page::MoreFeatures));
    QCOMPARE(f.window.controller().activePage(), pages::Page::MoreFeatures);

    // Mended, the click moves.
    f.activate();
    QTest::keyClick(high, Qt::Key_End);
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(0).center());
    QCOMPARE(f.tab(), 0);
    QCOMPARE(boxes.texts.count(batteryLevel), 2);
  }

  // ---- F11 and F12: wrapping, past the hidden tabs ----

  void f11AndF12WrapPastHiddenTabs_data() {
    QTest::addColumn<int>("model");
    QTest::addColumn<QList<int>>("shown");
    QTest::newRow("A 0x30") << 0x30 << QList<int>{0, 1, 5, 7, 9, 10, 11, 12};
    QTest::newRow("B p") << int('p') << QList<int>{0, 1, 2, 5, 6, 7, 9, 10, 11, 12};
  }

  void f11AndF12WrapPastHiddenTabs() {
    QFETCH(int, model);
    QFETCH(QList<int>, shown);
    WindowFixture f;
    QVERIFY(f.ready());
    ModalAnswerer boxes(ModalAnswerer::answering(QMessageBox::Yes));
    QVERIFY(f.open(static_cast<zelta::models::ModelCode>(model)));
    for (int i = 0; i < pages::kPageCount; ++i)
      QCOMPARE(f.window.pages()->isTabVisible(i), shown.contains(i));
    for (qsizetype i = 1; i <= shown.size(); ++i) {
      f.press(Qt::Key_F12);
      QCOMPARE(f.tab(), shown[i % shown.size()]);
      const bool promptPage = f.tab() >= 5 && f.tab() <= 8;
      QCOMPARE(f.find<QProgressBar>("promptGauge")->isVisible(), promptPage);
    }
    for (qsizetype i = shown.size() - 1; i >= 0; --i) {
      f.press(Qt::Key_F11);
      QCOMPARE(f.tab(), shown[i]);
    }
    QVERIFY2(boxes.titles.isEmpty(), qPrintable(boxes.texts.join(" | ")));
  }

  // ---- Tools > Converter lays the tabs out for the target ----

  void theConverterLaysOutTheTabs() {
    WindowFixture f;
    QVERIFY(f.ready());
    // The converter's choice is an edit: F10 back to "Main" discards it.
    ModalAnswerer boxes(ModalAnswerer::answering(QMessageBox::Yes, QMessageBox::Discard));
    QVERIFY(f.open(0x30));
    QVERIFY(f.window.menu("menuTools")->menuAction()->isVisible());
    const auto shownTabs = [&f] {
      QList<int> shown;
      for (int i = 0; i < pages::kPageCount; ++i) {
        if (f.window.pages()->isTabVisible(i)) shown << i;
      }
      return shown;
    };
    f.window.action("cprRic8")->trigger();
    QCOMPARE(shownTabs(), (QList<int>{0, 1, 2, 5, 6, 7, 9, 10, 11, 12}));
    QCOMPARE(f.window.pages()->tabText(7), QString("Source 1-8"));
    QVERIFY(f.window.action("cprRic8")->isChecked());
    QVERIFY(f.window.windowTitle().endsWith("*"));
    f.window.action("cprDisable")->trigger();
    QCOMPARE(shownTabs(), (QList<int>{0, 1, 5, 7, 9, 10, 11, 12}));
    QCOMPARE(f.window.pages()->tabText(7), QString("Prompt 2"));
    QVERIFY(f.window.action("cprDisable")->isChecked());
    QVERIFY2(boxes.titles.isEmpty(), qPrintable(boxes.texts.join(" | ")));

    // Back on "Main" and with a model without a converter, no Tools menu.
    f.press(Qt::Key_F10);
    QVERIFY(!f.window.menu("menuTools")->menuAction()->isVisible());
    QVERIFY(f.open('p'));
    QVERIFY(!f.window.menu("menuTools")->menuAction()->isVisible());
  }

  // The converter's pages need a wider window for a while; leaving the
  // converter gives the window back the size it had.
  // The converter's thirteen tabs need a wider window for a while; leaving
  // the converter gives the window back the size it had, and a size the
  // user chose meanwhile is kept.
  void theConverterGivesTheWindowItsSizeBack() {
    WindowFixture f;
    QVERIFY(f.ready());
    ModalAnswerer boxes(ModalAnswerer::answering(QMessageBox::Yes));
    QVERIFY(f.open(0x30));
    const QSize before = f.window.size();
    f.window.action("cprRic16")->trigger();
    QApplication::processEvents();
    QVERIFY(f.window.size().width() >= f.window.minimumSizeHint().width());
    f.window.action("cprDisable")->trigger();
    QApplication::processEvents();
    QCOMPARE(f.window.size(), before);

    f.window.action("cprRic16")->trigger();
    QApplication::processEvents();
    const QSize chosen = f.window.size() + QSize(40, 0);
    f.window.resize(chosen);
    QApplication::processEvents();
    f.window.action("cprDisable")->trigger();
    QApplication::processEvents();
    QCOMPARE(f.window.size(), chosen);
    QVERIFY2(boxes.titles.isEmpty(), qPrintable(boxes.texts.join(" | ")));
  }

  // ---- The window around the pages is readable (at 100 % and 200 %) ----

  void theChromeIsReadable() {
    WindowFixture f;
    QVERIFY(f.ready());
    ModalAnswerer boxes(ModalAnswerer::answering(QMessageBox::Yes));
    QVERIFY(f.open(0x98));
    while (f.tab() != pages::pageIndex(pages::Page::Prompt1)) f.press(Qt::Key_F12);
    const auto fits = [](QWidget* w, const QString& text) {
      return w->fontMetrics().horizontalAdvance(text) <= w->contentsRect().width();
    };
    auto* version = f.find<QLabel>("statusVersion");
    QVERIFY2(fits(version, version->text()), qPrintable(version->text()));
    auto* keymap = f.find<QLineEdit>("keymapStr");
    QVERIFY2(fits(keymap, keymap->text()), qPrintable(keymap->text()));
    auto* gauge = f.find<QProgressBar>("promptGauge");
    QVERIFY(gauge->isVisible());
    QVERIFY(!gauge->geometry().intersects(version->geometry()));
    // The gauge says what it measures, and says it whole.
    QVERIFY2(gauge->text().startsWith(QStringLiteral("Prompt memory ")), qPrintable(gauge->text()));
    QVERIFY2(fits(gauge, gauge->text()), qPrintable(gauge->text()));
    QTabBar* bar = f.window.pages()->tabBar();
    for (int i = 0; i < bar->count(); ++i) {
      if (!bar->isTabVisible(i)) continue;
      const QRect tab = bar->tabRect(i);
      QVERIFY2(bar->rect().contains(tab), qPrintable(bar->tabText(i)));
      QVERIFY2(bar->fontMetrics().horizontalAdvance(bar->tabText(i)) < tab.width(),
               qPrintable(bar->tabText(i)));
    }
    // The toolbar shows every button with its text, each hint as its tooltip.
    for (const char* name :
         {"toolBarOpen", "toolBarSave", "toolBarRead", "toolBarWrite", "toolBarExit"}) {
      QAction* action = f.window.action(name);
      QVERIFY2(!action->icon().isNull(), name);
      QVERIFY2(!action->toolTip().isEmpty(), name);
    }
  }

  // ---- F9: the -95 question, then every page from the defaults ----

  void f9AsksThenRefills() {
    WindowFixture f;
    QVERIFY(f.ready());
    QVERIFY(f.open(0x91));
    f.press(Qt::Key_F12);
    f.focus("ed_code02");
    auto* code = f.find<QLineEdit>("ed_code02");
    const QString original = code->text();
    code->selectAll();
    QTest::keyClicks(code, "1654321");
    f.focus("ed_code03");  // leaving stores it
    QCOMPARE(f.window.controller().settings().code[1], std::string("1654321"));

    {
      ModalAnswerer no(ModalAnswerer::answering(QMessageBox::No));
      f.press(Qt::Key_F9);
      QCOMPARE(no.texts.size(), 1);
      QVERIFY(no.texts.first().contains("reset all selections to defaults"));
    }
    QCOMPARE(code->text(), QString("1654321"));
    {
      ModalAnswerer yes(ModalAnswerer::answering(QMessageBox::Yes));
      f.press(Qt::Key_F9);
      QCOMPARE(yes.texts.size(), 1);
      QVERIFY(yes.texts.first().contains("reset all selections to defaults"));
    }
    QCOMPARE(code->text(), original);
    QCOMPARE(f.tab(), pages::pageIndex(pages::Page::Code1to4));
  }

  // ---- Commands not offered do nothing from their keys ----

  void keysNotOfferedDoNothing_data() {
    QTest::addColumn<bool>("onMain");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    for (const Qt::Key key : {Qt::Key_F2, Qt::Key_F7, Qt::Key_F9, Qt::Key_F11, Qt::Key_F12})
      QTest::addRow("Main F%d", key - Qt::Key_F1 + 1) << true << int(key) << 0;
    QTest::newRow("Main Ctrl+S") << true << int(Qt::Key_S) << int(Qt::ControlModifier);
    for (const Qt::Key key :
         {Qt::Key_F3, Qt::Key_F4, Qt::Key_F5, Qt::Key_F6, Qt::Key_F7, Qt::Key_F8})
      QTest::addRow("editing F%d", key - Qt::Key_F1 + 1) << false << int(key) << 0;
  }

  void keysNotOfferedDoNothing() {
    QFETCH(bool, onMain);
    QFETCH(int, key);
    QFETCH(int, modifiers);
    WindowFixture f;
    QVERIFY(f.ready());
    ModalAnswerer boxes(ModalAnswerer::answering(QMessageBox::Yes));
    if (!onMain) {
      QVERIFY(f.open('p'));
      f.press(Qt::Key_F12);
    }
    const int opened = f.opened;
    const int tab = f.tab();
    const QString title = f.window.windowTitle();
    QWidget* focused = QApplication::focusWidget();
    f.press(static_cast<Qt::Key>(key), Qt::KeyboardModifiers(modifiers));
    QTest::qWait(20);
    QVERIFY2(boxes.titles.isEmpty(), qPrintable(boxes.texts.join(" | ")));
    QCOMPARE(f.opened, opened);
    QCOMPARE(f.saved, 0);
    QCOMPARE(f.tab(), tab);
    QCOMPARE(f.window.windowTitle(), title);
    QCOMPARE(QApplication::focusWidget(), focused);
    // The action of the key is off: its menu item, shortcut and button.
    const QKeySequence sequence(key | modifiers);
    for (QAction* action : f.window.actions()) {
      if (action->shortcut() == sequence)
        QVERIFY2(!action->isEnabled(), qPrintable(action->objectName()));
    }
  }

  // ---- Exits ----

  // A refused value stops Ctrl+S with one message; leaving the field then
  // neither runs its exit again nor repeats the message.
  void aRefusedFieldStopsCtrlSOnce() {
    WindowFixture f;
    QVERIFY(f.ready());
    ModalAnswerer boxes(ModalAnswerer::answering(QMessageBox::Yes));
    QVERIFY(f.open(0x98));
    while (f.tab() != pages::pageIndex(pages::Page::PasswordOta)) f.press(Qt::Key_F12);
    f.focus("ed_cpwFc_Pswd_Timeout_h");
    auto* hours = f.find<QLineEdit>("ed_cpwFc_Pswd_Timeout_h");
    hours->selectAll();
    QTest::keyClicks(hours, "99");
    f.toSave = f.folder / "never.cp";
    f.press(Qt::Key_S, Qt::ControlModifier);
    QTRY_COMPARE(boxes.titles.size(), 1);
    QCOMPARE(f.saved, 0);
    f.activate();
    QCOMPARE(QApplication::focusWidget(), hours);
    QCOMPARE(hours->text(), QString("99"));
    f.press(Qt::Key_Tab);
    QTest::qWait(20);
    QCOMPARE(boxes.titles.size(), 1);
    QVERIFY(!std::filesystem::exists(*f.toSave));
  }

  // F10 on an editing page asks before it drops the edits: Cancel (Esc)
  // keeps them on their page, Discard (its letter) goes back to "Main".
  void f10AsksBeforeItDropsTheEdits() {
    WindowFixture f;
    QVERIFY(f.ready());
    QVERIFY(f.open(0x91));
    f.focus("ed_ICN");
    auto* icn = f.find<QLineEdit>("ed_ICN");
    icn->selectAll();
    QTest::keyClicks(icn, "x");
    QStringList keys{"Escape", "D"};
    ModalAnswerer boxes([&keys](QWidget* w) {
      auto* box = qobject_cast<QMessageBox*>(w);
      if (box == nullptr || keys.isEmpty()) return false;
      QTest::keyClick(box, keys.takeFirst() == "Escape" ? Qt::Key_Escape : Qt::Key_D);
      return true;
    });
    // The value typed and not yet left counts: F10 stores it first.
    f.press(Qt::Key_F10);
    QTRY_COMPARE(boxes.titles.size(), 1);
    QCOMPARE(boxes.titles[0], QString("Unsaved changes"));
    QCOMPARE(boxes.texts[0],
             QString("The codeplug on screen has changes that are not saved.\nSave them first?"));
    QCOMPARE(f.tab(), pages::pageIndex(pages::Page::General));
    QVERIFY(f.window.windowTitle().endsWith("*"));
    QCOMPARE(f.window.controller().settings().ICN, std::string("X"));

    f.press(Qt::Key_F10);
    QTRY_COMPARE(f.tab(), pages::pageIndex(pages::Page::Main));
    QCOMPARE(boxes.titles.size(), 2);
    QCOMPARE(f.window.windowTitle(), qs(zelta::kMainWindowCaption));
    QVERIFY(f.find<QLineEdit>("keymapStr")->text().isEmpty());
    QVERIFY(f.find<QLabel>("statusVersion")->text().isEmpty());
    QVERIFY(f.window.action("menuOpen")->isEnabled());
    QVERIFY(!f.window.action("menuSave")->isEnabled());
  }

  // Closing the window over unsaved edits asks Save / Discard / Cancel in
  // place of "exit to WINDOWS": Cancel keeps the window, Save (Enter)
  // writes the file and closes it.
  void closingAsksBeforeItDropsTheEdits() {
    WindowFixture f;
    QVERIFY(f.ready());
    QVERIFY(f.open(0x30));
    f.focus("ed_ICN");
    auto* icn = f.find<QLineEdit>("ed_ICN");
    icn->selectAll();
    QTest::keyClicks(icn, "KEPT");
    f.focus("cb_codingFormat");
    QVERIFY(f.window.windowTitle().endsWith("*"));
    QStringList answers{"Cancel", "Save", "OK"};
    ModalAnswerer boxes([&answers](QWidget* w) {
      auto* box = qobject_cast<QMessageBox*>(w);
      if (box == nullptr || answers.isEmpty()) return false;
      const QString answer = answers.takeFirst();
      if (answer == "Cancel")
        box->button(QMessageBox::Cancel)->click();
      else if (answer == "Save")
        QTest::keyClick(box, Qt::Key_Return);
      else
        box->button(QMessageBox::Ok)->click();
      return true;
    });
    QVERIFY(!f.window.close());
    QCOMPARE(boxes.titles, QStringList{"Unsaved changes"});
    QVERIFY(f.window.isVisible());
    QVERIFY(f.window.windowTitle().endsWith("*"));

    f.toSave = f.folder / "kept.cp";
    QVERIFY(f.window.close());
    QCOMPARE(boxes.titles, (QStringList{"Unsaved changes", "Unsaved changes", "successfully"}));
    QVERIFY(!f.window.isVisible());
    QCOMPARE(decodedSettings(*f.toSave).at("ed_ICN"), std::string("KEPT"));
  }
};

QTEST_MAIN(MainWindowFlowTest)
#include "main_window_flow_test.moc"
