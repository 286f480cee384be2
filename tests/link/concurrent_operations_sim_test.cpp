// Several links in one process: a production line drives a fixture per
// pager. Each link, its port, its codeplug and its operations are its own;
// nothing they change is shared, so two operations on two threads come out
// as each would alone.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <latch>
#include <string>
#include <thread>
#include <vector>

#include "real_operations.h"
#include "sim_process.h"
#include "temp_folder.h"

namespace zelta::testing {
namespace {

namespace fs = std::filesystem;
using errors::OperationOutcome;
using models::ModelCode;
using operations::OperationKind;
using Bytes = std::vector<std::uint8_t>;

// A codeplug of the model with its own inventory number, so that an image
// read from one pager cannot pass for the other's.
Codeplug codeplugWithIcn(ModelCode model, const std::string& icn) {
  Codeplug c = defaultCodeplug(model);
  c.settings.ICN = icn;
  codeplug::buildImage(*c.image, c.settings, {});
  codeplug::standardCodec().decode(codeplug::DecodeCommand::OpenFile, *c.image, c.settings, {});
  return c;
}

// The codeplug the operations would have on screen after loading c.
void load(RealOperations& ops, const Codeplug& c) {
  *ops.codeplug.image = *c.image;
  ops.codeplug.settings = c.settings;
  ops.settings.sourceModel = c.image->modelCode();
  ops.settings.backupBeforeProgramming = false;
}

struct PagerRun {
  OperationKind kind;
  ModelCode model;
};

class ConcurrentOperations : public ::testing::TestWithParam<std::pair<PagerRun, PagerRun>> {};

// Both operations start together and overlap for their whole length (each
// takes a few hundred milliseconds of wake-ups and blocks); each pager ends
// up with, and each codeplug holds, what that operation alone would give.
TEST_P(ConcurrentOperations, BothSucceedWithTheirOwnImages) {
  const auto [firstRun, secondRun] = GetParam();
  const PagerRun runs[] = {firstRun, secondRun};
  TempFolder dir;
  std::vector<Codeplug> pagers;  // what each pager holds at the start
  std::vector<Codeplug> files;   // what each programming run sends
  std::vector<std::unique_ptr<SimProcess>> sims;
  std::vector<std::unique_ptr<RealOperations>> ops;
  for (std::size_t i = 0; i < 2; ++i) {
    const ModelCode model = runs[i].model;
    const std::string n = std::to_string(i);
    pagers.push_back(codeplugWithIcn(model, "PAGER0000" + n));
    files.push_back(codeplugWithIcn(model, "FILE00000" + n));
    writeBytes(dir.path() / ("pager" + n + ".bin"), bytesOf(pagers[i], sizeOf(model)));
    sims.push_back(std::make_unique<SimProcess>(std::vector<std::string>{
        "--no-advertise", "--model", hexModel(model), "--image",
        (dir.path() / ("pager" + n + ".bin")).string(), "--serial", "SIM000000" + n, "--save-image",
        (dir.path() / ("received" + n + ".bin")).string()}));
    ASSERT_FALSE(sims[i]->path().empty());
    ops.push_back(std::make_unique<RealOperations>(sims[i]->path()));
    if (runs[i].kind == OperationKind::Program) load(*ops[i], files[i]);
  }
  ASSERT_NE(sims[0]->path(), sims[1]->path());

  OperationOutcome outcomes[2];
  std::latch start(2);
  std::vector<std::thread> threads;
  for (std::size_t i = 0; i < 2; ++i) {
    threads.emplace_back([&, i] {
      start.arrive_and_wait();
      outcomes[i] = ops[i]->operations.RunPagerOperation(runs[i].kind);
    });
  }
  for (std::thread& t : threads) t.join();

  for (std::size_t i = 0; i < 2; ++i) {
    SCOPED_TRACE("operation " + std::to_string(i));
    const RealOperations& op = *ops[i];
    const std::size_t size = sizeOf(runs[i].model);
    ASSERT_TRUE(outcomes[i].succeeded())
        << outcomes[i].code << ' ' << (op.reporter.shown.empty() ? "" : op.reporter.shown[0].text);
    EXPECT_TRUE(op.reporter.shown.empty());
    EXPECT_FALSE(op.comm.IsOpen());
    if (runs[i].kind == OperationKind::Read) {
      EXPECT_EQ(op.codeplug.image->modelCode(), runs[i].model);
      EXPECT_EQ(op.codeplug.settings.ICN, pagers[i].settings.ICN);
      // The pager's image with the serial number the simulator was given;
      // the closing sum is the pager's own.
      Bytes expected = bytesOf(pagers[i], size - 1);
      const std::string serial = "SIM000000" + std::to_string(i);
      std::copy(serial.begin(), serial.end(), expected.begin() + 0x5D);
      EXPECT_EQ(bytesOf(op.codeplug, size - 1), expected);
    } else {
      EXPECT_TRUE(outcomes[i].pagerWritten);
      const Bytes received = readBytes(dir.path() / ("received" + std::to_string(i) + ".bin"));
      EXPECT_EQ(received, bytesOf(op.codeplug, size));
      EXPECT_EQ(std::string(received.begin() + 0x5D, received.begin() + 0x67),
                "SIM000000" + std::to_string(i))
          << "each pager keeps its own serial number";
    }
  }
}

INSTANTIATE_TEST_SUITE_P(TwoPagers, ConcurrentOperations,
                         ::testing::Values(std::pair{PagerRun{OperationKind::Read, 0x91},
                                                     PagerRun{OperationKind::Program, 'p'}},
                                           std::pair{PagerRun{OperationKind::Program, 0x97},
                                                     PagerRun{OperationKind::Program, 0x97}}),
                         [](const auto& p) {
                           const auto name = [](const PagerRun& r) {
                             return (r.kind == OperationKind::Read ? "Read" : "Program") +
                                    hexModel(r.model).substr(2);
                           };
                           return name(p.param.first) + "And" + name(p.param.second);
                         });

}  // namespace
}  // namespace zelta::testing
