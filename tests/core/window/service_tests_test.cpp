#include "window/service_tests.h"

#include <gtest/gtest.h>

namespace zelta::window {
namespace {

link::TestReply replyOf(std::uint8_t first, std::uint8_t second, int count) {
  link::TestReply reply;
  reply.bytes = {first, second, 0};
  reply.count = count;
  return reply;
}

TEST(ServiceTests, AnnunciatorSubCommandOnlyAfterADot) {
  EXPECT_TRUE(annunciatorMaySend(replyOf('.', 0, 1)));
  EXPECT_FALSE(annunciatorMaySend(replyOf('U', 0, 1)));
  link::TestReply failed = replyOf('.', 0, 1);
  failed.result = -16;
  EXPECT_FALSE(annunciatorMaySend(failed));
}

TEST(ServiceTests, ResultShowsRamPatternAsCharacterAndKeyTestAsKeyName) {
  EXPECT_EQ(serviceTestResult(kServiceTests[2], replyOf(0x55, 'A', 2)), "A");
  EXPECT_EQ(serviceTestResult(kServiceTests[3], replyOf(0x55, 0x01, 2)),
            std::string(link::keyName(0x01)));
  EXPECT_EQ(serviceTestResult(kServiceTests[5], replyOf(0x08, 0, 1)), "");
}

TEST(ServiceTests, OnlyExitAndStandbyReturnToMain) {
  for (const ServiceTest& test : kServiceTests)
    EXPECT_EQ(test.returnsToMain, test.command == 0x00 || test.command == 0x14) << test.label;
}

}  // namespace
}  // namespace zelta::window
