#include "codeplug/new_codeplug.h"

#include "codeplug/defaults.h"
#include "codeplug/frequency_band.h"
#include "models/models.h"

namespace zelta::codeplug {

void setUpNewCodeplug(models::ModelCode model, CodeplugImage& image, SettingsRecord& settings) {
  image.setModel(model);
  image.header().cgromType = 0;
  image.header().memorySize = 32;
  image.header().modelByte = model;
  resetToDefaults(settings, image, false);
  const Hertz hz = frequencyHzFromText(settings.frequency).value_or(0);
  if (const int band = bandOfFrequency(hz); band >= 0) settings.freqBand = band;
  if (models::modelIn(model, models::ModelGroup::dualOrF) && settings.frequency2.empty()) {
    settings.frequency2 = frequencyTextOf(hz, 4);
  }
}

}  // namespace zelta::codeplug
