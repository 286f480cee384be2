#include "window/service_controller.h"

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include "codeplug/codec.h"
#include "codeplug/new_codeplug.h"
#include "recording_reporter.h"

namespace zelta::window {
namespace {

namespace rc = errors::code;
using errors::ResultCode;

link::TestReply reply(std::vector<std::uint8_t> bytes, ResultCode result = rc::Ok) {
  link::TestReply r;
  r.result = result;
  for (std::size_t i = 0; i < bytes.size() && i < 2; ++i) r.bytes[i] = bytes[i];
  r.count = static_cast<int>(std::min<std::size_t>(bytes.size(), 2));
  return r;
}

// The pager work answered from queues and recorded; every call sees the
// controller as it stands while the pager is busy.
class FakeServiceLink : public ServiceLink {
 public:
  struct Sent {
    std::uint8_t command;
    int replyKind;
    bool operator==(const Sent&) const = default;
  };
  std::vector<link::PagerMode> modes;
  ModeSwitch modeAnswer{rc::Ok, std::nullopt};
  ResultCode testModeAnswer = rc::Ok;
  std::vector<Sent> sent;
  std::deque<link::TestReply> replies;  // "." once empty
  int programs = 0;
  errors::OperationOutcome programAnswer = errors::OperationOutcome::done(true);
  int rate = 170;
  // Called inside every pager call.
  std::function<void()> during;

  ModeSwitch switchMode(link::PagerMode mode) override {
    modes.push_back(mode);
    call();
    return modeAnswer;
  }
  ResultCode enterTestMode() override {
    call();
    return testModeAnswer;
  }
  link::TestReply sendTestCommand(std::uint8_t command, int replyKind) override {
    sent.push_back({command, replyKind});
    call();
    if (replies.empty()) return reply({'.'});
    link::TestReply r = replies.front();
    replies.pop_front();
    return r;
  }
  errors::OperationOutcome program() override {
    ++programs;
    call();
    return programAnswer;
  }
  int rateCode() const override { return rate; }

 private:
  void call() {
    if (during) during();
  }
};

// A service window over a new codeplug of the model.
struct ServiceFixture {
  explicit ServiceFixture(models::ModelCode model, ServiceStart start = {true, true}) {
    codeplug::setUpNewCodeplug(model, *image, settings);
    controller = std::make_unique<ServiceController>(settings, model, link, reporter, start);
  }

  void openAdjust() {
    reporter.answer(true);
    ASSERT_EQ(controller->pressKey(WindowKey::F3), ServiceOutcome::Handled);
    ASSERT_EQ(controller->view().page, ServicePage::Adjust);
  }
  void openTest() {
    ASSERT_EQ(controller->pressKey(WindowKey::F5), ServiceOutcome::Handled);
    ASSERT_EQ(controller->view().page, ServicePage::Test);
  }
  bool reported(ResultCode code) const {
    const std::string text = errors::reportText(code, {});
    for (const errors::Message& m : reporter.shown) {
      if (m.text == text) return true;
    }
    return false;
  }
  std::vector<std::string_view> enabledItems() const {
    std::vector<std::string_view> names;
    for (const ServiceItemState& item : controller->view().items) {
      if (item.enabled) names.push_back(item.name);
    }
    return names;
  }

  std::unique_ptr<codeplug::CodeplugImage> image = std::make_unique<codeplug::CodeplugImage>();
  codeplug::SettingsRecord settings;
  FakeServiceLink link;
  testing::RecordingReporter reporter;
  std::unique_ptr<ServiceController> controller;
};

constexpr WindowKey kFunctionKeys[] = {
    WindowKey::F1, WindowKey::F2, WindowKey::F3, WindowKey::F4,  WindowKey::F5,  WindowKey::F6,
    WindowKey::F7, WindowKey::F8, WindowKey::F9, WindowKey::F10, WindowKey::F11, WindowKey::F12};

// ---- Keys and menu items ----

TEST(ServiceKeys, EachPageHandlesItsKeysAndAnswersTheRestInvalid) {
  using A = ServiceAction;
  constexpr A I = A::InvalidKey;
  const std::pair<ServicePage, std::array<A, 12>> tables[] = {
      {ServicePage::Main,
       {A::Help, I, A::Adjust, I, A::TestMode, A::QuickPage, A::KeepOnlyGoodMessages, I, A::Chirp,
        A::CloseWindow, I, I}},
      {ServicePage::Adjust, {A::Help, A::Program, I, I, I, I, I, I, I, A::LeaveAdjust, I, I}},
      {ServicePage::Test, {A::Help, I, I, I, I, I, I, A::SendTest, I, A::LeaveTestMode, I, I}},
  };
  for (const auto& [page, actions] : tables) {
    for (std::size_t k = 0; k < std::size(kFunctionKeys); ++k) {
      EXPECT_EQ(serviceAction(page, kFunctionKeys[k]), actions[k])
          << "page " << int(page) << ", F" << k + 1;
    }
  }
}

TEST(ServiceKeys, TheMenuOffersTheKeysOfThePageShown) {
  ServiceFixture f(0x30);
  using Names = std::vector<std::string_view>;
  EXPECT_EQ(f.enabledItems(), (Names{"smenuHelp", "smenuAdjust", "smenuTest", "smenuQuick",
                                     "smenuMsg", "smenuChirp", "smenuExit"}));
  f.openAdjust();
  EXPECT_EQ(f.enabledItems(), (Names{"smenuHelp", "smenuExit", "smenuProgram"}));
  EXPECT_EQ(f.controller->view().keyHints, "F1-Help | F2-Program | F10-Exit");
  f.controller->pressKey(WindowKey::F10);
  f.openTest();
  EXPECT_EQ(f.enabledItems(), (Names{"smenuHelp", "smenuExit", "smenuCommand"}));
  EXPECT_EQ(f.controller->view().keyHints, "F1-Help | F8-Scan Command | F10-Exit");
}

TEST(ServiceKeys, TheWindowOpensOnItsMainPageWithEmptyPanels) {
  ServiceFixture f(0x98);
  const ServiceView v = f.controller->view();
  EXPECT_EQ(v.page, ServicePage::Main);
  EXPECT_EQ(v.operationText, "");
  EXPECT_EQ(v.keyHints, "");
  EXPECT_EQ(kAnnunciatorCommands[static_cast<std::size_t>(v.annunciator)].caption, "ALL ON");
}

TEST(ServiceKeys, AKeyThePageDoesNotHandleSaysInvalidKey) {
  ServiceFixture f(0x30);
  EXPECT_EQ(f.controller->pressKey(WindowKey::F8), ServiceOutcome::InvalidKey);
  ASSERT_EQ(f.reporter.shown.size(), 1u);
  EXPECT_EQ(f.reporter.shown[0].caption, "INFORMATION");
  EXPECT_EQ(f.reporter.shown[0].text, "Invalid Key");
  EXPECT_TRUE(f.link.sent.empty());
}

TEST(ServiceKeys, KeysWaitWhileThePagerIsBusy) {
  ServiceFixture f(0x30);
  ServiceOutcome nested = ServiceOutcome::Handled;
  bool itemsOff = false;
  f.link.during = [&] {
    nested = f.controller->pressKey(WindowKey::F10);
    const ServiceView v = f.controller->view();
    itemsOff = !v.pagesEnabled && f.enabledItems().empty();
  };
  f.controller->pressKey(WindowKey::F6);
  EXPECT_EQ(nested, ServiceOutcome::Ignored);
  EXPECT_TRUE(itemsOff);
  EXPECT_FALSE(f.controller->closed());
  EXPECT_TRUE(f.controller->view().pagesEnabled);
}

TEST(ServiceKeys, F10OnTheMainPageClosesTheWindow) {
  ServiceFixture f(0x30);
  EXPECT_EQ(f.controller->pressKey(WindowKey::F10), ServiceOutcome::CloseWindow);
  EXPECT_TRUE(f.controller->closed());
  EXPECT_FALSE(f.controller->mainReturnsToMain());
}

TEST(ServiceKeys, F1OpensHelpOnEveryPage) {
  ServiceFixture f(0x30);
  EXPECT_EQ(f.controller->pressKey(WindowKey::F1), ServiceOutcome::OpenHelp);
  f.openAdjust();
  EXPECT_EQ(f.controller->pressKey(WindowKey::F1), ServiceOutcome::OpenHelp);
  f.controller->pressKey(WindowKey::F10);
  f.openTest();
  EXPECT_EQ(f.controller->pressKey(WindowKey::F1), ServiceOutcome::OpenHelp);
}

// ---- Opening after the read ----

TEST(ServiceStartTest, AReadPagerOffersEverythingAndNoPagerNothing) {
  struct Case {
    ResultCode read;
    bool opens;
    bool adjust;
    bool reported;
  };
  const Case cases[] = {
      {rc::Ok, true, true, false},
      {rc::NotResponding, false, false, false},  // answered No at the retry question
      {rc::PortNotOpened, false, false, false},  // the port layer's box
      {rc::Unprogrammed, true, false, true},
      {rc::NewerPagerImage, true, false, true},
  };
  for (const Case& c : cases) {
    testing::RecordingReporter reporter;
    const ServiceStart start = serviceStartAfterRead(c.read, reporter);
    EXPECT_EQ(start.opens, c.opens) << c.read;
    EXPECT_EQ(start.adjustOffered, c.adjust) << c.read;
    EXPECT_EQ(reporter.shown.size(), c.reported ? 1u : 0u) << c.read;
  }
}

TEST(ServiceStartTest, WithoutAReadTheAdjustPageIsNotOffered) {
  ServiceFixture f(0x30, ServiceStart{true, false});
  EXPECT_FALSE(f.controller->view().enabled("smenuAdjust"));
  EXPECT_TRUE(f.controller->view().enabled("smenuTest"));
  EXPECT_EQ(f.controller->pressKey(WindowKey::F3), ServiceOutcome::InvalidKey);
  EXPECT_TRUE(f.reporter.asked.empty()) << "no -73 question";
  EXPECT_EQ(f.controller->view().page, ServicePage::Main);
}

// ---- The adjust page ----

TEST(ServiceAdjust, F3AsksTheTuningQuestionFirst) {
  ServiceFixture f(0x30);
  f.reporter.answer(false);
  f.controller->pressKey(WindowKey::F3);
  ASSERT_EQ(f.reporter.asked.size(), 1u);
  EXPECT_EQ(f.reporter.asked[0].code, rc::ServiceTuningWarning);
  EXPECT_EQ(f.controller->view().page, ServicePage::Main);
  f.openAdjust();
  const ServiceView v = f.controller->view();
  EXPECT_EQ(v.focus.target, ServiceFocus::Target::AdjustField);
  EXPECT_EQ(v.focus.field, AdjustField::SecondAdjust);
  // The decoder's "009" shows as its number.
  EXPECT_EQ(v.adjust.textContrast, "9");
  EXPECT_EQ(v.adjust.iconContrast, "3");
}

TEST(ServiceAdjust, TheLcdPairReplacesTheTextContrastOnFamiliesDToF) {
  for (const int model : {0x91, 0x93, 0x95, 0x98, 0x99}) {
    EXPECT_TRUE(hasLcdAdjustment(static_cast<models::ModelCode>(model))) << model;
  }
  for (const int model : {0x21, 0x30, 0x70, 0x71, 0x75}) {
    EXPECT_FALSE(hasLcdAdjustment(static_cast<models::ModelCode>(model))) << model;
  }
  EXPECT_TRUE(ServiceFixture(0x98).controller->view().lcdPairShown);
  EXPECT_FALSE(ServiceFixture('q').controller->view().lcdPairShown);
}

TEST(ServiceAdjust, ChecksInOrderWithTheirCodeAndField) {
  struct Case {
    const char* text;
    const char* icon;
    const char* lcd1;
    bool lcdPair;
    ResultCode code;
    std::optional<AdjustField> field;
  };
  const Case cases[] = {
      {"15", "3", "16", true, rc::Ok, std::nullopt},
      {"0", "0", "0", true, rc::Ok, std::nullopt},
      {"16", "3", "0", false, rc::TextContrast, AdjustField::TextContrast},
      {"20", "2", "0", false, rc::TextContrast, AdjustField::TextContrast},
      {"20", "9", "99", true, rc::TextContrast, AdjustField::TextContrast},
      {"9", "4", "0", false, rc::IconContrast, AdjustField::IconContrast},
      {"9", "3", "17", true, rc::TextContrast16, AdjustField::Lcd1},
      {"9", "3", "17", false, rc::Ok, std::nullopt},  // no LCD pair on the model
      {"", "3", "0", false, rc::TextContrast, AdjustField::TextContrast},
      {"9", "", "0", false, rc::IconContrast, AdjustField::IconContrast},
  };
  for (const Case& c : cases) {
    AdjustValues fields;
    fields.textContrast = c.text;
    fields.iconContrast = c.icon;
    fields.lcdAdjust1 = c.lcd1;
    const AdjustCheck check = checkAdjustFields(fields, c.lcdPair);
    EXPECT_EQ(check.code, c.code) << c.text << " " << c.icon << " " << c.lcd1;
    EXPECT_EQ(check.field, c.field) << c.text << " " << c.icon << " " << c.lcd1;
  }
}

TEST(ServiceAdjust, TextContrast20IsRefusedAndNothingIsProgrammed) {
  ServiceFixture f(0x30);
  const ServiceValues before = ServiceValues::of(f.settings);
  f.openAdjust();
  f.controller->adjustTextEdited(AdjustField::TextContrast, "20");
  f.controller->adjustTextEdited(AdjustField::IconContrast, "2");
  EXPECT_EQ(f.controller->pressKey(WindowKey::F2), ServiceOutcome::Handled);
  ASSERT_EQ(f.reporter.shown.size(), 1u);
  EXPECT_TRUE(f.reported(rc::TextContrast));
  EXPECT_EQ(f.reporter.shown[0].caption, "WARNING");
  EXPECT_EQ(f.link.programs, 0);
  EXPECT_EQ(ServiceValues::of(f.settings), before);
  const ServiceView v = f.controller->view();
  EXPECT_EQ(v.page, ServicePage::Adjust);
  EXPECT_EQ(v.focus.field, AdjustField::TextContrast);
  EXPECT_FALSE(f.controller->closed());
}

TEST(ServiceAdjust, LeavingAFieldRunsTheChecks) {
  ServiceFixture f(0x30);
  f.openAdjust();
  f.controller->adjustTextEdited(AdjustField::IconContrast, "7");
  f.controller->adjustFieldLeft(AdjustField::IconContrast);
  EXPECT_TRUE(f.reported(rc::IconContrast));
  EXPECT_EQ(f.controller->view().focus.field, AdjustField::IconContrast);
}

TEST(ServiceAdjust, TheSecondLcdValueFollowsTheFirst) {
  ServiceFixture f(0x98);
  f.openAdjust();
  f.controller->adjustTextEdited(AdjustField::Lcd1, "7");
  EXPECT_EQ(f.controller->view().adjust.lcdAdjust2, "22");
  f.controller->adjustTextEdited(AdjustField::Lcd1, "");
  EXPECT_EQ(f.controller->view().adjust.lcdAdjust1, "0");
  EXPECT_EQ(f.controller->view().adjust.lcdAdjust2, "15");
  f.controller->adjustTextEdited(AdjustField::Lcd1, "17");
  f.controller->adjustFieldLeft(AdjustField::Lcd1);
  EXPECT_TRUE(f.reported(rc::TextContrast16));
  EXPECT_EQ(f.reporter.shown[0].caption, "ERROR") << "-130 is shown in the error class";
}

TEST(ServiceAdjust, F10PutsBackTheValuesThePageOpenedWith) {
  ServiceFixture f(0x98);
  f.settings.lcdAdjust1 = 4;
  f.settings.lcdAdjust2 = 19;
  const ServiceValues before = ServiceValues::of(f.settings);
  f.openAdjust();
  const AdjustValues shown = f.controller->view().adjust;
  f.controller->secondAdjustChosen(12);
  EXPECT_EQ(f.settings.serviceAdjust, 12) << "a chosen position is stored at once";
  f.controller->adjustTextEdited(AdjustField::IconContrast, "1");
  f.controller->adjustTextEdited(AdjustField::Lcd1, "9");
  f.controller->pressKey(WindowKey::F10);
  EXPECT_EQ(f.controller->view().page, ServicePage::Main);
  EXPECT_EQ(ServiceValues::of(f.settings), before);
  f.openAdjust();
  EXPECT_EQ(f.controller->view().adjust, shown);
  EXPECT_EQ(f.link.programs, 0);
}

TEST(ServiceAdjust, F2StoresTheValuesAndProgramsWithTheRateShown) {
  ServiceFixture f(0x30);
  f.link.rate = 162;
  std::string shownWhileProgramming;
  bool busyWhileProgramming = false;
  f.link.during = [&] {
    shownWhileProgramming = f.controller->view().operationText;
    busyWhileProgramming = f.controller->busy();
  };
  f.openAdjust();
  f.controller->adjustTextEdited(AdjustField::TextContrast, "12");
  f.controller->adjustTextEdited(AdjustField::IconContrast, "0");
  EXPECT_EQ(f.controller->pressKey(WindowKey::F2), ServiceOutcome::CloseWindow);
  EXPECT_EQ(f.link.programs, 1);
  EXPECT_EQ(shownWhileProgramming, "Programming - Please wait. (Rate: 9600bps)");
  EXPECT_TRUE(busyWhileProgramming);
  EXPECT_EQ(f.settings.textContrast, "012");
  EXPECT_EQ(f.settings.iconContrast, "0");
  EXPECT_TRUE(f.controller->closed());
  EXPECT_EQ(f.controller->view().operationText, "");
}

TEST(ServiceAdjust, TheMainWindowReturnsToMainUnlessThePortCouldNotBeOpened) {
  using errors::OperationOutcome;
  for (const OperationOutcome result :
       {OperationOutcome::done(true), OperationOutcome::notWritten(),
        OperationOutcome::failed(rc::NotResponding, true),
        OperationOutcome::failed(rc::BadChecksum, true, true),
        OperationOutcome::failed(rc::PortNotOpened, true)}) {
    ServiceFixture f(0x30);
    f.link.programAnswer = result;
    f.openAdjust();
    EXPECT_EQ(f.controller->pressKey(WindowKey::F2), ServiceOutcome::CloseWindow);
    EXPECT_EQ(f.controller->programResult(), result);
    EXPECT_EQ(f.controller->mainReturnsToMain(), !result.failedWith(rc::PortNotOpened))
        << result.code;
    EXPECT_TRUE(f.reporter.shown.empty()) << "the program operation reports its own failures";
  }
}

// The values reach the image through the builders: byte 0xAE, the contrast
// fields and, on families D-F, the LCD pair at 0x73E-0x73F.
TEST(ServiceAdjust, TheBuiltImageHoldsTheTunedValues) {
  struct Case {
    models::ModelCode model;
    int secondAdjust;
    const char* text;
    const char* icon;
    const char* lcd1;
    std::uint8_t byteAE;
  };
  const Case cases[] = {
      {0x30, 9, "12", "2", "", 0xFF},  // "-1"
      {0x30, 16, "0", "3", "", 0xF8},  // "-8"
      {'p', 8, "15", "0", "", 0x08},   // "+8"
      {0x98, 9, "9", "1", "7", 0xFF}, {0x91, 1, "9", "0", "16", 0x01},
  };
  for (const Case& c : cases) {
    ServiceFixture f(c.model);
    codeplug::CodeplugImage& image = *f.image;
    ResultCode built = rc::InternalFault;
    f.link.during = [&] {
      built = codeplug::standardCodec().build(image, f.settings, codeplug::BuildContext{});
    };
    f.openAdjust();
    f.controller->secondAdjustChosen(c.secondAdjust);
    f.controller->adjustTextEdited(AdjustField::TextContrast, c.text);
    f.controller->adjustTextEdited(AdjustField::IconContrast, c.icon);
    if (*c.lcd1 != '\0') f.controller->adjustTextEdited(AdjustField::Lcd1, c.lcd1);
    ASSERT_EQ(f.controller->pressKey(WindowKey::F2), ServiceOutcome::CloseWindow);
    ASSERT_EQ(built, rc::Ok) << int(c.model);
    const codeplug::ConstImageView bytes = std::as_const(image).current();
    const codeplug::FieldOffsetTable& t = image.offsets();
    EXPECT_EQ(bytes.byte(0xAE), c.byteAE) << int(c.model);
    const int icon = std::stoi(c.icon);
    EXPECT_EQ(bytes.byte(t.iconContrast) & 3, ~icon & 3) << int(c.model);
    if (hasLcdAdjustment(c.model)) {
      const int lcd1 = std::stoi(c.lcd1);
      EXPECT_EQ(bytes.byte(0x73E), lcd1) << int(c.model);
      EXPECT_EQ(bytes.byte(0x73F), lcd1 + 15) << int(c.model);
    } else {
      EXPECT_EQ(bytes.byte(0xAC) & 0x0F, std::stoi(c.text)) << int(c.model);
    }
  }
}

// ---- Test mode and the mode switches ----

TEST(ServiceTestMode, F5OpensTheTestPageOnlyWhenThePagerEntersTestMode) {
  for (const ResultCode result : {rc::NoAcknowledge, rc::NotResponding, rc::PortNotOpened}) {
    ServiceFixture f(0x98);
    f.link.testModeAnswer = result;
    f.controller->pressKey(WindowKey::F5);
    EXPECT_EQ(f.controller->view().page, ServicePage::Main) << result;
    EXPECT_EQ(f.reporter.shown.size(), result == rc::PortNotOpened ? 0u : 1u) << result;
    if (result != rc::PortNotOpened) {
      EXPECT_TRUE(f.reported(result));
    }
  }
  ServiceFixture f(0x98);
  f.openTest();
  EXPECT_EQ(f.controller->view().focus.target, ServiceFocus::Target::TestChoice);
  EXPECT_TRUE(f.reporter.shown.empty());
}

TEST(ServiceTestMode, ModeSwitchesShowTheirModeOrTheirFailure) {
  struct Case {
    WindowKey key;
    link::PagerMode mode;
    ResultCode message;
  };
  const Case cases[] = {
      {WindowKey::F6, link::PagerMode::QuickPage, -60},
      {WindowKey::F7, link::PagerMode::KeepOnlyGoodMessages, -61},
      {WindowKey::F9, link::PagerMode::Chirp, -67},
  };
  for (const Case& c : cases) {
    ServiceFixture f(0x98);
    f.link.modeAnswer = {rc::Ok, c.message};
    f.controller->pressKey(c.key);
    ASSERT_EQ(f.link.modes.size(), 1u);
    EXPECT_EQ(f.link.modes[0], c.mode);
    EXPECT_TRUE(f.reported(c.message));
    EXPECT_EQ(f.reporter.shown[0].caption, "INFORMATION");

    for (const ResultCode failure : {rc::NotResponding, rc::PortNotOpened}) {
      ServiceFixture g(0x98);
      g.link.modeAnswer = {failure, std::nullopt};
      g.controller->pressKey(c.key);
      EXPECT_EQ(g.reporter.shown.size(), failure == rc::PortNotOpened ? 0u : 1u);
      if (failure != rc::PortNotOpened) {
        EXPECT_TRUE(g.reported(failure));
      }
    }
  }
}

TEST(ServiceTestMode, EveryTestSendsItsCommandAndReplyKind) {
  const FakeServiceLink::Sent expected[] = {
      {0x00, 0}, {0x03, 3},  {0x04, 4},  {0x06, 6},  {0x07, 7},  {0x08, 8},
      {0x09, 9}, {0x0A, 10}, {0x0B, 11}, {0x0C, 12}, {0x12, 18}, {0x14, 20},
  };
  ASSERT_EQ(std::size(expected), kServiceTests.size());
  for (std::size_t i = 0; i < kServiceTests.size(); ++i) {
    ServiceFixture f(0x98);
    f.openTest();
    f.controller->chooseTest(static_cast<int>(i));
    f.link.replies.push_back(reply({'x'}));  // no "." for the annunciators: no sub-command
    f.controller->pressKey(WindowKey::F8);
    ASSERT_FALSE(f.link.sent.empty());
    EXPECT_EQ(f.link.sent[0], expected[i]) << kServiceTests[i].caption;
    EXPECT_EQ(f.link.sent.size(), 1u) << kServiceTests[i].caption;
    // Exit Test Mode and Standby Current Test end the pager's test mode.
    const bool left = i == 0 || i == 11;
    EXPECT_EQ(f.controller->view().page, left ? ServicePage::Main : ServicePage::Test)
        << kServiceTests[i].caption;
  }
}

TEST(ServiceTestMode, AnAnnunciatorTestAnsweredWithADotSendsTheSubCommand) {
  ServiceFixture f(0x98);
  f.openTest();
  f.controller->chooseTest(1);
  f.controller->chooseAnnunciator(3);  // SPEAKER OFF
  f.controller->pressKey(WindowKey::F8);
  EXPECT_EQ(f.link.sent, (std::vector<FakeServiceLink::Sent>{{0x03, 3}, {0x62, 3}}));
  EXPECT_TRUE(f.reporter.shown.empty());

  f.link.sent.clear();
  f.controller->chooseAnnunciator(0);  // ALL ON
  f.link.replies = {reply({'?'})};
  f.controller->pressKey(WindowKey::F8);
  EXPECT_EQ(f.link.sent, (std::vector<FakeServiceLink::Sent>{{0x03, 3}}));
  EXPECT_TRUE(f.reported(rc::NoAcknowledge)) << "a pager that says no is told";
}

TEST(ServiceTestMode, DataResultShowsTheRamPatternAndTheKey) {
  struct Case {
    int test;
    std::uint8_t second;
    const char* shown;
  };
  const Case cases[] = {
      {2, 'Z', "Z"},
      {3, 0x10, "LEFT KEY     "},
      {3, 0x05, "MULTIPLE KEYS"},
      {4, 0x41, ""},  // Vibrator Off: no result shown
  };
  for (const Case& c : cases) {
    ServiceFixture f(0x98);
    f.openTest();
    f.controller->chooseTest(c.test);
    f.link.replies = {reply({'.', c.second})};
    f.controller->pressKey(WindowKey::F8);
    EXPECT_EQ(f.controller->view().dataResult, c.shown) << c.test;
  }
}

TEST(ServiceTestMode, AnAbandonedCommandKeepsTheTestPageAndClearsTheResult) {
  ServiceFixture f(0x98);
  f.openTest();
  f.controller->chooseTest(3);
  f.link.replies = {reply({'.', 0x10})};
  f.controller->pressKey(WindowKey::F8);
  ASSERT_EQ(f.controller->view().dataResult, "LEFT KEY     ");
  // The operator answered No at the "not responding" question: the link
  // gives up with -16 and has asked already; nothing more is shown.
  f.controller->chooseTest(0);
  f.link.replies = {reply({}, rc::NotResponding)};
  f.controller->pressKey(WindowKey::F8);
  EXPECT_EQ(f.controller->view().page, ServicePage::Test);
  EXPECT_EQ(f.controller->view().dataResult, "");
  EXPECT_TRUE(f.reporter.shown.empty());
}

TEST(ServiceTestMode, F10SendsExitTestModeAndLeavesEvenWhenThePagerIsSilent) {
  for (const ResultCode result : {rc::Ok, rc::NotResponding}) {
    ServiceFixture f(0x98);
    f.openTest();
    f.link.replies = {reply({'.'}, result)};
    f.controller->pressKey(WindowKey::F10);
    EXPECT_EQ(f.link.sent, (std::vector<FakeServiceLink::Sent>{{0x00, 0}}));
    EXPECT_EQ(f.controller->view().page, ServicePage::Main);
    EXPECT_EQ(f.controller->view().keyHints, "");
    EXPECT_FALSE(f.controller->closed());
  }
}

TEST(ServiceTestMode, ClosingTheWindowLeavesTestModeAndDropsAdjustEdits) {
  ServiceFixture f(0x98);
  f.openTest();
  EXPECT_TRUE(f.controller->closeRequested());
  EXPECT_EQ(f.link.sent, (std::vector<FakeServiceLink::Sent>{{0x00, 0}}));
  EXPECT_TRUE(f.controller->closed());

  ServiceFixture g(0x30);
  const ServiceValues before = ServiceValues::of(g.settings);
  g.openAdjust();
  g.controller->secondAdjustChosen(5);
  EXPECT_TRUE(g.controller->closeRequested());
  EXPECT_EQ(ServiceValues::of(g.settings), before);
  EXPECT_EQ(g.link.programs, 0);
}

}  // namespace
}  // namespace zelta::window
