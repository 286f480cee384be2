#include "pages/editing_page_modules.h"

namespace zelta::pages {

EditingPageModules::EditingPageModules() {
  registry_.add(PageModuleId::GeneralCode, generalCode_);
}

}  // namespace zelta::pages
