#include "cli/cli_signals.h"

namespace zelta::cli {
namespace {

constexpr int kSignals[] = {SIGINT, SIGTERM, SIGHUP};

// Set by the handler, read by the link between bytes (see the header).
volatile std::sig_atomic_t gReceived = 0;

extern "C" void noteSignal(int signal) {
  gReceived = signal;
}

}  // namespace

SignalDeferral::SignalDeferral() {
  gReceived = 0;
  struct sigaction action {};
  action.sa_handler = noteSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = 0;  // no restart: a blocking question on the terminal returns
  for (int i = 0; i < 3; ++i) sigaction(kSignals[i], &action, &previous_[i]);
}

SignalDeferral::~SignalDeferral() {
  for (int i = 0; i < 3; ++i) sigaction(kSignals[i], &previous_[i], nullptr);
}

int SignalDeferral::received() {
  return gReceived;
}

const char* signalName(int signal) {
  switch (signal) {
    case SIGINT: return "SIGINT";
    case SIGTERM: return "SIGTERM";
    case SIGHUP: return "SIGHUP";
    default: return "a signal";
  }
}

}  // namespace zelta::cli
