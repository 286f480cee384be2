#include "codes/code_predicates.h"

#include <cstddef>

#include "codeplug/settings_record.h"
#include "codes/capcode.h"
#include "pages/model_layout.h"
#include "pages/page_module.h"

namespace zelta::codes {
namespace {

std::size_t at(int code) {
  return static_cast<std::size_t>(code - 1);
}

template <typename Rule>
bool anyPresentCode(const codeplug::SettingsRecord& settings, int codes, Rule rule) {
  for (int c = 1; c <= codes && c <= codeplug::kMaxCodes; ++c) {
    if (codePresent(settings, c) && rule(c)) return true;
  }
  return false;
}

bool isTextFunction(char letter) {
  return letter != 'N' && letter != 'T' && letter != 'X';
}

}  // namespace

int codesOfModel(codeplug::ModelCode model, bool converterTarget) {
  return pages::codeCount(model, converterTarget);
}

int codesOf(const pages::PageContext& context) {
  return codesOfModel(context.model, context.converterTarget());
}

bool codePresent(const codeplug::SettingsRecord& settings, int code) {
  return !capcodeBlank(settings.code[at(code)]);
}

bool personalCodeExists(const codeplug::SettingsRecord& settings, int codes) {
  return anyPresentCode(settings, codes, [&](int c) {
    const int type = settings.codeType[at(c)];
    return type == Individual || type == Group;
  });
}

bool maildropCodeExists(const codeplug::SettingsRecord& settings, int codes) {
  return anyPresentCode(settings, codes,
                        [&](int c) { return settings.codeType[at(c)] == MailDrop; });
}

bool numericCodeExists(const codeplug::SettingsRecord& settings, int codes) {
  return anyPresentCode(settings, codes, [&](int c) {
    return settings.function[at(c)].find('N') != std::string::npos;
  });
}

bool textCodeExists(const codeplug::SettingsRecord& settings, int codes) {
  return anyPresentCode(settings, codes, [&](int c) {
    for (char letter : settings.function[at(c)]) {
      if (isTextFunction(letter)) return true;
    }
    return false;
  });
}

bool personalCodeExists(const pages::PageContext& context) {
  return personalCodeExists(context.settings, codesOf(context));
}
bool maildropCodeExists(const pages::PageContext& context) {
  return maildropCodeExists(context.settings, codesOf(context));
}
bool numericCodeExists(const pages::PageContext& context) {
  return numericCodeExists(context.settings, codesOf(context));
}
bool textCodeExists(const pages::PageContext& context) {
  return textCodeExists(context.settings, codesOf(context));
}

}  // namespace zelta::codes
