#include "window/service_controller.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace zelta::window {
namespace {

struct FakeLink : ServiceLink {
  int programs = 0;
  std::vector<std::pair<std::uint8_t, int>> sent;
  std::uint8_t firstReply = '.';
  errors::ResultCode program(const ServiceValues&) override {
    ++programs;
    return 0;
  }
  errors::ResultCode enterTestMode() override { return 0; }
  errors::ResultCode switchMode(link::PagerMode) override { return 0; }
  link::TestReply sendTest(std::uint8_t command, int kind) override {
    sent.emplace_back(command, kind);
    link::TestReply reply;
    reply.bytes = {firstReply, 0, 0};
    reply.count = 1;
    return reply;
  }
};

struct FakeReporter : ServiceReporter {
  std::vector<errors::ResultCode> reported;
  int invalid = 0;
  void report(errors::ResultCode code) override { reported.push_back(code); }
  bool confirm(errors::ResultCode) override { return true; }
  void invalidKey() override { ++invalid; }
  void help(int) override {}
};

struct ServiceControllerTest : ::testing::Test {
  FakeLink link;
  FakeReporter reporter;
  ServiceController controller{link, reporter, 0x98, {3, "7", "2", "7"}};
};

TEST_F(ServiceControllerTest, FailedCheckReportsAndProgramsNothing) {
  controller.key(3);
  controller.values().textContrast = "20";
  EXPECT_EQ(controller.key(2), ServiceOutcome::Stay);
  EXPECT_EQ(reporter.reported, std::vector<errors::ResultCode>{-109});
  EXPECT_EQ(link.programs, 0);
  controller.values().textContrast = "15";
  EXPECT_EQ(controller.key(2), ServiceOutcome::CloseWindowMainToMain);
  EXPECT_EQ(link.programs, 1);
}

TEST_F(ServiceControllerTest, F10OnAdjustRestoresTheBackup) {
  controller.key(3);
  controller.values().textContrast = "12";
  controller.values().iconContrast = "0";
  controller.values().secondAdjustPosition = 9;
  controller.key(10);
  EXPECT_EQ(controller.page(), ServicePage::Main);
  EXPECT_EQ(controller.values().textContrast, "7");
  EXPECT_EQ(controller.values().iconContrast, "2");
  EXPECT_EQ(controller.values().secondAdjustPosition, 3);
}

TEST_F(ServiceControllerTest, AnnunciatorSubCommandFollowsOnlyADot) {
  controller.key(5);
  controller.selectTest(1);
  controller.selectAnnunciator(2);
  controller.key(8);
  link.firstReply = 'U';
  controller.key(8);
  const std::vector<std::pair<std::uint8_t, int>> expected{{0x03, 3}, {0x61, 3}, {0x03, 3}};
  EXPECT_EQ(link.sent, expected);
  controller.key(10);
  EXPECT_EQ(link.sent.back(), (std::pair<std::uint8_t, int>{0x00, 0}));
  EXPECT_EQ(controller.page(), ServicePage::Main);
}

}  // namespace
}  // namespace zelta::window
