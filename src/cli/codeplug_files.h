#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "cli/cli_app.h"
#include "codeplug/codec.h"
#include "codeplug/codeplug_image.h"
#include "codeplug/settings_record.h"
#include "errors/result_code.h"
#include "pages/page_module.h"

namespace zelta::cli {

// A codeplug held by one command: the image (with its header values and
// model) and the settings decoded from it or to be built into it.
struct Codeplug {
  std::unique_ptr<codeplug::CodeplugImage> image = std::make_unique<codeplug::CodeplugImage>();
  codeplug::SettingsRecord settings;
};

// What opening a codeplug file gave: the codeplug, or why not.
struct OpenedCodeplug {
  std::optional<Codeplug> codeplug;
  errors::ResultCode result = errors::code::Ok;
  // "error -30: ERROR: Invalid archive file. The file is ..." or "cannot
  // open the file: No such file or directory"; empty on success.
  std::string failure;
};

// Reads a codeplug file and decodes it as opening the file does: the one
// verdict every command gives on a file.
OpenedCodeplug loadCodeplugFile(const std::string& path, const codeplug::CodeplugCodec& codec);

// loadCodeplugFile with the program's codec; a failure is shown on
// standard error as "PATH: <failure>".
std::optional<Codeplug> openCodeplugFile(const std::string& path, CliRun& run);

// Saves as the save command does: the frequency checked against the band,
// the image built from the settings (for a new pager: with model byte,
// serial number and memory split) and written whole or not at all. Returns
// the exit status; a failure is shown on standard error.
int saveCodeplugFile(Codeplug& codeplug, const std::string& path, bool newPager, CliRun& run);

// "0x91": a model code as the commands print it.
std::string modelHex(models::ModelCode model);

// "0x91" or "p": a model code by number or by its character; nothing when
// the text is neither.
std::optional<models::ModelCode> parseModelCode(std::string_view text);

// The list text of an index setting's value ("POCSAG 1200"), empty where the
// field is no list of the field catalog or the value lies outside it.
std::string listTextOf(const Codeplug& codeplug, std::string_view field, int value);
// What a setting holds for list item 0: 1 for the settings counted from 1
// (cb_noSequentialInc, cb_scLostNumNormalMod), else 0.
int listIndexOffset(std::string_view field);
// The items of a list field for the codeplug; empty for any other field.
std::vector<std::string_view> listItemsOf(const Codeplug& codeplug, std::string_view field);

}  // namespace zelta::cli
