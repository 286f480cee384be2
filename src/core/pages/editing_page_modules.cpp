#include "pages/editing_page_modules.h"

#include "codeplug/stored_form.h"

namespace zelta::pages {

EditingPageModules::EditingPageModules(const codeplug::CodeplugCodec& codec) {
  prompts_.setStoredFormRefresh([&codec](PageContext& c) {
    return codeplug::rebuildStoredForm(c.image, c.settings, codec, c.converterTarget());
  });
  registry_.add(PageModuleId::GeneralCode, generalCode_);
  registry_.add(PageModuleId::Alert, alert_);
  registry_.add(PageModuleId::PasswordOta, passwordOta_);
  registry_.add(PageModuleId::Features, features_);
  registry_.add(PageModuleId::MoreFeatures, moreFeatures_);
  registry_.add(PageModuleId::Prompt, prompts_);
  registry_.add(PageModuleId::Source, prompts_);
}

}  // namespace zelta::pages
