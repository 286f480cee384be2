#include <gtest/gtest.h>

#include "cli/cli_app.h"
#include "cli_run.h"

namespace zelta::cli {
namespace {

using testing::CliResult;
using testing::runArgs;

TEST(CliIdentify, MissingPortIsShownOnceByThePort) {
  const CliResult r = runArgs({"identify", "--port", "/dev/zelta-no-such-port"});
  EXPECT_EQ(r.status, kExitFailed);
  EXPECT_EQ(r.err, "Error: Can not open com port.\n/dev/zelta-no-such-port: no such device.\n");
  EXPECT_TRUE(r.out.empty());
}

TEST(CliIdentify, PortIsRequiredAndTraceMustBeWritable) {
  EXPECT_EQ(runArgs({"identify"}).status, kExitUsage);
  const CliResult r = runArgs(
      {"identify", "--port", "/dev/zelta-no-such-port", "--trace", "/nonexistent-dir/trace.txt"});
  EXPECT_EQ(r.status, kExitFailed);
  EXPECT_EQ(r.err, "cannot write the trace file /nonexistent-dir/trace.txt\n");
}

}  // namespace
}  // namespace zelta::cli
