#include "pages/page_dispatch.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "codeplug/codeplug_image.h"
#include "codeplug/settings_record.h"
#include "pages/field_ids.h"
#include "pages/general_code_page.h"
#include "recording_reporter.h"

namespace zelta::pages {
namespace {

// A line of the modules' log: the module, the event and the field's ID.
std::string logged(std::string_view event, FieldId field) {
  return std::string(event) + " " + std::to_string(field);
}

namespace code = errors::code;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

// A page module that answers with fixed results and logs what it was asked.
class FakeModule : public PageModule {
 public:
  FakeModule(std::string name, std::vector<std::string>& log) : name_(std::move(name)), log_(log) {}

  errors::ResultCode exitResult = code::Ok;
  errors::ResultCode checkResult = code::Ok;

  void onEnter(FieldId field, PageContext&) override {
    log_.push_back(name_ + " enter " + std::to_string(field));
  }
  errors::ResultCode onExit(const FieldInput& input, PageContext&) override {
    log_.push_back(name_ + " exit " + std::to_string(input.id));
    return exitResult;
  }
  errors::ResultCode pageCheck(PageContext&) override {
    log_.push_back(name_ + " check");
    return checkResult;
  }
  void refresh(PageContext&) override { log_.push_back(name_ + " refresh"); }
  PageView view(Page page, const PageContext&) const override { return PageView{page, {}}; }

 private:
  std::string name_;
  std::vector<std::string>& log_;
};

struct DispatchFixture {
  codeplug::SettingsRecord settings;
  codeplug::CodeplugImage image;
  testing::RecordingReporter reporter;
  PageContext context{.settings = settings, .image = image, .reporter = reporter, .model = '1'};
  std::vector<std::string> log;
  FakeModule generalCode{"code", log}, prompt{"prompt", log}, source{"source", log},
      alert{"alert", log}, password{"password", log}, features{"features", log},
      moreFeatures{"more", log};
  PageModules modules;
  FieldDispatcher dispatcher{modules};

  DispatchFixture() {
    modules.add(PageModuleId::GeneralCode, generalCode);
    modules.add(PageModuleId::Prompt, prompt);
    modules.add(PageModuleId::Source, source);
    modules.add(PageModuleId::Alert, alert);
    modules.add(PageModuleId::PasswordOta, password);
    modules.add(PageModuleId::Features, features);
    modules.add(PageModuleId::MoreFeatures, moreFeatures);
  }
};

FieldInput input(FieldId id) {
  return FieldInput{.id = id, .text = {}, .index = 0};
}

TEST(PageCheckChain, RunsEveryPageCheckInOrder) {
  DispatchFixture f;
  EXPECT_EQ(f.dispatcher.runPageCheckChain(Page::General, std::nullopt, f.context), code::Ok);
  EXPECT_THAT(f.log, ElementsAre("code check", "prompt check", "alert check", "password check",
                                 "features check", "more check"));
  EXPECT_TRUE(f.dispatcher.lastFieldCheckPassed());
}

TEST(PageCheckChain, StopsAtTheFirstFailingCheck) {
  DispatchFixture f;
  f.alert.checkResult = code::ReminderInterval;
  EXPECT_EQ(f.dispatcher.runPageCheckChain(Page::General, std::nullopt, f.context),
            code::ReminderInterval);
  EXPECT_THAT(f.log, ElementsAre("code check", "prompt check", "alert check"));
  EXPECT_EQ(f.dispatcher.lastFieldCheck(), 0);
}

TEST(PageCheckChain, FocusedFieldIsStoredAgainFirst) {
  DispatchFixture f;
  f.dispatcher.runPageCheckChain(Page::Alert, input(fieldId("cb_manualAlertReset")), f.context);
  ASSERT_FALSE(f.log.empty());
  EXPECT_EQ(f.log.front(), logged("alert exit", fieldId("cb_manualAlertReset")));

  // A field the module refuses again stops the chain before any page check.
  f.log.clear();
  f.generalCode.exitResult = code::FieldRefused;
  EXPECT_EQ(f.dispatcher.runPageCheckChain(Page::Code1to4, input(fieldId("ed_code01")), f.context),
            code::FieldRefused);
  EXPECT_THAT(f.log, ElementsAre(logged("code exit", fieldId("ed_code01"))));
  EXPECT_FALSE(f.dispatcher.lastFieldCheckPassed());
}

TEST(PageCheckChain, SomeFocusedFieldsAreNotStoredAgain) {
  DispatchFixture f;
  // The prompt language on a prompt page, a field beyond 512, no field.
  f.dispatcher.runPageCheckChain(Page::Prompt1, input(fieldId("cb_internationalPrompt")),
                                 f.context);
  f.dispatcher.runPageCheckChain(Page::MoreFeatures, input(fieldId("cb_EnableSingleMessage")),
                                 f.context);
  f.dispatcher.runPageCheckChain(Page::General, input(kNoFieldId), f.context);
  for (const std::string& entry : f.log) EXPECT_THAT(entry, ::testing::EndsWith("check"));
}

TEST(PageCheckChain, ModulesNotYetRegisteredCountAsPassing) {
  DispatchFixture f;
  PageModules onlyAlert;
  onlyAlert.add(PageModuleId::Alert, f.alert);
  FieldDispatcher dispatcher(onlyAlert);
  EXPECT_EQ(dispatcher.runPageCheckChain(Page::Code1to4, input(fieldId("ed_code01")), f.context),
            code::Ok);
  EXPECT_THAT(f.log, ElementsAre("alert check"));

  const PageModules empty;
  FieldDispatcher none(empty);
  EXPECT_EQ(none.runPageCheckChain(Page::General, std::nullopt, f.context), code::Ok);
}

TEST(FieldDispatch, ExitGoesToTheFieldsModuleAndSetsTheLastFieldCheck) {
  DispatchFixture f;
  f.generalCode.exitResult = code::InvalidPocsagCode;
  EXPECT_EQ(f.dispatcher.exit(Page::Code1to4, input(fieldId("ed_code01")), f.context),
            code::InvalidPocsagCode);
  EXPECT_EQ(f.dispatcher.lastFieldCheck(), 229);  // the low byte of -27
  EXPECT_FALSE(f.dispatcher.lastFieldCheckPassed());

  // Canned messages sit on "More Features" but are stored by Features.
  f.dispatcher.exit(Page::MoreFeatures, input(fieldId("ed_startCannedMsg")), f.context);
  f.dispatcher.exit(Page::MoreFeatures, input(fieldId("cb_batteryGauge")), f.context);
  EXPECT_THAT(f.log, ElementsAre(logged("code exit", fieldId("ed_code01")),
                                 logged("features exit", fieldId("ed_startCannedMsg")),
                                 logged("more exit", fieldId("cb_batteryGauge"))));
  EXPECT_TRUE(f.dispatcher.lastFieldCheckPassed());
}

TEST(FieldDispatch, ListChangesOnPromptTwoAndSourcePagesPass) {
  DispatchFixture f;
  f.dispatcher.exit(Page::Code1to4, input(fieldId("ed_code01")), f.context);
  f.generalCode.exitResult = code::FieldRefused;
  f.dispatcher.exit(Page::Code1to4, input(fieldId("ed_code01")), f.context);
  ASSERT_FALSE(f.dispatcher.lastFieldCheckPassed());
  // A list field reported on a source page: nothing to store, passes.
  EXPECT_EQ(f.dispatcher.exit(Page::Source1to8, input(fieldId("cb_showSource")), f.context),
            code::Ok);
  EXPECT_TRUE(f.dispatcher.lastFieldCheckPassed());
  EXPECT_THAT(f.log, ElementsAre(logged("code exit", fieldId("ed_code01")),
                                 logged("code exit", fieldId("ed_code01"))));
}

TEST(FieldDispatch, EnterRecordsHelpTopicAndPlayTone) {
  DispatchFixture f;
  f.dispatcher.enter(Page::Code1to4, 345, f.context);  // cb_alertPattern01_1
  EXPECT_TRUE(f.dispatcher.playToneEnabled());
  EXPECT_EQ(f.dispatcher.helpTopic(), 345);
  f.dispatcher.enter(Page::Code1to4, 7, f.context);
  EXPECT_FALSE(f.dispatcher.playToneEnabled());
  EXPECT_EQ(f.dispatcher.currentListField(), FieldDispatcher::kNoListField);
  f.dispatcher.enter(Page::Alert, 98, f.context);  // a list, not a pattern
  EXPECT_FALSE(f.dispatcher.playToneEnabled());

  // Prompt 2 does not pass list fields on; the source pages pass text fields only.
  f.dispatcher.enter(Page::Prompt2, 35, f.context);
  f.dispatcher.enter(Page::Prompt1, 35, f.context);
  f.dispatcher.enter(Page::Source1to8, 40, f.context, /*notifyModule=*/false);
  EXPECT_THAT(f.log, ElementsAre(logged("code enter", fieldId("cb_alertPattern01_1")),
                                 logged("code enter", fieldId("ed_code01")),
                                 logged("alert enter", fieldId("cb_alertFrequency")),
                                 logged("prompt enter", fieldId("cb_internationalPrompt"))));
}

TEST(FieldDispatch, PageEntryRefreshesThePagesModule) {
  DispatchFixture f;
  f.dispatcher.enterPage(Page::Code9to12, f.context);
  f.dispatcher.enterPage(Page::Source9to16, f.context);
  f.dispatcher.enterPage(Page::Main, f.context);
  EXPECT_THAT(f.log, ElementsAre("code refresh", "source refresh"));
}

// The real General/Code module in the chain: its failure keeps the other
// pages from being checked.
TEST(PageCheckChain, CodeCheckFailureStopsTheChain) {
  DispatchFixture f;
  pages::GeneralCodePage generalCode;
  PageModules modules;
  modules.add(PageModuleId::GeneralCode, generalCode);
  modules.add(PageModuleId::Alert, f.alert);
  FieldDispatcher dispatcher(modules);
  f.settings.frequency = "158.0125";
  f.settings.freqBand = 2;

  dispatcher.enter(Page::Code1to4, 7, f.context);
  EXPECT_EQ(
      dispatcher.runPageCheckChain(
          Page::Code1to4, FieldInput{.id = fieldId("ed_code01"), .text = "2097152"}, f.context),
      code::InvalidPocsagCode);
  EXPECT_THAT(f.log, IsEmpty());
  EXPECT_EQ(f.settings.code[0], "2097152");

  EXPECT_EQ(
      dispatcher.runPageCheckChain(
          Page::Code1to4, FieldInput{.id = fieldId("ed_code01"), .text = "2097151"}, f.context),
      code::Ok);
  EXPECT_THAT(f.log, ElementsAre("alert check"));
  EXPECT_TRUE(dispatcher.lastFieldCheckPassed());
}

}  // namespace
}  // namespace zelta::pages
