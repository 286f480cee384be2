#pragma once

#include <string_view>

#include "pages/field_catalog.h"
#include "pages/field_rows.h"

namespace zelta::pages {

// The ID of the named field, looked up while compiling: a name the catalog
// does not hold, or one of the helpers without an ID, does not compile.
// Modules and tests name fields this way instead of re-typing their numbers.
consteval FieldId fieldId(std::string_view name) {
  for (const FieldEntry& field : field_rows::kFields) {
    if (field.name == name && field.id != kNoFieldId) return field.id;
  }
  throw "no field of this name has an ID";
}

}  // namespace zelta::pages
