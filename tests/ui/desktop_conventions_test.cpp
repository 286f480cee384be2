#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QTabWidget>
#include <QUrl>
#include <QtTest/QTest>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>

#include "modal_answerer.h"
#include "new_codeplug_file.h"
#include "support/temp_folder.h"
#include "ui/command_line.h"
#include "ui/main_window.h"
#include "ui/recent_files_menu.h"
#include "ui/setup_dialog.h"
#include "ui/trace_switch_box.h"
#include "window/recent_files.h"
#include "window/trace_setting.h"

using namespace zelta;

namespace {

// The settings of one user across several windows, one after the other.
class SharedStore : public window::SettingsStore {
 public:
  explicit SharedStore(window::MemorySettingsStore& values) : values_(values) {}
  bool exists(std::string_view name) const override { return values_.exists(name); }
  std::optional<std::string> readString(std::string_view name) const override {
    return values_.readString(name);
  }
  std::optional<int> readInteger(std::string_view name) const override {
    return values_.readInteger(name);
  }
  void writeString(std::string_view name, std::string_view value) override {
    values_.writeString(name, value);
  }
  void writeInteger(std::string_view name, int value) override {
    values_.writeInteger(name, value);
  }

 private:
  window::MemorySettingsStore& values_;
};

// A window over the shared settings and a work folder of its own; F8 opens
// toOpen, Ctrl+S saves to toSave.
struct DesktopWindow {
  explicit DesktopWindow(window::MemorySettingsStore& settings, const testing::TempFolder& folder)
      : window(storage::WorkFiles{folder.path(), {}}) {
    window.useSettingsStore(std::make_unique<SharedStore>(settings));
    window.setFileChoosers([this](const auto&) { return toOpen; },
                           [this](const auto&) { return toSave; });
  }
  bool showAndWait() {
    window.show();
    return QTest::qWaitForWindowExposed(&window);
  }
  QString title() const { return window.windowTitle(); }
  std::string opened() { return window.controller().codeplugName(); }
  bool onMain() { return window.controller().activePage() == pages::Page::Main; }
  // A field typed into and left: an unsaved edit.
  void editIcn() {
    auto* icn = window.findChild<QLineEdit*>("ed_ICN");
    QVERIFY(icn != nullptr);
    icn->setFocus();
    icn->selectAll();
    QTest::keyClicks(icn, "A7");
    window.pages()->setFocus();
    QVERIFY(window.controller().unsavedEdits());
  }

  std::optional<std::filesystem::path> toOpen;
  std::optional<std::filesystem::path> toSave;
  ui::MainWindow window;
};

QMimeData* urlsOf(const QList<QUrl>& urls) {
  auto* data = new QMimeData;
  data->setUrls(urls);
  return data;
}

// A drag over the middle of the window and, when it was taken, the drop.
bool drop(QWidget& target, const QList<QUrl>& urls) {
  std::unique_ptr<QMimeData> data(urlsOf(urls));
  const QPoint middle = target.rect().center();
  QDragEnterEvent enter(middle, Qt::CopyAction, data.get(), Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(&target, &enter);
  if (!enter.isAccepted()) return false;
  QDropEvent dropped(QPointF(middle), Qt::CopyAction, data.get(), Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(&target, &dropped);
  return dropped.isAccepted();
}

}  // namespace

class DesktopConventionsTest : public QObject {
  Q_OBJECT

 private slots:
  // ---- Recent files ----

  void theFileMenuListsTheFilesOpenedAndSaved() {
    testing::TempFolder folder;
    window::MemorySettingsStore settings;
    const auto first = folder / "first.cp";
    testing::writeNewCodeplug('p', first);
    {
      DesktopWindow w(settings, folder);
      QVERIFY(w.showAndWait());
      QMenu* recent = w.window.menu("menuRecent");
      QVERIFY(recent != nullptr);
      QVERIFY(w.window.menu("menuFile")->actions().contains(recent->menuAction()));
      QVERIFY(!recent->menuAction()->isEnabled());  // nothing yet

      ModalAnswerer boxes(ModalAnswerer::answering(QMessageBox::Yes));
      w.toOpen = first;
      w.window.runKey(window::WindowKey::F8);
      QCOMPARE(w.opened(), first.string());
      w.toSave = folder / "second.cp";
      w.window.runKey(window::WindowKey::CtrlS);
      QTRY_VERIFY(std::filesystem::exists(folder / "second.cp"));
      QVERIFY(recent->menuAction()->isEnabled());
      QCOMPARE(recent->actions().size(), 2);
      QVERIFY(recent->actions()[0]->text().endsWith("second.cp"));
      QVERIFY(recent->actions()[1]->text().endsWith("first.cp"));
    }
    // The next start finds them; a file gone since is left out.
    std::filesystem::remove(folder / "second.cp");
    DesktopWindow next(settings, folder);
    QVERIFY(next.showAndWait());
    QMenu* recent = next.window.menu("menuRecent");
    QCOMPARE(recent->actions().size(), 1);
    QCOMPARE(recent->actions()[0]->data().toString(), QString::fromStdString(first.string()));
    // Chosen, it opens as F8 would, without the dialog.
    recent->actions()[0]->trigger();
    QCOMPARE(next.opened(), first.string());
    QVERIFY(!next.onMain());
  }

  // ---- The command line ----

  void theCommandLineNamesTheFileToOpen() {
    struct Case {
      std::vector<std::string> arguments;
      std::optional<std::filesystem::path> file;
    };
    const Case cases[] = {
        {{"zelta-pps"}, std::nullopt},
        {{"zelta-pps", "pager.cp"}, "pager.cp"},
        {{"zelta-pps", "-style", "pager.cp"}, "pager.cp"},
        {{"zelta-pps", "--", "-odd.cp"}, "-odd.cp"},
        {{"zelta-pps", "a.cp", "b.cp"}, "a.cp"},
    };
    for (const Case& c : cases) QCOMPARE(ui::fileArgument(c.arguments), c.file);
  }

  // ---- Dropping a file ----

  void aDroppedCodeplugOpensAsF8OpensIt() {
    testing::TempFolder folder;
    window::MemorySettingsStore settings;
    const auto file = folder / "dropped.CP";
    testing::writeNewCodeplug('p', file);
    std::ofstream(folder / "notes.txt") << "S0\n";
    DesktopWindow w(settings, folder);
    QVERIFY(w.showAndWait());

    // Only a single local .cp file is taken.
    QVERIFY(!drop(w.window,
                  {QUrl::fromLocalFile(QString::fromStdString((folder / "notes.txt").string()))}));
    QVERIFY(!drop(w.window, {QUrl::fromLocalFile(QString::fromStdString(file.string())),
                             QUrl::fromLocalFile(QString::fromStdString(file.string()))}));
    QVERIFY(!drop(w.window, {QUrl("https://example.org/dropped.cp")}));

    QVERIFY(drop(w.window, {QUrl::fromLocalFile(QString::fromStdString(file.string()))}));
    QTRY_COMPARE(w.opened(), file.string());
    QVERIFY(w.title().endsWith(" - dropped.CP"));
    QCOMPARE(w.window.menu("menuRecent")->actions().size(), 1);
  }

  // F8's checks: a missing file says it does not exist; a file that is no
  // codeplug -30.
  void aDroppedFileIsCheckedAsF8ChecksIt() {
    testing::TempFolder folder;
    window::MemorySettingsStore settings;
    std::ofstream(folder / "source.cp") << "#include <cstdio>\n";
    DesktopWindow w(settings, folder);
    QVERIFY(w.showAndWait());
    ModalAnswerer boxes(ModalAnswerer::answering(QMessageBox::Ok));
    QVERIFY(drop(w.window,
                 {QUrl::fromLocalFile(QString::fromStdString((folder / "source.cp").string()))}));
    QTRY_COMPARE(boxes.titles.size(), 1);
    QVERIFY2(boxes.texts[0].contains("Invalid archive file"), qPrintable(boxes.texts[0]));
    QVERIFY(w.onMain());
    QCOMPARE(w.opened(), std::string());
  }

  // Over a codeplug with unsaved edits the drop asks first; Cancel keeps
  // them, Discard opens the file.
  void aDropOverUnsavedEditsAsksFirst() {
    testing::TempFolder folder;
    window::MemorySettingsStore settings;
    testing::writeNewCodeplug('p', folder / "shown.cp");
    testing::writeNewCodeplug(0x93, folder / "other.cp", 3);
    DesktopWindow w(settings, folder);
    QVERIFY(w.showAndWait());
    QVERIFY(w.window.openFile(folder / "shown.cp"));
    w.editIcn();
    const QUrl other = QUrl::fromLocalFile(QString::fromStdString((folder / "other.cp").string()));
    {
      ModalAnswerer boxes(ModalAnswerer::clicking(QMessageBox::Cancel));
      QVERIFY(drop(w.window, {other}));
      QTRY_COMPARE(boxes.titles.size(), 1);
      QTest::qWait(20);
      QCOMPARE(w.opened(), (folder / "shown.cp").string());
      QVERIFY(w.window.controller().unsavedEdits());
    }
    ModalAnswerer boxes(ModalAnswerer::clicking(QMessageBox::Discard));
    QVERIFY(drop(w.window, {other}));
    QTRY_COMPARE(w.opened(), (folder / "other.cp").string());
    QCOMPARE(boxes.titles.size(), 1);
    QCOMPARE(w.window.controller().model(), models::ModelCode{0x93});
    // Laid out for its own model: "Code 9-12" is there for the 0x93.
    QVERIFY(w.window.pages()->isTabVisible(3));
  }

  // ---- The window's place ----

  void sizeAndPlaceAreRememberedAcrossStarts() {
    testing::TempFolder folder;
    window::MemorySettingsStore settings;
    {
      DesktopWindow w(settings, folder);
      QVERIFY(!w.window.restoreRememberedGeometry());  // a first start
      QVERIFY(w.showAndWait());
      w.window.resize(900, 640);
      QTest::qWait(20);
      ModalAnswerer boxes(ModalAnswerer::answering(QMessageBox::Yes));
      QVERIFY(w.window.close());
    }
    {
      DesktopWindow w(settings, folder);
      QVERIFY(w.window.restoreRememberedGeometry());
      QVERIFY(w.showAndWait());
      QCOMPARE(w.window.size(), QSize(900, 640));
      w.window.showMaximized();
      QTRY_VERIFY(w.window.isMaximized());
      ModalAnswerer boxes(ModalAnswerer::answering(QMessageBox::Yes));
      QVERIFY(w.window.close());
    }
    DesktopWindow w(settings, folder);
    QVERIFY(w.window.restoreRememberedGeometry());
    QVERIFY(w.showAndWait());
    QTRY_VERIFY(w.window.isMaximized());
  }

  // ---- Ctrl+Q ----

  // On "Main" the way of F10: the exit question; No keeps the window.
  void ctrlQOnMainIsF10() {
    testing::TempFolder folder;
    window::MemorySettingsStore settings;
    DesktopWindow w(settings, folder);
    QVERIFY(w.showAndWait());
    w.window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w.window));
    {
      ModalAnswerer boxes(ModalAnswerer::answering(QMessageBox::No));
      QTest::keyClick(&w.window, Qt::Key_Q, Qt::ControlModifier);
      QTRY_COMPARE(boxes.titles.size(), 1);
      QCOMPARE(boxes.titles[0], QString("WARNING"));
      QCOMPARE(boxes.texts[0], QString("Are you sure exit to WINDOWS ?"));
      QTest::qWait(20);
      QVERIFY(w.window.isVisible());
    }
    w.window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w.window));
    ModalAnswerer boxes(ModalAnswerer::answering(QMessageBox::Yes));
    QTest::keyClick(&w.window, Qt::Key_Q, Qt::ControlModifier);
    QTRY_VERIFY(!w.window.isVisible());
  }

  // On an editing page Ctrl+Q closes the window (F10 there only returns to
  // "Main"): unsaved edits are asked about, Discard closes.
  void ctrlQOnAnEditingPageClosesTheWindow() {
    testing::TempFolder folder;
    window::MemorySettingsStore settings;
    testing::writeNewCodeplug('p', folder / "shown.cp");
    DesktopWindow w(settings, folder);
    QVERIFY(w.showAndWait());
    w.window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w.window));
    QVERIFY(w.window.openFile(folder / "shown.cp"));
    w.editIcn();
    ModalAnswerer boxes(ModalAnswerer::clicking(QMessageBox::Discard));
    QTest::keyClick(&w.window, Qt::Key_Q, Qt::ControlModifier);
    QTRY_VERIFY(!w.window.isVisible());
    QCOMPARE(boxes.titles.size(), 1);
  }

  // ---- Trace to file ----

  void theSetupSwitchesTheTraceAndNamesItsFile() {
    window::MemorySettingsStore store;
    {
      ui::TFmSetup setup(store, "/tmp", [] { return std::vector<link::PortEntry>(); });
      auto* trace = setup.findChild<QCheckBox*>("cb_traceToFile");
      QVERIFY(trace != nullptr);
      QVERIFY(!trace->isChecked());
      setup.traceSwitch().setTraceFile("/work/zelta-pps-trace.txt");
      QVERIFY(
          setup.findChild<QLabel*>("lb_traceFile")->text().contains("/work/zelta-pps-trace.txt"));
      trace->setChecked(true);
      setup.findChild<QPushButton*>("TntButton2")->click();
    }
    QVERIFY(window::traceToFile(store));
    // Shown as stored; Cancel stores nothing.
    ui::TFmSetup setup(store, "/tmp", [] { return std::vector<link::PortEntry>(); });
    auto* trace = setup.findChild<QCheckBox*>("cb_traceToFile");
    QVERIFY(trace->isChecked());
    trace->setChecked(false);
    setup.findChild<QPushButton*>("btnCancel")->click();
    QVERIFY(window::traceToFile(store));
  }

  // The window traces from the start when the switch was left on.
  void theStoredSwitchTracesFromTheStart() {
    testing::TempFolder folder;
    window::MemorySettingsStore settings;
    window::storeTraceToFile(settings, true);
    DesktopWindow w(settings, folder);
    QVERIFY(w.window.operations().tracing());
    QVERIFY(std::filesystem::exists(folder / "zelta-pps-trace.txt"));
  }
};

QTEST_MAIN(DesktopConventionsTest)
#include "desktop_conventions_test.moc"
