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

// An empty --port (or "Port=" in the window's settings) names no device.
TEST(CliIdentify, AnEmptyPortSaysNoPortIsChosen) {
  const CliResult r = runArgs({"identify", "--port", ""});
  EXPECT_EQ(r.status, kExitFailed);
  EXPECT_EQ(r.err,
            "Error: Can not open com port.\nNo serial port is chosen: choose the port the fixture "
            "is connected to (Setup in the window, --port on the command line).\n");
}

// --retries outside its range names the range, not the largest double.
TEST(CliIdentify, RetriesOutOfRangeNameTheirRange) {
  for (const char* value : {"-1", "100", "many"}) {
    SCOPED_TRACE(value);
    const CliResult r = runArgs({"--retries", value, "identify", "--port", "/dev/zelta-none"});
    EXPECT_EQ(r.status, kExitUsage);
    EXPECT_NE(r.err.find("--retries"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("takes a count from 0 to 99, not \"" + std::string(value) + "\""),
              std::string::npos)
        << r.err;
    EXPECT_LT(r.err.size(), 300U) << r.err;
  }
  EXPECT_EQ(runArgs({"--retries", "99", "explain", "-30"}).status, kExitOk);
}

}  // namespace
}  // namespace zelta::cli
