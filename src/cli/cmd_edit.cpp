#include <CLI/CLI.hpp>
#include <algorithm>
#include <cctype>
#include <charconv>
#include <memory>
#include <ostream>

#include "cli/cli_app.h"
#include "cli/codeplug_files.h"
#include "codeplug/field_encodings.h"
#include "pages/field_catalog.h"
#include "text/prompt_code_table.h"

namespace zelta::cli {
namespace {

// Index settings without a list hold a stored byte or word.
constexpr int kLargestPlainIndex = 0xFFFF;

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
    text += std::to_string(static_cast<int>(i) + offset) + " \"" + std::string(items[i]) + "\"";
  }
  return text;
}

// The longest text a text setting takes; none where no limit is known.
std::optional<std::size_t> maxLengthOf(const codeplug::FieldDescriptor& field) {
  if (field.promptField != nullptr) return text::kPromptMaxChars;
  const pages::FieldSpec* spec = pages::findField(field.name);
  if (spec == nullptr) return std::nullopt;
  if (spec->maxLength > 0) return static_cast<std::size_t>(spec->maxLength);
  if (!spec->mask.empty()) return spec->mask.size();
  return std::nullopt;
}

// Applies one NAME=VALUE; an error message when it cannot be.
std::optional<std::string> applySetting(Codeplug& codeplug, std::string_view assignment) {
  const std::size_t equals = assignment.find('=');
  if (equals == std::string_view::npos || equals == 0) {
    return "\"" + std::string(assignment) + "\" is not NAME=VALUE";
  }
  const std::string name(assignment.substr(0, equals));
  const std::string_view value = assignment.substr(equals + 1);
  const codeplug::FieldDescriptor* field = codeplug::findSettingsField(name);
  if (field == nullptr) return "unknown setting \"" + name + "\"";

  if (name.starts_with("ed_code") && field->kind == codeplug::FieldKind::Text) {
    // A pager code: an address of 21 bits, or nothing.
    if (value.find_first_not_of(' ') == std::string_view::npos) {
      codeplug::writeSettingsField(codeplug.settings, name, std::string(codeplug::kEmptyCode));
      return std::nullopt;
    }
    if (value.size() > codeplug::kEmptyCode.size() || !codeplug::codeAddress(value)) {
      return name + ": \"" + std::string(value) + "\" is no pager code (0-" +
             std::to_string(codeplug::kMaxAddress) + ", or empty for none)";
    }
  }
  if (field->kind == codeplug::FieldKind::Text) {
    const auto limit = maxLengthOf(*field);
    if (limit && value.size() > *limit) {
      return name + ": \"" + std::string(value) + "\" is longer than " + std::to_string(*limit) +
             " characters";
    }
    codeplug::writeSettingsField(codeplug.settings, name, std::string(value));
    return std::nullopt;
  }

  // A list setting is given by its item number (as the setting holds it)
  // or by its item text.
  const std::vector<std::string_view> items = listItemsOf(codeplug, name);
  const int offset = listIndexOffset(name);
  std::optional<int> number = parseNumber(value);
  if (!number && !items.empty()) {
    const auto found = std::find_if(items.begin(), items.end(),
                                    [&](std::string_view item) { return sameItem(item, value); });
    if (found != items.end()) number = static_cast<int>(found - items.begin()) + offset;
  }
  if (!number) {
    if (items.empty()) return name + ": \"" + std::string(value) + "\" is not a number";
    return name + ": \"" + std::string(value) + "\" is no item of the list (" +
           itemsText(items, offset) + ")";
  }
  const int smallest = items.empty() ? 0 : offset;
  const int largest =
      items.empty() ? kLargestPlainIndex : static_cast<int>(items.size()) - 1 + offset;
  if (*number < smallest || *number > largest) {
    std::string message = name + ": " + std::to_string(*number) + " is out of range (" +
                          std::to_string(smallest) + "-" + std::to_string(largest);
    if (!items.empty()) message += ": " + itemsText(items, offset);
    return message + ")";
  }
  codeplug::writeSettingsField(codeplug.settings, name, *number);
  return std::nullopt;
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
                  "NAME=VALUE: a setting by control name; a list by index or item text")
      ->required()
      ->allow_extra_args(false);
  sub->add_option("-o,--output", options->output, "Codeplug file to write")->required();
  sub->callback([&run, options] {
    run.action = [&run, options]() -> int {
      std::optional<Codeplug> codeplug = openCodeplugFile(options->file, run);
      if (!codeplug) return kExitFailed;
      for (const std::string& assignment : options->assignments) {
        if (const auto error = applySetting(*codeplug, assignment)) {
          run.io.err << "edit: " << *error << "; nothing written\n";
          return kExitUsage;
        }
      }
      return saveCodeplugFile(*codeplug, options->output, false, run);
    };
  });
}

}  // namespace zelta::cli
