#pragma once

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "link/comm.h"
#include "link/link_state_seam.h"
#include "link/operation_scope.h"
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
  return {
      command, sub, static_cast<std::uint8_t>(location >> 8), static_cast<std::uint8_t>(location),
      0,       0,   static_cast<std::uint8_t>(length >> 8),   static_cast<std::uint8_t>(length)};
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

// The image with its last byte set so that all its bytes sum to 0xFF, as a
// pager sends it.
inline Bytes withClosingSum(Bytes image) {
  if (image.empty()) return image;
  std::uint8_t sum = 0;
  for (std::size_t i = 0; i + 1 < image.size(); ++i)
    sum = static_cast<std::uint8_t>(sum + image[i]);
  image.back() = static_cast<std::uint8_t>(0xFF - sum);
  return image;
}

// An image of a model with a version stamp (8.3.4 unless told), bytes made
// from the seed, summing to 0xFF.
inline Bytes imageBlock(std::size_t size, std::uint8_t model, std::uint8_t versionHi = 0x18,
                        std::uint8_t versionLo = 0x34, std::uint8_t seed = 3) {
  Bytes image(std::max<std::size_t>(size, 0x100));
  for (std::size_t i = 0; i < size; ++i) image[i] = static_cast<std::uint8_t>(i * 7 + seed);
  image[1] = model;
  image[0x96] = versionHi;
  image[0x97] = versionLo;
  image.resize(size);
  return withClosingSum(image);
}

// What the pager answers a read frame with, up to its status letter:
// read reply, information record, serial record, then the tail given.
inline Bytes readAnswer(std::uint8_t model, const std::string& firmware6,
                        const std::string& serial10, const Bytes& tail) {
  return Bytes{0x06, model} + informationRecord(firmware6) + serialRecord(serial10) + tail;
}

inline std::uint8_t sumOf(const Bytes& bytes) {
  std::uint8_t sum = 0;
  for (std::uint8_t b : bytes) sum = static_cast<std::uint8_t>(sum + b);
  return sum;
}

// The image regions a link reads into and writes from, and the password
// dialog that fills the password field.
struct LinkBuffers {
  Bytes image = Bytes(0x800);
  Bytes copy = Bytes(0x800);
  Bytes oldFormat = Bytes(0x300);
  link::PasswordField password{'S', 'E', 'C', 'R', 'E', 'T', ' ', ' ', ' ', ' '};
  int passwordDialogs = 0;

  void attach(link::PagerLink& link) {
    link.setImageBuffers({image, copy, oldFormat});
    link.setHooks({nullptr,
                   [this](link::PasswordField& field) {
                     ++passwordDialogs;
                     field = password;
                   },
                   nullptr, nullptr});
  }
};

// What an earlier exchange of the operation would have taught the link.
inline link::LinkState& writableState(link::PagerLink& link) {
  return link::LinkStateSeam::of(link);
}

// The link over a scripted pager, a fake clock and a recording reporter.
struct LinkFixture : LinkBuffers {
  FakeClock clock;
  ScriptedDevice device{clock};
  RecordingReporter reporter;
  link::TDComm comm{device, reporter, clock};
  link::PagerLink link{comm, reporter};
  // Every test runs inside one operation.
  std::optional<link::OperationScope> operation;

  LinkFixture() {
    comm.SetPortName("/dev/ttyTEST0");
    attach(link);
    operation.emplace(link);
  }

  // The pager answers the speed code with its model.
  void wake(std::uint8_t model, std::uint8_t speedCode = 0xAA) {
    device.expect({speedCode}).reply({model});
  }
};

}  // namespace zelta::testing
