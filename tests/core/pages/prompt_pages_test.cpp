#include "pages/prompt_pages.h"

#include <gtest/gtest.h>

#include <string>

#include "errors/messages.h"
#include "page_context_fixture.h"
#include "pages/editing_page_modules.h"
#include "prompt_printers.h"
#include "text/character_sets.h"
#include "text/default_prompts.h"
#include "text/languages.h"

namespace zelta::pages {
namespace {

// The prompt vocabulary these pages edit.
using namespace text;
using enum PromptId;
using zelta::testing::chooseItem;
using zelta::testing::typeText;
namespace code = errors::code;

constexpr std::string_view k13 = "ABCDEFGHIJKLM";         // 6 + 13 x 6 = 84 bits
constexpr std::string_view k20 = "ABCDEFGHIJKLMNOPQRST";  // 6 + 20 x 6 = 126 bits

// Field IDs used below.
constexpr FieldId kLanguage = 35, kCharacterSet = 36, kShowSource = 37;
constexpr FieldId kPowerUp = 38, kDisable = 39, kSource1 = 40, kSource2 = 41;
constexpr FieldId kSilentAlert = 67, kLockMessage = 68, kDeleteMessage = 70;
constexpr FieldId kStandardAlert = 79, kPleasingAlert = 80, kPrint = 90;

// What building the image and decoding it again do to the prompts: the
// block is packed into the image (an overflowing block is not written) and
// every prompt is read back from the image.
struct PackAndUnpack {
  int calls = 0;
  PromptSet handedOver;  // the prompts as the last build was given them

  errors::ResultCode operator()(pages::PageContext& c) {
    ++calls;
    handedOver = c.settings.prompts;
    const PromptList list = promptListOf(c);
    const bool showSource = c.settings.showSource == 1;
    PromptWorkBuffer buffer{};
    const int last = packPrompts(
        c.settings.prompts, {list, c.model, c.settings.internationalPrompt, showSource}, buffer);
    const auto block = c.image.buffer().subspan(
        kPromptBlockOffset, static_cast<std::size_t>(promptBlockCapacity(c.model, false)));
    copyPromptBlock(buffer, last, block, true);
    unpackPrompts(block, c.settings.prompts, list, showSource);
    return code::Ok;
  }
};

// An English family A pager ('1', 48-list, 510-byte block) with its
// language defaults, showing sources, its image holding those prompts.
struct PromptPagesFixture : zelta::testing::PageContextFixture {
  PromptPages pages;
  PackAndUnpack codec;

  explicit PromptPagesFixture(models::ModelCode model = '1') : PageContextFixture(model) {
    settings.showSource = 1;
    applyLanguageDefaults(settings.prompts, lang::english, promptListOf(context));
  }

  // Edits are rebuilt into the image and read back from it.
  void rebuildOnEdit() {
    pages.setStoredFormRefresh([this](pages::PageContext& c) { return codec(c); });
    codec(context);  // the image holds the prompts as they are now
    codec.calls = 0;
  }

  // Every prompt of the list 13 characters long: the block's last used byte
  // is 48 x 84 / 8 = 504, so one prompt may grow to 20 characters (byte
  // 509, the last that fits) and a second one no more (byte 514).
  void fillBlockTo504() {
    for (PromptId id : promptListEntries(promptListOf(context))) {
      settings.prompts[id] = {PromptText{k13}, false};
    }
  }

  std::string shown(Page page, FieldId id) const {
    const pages::PageView view = pages.view(page, context);
    const pages::FieldView* field = view.find(id);
    return field != nullptr ? field->text : "<no field>";
  }
  pages::FieldView fieldView(FieldId id) const {
    const pages::FieldEntry* entry = pages::findField(id);
    const pages::PageView view = pages.view(entry->page, context);
    const pages::FieldView* field = view.find(id);
    return field != nullptr ? *field : pages::FieldView{};
  }
  std::string text(PromptId id) const { return settings.prompts[id].text.str(); }
};

// --- Size check after every edit ---

TEST(PromptPages, SourceOverflowShowsMinus58AndRestoresTheOldText) {
  PromptPagesFixture f;
  f.fillBlockTo504();
  f.rebuildOnEdit();
  ASSERT_EQ(f.pages.onExit(typeText(kSource1, std::string{k20}), f.context), code::Ok);
  EXPECT_TRUE(f.reporter.shown.empty());

  const errors::ResultCode result = f.pages.onExit(typeText(kSource2, std::string{k20}), f.context);

  EXPECT_EQ(result, code::PromptsTooLarge);
  ASSERT_EQ(f.reporter.shown.size(), 1U);
  EXPECT_TRUE(f.reported(code::PromptsTooLarge));
  EXPECT_EQ(f.text(sourcePromptId(2)), k13);
  EXPECT_EQ(f.text(sourcePromptId(1)), k20);
  EXPECT_EQ(f.codec.handedOver[sourcePromptId(2)].text, k13);  // restored before the rebuild
  EXPECT_EQ(f.codec.calls, 2);  // the page is refreshed from the image after each edit
  EXPECT_EQ(f.shown(Page::Source1to8, kSource2), k13);
}

TEST(PromptPages, PromptOverflowKeepsTheNewTextAndBlocksTheNextProgramming) {
  PromptPagesFixture f;
  f.fillBlockTo504();
  f.settings.prompts[setAlertPrompt].text.assign(k20);

  const errors::ResultCode result =
      f.pages.onExit(typeText(kDeleteMessage, std::string{k20}), f.context);

  EXPECT_EQ(result, code::PromptsTooLarge);
  EXPECT_TRUE(f.reported(code::PromptsTooLarge));
  EXPECT_EQ(f.text(deletePrompt), k20);
}

TEST(PromptPages, LastByteOfTheBlockStillFitsAndSetsTheGauge) {
  PromptPagesFixture f;
  f.fillBlockTo504();
  EXPECT_EQ(f.pages.usagePercent(), std::nullopt);  // no check made yet

  EXPECT_EQ(f.pages.onExit(typeText(kDeleteMessage, std::string{k20}), f.context), code::Ok);

  EXPECT_TRUE(f.reporter.shown.empty());
  EXPECT_EQ(f.pages.usagePercent(), 100);  // byte 509 of 0-509
}

TEST(PromptPages, TextsLongerThanTheFieldAreRefused) {
  PromptPagesFixture f;
  EXPECT_EQ(f.pages.onExit(typeText(kDeleteMessage, std::string{k20} + "U"), f.context),
            code::FieldRefused);
  EXPECT_EQ(f.text(deletePrompt), "DELETE MESSAGE");
}

TEST(PromptPages, ShowingSourcesThatOverflowTheBlockIsReportedAtOnce) {
  PromptPagesFixture f;
  f.fillBlockTo504();
  f.settings.showSource = 0;
  for (int n = 1; n <= 16; ++n) f.settings.prompts[sourcePromptId(n)].text.assign(k20);
  ASSERT_EQ(f.pages.pageCheck(f.context), code::Ok);  // sources are not packed

  EXPECT_EQ(f.pages.onExit(chooseItem(kShowSource, 1), f.context), code::Ok);

  EXPECT_EQ(f.settings.showSource, 1);  // the choice stays
  EXPECT_TRUE(f.reported(code::PromptsTooLarge));
}

// --- F11 / F12 and the page check chain ---

TEST(PromptPages, F12WithAnOverflowingBlockStaysSilentAndFails) {
  PromptPagesFixture f;
  f.fillBlockTo504();
  f.pages.refresh(f.context);  // page entry: checked with reporting, fits
  ASSERT_EQ(f.pages.usagePercent(), 99);
  f.settings.prompts[setAlertPrompt].text.assign(k20);
  f.settings.prompts[deletePrompt].text.assign(k20);

  pages::PageModules modules;
  modules.add(pages::PageModuleId::Prompt, f.pages);
  modules.add(pages::PageModuleId::Source, f.pages);
  pages::FieldDispatcher dispatcher(modules);
  for (Page page : {Page::Prompt1, Page::Prompt2, Page::Source1to8, Page::Source9to16}) {
    EXPECT_NE(dispatcher.pageCheck(page, f.context), code::Ok);
    EXPECT_FALSE(dispatcher.lastFieldCheckPassed());
  }
  EXPECT_NE(f.pages.pageCheck(f.context), code::Ok);
  EXPECT_TRUE(f.reporter.shown.empty());
  EXPECT_EQ(f.pages.usagePercent(), 99);  // the gauge keeps the last fitting value

  // The same silent check guards programming, saving and tab changes.
  EXPECT_NE(dispatcher.runPageCheckChain(Page::Alert, std::nullopt, f.context), code::Ok);
  EXPECT_TRUE(f.reporter.shown.empty());
}

TEST(PromptPages, PageEntryChecksWithReporting) {
  PromptPagesFixture f;
  f.fillBlockTo504();
  f.settings.prompts[setAlertPrompt].text.assign(k20);
  f.settings.prompts[deletePrompt].text.assign(k20);
  f.pages.refresh(f.context);
  EXPECT_TRUE(f.reported(code::PromptsTooLarge));
}

TEST(PromptPages, PromptsStoredAsTextHaveNoBlockToOverflow) {
  PromptPagesFixture f;
  for (Prompt& p : f.settings.prompts.prompts) p.text.assign(k20);
  f.settings.promptsAsText = true;
  EXPECT_EQ(f.pages.pageCheck(f.context), code::Ok);
  EXPECT_EQ(f.pages.usagePercent(), std::nullopt);
}

TEST(PromptPages, ConverterTargetsAreMeasuredAgainstTheFamilyDBlock) {
  PromptPagesFixture f('1');
  f.context.converter = pages::ConverterMode::Varda;
  applyLanguageDefaults(f.settings.prompts, lang::english, PromptList::list118);
  // 54 named prompts and 64 sources: over 510 bytes, well within 1200.
  EXPECT_EQ(f.pages.pageCheck(f.context), code::Ok);
  EXPECT_GT(*f.pages.usagePercent(), 50);
  f.context.converter = pages::ConverterMode::Off;
  f.context.model = 0x91;
  const std::optional<int> asFamilyD = f.pages.usagePercent();
  EXPECT_EQ(f.pages.pageCheck(f.context), code::Ok);
  EXPECT_EQ(f.pages.usagePercent(), asFamilyD);
}

TEST(PromptPages, GaugeIsShownOnThePromptAndSourcePagesOnly) {
  for (int i = 0; i < pages::kPageCount; ++i) {
    const Page page = *pages::pageFromIndex(i);
    EXPECT_EQ(promptGaugeShown(page), i >= 5 && i <= 8) << i;
  }
}

TEST(PromptPages, OneModuleServesThePromptAndTheSourcePages) {
  pages::EditingPageModules modules;
  EXPECT_EQ(modules.registry().find(pages::PageModuleId::Prompt), &modules.prompts());
  EXPECT_EQ(modules.registry().find(pages::PageModuleId::Source), &modules.prompts());
}

// --- Alt+R ---

TEST(PromptPages, AltRTwiceOnStandardAlertTogglesTheBuiltInPrompt) {
  PromptPagesFixture f;
  f.rebuildOnEdit();
  ASSERT_EQ(f.shown(Page::Prompt1, kStandardAlert), "<DEFAULT>");

  ASSERT_TRUE(f.pages.toggleDefault(kStandardAlert, f.context));
  ASSERT_EQ(f.shown(Page::Prompt1, kStandardAlert), "<DEFAULT>");
  EXPECT_EQ(f.pages.onExit(typeText(kStandardAlert, "<DEFAULT>"), f.context), code::Ok);
  EXPECT_EQ(f.settings.prompts[standardAlertPrompt], (Prompt{PromptText{"STANDARD ALERT"}, false}));
  EXPECT_EQ(f.shown(Page::Prompt1, kStandardAlert), "STANDARD ALERT");

  ASSERT_TRUE(f.pages.toggleDefault(kStandardAlert, f.context));
  EXPECT_EQ(f.pages.onExit(typeText(kStandardAlert, "STANDARD ALERT"), f.context), code::Ok);
  EXPECT_EQ(f.settings.prompts[standardAlertPrompt], (Prompt{PromptText{"<DEFAULT>"}, true}));
  EXPECT_EQ(f.shown(Page::Prompt1, kStandardAlert), "<DEFAULT>");
}

TEST(PromptPages, AltROnLockMessageDoesNothing) {
  PromptPagesFixture f;
  EXPECT_FALSE(f.pages.toggleDefault(kLockMessage, f.context));
  EXPECT_EQ(f.pages.onExit(typeText(kLockMessage, "LOCK MESSAGE"), f.context), code::Ok);
  EXPECT_EQ(f.settings.prompts[setLockPrompt], (Prompt{PromptText{"LOCK MESSAGE"}, false}));
}

TEST(PromptPages, PendingToggleBelongsToItsOwnField) {
  PromptPagesFixture f;
  ASSERT_TRUE(f.pages.toggleDefault(kStandardAlert, f.context));
  f.pages.onExit(typeText(kPleasingAlert, "<DEFAULT>"), f.context);
  f.pages.onExit(typeText(kStandardAlert, "<DEFAULT>"), f.context);
  EXPECT_EQ(f.text(pleasantAlertPrompt), "<DEFAULT>");
  EXPECT_EQ(f.text(standardAlertPrompt), "<DEFAULT>");  // the mark went with the other exit
}

struct ToggleCase {
  models::ModelCode model;
  int language;
  FieldId field;
  bool toggles;
};

class AltR : public ::testing::TestWithParam<ToggleCase> {};

TEST_P(AltR, MarksOnlyPromptsThePagerHoldsInRom) {
  const ToggleCase c = GetParam();
  PromptPagesFixture f(c.model);
  f.settings.internationalPrompt = c.language;
  EXPECT_EQ(f.pages.toggleDefault(c.field, f.context), c.toggles);
}

INSTANTIATE_TEST_SUITE_P(
    PromptPages, AltR,
    ::testing::Values(ToggleCase{'1', lang::english, kStandardAlert, true},
                      ToggleCase{'p', lang::english, kStandardAlert, true},  // 59-list
                      ToggleCase{'1', lang::germanSwiss, kStandardAlert, false},
                      ToggleCase{0x91, lang::english, kStandardAlert, false},  // no ROM prompts
                      ToggleCase{' ', lang::english, kLockMessage, true},      // 49-list ROM 4
                      // The silent alert prompt is in ROM but its field has no Alt+R.
                      ToggleCase{' ', lang::english, kSilentAlert, false},
                      ToggleCase{'1', lang::english, kPowerUp, false}));

// --- Entering a field ---

TEST(PromptPages, EnteringAFieldWithTheBuiltInFlagShowsDefault) {
  PromptPagesFixture f;
  // Power-up and disable prompts take the short marker as the built-in flag.
  ASSERT_EQ(f.pages.onExit(typeText(kPowerUp, "MY DEFAULT"), f.context), code::Ok);
  ASSERT_TRUE(f.settings.prompts[powerUpPrompt].builtIn);
  EXPECT_EQ(f.shown(Page::Prompt1, kPowerUp), "MY DEFAULT");

  f.pages.onEnter(kPowerUp, f.context);
  EXPECT_EQ(f.shown(Page::Prompt1, kPowerUp), "<DEFAULT>");
  EXPECT_EQ(f.shown(Page::Prompt1, kDisable), "PAGER DISABLED");

  f.pages.onEnter(kDisable, f.context);
  EXPECT_EQ(f.shown(Page::Prompt1, kPowerUp), "MY DEFAULT");
}

TEST(PromptPages, ShortMarkerFlagsOnlyInThePackedMode) {
  PromptPagesFixture f;
  f.settings.promptsAsText = true;
  f.pages.onExit(typeText(kPowerUp, "MY DEFAULT"), f.context);
  f.pages.onExit(typeText(kSource1, "DEFAULT"), f.context);
  EXPECT_FALSE(f.settings.prompts[powerUpPrompt].builtIn);
  EXPECT_FALSE(f.settings.prompts[source1Prompt].builtIn);

  f.settings.promptsAsText = false;
  f.pages.onExit(typeText(kSource1, "DEFAULT"), f.context);
  EXPECT_TRUE(f.settings.prompts[source1Prompt].builtIn);
}

// --- Lists of the Prompt 1 page ---

struct LanguageCase {
  int item;
  int characterSet;
  bool warns;
  std::string_view deleteMessage;
};

class LanguageChoice : public ::testing::TestWithParam<LanguageCase> {};

TEST_P(LanguageChoice, AppliesTheDefaultsPacksAndChecksTheCharacterSet) {
  const LanguageCase c = GetParam();
  PromptPagesFixture f;
  f.settings.promptsAsText = true;
  f.settings.internationalCharSet = c.characterSet;

  EXPECT_EQ(f.pages.onExit(chooseItem(kLanguage, c.item), f.context), code::Ok);

  EXPECT_EQ(f.settings.internationalPrompt, c.item);
  EXPECT_EQ(f.context.promptLanguage, c.item);
  EXPECT_FALSE(f.settings.promptsAsText);
  EXPECT_EQ(f.text(deletePrompt), c.deleteMessage);
  EXPECT_EQ(f.reported(code::CharacterSetMismatch), c.warns);
  EXPECT_EQ(f.reporter.shown.size(), c.warns ? 1U : 0U);
  EXPECT_EQ(f.settings.internationalCharSet, c.characterSet);  // both selections stay
}

INSTANTIATE_TEST_SUITE_P(
    PromptPages, LanguageChoice,
    ::testing::Values(LanguageCase{lang::german, charset::us, true, "NACHRICHT L\\SCHEN"},
                      LanguageCase{lang::german, charset::german, false, "NACHRICHT L\\SCHEN"},
                      LanguageCase{lang::dutch, charset::danish, false, "WIS BERICHT"},
                      LanguageCase{lang::english, charset::uk, false, "DELETE MESSAGE"}));

TEST(PromptPages, CharacterRomLanguageKeepsThePromptsAndTheirStorage) {
  struct Case {
    std::uint8_t cgromType;
    int language;
    int showSource;
  };
  for (const Case c : {Case{1, lang::traditionalChinese, 1}, Case{2, lang::simplifiedChinese, 1},
                       Case{3, lang::thai, 0}}) {
    PromptPagesFixture f;
    f.context.headerType = c.cgromType;
    f.settings.promptsAsText = true;
    f.settings.prompts[deletePrompt].text.assign("RAW BYTES");
    const PromptSet before = f.settings.prompts;

    EXPECT_EQ(f.pages.onExit(chooseItem(kLanguage, 15), f.context), code::Ok);

    EXPECT_EQ(f.settings.internationalPrompt, c.language);
    EXPECT_EQ(f.settings.showSource, c.showSource);
    EXPECT_TRUE(f.settings.promptsAsText);
    EXPECT_EQ(f.settings.prompts, before);
    ASSERT_EQ(f.reporter.shown.size(), 2U);
    EXPECT_EQ(f.reporter.shown[0].text, noLanguageDefaultsMessage().text);
    EXPECT_TRUE(f.reported(code::CharacterSetMismatch));  // no set suits these languages
    EXPECT_EQ(f.pages.view(Page::Prompt1, f.context).find(kLanguage)->selected, 15);
  }
}

TEST(PromptPages, LanguageItemsNotOfferedAreRefused) {
  PromptPagesFixture f;  // no character ROM: fifteen languages
  EXPECT_EQ(f.pages.onExit(chooseItem(kLanguage, 15), f.context), code::FieldRefused);
  EXPECT_EQ(f.settings.internationalPrompt, lang::english);
}

TEST(PromptPages, CharacterSetAndShowSourceStoreTheItemChosen) {
  PromptPagesFixture f;
  EXPECT_EQ(f.pages.onExit(chooseItem(kCharacterSet, charset::danish), f.context), code::Ok);
  EXPECT_EQ(f.pages.onExit(chooseItem(kShowSource, 0), f.context), code::Ok);
  EXPECT_EQ(f.settings.internationalCharSet, charset::danish);
  EXPECT_EQ(f.settings.showSource, 0);
  EXPECT_TRUE(f.reporter.shown.empty());  // changing the set runs no compatibility check
}

TEST(PromptPages, ListChoicesAndLeavingListsDoNotRebuild) {
  PromptPagesFixture f;
  f.rebuildOnEdit();
  f.pages.onExit(chooseItem(kCharacterSet, charset::uk), f.context);
  f.pages.onExit(chooseItem(kLanguage, lang::french), f.context);
  EXPECT_EQ(f.codec.calls, 0);
  f.pages.onExit(typeText(kDeleteMessage, "EFFACER"), f.context);
  EXPECT_EQ(f.codec.calls, 1);
}

// --- Model '#' raw prompts ---

TEST(PromptPages, ModelHashStoresPowerUpAndDisableRaw) {
  PromptPagesFixture f('#');
  const PromptText powerUpText = f.settings.prompts[powerUpPrompt].text;

  EXPECT_EQ(f.pages.onExit(typeText(kPowerUp, "#K#O#R"), f.context), code::Ok);
  EXPECT_EQ(f.pages.onExit(typeText(kDisable, "0123456789ABCDEFGHIJ"), f.context), code::Ok);

  const auto& raw = f.settings.kept;
  EXPECT_EQ(std::string(raw.rawPowerUpPrompt.begin(), raw.rawPowerUpPrompt.end()),
            "#K#O#R!!!!!!!!!!!!");
  EXPECT_EQ(std::string(raw.rawDisablePrompt.begin(), raw.rawDisablePrompt.end()),
            "0123456789ABCDEFGH");  // 18 bytes
  EXPECT_EQ(f.settings.prompts[powerUpPrompt].text, powerUpText);
  EXPECT_EQ(f.shown(Page::Prompt1, kPowerUp), "#K#O#R!!!!!!!!!!!!");
  EXPECT_TRUE(promptPageLayout(f.context).rawPowerUpGroupShown);
}

TEST(PromptPages, F2OnAPromptPageOfModelHashWarnsOfAnInvalidLeadByte) {
  PromptPagesFixture f('#');
  f.pages.onExit(typeText(kPowerUp, "#K#O#R"), f.context);
  f.pages.onExit(typeText(kDisable, "#K.O"), f.context);  // lead byte 0x2E at 2

  EXPECT_EQ(f.pages.programPressed(Page::General, f.context), code::Ok);
  EXPECT_TRUE(f.reporter.shown.empty());

  EXPECT_EQ(f.pages.programPressed(Page::Prompt2, f.context), code::Ok);  // programming goes on
  ASSERT_EQ(f.reporter.shown.size(), 1U);
  EXPECT_TRUE(f.reported(code::InvalidPromptCharacter));

  f.pages.onExit(typeText(kDisable, "#K#O"), f.context);
  f.pages.programPressed(Page::Prompt1, f.context);
  EXPECT_EQ(f.reporter.shown.size(), 1U);
}

TEST(PromptPages, F2ChecksNoRawPromptsOnOtherModels) {
  PromptPagesFixture f('1');
  f.settings.kept.rawPowerUpPrompt.fill(0x7E);
  EXPECT_EQ(f.pages.programPressed(Page::Prompt1, f.context), code::Ok);
  EXPECT_TRUE(f.reporter.shown.empty());
}

// --- Layout by model ---

struct LayoutCase {
  models::ModelCode model;
  bool converter;
  FieldId field;
  bool shown;
};

class PromptLayout : public ::testing::TestWithParam<LayoutCase> {};

TEST_P(PromptLayout, OffersThePromptsOfTheModelsList) {
  const LayoutCase c = GetParam();
  PromptPagesFixture f(c.model);
  if (c.converter) f.context.converter = pages::ConverterMode::Lumio;
  const pages::FieldView field = f.fieldView(c.field);
  ASSERT_EQ(field.id, c.field);
  EXPECT_EQ(field.visible, c.shown);
  EXPECT_EQ(field.enabled, c.shown);
  // A field not offered is not read either.
  if (!c.shown) {
    EXPECT_EQ(promptOfField(c.field, f.context), std::nullopt);
    const PromptSet before = f.settings.prompts;
    EXPECT_EQ(f.pages.onExit(typeText(c.field, "X"), f.context), code::Ok);
    EXPECT_EQ(f.settings.prompts, before);
  }
}

constexpr FieldId kSetTime = 78, kZoomIn = 87, kSetReminder = 94, kStandardAndVib = 95;
constexpr FieldId kUrgentAlert = 411, kSwitchToPrimary = 494, kSwitchToSecondary = 495;
constexpr FieldId kDualFrequencyMenu = 501, kPriorityScan = 502, kInputPassword = 509;
constexpr FieldId kSource17 = 56, kSource25 = 427;

INSTANTIATE_TEST_SUITE_P(
    PromptPages, PromptLayout,
    ::testing::Values(
        // 59-list: both reminder-group prompts.
        LayoutCase{'p', false, kSetReminder, true}, LayoutCase{'p', false, kStandardAndVib, true},
        LayoutCase{'p', false, kUrgentAlert, false}, LayoutCase{'p', false, kSource17, true},
        LayoutCase{'p', false, kSource25, false},
        // 48-list: neither, and no Prompt 2 extras.
        LayoutCase{'1', false, kSetReminder, false}, LayoutCase{'1', false, kStandardAndVib, false},
        LayoutCase{'1', false, kUrgentAlert, false}, LayoutCase{'1', false, kZoomIn, true},
        LayoutCase{'1', false, kSource17, false},
        // 49-list: the zoom prompts are not read; it has no set-time prompt.
        LayoutCase{' ', false, kZoomIn, false}, LayoutCase{' ', false, kSetTime, false},
        // 118-list and converter targets: set reminder only.
        LayoutCase{0x91, false, kSetReminder, true},
        LayoutCase{0x91, false, kStandardAndVib, false},
        LayoutCase{0x91, false, kUrgentAlert, true},
        LayoutCase{0x91, false, kSwitchToPrimary, false}, LayoutCase{0x91, false, kSource25, true},
        LayoutCase{'1', true, kSetReminder, true}, LayoutCase{'1', true, kStandardAndVib, false},
        LayoutCase{'1', true, kSource25, true},
        // 119-list: site switching; the print fields carry the frequency menu prompts.
        LayoutCase{0x93, false, kSwitchToPrimary, true},
        LayoutCase{0x93, false, kSwitchToSecondary, true},
        LayoutCase{0x93, false, kDualFrequencyMenu, false},
        LayoutCase{0x93, false, kPriorityScan, false}, LayoutCase{0x93, false, kPrint, true},
        LayoutCase{0x93, false, kInputPassword, false},
        // 123-list: all of them.
        LayoutCase{0x98, false, kSwitchToPrimary, true},
        LayoutCase{0x98, false, kDualFrequencyMenu, true},
        LayoutCase{0x98, false, kPriorityScan, true}, LayoutCase{0x98, false, kInputPassword, true},
        LayoutCase{0x98, false, kPrint, true}));

TEST(PromptPages, TwoFrequencyModelsEditTheirMenuPromptsInThePrintFields) {
  PromptPagesFixture f(0x93);
  EXPECT_EQ(f.shown(Page::Prompt1, kPrint), "DUAL FREQUENCY MENU");
  EXPECT_EQ(f.pages.onExit(typeText(kPrint, "FREQ MENU"), f.context), code::Ok);
  EXPECT_EQ(f.text(DualFrequencyMenuPrompt), "FREQ MENU");
  EXPECT_EQ(f.text(printPrompt), "");  // not a prompt of this model
  EXPECT_EQ(f.shown(Page::Prompt1, kPrint), "FREQ MENU");
}

TEST(PromptPages, ModelHashHidesTheCharacterSetAndShowSourceAndLocksTheLanguage) {
  for (const models::ModelCode model : {models::ModelCode{'#'}, models::ModelCode{'1'}}) {
    PromptPagesFixture f(model);
    const bool hash = model == '#';
    const pages::PageView view = f.pages.view(Page::Prompt1, f.context);
    EXPECT_EQ(view.find(kLanguage)->enabled, !hash);
    EXPECT_TRUE(view.find(kLanguage)->visible);
    EXPECT_EQ(view.find(kCharacterSet)->visible, !hash);
    EXPECT_EQ(view.find(kShowSource)->visible, !hash);
    EXPECT_EQ(promptPageLayout(f.context).rawPowerUpGroupShown, hash);
  }
}

TEST(PromptPages, ReminderGroupAndTabCaptions) {
  PromptPagesFixture six('p'), four('1'), d(0x91);
  EXPECT_TRUE(promptPageLayout(six.context).reminderGroupShown);
  EXPECT_TRUE(promptPageLayout(d.context).reminderGroupShown);
  EXPECT_FALSE(promptPageLayout(four.context).reminderGroupShown);
  const PromptPageLayout layout = promptPageLayout(four.context);
  EXPECT_EQ(layout.tabCaptions[0], "Prompt 2");
  EXPECT_EQ(layout.tabCaptions[1], "Source 1-8");
  EXPECT_EQ(layout.tabCaptions[2], "Source 9-16");
}

struct SourceCase {
  models::ModelCode model;
  int showSource;
  FieldId field;
  bool enabled;
};

class SourceEnabling : public ::testing::TestWithParam<SourceCase> {};

TEST_P(SourceEnabling, SourcesFollowShowSource) {
  const SourceCase c = GetParam();
  PromptPagesFixture f(c.model);
  f.settings.showSource = c.showSource;
  const pages::FieldView field = f.fieldView(c.field);
  ASSERT_EQ(field.id, c.field);
  EXPECT_TRUE(field.visible);
  EXPECT_EQ(field.enabled, c.enabled);
}

INSTANTIATE_TEST_SUITE_P(PromptPages, SourceEnabling,
                         ::testing::Values(SourceCase{'1', 1, kSource1, true},
                                           SourceCase{'1', 0, kSource1, false},
                                           SourceCase{'p', 1, kSource17, true},
                                           SourceCase{0x91, 1, kSource25, true},
                                           SourceCase{0x91, 0, kSource25, false}));

}  // namespace
}  // namespace zelta::pages
