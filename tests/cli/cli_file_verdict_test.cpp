// Every command gives one verdict on a file, refuses what is no codeplug
// before reading it, and says why a file cannot be written.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>

#include "cli/cli_app.h"
#include "cli/cli_run.h"
#include "cli/codeplug_files.h"
#include "codeplug/builders.h"
#include "codeplug/data_process.h"
#include "pages/editing_page_modules.h"
#include "pages/page_context_of.h"
#include "pages/page_dispatch.h"
#include "support/temp_folder.h"

namespace zelta::cli {
namespace {

namespace fs = std::filesystem;
using testing::CliResult;
using testing::runArgs;
using zelta::testing::TempFolder;

// An image of the model with every byte `fill`, as S-records.
std::string filledFile(models::ModelCode model, std::size_t size, std::uint8_t fill) {
  codeplug::CodeplugImage image;
  image.current().fill(0, size, fill);
  image.current().setByte(1, model);
  image.setModel(model);
  image.header().modelByte = model;
  codeplug::SettingsRecord settings;
  std::ostringstream out;
  codeplug::DataProcess(image, settings).writeSRecordImage(out);
  std::string text = out.str();
  // The writer sizes the records by the model; cut to `size` bytes.
  const std::size_t records = size / 16;
  std::string cut;
  std::istringstream lines(text);
  std::string line;
  std::size_t data = 0;
  while (std::getline(lines, line)) {
    if (line.rfind("S1", 0) == 0 && data++ >= records) continue;
    cut += line + "\n";
  }
  return cut;
}

struct BadFile {
  const char* name;
  std::function<std::string(const fs::path&)> make;
  const char* reason;
};

// info, show and check refuse each with -30 and its reason.
TEST(CliFileVerdict, EveryCommandRefusesWhatIsNoCodeplug) {
  const BadFile cases[] = {
      {"FIFO",
       [](const fs::path& f) {
         EXPECT_EQ(::mkfifo((f / "fifo.cp").c_str(), 0600), 0);
         return (f / "fifo.cp").string();
       },
       "not a regular file"},
      {"/dev/zero", [](const fs::path&) { return std::string("/dev/zero"); }, "not a regular file"},
      {"600 MB file",
       [](const fs::path& f) {
         std::ofstream(f / "big.cp") << filledFile('p', 1024, 0);
         fs::resize_file(f / "big.cp", 600'000'000);
         return (f / "big.cp").string();
       },
       "larger than 1 MiB"},
      {"all 0xFF, 2 KB",  // more than the old-format window holds
       [](const fs::path& f) {
         std::ofstream(f / "ff.cp") << filledFile(0xFF, 2048, 0xFF);
         return (f / "ff.cp").string();
       },
       nullptr},
      {"all 0xFF, 768 bytes",
       [](const fs::path& f) {
         std::ofstream(f / "ff.cp") << filledFile(0xFF, 768, 0xFF);
         return (f / "ff.cp").string();
       },
       "model code 0xFF, which is no pager model"},
      {"unknown model, odd size",
       [](const fs::path& f) {
         std::ofstream(f / "x.cp") << filledFile(0x44, 512, 0);
         return (f / "x.cp").string();
       },
       "model code 0x44, which is no pager model"},
  };
  for (const BadFile& c : cases) {
    SCOPED_TRACE(c.name);
    TempFolder t;
    const std::string file = c.make(t.path());
    for (const char* command : {"info", "show", "check"}) {
      const CliResult r = runArgs({command, file});
      EXPECT_EQ(r.status, kExitFailed) << command;
      EXPECT_NE(r.err.find("error -30: ERROR: Invalid archive file."), std::string::npos)
          << command << ": " << r.err;
      if (c.reason != nullptr) {
        EXPECT_NE(r.err.find("Invalid archive file. The file is "), std::string::npos) << r.err;
        EXPECT_NE(r.err.find(c.reason), std::string::npos) << command << ": " << r.err;
      }
    }
    const CliResult info = runArgs({"info", file});
    EXPECT_NE(info.out.find("  valid:             no\n  reason:            error -30: "),
              std::string::npos)
        << info.out;
    if (c.reason != nullptr) {
      EXPECT_NE(info.out.find(c.reason), std::string::npos) << info.out;
    }
  }
}

// The serial number is ten characters as stored, blanks included.
TEST(CliFileVerdict, ShowPrintsTheSerialNumberAsStored) {
  TempFolder t;
  codeplug::CodeplugImage image;
  image.setModel('p');
  codeplug::SettingsRecord s;
  s.frequency = "158.0125";
  s.freqBand = 2;
  s.code[0] = "1234567";
  s.serialNumber = "SN42";
  codeplug::BuildContext context;
  context.pagerUnprogrammed = true;
  ASSERT_EQ(codeplug::buildImage(image, s, context), errors::code::Ok);
  ASSERT_EQ(image.current().text(0x5D, 10), "SN42      ");
  {
    std::ofstream out(t / "sn.cp", std::ios::binary);
    codeplug::DataProcess(image, s).writeSRecordImage(out);
  }
  const CliResult r = runArgs({"show", (t / "sn.cp").string()});
  ASSERT_EQ(r.status, kExitOk) << r.err;
  EXPECT_NE(r.out.find("ed_serialNumber = \"SN42      \"\n"), std::string::npos);
}

// What stands at the output path decides; the message says why it failed.
TEST(CliFileVerdict, SaveTargetsThatCannotBeWrittenSayWhy) {
  struct Case {
    const char* name;
    std::function<fs::path(const fs::path&)> make;
    const char* reason;
    std::function<bool(const fs::path&)> unchanged;
  };
  const Case cases[] = {
      {"missing folder", [](const fs::path& f) { return f / "missing" / "n.cp"; },
       "No such file or directory", [](const fs::path& p) { return !fs::exists(p.parent_path()); }},
      {"folder",
       [](const fs::path& f) {
         fs::create_directory(f / "dir.cp");
         return f / "dir.cp";
       },
       "Is a directory", [](const fs::path& p) { return fs::is_directory(p); }},
      {"FIFO",
       [](const fs::path& f) {
         EXPECT_EQ(::mkfifo((f / "fifo.cp").c_str(), 0600), 0);
         return f / "fifo.cp";
       },
       "not a regular file", [](const fs::path& p) { return fs::is_fifo(p); }},
      {"character device", [](const fs::path&) { return fs::path("/dev/null"); },
       "not a regular file", [](const fs::path& p) { return fs::is_character_file(p); }},
      {"dangling link",
       [](const fs::path& f) {
         fs::create_symlink(f / "nowhere", f / "link.cp");
         return f / "link.cp";
       },
       "a symbolic link to nothing",
       [](const fs::path& p) { return fs::is_symlink(p) && !fs::exists(p); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TempFolder t;
    const fs::path target = c.make(t.path());
    const CliResult r = runArgs({"new", "--model", "p", "-o", target.string()});
    EXPECT_EQ(r.status, kExitFailed);
    EXPECT_EQ(r.err.rfind(target.string() + ": cannot write the file: " + c.reason, 0), 0U)
        << r.err;
    EXPECT_TRUE(c.unchanged(target));
  }
}

class QuietReporter final : public errors::Reporter {
 protected:
  void showMessage(const errors::Message&) override {}
  bool askQuestion(std::optional<errors::ResultCode>, const errors::Question&) override {
    return false;
  }
};

// A file made by new is what its pages keep: opening it and running every
// page's refresh and the check chain changes no setting, on every model.
TEST(CliFileVerdict, ANewCodeplugIsAFixedPointOfThePageRules) {
  for (const models::ModelInfo& info : models::kModels) {
    const models::ModelCode model = info.code;
    if (info.family == models::Family::OldFormat && model != '!') continue;
    SCOPED_TRACE(static_cast<int>(model));
    TempFolder t;
    const std::string file = (t / "new.cp").string();
    ASSERT_EQ(runArgs({"new", "--model", modelHex(model), "-o", file}).status, kExitOk);
    OpenedCodeplug opened = loadCodeplugFile(file, codeplug::standardCodec());
    ASSERT_TRUE(opened.codeplug) << opened.failure;
    codeplug::SettingsRecord& settings = opened.codeplug->settings;
    const codeplug::SettingsRecord before = settings;

    QuietReporter quiet;
    pages::PageContext context = pages::pageContextOf(*opened.codeplug->image, settings, quiet);
    pages::EditingPageModules modules;
    pages::FieldDispatcher dispatcher(modules.registry());
    for (int page = 0; page < static_cast<int>(pages::Page::Main); ++page)
      dispatcher.enterPage(static_cast<pages::Page>(page), context);
    EXPECT_EQ(dispatcher.runPageCheckChain(pages::Page::General, std::nullopt, context),
              errors::code::Ok);
    for (const codeplug::FieldDescriptor& field : codeplug::settingsFields()) {
      EXPECT_EQ(codeplug::settingsFieldText(settings, field),
                codeplug::settingsFieldText(before, field))
          << field.name;
    }
  }
}

}  // namespace
}  // namespace zelta::cli
