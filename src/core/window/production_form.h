#pragma once

#include <chrono>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "codeplug/codeplug_image.h"
#include "codeplug/settings_record.h"
#include "errors/messages.h"
#include "errors/reporter.h"
#include "production/production_run.h"

namespace zelta::window {

// Where the first pager's codeplug of a production run comes from.
enum class TemplateSource { OnScreen, File };

// What the "Production run" dialog's inputs hold.
struct ProductionForm {
  TemplateSource source = TemplateSource::File;
  std::string templateFile;        // with File
  std::vector<std::string> ports;  // the fixtures, ticked in the port list
  std::string journal;
  std::string count;  // as typed
};

// The input a problem is about, so that the dialog can put the keyboard there.
enum class ProductionInput { Template, Ports, Journal, Count };

// A form is fit to start once no input has a problem; count is then the
// number of pagers.
struct ProductionFormCheck {
  std::optional<ProductionInput> input;
  std::string problem;
  int count = 0;

  bool ok() const { return !input.has_value(); }
};

inline constexpr int kMaxProductionCount = 100000;

// The inputs checked in the order the dialog shows them; the first problem
// is told. onScreenAvailable: a codeplug is on the window's pages.
ProductionFormCheck checkProductionForm(const ProductionForm& form, bool onScreenAvailable);

// "template-20261211-0935.jsonl" in folder: a new journal for each run
// started, named after the template and the minute; a run to continue is
// chosen by its file.
std::filesystem::path defaultJournalPath(const std::filesystem::path& folder,
                                         std::string_view templateName,
                                         std::chrono::system_clock::time_point now);

// The template's codeplug as the run gets it.
struct ProductionTemplate {
  std::string name;  // as the journal names it: the file, or the codeplug on screen's name
  std::shared_ptr<const codeplug::CodeplugImage> image;
  codeplug::SettingsRecord settings;
};

// The template file read and decoded. A file the codeplug files refuse has
// had its message shown through reporter (problem stays empty); one that
// cannot be opened at all says why in problem.
std::optional<ProductionTemplate> loadProductionTemplate(const std::filesystem::path& file,
                                                         errors::Reporter& reporter,
                                                         std::string& problem);

// Everything the run needs from a checked form (its fixtures on termios
// ports).
production::ProductionSetup productionSetupOf(const ProductionForm& form,
                                              const ProductionFormCheck& check,
                                              ProductionTemplate templ, link::Clock& clock);

// Asked when the dialog is closed while pagers are being written on ports.
errors::Question stopWhileWritingQuestion(const std::vector<std::string>& ports);

// The dialog's line while a run stops, and once it has stopped.
inline constexpr std::string_view kProductionStoppingText =
    "Stopping: every block being written is finished first.";
inline constexpr std::string_view kStoppedText =
    "Stopped: every block being written was finished; sets not written were released.";

}  // namespace zelta::window
