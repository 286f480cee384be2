#include "pages/prompt_pages.h"

#include <string>
#include <utility>
#include <vector>

#include "codeplug/settings_record.h"
#include "errors/reporter.h"
#include "pages/field_ids.h"
#include "pages/page_settings.h"
#include "text/character_sets.h"
#include "text/default_prompts.h"
#include "text/languages.h"

namespace zelta::pages {
namespace {

using errors::ResultCode;
using pages::FieldEntry;
using pages::FieldId;
using pages::Page;
using pages::PageContext;

constexpr ResultCode kRefused = errors::code::FieldRefused;

using models::kModelHash;
// The converter builds a family D image: its prompts are packed as for the
// first family D model.

constexpr FieldId kLanguageField = fieldId("cb_internationalPrompt");
constexpr FieldId kCharacterSetField = fieldId("cb_internationalCharSet");
constexpr FieldId kShowSourceField = fieldId("cb_showSource");
constexpr FieldId kPrintField = fieldId("ed_printPrompt");
constexpr FieldId kPrintAllField = fieldId("ed_printAllPrompt");
constexpr FieldId kDualFrequencyMenuField = fieldId("ed_DualFrequencyMenuPrompt");
constexpr FieldId kPriorityScanField = fieldId("ed_PriorityScanPrompt");

constexpr int kShowSourceYes = 1;

bool onPromptPage(const FieldEntry& field) {
  return field.page == Page::Prompt1 || field.page == Page::Prompt2;
}

bool onSourcePage(const FieldEntry& field) {
  return field.page == Page::Source1to8 || field.page == Page::Source9to16;
}

bool isPromptPage(Page page) {
  return page == Page::Prompt1 || page == Page::Prompt2;
}

// The power-up and disable prompts: the raw prompts of model '#', and on
// every model tested for the short marker.
bool isRawCapable(text::PromptId id) {
  return id == text::PromptId::powerUpPrompt || id == text::PromptId::disablePagerPrompt;
}

// The prompt of a Prompt 1 or Prompt 2 field, by its control name.
std::optional<text::PromptId> promptNamed(std::string_view name) {
  static const std::vector<std::pair<std::string, text::PromptId>> kByName = [] {
    std::vector<std::pair<std::string, text::PromptId>> table;
    for (std::size_t i = 0; i < static_cast<std::size_t>(text::PromptId::source1Prompt); ++i) {
      const auto id = static_cast<text::PromptId>(i);
      if (std::string field = text::promptFieldName(id); !field.empty()) {
        table.emplace_back(std::move(field), id);
      }
    }
    return table;
  }();
  for (const auto& [field, id] : kByName) {
    if (field == name) return id;
  }
  return std::nullopt;
}

std::span<std::uint8_t> rawPromptBytes(codeplug::SettingsRecord& s, text::PromptId id) {
  if (id == text::PromptId::powerUpPrompt) return s.kept.rawPowerUpPrompt;
  return s.kept.rawDisablePrompt;
}

std::string rawPromptText(const codeplug::SettingsRecord& s, text::PromptId id) {
  const auto& bytes =
      id == text::PromptId::powerUpPrompt ? s.kept.rawPowerUpPrompt : s.kept.rawDisablePrompt;
  return std::string(bytes.begin(), bytes.end());
}

bool holdsRawPrompt(const PageContext& context, text::PromptId id) {
  return context.model == kModelHash && isRawCapable(id);
}

// The short marker flags a source, power-up or disable prompt as the
// pager's own, in the packed mode only.
bool shortMarkerFlag(const PageContext& context, std::string_view text) {
  return !context.settings.promptsAsText &&
         text.find(text::kShortDefaultMarker) != std::string_view::npos;
}

// The list fields of the page read the prompt language and storage mode
// from the context: keep them in step with the settings.
void syncContext(PageContext& context) {
  context.promptLanguage = context.settings.internationalPrompt;
  context.promptsAsText = context.settings.promptsAsText;
}

}  // namespace

text::PromptList promptListOf(const PageContext& context) {
  return text::promptListFor(context.model, context.converterTarget());
}

std::optional<text::PromptId> promptOfField(FieldId field, const PageContext& context) {
  const FieldEntry* entry = pages::findField(field);
  if (entry == nullptr || entry->kind != pages::FieldKind::Text) return std::nullopt;
  const text::PromptList list = promptListOf(context);
  std::optional<text::PromptId> id;
  if (onSourcePage(*entry)) {
    id = text::sourcePromptId(4 * (entry->row - 1) + entry->column);
  } else if (onPromptPage(*entry)) {
    id = promptNamed(entry->name);
    if (list == text::PromptList::list119) {
      if (field == kPrintField) id = text::PromptId::DualFrequencyMenuPrompt;
      if (field == kPrintAllField) id = text::PromptId::PriorityScanPrompt;
      if (field == kDualFrequencyMenuField || field == kPriorityScanField) return std::nullopt;
    }
    // The oldest pagers' zoom prompts are packed as read; the page does
    // not offer them.
    if (list == text::PromptList::list49 &&
        (id == text::PromptId::zoomInPrompt || id == text::PromptId::zoomOutPrompt)) {
      return std::nullopt;
    }
  }
  if (!id || !text::promptIndex(list, *id)) return std::nullopt;
  return id;
}

bool promptsPacked(const PageContext& context) {
  return !context.settings.promptsAsText && context.model != kModelHash;
}

PromptPageLayout promptPageLayout(const PageContext& context) {
  PromptPageLayout layout;
  layout.rawPowerUpGroupShown = context.model == kModelHash;
  layout.reminderGroupShown = promptOfField(94, context).has_value();  // ed_setReminderPrompt
  return layout;
}

void PromptPages::onEnter(FieldId field, PageContext&) {
  const FieldEntry* entry = pages::findField(field);
  editing_ = entry != nullptr && entry->kind == pages::FieldKind::Text && onPromptPage(*entry)
                 ? field
                 : pages::kNoFieldId;
}

ResultCode PromptPages::onExit(const pages::FieldInput& input, PageContext& context) {
  editing_ = pages::kNoFieldId;
  const FieldEntry* field = pages::findField(input.id);
  if (field == nullptr) return errors::code::Ok;
  if (field->kind == pages::FieldKind::List) {
    pendingToggle_ = pages::kNoFieldId;
    switch (field->id) {
      case kLanguageField: return chooseLanguage(*field, input.index, context);
      case kShowSourceField: {
        const int before = context.settings.showSource;
        if (!pages::storeField(input, context)) return kRefused;
        // Sources join or leave the block: say at once when it no longer fits.
        if (context.settings.showSource != before) promptMemoryFits(context, true);
        return errors::code::Ok;
      }
      case kCharacterSetField:
        return pages::storeField(input, context) ? errors::code::Ok : kRefused;
      default: return errors::code::Ok;
    }
  }
  if (field->kind != pages::FieldKind::Text) return errors::code::Ok;
  if (input.text.size() > text::kPromptMaxChars) {
    pendingToggle_ = pages::kNoFieldId;
    return kRefused;
  }
  if (onSourcePage(*field)) return storeSource(*field, input, context);
  if (onPromptPage(*field)) return storePrompt(*field, input, context);
  return errors::code::Ok;
}

ResultCode PromptPages::storePrompt(const FieldEntry& field, const pages::FieldInput& input,
                                    PageContext& context) {
  const bool toggle = std::exchange(pendingToggle_, pages::kNoFieldId) == field.id;
  const auto id = promptOfField(field.id, context);
  if (!id) return errors::code::Ok;  // not offered on this model
  codeplug::SettingsRecord& s = context.settings;
  text::Prompt& prompt = s.prompts[*id];

  if (holdsRawPrompt(context, *id)) {
    text::writeRawPrompt(rawPromptBytes(s, *id), input.text, s.internationalPrompt);
    prompt.builtIn = shortMarkerFlag(context, input.text);
  } else {
    prompt.text.assign(input.text);
    if (toggle) {
      const text::PromptList list = promptListOf(context);
      text::togglePromptDefault(prompt, s.internationalPrompt, *text::promptIndex(list, *id), list);
    }
    prompt.builtIn = isRawCapable(*id) ? shortMarkerFlag(context, input.text)
                                       : prompt.text.contains(text::kDefaultMarker);
  }

  // On overflow the prompt keeps its new text: the user shortens another.
  const bool fits = promptMemoryFits(context, true);
  showStoredForm(context);
  return fits ? errors::code::Ok : errors::code::PromptsTooLarge;
}

ResultCode PromptPages::storeSource(const FieldEntry& field, const pages::FieldInput& input,
                                    PageContext& context) {
  pendingToggle_ = pages::kNoFieldId;
  const auto id = promptOfField(field.id, context);
  if (!id) return errors::code::Ok;
  text::Prompt& source = context.settings.prompts[*id];
  const text::Prompt old = source;
  source.text.assign(input.text);
  source.builtIn = shortMarkerFlag(context, input.text);

  const bool fits = promptMemoryFits(context, true);
  if (!fits) source = old;
  showStoredForm(context);
  return fits ? errors::code::Ok : errors::code::PromptsTooLarge;
}

ResultCode PromptPages::chooseLanguage(const FieldEntry& field, int item, PageContext& context) {
  const std::size_t offered = pages::listItems(field, context.lists()).size();
  if (item < 0 || static_cast<std::size_t>(item) >= offered) return kRefused;
  codeplug::SettingsRecord& s = context.settings;
  const int language = text::languageFromListItem(item, context.headerType);
  s.internationalPrompt = language;
  if (language == text::lang::thai) s.showSource = 0;

  // Only languages with default tables switch to the packed mode: the
  // ideographic and Thai prompts are kept as read, and packing their raw
  // bytes would turn them into prompt codes they are not.
  if (applyLanguageDefaults(s.prompts, language, promptListOf(context)) ==
      text::LanguageDefaults::applied) {
    s.promptsAsText = false;
  } else {
    context.reporter.Show(text::noLanguageDefaultsMessage());
  }
  syncContext(context);
  text::checkLanguageCharacterSet(language, s.internationalCharSet, context.reporter);
  promptMemoryFits(context, false);
  return errors::code::Ok;
}

void PromptPages::showStoredForm(PageContext& context) {
  if (refresh_) refresh_(context);
  syncContext(context);
}

ResultCode PromptPages::pageCheck(PageContext& context) {
  return promptMemoryFits(context, false) ? errors::code::Ok : errors::code::PromptsTooLarge;
}

void PromptPages::refresh(PageContext& context) {
  editing_ = pages::kNoFieldId;
  pendingToggle_ = pages::kNoFieldId;
  promptMemoryFits(context, true);
}

bool PromptPages::promptMemoryFits(PageContext& context, bool report) {
  if (!promptsPacked(context)) {
    usagePercent_.reset();
    return true;
  }
  codeplug::SettingsRecord& s = context.settings;
  const models::ModelCode model =
      context.converterTarget() ? models::kConverterTargetModel : context.model;
  const text::PromptPacking packing{promptListOf(context), model, s.internationalPrompt,
                                    s.showSource == kShowSourceYes};
  const int capacity = text::promptBlockCapacity(model, context.firmwareR0102);
  const text::PromptSizeCheck check =
      checkPromptSize(s.prompts, packing, capacity, buffer_, context.reporter, report);
  if (check.fits) usagePercent_ = check.usagePercent;
  return check.fits;
}

bool PromptPages::toggleDefault(FieldId field, PageContext& context) {
  const FieldEntry* entry = pages::findField(field);
  if (entry == nullptr || !entry->flags.restoresDefault || !promptsPacked(context)) return false;
  const auto id = promptOfField(field, context);
  if (!id) return false;
  const text::PromptList list = promptListOf(context);
  if (text::romPromptNumber(context.settings.internationalPrompt, *text::promptIndex(list, *id),
                            list) < 0) {
    return false;
  }
  pendingToggle_ = field;
  return true;
}

ResultCode PromptPages::programPressed(Page activePage, PageContext& context) {
  if (context.model == kModelHash && isPromptPage(activePage)) {
    const codeplug::SettingsRecord& s = context.settings;
    text::checkRawPromptLeadBytes(s.kept.rawPowerUpPrompt, s.kept.rawDisablePrompt,
                                  context.reporter);
  }
  return errors::code::Ok;
}

pages::PageView PromptPages::view(Page page, const PageContext& context) const {
  pages::PageView view = pages::settingsPageView(page, context);
  const codeplug::SettingsRecord& s = context.settings;
  const bool rawModel = context.model == kModelHash;

  for (pages::FieldView& field : view.fields) {
    const FieldEntry* entry = pages::findField(field.id);
    if (entry == nullptr || entry->kind != pages::FieldKind::Text) continue;
    const auto id = promptOfField(field.id, context);
    if (!id) {
      field.visible = false;
      field.enabled = false;
      continue;
    }
    const text::Prompt& prompt = s.prompts[*id];
    if (holdsRawPrompt(context, *id)) {
      field.text = rawPromptText(s, *id);
    } else if (field.id == editing_ && prompt.builtIn) {
      field.text = std::string{text::kDefaultMarker};
    } else {
      field.text = prompt.text.str();
    }
    if (text::isSourcePrompt(*id) && s.showSource != kShowSourceYes) field.enabled = false;
  }

  if (pages::FieldView* language = pages::fieldIn(view, kLanguageField)) {
    const int item = text::listItemFromLanguage(s.internationalPrompt);
    language->selected =
        item >= 0 && static_cast<std::size_t>(item) < language->items.size() ? item : -1;
    language->enabled = language->enabled && !rawModel;
  }
  for (FieldId id : {kCharacterSetField, kShowSourceField}) {
    if (pages::FieldView* field = pages::fieldIn(view, id)) {
      field->visible = field->visible && !rawModel;
    }
  }
  return view;
}

}  // namespace zelta::pages
