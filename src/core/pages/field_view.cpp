#include "pages/field_view.h"

namespace zelta::pages {

const FieldView* PageView::find(FieldId id) const {
  for (const FieldView& f : fields) {
    if (f.id == id && id != kNoFieldId) return &f;
  }
  return nullptr;
}

const FieldView* PageView::find(std::string_view name) const {
  for (const FieldView& f : fields) {
    if (f.name == name) return &f;
  }
  return nullptr;
}

FieldView baseFieldView(const FieldEntry& field, const ModelFieldLayout& layout,
                        const ListContext& lists) {
  FieldView view;
  view.id = field.id;
  view.name = field.name;
  view.entry = &field;
  view.caption = fieldCaption(field, layout);
  view.items = listItems(field, lists);
  if (field.kind == FieldKind::List && !view.items.empty()) view.selected = 0;
  view.enabled = !field.flags.disabled;
  view.visible = fieldShown(field, layout);
  return view;
}

PageView basePageView(Page page, const ModelFieldLayout& layout, const ListContext& lists) {
  PageView view;
  view.page = page;
  for (const FieldEntry& field : allFields()) {
    if (field.page == page) view.fields.push_back(baseFieldView(field, layout, lists));
  }
  return view;
}

}  // namespace zelta::pages
