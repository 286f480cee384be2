#pragma once

#include <fstream>
#include <memory>
#include <string>

#include "cli/cli_app.h"
#include "cli/cli_signals.h"
#include "link/clock.h"
#include "link/comm.h"
#include "link/pager_link.h"
#include "link/termios_serial_device.h"
#include "link/trace_device.h"

namespace CLI {
class App;
}

namespace zelta::cli {

// Options every command that talks to a pager takes.
struct LinkOptions {
  std::string port;
  std::string trace;
};

void addLinkOptions(CLI::App& sub, LinkOptions& options);

// The serial port and link of one command run: termios underneath, an
// optional byte trace, and a progress bar on standard error when that is a
// terminal.
class LinkSession {
 public:
  LinkSession(CliRun& run, const LinkOptions& options);
  ~LinkSession();
  LinkSession(const LinkSession&) = delete;
  LinkSession& operator=(const LinkSession&) = delete;

  // False (with a message) when the trace file cannot be written.
  bool ready() const { return ready_; }
  link::PagerLink& link() { return link_; }
  // The password the pager dialog would be given: the typed text, padded
  // and scrambled. Without one the pager is sent blanks.
  void usePassword(const std::string& typed);

  // What the port's driver granted to cut the echo delay, at the last open.
  link::LatencyReport latency() const { return device_.latency(); }

  // The signal that stopped the command, or 0.
  int stoppedBy() const { return SignalDeferral::received(); }
  // The message and exit status of a command stopped by a signal; what
  // says what became of the pager ("the image was written whole ...").
  int reportStopped(const std::string& what);

 private:
  void drawProgress(int percent);
  link::LinkHooks hooks();

  CliRun& run_;
  SignalDeferral signals_;
  link::SteadyClock clock_;
  link::TermiosSerialDevice device_;
  std::ofstream traceFile_;
  std::unique_ptr<link::TraceDevice> trace_;
  link::TDComm comm_;
  link::PagerLink link_;
  bool ready_ = true;
  int shownPercent_ = -1;
};

// The exit status and standard-error line of a failed link command. -114
// has been shown by the port already and adds no line.
int reportLinkFailure(CliRun& run, errors::ResultCode code);

}  // namespace zelta::cli
