#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "errors/result_code.h"
#include "link/comm.h"
#include "link/firmware.h"
#include "link/wire.h"
#include "models/models.h"

namespace zelta::link {

// The 10-byte password the pager checks: the operator's text padded with
// spaces and scrambled by the password dialog.
using PasswordField = std::array<std::uint8_t, wire::kPasswordBytes>;

// Values programming takes from the pager's own image (read in copy mode).
struct PagerCopyValues {
  static constexpr int kAbsent = 999;  // the family does not have the value
  std::string serialNumber;            // 10 characters at 0x5D
  int pllType = 0;                     // bits 5-4 of the oscillator byte
  int narrowBand = 0;                  // bit 7 of 0x73
  int bandFlag = 0;                    // bit 2 of 0x73
  int hardwareVariant = kAbsent;       // bits 7-6 of 0x3C, families D-F
  int dualFrequency = kAbsent;         // bit 0 of 0x786, families E and F
};

// What the link knows about the pager and the line; one per link, owned
// and written by it. Values survive between transactions unless a
// transaction or the operation scope resets them.
struct LinkState {
  std::uint8_t speedCode = speed::k4800;
  std::uint8_t requestedSpeedCode = speed::k4800;
  bool wakeUpFlag = false;
  models::ModelCode modelCode = models::kNoModel;
  char firstStatus = 0;  // 0: not asked yet in this operation
  bool passwordAsked = false;
  bool blankRead = false;     // "U" to the status request: read with the lower-case command
  bool unprogrammed = false;  // "U" in a read transaction
  std::uint8_t extendedFirmware = 0xFF;  // 0, 1, or 0xFF = not known yet
  FirmwareFlags firmware;
  FirmwareInfo firmwareInfo;
  std::uint16_t informationModel = 0xFF;  // the model as the information record was read
  std::uint8_t extraStatus = 0;
  bool extraStatusLarge = false;  // the extra status byte was 32 or more
  std::string serialNumber;
  std::string serialNumberCopy;
  int remainingAttempts = 8;  // 8: not counted
  errors::ResultCode serviceResult = 0;
  std::array<std::uint8_t, 2> clockLocation{0x0D, 0x12};
  PasswordField password{};
  PagerCopyValues pagerCopy;
  // The speed code the pager was last woken with: the speed it listens at
  // until the next wake-up (test commands are sent at it).
  std::uint8_t wokenSpeedCode = speed::k4800;
  // The model the probe of the running read or programming run identified;
  // every later wake-up of that run must find the same pager (kNoModel: no
  // run under way, any model is taken).
  models::ModelCode operationModel = models::kNoModel;
  // The last image write of this operation stopped between the first byte
  // of its block and the pager's final answer (the line or the port went
  // away): the pager may hold part of the new image and part of the old.
  // A refused block (NAK) is the pager's own verdict and does not count.
  bool imageWriteInterrupted = false;

  SpeedSelection speedSelection() const { return {speedCode, wakeUpFlag}; }
};

// The field the password dialog fills from what the operator typed: padded
// with spaces to ten characters and scrambled as passwords are stored.
PasswordField makePasswordField(std::string_view typed);

// Speed code the link asks for, from the configured baud rate.
std::uint8_t requestedSpeedCodeForBaud(std::uint32_t baud);

}  // namespace zelta::link
