#include "pages/page_settings.h"

#include <variant>

#include "codeplug/settings_record.h"

namespace zelta::pages {

ModelFieldLayout contextLayout(const PageContext& context) {
  FieldLayoutContext layout;
  layout.sequentialMode = context.sequentialMode;
  layout.dualFrequencyEnabled = context.settings.supportDualFreq == 1;
  layout.converterTarget = context.converterTarget();
  return modelFieldLayout(context.model, layout);
}

PageView settingsPageView(Page page, const PageContext& context) {
  PageView view = basePageView(page, contextLayout(context), context.lists());
  for (FieldView& field : view.fields) {
    const codeplug::FieldDescriptor* setting = settingOf(*field.entry);
    if (setting == nullptr) continue;
    const codeplug::FieldValue value = codeplug::readSettingsField(context.settings, *setting);
    if (const int* index = std::get_if<int>(&value)) {
      if (field.items.empty()) continue;
      const bool offered = *index >= 0 && static_cast<std::size_t>(*index) < field.items.size();
      field.selected = offered ? *index : -1;
    } else {
      field.text = std::get<std::string>(value);
    }
  }
  return view;
}

FieldView* fieldIn(PageView& view, FieldId id) {
  for (FieldView& field : view.fields) {
    if (field.id == id && id != kNoFieldId) return &field;
  }
  return nullptr;
}

void disableUnless(PageView& view, FieldId id, bool allowed) {
  if (FieldView* field = fieldIn(view, id); field != nullptr && !allowed) field->enabled = false;
}

bool storeField(const FieldInput& input, PageContext& context) {
  const FieldEntry* entry = findField(input.id);
  if (entry == nullptr) return false;
  const codeplug::FieldDescriptor* setting = settingOf(*entry);
  if (setting == nullptr) return false;
  if (entry->kind == FieldKind::List) {
    const auto offered = listItems(*entry, context.lists());
    if (input.index < 0 || static_cast<std::size_t>(input.index) >= offered.size()) return false;
    return codeplug::writeSettingsField(context.settings, *setting, input.index);
  }
  return codeplug::writeSettingsField(context.settings, *setting, input.text);
}

int itemPosition(const FieldView& field, std::string_view item) {
  for (std::size_t i = 0; i < field.items.size(); ++i) {
    if (field.items[i] == item) return static_cast<int>(i);
  }
  return -1;
}

}  // namespace zelta::pages
