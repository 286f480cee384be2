#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "pages/field_ids.h"
#include "window_fixture.h"

namespace zelta::window {
namespace {

using errors::OperationOutcome;
using pages::Page;

// The front end keeps what the controller told it was opened or saved.
struct UsedFiles : FakeFrontEnd {
  std::vector<std::filesystem::path> used;
  void codeplugFileUsed(const std::filesystem::path& file) override { used.push_back(file); }
};

struct NamedFileFixture : WindowFixture {
  UsedFiles front;
  WindowController named{front, reporter, workFiles()};
};

pages::FieldInput typedIcn(std::string text) {
  pages::FieldInput in;
  in.id = pages::fieldId("ed_ICN");
  in.text = std::move(text);
  return in;
}

TEST(OpenNamedFile, OpensOnMainAsF8DoesAndTellsTheFrontEnd) {
  NamedFileFixture f;
  const auto file = f.newCodeplugFile('p', "named.cp");
  EXPECT_TRUE(f.named.openFile(file).succeeded());
  EXPECT_EQ(f.named.codeplugName(), file.string());
  EXPECT_EQ(f.named.activePage(), Page::General);
  EXPECT_TRUE(f.front.openRequests.empty());  // no dialog
  ASSERT_EQ(f.front.used.size(), 1u);
  EXPECT_EQ(f.front.used.front(), file);

  // A save is a use too.
  f.front.saveAnswers.push_back(f.folder / "saved.cp");
  EXPECT_TRUE(f.named.save().succeeded());
  ASSERT_EQ(f.front.used.size(), 2u);
  EXPECT_EQ(f.front.used.back(), f.folder / "saved.cp");
}

// F8's checks: a missing file and one that is no codeplug say so, as F8 says it.
TEST(OpenNamedFile, RefusesWhatF8Refuses) {
  NamedFileFixture f;
  EXPECT_FALSE(f.named.openFile(f.folder / "missing.cp").succeeded());
  ASSERT_EQ(f.reporter.shown.size(), 1u);
  EXPECT_EQ(f.reporter.shown[0].text, (f.folder / "missing.cp").string() + "\ndoes not exist.");

  std::ofstream(f.folder / "notes.cp") << "#include <cstdio>\n";
  EXPECT_FALSE(f.named.openFile(f.folder / "notes.cp").succeeded());
  ASSERT_EQ(f.reporter.shown.size(), 2u);
  EXPECT_EQ(f.reporter.shown[1].code, errors::ResultCode{-30});
  EXPECT_EQ(f.named.activePage(), Page::Main);
  EXPECT_TRUE(f.front.used.empty());
}

// Over a codeplug with edits: asked first; Cancel keeps everything, Discard
// opens the file in the layout of its own model.
TEST(OpenNamedFile, OverEditsAsksFirstAndLaysOutForTheNewModel) {
  NamedFileFixture f;
  ASSERT_TRUE(f.named.openFile(f.newCodeplugFile('p', "p.cp")).succeeded());
  ASSERT_EQ(f.named.fieldLeft(typedIcn("A1")), errors::code::Ok);
  const auto other = f.newCodeplugFile(0x93, "d.cp");
  // Model 'p' has no "Code 9-12"; model 0x93 with every code has.
  ASSERT_FALSE(f.named.view().tabs[3].shown);

  f.front.unsavedAnswers.push_back(UnsavedEditsAnswer::Cancel);
  EXPECT_FALSE(f.named.openFile(other).succeeded());
  EXPECT_EQ(f.front.unsavedQuestions.size(), 1u);
  EXPECT_EQ(f.named.codeplugName(), (f.folder / "p.cp").string());
  EXPECT_TRUE(f.named.unsavedEdits());

  f.front.unsavedAnswers.push_back(UnsavedEditsAnswer::Discard);
  EXPECT_TRUE(f.named.openFile(other).succeeded());
  EXPECT_EQ(f.named.codeplugName(), other.string());
  EXPECT_EQ(f.named.model(), 0x93);
  EXPECT_FALSE(f.named.unsavedEdits());
  EXPECT_EQ(f.named.activePage(), Page::General);
  EXPECT_TRUE(f.named.view().tabs[3].shown);
}

// A file that fails over a shown codeplug leaves that codeplug as it was.
TEST(OpenNamedFile, AFailedOpenKeepsTheCodeplugOnScreen) {
  NamedFileFixture f;
  const auto file = f.newCodeplugFile('p', "p.cp");
  ASSERT_TRUE(f.named.openFile(file).succeeded());
  ASSERT_EQ(f.named.fieldLeft(typedIcn("A1")), errors::code::Ok);
  const std::string icn = f.named.settings().ICN;

  // A codeplug of the right form with a broken checksum: the reader has
  // begun on the image when it finds out.
  std::ifstream in(f.newCodeplugFile(0x93, "d.cp"));
  std::string text((std::istreambuf_iterator<char>(in)), {});
  text[text.find("\nS1") + 12] ^= 1;
  std::ofstream(f.folder / "broken.cp") << text;

  f.front.unsavedAnswers.push_back(UnsavedEditsAnswer::Discard);
  EXPECT_FALSE(f.named.openFile(f.folder / "broken.cp").succeeded());
  EXPECT_EQ(f.named.model(), 'p');
  EXPECT_EQ(f.named.settings().ICN, icn);
  EXPECT_EQ(f.named.codeplugName(), file.string());
  EXPECT_TRUE(f.named.unsavedEdits());
  EXPECT_EQ(f.named.activePage(), Page::General);
}

}  // namespace
}  // namespace zelta::window
