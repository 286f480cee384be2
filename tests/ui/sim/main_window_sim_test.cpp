#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>
#include <QtTest/QTest>
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// Core headers name members "slots"; Qt's keyword macro must not see them.
#pragma push_macro("slots")
#undef slots
#include "errors/messages.h"
#include "storage/codeplug_files.h"
#include "support/recording_reporter.h"
#include "support/rules_field_events.h"
#pragma pop_macro("slots")
#include "modal_answerer.h"
#include "new_codeplug_file.h"
#include "operations/refused_image_text.h"
#include "sim_process.h"
#include "sim_window.h"
#include "temp_folder.h"
#include "ui/editing_pages.h"
#include "ui/main_window.h"

namespace code = zelta::errors::code;
using zelta::pages::Page;
using zelta::testing::oneReceivingCode;
using zelta::testing::SimWindow;
using zelta::ui::MainWindow;
using zelta::window::WindowKey;

namespace {

constexpr zelta::pages::FieldId kSerialNumberField = zelta::pages::fieldId("ed_serialNumber");
constexpr zelta::pages::FieldId kIcnField = zelta::pages::fieldId("ed_ICN");

// A codeplug file as another, with another ICN.
void copyWithIcn(const std::filesystem::path& from, const std::filesystem::path& to,
                 const std::string& icn) {
  namespace codeplug = zelta::codeplug;
  namespace storage = zelta::storage;
  auto image = std::make_unique<codeplug::CodeplugImage>();
  codeplug::SettingsRecord settings;
  zelta::testing::RecordingReporter quiet;
  storage::WorkFiles work;
  storage::CodeplugFiles files(*image, settings, work, quiet, codeplug::standardCodec());
  QCOMPARE(files.readCodeplugFile(from), code::Ok);
  settings.ICN = icn;
  storage::SaveContext save;
  save.build.pagerUnprogrammed = true;
  QCOMPARE(files.writeCodeplugFile(to, save), code::Ok);
}

// The settings an image decodes to, by name.
std::map<std::string, std::string> decodedSettings(const zelta::codeplug::CodeplugImage& image) {
  auto copy = std::make_unique<zelta::codeplug::CodeplugImage>(image);
  zelta::codeplug::SettingsRecord settings;
  zelta::codeplug::standardCodec().decode(zelta::codeplug::DecodeCommand::OpenFile, *copy, settings,
                                          {});
  return zelta::testing::settingsText(settings);
}

// The settings of the image programming builds from settings, by name.
std::map<std::string, std::string> builtSettings(const zelta::codeplug::CodeplugImage& image,
                                                 zelta::codeplug::SettingsRecord settings) {
  auto copy = std::make_unique<zelta::codeplug::CodeplugImage>(image);
  zelta::codeplug::standardCodec().build(*copy, settings, {});
  return decodedSettings(*copy);
}

// Whether a box's text is the one a result code ends in: the retry
// question of -16, the port's own statement for -114, else the statement.
bool showsResult(const QString& text, int result) {
  if (result == code::NotResponding)
    return text == QString::fromStdString(zelta::errors::confirmQuestion(result).text);
  if (result == code::PortNotOpened) return text.startsWith("Can not open com port.\n");
  const QString own = QString::fromStdString(zelta::errors::reportText(result, {}));
  // A refused image says on a second line what the refusal left in the pager.
  if (result == code::BadChecksum) {
    return text == own + "\n" +
                       QString::fromUtf8(zelta::operations::kRefusedImageDetail.data(),
                                         zelta::operations::kRefusedImageDetail.size());
  }
  return text == own;
}

// Status panel 0 of the main window.
QString statusLine(MainWindow& window) {
  auto* label = window.statusBar()->findChild<QLabel*>("statusOperation");
  return label != nullptr ? label->text() : QString("(no status panel)");
}

// Answers the password dialog with typed (recording its label in labels);
// a message box after it is answered No, or OK: a pager that refused the
// password does not answer any more.
ModalAnswerer::Handler typingPassword(const QString& typed, QStringList* labels = nullptr) {
  return [typed, labels](QWidget* widget) {
    if (auto* box = qobject_cast<QMessageBox*>(widget)) {
      QAbstractButton* no = box->button(QMessageBox::No);
      (no != nullptr ? no : box->button(QMessageBox::Ok))->click();
      return true;
    }
    auto* edit = widget->findChild<QLineEdit*>("pwdLabelEdit");
    if (edit == nullptr) return false;
    if (auto* label = widget->findChild<QLabel*>("lb_password"); label != nullptr && labels)
      *labels << label->text();
    QTest::keyClicks(edit, typed);
    widget->findChild<QPushButton*>("btnSubmit")->click();
    return true;
  };
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

  // Setup's "Trace to file": the read's bytes land in the work folder's
  // trace file, as zelta-pps-cli --trace writes them; turned off, no more.
  void theTraceSwitchWritesTheLinkToTheWorkFolder() {
    zelta::testing::SimProcess sim({"--no-advertise", "--model", "0x91", "--serial", "SIM0000042"});
    QVERIFY(!sim.path().empty());
    SimWindow w(sim.path());
    const std::filesystem::path trace = w.folder / "zelta-pps-trace.txt";
    // The dialog lists this machine's ports; the simulator's stays the port
    // whatever the list has selected.
    const QString port = QString::fromStdString(sim.path());
    const auto setTrace = [&](bool on) {
      ModalAnswerer setup([on, port](QWidget* widget) {
        if (widget->objectName() != "FmSetup") return false;
        widget->findChild<QCheckBox*>("cb_traceToFile")->setChecked(on);
        widget->findChild<QLineEdit*>("TntEdit1")->setText(port);
        widget->findChild<QPushButton*>("TntButton2")->click();
        return true;
      });
      w.window.action("setupCommunication")->trigger();
      QCOMPARE(w.window.operations().store().readString(zelta::window::kPortValue).value_or(""),
               sim.path());
    };
    setTrace(true);
    if (QTest::currentTestFailed()) return;
    ModalAnswerer answerer(ModalAnswerer::answering(QMessageBox::Yes));
    w.window.runKey(WindowKey::F3);
    QVERIFY(w.window.controller().activePage() == Page::General);
    const auto read = [&] {
      std::ifstream in(trace);
      return std::string((std::istreambuf_iterator<char>(in)), {});
    };
    const std::string traced = read();
    QVERIFY2(traced.find("open " + sim.path()) != std::string::npos, traced.c_str());
    QVERIFY(traced.find("TX ") != std::string::npos);
    QVERIFY(traced.find("RX ") != std::string::npos);

    w.window.runKey(WindowKey::F10);
    setTrace(false);
    if (QTest::currentTestFailed()) return;
    w.window.runKey(WindowKey::F3);
    QVERIFY(w.window.controller().activePage() == Page::General);
    QCOMPARE(read(), traced);
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
    // The status bar says which pager got what, until the next command.
    QCOMPARE(statusLine(w.window),
             QString("Programmed pager SN SIM0000042: codes 1234567, ICN ICN4711"));

    // What the pager now holds comes back with the next read.
    w.window.runKey(WindowKey::F3);
    QVERIFY2(w.window.controller().activePage() == Page::General, qPrintable(seen));
    QCOMPARE(w.fieldText(kIcnField).trimmed(), QString("ICN4711"));
    QCOMPARE(statusLine(w.window), QString());
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

  void aLinkFaultEndsInItsBoxAndLeavesTheCodeplugAsItWas_data() {
    QTest::addColumn<QString>("fault");
    QTest::addColumn<int>("key");
    // The codes the fault may end in: a simulator that dies may be gone
    // before the link's next attempt opens the port again.
    QTest::addColumn<QList<int>>("results");
    const int f3 = static_cast<int>(WindowKey::F3);
    const int f2 = static_cast<int>(WindowKey::F2);
    // F6, then F2 in sequential mode.
    const int f6 = static_cast<int>(WindowKey::F6);
    const QList<int> silent{code::NotResponding};
    const QList<int> gone{code::NotResponding, code::PortNotOpened};
    QTest::newRow("silent, F3") << "silent" << f3 << silent;
    QTest::newRow("silent, F2") << "silent" << f2 << silent;
    QTest::newRow("silent, sequential F2") << "silent" << f6 << silent;
    QTest::newRow("no echo, F3") << "no-echo" << f3 << silent;
    QTest::newRow("no echo, F2") << "no-echo" << f2 << silent;
    QTest::newRow("no echo, sequential F2") << "no-echo" << f6 << silent;
    QTest::newRow("garbage, F3") << "garbage" << f3 << silent;
    QTest::newRow("garbage, F2") << "garbage" << f2 << silent;
    QTest::newRow("garbage, sequential F2") << "garbage" << f6 << silent;
    // The copy of the pager read before programming is taken without its
    // sum: a bad sum stops only the read.
    QTest::newRow("bad checksum, F3") << "bad-checksum" << f3 << QList<int>{code::ReadBackFailed};
    // Reads are answered; the written block is refused.
    QTest::newRow("NAK, F2") << "nak" << f2 << QList<int>{code::BadChecksum};
    QTest::newRow("NAK, sequential F2") << "nak" << f6 << QList<int>{code::BadChecksum};
    QTest::newRow("exit mid-block, F3") << "exit-mid-block" << f3 << gone;
    QTest::newRow("exit mid-block, F2") << "exit-mid-block" << f2 << gone;
    QTest::newRow("exit mid-block, sequential F2") << "exit-mid-block" << f6 << gone;
  }

  // Every fault of the link ends in the one box of its result code (the
  // retry question answered No), the window usable again, nothing written
  // to the pager, and the codeplug on screen held as it was, edits and all:
  // a failed operation applies nothing of what it got from the pager, and a
  // failed F2 stays on its page (sequential: the codes do not move on).
  void aLinkFaultEndsInItsBoxAndLeavesTheCodeplugAsItWas() {
    QFETCH(QString, fault);
    QFETCH(int, key);
    QFETCH(QList<int>, results);
    const bool sequential = static_cast<WindowKey>(key) == WindowKey::F6;
    const WindowKey pressed = sequential ? WindowKey::F2 : static_cast<WindowKey>(key);
    zelta::testing::TempFolder files;
    const std::filesystem::path shown = files.path() / "shown.cp";
    const std::filesystem::path pager = files.path() / "pager.cp";
    const std::filesystem::path written = files.path() / "written.bin";
    zelta::testing::writeNewCodeplug(0x30, shown);
    // The pager holds another codeplug of the model: any of it applied shows.
    // What programming takes from the pager as its own (the serial number,
    // the synthesizer and band) is the same in both.
    copyWithIcn(shown, pager, "PAGER00001");
    std::vector<std::string> options{"--no-advertise",   "--image",        pager.string(),
                                     "--save-image",     written.string(), "--fault",
                                     fault.toStdString()};
    if (pressed == WindowKey::F3) options.insert(options.end(), {"--serial", "BAD0000001"});
    zelta::testing::SimProcess sim(options);
    QVERIFY(!sim.path().empty());
    // F6 reads the pager first: a sound one holding the codeplug to show.
    std::optional<zelta::testing::SimProcess> sound;
    if (sequential) {
      sound.emplace(std::vector<std::string>{"--no-advertise", "--image", shown.string()});
      QVERIFY(!sound->path().empty());
    }
    SimWindow w(sequential ? sound->path() : sim.path());
    zelta::window::WindowController& controller = w.window.controller();
    {
      // Opening and reading ask nothing; a box would show here.
      ModalAnswerer setup(ModalAnswerer::answering(QMessageBox::No));
      if (sequential) {
        w.window.runKey(WindowKey::F6);
        w.usePort(sim.path());
      } else {
        QVERIFY(w.open(shown));
      }
      QVERIFY2(setup.texts.isEmpty(), qPrintable(setup.texts.join(", ")));
    }
    QCOMPARE(controller.sequentialMode(), sequential);
    // Edits the pager has never seen.
    oneReceivingCode(controller.settings(), "1234567", controller.settings().frequency);
    controller.settings().ICN = "KEEP000001";
    // F3 is offered on "Main"; the codeplug stays in memory there.
    if (pressed == WindowKey::F3) w.window.runKey(WindowKey::F10);
    const Page page = controller.activePage();
    QCOMPARE(page, pressed == WindowKey::F3 ? Page::Main : Page::General);
    const std::string name = controller.codeplugName();
    const bool loaded = controller.codeplugLoaded();
    const auto settingsBefore = zelta::testing::settingsText(controller.settings());
    // A read leaves the image on screen as opened. Programming builds it from
    // the settings on screen first (the backup before the write is of them),
    // so that it holds the codeplug with its edits, and none of the pager's.
    const auto imageExpected = pressed == WindowKey::F2
                                   ? builtSettings(controller.image(), controller.settings())
                                   : decodedSettings(controller.image());

    ModalAnswerer answerer(ModalAnswerer::answering(QMessageBox::No));
    w.window.runKey(pressed);
    const QString seen = answerer.titles.join(", ") + " / " + answerer.texts.join(", ");
    QVERIFY2(answerer.texts.size() == 1, qPrintable(seen));
    const auto shownResult = std::find_if(results.begin(), results.end(),
                                          [&](int r) { return showsResult(answerer.texts[0], r); });
    QVERIFY2(shownResult != results.end(), qPrintable(seen));

    QVERIFY(w.usable());
    QVERIFY2(!std::filesystem::exists(written), qPrintable(seen));
    // A failed read stays on "Main", a failed F2 on its page.
    QCOMPARE(controller.activePage(), page);
    QCOMPARE(controller.sequentialMode(), sequential);
    QCOMPARE(controller.codeplugLoaded(), loaded);
    QCOMPARE(controller.codeplugName(), name);
    QCOMPARE(controller.model(), zelta::models::ModelCode{0x30});
    const auto changed = zelta::testing::changedSettings(settingsBefore, controller.settings());
    // The message is built whether the check fails or not.
    const std::string firstChange =
        changed.empty() ? "" : changed.begin()->first + ": " + changed.begin()->second;
    QVERIFY2(changed.empty(), firstChange.c_str());
    QCOMPARE(controller.settings().ICN, std::string("KEEP000001"));
    QCOMPARE(controller.settings().code[0], std::string("1234567"));
    QVERIFY(decodedSettings(controller.image()) == imageExpected);
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
    ModalAnswerer answerer(typingPassword(typed, &labels));
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

  // A refused password says how many attempts the pager still allows.
  void aWrongPasswordSaysTheAttemptsLeft() {
    zelta::testing::SimProcess sim(
        {"--no-advertise", "--model", "0x91", "--password", "SECRET1", "--attempts", "3"});
    QVERIFY(!sim.path().empty());
    SimWindow w(sim.path());
    ModalAnswerer answerer(typingPassword("WRONG99"));
    w.window.runKey(WindowKey::F3);
    const QString seen = answerer.texts.join(" | ");
    QVERIFY2(answerer.texts.contains("WARNING : Wrong Password.\nYou have  2 times left."),
             qPrintable(seen));
    QCOMPARE(w.window.controller().activePage(), Page::Main);
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
      // The count of the run, what went in, and what comes next.
      QCOMPARE(statusLine(w.window),
               QString("Pager %1 programmed SN SIM0000042: codes %2, ICN %3. Insert the next "
                       "pager and press F2.")
                   .arg(pager + 1)
                   .arg(pager == 0 ? "0012340" : "0012343", QString::fromStdString(programmedIcn)));
    }
    QVERIFY(images[0] != images[1]);
  }
};

QTEST_MAIN(MainWindowSimTest)
#include "main_window_sim_test.moc"
#include "pages/field_ids.h"
