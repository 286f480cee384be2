#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "pages/field_catalog.h"
#include "pages/list_items.h"
#include "pages/model_layout.h"
#include "pages/page_table.h"

namespace zelta::pages {

// How one field is to be shown: everything a front end needs to set its
// widget, so that it never decides a rule itself.
struct FieldView {
  FieldId id = kNoFieldId;
  std::string_view name;
  const FieldEntry* entry = nullptr;  // its catalog row
  std::string_view caption;
  std::string text;   // text, masked and read-only fields
  int selected = -1;  // list fields: the item shown, -1 for none
  std::vector<std::string_view> items;
  bool enabled = true;
  bool visible = true;
};

// The fields of one page, in catalog order.
struct PageView {
  Page page = Page::General;
  std::vector<FieldView> fields;

  const FieldView* find(FieldId id) const;
  const FieldView* find(std::string_view name) const;
};

// A field as the catalog and the model layout give it, before its module
// fills in what it holds and applies its enabling rules.
FieldView baseFieldView(const FieldEntry& field, const ModelFieldLayout& layout,
                        const ListContext& lists);

// Every field of a page as baseFieldView gives it.
PageView basePageView(Page page, const ModelFieldLayout& layout, const ListContext& lists);

}  // namespace zelta::pages
