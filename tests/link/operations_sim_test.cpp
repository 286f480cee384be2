#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

#include "cli/cli_run.h"
#include "codeplug/data_process.h"
#include "real_operations.h"
#include "sim_process.h"
#include "temp_folder.h"

namespace zelta::testing {
namespace {

namespace fs = std::filesystem;
namespace rc = errors::code;
using models::ModelCode;
using Bytes = std::vector<std::uint8_t>;

class OperationsRoundTrip : public ::testing::TestWithParam<ModelCode> {};

// Read the pager, then program the codeplug back: what the simulator
// received is the image the builder made.
TEST_P(OperationsRoundTrip, ReadThenProgram) {
  const ModelCode model = GetParam();
  TempFolder dir;
  const Codeplug pager = defaultCodeplug(model);
  writeBytes(dir.path() / "pager.bin", bytesOf(pager, sizeOf(model)));
  const fs::path saved = dir.path() / "received.bin";
  SimProcess sim({"--no-advertise", "--model", hexModel(model), "--image",
                  (dir.path() / "pager.bin").string(), "--serial", "SIM0000042", "--save-image",
                  saved.string()});
  ASSERT_FALSE(sim.path().empty());

  RealOperations ops(sim.path());
  ASSERT_TRUE(ops.operations.RunPagerOperation(operations::OperationKind::Read).succeeded());
  EXPECT_EQ(ops.codeplug.image->modelCode(), model);
  EXPECT_EQ(ops.codeplug.settings.code[0], "1234567");

  ops.codeplug.settings.ICN = "ROUNDTRIP1";
  const errors::OperationOutcome programmed =
      ops.operations.RunPagerOperation(operations::OperationKind::Program);
  ASSERT_TRUE(programmed.succeeded())
      << (ops.reporter.shown.empty() ? "" : ops.reporter.shown.front().text);
  ASSERT_TRUE(programmed.pagerWritten);
  // The simulator saves after the write; the clock follows it, so the file is there.
  EXPECT_EQ(readBytes(saved), bytesOf(ops.codeplug, sizeOf(model)));
}

INSTANTIATE_TEST_SUITE_P(OneModelPerFamily, OperationsRoundTrip,
                         ::testing::Values(ModelCode{'1'}, ModelCode{'p'}, ModelCode{'q'},
                                           ModelCode{0x91}, ModelCode{0x97}, ModelCode{0x99}),
                         [](const auto& p) { return hexModel(p.param).substr(2); });

TEST(OperationsWithSimulator, SimulatorDyingMidTransferEndsWithAClearError) {
  TempFolder dir;
  const Codeplug pager = defaultCodeplug(0x91);
  writeBytes(dir.path() / "pager.bin", bytesOf(pager, 2048));
  SimProcess sim({"--no-advertise", "--model", "0x91", "--image",
                  (dir.path() / "pager.bin").string(), "--fault", "exit-mid-block"});
  ASSERT_FALSE(sim.path().empty());
  RealOperations ops(sim.path());
  ops.codeplug.settings.ICN = "STAYS";
  const errors::OperationOutcome read =
      ops.operations.RunPagerOperation(operations::OperationKind::Read);
  EXPECT_TRUE(read.failedWith(rc::NotResponding) || read.failedWith(rc::PortNotOpened))
      << read.code;
  EXPECT_EQ(ops.codeplug.settings.ICN, "STAYS");
  EXPECT_FALSE(ops.comm.IsOpen());
}

TEST(CliOperations, ReadWritesTheFileAndProgramSendsIt) {
  TempFolder dir;
  const Codeplug pager = defaultCodeplug('p');
  writeBytes(dir.path() / "pager.bin", bytesOf(pager, 1024));
  const fs::path saved = dir.path() / "received.bin";
  SimProcess sim({"--no-advertise", "--model", "p", "--image", (dir.path() / "pager.bin").string(),
                  "--serial", "P000000007", "--save-image", saved.string()});
  ASSERT_FALSE(sim.path().empty());
  const fs::path file = dir.path() / "read.cp";
  const cli::testing::CliResult read =
      cli::testing::runArgs({"read", "--port", sim.path(), "-o", file.string()});
  ASSERT_EQ(read.status, cli::kExitOk) << read.err;
  EXPECT_TRUE(fs::exists(file));

  const cli::testing::CliResult program =
      cli::testing::runArgs({"program", "--port", sim.path(), file.string(), "--no-backup"});
  EXPECT_EQ(program.status, cli::kExitOk) << program.err;
  EXPECT_NE(program.out.find("Programmed"), std::string::npos);
  const Bytes received = readBytes(saved);
  ASSERT_EQ(received.size(), 1024U);
  EXPECT_EQ(std::string(received.begin() + 0x5D, received.begin() + 0x67), "P000000007");
}

// A read's file is the pager's backup: a codeplug that fails the frequency
// checks (the simulator's own 0x98 image is off its band) is still saved
// exactly as read, and the findings follow as warnings.
TEST(CliOperations, ReadSavesTheImageAsReadAndWarnsOfFailedChecks) {
  TempFolder dir;
  SimProcess sim({"--no-advertise", "--model", "0x98", "--serial", "F000000001"});
  ASSERT_FALSE(sim.path().empty());
  Bytes asRead;
  {
    RealOperations ops(sim.path());
    ASSERT_TRUE(ops.operations.RunPagerOperation(operations::OperationKind::Read).succeeded());
    asRead = bytesOf(ops.codeplug, 2048);
  }

  const fs::path file = dir.path() / "backup.cp";
  const cli::testing::CliResult r =
      cli::testing::runArgs({"read", "--port", sim.path(), "-o", file.string()});
  EXPECT_EQ(r.status, cli::kExitOk) << r.err;
  EXPECT_EQ(r.err.rfind(file.string() + ": saved as read; saving or programming this codeplug "
                                        "stops at:\n",
                        0),
            0U)
      << r.err;
  EXPECT_NE(r.err.find("\n  error -104: WARNING: Valid range is "), std::string::npos) << r.err;

  auto image = std::make_unique<codeplug::CodeplugImage>();
  codeplug::SettingsRecord settings;
  std::ifstream in(file, std::ios::binary);
  ASSERT_EQ(codeplug::DataProcess(*image, settings).parseSRecordImage(in), 0x98);
  EXPECT_EQ(Bytes(image->buffer().begin(), image->buffer().begin() + 2048), asRead);
}

// The summary line names the file only once it holds the pager's codeplug,
// and a pager without a serial number leaves no gap for it.
TEST(CliOperations, ReadNamesTheFileOnlyWhenItWasSaved) {
  TempFolder dir;
  SimProcess sim({"--no-advertise", "--model", "0x98"});
  ASSERT_FALSE(sim.path().empty());
  const fs::path unwritable = dir.path() / "missing" / "x.cp";
  const cli::testing::CliResult failed =
      cli::testing::runArgs({"read", "--port", sim.path(), "-o", unwritable.string()});
  EXPECT_EQ(failed.status, cli::kExitFailed);
  EXPECT_EQ(failed.out, "");
  EXPECT_EQ(failed.err.rfind(unwritable.string() + ": cannot write the file: ", 0), 0U)
      << failed.err;

  const fs::path file = dir.path() / "x.cp";
  const cli::testing::CliResult saved =
      cli::testing::runArgs({"read", "--port", sim.path(), "-o", file.string()});
  EXPECT_EQ(saved.status, cli::kExitOk) << saved.err;
  EXPECT_EQ(saved.out, "Read 0x98 pager into " + file.string() + "\n");
}

// A refused password says how many attempts the pager still allows.
TEST(CliOperations, AWrongPasswordCountsTheAttemptsLeft) {
  SimProcess sim({"--no-advertise", "--model", "0x98", "--password", "SECRET", "--attempts", "3"});
  TempFolder dir;
  const cli::testing::CliResult r = cli::testing::runArgs(
      {"read", "--port", sim.path(), "-o", (dir.path() / "x.cp").string(), "--password", "WRONG"});
  EXPECT_EQ(r.status, cli::kExitFailed);
  EXPECT_NE(r.err.find("error -1: ERROR: WARNING : Wrong Password. You have  2 times left."),
            std::string::npos)
      << r.err;
}

// The simulator's own help shows its flags plainly.
TEST(SimulatorProgram, HelpShowsTheFlagsWithoutDefaults) {
  FILE* help = ::popen((std::string(ZELTA_PAGER_SIM_PATH) + " --help").c_str(), "r");
  ASSERT_NE(help, nullptr);
  std::string text;
  char buffer[256];
  while (std::fgets(buffer, sizeof buffer, help) != nullptr) text += buffer;
  EXPECT_EQ(::pclose(help), 0);
  EXPECT_NE(text.find("--no-advertise"), std::string::npos) << text;
  EXPECT_EQ(text.find("{false}"), std::string::npos) << text;
}

TEST(CliOperations, WrongPasswordAndNak) {
  TempFolder dir;
  const Codeplug pager = defaultCodeplug('p');
  writeBytes(dir.path() / "pager.bin", bytesOf(pager, 1024));
  {
    SimProcess sim({"--no-advertise", "--model", "p", "--image",
                    (dir.path() / "pager.bin").string(), "--password", "RIGHT"});
    const cli::testing::CliResult r =
        cli::testing::runArgs({"read", "--port", sim.path(), "-o", (dir.path() / "x.cp").string(),
                               "--password", "WRONG"});
    EXPECT_EQ(r.status, cli::kExitFailed);
    EXPECT_NE(r.err.find("error -1:"), std::string::npos) << r.err;
    EXPECT_FALSE(fs::exists(dir.path() / "x.cp"));
  }
  {
    const fs::path file = dir.path() / "p.cp";
    {
      std::ofstream out(file);
      codeplug::DataProcess(*pager.image, const_cast<codeplug::SettingsRecord&>(pager.settings))
          .writeSRecordImage(out);
    }
    SimProcess sim({"--no-advertise", "--model", "p", "--image",
                    (dir.path() / "pager.bin").string(), "--fault", "nak"});
    const cli::testing::CliResult r =
        cli::testing::runArgs({"program", "--port", sim.path(), file.string(), "--no-backup"});
    EXPECT_EQ(r.status, cli::kExitFailed);
    EXPECT_NE(r.err.find("checksum"), std::string::npos) << r.err;
  }
}

// A retry belongs to its operation: the pager its first wake-up found stays
// the only one it programs. Another pager put on the fixture after that
// ends the run with -15 and nothing written, though --yes answers every
// question: the retry's probe used to take the newcomer and ask -116 about
// it, which --yes then answered.
TEST(CliOperations, ARetryProgramsThePagerTheOperationStartedWithOrNone) {
  for (const char* first : {"0x71", "0x75"}) {
    SCOPED_TRACE(first);
    TempFolder dir;
    const fs::path file = dir.path() / "pager.cp";
    const fs::path saved = dir.path() / "saved.cp";
    ASSERT_EQ(cli::testing::runArgs({"new", "--model", first, "-o", file.string()}).status,
              cli::kExitOk);
    SimProcess sim({"--no-advertise", "--image", file.string(), "--fault", "swap-model:0x70",
                    "--save-image", saved.string()});
    ASSERT_FALSE(sim.path().empty());
    const cli::testing::CliResult r = cli::testing::runArgs(
        {"--yes", "program", "--no-backup", "--port", sim.path(), file.string()});
    EXPECT_EQ(r.status, cli::kExitFailed) << r.err;
    EXPECT_NE(r.err.find("error -15:"), std::string::npos) << r.err;
    EXPECT_EQ(r.err.find("(-116)"), std::string::npos) << r.err;
    EXPECT_EQ(r.out.find("Programmed"), std::string::npos) << r.out;
    EXPECT_FALSE(fs::exists(saved)) << "an image was written";
  }
}

// The simulator dies half-way through the block being written, taking its
// pseudo-terminal with it: after the port's own complaint the operator
// learns that a write was under way and what that means for the pager.
TEST(CliOperations, APortLostMidWriteSaysThePagerMustBeProgrammedAgain) {
  TempFolder dir;
  const fs::path file = dir.path() / "pager.cp";
  ASSERT_EQ(cli::testing::runArgs({"new", "--model", "p", "-o", file.string()}).status,
            cli::kExitOk);
  SimProcess sim({"--no-advertise", "--image", file.string(), "--fault", "exit-mid-write"});
  ASSERT_FALSE(sim.path().empty());
  const cli::testing::CliResult r = cli::testing::runArgs(
      {"--yes", "program", "--no-backup", "--port", sim.path(), file.string()});
  EXPECT_EQ(r.status, cli::kExitFailed) << r.err;
  EXPECT_NE(r.err.find("while the image was being written"), std::string::npos) << r.err;
  EXPECT_NE(r.err.find("must be programmed again before use"), std::string::npos) << r.err;
  EXPECT_EQ(r.err.find("nothing was written"), std::string::npos) << r.err;
}

TEST(CliOperations, ServiceModeAndTestCommand) {
  SimProcess sim({"--no-advertise", "--model", "p", "--key", "0x05"});
  const cli::testing::CliResult mode =
      cli::testing::runArgs({"service", "--port", sim.path(), "quick-page"});
  EXPECT_EQ(mode.status, cli::kExitOk) << mode.err;
  EXPECT_NE(mode.out.find("Quick Page"), std::string::npos) << mode.out;
  const cli::testing::CliResult key =
      cli::testing::runArgs({"service", "--port", sim.path(), "test", "key"});
  EXPECT_EQ(key.status, cli::kExitOk) << key.err;
  EXPECT_EQ(key.out, "MULTIPLE KEYS\n");
  const cli::testing::CliResult bad =
      cli::testing::runArgs({"service", "--port", sim.path(), "test", "nothing"});
  EXPECT_EQ(bad.status, cli::kExitUsage);
}

}  // namespace
}  // namespace zelta::testing
