#include "errors/messages.h"

#include <gtest/gtest.h>

#include "support/recording_reporter.h"

namespace zelta::errors {
namespace {

struct TextCase {
  ResultCode code;
  BoxClass boxClass;
  const char* text;
};

class ReportTextTest : public ::testing::TestWithParam<TextCase> {};

TEST_P(ReportTextTest, ExactTextAndClass) {
  const TextCase& c = GetParam();
  const Message m = reportMessage(c.code, MessageContext{});
  EXPECT_EQ(m.text, c.text);
  EXPECT_EQ(m.boxClass, c.boxClass);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ReportTextTest,
    ::testing::Values(
        TextCase{-1, BoxClass::Error, "WARNING : Wrong Password.\n"},
        TextCase{-16, BoxClass::Error, "Pager is not responding.\n"},
        TextCase{-17, BoxClass::Information, "Cancel key is pressed. Abort"},
        TextCase{-22, BoxClass::Warning, "Pager is unprogrammed."},
        TextCase{-30, BoxClass::Error, "ERROR: Invalid archive file.\n"},
        TextCase{-54, BoxClass::Warning,
                 "Warning: You have selected Reminder Alert Interval\n greater than Reminder "
                 "Alert Timeout.\nThe pager will never give a reminder alert in this case.\n"},
        TextCase{-69, BoxClass::Error,
                 "ERROR: Invalid Canned Message Address Range. Valid selections:\nTRADITIONAL: "
                 "$3321-$3F7E      SIMPLIFIED: $7821-$7D47\nPlease select again."},
        TextCase{-100, BoxClass::Warning,
                 "WARNING: To activate this field, 'CodeType' option\nof 'Main:Code' screen, "
                 "needs to be set  \nto 'Group' or to 'Mail Drop'  "},
        TextCase{-113, BoxClass::Information, "Pager was erased successfully."},
        TextCase{-118, BoxClass::Error,
                 "Versions mismatch! \n\nCan not program.\nPlease contact your local dealer for "
                 "service !!"},
        TextCase{-120, BoxClass::Error,
                 "WARNING: Dual Frequency RF parameters does not match.\nPlease read from a "
                 "corresponding pager/file."},
        TextCase{-122, BoxClass::Information, "Converting codeplug format.\n"},
        TextCase{-124, BoxClass::Error, "What is this?"},
        TextCase{-75, BoxClass::Error, "What is this?"},
        TextCase{-127, BoxClass::Error,
                 "傳輸過程發生異常 !! - id@1\n請停止作業, 並且與Korvandel聯絡 (Vessiq)\n"},
        TextCase{-128, BoxClass::Error,
                 "傳輸過程發生異常 - id@2\n請停止作業, 並且與Korvandel聯絡 (Vessiq)\n"},
        TextCase{-129, BoxClass::Error,
                 "Can not program. (read) !!\n\nConnect the pager and pager mechanical "
                 "\ninterface until it is tight in the fixture."},
        TextCase{-130, BoxClass::Error,
                 "WARNING: Text contrast can only be set to values\n0 - 16.  You have entered an "
                 "illegal value\n"},
        TextCase{5, BoxClass::Error, "What is this?"}));

TEST(ReportText, WrongPasswordCountsAttemptsRightAligned) {
  MessageContext context;
  context.remainingAttempts = 3;
  EXPECT_EQ(reportText(-1, context), "WARNING : Wrong Password.\nYou have  3 times left.");
  context.remainingAttempts = 0;
  EXPECT_EQ(reportText(-1, context), "WARNING : Wrong Password.\nYou have  0 times left.");
  context.remainingAttempts = 8;
  EXPECT_EQ(reportText(-1, context), "WARNING : Wrong Password.\n");
}

TEST(ReportText, FrequencyRangeTextsPrintFourDecimals) {
  MessageContext context;
  context.bandLowerMHz = 88.5F;
  context.bandUpperMHz = 142.9875F;
  const std::string range = "WARNING: Valid range is 88.5000 to 142.9875 MHz\n";
  const std::string outOfRange = "Frequency entered is not in the range of the receiver.";
  EXPECT_EQ(reportText(-104, context), range + outOfRange);
  EXPECT_EQ(reportText(-121, context),
            range + outOfRange + "\n\nPlease check [band split or Frequency] and try again.");
  EXPECT_EQ(reportText(-123, context),
            range + outOfRange +
                "\n\nPlease check band split( or Frequency) and try again.\n\n\nNOTE. [NEW VHF B "
                "BAND SPECIFICATION]\nPlease check Part No. QM7KTXX4P22-R(RFMX 152-164MHz RF\n"
                "ASS'Y-TOUCH), Serial No. >= BZZQWLE000 and try again.");
  EXPECT_EQ(boxClassOf(-104), BoxClass::Warning);
  EXPECT_EQ(boxClassOf(-121), BoxClass::Warning);
  EXPECT_EQ(boxClassOf(-123), BoxClass::Warning);
}

TEST(ReportText, VersionTextsComeFromTheirChecks) {
  MessageContext context;
  context.pagerVersionText = "Codeplug Version : R09.00.00";
  context.fileVersionLabel = "Codeplug Version : R08.03.05";
  EXPECT_EQ(reportText(-93, context),
            "This pager has been programmed with a later PPS version. \nCodeplug Version : "
            "R09.00.00\nIt cannot be read by this PPS.\n");
  EXPECT_EQ(reportText(-107, context),
            "The File was created by newer PPS then you.\nCodeplug Version : R08.03.05\nPlease "
            "update your PPS software.\n");
}

// The system's text stays the first line; the file and why follow it.
TEST(ReportText, InvalidArchiveNamesTheFileAndTheReason) {
  MessageContext context;
  context.fileProblem = "a symbolic link to nothing";
  EXPECT_EQ(reportText(-30, context),
            "ERROR: Invalid archive file.\nThe file is a symbolic link to nothing.\n");
  context.problemFile = "/archive/pager 7.cp";
  EXPECT_EQ(reportText(-30, context),
            "ERROR: Invalid archive file.\nThe file is a symbolic link to nothing: "
            "/archive/pager 7.cp\n");
}

// A detail is one more line after the code's own text, for that report only.
TEST(Reporter, ADetailFollowsTheTextOfOneReport) {
  testing::RecordingReporter reporter;
  reporter.ReportCode(-58, "The prompts need 1210 bytes.");
  reporter.ReportCode(-16, "Tried 3 times.");
  reporter.ReportCode(-58);
  ASSERT_EQ(reporter.shown.size(), 3U);
  EXPECT_EQ(reporter.shown[0].text,
            "ERROR: You have exceeded maximum size allowed.\nThe prompts need 1210 bytes.");
  // A text that ends its line already gets no empty line before the detail.
  EXPECT_EQ(reporter.shown[1].text, "Pager is not responding.\nTried 3 times.");
  EXPECT_EQ(reporter.shown[2].text, "ERROR: You have exceeded maximum size allowed.");
  EXPECT_TRUE(reporter.context().detail.empty());
}

TEST(ReportText, CaptionsFollowTheClass) {
  EXPECT_EQ(reportMessage(-22, {}).caption, "WARNING");
  EXPECT_EQ(reportMessage(-120, {}).caption, "ERROR");
  EXPECT_EQ(reportMessage(-60, {}).caption, "INFORMATION");
  EXPECT_EQ(reportMessage(-999, {}).caption, "ERROR");
}

TEST(ConfirmQuestion, KnownAndUnknownCodes) {
  const Question retry = confirmQuestion(-16);
  EXPECT_EQ(retry.caption, "** WARNING **\n");
  EXPECT_EQ(retry.text, "Pager is not responding.\nPress Yes key to retry,");

  const Question erase = confirmQuestion(-111);
  EXPECT_EQ(erase.caption, "ERASE PAGER");
  EXPECT_EQ(erase.text, "Press Yes to erase pager.\n");

  EXPECT_EQ(confirmQuestion(-133).text,
            "\"Narrow / Wide Band\" or \"PLL Selections\" or \"Combo Narrow / Wide\" is not the "
            "same as Pager setting.\nAre you sure to continue?");

  // A second line after the question's own text, which is kept exactly.
  const Question busy = confirmQuestion(-112, "A pager operation is still running.");
  EXPECT_EQ(busy.caption, "** WARNING **\n");
  EXPECT_EQ(busy.text,
            "Exit operation has failed.\nBecause software says BUSY !!\nPress Yes key to "
            "EXIT,\nA pager operation is still running.");
  EXPECT_EQ(confirmQuestion(-111, "x").text, "Press Yes to erase pager.\nx");
  EXPECT_EQ(confirmQuestion(-111, "").text, confirmQuestion(-111).text);

  const Question none = confirmQuestion(-1);
  EXPECT_TRUE(none.caption.empty());
  EXPECT_TRUE(none.text.empty());
}

TEST(Reporter, ReadsItsContextAndPassesAnswers) {
  testing::RecordingReporter reporter;
  reporter.context().remainingAttempts = 3;
  reporter.ReportCode(-1);
  ASSERT_EQ(reporter.shown.size(), 1U);
  EXPECT_EQ(reporter.shown[0].text, "WARNING : Wrong Password.\nYou have  3 times left.");

  reporter.answer(true);
  EXPECT_TRUE(reporter.ConfirmCode(-37));
  EXPECT_FALSE(reporter.ConfirmCode(-37));  // nothing queued counts as No
  ASSERT_EQ(reporter.asked.size(), 2U);
  EXPECT_EQ(reporter.asked[0].code, -37);
}

}  // namespace
}  // namespace zelta::errors
