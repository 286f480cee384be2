#include "link/pager_link.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "link_fixture.h"

namespace zelta::testing {
namespace {

using link::Transaction;
using link::Variant;
namespace rc = errors::code;

int countSent(const ScriptedDevice& device, std::uint8_t byte) {
  const Bytes sent = device.sentBytes();
  return static_cast<int>(std::count(sent.begin(), sent.end(), byte));
}

bool delayed(const FakeClock& clock, std::int64_t ms) {
  return std::find(clock.delays.begin(), clock.delays.end(), ms) != clock.delays.end();
}

class PagerLinkTest : public ::testing::Test, public LinkFixture {
 protected:
  void TearDown() override {
    EXPECT_TRUE(device.mismatches.empty()) << device.mismatches.front();
    EXPECT_FALSE(comm.IsOpen()) << "every transaction closes the port";
  }
};

TEST_F(PagerLinkTest, SilentPagerVariantAWakesFiveTimes) {
  EXPECT_EQ(link.runTransaction(Transaction::ReadImage, Variant::A), rc::NotResponding);
  EXPECT_EQ(countSent(device, 0xAA), 5);
  EXPECT_EQ(device.opens.size(), 5U);  // variant A reopens the port for every wake-up
  // Each attempt: 100 ms before the byte, then one poll of two read time-outs.
  EXPECT_EQ(clock.now, 5 * (100 + 2 * 500));
  for (const link::LineSettings& s : device.opens) EXPECT_EQ(s.baud, 4800U);
}

TEST_F(PagerLinkTest, SilentPagerVariantBWakesOnce) {
  EXPECT_EQ(link.runTransaction(Transaction::ReadImage, Variant::B), rc::NotResponding);
  EXPECT_EQ(countSent(device, 0xAA), 1);
  EXPECT_EQ(device.opens.size(), 1U);
}

TEST_F(PagerLinkTest, UnknownWakeAnswerEndsTheWakeUp) {
  wake(0x3F);  // not a model
  EXPECT_EQ(link.runTransaction(Transaction::ReadImage, Variant::B), rc::NotResponding);
  EXPECT_EQ(device.sentBytes(), Bytes{0xAA});
}

TEST_F(PagerLinkTest, VariantAReadAsksStatusThenReadsTheBlock) {
  const Bytes block = imageBlock(2048, 0x91);
  wake(0x91);
  device.expect(frameBytes(0x01, 0x01, 0x0400, 0x0800)).reply({'N'});
  wake(0x91);
  device.expect(frameBytes(0x46, 0x01, 0x0400, 0x0800))
      .reply(readAnswer(0x91, " R0801", "SN12345678", Bytes{'N', 0xBB}) + block);

  ASSERT_EQ(link.runTransaction(Transaction::ReadImage, Variant::A), rc::Ok);
  EXPECT_TRUE(device.scriptDone());
  EXPECT_TRUE(std::equal(block.begin(), block.end(), image.begin()));
  const link::LinkState& s = link.state();
  EXPECT_EQ(s.modelCode, 0x91);
  EXPECT_EQ(s.firstStatus, 'N');
  EXPECT_EQ(s.serialNumber, "SN12345678");
  EXPECT_EQ(s.firmwareInfo.text, " R0801");
  EXPECT_EQ(s.firmwareInfo.major, 8);
  EXPECT_EQ(s.firmwareInfo.minor, 1);
  EXPECT_TRUE(s.firmware.has(link::Firmware::R0801));
  EXPECT_TRUE(delayed(clock, 10));  // pause after the status reply and before the password reply
}

TEST_F(PagerLinkTest, VariantBKeepsThePortOpenAcrossTheRestart) {
  writableState(link).extendedFirmware = 0;  // known from the probe
  const Bytes block = imageBlock(1024, 'p');
  wake('p');
  device.expect(frameBytes(0x01, 0x01, 0x0400, 0x0400)).reply({'O'});
  wake('p');
  device.expect(frameBytes(0x46, 0x01, 0x0400, 0x0400))
      .reply(readAnswer('p', " R0602", "0000000042", Bytes{'O', 0xBB}) + block);

  ASSERT_EQ(link.runTransaction(Transaction::ReadImage, Variant::B), rc::Ok);
  EXPECT_EQ(device.opens.size(), 1U);
  EXPECT_TRUE(link.state().firmware.has(link::Firmware::R0602));
  EXPECT_TRUE(delayed(clock, 350));
}

TEST_F(PagerLinkTest, VariantBWithUnknownFirmwareRunsTheInformationRequest) {
  // extendedFirmware is 0xFF when an operation starts: the information request
  // stands in and its block is the read.
  const Bytes block = imageBlock(1024, '!');
  wake('!');
  device.expect(frameBytes(0x05, 0x01, 0x0D00, 0x0300));
  device.reply(informationRecord(" R0103") + serialRecord("0000000001") + Bytes{'N', 0xBB});
  // '!' became extended in the information record: the block is 1024 bytes
  device.reply(block);
  ASSERT_EQ(link.runTransaction(Transaction::ReadImage, Variant::B), rc::Ok);
  EXPECT_EQ(link.state().extendedFirmware, 1);
  EXPECT_TRUE(std::equal(block.begin(), block.end(), image.begin()));
}

TEST_F(PagerLinkTest, FirstChecksumFailureRestartsSecondGives129) {
  writableState(link).extendedFirmware = 0;
  writableState(link).firstStatus = 'N';
  Bytes bad = imageBlock(1024, '0');
  bad[10] ^= 0x01;
  for (int i = 0; i < 2; ++i) {
    wake('0');
    device.expect(frameBytes(0x46, 0x01, 0x0400, 0x0400))
        .reply(readAnswer('0', " R0104", "0000000007", Bytes{'N', 0xBB}) + bad);
  }
  EXPECT_EQ(link.runTransaction(Transaction::ReadImage, Variant::B), rc::ReadBackFailed);
  EXPECT_TRUE(device.scriptDone());
  EXPECT_EQ(countSent(device, 0x46), 2);
}

TEST_F(PagerLinkTest, ChecksumFailureOnceThenGoodReadSucceeds) {
  writableState(link).extendedFirmware = 0;
  writableState(link).firstStatus = 'N';
  const Bytes good = imageBlock(1024, '0');
  Bytes bad = good;
  bad[10] ^= 0x01;
  for (const Bytes* block : {static_cast<const Bytes*>(&bad), &good}) {
    wake('0');
    device.expect(frameBytes(0x46, 0x01, 0x0400, 0x0400))
        .reply(readAnswer('0', " R0104", "0000000007", Bytes{'N', 0xBB}) + *block);
  }
  EXPECT_EQ(link.runTransaction(Transaction::ReadImage, Variant::B), rc::Ok);
  EXPECT_TRUE(std::equal(good.begin(), good.end(), image.begin()));
}

TEST_F(PagerLinkTest, PasswordRequestedByStatusIsAskedOnceThenSent) {
  const Bytes block = imageBlock(2048, 0x98);
  wake(0x98);
  device.expect(frameBytes(0x01, 0x01, 0x0400, 0x0800)).reply({'Y'});
  wake(0x98);
  device.expect(frameBytes(0x46, 0x01, 0x0400, 0x0800))
      .reply(readAnswer(0x98, " R0803", "F000000001", Bytes{'Y'}));
  device.expect(Bytes(password.begin(), password.end())).reply(Bytes{0xBB} + block);

  ASSERT_EQ(link.runTransaction(Transaction::ReadImage, Variant::A), rc::Ok);
  EXPECT_EQ(passwordDialogs, 1);
  EXPECT_TRUE(link.state().passwordAsked);
  EXPECT_EQ(link.state().remainingAttempts, 8);
  EXPECT_TRUE(device.scriptDone());
}

TEST_F(PagerLinkTest, PasswordStateShowsTheDialogAndRestartsWhenNotAskedYet) {
  writableState(link).firstStatus = 'Y';  // learnt earlier in the operation
  const Bytes block = imageBlock(2048, 'q');
  const Bytes answer = readAnswer('q', " R0702", "Q000000001", Bytes{'Y'});
  wake('q');
  device.expect(frameBytes(0x46, 0x01, 0x0400, 0x0800)).reply(answer);
  // the dialog is shown, nothing is sent, and the transaction starts over
  wake('q');
  device.expect(frameBytes(0x46, 0x01, 0x0400, 0x0800)).reply(answer);
  device.expect(Bytes(password.begin(), password.end())).reply(Bytes{0xBB} + block);

  ASSERT_EQ(link.runTransaction(Transaction::ReadImage, Variant::A), rc::Ok);
  EXPECT_EQ(passwordDialogs, 1);
}

TEST_F(PagerLinkTest, RefusedPasswordGivesMinusOneWithAttemptsLeft) {
  writableState(link).firstStatus = 'Y';
  writableState(link).passwordAsked = true;
  writableState(link).password = password;
  wake(0x98);
  device.expect(frameBytes(0x46, 0x01, 0x0400, 0x0800))
      .reply(readAnswer(0x98, " R0803", "F000000001", Bytes{'Y'}));
  device.expect(Bytes(password.begin(), password.end())).reply({0x03});

  EXPECT_EQ(link.runTransaction(Transaction::ReadImage, Variant::A), rc::WrongPassword);
  EXPECT_EQ(link.state().remainingAttempts, 3);
  EXPECT_EQ(reporter.context().remainingAttempts, 3);
  EXPECT_EQ(countSent(device, 0xAA), 1) << "a refused password is not retried";
}

TEST_F(PagerLinkTest, RefusedPasswordWithoutPasswordStatusIsNotResponding) {
  writableState(link).extendedFirmware = 0;
  writableState(link).firstStatus = 'N';
  wake('p');
  device.expect(frameBytes(0x46, 0x01, 0x0400, 0x0400))
      .reply(readAnswer('p', " R0602", "0000000042", Bytes{'N', 0x05}));
  EXPECT_EQ(link.runTransaction(Transaction::ReadImage, Variant::B), rc::NotResponding);
  EXPECT_EQ(link.state().remainingAttempts, 8);
}

TEST_F(PagerLinkTest, FastModelSwitchesSpeedAtTheNextWakeUp) {
  link.setConfiguredBaud(57600);
  writableState(link).modelCode = 0x98;
  wake(0x98, 0xAA);
  device.expect(frameBytes(0x00, 0x09, 0x0400, 0x0800)).reply({'.'});
  wake(0x98, 0xA8);
  device.expect(frameBytes(0x00, 0x09, 0x0400, 0x0800)).reply({'.'});

  ASSERT_EQ(link.runTransaction(Transaction::Test, Variant::A), rc::Ok);
  EXPECT_EQ(link.state().speedCode, 0xA8);
  ASSERT_EQ(device.opens.size(), 1U);
  EXPECT_EQ(device.opens[0].baud, 4800U);

  ASSERT_EQ(link.runTransaction(Transaction::Test, Variant::A), rc::Ok);
  // wake-up at 4800 with the new code, then the port reopens at 57600
  ASSERT_EQ(device.opens.size(), 3U);
  EXPECT_EQ(device.opens[1].baud, 4800U);
  EXPECT_EQ(device.opens[2].baud, 57600U);
  EXPECT_TRUE(device.scriptDone());
}

TEST_F(PagerLinkTest, UnprogrammedOnReadGives22) {
  writableState(link).firstStatus = 'N';
  wake(0x91);
  device.expect(frameBytes(0x46, 0x01, 0x0400, 0x0800))
      .reply(readAnswer(0x91, " R0801", "          ", Bytes{'U'}));
  EXPECT_EQ(link.runTransaction(Transaction::ReadImage, Variant::A), rc::Unprogrammed);
  EXPECT_TRUE(link.state().unprogrammed);
  EXPECT_EQ(countSent(device, 0x46), 1);
}

TEST_F(PagerLinkTest, UnprogrammedOnWriteIsAcceptedAndTheBlockIsWritten) {
  writableState(link).firstStatus = 'N';
  const Bytes block = imageBlock(2048, 0x91);
  std::copy(block.begin(), block.end(), image.begin());
  wake(0x91);
  device.expect(frameBytes(0x18, 0x0F, 0x0400, 0x0800)).reply({'U', 0xBB});
  device.expect(block).expect({sumOf(block)}).reply({0x06, 0x06});

  EXPECT_EQ(link.runTransaction(Transaction::WriteImage, Variant::A), rc::Ok);
  EXPECT_TRUE(device.scriptDone());
  EXPECT_TRUE(delayed(clock, 8500));
}

TEST_F(PagerLinkTest, NakOnWrittenBlockGives25) {
  writableState(link).extendedFirmware = 0;
  writableState(link).firstStatus = 'N';
  const Bytes block = imageBlock(1024, 'p');
  std::copy(block.begin(), block.end(), image.begin());
  wake('p');
  device.expect(frameBytes(0x18, 0x0F, 0x0400, 0x0400)).reply({'N', 0xBB});
  device.expect(block).expect({sumOf(block)}).reply({0x15});
  EXPECT_EQ(link.runTransaction(Transaction::WriteImage, Variant::B), rc::BadChecksum);
}

struct RefusedModel {
  Transaction transaction;
  std::uint8_t model;
  std::uint8_t extended;
  std::uint8_t modelAfter;
};

void PrintTo(const RefusedModel& c, std::ostream* os) {
  *os << (c.transaction == Transaction::WriteImage ? "write " : "read ") << int(c.model);
}

class ModelCheckTest : public PagerLinkTest, public ::testing::WithParamInterface<RefusedModel> {};

TEST_P(ModelCheckTest, RefusedBeforeAnyFrame) {
  const RefusedModel& p = GetParam();
  writableState(link).extendedFirmware = p.extended;
  writableState(link).firstStatus = 'N';
  wake(p.model);
  EXPECT_EQ(link.runTransaction(p.transaction, Variant::B), rc::UnknownPagerType);
  EXPECT_EQ(device.sentBytes(), Bytes{0xAA});
  EXPECT_EQ(link.state().modelCode, p.modelAfter);
}

INSTANTIATE_TEST_SUITE_P(Models, ModelCheckTest,
                         ::testing::Values(RefusedModel{Transaction::WriteImage, '#', 0, '#'},
                                           RefusedModel{Transaction::WriteImage, ' ', 0, ' '},
                                           RefusedModel{Transaction::WriteImage, '"', 0, '"'},
                                           RefusedModel{Transaction::WriteImage, '!', 0, '!'},
                                           RefusedModel{Transaction::ReadImage, '6', 0, 0xFF},
                                           RefusedModel{Transaction::WriteImage, '6', 0, 0xFF}));

struct StatusCase {
  std::uint8_t letter;
  errors::ResultCode result;
  std::uint8_t modelAfter;
};

void PrintTo(const StatusCase& c, std::ostream* os) {
  *os << char(c.letter);
}

class StatusLetterTest : public PagerLinkTest, public ::testing::WithParamInterface<StatusCase> {};

TEST_P(StatusLetterTest, EndsTheRead) {
  writableState(link).firstStatus = 'N';
  wake(0x92);
  device.expect(frameBytes(0x46, 0x01, 0x0400, 0x0800))
      .reply(readAnswer(0x92, " R0801", "0000000001", Bytes{GetParam().letter}));
  EXPECT_EQ(link.runTransaction(Transaction::ReadImage, Variant::A), GetParam().result);
  EXPECT_EQ(link.state().modelCode, GetParam().modelAfter);
}

INSTANTIATE_TEST_SUITE_P(Letters, StatusLetterTest,
                         ::testing::Values(StatusCase{'B', rc::BadPagerData, 0x92},
                                           StatusCase{'D', rc::DownloadDisabled, 0xFF}));

TEST_F(PagerLinkTest, NewerImageGives93AndForgetsTheModel) {
  writableState(link).firstStatus = 'N';
  const Bytes block = imageBlock(2048, 0x95, 0x18, 0x35);  // 8.3.5
  wake(0x95);
  device.expect(frameBytes(0x46, 0x01, 0x0400, 0x0800))
      .reply(readAnswer(0x95, " R0801", "0000000001", Bytes{'N', 0xBB}) + block);
  EXPECT_EQ(link.runTransaction(Transaction::ReadImage, Variant::A), rc::NewerPagerImage);
  EXPECT_EQ(link.state().modelCode, models::kNoModel);
  EXPECT_EQ(reporter.context().pagerVersionText, "08.03.05");
}

TEST_F(PagerLinkTest, BlankReadUsesLowerCaseCommandAndExtraStatus) {
  wake('q');
  device.expect(frameBytes(0x01, 0x01, 0x0400, 0x0800)).reply({'U'});
  wake('q');
  device.expect(frameBytes(0x66, 0x01, 0x0400, 0x0800))
      .reply(Bytes{0x06, 'q', 0x20} + informationRecord(" R0702") + serialRecord("          ") +
             Bytes{'U'});
  EXPECT_EQ(link.runTransaction(Transaction::ReadImage, Variant::A), rc::Unprogrammed);
  const link::LinkState& s = link.state();
  EXPECT_TRUE(s.blankRead);
  EXPECT_TRUE(s.unprogrammed);
  EXPECT_EQ(s.extraStatus, 0x20);
  EXPECT_TRUE(s.extraStatusLarge);
  EXPECT_TRUE(device.scriptDone());
}

// Programming asks for the blank read itself, before any status letter
// could have said "U"; the option holds for that transaction only.
TEST_F(PagerLinkTest, BlankReadRequestedWithoutAnUnprogrammedStatus) {
  writableState(link).firstStatus = 'N';
  const Bytes block = imageBlock(2048, 0x91);
  for (const bool blank : {true, false}) {
    wake(0x91);
    device.expect(frameBytes(blank ? 0x66 : 0x46, 0x01, 0x0400, 0x0800))
        .reply(Bytes{0x06, 0x91} + (blank ? Bytes{0x07} : Bytes{}) + informationRecord(" R0801") +
               serialRecord("SN12345678") + Bytes{'N', 0xBB} + block);
    ASSERT_EQ(link.readImage({.blankRead = blank}, Variant::A), rc::Ok) << blank;
    EXPECT_FALSE(link.state().blankRead) << "nothing learnt from the request";
  }
  EXPECT_EQ(link.state().extraStatus, 0x07);
  EXPECT_TRUE(device.scriptDone());
}

TEST_F(PagerLinkTest, CopyModeReadsIntoThePagerCopyWithoutChecksum) {
  writableState(link).firstStatus = 'N';
  Bytes block = imageBlock(2048, 0x93);
  const std::string serial = "0123456789";
  std::copy(serial.begin(), serial.end(), block.begin() + 0x5D);
  block[0x720] = 0x20;   // PLL type 2
  block[0x73] = 0x84;    // narrow band, bit 2
  block[0x3C] = 0x80;    // hardware variant 2
  block[0x786] = 0x01;   // dual frequency
  block[0x7FF] ^= 0x55;  // the sum no longer matters
  wake(0x93);
  device.expect(frameBytes(0x46, 0x01, 0x0400, 0x0800))
      .reply(readAnswer(0x93, " R0802", serial + "", Bytes{'N', 0xBB}) + block);

  ASSERT_EQ(link.readImage({.into = link::ReadInto::PagerCopy}, Variant::A), rc::Ok);
  EXPECT_TRUE(std::equal(block.begin(), block.end(), copy.begin()));
  EXPECT_TRUE(std::all_of(image.begin(), image.end(), [](std::uint8_t b) { return b == 0; }));
  const link::PagerCopyValues& v = link.state().pagerCopy;
  EXPECT_EQ(v.serialNumber, serial);
  EXPECT_EQ(v.pllType, 2);
  EXPECT_EQ(v.narrowBand, 1);
  EXPECT_EQ(v.bandFlag, 1);
  EXPECT_EQ(v.hardwareVariant, 2);
  EXPECT_EQ(v.dualFrequency, 1);
}

TEST(PagerCopyValues, FamiliesWithoutTheFieldsRead999) {
  Bytes copy(0x800);
  copy[0x320] = 0x30;  // PLL type 3 at the family-B slot
  const link::PagerCopyValues v = link::extractPagerCopyValues(copy, 'p');
  EXPECT_EQ(v.pllType, 3);
  EXPECT_EQ(v.hardwareVariant, 999);
  EXPECT_EQ(v.dualFrequency, 999);
  EXPECT_EQ(link::extractPagerCopyValues(copy, 0x91).dualFrequency, 999);
}

TEST_F(PagerLinkTest, OldFormatBlockGoesToTheOldFormatWindow) {
  writableState(link).extendedFirmware = 0;
  writableState(link).firstStatus = 'N';
  const Bytes block = imageBlock(768, ' ', 0x18, 0x20);
  wake(' ');
  device.expect(frameBytes(0x46, 0x01, 0x0D00, 0x0300))
      .reply(readAnswer(' ', " R0101", "0000000003", Bytes{'N', 0xBB}) + block);
  // Through the process-wide image: the block lands in its old-format window.
  auto codeplugImage = std::make_unique<codeplug::CodeplugImage>();
  link.setImageBuffers(link::imageBuffersOf(*codeplugImage));
  ASSERT_EQ(link.runTransaction(Transaction::ReadImage, Variant::B), rc::Ok);
  const auto window = codeplugImage->buffer().subspan(0x1000, 768);
  EXPECT_TRUE(std::equal(block.begin(), block.end(), window.begin()));
  EXPECT_EQ(codeplugImage->buffer()[1], 0) << "the current image is untouched";
}

TEST_F(PagerLinkTest, SetClockSendsTimeAndSumAtTheFirmwaresLocation) {
  writableState(link).firstStatus = 'N';
  writableState(link).firmware.set(link::Firmware::R0801, true);
  const Bytes time{13, 45, 9, 11, 24};  // 13:45, 9 November 2024
  wake(0x91);
  device.expect(frameBytes(0x00, 0x03, 0x11F8, 0x0005)).reply({'N', 0xBB});
  device.expect(time).expect({sumOf(time)}).reply({0x06, 0x06});
  EXPECT_EQ(link.runTransaction(Transaction::SetClock, Variant::A), rc::Ok);
  EXPECT_TRUE(device.scriptDone());
  EXPECT_TRUE(delayed(clock, 50));
  EXPECT_FALSE(delayed(clock, 8500));
}

// A new password has just gone into the pager: the status known from
// earlier in the operation no longer holds and is asked again.
TEST_F(PagerLinkTest, SetClockAfterANewPasswordAsksTheStatusFirst) {
  writableState(link).firstStatus = 'N';
  writableState(link).passwordAsked = true;
  writableState(link).firmware.set(link::Firmware::R0801, true);
  const Bytes time{13, 45, 9, 11, 24};
  wake(0x91);
  device.expect(frameBytes(0x01, 0x01, 0x0400, 0x0800)).reply({'N'});
  wake(0x91);
  device.expect(frameBytes(0x00, 0x03, 0x11F8, 0x0005)).reply({'N', 0xBB});
  device.expect(time).expect({sumOf(time)}).reply({0x06, 0x06});
  EXPECT_EQ(link.setClock({.passwordChanged = true}, Variant::A), rc::Ok);
  EXPECT_TRUE(device.scriptDone());
  EXPECT_FALSE(link.state().passwordAsked);
}

TEST_F(PagerLinkTest, ModeSwitchAcknowledgedSetsServiceResult) {
  writableState(link).modelCode = 0x91;
  wake(0x91);
  device.expect(frameBytes(0x00, 0x0A, 0x0400, 0x0800)).reply({0x06});
  EXPECT_EQ(link.runTransaction(Transaction::QuickPage, Variant::A), rc::Ok);
  EXPECT_EQ(link.state().serviceResult, -60);
  EXPECT_TRUE(delayed(clock, 500));
  EXPECT_EQ(link.state().firstStatus, 'N') << "mode switches never ask the status";
}

TEST_F(PagerLinkTest, ModeSwitchWithoutAcknowledgeIsNotResponding) {
  writableState(link).modelCode = 'p';
  wake('p');
  device.expect(frameBytes(0x00, 0x0C, 0x0400, 0x0400)).reply({0x15});
  EXPECT_EQ(link.runTransaction(Transaction::Chirp, Variant::B), rc::NotResponding);
  EXPECT_EQ(link.state().serviceResult, 0);
  EXPECT_TRUE(delayed(clock, 100));
}

TEST_F(PagerLinkTest, TestModeNeedsAFullStop) {
  writableState(link).modelCode = 'p';
  wake('p');
  device.expect(frameBytes(0x00, 0x09, 0x0400, 0x0400)).reply({'?'});
  EXPECT_EQ(link.runTransaction(Transaction::Test, Variant::B), rc::NoAcknowledge);
}

TEST_F(PagerLinkTest, OpenFailureGives114) {
  device.failOpen = true;
  EXPECT_EQ(link.runTransaction(Transaction::ReadImage, Variant::A), rc::PortNotOpened);
  EXPECT_EQ(reporter.shown.size(), 1U);
  EXPECT_FALSE(link.state().wakeUpFlag);
}

TEST_F(PagerLinkTest, MissingEchoIsNotResponding) {
  writableState(link).extendedFirmware = 0;
  writableState(link).firstStatus = 'N';
  wake('p');
  device.expect({0x46}, /*echo=*/false);
  EXPECT_EQ(link.runTransaction(Transaction::ReadImage, Variant::B), rc::NotResponding);
}

TEST_F(PagerLinkTest, IdentifyReadsInformationSerialAndStatusWithoutAnswering) {
  wake('p');
  device.expect(frameBytes(0x05, 0x01, 0x0400, 0x0400))
      .reply(informationRecord(" R0602") + serialRecord("P123456789") + Bytes{'Y'});
  link::Identification id;
  ASSERT_EQ(link.identify(id), rc::Ok);
  EXPECT_EQ(id.model, 'p');
  EXPECT_EQ(id.firmware.text, " R0602");
  EXPECT_EQ(id.serialNumber, "P123456789");
  EXPECT_EQ(id.status, 'Y');
  EXPECT_TRUE(device.scriptDone());
  EXPECT_EQ(device.sentBytes().size(), 9U) << "no password is sent";
  EXPECT_EQ(link.state().extendedFirmware, 0);
  EXPECT_TRUE(link.state().firmware.has(link::Firmware::R0602));
}

TEST_F(PagerLinkTest, ProbeAsksEightKilobyteLengthOfNewModels) {
  wake(0x99);
  device.expect(frameBytes(0x05, 0x01, 0x0400, 0x0800)).reply(informationRecord(" R0803"));
  EXPECT_EQ(link.informationProbe(link::ProbeKind::BeforeRead), rc::Ok);
  EXPECT_TRUE(link.state().firmware.has(link::Firmware::R0803));
  EXPECT_EQ(link.state().extendedFirmware, 0);
}

TEST_F(PagerLinkTest, ProbeWakesFiveTimesAndRefusesModelSix) {
  EXPECT_EQ(link.informationProbe(link::ProbeKind::BeforeRead), rc::NotResponding);
  EXPECT_EQ(countSent(device, 0xAA), 5);
  EXPECT_EQ(device.opens.size(), 1U);

  LinkFixture other;
  other.wake('6');
  EXPECT_EQ(other.link.informationProbe(link::ProbeKind::BeforeRead), rc::UnknownPagerType);
  EXPECT_EQ(other.link.state().modelCode, models::kNoModel);
}

TEST_F(PagerLinkTest, ProgressReachesHundredForEveryRecord) {
  std::vector<int> progress;
  link.setHooks({[&](int percent) { progress.push_back(percent); }, nullptr, nullptr, nullptr});
  wake(0x99);
  device.expect(frameBytes(0x05, 0x01, 0x0400, 0x0800)).reply(informationRecord(" R0803"));
  ASSERT_EQ(link.informationProbe(link::ProbeKind::BeforeRead), rc::Ok);
  ASSERT_EQ(progress.size(), 8U + 15U);
  EXPECT_EQ(progress[7], 100);
  EXPECT_EQ(progress[8], 6);  // 1 of 15
  EXPECT_EQ(progress.back(), 100);
}

// A stop asked for while an image block is being written waits until the
// block, its checksum and the pager's answer are through; the next
// transaction then stops before it sends anything. A stop during a read
// ends it at once.
TEST_F(PagerLinkTest, StopWaitsForTheWrittenBlockAndItsChecksum) {
  writableState(link).firstStatus = 'N';
  const Bytes block = imageBlock(2048, 0x91);
  std::copy(block.begin(), block.end(), image.begin());
  wake(0x91);
  device.expect(frameBytes(0x18, 0x0F, 0x0400, 0x0800)).reply({'N', 0xBB});
  device.expect(block).expect({sumOf(block)}).reply({0x06, 0x06});
  // The signal arrives after the 100th byte of the block.
  const std::size_t before = 1 + 8;
  link.setHooks({nullptr, nullptr, [this] { return device.sent.size() > before + 100; }, nullptr});

  EXPECT_EQ(link.runTransaction(Transaction::WriteImage, Variant::A), rc::Ok);
  EXPECT_TRUE(device.scriptDone());
  EXPECT_EQ(device.sent.size(), before + block.size() + 1);
  EXPECT_EQ(link.runTransaction(Transaction::SetClock, Variant::A), rc::Cancelled);
  EXPECT_EQ(device.sent.size(), before + block.size() + 1);
}

TEST_F(PagerLinkTest, StopDuringAReadEndsItAtOnce) {
  writableState(link).firstStatus = 'N';
  const Bytes block = imageBlock(2048, 0x91);
  wake(0x91);
  device.expect(frameBytes(0x46, 0x01, 0x0400, 0x0800))
      .reply(readAnswer(0x91, " R0801", "SN12345678", Bytes{'N', 0xBB}) + block);
  int bytesRead = 0;
  link.setHooks({[&](int) { ++bytesRead; }, nullptr, [&] { return bytesRead >= 60; }, nullptr});
  EXPECT_EQ(link.runTransaction(Transaction::ReadImage, Variant::A), rc::Cancelled);
  EXPECT_LT(bytesRead, 100);
}

}  // namespace
}  // namespace zelta::testing
