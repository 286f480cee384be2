#include "cli/codeplug_files.h"

#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <charconv>
#include <filesystem>
#include <fstream>
#include <ostream>

#include "codeplug/builders.h"
#include "codeplug/data_process.h"
#include "codeplug/decoders.h"
#include "codeplug/frequency_band.h"
#include "pages/field_catalog.h"
#include "pages/list_items.h"

namespace zelta::cli {
namespace {

namespace fs = std::filesystem;

int fail(CliRun& run, const std::string& path, errors::ResultCode code) {
  run.io.err << path << ": " << describeFailure(code, run.reporter.context()) << '\n';
  return kExitFailed;
}

}  // namespace

std::optional<Codeplug> openCodeplugFile(const std::string& path, CliRun& run) {
  std::ifstream file(path, std::ios::binary);
  if (!file) {
    run.io.err << path << ": cannot open the file\n";
    return std::nullopt;
  }
  Codeplug codeplug;
  codeplug::DataProcess process(*codeplug.image, codeplug.settings);
  if (!codeplug::DataProcess::hasDataRecords(file)) {
    fail(run, path, errors::code::InvalidArchive);
    return std::nullopt;
  }
  file.clear();
  file.seekg(0);
  const codeplug::ModelCode model = process.parseSRecordImage(file);
  if (model == 0) {
    fail(run, path, errors::code::InvalidArchive);
    return std::nullopt;
  }
  codeplug.image->setModel(model);
  const errors::ResultCode result = codeplug::decodeImage(codeplug::DecodeCommand::OpenFile,
                                                          *codeplug.image, codeplug.settings, {});
  if (result != errors::code::Ok) {
    run.reporter.context().fileVersionLabel = codeplug.settings.codeplugVersionText;
    fail(run, path, result);
    return std::nullopt;
  }
  return codeplug;
}

int saveCodeplugFile(Codeplug& codeplug, const std::string& path, bool newPager, CliRun& run) {
  codeplug::SettingsRecord& s = codeplug.settings;
  const codeplug::ModelCode model = codeplug.image->modelCode();

  codeplug::FrequencySettings frequency;
  frequency.model = model;
  frequency.band = s.freqBand;
  frequency.pllType = s.PLL_Type;
  frequency.table = codeplug::bandTableFor(model, s.serialNumber, false);
  frequency.primaryHz = codeplug::frequencyHzFromText(s.frequency).value_or(0);
  frequency.secondHz = codeplug::frequencyHzFromText(s.frequency2).value_or(0);
  if (codeplug::checkFrequencyInBand(frequency, run.reporter) != errors::code::Done)
    return kExitFailed;

  codeplug::BuildContext context;
  context.pagerUnprogrammed = newPager;
  const errors::ResultCode built = codeplug::buildImage(*codeplug.image, s, context);
  if (built != errors::code::Ok) return fail(run, path, built);

  const fs::path target(path);
  const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
  const fs::path temporary =
      folder / ("." + target.filename().string() + ".tmp" + std::to_string(::getpid()));
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    if (!out) {
      run.io.err << path << ": cannot write the file\n";
      return kExitFailed;
    }
    codeplug::DataProcess(*codeplug.image, s).writeSRecordImage(out);
    out.flush();
    if (!out) {
      out.close();
      std::error_code ignored;
      fs::remove(temporary, ignored);
      run.io.err << path << ": cannot write the file\n";
      return kExitFailed;
    }
  }
  std::error_code ec;
  fs::rename(temporary, target, ec);
  if (ec) {
    std::error_code ignored;
    fs::remove(temporary, ignored);
    run.io.err << path << ": cannot write the file (" << ec.message() << ")\n";
    return kExitFailed;
  }
  return kExitOk;
}

std::optional<codeplug::ModelCode> parseModelCode(std::string_view text) {
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    unsigned value = 0;
    const char* end = text.data() + text.size();
    const auto [at, ec] = std::from_chars(text.data() + 2, end, value, 16);
    if (ec != std::errc() || at != end || value > 0xFF) return std::nullopt;
    return static_cast<codeplug::ModelCode>(value);
  }
  if (text.size() == 1) return static_cast<codeplug::ModelCode>(text[0]);
  return std::nullopt;
}

int listIndexOffset(std::string_view field) {
  // Settings that hold the item number counted from 1.
  constexpr std::string_view kCountedFromOne[] = {"cb_noSequentialInc", "cb_scLostNumNormalMod"};
  return std::find(std::begin(kCountedFromOne), std::end(kCountedFromOne), field) !=
                 std::end(kCountedFromOne)
             ? 1
             : 0;
}

std::vector<std::string_view> listItemsOf(const Codeplug& codeplug, std::string_view field) {
  const pages::FieldSpec* spec = pages::findField(field);
  if (spec == nullptr || spec->kind != pages::FieldKind::List) return {};
  pages::ListContext context;
  context.model = codeplug.image->modelCode();
  context.headerType = codeplug.image->header().cgromType;
  context.promptsAsText = codeplug.settings.promptsAsText;
  context.promptLanguage = codeplug.settings.internationalPrompt;
  return pages::listItems(*spec, context);
}

std::string listTextOf(const Codeplug& codeplug, std::string_view field, int value) {
  int index = value;
  const auto items = listItemsOf(codeplug, field);
  index -= listIndexOffset(field);
  if (index < 0 || static_cast<std::size_t>(index) >= items.size()) return {};
  return std::string(items[static_cast<std::size_t>(index)]);
}

}  // namespace zelta::cli
