#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "pages/field_catalog.h"
#include "pages/key_filter.h"

namespace zelta::pages {

// Where a character that passed the key filter goes in a text field. Most
// text fields are shown full (a code's "NONE" padded to seven, a priority's
// four letters), so plain insertion would swallow every key there; the
// rule follows the function field beside them, which is overtyped:
//   - a field that shows only characters its filter refuses (the "NONE"
//     placeholder, blanks in a code) starts anew with the key;
//   - a selection is replaced by the key;
//   - a field with room left takes the key at the cursor;
//   - a full field has the character at the cursor overtyped, and the
//     cursor moves on; at the end of a full field the key is dropped, as at
//     the end of a masked field.
enum class TextTyping : std::uint8_t { ReplaceWhole, Insert, Overtype, Dropped };

TextTyping textTyping(const FieldEntry& field, std::u32string_view text, std::size_t cursor,
                      bool selection, const KeyContext& context);

}  // namespace zelta::pages
