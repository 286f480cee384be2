#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

#include "errors/reporter.h"
#include "errors/result_code.h"
#include "models/models.h"
#include "text/prompt_catalogue.h"

namespace zelta::text {

// The compressed prompt block: every prompt of the model's list, in list
// order, as a bit stream written most significant bit first from bit 7 of
// the block's first byte, without alignment. Each prompt is one of
//
//   ROM reference  1 | rrrrrrr          the pager's ROM prompt r (8 bits)
//   text           0nnnnn | c1 .. cn    length n (1-20) in 6 bits, then n
//                                       6-bit codes of the prompt code table
//
// In every family the block starts at image offset 0xEC.
inline constexpr std::size_t kPromptBlockOffset = 0xEC;

// Bytes the image gives the block: 1200 for families D-F, 600 for 'q' and
// 'u', 474 for model ' ' with pager firmware "R0102", 510 otherwise.
int promptBlockCapacity(models::ModelCode model, bool firmwareR0102);

// The packer's work buffer. Large enough for the longest list with every
// prompt 20 characters long (about 1.9 KB), so packing never writes past it
// even when the result is far over the model's capacity.
inline constexpr std::size_t kPromptWorkBufferBytes = 2048;
using PromptWorkBuffer = std::array<std::uint8_t, kPromptWorkBufferBytes>;

// What packing depends on besides the prompts.
struct PromptPacking {
  PromptList list;
  models::ModelCode model;  // model ' ' lacks codes 61-63
  int language;
  bool showSource;
};

// Packs the prompts into the cleared buffer and returns the index of the
// byte holding the next free bit (the used size minus one; a prompt ending
// on a byte boundary moves it to the next byte). A prompt reading
// "<DEFAULT>" that the pager does not hold in ROM takes the language's
// default text here, in the settings too. Does not allocate.
int packPrompts(PromptSet& prompts, const PromptPacking& packing, PromptWorkBuffer& buffer);

// Whether a block whose last used byte is lastByte fits the capacity.
constexpr bool promptBlockFits(int lastByte, int capacity) {
  return lastByte <= capacity - 1;
}

// The prompt-usage gauge: 100 x lastByte / (capacity - 1), rounded.
int promptUsagePercent(int lastByte, int capacity);

struct PromptSizeCheck {
  bool fits = false;
  int lastByte = 0;
  std::optional<int> usagePercent;  // set only when the block fits
};

// Packs and compares with the capacity; a block that does not fit raises
// -58 through the reporter when report is set. Writes nothing into the image.
PromptSizeCheck checkPromptSize(PromptSet& prompts, const PromptPacking& packing, int capacity,
                                PromptWorkBuffer& buffer, errors::Reporter& reporter, bool report);

// Copies the packed bytes into the image's block (capacity bytes) and, when
// zeroFillTail is set, clears the rest of it. A block larger than the area
// is not written at all (-58).
errors::ResultCode copyPromptBlock(const PromptWorkBuffer& buffer, int lastByte,
                                   std::span<std::uint8_t> block, bool zeroFillTail);

// One entry per unpacked prompt:
//
//   bit 14      set for a ROM reference
//   bits 13-3   byte offset of the prompt's start in the block, or the ROM number
//   bits 2-0    bit position (0 = most significant) where the prompt starts
using PromptIndexEntry = std::uint16_t;
inline constexpr PromptIndexEntry kRomReferenceBit = 1U << 14;

// Walks the block and fills one entry for each of the first entries.size()
// prompts. Bytes past the end of the block read as zero.
void unpackPromptIndex(std::span<const std::uint8_t> block, std::span<PromptIndexEntry> entries);

// The prompt an entry stands for: "<DEFAULT>" with the built-in flag for a
// ROM reference, else its decoded text (a corrupt length over 20 keeps the
// first 20 characters).
Prompt promptFromIndex(std::span<const std::uint8_t> block, PromptIndexEntry entry);

// Reads every packed prompt of the list back into the set; prompts the block
// does not hold (sources while "Show Source" is No) keep their values.
void unpackPrompts(std::span<const std::uint8_t> block, PromptSet& prompts, PromptList list,
                   bool showSource);

}  // namespace zelta::text
