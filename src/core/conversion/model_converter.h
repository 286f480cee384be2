#pragma once

#include "codeplug/codeplug_image.h"
#include "codeplug/image_view.h"
#include "codeplug/settings_record.h"
#include "errors/result_code.h"
#include "models/models.h"
#include "pages/model_layout.h"
#include "storage/codeplug_files.h"

namespace zelta::conversion {

using pages::ConverterMode;

// The family D model every conversion produces.
inline constexpr models::ModelCode kConversionTarget = models::kConverterTargetModel;

// The converter's state in the main window: the target chosen in Tools >
// Converter and the model the codeplug came from, captured at the first
// choice after a read or load.
struct ConverterState {
  ConverterMode mode = ConverterMode::Off;
  models::ModelCode sourceModel = models::kNoModel;
  bool sourcePending = false;  // a read or load since the last capture

  bool targetSet() const { return mode != ConverterMode::Off; }
};

// A read or a file load: converter off, the next choice captures the source.
void resetConverterAfterLoad(ConverterState& state);

// A choice in Tools > Converter. The first choice after a read or load
// captures the image's model as the source. A target gives the settings
// the conversion defaults; "&Disable" makes the source model current again
// with its offset slots.
void chooseConverter(ConverterState& state, ConverterMode mode, codeplug::CodeplugImage& image,
                     codeplug::SettingsRecord& settings);

// The values a converted codeplug takes for the settings its source lacks,
// as the pages show them once a target is chosen.
void applyConversionDefaults(codeplug::SettingsRecord& settings);

// The decoder parameter settings of a converted codeplug (the values of the
// engineering defaults) and the select-duty flag.
void applyDecoderConversionDefaults(codeplug::SettingsRecord& settings);

// Re-lays the bytes of a 2 KB 'q' image (snapshot) into the family D layout
// of image, in place; image already holds the 'q' image or an earlier
// conversion of it.
void relayToFamilyD(codeplug::ConstImageView snapshot, codeplug::ImageView image);

// The target's hardware variant (2 Lumio, 3 Varda) into the settings, bits
// 7-6 of byte 0x3C and the generation character at byte 7 ('4', '6').
void stampTargetVariant(ConverterMode mode, codeplug::CodeplugImage& image,
                        codeplug::SettingsRecord& settings);

// Converts the codeplug of sourceModel (families A, B, C) into the family D
// layout and builds it; the image stays model 0x91. A 1 KB source goes
// through a 2 KB 'q' image made from a fresh backup (or, once converted,
// from the backup of the first conversion); the snapshot of the first
// conversion after a read or load is the source of every later one. The
// family D image is built from the session's settings (what the pages
// show) with the decoder conversion defaults; the 'q' image's own decode
// serves only that image.
// Ok on success. On failure the codeplug is left exactly as it was and the
// result is the failure of the 2 KB conversion (-36 shown, or
// kFileNotAccessible), -36 from the final build (shown), or -119 (not shown)
// for a source of another family.
errors::ResultCode convertToFamilyD(models::ModelCode sourceModel,
                                    const storage::CodeplugSession& session,
                                    const storage::SaveContext& context = {});

// With a target set: convertToFamilyD from the captured source, then the
// target's variant stamped. With the converter off: the captured source
// model is made current again and the result is -119 (not shown).
errors::ResultCode convertForTarget(const ConverterState& state,
                                    const storage::CodeplugSession& session,
                                    const storage::SaveContext& context = {});

}  // namespace zelta::conversion
