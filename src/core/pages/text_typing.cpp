#include "pages/text_typing.h"

#include <algorithm>

namespace zelta::pages {

TextTyping textTyping(const FieldEntry& field, std::u32string_view text, std::size_t cursor,
                      bool selection, const KeyContext& context) {
  const bool placeholder = !text.empty() && std::none_of(text.begin(), text.end(), [&](char32_t c) {
    return c != kBackspace && keyAccepted(field.filter, field.id, c, context);
  });
  if (placeholder) return TextTyping::ReplaceWhole;
  if (selection) return TextTyping::Insert;
  if (field.maxLength <= 0 || text.size() < static_cast<std::size_t>(field.maxLength)) {
    return TextTyping::Insert;
  }
  return cursor < text.size() ? TextTyping::Overtype : TextTyping::Dropped;
}

}  // namespace zelta::pages
