#include "ui/operation_runner.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QThread>
#include <QTimer>
#include <QtTest/QTest>
#include <atomic>
#include <chrono>
#include <thread>

#include "link/clock.h"
#include "link/comm.h"
#include "link/termios_serial_device.h"
#include "modal_answerer.h"
#include "ui/memory_sn_dialog.h"
#include "ui/progress_window.h"
#include "ui/qt_reporter.h"
#include "ui/security_dialog.h"

using zelta::errors::ResultCode;
using zelta::ui::OperationRunner;
namespace code = zelta::errors::code;

namespace {

// Types text into the named line edit of the modal dialog and clicks a button.
ModalAnswerer::Handler typing(const char* edit, QString text, const char* button) {
  return [=](QWidget* w) {
    auto* field = w->findChild<QLineEdit*>(edit);
    auto* push = w->findChild<QPushButton*>(button);
    if (field == nullptr || push == nullptr) return false;
    QTest::keyClicks(field, text);
    push->click();
    return true;
  };
}

}  // namespace

class OperationRunnerTest : public QObject {
  Q_OBJECT

 private slots:
  void questionFromTheWorkerIsAnsweredOnTheGuiThread_data() {
    QTest::addColumn<int>("button");
    QTest::addColumn<int>("result");
    QTest::newRow("yes") << int(QMessageBox::Yes) << 1;
    QTest::newRow("no") << int(QMessageBox::No) << 0;
  }

  void questionFromTheWorkerIsAnsweredOnTheGuiThread() {
    QFETCH(int, button);
    QFETCH(int, result);
    zelta::ui::QtReporter gui;
    OperationRunner runner(gui, nullptr);
    ModalAnswerer answerer(ModalAnswerer::clicking(QMessageBox::StandardButton(button)));
    QThread* guiThread = QThread::currentThread();
    std::atomic<bool> offTheGuiThread = false;
    const ResultCode r = runner.run([&]() -> ResultCode {
      offTheGuiThread = QThread::currentThread() != guiThread;
      return runner.reporter().ConfirmCode(code::NotResponding) ? 1 : 0;
    });
    QVERIFY(offTheGuiThread);
    QCOMPARE(r, result);
    QCOMPARE(answerer.texts.size(), 1);
    QVERIFY2(answerer.texts[0].startsWith("Pager is not responding."),
             qPrintable(answerer.texts[0]));
    // The caption's line feed stays out of the title bar.
    QCOMPARE(answerer.titles[0], QStringLiteral("** WARNING **"));
  }

  void sameThreadRunnerAsksDirectly() {
    zelta::ui::QtReporter gui;
    OperationRunner runner(gui, nullptr);
    QSignalSpy finished(&runner, &OperationRunner::finished);
    ModalAnswerer answerer(ModalAnswerer::clicking(QMessageBox::Ok));
    QThread* guiThread = QThread::currentThread();
    const ResultCode r = runner.runHere([&]() -> ResultCode {
      runner.reporter().ReportCode(code::BadChecksum);
      return QThread::currentThread() == guiThread ? 7 : 0;
    });
    QCOMPARE(r, 7);
    QCOMPARE(answerer.texts.size(), 1);
    QCOMPARE(finished.size(), 1);
    QCOMPARE(finished[0][0].toInt(), 7);
  }

  void progressReachesTheProgressWindow() {
    zelta::ui::QtReporter gui;
    OperationRunner runner(gui, nullptr);
    zelta::ui::TFmProgressBar window;
    QCOMPARE(window.windowTitle(), QString("Progress"));
    connect(&runner, &OperationRunner::progress, &window, &zelta::ui::TFmProgressBar::setProgress);
    window.show();
    QSignalSpy progress(&runner, &OperationRunner::progress);
    const zelta::link::LinkHooks hooks = runner.linkHooks();
    runner.run([&]() -> ResultCode {
      for (int byte = 0; byte < 400; ++byte) hooks.progress(byte * 73 / 399);
      return 0;
    });
    QCoreApplication::processEvents();
    QCOMPARE(window.value(), 73);
    // One signal per value, not per byte.
    QCOMPARE(progress.size(), 74);
    window.hide();
    QCOMPARE(window.value(), 0);
  }

  void progressWindowIsShownForTheLengthOfTheOperation() {
    zelta::ui::QtReporter gui;
    OperationRunner runner(gui, nullptr);
    zelta::ui::TFmProgressBar window;
    const zelta::link::LinkHooks hooks = runner.linkHooks();
    std::atomic<bool> shownWhileRunning = false;
    QTimer look;
    connect(&look, &QTimer::timeout, [&] {
      if (window.isVisible() && window.value() == 50) shownWhileRunning = true;
    });
    look.start(5);
    const ResultCode r = zelta::ui::runShowingProgress(runner, window, [&]() -> ResultCode {
      hooks.progress(50);
      for (int i = 0; i < 1000 && !shownWhileRunning; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
      }
      return shownWhileRunning ? 1 : -1;
    });
    QCOMPARE(r, 1);
    QVERIFY(!window.isVisible());
    QCOMPARE(window.value(), 0);
  }

  // The window names the phase the link reports, with its percent; Escape
  // leaves it up while the work goes on; Cancel reaches the link as a stop
  // (the operator still answers the boxes that follow), and lasts for that
  // operation only.
  void cancelInTheProgressWindowStopsTheOperation() {
    zelta::ui::QtReporter gui;
    OperationRunner runner(gui, nullptr);
    zelta::ui::TFmProgressBar window;
    ModalAnswerer answerer(ModalAnswerer::clicking(QMessageBox::Ok));
    const zelta::link::LinkHooks hooks = runner.linkHooks();
    auto* phase = window.findChild<QLabel*>("lb_phase");
    auto* percent = window.findChild<QLabel*>("lb_percent");
    auto* cancel = window.findChild<QPushButton*>("btnCancel");
    QVERIFY(phase != nullptr && percent != nullptr && cancel != nullptr);
    std::atomic<bool> writing = false;
    QString shownWhileWriting;
    bool stillShownAfterEscape = false;
    QTimer look;
    connect(&look, &QTimer::timeout, [&] {
      if (!writing || !shownWhileWriting.isEmpty() || percent->text() != "40 %") return;
      shownWhileWriting = phase->text();
      QTest::keyClick(&window, Qt::Key_Escape);
      stillShownAfterEscape = window.isVisible();
      cancel->click();
    });
    look.start(5);
    const ResultCode r = zelta::ui::runShowingProgress(runner, window, [&]() -> ResultCode {
      hooks.phase(zelta::link::LinkPhase::Writing);
      hooks.progress(40);
      writing = true;
      for (int i = 0; i < 2000 && !hooks.stopRequested(); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
      }
      // Boxes after the stop are still shown.
      runner.reporter().ReportCode(code::Cancelled);
      return hooks.stopRequested() ? code::Cancelled : code::Ok;
    });
    QCOMPARE(r, code::Cancelled);
    QCOMPARE(shownWhileWriting, QString("Writing the image to the pager"));
    QVERIFY(stillShownAfterEscape);
    QCOMPARE(answerer.texts.size(), 1);
    QVERIFY(!window.isVisible());
    // The next operation starts unstopped, with a fresh window.
    bool stoppedAtStart = true;
    QCOMPARE(zelta::ui::runShowingProgress(runner, window,
                                           [&]() -> ResultCode {
                                             stoppedAtStart = hooks.stopRequested();
                                             return code::Ok;
                                           }),
             code::Ok);
    QVERIFY(!stoppedAtStart);
    QVERIFY(cancel->isEnabled());
    QCOMPARE(phase->text(), QString("Waking the pager"));
  }

  void guiThreadKeepsRunningDuringTheOperation() {
    zelta::ui::QtReporter gui;
    OperationRunner runner(gui, nullptr);
    std::atomic<bool> ticked = false;
    bool tickOnGuiThread = false;
    QTimer tick;
    connect(&tick, &QTimer::timeout, [&] {
      tickOnGuiThread = QThread::currentThread() == qApp->thread();
      ticked = true;
    });
    tick.start(10);
    // The operation ends only once the window's timer has fired.
    const ResultCode r = runner.run([&]() -> ResultCode {
      for (int i = 0; i < 1000 && !ticked; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
      }
      return ticked ? 1 : -1;
    });
    QCOMPARE(r, 1);
    QVERIFY(tickOnGuiThread);
  }

  void finishedIsSignalledAfterStart() {
    zelta::ui::QtReporter gui;
    OperationRunner runner(gui, nullptr);
    QSignalSpy finished(&runner, &OperationRunner::finished);
    QVERIFY(runner.start([] { return ResultCode{-30}; }));
    QVERIFY(runner.running());
    QVERIFY(!runner.start([] { return ResultCode{0}; }));
    QVERIFY(finished.wait(5000));
    QCOMPARE(finished[0][0].toInt(), -30);
    QVERIFY(!runner.running());
  }

  // Shut down while an operation runs (the program is ending): the link
  // sees the stop, and from then on nothing of the operation waits for the
  // window: no box, the question answered No, neither pager dialog. No
  // operation starts after it.
  void aShutDownRunnerWaitsForNoOperator() {
    zelta::ui::QtReporter gui;
    OperationRunner runner(gui, nullptr);
    ModalAnswerer answerer([](QWidget* w) { return w->close(); });
    const zelta::link::LinkHooks hooks = runner.linkHooks();
    QVERIFY(!hooks.stopRequested());
    QTimer::singleShot(20, &runner, [&] { runner.shutDown(); });
    bool yes = true;
    zelta::link::PasswordField password{};
    ResultCode memory = code::Ok;
    const ResultCode r = runner.run([&]() -> ResultCode {
      while (!hooks.stopRequested()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
      runner.reporter().ReportCode(code::BadChecksum);
      yes = runner.reporter().ConfirmCode(code::NotResponding);
      hooks.askPassword(password);
      zelta::operations::MemorySerialRequest request;
      memory = runner.dialogs().askMemoryAndSerial(request);
      return code::Cancelled;
    });
    QCOMPARE(r, code::Cancelled);
    QVERIFY(!yes);
    QVERIFY(password == zelta::link::PasswordField{});
    QCOMPARE(memory, code::Cancelled);
    QVERIFY2(answerer.titles.isEmpty(), qPrintable(answerer.titles.join(", ")));

    bool ran = false;
    QCOMPARE(runner.run([&] {
      ran = true;
      return code::Ok;
    }),
             code::Cancelled);
    QVERIFY(!runner.start([] { return code::Ok; }));
    QVERIFY(!ran);
  }

  void cancelledMemoryDialogReturnsMinus17() {
    zelta::ui::QtReporter gui;
    OperationRunner runner(gui, nullptr);
    ModalAnswerer answerer([](QWidget* w) {
      auto* cancel = w->findChild<QPushButton*>("btnCancel");
      if (w->objectName() != "FmMemorySn" || cancel == nullptr) return false;
      QTest::keyClicks(w->findChild<QLineEdit*>("ed_newSerialNumber"), "F123");
      cancel->click();
      return true;
    });
    zelta::operations::MemorySerialRequest request;
    request.model = 0x98;
    request.memoryCode = 16;
    const ResultCode r = runner.run([&] { return runner.dialogs().askMemoryAndSerial(request); });
    QCOMPARE(r, code::Cancelled);
    QCOMPARE(answerer.titles, QStringList{"SerialNo / Memory  Partitions Size"});
    QCOMPARE(request.memoryCode, 16);
    QCOMPARE(request.serialNumber, std::string());
  }

  void acceptedMemoryDialogFillsTheRequest() {
    zelta::ui::QtReporter gui;
    OperationRunner runner(gui, nullptr);
    QSignalSpy chosen(&runner, &OperationRunner::memoryPartitionChosen);
    ModalAnswerer answerer([](QWidget* w) {
      auto* ok = w->findChild<QPushButton*>("btnOk");
      if (w->objectName() != "FmMemorySn" || ok == nullptr) return false;
      QTest::keyClicks(w->findChild<QLineEdit*>("ed_newSerialNumber"), "f000000042x");
      // Choosing in the maildrop list moves the personal list along.
      w->findChild<QComboBox*>("cb_persMaildropString")->setCurrentIndex(5);
      ok->click();
      return true;
    });
    zelta::operations::MemorySerialRequest request;
    request.model = 0x98;
    request.memoryCode = 10;
    const ResultCode r = runner.run([&] { return runner.dialogs().askMemoryAndSerial(request); });
    QCOMPARE(r, code::Ok);
    QCOMPARE(request.serialNumber, std::string("F000000042"));
    QCOMPARE(request.memoryCode, 26);
    QCOMPARE(chosen.size(), 1);
    QCOMPARE(chosen[0][0].toString(), QString("  27K"));
    QCOMPARE(chosen[0][1].toString(), QString("   5K"));
  }

  void pagerPasswordReachesTheLink() {
    zelta::ui::QtReporter gui;
    OperationRunner runner(gui, nullptr);
    runner.setPasswordPauseMs(0);
    runner.setDownloadPasswordBeingEdited(true);
    QString label;
    ModalAnswerer answerer([&](QWidget* w) {
      if (w->objectName() != "FmSecurity") return false;
      label = w->findChild<QLabel*>("lb_password")->text();
      return typing("pwdLabelEdit", "abc-1", "btnSubmit")(w);
    });
    const zelta::link::LinkHooks hooks = runner.linkHooks();
    zelta::link::PasswordField field{};
    runner.run([&] {
      hooks.askPassword(field);
      return ResultCode{0};
    });
    QCOMPARE(answerer.titles, QStringList{"PASSWORD"});
    QCOMPARE(label, QString("Enter New Password"));
    QVERIFY(field == zelta::link::makePasswordField("ABC1"));
  }

  void startupPasswordDialog_data() {
    QTest::addColumn<QString>("configured");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("result");
    QTest::addColumn<QStringList>("windows");
    QTest::newRow("right") << "OPEN 42"
                           << "open 42" << 0 << QStringList{"SOFTWARE PASSWORD"};
    QTest::newRow("wrong") << "OPEN 42"
                           << "OPEN 43" << int(code::WrongEntryPassword)
                           << QStringList{"SOFTWARE PASSWORD", "ERROR"};
    QTest::newRow("none configured") << ""
                                     << "" << 0 << QStringList{};
  }

  void startupPasswordDialog() {
    QFETCH(QString, configured);
    QFETCH(QString, typed);
    QFETCH(int, result);
    QFETCH(QStringList, windows);
    zelta::ui::QtReporter gui;
    zelta::window::CommSettings settings;
    settings.softwarePassword = configured.toStdString();
    QStringList texts;
    ModalAnswerer answerer([&](QWidget* w) {
      if (auto* box = qobject_cast<QMessageBox*>(w)) {
        texts.append(box->text());
        box->button(QMessageBox::Ok)->click();
        return true;
      }
      return typing("pwdLabelEdit", typed, "btnSubmit")(w);
    });
    QCOMPARE(zelta::ui::askStartupPassword(settings, gui), result);
    QCOMPARE(answerer.titles, windows);
    if (result != 0) QCOMPARE(texts, QStringList{"ERROR: Wrong Password.\n"});
  }

  void refusedPortOpenNamesTheMissingDevice() {
    zelta::ui::QtReporter gui;
    OperationRunner runner(gui, nullptr);
    ModalAnswerer answerer(ModalAnswerer::clicking(QMessageBox::Ok));
    zelta::link::TermiosSerialDevice device;
    zelta::link::SteadyClock clock;
    zelta::link::TDComm comm(device, runner.reporter(), clock);
    comm.SetPortName("/dev/zelta-no-such-port");
    const ResultCode r =
        runner.run([&] { return comm.Open() ? ResultCode{0} : code::PortNotOpened; });
    QCOMPARE(r, code::PortNotOpened);
    QCOMPARE(answerer.texts,
             QStringList{"Can not open com port.\n/dev/zelta-no-such-port: no such device."});
  }
};

QTEST_MAIN(OperationRunnerTest)
#include "operation_runner_test.moc"
