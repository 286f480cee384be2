#include "text/prompt_block.h"

#include <algorithm>
#include <string>

#include "text/default_prompts.h"

namespace zelta::text {
using models::kModelSpace;
namespace {

constexpr int kLengthBits = 6;
constexpr int kCodeBits = 6;
constexpr int kRomNumberBits = 7;
constexpr std::size_t kLongestList = 123;
constexpr std::size_t kLongestPromptBits = kLengthBits + kPromptMaxChars * kCodeBits;
static_assert(kPromptWorkBufferBytes * 8 > kLongestList * kLongestPromptBits);

class BitWriter {
 public:
  explicit BitWriter(PromptWorkBuffer& buffer) : buffer_(buffer) {}

  void put(unsigned value, int bits) {
    for (int i = bits - 1; i >= 0; --i, ++position_) {
      if (((value >> i) & 1U) != 0) {
        buffer_[position_ / 8] |= static_cast<std::uint8_t>(0x80U >> (position_ % 8));
      }
    }
  }
  std::size_t position() const { return position_; }

 private:
  PromptWorkBuffer& buffer_;
  std::size_t position_ = 0;
};

// n bits (at most 9) at a bit position: the top n bits of the big-endian
// pair of bytes holding it, shifted left by the bit offset.
unsigned readBits(std::span<const std::uint8_t> block, std::size_t position, int bits) {
  const std::size_t p = position / 8;
  const auto byteAt = [&](std::size_t i) -> unsigned { return i < block.size() ? block[i] : 0U; };
  const unsigned pair = (byteAt(p) << 8 | byteAt(p + 1)) << (position % 8);
  return (pair & 0xFFFFU) >> (16 - bits);
}

}  // namespace

int promptBlockCapacity(models::ModelCode model, bool firmwareR0102) {
  using models::ModelGroup;
  if (models::modelIn(model, ModelGroup::dFamily)) return 1200;
  if (models::modelIn(model, ModelGroup::largeQModels)) return 600;
  if (model == kModelSpace && firmwareR0102) return 474;
  return 510;
}

int packPrompts(PromptSet& prompts, const PromptPacking& packing, PromptWorkBuffer& buffer) {
  buffer.fill(0);
  BitWriter writer{buffer};
  const auto entries = promptListEntries(packing.list);
  const int count = packedPromptCount(packing.list, packing.showSource);
  for (int index = 0; index < count; ++index) {
    Prompt& prompt = prompts[entries[static_cast<std::size_t>(index)]];
    if (prompt.text.contains(kDefaultMarker)) {
      const int rom = romPromptNumber(packing.language, index, packing.list);
      if (rom >= 0) {
        writer.put(1, 1);
        writer.put(static_cast<unsigned>(rom), kRomNumberBits);
        continue;
      }
      if (const auto text = defaultText(packing.language, index, packing.list)) {
        prompt = {PromptText{*text}, false};
      }
    }
    const EncodedPrompt encoded = encodePromptText(prompt.text.view(), packing.model);
    writer.put(static_cast<unsigned>(encoded.size), kLengthBits);
    for (std::size_t i = 0; i < encoded.size; ++i) writer.put(encoded.codes[i], kCodeBits);
  }
  return static_cast<int>(writer.position() / 8);
}

int promptUsagePercent(int lastByte, int capacity) {
  const int m = capacity - 1;
  if (m <= 0) return 100;
  return (200 * lastByte + m) / (2 * m);
}

PromptSizeCheck checkPromptSize(PromptSet& prompts, const PromptPacking& packing, int capacity,
                                PromptWorkBuffer& buffer, errors::Reporter& reporter, bool report) {
  PromptSizeCheck check;
  check.lastByte = packPrompts(prompts, packing, buffer);
  check.fits = promptBlockFits(check.lastByte, capacity);
  if (check.fits) {
    check.usagePercent = promptUsagePercent(check.lastByte, capacity);
  } else if (report) {
    const int needed = check.lastByte + 1;
    reporter.ReportCode(errors::code::PromptsTooLarge,
                        "The prompts need " + std::to_string(needed) +
                            " bytes; the prompt memory of this pager holds " +
                            std::to_string(capacity) + ". Shorten them by " +
                            std::to_string(needed - capacity) + " bytes or more.");
  }
  return check;
}

errors::ResultCode copyPromptBlock(const PromptWorkBuffer& buffer, int lastByte,
                                   std::span<std::uint8_t> block, bool zeroFillTail) {
  const auto used = static_cast<std::size_t>(lastByte) + 1;
  if (lastByte < 0 || used > block.size()) return errors::code::PromptsTooLarge;
  std::copy_n(buffer.begin(), used, block.begin());
  if (zeroFillTail) std::fill(block.begin() + static_cast<std::ptrdiff_t>(used), block.end(), 0);
  return errors::code::Ok;
}

void unpackPromptIndex(std::span<const std::uint8_t> block, std::span<PromptIndexEntry> entries) {
  std::size_t position = 0;
  for (PromptIndexEntry& entry : entries) {
    const auto bitInByte = static_cast<PromptIndexEntry>(position % 8);
    if (readBits(block, position, 1) == 1) {
      const auto rom = static_cast<PromptIndexEntry>(readBits(block, position + 1, kRomNumberBits));
      entry = static_cast<PromptIndexEntry>(kRomReferenceBit | rom << 3 | bitInByte);
      position += 1 + kRomNumberBits;
    } else {
      entry = static_cast<PromptIndexEntry>((position / 8) << 3 | bitInByte);
      const unsigned length = readBits(block, position + 1, kLengthBits - 1);
      position += kLengthBits + kCodeBits * length;
    }
  }
}

Prompt promptFromIndex(std::span<const std::uint8_t> block, PromptIndexEntry entry) {
  if ((entry & kRomReferenceBit) != 0) return {PromptText{kDefaultMarker}, true};
  std::size_t position = static_cast<std::size_t>((entry >> 3) & 0x7FF) * 8 + (entry & 7U);
  const std::size_t length =
      std::min<std::size_t>(readBits(block, position, kLengthBits), kPromptMaxChars);
  position += kLengthBits;
  std::array<char, kPromptMaxChars> chars{};
  for (std::size_t i = 0; i < length; ++i, position += kCodeBits) {
    chars[i] = decodePromptCode(static_cast<std::uint8_t>(readBits(block, position, kCodeBits)));
  }
  Prompt prompt{PromptText{std::string_view{chars.data(), length}}, false};
  prompt.builtIn = prompt.text.contains(kDefaultMarker);
  return prompt;
}

void unpackPrompts(std::span<const std::uint8_t> block, PromptSet& prompts, PromptList list,
                   bool showSource) {
  std::array<PromptIndexEntry, kLongestList> entries{};
  const auto count = static_cast<std::size_t>(packedPromptCount(list, showSource));
  unpackPromptIndex(block, std::span{entries}.first(count));
  const auto ids = promptListEntries(list);
  for (std::size_t i = 0; i < count; ++i) prompts[ids[i]] = promptFromIndex(block, entries[i]);
}

}  // namespace zelta::text
