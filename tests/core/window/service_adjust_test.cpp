#include "window/service_adjust.h"

#include <gtest/gtest.h>

namespace zelta::window {
namespace {

struct KeyCase {
  ServicePage page;
  int key;
  ServiceAction action;
};

TEST(ServiceAdjust, KeysActPerPageAndOthersAreInvalid) {
  const KeyCase cases[] = {
      {ServicePage::Main, 3, ServiceAction::Adjust},
      {ServicePage::Main, 5, ServiceAction::Test},
      {ServicePage::Main, 9, ServiceAction::Chirp},
      {ServicePage::Main, 2, ServiceAction::Invalid},
      {ServicePage::Main, 8, ServiceAction::Invalid},
      {ServicePage::Adjust, 2, ServiceAction::Program},
      {ServicePage::Adjust, 3, ServiceAction::Invalid},
      {ServicePage::Adjust, 10, ServiceAction::Exit},
      {ServicePage::Test, 8, ServiceAction::SendCommand},
      {ServicePage::Test, 2, ServiceAction::Invalid},
      {ServicePage::Test, 11, ServiceAction::Invalid},
  };
  for (const KeyCase& c : cases)
    EXPECT_EQ(serviceKeyAction(c.page, c.key), c.action)
        << static_cast<int>(c.page) << " F" << c.key;
}

struct CheckCase {
  ServiceValues values;
  std::uint8_t model;
  errors::ResultCode code;
  ServiceField field;
};

TEST(ServiceAdjust, ChecksRunInOrderAndTheFirstFailureWins) {
  const CheckCase cases[] = {
      {{0, "20", "2", "0"}, 0x98, -109, ServiceField::TextContrast},
      {{0, "20", "9", "99"}, 0x98, -109, ServiceField::TextContrast},
      {{0, "15", "4", "99"}, 0x98, -108, ServiceField::IconContrast},
      {{0, "15", "3", "17"}, 0x98, -130, ServiceField::LcdAdjust1},
      {{0, "15", "3", "17"}, 0x94, 0, ServiceField::None},
      {{0, "15", "3", "16"}, 0x91, 0, ServiceField::None},
      {{0, "", "", ""}, 0x99, 0, ServiceField::None},
  };
  for (const CheckCase& c : cases) {
    const ServiceCheck check = checkServiceValues(c.values, c.model);
    EXPECT_EQ(check.code, c.code) << c.values.textContrast << "/" << c.values.iconContrast;
    EXPECT_EQ(check.field, c.field);
  }
}

TEST(ServiceAdjust, SecondLcdAdjustmentIsTheFirstPlusFifteen) {
  EXPECT_EQ(lcdAdjust2For("7"), "22");
  EXPECT_EQ(lcdAdjust2For(""), "15");
}

TEST(ServiceAdjust, MenusEnableProgramOnlyOnAdjustAndSendCommandOnlyOnTest) {
  const auto at = [](ServicePage page, ServiceMenuItem item) {
    return serviceMenuState(page).enabled[static_cast<std::size_t>(item)];
  };
  EXPECT_FALSE(at(ServicePage::Main, ServiceMenuItem::Program));
  EXPECT_TRUE(at(ServicePage::Adjust, ServiceMenuItem::Program));
  EXPECT_FALSE(at(ServicePage::Adjust, ServiceMenuItem::Test));
  EXPECT_TRUE(at(ServicePage::Test, ServiceMenuItem::Command));
  EXPECT_FALSE(at(ServicePage::Test, ServiceMenuItem::Quick));
}

}  // namespace
}  // namespace zelta::window
