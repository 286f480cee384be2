#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>

#include "cli/cli_app.h"
#include "cli/cli_run.h"
#include "codeplug/data_process.h"

namespace zelta::cli {
namespace {

namespace fs = std::filesystem;
using models::ModelCode;

using testing::CliResult;
using testing::runArgs;

class CliInfo : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           ("zelta-cli-info-" + std::to_string(::getpid()) + "-" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(dir_);
  }
  void TearDown() override {
    std::error_code ec;
    fs::remove_all(dir_, ec);
  }

  // A codeplug file written by our writer: model in byte 1, version 8.3.4.
  std::string writeCodeplug(const std::string& name, ModelCode model,
                            codeplug::CodeplugHeader header) {
    codeplug::CodeplugImage image;
    auto view = image.current();
    for (std::size_t i = 0; i < view.size(); ++i)
      view.setByte(i, static_cast<std::uint8_t>(i * 13));
    view.setByte(1, model);
    view.setWord16(0x96, 0x1834);
    image.setModel(model);
    image.header() = header;
    codeplug::SettingsRecord settings;
    const std::string p = (dir_ / name).string();
    std::ofstream out(p, std::ios::binary);
    codeplug::DataProcess(image, settings).writeSRecordImage(out);
    return p;
  }
  std::string writeText(const std::string& name, const std::string& text) {
    const std::string p = (dir_ / name).string();
    std::ofstream(p, std::ios::binary) << text;
    return p;
  }

  fs::path dir_;
};

TEST_F(CliInfo, DescribesFilesWeWrote) {
  const std::string p = writeCodeplug("p.cp", 'p', {1, 8, false, 'p'});
  const CliResult r = runArgs({"info", p});
  EXPECT_EQ(r.status, kExitOk) << r.err;
  EXPECT_EQ(r.out, p + "\n"
                       "  valid:             yes\n"
                       "  model:             0x70 'p'\n"
                       "  family:            B\n"
                       "  image bytes:       1024\n"
                       "  codes:             6\n"
                       "  cgromType:         1\n"
                       "  memorySize:        8\n"
                       "  largeMemory:       no\n"
                       "  header model byte: 0x70\n"
                       "  Codeplug Version : R08.03.04\n");
  EXPECT_EQ(r.err, "");
}

TEST_F(CliInfo, JsonForSeveralFilesAndFailureForAnInvalidOne) {
  const std::string d = writeCodeplug("d.cp", 0x93, {0, 32, true, 0x93});
  const std::string bad = writeText("bad.cp", "S0090000004C583420702D\nS1 not a record\n");
  const std::string binary = writeText("noise.cp", std::string("\x00\xFFS1\x13\x00\r\n", 9));
  const CliResult r = runArgs({"info", "--json", d, bad, binary, (dir_ / "missing.cp").string()});
  EXPECT_EQ(r.status, kExitFailed);
  const auto j = nlohmann::json::parse(r.out);
  ASSERT_EQ(j.size(), 4U);
  EXPECT_EQ(j[0]["valid"], true);
  EXPECT_EQ(j[0]["model"], 0x93);
  EXPECT_EQ(j[0]["modelHex"], "0x93");
  EXPECT_TRUE(j[0]["modelChar"].is_null());
  EXPECT_EQ(j[0]["family"], "E");
  EXPECT_EQ(j[0]["imageBytes"], 2048);
  EXPECT_EQ(j[0]["codes"], 16);
  EXPECT_EQ(j[0]["largeMemory"], true);
  EXPECT_EQ(j[0]["codeplugVersion"], "R08.03.04");
  for (std::size_t k = 1; k < 4; ++k) {
    EXPECT_EQ(j[k]["valid"], false) << k;
    EXPECT_EQ(j[k]["result"], -30) << k;
  }
  // The system's text, then what is wrong with the file.
  EXPECT_EQ(j[1]["error"].get<std::string>().rfind(
                "error -30: ERROR: Invalid archive file. The file is damaged: ", 0),
            0U)
      << j[1]["error"];
}

TEST_F(CliInfo, TextModeReportsMinusThirtyPerInvalidFile) {
  const std::string ok = writeCodeplug("ok.cp", '1', {0, 32, true, '1'});
  const std::string bad = writeText("bad.cp", "hello\n");
  const CliResult r = runArgs({"info", bad, ok});
  EXPECT_EQ(r.status, kExitFailed);
  EXPECT_EQ(r.err, bad +
                       ": error -30: ERROR: Invalid archive file. The file is no codeplug file: "
                       "it holds no S1 data record.\n");
  EXPECT_NE(r.out.find(bad + "\n  valid:             no\n"), std::string::npos);
  EXPECT_NE(r.out.find("  model:             0x31 '1'\n"), std::string::npos);
}

// A 768-byte image of model ' ' on 158.0125 MHz (in 100 Hz steps at 0x49),
// or on 0 Hz, which lies in no band.
std::string oldFormatText(bool inBand) {
  std::string text = "S0090000004C583408203C\r\n";
  const auto byteAt = [inBand](unsigned at) -> unsigned {
    if (at == 1) return 0x20;
    if (!inBand) return 0;
    return at == 0x49 ? 0x18 : at == 0x4A ? 0x1C : at == 0x4B ? 0x5D : 0;
  };
  for (unsigned at = 0; at < 768; at += 16) {
    unsigned sum = 0x13 + (at >> 8) + (at & 0xFF);
    char line[64];
    std::snprintf(line, sizeof line, "S113%04X", at);
    std::string s = line;
    for (unsigned k = 0; k < 16; ++k) {
      const unsigned b = byteAt(at + k);
      std::snprintf(line, sizeof line, "%02X", b);
      s += line;
      sum += b;
    }
    std::snprintf(line, sizeof line, "%02X\r\n", ~sum & 0xFF);
    text += s + line;
  }
  return text + "S9030000FC\r\n";
}

TEST_F(CliInfo, OldFormatFileShowsItsWindow) {
  // A 768-byte image of model ' ' goes to the old-format window.
  const std::string p = writeText("old.cp", oldFormatText(true));
  const auto j = nlohmann::json::parse(runArgs({"info", "--json", p}).out);
  EXPECT_EQ(j[0]["valid"], true);
  EXPECT_EQ(j[0]["model"], 0x20);
  EXPECT_EQ(j[0]["family"], "old format");
  EXPECT_EQ(j[0]["imageBytes"], 768);
  EXPECT_EQ(j[0]["memorySize"], 8);
}

// info's verdict is that of opening the file: an old-format file whose
// frequency lies in no band does not open, and info says why.
TEST_F(CliInfo, AFileThatDoesNotOpenIsInvalid) {
  const std::string p = writeText("noband.cp", oldFormatText(false));
  const CliResult info = runArgs({"info", p});
  EXPECT_EQ(info.status, kExitFailed);
  EXPECT_NE(info.out.find("  valid:             no\n  reason:            error -36: ERROR: "
                          "Frequency is not synthesizable.\n"),
            std::string::npos)
      << info.out;
  EXPECT_EQ(runArgs({"show", p}).status, kExitFailed);
}

TEST_F(CliInfo, FileMadeBySrecCat) {
  if (std::system("command -v srec_cat > /dev/null 2>&1") != 0)
    GTEST_SKIP() << "srec_cat not installed";
  std::string bytes(2048, '\0');
  for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<char>(i * 3);
  bytes[1] = 'q';
  bytes[0x96] = 0x18;
  bytes[0x97] = 0x25;
  const std::string bin = writeText("q.bin", bytes);
  const std::string made = (dir_ / "q.srec").string();
  ASSERT_EQ(
      std::system(("srec_cat '" + bin + "' -binary -offset 0x8000 -o '" + made +
                   "' -motorola -address-length=2 -output-block-size=16 -execution-start-address=0"
                   " -disable=header -disable=data-count")
                      .c_str()),
      0);
  std::ifstream in(made);
  std::stringstream body;
  body << in.rdbuf();
  const std::string p = writeText("q.cp", "S0090000004C583420710B\n" + body.str());
  const CliResult r = runArgs({"info", "--json", p});
  EXPECT_EQ(r.status, kExitOk) << r.out << r.err;
  const auto j = nlohmann::json::parse(r.out);
  EXPECT_EQ(j[0]["modelChar"], "q");
  EXPECT_EQ(j[0]["family"], "C");
  EXPECT_EQ(j[0]["codeplugVersion"], "R08.02.05");
}

TEST(CliInfoUsage, NeedsAFile) {
  EXPECT_EQ(runArgs({"info"}).status, kExitUsage);
}

}  // namespace
}  // namespace zelta::cli
