#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>

#include "cli/cli_run.h"
#include "codeplug/builders.h"
#include "codeplug/codec.h"
#include "codeplug/data_process.h"
#include "codeplug/new_codeplug.h"
#include "link/comm.h"
#include "link/termios_serial_device.h"
#include "operations/pager_operations.h"
#include "recording_reporter.h"
#include "sim_process.h"
#include "temp_folder.h"

namespace zelta::testing {
namespace {

namespace fs = std::filesystem;
namespace rc = errors::code;
using models::ModelCode;
using Bytes = std::vector<std::uint8_t>;

// Real time with the protocol's pauses a tenth as long.
class TenthPauseClock : public link::SteadyClock {
 public:
  void delayMs(std::int64_t ms) override { link::SteadyClock::delayMs(ms / 10); }
};

std::size_t sizeOf(ModelCode model) {
  return models::modelIn(model, models::ModelGroup::newProtocolModels) ? 2048 : 1024;
}

struct Codeplug {
  std::unique_ptr<codeplug::CodeplugImage> image = std::make_unique<codeplug::CodeplugImage>();
  codeplug::SettingsRecord settings;
};

// A codeplug of the model built from its defaults with one code, then
// decoded as a file load leaves it.
Codeplug defaultCodeplug(ModelCode model) {
  Codeplug c;
  codeplug::setUpNewCodeplug(model, *c.image, c.settings);
  c.settings.code[0] = "1234567";
  codeplug::buildImage(*c.image, c.settings, {});
  codeplug::standardCodec().decode(codeplug::DecodeCommand::OpenFile, *c.image, c.settings, {});
  return c;
}

Bytes bytesOf(const Codeplug& c, std::size_t n) {
  const auto b = c.image->buffer().first(n);
  return {b.begin(), b.end()};
}

class NoDialogs : public operations::OperatorDialogs {
 public:
  errors::ResultCode askMemoryAndSerial(operations::MemorySerialRequest&) override {
    return rc::Cancelled;
  }
};

// The operations as the program builds them, on a real pseudo-terminal.
struct RealOperations {
  explicit RealOperations(const std::string& port) {
    comm.SetPortName(port);
    work.folder = folder.path();
    link.setImageBuffers(link::imageBuffersOf(*codeplug.image));
  }
  TenthPauseClock clock;
  link::TermiosSerialDevice device;
  RecordingReporter reporter;
  link::TDComm comm{device, reporter, clock};
  link::PagerLink link{comm, reporter};
  Codeplug codeplug;
  TempFolder folder;
  storage::WorkFiles work;
  conversion::ConverterState converter;
  NoDialogs dialogs;
  operations::OperationSettings settings;
  storage::CodeplugSession session{*codeplug.image, codeplug.settings, work, reporter,
                                   codeplug::standardCodec()};
  operations::PagerOperations operations{link, session, converter, dialogs, settings};
};

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
  ASSERT_EQ(ops.operations.RunPagerOperation(operations::OperationKind::Read), rc::Done);
  EXPECT_EQ(ops.codeplug.image->modelCode(), model);
  EXPECT_EQ(ops.codeplug.settings.code[0], "1234567");

  ops.codeplug.settings.ICN = "ROUNDTRIP1";
  ASSERT_EQ(ops.operations.RunPagerOperation(operations::OperationKind::Program), rc::Ok)
      << (ops.reporter.shown.empty() ? "" : ops.reporter.shown.front().text);
  ASSERT_TRUE(ops.operations.pagerWritten());
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
  const errors::ResultCode r = ops.operations.RunPagerOperation(operations::OperationKind::Read);
  EXPECT_TRUE(r == rc::NotResponding || r == rc::PortNotOpened) << r;
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
    ASSERT_EQ(ops.operations.RunPagerOperation(operations::OperationKind::Read), rc::Done);
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
