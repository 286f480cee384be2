#include <gtest/gtest.h>

#include <sstream>

#include "cli/cli_app.h"
#include "cli/cli_run.h"

namespace zelta::cli {
namespace {

using testing::CliResult;
using testing::runArgs;

TEST(CliExplain, PrintsCaptionThenExactText) {
  const CliResult r = runArgs({"explain", "-30"});
  EXPECT_EQ(r.status, kExitOk);
  EXPECT_EQ(r.out, "ERROR\nERROR: Invalid archive file.\n");
}

TEST(CliExplain, QuestionAndJson) {
  const CliResult q = runArgs({"explain", "-37", "--question"});
  EXPECT_EQ(q.status, kExitOk);
  EXPECT_EQ(q.out,
            "** WARNING **\nYou have entered more than 2 frames.\nThis will reduce the battery "
            "life of the pager.\n\nPress YES key to continue program pager.\n");

  const CliResult j = runArgs({"explain", "--json", "-22"});
  EXPECT_EQ(j.status, kExitOk);
  EXPECT_NE(j.out.find("\"caption\": \"WARNING\""), std::string::npos);
  EXPECT_NE(j.out.find("\"code\": -22"), std::string::npos);
  EXPECT_NE(j.out.find("\"text\": \"Pager is unprogrammed.\""), std::string::npos);
}

TEST(CliExplain, UnknownCodeIsStillExplained) {
  EXPECT_EQ(runArgs({"explain", "-124"}).out, "ERROR\nWhat is this?\n");
}

TEST(CliApp, UsageErrorsExitWithTwo) {
  EXPECT_EQ(runArgs({"explain", "thirty"}).status, kExitUsage);
  EXPECT_EQ(runArgs({"explain"}).status, kExitUsage);
  EXPECT_EQ(runArgs({"no-such-command"}).status, kExitUsage);
  EXPECT_EQ(runArgs({}).status, kExitUsage);
}

TEST(CliApp, VersionAndHelpExitWithZero) {
  const CliResult v = runArgs({"--version"});
  EXPECT_EQ(v.status, kExitOk);
  EXPECT_EQ(v.out, "R08.03.04\n");
  EXPECT_EQ(runArgs({"--help"}).status, kExitOk);
}

}  // namespace
}  // namespace zelta::cli
