#include "window/service_adjust.h"

#include <algorithm>

namespace zelta::window {
namespace {

using A = ServiceAction;

// Actions of F1-F10 per page.
constexpr std::array<std::array<ServiceAction, 10>, 3> kKeyActions{{
    {A::Help, A::Invalid, A::Adjust, A::Invalid, A::Test, A::QuickPage, A::KeepOnlyGoodMessages,
     A::Invalid, A::Chirp, A::Exit},
    {A::Help, A::Program, A::Invalid, A::Invalid, A::Invalid, A::Invalid, A::Invalid, A::Invalid,
     A::Invalid, A::Exit},
    {A::Help, A::Invalid, A::Invalid, A::Invalid, A::Invalid, A::Invalid, A::Invalid,
     A::SendCommand, A::Invalid, A::Exit},
}};

// Help, Adjust, Test, Quick, Msg, Chirp, Exit, Program, Command.
constexpr std::array<ServiceMenuState, 3> kMenus{{
    {{true, true, true, true, true, true, true, false, false}},
    {{true, false, false, false, false, false, true, true, false}},
    {{true, false, false, false, false, false, true, false, true}},
}};

constexpr std::array<std::string_view, 3> kStatus{"", "F1-Help | F2-Program | F10-Exit",
                                                  "F1-Help | F8-Scan Command | F10-Exit"};

constexpr std::array<int, 3> kHelpTopics{996, 997, 998};

constexpr std::array<std::uint8_t, 8> kLcdModels{0x91, 0x92, 0x93, 0x95, 0x96, 0x97, 0x98, 0x99};

int decimal(std::string_view text) {
  int value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') break;
    value = std::min(value * 10 + (c - '0'), 100000);
  }
  return value;
}

std::size_t indexOf(ServicePage page) {
  return static_cast<std::size_t>(page);
}

}  // namespace

ServiceAction serviceKeyAction(ServicePage page, int key) {
  if (key < 1 || key > 10) return ServiceAction::Invalid;
  return kKeyActions[indexOf(page)][static_cast<std::size_t>(key - 1)];
}

ServiceMenuState serviceMenuState(ServicePage page) {
  return kMenus[indexOf(page)];
}

std::string_view serviceStatusText(ServicePage page) {
  return kStatus[indexOf(page)];
}

int serviceHelpTopic(ServicePage page) {
  return kHelpTopics[indexOf(page)];
}

bool hasLcdAdjustment(std::uint8_t model) {
  return std::find(kLcdModels.begin(), kLcdModels.end(), model) != kLcdModels.end();
}

ServiceCheck checkServiceValues(const ServiceValues& values, std::uint8_t model) {
  if (decimal(values.textContrast) > 15) return {-109, ServiceField::TextContrast};
  if (decimal(values.iconContrast) > 3) return {-108, ServiceField::IconContrast};
  if (hasLcdAdjustment(model) && decimal(values.lcdAdjust1) > 16)
    return {-130, ServiceField::LcdAdjust1};
  return {};
}

std::string lcdAdjust2For(std::string_view lcdAdjust1) {
  return std::to_string(decimal(lcdAdjust1) + 15);
}

}  // namespace zelta::window
