#include "storage/codeplug_files.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <sstream>

#include "codeplug/data_process.h"
#include "codeplug/field_encodings.h"
#include "codeplug_workspace.h"
#include "core/codeplug/srecord_fixture.h"

namespace zelta::codeplug {
namespace {

using namespace zelta::storage;

using testing::headerRecord;
using testing::patternImage;
using testing::srecFile;
using zelta::testing::readFile;
using zelta::testing::writeFile;

std::vector<std::uint8_t> imageWithIcn(std::size_t size, models::ModelCode model,
                                       const std::string& icn, unsigned seed = 7) {
  auto bytes = patternImage(size, model, seed);
  std::copy(icn.begin(), icn.end(), bytes.begin() + 0x67);
  return bytes;
}

std::string cpText(const std::vector<std::uint8_t>& bytes, unsigned base = 0) {
  return srecFile(bytes, base, "\r\n", headerRecord(0, 32, bytes[1]));
}

// Every setting by name, to compare two records as a whole.
std::vector<std::string> allSettings(const SettingsRecord& settings) {
  std::vector<std::string> out;
  for (const FieldDescriptor& f : settingsFields())
    out.push_back(f.name + "=" + settingsFieldText(settings, f));
  return out;
}

using Workspace = zelta::testing::CodeplugWorkspace;

std::string reportOf(errors::ResultCode code) {
  return errors::reportText(code, errors::MessageContext{});
}

// --- Opening ---------------------------------------------------------------

TEST(OpenCodeplug, ReadsDecodesAndTakesOverTheFile) {
  Workspace w;
  const auto bytes = imageWithIcn(1024, '1', "ICN0000001");
  EXPECT_EQ(w.files().readCodeplugFile(w.file("a.cp", cpText(bytes))), errors::code::Ok);

  EXPECT_TRUE(std::equal(bytes.begin(), bytes.end(), w.image->buffer().begin()));
  EXPECT_EQ(w.image->modelCode(), '1');
  EXPECT_EQ(w.image->offsets().family, models::Family::A);
  EXPECT_EQ(w.settings.ICN, "ICN0000001");
  ASSERT_EQ(w.codec.decodes.size(), 1U);
  EXPECT_EQ(w.codec.decodes[0].command, DecodeCommand::OpenFile);
  EXPECT_EQ(w.codec.decodes[0].model, '1');
  EXPECT_TRUE(w.reporter.shown.empty());
}

// A failed open leaves the codeplug that was open before exactly as it was:
// image, header values, model and slots, settings and snapshot state.
TEST(OpenCodeplug, FailedOpenLeavesThePreviousCodeplugAsItWas) {
  struct Case {
    const char* name;
    std::string text;
    models::ModelCode failingModel;  // the fake decoder fails for this model
    errors::ResultCode decodeFailure;
    errors::ResultCode expected;
  };
  auto versionNewer = imageWithIcn(1024, '2', "NEWERFILE1");
  versionNewer[0x96] = 0x18;
  versionNewer[0x97] = 0x35;
  std::string badChecksum = cpText(imageWithIcn(1024, '1', "BADSUM0001"));
  badChecksum[badChecksum.find("S113") + 20] ^= 1;  // one data digit, checksum unchanged
  const std::string noData = headerRecord(0, 32, '1') + "\r\nS9030000FC\r\n";
  const Case cases[] = {
      {"checksum mismatch", badChecksum, 0, 0, errors::code::InvalidArchive},
      {"no data records", noData, 0, 0, errors::code::InvalidArchive},
      {"wrong total for the model", cpText(imageWithIcn(2048, 'p', "TOOLONG001")), 0, 0,
       errors::code::InvalidArchive},
      {"newer codeplug version", cpText(versionNewer), '2', errors::code::NewerFile,
       errors::code::NewerFile},
      {"old format in no band", cpText(imageWithIcn(768, ' ', "OLDFORMAT1")), ' ',
       errors::code::NotSynthesizable, errors::code::NotSynthesizable},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Workspace w;
    ASSERT_EQ(w.files().readCodeplugFile(
                  w.file("good.cp", cpText(imageWithIcn(2048, 'q', "GOODFILE01")))),
              errors::code::Ok);
    w.settings.serialNumber = "EDITED0001";  // an edit made after the open
    w.image->armSnapshot();
    const std::vector<std::uint8_t> bufferBefore = w.buffer();
    const CodeplugHeader headerBefore = w.image->header();
    const std::vector<std::string> settingsBefore = allSettings(w.settings);

    w.codec.failDecodeOf = c.failingModel;
    w.codec.decodeResult = c.decodeFailure;
    EXPECT_EQ(w.files().readCodeplugFile(w.file("bad.cp", c.text)), c.expected);

    EXPECT_TRUE(std::equal(bufferBefore.begin(), bufferBefore.end(), w.image->buffer().begin()));
    EXPECT_EQ(w.image->header().modelByte, headerBefore.modelByte);
    EXPECT_EQ(w.image->header().cgromType, headerBefore.cgromType);
    EXPECT_EQ(w.image->header().memorySize, headerBefore.memorySize);
    EXPECT_EQ(w.image->modelCode(), 'q');
    EXPECT_EQ(w.image->offsets().codeSlots, 0x700);
    EXPECT_TRUE(w.image->snapshotArmed());
    EXPECT_EQ(allSettings(w.settings), settingsBefore);
    ASSERT_EQ(w.reporter.shown.size(), 1U);
    if (c.expected != errors::code::NewerFile) {
      // The system's text first; -30 goes on with the file and why.
      EXPECT_EQ(w.shownText(0).rfind(reportOf(c.expected), 0), 0U) << w.shownText(0);
    }
  }
}

TEST(OpenCodeplug, NewerVersionNamesTheFilesVersion) {
  Workspace w;
  auto bytes = imageWithIcn(1024, '1', "NEWER00001");
  bytes[0x96] = 0x19;  // R09.00.00
  bytes[0x97] = 0x00;
  w.codec.decodeResult = errors::code::NewerFile;
  EXPECT_EQ(w.files().readCodeplugFile(w.file("n.cp", cpText(bytes))), errors::code::NewerFile);
  ASSERT_EQ(w.reporter.shown.size(), 1U);
  EXPECT_EQ(w.shownText(0),
            "The File was created by newer PPS then you.\nCodeplug Version : R09.00.00\nPlease "
            "update your "
            "PPS software.\n");
}

TEST(OpenCodeplug, MissingFileFailsWithoutAMessage) {
  Workspace w;
  EXPECT_EQ(w.files().readCodeplugFile(w.folder / "absent.cp"), kFileNotAccessible);
  EXPECT_TRUE(w.reporter.shown.empty());
  EXPECT_TRUE(w.codec.decodes.empty());
}

// '!' comes in two sizes: 1024 bytes go to the start of the image for the
// main decoder, 768 bytes to the old-format window. After a 1 KB file the
// start of the image must not still read '!' when a 768-byte file follows.
TEST(OpenCodeplug, ExclamationFilesOfBothSizes) {
  Workspace w;
  ASSERT_EQ(
      w.files().readCodeplugFile(w.file("k.cp", cpText(imageWithIcn(1024, '!', "ONEKB00001")))),
      errors::code::Ok);
  ASSERT_EQ(
      w.files().readCodeplugFile(w.file("o.cp", cpText(imageWithIcn(768, '!', "OLDFMT0001")))),
      errors::code::Ok);
  ASSERT_EQ(w.codec.decodes.size(), 2U);
  EXPECT_EQ(w.codec.decodes[0].currentByte1, '!');
  EXPECT_EQ(w.codec.decodes[1].oldFormatByte1, '!');
  EXPECT_EQ(w.codec.decodes[1].currentByte1, 0);
  const ConstImageView current = w.image->current();
  EXPECT_TRUE(std::all_of(current.span().begin(), current.span().end(),
                          [](std::uint8_t b) { return b == 0; }));
}

// --- Saving ----------------------------------------------------------------

struct SaveFixture : Workspace {
  SaveFixture() {
    load(imageWithIcn(1024, '1', "SAVED00001"), '1');
    settings.ICN = "SAVED00001";
  }
};

TEST(SaveCodeplug, BuildsAndWritesTheImage) {
  SaveFixture w;
  w.settings.ICN = "CHANGED001";
  const auto path = w.folder / "out.cp";
  ASSERT_EQ(w.files().writeCodeplugFile(path), errors::code::Ok);
  EXPECT_EQ(w.codec.builds, std::vector<models::ModelCode>{'1'});

  std::ostringstream expected;
  DataProcess(*w.image, w.settings).writeSRecordImage(expected);
  EXPECT_EQ(readFile(path), expected.str());
  EXPECT_EQ(w.image->current().text(0x67, 10), "CHANGED001");
  EXPECT_EQ(w.folder.entries(), (std::vector<std::string>{"out.cp", "work"}));
}

TEST(SaveCodeplug, OutsideTheBandWritesNothing) {
  SaveFixture w;
  w.settings.frequency = "450.0000";
  const auto fresh = w.folder / "fresh.cp";
  const auto existing = w.file("existing.cp", "old content");
  EXPECT_EQ(w.files().writeCodeplugFile(fresh), errors::code::OutOfBand);
  EXPECT_EQ(w.files().writeCodeplugFile(existing), errors::code::OutOfBand);
  EXPECT_FALSE(std::filesystem::exists(fresh));
  EXPECT_EQ(readFile(existing), "old content");
  EXPECT_TRUE(w.codec.builds.empty());
  ASSERT_EQ(w.reporter.shown.size(), 2U);
  EXPECT_NE(w.shownText(0).find("153.0000"), std::string::npos);
  EXPECT_NE(w.shownText(0).find("162.9875"), std::string::npos);
}

// A save that fails after the file was chosen never leaves a truncated or
// half-written file: a build failing (-36) keeps the old file, and so does
// a replacement that cannot be renamed into place.
TEST(SaveCodeplug, FailureKeepsTheOldFile) {
  SaveFixture w;
  const auto target = w.folder / "keep.cp";
  ASSERT_EQ(w.files().writeCodeplugFile(target), errors::code::Ok);
  const std::string good = readFile(target);

  w.codec.buildResult = errors::code::NotSynthesizable;
  EXPECT_EQ(w.files().writeCodeplugFile(target), errors::code::NotSynthesizable);
  EXPECT_EQ(readFile(target), good);
  ASSERT_EQ(w.reporter.shown.size(), 1U);
  EXPECT_EQ(w.shownText(0), reportOf(errors::code::NotSynthesizable));

  w.codec.buildResult = errors::code::Ok;
  const auto blocked = w.folder / "blocked.cp";
  std::filesystem::create_directory(blocked);
  writeFile(blocked / "inside", "x");
  EXPECT_EQ(w.files().writeCodeplugFile(blocked), kFileNotAccessible);
  EXPECT_EQ(readFile(blocked / "inside"), "x");
  EXPECT_EQ(w.folder.entries(), (std::vector<std::string>{"blocked.cp", "keep.cp", "work"}));
}

TEST(SaveCodeplug, SavedFileOpensToTheSameImage) {
  SaveFixture w;
  const auto path = w.folder / "round.cp";
  ASSERT_EQ(w.files().writeCodeplugFile(path), errors::code::Ok);
  const std::vector<std::uint8_t> saved(w.image->buffer().begin(),
                                        w.image->buffer().begin() + 1024);

  Workspace other;
  ASSERT_EQ(other.files().readCodeplugFile(path), errors::code::Ok);
  EXPECT_TRUE(std::equal(saved.begin(), saved.end(), other.image->buffer().begin()));
  EXPECT_EQ(other.settings.ICN, "SAVED00001");
}

// --- Backup before writing -------------------------------------------------

TEST(BackupBeforeWrite, RemembersPromptsAndWritesTheScratchFile) {
  SaveFixture w;
  w.settings.internationalPrompt = 5;
  w.settings.internationalCharSet = 9;
  w.settings.showSource = 1;
  w.settings.prompts[text::PromptId::powerUpPrompt].text.assign("HELLO");
  w.settings.prompts[text::sourcePromptId(4)].text.assign("SOURCE 4");
  ASSERT_EQ(w.files().writeBackupBeforeWrite(), errors::code::Ok);

  const RememberedPrompts& r = w.work.remembered;
  EXPECT_TRUE(r.valid);
  EXPECT_EQ(r.internationalPrompt, 5);
  EXPECT_EQ(r.internationalCharSet, 9);
  EXPECT_EQ(r.showSource, 1);
  EXPECT_EQ(r.prompts[text::PromptId::powerUpPrompt].text, "HELLO");
  EXPECT_EQ(r.prompts[text::sourcePromptId(4)].text, "SOURCE 4");

  std::ostringstream expected;
  DataProcess(*w.image, w.settings).writeSRecordImage(expected);
  EXPECT_EQ(readFile(w.work.backupPath()), expected.str());

  SettingsRecord other;
  restorePrompts(r, other);
  EXPECT_EQ(other.internationalCharSet, 9);
  EXPECT_EQ(other.prompts[text::sourcePromptId(4)].text, "SOURCE 4");
}

TEST(BackupBeforeWrite, LargeModelsCopyTheCodeBlockIntoTheSnapshot) {
  Workspace w;
  const auto bytes = imageWithIcn(2048, 'q', "LARGE00001");
  w.load(bytes, 'q');
  ASSERT_EQ(w.files().writeBackupBeforeWrite(), errors::code::Ok);
  const auto snapshot = w.image->snapshot().bytesAt(0xF00, 34);
  EXPECT_TRUE(std::equal(snapshot.begin(), snapshot.end(), bytes.begin() + 0x300));
  EXPECT_EQ(w.image->snapshot().byte(0xF22), 0);
}

TEST(BackupBeforeWrite, OutsideTheBandWritesNothing) {
  SaveFixture w;
  w.settings.frequency = "929.0125";
  EXPECT_EQ(w.files().writeBackupBeforeWrite(), errors::code::OutOfBand);
  EXPECT_FALSE(std::filesystem::exists(w.work.backupPath()));
}

// --- 1 KB to 2 KB -----------------------------------------------------------

std::vector<std::string> crlfLines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

TEST(LargeImageConversion, SixtyFourRecordsGetSixtyFourFillers) {
  Workspace w;
  const auto bytes = imageWithIcn(1024, '1', "ONEKB00001");
  const std::string source = cpText(bytes);
  ASSERT_EQ(w.files().convertToLargeImage(w.file("src.cp", source)), errors::code::Ok);

  const auto lines = crlfLines(readFile(w.work.largeImageScratchPath()));
  ASSERT_EQ(lines.size(), 129U);
  const auto sourceLines = crlfLines(source);
  for (std::size_t i = 0; i < 65; ++i) EXPECT_EQ(lines[i], sourceLines[i]);
  for (std::size_t k = 0; k < 64; ++k) {
    char address[5];
    std::snprintf(address, sizeof address, "%04zX", 0x400 + 16 * k);
    EXPECT_EQ(lines[65 + k], "S113" + std::string(address) + std::string(34, '0'));
  }

  EXPECT_EQ(w.image->modelCode(), 'q');
  EXPECT_EQ(w.image->current().byte(1), 'q');
  ASSERT_EQ(w.codec.decodes.size(), 1U);
  EXPECT_EQ(w.codec.decodes[0].model, 'q');
  EXPECT_EQ(w.codec.builds, std::vector<models::ModelCode>{'q'});
  const auto block = w.image->current().bytesAt(0x700, 34);
  EXPECT_TRUE(std::equal(block.begin(), block.end(), bytes.begin() + 0x300));
  const auto prompts = w.image->current().bytesAt(0xEC, 0x600 - 0xEC);
  EXPECT_TRUE(std::all_of(prompts.begin(), prompts.end(), [](std::uint8_t b) { return b == 0; }));
}

TEST(LargeImageConversion, FillersFollowTheSourcesAddresses) {
  std::istringstream in(cpText(imageWithIcn(1024, 'p', "BASED00001"), 0x8000));
  const LargeImageRecords records = largeImageScratchRecords(in);
  ASSERT_EQ(records.lines.size(), 129U);
  EXPECT_EQ(records.sourceModel, 'p');
  EXPECT_EQ(records.lines[64].substr(0, 8), "S11383F0");
  EXPECT_EQ(records.lines[65].substr(0, 8), "S1138400");
  EXPECT_EQ(records.lines[128].substr(0, 8), "S11387F0");
}

TEST(LargeImageConversion, ALineOfTheWrongLengthEndsTheCopying) {
  std::string text = cpText(imageWithIcn(1024, '1', "SHORTLINE1"));
  const std::size_t eleventh = [&] {
    std::size_t at = 0;
    for (int i = 0; i < 11; ++i) at = text.find("S113", at + 1);
    return at;
  }();
  text.erase(eleventh + 10, 2);  // one byte short
  std::istringstream in(text);
  const LargeImageRecords records = largeImageScratchRecords(in);
  ASSERT_EQ(records.lines.size(), 129U);
  EXPECT_EQ(records.lines[10].substr(0, 8), "S1130090");
  EXPECT_EQ(records.lines[11], "S11300A0" + std::string(34, '0'));
}

TEST(LargeImageConversion, FailuresAreReturned) {
  Workspace w;
  EXPECT_EQ(w.files().convertToLargeImage(w.folder / "absent.cp"), kFileNotAccessible);

  // 2048 bytes already: no fillers, and the relaxed reader wants exactly 2048.
  EXPECT_EQ(
      w.files().convertToLargeImage(w.file(
          "big.cp", cpText(imageWithIcn(2048, 'q', "TWOKB00001")) + cpText(patternImage(32, 'q')))),
      kFileNotAccessible);

  w.codec.buildResult = errors::code::NotSynthesizable;
  EXPECT_EQ(w.files().convertToLargeImage(
                w.file("src.cp", cpText(imageWithIcn(1024, '1', "NOSYNTH001")))),
            errors::code::NotSynthesizable);
  ASSERT_EQ(w.reporter.shown.size(), 1U);
  EXPECT_EQ(w.shownText(0), reportOf(errors::code::NotSynthesizable));
}

// The 1 KB layout in the 2 KB one: the code block and synthesizer move to
// 0x700, the zoom of a four-code model to 0x30, and the second code table
// is derived from the codes.
TEST(LargeImageConversion, MoveToLargeLayout) {
  CodeplugImage image;
  image.setModel('q');
  const ImageView b = image.current();
  b.setByte(1, 'q');
  b.setWord24(0x300, (1234567U << 3) | 7);      // code 1
  b.setWord24(0x303, (42U << 3) | 1);           // code 2, flagged empty below
  b.setWord24(0x306, 0x000004);                 // code 3 reads empty
  b.setWord24(0x309, (5U << 3) | 7);            // code 4
  b.setByte(0x313, 0x40 | 0x10 | 0x02 | 0x01);  // 1200 baud; empty flags codes 2, 5, 6
  b.setByte(0x31F, 0x39);
  b.setByte(0x13, 0x05);  // synthesizer flag, 1200 baud
  b.setByte(0x2C, 0x80);  // zoom
  b.fill(0x2EA, 21, 0xAB);
  b.setByte(0x2FF, 0x09);

  moveToLargeLayout(image, '1');

  EXPECT_EQ(b.word24(0x700), (1234567U << 3) | 7);
  EXPECT_EQ(b.byte(0x71F), 0x39);
  EXPECT_TRUE(b.bit(0x30, 7));
  EXPECT_FALSE(b.bit(0x2C, 7));
  EXPECT_EQ(b.byte(0x7CC), 0xAB);
  EXPECT_EQ(b.byte(0x7E0), 0xAB);
  EXPECT_EQ(b.byte(0x7C9), 0x09);
  EXPECT_EQ(wideCodeAddress(b, 0x784), 1234567U);
  EXPECT_EQ(wideCodeAddress(b, 0x787), std::nullopt);
  EXPECT_EQ(wideCodeAddress(b, 0x78A), std::nullopt);
  EXPECT_EQ(wideCodeAddress(b, 0x78D), 5U);
  for (std::size_t slot = 0x790; slot < 0x7B4; slot += 3)
    EXPECT_EQ(wideCodeAddress(b, slot), std::nullopt);
  EXPECT_EQ(b.bits(0x795, 1, 0), 1U);
}

TEST(LargeImageConversion, SixCodeZoomStaysWhereItIs) {
  CodeplugImage image;
  image.setModel('q');
  image.current().setByte(0x30, 0x80);
  moveToLargeLayout(image, 'p');
  EXPECT_TRUE(image.current().bit(0x30, 7));
}

}  // namespace
}  // namespace zelta::codeplug
