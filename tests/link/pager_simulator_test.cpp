#include "pager_simulator.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "link/link_state.h"

namespace zelta::testing {
namespace {

using pagersim::PagerSimulator;
using pagersim::SimulatorOptions;
using Bytes = std::vector<std::uint8_t>;

// Feeds the PC's bytes one by one, as the line delivers them, and collects
// every byte that comes back.
Bytes feed(PagerSimulator& sim, const Bytes& bytes, std::int64_t at = 0) {
  Bytes back;
  for (std::uint8_t b : bytes) {
    const Bytes out = sim.receive(b, at);
    back.insert(back.end(), out.begin(), out.end());
  }
  return back;
}

const Bytes kWake{0xAA};

Bytes frame(std::uint8_t command, std::uint8_t sub, std::uint16_t length) {
  return {command,
          sub,
          0x04,
          0x00,
          0,
          0,
          static_cast<std::uint8_t>(length >> 8),
          static_cast<std::uint8_t>(length)};
}

std::uint8_t sumOf(const Bytes& bytes, std::size_t n) {
  std::uint8_t sum = 0;
  for (std::size_t i = 0; i < n; ++i) sum = static_cast<std::uint8_t>(sum + bytes[i]);
  return sum;
}

SimulatorOptions withPassword(int attempts) {
  SimulatorOptions o;
  o.model = 0x98;
  o.status = 'Y';
  o.attempts = attempts;
  o.image.assign(2048, 0);
  const std::string password = "SECRET    ";
  std::copy(password.begin(), password.end(), o.image.begin() + 0x53);
  return o;
}

TEST(PagerSimulatorTest, EchoesAndAnswersTheWakeUpWithItsModel) {
  SimulatorOptions o;
  o.model = 'q';
  PagerSimulator sim(o);
  EXPECT_EQ(feed(sim, kWake), (Bytes{0xAA, 'q'}));
  // Only the fast models listen to the other speed codes.
  PagerSimulator other(o);
  EXPECT_EQ(feed(other, {0xA8}), Bytes{0xA8});
  o.model = 0x98;
  PagerSimulator fast(o);
  EXPECT_EQ(feed(fast, {0xA8}), (Bytes{0xA8, 0x98}));
  EXPECT_EQ(fast.lineBaud(), 57600U);
}

TEST(PagerSimulatorTest, SentBlockSumsToFF) {
  SimulatorOptions o;
  o.model = 0x91;
  o.firmware = " R0801";
  o.serial = "SN1";
  PagerSimulator sim(o);
  feed(sim, kWake);
  const Bytes back = feed(sim, frame(0x46, 0x01, 0x0800));
  // echo of the frame, read reply, information, serial, status, password reply, block
  ASSERT_EQ(back.size(), 8U + 2 + 15 + 20 + 1 + 1 + 2048);
  const Bytes info(back.begin() + 10, back.begin() + 25);
  EXPECT_EQ(std::string(info.begin() + 9, info.end()), " R0801");
  EXPECT_EQ(std::string(back.begin() + 25, back.begin() + 35), "SN1       ");
  EXPECT_EQ(back[45], 'N');
  EXPECT_EQ(back[46], 0xBB);
  const Bytes block(back.end() - 2048, back.end());
  EXPECT_EQ(sumOf(block, block.size()), 0xFF);
  EXPECT_EQ(block[1], 0x91);
}

TEST(PagerSimulatorTest, PasswordAttemptsCountDownAndRecover) {
  PagerSimulator sim(withPassword(3));
  const Bytes wrong{'W', 'R', 'O', 'N', 'G', ' ', ' ', ' ', ' ', ' '};
  const Bytes right{'S', 'E', 'C', 'R', 'E', 'T', ' ', ' ', ' ', ' '};
  for (std::uint8_t left : {2, 1}) {
    feed(sim, kWake);
    const Bytes status = feed(sim, frame(0x18, 0x0F, 0x0800));
    EXPECT_EQ(status.back(), 'Y');
    EXPECT_EQ(feed(sim, wrong).back(), left);
  }
  feed(sim, kWake);
  feed(sim, frame(0x18, 0x0F, 0x0800));
  EXPECT_EQ(feed(sim, right).back(), 0xBB);

  // A correct password restores the count; none is accepted once it runs out.
  PagerSimulator locked(withPassword(1));
  feed(locked, kWake);
  feed(locked, frame(0x18, 0x0F, 0x0800));
  EXPECT_EQ(feed(locked, wrong).back(), 0x00);
  feed(locked, kWake);
  feed(locked, frame(0x18, 0x0F, 0x0800));
  EXPECT_EQ(feed(locked, right).back(), 0x00);
}

TEST(PagerSimulatorTest, PasswordOptionStoresItScrambledAsTheDialogSendsIt) {
  SimulatorOptions o;
  o.model = 'q';
  o.password = "SECRET";
  PagerSimulator sim(o);
  feed(sim, kWake);
  EXPECT_EQ(feed(sim, frame(0x18, 0x0F, 0x0800)).back(), 'Y');
  const link::PasswordField field = link::makePasswordField("SECRET");
  EXPECT_EQ(feed(sim, Bytes(field.begin(), field.end())).back(), 0xBB);
}

TEST(PagerSimulatorTest, WrittenBlockIsStoredOnlyWithTheRightSum) {
  SimulatorOptions o;
  o.model = 'p';
  o.status = 'U';
  PagerSimulator sim(o);
  Bytes block(1024, 0x11);
  block[1] = 'p';
  feed(sim, kWake);
  feed(sim, frame(0x18, 0x0F, 0x0400));
  Bytes bad = block;
  bad.push_back(static_cast<std::uint8_t>(sumOf(block, block.size()) + 1));
  EXPECT_EQ(feed(sim, bad).back(), 0x15);
  EXPECT_EQ(sim.imagesWritten(), 0);

  feed(sim, kWake);
  const Bytes status = feed(sim, frame(0x18, 0x0F, 0x0400));
  EXPECT_EQ(status[status.size() - 2], 'U');
  Bytes good = block;
  good.push_back(sumOf(block, block.size()));
  const Bytes reply = feed(sim, good);
  EXPECT_EQ(Bytes(reply.end() - 2, reply.end()), (Bytes{0x06, 0x06}));
  EXPECT_EQ(sim.image(), block);
  // Programmed now.
  feed(sim, kWake);
  EXPECT_EQ(feed(sim, frame(0x01, 0x01, 0x0400))[8], 'N');
}

TEST(PagerSimulatorTest, AWakeUpWhereAFrameShouldStartStartsOver) {
  PagerSimulator sim(withPassword(3));
  feed(sim, kWake);
  feed(sim, frame(0x46, 0x01, 0x0800));  // waits for the password now
  // The PC showed the password dialog and starts over.
  EXPECT_EQ(feed(sim, kWake), (Bytes{0xAA, 0x98}));
}

TEST(PagerSimulatorTest, GivesUpOnAnUnfinishedFrame) {
  SimulatorOptions o;
  PagerSimulator sim(o);
  feed(sim, kWake, 0);
  feed(sim, {0x46, 0x01}, 10);
  sim.tick(10 + PagerSimulator::kGiveUpMs + 1);
  EXPECT_EQ(feed(sim, kWake, 3000), (Bytes{0xAA, 0x91}));
}

TEST(PagerSimulatorTest, TestModeRepliesAndCloses) {
  SimulatorOptions o;
  o.model = 0x92;
  o.keyCode = 0x10;
  PagerSimulator sim(o);
  feed(sim, kWake);
  EXPECT_EQ(feed(sim, {0x00, 0x09, 0x04, 0x00, 0, 0, 0x08, 0x00}).back(), '.');
  EXPECT_TRUE(sim.inTestMode());
  EXPECT_EQ(feed(sim, {0x06}), (Bytes{0x06, '.', 0x10}));
  EXPECT_EQ(feed(sim, {'U'}), Bytes{'U'});
  EXPECT_EQ(feed(sim, {0x03}), (Bytes{0x03, '.'}));
  EXPECT_EQ(feed(sim, {0xFF}), Bytes{0xFF});
  sim.takeEvents();
  feed(sim, {0x14});
  feed(sim, {0x14});
  EXPECT_EQ(sim.takeEvents(), std::vector<std::string>{"standby current test"});
  EXPECT_FALSE(sim.inTestMode());
}

TEST(PagerSimulatorTest, FaultsSilenceEchoAndAnswers) {
  SimulatorOptions silent;
  silent.faults.silent = true;
  PagerSimulator a(silent);
  EXPECT_TRUE(feed(a, kWake).empty());

  SimulatorOptions noEcho;
  noEcho.faults.noEcho = true;
  PagerSimulator b(noEcho);
  EXPECT_EQ(feed(b, kWake), Bytes{0x91});

  SimulatorOptions garbage;
  garbage.faults.garbage.remaining = 1;
  PagerSimulator c(garbage);
  EXPECT_EQ(feed(c, kWake), (Bytes{0xAA, 0x3F}));
  EXPECT_EQ(feed(c, kWake), (Bytes{0xAA, 0x91}));
}

TEST(PagerSimulatorTest, ModelsParseInEveryWriting) {
  models::ModelCode m = 0;
  EXPECT_TRUE(pagersim::parseModel("0x98", m));
  EXPECT_EQ(m, 0x98);
  EXPECT_TRUE(pagersim::parseModel("152", m));
  EXPECT_EQ(m, 0x98);
  EXPECT_TRUE(pagersim::parseModel("q", m));
  EXPECT_EQ(m, 'q');
  EXPECT_FALSE(pagersim::parseModel("0x94", m));
  EXPECT_FALSE(pagersim::parseModel("z", m));
  EXPECT_FALSE(pagersim::parseModel("12x", m));
}

}  // namespace
}  // namespace zelta::testing
