#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <sstream>

#include "cli/cli_app.h"

namespace zelta::cli {
namespace {

struct CliResult {
  int status;
  std::string out;
  std::string err;
};

CliResult run(std::vector<std::string> args) {
  std::ostringstream out;
  std::ostringstream err;
  std::istringstream in;
  CliIo io{out, err, in};
  args.insert(args.begin(), "zelta-pps-cli");
  const int status = runCli(args, io);
  return {status, out.str(), err.str()};
}

TEST(CliPorts, JsonListsPathAndDescription) {
  const CliResult r = run({"ports", "--json"});
  ASSERT_EQ(r.status, kExitOk);
  const nlohmann::json list = nlohmann::json::parse(r.out);
  ASSERT_TRUE(list.is_array());
  for (const auto& port : list) {
    EXPECT_TRUE(port.contains("path"));
    EXPECT_TRUE(port.contains("description"));
  }
}

TEST(CliIdentify, MissingPortIsShownOnceByThePort) {
  const CliResult r = run({"identify", "--port", "/dev/zelta-no-such-port"});
  EXPECT_EQ(r.status, kExitFailed);
  EXPECT_EQ(r.err, "Error: Can not open com port.\n/dev/zelta-no-such-port: no such device.\n");
  EXPECT_TRUE(r.out.empty());
}

TEST(CliIdentify, PortIsRequiredAndTraceMustBeWritable) {
  EXPECT_EQ(run({"identify"}).status, kExitUsage);
  const CliResult r = run({"identify", "--port", "/dev/zelta-no-such-port", "--trace",
                           "/nonexistent-dir/trace.txt"});
  EXPECT_EQ(r.status, kExitFailed);
  EXPECT_EQ(r.err, "cannot write the trace file /nonexistent-dir/trace.txt\n");
}

}  // namespace
}  // namespace zelta::cli
