#pragma once

#include <QObject>
#include <csignal>

class QSocketNotifier;

namespace zelta::ui {

// SIGTERM and SIGHUP (a logout, a shutdown, `kill`, the terminal the window
// was started from closing) as an event of the window's event loop: the
// handler only writes the signal's number into a pipe, and a socket
// notifier on the other end emits requested(). Left to their default, the
// signals would end the program at once, in the middle of an image block on
// its way to the pager.
//
// The pipe's write end is the window program's one piece of global mutable
// state: a signal handler can reach nothing else. One instance at a time.
class TerminationRequests : public QObject {
  Q_OBJECT

 public:
  explicit TerminationRequests(QObject* parent = nullptr);
  // Puts the previous handlers back.
  ~TerminationRequests() override;
  TerminationRequests(const TerminationRequests&) = delete;
  TerminationRequests& operator=(const TerminationRequests&) = delete;

  // The first signal received, or 0.
  int received() const { return received_; }

  // After the window has gone: a program ended by a signal dies of that
  // signal, so that its parent (the shell, the session) sees what it asked
  // for. Returns only when no signal was received.
  void endBySignalReceived();

 signals:
  void requested(int signal);

 private:
  void readPipe();

  int readEnd_ = -1;
  QSocketNotifier* notifier_ = nullptr;
  int received_ = 0;
  struct sigaction previous_[2]{};
};

}  // namespace zelta::ui
