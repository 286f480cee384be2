#pragma once

#include <string_view>

#include "pages/field_view.h"
#include "pages/page_module.h"

namespace zelta::pages {

// The model layout of the loaded codeplug as the page context describes it.
ModelFieldLayout contextLayout(const PageContext& context);

// A page as its module starts to show it: every field as the catalog and the
// model layout give it, holding its setting (list fields the setting as the
// item chosen, -1 when the list has no such item; text fields the text).
// Fields without a setting of their own keep their base state; the module
// fills those and applies its enabling rules.
PageView settingsPageView(Page page, const PageContext& context);

// A field of a view being built; null when the page has no such field.
FieldView* fieldIn(PageView& view, FieldId id);

// Enabling rules only ever take fields away: a field stays enabled while
// every rule that concerns it allows it (and its catalog state does).
void disableUnless(PageView& view, FieldId id, bool allowed);

// Stores a field as it stands into the setting of the same name: a list
// choice as its item index, a text as typed. Returns false (and stores
// nothing) for a field without such a setting or a choice the list does not
// offer. Fields whose setting is not the plain value are the modules' own.
bool storeField(const FieldInput& input, PageContext& context);

// Where a catalog item sits in the list a field offers; -1 when not offered.
int itemPosition(const FieldView& field, std::string_view item);

}  // namespace zelta::pages
