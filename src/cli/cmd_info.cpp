#include <CLI/CLI.hpp>
#include <cstdio>
#include <memory>
#include <nlohmann/json.hpp>
#include <ostream>
#include <sstream>

#include "cli/cli_app.h"
#include "cli/codeplug_files.h"
#include "codeplug/data_process.h"
#include "codeplug/field_encodings.h"
#include "errors/result_code.h"
#include "storage/codeplug_files.h"
#include "storage/file_access.h"

namespace zelta::cli {
namespace {

using codeplug::CodeplugImage;
using models::ModelCode;

// What one codeplug file holds, as far as reading it tells.
struct FileInfo {
  std::string path;
  bool valid = false;
  errors::ResultCode result = errors::code::Ok;  // -30 too for a file that cannot be opened
  std::string failure;                           // why the file is not valid
  ModelCode model = 0;
  std::string family;
  int imageBytes = 0;
  int codes = 0;
  codeplug::CodeplugHeader header;
  std::string version;
};

std::string hexByte(unsigned v) {
  char buf[8];
  std::snprintf(buf, sizeof buf, "0x%02X", v & 0xFF);
  return buf;
}

bool printable(ModelCode c) {
  return c >= 0x20 && c < 0x7F;
}

// The verdict is that of opening the file, as show and check open it; the
// values shown come from the records as the file holds them.
FileInfo inspect(const std::string& path) {
  FileInfo info;
  info.path = path;
  const OpenedCodeplug opened = loadCodeplugFile(path, codeplug::standardCodec());
  if (!opened.codeplug) {
    info.result =
        opened.result == storage::kFileNotAccessible ? errors::code::InvalidArchive : opened.result;
    info.failure = opened.failure;
    return info;
  }
  const storage::FileContent content = storage::readCodeplugFileContent(path);
  std::istringstream file(content.bytes);
  auto image = std::make_unique<CodeplugImage>();
  codeplug::SettingsRecord settings;
  const ModelCode model = codeplug::DataProcess(*image, settings).parseSRecordImage(file);
  if (content.error || model == 0) {  // the file changed since it was opened
    info.result = errors::code::InvalidArchive;
    info.failure = describeFailure(info.result, {});
    return info;
  }
  info.valid = true;
  image->setModel(model);
  info.model = model;
  info.header = image->header();
  // A file that went to the old-format window (768 bytes) has its byte 1
  // there, not at the start of the image.
  const bool oldFormat = image->current().byte(1) != model;
  const auto registered = models::findModel(model);
  info.family = oldFormat    ? std::string(models::familyName(models::Family::OldFormat))
                : registered ? std::string(models::familyName(registered->family))
                             : "unknown";
  info.imageBytes =
      oldFormat ? static_cast<int>(CodeplugImage::kOldFormatSize) : codeplug::fileImageBytes(model);
  info.codes = registered ? registered->codes : 0;
  const codeplug::ConstImageView bytes =
      oldFormat ? image->oldFormat() : std::as_const(*image).current();
  info.version = codeplug::codeplugVersionText(codeplug::readCodeplugVersion(bytes, 0x96));
  return info;
}

nlohmann::json toJson(const FileInfo& i) {
  nlohmann::json j{{"file", i.path}, {"valid", i.valid}, {"result", i.result}};
  if (!i.valid) {
    j["error"] = i.failure;
    return j;
  }
  j["model"] = i.model;
  j["modelHex"] = hexByte(i.model);
  j["modelChar"] =
      printable(i.model) ? nlohmann::json(std::string(1, static_cast<char>(i.model))) : nullptr;
  j["family"] = i.family;
  j["imageBytes"] = i.imageBytes;
  j["codes"] = i.codes;
  j["cgromType"] = i.header.cgromType;
  j["memorySize"] = i.header.memorySize;
  j["largeMemory"] = i.header.largeMemory;
  j["headerModelByte"] = i.header.modelByte;
  j["codeplugVersion"] = i.version;
  return j;
}

void printText(std::ostream& out, const FileInfo& i) {
  out << i.path << '\n';
  out << "  valid:             " << (i.valid ? "yes" : "no") << '\n';
  if (!i.valid) {
    out << "  reason:            " << i.failure << '\n';
    return;
  }
  out << "  model:             " << hexByte(i.model);
  if (printable(i.model)) out << " '" << static_cast<char>(i.model) << "'";
  out << '\n';
  out << "  family:            " << i.family << '\n';
  out << "  image bytes:       " << i.imageBytes << '\n';
  out << "  codes:             " << i.codes << '\n';
  out << "  cgromType:         " << int(i.header.cgromType) << '\n';
  out << "  memorySize:        " << int(i.header.memorySize) << '\n';
  out << "  largeMemory:       " << (i.header.largeMemory ? "yes" : "no") << '\n';
  out << "  header model byte: " << hexByte(i.header.modelByte) << '\n';
  out << "  Codeplug Version : " << i.version << '\n';
}

}  // namespace

// info FILE...: what each codeplug file holds and whether it is valid.
void addInfoCommand(CLI::App& app, CliRun& run) {
  struct Options {
    std::vector<std::string> files;
    bool json = false;
  };
  auto options = std::make_shared<Options>();
  CLI::App* sub =
      app.add_subcommand("info", "Show the model, header values and version of codeplug files");
  sub->add_option("files", options->files, "Codeplug files (.cp)")->required();
  sub->add_flag("--json", options->json, "Print a JSON array, one object per file");
  sub->callback([&run, options] {
    run.action = [&run, options]() -> int {
      bool allValid = true;
      nlohmann::json all = nlohmann::json::array();
      for (const std::string& path : options->files) {
        const FileInfo info = inspect(path);
        allValid = allValid && info.valid;
        if (options->json) {
          all.push_back(toJson(info));
          continue;
        }
        printText(run.io.out, info);
        if (!info.valid) run.io.err << path << ": " << info.failure << '\n';
      }
      if (options->json) run.io.out << all.dump(2) << '\n';
      return allValid ? kExitOk : kExitFailed;
    };
  });
}

}  // namespace zelta::cli
