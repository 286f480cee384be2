#pragma once

#include <string>

#include "codeplug/codeplug_image.h"
#include "codeplug/settings_record.h"
#include "errors/result_code.h"
#include "models/models.h"

namespace zelta::codeplug {

// What a build reads beside the settings and the image it changes in place.
struct BuildContext {
  // The pager answered that it is unprogrammed: the model byte, serial
  // number and memory split are written for it.
  bool pagerUnprogrammed = false;
  // A converter target is selected: the prompts follow the family D list.
  bool converterTarget = false;
  // Firmware text of the last identification ("R0602" ...); empty when no
  // pager has been identified (saving to a file).
  std::string firmware;
  // The model remembered when programming started; ' ' there with another
  // current model applies the feature defaults a model ' ' codeplug lacks.
  models::ModelCode modelAtProgrammingStart = models::kNoModel;
};

// Builders write read-modify-write: bits no setting covers keep the value
// last read. They do not fail; the frequency must have passed
// checkSynthesizable (-36) before.
void buildMain(CodeplugImage& image, SettingsRecord& settings, const BuildContext& context);
void buildLargeImage(CodeplugImage& image, SettingsRecord& settings, const BuildContext& context);
void buildDFamily(CodeplugImage& image, SettingsRecord& settings, const BuildContext& context);

// Converts the frequency (and the second frequency where the model has one)
// into the synthesizer values, then runs the builders of the current model.
// -36 when a frequency cannot be synthesized (nothing is built then).
errors::ResultCode buildImage(CodeplugImage& image, SettingsRecord& settings,
                              const BuildContext& context);

}  // namespace zelta::codeplug
