// Opening, saving and converting with the family decoders and builders.
#include <gtest/gtest.h>

#include <memory>

#include "codeplug/codec.h"
#include "conversion/codeplug_commands.h"
#include "conversion/model_converter.h"
#include "core/codeplug/codec_fixture.h"
#include "core/codeplug/srecord_fixture.h"
#include "recording_reporter.h"
#include "storage/codeplug_files.h"
#include "temp_folder.h"

namespace zelta::codeplug {
namespace {

using namespace zelta::storage;

using zelta::testing::readFile;
using zelta::testing::RecordingReporter;
using zelta::testing::TempFolder;

struct Real {
  TempFolder folder;
  std::unique_ptr<CodeplugImage> image;
  SettingsRecord settings;
  WorkFiles work{folder.path(), {}};
  RecordingReporter reporter;

  explicit Real(models::ModelCode model)
      : image(testing::imageOf(model)), settings(testing::startingSettings(*image)) {
    image->current().setByte(1, model);
  }
  CodeplugSession session() { return {*image, settings, work, reporter, standardCodec()}; }
  CodeplugFiles files() { return CodeplugFiles(session()); }
};

// A saved codeplug opens again unchanged, model '6' included (its files are
// 1 KB family A images read by the main decoder): opening a saved file and
// saving it gives the same file and the same settings.
TEST(OpenSaveWithCodec, SavedFilesOpenUnchanged) {
  for (const models::ModelCode model :
       {models::ModelCode{'1'}, models::ModelCode{'6'}, models::ModelCode{':'},
        models::ModelCode{'p'}, models::ModelCode{'q'}, models::ModelCode{0x91},
        models::ModelCode{0x93}}) {
    SCOPED_TRACE(::testing::Message() << "model 0x" << std::hex << int(model));
    Real made(model);
    made.settings.frequency2 = "158.0125";  // read by the two-frequency models only
    const auto first = made.folder / "first.cp";
    ASSERT_EQ(made.files().writeCodeplugFile(first), errors::code::Ok);

    Real opened(0x31);
    ASSERT_EQ(opened.files().readCodeplugFile(first), errors::code::Ok);
    EXPECT_EQ(opened.image->modelCode(), model);
    const auto second = made.folder / "second.cp";
    ASSERT_EQ(opened.files().writeCodeplugFile(second), errors::code::Ok);

    Real reopened(0x31);
    ASSERT_EQ(reopened.files().readCodeplugFile(second), errors::code::Ok);
    EXPECT_EQ(reopened.image->modelCode(), model);
    testing::expectSameSettings(opened.settings, reopened.settings, "reopened");
    const auto third = made.folder / "third.cp";
    ASSERT_EQ(reopened.files().writeCodeplugFile(third), errors::code::Ok);
    EXPECT_EQ(readFile(third), readFile(second));
  }
}

// '!' in 1024 bytes is a family A image for the main decoder; in 768 bytes
// an old-format image, converted to model '1'.
TEST(OpenSaveWithCodec, ExclamationFilesOfBothSizes) {
  Real a('1');
  const auto oneKb = a.folder / "one.cp";
  ASSERT_EQ(a.files().writeCodeplugFile(oneKb), errors::code::Ok);
  std::string text = readFile(oneKb);
  // byte 1 of the first record: '1' -> '!' with its checksum fixed
  const std::size_t first = text.find("S1130000");
  std::vector<std::uint8_t> record;
  for (std::size_t i = 0; i < 16; ++i)
    record.push_back(
        static_cast<std::uint8_t>(std::stoi(text.substr(first + 8 + 2 * i, 2), nullptr, 16)));
  record[1] = '!';
  text.replace(first, 42, codeplug::testing::record("S1", 0, record));
  zelta::testing::writeFile(oneKb, text);

  Real b('1');
  ASSERT_EQ(b.files().readCodeplugFile(oneKb), errors::code::Ok);
  EXPECT_EQ(b.image->modelCode(), '!');
  EXPECT_EQ(b.settings.code[0], "1234567");

  std::vector<std::uint8_t> old(768, 0);
  old[1] = '!';
  old[0x49] = 0x18;  // 158.0125 MHz in units of 100 Hz: 1580125 = 0x181C5D
  old[0x4A] = 0x1C;
  old[0x4B] = 0x5D;
  const auto oldFile = a.folder / "old.cp";
  zelta::testing::writeFile(
      oldFile,
      codeplug::testing::srecFile(old, 0, "\r\n", codeplug::testing::headerRecord(0, 8, '!')));
  Real c('1');
  ASSERT_EQ(c.files().readCodeplugFile(oldFile), errors::code::Ok);
  EXPECT_EQ(std::as_const(*c.image).current().byte(1), '1');
  EXPECT_EQ(c.settings.frequency, "158.0125");
}

// Saves made as a file, opens it, chooses the converter target and saves the
// conversion into r; returns the converted file.
std::filesystem::path convertSaved(Real& made, conversion::ConverterMode mode, Real& r) {
  const auto source = made.folder / "source.cp";
  EXPECT_EQ(made.files().writeCodeplugFile(source), errors::code::Ok);
  conversion::ConverterState state;
  EXPECT_EQ(conversion::openCodeplug(source, r.session(), state), errors::code::Ok);
  conversion::chooseConverter(state, mode, *r.image, r.settings);
  const auto out = r.folder / "converted.cp";
  EXPECT_EQ(conversion::saveCodeplug(out, r.session(), state), errors::code::Ok);
  return out;
}

TEST(ConverterWithCodec, PriorityAndTargetVariant) {
  Real q('q');
  q.settings.priority[0] = "NYNN";  // code 1, function 2
  Real r('1');
  const auto out = convertSaved(q, conversion::ConverterMode::Lumio, r);
  const ConstImageView d = std::as_const(*r.image).current();
  EXPECT_EQ(d.byte(1), 0x91);
  EXPECT_EQ(d.bits(0x3C, 7, 6), 2U);
  EXPECT_EQ(d.byte(7), '4');
  EXPECT_TRUE(d.bit(0x699, 7));

  Real back('1');
  ASSERT_EQ(back.files().readCodeplugFile(out), errors::code::Ok);
  EXPECT_EQ(back.settings.priority[0], "NYNN");
  EXPECT_EQ(back.settings.hardwareVariant, 2);
  EXPECT_EQ(back.settings.code[0], "1234567");
}

TEST(ConverterWithCodec, OneKbCodeplugToVarda) {
  Real a('1');
  a.settings.code[1] = "0000008";
  Real r('1');
  const auto out = convertSaved(a, conversion::ConverterMode::Varda, r);

  Real back('1');
  ASSERT_EQ(back.files().readCodeplugFile(out), errors::code::Ok);
  EXPECT_EQ(back.image->modelCode(), 0x91);
  EXPECT_EQ(back.settings.code[0], "1234567");
  EXPECT_EQ(back.settings.code[1], "8");  // the wide form shows no leading zeros
  EXPECT_EQ(back.settings.hardwareVariant, 3);
  EXPECT_EQ(back.settings.frequency.substr(0, 8), "158.0125");
}

}  // namespace
}  // namespace zelta::codeplug
