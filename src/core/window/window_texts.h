#pragma once

#include <array>
#include <string>
#include <string_view>

#include "link/comm.h"

namespace zelta::window {

// ---- Captions ----

// The caption with no codeplug shown is kMainWindowCaption (version.h); a
// codeplug adds its name after one of these.
inline constexpr std::string_view kFileCaptionSeparator = " - ";
inline constexpr std::string_view kReadCaptionSeparator = " >> ";
// The name of a codeplug read from a pager and not yet saved.
inline constexpr std::string_view kReadCodeplugName = "NONAME1";

// ---- The key-map line ----

inline constexpr std::string_view kEditingKeymap =
    "F1-Help  |  F2-Program Pager  |  F9-Set To Defaults  |  F10-Exit  |  F11-Prev  |  F12-Next";

// ---- File dialogs ----

inline constexpr std::string_view kCodeplugExtension = ".cp";
inline constexpr std::string_view kOpenDialogFilter =
    "Programming Software Files ( *.cp )|*.cp*|All  ( *.* )|*.*";
inline constexpr std::string_view kSaveDialogFilter =
    "Programming Software Files ( *.cp )|*.cp|All  ( *.* )|*.*";

// ---- Boxes and questions ----

inline constexpr std::string_view kInformationCaption = "INFORMATION";
inline constexpr std::string_view kInvalidKeyText = "Invalid Key";

inline constexpr std::string_view kErrorMessageCaption = "Error Message";
inline constexpr std::string_view kNoCodeplugText =
    "\nYou have to read (pager) or open the file first.\n";

inline constexpr std::string_view kErrorCaption = "ERROR";
inline constexpr std::string_view kFileMissingSuffix = "\ndoes not exist.";
// A file that exists but cannot be read: the file layer shows nothing for it.
inline constexpr std::string_view kFileUnreadableSuffix = "\ncannot be opened.";
inline constexpr std::string_view kFileUnwritableSuffix = "\ncannot be written.";

inline constexpr std::string_view kNoSpaceCaption = "Cannot save file";
inline constexpr std::string_view kNoSpaceText = "There is not enough space on the disk.\n";
// A save needs this much free space on the file's drive.
inline constexpr unsigned long long kSaveSpaceNeeded = 6 * 1024;

inline constexpr std::string_view kReplaceCaption = "Save As - Warning";
inline constexpr std::string_view kReplaceSuffix =
    " already exists.\nDo you want to replace it ?\n";
// Asked instead of the question above when the file is the one on screen and
// another program has written it since.
inline constexpr std::string_view kFileChangedCaption = "File changed";
inline constexpr std::string_view kFileChangedSuffix =
    " was changed by another program since this window opened or saved it.\n"
    "Replace it with the codeplug on screen?";

inline constexpr std::string_view kSuccessCaption = "successfully";
inline constexpr std::string_view kSavedAsPrefix = "\nThe file was saved as ";
inline constexpr std::string_view kRecordPasswordText =
    "Please record your password.\nPress OK button to continue";

// The second lines of -112, whose own words ("software says BUSY") do not
// say what is busy or what Yes does.
inline constexpr std::string_view kCloseWhileBusyDetail =
    "A pager operation is still running. Yes closes the window as soon as it has ended; "
    "No keeps the window open.";
inline constexpr std::string_view kExitWhileBusyDetail =
    "A pager operation is still using the port. Yes closes the port and goes back to the "
    "Main page; No stays on this page.";

inline constexpr std::string_view kExitQuestionCaption = "WARNING";
inline constexpr std::string_view kExitQuestionText = "Are you sure exit to WINDOWS ?";

// Asked before F10, Exit or closing the window drops unsaved edits.
inline constexpr std::string_view kUnsavedEditsCaption = "Unsaved changes";
inline constexpr std::string_view kUnsavedEditsText =
    "The codeplug on screen has changes that are not saved.\nSave them first?";

// ---- Status panel 0: the operation text, and the last programming ----

// What a programming run that wrote the pager leaves in the status bar
// until the next command (programming_result.h builds the lines).
inline constexpr std::string_view kProgrammedPrefix = "Programmed pager";
inline constexpr std::string_view kProgrammedNoCodes = "no codes";
inline constexpr std::string_view kNextPagerText = ". Insert the next pager and press F2.";

enum class Operation { Read, Program, Done };

inline constexpr std::string_view kReadingText = "Reading - Please wait.";
inline constexpr std::string_view kProgrammingText = "Programming - Please wait. ";

// The link's rate codes and how the operation text names them.
struct RateEntry {
  int rateCode;
  int baud;
  std::string_view text;
};
inline constexpr std::array<RateEntry, 5> kRates{{
    {link::speed::k4800, 4800, "(Rate: 4800bps)"},
    {link::speed::k9600, 9600, "(Rate: 9600bps)"},
    {link::speed::k19200, 19200, "(Rate: 19200bps)"},
    {link::speed::k38400, 38400, "(Rate: 38400bps)"},
    {link::speed::k57600, 57600, "(Rate: 57600bps)"},
}};

// The rate text of a link rate code; empty for any other code.
constexpr std::string_view rateText(int rateCode) {
  for (const RateEntry& r : kRates) {
    if (r.rateCode == rateCode) return r.text;
  }
  return {};
}

// The rate code the link prefers for the configured baud rate; any rate not
// in the table asks for the fastest.
constexpr int preferredRateCode(int baud) {
  for (const RateEntry& r : kRates) {
    if (r.baud == baud) return r.rateCode;
  }
  return kRates.back().rateCode;
}

// What status panel 0 shows during an operation.
std::string operationText(Operation operation, int rateCode);

}  // namespace zelta::window
