#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "errors/operation_outcome.h"
#include "errors/result_code.h"

namespace zelta::codeplug {
class SettingsRecord;
}
namespace zelta::pages {
struct PageContext;
}

namespace zelta::pages {

// Programs the pager in the fixture with the settings as they are. Only a
// written pager (OperationOutcome::pagerWritten, also when a later step
// failed) may move the codes on, or the next pager would skip a code.
using ProgramPager = std::function<errors::OperationOutcome()>;

// The "Sequential Code Increment" (`cb_noSequentialInc`, 1-8; anything else
// counts as 1).
int sequentialIncrement(const codeplug::SettingsRecord& settings);

// The next inventory control number: the trailing run of digits (after
// trailing spaces are dropped) counts up by one, keeping its width and
// leading zeros, after the unchanged prefix ("ABC0099" -> "ABC0100").
//
// When the counter runs out of digits it grows by one digit while the ICN
// stays within its ten characters ("ABC999" -> "ABC1000"); a ten-character
// ICN has no room, so its counter wraps to zeros ("ABC9999999" ->
// "ABC0000000", "9999999999" -> "0000000000"). A ten-digit ICN therefore
// carries from its nine-digit counter into its first digit, as the pagers'
// inventory labels expect ("1999999999" -> "2000000000"). An ICN without
// trailing digits has no counter and stays as it is.
std::string advanceIcn(std::string_view icn);

// Adds the increment to every present Individual code among the first
// `codes`, rewritten as seven digits. A result above 2097151 is left for the
// next code check to refuse (-27) rather than wrapped onto another pager's
// address.
void advanceIndividualCodes(codeplug::SettingsRecord& settings, int codes, int increment);

// One step of sequential programming (F2 in sequential mode). With a
// present Individual code the capcode checks 1 and 2 run first (a failure
// is shown and returned); then the pager is programmed, and once it has
// been written the Individual codes advance by the increment and the ICN by
// one. Returns the program operation's outcome, or the failed check's code
// as already shown; a failure with -118 ends sequential mode.
errors::OperationOutcome sequentialProgrammingStep(pages::PageContext& context,
                                                   const ProgramPager& program);

}  // namespace zelta::pages
