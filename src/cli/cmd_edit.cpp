#include <CLI/CLI.hpp>
#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstdio>
#include <map>
#include <memory>
#include <ostream>

#include "cli/cli_app.h"
#include "cli/codeplug_files.h"
#include "pages/edit_mask.h"
#include "pages/editing_page_modules.h"
#include "pages/field_catalog.h"
#include "pages/field_ids.h"
#include "pages/key_filter.h"
#include "pages/page_context_of.h"
#include "pages/user_password.h"

namespace zelta::cli {
namespace {

using pages::FieldEntry;
using pages::FieldKind;
using pages::FieldView;
using pages::KeyFilter;

// Why an assignment cannot be made; nothing when it was.
using Refusal = std::optional<std::string>;

// Settings without a page field hold a stored byte or word.
constexpr int kLargestPlainIndex = 0xFFFF;

// The hidden digits of the family F user password, which the window sets
// only through its keypad, and the field that shows them as key letters.
constexpr std::string_view kUserPasswordDigits = "ed_cpwFc_Password";
constexpr pages::FieldId kUserPasswordKeysField = pages::fieldId("ed_cpwFc_Password_LRUD");

// What each key filter lets into a field, for the line that refuses a
// character.
struct FilterTakes {
  KeyFilter filter;
  std::string_view takes;
};
constexpr FilterTakes kFilterTakes[] = {
    {KeyFilter::Decimal, "the digits 0-9"},
    {KeyFilter::YesNo, "Y and N"},
    {KeyFilter::Functions, "the function letters T, N, A, X (and I on ideographic pagers)"},
    {KeyFilter::LettersAndDigits, "letters, digits and spaces"},
    {KeyFilter::UserPassword, "the digits 0-3"},
    {KeyFilter::Hexadecimal, "hexadecimal digits and \".\""},
    {KeyFilter::PromptCharacters, "the prompt characters of the model"},
};

std::string inQuotes(std::string_view text) {
  return "\"" + std::string(text) + "\"";
}

std::optional<int> parseNumber(std::string_view text) {
  int value = 0;
  const char* end = text.data() + text.size();
  const auto [at, ec] = std::from_chars(text.data(), end, value);
  if (text.empty() || ec != std::errc() || at != end) return std::nullopt;
  return value;
}

bool sameItem(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::toupper(static_cast<unsigned char>(x)) ==
                  std::toupper(static_cast<unsigned char>(y));
         });
}

std::string itemsText(const std::vector<std::string_view>& items, int offset) {
  std::string text;
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (i != 0) text += ", ";
    text += std::to_string(static_cast<int>(i) + offset) + " " + inQuotes(items[i]);
  }
  return text;
}

std::string longerThan(std::string_view name, std::string_view value, std::size_t limit) {
  return std::string(name) + ": " + inQuotes(value) + " is longer than " + std::to_string(limit) +
         " characters";
}

// The codeplug holds one byte a character: what a keyboard types into the
// window's fields, never control characters or multi-byte text.
bool typeable(char c) {
  return c >= 0x20 && c <= 0x7E;
}

std::string cannotBeTyped(const FieldEntry& field, char c) {
  std::string takes = "printable characters";
  for (const FilterTakes& entry : kFilterTakes) {
    if (entry.filter == field.filter) takes = std::string(entry.takes);
  }
  if (field.filter == KeyFilter::None && field.kind == FieldKind::Masked) {
    takes = "what its mask " + inQuotes(field.mask.substr(0, field.mask.find(';'))) + " allows";
  }
  char shown[8] = {c, 0};
  if (!typeable(c)) std::snprintf(shown, sizeof shown, "\\x%02X", static_cast<unsigned char>(c));
  return std::string(field.name) + ": " + inQuotes(shown) +
         " cannot be typed into this field (it takes " + takes + ")";
}

// The text a text or masked field holds after `value` is typed into it, as
// the window's key filters and upper-casing leave it. A character the filter
// would swallow is refused rather than dropped: the field would otherwise
// hold something else than was asked for. A masked field is given as shown,
// its fixed characters in place ("158.01250"); a space or the mask's blank
// leaves a position empty.
Refusal typeText(const FieldEntry& field, std::string_view value, const pages::KeyContext& keys,
                 std::string& typed) {
  const std::optional<pages::EditMask> mask =
      field.kind == FieldKind::Masked ? pages::EditMask::parse(field.mask) : std::nullopt;
  if (mask && value.size() > mask->length()) return longerThan(field.name, value, mask->length());
  if (!mask && field.maxLength > 0 && value.size() > static_cast<std::size_t>(field.maxLength))
    return longerThan(field.name, value, static_cast<std::size_t>(field.maxLength));

  typed.clear();
  for (std::size_t i = 0; i < value.size(); ++i) {
    const char c = value[i];
    if (!typeable(c)) return cannotBeTyped(field, c);
    if (mask && mask->at(i).slot == pages::EditMask::Slot::Literal) {
      if (c != mask->at(i).literal) {
        return std::string(field.name) + ": " + inQuotes(value) + " needs " +
               inQuotes(std::string(1, mask->at(i).literal)) + " at position " +
               std::to_string(i + 1);
      }
      typed += c;
      continue;
    }
    if (mask && (c == ' ' || c == mask->blank())) {
      typed += c;
      continue;
    }
    const std::optional<char32_t> in =
        pages::typeCharacter(field, static_cast<unsigned char>(c), keys, i);
    if (!in) return cannotBeTyped(field, c);
    typed += static_cast<char>(*in);
  }
  return std::nullopt;
}

// A list choice by its number (as the setting holds it and `show` prints
// it) or, when the value is no number, by its item text in any case.
Refusal chooseItem(const FieldEntry& field, const FieldView& view, std::string_view value,
                   int& index) {
  const std::string name(field.name);
  const std::vector<std::string_view>& items = view.items;
  if (items.empty()) return name + " offers no items for this codeplug";
  const int offset = listIndexOffset(name);
  std::optional<int> number = parseNumber(value);
  if (!number) {
    const auto found = std::find_if(items.begin(), items.end(),
                                    [&](std::string_view item) { return sameItem(item, value); });
    if (found == items.end()) {
      return name + ": " + inQuotes(value) + " is no item of the list (" +
             itemsText(items, offset) + ")";
    }
    number = static_cast<int>(found - items.begin()) + offset;
  }
  const int largest = static_cast<int>(items.size()) - 1 + offset;
  if (*number < offset || *number > largest) {
    return name + ": " + std::to_string(*number) + " is out of range (" + std::to_string(offset) +
           "-" + std::to_string(largest) + ": " + itemsText(items, offset) + ")";
  }
  index = *number - offset;
  return std::nullopt;
}

// Sets settings by control name as the main window would: each field is
// entered and left on its page, so that its page module checks and stores
// it, and before saving the page check chain runs.
class FieldEditor {
 public:
  FieldEditor(Codeplug& codeplug, CliRun& run)
      : run_(run),
        context_(pages::pageContextOf(*codeplug.image, codeplug.settings, run.reporter)),
        dispatcher_(modules_.registry()) {}

  Refusal apply(std::string_view assignment);

  // The checks that guard saving: Ok when they pass, else the failing
  // check's result, which it has shown. Then a note for every list whose
  // choice the page rules changed afterwards.
  errors::ResultCode checkPages();

 private:
  Refusal applyToPage(const FieldEntry& field, std::string_view value);
  Refusal applyUserPassword(const FieldEntry& field, std::string_view value);
  Refusal applyToSettings(const codeplug::FieldDescriptor& field, std::string_view value);
  const FieldView* offered(const FieldEntry& field, pages::PageView& view) const;
  Refusal notOffered(const FieldEntry& field, const FieldView* view) const;
  std::string refused(const FieldEntry& field, std::string_view value,
                      errors::ResultCode result) const;

  CliRun& run_;
  pages::PageContext context_;
  pages::EditingPageModules modules_;
  pages::FieldDispatcher dispatcher_;
  // The list choices made, by field, for the notes after the page checks.
  std::map<pages::FieldId, int> chosen_;
};

Refusal FieldEditor::apply(std::string_view assignment) {
  const std::size_t equals = assignment.find('=');
  if (equals == std::string_view::npos || equals == 0) {
    return inQuotes(assignment) + " is not NAME=VALUE";
  }
  const std::string name(assignment.substr(0, equals));
  const std::string_view value = assignment.substr(equals + 1);
  if (const FieldEntry* field = pages::findField(name)) {
    if (field->name == kUserPasswordDigits) return applyUserPassword(*field, value);
    if (field->kind == FieldKind::ReadOnly) return name + " is shown only and cannot be set";
    return applyToPage(*field, value);
  }
  // Settings without a field of the pages (the memory split, the service
  // values, the key count and time-out of the user password, histories of
  // codes 9-16) are set by dialogs or derived in the window; they keep the
  // plain store by name.
  const codeplug::FieldDescriptor* field = codeplug::findSettingsField(name);
  if (field == nullptr) return "unknown setting " + inQuotes(name);
  return applyToSettings(*field, value);
}

const FieldView* FieldEditor::offered(const FieldEntry& field, pages::PageView& view) const {
  const pages::PageModule* module = modules_.registry().find(pages::moduleOfPage(field.page));
  if (module == nullptr) return nullptr;
  view = module->view(field.page, context_);
  return view.find(field.id);
}

// Fields the page hides for the model, or shows disabled, are refused: the
// window offers no way to change them, and a value stored behind the page's
// back (a band split, a serial number, a source prompt while sources are
// off) would contradict what the page derives. Fields that other settings
// enable can be set after those, in the same command.
Refusal FieldEditor::notOffered(const FieldEntry& field, const FieldView* view) const {
  const std::string name(field.name);
  if (view == nullptr || !view->visible)
    return name + " is not offered on model " + modelHex(context_.model);
  if (view->enabled) return std::nullopt;
  if (field.flags.disabled) {
    return name + " is not offered on model " + modelHex(context_.model) +
           ": the page shows it for information only";
  }
  return name + " is disabled on model " + modelHex(context_.model) +
         " by the settings as they stand (set the fields that enable it first)";
}

std::string FieldEditor::refused(const FieldEntry& field, std::string_view value,
                                 errors::ResultCode result) const {
  const std::string refusal = std::string(field.name) + ": " + inQuotes(value) +
                              " is refused by the " +
                              std::string(pages::pageInfo(field.page).caption) + " page";
  // A quiet refusal has no number the operator could look up.
  if (result == errors::code::FieldRefused) return refusal;
  return refusal + " (result " + std::to_string(result) + ")";
}

Refusal FieldEditor::applyToPage(const FieldEntry& field, std::string_view value) {
  pages::PageView page;
  const FieldView* view = offered(field, page);
  if (const Refusal refusal = notOffered(field, view)) return refusal;

  pages::FieldInput input;
  input.id = field.id;
  if (field.kind == FieldKind::List) {
    if (const Refusal refusal = chooseItem(field, *view, value, input.index)) return refusal;
  } else {
    const pages::KeyContext keys = pages::keyContextOf(context_.image);
    if (const Refusal refusal = typeText(field, value, keys, input.text)) return refusal;
  }
  dispatcher_.enter(field.page, field.id, context_);
  const errors::ResultCode result = dispatcher_.exit(field.page, input, context_);
  if (result != errors::code::Ok) return refused(field, value, result);
  if (field.kind == FieldKind::List) chosen_[field.id] = input.index;
  return std::nullopt;
}

// The keypad of the Password / OTA page: two to eight keys, stored through
// the page's key-letter field (which the field dispatch passes over, being
// shown only) so that the key count follows.
Refusal FieldEditor::applyUserPassword(const FieldEntry& field, std::string_view value) {
  const FieldEntry* keysField = pages::findField(kUserPasswordKeysField);
  pages::PageView page;
  if (const Refusal refusal = notOffered(field, offered(*keysField, page))) return refusal;
  if (value.size() > pages::kUserPasswordMaxKeys)
    return longerThan(field.name, value, pages::kUserPasswordMaxKeys);
  pages::UserPasswordKeypad keypad;
  for (const char c : value) {
    if (c < '0' || c > '3') return cannotBeTyped(field, c);
    keypad.press(static_cast<pages::PagerKey>(c));
  }
  pages::UserPassword password;
  if (const errors::ResultCode saved = keypad.save(password); saved != errors::code::Ok) {
    run_.reporter.ReportCode(saved);
    return refused(field, value, saved);
  }
  const errors::ResultCode result = modules_.passwordOta().onExit(
      pages::FieldInput{.id = kUserPasswordKeysField, .text = password.digits}, context_);
  if (result != errors::code::Ok) return refused(field, value, result);
  return std::nullopt;
}

Refusal FieldEditor::applyToSettings(const codeplug::FieldDescriptor& field,
                                     std::string_view value) {
  const std::string& name = field.name;
  if (field.kind == codeplug::FieldKind::Text) {
    for (const char c : value) {
      if (!typeable(c))
        return name + ": " + inQuotes(value) + " holds a character that cannot be typed";
    }
    codeplug::writeSettingsField(context_.settings, name, std::string(value));
    return std::nullopt;
  }
  const std::optional<int> number = parseNumber(value);
  if (!number) return name + ": " + inQuotes(value) + " is not a number";
  if (*number < 0 || *number > kLargestPlainIndex) {
    return name + ": " + std::to_string(*number) + " is out of range (0-" +
           std::to_string(kLargestPlainIndex) + ")";
  }
  codeplug::writeSettingsField(context_.settings, name, *number);
  return std::nullopt;
}

errors::ResultCode FieldEditor::checkPages() {
  // Every field has been left already: no focused field is stored again.
  const errors::ResultCode result =
      dispatcher_.runPageCheckChain(pages::Page::General, std::nullopt, context_);
  if (result != errors::code::Ok) return result;
  for (const auto& [id, index] : chosen_) {
    const FieldEntry& field = *pages::findField(id);
    pages::PageView page;
    const FieldView* view = offered(field, page);
    if (view == nullptr || view->selected == index) continue;
    const auto itemOf = [&](int i) {
      return i >= 0 && static_cast<std::size_t>(i) < view->items.size()
                 ? inQuotes(view->items[static_cast<std::size_t>(i)])
                 : std::string("no item");
    };
    run_.io.err << "edit: note: " << field.name << " was set to " << itemOf(index)
                << "; the page rules keep " << itemOf(view->selected) << '\n';
  }
  return result;
}

}  // namespace

// edit FILE --set NAME=VALUE ... -o OUT: changes settings by control name
// and writes the rebuilt codeplug.
void addEditCommand(CLI::App& app, CliRun& run) {
  struct Options {
    std::string file;
    std::vector<std::string> assignments;
    std::string output;
  };
  auto options = std::make_shared<Options>();
  CLI::App* sub =
      app.add_subcommand("edit", "Change settings of a codeplug file by control name and save it");
  sub->add_option("file", options->file, "Codeplug file (.cp) to read")->required();
  sub->add_option("--set", options->assignments,
                  "NAME=VALUE, in order: a field as typed into its page (a code empty for none); "
                  "a list by number or item text")
      ->required()
      ->allow_extra_args(false);
  sub->add_option("-o,--output", options->output, "Codeplug file to write")->required();
  sub->callback([&run, options] {
    run.action = [&run, options]() -> int {
      std::optional<Codeplug> codeplug = openCodeplugFile(options->file, run);
      if (!codeplug) return kExitFailed;
      FieldEditor editor(*codeplug, run);
      for (const std::string& assignment : options->assignments) {
        if (const Refusal refusal = editor.apply(assignment)) {
          run.io.err << "edit: " << *refusal << "; nothing written\n";
          return kExitUsage;
        }
      }
      if (const errors::ResultCode checked = editor.checkPages(); checked != errors::code::Ok) {
        run.io.err << "edit: the page checks refuse the settings (result " << checked
                   << "); nothing written\n";
        return kExitUsage;
      }
      return saveCodeplugFile(*codeplug, options->output, false, run);
    };
  });
}

}  // namespace zelta::cli
