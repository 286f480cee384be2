// Cross-checks the S-record reader and writer against the srecord tools
// (srec_info, srec_cat), an implementation of the format of their own.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "codeplug/data_process.h"
#include "srecord_fixture.h"
#include "temp_folder.h"

namespace zelta::codeplug {
namespace {

namespace fs = std::filesystem;
using zelta::testing::readFile;
using zelta::testing::TempFolder;
using zelta::testing::writeFile;

struct ToolRun {
  int status;
  std::string output;
};

ToolRun run(const std::string& command) {
  ToolRun r{-1, {}};
  FILE* pipe = ::popen((command + " 2>&1").c_str(), "r");
  if (pipe == nullptr) return r;
  char buf[256];
  while (std::fgets(buf, sizeof buf, pipe) != nullptr) r.output += buf;
  const int raw = ::pclose(pipe);
  r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  return r;
}

bool toolsPresent() {
  return run("command -v srec_cat && command -v srec_info").status == 0;
}

class SRecordOracle : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!toolsPresent()) GTEST_SKIP() << "srecord tools (srec_cat, srec_info) not installed";
  }

  std::string path(const std::string& name) const { return (folder_ / name).string(); }

  TempFolder folder_;
};

std::string writtenFile(models::ModelCode model, const std::vector<std::uint8_t>& bytes) {
  CodeplugImage image;
  std::copy(bytes.begin(), bytes.end(), image.buffer().begin());
  image.setModel(model);
  image.header() = {1, 32, true, model};
  SettingsRecord settings;
  std::ostringstream out;
  DataProcess(image, settings).writeSRecordImage(out);
  return out.str();
}

TEST_F(SRecordOracle, OurFilesPassSrecInfoAndConvertToOurBytes) {
  for (const models::ModelCode model : {models::ModelCode{'1'}, models::ModelCode{'x'},
                                        models::ModelCode{'u'}, models::ModelCode{0x93}}) {
    const auto bytes =
        testing::patternImage(static_cast<std::size_t>(fileImageBytes(model)), model, model);
    const std::string cp = path("ours.cp");
    const std::string bin = path("ours.bin");
    writeFile(cp, writtenFile(model, bytes));

    const ToolRun info = run("srec_info '" + cp + "'");
    EXPECT_EQ(info.status, 0) << info.output;
    EXPECT_EQ(info.output.find("checksum"), std::string::npos) << info.output;

    const ToolRun cat = run("srec_cat '" + cp + "' -motorola -o '" + bin + "' -binary");
    ASSERT_EQ(cat.status, 0) << cat.output;
    const std::string converted = readFile(bin);
    EXPECT_EQ(converted, std::string(bytes.begin(), bytes.end())) << "model " << int(model);
  }
}

TEST_F(SRecordOracle, FilesMadeBySrecCatLoadIntoTheSameImage) {
  const auto bytes = testing::patternImage(1024, 't');
  const std::string bin = path("image.bin");
  writeFile(bin, std::string(bytes.begin(), bytes.end()));
  for (const char* offset : {"", " -offset 0x8000"}) {
    const std::string made = path("made.srec");
    const ToolRun cat =
        run("srec_cat '" + bin + "' -binary" + offset + " -o '" + made +
            "' -motorola -address-length=2 -output-block-size=16 -execution-start-address=0"
            " -disable=header -disable=data-count");
    ASSERT_EQ(cat.status, 0) << cat.output;
    const std::string text = testing::headerRecord(0, 8, 't') + "\r\n" + readFile(made);

    CodeplugImage image;
    SettingsRecord settings;
    std::istringstream in(text);
    ASSERT_EQ(DataProcess(image, settings).parseSRecordImage(in), 't') << offset;
    EXPECT_TRUE(std::equal(bytes.begin(), bytes.end(), image.buffer().begin())) << offset;
    EXPECT_EQ(image.header().memorySize, 8);
  }
}

// Damaged records: srec_info and our reader must agree that they are bad.
TEST_F(SRecordOracle, CorruptionsAreRefusedByBoth) {
  const auto bytes = testing::patternImage(1024, '2');
  const std::string good = writtenFile('2', bytes);
  const std::size_t record = good.find("S1130120");
  ASSERT_NE(record, std::string::npos);
  struct Case {
    const char* name;
    std::size_t at;
  };
  for (const Case c : {Case{"data digit", record + 12}, Case{"address digit", record + 7},
                       Case{"checksum digit", record + 41}}) {
    std::string bad = good;
    bad[c.at] = bad[c.at] == '0' ? '8' : '0';
    const std::string cp = path("bad.cp");
    writeFile(cp, bad);
    EXPECT_NE(run("srec_info '" + cp + "'").status, 0) << c.name;

    CodeplugImage image;
    SettingsRecord settings;
    std::istringstream in(bad);
    EXPECT_EQ(DataProcess(image, settings).parseSRecordImage(in), 0) << c.name;
  }
}

}  // namespace
}  // namespace zelta::codeplug
