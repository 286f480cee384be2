#include <gtest/gtest.h>

#include <map>
#include <string>

#include "pages/code_predicates.h"
#include "rules_field_events.h"
#include "window_fixture.h"

namespace zelta::window {
namespace {

namespace rc = errors::code;
using errors::OperationOutcome;
using pages::Page;

// One code that receives, on the codeplug's own frequency, and an ICN with
// a counter: what sequential programming moves on.
void oneReceivingCode(codeplug::SettingsRecord& s) {
  for (std::string& c : s.code) c.clear();
  s.code[0] = "1234567";
  s.codeType[0] = pages::Individual;
  s.function[0] = "ABCD";
  s.ICN = "KEEP000001";
}

// A codeplug of model 0x30 on its General page in sequential mode: loaded,
// then F6 with that pager in the fixture (no read needed).
void sequentialOn(WindowFixture& f) {
  f.loadNew(0x30);
  f.window.exitToMain(false);
  f.port.pager.reportedModel = 0x30;
  f.press(WindowKey::F6);
  ASSERT_TRUE(f.window.sequentialMode());
  ASSERT_EQ(f.window.activePage(), Page::General);
  oneReceivingCode(f.window.settings());
}

// ---- Busy, the operation text and the link's facts ----

TEST(WindowPagerFlows, TheWindowIsBusyWithTheOperationTextOnlyWhileTheOperationRuns) {
  WindowFixture f;
  f.loadNew(0x30);
  oneReceivingCode(f.window.settings());
  f.port.pager.rateCode = 162;
  WindowView during;
  f.port.duringProgram = [&] { during = f.window.view(); };
  f.press(WindowKey::F2);
  EXPECT_EQ(during.operationText, "Programming - Please wait. (Rate: 9600bps)");
  EXPECT_FALSE(during.pagesEnabled);
  EXPECT_FALSE(during.enabled("menuSave"));
  EXPECT_GE(f.port.redraws, 1);
  EXPECT_FALSE(f.window.busy());
  EXPECT_TRUE(f.window.view().pagesEnabled);
}

TEST(WindowPagerFlows, WhatTheReadLearntReachesThePageRules) {
  // `cb_codingFormat`: its 2400 baud item is refused on the oldest firmware.
  pages::FieldInput twoThousandFourHundred;
  twoThousandFourHundred.id = 4;
  twoThousandFourHundred.index = 2;
  for (const bool oldestFirmware : {false, true}) {
    WindowFixture f;
    f.port.duringRead = [&f, oldestFirmware] {
      f.port.pager.facts.limitedBaudFirmware = oldestFirmware;
    };
    f.press(WindowKey::F3);
    ASSERT_EQ(f.window.activePage(), Page::General);
    EXPECT_EQ(f.window.fieldLeft(twoThousandFourHundred) == rc::Ok, !oldestFirmware);
  }
}

// ---- F2 ----

TEST(WindowPagerFlows, AConvertedCodeplugIsProgrammedAsItsSourceModel) {
  struct Case {
    pages::ConverterMode converter;
    models::ModelCode source;
  };
  for (const Case c : {Case{pages::ConverterMode::Off, '0'}, Case{pages::ConverterMode::Lumio, '0'},
                       Case{pages::ConverterMode::Varda, '0'}}) {
    WindowFixture f;
    f.loadNew('0');
    f.window.chooseConverter(c.converter);
    oneReceivingCode(f.window.settings());
    f.press(WindowKey::F2);
    ASSERT_EQ(f.port.programRequests.size(), 1u);
    EXPECT_EQ(f.port.programRequests[0].sourceModel, c.source);
    EXPECT_TRUE(f.port.programRequests[0].backup);
  }
}

TEST(WindowPagerFlows, EveryProgrammingRunAskedForCountsAsAnAttempt) {
  WindowFixture f;
  f.loadNew(0x30);
  oneReceivingCode(f.window.settings());
  f.port.programOutcomes.push_back(OperationOutcome::failed(rc::NoCode, true));
  f.press(WindowKey::F2);
  f.press(WindowKey::F2);
  ASSERT_EQ(f.port.programRequests.size(), 2u);
  EXPECT_FALSE(f.port.programRequests[0].programmingAttempted);
  EXPECT_TRUE(f.port.programRequests[1].programmingAttempted);
}

TEST(WindowPagerFlows, SequentialModeMovesTheCodesAndIcnOnOnlyOnceWritten) {
  struct Case {
    OperationOutcome outcome;
    std::string code;
    std::string icn;
  };
  for (const Case& c :
       {Case{OperationOutcome::done(true), "1234569", "KEEP000002"},
        // The clock failed after the image: the pager holds it.
        Case{OperationOutcome::failed(rc::NotResponding, true, true), "1234569", "KEEP000002"},
        Case{OperationOutcome::notWritten(), "1234567", "KEEP000001"},
        Case{OperationOutcome::stopped(true), "1234567", "KEEP000001"}}) {
    WindowFixture f;
    sequentialOn(f);
    f.window.settings().noSequentialInc = 2;
    f.port.programOutcomes.push_back(c.outcome);
    f.press(WindowKey::F2);
    EXPECT_EQ(f.port.programRequests.size(), 1u);
    // Sequential mode stays on its page for the next pager.
    EXPECT_EQ(f.window.activePage(), Page::General) << c.outcome.code;
    EXPECT_TRUE(f.window.sequentialMode());
    EXPECT_EQ(f.window.settings().code[0], c.code) << c.outcome.code;
    EXPECT_EQ(f.window.settings().ICN, c.icn) << c.outcome.code;
    EXPECT_EQ(f.window.view().operationText, "");
  }
}

TEST(WindowPagerFlows, Minus118EndsSequentialModeOnMainWithNoModel) {
  WindowFixture f;
  sequentialOn(f);
  f.port.programOutcomes.push_back(OperationOutcome::failed(rc::VersionsMismatch, true));
  f.press(WindowKey::F2);
  EXPECT_EQ(f.window.activePage(), Page::Main);
  EXPECT_FALSE(f.window.sequentialMode());
  EXPECT_FALSE(f.window.codeplugLoaded());
  EXPECT_EQ(f.window.model(), models::kNoModel);
  EXPECT_EQ(f.window.view().operationText, "");
}

TEST(WindowPagerFlows, AFailingCapcodeCheckStopsSequentialProgrammingBeforeThePager) {
  WindowFixture f;
  sequentialOn(f);
  f.window.settings().code[1] = "1234567";
  f.window.settings().codeType[1] = pages::Individual;
  f.window.settings().function[1] = "ABCD";
  f.press(WindowKey::F2);
  EXPECT_TRUE(f.port.programRequests.empty());
  EXPECT_TRUE(f.reported(rc::DuplicateCodes));
  EXPECT_EQ(f.window.settings().ICN, "KEEP000001");
}

// ---- The word after programming ----

constexpr const char* kSerial = "1234567890";

TEST(WindowPagerFlows, SingleProgrammingLeavesItsLineUntilTheNextCommand) {
  WindowFixture f;
  f.loadNew(0x30);
  oneReceivingCode(f.window.settings());
  f.port.pager.facts.pagerSerialNumber = kSerial;
  f.press(WindowKey::F2);
  ASSERT_EQ(f.window.activePage(), Page::Main);
  const WindowView v = f.window.view();
  EXPECT_EQ(v.statusResult, "Programmed pager SN 1234567890: codes 1234567, ICN KEEP000001");
  EXPECT_EQ(v.operationText, "");
  // Not offered on "Main": no command, the line stays.
  f.window.pressKey(WindowKey::F9);
  EXPECT_FALSE(f.window.view().statusResult.empty());
  f.window.pressKey(WindowKey::F8);
  EXPECT_EQ(f.window.view().statusResult, "");
}

// Only a run that ended well says so: a pager whose clock failed after the
// image holds it, but its box has told of the failure.
TEST(WindowPagerFlows, AProgrammingThatFailedLeavesNoLine) {
  for (const OperationOutcome& outcome :
       {OperationOutcome::notWritten(), OperationOutcome::stopped(true),
        OperationOutcome::failed(rc::NotResponding, true),
        OperationOutcome::failed(rc::NotResponding, true, true),
        OperationOutcome::failed(rc::PortNotOpened, true, true)}) {
    for (const bool sequential : {false, true}) {
      SCOPED_TRACE(std::to_string(outcome.code) + (sequential ? " sequential" : " single"));
      WindowFixture f;
      if (sequential) {
        sequentialOn(f);
        f.press(WindowKey::F2);  // one pager written well first
        ASSERT_FALSE(f.window.view().statusResult.empty());
      } else {
        f.loadNew(0x30);
        oneReceivingCode(f.window.settings());
      }
      f.port.programOutcomes.push_back(outcome);
      f.press(WindowKey::F2);
      EXPECT_EQ(f.window.view().statusResult, "");
    }
  }
}

TEST(WindowPagerFlows, SequentialProgrammingCountsThePagersAndAsksForTheNext) {
  WindowFixture f;
  sequentialOn(f);
  f.port.pager.facts.pagerSerialNumber = kSerial;
  f.press(WindowKey::F2);
  EXPECT_EQ(f.window.view().statusResult,
            "Pager 1 programmed SN 1234567890: codes 1234567, ICN KEEP000001. Insert the next "
            "pager and press F2.");
  // A pager the link gave up on after its image counts: its codes are used.
  f.port.programOutcomes.push_back(OperationOutcome::failed(rc::NotResponding, true, true));
  f.press(WindowKey::F2);
  f.port.pager.facts.pagerSerialNumber = "1234567899";
  f.press(WindowKey::F2);
  EXPECT_EQ(f.window.view().statusResult,
            "Pager 3 programmed SN 1234567899: codes 1234569, ICN KEEP000003. Insert the next "
            "pager and press F2.");

  // A new run counts from one.
  f.frontEnd.unsavedAnswers.push_back(UnsavedEditsAnswer::Discard);
  f.window.pressKey(WindowKey::F10);
  f.press(WindowKey::F6);
  ASSERT_TRUE(f.window.sequentialMode());
  f.press(WindowKey::F2);
  EXPECT_EQ(f.window.view().statusResult.rfind("Pager 1 programmed", 0), 0u);
}

TEST(WindowPagerFlows, TheServiceWindowsProgrammingLeavesItsLine) {
  for (const bool fails : {false, true}) {
    WindowFixture f;
    f.loadNew(0x30);
    oneReceivingCode(f.window.settings());
    f.window.exitToMain(false);
    f.port.pager.facts.pagerSerialNumber = kSerial;
    if (fails) f.port.programOutcomes.push_back(OperationOutcome::failed(rc::BadChecksum, true));
    f.port.serviceWindow = [&](const ServiceStart&, const ServiceProgram& program) {
      return program().succeeded();
    };
    f.press(WindowKey::F4);
    EXPECT_EQ(f.window.view().statusResult,
              fails ? "" : "Programmed pager SN 1234567890: codes 1234567, ICN KEEP000001");
  }
}

// ---- F4 ----

TEST(WindowPagerFlows, ServiceOpensAfterTheReadAsTheReadAllows) {
  struct Case {
    OperationOutcome read;
    bool opens;
    bool adjustOffered;
  };
  for (const Case& c : {Case{OperationOutcome::done(), true, true},
                        Case{OperationOutcome::failed(rc::ReadBackFailed), true, false},
                        Case{OperationOutcome::failed(rc::NotResponding, true), false, false},
                        Case{OperationOutcome::failed(rc::PortNotOpened, true), false, false}}) {
    WindowFixture f;
    f.port.readOutcomes.push_back(c.read);
    EXPECT_EQ(f.press(WindowKey::F4), KeyOutcome::Service);
    EXPECT_EQ(f.port.reads, 1);
    ASSERT_EQ(f.port.serviceStarts.size(), c.opens ? 1u : 0u) << c.read.code;
    if (c.opens) {
      EXPECT_EQ(f.port.serviceStarts[0].adjustOffered, c.adjustOffered);
    }
    // A failure is told once: by the operation, or by the flow.
    EXPECT_EQ(f.reporter.shown.size() + f.reporter.asked.size(), c.read.succeeded() ? 0u : 1u)
        << c.read.code;
    if (!c.read.succeeded() && !c.read.reported) {
      EXPECT_TRUE(f.reported(c.read.code));
    }
    EXPECT_EQ(f.window.activePage(), Page::Main);
    EXPECT_EQ(f.window.view().operationText, "");
    EXPECT_FALSE(f.window.busy());
  }
}

TEST(WindowPagerFlows, TheServiceWindowProgramsWithoutABackupAndMainReturnsToMain) {
  for (const bool programs : {false, true}) {
    WindowFixture f;
    f.loadNew(0x30);
    f.window.exitToMain(false);
    f.port.serviceWindow = [&](const ServiceStart&, const ServiceProgram& program) {
      if (!programs) return false;
      EXPECT_TRUE(program().succeeded());
      return true;
    };
    f.press(WindowKey::F4);
    ASSERT_EQ(f.port.programRequests.size(), programs ? 1u : 0u);
    if (programs) {
      EXPECT_FALSE(f.port.programRequests[0].backup);
      EXPECT_EQ(f.port.programRequests[0].sourceModel, 0x30);
    }
    EXPECT_EQ(f.window.activePage(), Page::Main);
  }
}

TEST(WindowPagerFlows, TheServiceWindowHandsOnTheFailureOfItsProgramming) {
  WindowFixture f;
  f.port.programOutcomes.push_back(OperationOutcome::failed(rc::BadChecksum, true));
  OperationOutcome got;
  f.port.serviceWindow = [&](const ServiceStart&, const ServiceProgram& program) {
    got = program();
    return false;
  };
  f.press(WindowKey::F4);
  EXPECT_EQ(got, OperationOutcome::failed(rc::BadChecksum, true));
}

// ---- Link faults ----

// Every fault of the link ends in the one box of its result code (shown by
// the operation, or by the flow when the operation has not), and the
// codeplug on screen stays as it was, edits and all: a failed F3 stays on
// "Main", a failed F2 on its page, and sequential mode moves no code on.
TEST(WindowPagerFlows, ALinkFaultEndsInItsBoxAndLeavesTheCodeplugAsItWas) {
  enum class Press { F3, F2, SequentialF2 };
  struct Case {
    const char* faults;
    Press press;
    OperationOutcome outcome;
  };
  const OperationOutcome silent = OperationOutcome::failed(rc::NotResponding, true);
  const OperationOutcome gone = OperationOutcome::failed(rc::PortNotOpened, true);
  const Case cases[] = {
      {"silent, no echo, garbage", Press::F3, silent},
      {"silent, no echo, garbage", Press::F2, silent},
      {"silent, no echo, garbage", Press::SequentialF2, silent},
      {"exit mid-block", Press::F3, gone},
      {"exit mid-block", Press::F2, gone},
      {"exit mid-block", Press::SequentialF2, gone},
      // The read leaves its failure to the window.
      {"bad checksum", Press::F3, OperationOutcome::failed(rc::ReadBackFailed)},
      {"NAK", Press::F2, OperationOutcome::failed(rc::BadChecksum, true)},
      {"NAK", Press::SequentialF2, OperationOutcome::failed(rc::BadChecksum, true)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.faults) + ", key " + std::to_string(static_cast<int>(c.press)));
    WindowFixture f;
    const bool sequential = c.press == Press::SequentialF2;
    if (sequential) {
      sequentialOn(f);
    } else {
      f.loadNew(0x30);
      oneReceivingCode(f.window.settings());
    }
    // The page checks before programming settle what they derive from the
    // edits: what is compared is what the pager's failure could change.
    f.window.save();
    // F3 is offered on "Main"; the codeplug stays in memory there.
    if (c.press == Press::F3) f.window.exitToMain(false);
    const Page page = f.window.activePage();
    const std::string name = f.window.codeplugName();
    const auto before = testing::settingsText(f.window.settings());

    if (c.press == Press::F3)
      f.port.readOutcomes.push_back(c.outcome);
    else
      f.port.programOutcomes.push_back(c.outcome);
    f.press(c.press == Press::F3 ? WindowKey::F3 : WindowKey::F2);

    if (c.outcome.code == rc::NotResponding) {
      ASSERT_EQ(f.reporter.asked.size(), 1u);
      EXPECT_EQ(f.reporter.asked[0].code, rc::NotResponding);
      EXPECT_TRUE(f.reporter.shown.empty());
    } else {
      EXPECT_TRUE(f.reporter.asked.empty());
      ASSERT_EQ(f.reporter.shown.size(), 1u);
      EXPECT_TRUE(f.reported(c.outcome.code));
    }
    EXPECT_FALSE(f.window.busy());
    EXPECT_EQ(f.window.view().operationText, "");
    EXPECT_EQ(f.window.activePage(), page);
    EXPECT_EQ(f.window.sequentialMode(), sequential);
    EXPECT_EQ(f.window.codeplugName(), name);
    EXPECT_EQ(f.window.model(), models::ModelCode{0x30});
    EXPECT_EQ(testing::changedSettings(before, f.window.settings()),
              (std::map<std::string, std::string>{}));
  }
}

}  // namespace
}  // namespace zelta::window
