#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "codeplug/model_checks.h"
#include "conversion/model_converter.h"
#include "errors/operation_outcome.h"
#include "errors/result_code.h"
#include "link/operation_scope.h"
#include "link/pager_link.h"
#include "models/models.h"

namespace zelta::operations {

enum class OperationKind { Read, Program };

// What the memory and serial number dialog is shown with, and what it hands
// back once the operator accepts it.
struct MemorySerialRequest {
  models::ModelCode model = models::kNoModel;
  int memorySize = 32;      // header memory size in KB
  bool largeMemory = true;  // header large-memory flag
  bool mailDropCodePresent = false;
  int memoryCode = 10;       // in: the current one; out: the chosen one
  std::string serialNumber;  // out: at most 10 characters
};

// The dialogs an operation needs from the operator beyond the reporter's
// questions. The password dialog is the link's own hook (LinkHooks).
class OperatorDialogs {
 public:
  virtual ~OperatorDialogs() = default;
  // The memory and serial number dialog for an unprogrammed pager: Ok when
  // accepted (request filled), -17 when cancelled.
  virtual errors::ResultCode askMemoryAndSerial(MemorySerialRequest& request) = 0;
};

// Values an operation reads beside the codeplug and the link, owned by the
// main window (or the command line run).
struct OperationSettings {
  // The model the codeplug on screen came from: set by the probe before a
  // read and by loading a codeplug file.
  std::uint16_t sourceModel = models::kNoModel;
  // Write "~writeBeforeCP.bak" before programming (not from the service
  // window).
  bool backupBeforeProgramming = true;
  // A key was typed into the download password field since the last field
  // check; cleared by every programming run.
  bool downloadPasswordTyped = false;
  // The receiver IC of the codeplug as its text; "    ZIF    " is refused by
  // the oldest firmware. No page edits it, so it stays empty unless a front
  // end knows it.
  std::string receiverType;
  // A programming attempt has been made since the program started (the
  // band table of the D group depends on it).
  bool programmingAttempted = false;
  // Programming takes only a pager of this model (a production run's
  // template): the probe refuses any other with -15 before anything is
  // written, also when the pager was swapped after it was identified.
  models::ModelCode requiredModel = models::kNoModel;
};

// The read and program operations: sequences of link transactions with the
// checks and questions between them.
class PagerOperations {
 public:
  PagerOperations(link::PagerLink& link, const storage::CodeplugSession& session,
                  conversion::ConverterState& converter, OperatorDialogs& dialogs,
                  OperationSettings& settings)
      : link_(link), s_(session), converter_(converter), dialogs_(dialogs), ops_(settings) {}

  // Read: Done, Failed (nothing is reported here; `reported` is set for
  // the "not responding" question and a port that showed its failure) or
  // Stopped. Program: Done once the image is in the pager and its clock
  // set; NotWritten when abandoned at a question or at a check that showed
  // itself; Failed or Stopped otherwise, every failure reported here unless
  // already shown, and `pagerWritten` when the image reached the pager
  // before the failure.
  errors::OperationOutcome RunPagerOperation(OperationKind kind);

 private:
  using Run = std::function<errors::OperationOutcome(link::OperationScope&)>;
  // The operation's scope on the link, the run, and the "not responding"
  // question that repeats the run on Yes.
  errors::OperationOutcome retried(const Run& run);
  errors::OperationOutcome read();
  errors::OperationOutcome program();

  // The probe, the image read and its decode. The image and settings on
  // screen change only when all of it succeeds.
  errors::ResultCode ReadPagerSequence(link::OperationScope& scope);

  // Everything from the backup to the clock of one programming run.
  errors::OperationOutcome ProgramPagerSequence(link::OperationScope& scope);

  errors::ResultCode codeChecks() const;
  errors::OperationOutcome writeImage(models::ModelCode model);
  bool characterRomCheck();
  bool cannedMessageCheck(models::ModelCode model);
  bool firmwareChecks();
  errors::OperationOutcome buildAndWrite(models::ModelCode model, models::ModelCode remembered,
                                         const codeplug::PagerFacts& facts,
                                         const storage::SaveContext& save);
  errors::OperationOutcome setClockAfterWrite(models::ModelCode model);
  // A failed run's code reported unless already shown, and its kind; an
  // image write the run left part-way said last.
  errors::OperationOutcome finishProgram(const errors::OperationOutcome& run);
  errors::OperationOutcome reportedProgramOutcome(const errors::OperationOutcome& run);

  link::PagerLink& link_;
  storage::CodeplugSession s_;
  conversion::ConverterState& converter_;
  OperatorDialogs& dialogs_;
  OperationSettings& ops_;
  // The image of this programming run reached the pager.
  bool pagerWritten_ = false;
  // Codes the program sequence has shown itself (-15, -2).
  bool reportedInSequence_ = false;
};

// The pager's character ROM as its own image tells it: model '#' has the
// ideographic ROM (4), model 0x22 with the Thai language code the Thai one
// (3); otherwise the pager reports none on this line and the codeplug's is
// taken.
std::uint8_t pagerCharacterRom(codeplug::ConstImageView pagerCopy, models::ModelCode pagerModel,
                               std::uint8_t codeplugRom);

}  // namespace zelta::operations
