#include "pages/page_dispatch.h"

#include <stdexcept>

#include "pages/field_ids.h"

namespace zelta::pages {
namespace {

using errors::ResultCode;
constexpr ResultCode kPass = errors::code::Ok;

// Alert pattern lists `cb_alertPattern01_1` to `cb_alertPattern16_4`.
constexpr FieldId kFirstAlertPatternList = fieldId("cb_alertPattern01_1");
constexpr FieldId kLastAlertPatternList = fieldId("cb_alertPattern16_4");
// Re-storing the prompt language before a check would reload its defaults.
constexpr FieldId kPromptLanguageField = fieldId("cb_internationalPrompt");

bool isAlertPatternList(FieldId field) {
  return field >= kFirstAlertPatternList && field <= kLastAlertPatternList;
}

bool isCodePage(Page page) {
  return moduleOfPage(page) == PageModuleId::GeneralCode;
}

bool isPromptPage(Page page) {
  return page == Page::Prompt1 || page == Page::Prompt2;
}

// Pages 6 to 8 hold no list whose change needs storing.
bool listChangeCountsAsPassed(Page page) {
  return page == Page::Prompt2 || page == Page::Source1to8 || page == Page::Source9to16;
}

// Which enter events reach the module of the page.
bool entersModule(Page page, FieldKind kind) {
  switch (moduleOfPage(page)) {
    case PageModuleId::GeneralCode: return true;
    case PageModuleId::Prompt:
      return kind == FieldKind::Text || (kind == FieldKind::List && page == Page::Prompt1);
    case PageModuleId::Source: return kind == FieldKind::Text;
    case PageModuleId::None: return false;
    default: return true;
  }
}

}  // namespace

void PageModules::add(PageModuleId id, PageModule& module) {
  if (id == PageModuleId::None) throw std::invalid_argument("the Main page has no page module");
  modules_[static_cast<std::size_t>(id)] = &module;
}

PageModule* PageModules::find(PageModuleId id) const {
  if (id == PageModuleId::None) return nullptr;
  return modules_[static_cast<std::size_t>(id)];
}

bool FieldDispatcher::playToneEnabled() const {
  return isAlertPatternList(currentListField_);
}

void FieldDispatcher::enter(Page page, FieldId field, PageContext& context, bool notifyModule) {
  const FieldEntry* entry = findField(field);
  helpTopic_ = field;
  currentListField_ = entry != nullptr && entry->kind == FieldKind::List ? field : kNoListField;
  tonePattern_ = -1;
  if (isAlertPatternList(currentListField_)) {
    // The pattern the list shows is the one to play.
    if (const PageModule* module = modules_.find(owningModule(*entry))) {
      const PageView shown = module->view(page, context);
      if (const FieldView* list = shown.find(field)) tonePattern_ = list->selected;
    }
  }
  if (!notifyModule || entry == nullptr || !entersModule(page, entry->kind)) return;
  if (PageModule* module = modules_.find(owningModule(*entry))) module->onEnter(field, context);
}

ResultCode FieldDispatcher::exit(Page page, const FieldInput& input, PageContext& context) {
  const FieldEntry* entry = findField(input.id);
  if (entry == nullptr || entry->kind == FieldKind::ReadOnly) return kPass;
  if (entry->kind == FieldKind::Masked && !isCodePage(page)) return kPass;
  if (isAlertPatternList(input.id) && input.id == currentListField_) tonePattern_ = input.index;
  if (entry->kind == FieldKind::List && listChangeCountsAsPassed(page)) {
    record(kPass);
    return kPass;
  }
  PageModule* module = modules_.find(owningModule(*entry));
  const ResultCode result = module != nullptr ? module->onExit(input, context) : kPass;
  record(result);
  return result;
}

ResultCode FieldDispatcher::pageCheck(Page page, PageContext& context) {
  PageModule* module = modules_.find(moduleOfPage(page));
  if (module == nullptr) return kPass;
  const ResultCode result = module->pageCheck(context);
  recordPageCheck(result == kPass);
  return result;
}

void FieldDispatcher::enterPage(Page page, PageContext& context) {
  if (PageModule* module = modules_.find(moduleOfPage(page))) module->refresh(context);
}

ResultCode FieldDispatcher::runPageCheckChain(Page activePage,
                                              const std::optional<FieldInput>& focused,
                                              PageContext& context) {
  if (focused && focused->id >= kFirstFieldId && focused->id <= kLastCheckedFieldId &&
      !(isPromptPage(activePage) && focused->id == kPromptLanguageField)) {
    if (const ResultCode r = exit(activePage, *focused, context); r != kPass) return r;
  }
  ResultCode result = kPass;
  for (PageModuleId id : kPageCheckOrder) {
    PageModule* module = modules_.find(id);
    if (module == nullptr) continue;
    result = module->pageCheck(context);
    recordPageCheck(result == kPass);
    if (result != kPass) break;
  }
  return result;
}

}  // namespace zelta::pages
