#include "pages/page_rules.h"

#include <optional>

#include "pages/editing_page_modules.h"
#include "pages/page_dispatch.h"
#include "pages/page_table.h"

namespace zelta::pages {

errors::ResultCode applyPageRules(PageContext& context) {
  EditingPageModules modules;
  FieldDispatcher dispatcher(modules.registry());
  for (int page = static_cast<int>(Page::General); page < static_cast<int>(Page::Main); ++page) {
    dispatcher.enterPage(static_cast<Page>(page), context);
  }
  return dispatcher.runPageCheckChain(Page::General, std::nullopt, context);
}

}  // namespace zelta::pages
