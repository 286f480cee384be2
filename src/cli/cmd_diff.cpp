#include <CLI/CLI.hpp>
#include <algorithm>
#include <cstdio>
#include <memory>
#include <nlohmann/json.hpp>
#include <optional>
#include <ostream>

#include "cli/cli_app.h"
#include "cli/codeplug_files.h"
#include "codeplug/codec.h"
#include "codeplug/data_process.h"
#include "codeplug/field_offsets.h"
#include "codes/pleasing_alert.h"
#include "storage/codeplug_files.h"

namespace zelta::cli {
namespace {

using codeplug::CodeplugImage;
using codeplug::SettingsRecord;

struct Loaded {
  std::unique_ptr<CodeplugImage> image = std::make_unique<CodeplugImage>();
  std::unique_ptr<SettingsRecord> settings = std::make_unique<SettingsRecord>();
};

// A setting by its control name, or the melody, which has no control of
// its own on the pages (its editor is a window).
struct SettingDifference {
  std::string name;
  bool number;  // an index setting, compared and printed as a number
  std::string a;
  std::string b;
};

constexpr std::string_view kMelodyName = "melody";

struct ByteDifference {
  std::size_t offset;
  std::uint8_t a;
  std::uint8_t b;
};

struct Differences {
  std::vector<SettingDifference> settings;
  std::vector<ByteDifference> bytes;
  bool bytesNormalized = true;  // setting-covered bytes taken out by building both with one set
};

// The one verdict every command gives on a file, shown once.
std::optional<Loaded> load(const std::string& path, const codeplug::CodeplugCodec& codec,
                           CliRun& run) {
  OpenedCodeplug opened = loadCodeplugFile(path, codec);
  if (!opened.codeplug) {
    run.io.err << "diff: " << path << ": " << opened.failure << '\n';
    return std::nullopt;
  }
  Loaded l;
  l.image = std::move(opened.codeplug->image);
  l.settings = std::make_unique<SettingsRecord>(std::move(opened.codeplug->settings));
  return l;
}

std::vector<ByteDifference> differingBytes(const CodeplugImage& a, const CodeplugImage& b,
                                           std::size_t size) {
  std::vector<ByteDifference> out;
  const auto x = a.current();
  const auto y = b.current();
  for (std::size_t i = 0; i < size; ++i) {
    if (x.byte(i) != y.byte(i)) out.push_back({i, x.byte(i), y.byte(i)});
  }
  return out;
}

// The serial number is a setting, compared by name, but a build keeps the
// image's own serial bytes (only a new pager is given them): A's are set to
// B's so that a different serial number is not listed again byte by byte.
void alignSerialNumber(CodeplugImage& a, const CodeplugImage& b, models::ModelCode model) {
  constexpr std::size_t kSerialNumberBytes = 10;
  codeplug::FieldOffsetTable table;
  if (!codeplug::loadOffsetTables(table, model) || table.serialNumber == codeplug::kNoSlot) return;
  for (std::size_t i = 0; i < kSerialNumberBytes; ++i) {
    const std::size_t at = table.serialNumber + i;
    a.current().setByte(at, b.current().byte(at));
  }
}

// The bytes that differ outside any setting: both images are built with
// the same settings (B's), so that every byte a setting covers comes out
// equal and only the bytes no setting reaches can still differ. Images of
// different models, or settings that cannot be built, are compared byte for
// byte.
Differences compare(const Loaded& a, const Loaded& b, const codeplug::CodeplugCodec& codec) {
  Differences d;
  for (const codeplug::FieldDescriptor& f : codeplug::settingsFields()) {
    std::string x = codeplug::settingsFieldText(*a.settings, f);
    std::string y = codeplug::settingsFieldText(*b.settings, f);
    if (x != y)
      d.settings.push_back(
          {f.name, f.kind == codeplug::FieldKind::Index, std::move(x), std::move(y)});
  }
  if (a.settings->melody != b.settings->melody) {
    d.settings.push_back({std::string(kMelodyName), false,
                          codes::melodyBytesText(a.settings->melody),
                          codes::melodyBytesText(b.settings->melody)});
  }

  const models::ModelCode model = a.image->modelCode();
  const std::size_t size = static_cast<std::size_t>(
      std::max(codeplug::fileImageBytes(model), codeplug::fileImageBytes(b.image->modelCode())));
  if (model == b.image->modelCode()) {
    auto builtA = std::make_unique<CodeplugImage>(*a.image);
    auto builtB = std::make_unique<CodeplugImage>(*b.image);
    auto forA = std::make_unique<SettingsRecord>(*b.settings);
    auto forB = std::make_unique<SettingsRecord>(*b.settings);
    if (codec.build(*builtA, *forA, {}) >= 0 && codec.build(*builtB, *forB, {}) >= 0) {
      alignSerialNumber(*builtA, *builtB, model);
      d.bytes = differingBytes(*builtA, *builtB, size);
      return d;
    }
  }
  d.bytesNormalized = false;
  d.bytes = differingBytes(*a.image, *b.image, size);
  return d;
}

nlohmann::json valueJson(const SettingDifference& s, const std::string& text) {
  if (s.number) return std::stoi(text);
  return text;
}

std::string hex(std::size_t v, int digits) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "0x%0*zX", digits, v);
  return buf;
}

std::string shown(const SettingDifference& s, const std::string& text) {
  return s.number ? text : "\"" + text + "\"";
}

}  // namespace

int runDiff(const std::string& fileA, const std::string& fileB, bool json,
            const codeplug::CodeplugCodec& codec, CliRun& run) {
  const std::optional<Loaded> a = load(fileA, codec, run);
  const std::optional<Loaded> b = a ? load(fileB, codec, run) : std::nullopt;
  if (!a || !b) return kExitUsage;
  const Differences d = compare(*a, *b, codec);
  const bool equal = d.settings.empty() && d.bytes.empty();

  if (json) {
    nlohmann::json settings = nlohmann::json::array();
    for (const SettingDifference& s : d.settings) {
      settings.push_back({{"control", s.name}, {"a", valueJson(s, s.a)}, {"b", valueJson(s, s.b)}});
    }
    nlohmann::json bytes = nlohmann::json::array();
    for (const ByteDifference& x : d.bytes) {
      bytes.push_back(
          {{"offset", x.offset}, {"offsetHex", hex(x.offset, 4)}, {"a", x.a}, {"b", x.b}});
    }
    nlohmann::json j{{"a", fileA},     {"b", fileB},
                     {"equal", equal}, {"settings", settings},
                     {"bytes", bytes}, {"bytesOutsideSettings", d.bytesNormalized}};
    run.io.out << j.dump(2) << '\n';
    return equal ? kExitOk : kExitFailed;
  }

  if (equal) {
    run.io.out << "diff: " << fileA << " and " << fileB << " are equal\n";
    return kExitOk;
  }
  if (!d.settings.empty()) {
    run.io.out << d.settings.size() << " settings differ (control, A, B):\n";
    for (const SettingDifference& s : d.settings) {
      run.io.out << "  " << s.name << "  " << shown(s, s.a) << "  " << shown(s, s.b) << '\n';
    }
  }
  if (!d.bytes.empty()) {
    run.io.out << d.bytes.size()
               << (d.bytesNormalized ? " image bytes differ outside any setting (offset, A, B):\n"
                                     : " image bytes differ (models differ; offset, A, B):\n");
    for (const ByteDifference& x : d.bytes) {
      run.io.out << "  " << hex(x.offset, 4) << "  " << hex(x.a, 2) << "  " << hex(x.b, 2) << '\n';
    }
  }
  return kExitFailed;
}

// diff A B [--json]
void addDiffCommand(CLI::App& app, CliRun& run, const codeplug::CodeplugCodec& codec) {
  struct Options {
    std::string a;
    std::string b;
    bool json = false;
  };
  auto options = std::make_shared<Options>();
  CLI::App* sub = app.add_subcommand("diff",
                                     "List the settings and the image bytes outside any setting in "
                                     "which two codeplug files differ");
  sub->add_option("a", options->a, "First codeplug file (.cp)")->required();
  sub->add_option("b", options->b, "Second codeplug file (.cp)")->required();
  sub->add_flag("--json", options->json, "Print {equal, settings, bytes} as JSON");
  sub->footer("Exit status: 0 equal, 1 different, 2 a file cannot be read.");
  sub->callback([&run, options, &codec] {
    run.action = [&run, options, &codec] {
      return runDiff(options->a, options->b, options->json, codec, run);
    };
  });
}

}  // namespace zelta::cli
