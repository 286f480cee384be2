#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "link/comm.h"

namespace zelta::window {

// Link rate codes are the speed bytes the link asks the pager for
// (170 for 4800 baud up to 168 for 57600).
inline constexpr std::uint8_t kRate4800 = link::speed::k4800;
inline constexpr std::uint8_t kRate9600 = link::speed::k9600;
inline constexpr std::uint8_t kRate19200 = link::speed::k19200;
inline constexpr std::uint8_t kRate38400 = link::speed::k38400;
inline constexpr std::uint8_t kRate57600 = link::speed::k57600;

// The rate code the link prefers for a configured baud rate: 57600 for any
// rate not listed.
std::uint8_t preferredRateCode(int baud);

// "(Rate: 4800bps)" ...; empty for a code not listed.
std::string_view rateText(std::uint8_t rateCode);

// What status panel 0 says while an operation runs.
enum class StatusOperation { Read, Program, Done };

// "Reading - Please wait.", "Programming - Please wait. " with the rate
// text, and nothing when done.
std::string operationText(StatusOperation operation, std::uint8_t rateCode);

}  // namespace zelta::window
