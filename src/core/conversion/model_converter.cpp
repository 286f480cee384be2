#include "conversion/model_converter.h"

#include <algorithm>
#include <array>
#include <memory>
#include <stdexcept>
#include <string_view>

#include "codeplug/model_checks.h"

namespace zelta::conversion {
namespace {

using codeplug::CodeplugImage;
using codeplug::ConstImageView;
using codeplug::ImageView;
using codeplug::SettingsRecord;
using models::ModelCode;
using models::ModelGroup;

namespace code = errors::code;

struct SettingDefault {
  std::string_view control;
  int value;
};

// The settings a converted codeplug takes whatever its source held.
constexpr SettingDefault kConversionDefaults[] = {
    {"cb_newAlertMenu", 1},  // "Yes"
    {"cb_onOffDuty", 1},     // "Enable"
    {"cb_maxErrorsUHB7B6", 2},
    {"cb_maxErrorsUHB5B4", 2},
    {"cb_scLostNumNormalMod", 2},  // stored value; list index 1
    {"cb_toneOnlySupport", 0},
    {"cb_defaultZoom", 0},  // "4 Line"
    {"cb_timeFormat", 0},   // "24"
    {"cb_turnOnPager", 1},  // "2 Sec"
    {"cb_selDutySource", 1},
    {"cb_EnableSingleMessage", 0},
    {"cb_lowCellPeriod", 1},                 // "1 hr"
    {"cb_alertDuration", 1},                 // "12 sec"
    {"cb_defaultAlert", 0},                  // "STD"
    {"cb_reminderAlertDuration", 2},         // "12 sec"
    {"cb_fixAlert", 0},                      // "Non Fix"
    {"cb_defaultReminderVibMode", 0},        // "Continuous"
    {"cb_defaultReminderCrescendoMode", 0},  // "General"
    {"cb_defaultReminderAlertMode", 4},      // "Chirp"
    {"cb_defaultReminderAlertPattern", 0},   // "STD"
};

// Where the re-lay reads in the 2 KB 'q' layout ...
constexpr std::size_t kQCodeTypeBitsA = 0x7A;   // bits 3-0: first code-type bits of codes 1-4
constexpr std::size_t kQCodeTypeBitsB = 0x7B;   // bits 3-0: second code-type bits of codes 1-4
constexpr std::size_t kQZoomAndCodes56 = 0x30;  // bit 7 zoom; bits 3-0 code-type bits of codes 5, 6
constexpr std::size_t kQFunctionLetters = 0x24;  // codes 1-6, 12 bytes
constexpr std::size_t kQHistory34 = 0xDA;
constexpr std::size_t kQHistory12 = 0xDB;
constexpr std::size_t kQSecondCodeTable = 0x784;
constexpr std::size_t kQDataInversionByte = 0x798;  // bit 1
// Priority flags: bits 0-3 the first code's functions 1-4, bits 4-7 the second's.
constexpr std::array<std::size_t, 3> kQPriorityBytes{0x52, 0x51, 0x31};  // codes 1-2, 3-4, 5-6

// ... and where it writes in the family D layout.
constexpr std::size_t kDFunctionLetters = 0x18;
constexpr std::size_t kDCodeTypeFirst = 0x38;
constexpr std::size_t kDCodeTypeSecond = 0x3A;
constexpr std::size_t kDHardwareOptions = 0x3C;  // bits 7-6 variant, bit 0 zoom
constexpr std::size_t kDHistory = 0xE7;          // codes 1-2, 3-4, 5-6, 7-8
constexpr std::size_t kDDutyOptions = 0xEB;
constexpr std::size_t kDAlertTable = 0x696;  // 2 bytes per function; bit 7 of the second = priority
constexpr std::size_t kDReminderAfter = 0x718;
constexpr std::size_t kDCodeTable = 0x754;
constexpr std::size_t kDCodeFlags = 0x768;  // bit 1 data inversion, bit 0 select duty
constexpr std::size_t kFirmwareArea =
    0x722;  // firmware block and code table, rebuilt by the builder
constexpr std::size_t kDecoderArea = 0x7B4;  // decoder parameter area, to 0x7CB
constexpr std::size_t kDecoderAreaEnd = 0x7CC;
constexpr std::size_t kImageEnd = 0x800;
// The prompt area of the source, cleared before the family D build.
constexpr std::size_t kSourcePromptArea = 0xEC;
constexpr std::size_t kSourcePromptAreaEnd = 0x49C;

void copyRange(ConstImageView from, std::size_t fromAt, ImageView to, std::size_t toAt,
               std::size_t count) {
  const auto bytes = from.bytesAt(fromAt, count);
  std::copy(bytes.begin(), bytes.end(), to.bytesAt(toAt, count).begin());
}

void clearRange(ImageView image, std::size_t begin, std::size_t end) {
  image.fill(begin, end - begin, 0);
}

errors::ResultCode reporting(errors::Reporter& reporter, errors::ResultCode result) {
  reporter.ReportCode(result);
  return result;
}

}  // namespace

void resetConverterAfterLoad(ConverterState& state) {
  state.mode = ConverterMode::Off;
  state.sourcePending = true;
}

void applyConversionDefaults(SettingsRecord& settings) {
  for (const SettingDefault& d : kConversionDefaults) {
    if (!codeplug::writeSettingsField(settings, d.control, d.value)) {
      throw std::logic_error("conversion default for an unknown setting: " +
                             std::string(d.control));
    }
  }
}

void applyDecoderConversionDefaults(SettingsRecord& settings) {
  settings.decoder.alertPatternBits = {0, 0, 1, 0, 1, 1, 1, 0, 1, 0};
  settings.decoder.preambleErrorBits = 2;
  settings.decoder.syncCodewordErrorBits = 2;
  settings.decoder.firstNonSyncLost = 2;
  settings.decoder.secondNonSyncLost = 3;
  settings.decoder.messageErrorCodewords = 2;
  settings.decoder.bitNumbers = {576, 544, 32, 496, 480, 64};
  settings.selDutySource = 1;
}

void chooseConverter(ConverterState& state, ConverterMode mode, CodeplugImage& image,
                     SettingsRecord& settings) {
  if (state.sourcePending) {
    state.sourceModel = image.modelCode();
    state.sourcePending = false;
  }
  state.mode = mode;
  if (mode != ConverterMode::Off) {
    applyConversionDefaults(settings);
  } else if (state.sourceModel != models::kNoModel && image.modelCode() != state.sourceModel) {
    image.setModel(state.sourceModel);
  }
}

void relayToFamilyD(ConstImageView q, ImageView d) {
  // The second code table of 'q' becomes the first 46 bytes of the D code
  // table, with the data inversion flag.
  copyRange(q, kQSecondCodeTable, d, kDCodeTable, 46);
  d.setByte(kDCodeFlags, d.byte(kDCodeFlags) | (q.byte(kQDataInversionByte) & 0x02));

  copyRange(q, kQFunctionLetters, d, kDFunctionLetters, 12);
  d.setByte(kDFunctionLetters + 12, 0);  // codes 7 and 8, function 1
  clearRange(d, 0x614, 0x696);

  d.setByte(kDCodeTypeFirst, d.byte(kDCodeTypeFirst) | ((q.byte(kQCodeTypeBitsA) & 0x0F) << 4) |
                                 (q.byte(kQZoomAndCodes56) & 0x0C));
  d.setBits(kDCodeTypeSecond, 1, 0, 0);
  d.setByte(kDCodeTypeSecond + 1, 0);
  d.setByte(kDCodeTypeSecond, d.byte(kDCodeTypeSecond) | (q.byte(kQZoomAndCodes56) & 0x03) |
                                  ((q.byte(kQCodeTypeBitsB) & 0x0F) << 4));
  d.setByte(kDReminderAfter, 0);

  // Priority of code c, function f: bit 7 of the second byte of D entry
  // 4 (c - 1) + (f - 1).
  for (int c = 1; c <= 6; ++c) {
    const std::uint8_t flags = q.byte(kQPriorityBytes[static_cast<std::size_t>((c - 1) / 2)]);
    for (int f = 1; f <= 4; ++f) {
      const int bit = (f - 1) + ((c % 2 == 0) ? 4 : 0);
      const std::size_t at =
          kDAlertTable + 2U * static_cast<std::size_t>(4 * (c - 1) + (f - 1)) + 1;
      d.setBit(at, 7, ((flags >> bit) & 1U) != 0);
    }
  }

  d.setBit(kDHardwareOptions, 7, true);
  if (q.bit(kQZoomAndCodes56, 7)) d.setBit(kDHardwareOptions, 0, true);

  d.setByte(kDHistory + 1, q.byte(kQHistory34));
  d.setByte(kDHistory, q.byte(kQHistory12));
  d.setByte(kDHistory + 2, 0);
  d.setByte(kDHistory + 3, 0);

  copyRange(q, kDecoderArea, d, kDecoderArea, kDecoderAreaEnd - kDecoderArea);
  d.setByte(0x7C5, 0x68);
  d.setByte(0x7C6, 0x85);
  d.setByte(0x7CA, 0x96);
  d.setByte(0x7CB, 0x0A);
  d.setBit(kDCodeFlags, 0, true);  // select duty, always on after a conversion

  clearRange(d, kFirmwareArea, kDecoderArea);
  d.fill(kDecoderAreaEnd, kImageEnd - kDecoderAreaEnd, 0xF3);

  clearRange(d, 0x43, 0x53);
  clearRange(d, 0xBF, 0xC9);
  clearRange(d, 0xDA, 0xDC);
  d.setByte(kDDutyOptions, 0);
}

void stampTargetVariant(ConverterMode mode, CodeplugImage& image, SettingsRecord& settings) {
  const int variant = mode == ConverterMode::Varda ? 3 : 2;
  settings.hardwareVariant = variant;
  settings.codeMode = variant - 1;
  const ImageView d = image.current();
  d.setBits(kDHardwareOptions, 7, 6, static_cast<unsigned>(variant));
  d.setByte(image.offsets().generation, variant == 3 ? '6' : '4');
}

errors::ResultCode convertToFamilyD(ModelCode sourceModel, const storage::CodeplugSession& session,
                                    const storage::SaveContext& context) {
  if (!codeplug::FamilySet{models::Family::A, models::Family::B, models::Family::C}.holds(
          sourceModel))
    return code::InvalidConverterBase;

  // Worked on apart and taken over only when every step succeeded.
  auto image = std::make_unique<CodeplugImage>(session.image);
  // The 1 KB route decodes its 'q' image into settings of its own: they
  // hold only what the source layout can, so they make the 'q' bytes and
  // nothing else. The family D image is built from the settings the pages
  // show, which already carry the conversion defaults and every field the
  // target has.
  auto largeSettings = std::make_unique<SettingsRecord>(session.settings);
  const storage::CodeplugSession scratch{*image, *largeSettings, session.work, session.reporter,
                                         session.codec};
  storage::CodeplugFiles files(scratch);

  if (!models::modelIn(sourceModel, ModelGroup::largeQModels)) {
    // Until the first conversion the image is the source codeplug itself;
    // after it, the backup of that first conversion is the source again.
    const errors::ResultCode large =
        image->modelCode() == sourceModel
            ? files.convertCodeplugToLargeImage(context)
            : files.convertToLargeImage(session.work.backupPath(), context.build);
    if (large != code::Ok) return large;
  }

  image->takeSnapshot();
  image->setModel(kConversionTarget);
  image->current().setByte(image->offsets().modelByte, kConversionTarget);
  relayToFamilyD(image->snapshot(), image->current());
  auto settings = std::make_unique<SettingsRecord>(session.settings);
  applyDecoderConversionDefaults(*settings);
  clearRange(image->current(), kSourcePromptArea, kSourcePromptAreaEnd);
  const errors::ResultCode built = session.codec.build(*image, *settings, context.build);
  if (built < 0) return reporting(session.reporter, built);

  session.image = *image;
  session.settings = std::move(*settings);
  return code::Ok;
}

errors::ResultCode convertForTarget(const ConverterState& state,
                                    const storage::CodeplugSession& session,
                                    const storage::SaveContext& context) {
  if (!state.targetSet()) {
    if (state.sourceModel != models::kNoModel) session.image.setModel(state.sourceModel);
    return code::InvalidConverterBase;
  }
  const errors::ResultCode converted = convertToFamilyD(state.sourceModel, session, context);
  if (converted == code::Ok) stampTargetVariant(state.mode, session.image, session.settings);
  return converted;
}

}  // namespace zelta::conversion
