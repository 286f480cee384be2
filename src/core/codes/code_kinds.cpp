#include "codes/code_kinds.h"

#include <string_view>

#include "codeplug/settings_record.h"
#include "pages/model_layout.h"

namespace zelta::codes {
namespace {

constexpr int kIndividual = 0;
constexpr int kGroup = 1;
constexpr int kMailDrop = 2;

// Blank, or the "NONE" the Code pages show for no code.
bool capcodeBlank(std::string_view code) {
  while (!code.empty() && code.front() == ' ') code.remove_prefix(1);
  while (!code.empty() && code.back() == ' ') code.remove_suffix(1);
  return code.empty() || code == "NONE";
}

}  // namespace

CodeKinds codeKinds(const codeplug::SettingsRecord& settings, codeplug::ModelCode model,
                    bool converterTarget) {
  CodeKinds kinds;
  const int count = pages::codeCount(model, converterTarget);
  for (int c = 0; c < count && c < codeplug::kMaxCodes; ++c) {
    const auto i = static_cast<std::size_t>(c);
    if (capcodeBlank(settings.code[i])) continue;
    ++kinds.present;
    const int type = settings.codeType[i];
    if (type == kMailDrop) kinds.maildrop = true;
    if (type == kIndividual || type == kGroup) kinds.personal = true;
    if (type == kGroup) kinds.group = true;
    const std::string_view functions = settings.function[i];
    if (functions != "NNNN") kinds.numericOnly = false;
    for (char f : functions) {
      if (f == 'N') kinds.numeric = true;
      const bool letter = f >= 'A' && f <= 'Z';
      if (letter && f != 'N' && f != 'T' && f != 'X') kinds.text = true;
    }
  }
  return kinds;
}

}  // namespace zelta::codes
