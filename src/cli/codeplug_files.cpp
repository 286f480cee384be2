#include "cli/codeplug_files.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstdio>
#include <ostream>

#include "codeplug/codec.h"
#include "pages/field_catalog.h"
#include "pages/list_items.h"
#include "production/record_table.h"
#include "storage/codeplug_files.h"

namespace zelta::cli {
namespace {

// Takes the messages of opening and saving, whose codes come back as their
// results; the command prints them as one line naming the file. The context
// keeps what those lines read (band limits, version label).
class QuietReporter final : public errors::Reporter {
 protected:
  void showMessage(const errors::Message&) override {}
  bool askQuestion(std::optional<errors::ResultCode>, const errors::Question&) override {
    return false;
  }
};

std::string failureText(errors::ResultCode result, const char* what,
                        const errors::MessageContext& context) {
  if (result != storage::kFileNotAccessible) {
    // The line starts with the file's name: the text need not end with it.
    errors::MessageContext named = context;
    named.problemFile.clear();
    return describeFailure(result, named);
  }
  std::string text = std::string("cannot ") + what + " the file";
  if (!context.fileProblem.empty()) text += ": " + context.fileProblem;
  return text;
}

}  // namespace

// Opening and saving make no scratch file: their work folder stays unused.
OpenedCodeplug loadCodeplugFile(const std::string& path, const codeplug::CodeplugCodec& codec) {
  OpenedCodeplug opened;
  Codeplug codeplug;
  storage::WorkFiles work;
  QuietReporter quiet;
  storage::CodeplugFiles files(*codeplug.image, codeplug.settings, work, quiet, codec);
  opened.result = files.readCodeplugFile(path);
  if (opened.result == errors::code::Ok) {
    opened.codeplug = std::move(codeplug);
  } else {
    opened.failure = failureText(opened.result, "open", quiet.context());
  }
  return opened;
}

std::optional<Codeplug> openCodeplugFile(const std::string& path, CliRun& run) {
  OpenedCodeplug opened = loadCodeplugFile(path, codeplug::standardCodec());
  if (!opened.codeplug) run.io.err << path << ": " << opened.failure << '\n';
  return std::move(opened.codeplug);
}

int saveCodeplugFile(Codeplug& codeplug, const std::string& path, bool newPager, CliRun& run) {
  storage::WorkFiles work;
  QuietReporter quiet;
  storage::CodeplugFiles files(*codeplug.image, codeplug.settings, work, quiet,
                               codeplug::standardCodec());
  storage::SaveContext context;
  context.build.pagerUnprogrammed = newPager;
  const errors::ResultCode result = files.writeCodeplugFile(path, context);
  if (result == errors::code::Ok) return kExitOk;
  run.io.err << path << ": " << failureText(result, "write", quiet.context()) << '\n';
  return kExitFailed;
}

std::string modelHex(models::ModelCode model) {
  return production::modelHex(model);
}

std::optional<models::ModelCode> parseModelCode(std::string_view text) {
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    unsigned value = 0;
    const char* end = text.data() + text.size();
    const auto [at, ec] = std::from_chars(text.data() + 2, end, value, 16);
    if (ec != std::errc() || at != end || value > 0xFF) return std::nullopt;
    return static_cast<models::ModelCode>(value);
  }
  if (text.size() == 1) return static_cast<models::ModelCode>(text[0]);
  return std::nullopt;
}

int listIndexOffset(std::string_view field) {
  // Settings that hold the item number counted from 1.
  constexpr std::string_view kCountedFromOne[] = {"cb_noSequentialInc", "cb_scLostNumNormalMod"};
  return std::find(std::begin(kCountedFromOne), std::end(kCountedFromOne), field) !=
                 std::end(kCountedFromOne)
             ? 1
             : 0;
}

std::vector<std::string_view> listItemsOf(const Codeplug& codeplug, std::string_view field) {
  const pages::FieldEntry* entry = pages::findField(field);
  if (entry == nullptr || entry->kind != pages::FieldKind::List) return {};
  pages::ListContext context;
  context.model = codeplug.image->modelCode();
  context.headerType = codeplug.image->header().cgromType;
  context.promptsAsText = codeplug.settings.promptsAsText;
  context.promptLanguage = codeplug.settings.internationalPrompt;
  return pages::listItems(*entry, context);
}

std::string listTextOf(const Codeplug& codeplug, std::string_view field, int value) {
  int index = value;
  const auto items = listItemsOf(codeplug, field);
  index -= listIndexOffset(field);
  if (index < 0 || static_cast<std::size_t>(index) >= items.size()) return {};
  return std::string(items[static_cast<std::size_t>(index)]);
}

}  // namespace zelta::cli
