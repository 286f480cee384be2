#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "link/comm.h"
#include "link/pager_link.h"
#include "recording_reporter.h"
#include "scripted_device.h"

namespace zelta::testing {

using Bytes = std::vector<std::uint8_t>;

inline Bytes operator+(Bytes a, const Bytes& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

inline Bytes frameBytes(std::uint8_t command, std::uint8_t sub, std::uint16_t location,
                        std::uint16_t length) {
  return {command, sub, static_cast<std::uint8_t>(location >> 8),
          static_cast<std::uint8_t>(location), 0, 0, static_cast<std::uint8_t>(length >> 8),
          static_cast<std::uint8_t>(length)};
}

// Byte 0 and bytes 1-8 carry nothing the PC uses.
inline Bytes informationRecord(const std::string& firmware6) {
  Bytes record(15, ' ');
  for (std::size_t i = 0; i < 6 && i < firmware6.size(); ++i) {
    record[9 + i] = static_cast<std::uint8_t>(firmware6[i]);
  }
  return record;
}

inline Bytes serialRecord(const std::string& serial10) {
  Bytes record(serial10.begin(), serial10.end());
  record.resize(20, ' ');
  return record;
}

// An image of a model, version 8.3.4, whose bytes sum to 0xFF.
inline Bytes imageBlock(std::size_t size, std::uint8_t model, std::uint8_t versionHi = 0x18,
                        std::uint8_t versionLo = 0x34) {
  Bytes image(size);
  for (std::size_t i = 0; i < size; ++i) image[i] = static_cast<std::uint8_t>(i * 7 + 3);
  image[1] = model;
  image[0x96] = versionHi;
  image[0x97] = versionLo;
  std::uint8_t sum = 0;
  for (std::size_t i = 0; i + 1 < size; ++i) sum = static_cast<std::uint8_t>(sum + image[i]);
  image[size - 1] = static_cast<std::uint8_t>(0xFF - sum);
  return image;
}

inline std::uint8_t sumOf(const Bytes& bytes) {
  std::uint8_t sum = 0;
  for (std::uint8_t b : bytes) sum = static_cast<std::uint8_t>(sum + b);
  return sum;
}

// The link over a scripted pager, a fake clock and a recording reporter.
struct LinkFixture {
  FakeClock clock;
  ScriptedDevice device{clock};
  RecordingReporter reporter;
  link::TDComm comm{device, reporter, clock};
  link::PagerLink link{comm, reporter};
  Bytes image = Bytes(0x800);
  Bytes copy = Bytes(0x800);
  Bytes oldFormat = Bytes(0x300);
  link::PasswordField password{'S', 'E', 'C', 'R', 'E', 'T', ' ', ' ', ' ', ' '};
  int passwordDialogs = 0;

  LinkFixture() {
    comm.SetPortName("/dev/ttyTEST0");
    link.setImageBuffers({image, copy, oldFormat});
    link.setHooks({nullptr, [this](link::PasswordField& field) {
                     ++passwordDialogs;
                     field = password;
                   }});
    link.beginOperation();
  }

  // The pager answers the speed code with its model.
  void wake(std::uint8_t model, std::uint8_t speedCode = 0xAA) {
    device.expect({speedCode}).reply({model});
  }
};

}  // namespace zelta::testing
