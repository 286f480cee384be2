#pragma once

#include "codes/general_code_page.h"
#include "pages/page_dispatch.h"

namespace zelta::pages {

// The page modules of one main window (or one command-line run): each is
// created here once and registered under its module ID. A page module that
// is written later joins with a member and one add() line in the
// constructor; the dispatch and the page check chain need no change.
class EditingPageModules {
 public:
  EditingPageModules();
  EditingPageModules(const EditingPageModules&) = delete;
  EditingPageModules& operator=(const EditingPageModules&) = delete;

  const PageModules& registry() const { return registry_; }
  codes::GeneralCodePage& generalCode() { return generalCode_; }

 private:
  codes::GeneralCodePage generalCode_;
  PageModules registry_;
};

}  // namespace zelta::pages
