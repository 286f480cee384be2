// F4 on the main window against the pager simulator: the read, the service
// window over it, the adjust values programmed into the pager, the test
// commands and the mode switches as the pager receives them.
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QRadioButton>
#include <QStackedWidget>
#include <QtTest/QTest>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "modal_answerer.h"
#include "sim_process.h"
#include "sim_window.h"
#include "temp_folder.h"

// Core headers name members "slots"; Qt's keyword macro must not see them.
#pragma push_macro("slots")
#undef slots
#include "new_codeplug_file.h"
#pragma pop_macro("slots")
#include "ui/main_window.h"
#include "ui/service_window.h"

using zelta::pages::Page;
using zelta::testing::SimWindow;
using zelta::ui::MainWindow;
using zelta::ui::TFmService;
using zelta::window::AdjustField;
using zelta::window::WindowKey;

namespace {

// A codeplug of the model as `zelta-pps-cli new` writes it: a pager
// started from it reads and programs as a configured one does.
std::string newCodeplugFile(zelta::models::ModelCode model, const std::filesystem::path& file) {
  zelta::testing::writeNewCodeplug(model, file);
  return file.string();
}

std::string fileText(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Answers every box (questions with answer), and runs script once the
// service window is up; the boxes the script brings up are answered too.
struct ServiceSession {
  explicit ServiceSession(std::function<void(TFmService&)> script,
                          QMessageBox::StandardButton answer = QMessageBox::Yes)
      : answerer([this, script = std::move(script), answer](QWidget* w) {
          if (auto* service = qobject_cast<TFmService*>(w)) {
            if (started) return false;
            started = true;
            script(*service);
            return true;
          }
          return ModalAnswerer::answering(answer)(w);
        }) {}

  QString seen() const { return answerer.titles.join(", ") + " / " + answerer.texts.join(", "); }
  bool shown(const QString& text) const { return answerer.texts.contains(text); }

  bool started = false;
  ModalAnswerer answerer;
};

int shownPage(TFmService& service) {
  return service.findChild<QStackedWidget*>("servicePgc")->currentIndex();
}

QLineEdit* field(TFmService& service, AdjustField f) {
  return service.findChild<QLineEdit*>(zelta::window::adjustFieldInfo(f).name.data());
}

void typeInto(QLineEdit* edit, const QString& text) {
  edit->setFocus();
  edit->selectAll();
  QTest::keyClicks(edit, text);
}

QString reportText(zelta::errors::ResultCode code) {
  return QString::fromStdString(zelta::errors::reportText(code, {}));
}

}  // namespace

class ServiceWindowSimTest : public QObject {
  Q_OBJECT

 private slots:
  void f4ReadsThePagerAndOpensTheServiceWindow() {
    zelta::testing::SimProcess sim({"--no-advertise", "--model", "0x98", "--serial", "SIM0000042"});
    QVERIFY(!sim.path().empty());
    SimWindow w(sim.path());
    QString title;
    int page = -1;
    bool programOffered = true;
    ServiceSession session([&](TFmService& service) {
      title = service.windowTitle();
      page = shownPage(service);
      programOffered = service.action("smenuProgram")->isEnabled();
      service.runKey(WindowKey::F10);
    });
    w.window.runKey(WindowKey::F4);
    QVERIFY2(session.started, qPrintable(session.seen()));
    QCOMPARE(title, QString("Zelta Orvel PPS - Service "));
    QCOMPARE(page, 0);
    QVERIFY(!programOffered);
    // The pager was read; the window is on "Main" again, not busy.
    QCOMPARE(w.window.controller().model(), zelta::models::ModelCode(0x98));
    QCOMPARE(w.window.controller().settings().serialNumber, std::string("SIM0000042"));
    QCOMPARE(w.window.controller().activePage(), Page::Main);
    QVERIFY(w.window.controller().view().operationText.empty());
    QVERIFY(w.window.action("serviceBtn")->isEnabled());
    QCOMPARE(session.answerer.titles.size(), 1);  // the service window, no box
  }

  void aSilentPagerOpensNoServiceWindow() {
    zelta::testing::SimProcess sim({"--no-advertise", "--model", "0x30", "--fault", "silent"});
    QVERIFY(!sim.path().empty());
    SimWindow w(sim.path());
    ServiceSession session([](TFmService& service) { service.runKey(WindowKey::F10); },
                           QMessageBox::No);
    w.window.runKey(WindowKey::F4);
    QVERIFY(!session.started);
    QCOMPARE(session.answerer.titles.size(), 1);
    QVERIFY2(session.answerer.texts[0].contains("not responding"), qPrintable(session.seen()));
    QVERIFY(w.window.action("serviceBtn")->isEnabled());
  }

  // A pager that answers but has nothing to read: told so, and served
  // without the adjust page.
  void anUnprogrammedPagerGetsTheTestModeButNoAdjustPage() {
    zelta::testing::SimProcess sim({"--no-advertise", "--model", "0x98", "--status", "U"});
    QVERIFY(!sim.path().empty());
    SimWindow w(sim.path());
    bool adjustOffered = true;
    int pageAfterF5 = -1;
    ServiceSession session([&](TFmService& service) {
      adjustOffered = service.action("smenuAdjust")->isEnabled();
      service.runKey(WindowKey::F5);
      pageAfterF5 = shownPage(service);
      service.runKey(WindowKey::F10);
      service.runKey(WindowKey::F10);
    });
    w.window.runKey(WindowKey::F4);
    QVERIFY2(session.started, qPrintable(session.seen()));
    QVERIFY(session.shown(reportText(zelta::errors::code::Unprogrammed)));
    QVERIFY(!adjustOffered);
    QCOMPARE(pageAfterF5, 2);
  }

  void anIllegalContrastIsRefusedAndNothingIsWritten() {
    zelta::testing::TempFolder saved;
    const std::filesystem::path image = saved.path() / "pager.bin";
    const std::string start = newCodeplugFile(0x30, saved.path() / "start.cp");
    QVERIFY(!start.empty());
    zelta::testing::SimProcess sim(
        {"--no-advertise", "--image", start, "--save-image", image.string()});
    QVERIFY(!sim.path().empty());
    SimWindow w(sim.path());
    bool stillOpen = false;
    ServiceSession session([&](TFmService& service) {
      service.runKey(WindowKey::F3);
      typeInto(field(service, AdjustField::TextContrast), "20");
      typeInto(field(service, AdjustField::IconContrast), "2");
      service.runKey(WindowKey::F2);
      stillOpen = service.isVisible() && shownPage(service) == 1;
      service.runKey(WindowKey::F10);
      service.runKey(WindowKey::F10);
    });
    w.window.runKey(WindowKey::F4);
    QVERIFY2(session.started, qPrintable(session.seen()));
    QVERIFY2(session.shown(reportText(zelta::errors::code::TextContrast)),
             qPrintable(session.seen()));
    QVERIFY(stillOpen);
    QVERIFY(!std::filesystem::exists(image));
  }

  void validValuesAreProgrammedIntoThePager_data() {
    QTest::addColumn<int>("model");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("icon");
    QTest::addColumn<QString>("lcd1");
    // Programming clears the icon contrast of models '0', '1', ':', '6', 'x'
    // and 't'; model '2' keeps it.
    QTest::newRow("family A") << 0x32 << "12"
                              << "2"
                              << "";
    QTest::newRow("family D") << 0x98 << ""
                              << "1"
                              << "7";
  }

  void validValuesAreProgrammedIntoThePager() {
    QFETCH(int, model);
    QFETCH(QString, text);
    QFETCH(QString, icon);
    QFETCH(QString, lcd1);
    zelta::testing::TempFolder saved;
    const std::filesystem::path image = saved.path() / "pager.bin";
    const std::string start =
        newCodeplugFile(static_cast<zelta::models::ModelCode>(model), saved.path() / "start.cp");
    QVERIFY(!start.empty());
    zelta::testing::SimProcess sim(
        {"--no-advertise", "--image", start, "--save-image", image.string()});
    QVERIFY(!sim.path().empty());
    SimWindow w(sim.path());
    QString secondLcd;
    ServiceSession session([&](TFmService& service) {
      service.runKey(WindowKey::F3);
      auto* second = service.findChild<QComboBox*>("cb_secondAdjustValue");
      second->setCurrentIndex(9);  // "-1"
      emit second->activated(9);
      if (!text.isEmpty()) typeInto(field(service, AdjustField::TextContrast), text);
      typeInto(field(service, AdjustField::IconContrast), icon);
      if (!lcd1.isEmpty()) {
        typeInto(field(service, AdjustField::Lcd1), lcd1);
        secondLcd = field(service, AdjustField::Lcd2)->text();
      }
      service.runKey(WindowKey::F2);
    });
    w.window.runKey(WindowKey::F4);
    QVERIFY2(session.started, qPrintable(session.seen()));
    QVERIFY2(std::filesystem::exists(image), qPrintable(session.seen()));
    // No backup file: the service window programs without one.
    QVERIFY(!std::filesystem::exists(w.folder.path() / "~writeBeforeCP.bak"));
    QCOMPARE(w.window.controller().activePage(), Page::Main);

    const std::string bytes = fileText(image);
    zelta::codeplug::CodeplugImage layout;
    layout.setModel(static_cast<zelta::models::ModelCode>(model));
    const auto at = [&](std::size_t offset) {
      return offset < bytes.size() ? static_cast<std::uint8_t>(bytes[offset]) : 0x100;
    };
    QCOMPARE(at(0xAE), 0xFF);
    QCOMPARE(at(layout.offsets().iconContrast) & 3, ~icon.toInt() & 3);
    if (!text.isEmpty()) QCOMPARE(at(0xAC) & 0x0F, text.toInt());
    if (!lcd1.isEmpty()) {
      QCOMPARE(secondLcd, QString::number(lcd1.toInt() + 15));
      QCOMPARE(at(0x73E), lcd1.toInt());
      QCOMPARE(at(0x73F), lcd1.toInt() + 15);
    }
  }

  void testCommandsReachThePagerAndShowItsAnswer() {
    zelta::testing::TempFolder logs;
    const std::filesystem::path log = logs.path() / "sim.log";
    zelta::testing::SimProcess sim(
        {"--no-advertise", "--model", "0x98", "--key", "0x10", "--ram-pattern", "Z", "-v"},
        log.string());
    QVERIFY(!sim.path().empty());
    SimWindow w(sim.path());
    QString key;
    QString pattern;
    int pageAfterF10 = -1;
    ServiceSession session([&](TFmService& service) {
      service.runKey(WindowKey::F5);
      if (shownPage(service) != 2) return;
      auto* result = service.findChild<QLineEdit*>("resultEdit");
      service.findChild<QRadioButton*>("serviceRadio04")->click();  // Key Test
      service.runKey(WindowKey::F8);
      key = result->text();
      service.findChild<QRadioButton*>("serviceRadio03")->click();  // RAM Test Pattern
      service.runKey(WindowKey::F8);
      pattern = result->text();
      service.findChild<QRadioButton*>("serviceRadio02")->click();           // Annunciator Test
      service.findChild<QComboBox*>("serviceComboAnn")->setCurrentIndex(0);  // ALL ON
      service.runKey(WindowKey::F8);
      service.runKey(WindowKey::F10);
      pageAfterF10 = shownPage(service);
      service.runKey(WindowKey::F10);
    });
    w.window.runKey(WindowKey::F4);
    QVERIFY2(session.started, qPrintable(session.seen()));
    QCOMPARE(key, QString("LEFT KEY     "));
    QCOMPARE(pattern, QString("Z"));
    QCOMPARE(pageAfterF10, 0);
    QCOMPARE(session.answerer.titles.size(), 1);  // no box on the way
    const std::string events = fileText(log);
    for (const char* event :
         {"test mode", "key test", "RAM test pattern", "annunciators ALL ON", "exit test mode"}) {
      QVERIFY2(events.find(event) != std::string::npos, event);
    }
  }

  void modeSwitchesReachThePagerAndShowTheirBoxes() {
    zelta::testing::TempFolder logs;
    const std::filesystem::path log = logs.path() / "sim.log";
    zelta::testing::SimProcess sim({"--no-advertise", "--model", "0x30", "-v"}, log.string());
    QVERIFY(!sim.path().empty());
    SimWindow w(sim.path());
    ServiceSession session([&](TFmService& service) {
      service.runKey(WindowKey::F6);
      service.runKey(WindowKey::F7);
      service.runKey(WindowKey::F9);
      service.runKey(WindowKey::F10);
    });
    w.window.runKey(WindowKey::F4);
    QVERIFY2(session.started, qPrintable(session.seen()));
    QCOMPARE(session.answerer.texts.mid(1),
             (QStringList{"Pager is in Quick Page Mode.",
                          "Pager is in Keep Only Good Messages Mode.", "Pager is in Chirp Mode."}));
    QCOMPARE(session.answerer.titles.mid(1),
             (QStringList{"INFORMATION", "INFORMATION", "INFORMATION"}));
    const std::string events = fileText(log);
    for (const char* event : {"quick page mode", "keep only good messages mode", "chirp mode"}) {
      QVERIFY2(events.find(event) != std::string::npos, event);
    }
  }
};

QTEST_MAIN(ServiceWindowSimTest)
#include "service_window_sim_test.moc"
