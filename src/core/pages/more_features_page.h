#pragma once

#include "pages/features_page.h"
#include "pages/page_module.h"

namespace zelta::pages {

// The "More Features" page: battery gauge, display and printer options.
// Its canned-message fields (153 to 157) and "LCD Control" (161) belong to
// the Features module; this module hands them over, so that a front end may
// dispatch by page alone.
class MoreFeaturesPage final : public PageModule {
 public:
  void onEnter(FieldId field, PageContext& context) override;

  // Stores the field, then runs the page check. Returns the check's result
  // (the Features check for the Features fields).
  errors::ResultCode onExit(const FieldInput& input, PageContext& context) override;

  // Battery gauge levels must fall from High to Low (-72); without the gauge
  // they return to their defaults.
  errors::ResultCode pageCheck(PageContext& context) override;

  void refresh(PageContext& context) override;

  PageView view(Page page, const PageContext& context) const override;

 private:
  FeaturesPage features_;
};

}  // namespace zelta::pages
