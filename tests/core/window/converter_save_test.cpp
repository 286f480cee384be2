// A codeplug converted in Tools > Converter, edited and saved: the file holds
// what the pages showed, and so does the window after the save.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <string>

#include "registry_models.h"
#include "storage/work_folder.h"
#include "window/comm_settings.h"
#include "window_fixture.h"

namespace zelta::window {
namespace {

using pages::ConverterMode;
using pages::FieldId;
using pages::Page;

// Every visible field of the shown tabs, by name, with the text it shows
// (a list field: its item).
using ShownValues = std::map<std::string, std::string>;

// Each shown tab is opened as the operator would look at it: a page shows
// the settings as of its entry.
ShownValues shownValues(WindowController& window) {
  ShownValues out;
  const WindowView v = window.view();
  for (int i = 0; i < pages::kPageCount; ++i) {
    const auto page = static_cast<Page>(i);
    if (page == Page::Main || !v.tabs[static_cast<std::size_t>(i)].shown) continue;
    if (window.activePage() != page) {
      EXPECT_TRUE(window.selectPage(page)) << i;
    }
    for (const pages::FieldView& field : window.pageView(page).fields) {
      if (!field.visible) continue;
      const bool listed =
          field.selected >= 0 && field.selected < static_cast<int>(field.items.size());
      out[std::string(field.name)] =
          listed ? std::string(field.items[static_cast<std::size_t>(field.selected)]) : field.text;
    }
  }
  return out;
}

// Whether two shown texts of the field hold the same value: the frequency
// is shown with the decimals of the model's layout, and a source prompt
// left empty reads back as the pager's built-in text for the source.
bool sameValue(const std::string& name, const std::string& before, const std::string& after) {
  if (before == after) return true;
  if (name == "ed_frequency") return std::stod(before) == std::stod(after);
  return name.starts_with("ed_source") && before.empty();
}

// "name: before -> after" for every field shown in both with another value,
// and for every field only one of them shows when both must show the same.
std::string differences(const ShownValues& before, const ShownValues& after, bool sameFields) {
  std::string out;
  for (const auto& [name, value] : before) {
    const auto at = after.find(name);
    if (at == after.end()) {
      if (sameFields) out += name + ": no longer shown\n";
    } else if (!sameValue(name, value, at->second)) {
      out += name + ": " + value + " -> " + at->second + "\n";
    }
  }
  if (sameFields) {
    for (const auto& [name, value] : after) {
      if (!before.contains(name)) out += name + ": shown anew\n";
    }
  }
  return out;
}

std::string shownValue(const ShownValues& values, const std::string& name) {
  const auto at = values.find(name);
  return at == values.end() ? "<not shown>" : at->second;
}

// A field of the page typed and left, as the operator does.
void type(WindowFixture& f, Page page, const std::string& name, const std::string& text) {
  if (f.window.activePage() != page) {
    f.reporter.shown.clear();
    const bool selected = f.window.selectPage(page);
    ASSERT_TRUE(selected) << (f.reporter.shown.empty() ? "" : f.reporter.shown.back().text);
  }
  const pages::FieldEntry* entry = pages::findField(name);
  ASSERT_NE(entry, nullptr) << name;
  f.window.fieldEntered(entry->id);
  pages::FieldInput input;
  input.id = entry->id;
  input.text = text;
  ASSERT_EQ(f.window.fieldLeft(input), errors::code::Ok) << name;
}

struct ConverterCase {
  models::ModelCode source;
  ConverterMode target;
};

std::vector<ConverterCase> converterCases() {
  std::vector<ConverterCase> out;
  const auto sources =
      testing::registryModels([](const models::ModelInfo& m) { return m.toolsMenu; });
  for (const models::ModelCode source : sources) {
    for (const ConverterMode target : {ConverterMode::Lumio, ConverterMode::Varda})
      out.push_back({source, target});
  }
  return out;
}

class ConverterSave : public ::testing::TestWithParam<ConverterCase> {};

TEST_P(ConverterSave, TheFileHoldsWhatThePagesShowed) {
  const ConverterCase c = GetParam();
  WindowFixture f;
  f.loadNew(c.source);
  f.window.chooseConverter(c.target);
  type(f, Page::Code5to8, "ed_code05", "1111111");
  type(f, Page::Source1to8, "ed_source17Prompt", "WARD 5");
  const ShownValues edited = shownValues(f.window);
  // The settings the conversion gave the codeplug, as shown.
  EXPECT_EQ(shownValue(edited, "ed_code05"), "1111111");
  EXPECT_EQ(shownValue(edited, "cb_newAlertMenu"), "Yes");
  EXPECT_EQ(shownValue(edited, "cb_onOffDuty"), "Enable");

  const auto saved = f.folder / "converted.cp";
  f.frontEnd.saveAnswers.push_back(saved);
  ASSERT_TRUE(f.window.save().succeeded());
  EXPECT_EQ(f.window.model(), conversion::kConversionTarget);
  // The save changed nothing on the pages.
  EXPECT_EQ(differences(edited, shownValues(f.window), true), "");

  // Opened again, the file shows the same values (the fields of the
  // converter's layout that the saved model's layout shows too).
  WindowFixture reopened;
  ASSERT_TRUE(reopened.load(saved).succeeded());
  EXPECT_EQ(reopened.window.model(), conversion::kConversionTarget);
  const ShownValues loaded = shownValues(reopened.window);
  EXPECT_EQ(differences(edited, loaded, false), "");
  for (const char* name : {"ed_code05", "ed_source17Prompt", "cb_newAlertMenu", "cb_onOffDuty"})
    EXPECT_EQ(shownValue(loaded, name), shownValue(edited, name)) << name;
}

// After a first save the image is family D; a second save converts again
// from the first one's source and must keep the edits made in between.
TEST_P(ConverterSave, ASecondSaveKeepsTheEditsSinceTheFirst) {
  const ConverterCase c = GetParam();
  WindowFixture f;
  f.loadNew(c.source);
  f.window.chooseConverter(c.target);
  type(f, Page::Code5to8, "ed_code05", "1111111");
  f.frontEnd.saveAnswers.push_back(f.folder / "first.cp");
  ASSERT_TRUE(f.window.save().succeeded());

  type(f, Page::Code5to8, "ed_code06", "1222222");
  type(f, Page::Code1to4, "ed_code01", "1333333");
  const ShownValues edited = shownValues(f.window);
  const auto second = f.folder / "second.cp";
  f.frontEnd.saveAnswers.push_back(second);
  ASSERT_TRUE(f.window.save().succeeded());
  EXPECT_EQ(differences(edited, shownValues(f.window), true), "");

  WindowFixture reopened;
  ASSERT_TRUE(reopened.load(second).succeeded());
  const ShownValues loaded = shownValues(reopened.window);
  for (const char* name : {"ed_code01", "ed_code05", "ed_code06", "cb_newAlertMenu"})
    EXPECT_EQ(shownValue(loaded, name), shownValue(edited, name)) << name;
}

INSTANTIATE_TEST_SUITE_P(ByModelAndTarget, ConverterSave, ::testing::ValuesIn(converterCases()),
                         [](const ::testing::TestParamInfo<ConverterCase>& param) {
                           return "model" + std::to_string(param.param.source) +
                                  (param.param.target == ConverterMode::Lumio ? "Lumio" : "Varda");
                         });

// ---- The work folder of a fresh installation ----

namespace fs = std::filesystem;

// An installed program (<prefix>/bin beside <prefix>/share/zelta-pps), a
// home without a documents folder and an XDG data home not made yet.
TEST(ConverterSaveWorkFolder, AFreshInstallationSavesThroughItsUserDataFolder) {
  WindowFixture f;
  const fs::path prefix = f.folder / "usr";
  fs::create_directories(prefix / "bin");
  fs::create_directories(prefix / "share" / "zelta-pps");
  fs::create_directories(f.folder / "home");
  const fs::path userFolder = f.folder / "xdg-data" / "zelta-pps";

  const fs::path work = storage::workFolder(prefix / "bin", userFolder);
  EXPECT_EQ(work, userFolder);
  EXPECT_TRUE(fs::is_directory(userFolder));
  // The dialogs start there too: a documents folder that does not exist is
  // never the default.
  EXPECT_EQ(defaultArchiveFolder(f.folder / "home" / "Documents", work), work.string());

  // Removed again before the save: the save makes it when it needs it.
  fs::remove_all(f.folder / "xdg-data");
  f.window.workFiles().folder = work;
  f.loadNew(0x30);
  f.window.chooseConverter(ConverterMode::Varda);
  const fs::path saved = f.folder / "varda.cp";
  f.frontEnd.saveAnswers.push_back(saved);
  ASSERT_TRUE(f.window.save().succeeded()) << f.reporter.shown.back().text;
  EXPECT_TRUE(fs::exists(saved));
  EXPECT_TRUE(fs::exists(work / storage::kBackupFileName));
  EXPECT_TRUE(fs::exists(work / storage::kLargeImageScratchName));
}

// A save that cannot be written names the file that failed (the backup of
// a conversion, or the file chosen) and why.
TEST(ConverterSaveWorkFolder, AFailureNamesTheFileAndTheReason) {
  WindowFixture f;
  std::ofstream(f.folder / "plain-file") << "not a folder";
  const fs::path work = f.folder / "plain-file" / "zelta-pps";
  f.window.workFiles().folder = work;
  f.loadNew(0x30);
  f.window.chooseConverter(ConverterMode::Varda);
  const fs::path chosen = f.folder / "varda.cp";
  f.frontEnd.saveAnswers.push_back(chosen);

  EXPECT_TRUE(f.window.save().failedWith(storage::kFileNotAccessible));
  EXPECT_FALSE(fs::exists(chosen));
  const std::string notAFolder = std::make_error_code(std::errc::not_a_directory).message();
  ASSERT_EQ(f.reporter.shown.size(), 1u);
  EXPECT_EQ(f.reporter.shown[0].text,
            (work / storage::kBackupFileName).string() + "\ncannot be written.\n" + notAFolder);

  // Without the converter the file chosen is the one named.
  f.window.chooseConverter(ConverterMode::Off);
  f.reporter.shown.clear();
  const fs::path unreachable = f.folder / "plain-file" / "plain.cp";
  f.frontEnd.saveAnswers.push_back(unreachable);
  EXPECT_TRUE(f.window.save().failedWith(storage::kFileNotAccessible));
  ASSERT_EQ(f.reporter.shown.size(), 1u);
  EXPECT_EQ(f.reporter.shown[0].text, unreachable.string() + "\ncannot be written.\n" + notAFolder);
}

}  // namespace
}  // namespace zelta::window
