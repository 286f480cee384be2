#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <atomic>
#include <functional>

// Core headers name members "slots"; Qt's keyword macro must not see them.
#pragma push_macro("slots")
#undef slots
#include "errors/reporter.h"
#include "link/pager_link.h"
#include "operations/pager_operations.h"
#pragma pop_macro("slots")

class QThread;
class QWidget;

namespace zelta::ui {

// A reporter for code that may run off the user-interface thread: every box
// is shown by the target reporter on the thread of `gui`, and the calling
// thread waits for the answer. Called on that thread itself, it calls the
// target directly. While `quiet` holds, nothing is shown and every question
// is answered No, without waiting for the other thread.
class GuiThreadReporter : public errors::Reporter {
 public:
  GuiThreadReporter(errors::Reporter& target, QObject* gui,
                    const std::atomic<bool>* quiet = nullptr)
      : target_(target), gui_(gui), quiet_(quiet) {}

 protected:
  void showMessage(const errors::Message& message) override;
  bool askQuestion(std::optional<errors::ResultCode> code,
                   const errors::Question& question) override;

 private:
  bool quiet() const { return quiet_ != nullptr && quiet_->load(); }

  errors::Reporter& target_;
  QObject* gui_;
  const std::atomic<bool>* quiet_;
};

// Runs a pager operation on a worker thread while the window goes on
// painting. The operation talks to the operator only through the bridges
// of this runner: its reporter, its operator dialogs and its link hooks, all
// of which show their boxes and dialogs on the user-interface thread and
// hand the answer back. Build the port, the link and the operations with
// them:
//
//   TDComm comm(device, runner.reporter(), clock);
//   PagerLink link(comm, runner.reporter());
//   link.setHooks(runner.linkHooks());
//   PagerOperations ops(link, session /* reporter: runner.reporter() */, converter,
//                       runner.dialogs(), settings);
//   runner.run([&] { return ops.RunPagerOperation(OperationKind::Read); });
//
// The port needs no message pump: the user-interface thread is free.
class OperationRunner : public QObject {
  Q_OBJECT

 public:
  using Operation = std::function<errors::ResultCode()>;

  // guiReporter shows the boxes; dialogParent parents the password and
  // memory dialogs. Both belong to the thread that creates the runner.
  OperationRunner(errors::Reporter& guiReporter, QWidget* dialogParent, QObject* parent = nullptr);
  // Waits for a running operation: do not let the window go while busy.
  ~OperationRunner() override;

  errors::Reporter& reporter() { return reporter_; }
  operations::OperatorDialogs& dialogs() { return dialogs_; }
  link::LinkHooks linkHooks();

  // The pager password dialog says "Enter New Password" while the download
  // password is being edited on its page.
  void setDownloadPasswordBeingEdited(bool editing) { downloadPasswordEdited_ = editing; }
  // The pause of the pager password dialog after submit (one second).
  void setPasswordPauseMs(int ms) { passwordPauseMs_ = ms; }

  // Starts operation on a worker thread and returns at once; finished()
  // follows. False when an operation is already running, or after
  // shutDown().
  bool start(Operation operation);
  // Runs operation on a worker thread and returns its result; the
  // user-interface thread keeps processing its events meanwhile. Should the
  // application's event loops be ended under it (QCoreApplication::exit),
  // the operation is shut down and still waited for. After shutDown() the
  // operation does not start: -17.
  errors::ResultCode run(Operation operation);
  // Runs operation on this thread (in-process tests, short operations).
  errors::ResultCode runHere(Operation operation);

  bool running() const { return worker_ != nullptr; }

  // The program is ending (a termination signal, the end of the desktop
  // session). The running operation stops at its next safe point: an image
  // block being written is finished first, with its checksum and the
  // pager's answer. From now on nothing waits for an operator who has gone:
  // no box is shown, every question is answered No, the pager's dialogs stay
  // closed, and no operation starts. It cannot be undone.
  void shutDown() { shuttingDown_ = true; }
  bool shuttingDown() const { return shuttingDown_; }

  // The operator's Cancel: the running operation stops at its next safe
  // point, as at shutDown(), but the operator is still there to be told
  // what became of the pager. Lasts until the next operation starts.
  void requestStop() { stopRequested_ = true; }
  bool stopRequested() const { return stopRequested_; }

 signals:
  // Progress of the current record or block, 0-100, on the user-interface
  // thread; connect it to TFmProgressBar::setProgress.
  void progress(int percent);
  // The link moved on to another phase (a link::LinkPhase), on the
  // user-interface thread.
  void phase(int linkPhase);
  // The memory dialog was accepted: the texts of the chosen split, for the
  // main window's read-only memory fields.
  void memoryPartitionChosen(const QString& personal, const QString& maildrop);
  void finished(int result);

 private:
  class Dialogs : public operations::OperatorDialogs {
   public:
    explicit Dialogs(OperationRunner& runner) : runner_(runner) {}
    errors::ResultCode askMemoryAndSerial(operations::MemorySerialRequest& request) override;

   private:
    OperationRunner& runner_;
  };

  void reportProgress(int percent);
  void askPassword(link::PasswordField& field);
  // The worker has ended: finished() with its result.
  void collectWorker();

  std::atomic<bool> shuttingDown_{false};
  std::atomic<bool> stopRequested_{false};
  GuiThreadReporter reporter_;
  Dialogs dialogs_;
  QPointer<QWidget> dialogParent_;
  std::atomic<bool> downloadPasswordEdited_{false};
  std::atomic<int> passwordPauseMs_{1000};
  std::atomic<int> lastPercent_{-1};
  QThread* worker_ = nullptr;
  // Counts the workers started: a finished worker already collected (by
  // run(), after an exit) is not collected again.
  int generation_ = 0;
  errors::ResultCode workerResult_ = errors::code::Ok;
};

class TFmProgressBar;

// run() with the progress window shown for its length: the gauge follows
// the operation's progress and is closed (back at 0) when it ends.
errors::ResultCode runShowingProgress(OperationRunner& runner, TFmProgressBar& window,
                                      OperationRunner::Operation operation);

// Runs f on the thread of context and waits for it; f runs at once when
// called on that thread.
void callOnThreadOf(QObject* context, const std::function<void()>& f);

}  // namespace zelta::ui
