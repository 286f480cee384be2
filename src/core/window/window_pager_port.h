#pragma once

#include <functional>

#include "errors/operation_outcome.h"
#include "errors/result_code.h"
#include "models/models.h"
#include "window/link_facts.h"
#include "window/service_controller.h"

namespace zelta::window {

// One programming run as the window asks for it.
struct ProgramRequest {
  // The model the codeplug on screen came from (a converted codeplug
  // keeps its source's): the pager is checked against it.
  models::ModelCode sourceModel = models::kNoModel;
  // Write the backup file of the codeplug first. The service window's
  // tuned values are no edit of the codeplug worth one.
  bool backup = true;
  // A programming run has been asked for since the program started (the
  // band table of the D group depends on it).
  bool programmingAttempted = false;
};

// What the link has learnt of the pager in the fixture by the last
// operation, and what it asks of the next one.
struct PagerReport {
  LinkFacts facts;
  models::ModelCode reportedModel = models::kNoModel;
  bool unprogrammed = false;
  // The rate code the link asks the pager for.
  int rateCode = 0;
};

// F2 in the service window: programs the codeplug as it stands. 0 when
// written or abandoned at a question, else the failure (already shown).
using ServiceProgram = std::function<errors::OperationOutcome()>;

// The main window's pager work and the dialogs of its flows. The window
// controller runs F2, F3, F4, F5 and F6 through it; the front end runs
// every operation as a pager operation of its own (the port held for it,
// the progress window shown, the window painting meanwhile).
class WindowPagerPort {
 public:
  virtual ~WindowPagerPort() = default;

  // The pager's codeplug into the controller's image and settings; they
  // change only when the read succeeds.
  virtual errors::OperationOutcome read() = 0;
  // The codeplug on screen into the pager.
  virtual errors::OperationOutcome program(const ProgramRequest& request) = 0;
  virtual PagerReport report() const = 0;

  // The window draws the controller's state while an operation runs (busy,
  // its operation text).
  virtual void redraw() = 0;

  // The service window over the codeplug read, shown modally until it
  // closes; its F2 programs through program. True when it programmed and
  // the main window returns to "Main". A window that is closing opens
  // nothing and returns false.
  virtual bool openServiceWindow(const ServiceStart& start, const ServiceProgram& program) = 0;
};

}  // namespace zelta::window
