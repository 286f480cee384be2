#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string_view>

#include "codes/pleasing_alert.h"

namespace zelta::window {

// A file dialog as the window opens it: the filter in the form
// "description|patterns|description|patterns", the extension a name
// without one gets, and the folder it starts in.
struct FileDialogRequest {
  std::string_view filter;
  std::string_view defaultExtension;
  std::filesystem::path folder;
};

// The three answers to the question about unsaved edits.
enum class UnsavedEditsAnswer { Save, Discard, Cancel };

// The question asked before a command drops a codeplug with unsaved edits.
struct UnsavedEditsQuestion {
  std::string_view caption;
  std::string_view text;
};

// What the window controller needs from the window beyond the reporter's
// boxes and questions. The Qt window implements it; tests fake it.
class WindowFrontEnd {
 public:
  virtual ~WindowFrontEnd() = default;

  // The open and save dialogs: the chosen file, or nothing when cancelled.
  virtual std::optional<std::filesystem::path> chooseFileToOpen(
      const FileDialogRequest& request) = 0;
  virtual std::optional<std::filesystem::path> chooseFileToSave(
      const FileDialogRequest& request) = 0;

  // Save, Discard or Cancel, asked before unsaved edits would be dropped.
  // Save is the default button; a front end that cannot ask answers Cancel,
  // so that nothing is lost.
  virtual UnsavedEditsAnswer askAboutUnsavedEdits(const UnsavedEditsQuestion& question) = 0;

  // Bytes free for a new file in folder; the file system's own answer
  // unless a front end knows better.
  virtual std::uintmax_t freeSpace(const std::filesystem::path& folder) const;

  // The pleasing alert editor, shown modally over the melody of the
  // settings, which it edits in place. Without a window nothing is edited.
  virtual void editPleasingAlert(codes::Melody& melody);

  // A codeplug file was opened or saved under this absolute path (the
  // window lists it among its recent files).
  virtual void codeplugFileUsed(const std::filesystem::path& file);
};

}  // namespace zelta::window
