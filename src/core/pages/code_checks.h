#pragma once

#include "errors/result_code.h"

namespace zelta::codeplug {
class SettingsRecord;
}
namespace zelta::pages {
struct PageContext;
}

namespace zelta::pages {

// The code checks that guard programming, in the order they run. Each
// returns Ok when it passes; a failing check has shown its code through the
// context's reporter and returns it. Only present codes (capcode not blank)
// of the model's codes take part.

// 1. Rewrites every present capcode in its normalised form; -27 when one is
//    not a number from 8 to 2097151.
errors::ResultCode normaliseCapcodes(pages::PageContext& context);
// 2. -53 when two present codes share a capcode.
errors::ResultCode checkDuplicateCodes(pages::PageContext& context);
// 3. -70 when a Mail Drop code has a tone-only ("T") function.
errors::ResultCode checkMaildropToneOnly(pages::PageContext& context);
// 4. -68 when, on a pager whose firmware forbids it, a personal code mixes
//    ideographic ("I") and letter-and-digit ("A") functions.
errors::ResultCode checkIdeographicMix(pages::PageContext& context);
// 5. -76 when a Mail Drop code exists but the memory split leaves no
//    maildrop memory (not on model ' ').
errors::ResultCode checkMaildropMemory(pages::PageContext& context);
// 6. The POCSAG frames of the present codes: more than two cost battery
//    life, so -37 is asked; Ok when at most two are used or the answer is
//    Yes, -37 on No.
errors::ResultCode confirmFrameCount(pages::PageContext& context);

// How many of the eight POCSAG frames the present valid codes use.
int framesUsed(const codeplug::SettingsRecord& settings, int codes);

// A Mail Drop code has no priority and any other code no history (model
// ' ' and '#' keep their history). On families D-F and converter targets
// the Mail Drop priority is only cleared while the new alert menu is off.
// Runs for codes 1 to 8.
void applyPriorityHistoryRule(pages::PageContext& context);

// Settings that make no sense without a kind of code: without a personal
// code the duplication, notebook, memory-full and lockout settings; without
// a maildrop code the maildrop notebook.
void clearSettingsWithoutCodes(pages::PageContext& context);

// A deaf pager cannot sound its alerts: vibrate, no manual reset, no user
// alert choices, the default pleasing alert.
void applyDeafPagerForcing(codeplug::SettingsRecord& settings);

// Checks 1 to 5 with what runs between them: the settings above cleared and
// the deaf-pager forcing first, the priority and history rule after check 2,
// "Retain Errored Numeric Msg" cleared after check 4 when no numeric code
// exists. 1, or the first failing check's code.
errors::ResultCode runCodeChecks(pages::PageContext& context);

}  // namespace zelta::pages
