#pragma once

#include "codeplug/codeplug_image.h"
#include "codeplug/settings_record.h"
#include "errors/reporter.h"
#include "pages/key_filter.h"
#include "pages/model_layout.h"
#include "pages/page_module.h"

namespace zelta::pages {

// What the page rules read from the window and the link beside the
// codeplug. The defaults are ordinary editing: no pager identified or
// programmed in this run, neither sequential nor converter mode, and the
// hidden "Locker" item off.
struct EditingState {
  bool sequentialMode = false;
  ConverterMode converter = ConverterMode::Off;
  bool limitedBaudFirmware = false;
  bool firmwareR0102 = false;
  bool locker = false;
  bool ideographicMixForbidden = false;
  bool programmingAttempted = false;
};

// The page modules' context for a codeplug: the model and header of the
// image, the prompt storage of the settings and the editing state. Built
// afresh for every event, so that no copy outlives a change of model or mode.
PageContext pageContextOf(codeplug::CodeplugImage& image, codeplug::SettingsRecord& settings,
                          errors::Reporter& reporter, const EditingState& state = {});

// What the key filters need of the codeplug shown. The prompts are always
// editable while a codeplug is shown; model '#' keeps its raw prompts
// unfiltered through its own rule.
KeyContext keyContextOf(const codeplug::CodeplugImage& image);

}  // namespace zelta::pages
