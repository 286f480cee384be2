#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "models/models.h"

namespace zelta::link {

using models::ModelCode;

// Bytes with a meaning of their own on the line.
namespace wire {
inline constexpr std::uint8_t kPasswordAccepted = 0xBB;
inline constexpr std::uint8_t kNak = 0x15;
inline constexpr std::uint8_t kAck = 0x06;
inline constexpr std::uint8_t kTestAccepted = '.';
inline constexpr std::uint8_t kTestClose = 'U';
inline constexpr std::size_t kFrameBytes = 8;
inline constexpr std::size_t kSerialRecordBytes = 20;
inline constexpr std::size_t kSerialNumberBytes = 10;
inline constexpr std::size_t kReadReplyBytes = 2;
inline constexpr std::size_t kPasswordBytes = 10;
inline constexpr std::size_t kClockBytes = 5;
}  // namespace wire

// The two command sets: A for the newer pagers, B for the rest and for
// every first contact while the model is unknown.
enum class Variant { A, B };

Variant variantFor(ModelCode model);

// The image block a model exchanges: its length and where the frame points.
//
//   frame  0        1           2-3           4-5     6-7
//        command  subcommand  location (BE)  00 00  length (BE)
struct BlockGeometry {
  std::uint16_t location;
  std::uint16_t length;
};

BlockGeometry blockGeometry(ModelCode model, std::uint8_t extendedFirmware);

using Frame = std::array<std::uint8_t, wire::kFrameBytes>;

Frame makeFrame(std::uint8_t command, std::uint8_t subcommand, std::uint16_t location,
                std::uint16_t length);

// Models a wake-up of each variant takes as an answer.
bool wakeAnswerAccepted(Variant variant, std::uint8_t answer);

// Models the information probe serves.
bool probeAccepts(ModelCode model);

// A model code as texts show it: "0x71 'q'", "0x98".
std::string modelLabel(ModelCode model);

}  // namespace zelta::link
