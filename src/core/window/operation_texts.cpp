#include "window/operation_texts.h"

#include <array>

namespace zelta::window {
namespace {

struct Rate {
  int baud;
  std::uint8_t code;
  std::string_view text;
};

constexpr std::array kRates{
    Rate{4800, kRate4800, "(Rate: 4800bps)"},    Rate{9600, kRate9600, "(Rate: 9600bps)"},
    Rate{19200, kRate19200, "(Rate: 19200bps)"}, Rate{38400, kRate38400, "(Rate: 38400bps)"},
    Rate{57600, kRate57600, "(Rate: 57600bps)"},
};

}  // namespace

std::uint8_t preferredRateCode(int baud) {
  for (const Rate& r : kRates) {
    if (r.baud == baud) return r.code;
  }
  return kRate57600;
}

std::string_view rateText(std::uint8_t rateCode) {
  for (const Rate& r : kRates) {
    if (r.code == rateCode) return r.text;
  }
  return {};
}

std::string operationText(StatusOperation operation, std::uint8_t rateCode) {
  switch (operation) {
    case StatusOperation::Read: return "Reading - Please wait.";
    case StatusOperation::Program:
      return "Programming - Please wait. " + std::string(rateText(rateCode));
    case StatusOperation::Done: return {};
  }
  return {};
}

}  // namespace zelta::window
