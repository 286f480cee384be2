#include "pages/code_predicates.h"

#include <cstddef>
#include <string_view>

#include "codeplug/settings_record.h"
#include "codes/capcode.h"
#include "pages/model_layout.h"
#include "pages/page_module.h"

namespace zelta::pages {
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

bool isPersonal(int type) {
  return type == Individual || type == Group;
}

bool hasNumericFunction(std::string_view functions) {
  return functions.find('N') != std::string_view::npos;
}

// A function letter that shows text: any but numeric, tone only and the unused "X".
bool hasTextFunction(std::string_view functions) {
  for (char f : functions) {
    if (f >= 'A' && f <= 'Z' && f != 'N' && f != 'T' && f != 'X') return true;
  }
  return false;
}

}  // namespace

int codesOfModel(models::ModelCode model, bool converterTarget) {
  return pages::codeCount(model, converterTarget);
}

int codesOf(const pages::PageContext& context) {
  return codesOfModel(context.model, context.converterTarget());
}

bool codePresent(const codeplug::SettingsRecord& settings, int code) {
  return !codes::capcodeBlank(settings.code[at(code)]);
}

bool personalCodeExists(const codeplug::SettingsRecord& settings, int codes) {
  return anyPresentCode(settings, codes,
                        [&](int c) { return isPersonal(settings.codeType[at(c)]); });
}

bool maildropCodeExists(const codeplug::SettingsRecord& settings, int codes) {
  return anyPresentCode(settings, codes,
                        [&](int c) { return settings.codeType[at(c)] == MailDrop; });
}

bool numericCodeExists(const codeplug::SettingsRecord& settings, int codes) {
  return anyPresentCode(settings, codes,
                        [&](int c) { return hasNumericFunction(settings.function[at(c)]); });
}

bool textCodeExists(const codeplug::SettingsRecord& settings, int codes) {
  return anyPresentCode(settings, codes,
                        [&](int c) { return hasTextFunction(settings.function[at(c)]); });
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

CodeKinds codeKinds(const codeplug::SettingsRecord& settings, int codes) {
  CodeKinds kinds;
  for (int c = 1; c <= codes && c <= codeplug::kMaxCodes; ++c) {
    if (!codePresent(settings, c)) continue;
    ++kinds.present;
    const int type = settings.codeType[at(c)];
    const std::string_view functions = settings.function[at(c)];
    kinds.personal |= isPersonal(type);
    kinds.maildrop |= type == MailDrop;
    kinds.group |= type == Group;
    kinds.numeric |= hasNumericFunction(functions);
    kinds.text |= hasTextFunction(functions);
    if (functions != "NNNN") kinds.numericOnly = false;
  }
  return kinds;
}

CodeKinds codeKinds(const pages::PageContext& context) {
  return codeKinds(context.settings, codesOf(context));
}

}  // namespace zelta::pages
