#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <functional>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "codeplug/codec.h"
#include "codeplug/new_codeplug.h"
#include "recording_reporter.h"
#include "storage/codeplug_files.h"
#include "temp_folder.h"
#include "window/window_controller.h"
#include "window/window_pager_port.h"

namespace zelta::window {

// The dialogs of the window answered from queues (cancelled once empty),
// with the requests kept.
class FakeFrontEnd : public WindowFrontEnd {
 public:
  std::deque<std::optional<std::filesystem::path>> openAnswers;
  std::deque<std::optional<std::filesystem::path>> saveAnswers;
  std::vector<FileDialogRequest> openRequests;
  std::vector<FileDialogRequest> saveRequests;
  std::uintmax_t space = std::numeric_limits<std::uintmax_t>::max();

  std::optional<std::filesystem::path> chooseFileToOpen(const FileDialogRequest& r) override {
    openRequests.push_back(r);
    return next(openAnswers);
  }
  std::optional<std::filesystem::path> chooseFileToSave(const FileDialogRequest& r) override {
    saveRequests.push_back(r);
    return next(saveAnswers);
  }
  std::uintmax_t freeSpace(const std::filesystem::path&) const override { return space; }

  // The question about unsaved edits: kept, and answered from the queue
  // (Cancel once it is empty: nothing is lost unasked).
  std::vector<UnsavedEditsQuestion> unsavedQuestions;
  std::deque<UnsavedEditsAnswer> unsavedAnswers;
  UnsavedEditsAnswer askAboutUnsavedEdits(const UnsavedEditsQuestion& question) override {
    unsavedQuestions.push_back(question);
    if (unsavedAnswers.empty()) return UnsavedEditsAnswer::Cancel;
    const UnsavedEditsAnswer answer = unsavedAnswers.front();
    unsavedAnswers.pop_front();
    return answer;
  }

  // The pleasing alert editor: counted, and edits as `editPleasingAlertAs` says.
  int pleasingAlertEditors = 0;
  std::function<void(codes::Melody&)> editPleasingAlertAs;
  void editPleasingAlert(codes::Melody& melody) override {
    ++pleasingAlertEditors;
    if (editPleasingAlertAs) editPleasingAlertAs(melody);
  }

 private:
  static std::optional<std::filesystem::path> next(
      std::deque<std::optional<std::filesystem::path>>& answers) {
    if (answers.empty()) return std::nullopt;
    auto answer = answers.front();
    answers.pop_front();
    return answer;
  }
};

// The pager work of the window's flows, scripted and recorded. Every read
// and programming run takes the next outcome of its queue (a success, and a
// written pager, once the queue is empty). A failure the operation has
// shown is shown here as the operation shows it: -16 as the retry question
// (answered as the reporter answers), any other code as its statement.
class FakePagerPort : public WindowPagerPort {
 public:
  explicit FakePagerPort(errors::Reporter& reporter) : reporter_(reporter) {}

  std::deque<errors::OperationOutcome> readOutcomes;
  std::deque<errors::OperationOutcome> programOutcomes;
  PagerReport pager;
  // Run inside every read (the pager's codeplug into the window) and every
  // programming run, while the window is busy.
  std::function<void()> duringRead;
  std::function<void()> duringProgram;
  // The service window, given what it opens with and its F2; nothing when
  // absent. True when it programmed and the window returns to "Main".
  std::function<bool(const ServiceStart&, const ServiceProgram&)> serviceWindow;

  int reads = 0;
  std::vector<ProgramRequest> programRequests;
  int redraws = 0;
  std::vector<ServiceStart> serviceStarts;

  errors::OperationOutcome read() override {
    ++reads;
    if (duringRead) duringRead();
    return next(readOutcomes, errors::OperationOutcome::done());
  }
  errors::OperationOutcome program(const ProgramRequest& request) override {
    programRequests.push_back(request);
    if (duringProgram) duringProgram();
    return next(programOutcomes, errors::OperationOutcome::done(true));
  }
  PagerReport report() const override { return pager; }
  void redraw() override { ++redraws; }
  bool openServiceWindow(const ServiceStart& start, const ServiceProgram& program) override {
    serviceStarts.push_back(start);
    return serviceWindow && serviceWindow(start, program);
  }

 private:
  errors::OperationOutcome next(std::deque<errors::OperationOutcome>& outcomes,
                                errors::OperationOutcome otherwise) {
    if (outcomes.empty()) return otherwise;
    const errors::OperationOutcome outcome = outcomes.front();
    outcomes.pop_front();
    if (outcome.kind == errors::OutcomeKind::Failed && outcome.reported) {
      if (outcome.code == errors::code::NotResponding)
        reporter_.ConfirmCode(outcome.code);
      else
        reporter_.ReportCode(outcome.code);
    }
    return outcome;
  }

  errors::Reporter& reporter_;
};

// A window controller with its work folder in a temporary folder, and
// codeplug files made as the "new" command makes them.
struct WindowFixture {
  testing::TempFolder folder;
  FakeFrontEnd frontEnd;
  testing::RecordingReporter reporter;
  WindowController window{frontEnd, reporter, workFiles()};
  FakePagerPort port{reporter};

  storage::WorkFiles workFiles() {
    std::filesystem::create_directory(folder.path() / "work");
    return storage::WorkFiles{folder.path() / "work", {}};
  }

  // A new codeplug of the model; for families D-F with the hardware variant
  // that decides the code capacity.
  std::filesystem::path newCodeplugFile(models::ModelCode model, const std::string& name,
                                        int hardwareVariant = 3) {
    codeplug::CodeplugImage image;
    codeplug::SettingsRecord settings;
    codeplug::setUpNewCodeplug(model, image, settings);
    settings.hardwareVariant = hardwareVariant;
    settings.codeMode = hardwareVariant >= 2 ? hardwareVariant - 1 : 0;
    storage::WorkFiles work;
    testing::RecordingReporter quiet;
    storage::CodeplugFiles files(image, settings, work, quiet, codeplug::standardCodec());
    storage::SaveContext context;
    context.build.pagerUnprogrammed = true;
    const auto path = folder / name;
    EXPECT_EQ(files.writeCodeplugFile(path, context), errors::code::Ok);
    return path;
  }

  // F8 with the file chosen.
  errors::OperationOutcome load(const std::filesystem::path& file) {
    frontEnd.openAnswers.push_back(file);
    return window.load();
  }

  std::filesystem::path loadNew(models::ModelCode model, int hardwareVariant = 3) {
    const auto file = newCodeplugFile(model, "pager.cp", hardwareVariant);
    EXPECT_TRUE(load(file).succeeded());
    reporter.shown.clear();
    return file;
  }

  // A key, and the pager flow it starts through the port.
  KeyOutcome press(WindowKey key) {
    const KeyOutcome outcome = window.pressKey(key);
    window.runPagerCommand(outcome, port);
    return outcome;
  }

  // The pager's reads put the codeplug of the file into the window, as
  // decoding a read image does, and the pager reports its model.
  void pagerHolds(const std::filesystem::path& file, models::ModelCode model) {
    port.pager.reportedModel = model;
    port.duringRead = [this, file] {
      testing::RecordingReporter quiet;
      storage::CodeplugFiles files(window.image(), window.settings(), window.workFiles(), quiet,
                                   codeplug::standardCodec());
      EXPECT_EQ(files.readCodeplugFile(file), errors::code::Ok);
    };
  }

  // Tabs shown, as page indexes joined by commas.
  std::string shownTabs() const {
    const WindowView v = window.view();
    std::string out;
    for (int i = 0; i < pages::kPageCount; ++i) {
      if (v.tabs[static_cast<std::size_t>(i)].shown)
        out += (out.empty() ? "" : ",") + std::to_string(i);
    }
    return out;
  }

  bool shownBox(std::string_view caption, std::string_view text) const {
    for (const errors::Message& m : reporter.shown) {
      if (m.caption == caption && m.text == text) return true;
    }
    return false;
  }
  bool reported(errors::ResultCode code) const {
    const std::string text = errors::reportText(code, {});
    for (const errors::Message& m : reporter.shown) {
      if (m.text == text) return true;
    }
    return false;
  }
};

}  // namespace zelta::window
