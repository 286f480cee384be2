#pragma once

#include "codeplug/models.h"

namespace zelta::codeplug {
class SettingsRecord;
}

namespace zelta::codes {

// Which kinds of pager codes the codeplug holds. Several pages enable or
// clear their choices by these: a notebook needs a personal code, maildrop
// settings a maildrop code, OTA programming a text code.
//
// A code counts when its capcode is not blank. Only the codes the model
// shows are looked at: 16 on the sixteen-code models and converter targets,
// 6 on the six-code models, 4 otherwise.
struct CodeKinds {
  int present = 0;
  bool personal = false;  // an "Individual" or "Group" code
  bool maildrop = false;  // a "Mail Drop" code
  bool group = false;     // a "Group" code
  bool numeric = false;   // a code with an "N" function
  bool text = false;      // a code with a function other than "N", "T" and "X"
  // Every present code has the functions "NNNN" (also true with no code).
  bool numericOnly = true;
};

CodeKinds codeKinds(const codeplug::SettingsRecord& settings, codeplug::ModelCode model,
                    bool converterTarget);

}  // namespace zelta::codes
