#pragma once

#include <map>
#include <string>

#include "codeplug/builders.h"
#include "codeplug/codec.h"
#include "codeplug/codeplug_image.h"
#include "codeplug/decoders.h"
#include "codeplug/new_codeplug.h"
#include "codeplug/settings_record.h"
#include "pages/editing_page_modules.h"
#include "pages/field_catalog.h"
#include "pages/model_layout.h"
#include "pages/page_dispatch.h"
#include "recording_reporter.h"
#include "window/field_events.h"

namespace zelta::testing {

// The rules behind the editing pages for a test: the real page modules and
// field dispatch over a new codeplug of one model, as the window controller
// will drive them. Counts the exits so that a test sees each one.
class RulesFieldEvents : public window::FieldEvents {
 public:
  explicit RulesFieldEvents(models::ModelCode model) {
    codeplug::setUpNewCodeplug(model, image, settings);
    // As a file saved and opened again: the settings are what the image
    // holds, so that an edit that re-reads the image changes nothing else.
    const codeplug::CodeplugCodec& codec = codeplug::standardCodec();
    codec.build(image, settings, codeplug::BuildContext{});
    const codeplug::DecodeContext decode{};
    if (codeplug::decodeReadsBuiltImage(codeplug::DecodeCommand::OpenFile, image, decode))
      codec.decode(codeplug::DecodeCommand::OpenFile, image, settings, decode);
    context.model = model;
    context.headerType = image.header().cgromType;
    context.largeMemory = image.header().largeMemory;
    context.promptsAsText = settings.promptsAsText;
    context.promptLanguage = settings.internationalPrompt;
  }

  codeplug::SettingsRecord settings;
  codeplug::CodeplugImage image;
  RecordingReporter reporter;
  pages::PageContext context{settings, image, reporter};
  pages::EditingPageModules modules;
  pages::FieldDispatcher dispatcher{modules.registry()};
  int exits = 0;

  pages::ModelFieldLayout modelLayout() const {
    pages::FieldLayoutContext layout;
    layout.sequentialMode = context.sequentialMode;
    layout.converterTarget = context.converterTarget();
    return pages::modelFieldLayout(context.model, layout);
  }

  void fieldEntered(pages::FieldId field) override {
    if (const pages::FieldEntry* entry = pages::findField(field))
      dispatcher.enter(entry->page, field, context);
  }

  errors::ResultCode fieldLeft(const pages::FieldInput& input) override {
    ++exits;
    const pages::FieldEntry* entry = pages::findField(input.id);
    if (entry == nullptr) return errors::code::Ok;
    return dispatcher.exit(entry->page, input, context);
  }

  bool toggleDefault(pages::FieldId field) override {
    return modules.prompts().toggleDefault(field, context);
  }

  pages::KeyContext keyContext() const override {
    return pages::KeyContext{context.model, context.headerType, !context.promptsAsText};
  }

  pages::PageView pageView(pages::Page page) const override {
    const pages::PageModule* module = modules.registry().find(pages::moduleOfPage(page));
    if (module == nullptr) {
      pages::PageView none;
      none.page = page;
      return none;
    }
    return module->view(page, context);
  }

  bool playToneEnabled() const override { return dispatcher.playToneEnabled(); }
};

// Every setting as text, by name, to see exactly what an edit changed.
inline std::map<std::string, std::string> settingsText(const codeplug::SettingsRecord& settings) {
  std::map<std::string, std::string> out;
  for (const codeplug::FieldDescriptor& field : codeplug::settingsFields()) {
    out[field.name] = codeplug::settingsFieldText(settings, field);
  }
  return out;
}

inline std::map<std::string, std::string> changedSettings(
    const std::map<std::string, std::string>& before, const codeplug::SettingsRecord& settings) {
  std::map<std::string, std::string> changed;
  for (const auto& [name, text] : settingsText(settings)) {
    const auto old = before.find(name);
    if (old == before.end() || old->second != text) changed[name] = text;
  }
  return changed;
}

}  // namespace zelta::testing
