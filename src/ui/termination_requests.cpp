#include "ui/termination_requests.h"

#include <fcntl.h>
#include <unistd.h>

#include <QSocketNotifier>
#include <cerrno>
#include <stdexcept>

namespace zelta::ui {
namespace {

constexpr int kSignals[] = {SIGTERM, SIGHUP};

// Written by the handler (see the header).
volatile std::sig_atomic_t gWriteEnd = -1;

extern "C" void forwardSignal(int signal) {
  const int saved = errno;
  const auto byte = static_cast<unsigned char>(signal);
  // A full pipe already holds a request; this one adds nothing.
  [[maybe_unused]] const ssize_t written = ::write(gWriteEnd, &byte, 1);
  errno = saved;
}

}  // namespace

TerminationRequests::TerminationRequests(QObject* parent) : QObject(parent) {
  if (gWriteEnd != -1) throw std::logic_error("termination requests are already being received");
  int ends[2];
  if (::pipe2(ends, O_CLOEXEC | O_NONBLOCK) != 0) throw std::runtime_error("no pipe for signals");
  readEnd_ = ends[0];
  gWriteEnd = ends[1];
  notifier_ = new QSocketNotifier(readEnd_, QSocketNotifier::Read, this);
  connect(notifier_, &QSocketNotifier::activated, this, &TerminationRequests::readPipe);
  struct sigaction action {};
  action.sa_handler = forwardSignal;
  sigemptyset(&action.sa_mask);
  // The window's own system calls go on as if nothing happened; the link
  // copes with an interrupted wait by itself.
  action.sa_flags = SA_RESTART;
  for (std::size_t i = 0; i < std::size(kSignals); ++i) {
    sigaction(kSignals[i], &action, &previous_[i]);
    // Started with the signal ignored (nohup): it stays ignored.
    if (previous_[i].sa_handler == SIG_IGN) sigaction(kSignals[i], &previous_[i], nullptr);
  }
}

TerminationRequests::~TerminationRequests() {
  for (std::size_t i = 0; i < std::size(kSignals); ++i)
    sigaction(kSignals[i], &previous_[i], nullptr);
  delete notifier_;
  ::close(readEnd_);
  ::close(gWriteEnd);
  gWriteEnd = -1;
}

void TerminationRequests::readPipe() {
  unsigned char byte = 0;
  while (::read(readEnd_, &byte, 1) == 1) {
    // A second signal while the first is being honoured changes nothing.
    if (received_ != 0) continue;
    received_ = byte;
    emit requested(received_);
  }
}

void TerminationRequests::endBySignalReceived() {
  if (received_ == 0) return;
  const int signal = received_;
  for (std::size_t i = 0; i < std::size(kSignals); ++i)
    sigaction(kSignals[i], &previous_[i], nullptr);
  struct sigaction fallback {};
  fallback.sa_handler = SIG_DFL;
  sigemptyset(&fallback.sa_mask);
  sigaction(signal, &fallback, nullptr);
  std::raise(signal);
  // Blocked or ignored by whoever started the program: it ends as asked.
  std::_Exit(128 + signal);
}

}  // namespace zelta::ui
