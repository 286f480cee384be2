#include "pages/key_filter.h"

#include "pages/edit_mask.h"
#include "pages/field_ids.h"
#include "text/prompt_code_table.h"

namespace zelta::pages {
namespace {

// `ed_function02`: the second code of model '#' is its maildrop code.
constexpr FieldId kSecondFunctionField = fieldId("ed_function02");
using models::kModelHash;

constexpr bool oneOf(char32_t key, std::u32string_view set) {
  return set.find(key) != std::u32string_view::npos;
}

constexpr bool inRange(char32_t key, char32_t first, char32_t last) {
  return key >= first && key <= last;
}

bool functionKeyAccepted(FieldId field, char32_t key, const KeyContext& context) {
  if (context.headerType == 0) return oneOf(key, U"TNAXtnax");
  if (field == kSecondFunctionField) {
    return context.model == kModelHash ? oneOf(key, U"IXix") : true;
  }
  return oneOf(key, U"TNAIXtnaix");
}

bool promptKeyAccepted(char32_t key, const KeyContext& context) {
  if (context.model == kModelHash || !context.promptsEditable) return true;
  // Compressed prompts take only what the prompt code table holds.
  return key <= 0x7F && text::promptKeyAccepted(static_cast<char>(key), context.model,
                                                text::PromptMode::compressed);
}

}  // namespace

bool keyAccepted(KeyFilter filter, FieldId field, char32_t key, const KeyContext& context) {
  if (filter != KeyFilter::None && key == kBackspace) return true;
  switch (filter) {
    case KeyFilter::None: return true;
    case KeyFilter::Decimal: return inRange(key, '0', '9');
    case KeyFilter::YesNo: return oneOf(key, U"YyNn");
    case KeyFilter::Functions: return functionKeyAccepted(field, key, context);
    case KeyFilter::LettersAndDigits:
      return inRange(key, 'a', 'z') || inRange(key, 'A', 'Z') || inRange(key, '0', '9') ||
             key == ' ';
    case KeyFilter::UserPassword: return inRange(key, '0', '3');
    case KeyFilter::Hexadecimal:
      return inRange(key, '0', '9') || inRange(key, 'a', 'f') || inRange(key, 'A', 'F') ||
             key == '.';
    case KeyFilter::PromptCharacters: return promptKeyAccepted(key, context);
  }
  return false;
}

bool editKeySwallowed(const FieldEntry& field, EditKey key) {
  (void)key;  // all three editing keys are swallowed alike
  return field.maskKeys;
}

std::optional<char32_t> typeCharacter(const FieldEntry& field, char32_t key,
                                      const KeyContext& context, std::size_t position) {
  if (field.kind == FieldKind::List || field.kind == FieldKind::ReadOnly) return std::nullopt;
  if (key == kBackspace && editKeySwallowed(field, EditKey::Backspace)) return std::nullopt;
  if (!keyAccepted(field.filter, field.id, key, context)) return std::nullopt;
  if (key == kBackspace) return key;
  const char32_t typed = upperCaseAsTyped(key);
  if (field.kind != FieldKind::Masked) return typed;
  const std::optional<EditMask> mask = EditMask::parse(field.mask);
  if (!mask) return typed;
  return mask->accept(position, typed);
}

}  // namespace zelta::pages
