#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

#include "models/models.h"
#include "pages/field_catalog.h"

namespace zelta::pages {

// What the key filters need to know about the loaded codeplug.
struct KeyContext {
  models::ModelCode model = models::kNoModel;
  std::uint8_t headerType = 0;  // character-generator type of the codeplug header
  bool promptsEditable = true;  // false while the prompts are held raw
};

inline constexpr char32_t kBackspace = 0x08;

// The key-press filter: true when the character may reach the field. A
// rejected key is dropped silently. Backspace passes every character filter.
bool keyAccepted(KeyFilter filter, FieldId field, char32_t key, const KeyContext& context);

// Editing keys seen before the key press.
enum class EditKey : std::uint8_t { Delete, Backspace, Escape };

// Masked fields with the mask-keys filter swallow Delete, Backspace and
// Escape: their positions are only ever overtyped.
bool editKeySwallowed(const FieldEntry& field, EditKey key);

// Letters become upper case as typed in every text and masked field.
constexpr char32_t upperCaseAsTyped(char32_t c) {
  return (c >= 'a' && c <= 'z') ? c - 'a' + 'A' : c;
}

// The whole way of one typed character into a field: the edit-key filter
// (for Backspace), the key filter, upper-casing and, for masked fields, the
// mask position `position`. Returns the character that enters the field
// (kBackspace for an accepted Backspace) or nullopt when the key is dropped.
// List and read-only fields take no typing.
std::optional<char32_t> typeCharacter(const FieldEntry& field, char32_t key,
                                      const KeyContext& context, std::size_t position = 0);

}  // namespace zelta::pages
