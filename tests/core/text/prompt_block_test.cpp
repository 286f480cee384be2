#include "text/prompt_block.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "prompt_printers.h"
#include "support/recording_reporter.h"
#include "text/default_prompts.h"
#include "text/languages.h"

namespace zelta::text {
namespace {

using enum PromptId;

PromptSet allPrompts(std::string_view text) {
  PromptSet prompts;
  for (Prompt& p : prompts.prompts) p = {PromptText{text}, false};
  return prompts;
}

std::vector<PromptIndexEntry> indexOf(const PromptWorkBuffer& buffer, int count) {
  std::vector<PromptIndexEntry> entries(static_cast<std::size_t>(count));
  unpackPromptIndex(buffer, entries);
  return entries;
}

constexpr PromptIndexEntry textAt(int bit) {
  return static_cast<PromptIndexEntry>((bit / 8) << 3 | bit % 8);
}

TEST(PromptBlock, TextAndRomReferenceForms) {
  PromptSet prompts = allPrompts("A");
  prompts[autoOnPrompt].text.assign("  set alarm  ");  // index 0
  prompts[setAlertPrompt].text.assign("");             // index 1
  prompts[duplicatePrompt].text.assign("<DEFAULT>");   // index 19, English ROM prompt 2
  PromptWorkBuffer buffer;
  const PromptPacking packing{PromptList::list48, '0', lang::english, false};
  const int lastByte = packPrompts(prompts, packing, buffer);

  // "SET ALARM": length 9, then codes 28 14 29 54 10 21 10 27 22, six bits each.
  const std::vector<std::uint8_t> head{0x25, 0xC3, 0x9D, 0xD8, 0xA5, 0x4A, 0x6D};
  EXPECT_TRUE(std::equal(head.begin(), head.end(), buffer.begin()));
  EXPECT_EQ(buffer[7] >> 4, 0x6);

  const auto entries = indexOf(buffer, 32);
  EXPECT_EQ(entries[0], textAt(0));
  EXPECT_EQ(entries[1], textAt(60));  // "SET ALARM" took 60 bits
  EXPECT_EQ(entries[2], textAt(72));  // the empty prompt 12 bits
  const int romBit = 72 + 17 * 12;    // after seventeen "A" prompts
  EXPECT_EQ(entries[19], kRomReferenceBit | 2 << 3 | romBit % 8);
  EXPECT_EQ(entries[20], textAt(romBit + 8));  // the reference took 8 bits
  const unsigned reference = (buffer[romBit / 8] << 8 | buffer[romBit / 8 + 1]) >> (8 - romBit % 8);
  EXPECT_EQ(reference & 0xFF, 0x80U | 2U);

  const int totalBits = romBit + 8 + 12 * 12;
  EXPECT_EQ(lastByte, totalBits / 8);
  EXPECT_EQ(promptFromIndex(buffer, entries[0]), (Prompt{PromptText{"SET ALARM"}, false}));
  EXPECT_EQ(promptFromIndex(buffer, entries[1]), (Prompt{PromptText{" "}, false}));
  EXPECT_EQ(promptFromIndex(buffer, entries[19]), (Prompt{PromptText{"<DEFAULT>"}, true}));
}

TEST(PromptBlock, EndingOnAByteBoundaryCountsTheNextByte) {
  // Two prompts of 1 and 5 characters: 12 + 36 = 48 bits, exactly six bytes.
  PromptSet prompts = allPrompts("A");
  PromptWorkBuffer buffer;
  // 48-list without sources: 32 prompts of 12 bits = 384 bits = 48 bytes.
  EXPECT_EQ(packPrompts(prompts, {PromptList::list48, '0', lang::english, false}, buffer), 48);
  prompts[autoOnPrompt].text.assign("AB");  // 6 more bits
  EXPECT_EQ(packPrompts(prompts, {PromptList::list48, '0', lang::english, false}, buffer), 48);
}

TEST(PromptBlock, DefaultWithoutRomPromptTakesTheLanguageText) {
  PromptSet prompts = allPrompts("A");
  prompts[setLockPrompt] = {PromptText{"<DEFAULT>"}, true};
  prompts[standardAlertPrompt] = {PromptText{"<DEFAULT>"}, true};
  PromptWorkBuffer buffer;
  packPrompts(prompts, {PromptList::list48, '0', lang::germanSwiss, false}, buffer);
  EXPECT_EQ(prompts[setLockPrompt], (Prompt{PromptText{"NACHRICHT SPERREN"}, false}));
  EXPECT_EQ(prompts[standardAlertPrompt], (Prompt{PromptText{"STANDARDRUF"}, false}));

  // On the long lists nothing is in ROM.
  prompts[standardAlertPrompt] = {PromptText{"<DEFAULT>"}, true};
  packPrompts(prompts, {PromptList::list118, 0x91, lang::english, false}, buffer);
  EXPECT_EQ(prompts[standardAlertPrompt], (Prompt{PromptText{"STANDARD ALERT"}, false}));
}

TEST(PromptBlock, DefaultWithoutAnyTextPacksTheMarkerAsText) {
  PromptSet prompts = allPrompts("A");
  prompts[zoomInPrompt] = {PromptText{"<DEFAULT>"}, true};  // index 15, no ROM, no text
  PromptWorkBuffer buffer;
  packPrompts(prompts, {PromptList::list48, '0', lang::english, false}, buffer);
  EXPECT_EQ(prompts[zoomInPrompt], (Prompt{PromptText{"<DEFAULT>"}, true}));
  const auto entries = indexOf(buffer, 17);
  EXPECT_EQ(entries[16], textAt(15 * 12 + 6 + 9 * 6));
  EXPECT_EQ(promptFromIndex(buffer, entries[15]), (Prompt{PromptText{"<DEFAULT>"}, true}));
}

TEST(PromptBlock, Capacity) {
  EXPECT_EQ(promptBlockCapacity(0x91, false), 1200);
  EXPECT_EQ(promptBlockCapacity(0x99, false), 1200);
  EXPECT_EQ(promptBlockCapacity('q', false), 600);
  EXPECT_EQ(promptBlockCapacity('u', true), 600);
  EXPECT_EQ(promptBlockCapacity(' ', true), 474);
  EXPECT_EQ(promptBlockCapacity(' ', false), 510);
  EXPECT_EQ(promptBlockCapacity('!', true), 510);
  EXPECT_EQ(promptBlockCapacity('p', false), 510);
}

// Spreads totalChars characters over every packed prompt of the list.
PromptSet promptsOfTotalLength(PromptList list, int totalChars) {
  PromptSet prompts;
  const auto ids = promptListEntries(list);
  const int count = static_cast<int>(ids.size());
  for (int i = 0; i < count; ++i) {
    const int length = totalChars / count + (i < totalChars % count ? 1 : 0);
    prompts[ids[static_cast<std::size_t>(i)]].text.assign(
        std::string(static_cast<std::size_t>(length), 'W'));
  }
  return prompts;
}

struct BoundaryCase {
  PromptList list;
  models::ModelCode model;
  int totalChars;
  int lastByte;
  bool fits;
};

class PromptBlockBoundaryTest : public ::testing::TestWithParam<BoundaryCase> {};

TEST_P(PromptBlockBoundaryTest, FitsUpToTheLastByte) {
  const BoundaryCase& c = GetParam();
  PromptSet prompts = promptsOfTotalLength(c.list, c.totalChars);
  PromptWorkBuffer buffer;
  testing::RecordingReporter reporter;
  const PromptSizeCheck check =
      checkPromptSize(prompts, {c.list, c.model, lang::english, true},
                      promptBlockCapacity(c.model, false), buffer, reporter, true);
  EXPECT_EQ(check.lastByte, c.lastByte);
  EXPECT_EQ(check.fits, c.fits);
  if (c.fits) {
    EXPECT_TRUE(reporter.shown.empty());
    EXPECT_EQ(check.usagePercent, 100);
  } else {
    ASSERT_EQ(reporter.shown.size(), 1U);
    // The system's text, then how far the prompts are over the limit.
    const int capacity = promptBlockCapacity(c.model, false);
    EXPECT_EQ(reporter.shown[0].text,
              errors::reportText(errors::code::PromptsTooLarge, errors::MessageContext{}) +
                  "\nThe prompts need " + std::to_string(c.lastByte + 1) +
                  " bytes; the prompt memory of this pager holds " + std::to_string(capacity) +
                  ". Shorten them by " + std::to_string(c.lastByte + 1 - capacity) +
                  " bytes or more.");
    EXPECT_EQ(check.usagePercent, std::nullopt);
  }
}

// Each prompt takes 6 + 6n bits: 48 prompts and 631 characters end in byte
// 509 of a 510-byte block, one more character reaches byte 510; 59 prompts
// and 740 characters fill exactly 600 bytes of a 'q' block.
INSTANTIATE_TEST_SUITE_P(Table, PromptBlockBoundaryTest,
                         ::testing::Values(BoundaryCase{PromptList::list48, '0', 631, 509, true},
                                           BoundaryCase{PromptList::list48, '0', 632, 510, false},
                                           BoundaryCase{PromptList::list59, 'q', 740, 599, true},
                                           BoundaryCase{PromptList::list59, 'q', 741, 600, false}));

TEST(PromptBlock, QuietCheckOnlyMeasures) {
  PromptSet prompts = promptsOfTotalLength(PromptList::list48, 700);
  PromptWorkBuffer buffer;
  testing::RecordingReporter reporter;
  EXPECT_FALSE(checkPromptSize(prompts, {PromptList::list48, '0', lang::english, true}, 510, buffer,
                               reporter, false)
                   .fits);
  EXPECT_TRUE(reporter.shown.empty());
}

TEST(PromptBlock, UsagePercent) {
  EXPECT_EQ(promptUsagePercent(0, 510), 0);
  EXPECT_EQ(promptUsagePercent(254, 510), 50);  // 49.9
  EXPECT_EQ(promptUsagePercent(252, 510), 50);  // 49.5 rounds up
  EXPECT_EQ(promptUsagePercent(251, 510), 49);
  EXPECT_EQ(promptUsagePercent(509, 510), 100);
  EXPECT_EQ(promptUsagePercent(600, 1200), 50);
}

TEST(PromptBlock, LongestPossibleBlockStaysInTheBuffer) {
  PromptSet prompts = allPrompts("WWWWWWWWWWWWWWWWWWWW");
  PromptWorkBuffer buffer;
  testing::RecordingReporter reporter;
  const auto check = checkPromptSize(prompts, {PromptList::list123, 0x98, lang::english, true},
                                     1200, buffer, reporter, true);
  EXPECT_EQ(check.lastByte, 123 * 126 / 8);
  EXPECT_FALSE(check.fits);
}

TEST(PromptBlock, CopyIntoTheImage) {
  PromptSet prompts = allPrompts("A");
  PromptWorkBuffer buffer;
  const int lastByte =
      packPrompts(prompts, {PromptList::list48, '0', lang::english, false}, buffer);
  ASSERT_EQ(lastByte, 48);

  std::vector<std::uint8_t> block(510, 0xAA);
  ASSERT_EQ(copyPromptBlock(buffer, lastByte, block, true), errors::code::Ok);
  EXPECT_TRUE(std::equal(block.begin(), block.begin() + 49, buffer.begin()));
  EXPECT_TRUE(std::all_of(block.begin() + 49, block.end(), [](std::uint8_t b) { return b == 0; }));

  std::fill(block.begin(), block.end(), 0xAA);
  ASSERT_EQ(copyPromptBlock(buffer, lastByte, block, false), errors::code::Ok);
  EXPECT_TRUE(
      std::all_of(block.begin() + 49, block.end(), [](std::uint8_t b) { return b == 0xAA; }));

  std::vector<std::uint8_t> small(48, 0xAA);
  EXPECT_EQ(copyPromptBlock(buffer, lastByte, small, true), errors::code::PromptsTooLarge);
  EXPECT_TRUE(std::all_of(small.begin(), small.end(), [](std::uint8_t b) { return b == 0xAA; }));
}

struct ListModel {
  PromptList list;
  models::ModelCode model;
};

class PromptRoundTripTest : public ::testing::TestWithParam<ListModel> {};

// What a prompt reads as after packing: the pager stores no empty text.
Prompt asStored(const Prompt& p) {
  if (p.text.empty()) return {PromptText{" "}, false};
  return p;
}

TEST_P(PromptRoundTripTest, EveryLanguageReadsBack) {
  const auto [list, model] = GetParam();
  const auto ids = promptListEntries(list);
  for (int language = 0; language < kTableLanguages; ++language) {
    for (bool showSource : {false, true}) {
      SCOPED_TRACE(::testing::Message() << "language " << language << " sources " << showSource);
      PromptSet packed = allPrompts("ZZ");
      applyLanguageDefaults(packed, language, list);
      PromptWorkBuffer buffer;
      packPrompts(packed, {list, model, language, showSource}, buffer);

      PromptSet read = allPrompts("QQ");
      unpackPrompts(buffer, read, list, showSource);
      const int count = packedPromptCount(list, showSource);
      for (int i = 0; i < static_cast<int>(ids.size()); ++i) {
        const PromptId id = ids[static_cast<std::size_t>(i)];
        if (i < count) {
          EXPECT_EQ(read[id], asStored(packed[id])) << i << " " << packed[id].text.view();
        } else {
          EXPECT_EQ(read[id].text, "QQ") << i;
        }
      }
    }
  }
}

INSTANTIATE_TEST_SUITE_P(
    Lists, PromptRoundTripTest,
    ::testing::Values(ListModel{PromptList::list48, '1'}, ListModel{PromptList::list49, ' '},
                      ListModel{PromptList::list59, 'p'}, ListModel{PromptList::list118, 0x91},
                      ListModel{PromptList::list119, 0x93}, ListModel{PromptList::list123, 0x98}));

TEST(PromptBlock, EveryCharacterRoundTrips) {
  const std::string all{"0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ#$@[\\]^_`{|}~\x7F?%&/ ><\"'-.*!,"};
  PromptSet prompts = allPrompts("A");
  const auto ids = promptListEntries(PromptList::list59);
  for (std::size_t i = 0; i * 16 < all.size(); ++i) {
    prompts[ids[i]].text.assign("X" + all.substr(i * 16, 16) + "X");
  }
  PromptWorkBuffer buffer;
  packPrompts(prompts, {PromptList::list59, 'u', lang::english, false}, buffer);
  PromptSet read;
  unpackPrompts(buffer, read, PromptList::list59, false);
  for (std::size_t i = 0; i * 16 < all.size(); ++i) EXPECT_EQ(read[ids[i]], prompts[ids[i]]) << i;

  // Model ' ' has no codes for "*", "!" and ",".
  prompts[autoOnPrompt].text.assign("A*!,B");
  packPrompts(prompts, {PromptList::list49, ' ', lang::english, false}, buffer);
  unpackPrompts(buffer, read, PromptList::list49, false);
  EXPECT_EQ(read[autoOnPrompt].text, "A000B");
}

TEST(PromptBlock, CorruptBlocksReadSafely) {
  PromptSet read;
  const std::vector<std::uint8_t> references(16, 0xFF);  // every prompt ROM 127
  unpackPrompts(references, read, PromptList::list123, true);
  EXPECT_EQ(read[setAlertPrompt], (Prompt{PromptText{"<DEFAULT>"}, true}));

  // A length of 31 codes keeps 20 characters.
  const std::vector<std::uint8_t> longText(64, 0x7F);
  std::array<PromptIndexEntry, 1> entry{};
  unpackPromptIndex(longText, entry);
  EXPECT_EQ(promptFromIndex(longText, entry[0]).text.view().size(), kPromptMaxChars);

  // A block that ends early reads zeros: empty texts.
  const std::vector<std::uint8_t> shortBlock{0x04, 0xA0};  // "A" then nothing
  unpackPrompts(shortBlock, read, PromptList::list123, true);
  EXPECT_EQ(read[autoOnPrompt].text, "A");
  EXPECT_EQ(read[sourcePromptId(64)].text, "");
}

}  // namespace
}  // namespace zelta::text
