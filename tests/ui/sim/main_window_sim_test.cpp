#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QtTest/QTest>
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "modal_answerer.h"
#include "sim_process.h"
#include "temp_folder.h"
#include "ui/editing_pages.h"
#include "ui/main_window.h"

namespace code = zelta::errors::code;
using zelta::pages::Page;
using zelta::ui::MainWindow;
using zelta::window::WindowKey;

namespace {

constexpr zelta::pages::FieldId kSerialNumberField = 1;  // ed_serialNumber
constexpr zelta::pages::FieldId kIcnField = 2;           // ed_ICN

// The window over a work folder of its own, its port the simulator's.
struct SimWindow {
  explicit SimWindow(const std::string& port)
      : window(zelta::codeplug::WorkFiles{folder.path(), {}}) {
    auto store = std::make_unique<zelta::window::MemorySettingsStore>();
    store->writeString(zelta::window::kPortValue, port);
    window.useSettingsStore(std::move(store));
    window.operations().runner().setPasswordPauseMs(0);
    window.resize(1100, 800);
    window.show();
  }
  QString fieldText(zelta::pages::FieldId field) {
    auto* edit = qobject_cast<QLineEdit*>(window.editingPages().fieldWidget(field));
    return edit != nullptr ? edit->text() : QString("<no field>");
  }
  zelta::testing::TempFolder folder;
  MainWindow window;
};

// One code that receives, on a frequency of the simulator's band: its
// image repeats one code on every slot, which the code checks refuse, and
// holds no frequency.
void oneReceivingCode(zelta::codeplug::SettingsRecord& settings, const std::string& capcode,
                      const std::string& frequency = "140.0000") {
  for (std::string& c : settings.code) c.clear();
  settings.code[0] = capcode;
  settings.function[0] = "ABCD";
  settings.frequency = frequency;
  settings.frequency2 = frequency;
}

}  // namespace

class MainWindowSimTest : public QObject {
  Q_OBJECT

 private slots:
  void readFillsThePages_data() {
    QTest::addColumn<int>("model");
    QTest::newRow("family A") << 0x30;
    QTest::newRow("family D") << 0x91;
  }

  void readFillsThePages() {
    QFETCH(int, model);
    zelta::testing::SimProcess sim({"--no-advertise", "--model",
                                    zelta::testing::hexModel(static_cast<std::uint8_t>(model)),
                                    "--serial", "SIM0000042"});
    QVERIFY(!sim.path().empty());
    SimWindow w(sim.path());
    ModalAnswerer answerer(ModalAnswerer::answering(QMessageBox::Yes));
    w.window.runKey(WindowKey::F3);
    QVERIFY2(w.window.controller().activePage() == Page::General,
             qPrintable(answerer.titles.join(", ") + " / " + answerer.texts.join(", ")));
    QCOMPARE(w.window.controller().model(), zelta::models::ModelCode(model));
    QCOMPARE(w.window.controller().codeplugName(), std::string("NONAME1"));
    QCOMPARE(w.fieldText(kSerialNumberField), QString("SIM0000042"));
    QVERIFY(w.window.windowTitle().contains(" >> NONAME1"));
    // Not busy any more: the editing commands are offered.
    QVERIFY(w.window.action("writeBtn")->isEnabled());
    QVERIFY(!w.window.action("readBtn")->isEnabled());
    QVERIFY(w.window.pages()->isEnabled());
  }

  void theSetupChoosesTheSimulatorsPortForTheRead() {
    zelta::testing::SimProcess sim({"--model", "0x91", "--serial", "SIM0000042"});
    QVERIFY(!sim.path().empty());
    SimWindow w("COM1");
    bool chosen = false;
    QStringList listed;
    ModalAnswerer answerer([&](QWidget* widget) {
      if (auto* box = qobject_cast<QMessageBox*>(widget)) {
        box->button(QMessageBox::Ok) != nullptr ? box->button(QMessageBox::Ok)->click()
                                                : box->button(QMessageBox::Yes)->click();
        return true;
      }
      if (widget->objectName() != "FmSetup") return false;
      auto* ports = widget->findChild<QListWidget*>("TntListBox1");
      auto* device = widget->findChild<QLineEdit*>("TntEdit2");
      // The simulator is listed by its model and terminal.
      const QString path = QString::fromStdString(sim.path());
      for (int row = 0; row < ports->count() && !chosen; ++row) {
        listed << ports->item(row)->text();
        if (!ports->item(row)->text().contains("Pager simulator (0x91) (" + path + ")")) continue;
        ports->setCurrentRow(row);
        chosen = device->text().contains(path);
      }
      widget->findChild<QPushButton*>("TntButton2")->click();
      return true;
    });
    w.window.action("setupCommunication")->trigger();
    QVERIFY2(chosen, qPrintable(QString::fromStdString(sim.path()) + ": " + listed.join(", ")));
    QCOMPARE(w.window.operations().store().readString(zelta::window::kPortValue).value_or(""),
             sim.path());
    w.window.runKey(WindowKey::F3);
    QVERIFY2(w.window.controller().activePage() == Page::General,
             qPrintable(answerer.titles.join(", ") + " / " + answerer.texts.join(", ")));
    QCOMPARE(w.fieldText(kSerialNumberField), QString("SIM0000042"));
  }

  void anEditProgrammedReachesThePager() {
    zelta::testing::TempFolder saved;
    const std::string image = (saved.path() / "pager.bin").string();
    zelta::testing::SimProcess sim(
        {"--no-advertise", "--model", "0x30", "--serial", "SIM0000042", "--save-image", image});
    QVERIFY(!sim.path().empty());
    SimWindow w(sim.path());
    ModalAnswerer answerer(ModalAnswerer::answering(QMessageBox::Yes));
    w.window.runKey(WindowKey::F3);
    QCOMPARE(w.window.controller().activePage(), Page::General);

    oneReceivingCode(w.window.controller().settings(), "1234567");
    auto* icn = qobject_cast<QLineEdit*>(w.window.editingPages().fieldWidget(kIcnField));
    QVERIFY(icn != nullptr);
    // The offscreen platform does not give the window its activation back
    // when the progress window closes, as a desktop does.
    QApplication::setActiveWindow(&w.window);
    QTRY_VERIFY(QApplication::activeWindow() == &w.window);
    icn->setFocus();
    QVERIFY(icn->hasFocus());
    icn->selectAll();
    QTest::keyClicks(icn, "ICN4711");
    w.window.runKey(WindowKey::F2);
    const QString seen = answerer.titles.join(", ") + " / " + answerer.texts.join(", ");
    // Single mode: back on "Main" once programmed.
    QVERIFY2(w.window.controller().activePage() == Page::Main, qPrintable(seen));
    QVERIFY(std::filesystem::exists(image));
    QCOMPARE(w.window.controller().settings().ICN, std::string("ICN4711"));
    std::ifstream in(image, std::ios::binary);
    const std::string written{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    QVERIFY2(written.find("ICN4711") != std::string::npos, "the ICN is not in the image written");

    // What the pager now holds comes back with the next read.
    w.window.runKey(WindowKey::F3);
    QVERIFY2(w.window.controller().activePage() == Page::General, qPrintable(seen));
    QCOMPARE(w.fieldText(kIcnField).trimmed(), QString("ICN4711"));
  }

  void aSilentPagerAsksToRetryAndNoLeavesTheWindowOnMain() {
    zelta::testing::SimProcess sim({"--no-advertise", "--model", "0x30", "--fault", "silent"});
    QVERIFY(!sim.path().empty());
    SimWindow w(sim.path());
    ModalAnswerer answerer(ModalAnswerer::answering(QMessageBox::No));
    w.window.runKey(WindowKey::F3);
    QCOMPARE(answerer.titles.size(), 1);
    QVERIFY2(answerer.texts[0].contains("not responding", Qt::CaseInsensitive),
             qPrintable(answerer.texts[0]));
    QCOMPARE(w.window.controller().activePage(), Page::Main);
    QVERIFY(w.window.controller().codeplugName().empty());
    QVERIFY(w.window.action("readBtn")->isEnabled());
    QVERIFY(w.window.menu("menuProg")->isEnabled());
    QVERIFY(!w.window.operations().progressWindow().isVisible());
    QVERIFY(w.window.windowTitle().indexOf(">>") < 0);
  }

  void theWindowPaintsWhileAReadRuns() {
    zelta::testing::SimProcess sim({"--no-advertise", "--model", "0x91", "--byte-delay-us", "300"});
    QVERIFY(!sim.path().empty());
    SimWindow w(sim.path());
    ModalAnswerer answerer(ModalAnswerer::answering(QMessageBox::Yes));
    int ticks = 0;
    bool busySeen = false;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] {
      ++ticks;
      if (w.window.controller().busy() && !w.window.action("readBtn")->isEnabled() &&
          w.window.operations().progressWindow().isVisible())
        busySeen = true;
    });
    timer.start(5);
    w.window.runKey(WindowKey::F3);
    timer.stop();
    QCOMPARE(w.window.controller().activePage(), Page::General);
    QVERIFY(ticks > 1);
    QVERIFY(busySeen);
  }

  void closingWhileBusyAsksAndClosesOnceTheOperationEnds() {
    zelta::testing::SimProcess sim({"--no-advertise", "--model", "0x91", "--byte-delay-us", "300"});
    QVERIFY(!sim.path().empty());
    SimWindow w(sim.path());
    ModalAnswerer answerer(ModalAnswerer::answering(QMessageBox::Yes));
    bool closedWhileBusy = false;
    QTimer::singleShot(50, [&] {
      closedWhileBusy = w.window.operations().running();
      w.window.close();
    });
    w.window.runKey(WindowKey::F3);
    QVERIFY(closedWhileBusy);
    QVERIFY2(answerer.texts.size() == 1 && answerer.texts[0].contains("busy", Qt::CaseInsensitive),
             qPrintable(answerer.texts.join(", ")));
    // The read ran to its end; the window went after it.
    QCOMPARE(w.window.controller().codeplugName(), std::string("NONAME1"));
    QVERIFY(!w.window.isVisible());
  }

  void programmingABlankPagerAsksForItsMemoryAndSerialNumber_data() {
    QTest::addColumn<bool>("accept");
    QTest::newRow("OK: the serial number reaches the pager") << true;
    QTest::newRow("Cancel: nothing is written") << false;
  }

  // Family A: the family D-F pagers must be programmed already (-118).
  void programmingABlankPagerAsksForItsMemoryAndSerialNumber() {
    QFETCH(bool, accept);
    zelta::testing::SimProcess first({"--no-advertise", "--model", "0x30"});
    QVERIFY(!first.path().empty());
    SimWindow w(first.path());
    ModalAnswerer answerer([accept](QWidget* widget) {
      if (auto* box = qobject_cast<QMessageBox*>(widget)) {
        QAbstractButton* yes = box->button(QMessageBox::Yes);
        (yes != nullptr ? yes : box->button(QMessageBox::Ok))->click();
        return true;
      }
      auto* serial = widget->findChild<QLineEdit*>("ed_newSerialNumber");
      if (serial == nullptr) return false;
      QTest::keyClicks(serial, "new0000001");
      widget->findChild<QPushButton*>(accept ? "btnOk" : "btnCancel")->click();
      return true;
    });
    w.window.runKey(WindowKey::F3);
    QCOMPARE(w.window.controller().activePage(), Page::General);
    oneReceivingCode(w.window.controller().settings(), "1234567");
    const zelta::codeplug::SettingsRecord before = w.window.controller().settings();

    zelta::testing::TempFolder saved;
    const std::filesystem::path image = saved.path() / "pager.bin";
    zelta::testing::SimProcess blank(
        {"--no-advertise", "--model", "0x30", "--status", "U", "--save-image", image.string()});
    QVERIFY(!blank.path().empty());
    auto store = std::make_unique<zelta::window::MemorySettingsStore>();
    store->writeString(zelta::window::kPortValue, blank.path());
    w.window.useSettingsStore(std::move(store));
    w.window.operations().runner().setPasswordPauseMs(0);
    w.window.runKey(WindowKey::F2);
    const QString seen = answerer.titles.join(", ") + " / " + answerer.texts.join(", ");
    QVERIFY2(answerer.titles.contains("SerialNo / Memory  Partitions Size"), qPrintable(seen));
    QVERIFY(!w.window.operations().running());
    QVERIFY(!w.window.operations().progressWindow().isVisible());
    if (!accept) {
      QVERIFY2(!std::filesystem::exists(image), qPrintable(seen));
      // Still editing the same codeplug, ready for another try.
      QCOMPARE(w.window.controller().activePage(), Page::General);
      QCOMPARE(w.window.controller().settings().code, before.code);
      QVERIFY(w.window.action("writeBtn")->isEnabled());
      return;
    }
    QVERIFY2(std::filesystem::exists(image), qPrintable(seen));
    std::ifstream in(image, std::ios::binary);
    const std::string written{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    QVERIFY2(written.find("NEW0000001") != std::string::npos,
             "the serial number typed is not in the image written");
  }

  void aPasswordProtectedPagerAsksForItsPassword_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("reads");
    QTest::newRow("right password") << "SECRET1" << true;
    QTest::newRow("wrong password") << "WRONG99" << false;
  }

  void aPasswordProtectedPagerAsksForItsPassword() {
    QFETCH(QString, typed);
    QFETCH(bool, reads);
    zelta::testing::SimProcess sim(
        {"--no-advertise", "--model", "0x91", "--password", "SECRET1", "--attempts", "1"});
    QVERIFY(!sim.path().empty());
    SimWindow w(sim.path());
    QStringList labels;
    ModalAnswerer answerer([&](QWidget* widget) {
      if (auto* box = qobject_cast<QMessageBox*>(widget)) {
        // A pager that refuses the password does not answer any more: stop.
        QAbstractButton* no = box->button(QMessageBox::No);
        (no != nullptr ? no : box->button(QMessageBox::Ok))->click();
        return true;
      }
      auto* edit = widget->findChild<QLineEdit*>("pwdLabelEdit");
      if (edit == nullptr) return false;
      if (auto* label = widget->findChild<QLabel*>("lb_password")) labels << label->text();
      QTest::keyClicks(edit, typed);
      widget->findChild<QPushButton*>("btnSubmit")->click();
      return true;
    });
    w.window.runKey(WindowKey::F3);
    const QString seen = answerer.titles.join(", ") + " / " + answerer.texts.join(", ");
    QVERIFY2(answerer.titles.contains("PASSWORD"), qPrintable(seen));
    // Reading asks for the password the pager holds now.
    QCOMPARE(labels.value(0), QString("Enter Current Password"));
    QCOMPARE(w.window.controller().activePage(), reads ? Page::General : Page::Main);
    QVERIFY(!w.window.operations().running());
    QVERIFY(w.window.action(reads ? "writeBtn" : "readBtn")->isEnabled());
    if (!reads) QVERIFY2(answerer.texts.size() >= 1, qPrintable(seen));
  }

  void aLinkFaultEndsInItsBoxWithTheCodeplugUnchanged_data() {
    QTest::addColumn<QString>("fault");
    QTest::newRow("no echo") << "no-echo:1000";
    QTest::newRow("bad checksum") << "bad-checksum:1000";
    QTest::newRow("garbage") << "garbage:1000";
    QTest::newRow("simulator exits mid-block") << "exit-mid-block";
  }

  void aLinkFaultEndsInItsBoxWithTheCodeplugUnchanged() {
    QFETCH(QString, fault);
    // A codeplug on screen first, read from a sound pager, then back to "Main".
    zelta::testing::SimProcess good(
        {"--no-advertise", "--model", "0x30", "--serial", "GOOD000001"});
    QVERIFY(!good.path().empty());
    SimWindow w(good.path());
    ModalAnswerer answerer(ModalAnswerer::answering(QMessageBox::No));
    w.window.runKey(WindowKey::F3);
    QCOMPARE(w.window.controller().activePage(), Page::General);
    w.window.controller().settings().ICN = "KEEP000001";
    const zelta::codeplug::SettingsRecord before = w.window.controller().settings();
    w.window.runKey(WindowKey::F10);
    QCOMPARE(w.window.controller().activePage(), Page::Main);
    answerer.titles.clear();
    answerer.texts.clear();

    // F3 on a faulty pager: its box, the window usable, the codeplug as it was.
    zelta::testing::SimProcess bad({"--no-advertise", "--model", "0x30", "--serial", "BAD0000001",
                                    "--fault", fault.toStdString()});
    QVERIFY(!bad.path().empty());
    auto store = std::make_unique<zelta::window::MemorySettingsStore>();
    store->writeString(zelta::window::kPortValue, bad.path());
    w.window.useSettingsStore(std::move(store));
    w.window.operations().runner().setPasswordPauseMs(0);
    w.window.runKey(WindowKey::F3);
    const QString seen = answerer.titles.join(", ") + " / " + answerer.texts.join(", ");
    QVERIFY2(!answerer.texts.isEmpty(), qPrintable(seen));
    QCOMPARE(w.window.controller().activePage(), Page::Main);
    QVERIFY(!w.window.operations().running());
    QVERIFY(!w.window.controller().busy());
    QVERIFY(!w.window.operations().progressWindow().isVisible());
    QVERIFY(w.window.action("readBtn")->isEnabled());
    QVERIFY(w.window.menu("menuProg")->isEnabled());
    const zelta::codeplug::SettingsRecord& after = w.window.controller().settings();
    QCOMPARE(after.code, before.code);
    QCOMPARE(after.ICN, before.ICN);
    QCOMPARE(after.serialNumber, before.serialNumber);
  }

  // A pager that refuses the image: its box, nothing written, and the
  // codeplug with its edits still on its page for another try.
  void aPagerThatRefusesTheImageKeepsTheEditsOnScreen() {
    zelta::testing::TempFolder saved;
    const std::filesystem::path image = saved.path() / "pager.bin";
    zelta::testing::SimProcess sim({"--no-advertise", "--model", "0x30", "--fault", "nak:1000",
                                    "--save-image", image.string()});
    QVERIFY(!sim.path().empty());
    SimWindow w(sim.path());
    ModalAnswerer answerer(ModalAnswerer::answering(QMessageBox::No));
    w.window.runKey(WindowKey::F3);
    QCOMPARE(w.window.controller().activePage(), Page::General);
    oneReceivingCode(w.window.controller().settings(), "1234567");
    w.window.controller().settings().ICN = "EDITED0001";
    answerer.titles.clear();
    answerer.texts.clear();
    w.window.runKey(WindowKey::F2);
    const QString seen = answerer.titles.join(", ") + " / " + answerer.texts.join(", ");
    QVERIFY2(!answerer.texts.isEmpty(), qPrintable(seen));
    QVERIFY2(!std::filesystem::exists(image), qPrintable(seen));
    QCOMPARE(w.window.controller().activePage(), Page::General);
    QCOMPARE(w.window.controller().settings().ICN, std::string("EDITED0001"));
    QVERIFY(w.window.action("writeBtn")->isEnabled());
    QVERIFY(!w.window.operations().progressWindow().isVisible());
  }

  void sequentialProgrammingMovesTheCodesOnAfterEveryPager() {
    zelta::testing::TempFolder saved;
    const std::filesystem::path image = saved.path() / "pager.bin";
    zelta::testing::SimProcess sim({"--no-advertise", "--model", "0x30", "--serial", "SIM0000042",
                                    "--save-image", image.string()});
    QVERIFY(!sim.path().empty());
    SimWindow w(sim.path());
    ModalAnswerer answerer(ModalAnswerer::answering(QMessageBox::Yes));
    w.window.runKey(WindowKey::F6);
    QCOMPARE(w.window.controller().activePage(), Page::General);
    QVERIFY(w.window.controller().sequentialMode());
    zelta::codeplug::SettingsRecord& settings = w.window.controller().settings();
    settings.noSequentialInc = 3;
    settings.ICN = "A000000099";
    oneReceivingCode(settings, "0012340");

    std::vector<std::vector<char>> images;
    for (int pager = 0; pager < 2; ++pager) {
      w.window.runKey(WindowKey::F2);
      const QString seen = answerer.titles.join(", ") + " / " + answerer.texts.join(", ");
      QVERIFY2(std::filesystem::exists(image), qPrintable(seen));
      std::ifstream in(image, std::ios::binary);
      images.emplace_back(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
      std::filesystem::remove(image);
      // Still sequential and editing, the code moved on for the next pager.
      QVERIFY2(w.window.controller().activePage() == Page::General, qPrintable(seen));
      QCOMPARE(settings.code[0], pager == 0 ? std::string("0012343") : std::string("0012346"));
      // The inventory number counts the pagers; the image holds the one programmed.
      QCOMPARE(settings.ICN, pager == 0 ? std::string("A000000100") : std::string("A000000101"));
      const std::string programmedIcn = pager == 0 ? "A000000099" : "A000000100";
      QVERIFY(std::search(images.back().begin(), images.back().end(), programmedIcn.begin(),
                          programmedIcn.end()) != images.back().end());
    }
    QVERIFY(images[0] != images[1]);
  }
};

QTEST_MAIN(MainWindowSimTest)
#include "main_window_sim_test.moc"
