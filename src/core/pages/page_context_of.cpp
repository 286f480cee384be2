#include "pages/page_context_of.h"

namespace zelta::pages {

PageContext pageContextOf(codeplug::CodeplugImage& image, codeplug::SettingsRecord& settings,
                          errors::Reporter& reporter, const EditingState& state) {
  return PageContext{.settings = settings,
                     .image = image,
                     .reporter = reporter,
                     .model = image.modelCode(),
                     .headerType = image.header().cgromType,
                     .largeMemory = image.header().largeMemory,
                     .sequentialMode = state.sequentialMode,
                     .converter = state.converter,
                     .limitedBaudFirmware = state.limitedBaudFirmware,
                     .firmwareR0102 = state.firmwareR0102,
                     .locker = state.locker,
                     .promptsAsText = settings.promptsAsText,
                     .promptLanguage = settings.internationalPrompt,
                     .ideographicMixForbidden = state.ideographicMixForbidden,
                     .programmingAttempted = state.programmingAttempted};
}

KeyContext keyContextOf(const codeplug::CodeplugImage& image) {
  return KeyContext{image.modelCode(), image.header().cgromType, true};
}

}  // namespace zelta::pages
