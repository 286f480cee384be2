#include "pages/general_code_page.h"

#include <cctype>
#include <cstddef>

#include "codeplug/field_encodings.h"
#include "codeplug/receiver_presets.h"
#include "codes/capcode.h"
#include "errors/reporter.h"
#include "pages/code_checks.h"
#include "pages/code_predicates.h"
#include "pages/edit_mask.h"
#include "pages/field_ids.h"
#include "pages/model_layout.h"

namespace zelta::pages {
namespace {

using errors::ResultCode;
using pages::CodeColumn;
using pages::FieldEntry;
using pages::FieldId;
using pages::PageContext;
namespace code = errors::code;

using models::kModelHash;
using models::kModelSpace;
constexpr std::size_t kLetters = codeplug::kFunctionsPerCode;
constexpr std::string_view kNoFlags = "NNNN";
// Model '#' keeps its second code as the maildrop code.
constexpr int kHashMaildropCode = 2;
// A refused field: the window keeps its text and the next F2 is blocked.
constexpr ResultCode kRefused = errors::code::FieldRefused;

std::size_t at(int code) {
  return static_cast<std::size_t>(code - 1);
}

std::string upperCased(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return out;
}

// Four function letters; a position left blank is an inactive function.
std::string functionLetters(std::string_view shown) {
  std::string out = upperCased(shown.substr(0, std::min(shown.size(), kLetters)));
  out.resize(kLetters, 'X');
  for (char& c : out) {
    if (c == ' ' || c == '_') c = 'X';
  }
  return out;
}

// Four "Y"/"N" letters; anything but "Y" is "N".
std::string flagLetters(std::string_view shown) {
  std::string out = upperCased(shown.substr(0, std::min(shown.size(), kLetters)));
  out.resize(kLetters, 'N');
  for (char& c : out) {
    if (c != 'Y') c = 'N';
  }
  return out;
}

// `cb_codeMode` lists the pager variants 0, 2 and 3 (variant 1 reads as 0).
constexpr int hardwareVariantOfIndex(int index) {
  return index == 0 ? 0 : index + 1;
}
constexpr int indexOfHardwareVariant(int variant) {
  return variant >= 2 && variant <= 3 ? variant - 1 : 0;
}

// `cb_noSequentialInc` shows the increment 1-8 as items "1"-"8".
constexpr int kMaxIncrement = 8;
constexpr int incrementIndex(int increment) {
  return increment >= 1 && increment <= kMaxIncrement ? increment - 1 : 0;
}

bool historyKeptByModel(models::ModelCode model) {
  return models::modelIn(model, models::ModelGroup::keepsCodeHistory);
}

bool isCodeRow(const FieldEntry& field) {
  return pages::codeColumnOf(field).has_value();
}

// The item list position that shows a stored index: the lists offer a
// prefix of the catalog items, except the one-item list of model '#' code 2.
int selectedItem(const FieldEntry& field, int stored, std::size_t offered,
                 const PageContext& context) {
  if (field.row == kHashMaildropCode && context.model == kModelHash &&
      pages::codeColumnOf(field) == CodeColumn::CodeType) {
    return stored == MailDrop ? 0 : -1;
  }
  return stored >= 0 && static_cast<std::size_t>(stored) < offered ? stored : -1;
}

GeneralCodePage::RowState rowState(const PageContext& context, int code,
                                   const GeneralCodePage::RowState& previous) {
  if (!codePresent(context.settings, code)) return {false, false};
  if (context.locker) return previous;
  const bool history = context.settings.codeType[at(code)] == MailDrop &&
                       !historyKeptByModel(context.model) && context.largeMemory;
  return {true, history};
}

bool fitsField(const FieldEntry& field, std::string_view text) {
  return field.maxLength == 0 || text.size() <= static_cast<std::size_t>(field.maxLength);
}

}  // namespace

std::string frequencyFieldText(std::string_view shown) {
  static const auto kMask = pages::EditMask::parse(pages::findField("ed_frequency")->mask);
  return kMask->display(shown);
}

std::string maskedFlags(std::string_view flags, std::string_view functions) {
  std::string out(flags);
  for (std::size_t i = 0; i < out.size() && i < functions.size(); ++i) {
    if (functions[i] == 'X') out[i] = '.';
  }
  return out;
}

codeplug::FrequencySettings frequencySettingsOf(const PageContext& context) {
  const codeplug::SettingsRecord& s = context.settings;
  codeplug::FrequencySettings f;
  f.model = context.model;
  f.band = s.freqBand;
  f.pllType = s.PLL_Type;
  f.table = codeplug::bandTableFor(context.model, s.serialNumber, context.programmingAttempted);
  // An unreadable text is no frequency, which no band holds.
  f.primaryHz = codeplug::frequencyHzFromText(s.frequency).value_or(0);
  f.secondHz = codeplug::frequencyHzFromText(s.frequency2).value_or(0);
  return f;
}

void GeneralCodePage::onEnter(FieldId field, PageContext&) {
  editing_ = field;
}

ResultCode GeneralCodePage::onExit(const pages::FieldInput& input, PageContext& context) {
  editing_ = pages::kNoFieldId;
  const FieldEntry* field = pages::findField(input.id);
  if (field == nullptr || pages::owningModule(*field) != pages::PageModuleId::GeneralCode ||
      field->kind == pages::FieldKind::ReadOnly) {
    return code::Ok;  // nothing of this page to store
  }
  if (field->kind == pages::FieldKind::List) {
    const std::size_t offered = pages::listItems(*field, context.lists()).size();
    if (input.index < 0 || static_cast<std::size_t>(input.index) >= offered) return kRefused;
  } else if (!fitsField(*field, input.text)) {
    return kRefused;
  }
  return isCodeRow(*field) ? storeCodeRowField(*field, input, context)
                           : storeGeneralField(*field, input, context);
}

ResultCode GeneralCodePage::storeGeneralField(const FieldEntry& field,
                                              const pages::FieldInput& input,
                                              PageContext& context) {
  codeplug::SettingsRecord& s = context.settings;
  switch (field.id) {
    case fieldId("ed_frequency"): s.frequency = frequencyFieldText(input.text); break;
    case fieldId("ed_frequency2"): s.frequency2 = frequencyFieldText(input.text); break;
    case fieldId("cb_codeMode"):
      s.codeMode = input.index;
      s.hardwareVariant = hardwareVariantOfIndex(input.index);
      break;
    case fieldId("cb_noSequentialInc"): s.noSequentialInc = input.index + 1; break;
    case fieldId("cb_codingFormat"): {
      s.codingFormat = input.index;
      // The builder writes the final values; the settings follow the format now.
      const codeplug::ReceiverPresets p = codeplug::receiverPresets(s.codingFormat, s.freqBand);
      s.receiverP1 = p.p1;
      s.receiverP2 = p.p2;
      s.receiverP3 = p.p3;
      s.baudConstant = p.baudConstant;
      break;
    }
    default:
      if (const codeplug::FieldDescriptor* setting = pages::settingOf(field)) {
        if (field.kind == pages::FieldKind::List) {
          codeplug::writeSettingsField(s, *setting, input.index);
        } else {
          codeplug::writeSettingsField(s, *setting, upperCased(input.text));
        }
      }
  }
  return code::Ok;
}

ResultCode GeneralCodePage::storeCodeRowField(const FieldEntry& field,
                                              const pages::FieldInput& input,
                                              PageContext& context) {
  codeplug::SettingsRecord& s = context.settings;
  const int c = field.row;
  const bool hashMaildrop = context.model == kModelHash && c == kHashMaildropCode;
  switch (*pages::codeColumnOf(field)) {
    case CodeColumn::Code:
      s.code[at(c)] = codes::normaliseCapcode(upperCased(input.text)).text;
      break;
    case CodeColumn::Function: s.function[at(c)] = functionLetters(input.text); break;
    case CodeColumn::Priority:
      if (!hashMaildrop) s.priority[at(c)] = flagLetters(input.text);
      break;
    case CodeColumn::CodeType:
      if (!hashMaildrop) s.codeType[at(c)] = input.index;
      break;
    case CodeColumn::History:
    case CodeColumn::OnOffDuty:
    case CodeColumn::FixAlert:
    case CodeColumn::InterruptVib:
    case CodeColumn::Crescendo:
      codeplug::writeSettingsField(s, *pages::settingOf(field), flagLetters(input.text));
      break;
    case CodeColumn::AlertMode:
    case CodeColumn::AlertPattern:
      codeplug::writeSettingsField(s, *pages::settingOf(field), input.index);
      break;
  }
  if (context.model == kModelHash) {
    s.codeType[at(kHashMaildropCode)] = MailDrop;
    s.priority[at(kHashMaildropCode)] = kNoFlags;
  }
  showCodeRows(context);
  applyPriorityHistoryRule(context);
  return code::Ok;
}

void GeneralCodePage::showCodeRows(PageContext& context) {
  codeplug::SettingsRecord& s = context.settings;
  for (int c = 1; c <= codesOf(context); ++c) {
    // An inactive function has neither priority nor history.
    const std::string& functions = s.function[at(c)];
    for (std::size_t f = 0; f < functions.size() && f < kLetters; ++f) {
      if (functions[f] != 'X') continue;
      if (f < s.priority[at(c)].size()) s.priority[at(c)][f] = 'N';
      // Model ' ' shows the code type in the history column instead.
      if (context.model != kModelSpace && f < s.history[at(c)].size()) s.history[at(c)][f] = 'N';
    }
    if (!codePresent(s, c)) {
      s.onOffDutyFlags[at(c)] = kNoFlags;
      s.fixAlert[at(c)] = kNoFlags;
    }
    rows_[at(c)] = rowState(context, c, rows_[at(c)]);
  }
}

ResultCode GeneralCodePage::pageCheck(PageContext& context) {
  ResultCode result = runCodeChecks(context);
  if (result == code::Ok)
    result = codeplug::checkFrequencyInBand(frequencySettingsOf(context), context.reporter);
  showCodeRows(context);
  return result;
}

void GeneralCodePage::refresh(PageContext& context) {
  showCodeRows(context);
}

pages::PageView GeneralCodePage::view(pages::Page page, const PageContext& context) const {
  const codeplug::SettingsRecord& s = context.settings;
  const pages::ModelFieldLayout layout = pages::modelFieldLayout(
      context.model, {context.sequentialMode, s.supportDualFreq == 1, context.converterTarget()});
  pages::PageView view = pages::basePageView(page, layout, context.lists());
  const bool alertColumns = pages::sixteenCodeLayout(context.model, context.converterTarget());

  for (pages::FieldView& v : view.fields) {
    const FieldEntry* field = v.entry;
    const std::optional<CodeColumn> column = pages::codeColumnOf(*field);

    if (!column) {
      const codeplug::FieldDescriptor* setting = pages::settingOf(*field);
      if (v.name == "ed_persMemSizeString" || v.name == "ed_persMaildropString") {
        const codeplug::ValueTable& table = codeplug::memorySplitTable(context.largeMemory);
        const auto split = codeplug::memorySplitText(
            context.largeMemory, table.indexOf(static_cast<unsigned>(s.memorySplit)));
        v.text = v.name == "ed_persMemSizeString" ? split.personal : split.maildrop;
      } else if (v.id == fieldId("cb_codeMode")) {
        v.selected = indexOfHardwareVariant(s.hardwareVariant);
      } else if (v.id == fieldId("cb_noSequentialInc")) {
        v.selected = incrementIndex(s.noSequentialInc);
      } else if (setting != nullptr) {
        const codeplug::FieldValue value = codeplug::readSettingsField(s, *setting);
        if (const int* index = std::get_if<int>(&value)) {
          v.selected = selectedItem(*field, *index, v.items.size(), context);
        } else {
          v.text = std::get<std::string>(value);
        }
      }
      continue;
    }

    const int c = field->row;
    const bool present = codePresent(s, c);
    const bool mailDrop = s.codeType[at(c)] == MailDrop;
    const RowState row = rowState(context, c, rows_[at(c)]);
    switch (*column) {
      case CodeColumn::Code:
        v.text = present ? s.code[at(c)] : std::string(codes::kNoneCapcode);
        break;
      case CodeColumn::Function:
        v.text = s.function[at(c)];
        v.enabled = row.enabled;
        break;
      case CodeColumn::Priority:
        v.text = editing_ == v.id || mailDrop ? s.priority[at(c)]
                                              : maskedFlags(s.priority[at(c)], s.function[at(c)]);
        v.enabled = row.enabled;
        break;
      case CodeColumn::History:
        v.text = mailDrop && editing_ != v.id ? maskedFlags(s.history[at(c)], s.function[at(c)])
                                              : s.history[at(c)];
        v.enabled = row.enabled && row.historyEnabled;
        break;
      case CodeColumn::CodeType:
        v.selected = selectedItem(*field, s.codeType[at(c)], v.items.size(), context);
        v.enabled = row.enabled;
        break;
      case CodeColumn::OnOffDuty:
        v.text = s.onOffDutyFlags[at(c)];
        v.enabled = row.enabled && !(alertColumns && s.onOffDuty == 0);
        break;
      case CodeColumn::FixAlert:
      case CodeColumn::InterruptVib:
      case CodeColumn::Crescendo:
      case CodeColumn::AlertMode:
      case CodeColumn::AlertPattern: {
        const codeplug::FieldValue value =
            codeplug::readSettingsField(s, *pages::settingOf(*field));
        if (const int* index = std::get_if<int>(&value)) {
          v.selected = selectedItem(*field, *index, v.items.size(), context);
        } else {
          v.text = std::get<std::string>(value);
        }
        v.enabled = row.enabled && !(alertColumns && s.newAlertMenu == 0);
        break;
      }
    }
  }
  return view;
}

}  // namespace zelta::pages
