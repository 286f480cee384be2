#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>

#include "cli/cli_app.h"
#include "cli/cli_run.h"
#include "cli/codeplug_files.h"
#include "codeplug/builders.h"
#include "codeplug/data_process.h"
#include "codeplug/decoders.h"
#include "core/codeplug/codec_fixture.h"
#include "pages/page_context_of.h"
#include "pages/page_rules.h"
#include "support/temp_folder.h"

namespace zelta::cli {
namespace {

namespace fs = std::filesystem;
using testing::CliResult;
using testing::runArgs;
using zelta::testing::TempFolder;

class QuietReporter final : public errors::Reporter {
 protected:
  void showMessage(const errors::Message&) override {}
  bool askQuestion(std::optional<errors::ResultCode>, const errors::Question&) override {
    return false;
  }
};

class CliCodeplug : public ::testing::Test {
 protected:
  std::string path(const std::string& name) const { return (folder_ / name).string(); }

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
    const models::ModelCode model = codeplug::DataProcess(image, s).parseSRecordImage(in);
    EXPECT_NE(model, 0) << file;
    image.setModel(model);
    EXPECT_EQ(codeplug::decodeImage(codeplug::DecodeCommand::OpenFile, image, s, {}),
              errors::code::Ok);
    return s;
  }

  struct Refused {
    const char* assignment;
    const char* message;  // found on standard error
  };
  // Each assignment (after a valid one) ends edit with status 2 and its
  // message, writing nothing.
  void expectRefused(const std::string& in, std::initializer_list<Refused> cases) {
    for (const Refused& c : cases) {
      const CliResult r = runArgs(
          {"edit", in, "--set", "cb_vibrator=1", "--set", c.assignment, "-o", path("out.cp")});
      EXPECT_EQ(r.status, kExitUsage) << c.assignment;
      EXPECT_NE(r.err.find(c.message), std::string::npos) << c.assignment << ": " << r.err;
      EXPECT_FALSE(fs::exists(path("out.cp"))) << c.assignment;
    }
  }

  std::size_t filesInFolder() const {
    return static_cast<std::size_t>(
        std::distance(fs::directory_iterator(folder_.path()), fs::directory_iterator()));
  }

  TempFolder folder_;
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
  // One line per setting, after the three header lines, and the melody last.
  EXPECT_EQ(static_cast<std::size_t>(std::count(r.out.begin(), r.out.end(), '\n')),
            codeplug::settingsFields().size() + 4);
  EXPECT_TRUE(
      r.out.ends_with("\nmelody = \"E9 E9 E9 E9 E9 E9 E9 E9 E9 E9 E9 E9 E9 E9 E9 E9\" "
                      "(1300 Hz x16)\n"))
      << r.out;
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
  EXPECT_EQ(invalid.err, path("bad.cp") +
                             ": error -30: ERROR: Invalid archive file. The file is no codeplug "
                             "file: it holds no S1 data record.\n");

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
  expectRefused(
      writeCodeplug("in.cp"),
      {
          {"cb_bogus=1", "unknown setting \"cb_bogus\""},
          {"cb_codingFormat=3", "cb_codingFormat: 3 is out of range (0-2: 0 \"POCSAG 512\""},
          {"cb_codingFormat=-1", "out of range"},
          {"cb_codingFormat=POCSAG 9600", "is no item of the list"},
          {"ed_ICN=12345678901", "longer than 10 characters"},
          // The code page stores a capcode as typed; its check refuses it.
          {"ed_code02=2097152", "ERROR: Invalid POCSAG code."},
          {"ed_code02=7", "ERROR: Invalid POCSAG code."},
          // What a key filter would swallow is refused, not dropped.
          {"ed_code02=12a",
           "ed_code02: \"a\" cannot be typed into this field (it takes the digits 0-9)"},
          {"ed_priority01=Y5NN", "\"5\" cannot be typed"},
          {"ed_function01=TGNX", "\"G\" cannot be typed"},
          {"ed_function01=TNAXT", "longer than 4 characters"},
          {"ed_frequency=158,0125", "ed_frequency: \"158,0125\" needs \".\" at position 4"},
          {"ed_ICN=A\tB", "\"\\x09\" cannot be typed"},
          {"ed_powerUpPrompt=ABCDEFGHIJKLMNOPQRSTU", "longer than 20 characters"},
          {"memorySplit=x", "is not a number"},
          {"cb_vibrator", "is not NAME=VALUE"},
          // Fields the page does not offer for the model or the settings.
          {"cb_onOffDuty=1", "cb_onOffDuty is not offered on model 0x70"},
          {"cb_freqBand=1", "cb_freqBand is not offered on model 0x70: the page shows it for"},
          {"ed_function02=TTTT", "ed_function02 is disabled on model 0x70 by the settings"},
          {"ed_cpwFc_Password=0123", "ed_cpwFc_Password is not offered on model 0x70"},
          {"ed_persMemSizeString=64", "is shown only"},
      });
}

TEST_F(CliCodeplug, EditFailsWithoutWritingWhenTheFrequencyCannotBeUsed) {
  const std::string in = writeCodeplug("in.cp");
  std::ofstream(path("out.cp")) << "old contents";
  const CliResult offGrid =
      runArgs({"edit", in, "--set", "ed_frequency=158.0130", "-o", path("out.cp")});
  EXPECT_EQ(offGrid.status, kExitFailed);
  EXPECT_NE(offGrid.err.find("error -36"), std::string::npos) << offGrid.err;
  // The General page check refuses a frequency outside the band.
  const CliResult outOfBand =
      runArgs({"edit", in, "--set", "ed_frequency=450.0000", "-o", path("out.cp")});
  EXPECT_EQ(outOfBand.status, kExitUsage);
  EXPECT_NE(outOfBand.err.find("Valid range is 153.0000 to 162.9875 MHz"), std::string::npos)
      << outOfBand.err;
  EXPECT_NE(outOfBand.err.find("the page checks refuse the settings (result -104)"),
            std::string::npos)
      << outOfBand.err;
  EXPECT_EQ(contents(path("out.cp")), "old contents");
  EXPECT_EQ(filesInFolder(), 2U);
}

// Fields go through their page as typed: the code page normalises the
// capcode, typed letters become upper case, a row is offered once its code
// is set, a list takes its item text in any case.
TEST_F(CliCodeplug, EditStoresThroughThePages) {
  const std::string in = writeCodeplug("in.cp");
  const CliResult r = runArgs({"edit", in, "--set", "ed_code02=8", "--set", "ed_function02=tnax",
                               "--set", "ed_priority02=ynyn", "--set", "cb_codeType02=group",
                               "--set", "ed_powerUpPrompt=on air", "-o", path("out.cp")});
  ASSERT_EQ(r.status, kExitOk) << r.err;
  const CliResult shown = runArgs({"show", path("out.cp")});
  ASSERT_EQ(shown.status, kExitOk) << shown.err;
  for (const char* line :
       {"ed_code02 = \"0000008\"\n", "ed_function02 = \"TNAX\"\n", "ed_priority02 = \"YNYN\"\n",
        "cb_codeType02 = 1 (Group)\n", "ed_powerUpPrompt = \"ON AIR\"\n"}) {
    EXPECT_NE(shown.out.find(line), std::string::npos) << line << shown.out;
  }
}

// A module that refuses a value says why; nothing is written.
TEST_F(CliCodeplug, EditShowsThePagesRefusal) {
  const std::string in = path("p.cp");
  ASSERT_EQ(runArgs({"new", "--model", "p", "-o", in}).status, kExitOk);
  const CliResult r = runArgs({"edit", in, "--set", "cb_batteryGauge=Yes", "--set",
                               "cb_batteryGaugeHiLevel=0", "-o", path("out.cp")});
  EXPECT_EQ(r.status, kExitUsage);
  EXPECT_NE(r.err.find("Invalid Battery Gauge Level."), std::string::npos) << r.err;
  EXPECT_NE(r.err.find("edit: cb_batteryGaugeHiLevel: \"0\" is refused by the More Features page "
                       "(result -72); nothing written"),
            std::string::npos)
      << r.err;
  EXPECT_FALSE(fs::exists(path("out.cp")));
}

// The page checks before saving may change a choice: a deaf pager vibrates.
TEST_F(CliCodeplug, EditNotesAChoiceThePageRulesChange) {
  const std::string in = writeCodeplug("in.cp");
  const CliResult r = runArgs(
      {"edit", in, "--set", "cb_deafPager=Deaf", "--set", "cb_vibrator=No", "-o", path("out.cp")});
  ASSERT_EQ(r.status, kExitOk) << r.err;
  EXPECT_NE(r.err.find("edit: note: cb_vibrator was set to \"No\"; the page rules keep \"Yes\""),
            std::string::npos)
      << r.err;
  EXPECT_EQ(decoded(path("out.cp")).vibrator, 1);
}

// The family F user password is set as its keypad sets it.
TEST_F(CliCodeplug, EditSetsTheUserPasswordAsTheKeypadDoes) {
  const std::string in = path("f.cp");
  ASSERT_EQ(runArgs({"new", "--model", "0x98", "-o", in}).status, kExitOk);
  const CliResult r =
      runArgs({"edit", in, "--set", "ed_cpwFc_Password=0123", "-o", path("good.cp")});
  ASSERT_EQ(r.status, kExitOk) << r.err;
  const codeplug::SettingsRecord s = decoded(path("good.cp"));
  EXPECT_EQ(s.cpwFc_Password, "0123");
  EXPECT_EQ(s.userPasswordKeyCount, 4);

  expectRefused(in,
                {
                    {"ed_cpwFc_Password=0", "You have entered an illegal value. (2 - 8 Digit.)"},
                    {"ed_cpwFc_Password=0124",
                     "\"4\" cannot be typed into this field (it takes the digits 0-3)"},
                    {"ed_cpwFc_Password=012301230", "longer than 8 characters"},
                });
}

TEST_F(CliCodeplug, EditReplacesAnExistingOutput) {
  const std::string in = writeCodeplug("in.cp");
  std::ofstream(path("out.cp")) << "old contents";
  ASSERT_EQ(runArgs({"edit", in, "--set", "cb_codeType01=Group", "-o", path("out.cp")}).status,
            kExitOk);
  EXPECT_EQ(decoded(path("out.cp")).codeType[0], 1);
}

// A new codeplug holds the model's defaults as its pages keep them (the
// page rules applied), as building them gives them.
TEST_F(CliCodeplug, NewWritesTheDefaultsOfEveryModel) {
  for (const models::ModelInfo& info : models::kModels) {
    const models::ModelCode model = info.code;
    if (info.family == models::Family::OldFormat && model != '!') continue;
    char code[8];
    std::snprintf(code, sizeof code, "0x%02X", model);
    const std::string file = path(std::string("new-") + code + ".cp");
    const CliResult r = runArgs({"new", "--model", model == 'p' ? "p" : code, "-o", file});
    ASSERT_EQ(r.status, kExitOk) << code << ": " << r.err;

    codeplug::CodeplugImage image;
    image.setModel(model);
    image.header().memorySize = 32;
    codeplug::SettingsRecord expected = codeplug::testing::startingSettings(image);
    if (models::modelIn(model, models::ModelGroup::dualOrF)) expected.frequency2 = "158.0125";
    QuietReporter quiet;
    pages::PageContext pageContext = pages::pageContextOf(image, expected, quiet);
    pages::applyPageRules(pageContext);
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
