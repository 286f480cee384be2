#include "pages/list_items.h"

#include "pages/model_layout.h"

namespace zelta::pages {
namespace {

using models::ModelCode;
using models::ModelGroup;

using models::kModelHash;
constexpr int kThai = 17;

// Catalog items of the built lists, by index:
//   code type: 0 Individual, 1 Group, 2 Mail Drop
//   function menu display: 0 Prompts, 1 Icons, 2 Both
//   ideographic canned: 0 None, 1 2 digits, 2 Extended
using Items = std::vector<std::string_view>;

Items pick(ItemList items, std::initializer_list<std::size_t> indexes) {
  Items out;
  for (std::size_t i : indexes) out.push_back(items[i]);
  return out;
}

Items firstOf(ItemList items, std::size_t count) {
  return Items(items.begin(), items.begin() + static_cast<std::ptrdiff_t>(count));
}

Items codeTypes(const FieldEntry& field, const ListContext& ctx) {
  // Model '#' keeps its second code as the maildrop code.
  if (ctx.model == kModelHash)
    return field.row == 2 ? pick(field.items, {2}) : firstOf(field.items, 2);
  const int codesWithMaildrop = sixteenCodeLayout(ctx.model, ctx.converterTarget) ? 8 : 4;
  return field.row <= codesWithMaildrop ? firstOf(field.items, 3) : firstOf(field.items, 2);
}

Items promptLanguages(const FieldEntry& field, const ListContext& ctx) {
  Items out(field.items.begin(), field.items.end());
  switch (ctx.headerType) {
    case 1: out.push_back("Traditional Chinese"); break;
    case 2: out.push_back("Simplified Chinese"); break;
    case 3: out.push_back("Thai"); break;
    default: break;
  }
  return out;
}

}  // namespace

std::vector<std::string_view> listItems(const FieldEntry& field, const ListContext& ctx) {
  if (field.kind != FieldKind::List) return {};
  switch (field.listRule) {
    case ListRule::Static: break;
    case ListRule::CodingFormat:
      return ctx.limitedBaudFirmware ? firstOf(field.items, 2) : firstOf(field.items, 3);
    case ListRule::CodeType: return codeTypes(field, ctx);
    case ListRule::InternationalPrompt: return promptLanguages(field, ctx);
    case ListRule::AlertDuration: {
      const bool thirtySeconds =
          models::modelIn(ctx.model, ModelGroup::extendedAlertModels) || ctx.converterTarget;
      return firstOf(field.items, thirtySeconds ? 3 : 2);
    }
    case ListRule::FunctionMenuDisplay:
      if (!ctx.promptsAsText) return firstOf(field.items, 3);
      return firstOf(field.items, ctx.promptLanguage == kThai && ctx.headerType == 3 ? 1 : 2);
    case ListRule::IdeoNumericCanned:
      if (ctx.headerType == 2) return pick(field.items, {0, 2});
      if (ctx.headerType == 3) return firstOf(field.items, 2);
      return firstOf(field.items, 3);
  }
  return Items(field.items.begin(), field.items.end());
}

}  // namespace zelta::pages
