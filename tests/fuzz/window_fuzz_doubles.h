#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "codes/pleasing_alert.h"
#include "errors/reporter.h"
#include "fuzz_bytes.h"
#include "window/window_front_end.h"

namespace zelta::fuzzing {

// Every dialog of the window answered from the fuzzer's input, or, in the
// final round, the way that lets a save go through.
struct DialogAnswers {
  FuzzBytes& bytes;
  bool finalRound = false;
};

// Boxes are dropped; questions are answered Yes or No from the input (Yes
// in the final round, so that the save may replace its own file).
class FuzzReporter : public errors::Reporter {
 public:
  explicit FuzzReporter(DialogAnswers& answers) : answers_(answers) {}

  // The text of the last box shown, to say why a step failed.
  const std::string& lastShown() const { return lastShown_; }

 protected:
  void showMessage(const errors::Message& message) override { lastShown_ = message.text; }
  bool askQuestion(std::optional<errors::ResultCode>, const errors::Question&) override {
    return answers_.finalRound || (answers_.bytes.next(1) & 1) != 0;
  }

 private:
  DialogAnswers& answers_;
  std::string lastShown_;
};

// The open dialog picks the codeplug file of the session or is cancelled;
// the save dialog names the session's save file or is cancelled; the
// unsaved-edits question takes any of its three answers; the pleasing
// alert editor sets notes from the input, keeping each step's upper bits
// as the editor does.
class FuzzFrontEnd : public window::WindowFrontEnd {
 public:
  FuzzFrontEnd(DialogAnswers& answers, std::filesystem::path openFile,
               std::filesystem::path saveFile)
      : answers_(answers), openFile_(std::move(openFile)), saveFile_(std::move(saveFile)) {}

  std::optional<std::filesystem::path> chooseFileToOpen(const window::FileDialogRequest&) override {
    if (!answers_.finalRound && (answers_.bytes.next(0) & 1) == 0) return std::nullopt;
    return openFile_;
  }
  std::optional<std::filesystem::path> chooseFileToSave(const window::FileDialogRequest&) override {
    if (!answers_.finalRound && (answers_.bytes.next(0) & 1) == 0) return std::nullopt;
    return saveFile_;
  }
  std::uintmax_t freeSpace(const std::filesystem::path&) const override { return 1u << 30; }
  window::UnsavedEditsAnswer askAboutUnsavedEdits(const window::UnsavedEditsQuestion&) override {
    switch (answers_.bytes.below(3, 2)) {
      case 0: return window::UnsavedEditsAnswer::Save;
      case 1: return window::UnsavedEditsAnswer::Discard;
      default: return window::UnsavedEditsAnswer::Cancel;
    }
  }
  void editPleasingAlert(codes::Melody& melody) override {
    const std::size_t edits = answers_.bytes.below(4);
    for (std::size_t i = 0; i < edits; ++i) {
      const std::size_t step = answers_.bytes.below(codes::kMelodySteps);
      const auto note = static_cast<std::uint8_t>(answers_.bytes.below(codes::kNoteCount));
      melody[step] = static_cast<std::uint8_t>((melody[step] & ~codes::kNoteMask) | note);
    }
  }

 private:
  DialogAnswers& answers_;
  std::filesystem::path openFile_;
  std::filesystem::path saveFile_;
};

}  // namespace zelta::fuzzing
