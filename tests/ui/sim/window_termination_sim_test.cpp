// SIGTERM and SIGHUP while the window works: the window program runs as a
// child process (this program again, the window wired to its termination
// requests as main.cpp wires it), the pager is the simulator, and the signal
// is sent by PID at the moment that matters.

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <QtTest/QTest>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <string_view>
#include <thread>

// Core headers name members "slots"; Qt's keyword macro must not see them.
#pragma push_macro("slots")
#undef slots
#include "window/settings_store.h"
#pragma pop_macro("slots")
#include "modal_answerer.h"
#include "sim_process.h"
#include "sim_window.h"
#include "temp_folder.h"
#include "ui/main_window.h"
#include "ui/session_end.h"
#include "ui/termination_requests.h"

namespace fs = std::filesystem;
using zelta::testing::fileText;
using zelta::testing::oneReceivingCode;
using zelta::window::WindowKey;

namespace {

// How the child is asked to run: this option, then what it does, the port
// ("-" for none) and the work folder.
constexpr std::string_view kChildOption = "--window-child";

// What the child does once its window is shown.
enum class ChildWork {
  Program,  // F3, a code of its own, F2; every question answered Yes
  Read,     // F3 with every box left open
  Idle,     // nothing: the window waits on "Main"
};

constexpr const char* kChildWorkNames[] = {"program", "read", "idle"};

// The child's part once the window is up; quits by itself when no
// termination request came.
void doChildWork(ChildWork work, zelta::ui::MainWindow& window,
                 zelta::ui::TerminationRequests& termination) {
  switch (work) {
    case ChildWork::Program:
      window.runKey(WindowKey::F3);
      oneReceivingCode(window.controller().settings());
      window.runKey(WindowKey::F2);
      break;
    case ChildWork::Read: window.runKey(WindowKey::F3); break;
    case ChildWork::Idle: std::fprintf(stderr, "shown\n"); return;
  }
  if (termination.received() == 0) QCoreApplication::exit(0);
}

int runWindowChild(ChildWork work, int argc, char** argv) {
  const std::string port = argv[3];
  const fs::path folder = argv[4];
  QApplication app(argc, argv);
  zelta::ui::TerminationRequests termination;
  int status = 0;
  {
    zelta::ui::MainWindow window(zelta::storage::WorkFiles{folder, {}});
    auto store = std::make_unique<zelta::window::MemorySettingsStore>();
    store->writeString(zelta::window::kPortValue, port);
    window.useSettingsStore(std::move(store));
    window.operations().runner().setPasswordPauseMs(0);
    // The parent learns from the gauge how far a block has gone, and from
    // the boxes what the window waits for.
    QObject::connect(&window.operations().runner(), &zelta::ui::OperationRunner::progress,
                     [](int percent) { std::fprintf(stderr, "progress %d\n", percent); });
    ModalAnswerer answerer([work](QWidget* modal) {
      auto* box = qobject_cast<QMessageBox*>(modal);
      if (box != nullptr) std::fprintf(stderr, "box: %s\n", qPrintable(box->text()));
      // Seen, and left open.
      if (work != ChildWork::Program) return true;
      return ModalAnswerer::answering(QMessageBox::Yes)(modal);
    });
    zelta::ui::endSessionOnRequest(app, termination, window);
    window.show();
    QTimer::singleShot(0, &window, [&] { doChildWork(work, window, termination); });
    status = QApplication::exec();
  }
  termination.endBySignalReceived();
  return status;
}

// The child on the simulator's port (or none); its PID.
pid_t startWindowChild(ChildWork work, const std::string& port, const fs::path& folder,
                       const fs::path& errorLog) {
  const pid_t child = fork();
  if (child == 0) {
    const int err = ::open(errorLog.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    dup2(err, STDERR_FILENO);
    execl("/proc/self/exe", "window_termination_sim_test", kChildOption.data(),
          kChildWorkNames[static_cast<int>(work)], port.empty() ? "-" : port.c_str(),
          folder.c_str(), static_cast<char*>(nullptr));
    _exit(127);
  }
  return child;
}

// The child's end, waited for up to the time given; it is killed when it
// has not ended by then. Its wait status.
int endOf(pid_t child, std::chrono::milliseconds limit) {
  const auto end = std::chrono::steady_clock::now() + limit;
  int status = 0;
  while (waitpid(child, &status, WNOHANG) == 0) {
    if (std::chrono::steady_clock::now() >= end) {
      kill(child, SIGKILL);
      waitpid(child, &status, 0);
      return status;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return status;
}

bool endedBy(int status, int signal) {
  return WIFSIGNALED(status) && WTERMSIG(status) == signal;
}

// Waits for text in the file, up to the time given; true when it came.
bool waitForText(const fs::path& file, const std::string& text, std::chrono::milliseconds limit) {
  const auto end = std::chrono::steady_clock::now() + limit;
  while (std::chrono::steady_clock::now() < end) {
    if (fileText(file).find(text) != std::string::npos) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  return false;
}

// Waits for a "progress N" line of the child past offset with N between 20
// and 60: single bytes (status letters, replies) only ever show 100.
bool waitForBlockProgress(const fs::path& log, std::size_t offset) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(30);
  while (std::chrono::steady_clock::now() < end) {
    const std::string text = fileText(log);
    for (std::size_t at = text.find("progress ", offset); at != std::string::npos;
         at = text.find("progress ", at + 1)) {
      const int percent = std::atoi(text.c_str() + at + 9);
      if (percent >= 20 && percent <= 60) return true;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return false;
}

}  // namespace

class WindowTerminationSimTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    fs::create_directory(folder_ / "work");
    // What the pager holds after the whole F2, for the runs stopped by a
    // signal to compare with.
    const fs::path reference = folder_ / "reference.bin";
    zelta::testing::SimProcess sim({"--no-advertise", "--model", "0x30", "--serial", "SIM0000042",
                                    "--save-image", reference.string()});
    QVERIFY(!sim.path().empty());
    const fs::path log = folder_ / "reference.log";
    const pid_t child = startWindowChild(ChildWork::Program, sim.path(), folder_ / "work", log);
    const int status = endOf(child, std::chrono::seconds(60));
    QVERIFY2(WIFEXITED(status) && WEXITSTATUS(status) == 0, fileText(log).c_str());
    QTRY_VERIFY(fs::exists(reference));
    referenceImage_ = fileText(reference);
    QVERIFY(!referenceImage_.empty());
  }

  void aSignalDuringTheWriteLeavesThePagerWhole_data() {
    QTest::addColumn<int>("signal");
    QTest::newRow("SIGTERM") << SIGTERM;
    QTest::newRow("SIGHUP") << SIGHUP;
  }

  // The block being written goes through with its checksum and the pager's
  // answer; the program then ends by the signal it was sent.
  void aSignalDuringTheWriteLeavesThePagerWhole() {
    QFETCH(int, signal);
    const fs::path saved = folder_ / "saved.bin";
    const fs::path simLog = folder_ / "sim.log";
    const fs::path windowLog = folder_ / "window.log";
    fs::remove(saved);
    zelta::testing::SimProcess sim({"--no-advertise", "--model", "0x30", "--serial", "SIM0000042",
                                    "--byte-delay-us", "600", "--save-image", saved.string(), "-v"},
                                   simLog.string());
    QVERIFY(!sim.path().empty());
    const pid_t child =
        startWindowChild(ChildWork::Program, sim.path(), folder_ / "work", windowLog);
    // The write frame has been answered, and the gauge is between a fifth
    // and three fifths of the block: the block is on its way, far from its
    // end (at 600 us a byte and its echo, 1025 bytes take over half a
    // second).
    bool writing = waitForText(simLog, "\nwrite\n", std::chrono::seconds(30));
    if (writing) writing = waitForBlockProgress(windowLog, fileText(windowLog).size());
    const std::string before = fileText(simLog);
    kill(child, writing ? signal : SIGKILL);
    const int status = endOf(child, std::chrono::seconds(10));
    QVERIFY2(writing, fileText(windowLog).c_str());
    QVERIFY2(before.find("write accepted") == std::string::npos, "the signal came too late");

    QVERIFY2(endedBy(status, signal), fileText(windowLog).c_str());
    QVERIFY2(waitForText(simLog, "write accepted", std::chrono::seconds(2)),
             fileText(simLog).c_str());
    QTRY_VERIFY(fs::exists(saved));
    QVERIFY(fileText(saved) == referenceImage_);
  }

  // A question the operation waits on (a silent pager's retry) is no
  // reason to stay: the program ends by the signal, unanswered.
  void aSignalWhileAQuestionIsOpenEndsTheProgram() {
    const fs::path windowLog = folder_ / "question.log";
    zelta::testing::SimProcess sim({"--no-advertise", "--model", "0x30", "--fault", "silent"});
    QVERIFY(!sim.path().empty());
    const pid_t child = startWindowChild(ChildWork::Read, sim.path(), folder_ / "work", windowLog);
    const bool asked = waitForText(windowLog, "box: ", std::chrono::seconds(30));
    kill(child, asked ? SIGTERM : SIGKILL);
    const int status = endOf(child, std::chrono::seconds(10));
    QVERIFY2(asked, fileText(windowLog).c_str());
    QVERIFY2(endedBy(status, SIGTERM), fileText(windowLog).c_str());
  }

  // With no pager operation running the program ends at once, by the
  // signal, with no question.
  void aSignalWithNoOperationRunningEndsTheProgram() {
    const fs::path windowLog = folder_ / "idle.log";
    const pid_t child = startWindowChild(ChildWork::Idle, {}, folder_ / "work", windowLog);
    const bool shown = waitForText(windowLog, "shown", std::chrono::seconds(30));
    kill(child, shown ? SIGHUP : SIGKILL);
    const int status = endOf(child, std::chrono::seconds(10));
    QVERIFY2(shown, fileText(windowLog).c_str());
    QVERIFY2(endedBy(status, SIGHUP), fileText(windowLog).c_str());
  }

 private:
  zelta::testing::TempFolder folder_;
  std::string referenceImage_;
};

int main(int argc, char** argv) {
  if (argc >= 5 && argv[1] == kChildOption) {
    for (int work = 0; work < static_cast<int>(std::size(kChildWorkNames)); ++work) {
      if (std::string_view(argv[2]) == kChildWorkNames[work])
        return runWindowChild(static_cast<ChildWork>(work), argc, argv);
    }
    return 2;
  }
  QCoreApplication app(argc, argv);
  WindowTerminationSimTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "window_termination_sim_test.moc"
