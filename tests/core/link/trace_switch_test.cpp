#include "link/trace_switch.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "scripted_device.h"
#include "temp_folder.h"

namespace zelta::link {
namespace {

std::string contents(const std::filesystem::path& file) {
  std::ifstream in(file);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

// Only the bytes that pass while the switch is on are written, and a second
// start adds to what the first wrote.
TEST(TraceSwitch, TracesWhileOnAndAppends) {
  testing::TempFolder folder;
  testing::FakeClock clock;
  testing::ScriptedDevice device(clock);
  device.expect({0x11, 0x22, 0x33});
  TraceSwitch line(device, clock);
  const auto file = folder / "trace.txt";

  std::uint8_t echo = 0;
  EXPECT_TRUE(line.writeByte(0x11));
  EXPECT_TRUE(line.readEcho(echo));
  ASSERT_TRUE(line.start(file));
  EXPECT_TRUE(line.tracing());
  EXPECT_TRUE(line.writeByte(0x22));
  line.stop();
  EXPECT_FALSE(line.tracing());
  ASSERT_TRUE(line.start(file));
  EXPECT_TRUE(line.readEcho(echo));
  EXPECT_EQ(echo, 0x22);
  line.stop();
  EXPECT_TRUE(line.writeByte(0x33));

  const std::string trace = contents(file);
  EXPECT_EQ(trace.find(" 11"), std::string::npos);
  EXPECT_NE(trace.find("TX 22"), std::string::npos);
  EXPECT_NE(trace.find("RX 22"), std::string::npos);
  EXPECT_EQ(trace.find("TX 33"), std::string::npos);
  EXPECT_EQ(device.sentBytes(), (std::vector<std::uint8_t>{0x11, 0x22, 0x33}));
}

TEST(TraceSwitch, AFileThatCannotBeWrittenLeavesTheTraceOff) {
  testing::TempFolder folder;
  testing::FakeClock clock;
  testing::ScriptedDevice device(clock);
  TraceSwitch line(device, clock);
  EXPECT_FALSE(line.start(folder / "no-such-folder" / "trace.txt"));
  EXPECT_FALSE(line.tracing());
}

}  // namespace
}  // namespace zelta::link
