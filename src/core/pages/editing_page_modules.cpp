#include "pages/editing_page_modules.h"

namespace zelta::pages {

EditingPageModules::EditingPageModules() {
  registry_.add(PageModuleId::GeneralCode, generalCode_);
  registry_.add(PageModuleId::Alert, alert_);
  registry_.add(PageModuleId::PasswordOta, passwordOta_);
  registry_.add(PageModuleId::Features, features_);
  registry_.add(PageModuleId::MoreFeatures, moreFeatures_);
  registry_.add(PageModuleId::Prompt, prompts_);
  registry_.add(PageModuleId::Source, prompts_);
}

}  // namespace zelta::pages
