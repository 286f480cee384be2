#include <CLI/CLI.hpp>
#include <cstdio>
#include <memory>
#include <nlohmann/json.hpp>
#include <ostream>

#include "cli/cli_app.h"
#include "cli/codeplug_files.h"
#include "codes/pleasing_alert.h"

namespace zelta::cli {
namespace {

std::string familyOf(models::ModelCode model) {
  const auto info = models::findModel(model);
  return info ? std::string(models::familyName(info->family)) : "unknown";
}

void printPlain(std::ostream& out, const std::string& path, const Codeplug& codeplug) {
  const models::ModelCode model = codeplug.image->modelCode();
  out << path << '\n';
  out << "model " << modelHex(model);
  if (model >= 0x20 && model < 0x7F) out << " '" << static_cast<char>(model) << "'";
  out << ", family " << familyOf(model) << '\n';
  if (!codeplug.settings.codeplugVersionText.empty())
    out << codeplug.settings.codeplugVersionText << '\n';
  for (const codeplug::FieldDescriptor& field : codeplug::settingsFields()) {
    const std::string value = codeplug::settingsFieldText(codeplug.settings, field);
    out << field.name << " = ";
    if (field.kind == codeplug::FieldKind::Text) {
      out << '"' << value << "\"\n";
      continue;
    }
    out << value;
    const std::string item = listTextOf(codeplug, field.name, std::stoi(value));
    if (!item.empty()) out << " (" << item << ')';
    out << '\n';
  }
  // The pleasing alert's sixteen steps, which no page control holds.
  out << "melody = \"" << codes::melodyBytesText(codeplug.settings.melody) << "\" ("
      << codes::melodyNotesText(codeplug.settings.melody) << ")\n";
}

nlohmann::ordered_json toJson(const std::string& path, const Codeplug& codeplug) {
  const models::ModelCode model = codeplug.image->modelCode();
  nlohmann::ordered_json settings = nlohmann::ordered_json::object();
  for (const codeplug::FieldDescriptor& field : codeplug::settingsFields()) {
    const auto value = codeplug::readSettingsField(codeplug.settings, field.name);
    if (!value) continue;
    if (const int* index = std::get_if<int>(&*value)) {
      settings[field.name] = *index;
    } else {
      settings[field.name] = std::get<std::string>(*value);
    }
  }
  return nlohmann::ordered_json{{"file", path},
                                {"model", model},
                                {"modelHex", modelHex(model)},
                                {"family", familyOf(model)},
                                {"codeplugVersion", codeplug.settings.codeplugVersionText},
                                {"settings", settings},
                                {"melody", codes::melodyBytesText(codeplug.settings.melody)}};
}

}  // namespace

// show FILE: every setting of a codeplug file by its control name.
void addShowCommand(CLI::App& app, CliRun& run) {
  struct Options {
    std::string file;
    bool json = false;
  };
  auto options = std::make_shared<Options>();
  CLI::App* sub = app.add_subcommand(
      "show", "Decode a codeplug file and print every setting by its control name");
  sub->add_option("file", options->file, "Codeplug file (.cp)")->required();
  sub->add_flag("--json", options->json, "Print one JSON object with the settings by name");
  sub->callback([&run, options] {
    run.action = [&run, options]() -> int {
      const std::optional<Codeplug> codeplug = openCodeplugFile(options->file, run);
      if (!codeplug) return kExitFailed;
      if (options->json) {
        run.io.out << toJson(options->file, *codeplug)
                          .dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace)
                   << '\n';
      } else {
        printPlain(run.io.out, options->file, *codeplug);
      }
      return kExitOk;
    };
  });
}

}  // namespace zelta::cli
