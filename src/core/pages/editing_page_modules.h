#pragma once

#include "codeplug/codec.h"
#include "pages/alert_page.h"
#include "pages/features_page.h"
#include "pages/general_code_page.h"
#include "pages/more_features_page.h"
#include "pages/page_dispatch.h"
#include "pages/password_ota_page.h"
#include "pages/prompt_pages.h"

namespace zelta::pages {

// The page modules of one main window (or one command-line run): each is
// created here once and registered under its module ID. A page module that
// is written later joins with a member and one add() line in the
// constructor; the dispatch and the page check chain need no change.
class EditingPageModules {
 public:
  // Prompt edits are rebuilt into the image and decoded with the codec,
  // which must outlive the modules.
  explicit EditingPageModules(const codeplug::CodeplugCodec& codec = codeplug::standardCodec());
  EditingPageModules(const EditingPageModules&) = delete;
  EditingPageModules& operator=(const EditingPageModules&) = delete;

  const PageModules& registry() const { return registry_; }
  pages::GeneralCodePage& generalCode() { return generalCode_; }
  pages::AlertPage& alert() { return alert_; }
  PasswordOtaPage& passwordOta() { return passwordOta_; }
  FeaturesPage& features() { return features_; }
  MoreFeaturesPage& moreFeatures() { return moreFeatures_; }
  // Serves the prompt and the source pages.
  pages::PromptPages& prompts() { return prompts_; }

 private:
  pages::GeneralCodePage generalCode_;
  pages::AlertPage alert_;
  PasswordOtaPage passwordOta_;
  FeaturesPage features_;
  MoreFeaturesPage moreFeatures_;
  pages::PromptPages prompts_;
  PageModules registry_;
};

}  // namespace zelta::pages
