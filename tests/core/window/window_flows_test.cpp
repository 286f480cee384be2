#include <gtest/gtest.h>

#include <functional>
#include <utility>

#include "pages/field_ids.h"
#include "version.h"
#include "window/progress_texts.h"
#include "window_fixture.h"

namespace zelta::window {
namespace {

using pages::Page;

constexpr pages::FieldId kIcnField = pages::fieldId("ed_ICN");

pages::FieldInput typed(pages::FieldId id, std::string text) {
  pages::FieldInput in;
  in.id = id;
  in.text = std::move(text);
  return in;
}

std::string title(std::string_view name) {
  return std::string(kMainWindowCaption) + " - " + std::string(name);
}

// ---- Start-up and Main ----

TEST(WindowStart, ShowsOnlyMainWithTheLauncherCommands) {
  WindowFixture f;
  const WindowView v = f.window.view();
  EXPECT_EQ(v.caption, kMainWindowCaption);
  EXPECT_EQ(f.shownTabs(), "13");
  EXPECT_EQ(v.activePage, Page::Main);
  EXPECT_EQ(v.keymap, "");
  EXPECT_FALSE(v.gaugeVisible);
  EXPECT_TRUE(v.enabled("readBtn"));
  EXPECT_FALSE(v.enabled("menuSave"));
  EXPECT_FALSE(v.visible("menuTools"));
}

TEST(WindowKeys, KeysOfTheEditingPagesDoNothingOnMain) {
  WindowFixture f;
  for (WindowKey key : {WindowKey::F2, WindowKey::F7, WindowKey::F9, WindowKey::F11, WindowKey::F12,
                        WindowKey::CtrlS}) {
    EXPECT_EQ(f.window.pressKey(key), KeyOutcome::Ignored);
  }
  EXPECT_TRUE(f.reporter.shown.empty());
  EXPECT_TRUE(f.reporter.asked.empty());
  EXPECT_TRUE(f.frontEnd.saveRequests.empty());
}

TEST(WindowKeys, KeysOfMainDoNothingOnAnEditingPage) {
  WindowFixture f;
  f.loadNew('p');
  for (WindowKey key :
       {WindowKey::F3, WindowKey::F4, WindowKey::F5, WindowKey::F6, WindowKey::F8}) {
    EXPECT_EQ(f.window.pressKey(key), KeyOutcome::Ignored);
  }
  EXPECT_EQ(f.frontEnd.openRequests.size(), 1u);  // only the load of the fixture
  EXPECT_EQ(f.window.activePage(), Page::General);
}

TEST(WindowKeys, MainHandsThePagerOperationsAndHelpToTheFrontEnd) {
  WindowFixture f;
  EXPECT_EQ(f.window.pressKey(WindowKey::F1), KeyOutcome::OpenHelp);
  EXPECT_EQ(f.window.pressKey(WindowKey::F3), KeyOutcome::Read);
  EXPECT_EQ(f.window.pressKey(WindowKey::F6), KeyOutcome::ProgramSequential);
  EXPECT_EQ(f.window.pressKey(WindowKey::F10), KeyOutcome::CloseWindow);
}

TEST(WindowKeys, NothingAnswersWhileBusy) {
  WindowFixture f;
  f.port.readOutcomes.push_back(errors::OperationOutcome::failed(errors::code::BadChecksum));
  f.port.duringRead = [&f] {
    EXPECT_EQ(f.window.pressKey(WindowKey::F8), KeyOutcome::Ignored);
    EXPECT_EQ(f.window.pressKey(WindowKey::F10), KeyOutcome::Ignored);
    EXPECT_FALSE(f.window.view().pagesEnabled);
  };
  f.press(WindowKey::F3);
  EXPECT_EQ(f.port.reads, 1);
  EXPECT_TRUE(f.frontEnd.openRequests.empty());
  EXPECT_FALSE(f.window.busy());
}

// ---- Load ----

TEST(WindowLoad, ShowsTheCodeplugForEditing) {
  WindowFixture f;
  const auto file = f.newCodeplugFile('p', "pager.cp");
  f.frontEnd.openAnswers.push_back(file);
  f.window.setSequentialMode(true);
  EXPECT_EQ(f.window.pressKey(WindowKey::F8), KeyOutcome::Handled);

  ASSERT_EQ(f.frontEnd.openRequests.size(), 1u);
  EXPECT_EQ(f.frontEnd.openRequests[0].filter,
            "Programming Software Files ( *.cp )|*.cp*|All  ( *.* )|*.*");
  EXPECT_EQ(f.frontEnd.openRequests[0].defaultExtension, ".cp");
  EXPECT_EQ(f.frontEnd.openRequests[0].folder, f.folder.path() / "work");

  const WindowView v = f.window.view();
  EXPECT_EQ(v.caption, title("pager.cp"));
  EXPECT_EQ(f.window.codeplugName(), file.string());
  EXPECT_FALSE(f.window.sequentialMode());
  EXPECT_EQ(v.activePage, Page::General);
  EXPECT_FALSE(v.tabs[13].shown);
  EXPECT_EQ(v.focus.target, FocusRequest::Target::Field);
  EXPECT_EQ(v.focus.field, kIcnField);
  EXPECT_EQ(v.versionText.rfind("Codeplug Version : ", 0), 0u) << v.versionText;
  EXPECT_EQ(v.keymap,
            "F1-Help  |  F2-Program Pager  |  F9-Set To Defaults  |  F10-Exit  |  F11-Prev  |  "
            "F12-Next");
  EXPECT_TRUE(v.enabled("menuSave"));
  EXPECT_FALSE(v.enabled("readBtn"));
  EXPECT_TRUE(v.visible("menuPrint"));
  EXPECT_FALSE(v.unsavedEdits);
  EXPECT_TRUE(f.reporter.shown.empty());
}

TEST(WindowLoad, AMissingFileIsNamed) {
  WindowFixture f;
  const auto missing = f.folder / "gone.cp";
  EXPECT_FALSE(f.load(missing).succeeded());
  EXPECT_TRUE(f.shownBox("ERROR", missing.string() + "\ndoes not exist."));
  EXPECT_EQ(f.window.activePage(), Page::Main);
  EXPECT_EQ(f.window.view().caption, kMainWindowCaption);
}

TEST(WindowLoad, AnInvalidFileLeavesTheWindowOnMain) {
  WindowFixture f;
  const auto file = f.folder / "junk.cp";
  testing::writeFile(file, "this is no codeplug\n");
  EXPECT_FALSE(f.load(file).succeeded());
  EXPECT_FALSE(f.reporter.shown.empty());
  EXPECT_EQ(f.window.activePage(), Page::Main);
  EXPECT_FALSE(f.window.codeplugLoaded());
}

TEST(WindowLoad, CancelledDialogChangesNothing) {
  WindowFixture f;
  EXPECT_EQ(f.window.pressKey(WindowKey::F8), KeyOutcome::Handled);
  EXPECT_EQ(f.window.activePage(), Page::Main);
  EXPECT_TRUE(f.reporter.shown.empty());
}

// Tabs after a load, by model and (for families D-F) code capacity.
struct LayoutCase {
  int model;
  int variant;
  const char* shown;
  int printed;
  bool tools;
};

void PrintTo(const LayoutCase& c, std::ostream* os) {
  *os << c.model << "/" << c.variant;
}

class WindowLayout : public ::testing::TestWithParam<LayoutCase> {};

TEST_P(WindowLayout, TabsFollowTheModel) {
  const LayoutCase& c = GetParam();
  WindowFixture f;
  f.loadNew(static_cast<models::ModelCode>(c.model), c.variant);
  const WindowView v = f.window.view();
  EXPECT_EQ(f.shownTabs(), c.shown);
  EXPECT_EQ(v.printedPages, c.printed);
  EXPECT_EQ(v.visible("menuTools"), c.tools);
}

INSTANTIATE_TEST_SUITE_P(ByModel, WindowLayout,
                         ::testing::Values(LayoutCase{'0', 0, "0,1,5,7,9,10,11,12", 8, true},
                                           LayoutCase{'1', 0, "0,1,5,7,9,10,11,12", 8, true},
                                           LayoutCase{'2', 0, "0,1,5,7,9,10,11,12", 8, false},
                                           LayoutCase{'p', 0, "0,1,2,5,6,7,9,10,11,12", 10, false},
                                           LayoutCase{'q', 0, "0,1,2,5,6,7,9,10,11,12", 10, false},
                                           LayoutCase{0x91, 3, "0,1,2,3,4,5,6,7,8,9,10,11,12", 13,
                                                      false},
                                           LayoutCase{0x91, 2, "0,1,2,5,6,7,9,10,11,12", 10, false},
                                           LayoutCase{0x98, 0, "0,1,5,6,7,9,10,11,12", 9, false}));

// ---- Edits, F10 and closing ----

TEST(WindowEdits, AnAcceptedChangeMarksTheCodeplugUnsaved) {
  WindowFixture f;
  f.loadNew('p');
  const std::string icn = f.window.pageView(Page::General).find(kIcnField)->text;
  f.window.fieldEntered(kIcnField);
  EXPECT_EQ(f.window.fieldLeft(typed(kIcnField, icn)), errors::code::Ok);
  EXPECT_FALSE(f.window.view().unsavedEdits);
  EXPECT_EQ(f.window.fieldLeft(typed(kIcnField, "A1")), errors::code::Ok);
  EXPECT_TRUE(f.window.view().unsavedEdits);
  EXPECT_EQ(f.window.settings().ICN, "A1");
}

// A text of one space reads back from a file as empty (the pager pads with
// spaces): the page holds it so at once, as a save and a load will show it.
TEST(WindowEdits, ATextOfOneSpaceIsHeldEmpty) {
  WindowFixture f;
  f.loadNew('p');
  f.window.fieldEntered(kIcnField);
  EXPECT_EQ(f.window.fieldLeft(typed(kIcnField, " ")), errors::code::Ok);
  EXPECT_EQ(f.window.settings().ICN, "");
  EXPECT_EQ(f.window.pageView(Page::General).find(kIcnField)->text, "");
  EXPECT_EQ(f.window.fieldLeft(typed(kIcnField, " A")), errors::code::Ok);
  EXPECT_EQ(f.window.settings().ICN, " A");
}

// The edits go only once discarded on purpose (unsaved_edits_test.cpp).
TEST(WindowExit, F10OnAnEditingPageReturnsToMain) {
  WindowFixture f;
  f.loadNew('p');
  f.window.fieldLeft(typed(kIcnField, "A1"));
  ASSERT_TRUE(f.window.unsavedEdits());

  f.frontEnd.unsavedAnswers.push_back(UnsavedEditsAnswer::Discard);
  EXPECT_EQ(f.window.pressKey(WindowKey::F10), KeyOutcome::Handled);
  const WindowView v = f.window.view();
  EXPECT_TRUE(f.reporter.asked.empty());
  EXPECT_EQ(v.activePage, Page::Main);
  EXPECT_EQ(f.shownTabs(), "13");
  EXPECT_EQ(v.caption, kMainWindowCaption);
  EXPECT_FALSE(f.window.codeplugLoaded());
  EXPECT_FALSE(v.unsavedEdits);
  EXPECT_EQ(v.versionText, "");
  EXPECT_TRUE(v.enabled("readBtn"));
  EXPECT_FALSE(v.enabled("menuDefault"));
}

TEST(WindowExit, F10WithThePortBusyAsksFirst) {
  WindowFixture f;
  f.loadNew('p');
  EXPECT_EQ(f.window.pressKey(WindowKey::F10, {.portBusy = true}), KeyOutcome::Handled);
  ASSERT_EQ(f.reporter.asked.size(), 1u);
  EXPECT_EQ(f.reporter.asked[0].code, errors::code::ExitWhileBusy);
  EXPECT_EQ(f.reporter.asked[0].question.text,
            errors::confirmQuestion(errors::code::ExitWhileBusy).text + "\n" +
                std::string(kExitWhileBusyDetail));
  EXPECT_EQ(f.window.activePage(), Page::General);

  f.reporter.answer(true);
  EXPECT_EQ(f.window.pressKey(WindowKey::F10, {.portBusy = true}), KeyOutcome::ClosePort);
  EXPECT_EQ(f.window.activePage(), Page::Main);
}

TEST(WindowClose, AsksToExitToWindows) {
  WindowFixture f;
  EXPECT_FALSE(f.window.confirmClose(false));
  ASSERT_EQ(f.reporter.asked.size(), 1u);
  EXPECT_EQ(f.reporter.asked[0].question.caption, "WARNING");
  EXPECT_EQ(f.reporter.asked[0].question.text, "Are you sure exit to WINDOWS ?");
  f.reporter.answer(true);
  EXPECT_TRUE(f.window.confirmClose(false));

  EXPECT_FALSE(f.window.confirmClose(true));
  EXPECT_EQ(f.reporter.asked.back().code, errors::code::ExitWhileBusy);
  // The question's own words, then what is busy and what Yes does.
  EXPECT_EQ(f.reporter.asked.back().question.text,
            errors::confirmQuestion(errors::code::ExitWhileBusy).text + "\n" +
                std::string(kCloseWhileBusyDetail));
  EXPECT_TRUE(f.window.confirmClose(true, true));
  EXPECT_EQ(f.reporter.asked.size(), 3u);
}

// ---- Save ----

TEST(WindowSave, ReplacingAnExistingFileAsksFirst) {
  WindowFixture f;
  f.loadNew('p');
  f.window.fieldLeft(typed(kIcnField, "A1"));
  const auto target = f.folder / "target.cp";
  testing::writeFile(target, "old");

  f.frontEnd.saveAnswers.push_back(target);
  f.reporter.answer(false);
  EXPECT_EQ(f.window.pressKey(WindowKey::CtrlS), KeyOutcome::Handled);
  ASSERT_EQ(f.reporter.asked.size(), 1u);
  EXPECT_EQ(f.reporter.asked[0].question.caption, "Save As - Warning");
  EXPECT_EQ(f.reporter.asked[0].question.text,
            target.string() + " already exists.\nDo you want to replace it ?\n");
  EXPECT_EQ(testing::readFile(target), "old");
  EXPECT_TRUE(f.window.unsavedEdits());
  EXPECT_EQ(f.window.view().caption, title("pager.cp"));

  f.frontEnd.saveAnswers.push_back(target);
  f.reporter.answer(true);
  EXPECT_TRUE(f.window.save().succeeded());
  EXPECT_NE(testing::readFile(target), "old");
  EXPECT_TRUE(f.shownBox("successfully", "\nThe file was saved as " + target.string()));
  EXPECT_EQ(f.window.view().caption, title("target.cp"));
  EXPECT_EQ(f.window.codeplugName(), target.string());
  EXPECT_FALSE(f.window.unsavedEdits());
  ASSERT_EQ(f.frontEnd.saveRequests.size(), 2u);
  EXPECT_EQ(f.frontEnd.saveRequests[0].filter,
            "Programming Software Files ( *.cp )|*.cp|All  ( *.* )|*.*");

  // What was saved loads again with the edit.
  WindowFixture again;
  ASSERT_TRUE(again.load(target).succeeded());
  EXPECT_EQ(again.window.settings().ICN, "A1");
}

// What another program may have done to the file on screen between its
// opening (or last save) and Ctrl+S over it.
struct MeanwhileCase {
  const char* what;
  std::function<void(const std::filesystem::path&)> meanwhile;
  bool changedQuestion;
};

void rewriteWith(const std::filesystem::path& file, const std::string& text) {
  // A new file under the old name, as editors and copies replace a file.
  std::filesystem::remove(file);
  testing::writeFile(file, text);
}

const MeanwhileCase kMeanwhileCases[] = {
    {"left alone", [](const std::filesystem::path&) {}, false},
    {"the same bytes written again",
     [](const std::filesystem::path& file) { rewriteWith(file, testing::readFile(file)); }, false},
    {"another codeplug", [](const std::filesystem::path& file) { rewriteWith(file, "S0 other"); },
     true},
    {"one byte changed, the size kept",
     [](const std::filesystem::path& file) {
       std::string text = testing::readFile(file);
       text[text.size() / 2] = text[text.size() / 2] == '0' ? '1' : '0';
       rewriteWith(file, text);
     },
     true},
};

std::string changedText(const std::filesystem::path& file) {
  return file.string() +
         " was changed by another program since this window opened or saved it.\n"
         "Replace it with the codeplug on screen?";
}

// Ctrl+S over the file on screen: the usual question while it holds what was
// opened, the changed-file question once another program has written other
// bytes into it; No leaves that program's file as it is.
TEST(WindowSave, SavingOverTheOpenedFileSaysWhenAnotherProgramChangedIt) {
  for (const MeanwhileCase& c : kMeanwhileCases) {
    SCOPED_TRACE(c.what);
    WindowFixture f;
    const auto file = f.loadNew('p');
    f.window.fieldLeft(typed(kIcnField, "A1"));
    c.meanwhile(file);
    const std::string before = testing::readFile(file);

    f.frontEnd.saveAnswers.push_back(file);
    f.reporter.answer(false);
    EXPECT_EQ(f.window.save(), errors::OperationOutcome::notWritten());
    ASSERT_EQ(f.reporter.asked.size(), 1u);
    if (c.changedQuestion) {
      EXPECT_EQ(f.reporter.asked[0].question.caption, "File changed");
      EXPECT_EQ(f.reporter.asked[0].question.text, changedText(file));
    } else {
      EXPECT_EQ(f.reporter.asked[0].question.caption, "Save As - Warning");
    }
    EXPECT_EQ(testing::readFile(file), before);
    EXPECT_TRUE(f.window.unsavedEdits());
  }
}

// The version a save wrote is the one later saves compare with; a change to
// it is noticed, and once overwritten the file is the window's again.
TEST(WindowSave, TheLastSavedVersionIsTheOneComparedWith) {
  WindowFixture f;
  const auto file = f.loadNew('p');
  const auto saveOver = [&](bool yes) {
    f.frontEnd.saveAnswers.push_back(file);
    f.reporter.answer(yes);
    const bool saved = f.window.save().succeeded();
    return std::pair(saved, f.reporter.asked.back().question.caption);
  };
  f.window.fieldLeft(typed(kIcnField, "A1"));
  EXPECT_EQ(saveOver(true), std::pair(true, std::string("Save As - Warning")));
  const std::string saved = testing::readFile(file);
  EXPECT_EQ(saveOver(true), std::pair(true, std::string("Save As - Warning")));

  rewriteWith(file, "S0 other");
  EXPECT_EQ(saveOver(true), std::pair(true, std::string("File changed")));
  EXPECT_EQ(testing::readFile(file), saved);
  EXPECT_EQ(saveOver(true), std::pair(true, std::string("Save As - Warning")));

  // Another file that exists gets the usual question, whatever happened to
  // the one on screen.
  const auto other = f.folder / "other.cp";
  testing::writeFile(other, "old");
  rewriteWith(file, "S0 other");
  f.frontEnd.saveAnswers.push_back(other);
  f.reporter.answer(false);
  EXPECT_EQ(f.window.save(), errors::OperationOutcome::notWritten());
  EXPECT_EQ(f.reporter.asked.back().question.caption, "Save As - Warning");
}

TEST(WindowSave, ANameWithoutExtensionGetsDotCp) {
  WindowFixture f;
  f.loadNew('p');
  f.frontEnd.saveAnswers.push_back(f.folder / "bench");
  EXPECT_TRUE(f.window.save().succeeded());
  EXPECT_TRUE(std::filesystem::exists(f.folder / "bench.cp"));
  EXPECT_TRUE(f.reporter.asked.empty());
}

TEST(WindowSave, AFullDiskIsToldBeforeWriting) {
  WindowFixture f;
  f.loadNew('p');
  f.frontEnd.space = 6 * 1024 - 1;
  f.frontEnd.saveAnswers.push_back(f.folder / "full.cp");
  EXPECT_FALSE(f.window.save().succeeded());
  EXPECT_TRUE(f.shownBox("Cannot save file", "There is not enough space on the disk.\n"));
  EXPECT_FALSE(std::filesystem::exists(f.folder / "full.cp"));
}

TEST(WindowSave, AFailingPageCheckStopsBeforeTheDialog) {
  WindowFixture f;
  f.loadNew('p');
  f.window.settings().batteryGauge = 1;
  f.window.settings().batteryGaugeHiLevel = 1;
  f.window.settings().batteryGaugeMedLevel = 2;
  EXPECT_TRUE(f.window.save().failedWith(errors::code::BatteryLevel));
  EXPECT_TRUE(f.reported(errors::code::BatteryLevel));
  EXPECT_TRUE(f.frontEnd.saveRequests.empty());
}

// ---- Set to defaults ----

TEST(WindowDefaults, NoKeepsTheSettings) {
  WindowFixture f;
  f.loadNew('p');
  f.window.fieldLeft(typed(kIcnField, "A1"));
  f.reporter.answer(false);
  EXPECT_EQ(f.window.pressKey(WindowKey::F9), KeyOutcome::Handled);
  ASSERT_EQ(f.reporter.asked.size(), 1u);
  EXPECT_EQ(f.reporter.asked[0].code, errors::code::ResetToDefaults);
  EXPECT_EQ(f.window.settings().ICN, "A1");
}

TEST(WindowDefaults, YesDecodesTheImageAgainOverTheDefaults) {
  WindowFixture f;
  f.loadNew('p');
  const std::string icn = f.window.settings().ICN;
  f.window.fieldLeft(typed(kIcnField, "A1"));
  f.reporter.answer(true);
  EXPECT_TRUE(f.window.setToDefaults().succeeded());
  EXPECT_EQ(f.window.settings().ICN, icn);
  EXPECT_EQ(f.window.activePage(), Page::General);
}

TEST(WindowDefaults, MaximumSecurityOnItsPageRemindsOfThePasswordFirst) {
  WindowFixture f;
  f.loadNew('p');
  ASSERT_TRUE(f.window.selectPage(Page::PasswordOta));
  f.window.settings().securityLevel = 1;  // "Maximum"
  f.window.pressKey(WindowKey::F9);
  EXPECT_TRUE(
      f.shownBox("successfully", "Please record your password.\nPress OK button to continue"));
  EXPECT_EQ(f.reporter.asked.size(), 1u);
}

// ---- Page navigation ----

TEST(WindowPages, F11AndF12WrapAndSkipHiddenTabs) {
  WindowFixture f;
  f.loadNew('0');  // tabs 0, 1, 5, 7, 9-12
  EXPECT_EQ(f.window.pressKey(WindowKey::F11), KeyOutcome::Handled);
  EXPECT_EQ(f.window.activePage(), Page::MoreFeatures);
  f.window.nextPage();
  EXPECT_EQ(f.window.activePage(), Page::General);
  f.window.nextPage();
  EXPECT_EQ(f.window.activePage(), Page::Code1to4);
  f.window.nextPage();
  EXPECT_EQ(f.window.activePage(), Page::Prompt1);
  EXPECT_TRUE(f.window.view().gaugeVisible);
  EXPECT_EQ(f.window.view().focus.target, FocusRequest::Target::PageControl);
  f.window.nextPage();
  EXPECT_EQ(f.window.activePage(), Page::Source1to8);
  f.window.nextPage();
  EXPECT_EQ(f.window.activePage(), Page::Alert);
  EXPECT_FALSE(f.window.view().gaugeVisible);
  f.window.previousPage();
  EXPECT_EQ(f.window.activePage(), Page::Source1to8);
}

TEST(WindowPages, AFailingCheckRefusesATabChangeButNotF12) {
  WindowFixture f;
  f.loadNew('p');
  ASSERT_TRUE(f.window.selectPage(Page::MoreFeatures));
  f.window.settings().batteryGauge = 1;
  f.window.settings().batteryGaugeHiLevel = 1;
  f.window.settings().batteryGaugeMedLevel = 2;

  EXPECT_FALSE(f.window.selectPage(Page::Alert));
  EXPECT_EQ(f.window.activePage(), Page::MoreFeatures);
  EXPECT_TRUE(f.reported(errors::code::BatteryLevel));

  f.reporter.shown.clear();
  EXPECT_TRUE(f.window.nextPage());
  EXPECT_EQ(f.window.activePage(), Page::General);
  EXPECT_TRUE(f.reported(errors::code::BatteryLevel));
}

// Twenty characters of its own in every prompt: far more than the packed
// block holds. (An edit on the page would show the stored form at once;
// this is the state a language change or a decoded file can leave.)
void overflowPrompts(WindowFixture& f) {
  char first = 'A';
  for (text::Prompt& prompt : f.window.settings().prompts.prompts) {
    prompt.text.assign(std::string(20, first));
    prompt.builtIn = false;
    first = first == 'Z' ? 'A' : static_cast<char>(first + 1);
  }
}

TEST(WindowPages, APromptPageIsLeftOnlyWhileTheBlockFits) {
  WindowFixture f;
  f.loadNew('p');
  ASSERT_TRUE(f.window.selectPage(Page::Prompt1));
  EXPECT_TRUE(f.window.view().gaugeVisible);
  overflowPrompts(f);

  EXPECT_FALSE(f.window.nextPage());
  EXPECT_FALSE(f.window.previousPage());
  EXPECT_EQ(f.window.activePage(), Page::Prompt1);
  EXPECT_TRUE(f.reporter.shown.empty());  // the check before moving is silent
  EXPECT_FALSE(f.window.save().succeeded());
  EXPECT_TRUE(f.frontEnd.saveRequests.empty());
}

TEST(WindowPages, TheGaugeShowsThePromptMemoryInUse) {
  WindowFixture f;
  f.loadNew('p');
  ASSERT_TRUE(f.window.selectPage(Page::Prompt1));
  const int before = f.window.view().gaugeValue;
  EXPECT_GT(before, 0);
  f.window.fieldLeft(typed(pages::fieldId("ed_setAlertPrompt"), "QWERTYUIOPASDFGHJKLZ"));
  EXPECT_GT(f.window.view().gaugeValue, before);
}

// The field being edited, stored as the front end stores it: through the
// field events, as leaving it would.
StoreFocusedField storing(WindowFixture& f, pages::FieldInput input) {
  return [&f, input] { return f.window.fieldLeft(input) == errors::code::Ok; };
}

TEST(WindowPages, ATabClickStoresTheFocusedFieldFirst) {
  WindowFixture f;
  f.loadNew('p');
  EXPECT_TRUE(f.window.selectPage(Page::Alert, storing(f, typed(kIcnField, "B2"))));
  EXPECT_EQ(f.window.settings().ICN, "B2");
  EXPECT_TRUE(f.window.unsavedEdits());
}

// The commands that check the page store the field first, once; a field
// the rules refuse ends them before anything else happens.
TEST(WindowPages, ARefusedFieldStopsTheCommandsThatCheckThePage) {
  WindowFixture f;
  f.loadNew('p');
  int stores = 0;
  KeyInput input;
  input.storeFocusedField = [&stores] {
    ++stores;
    return false;
  };
  EXPECT_FALSE(f.window.selectPage(Page::Alert, input.storeFocusedField));
  EXPECT_EQ(stores, 1);
  for (const WindowKey key : {WindowKey::F2, WindowKey::F11, WindowKey::F12, WindowKey::CtrlS}) {
    stores = 0;
    EXPECT_EQ(f.window.pressKey(key, input), KeyOutcome::Handled);
    EXPECT_EQ(stores, 1);
  }
  EXPECT_EQ(f.window.activePage(), Page::General);
  EXPECT_TRUE(f.frontEnd.saveRequests.empty());
  EXPECT_TRUE(f.reporter.shown.empty());

  // F9 checks no page: its question comes without the field stored.
  stores = 0;
  f.window.pressKey(WindowKey::F9, input);
  EXPECT_EQ(stores, 0);
  ASSERT_EQ(f.reporter.asked.size(), 1u);
  EXPECT_EQ(f.reporter.asked[0].code, errors::code::ResetToDefaults);
}

TEST(WindowPages, HiddenTabsCannotBeSelected) {
  WindowFixture f;
  f.loadNew('0');
  EXPECT_FALSE(f.window.selectPage(Page::Code5to8));
  EXPECT_FALSE(f.window.selectPage(Page::Main));
  EXPECT_EQ(f.window.activePage(), Page::General);
}

// ---- Converter ----

TEST(WindowConverter, LaysTheTabsOutForTheTarget) {
  WindowFixture f;
  f.loadNew('0');
  f.window.selectPage(Page::Alert);

  f.window.chooseConverter(pages::ConverterMode::Lumio);
  WindowView v = f.window.view();
  EXPECT_EQ(f.shownTabs(), "0,1,2,5,6,7,9,10,11,12");
  EXPECT_EQ(v.printedPages, 10);
  EXPECT_EQ(v.activePage, Page::General);
  EXPECT_EQ(v.tabs[7].caption, "Source 1-8");
  EXPECT_TRUE(v.command("cprRic8")->checked);
  EXPECT_EQ(f.window.converter().sourceModel, '0');

  f.window.chooseConverter(pages::ConverterMode::Varda);
  v = f.window.view();
  EXPECT_EQ(f.shownTabs(), "0,1,2,3,4,5,6,7,8,9,10,11,12");
  EXPECT_EQ(v.printedPages, 13);
  EXPECT_EQ(v.tabs[8].caption, "Source 9-16");

  f.window.chooseConverter(pages::ConverterMode::Off);
  v = f.window.view();
  EXPECT_EQ(f.shownTabs(), "0,1,5,7,9,10,11,12");
  EXPECT_EQ(v.printedPages, 8);
  EXPECT_EQ(v.tabs[7].caption, "Prompt 2");
  EXPECT_TRUE(v.command("cprDisable")->checked);
  EXPECT_EQ(f.window.model(), '0');
}

TEST(WindowConverter, OtherModelsHaveNoConverter) {
  WindowFixture f;
  f.loadNew('p');
  f.window.chooseConverter(pages::ConverterMode::Varda);
  EXPECT_EQ(f.window.converter().mode, pages::ConverterMode::Off);
  EXPECT_EQ(f.shownTabs(), "0,1,2,5,6,7,9,10,11,12");
}

// ---- Read and return ----

using errors::OperationOutcome;

TEST(WindowRead, AReadCodeplugIsShownAsNoname) {
  WindowFixture f;
  std::string shownWhileReading;
  f.port.duringRead = [&f, &shownWhileReading] {
    shownWhileReading = f.window.view().operationText;
  };
  EXPECT_EQ(f.press(WindowKey::F3), KeyOutcome::Read);
  EXPECT_EQ(shownWhileReading, "Reading - Please wait.");
  const WindowView v = f.window.view();
  EXPECT_EQ(v.caption, std::string(kMainWindowCaption) + " >> NONAME1");
  EXPECT_EQ(f.window.codeplugName(), "NONAME1");
  EXPECT_EQ(v.operationText, "");
  EXPECT_EQ(v.activePage, Page::General);
}

TEST(WindowRead, ReturnAfterProgrammingClearsTheCodeplugAndConverter) {
  WindowFixture f;
  f.loadNew('0');
  f.window.chooseConverter(pages::ConverterMode::Lumio);
  f.port.pager.rateCode = 170;
  std::string shownWhileProgramming;
  f.port.duringProgram = [&f, &shownWhileProgramming] {
    shownWhileProgramming = f.window.view().operationText;
  };
  f.press(WindowKey::F2);
  EXPECT_EQ(shownWhileProgramming, operationText(Operation::Program, 170));
  const WindowView v = f.window.view();
  EXPECT_EQ(v.activePage, Page::Main);
  EXPECT_EQ(v.caption, kMainWindowCaption);
  EXPECT_EQ(v.operationText, "");
  EXPECT_FALSE(f.window.codeplugLoaded());
  EXPECT_EQ(f.window.converter().mode, pages::ConverterMode::Off);
}

TEST(WindowRead, F2OnAnEditingPageIsTheProgramOperations) {
  WindowFixture f;
  f.press(WindowKey::F3);
  EXPECT_EQ(f.window.pressKey(WindowKey::F2), KeyOutcome::Program);
  EXPECT_TRUE(f.reporter.shown.empty());
}

TEST(WindowRead, AFailedReadLeavesMainAndTellsWhyUnlessAlreadyAnswered) {
  for (const OperationOutcome read : {OperationOutcome::failed(errors::code::NotResponding, true),
                                      OperationOutcome::failed(errors::code::PortNotOpened, true),
                                      OperationOutcome::failed(errors::code::BadChecksum, false),
                                      OperationOutcome::stopped(false)}) {
    WindowFixture f;
    f.port.readOutcomes.push_back(read);
    f.press(WindowKey::F3);
    EXPECT_EQ(f.window.activePage(), Page::Main) << read.code;
    EXPECT_FALSE(f.window.codeplugLoaded()) << read.code;
    EXPECT_EQ(f.window.view().operationText, "") << read.code;
    // Once: by the operation, or here.
    EXPECT_EQ(f.reporter.shown.size() + f.reporter.asked.size(), 1u) << read.code;
    if (!read.reported) {
      ASSERT_EQ(f.reporter.shown.size(), 1u) << read.code;
      // The code's own text; a stopped read adds what it left.
      EXPECT_TRUE(f.reporter.shown[0].text.starts_with(errors::reportText(read.code, {})))
          << read.code;
      if (read.kind == errors::OutcomeKind::Stopped) {
        EXPECT_TRUE(f.reporter.shown[0].text.ends_with(kStoppedReadText));
      }
    }
  }
}

TEST(WindowRead, ASuccessfulReadShowsTheCodeplugWithTheConverterOff) {
  WindowFixture f;
  f.loadNew('0');
  f.window.chooseConverter(pages::ConverterMode::Lumio);
  f.frontEnd.unsavedAnswers.push_back(UnsavedEditsAnswer::Discard);
  f.window.exitToMain(false);
  f.press(WindowKey::F3);
  EXPECT_EQ(f.window.activePage(), Page::General);
  EXPECT_EQ(f.window.codeplugName(), "NONAME1");
  EXPECT_EQ(f.window.converter().mode, pages::ConverterMode::Off);
}

TEST(WindowProgram, SingleModeReturnsToMainOnlyOnceThePagerHoldsTheImage) {
  using errors::OperationOutcome;
  struct Case {
    OperationOutcome outcome;
    bool backToMain;
  };
  for (const Case c : {
           Case{OperationOutcome::done(true), true},
           // The clock after the image failed: the pager holds the image.
           Case{OperationOutcome::failed(errors::code::NotResponding, true, true), true},
           // Nothing written: a question answered No, the memory dialog
           // cancelled, a pager that failed; the edits stay on screen.
           Case{OperationOutcome::notWritten(), false},
           Case{OperationOutcome::stopped(true), false},
           Case{OperationOutcome::failed(errors::code::NotResponding, true), false},
           Case{OperationOutcome::failed(errors::code::PortNotOpened, true), false},
           Case{OperationOutcome::failed(errors::code::OutOfBand, true), false},
           // Written, but -114 and -104 keep the codeplug all the same.
           Case{OperationOutcome::failed(errors::code::PortNotOpened, true, true), false},
           Case{OperationOutcome::failed(errors::code::OutOfBand, true, true), false},
       }) {
    WindowFixture f;
    f.loadNew(0x30);
    f.port.programOutcomes.push_back(c.outcome);
    f.press(WindowKey::F2);
    EXPECT_EQ(f.port.programRequests.size(), 1u);
    EXPECT_EQ(f.window.activePage() == Page::Main, c.backToMain) << c.outcome.code;
    EXPECT_EQ(f.window.codeplugLoaded(), !c.backToMain) << c.outcome.code;
    EXPECT_EQ(f.window.view().operationText, "") << c.outcome.code;
  }
}

TEST(WindowProgram, ThreeFramesInUseAskMinus37First) {
  for (const bool yes : {false, true}) {
    WindowFixture f;
    f.loadNew(0x30);
    codeplug::SettingsRecord& s = f.window.settings();
    for (std::string& c : s.code) c.clear();
    // Capcodes 8, 9 and 10 lie in frames 0, 1 and 2.
    s.code[0] = "0000008";
    s.code[1] = "0000009";
    s.code[2] = "0000010";
    for (int i = 0; i < 3; ++i) s.function[static_cast<std::size_t>(i)] = "ABCD";
    f.reporter.answer(yes);
    f.press(WindowKey::F2);
    EXPECT_EQ(f.port.programRequests.size(), yes ? 1u : 0u);
    ASSERT_EQ(f.reporter.asked.size(), 1u);
    EXPECT_EQ(f.reporter.asked[0].code, errors::code::TooManyFrames);
  }
}

TEST(WindowProgram, OneFrameProgramsWithoutAQuestion) {
  WindowFixture f;
  f.loadNew(0x30);
  codeplug::SettingsRecord& s = f.window.settings();
  for (std::string& c : s.code) c.clear();
  s.code[0] = "1234567";
  s.function[0] = "ABCD";
  f.press(WindowKey::F2);
  EXPECT_EQ(f.port.programRequests.size(), 1u);
  EXPECT_TRUE(f.reporter.asked.empty());
}

TEST(WindowSingle, ThePagerIsReadFirstWithoutACodeplugOfItsModel) {
  struct Case {
    bool loaded;
    models::ModelCode reported;
    int reads;
  };
  for (const Case c : {Case{false, 0x30, 1}, Case{true, 0x30, 0}, Case{true, 0x91, 1}}) {
    WindowFixture f;
    if (c.loaded) {
      f.loadNew(0x30);
      f.window.exitToMain(false);
    }
    f.port.pager.reportedModel = c.reported;
    f.press(WindowKey::F5);
    EXPECT_EQ(f.port.reads, c.reads) << c.loaded << int{c.reported};
  }
}

TEST(WindowSingle, AFailedReadForgetsTheModelAndIsReported) {
  WindowFixture f;
  f.loadNew(0x30);
  f.window.exitToMain(false);
  f.port.pager.reportedModel = 0x91;
  f.port.readOutcomes.push_back(OperationOutcome::failed(errors::code::NotResponding, true));
  f.press(WindowKey::F6);
  EXPECT_EQ(f.window.activePage(), Page::Main);
  EXPECT_EQ(f.window.model(), models::kNoModel);
  EXPECT_TRUE(f.reported(errors::code::NotResponding));
}

TEST(WindowSingle, ShowsTheCodeplugOnlyForAProgrammedPagerOfAModelItServes) {
  struct Case {
    models::ModelCode model;
    bool unprogrammed;
    bool editing;
  };
  // 0x36 is no model that F5 and F6 program.
  for (const Case c : {Case{0x30, false, true}, Case{0x30, true, false}, Case{0x91, false, true},
                       Case{0x36, false, false}}) {
    WindowFixture f;
    f.loadNew(c.model);
    f.window.exitToMain(false);
    f.port.pager.reportedModel = c.model;
    f.port.pager.unprogrammed = c.unprogrammed;
    f.press(WindowKey::F6);
    EXPECT_EQ(f.port.reads, 0);
    EXPECT_EQ(f.window.activePage() != Page::Main, c.editing) << int{c.model};
    EXPECT_EQ(f.window.sequentialMode(), true);
  }
}

}  // namespace
}  // namespace zelta::window
