#include "pages/sequential_programming.h"

#include <cstddef>

#include "codeplug/field_encodings.h"
#include "codeplug/settings_record.h"
#include "codes/capcode.h"
#include "pages/code_checks.h"
#include "pages/code_predicates.h"
#include "pages/page_module.h"

namespace zelta::pages {
namespace {

constexpr std::size_t kIcnWidth = 10;
constexpr int kMaxIncrement = 8;

bool isDigit(char c) {
  return c >= '0' && c <= '9';
}

bool individualCodePresent(const codeplug::SettingsRecord& settings, int codes) {
  for (int c = 1; c <= codes && c <= codeplug::kMaxCodes; ++c) {
    if (codePresent(settings, c) &&
        settings.codeType[static_cast<std::size_t>(c - 1)] == Individual)
      return true;
  }
  return false;
}

}  // namespace

int sequentialIncrement(const codeplug::SettingsRecord& settings) {
  const int n = settings.noSequentialInc;
  return n >= 1 && n <= kMaxIncrement ? n : 1;
}

std::string advanceIcn(std::string_view icn) {
  while (!icn.empty() && icn.back() == ' ') icn.remove_suffix(1);
  std::string out(icn);
  std::size_t start = out.size();
  while (start > 0 && isDigit(out[start - 1])) --start;
  if (start == out.size()) return out;  // no counter

  // Count up in place from the last digit.
  bool carry = true;
  for (std::size_t i = out.size(); carry && i > start; --i) {
    char& d = out[i - 1];
    carry = d == '9';
    d = carry ? '0' : static_cast<char>(d + 1);
  }
  if (carry && out.size() < kIcnWidth) out.insert(start, 1, '1');
  return out;
}

void advanceIndividualCodes(codeplug::SettingsRecord& settings, int codes, int increment) {
  for (int c = 1; c <= codes && c <= codeplug::kMaxCodes; ++c) {
    const auto i = static_cast<std::size_t>(c - 1);
    if (settings.codeType[i] != Individual) continue;
    const codes::Capcode capcode = codes::normaliseCapcode(settings.code[i]);
    if (!capcode.valid()) continue;
    settings.code[i] = codeplug::codeText(capcode.address + static_cast<std::uint32_t>(increment));
  }
}

errors::OperationOutcome sequentialProgrammingStep(pages::PageContext& context,
                                                   const ProgramPager& program) {
  codeplug::SettingsRecord& s = context.settings;
  const int codes = codesOf(context);
  const bool advanceCodes = individualCodePresent(s, codes);
  if (advanceCodes) {
    if (errors::ResultCode r = normaliseCapcodes(context); r != errors::code::Ok)
      return errors::OperationOutcome::failed(r, true);
    if (errors::ResultCode r = checkDuplicateCodes(context); r != errors::code::Ok)
      return errors::OperationOutcome::failed(r, true);
  }
  const errors::OperationOutcome outcome = program();
  if (outcome.pagerWritten) {
    if (advanceCodes) advanceIndividualCodes(s, codes, sequentialIncrement(s));
    s.ICN = advanceIcn(s.ICN);
  }
  return outcome;
}

}  // namespace zelta::pages
