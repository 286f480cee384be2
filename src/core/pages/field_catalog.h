#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "pages/page_table.h"

namespace zelta::codeplug {
struct FieldDescriptor;
}

namespace zelta::pages {

// The fixed number of an editing field, assigned once when the window is
// first shown. It keys every per-field dispatch and is the help topic of the
// field last entered.
using FieldId = int;
inline constexpr FieldId kNoFieldId = 0;  // read-only and hidden helpers
inline constexpr FieldId kFirstFieldId = 1;
inline constexpr FieldId kLastFieldId = 531;
// The page-check chain treats a focused control outside 1 to 512 as no field.
inline constexpr FieldId kLastCheckedFieldId = 512;

enum class FieldKind : std::uint8_t {
  Text,      // free typing within its maximum length, upper-cased as typed
  Masked,    // fixed-position characters given by an edit mask
  List,      // a drop-down of fixed items, never free text
  ReadOnly,  // shown only
};

// Which key-press filter a field's typing goes through (key_filter.h).
enum class KeyFilter : std::uint8_t {
  None,
  Decimal,           // "0"-"9"
  YesNo,             // "Y" "N" in either case
  Functions,         // function letters, by header type and model
  LettersAndDigits,  // letters, digits, space
  UserPassword,      // "0"-"3"
  Hexadecimal,       // "0"-"9", "a"-"f", "A"-"F", "."
  PromptCharacters,  // the prompt character set of the model
};

// Lists whose items are not fixed but built for the loaded codeplug
// (list_items.h); Static lists carry their items in the catalog.
enum class ListRule : std::uint8_t {
  Static,
  CodingFormat,         // 2400 baud dropped on limited firmware
  CodeType,             // by model and code number
  InternationalPrompt,  // fifteen languages plus the character ROM's language
  AlertDuration,        // "30 sec" only on the extended-alert models
  FunctionMenuDisplay,  // by prompt storage and language
  IdeoNumericCanned,    // by header type
};

using ItemList = std::span<const std::string_view>;

// Initial state of a field as built, before any model layout applies.
struct FieldFlags {
  bool disabled = false;
  bool hidden = false;
  bool notTabStop = false;
  // Prompt fields where Alt+R restores the prompt's default text.
  bool restoresDefault = false;
};

// One editing field of the main window.
//
// caption: the label beside the field, in the label convention of the
// window ("&&" shows a single "&"); group: the caption of the group or
// column the field sits in. Code-row fields carry their code number in
// `row` (1-16) and their function or source number in `column` (1-4); the
// source prompts carry code and source the same way.
struct FieldEntry {
  FieldId id = kNoFieldId;
  std::string_view name;
  Page page = Page::General;
  FieldKind kind = FieldKind::Text;
  std::string_view caption;
  std::string_view group;
  ItemList items;
  ListRule listRule = ListRule::Static;
  int maxLength = 0;
  std::string_view mask;
  KeyFilter filter = KeyFilter::None;
  bool maskKeys = false;  // Delete, Backspace and Escape are swallowed: overtype only
  std::string_view hint;
  int row = 0;
  int column = 0;
  FieldFlags flags;
};

// Every field of the editing pages: the fields with IDs in ascending order,
// then the three without one.
std::span<const FieldEntry> allFields();

const FieldEntry* findField(FieldId id);
const FieldEntry* findField(std::string_view name);

// The setting the field shows and stores, joined to the catalog once; null
// for the fields without a setting of their own (derived or read-only).
// field must be a row of allFields().
const codeplug::FieldDescriptor* settingOf(const FieldEntry& field);

// The module that stores the field. Fields sit on a page and are normally
// stored by its module; the canned-message and display-contrast fields on
// "More Features" belong to the Features module.
PageModuleId owningModule(const FieldEntry& field);

// True for fields whose typed letters become upper case.
constexpr bool upperCasesAsTyped(const FieldEntry& field) {
  return field.kind == FieldKind::Text || field.kind == FieldKind::Masked;
}

// The columns of a code row on the Code pages.
enum class CodeColumn : std::uint8_t {
  Code,
  Function,
  Priority,
  CodeType,
  History,  // codes 1 to 8 only
  OnOffDuty,
  FixAlert,
  InterruptVib,
  Crescendo,
  AlertMode,     // one per function 1 to 4
  AlertPattern,  // one per function 1 to 4
};

// The column of a code-row field; nothing for the other fields.
std::optional<CodeColumn> codeColumnOf(const FieldEntry& field);

// The field of a code row: code 1 to 16; function 1 to 4 for the alert mode
// and pattern lists, 0 for the others. Null where the field does not exist.
const FieldEntry* codeRowField(CodeColumn column, int code, int function = 0);

}  // namespace zelta::pages
