#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "codeplug/settings_record.h"
#include "errors/reporter.h"
#include "models/models.h"
#include "window/service_adjust.h"
#include "window/service_link.h"
#include "window/service_tables.h"
#include "window/window_commands.h"

namespace zelta::window {

// F4 on "Main" reads the pager first. What the service window is opened
// with after that read: a read pager offers everything; a pager that
// answered but could not be read (its failure is reported here) offers the
// test mode and the mode switches, not the adjust page, since there are no
// values of this pager to tune and programming would write whatever
// codeplug was there before over it; no pager at all (-16 answered No, or
// the port could not be opened: both already shown) opens nothing.
struct ServiceStart {
  bool opens = false;
  bool adjustOffered = false;
};
ServiceStart serviceStartAfterRead(errors::ResultCode readResult, errors::Reporter& reporter);

// What a key press came to.
enum class ServiceOutcome {
  Ignored,  // busy, or the window has closed
  Handled,
  InvalidKey,
  OpenHelp,
  CloseWindow,  // the window closes (F10 on the main page, or after F2)
};

struct ServiceItemState {
  std::string_view name;
  bool enabled = false;
};

// Where the keyboard focus goes after the last call.
struct ServiceFocus {
  enum class Target { None, AdjustField, TestChoice };
  Target target = Target::None;
  AdjustField field = AdjustField::SecondAdjust;
};

// Everything the service window shows, as the controller has it.
struct ServiceView {
  ServicePage page = ServicePage::Main;
  std::array<ServiceItemState, kServiceMenuItems.size()> items{};
  bool pagesEnabled = true;   // off, with every item, while the pager is busy
  std::string operationText;  // status panel 0
  std::string_view keyHints;  // status panel 1

  AdjustValues adjust;
  bool lcdPairShown = false;  // `GroupBox1` instead of `GroupBox2`

  int test = kFirstServiceTest;  // index into kServiceTests
  int annunciator = 0;           // index into kAnnunciatorCommands
  std::string dataResult;

  ServiceFocus focus;

  bool enabled(std::string_view item) const;
};

// The service window without its widgets: the three pages, the key
// dispatcher, the adjust values with their checks and backup, and the test
// commands. Pager work goes through the ServiceLink.
class ServiceController {
 public:
  // settings hold the codeplug of the pager read before the window opened;
  // model is its model code.
  ServiceController(codeplug::SettingsRecord& settings, models::ModelCode model, ServiceLink& link,
                    errors::Reporter& reporter, ServiceStart start = {true, true});
  ServiceController(const ServiceController&) = delete;
  ServiceController& operator=(const ServiceController&) = delete;

  ServiceView view() const;

  // A function key (or the menu item carrying it) on the page shown.
  ServiceOutcome pressKey(WindowKey key);
  // What the key does on the page shown.
  ServiceAction action(WindowKey key) const;

  // ---- The adjust page ----
  // `cb_secondAdjustValue` changed: the position is stored, the checks run.
  void secondAdjustChosen(int position);
  // A number field's text changed (digits only reach it). LCD adjustment 1
  // sets the second value after it.
  void adjustTextEdited(AdjustField field, std::string text);
  // A number field was left: the checks run, a failure is shown and the
  // focus goes to its field.
  void adjustFieldLeft(AdjustField field);

  // ---- The test page ----
  void chooseTest(int index);
  void chooseAnnunciator(int index);

  // The window's close button: whatever F10 does on the page shown first
  // (the backup back, or test mode left). False while the pager is busy.
  bool closeRequested();

  bool closed() const { return closed_; }
  bool busy() const { return busy_; }
  // F2 ran the program operation: its result, and whether the main window
  // returns to its Main page for it (unless the port could not be opened).
  std::optional<errors::OperationOutcome> programResult() const { return programResult_; }
  bool mainReturnsToMain() const;

 private:
  void beginCall() { focus_ = {}; }
  void showPage(ServicePage page);
  void openAdjust();
  void leaveAdjust();
  bool runChecks();
  ServiceOutcome program();
  void switchMode(link::PagerMode mode);
  void enterTestMode();
  void sendTest();
  // A test command with its reply kind.
  link::TestReply sendCommand(std::uint8_t command);
  void leaveTestMode();

  codeplug::SettingsRecord& settings_;
  models::ModelCode model_;
  ServiceLink& link_;
  errors::Reporter& reporter_;
  bool adjustOffered_;

  ServicePage page_ = ServicePage::Main;
  bool busy_ = false;
  bool closed_ = false;
  std::string operationText_;
  AdjustValues fields_;
  // The values as the adjust page opened; F10 there puts them back.
  ServiceValues backup_;
  int test_ = kFirstServiceTest;
  int annunciator_ = 0;
  std::string dataResult_;
  std::optional<errors::OperationOutcome> programResult_;
  ServiceFocus focus_;
};

}  // namespace zelta::window
