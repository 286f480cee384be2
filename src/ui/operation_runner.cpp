#include "ui/operation_runner.h"

#include <QEventLoop>
#include <QThread>
#include <QWidget>

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
  callOnThreadOf(gui_, [&] { target_.Show(message); });
}

bool GuiThreadReporter::askQuestion(std::optional<errors::ResultCode> /*code*/,
                                    const errors::Question& question) {
  bool yes = false;
  callOnThreadOf(gui_, [&] { yes = target_.Ask(question); });
  return yes;
}

OperationRunner::OperationRunner(errors::Reporter& guiReporter, QWidget* dialogParent,
                                 QObject* parent)
    : QObject(parent), reporter_(guiReporter, this), dialogs_(*this), dialogParent_(dialogParent) {}

OperationRunner::~OperationRunner() {
  // The operation uses this runner to the end. Its owner keeps the window
  // busy (and open) while it runs, so this wait is short when it happens.
  if (worker_ != nullptr) worker_->wait();
}

link::LinkHooks OperationRunner::linkHooks() {
  link::LinkHooks hooks;
  hooks.progress = [this](int percent) { reportProgress(percent); };
  hooks.askPassword = [this](link::PasswordField& field) { askPassword(field); };
  return hooks;
}

void OperationRunner::reportProgress(int percent) {
  // The link reports every byte; the gauge moves only when its value does.
  if (lastPercent_.exchange(percent) != percent) emit progress(percent);
}

void OperationRunner::askPassword(link::PasswordField& field) {
  callOnThreadOf(this, [&] {
    askPagerPassword(field, downloadPasswordEdited_, dialogParent_, passwordPauseMs_);
  });
}

errors::ResultCode OperationRunner::Dialogs::askMemoryAndSerial(
    operations::MemorySerialRequest& request) {
  errors::ResultCode result = errors::code::Cancelled;
  callOnThreadOf(&runner_, [&] {
    QString personal;
    QString maildrop;
    result = ui::askMemoryAndSerial(request, runner_.dialogParent_, &personal, &maildrop);
    if (result == errors::code::Ok) emit runner_.memoryPartitionChosen(personal, maildrop);
  });
  return result;
}

bool OperationRunner::start(Operation operation) {
  if (worker_ != nullptr) return false;
  lastPercent_ = -1;
  worker_ =
      QThread::create([this, operation = std::move(operation)] { workerResult_ = operation(); });
  worker_->setParent(this);
  connect(worker_, &QThread::finished, this, [this] {
    QThread* done = worker_;
    worker_ = nullptr;
    done->deleteLater();
    emit finished(workerResult_);
  });
  worker_->start();
  return true;
}

errors::ResultCode OperationRunner::run(Operation operation) {
  QEventLoop loop;
  errors::ResultCode result = 0;
  const auto connection = connect(this, &OperationRunner::finished, &loop, [&](int r) {
    result = r;
    loop.quit();
  });
  if (!start(std::move(operation))) {
    disconnect(connection);
    throw std::logic_error("an operation is already running");
  }
  loop.exec();
  disconnect(connection);
  return result;
}

errors::ResultCode OperationRunner::runHere(Operation operation) {
  lastPercent_ = -1;
  const errors::ResultCode result = operation();
  emit finished(result);
  return result;
}

errors::ResultCode runShowingProgress(OperationRunner& runner, TFmProgressBar& window,
                                      OperationRunner::Operation operation) {
  const auto connection =
      QObject::connect(&runner, &OperationRunner::progress, &window, &TFmProgressBar::setProgress);
  window.show();
  const errors::ResultCode result = runner.run(std::move(operation));
  QObject::disconnect(connection);
  window.hide();
  return result;
}

}  // namespace zelta::ui
