#pragma once

#include <cstdint>
#include <optional>

#include "errors/operation_outcome.h"
#include "errors/result_code.h"
#include "link/service_commands.h"

namespace zelta::window {

// The pager work of the service window. The front end runs every call as a
// pager operation of its own: the port held for it, the progress window
// shown and the service window busy.
class ServiceLink {
 public:
  virtual ~ServiceLink() = default;

  struct ModeSwitch {
    errors::ResultCode result = errors::code::Ok;
    // On success: the mode's message code (-60, -61, -67).
    std::optional<errors::ResultCode> message = std::nullopt;
  };
  virtual ModeSwitch switchMode(link::PagerMode mode) = 0;

  // Ok when the pager is in its test mode.
  virtual errors::ResultCode enterTestMode() = 0;

  // One test command. A failing exchange asks the "not responding" question
  // and is repeated on Yes; No abandons it with -16.
  virtual link::TestReply sendTestCommand(std::uint8_t command, int replyKind) = 0;

  // The program operation with the codeplug as it stands, without the
  // backup file that programming from the pages writes first. It reports
  // its own failures.
  virtual errors::OperationOutcome program() = 0;

  // The rate code the link asks the pager for.
  virtual int rateCode() const = 0;
};

}  // namespace zelta::window
