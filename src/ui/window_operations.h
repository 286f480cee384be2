#pragma once

#include <QObject>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>

// Core headers name members "slots"; Qt's keyword macro must not see them.
#pragma push_macro("slots")
#undef slots
#include "link/clock.h"
#include "link/comm.h"
#include "link/pager_link.h"
#include "link/termios_serial_device.h"
#include "link/trace_switch.h"
#include "operations/pager_operations.h"
#include "window/comm_settings.h"
#include "window/settings_store.h"
#include "window/window_controller.h"
#include "window/window_pager_port.h"
#pragma pop_macro("slots")
#include "ui/operation_runner.h"
#include "ui/progress_window.h"

class QWidget;

namespace zelta::ui {

// The serial port, the link and the pager operations of the main window,
// over the codeplug of its controller: the work behind the window's pager
// port. Every operation runs on the worker thread of the runner with the
// progress window shown; the boxes and dialogs it needs come up on the
// window's thread. The settings store configures the port.
class WindowOperations {
 public:
  WindowOperations(window::WindowController& controller, errors::Reporter& guiReporter,
                   QWidget* window, std::unique_ptr<window::SettingsStore> store);
  WindowOperations(const WindowOperations&) = delete;
  WindowOperations& operator=(const WindowOperations&) = delete;

  window::SettingsStore& store() { return *store_; }
  // The port and the link take these settings (the port closes first).
  void configure(const window::CommSettings& settings);

  // The read; the image and settings change only when it succeeds.
  errors::OperationOutcome read();
  // One programming run as the request asks.
  errors::OperationOutcome program(const window::ProgramRequest& request);
  // What the link learnt by the last operation.
  window::PagerReport report() const;

  bool running() const { return runner_.running(); }
  // Every byte of the link written to file from now on, or no trace
  // (nothing); false when the file cannot be written. Not while running.
  bool traceTo(const std::optional<std::filesystem::path>& file);
  bool tracing() const { return line_.tracing(); }

  // The rate code the link asks the pager for.
  int rateCode() const { return link_.state().requestedSpeedCode; }

  OperationRunner& runner() { return runner_; }
  // The link, for the service commands (run on the runner).
  link::PagerLink& link() { return link_; }
  TFmProgressBar& progressWindow() { return progress_; }

 private:
  errors::ResultCode runOperation(const OperationRunner::Operation& operation);
  errors::OperationOutcome runOutcome(const std::function<errors::OperationOutcome()>& operation);

  std::unique_ptr<window::SettingsStore> store_;
  // The window's own reporter, which reports a failed read after the run.
  errors::Reporter& guiReporter_;
  OperationRunner runner_;
  TFmProgressBar progress_;
  link::SteadyClock clock_;
  link::TermiosSerialDevice device_;
  link::TraceSwitch line_{device_, clock_};
  link::TDComm comm_;
  link::PagerLink link_;
  operations::OperationSettings settings_;
  storage::CodeplugSession session_;
  operations::PagerOperations operations_;
};

}  // namespace zelta::ui
