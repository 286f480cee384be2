#include "errors/messages.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <utility>

namespace zelta::errors {
namespace {

struct TextEntry {
  ResultCode code;
  std::string_view text;
};

// Texts as the pager operators have always seen them, line feeds and odd
// spacing included. -1, -93, -104, -107, -121 and -123 take parts from the
// message context and are assembled in reportText.
constexpr std::string_view kBig5SecondLine = "請停止作業, 並且與Korvandel聯絡 (Vessiq)\n";

constexpr std::array kReportTexts{
    TextEntry{-2, "Firmware versions mismatch.\nPlease check up the version and try again."},
    TextEntry{-15, "ERROR : Unknown pager type.\nPlease read Pager information first."},
    TextEntry{-16, "Pager is not responding.\n"},
    TextEntry{-17, "Cancel key is pressed. Abort"},
    TextEntry{-21, "BAD pager data"},
    TextEntry{-22, "Pager is unprogrammed."},
    TextEntry{-23, "Download is disabled."},
    TextEntry{-24, "OTA is disabled."},
    TextEntry{-25, "Bad checksum."},
    TextEntry{-26, "No acknowledge received."},
    TextEntry{-27, "ERROR: Invalid POCSAG code."},
    TextEntry{-29, "ERROR: No code existed."},
    TextEntry{-30, "ERROR: Invalid archive file.\n"},
    TextEntry{-36, "ERROR: Frequency is not synthesizable."},
    TextEntry{-50, "ERROR: No active code selected."},
    TextEntry{-53, "ERROR: Duplicate codes exist."},
    TextEntry{-54,
              "Warning: You have selected Reminder Alert Interval\n greater than Reminder Alert "
              "Timeout.\nThe pager will never give a reminder alert in this case.\n"},
    TextEntry{-57,
              "ERROR: You have selected Notebook without selecting\nmanual delete.  The pager can "
              "not delete messages in\na notebook.  Please select again."},
    TextEntry{-58, "ERROR: You have exceeded maximum size allowed."},
    TextEntry{-59,
              "WARNING: The character set selected may not work properly\nwith the prompt "
              "selected for some remapped characters.\n"},
    TextEntry{-60, "Pager is in Quick Page Mode."},
    TextEntry{-61, "Pager is in Keep Only Good Messages Mode."},
    TextEntry{-62, "Pager is in Receiver Always ON Mode."},
    TextEntry{-66, "ERROR: Codeplug is corrupted.  Please verify your codeplug."},
    TextEntry{-67, "Pager is in Chirp Mode."},
    TextEntry{-68,
              "ERROR : Not allowed to select personal message type with\nboth Ideo and Zelta "
              "functions on this pager version.\n"},
    TextEntry{-69,
              "ERROR: Invalid Canned Message Address Range. Valid selections:\nTRADITIONAL: "
              "$3321-$3F7E      SIMPLIFIED: $7821-$7D47\nPlease select again."},
    TextEntry{-70,
              "ERROR: Pager does not support a maildrop source with a tone\nonly function.  "
              "Please select again.\n"},
    TextEntry{-71,
              "ERROR: Invalid EOT Character. Valid selections: $00-$7F.\nPlease select again.\n"},
    TextEntry{-72, "ERROR: Invalid Battery Gauge Level.\nPlease select again."},
    TextEntry{-76,
              "WARNING: Pager does not have memory allocated for Maildrop.\nPlease re-select Code "
              "Type (Individual/Group)."},
    TextEntry{-77,
              "ERROR: Invalid character in the prompt is detected.\nPlease check the Prompt Help "
              "Screen for reference.\n"},
    TextEntry{-78,
              "WARNING: This Pager does not support 2400Baud rate.\nPlease re-select the baud rate "
              "and try again."},
    TextEntry{-79,
              "WARNING: This Pager does not support ZIF receivers\nPlease retry with receiver IC "
              "as ZIF No AGC."},
    TextEntry{-100,
              "WARNING: To activate this field, 'CodeType' option\nof 'Main:Code' screen, needs to "
              "be set  \nto 'Group' or to 'Mail Drop'  "},
    TextEntry{-105, "ERROR: Wrong Password.\n"},
    TextEntry{
        -106,
        "WARNING: RF parameters does not match.\nPlease read from a corresponding pager/file."},
    TextEntry{-108,
              "WARNING: Icon contrast can only be set to values\n0 - 3.  You have entered an "
              "illegal value\n"},
    TextEntry{-109,
              "WARNING: Text contrast can only be set to values\n0 - 15.  You have entered an "
              "illegal value\n"},
    TextEntry{-110, "Wrong Password.\n"},
    TextEntry{-113, "Pager was erased successfully."},
    TextEntry{-117, "Codeplug version newer than pager.\nCan not program."},
    TextEntry{-118,
              "Versions mismatch! \n\nCan not program.\nPlease contact your local dealer for "
              "service !!"},
    TextEntry{-119, "ERROR: Invalid Remodulator base file.\n"},
    TextEntry{-120,
              "WARNING: Dual Frequency RF parameters does not match.\nPlease read from a "
              "corresponding pager/file."},
    TextEntry{-122, "Converting codeplug format.\n"},
    TextEntry{-125, "You have entered an illegal value. (Max. 12 hours)\n"},
    TextEntry{-126, "You have entered an illegal value. (2 - 8 Digit.)\n"},
    TextEntry{-129,
              "Can not program. (read) !!\n\nConnect the pager and pager mechanical \ninterface "
              "until it is tight in the fixture."},
    TextEntry{-130,
              "WARNING: Text contrast can only be set to values\n0 - 16.  You have entered an "
              "illegal value\n"},
    TextEntry{-131, "Versions mismatch.\nCan not program.\n"},
};

constexpr std::string_view kOutOfRange = "Frequency entered is not in the range of the receiver.";

// Codes whose text is assembled from pieces (see reportText).
constexpr std::array<ResultCode, 9> kAssembledCodes{
    -1, -93, -104, -107, -121, -123, -127, -128, code::InternalFault};

constexpr std::array<ResultCode, 13> kWarningClass{-22,  -54,  -59,  -76,  -78,  -79, -100,
                                                   -104, -106, -108, -109, -121, -123};
constexpr std::array<ResultCode, 7> kInformationClass{-17, -60, -61, -62, -67, -113, -122};

struct QuestionEntry {
  ResultCode code;
  std::string_view caption;
  std::string_view text;
};

constexpr std::string_view kWarningCaption = "** WARNING **\n";

constexpr std::array kQuestions{
    QuestionEntry{-16, kWarningCaption, "Pager is not responding.\nPress Yes key to retry,"},
    QuestionEntry{-37, kWarningCaption,
                  "You have entered more than 2 frames.\nThis will reduce the battery life of the "
                  "pager.\n\nPress YES key to continue program pager."},
    QuestionEntry{-63, kWarningCaption,
                  "CGROM has been changed OR Pager doesn't have required CGROM\nfor selected "
                  "prompt. Press YES Button to programm prompts as ENGLISH.\nSUGGESTION: Abort and "
                  "re-read pager to select the correct prompt"},
    QuestionEntry{-73, kWarningCaption,
                  "Values included on this screen are tuned for\nthe specific hardware of each "
                  "individual pager.\nDO NOT adjust these values unless properly equipped.\nPress "
                  "YES Button to confirm,"},
    QuestionEntry{-75, kWarningCaption,
                  "Invalid Canned Messages Address Range for current\nCGROM.  Start and End Canned "
                  "Messages Address Range will\nbe set to default value.   Press YES Button to "
                  "confirm,"},
    QuestionEntry{-95, kWarningCaption,
                  "Warning: You are about to reset all selections to defaults.\nPress Yes key to "
                  "confirm."},
    QuestionEntry{-111, "ERASE PAGER", "Press Yes to erase pager.\n"},
    QuestionEntry{-112, kWarningCaption,
                  "Exit operation has failed.\nBecause software says BUSY !!\nPress Yes key to "
                  "EXIT,"},
    QuestionEntry{-115, kWarningCaption,
                  "The pager version is newer than the codeplug.\n Are you sure to continue?"},
    QuestionEntry{-116, kWarningCaption,
                  "Different version identified.\nSome functions may not be supported.\n Are you "
                  "sure to continue?"},
    QuestionEntry{-133, kWarningCaption,
                  "\"Narrow / Wide Band\" or \"PLL Selections\" or \"Combo Narrow / Wide\" is not "
                  "the same as Pager setting.\nAre you sure to continue?"},
};

template <typename Array>
bool contains(const Array& codes, ResultCode code) {
  return std::find(codes.begin(), codes.end(), code) != codes.end();
}

std::string formatMHz(float mhz) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%3.4f", static_cast<double>(mhz));
  return buffer;
}

std::string rangeText(const MessageContext& context) {
  return "WARNING: Valid range is " + formatMHz(context.bandLowerMHz) + " to " +
         formatMHz(context.bandUpperMHz) + " MHz\n";
}

std::string wrongPasswordText(int remainingAttempts) {
  std::string text = "WARNING : Wrong Password.\n";
  if (remainingAttempts != 8) {
    char count[16];
    std::snprintf(count, sizeof count, "%2d", remainingAttempts);
    text += "You have ";
    text += count;
    text += " times left.";
  }
  return text;
}

std::string tableText(ResultCode code) {
  for (const TextEntry& entry : kReportTexts) {
    if (entry.code == code) return std::string(entry.text);
  }
  return "What is this?";
}

// The code's own text, assembled where it takes parts of the context.
std::string ownText(ResultCode code, const MessageContext& context) {
  switch (code) {
    case -1: return wrongPasswordText(context.remainingAttempts);
    case -30: {
      if (context.fileProblem.empty()) break;
      // The file named after the reason: a path can be long, and the
      // reason is what the technician acts on.
      const std::string named = context.problemFile.empty() ? "." : ": " + context.problemFile;
      return tableText(code) + "The file is " + context.fileProblem + named + "\n";
    }
    case -93:
      return "This pager has been programmed with a later PPS version. \n" +
             context.pagerVersionText + "\nIt cannot be read by this PPS.\n";
    case -104: return rangeText(context) + std::string(kOutOfRange);
    case code::InternalFault:
      return "Internal error: " + context.internalFault +
             "\nThe operation was stopped and the port closed; nothing more was sent to the "
             "pager.";
    case -107:
      return "The File was created by newer PPS then you.\n" + context.fileVersionLabel +
             "\nPlease update your PPS software.\n";
    case -121:
      return rangeText(context) + std::string(kOutOfRange) +
             "\n\nPlease check [band split or Frequency] and try again.";
    case -123:
      return rangeText(context) + std::string(kOutOfRange) +
             "\n\nPlease check band split( or Frequency) and try again.\n\n\nNOTE. [NEW VHF B "
             "BAND SPECIFICATION]\nPlease check Part No. QM7KTXX4P22-R(RFMX 152-164MHz RF\n"
             "ASS'Y-TOUCH), Serial No. >= BZZQWLE000 and try again.";
    // The two Traditional Chinese texts are kept in UTF-8 so that they show on
    // any system, whatever its code page.
    case -127:
      return "傳輸過程發生異常 !! - id@1\n" + std::string(kBig5SecondLine) + context.lineFault;
    case -128: return "傳輸過程發生異常 - id@2\n" + std::string(kBig5SecondLine);
    default: break;
  }
  return tableText(code);
}

// A line the raiser knows, after the code's own text, which is kept as it is.
std::string withDetail(std::string text, std::string_view detail) {
  if (detail.empty()) return text;
  if (!text.ends_with('\n')) text += '\n';
  return text.append(detail);
}

}  // namespace

BoxClass boxClassOf(ResultCode code) {
  if (contains(kWarningClass, code)) return BoxClass::Warning;
  if (contains(kInformationClass, code)) return BoxClass::Information;
  return BoxClass::Error;
}

std::string_view captionOf(BoxClass boxClass) {
  switch (boxClass) {
    case BoxClass::Warning: return "WARNING";
    case BoxClass::Information: return "INFORMATION";
    case BoxClass::Error: return "ERROR";
  }
  return "ERROR";
}

bool hasReportText(ResultCode code) {
  if (contains(kAssembledCodes, code)) return true;
  return std::any_of(kReportTexts.begin(), kReportTexts.end(),
                     [code](const TextEntry& e) { return e.code == code; });
}

std::string reportText(ResultCode code, const MessageContext& context) {
  return withDetail(ownText(code, context), context.detail);
}

Message reportMessage(ResultCode code, const MessageContext& context) {
  const BoxClass boxClass = boxClassOf(code);
  return Message{boxClass, std::string(captionOf(boxClass)), reportText(code, context), code};
}

Question confirmQuestion(ResultCode code) {
  for (const QuestionEntry& entry : kQuestions) {
    if (entry.code == code) return Question{std::string(entry.caption), std::string(entry.text)};
  }
  return Question{};
}

Question confirmQuestion(ResultCode code, std::string_view detail) {
  Question question = confirmQuestion(code);
  question.text = withDetail(std::move(question.text), detail);
  return question;
}

}  // namespace zelta::errors
