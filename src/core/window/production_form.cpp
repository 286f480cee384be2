#include "window/production_form.h"

#include <charconv>
#include <ctime>

#include "codeplug/codec.h"
#include "storage/codeplug_files.h"

namespace zelta::window {
namespace {

namespace fs = std::filesystem;

bool isFile(const std::string& path) {
  std::error_code ec;
  return fs::is_regular_file(path, ec);
}

// A whole number from 1 to kMaxProductionCount, blanks around it allowed.
std::optional<int> countOf(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  int value = 0;
  const char* end = text.data() + text.size();
  const auto [at, ec] = std::from_chars(text.data(), end, value);
  if (text.empty() || ec != std::errc() || at != end) return std::nullopt;
  if (value < 1 || value > kMaxProductionCount) return std::nullopt;
  return value;
}

std::optional<std::string> journalProblem(const std::string& journal) {
  if (journal.empty()) return "Name the journal file the run records its pagers in.";
  const fs::path path(journal);
  std::error_code ec;
  if (fs::is_directory(path, ec)) return journal + " is a folder: name a file in it.";
  const fs::path folder = path.has_parent_path() ? path.parent_path() : fs::path(".");
  if (!fs::is_directory(folder, ec)) {
    return "The journal's folder " + folder.string() + " does not exist.";
  }
  return std::nullopt;
}

}  // namespace

ProductionFormCheck checkProductionForm(const ProductionForm& form, bool onScreenAvailable) {
  ProductionFormCheck check;
  const auto fail = [&check](ProductionInput input, std::string problem) {
    check.input = input;
    check.problem = std::move(problem);
    return check;
  };
  if (form.source == TemplateSource::OnScreen && !onScreenAvailable) {
    return fail(ProductionInput::Template, "No codeplug is on screen: choose a template file.");
  }
  if (form.source == TemplateSource::File) {
    if (form.templateFile.empty()) {
      return fail(ProductionInput::Template,
                  "Choose the template: the first pager's codeplug file.");
    }
    if (!isFile(form.templateFile)) {
      return fail(ProductionInput::Template, form.templateFile + "\ndoes not exist.");
    }
  }
  if (form.ports.empty()) {
    return fail(ProductionInput::Ports, "Tick the port of every fixture of the run.");
  }
  if (const std::optional<std::string> problem = journalProblem(form.journal)) {
    return fail(ProductionInput::Journal, *problem);
  }
  const std::optional<int> count = countOf(form.count);
  if (!count) {
    return fail(ProductionInput::Count, "The number of pagers must be a whole number from 1 to " +
                                            std::to_string(kMaxProductionCount) + ".");
  }
  check.count = *count;
  return check;
}

fs::path defaultJournalPath(const fs::path& folder, std::string_view templateName,
                            std::chrono::system_clock::time_point now) {
  std::string stem = fs::path(templateName).stem().string();
  for (char& c : stem) {
    const bool plain = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
                       c == '-' || c == '_';
    if (!plain) c = '_';
  }
  if (stem.empty()) stem = "run";
  const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
  std::tm local{};
  localtime_r(&seconds, &local);
  char when[32];
  std::strftime(when, sizeof when, "%Y%m%d-%H%M", &local);
  return folder / (stem + "-" + when + ".jsonl");
}

std::optional<ProductionTemplate> loadProductionTemplate(const fs::path& file,
                                                         errors::Reporter& reporter,
                                                         std::string& problem) {
  auto image = std::make_shared<codeplug::CodeplugImage>();
  ProductionTemplate loaded;
  // Reading makes no scratch file: the work folder stays unused.
  storage::WorkFiles work;
  storage::CodeplugFiles files(*image, loaded.settings, work, reporter, codeplug::standardCodec());
  const errors::ResultCode result = files.readCodeplugFile(file);
  if (result == errors::code::FileNotAccessible) {
    problem = file.string() + "\ncannot be opened: " + reporter.context().fileProblem;
  }
  if (result != errors::code::Ok) return std::nullopt;
  loaded.name = file.string();
  loaded.image = std::move(image);
  return loaded;
}

production::ProductionSetup productionSetupOf(const ProductionForm& form,
                                              const ProductionFormCheck& check,
                                              ProductionTemplate templ, link::Clock& clock) {
  production::ProductionSetup setup;
  setup.templateFile = std::move(templ.name);
  setup.templateImage = std::move(templ.image);
  setup.templateSettings = std::move(templ.settings);
  setup.ports = form.ports;
  setup.journal = form.journal;
  setup.limits.count = check.count;
  setup.clock = &clock;
  return setup;
}

errors::Question stopWhileWritingQuestion(const std::vector<std::string>& ports) {
  std::string names;
  for (const std::string& port : ports) names += (names.empty() ? "" : ", ") + port;
  return {"Production run",
          "A pager is being written on " + names +
              ".\nStop the run? Every block being written is finished first; a pager not "
              "written whole keeps no set and must be programmed again."};
}

}  // namespace zelta::window
