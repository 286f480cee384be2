#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>

#include "cli/cli_app.h"
#include "cli/cli_run.h"
#include "codeplug/builders.h"
#include "codeplug/data_process.h"
#include "codeplug/decoders.h"
#include "core/codeplug/codec_fixture.h"

namespace zelta::cli {
namespace {

namespace fs = std::filesystem;
using testing::CliResult;
using testing::runArgs;

class CliCodeplug : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           ("zelta-cli-codeplug-" + std::to_string(::getpid()) + "-" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(dir_);
  }
  void TearDown() override {
    std::error_code ec;
    fs::remove_all(dir_, ec);
  }

  std::string path(const std::string& name) const { return (dir_ / name).string(); }

  // A model 'p' codeplug on 158.0125 MHz with code 1 = 1234567.
  std::string writeCodeplug(const std::string& name, std::uint16_t version = 0x1834) {
    codeplug::CodeplugImage image;
    image.setModel('p');
    codeplug::SettingsRecord s;
    s.frequency = "158.0125";
    s.freqBand = 2;
    s.code[0] = "1234567";
    s.textContrast = "009";
    s.iconContrast = "3";
    s.endMsgChar = "04";
    codeplug::BuildContext context;
    context.pagerUnprogrammed = true;
    EXPECT_EQ(codeplug::buildImage(image, s, context), errors::code::Ok);
    image.current().setWord16(0x96, version);
    std::ofstream out(path(name), std::ios::binary);
    codeplug::DataProcess(image, s).writeSRecordImage(out);
    return path(name);
  }

  static std::string contents(const std::string& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
  }

  // The settings a file decodes to.
  static codeplug::SettingsRecord decoded(const std::string& file) {
    codeplug::CodeplugImage image;
    codeplug::SettingsRecord s;
    std::ifstream in(file, std::ios::binary);
    const codeplug::ModelCode model = codeplug::DataProcess(image, s).parseSRecordImage(in);
    EXPECT_NE(model, 0) << file;
    image.setModel(model);
    EXPECT_EQ(codeplug::decodeImage(codeplug::DecodeCommand::OpenFile, image, s, {}),
              errors::code::Ok);
    return s;
  }

  std::size_t filesInFolder() const {
    return static_cast<std::size_t>(
        std::distance(fs::directory_iterator(dir_), fs::directory_iterator()));
  }

  fs::path dir_;
};

TEST_F(CliCodeplug, ShowPrintsEverySettingWithListTexts) {
  const std::string file = writeCodeplug("p.cp");
  const CliResult r = runArgs({"show", file});
  ASSERT_EQ(r.status, kExitOk) << r.err;
  for (const char* line :
       {"model 0x70 'p', family B\n", "Codeplug Version : R08.03.04\n",
        "ed_frequency = \"158.0125\"\n", "cb_codingFormat = 0 (POCSAG 512)\n",
        "cb_freqBand = 2 (VHF B (Low))\n", "ed_code01 = \"1234567\"\n", "ed_code02 = \"       \"\n",
        "memorySplit = 10\n", "cb_noSequentialInc = 1 (1)\n"}) {
    EXPECT_NE(r.out.find(line), std::string::npos) << line;
  }
  // One line per setting, after the three header lines.
  EXPECT_EQ(static_cast<std::size_t>(std::count(r.out.begin(), r.out.end(), '\n')),
            codeplug::settingsFields().size() + 3);
}

TEST_F(CliCodeplug, ShowJsonHoldsTheValues) {
  const CliResult r = runArgs({"show", "--json", writeCodeplug("p.cp")});
  ASSERT_EQ(r.status, kExitOk) << r.err;
  const auto j = nlohmann::json::parse(r.out);
  EXPECT_EQ(j["model"], 0x70);
  EXPECT_EQ(j["family"], "B");
  EXPECT_EQ(j["settings"]["ed_code01"], "1234567");
  EXPECT_EQ(j["settings"]["cb_freqBand"], 2);
  EXPECT_EQ(j["settings"].size(), codeplug::settingsFields().size());
}

TEST_F(CliCodeplug, ShowFailures) {
  std::ofstream(path("bad.cp")) << "hello\n";
  const CliResult invalid = runArgs({"show", path("bad.cp")});
  EXPECT_EQ(invalid.status, kExitFailed);
  EXPECT_EQ(invalid.err, path("bad.cp") + ": error -30: ERROR: Invalid archive file.\n");

  const std::string newer = writeCodeplug("newer.cp", 0x1835);
  const CliResult r = runArgs({"show", newer});
  EXPECT_EQ(r.status, kExitFailed);
  EXPECT_NE(r.err.find("error -107"), std::string::npos) << r.err;
  EXPECT_NE(r.err.find("Codeplug Version : R08.03.05"), std::string::npos) << r.err;

  EXPECT_EQ(runArgs({"show", path("missing.cp")}).status, kExitFailed);
}

TEST_F(CliCodeplug, EditSetsByIndexByItemTextAndCode) {
  const std::string in = writeCodeplug("in.cp");
  const std::string before = contents(in);
  const CliResult r = runArgs({"edit", in, "--set", "cb_codingFormat=pocsag 2400", "--set",
                               "cb_vibrator=0", "--set", "ed_code02=1654321", "--set",
                               "ed_code01=", "--set", "ed_ICN=SITE 7", "-o", path("out.cp")});
  ASSERT_EQ(r.status, kExitOk) << r.err;
  EXPECT_EQ(contents(in), before);
  const codeplug::SettingsRecord s = decoded(path("out.cp"));
  EXPECT_EQ(s.codingFormat, 2);
  EXPECT_EQ(s.vibrator, 0);
  EXPECT_EQ(s.code[0], "       ");
  EXPECT_EQ(s.code[1], "1654321");
  EXPECT_EQ(s.ICN, "SITE 7");
  EXPECT_EQ(s.frequency, "158.0125");
  EXPECT_EQ(filesInFolder(), 2U);  // no temporary file left behind
}

TEST_F(CliCodeplug, EditRefusesBadSettingsAndWritesNothing) {
  const std::string in = writeCodeplug("in.cp");
  struct Case {
    const char* assignment;
    const char* message;
  };
  const Case cases[] = {
      {"cb_bogus=1", "unknown setting \"cb_bogus\""},
      {"cb_codingFormat=3", "cb_codingFormat: 3 is out of range (0-2: 0 \"POCSAG 512\""},
      {"cb_codingFormat=-1", "out of range"},
      {"cb_codingFormat=POCSAG 9600", "is no item of the list"},
      {"ed_ICN=12345678901", "longer than 10 characters"},
      {"ed_code02=2097152", "is no pager code"},
      {"ed_code02=12a", "is no pager code"},
      {"ed_powerUpPrompt=ABCDEFGHIJKLMNOPQRSTU", "longer than 20 characters"},
      {"memorySplit=x", "is not a number"},
      {"cb_vibrator", "is not NAME=VALUE"},
  };
  for (const Case& c : cases) {
    const CliResult r = runArgs(
        {"edit", in, "--set", "cb_vibrator=1", "--set", c.assignment, "-o", path("out.cp")});
    EXPECT_EQ(r.status, kExitUsage) << c.assignment;
    EXPECT_NE(r.err.find(c.message), std::string::npos) << c.assignment << ": " << r.err;
    EXPECT_FALSE(fs::exists(path("out.cp"))) << c.assignment;
  }
}

TEST_F(CliCodeplug, EditFailsWithoutWritingWhenTheFrequencyCannotBeUsed) {
  const std::string in = writeCodeplug("in.cp");
  std::ofstream(path("out.cp")) << "old contents";
  const CliResult offGrid =
      runArgs({"edit", in, "--set", "ed_frequency=158.0130", "-o", path("out.cp")});
  EXPECT_EQ(offGrid.status, kExitFailed);
  EXPECT_NE(offGrid.err.find("error -36"), std::string::npos) << offGrid.err;
  const CliResult outOfBand =
      runArgs({"edit", in, "--set", "ed_frequency=450.0000", "-o", path("out.cp")});
  EXPECT_EQ(outOfBand.status, kExitFailed);
  EXPECT_EQ(contents(path("out.cp")), "old contents");
  EXPECT_EQ(filesInFolder(), 2U);
}

TEST_F(CliCodeplug, EditReplacesAnExistingOutput) {
  const std::string in = writeCodeplug("in.cp");
  std::ofstream(path("out.cp")) << "old contents";
  ASSERT_EQ(runArgs({"edit", in, "--set", "cb_codeType01=Group", "-o", path("out.cp")}).status,
            kExitOk);
  EXPECT_EQ(decoded(path("out.cp")).codeType[0], 1);
}

// A new codeplug holds the model's defaults, as building them gives them.
TEST_F(CliCodeplug, NewWritesTheDefaultsOfEveryModel) {
  for (codeplug::ModelCode model : {'!', '0', '1', '2', '6', ':', 'p', 't', 'x', 'q', 'u'}) {
    char code[8];
    std::snprintf(code, sizeof code, "0x%02X", model);
    const std::string file = path(std::string("new-") + code + ".cp");
    const CliResult r = runArgs({"new", "--model", model == 'p' ? "p" : code, "-o", file});
    ASSERT_EQ(r.status, kExitOk) << code << ": " << r.err;

    codeplug::CodeplugImage image;
    image.setModel(model);
    image.header().memorySize = 32;
    codeplug::SettingsRecord expected = codeplug::testing::startingSettings(image);
    codeplug::BuildContext context;
    context.pagerUnprogrammed = true;
    ASSERT_EQ(codeplug::buildImage(image, expected, context), errors::code::Ok);
    codeplug::testing::expectSameSettings(expected, decoded(file), code);
    EXPECT_EQ(runArgs({"check", file}).status, kExitOk) << code;
  }
}

TEST_F(CliCodeplug, NewRefusesCodesWithoutANewCodeplug) {
  for (const char* model : {"zz", "0x1FF", "0x40", " ", "#", "0x22"}) {
    const CliResult r = runArgs({"new", "--model", model, "-o", path("n.cp")});
    EXPECT_EQ(r.status, kExitUsage) << model;
    EXPECT_FALSE(r.err.empty()) << model;
    EXPECT_FALSE(fs::exists(path("n.cp"))) << model;
  }
}

}  // namespace
}  // namespace zelta::cli
