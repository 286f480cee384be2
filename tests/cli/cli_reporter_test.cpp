#include "cli/cli_reporter.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

namespace zelta::cli {
namespace {

struct Fixture {
  std::ostringstream out;
  std::ostringstream err;
  std::istringstream in;
  CliIo io{out, err, in};
};

TEST(CliReporter, StatementsGoToStandardError) {
  Fixture f;
  CliReporter reporter(f.io);
  reporter.ReportCode(-30);
  EXPECT_EQ(f.err.str(), "error -30: ERROR: Invalid archive file.\n");
  EXPECT_TRUE(f.out.str().empty());
}

// Every statement names its code and caption in one form, whether its text
// carries the caption or not, and whatever its class.
TEST(CliReporter, EveryStatementNamesItsCodeAndCaption) {
  const struct {
    errors::ResultCode code;
    const char* line;
  } cases[] = {
      {-25, "error -25: ERROR: Bad checksum."},
      {-27, "error -27: ERROR: Invalid POCSAG code."},
      {-22, "error -22: WARNING: Pager is unprogrammed."},
      {-60, "error -60: INFORMATION: Pager is in Quick Page Mode."},
      {-16, "error -16: ERROR: Pager is not responding."},
      // The caption stands in the text with a blank before its colon.
      {-15, "error -15: ERROR : Unknown pager type. Please read Pager information first."},
      {-68,
       "error -68: ERROR : Not allowed to select personal message type with both Ideo and Zelta "
       "functions on this pager version."},
  };
  for (const auto& c : cases) {
    Fixture f;
    CliReporter reporter(f.io);
    reporter.ReportCode(c.code);
    EXPECT_EQ(f.err.str(), std::string(c.line) + "\n") << c.code;
    EXPECT_EQ(describeFailure(c.code, {}), c.line) << c.code;
  }
}

TEST(CliReporter, BoxesOfNoCodeKeepTheirCaption) {
  Fixture f;
  CliReporter reporter(f.io);
  reporter.Show(errors::Message{errors::BoxClass::Error, "Error", "Can not open com port."});
  EXPECT_EQ(f.err.str(), "Error: Can not open com port.\n");
}

TEST(CliReporter, QuestionsAreRefusedWithoutATerminalUnlessAnswered) {
  Fixture f;
  CliReporter reporter(f.io);
  EXPECT_FALSE(reporter.ConfirmCode(-37));
  EXPECT_NE(f.err.str().find("not a terminal"), std::string::npos);

  reporter.setAnswer(CliReporter::Answer::Yes);
  EXPECT_TRUE(reporter.ConfirmCode(-37));
  reporter.setAnswer(CliReporter::Answer::No);
  EXPECT_FALSE(reporter.ConfirmCode(-37));
}

TEST(CliReporter, AsksOnATerminal) {
  Fixture f;
  f.io.inputIsTerminal = true;
  f.in.str("y\nn\n");
  CliReporter reporter(f.io);
  EXPECT_TRUE(reporter.ConfirmCode(-16));
  EXPECT_FALSE(reporter.ConfirmCode(-16));
  EXPECT_FALSE(reporter.ConfirmCode(-16));  // end of input counts as No
}

TEST(CliReporter, FailureLineNamesTheCode) {
  EXPECT_EQ(describeFailure(-30, {}), "error -30: ERROR: Invalid archive file.");
  EXPECT_EQ(describeFailure(-129, {}),
            "error -129: ERROR: Can not program. (read) !! Connect the pager and pager mechanical "
            "interface until it is tight in the fixture.");
}

// --yes answers the "not responding" question only --retries times, then No;
// other questions are not counted against it.
TEST(CliReporter, YesRetriesASilentPagerOnlyAsOftenAsAllowed) {
  for (int retries : {0, 1, 3}) {
    Fixture f;
    CliReporter reporter(f.io);
    reporter.setAnswer(CliReporter::Answer::Yes);
    reporter.setRetries(retries);
    EXPECT_TRUE(reporter.ConfirmCode(-37));
    for (int i = 0; i < retries; ++i) EXPECT_TRUE(reporter.ConfirmCode(-16)) << retries;
    EXPECT_FALSE(reporter.ConfirmCode(-16)) << retries;
    EXPECT_FALSE(reporter.ConfirmCode(-16)) << retries;
    EXPECT_TRUE(reporter.ConfirmCode(-37));
    EXPECT_NE(
        f.err.str().find("Answered No: the pager did not answer in " + std::to_string(retries + 1)),
        std::string::npos)
        << f.err.str();
  }
}

}  // namespace
}  // namespace zelta::cli
