#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest/QTest>
#include <memory>

// Core headers name members "slots"; Qt's keyword macro must not see them.
#pragma push_macro("slots")
#undef slots
#include "codeplug/codec.h"
#include "conversion/model_converter.h"
#include "link/clock.h"
#include "link/comm.h"
#include "link/termios_serial_device.h"
#include "storage/codeplug_files.h"
#pragma pop_macro("slots")
#include "modal_answerer.h"
#include "sim_process.h"
#include "temp_folder.h"
#include "ui/operation_runner.h"
#include "ui/qt_reporter.h"

namespace code = zelta::errors::code;
using zelta::operations::OperationKind;

namespace {

// The port, link and operations as the window builds them, with the
// runner's bridges.
struct WindowOperations {
  explicit WindowOperations(const std::string& port) {
    runner.setPasswordPauseMs(0);
    comm.SetPortName(port);
    link.setHooks(runner.linkHooks());
    work.folder = folder.path();
    link.setImageBuffers(zelta::link::imageBuffersOf(*image));
  }
  zelta::ui::QtReporter gui;
  zelta::ui::OperationRunner runner{gui, nullptr};
  zelta::link::SteadyClock clock;
  zelta::link::TermiosSerialDevice device;
  zelta::link::TDComm comm{device, runner.reporter(), clock};
  zelta::link::PagerLink link{comm, runner.reporter()};
  std::unique_ptr<zelta::codeplug::CodeplugImage> image =
      std::make_unique<zelta::codeplug::CodeplugImage>();
  zelta::codeplug::SettingsRecord settings;
  zelta::testing::TempFolder folder;
  zelta::storage::WorkFiles work;
  zelta::conversion::ConverterState converter;
  zelta::operations::OperationSettings operationSettings;
  zelta::storage::CodeplugSession session{*image, settings, work, runner.reporter(),
                                          zelta::codeplug::standardCodec()};
  zelta::operations::PagerOperations operations{link, session, converter, runner.dialogs(),
                                                operationSettings};
};

// The read as the window runs it: 1 on success, the failure's code otherwise.
int readResult(zelta::operations::PagerOperations& operations) {
  const zelta::errors::OperationOutcome read = operations.RunPagerOperation(OperationKind::Read);
  return read.succeeded() ? code::Ok : read.code;
}

}  // namespace

class OperationRunnerSimTest : public QObject {
  Q_OBJECT

 private slots:
  void readAsksThePasswordOnTheWindowThread() {
    zelta::testing::SimProcess sim(
        {"--no-advertise", "--model", "0x98", "--serial", "SIM0000007", "--password", "OPEN1"});
    QVERIFY(!sim.path().empty());
    WindowOperations ops(sim.path());
    QSignalSpy progress(&ops.runner, &zelta::ui::OperationRunner::progress);
    ModalAnswerer answerer([](QWidget* w) {
      auto* edit = w->findChild<QLineEdit*>("pwdLabelEdit");
      if (edit == nullptr) return false;
      QTest::keyClicks(edit, "open1");
      w->findChild<QPushButton*>("btnSubmit")->click();
      return true;
    });
    const int r = ops.runner.run([&] { return readResult(ops.operations); });
    QCOMPARE(r, code::Ok);
    QCOMPARE(answerer.titles, QStringList{"PASSWORD"});
    QCOMPARE(ops.image->modelCode(), zelta::models::ModelCode{0x98});
    QVERIFY(!progress.isEmpty());
    QCOMPARE(progress.last()[0].toInt(), 100);
  }

  void programmingAnUnprogrammedPagerAsksForItsSerialNumber() {
    zelta::testing::SimProcess first({"--no-advertise", "--model", "0x98"});
    QVERIFY(!first.path().empty());
    WindowOperations ops(first.path());
    QCOMPARE(ops.runner.run([&] { return readResult(ops.operations); }), code::Ok);
    // One code that receives; the simulator's image repeats one code.
    for (std::string& c : ops.settings.code) c.clear();
    ops.settings.code[0] = "1234567";
    ops.settings.function[0] = "ABCD";
    ops.operationSettings.sourceModel = 0x98;
    ops.operationSettings.backupBeforeProgramming = false;

    zelta::testing::SimProcess blank({"--no-advertise", "--model", "0x98", "--status", "U"});
    QVERIFY(!blank.path().empty());
    ops.comm.SetPortName(blank.path());
    QSignalSpy chosen(&ops.runner, &zelta::ui::OperationRunner::memoryPartitionChosen);
    ModalAnswerer answerer([](QWidget* w) {
      if (auto* box = qobject_cast<QMessageBox*>(w)) {
        // Any question on the way is answered Yes, any statement OK.
        QAbstractButton* yes = box->button(QMessageBox::Yes);
        (yes != nullptr ? yes : box->button(QMessageBox::Ok))->click();
        return true;
      }
      auto* serial = w->findChild<QLineEdit*>("ed_newSerialNumber");
      if (serial == nullptr) return false;
      QTest::keyClicks(serial, "new0000001");
      w->findChild<QPushButton*>("btnOk")->click();
      return true;
    });
    // Written, or left at a model check that showed itself: no failure.
    const int r = ops.runner.run(
        [&] { return ops.operations.RunPagerOperation(OperationKind::Program).code; });
    QCOMPARE(r, code::Ok);
    QVERIFY2(answerer.titles.contains("SerialNo / Memory  Partitions Size"),
             qPrintable(answerer.titles.join(", ") + " / " + answerer.texts.join(", ")));
    // What the model checks make of the blank pager after the dialog is theirs.
    QCOMPARE(ops.settings.serialNumber, std::string("NEW0000001"));
    QCOMPARE(chosen.size(), 1);
  }
};

QTEST_MAIN(OperationRunnerSimTest)
#include "operation_runner_sim_test.moc"
