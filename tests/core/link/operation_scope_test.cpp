#include "link/operation_scope.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "link_fixture.h"

namespace zelta::testing {
namespace {

using link::Transaction;
using link::Variant;
namespace rc = errors::code;

class OperationScopeTest : public ::testing::Test, public LinkFixture {
 protected:
  void TearDown() override { EXPECT_TRUE(device.mismatches.empty()) << device.mismatches.front(); }
  void nextOperation() {
    operation.reset();
    operation.emplace(link);
  }
  // A fast pager in test mode: woken at `speedCode`, switched to the speed
  // the link asks for.
  void testModeOf0x98(std::uint8_t speedCode) {
    wake(0x98, speedCode);
    device.expect(frameBytes(0x00, 0x09, 0x0400, 0x0800)).reply({'.'});
    ASSERT_EQ(link.runTransaction(Transaction::Test, Variant::A), rc::Ok);
  }
};

TEST_F(OperationScopeTest, AnOperationLearnsStatusPasswordFirmwareAndSpeedAnew) {
  link::LinkState& st = writableState(link);
  st.speedCode = link::speed::k57600;
  st.firstStatus = 'Y';
  st.passwordAsked = true;
  st.extendedFirmware = 1;
  nextOperation();
  EXPECT_EQ(link.state().speedCode, link::speed::k4800);
  EXPECT_EQ(link.state().firstStatus, 0);
  EXPECT_FALSE(link.state().passwordAsked);
  EXPECT_EQ(link.state().extendedFirmware, 0xFF);
}

TEST_F(OperationScopeTest, ItsEndForgetsTheBlankReadThePinnedModelAndTheSlowerSpeed) {
  link.setConfiguredBaud(57600);
  writableState(link).modelCode = 0x98;
  writableState(link).blankRead = true;
  operation->pinModel(0x98);
  operation->lowerSpeed(link::speed::k38400);
  testModeOf0x98(link::speed::k4800);
  EXPECT_EQ(link.state().speedCode, link::speed::k38400);

  nextOperation();
  EXPECT_FALSE(link.state().blankRead);
  EXPECT_EQ(link.state().operationModel, models::kNoModel);
  testModeOf0x98(link::speed::k4800);
  EXPECT_EQ(link.state().speedCode, link::speed::k57600) << "the configured speed again";
  EXPECT_TRUE(device.scriptDone());
}

// An operation pins the model its first probe found, for every run the
// retry question repeats; the next operation takes whichever pager is on
// the fixture now.
TEST_F(OperationScopeTest, APinnedModelHoldsUntilTheOperationEnds) {
  writableState(link).firstStatus = 'N';
  operation->pinModel(0x91);
  for (int run = 0; run < 2; ++run) {
    wake(0x98);
    EXPECT_EQ(link.runTransaction(Transaction::ReadImage, Variant::A), rc::UnknownPagerType);
  }
  EXPECT_EQ(device.sentBytes().size(), 2U) << "no frame after a wrong wake-up answer";

  nextOperation();
  writableState(link).firstStatus = 'N';
  wake(0x98);
  device.expect(frameBytes(0x46, 0x01, 0x0400, 0x0800))
      .reply(readAnswer(0x98, " R0803", "F000000001", Bytes{'N', 0xBB}) + imageBlock(2048, 0x98));
  EXPECT_EQ(link.runTransaction(Transaction::ReadImage, Variant::A), rc::Ok);
  EXPECT_EQ(link.state().modelCode, 0x98);
}

TEST_F(OperationScopeTest, AFaultInsideAStepClosesThePortAndForgetsTheModel) {
  writableState(link).modelCode = 0x91;
  ASSERT_TRUE(comm.Open());
  EXPECT_FALSE(link.runGuarded([] { throw std::out_of_range("field at 0x900"); }));
  EXPECT_FALSE(comm.IsOpen());
  EXPECT_EQ(link.state().modelCode, models::kNoModel);
  EXPECT_EQ(reporter.context().internalFault, "field at 0x900");
  EXPECT_TRUE(link.runGuarded([] {}));
}

}  // namespace
}  // namespace zelta::testing
