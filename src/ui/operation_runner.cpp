#include "ui/operation_runner.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QPointer>
#include <QThread>
#include <QWidget>
#include <stdexcept>

#include "ui/memory_sn_dialog.h"
#include "ui/progress_window.h"
#include "ui/security_dialog.h"

namespace zelta::ui {

void callOnThreadOf(QObject* context, const std::function<void()>& f) {
  if (QThread::currentThread() == context->thread()) {
    f();
    return;
  }
  QMetaObject::invokeMethod(context, f, Qt::BlockingQueuedConnection);
}

void GuiThreadReporter::showMessage(const errors::Message& message) {
  if (quiet()) return;
  callOnThreadOf(gui_, [&] { target_.Show(message); });
}

bool GuiThreadReporter::askQuestion(std::optional<errors::ResultCode> /*code*/,
                                    const errors::Question& question) {
  if (quiet()) return false;
  bool yes = false;
  callOnThreadOf(gui_, [&] { yes = target_.Ask(question); });
  return yes;
}

OperationRunner::OperationRunner(errors::Reporter& guiReporter, QWidget* dialogParent,
                                 QObject* parent)
    : QObject(parent),
      reporter_(guiReporter, this, &shuttingDown_),
      dialogs_(*this),
      dialogParent_(dialogParent) {}

OperationRunner::~OperationRunner() {
  // The operation uses this runner to the end. Its owner keeps the window
  // busy (and open) while it runs, so this wait is short when it happens;
  // shut down, the operation needs nothing more of this thread.
  if (worker_ != nullptr) {
    shutDown();
    worker_->wait();
  }
}

link::LinkHooks OperationRunner::linkHooks() {
  link::LinkHooks hooks;
  hooks.progress = [this](int percent) { reportProgress(percent); };
  hooks.askPassword = [this](link::PasswordField& field) { askPassword(field); };
  hooks.stopRequested = [this] { return shuttingDown_.load() || stopRequested_.load(); };
  hooks.phase = [this](link::LinkPhase linkPhase) {
    // The gauge starts again with the phase's own block.
    lastPercent_ = -1;
    emit phase(static_cast<int>(linkPhase));
  };
  return hooks;
}

void OperationRunner::reportProgress(int percent) {
  // The link reports every byte; the gauge moves only when its value does.
  if (lastPercent_.exchange(percent) != percent) emit progress(percent);
}

void OperationRunner::askPassword(link::PasswordField& field) {
  // The link stops before it would send the password it was left with.
  if (shuttingDown_) return;
  callOnThreadOf(this, [&] {
    askPagerPassword(field, downloadPasswordEdited_, dialogParent_, passwordPauseMs_);
  });
}

errors::ResultCode OperationRunner::Dialogs::askMemoryAndSerial(
    operations::MemorySerialRequest& request) {
  errors::ResultCode result = errors::code::Cancelled;
  if (runner_.shuttingDown_) return result;
  callOnThreadOf(&runner_, [&] {
    QString personal;
    QString maildrop;
    result = ui::askMemoryAndSerial(request, runner_.dialogParent_, &personal, &maildrop);
    if (result == errors::code::Ok) emit runner_.memoryPartitionChosen(personal, maildrop);
  });
  return result;
}

bool OperationRunner::start(Operation operation) {
  if (worker_ != nullptr || shuttingDown_) return false;
  lastPercent_ = -1;
  stopRequested_ = false;
  worker_ =
      QThread::create([this, operation = std::move(operation)] { workerResult_ = operation(); });
  worker_->setParent(this);
  connect(worker_, &QThread::finished, this, [this, generation = ++generation_] {
    if (generation == generation_) collectWorker();
  });
  worker_->start();
  return true;
}

void OperationRunner::collectWorker() {
  if (worker_ == nullptr) return;
  QThread* done = worker_;
  worker_ = nullptr;
  done->deleteLater();
  emit finished(workerResult_);
}

errors::ResultCode OperationRunner::run(Operation operation) {
  if (shuttingDown_) return errors::code::Cancelled;
  if (!start(std::move(operation))) throw std::logic_error("an operation is already running");
  QEventLoop loop;
  const auto connection = connect(this, &OperationRunner::finished, &loop, &QEventLoop::quit);
  loop.exec();
  disconnect(connection);
  if (worker_ != nullptr) {
    // The loop was ended from outside (the application is exiting): the
    // operation may be on the pager still. Shut down, it asks nothing more
    // of this thread; a question it had sent just before is answered in the
    // events processed meanwhile.
    shutDown();
    const QPointer<QThread> worker = worker_;
    while (worker != nullptr && !worker->wait(QDeadlineTimer(20)))
      QCoreApplication::processEvents();
    collectWorker();
  }
  return workerResult_;
}

errors::ResultCode OperationRunner::runHere(Operation operation) {
  if (shuttingDown_) return errors::code::Cancelled;
  lastPercent_ = -1;
  stopRequested_ = false;
  const errors::ResultCode result = operation();
  emit finished(result);
  return result;
}

errors::ResultCode runShowingProgress(OperationRunner& runner, TFmProgressBar& window,
                                      OperationRunner::Operation operation) {
  const QMetaObject::Connection connections[] = {
      QObject::connect(&runner, &OperationRunner::progress, &window, &TFmProgressBar::setProgress),
      QObject::connect(&runner, &OperationRunner::phase, &window, &TFmProgressBar::setPhase),
      QObject::connect(&window, &TFmProgressBar::cancelRequested, &runner,
                       &OperationRunner::requestStop),
  };
  window.startWork();
  const errors::ResultCode result = runner.run(std::move(operation));
  for (const QMetaObject::Connection& c : connections) QObject::disconnect(c);
  window.endWork();
  return result;
}

}  // namespace zelta::ui
