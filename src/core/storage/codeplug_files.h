#pragma once

#include <array>
#include <filesystem>
#include <iosfwd>
#include <string>
#include <vector>

#include "codeplug/builders.h"
#include "codeplug/codec.h"
#include "codeplug/codeplug_image.h"
#include "codeplug/common_fields.h"  // emptySingleSpaceTexts
#include "codeplug/frequency_band.h"
#include "codeplug/settings_record.h"
#include "errors/reporter.h"
#include "errors/result_code.h"
#include "storage/work_folder.h"
#include "text/prompt_catalogue.h"

namespace zelta::storage {

// Result of a file operation that failed without a message: the file could
// not be opened, read or written. It is a number of its own, outside the
// reporters' table and never shown: every caller names it and says what
// became of the file (the reporter context's fileProblem tells why).
inline constexpr errors::ResultCode kFileNotAccessible = errors::code::FileNotAccessible;

// The prompt-page selections the last backup saved, so that the pages can
// be given back the texts the user saw. (The converter builds from the
// settings the pages show and needs none of them.)
struct RememberedPrompts {
  bool valid = false;  // a backup has remembered them
  int internationalPrompt = 0;
  int internationalCharSet = 0;
  int showSource = 0;
  text::PromptSet prompts;  // texts and built-in flags, sources included
};

RememberedPrompts rememberPrompts(const codeplug::SettingsRecord& settings);
// Nothing changes when nothing was remembered.
void restorePrompts(const RememberedPrompts& remembered, codeplug::SettingsRecord& settings);

// The work folder with its scratch files and what the last backup
// remembered: one per process, owned by the application.
struct WorkFiles {
  std::filesystem::path folder;
  RememberedPrompts remembered;

  std::filesystem::path backupPath() const { return folder / kBackupFileName; }
  std::filesystem::path largeImageScratchPath() const { return folder / kLargeImageScratchName; }
};

// What a save needs beside the settings: the build values and what decides
// the band table of the frequency check.
struct SaveContext {
  codeplug::BuildContext build;
  std::string pagerSerialNumber;      // the last pager's, for the D-family band table
  bool programmingAttempted = false;  // since the program started
};

// The records of the 1 KB to 2 KB scratch file made from a codeplug file:
// its S0 line and S1 lines in file order (non-printable characters removed;
// an S1 line of the wrong length ends the copying), then filler records
// "S113" aaaa + 32 zeros + "00" (a checksum field the relaxed reader does
// not compare) at the next addresses until there are 128 S1 records.
struct LargeImageRecords {
  std::vector<std::string> lines;
  models::ModelCode sourceModel = 0;  // byte 1 of the source image, 0 when it has none
};
LargeImageRecords largeImageScratchRecords(std::istream& source);

// Re-lays the first kilobyte of a 1 KB codeplug, just read to the start of
// the image as model 'q', into the 2 KB layout of family C:
//   0x300-0x321  code block and synthesizer  -> 0x700-0x721
//   0x2EA-0x2FE  21-byte kept block          -> 0x7CC
//   0x2FF        kept byte                   -> 0x7C9
//   0x2C bit 7   zoom of a four-code model   -> 0x30 bit 7
// and derives the second code table (codes 1-6 in the wide form at 0x784,
// slots 7-16 empty) and its coding-format bits, which the large-image
// decoder reads.
void moveToLargeLayout(codeplug::CodeplugImage& image, models::ModelCode sourceModel);

// The process-wide objects the file, model-check and converter operations
// work on, passed together.
struct CodeplugSession {
  codeplug::CodeplugImage& image;
  codeplug::SettingsRecord& settings;
  WorkFiles& work;
  errors::Reporter& reporter;
  const codeplug::CodeplugCodec& codec;
};

// Opening and saving codeplug files, the backup before writing and the
// 1 KB to 2 KB conversion. One object serves one command; everything it
// works on belongs to the caller.
class CodeplugFiles {
 public:
  CodeplugFiles(codeplug::CodeplugImage& image, codeplug::SettingsRecord& settings, WorkFiles& work,
                errors::Reporter& reporter, const codeplug::CodeplugCodec& codec)
      : image_(image), settings_(settings), work_(work), reporter_(reporter), codec_(codec) {}
  explicit CodeplugFiles(const CodeplugSession& session)
      : CodeplugFiles(session.image, session.settings, session.work, session.reporter,
                      session.codec) {}

  // Reads a codeplug file and decodes it. Ok on success; otherwise the image,
  // its header values and the settings are exactly as they were, and the
  // result is the code already shown (-30, -107, -36), or
  // kFileNotAccessible for a file that cannot be opened (no message). A
  // device, a FIFO or a file far larger than any codeplug is refused with
  // -30 before it is read. The reporter context's fileProblem says why a
  // file was refused or could not be opened, and is empty otherwise; the
  // write operations below set it likewise.
  errors::ResultCode readCodeplugFile(const std::filesystem::path& file);

  // Checks the frequency against the band (-104, shown), builds the image
  // from the settings (-36, shown) and writes it. The file is replaced whole
  // or not at all, and only a regular file or a new name is written
  // (replaceFileAtomically). 1, the code shown, or kFileNotAccessible.
  errors::ResultCode writeCodeplugFile(const std::filesystem::path& file,
                                       const SaveContext& context = {});

  // Writes the image as it stands, without building it (a converted image).
  // A file that cannot be written is kFileNotAccessible, with the file and
  // the reason in the reporter's context (problemFile, fileProblem); the
  // backup and the scratch file of the other commands likewise.
  errors::ResultCode writeImageFile(const std::filesystem::path& file);

  // Remembers the prompt selections, then writes "~writeBeforeCP.bak" into
  // the work folder as writeCodeplugFile does; for 'q' and 'u' the
  // converter's snapshot also receives, at 0xF00, the 34 image bytes from
  // 0x300.
  errors::ResultCode writeBackupBeforeWrite(const SaveContext& context = {});

  // Turns the 1 KB codeplug file source into a 2 KB image of model 'q'
  // through "~writeAfterCP.bak": filler records, the relaxed reader, the
  // re-lay into the 2 KB layout, a decode, the prompt area cleared
  // (0xEC-0x5FF) and a build. 1, -36 (shown), or kFileNotAccessible for a
  // source or scratch file that cannot be read or is not valid.
  errors::ResultCode convertToLargeImage(const std::filesystem::path& source,
                                         const codeplug::BuildContext& build = {});

  // The codeplug on screen as a 2 KB 'q' image: a fresh backup of it, then
  // convertToLargeImage of that backup. The image's model must be the
  // codeplug's own (not a pager's loaded for programming).
  errors::ResultCode convertCodeplugToLargeImage(const SaveContext& context = {});

 private:
  errors::ResultCode buildForSave(const SaveContext& context);
  std::string imageText() const;
  // kFileNotAccessible, with the file and why in the reporter's context.
  errors::ResultCode fileFailure(const std::filesystem::path& file, const std::error_code& why);
  errors::ResultCode writeText(const std::filesystem::path& file, const std::string& text);
  // A scratch or backup file, the work folder created first when missing.
  errors::ResultCode writeWorkFile(const std::filesystem::path& file, const std::string& text);

  codeplug::CodeplugImage& image_;
  codeplug::SettingsRecord& settings_;
  WorkFiles& work_;
  errors::Reporter& reporter_;
  const codeplug::CodeplugCodec& codec_;
};

}  // namespace zelta::storage
