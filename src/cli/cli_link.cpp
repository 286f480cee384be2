#include "cli/cli_link.h"

#include <CLI/CLI.hpp>
#include <ostream>

namespace zelta::cli {
namespace {

constexpr int kBarWidth = 30;

}  // namespace

void addLinkOptions(CLI::App& sub, LinkOptions& options) {
  sub.add_option("--port", options.port, "Serial device of the fixture, e.g. /dev/ttyUSB0")
      ->required();
  sub.add_option("--trace", options.trace,
                 "Write every byte sent and received, with time and direction, to this file");
}

LinkSession::LinkSession(CliRun& run, const LinkOptions& options)
    : run_(run),
      traceFile_(options.trace.empty() ? std::ofstream() : std::ofstream(options.trace)),
      trace_(traceFile_.is_open() ? std::make_unique<link::TraceDevice>(device_, traceFile_, clock_)
                                  : nullptr),
      comm_(trace_ ? static_cast<link::SerialDevice&>(*trace_) : device_, run.reporter, clock_),
      link_(comm_, run.reporter) {
  if (!options.trace.empty() && !traceFile_.is_open()) {
    run_.io.err << "cannot write the trace file " << options.trace << '\n';
    ready_ = false;
  }
  comm_.SetPortName(options.port);
  link_.setHooks(hooks());
}

link::LinkHooks LinkSession::hooks() {
  link::LinkHooks hooks;
  if (run_.io.errorIsTerminal) hooks.progress = [this](int percent) { drawProgress(percent); };
  hooks.stopRequested = [] { return SignalDeferral::received() != 0; };
  return hooks;
}

void LinkSession::usePassword(const std::string& typed) {
  link::LinkHooks withPassword = hooks();
  withPassword.askPassword = [typed](link::PasswordField& field) {
    field = link::makePasswordField(typed);
  };
  link_.setHooks(std::move(withPassword));
}

int LinkSession::reportStopped(const std::string& what) {
  const int signal = stoppedBy();
  if (shownPercent_ >= 0) {
    run_.io.err << "\r\033[K";
    shownPercent_ = -1;
  }
  run_.io.err << "Stopped by " << signalName(signal) << ": " << what << '\n';
  return 128 + signal;
}

LinkSession::~LinkSession() {
  if (shownPercent_ >= 0) run_.io.err << "\r\033[K" << std::flush;
}

void LinkSession::drawProgress(int percent) {
  if (percent == shownPercent_) return;
  shownPercent_ = percent;
  const int filled = percent * kBarWidth / 100;
  run_.io.err << "\r[" << std::string(static_cast<std::size_t>(filled), '#')
              << std::string(static_cast<std::size_t>(kBarWidth - filled), '.') << "] " << percent
              << "%" << std::flush;
}

int reportLinkFailure(CliRun& run, errors::ResultCode code) {
  if (code != errors::code::PortNotOpened) {
    run.io.err << describeFailure(code, run.reporter.context()) << '\n';
  }
  return kExitFailed;
}

}  // namespace zelta::cli
