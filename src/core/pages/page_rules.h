#pragma once

#include "errors/result_code.h"
#include "pages/page_module.h"

namespace zelta::pages {

// Brings a codeplug made from defaults into the state its pages keep: every
// editing page is refreshed as showing it does, then the page check chain
// runs as before saving. The defaults alone are not such a state (a
// codeplug without a maildrop code keeps no maildrop notebook, for one);
// without this step the first edit of any field would change settings the
// user never touched. The chain's result: Ok when every check passes.
errors::ResultCode applyPageRules(PageContext& context);

}  // namespace zelta::pages
