#include <gtest/gtest.h>

#include "codeplug/new_codeplug.h"
#include "codeplug/stored_form.h"
#include "page_context_fixture.h"
#include "pages/editing_page_modules.h"
#include "pages/field_ids.h"
#include "pages/page_dispatch.h"
#include "text/prompt_catalogue.h"

namespace zelta::pages {
namespace {

namespace code = errors::code;
using models::ModelCode;
using text::PromptId;

constexpr FieldId kStandardAlert =
    fieldId("ed_standardAlertPrompt");  // "Standard Alert" on Prompt 1

// A new codeplug of the model on the window's page modules.
struct Window : zelta::testing::PageContextFixture {
  EditingPageModules modules;
  FieldDispatcher dispatcher{modules.registry()};

  explicit Window(ModelCode model) : PageContextFixture(model) {
    codeplug::setUpNewCodeplug(model, image, settings);
    context.promptLanguage = settings.internationalPrompt;
  }
  errors::ResultCode typeInto(FieldId id, std::string text) {
    dispatcher.enter(Page::Prompt1, id, context);
    return dispatcher.exit(Page::Prompt1, zelta::testing::typeText(id, std::move(text)), context);
  }
  std::string standardAlert() const {
    return settings.prompts[PromptId::standardAlertPrompt].text.str();
  }
};

// The page shows what the pager will hold: lower case is stored upper
// case, and a character the prompt table lacks becomes "0".
TEST(StoredFormRefresh, AnEditedPromptShowsItsStoredForm) {
  for (ModelCode model : {ModelCode{'1'}, ModelCode{'p'}, ModelCode{0x91}, ModelCode{0x99}}) {
    SCOPED_TRACE(static_cast<int>(model));
    Window w(model);
    EXPECT_EQ(w.typeInto(kStandardAlert, "my alert="), code::Ok);
    EXPECT_EQ(w.standardAlert(), "MY ALERT0");
    EXPECT_TRUE(w.reporter.shown.empty());
  }
}

// A build that fails (the frequency cannot be synthesized) must not be
// followed by a decode: the edit stays as typed.
TEST(StoredFormRefresh, AFailedBuildKeepsTheEdit) {
  Window w('p');
  w.settings.frequency = "158.0130";
  EXPECT_EQ(w.typeInto(kStandardAlert, "my alert="), code::Ok);
  EXPECT_EQ(w.standardAlert(), "my alert=");
  EXPECT_EQ(w.settings.frequency, "158.0130");
}

// The refresh changes nothing else: every other setting survives the round trip.
TEST(StoredFormRefresh, OtherSettingsSurviveTheRoundTrip) {
  Window w(0x91);
  w.settings.code[1] = "1000000";
  w.settings.ICN = "ABC0099";
  const codeplug::SettingsRecord before = w.settings;
  ASSERT_EQ(codeplug::rebuildStoredForm(w.image, w.settings, codeplug::standardCodec(), false),
            code::Ok);
  EXPECT_EQ(w.settings.code, before.code);
  EXPECT_EQ(w.settings.ICN, before.ICN);
  EXPECT_EQ(w.settings.frequency, before.frequency);
  EXPECT_EQ(w.settings.freqBand, before.freqBand);
}

}  // namespace
}  // namespace zelta::pages
