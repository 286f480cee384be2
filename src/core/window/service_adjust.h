#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "errors/result_code.h"

namespace zelta::window {

// The three pages of the service window.
enum class ServicePage { Main, Adjust, Test };

// What a function key does on a service page; Invalid shows "Invalid Key".
enum class ServiceAction {
  Invalid,
  Help,
  Adjust,
  Program,
  Test,
  QuickPage,
  KeepOnlyGoodMessages,
  Chirp,
  SendCommand,
  Exit,
};

// The service menu items, in menu order.
enum class ServiceMenuItem { Help, Adjust, Test, Quick, Msg, Chirp, Exit, Program, Command };

struct ServiceMenuState {
  std::array<bool, 9> enabled{};  // indexed by ServiceMenuItem
};

// Action of function key F<key> (1-10) on a page.
ServiceAction serviceKeyAction(ServicePage page, int key);

// Menu items enabled on a page.
ServiceMenuState serviceMenuState(ServicePage page);

// Status panel text of a page.
std::string_view serviceStatusText(ServicePage page);

// Help topic of a page.
int serviceHelpTopic(ServicePage page);

// Models whose service window shows the two LCD adjustments.
bool hasLcdAdjustment(std::uint8_t model);

// The edited service values, as typed.
struct ServiceValues {
  int secondAdjustPosition = 0;  // list position 0-16
  std::string textContrast;      // decimal text, 0-15
  std::string iconContrast;      // decimal text, 0-3
  std::string lcdAdjust1;        // decimal text, 0-16
};

// Which field a failed check points at.
enum class ServiceField { None, TextContrast, IconContrast, LcdAdjust1 };

struct ServiceCheck {
  errors::ResultCode code = 0;
  ServiceField field = ServiceField::None;
};

// The checks in order: text contrast (-109), icon contrast (-108), LCD
// adjustment 1 on the models that have it (-130). The first failure wins.
ServiceCheck checkServiceValues(const ServiceValues& values, std::uint8_t model);

// The second LCD adjustment shown for the first; an empty first counts as "0".
std::string lcdAdjust2For(std::string_view lcdAdjust1);

}  // namespace zelta::window
