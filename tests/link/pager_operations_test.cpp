#include "operations/pager_operations.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <stdexcept>
#include <string>

#include "codeplug/builders.h"
#include "codeplug/codec.h"
#include "codeplug/new_codeplug.h"
#include "link/comm.h"
#include "operations/refused_image_text.h"
#include "recording_reporter.h"
#include "simulated_device.h"
#include "temp_folder.h"

namespace zelta::testing {
namespace {

namespace rc = errors::code;
using errors::OperationOutcome;
using errors::OutcomeKind;
using models::ModelCode;
using operations::OperationKind;

std::size_t imageSize(ModelCode model) {
  return models::modelIn(model, models::ModelGroup::newProtocolModels) ? 2048 : 1024;
}

// A codeplug of the model as this program builds it from the defaults, with
// one present code, as a pager would hold it.
std::vector<std::uint8_t> defaultImage(ModelCode model) {
  auto image = std::make_unique<codeplug::CodeplugImage>();
  codeplug::SettingsRecord settings;
  codeplug::setUpNewCodeplug(model, *image, settings);
  settings.code[0] = "1234567";
  codeplug::buildImage(*image, settings, {});
  const auto bytes = image->buffer().first(imageSize(model));
  return {bytes.begin(), bytes.end()};
}

class Dialogs : public operations::OperatorDialogs {
 public:
  int shown = 0;
  errors::ResultCode answer = rc::Ok;
  std::string serial = "NEW0000001";
  errors::ResultCode askMemoryAndSerial(operations::MemorySerialRequest& request) override {
    ++shown;
    request.serialNumber = serial;
    return answer;
  }
};

// The operations over the in-process simulator on a fake clock.
struct Bench {
  explicit Bench(pagersim::SimulatorOptions options) : sim(std::move(options)) {
    comm.SetPortName("/dev/ttySIM");
    link.setImageBuffers(link::imageBuffersOf(*image));
    link.setHooks({nullptr,
                   [this](link::PasswordField& field) {
                     ++passwordDialogs;
                     field = link::makePasswordField(typedPassword);
                   },
                   nullptr, nullptr});
    work.folder = folder.path();
  }

  // The codeplug on screen: what was built for the model, as if loaded.
  void loadCodeplug(ModelCode model) {
    codeplug::setUpNewCodeplug(model, *image, settings);
    settings.code[0] = "1234567";
    settings.modelCodeAsRead = model;
    codeplug::buildImage(*image, settings, {});
    // As a file load leaves it: the settings decoded from the image.
    codeplug::DecodeContext context;
    codeplug::standardCodec().decode(codeplug::DecodeCommand::OpenFile, *image, settings, context);
    ops.sourceModel = model;
  }

  std::vector<std::uint8_t> currentImage(std::size_t n) const {
    const auto bytes = image->buffer().first(n);
    return {bytes.begin(), bytes.end()};
  }

  // The code's box, its own text first (a second line may follow).
  bool reported(errors::ResultCode code) const {
    const std::string text = errors::reportMessage(code, reporter.context()).text;
    return std::any_of(reporter.shown.begin(), reporter.shown.end(), [&](const errors::Message& m) {
      return m.code == code && m.text.starts_with(text);
    });
  }
  int asked(errors::ResultCode code) const {
    return static_cast<int>(std::count_if(reporter.asked.begin(), reporter.asked.end(),
                                          [&](const auto& a) { return a.code == code; }));
  }

  pagersim::PagerSimulator sim;
  FakeClock clock;
  SimulatedDevice device{sim, clock};
  RecordingReporter reporter;
  link::TDComm comm{device, reporter, clock};
  link::PagerLink link{comm, reporter};
  std::unique_ptr<codeplug::CodeplugImage> image = std::make_unique<codeplug::CodeplugImage>();
  codeplug::SettingsRecord settings;
  TempFolder folder;
  storage::WorkFiles work;
  conversion::ConverterState converter;
  Dialogs dialogs;
  operations::OperationSettings ops;
  std::string typedPassword;
  int passwordDialogs = 0;
  storage::CodeplugSession session{*image, settings, work, reporter, codeplug::standardCodec()};
  operations::PagerOperations operations{link, session, converter, dialogs, ops};
};

pagersim::SimulatorOptions pagerOf(ModelCode model) {
  pagersim::SimulatorOptions options;
  options.model = model;
  if (model != '#') options.image = defaultImage(model);
  options.serial = "SIM0000042";
  return options;
}

TEST(PagerOperations, ReadDecodesThePagerImageIntoTheCodeplug) {
  for (ModelCode model : {ModelCode{'1'}, ModelCode{'p'}, ModelCode{'q'}, ModelCode{0x91}}) {
    SCOPED_TRACE(static_cast<int>(model));
    Bench b(pagerOf(model));
    ASSERT_TRUE(b.operations.RunPagerOperation(OperationKind::Read).succeeded());
    EXPECT_EQ(b.image->modelCode(), model);
    EXPECT_EQ(b.ops.sourceModel, model);
    EXPECT_EQ(b.settings.code[0], "1234567");
    EXPECT_EQ(b.currentImage(imageSize(model) - 1),
              std::vector<std::uint8_t>(b.sim.image().begin(), b.sim.image().end() - 1));
    EXPECT_TRUE(b.reporter.shown.empty());
  }
}

TEST(PagerOperations, FailedReadKeepsTheOpenCodeplug) {
  pagersim::SimulatorOptions options = pagerOf(0x91);
  options.faults.badChecksum.remaining = pagersim::Fault::kAlways;
  Bench b(options);
  b.loadCodeplug('p');
  const auto before = b.currentImage(1024);
  b.settings.ICN = "KEEP ME";

  const OperationOutcome read = b.operations.RunPagerOperation(OperationKind::Read);
  EXPECT_TRUE(read.failedWith(rc::ReadBackFailed));
  EXPECT_FALSE(read.reported) << "a read leaves its failure to the caller";
  EXPECT_EQ(b.image->modelCode(), 'p');
  EXPECT_EQ(b.currentImage(1024), before);
  EXPECT_EQ(b.settings.ICN, "KEEP ME");
  EXPECT_EQ(b.link.state().modelCode, models::kNoModel);
}

// "Not responding" asks to retry; Yes runs the whole sequence again from
// the probe, No ends with -16 and no further box.
TEST(PagerOperations, SilentPagerRetryQuestion) {
  for (bool firstAnswer : {false, true}) {
    pagersim::SimulatorOptions options = pagerOf(0x91);
    options.faults.silent = true;
    Bench b(options);
    b.reporter.answer(firstAnswer);  // then No
    const OperationOutcome read = b.operations.RunPagerOperation(OperationKind::Read);
    EXPECT_TRUE(read.failedWith(rc::NotResponding));
    EXPECT_TRUE(read.reported) << "the question has shown it";
    const int runs = firstAnswer ? 2 : 1;
    EXPECT_EQ(b.asked(rc::NotResponding), runs);
    EXPECT_EQ(b.device.opens, runs);  // one probe per run, five wake-ups each
    EXPECT_TRUE(b.reporter.shown.empty());
    EXPECT_FALSE(b.link.state().blankRead);
  }
}

TEST(PagerOperations, RetryOfAFastPagerFallsBackTo38400) {
  pagersim::SimulatorOptions options = pagerOf(0x98);
  options.faults.silent = true;
  Bench b(options);
  b.link.setConfiguredBaud(57600);
  b.reporter.answer(true);
  b.operations.RunPagerOperation(OperationKind::Read);
  // The model stays unknown on a silent line, so the speed is not touched;
  // the requested speed is restored after the operation in any case.
  EXPECT_EQ(b.link.state().requestedSpeedCode, link::speed::k57600);
}

TEST(PagerOperations, ProgramWritesTheBuiltImageAndSetsTheClock) {
  for (ModelCode model : {ModelCode{'1'}, ModelCode{'p'}, ModelCode{'q'}, ModelCode{0x91}}) {
    SCOPED_TRACE(static_cast<int>(model));
    Bench b(pagerOf(model));
    b.loadCodeplug(model);
    b.settings.ICN = "ICN0000007";
    const OperationOutcome programmed = b.operations.RunPagerOperation(OperationKind::Program);
    ASSERT_TRUE(programmed.succeeded())
        << (b.reporter.shown.empty() ? "" : b.reporter.shown.front().text);
    EXPECT_TRUE(programmed.pagerWritten);
    EXPECT_EQ(b.sim.imagesWritten(), 1);
    EXPECT_TRUE(b.sim.clockSet());
    const std::size_t n = imageSize(model);
    EXPECT_EQ(std::vector<std::uint8_t>(b.sim.image().begin(), b.sim.image().begin() + n),
              b.currentImage(n));
    // The pager keeps its own serial number.
    EXPECT_EQ(std::string(b.sim.image().begin() + 0x5D, b.sim.image().begin() + 0x67),
              "SIM0000042");
  }
}

// '#' may be read but not programmed: -15 is shown once.
TEST(PagerOperations, HashPagerIsNotProgrammable) {
  Bench b(pagerOf('#'));
  b.loadCodeplug('1');
  b.ops.sourceModel = '#';          // a codeplug of the old format goes in as it stands
  b.image->header().cgromType = 4;  // the '#' character ROM
  EXPECT_TRUE(
      b.operations.RunPagerOperation(OperationKind::Program).failedWith(rc::UnknownPagerType));
  EXPECT_TRUE(b.reported(rc::UnknownPagerType));
  EXPECT_EQ(b.reporter.shown.size(), 1U);
  EXPECT_EQ(b.sim.imagesWritten(), 0);
}

// A read the front end stops has shown nothing itself: the window tells the
// operator (programming shows its stop, so that one counts as shown).
TEST(PagerOperations, AStoppedReadLeavesTheMessageToTheCaller) {
  Bench b(pagerOf(0x91));
  b.link.setHooks({nullptr, nullptr, [] { return true; }, nullptr});
  const OperationOutcome r = b.operations.RunPagerOperation(OperationKind::Read);
  EXPECT_EQ(r.kind, OutcomeKind::Stopped);
  EXPECT_EQ(r.code, rc::Cancelled);
  EXPECT_FALSE(r.reported);
}

// The phases a programming run shows, in order, and where a stop asked in
// each of them ends the run: a stop while the image is written waits for
// the block, its checksum and the pager's answer.
TEST(PagerOperations, PhasesAndWhereAStopEndsTheRun) {
  struct Case {
    link::LinkPhase stopIn;
    bool pagerWritten;
    std::string_view said;  // the line after the stop's own text
  };
  const Case cases[] = {
      {link::LinkPhase::Reading, false, "Nothing was written to the pager."},
      {link::LinkPhase::Writing, true,
       "The image was written whole and the pager accepted it; its clock was not set."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.stopIn));
    Bench b(pagerOf(0x91));
    b.loadCodeplug(0x91);
    const std::vector<std::uint8_t> before = b.sim.image();
    std::vector<link::LinkPhase> phases;
    bool stop = false;
    link::LinkHooks hooks;
    hooks.stopRequested = [&] { return stop; };
    hooks.phase = [&](link::LinkPhase phase) {
      if (phases.empty() || phases.back() != phase) phases.push_back(phase);
      if (phase == c.stopIn) stop = true;
    };
    b.link.setHooks(hooks);
    const OperationOutcome r = b.operations.RunPagerOperation(OperationKind::Program);
    EXPECT_EQ(r.kind, OutcomeKind::Stopped);
    EXPECT_EQ(r.pagerWritten, c.pagerWritten);
    EXPECT_FALSE(r.writeInterrupted);
    EXPECT_EQ(b.sim.imagesWritten(), c.pagerWritten ? 1 : 0);
    if (!c.pagerWritten) {
      EXPECT_EQ(b.sim.image(), before);
    }
    EXPECT_EQ(phases.back(), c.stopIn);
    ASSERT_FALSE(b.reporter.shown.empty());
    EXPECT_TRUE(b.reporter.shown.back().text.ends_with(c.said)) << b.reporter.shown.back().text;
  }
  // Unstopped, every phase in its order.
  Bench b(pagerOf(0x91));
  b.loadCodeplug(0x91);
  std::vector<link::LinkPhase> phases;
  link::LinkHooks hooks;
  hooks.phase = [&](link::LinkPhase phase) {
    if (phases.empty() || phases.back() != phase) phases.push_back(phase);
  };
  b.link.setHooks(hooks);
  ASSERT_TRUE(b.operations.RunPagerOperation(OperationKind::Program).succeeded());
  using link::LinkPhase;
  EXPECT_EQ(phases, (std::vector<LinkPhase>{LinkPhase::Waking, LinkPhase::Reading,
                                            LinkPhase::Waking, LinkPhase::Writing,
                                            LinkPhase::Waking, LinkPhase::SettingClock}));
}

// "U" stops a read with -22 but lets programming go on through the memory
// and serial number dialog; its Cancel stops programming.
TEST(PagerOperations, UnprogrammedPager) {
  {
    pagersim::SimulatorOptions options = pagerOf(0x91);
    options.status = 'U';
    Bench b(options);
    EXPECT_TRUE(b.operations.RunPagerOperation(OperationKind::Read).failedWith(rc::Unprogrammed));
    EXPECT_TRUE(b.link.state().unprogrammed);
  }
  for (errors::ResultCode answer : {rc::Ok, rc::Cancelled}) {
    pagersim::SimulatorOptions options = pagerOf('p');
    options.status = 'U';
    Bench b(options);
    b.loadCodeplug('p');
    b.dialogs.answer = answer;
    const OperationOutcome r = b.operations.RunPagerOperation(OperationKind::Program);
    EXPECT_EQ(b.dialogs.shown, 1);
    if (answer == rc::Ok) {
      EXPECT_TRUE(r.succeeded());
      EXPECT_EQ(b.sim.imagesWritten(), 1);
      EXPECT_EQ(std::string(b.sim.image().begin() + 0x5D, b.sim.image().begin() + 0x67),
                "NEW0000001");
    } else {
      EXPECT_EQ(r.kind, OutcomeKind::Stopped);
      EXPECT_EQ(r.code, rc::Cancelled);
      EXPECT_FALSE(r.pagerWritten);
      EXPECT_EQ(b.sim.imagesWritten(), 0);
    }
  }
}

TEST(PagerOperations, CodeChecksBeforeTheLink) {
  Bench b(pagerOf('p'));
  b.loadCodeplug('p');
  b.settings.code[0] = "       ";
  EXPECT_TRUE(b.operations.RunPagerOperation(OperationKind::Program).failedWith(rc::NoCode));
  b.settings.code[0] = "1234567";
  b.settings.code[1] = "1234567";
  EXPECT_TRUE(
      b.operations.RunPagerOperation(OperationKind::Program).failedWith(rc::DuplicateCodes));
  EXPECT_TRUE(b.reported(rc::DuplicateCodes));
  EXPECT_EQ(b.device.opens, 0);
}

TEST(PagerOperations, WrongPasswordIsReported) {
  pagersim::SimulatorOptions options = pagerOf(0x91);
  options.password = "RIGHT";
  Bench b(options);
  b.typedPassword = "WRONG";
  EXPECT_TRUE(b.operations.RunPagerOperation(OperationKind::Read).failedWith(rc::WrongPassword));
  EXPECT_EQ(b.passwordDialogs, 1);

  Bench ok(options);
  ok.typedPassword = "RIGHT";
  EXPECT_TRUE(ok.operations.RunPagerOperation(OperationKind::Read).succeeded());
}

TEST(PagerOperations, NakOnTheWrittenBlockIsReported) {
  pagersim::SimulatorOptions options = pagerOf(0x91);
  options.faults.nak.remaining = pagersim::Fault::kAlways;
  Bench b(options);
  b.loadCodeplug(0x91);
  const OperationOutcome programmed = b.operations.RunPagerOperation(OperationKind::Program);
  EXPECT_TRUE(programmed.failedWith(rc::BadChecksum));
  EXPECT_TRUE(programmed.reported);
  EXPECT_TRUE(b.reported(rc::BadChecksum));
  EXPECT_FALSE(programmed.pagerWritten);
  // The pager's own words first, then what its refusal left in it.
  ASSERT_FALSE(b.reporter.shown.empty());
  EXPECT_EQ(b.reporter.shown.back().text,
            "Bad checksum.\n" + std::string(operations::kRefusedImageDetail));
}

// A codeplug of a newer family than the pager: refused, nothing written.
TEST(PagerOperations, NewerCodeplugThanPagerIsRefused) {
  Bench b(pagerOf('1'));
  b.loadCodeplug('q');
  EXPECT_EQ(b.operations.RunPagerOperation(OperationKind::Program).kind, OutcomeKind::NotWritten);
  EXPECT_TRUE(b.reported(rc::CodeplugNewerThanPager));
  EXPECT_EQ(b.sim.imagesWritten(), 0);
}

// The converter on with a 'q' pager: -117 from the program sequence.
TEST(PagerOperations, ConverterOnRefusesALargePager) {
  Bench b(pagerOf('q'));
  b.loadCodeplug('q');
  b.converter.mode = pages::ConverterMode::Lumio;
  EXPECT_TRUE(b.operations.RunPagerOperation(OperationKind::Program)
                  .failedWith(rc::CodeplugNewerThanPager));
  EXPECT_EQ(b.sim.imagesWritten(), 0);
}

TEST(PagerOperations, CannedRangeQuestion) {
  for (bool yes : {false, true}) {
    Bench b(pagerOf('p'));
    b.loadCodeplug('p');
    b.image->header().cgromType = 1;
    b.settings.regularCannedMsg = 1;
    b.settings.startCannedMsg = "0000";
    b.settings.endCannedMsg = "0001";
    b.reporter.answer(yes);
    const OperationOutcome programmed = b.operations.RunPagerOperation(OperationKind::Program);
    EXPECT_EQ(programmed.kind, yes ? OutcomeKind::Done : OutcomeKind::NotWritten);
    EXPECT_EQ(programmed.pagerWritten, yes);
    EXPECT_EQ(b.asked(rc::CannedRangeReset), 1);
    EXPECT_EQ(b.sim.imagesWritten(), yes ? 1 : 0);
    if (yes) {
      EXPECT_EQ(b.settings.startCannedMsg, "3321");
      EXPECT_EQ(b.settings.endCannedMsg, "3F7E");
    }
  }
}

// Another pager put on the fixture after the probe: the run ends with -15
// (shown once by programming) and nothing is written; a read keeps the
// codeplug that was open. The first row was an uncaught out_of_range.
TEST(PagerOperations, ModelChangeWithinTheRunEndsIt) {
  struct Case {
    OperationKind kind;
    ModelCode first;
    ModelCode later;
  };
  const Case cases[] = {
      {OperationKind::Program, '0', 0x91}, {OperationKind::Program, 'p', 0x98},
      {OperationKind::Program, 0x91, 'q'}, {OperationKind::Program, 'q', 0x93},
      {OperationKind::Read, '0', 0x91},    {OperationKind::Read, 0x91, 'u'},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.first) + " then " + std::to_string(c.later));
    pagersim::SimulatorOptions options = pagerOf(c.first);
    options.faults.swapModel = c.later;
    Bench b(options);
    b.loadCodeplug(c.first);
    const auto before = b.currentImage(1024);
    const OperationOutcome r = b.operations.RunPagerOperation(c.kind);
    EXPECT_TRUE(r.failedWith(rc::UnknownPagerType));
    EXPECT_EQ(b.sim.imagesWritten(), 0);
    EXPECT_FALSE(r.pagerWritten);
    EXPECT_FALSE(b.device.isOpen());
    EXPECT_EQ(b.link.state().modelCode, models::kNoModel);
    if (c.kind == OperationKind::Program) {
      EXPECT_EQ(b.reporter.shown.size(), 1U);
      EXPECT_TRUE(b.reported(rc::UnknownPagerType));
    } else {
      EXPECT_EQ(b.currentImage(1024), before);
      EXPECT_EQ(b.image->modelCode(), c.first);
    }
  }
}

// The simulator leaves half-way through the written block and takes its
// port with it, as an unplugged adapter does. Whether the retry question
// is answered or not, the last box tells the operator that the pager holds
// part of an image, and the run does not count as written.
TEST(PagerOperations, AWriteCutOffHalfWayIsNamed) {
  for (ModelCode model : {ModelCode{'p'}, ModelCode{0x91}}) {
    for (bool retry : {false, true}) {
      SCOPED_TRACE(std::to_string(model) + (retry ? ", retried" : ""));
      pagersim::SimulatorOptions options = pagerOf(model);
      options.faults.exitMidWrite = true;
      Bench b(options);
      b.loadCodeplug(model);
      b.reporter.answer(retry);
      const OperationOutcome r = b.operations.RunPagerOperation(OperationKind::Program);
      EXPECT_TRUE(r.failedWith(rc::NotResponding) || r.failedWith(rc::PortNotOpened)) << r.code;
      EXPECT_TRUE(r.writeInterrupted);
      EXPECT_FALSE(r.pagerWritten);
      EXPECT_EQ(b.sim.imagesWritten(), 0);
      ASSERT_FALSE(b.reporter.shown.empty());
      const std::string& last = b.reporter.shown.back().text;
      EXPECT_NE(last.find("while the image was being written"), std::string::npos) << last;
      EXPECT_NE(last.find("must be programmed again before use"), std::string::npos) << last;

      // The next run stops at its code checks, before the link: the cut-off
      // write belongs to the run before.
      b.settings.code[0] = "       ";
      const OperationOutcome next = b.operations.RunPagerOperation(OperationKind::Program);
      EXPECT_TRUE(next.failedWith(rc::NoCode));
      EXPECT_FALSE(next.writeInterrupted);
      EXPECT_EQ(b.reporter.shown.back().code, rc::NoCode);
    }
  }
}

// A refused block is the pager's own verdict, not a write cut off.
TEST(PagerOperations, ARefusedBlockIsNoInterruptedWrite) {
  pagersim::SimulatorOptions options = pagerOf('p');
  options.faults.nak.remaining = pagersim::Fault::kAlways;
  Bench b(options);
  b.loadCodeplug('p');
  const OperationOutcome r = b.operations.RunPagerOperation(OperationKind::Program);
  EXPECT_TRUE(r.failedWith(rc::BadChecksum)) << r.code;
  EXPECT_FALSE(r.writeInterrupted);
  EXPECT_EQ(b.reporter.shown.size(), 1U);
}

// A decoder that fails as a programming fault would.
class ThrowingCodec : public codeplug::CodeplugCodec {
 public:
  errors::ResultCode decode(codeplug::DecodeCommand, codeplug::CodeplugImage&,
                            codeplug::SettingsRecord&,
                            const codeplug::DecodeContext&) const override {
    throw std::out_of_range("image field at 0xFFFF");
  }
  errors::ResultCode build(codeplug::CodeplugImage& image, codeplug::SettingsRecord& settings,
                           const codeplug::BuildContext& context) const override {
    return codeplug::standardCodec().build(image, settings, context);
  }
  void loadDefaultPrompts(codeplug::SettingsRecord& settings, ModelCode model) const override {
    codeplug::standardCodec().loadDefaultPrompts(settings, model);
  }
};

// No exception leaves an operation: it ends with a result code that names
// the fault, the port closed, and the link usable for the next operation.
TEST(PagerOperations, ExceptionInsideAnOperationBecomesAResultCode) {
  Bench b(pagerOf(0x91));
  ThrowingCodec codec;
  storage::CodeplugSession session{*b.image, b.settings, b.work, b.reporter, codec};
  operations::PagerOperations throwing{b.link, session, b.converter, b.dialogs, b.ops};
  OperationOutcome r;
  EXPECT_NO_THROW(r = throwing.RunPagerOperation(OperationKind::Read));
  EXPECT_TRUE(r.failedWith(rc::InternalFault));
  EXPECT_FALSE(b.device.isOpen());
  EXPECT_EQ(b.link.state().modelCode, models::kNoModel);
  const std::string text = errors::reportMessage(r.code, b.reporter.context()).text;
  EXPECT_NE(text.find("image field at 0xFFFF"), std::string::npos) << text;
  EXPECT_TRUE(b.operations.RunPagerOperation(OperationKind::Read).succeeded());
}

}  // namespace
}  // namespace zelta::testing
