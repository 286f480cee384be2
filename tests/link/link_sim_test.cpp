#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <nlohmann/json.hpp>
#include <sstream>

#include "cli/cli_app.h"
#include "cli/cli_run.h"
#include "codeplug/codeplug_image.h"
#include "codeplug/data_process.h"
#include "core/link/link_fixture.h"
#include "link/comm.h"
#include "link/pager_link.h"
#include "link/port_list.h"
#include "link/service_commands.h"
#include "link/termios_serial_device.h"
#include "recording_reporter.h"
#include "sim_process.h"
#include "temp_folder.h"

namespace zelta::testing {
namespace {

namespace fs = std::filesystem;
namespace rc = errors::code;
using link::Transaction;

// Real time, but the protocol's fixed pauses a tenth as long: the simulator
// answers at once, and the programming pause alone would otherwise take 8.5 s.
class ShortPauseClock : public link::SteadyClock {
 public:
  void delayMs(std::int64_t ms) override { link::SteadyClock::delayMs(ms / 10); }
};

fs::path scratchDir() {
  const fs::path dir = fs::path(ZELTA_BINARY_DIR) / "link-sim-scratch" /
                       ::testing::UnitTest::GetInstance()->current_test_info()->name();
  fs::create_directories(dir);
  return dir;
}

// An image of the model whose bytes sum to 0xFF, as a pager sends it.
Bytes pagerImage(std::size_t size, std::uint8_t model, std::uint8_t seed) {
  return imageBlock(size, model, 0x18, 0x34, seed);
}

// The link as the program builds it, on a real pseudo-terminal.
struct RealLink : LinkBuffers {
  ShortPauseClock clock;
  link::TermiosSerialDevice device;
  RecordingReporter reporter;
  link::TDComm comm{device, reporter, clock};
  link::PagerLink link{comm, reporter};
  std::optional<link::OperationScope> operation;

  explicit RealLink(const std::string& port) {
    comm.SetPortName(port);
    attach(link);
    operation.emplace(link);
    password = link::makePasswordField("SECRET");
  }

  errors::ResultCode read() {
    const errors::ResultCode probe = link.informationProbe(link::ProbeKind::BeforeRead);
    if (probe != rc::Ok) return probe;
    return link.runTransaction(Transaction::ReadImage, link::variantFor(link.state().modelCode));
  }
  errors::ResultCode write() {
    return link.runTransaction(Transaction::WriteImage, link::variantFor(link.state().modelCode));
  }
};

TEST(LinkWithSimulator, IdentifyReportsWhatThePagerSays) {
  SimProcess sim({"--no-advertise", "--model", "p", "--firmware", " R0601", "--serial",
                  "P000004711", "--status", "Y"});
  ASSERT_FALSE(sim.path().empty());
  RealLink l(sim.path());
  link::Identification id;
  ASSERT_EQ(l.link.identify(id), rc::Ok);
  EXPECT_EQ(id.model, 'p');
  EXPECT_EQ(id.firmware.text, " R0601");
  EXPECT_EQ(id.serialNumber, "P000004711");
  EXPECT_EQ(id.status, 'Y');
  EXPECT_TRUE(l.link.state().firmware.has(link::Firmware::R0601));
}

// Echoes that come at the line's pace, and echoes far later than two byte
// times (a slow adapter), are both waited for.
TEST(LinkWithSimulator, EchoesAtTheLinesPaceAndLateOnesAreRead) {
  for (const char* pace : {"--real-baud", "--byte-delay-us=12000"}) {
    SimProcess sim({"--no-advertise", "--model", "0x91", pace});
    ASSERT_FALSE(sim.path().empty()) << pace;
    RealLink l(sim.path());
    link::Identification id;
    ASSERT_EQ(l.link.identify(id), rc::Ok) << pace;
    EXPECT_EQ(id.model, 0x91) << pace;
  }
}

struct FamilyCase {
  std::uint8_t model;
  std::size_t size;
  bool writable;
};

void PrintTo(const FamilyCase& c, std::ostream* os) {
  *os << hexModel(c.model);
}

class ImageRoundTrip : public ::testing::TestWithParam<FamilyCase> {};

// Read the pager's image, then write another one: one model of each family.
TEST_P(ImageRoundTrip, ReadThenWrite) {
  const FamilyCase& c = GetParam();
  const fs::path dir = scratchDir();
  const Bytes original = pagerImage(c.size, c.model, 1);
  writeBytes(dir / "pager.bin", original);
  SimProcess sim({"--no-advertise", "--model", hexModel(c.model), "--image",
                  (dir / "pager.bin").string(), "--save-image", (dir / "written.bin").string()});
  ASSERT_FALSE(sim.path().empty());
  RealLink l(sim.path());

  ASSERT_EQ(l.read(), rc::Ok);
  const Bytes& target = c.size == 768 ? l.oldFormat : l.image;
  EXPECT_TRUE(std::equal(original.begin(), original.end(), target.begin()));
  EXPECT_EQ(l.link.state().modelCode, c.model);

  const Bytes next = pagerImage(c.size, c.model, 77);
  std::copy(next.begin(), next.end(), l.image.begin());
  if (!c.writable) {
    EXPECT_EQ(l.write(), rc::UnknownPagerType);
    return;
  }
  ASSERT_EQ(l.write(), rc::Ok);
  EXPECT_EQ(readBytes(dir / "written.bin"), next);
}

INSTANTIATE_TEST_SUITE_P(Families, ImageRoundTrip,
                         ::testing::Values(FamilyCase{'"', 768, false},    // old format
                                           FamilyCase{'1', 1024, true},    // A
                                           FamilyCase{'t', 1024, true},    // B
                                           FamilyCase{'u', 2048, true},    // C
                                           FamilyCase{0x96, 2048, true},   // D
                                           FamilyCase{0x97, 2048, true},   // E
                                           FamilyCase{0x99, 2048, true}),  // F
                         [](const auto& p) { return "Model" + hexModel(p.param.model); });

TEST(LinkWithSimulator, PasswordIsCheckedWithAttemptsLeft) {
  SimProcess sim({"--no-advertise", "--model", "0x98", "--password", "SECRET", "--attempts", "3"});
  RealLink l(sim.path());
  l.password = link::makePasswordField("WRONG");
  EXPECT_EQ(l.read(), rc::WrongPassword);
  EXPECT_EQ(l.reporter.context().remainingAttempts, 2);
  l.operation.reset();  // lets go of the port

  RealLink again(sim.path());
  ASSERT_EQ(again.read(), rc::Ok);
  EXPECT_EQ(again.image[1], 0x98);
}

// The pager's codeplug from a .cp file; what is written to it saved as one.
TEST(LinkWithSimulator, CodeplugFilesInAndOut) {
  const fs::path dir = scratchDir();
  const Bytes original = pagerImage(2048, 0x97, 9);
  auto codeplug = std::make_unique<codeplug::CodeplugImage>();
  codeplug::SettingsRecord settings;
  std::copy(original.begin(), original.end(), codeplug->current().span().begin());
  codeplug->setModel(0x97);
  {
    std::ofstream file(dir / "pager.cp", std::ios::binary);
    codeplug::DataProcess(*codeplug, settings).writeSRecordImage(file);
  }
  SimProcess sim({"--no-advertise", "--image", (dir / "pager.cp").string(), "--save-image",
                  (dir / "written.cp").string()});
  RealLink l(sim.path());
  ASSERT_EQ(l.read(), rc::Ok);
  EXPECT_EQ(l.link.state().modelCode, 0x97) << "the model comes from the file";
  EXPECT_TRUE(std::equal(original.begin(), original.end(), l.image.begin()));

  const Bytes next = pagerImage(2048, 0x97, 10);
  std::copy(next.begin(), next.end(), l.image.begin());
  ASSERT_EQ(l.write(), rc::Ok);
  std::ifstream written(dir / "written.cp", std::ios::binary);
  auto back = std::make_unique<codeplug::CodeplugImage>();
  ASSERT_EQ(codeplug::DataProcess(*back, settings).parseSRecordImage(written), 0x97);
  EXPECT_TRUE(std::equal(next.begin(), next.end(), back->current().span().begin()));
}

TEST(LinkWithSimulator, NakOnTheWrittenBlockGives25) {
  const fs::path dir = scratchDir();
  writeBytes(dir / "pager.bin", pagerImage(1024, 'x', 3));
  SimProcess sim({"--no-advertise", "--model", "x", "--image", (dir / "pager.bin").string(),
                  "--fault", "nak"});
  RealLink l(sim.path());
  ASSERT_EQ(l.read(), rc::Ok);
  EXPECT_EQ(l.write(), rc::BadChecksum);
}

TEST(LinkWithSimulator, OneBadChecksumIsRetriedTwoAreNot) {
  SimProcess once({"--no-advertise", "--model", "2", "--fault", "bad-checksum:1"});
  RealLink a(once.path());
  EXPECT_EQ(a.read(), rc::Ok);

  SimProcess always({"--no-advertise", "--model", "0x92", "--fault", "bad-checksum"});
  RealLink b(always.path());
  EXPECT_EQ(b.read(), rc::ReadBackFailed);
}

TEST(LinkWithSimulator, SimulatorDyingMidBlockEndsWithAnError) {
  for (const char* model : {"0", "0x91"}) {
    SimProcess sim({"--no-advertise", "--model", model, "--fault", "exit-mid-block"});
    RealLink l(sim.path());
    const errors::ResultCode result = l.read();
    EXPECT_TRUE(result == rc::NotResponding || result == rc::PortNotOpened) << result;
    EXPECT_EQ(sim.wait(), 3);
    EXPECT_FALSE(l.comm.IsOpen());
    // A failed reopen says so once, with the reason.
    for (const errors::Message& m : l.reporter.shown) {
      EXPECT_EQ(m.text.rfind("Can not open com port.\n", 0), 0U) << m.text;
    }
  }
}

TEST(LinkWithSimulator, SilentPagerIsNotResponding) {
  SimProcess sim({"--no-advertise", "--model", "p", "--fault", "silent"});
  RealLink l(sim.path());
  EXPECT_EQ(l.link.runTransaction(Transaction::ReadImage, link::Variant::B), rc::NotResponding);
}

TEST(LinkWithSimulator, GarbageWakeAnswerIsRetriedByThePagersCommandSet) {
  SimProcess sim({"--no-advertise", "--model", "0x95", "--fault", "garbage:1"});
  RealLink l(sim.path());
  writableState(l.link).modelCode = 0x95;
  writableState(l.link).extendedFirmware = 0;
  // Variant A wakes again after the junk answer.
  EXPECT_EQ(l.link.runTransaction(Transaction::ReadImage, link::Variant::A), rc::Ok);
}

TEST(LinkWithSimulator, ServiceModesAndTestCommands) {
  SimProcess sim({"--no-advertise", "--model", "0x93", "--key", "0x05"});
  RealLink l(sim.path());
  writableState(l.link).modelCode = 0x93;
  ASSERT_EQ(link::SwitchPagerMode(l.link, link::PagerMode::QuickPage), rc::Ok);
  EXPECT_EQ(l.link.state().serviceResult, -60);

  ASSERT_EQ(link::EnterTestMode(l.link), rc::Ok);
  const link::TestReply key = link::SendTestCommand(l.link, link::test_command::kKeyTest, 6);
  ASSERT_EQ(key.result, rc::Ok);
  EXPECT_EQ(link::keyName(key.bytes[1]), "MULTIPLE KEYS");
  const link::TestReply allOn =
      link::SendTestCommand(l.link, link::test_command::kAnnunciatorAllOn, 3);
  EXPECT_EQ(allOn.result, rc::Ok);
  EXPECT_EQ(allOn.bytes[0], '.');
  EXPECT_EQ(link::SendTestCommand(l.link, link::test_command::kExit, 0).result, rc::Ok);
  EXPECT_TRUE(l.reporter.asked.empty());
}

TEST(LinkWithSimulator, SetClockAfterProgramming) {
  SimProcess sim({"--no-advertise", "--model", "0x98"});
  RealLink l(sim.path());
  ASSERT_EQ(l.read(), rc::Ok);
  // A new password: the clock transaction asks for the status again.
  EXPECT_EQ(l.link.setClock({.passwordChanged = true}, link::Variant::A), rc::Ok);
}

TEST(LinkWithSimulator, FastPagerSwitchesSpeedBetweenTransactions) {
  SimProcess sim({"--no-advertise", "--model", "0x99"});
  RealLink l(sim.path());
  l.link.setConfiguredBaud(57600);
  ASSERT_EQ(l.read(), rc::Ok);
  EXPECT_EQ(l.link.state().speedCode, 0xA8);
  // The next transaction wakes the pager with the fast code and continues at 57600.
  EXPECT_EQ(l.link.runTransaction(Transaction::ReadImage, link::Variant::A), rc::Ok);
  EXPECT_EQ(l.comm.AppliedSettings().baud, 57600U);
}

TEST(LinkWithSimulator, PortListOffersRunningSimulators) {
  const fs::path runtime = scratchDir() / "runtime";
  fs::create_directories(runtime);
  setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
  std::string path;
  {
    SimProcess sim({"--model", "0x98"});
    path = sim.path();
    // Only the simulators: listing the machine's own ports would open them.
    const std::vector<link::PortEntry> ports = link::listSimulatorPorts();
    ASSERT_EQ(ports.size(), 1U);
    EXPECT_EQ(ports[0].path, path);
    EXPECT_EQ(ports[0].description, "Pager simulator (0x98)");

    const cli::testing::CliResult r = cli::testing::runArgs({"ports", "--simulators", "--json"});
    ASSERT_EQ(r.status, cli::kExitOk);
    EXPECT_EQ(nlohmann::json::parse(r.out),
              nlohmann::json::parse("[{\"path\": \"" + path +
                                    "\", \"description\": \"Pager simulator (0x98)\"}]"));
  }
  EXPECT_TRUE(link::listSimulatorPorts().empty()) << "a stopped simulator is no longer offered";
  unsetenv("XDG_RUNTIME_DIR");
}

TEST(CliWithSimulator, IdentifyPrintsTheFieldsAndTraces) {
  SimProcess sim({"--no-advertise", "--model", "u", "--serial", "U000000001"});
  const fs::path trace = scratchDir() / "trace.txt";
  const cli::testing::CliResult r =
      cli::testing::runArgs({"identify", "--port", sim.path(), "--trace", trace.string()});
  EXPECT_EQ(r.status, cli::kExitOk) << r.err;
  EXPECT_NE(r.out.find("Model:         0x75 'u', family C"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("Serial number: U000000001"), std::string::npos);
  EXPECT_NE(r.out.find("Status:        N (no password)"), std::string::npos);

  std::ifstream t(trace);
  const std::string text((std::istreambuf_iterator<char>(t)), std::istreambuf_iterator<char>());
  EXPECT_NE(text.find(" ms  TX AA\n"), std::string::npos) << text;
  EXPECT_NE(text.find(" ms  RX 75\n"), std::string::npos);
}

TEST(CliWithSimulator, UnansweredWakeUpFailsWithTheResultCode) {
  SimProcess sim({"--no-advertise", "--model", "u", "--fault", "garbage"});
  const cli::testing::CliResult r = cli::testing::runArgs({"identify", "--port", sim.path()});
  EXPECT_EQ(r.status, cli::kExitFailed);
  EXPECT_EQ(r.err, "error -16: ERROR: Pager is not responding.\n");
}

// --yes against a silent pager: the retry question is answered Yes as often
// as --retries allows, then the read ends with -16.
TEST(CliWithSimulator, YesRetriesASilentPagerABoundedNumberOfTimes) {
  SimProcess sim({"--no-advertise", "--model", "0x91", "--fault", "silent"});
  const fs::path out = scratchDir() / "never.cp";
  const cli::testing::CliResult r = cli::testing::runArgs(
      {"read", "--port", sim.path(), "-o", out.string(), "--yes", "--retries", "1"});
  EXPECT_EQ(r.status, cli::kExitFailed);
  EXPECT_NE(r.err.find("retry 1 of 1"), std::string::npos) << r.err;
  EXPECT_NE(r.err.find("Answered No: the pager did not answer in 2 attempts (--retries 1)."),
            std::string::npos)
      << r.err;
  EXPECT_NE(r.err.find("error -16: ERROR: Pager is not responding.\n"), std::string::npos);
  EXPECT_FALSE(fs::exists(out));
}

std::string fileText(const fs::path& path) {
  std::ifstream in(path);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// Ctrl+C while the image is being written: the block, its checksum and the
// pager's answer go through, then the command stops with a message, the
// trace is complete, and the pager holds the whole new image.
TEST(CliWithSimulator, InterruptDuringTheWriteFinishesTheBlockFirst) {
  const fs::path dir = scratchDir();
  const fs::path codeplug = dir / "pager.cp";
  ASSERT_EQ(cli::testing::runArgs({"new", "--model", "0x91", "-o", (dir / "d.cp").string()}).status,
            cli::kExitOk);
  ASSERT_EQ(cli::testing::runArgs({"edit", (dir / "d.cp").string(), "-o", codeplug.string(),
                                   "--set", "ed_code01=1234567"})
                .status,
            cli::kExitOk);
  const fs::path saved = dir / "saved.bin";
  fs::remove(saved);
  SimProcess sim({"--no-advertise", "--image", codeplug.string(), "--byte-delay-us", "300",
                  "--save-image", saved.string()});
  const fs::path trace = dir / "trace.txt";
  const fs::path err = dir / "err.txt";
  fs::remove(trace);
  const pid_t cli = fork();
  if (cli == 0) {
    const int fd = open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    dup2(fd, STDERR_FILENO);
    const int null = open("/dev/null", O_RDWR);
    dup2(null, STDOUT_FILENO);
    dup2(null, STDIN_FILENO);
    execl(ZELTA_CLI_PATH, ZELTA_CLI_PATH, "program", "--port", sim.path().c_str(), codeplug.c_str(),
          "--no-backup", "--yes", "--trace", trace.c_str(), static_cast<char*>(nullptr));
    _exit(127);
  }
  // The write frame (0x18 0x0F) has gone out and some of the block with it.
  bool interrupted = false;
  for (int i = 0; i < 3000 && !interrupted; ++i) {
    const std::string text = fileText(trace);
    const std::size_t frame = text.find("TX 18\n");
    if (frame != std::string::npos &&
        std::count(text.begin() + static_cast<std::ptrdiff_t>(frame), text.end(), '\n') > 200) {
      kill(cli, SIGINT);
      interrupted = true;
    }
    usleep(10000);
  }
  int status = 0;
  ASSERT_EQ(waitpid(cli, &status, 0), cli);
  ASSERT_TRUE(interrupted);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 128 + SIGINT);
  const std::string message = fileText(err);
  EXPECT_NE(message.find("Stopped by SIGINT: the image was written whole"), std::string::npos)
      << message;
  const std::string text = fileText(trace);
  EXPECT_EQ(text.substr(text.size() - 7), " close\n") << "flushed to the end";
  for (int i = 0; i < 100 && !fs::exists(saved); ++i) usleep(10000);
  EXPECT_EQ(fs::file_size(saved), 2048U);
}

}  // namespace
}  // namespace zelta::testing
