#pragma once

#include <string_view>

#include "models/models.h"

namespace zelta::codeplug {
class SettingsRecord;
}
namespace zelta::pages {
struct PageContext;
}

namespace zelta::pages {

// Code type list indexes (`cb_codeType01` ...).
enum CodeType : int { Individual = 0, Group = 1, MailDrop = 2 };

// The codes the rules look at: those the Code pages show for the model
// (16 on families D-F and while the converter targets them, 6 on the
// six-code models, else 4).
int codesOfModel(models::ModelCode model, bool converterTarget);
int codesOf(const pages::PageContext& context);

// A code is present (active) when its capcode is not blank. code is 1-16.
bool codePresent(const codeplug::SettingsRecord& settings, int code);

// The predicates other pages ask about the present codes among the first
// `codes` codes.
// A present code of type Individual or Group.
bool personalCodeExists(const codeplug::SettingsRecord& settings, int codes);
// A present code of type Mail Drop.
bool maildropCodeExists(const codeplug::SettingsRecord& settings, int codes);
// A present code with an "N" (numeric) function.
bool numericCodeExists(const codeplug::SettingsRecord& settings, int codes);
// A present code with a function letter other than "N", "T" and "X".
bool textCodeExists(const codeplug::SettingsRecord& settings, int codes);

// The same over the codes of the context's model.
bool personalCodeExists(const pages::PageContext& context);
bool maildropCodeExists(const pages::PageContext& context);
bool numericCodeExists(const pages::PageContext& context);
bool textCodeExists(const pages::PageContext& context);

// Every kind at once, for the pages that enable several choices by them.
struct CodeKinds {
  int present = 0;
  bool personal = false;  // an "Individual" or "Group" code
  bool maildrop = false;  // a "Mail Drop" code
  bool group = false;     // a "Group" code
  bool numeric = false;   // a code with an "N" function
  bool text = false;      // a code with a function letter other than "N", "T" and "X"
  // Every present code has the functions "NNNN" (also true with no code).
  bool numericOnly = true;
};
CodeKinds codeKinds(const codeplug::SettingsRecord& settings, int codes);
CodeKinds codeKinds(const pages::PageContext& context);

}  // namespace zelta::pages
