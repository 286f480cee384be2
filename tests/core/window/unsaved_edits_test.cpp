#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "pages/field_ids.h"
#include "version.h"
#include "window_fixture.h"

namespace zelta::window {
namespace {

using errors::OperationOutcome;
using pages::Page;
using Answer = UnsavedEditsAnswer;

constexpr pages::FieldId kIcnField = pages::fieldId("ed_ICN");

pages::FieldInput typedIcn(std::string text) {
  pages::FieldInput in;
  in.id = kIcnField;
  in.text = std::move(text);
  return in;
}

// A codeplug opened from pager.cp with its ICN changed to "A1" on its
// General page: the caption carries the mark of unsaved edits.
void editedCodeplug(WindowFixture& f) {
  f.loadNew('p');
  ASSERT_EQ(f.window.fieldLeft(typedIcn("A1")), errors::code::Ok);
  ASSERT_TRUE(f.window.view().unsavedEdits);
}

bool askedToExitToWindows(const WindowFixture& f) {
  for (const testing::RecordingReporter::Asked& asked : f.reporter.asked) {
    if (asked.question.text == kExitQuestionText) return true;
  }
  return false;
}

// ---- With nothing to lose, every way off asks what it always asked ----

TEST(UnsavedEdits, NothingToLoseAsksNothingNew) {
  WindowFixture f;
  f.loadNew('p');
  EXPECT_EQ(f.window.pressKey(WindowKey::F10), KeyOutcome::Handled);
  EXPECT_EQ(f.window.activePage(), Page::Main);

  EXPECT_EQ(f.window.pressKey(WindowKey::F8), KeyOutcome::Handled);  // its dialog cancelled
  EXPECT_EQ(f.frontEnd.openRequests.size(), 2u);
  EXPECT_EQ(f.press(WindowKey::F3), KeyOutcome::Read);
  EXPECT_EQ(f.port.reads, 1);
  EXPECT_EQ(f.window.activePage(), Page::General);

  // Closing over a codeplug without edits: the "exit to WINDOWS" question.
  EXPECT_FALSE(f.window.confirmClose(false));
  EXPECT_TRUE(askedToExitToWindows(f));
  EXPECT_TRUE(f.frontEnd.unsavedQuestions.empty());
}

// ---- F10, Exit and closing with unsaved edits ----

// The toolbar's and the menu's Exit are F10 (runKey): one key for the three.
TEST(UnsavedEdits, TheAnswerDecidesWhetherF10OrClosingGoesOn) {
  enum class Way { F10, Close };
  enum class Reply { SaveWritten, SaveDialogCancelled, SaveDiskFull, Discard, Cancel };
  struct Case {
    Way way;
    Reply reply;
    bool goesOn;
  };
  const Case cases[] = {
      {Way::F10, Reply::SaveWritten, true},
      {Way::F10, Reply::SaveDialogCancelled, false},
      {Way::F10, Reply::SaveDiskFull, false},
      {Way::F10, Reply::Discard, true},
      {Way::F10, Reply::Cancel, false},
      {Way::Close, Reply::SaveWritten, true},
      {Way::Close, Reply::SaveDialogCancelled, false},
      {Way::Close, Reply::SaveDiskFull, false},
      {Way::Close, Reply::Discard, true},
      {Way::Close, Reply::Cancel, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("way " + std::to_string(static_cast<int>(c.way)) + ", reply " +
                 std::to_string(static_cast<int>(c.reply)));
    WindowFixture f;
    editedCodeplug(f);
    const auto target = f.folder / "saved.cp";
    const bool saving = c.reply == Reply::SaveWritten || c.reply == Reply::SaveDialogCancelled ||
                        c.reply == Reply::SaveDiskFull;
    f.frontEnd.unsavedAnswers.push_back(saving                      ? Answer::Save
                                        : c.reply == Reply::Discard ? Answer::Discard
                                                                    : Answer::Cancel);
    if (c.reply != Reply::SaveDialogCancelled) f.frontEnd.saveAnswers.push_back(target);
    if (c.reply == Reply::SaveDiskFull) f.frontEnd.space = 0;

    bool wentOn = false;
    if (c.way == Way::F10) {
      EXPECT_EQ(f.window.pressKey(WindowKey::F10), KeyOutcome::Handled);
      wentOn = f.window.activePage() == Page::Main;
    } else {
      wentOn = f.window.confirmClose(false);
    }

    ASSERT_EQ(f.frontEnd.unsavedQuestions.size(), 1u);
    EXPECT_EQ(f.frontEnd.unsavedQuestions[0].caption, "Unsaved changes");
    EXPECT_EQ(f.frontEnd.unsavedQuestions[0].text,
              "The codeplug on screen has changes that are not saved.\nSave them first?");
    EXPECT_EQ(wentOn, c.goesOn);
    EXPECT_EQ(f.frontEnd.saveRequests.size(), saving ? 1u : 0u);
    EXPECT_EQ(std::filesystem::exists(target), c.reply == Reply::SaveWritten);
    // The three-way question has asked whether to leave: nothing more.
    EXPECT_FALSE(askedToExitToWindows(f));
    if (c.reply == Reply::SaveDiskFull) {
      EXPECT_TRUE(f.shownBox("Cannot save file", "There is not enough space on the disk.\n"));
    }
    if (!c.goesOn) {
      // Kept: the codeplug and its edits stay on their page.
      EXPECT_EQ(f.window.activePage(), Page::General);
      EXPECT_TRUE(f.window.unsavedEdits());
      EXPECT_EQ(f.window.settings().ICN, "A1");
    }
  }
}

TEST(UnsavedEdits, TheSavedFileHoldsTheEditsF10Left) {
  WindowFixture f;
  editedCodeplug(f);
  const auto target = f.folder / "saved.cp";
  f.frontEnd.unsavedAnswers.push_back(Answer::Save);
  f.frontEnd.saveAnswers.push_back(target);
  f.window.pressKey(WindowKey::F10);
  ASSERT_EQ(f.window.activePage(), Page::Main);
  ASSERT_TRUE(f.load(target).succeeded());
  EXPECT_EQ(f.window.settings().ICN, "A1");
  EXPECT_EQ(f.window.view().caption, std::string(kMainWindowCaption) + " - saved.cp");
}

// The field being typed in is stored as leaving it would store it: a value
// not yet left is an edit too, and one the rules refuse stops F10 and the
// close as it stops Ctrl+S.
TEST(UnsavedEdits, TheFieldBeingTypedInIsStoredFirst) {
  for (const bool refused : {false, true}) {
    SCOPED_TRACE(refused ? "refused" : "stored");
    WindowFixture f;
    f.loadNew('p');
    int stores = 0;
    const StoreFocusedField store = [&] {
      ++stores;
      return !refused && f.window.fieldLeft(typedIcn("B2")) == errors::code::Ok;
    };
    EXPECT_EQ(f.window.pressKey(WindowKey::F10, {.storeFocusedField = store}), KeyOutcome::Handled);
    EXPECT_FALSE(f.window.confirmClose(false, false, store));
    EXPECT_EQ(stores, 2);
    EXPECT_EQ(f.window.activePage(), Page::General);
    // Asked (and cancelled) twice when stored; never when refused.
    EXPECT_EQ(f.frontEnd.unsavedQuestions.size(), refused ? 0u : 2u);
    EXPECT_FALSE(askedToExitToWindows(f));
  }
}

TEST(UnsavedEdits, CancelAsksNothingAboutTheBusyPort) {
  WindowFixture f;
  editedCodeplug(f);
  EXPECT_EQ(f.window.pressKey(WindowKey::F10, {.portBusy = true}), KeyOutcome::Handled);
  EXPECT_TRUE(f.reporter.asked.empty());
  f.frontEnd.unsavedAnswers.push_back(Answer::Discard);
  f.reporter.answer(true);
  EXPECT_EQ(f.window.pressKey(WindowKey::F10, {.portBusy = true}), KeyOutcome::ClosePort);
  ASSERT_EQ(f.reporter.asked.size(), 1u);
  EXPECT_EQ(f.reporter.asked[0].code, errors::code::ExitWhileBusy);
}

// ---- F8 and F3 ----

// F8 and F3 are offered on "Main" only, and every way there asks about the
// edits first: they never meet a codeplug with unsaved edits.
TEST(UnsavedEdits, F8AndF3NeverMeetUnsavedEdits) {
  WindowFixture f;
  editedCodeplug(f);
  EXPECT_EQ(f.window.pressKey(WindowKey::F8), KeyOutcome::Ignored);
  EXPECT_EQ(f.press(WindowKey::F3), KeyOutcome::Ignored);
  EXPECT_EQ(f.port.reads, 0);
  EXPECT_EQ(f.window.settings().ICN, "A1");

  f.frontEnd.unsavedAnswers.push_back(Answer::Discard);
  f.window.pressKey(WindowKey::F10);
  ASSERT_FALSE(f.window.unsavedEdits());
  EXPECT_EQ(f.press(WindowKey::F3), KeyOutcome::Read);
  EXPECT_EQ(f.port.reads, 1);
  EXPECT_EQ(f.frontEnd.unsavedQuestions.size(), 1u);
}

// A front end that loads or reads over the editing pages meets the same
// question: the core never drops the edits unasked.
TEST(UnsavedEdits, LoadingOrReadingOverUnsavedEditsAsksFirst) {
  for (const bool read : {false, true}) {
    for (const Answer answer : {Answer::Cancel, Answer::Discard}) {
      SCOPED_TRACE(std::string(read ? "read" : "load") + ", answer " +
                   std::to_string(static_cast<int>(answer)));
      WindowFixture f;
      editedCodeplug(f);
      const auto other = f.newCodeplugFile('p', "other.cp");
      f.pagerHolds(other, 'p');
      f.frontEnd.unsavedAnswers.push_back(answer);
      if (read) {
        f.window.runPagerCommand(KeyOutcome::Read, f.port);
      } else {
        f.load(other);
      }
      const bool goesOn = answer == Answer::Discard;
      EXPECT_EQ(f.frontEnd.unsavedQuestions.size(), 1u);
      EXPECT_EQ(f.port.reads, read && goesOn ? 1 : 0);
      EXPECT_EQ(f.window.unsavedEdits(), !goesOn);
      EXPECT_EQ(f.window.settings().ICN == "A1", !goesOn);
      const std::string name = read ? "NONAME1" : other.string();
      EXPECT_EQ(f.window.codeplugName() == name, goesOn);
    }
  }
}

}  // namespace
}  // namespace zelta::window
