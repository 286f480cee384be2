#include "pages/code_checks.h"

#include <bitset>
#include <cstddef>
#include <set>
#include <string>
#include <string_view>

#include "codeplug/settings_record.h"
#include "codes/capcode.h"
#include "errors/reporter.h"
#include "pages/code_predicates.h"
#include "pages/model_layout.h"
#include "pages/page_module.h"

namespace zelta::pages {
namespace {

using errors::ResultCode;
namespace code = errors::code;

using models::kModelHash;
using models::kModelSpace;
constexpr std::string_view kNoFlags = "NNNN";
// Codes 1 to 8 carry a maildrop history.
constexpr int kCodesWithHistory = 8;
// Stored memory splits that give all memory to personal messages.
constexpr int kNoMaildropSplitLarge = 32;
constexpr int kNoMaildropSplitSmall = 8;

std::size_t at(int code) {
  return static_cast<std::size_t>(code - 1);
}

ResultCode fail(pages::PageContext& context, ResultCode result) {
  context.reporter.ReportCode(result);
  return result;
}

bool hasFunction(const std::string& functions, char letter) {
  return functions.find(letter) != std::string::npos;
}

// "Code 3 is "12A45": a POCSAG code is a number from 8 to 2097151."
std::string invalidCapcodeDetail(int code, std::string_view text) {
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return "Code " + std::to_string(code) + " is \"" + std::string(text) +
         "\": a POCSAG code is a number from " + std::to_string(codes::kMinCapcode) + " to " +
         std::to_string(codes::kMaxCapcode) + ".";
}

}  // namespace

ResultCode normaliseCapcodes(pages::PageContext& context) {
  codeplug::SettingsRecord& s = context.settings;
  std::string firstInvalid;  // which code and why, for the statement
  for (int c = 1; c <= codesOf(context); ++c) {
    if (!codePresent(s, c)) continue;
    const codes::Capcode capcode = codes::normaliseCapcode(s.code[at(c)]);
    if (capcode.valid()) {
      s.code[at(c)] = capcode.text;
    } else if (firstInvalid.empty()) {
      firstInvalid = invalidCapcodeDetail(c, s.code[at(c)]);
    }
  }
  if (firstInvalid.empty()) return code::Ok;
  context.reporter.ReportCode(code::InvalidPocsagCode, std::move(firstInvalid));
  return code::InvalidPocsagCode;
}

ResultCode checkDuplicateCodes(pages::PageContext& context) {
  std::set<std::uint32_t> seen;
  for (int c = 1; c <= codesOf(context); ++c) {
    const codes::Capcode capcode = codes::normaliseCapcode(context.settings.code[at(c)]);
    if (!capcode.valid()) continue;
    if (!seen.insert(capcode.address).second) return fail(context, code::DuplicateCodes);
  }
  return code::Ok;
}

ResultCode checkMaildropToneOnly(pages::PageContext& context) {
  const codeplug::SettingsRecord& s = context.settings;
  for (int c = 1; c <= codesOf(context); ++c) {
    if (codePresent(s, c) && s.codeType[at(c)] == MailDrop && hasFunction(s.function[at(c)], 'T'))
      return fail(context, code::MaildropToneOnly);
  }
  return code::Ok;
}

ResultCode checkIdeographicMix(pages::PageContext& context) {
  if (!context.ideographicMixForbidden) return code::Ok;
  const codeplug::SettingsRecord& s = context.settings;
  for (int c = 1; c <= codesOf(context); ++c) {
    if (!codePresent(s, c) || s.codeType[at(c)] == MailDrop) continue;
    if (hasFunction(s.function[at(c)], 'I') && hasFunction(s.function[at(c)], 'A'))
      return fail(context, code::PersonalMessageType);
  }
  return code::Ok;
}

ResultCode checkMaildropMemory(pages::PageContext& context) {
  if (context.model == kModelSpace) return code::Ok;
  const int noMaildrop = context.largeMemory ? kNoMaildropSplitLarge : kNoMaildropSplitSmall;
  if (context.settings.memorySplit == noMaildrop && maildropCodeExists(context))
    return fail(context, code::NoMaildropMemory);
  return code::Ok;
}

int framesUsed(const codeplug::SettingsRecord& settings, int codes) {
  std::bitset<8> frames;
  for (int c = 1; c <= codes && c <= codeplug::kMaxCodes; ++c) {
    const codes::Capcode capcode = codes::normaliseCapcode(settings.code[at(c)]);
    if (capcode.valid()) frames.set(static_cast<std::size_t>(codes::pocsagFrame(capcode.address)));
  }
  return static_cast<int>(frames.count());
}

ResultCode confirmFrameCount(pages::PageContext& context) {
  constexpr int kFramesWithoutQuestion = 2;
  if (framesUsed(context.settings, codesOf(context)) <= kFramesWithoutQuestion) return code::Ok;
  return context.reporter.ConfirmCode(code::TooManyFrames) ? code::Ok : code::TooManyFrames;
}

void applyPriorityHistoryRule(pages::PageContext& context) {
  codeplug::SettingsRecord& s = context.settings;
  const bool alertMenuKeepsPriority =
      pages::sixteenCodeLayout(context.model, context.converterTarget()) && s.newAlertMenu == 1;
  const bool keepsHistory = models::modelIn(context.model, models::ModelGroup::keepsCodeHistory);
  for (int c = 1; c <= kCodesWithHistory; ++c) {
    if (s.codeType[at(c)] == MailDrop) {
      if (!alertMenuKeepsPriority) s.priority[at(c)] = kNoFlags;
    } else if (!keepsHistory) {
      s.history[at(c)] = kNoFlags;
    }
  }
}

void clearSettingsWithoutCodes(pages::PageContext& context) {
  codeplug::SettingsRecord& s = context.settings;
  if (!personalCodeExists(context)) {
    s.duplication = 0;
    s.sourceIndependentDuplication = 0;
    s.personalMessageNotebook = 0;
    s.showMemFull = 0;
    s.sequentialLockoutPeriod = 0;  // "None"
  }
  if (!maildropCodeExists(context)) s.maildropMessageNotebook = 0;
}

void applyDeafPagerForcing(codeplug::SettingsRecord& settings) {
  constexpr int kDeaf = 1;
  constexpr std::uint8_t kDefaultMelodyStep = 0xE9;
  if (settings.deafPager != kDeaf) return;
  settings.manualAlertReset = 0;
  settings.vibrator = 1;
  settings.userChangableAlertMode = 0;
  settings.userSelectableAlerts = 0;
  settings.programmablePleasingAlert = 0;  // "Default"
  settings.melody.fill(kDefaultMelodyStep);
}

ResultCode runCodeChecks(pages::PageContext& context) {
  clearSettingsWithoutCodes(context);
  applyDeafPagerForcing(context.settings);

  if (ResultCode r = normaliseCapcodes(context); r != code::Ok) return r;
  if (ResultCode r = checkDuplicateCodes(context); r != code::Ok) return r;
  applyPriorityHistoryRule(context);
  if (ResultCode r = checkMaildropToneOnly(context); r != code::Ok) return r;
  if (ResultCode r = checkIdeographicMix(context); r != code::Ok) return r;
  if (!numericCodeExists(context)) context.settings.retainErroredNumeric = 0;
  return checkMaildropMemory(context);
}

}  // namespace zelta::pages
