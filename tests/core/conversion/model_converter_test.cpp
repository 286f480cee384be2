#include "conversion/model_converter.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "codeplug/data_process.h"
#include "codeplug_workspace.h"
#include "conversion/codeplug_commands.h"
#include "core/codeplug/srecord_fixture.h"

namespace zelta::conversion {
namespace {

using codeplug::CodeplugImage;
using codeplug::testing::headerRecord;
using codeplug::testing::patternImage;
using codeplug::testing::srecFile;
using models::ModelCode;
using zelta::testing::CodeplugWorkspace;
using zelta::testing::readFile;
namespace code = errors::code;

bool allBytes(codeplug::ConstImageView v, std::size_t begin, std::size_t end, std::uint8_t value) {
  const auto run = v.bytesAt(begin, end - begin);
  return std::all_of(run.begin(), run.end(), [value](std::uint8_t b) { return b == value; });
}

TEST(ConverterRelay, QLayoutIntoFamilyD) {
  auto q = patternImage(2048, 'q');
  q[0x798] = 0x02;  // data inversion
  q[0x7A] = 0x0A;   // first code-type bits of codes 1-4
  q[0x7B] = 0x05;   // second code-type bits
  q[0x30] = 0x8E;   // zoom; code-type bits of codes 5 and 6
  q[0x52] = 0x02;   // code 1, function 2 has priority
  q[0x51] = 0x80;   // code 4, function 4
  q[0x31] = 0x10;   // code 6, function 1
  q[0xDA] = 0x12;   // history, codes 3-4
  q[0xDB] = 0x34;   // history, codes 1-2
  CodeplugImage image;
  const codeplug::ImageView d = image.current();
  d.fill(0, 0x800, 0xD5);
  const codeplug::ConstImageView s{std::span<const std::uint8_t>(q)};

  relayToFamilyD(s, d);

  EXPECT_TRUE(std::equal(q.begin() + 0x24, q.begin() + 0x30, d.span().begin() + 0x18));
  EXPECT_EQ(d.byte(0x24), 0);
  EXPECT_TRUE(allBytes(d, 0x614, 0x696, 0));
  EXPECT_EQ(d.byte(0x38), 0xD5 | 0xA0 | 0x0C);
  EXPECT_EQ(d.byte(0x3A), (0xD5 & 0xFC) | 0x02 | 0x50);
  EXPECT_EQ(d.byte(0x3B), 0);
  EXPECT_EQ(d.byte(0x718), 0);
  // Priority: bit 7 of the second byte of entry 4 (c - 1) + (f - 1).
  for (int c = 1; c <= 6; ++c) {
    for (int f = 1; f <= 4; ++f) {
      const std::size_t at = 0x696 + 2U * static_cast<std::size_t>(4 * (c - 1) + (f - 1)) + 1;
      const bool set = (c == 1 && f == 2) || (c == 4 && f == 4) || (c == 6 && f == 1);
      EXPECT_EQ(d.bit(at, 7), set) << "code " << c << " function " << f;
      EXPECT_EQ(d.byte(at) & 0x7F, 0x55);  // the other bits of the entry stay
    }
  }
  EXPECT_TRUE(d.bit(0x699, 7));
  EXPECT_EQ(d.byte(0x3C), 0xD5 | 0x80 | 0x01);
  EXPECT_EQ(d.byte(0xE7), 0x34);
  EXPECT_EQ(d.byte(0xE8), 0x12);
  EXPECT_EQ(d.byte(0xE9), 0);
  EXPECT_EQ(d.byte(0xEA), 0);
  EXPECT_TRUE(std::equal(q.begin() + 0x7B4, q.begin() + 0x7C5, d.span().begin() + 0x7B4));
  EXPECT_EQ(d.byte(0x7C5), 0x68);
  EXPECT_EQ(d.byte(0x7C6), 0x85);
  EXPECT_EQ(d.byte(0x7C7), q[0x7C7]);
  EXPECT_EQ(d.byte(0x7CA), 0x96);
  EXPECT_EQ(d.byte(0x7CB), 0x0A);
  EXPECT_TRUE(
      allBytes(d, 0x722, 0x7B4, 0));  // firmware block and code table, rebuilt by the builder
  EXPECT_TRUE(allBytes(d, 0x7CC, 0x800, 0xF3));
  EXPECT_TRUE(allBytes(d, 0x43, 0x53, 0));
  EXPECT_TRUE(allBytes(d, 0xBF, 0xC9, 0));
  EXPECT_TRUE(allBytes(d, 0xDA, 0xDC, 0));
  EXPECT_EQ(d.byte(0xEB), 0);
  EXPECT_EQ(d.byte(0x700), 0xD5);  // bytes no step names stay
  EXPECT_EQ(d.byte(0x1FF), 0xD5);
}

TEST(ConverterDefaults, SettingsTheSourceLacks) {
  codeplug::SettingsRecord s;
  s.scLostNumNormalMod = 9;
  s.defaultReminderAlertMode = 9;
  s.turnOnPager = 9;
  s.fixAlertReminder = 9;
  s.lowCellPeriod = 9;
  applyConversionDefaults(s);
  EXPECT_EQ(s.scLostNumNormalMod, 2);
  EXPECT_EQ(s.defaultReminderAlertMode, 4);
  EXPECT_EQ(s.turnOnPager, 1);
  EXPECT_EQ(s.fixAlertReminder, 0);
  EXPECT_EQ(s.lowCellPeriod, 1);
  EXPECT_EQ(s.newAlertMenu, 1);
  EXPECT_EQ(s.maxErrorsUHB7B6, 2);
  EXPECT_EQ(s.maxErrorsUHB5B4, 2);

  applyDecoderConversionDefaults(s);
  EXPECT_EQ(s.decoder.alertPatternBits, (std::array<int, 10>{0, 0, 1, 0, 1, 1, 1, 0, 1, 0}));
  EXPECT_EQ(s.decoder.secondNonSyncLost, 3);
  EXPECT_EQ(s.decoder.bitNumbers, (std::array<int, 6>{576, 544, 32, 496, 480, 64}));
  EXPECT_EQ(s.selDutySource, 1);
}

TEST(ConverterChoice, CapturesTheSourceOnceAndDisableRestoresIt) {
  CodeplugImage image;
  codeplug::SettingsRecord settings;
  image.setModel('1');
  ConverterState state;
  resetConverterAfterLoad(state);

  chooseConverter(state, ConverterMode::Lumio, image, settings);
  EXPECT_EQ(state.sourceModel, '1');
  EXPECT_EQ(settings.newAlertMenu, 1);
  image.setModel(0x91);  // a conversion happened
  chooseConverter(state, ConverterMode::Varda, image, settings);
  EXPECT_EQ(state.sourceModel, '1');
  EXPECT_EQ(state.mode, ConverterMode::Varda);
  chooseConverter(state, ConverterMode::Off, image, settings);
  EXPECT_EQ(image.modelCode(), '1');
  EXPECT_EQ(image.offsets().codeSlots, 0x300);
}

// A codeplug opened from a file, with the converter set to a target.
struct ConverterFixture : CodeplugWorkspace {
  ConverterState state;

  ConverterFixture(ModelCode model, std::size_t size, ConverterMode mode) {
    auto bytes = patternImage(size, model);
    if (size == 2048) bytes[0x52] = 0x02;  // code 1, function 2 has priority
    const auto path = file("source.cp", srecFile(bytes, 0, "\r\n", headerRecord(0, 32, model)));
    EXPECT_EQ(openCodeplug(path, session(), state), code::Ok);
    inBand();
    settings.prompts[text::PromptId::powerUpPrompt].text.assign("ON SCREEN");
    chooseConverter(state, mode, *image, settings);
  }
  errors::ResultCode save(const std::string& name) {
    return saveCodeplug(folder / name, session(), state);
  }
};

TEST(ConvertForTarget, QCodeplugForEachTarget) {
  struct Case {
    ConverterMode mode;
    unsigned variantBits;
    char generation;
  };
  for (const Case c : {Case{ConverterMode::Lumio, 2, '4'}, Case{ConverterMode::Varda, 3, '6'}}) {
    ConverterFixture f('q', 2048, c.mode);
    ASSERT_EQ(f.save("out.cp"), code::Ok);

    const codeplug::ConstImageView d = std::as_const(*f.image).current();
    EXPECT_EQ(f.image->modelCode(), 0x91);
    EXPECT_EQ(d.byte(1), 0x91);
    EXPECT_EQ(d.bits(0x3C, 7, 6), c.variantBits);
    EXPECT_EQ(d.byte(7), c.generation);
    EXPECT_TRUE(d.bit(0x699, 7));
    EXPECT_EQ(f.settings.hardwareVariant, static_cast<int>(c.variantBits));
    // The backup of the 'q' codeplug, then the family D build; no decode.
    EXPECT_EQ(f.codec.builds, (std::vector<ModelCode>{'q', 0x91}));
    EXPECT_EQ(f.codec.decodes.size(), 1U);  // the open

    // Written as it stands: 128 records of the converted image.
    std::ostringstream expected;
    codeplug::DataProcess(*f.image, f.settings).writeSRecordImage(expected);
    EXPECT_EQ(readFile(f.folder / "out.cp"), expected.str());
    EXPECT_EQ(f.settings.prompts[text::PromptId::powerUpPrompt].text, "ON SCREEN");
  }
}

// A second conversion without a new read starts from the snapshot of the
// first, not from the image the first one left.
TEST(ConvertForTarget, SecondConversionStartsFromTheSameSnapshot) {
  ConverterFixture twice('q', 2048, ConverterMode::Lumio);
  ASSERT_EQ(twice.save("first.cp"), code::Ok);
  EXPECT_EQ(std::as_const(*twice.image).current().byte(0xE8),
            std::as_const(*twice.image).snapshot().byte(0xDA));
  chooseConverter(twice.state, ConverterMode::Varda, *twice.image, twice.settings);
  ASSERT_EQ(twice.save("second.cp"), code::Ok);

  ConverterFixture once('q', 2048, ConverterMode::Varda);
  ASSERT_EQ(once.save("once.cp"), code::Ok);
  EXPECT_EQ(twice.buffer(), once.buffer());
  EXPECT_EQ(readFile(twice.folder / "second.cp"), readFile(once.folder / "once.cp"));
}

TEST(ConvertForTarget, OneKbCodeplugGoesThroughALargeImage) {
  ConverterFixture f('1', 1024, ConverterMode::Varda);
  ASSERT_EQ(f.save("out.cp"), code::Ok);
  EXPECT_EQ(f.image->modelCode(), 0x91);
  // Backups of the codeplug on screen, the 2 KB 'q' image, the family D build.
  EXPECT_EQ(f.codec.builds, (std::vector<ModelCode>{'1', '1', 'q', 0x91}));
  ASSERT_EQ(f.codec.decodes.size(), 2U);
  EXPECT_EQ(f.codec.decodes[1].model, 'q');
  // The decode of the large image reset the prompts; the remembered ones are back.
  EXPECT_EQ(f.settings.prompts[text::PromptId::powerUpPrompt].text, "ON SCREEN");
  EXPECT_EQ(std::as_const(*f.image).current().bits(0x3C, 7, 6), 3U);
}

TEST(ConvertForTarget, AFailedConversionChangesNothingAndWritesNothing) {
  ConverterFixture f('1', 1024, ConverterMode::Lumio);
  f.codec.buildResult = code::NotSynthesizable;
  f.codec.failBuildOf = 'q';
  const auto before = f.buffer();
  const auto promptsBefore = f.settings.prompts;

  EXPECT_EQ(f.save("out.cp"), code::InvalidConverterBase);
  EXPECT_FALSE(std::filesystem::exists(f.folder / "out.cp"));
  ASSERT_EQ(f.reporter.shown.size(), 2U);
  EXPECT_EQ(f.shownText(0), errors::reportText(code::NotSynthesizable, {}));
  EXPECT_EQ(f.shownText(1), "ERROR: Invalid Remodulator base file.\n");
  EXPECT_EQ(f.buffer(), before);
  EXPECT_EQ(f.image->modelCode(), '1');
  EXPECT_TRUE(f.image->snapshotArmed());
  EXPECT_TRUE(f.settings.prompts == promptsBefore);

  // The conversion programming uses reports the failure too.
  EXPECT_EQ(convertToFamilyD('1', f.session()), code::NotSynthesizable);
  EXPECT_EQ(f.image->modelCode(), '1');
}

TEST(ConvertForTarget, OnlyFamiliesAToCConvert) {
  ConverterFixture f(0x93, 2048, ConverterMode::Lumio);
  EXPECT_EQ(f.save("out.cp"), code::InvalidConverterBase);
  EXPECT_FALSE(std::filesystem::exists(f.folder / "out.cp"));
  EXPECT_EQ(f.image->modelCode(), 0x93);
  EXPECT_TRUE(f.codec.builds.empty());
}

TEST(ConvertForTarget, WithTheConverterOffTheSourceModelReturns) {
  ConverterFixture f('q', 2048, ConverterMode::Lumio);
  ASSERT_EQ(f.save("out.cp"), code::Ok);
  f.state.mode = ConverterMode::Off;
  EXPECT_EQ(convertForTarget(f.state, f.session()), code::InvalidConverterBase);
  EXPECT_EQ(f.image->modelCode(), 'q');
  EXPECT_EQ(f.image->offsets().codeSlots, 0x700);
}

TEST(OpenCodeplugCommand, TurnsTheConverterOffOnlyWhenTheOpenSucceeds) {
  ConverterFixture f('q', 2048, ConverterMode::Varda);
  EXPECT_EQ(openCodeplug(f.file("bad.cp", "S1130000\r\n"), f.session(), f.state),
            code::InvalidArchive);
  EXPECT_EQ(f.state.mode, ConverterMode::Varda);
  EXPECT_FALSE(f.state.sourcePending);

  ASSERT_EQ(f.save("converted.cp"), code::Ok);
  EXPECT_FALSE(f.image->snapshotArmed());
  EXPECT_EQ(openCodeplug(f.folder / "source.cp", f.session(), f.state), code::Ok);
  EXPECT_EQ(f.state.mode, ConverterMode::Off);
  EXPECT_TRUE(f.state.sourcePending);
  EXPECT_TRUE(f.image->snapshotArmed());
  EXPECT_EQ(f.image->modelCode(), 'q');
}

}  // namespace
}  // namespace zelta::conversion
