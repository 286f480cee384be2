#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <CLI/CLI.hpp>
#include <fstream>
#include <sstream>

#include "cli/cli_app.h"
#include "cli_run.h"
#include "codeplug/codeplug_image.h"
#include "codeplug/data_process.h"
#include "codeplug/settings_record.h"

namespace zelta::cli {
namespace {

using ::testing::HasSubstr;

// A family A codeplug file as the save command writes it.
std::string writeCodeplugFile(const std::string& name) {
  codeplug::CodeplugImage image;
  codeplug::SettingsRecord settings;
  image.setModel('1');
  image.current().setByte(1, '1');
  const std::string path = ::testing::TempDir() + name;
  std::ofstream file(path, std::ios::binary);
  codeplug::DataProcess(image, settings).writeSRecordImage(file);
  return path;
}

using CheckRun = testing::CliResult;

// Stands in for the decoder: a codeplug with two codes on 158.0125 MHz.
DecodeImage decoderGiving(std::string code2, std::string frequency = "158.0125") {
  return [=](codeplug::CodeplugImage&, codeplug::SettingsRecord& s) {
    s.frequency = frequency;
    s.freqBand = 2;
    s.code[0] = "1234567";
    s.code[1] = code2;
    s.endMsgChar = "00";  // the Features page checks it too
    return errors::code::Ok;
  };
}

CheckRun check(const std::string& path, const DecodeImage& decode) {
  std::ostringstream out;
  std::ostringstream err;
  std::istringstream in;
  CliIo io{out, err, in};
  CliRun run(io);
  const int status = runCheck(path, decode, run);
  return {status, out.str(), err.str()};
}

TEST(CliCheck, ConsistentCodeplugPasses) {
  const CheckRun r = check(writeCodeplugFile("pass.cp"), decoderGiving("0000008"));
  EXPECT_EQ(r.status, kExitOk);
  EXPECT_THAT(r.out, HasSubstr("passes the page checks"));
  EXPECT_EQ(r.err, "");
}

TEST(CliCheck, EachFailingCheckIsReported) {
  const std::string path = writeCodeplugFile("fail.cp");
  const CheckRun duplicate = check(path, decoderGiving("1234567"));
  EXPECT_EQ(duplicate.status, kExitFailed);
  EXPECT_THAT(duplicate.err, HasSubstr("ERROR: Duplicate codes exist."));
  EXPECT_THAT(duplicate.out, HasSubstr("fails the page checks (-53)"));

  const CheckRun band = check(path, decoderGiving("0000008", "450.1250"));
  EXPECT_EQ(band.status, kExitFailed);
  EXPECT_THAT(band.out, HasSubstr("(-104)"));
  EXPECT_THAT(band.err, HasSubstr("153.0000"));
}

TEST(CliCheck, UnreadableFileOrImage) {
  const std::string junk = ::testing::TempDir() + "junk.cp";
  std::ofstream(junk) << "not a codeplug\n";
  const CheckRun invalid = check(junk, decoderGiving("0000008"));
  EXPECT_EQ(invalid.status, kExitFailed);
  EXPECT_THAT(invalid.err, HasSubstr("error -30: ERROR: Invalid archive file."));

  const CheckRun missing = check(::testing::TempDir() + "no-such.cp", decoderGiving("0000008"));
  EXPECT_EQ(missing.status, kExitFailed);
  EXPECT_THAT(missing.err, HasSubstr("cannot open"));

  const CheckRun undecodable = check(
      writeCodeplugFile("newer.cp"),
      [](codeplug::CodeplugImage&, codeplug::SettingsRecord&) { return errors::code::NewerFile; });
  EXPECT_EQ(undecodable.status, kExitFailed);
  EXPECT_THAT(undecodable.err, HasSubstr("error -107"));
}

// The subcommand as it will be registered once the decoder exists.
TEST(CliCheck, SubcommandRunsTheCheckOnItsFile) {
  std::ostringstream out;
  std::ostringstream err;
  std::istringstream in;
  CliIo io{out, err, in};
  CliRun run(io);
  CLI::App app;
  addCheckCommand(app, run, decoderGiving("0000008"));
  app.parse(std::vector<std::string>{writeCodeplugFile("sub.cp"), "check"});
  ASSERT_TRUE(run.action);
  EXPECT_EQ(run.action(), kExitOk);
  EXPECT_THAT(out.str(), HasSubstr("sub.cp passes"));
}

}  // namespace
}  // namespace zelta::cli
