#pragma once

#include <QObject>
#include <memory>

// Core headers name members "slots"; Qt's keyword macro must not see them.
#pragma push_macro("slots")
#undef slots
#include "link/clock.h"
#include "link/comm.h"
#include "link/pager_link.h"
#include "link/termios_serial_device.h"
#include "operations/pager_operations.h"
#include "window/comm_settings.h"
#include "window/settings_store.h"
#include "window/window_controller.h"
#pragma pop_macro("slots")
#include "ui/operation_runner.h"
#include "ui/progress_window.h"

class QWidget;

namespace zelta::ui {

// The serial port, the link and the pager operations of the main window,
// over the codeplug of its controller. Every operation runs on the worker
// thread of the runner with the progress window shown; the boxes and
// dialogs it needs come up on the window's thread. The settings store
// configures the port.
class WindowOperations {
 public:
  WindowOperations(window::WindowController& controller, errors::Reporter& guiReporter,
                   QWidget* window, std::unique_ptr<window::SettingsStore> store);
  WindowOperations(const WindowOperations&) = delete;
  WindowOperations& operator=(const WindowOperations&) = delete;

  window::SettingsStore& store() { return *store_; }
  // The port and the link take these settings (the port closes first).
  void configure(const window::CommSettings& settings);

  // F3: the read, 1 on success; the image and settings change only then.
  errors::ResultCode read();
  // F2 in single mode: 0 when written or abandoned at a question.
  errors::ResultCode program();
  // F2 in sequential mode: one programming run as sequential programming
  // calls it.
  pages::ProgramOutcome programForSequence();

  bool running() const { return runner_.running(); }
  // Whether the last programming run put the image into the pager.
  bool pagerWritten() const { return operations_.pagerWritten(); }
  // The rate code the link asks the pager for.
  int rateCode() const { return link_.state().requestedSpeedCode; }
  const link::LinkState& linkState() const { return link_.state(); }
  // What the page rules need of the last identification.
  window::LinkFacts linkFacts() const;

  OperationRunner& runner() { return runner_; }
  // The link, for the service commands (run on the runner).
  link::PagerLink& link() { return link_; }
  TFmProgressBar& progressWindow() { return progress_; }
  operations::OperationSettings& settings() { return settings_; }

 private:
  void takeSourceModel();
  errors::ResultCode runOperation(const OperationRunner::Operation& operation);

  window::WindowController& controller_;
  std::unique_ptr<window::SettingsStore> store_;
  OperationRunner runner_;
  TFmProgressBar progress_;
  link::SteadyClock clock_;
  link::TermiosSerialDevice device_;
  link::TDComm comm_;
  link::PagerLink link_;
  operations::OperationSettings settings_;
  storage::CodeplugSession session_;
  operations::PagerOperations operations_;
};

}  // namespace zelta::ui
