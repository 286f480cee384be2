#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "cli/cli_app.h"
#include "codeplug/codeplug_image.h"
#include "codeplug/settings_record.h"
#include "errors/result_code.h"

namespace zelta::cli {

// A codeplug held by one command: the image (with its header values and
// model) and the settings decoded from it or to be built into it.
struct Codeplug {
  std::unique_ptr<codeplug::CodeplugImage> image = std::make_unique<codeplug::CodeplugImage>();
  codeplug::SettingsRecord settings;
};

// Reads a codeplug file and decodes it as opening the file does. On failure
// a line goes to standard error and the exit status is returned.
std::optional<Codeplug> openCodeplugFile(const std::string& path, CliRun& run);

// Checks the frequency against the band, builds the image from the settings
// and writes it as a codeplug file, atomically: a temporary file in the same
// folder, renamed over path once complete. Returns the exit status; on
// failure nothing is written and a line goes to standard error.
int saveCodeplugFile(Codeplug& codeplug, const std::string& path, bool newPager, CliRun& run);

// "0x91" or "p": a model code by number or by its character; nothing when
// the text is neither.
std::optional<codeplug::ModelCode> parseModelCode(std::string_view text);

// The list text of an index setting's value ("POCSAG 1200"), empty where the
// field is no list of the field catalog or the value lies outside it.
std::string listTextOf(const Codeplug& codeplug, std::string_view field, int value);
// What a setting holds for list item 0: 1 for the settings counted from 1
// (cb_noSequentialInc, cb_scLostNumNormalMod), else 0.
int listIndexOffset(std::string_view field);
// The items of a list field for the codeplug; empty for any other field.
std::vector<std::string_view> listItemsOf(const Codeplug& codeplug, std::string_view field);

}  // namespace zelta::cli
