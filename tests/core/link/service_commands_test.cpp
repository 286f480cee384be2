#include "link/service_commands.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "link_fixture.h"

namespace zelta::testing {
namespace {

namespace rc = errors::code;
namespace tc = link::test_command;

class ServiceCommandTest : public ::testing::Test, public LinkFixture {
 protected:
  void TearDown() override {
    EXPECT_TRUE(device.mismatches.empty()) << device.mismatches.front();
    EXPECT_FALSE(comm.IsOpen());
  }

  // Milliseconds the link waited between the n-th and (n+1)-th byte it sent.
  std::int64_t gapAfterByte(std::size_t n) const {
    return device.sent[n + 1].at - device.sent[n].at;
  }
};

TEST_F(ServiceCommandTest, AllOnOpensWithAnnunciatorPauseThenSendsSubcommand) {
  device.expect({0x03}).reply({'.'}).expect({0xFF});
  const link::TestReply r = link::SendTestCommand(link, tc::kAnnunciatorAllOn, 3);
  EXPECT_EQ(r.result, rc::Ok);
  EXPECT_EQ(device.sentBytes(), (Bytes{0x03, 0xFF}));
  EXPECT_EQ(gapAfterByte(0), 250);
  EXPECT_EQ(r.count, 1);
  EXPECT_EQ(r.bytes[0], '.');
  EXPECT_EQ(r.bytes[1], 0) << "the reply ends with a zero byte";
}

TEST_F(ServiceCommandTest, PlainCommandsAreSentTwiceAroundOneReplyByte) {
  const std::uint8_t commands[] = {tc::kVibratorOn, tc::kExit, tc::kAnnunciatorExit,
                                   tc::kStandbyCurrent};
  for (std::uint8_t command : commands) {
    LinkFixture f;
    f.device.expect({command}).reply({'.'}).expect({command});
    EXPECT_EQ(link::SendTestCommand(f.link, command, command).result, rc::Ok);
    EXPECT_EQ(f.device.sentBytes(), (Bytes{command, command}));
    EXPECT_TRUE(f.clock.delays.empty()) << "no pause for command " << int(command);
    EXPECT_TRUE(f.device.mismatches.empty());
  }
  device.expect({}).reply({});  // the fixture's own device stays unused
}

TEST_F(ServiceCommandTest, KeyTestReadsTwoBytesAndClosesWithU) {
  device.expect({0x06}).reply({'.', 0x05}).expect({'U'});
  const link::TestReply r = link::SendTestCommand(link, tc::kKeyTest, 6);
  EXPECT_EQ(r.result, rc::Ok);
  ASSERT_EQ(r.count, 2);
  EXPECT_EQ(link::keyName(r.bytes[1]), "MULTIPLE KEYS");
}

TEST_F(ServiceCommandTest, RamPatternPausesBeforeItsTwoBytes) {
  device.expect({0x04}).reply({'.', 'A'}).expect({'U'});
  const link::TestReply r = link::SendTestCommand(link, tc::kRamPattern, 4);
  EXPECT_EQ(r.result, rc::Ok);
  EXPECT_EQ(r.bytes[1], 'A');
  EXPECT_EQ(clock.delays, std::vector<std::int64_t>{250});
}

TEST_F(ServiceCommandTest, FailureAsksToRetryAndYesRepeatsTheExchange) {
  // The first attempt gets no reply; the second succeeds.
  device.expect({0x08}).expect({0x08}).reply({'.'}).expect({0x08});
  reporter.answer(true);
  const link::TestReply r = link::SendTestCommand(link, tc::kVibratorOn, 8);
  EXPECT_EQ(r.result, rc::Ok);
  ASSERT_EQ(reporter.asked.size(), 1U);
  EXPECT_EQ(reporter.asked[0].code, rc::NotResponding);
  EXPECT_EQ(device.opens.size(), 1U) << "retries stay on the open port";
}

TEST_F(ServiceCommandTest, FailureAnsweredNoAbandonsWithMinus16) {
  const link::TestReply r = link::SendTestCommand(link, tc::kBacklightOn, 12);
  EXPECT_EQ(r.result, rc::NotResponding);
  EXPECT_EQ(reporter.asked.size(), 1U);
  EXPECT_TRUE(reporter.shown.empty());
}

TEST_F(ServiceCommandTest, SentAtTheSpeedThePagerWasWokenWith) {
  // A fast pager woken at 4800 has been told to switch at its next wake-up
  // only, so its test commands still go at 4800.
  link.setConfiguredBaud(57600);
  writableState(link).modelCode = 0x98;
  wake(0x98);
  device.expect(frameBytes(0x00, 0x09, 0x0400, 0x0800)).reply({'.'});
  ASSERT_EQ(link::EnterTestMode(link), rc::Ok);
  EXPECT_EQ(link.state().speedCode, 0xA8);

  device.expect({0x07}).reply({'.'}).expect({0x07});
  EXPECT_EQ(link::SendTestCommand(link, tc::kVibratorOff, 7).result, rc::Ok);
  EXPECT_EQ(device.opens.back().baud, 4800U);
}

TEST_F(ServiceCommandTest, SwitchModeUsesTheCommandSetOfTheModel) {
  writableState(link).modelCode = 'x';  // variant B: one open, short acknowledgement pause
  wake('x');
  device.expect(frameBytes(0x00, 0x08, 0x0400, 0x0400)).reply({0x06});
  EXPECT_EQ(link::SwitchPagerMode(link, link::PagerMode::KeepOnlyGoodMessages), rc::Ok);
  EXPECT_EQ(link.state().serviceResult, -61);
  EXPECT_NE(std::find(clock.delays.begin(), clock.delays.end(), 100), clock.delays.end());
}

TEST(KeyNames, ThirteenCharactersEach) {
  const std::pair<std::uint8_t, const char*> keys[] = {
      {0x00, "NONE         "}, {0x01, "FUNCTION KEY "}, {0x04, "READ KEY     "},
      {0x10, "LEFT KEY     "}, {0x20, "RIGHT KEY    "}, {0x40, "DOWN KEY     "},
      {0x80, "UP KEY       "}, {0x11, "MULTIPLE KEYS"}, {0x02, "MULTIPLE KEYS"},
  };
  for (const auto& [code, name] : keys) {
    EXPECT_EQ(link::keyName(code), name);
    EXPECT_EQ(link::keyName(code).size(), 13U);
  }
}

}  // namespace
}  // namespace zelta::testing
