#pragma once

#include <csignal>

namespace zelta::cli {

// SIGINT, SIGTERM and SIGHUP while a command talks to a pager. The handler
// only notes the signal; the link asks between bytes (LinkHooks::
// stopRequested) and stops, but only once an image block being written is
// complete with its checksum, so that Ctrl+C never leaves a pager
// half-written. The port's settings are put back as the link lets go of it,
// and the command ends with a message and status 128 + the signal.
//
// The noted signal is the command line's one piece of global mutable state:
// a handler can do nothing but set a volatile sig_atomic_t.
class SignalDeferral {
 public:
  // Installs the handlers; the destructor puts the previous ones back.
  SignalDeferral();
  ~SignalDeferral();
  SignalDeferral(const SignalDeferral&) = delete;
  SignalDeferral& operator=(const SignalDeferral&) = delete;

  // The signal received since the handlers were installed, or 0.
  static int received();

 private:
  struct sigaction previous_[3]{};
};

// "SIGINT", "SIGTERM", "SIGHUP".
const char* signalName(int signal);

}  // namespace zelta::cli
