#include "codeplug/data_process.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "srecord_fixture.h"

namespace zelta::codeplug {
namespace {

using testing::headerRecord;
using testing::patternImage;
using testing::record;
using testing::srecFile;

std::vector<std::string> splitCrLf(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t at = 0;
  while (at < text.size()) {
    const std::size_t end = text.find("\r\n", at);
    if (end == std::string::npos) {
      lines.push_back(text.substr(at));  // an unterminated tail fails the caller's checks
      break;
    }
    lines.push_back(text.substr(at, end - at));
    at = end + 2;
  }
  return lines;
}

struct Loaded {
  models::ModelCode model;
  CodeplugImage image;
  SettingsRecord settings;
};

// Parses text into a fresh image whose every byte starts as 0xEE, so that
// both the copied bytes and the cleared remainder show.
std::unique_ptr<Loaded> load(const std::string& text, bool relaxed = false) {
  auto l = std::make_unique<Loaded>();
  std::fill(l->image.buffer().begin(), l->image.buffer().end(), 0xEE);
  std::istringstream in(text);
  DataProcess dp(l->image, l->settings);
  l->model = relaxed ? dp.parseSRecordImageRelaxed(in) : dp.parseSRecordImage(in);
  return l;
}

std::string written(CodeplugImage& image) {
  SettingsRecord settings;
  std::ostringstream out;
  DataProcess(image, settings).writeSRecordImage(out);
  return out.str();
}

bool regionEquals(ConstImageView view, std::span<const std::uint8_t> bytes) {
  return std::equal(bytes.begin(), bytes.end(), view.span().begin());
}

TEST(SRecordWriter, OneKbModelWritesHeader64DataRecordsAndEnd) {
  CodeplugImage image;
  const auto bytes = patternImage(1024, '1');
  std::copy(bytes.begin(), bytes.end(), image.buffer().begin());
  image.setModel('1');
  image.header() = {1, 32, true, '1'};

  const auto lines = splitCrLf(written(image));
  ASSERT_EQ(lines.size(), 66U);
  // 09 + 01 + 4C 58 34 + 20 + 31 = 0x133; complement of 0x33 is 0xCC.
  EXPECT_EQ(lines.front(), "S0090000014C58342031CC");
  for (std::size_t k = 0; k < 64; ++k) {
    const std::string& l = lines[k + 1];
    ASSERT_EQ(l.size(), 42U);
    EXPECT_EQ(l.substr(0, 4), "S113");
    EXPECT_EQ(l, record("S1", static_cast<unsigned>(16 * k), std::span(bytes).subspan(16 * k, 16)));
  }
  EXPECT_EQ(lines[64].substr(4, 4), "03F0");
  EXPECT_EQ(lines.back(), "S9030000FC");
}

TEST(SRecordWriter, ImageSizeFollowsTheModel) {
  struct Case {
    models::ModelCode model;
    std::size_t dataRecords;
  };
  for (const Case c : {Case{'0', 64}, Case{'6', 64}, Case{'p', 64}, Case{'x', 64}, Case{'q', 128},
                       Case{'u', 128}, Case{0x91, 128}, Case{0x97, 128}, Case{0x99, 128},
                       Case{'#', 64}, Case{models::kNoModel, 64}}) {
    CodeplugImage image;
    image.setModel(c.model);
    const auto lines = splitCrLf(written(image));
    EXPECT_EQ(lines.size(), c.dataRecords + 2) << "model " << int(c.model);
    EXPECT_EQ(lines[c.dataRecords].substr(4, 4), c.dataRecords == 128 ? "07F0" : "03F0");
  }
}

TEST(SRecordRoundTrip, EveryFileModelReadsBackItsBytesAndHeader) {
  for (const models::ModelInfo& info : models::kModels) {
    if (info.family == models::Family::OldFormat) continue;  // written as the converted model
    const auto size = static_cast<std::size_t>(fileImageBytes(info.code));
    CodeplugImage image;
    const auto bytes = patternImage(size, info.code, info.code);
    std::copy(bytes.begin(), bytes.end(), image.buffer().begin());
    image.setModel(info.code);
    image.header() = {2, 8, false, info.code};

    const auto l = load(written(image));
    ASSERT_EQ(l->model, info.code) << "model " << int(info.code);
    EXPECT_TRUE(regionEquals(l->image.current(), bytes));
    EXPECT_EQ(l->image.header().cgromType, 2);
    EXPECT_EQ(l->image.header().memorySize, 8);
    EXPECT_FALSE(l->image.header().largeMemory);
    EXPECT_EQ(l->image.header().modelByte, info.code);
    EXPECT_EQ(l->settings.modelCodeAsRead, info.code);
  }
}

// Variants of one valid 1 KB file that must load to the same image.
TEST(SRecordReader, AcceptsOtherBasesCasesAndLineEnds) {
  const auto bytes = patternImage(1024, 'p');
  auto lowerCase = [](std::string s) {
    std::transform(s.begin(), s.end(), s.begin(),
                   [](unsigned char c) { return char(std::tolower(c)); });
    // The record types stay "S0"/"S1"/"S9".
    for (std::size_t at = 0; (at = s.find('s', at)) != std::string::npos; ++at) s[at] = 'S';
    return s;
  };
  struct Case {
    const char* name;
    std::string text;
  };
  const Case cases[] = {
      {"CR LF at 0", srecFile(bytes)},
      {"base 0x8000", srecFile(bytes, 0x8000)},
      {"base 0xF800", srecFile(bytes, 0xF800)},
      {"LF only", srecFile(bytes, 0, "\n")},
      {"CR only", srecFile(bytes, 0, "\r")},
      {"lower-case hex, LF", lowerCase(srecFile(bytes, 0, "\n"))},
      {"no final line end", srecFile(bytes).substr(0, srecFile(bytes).size() - 2)},
  };
  for (const Case& c : cases) {
    const auto l = load(c.text);
    EXPECT_EQ(l->model, 'p') << c.name;
    EXPECT_TRUE(regionEquals(l->image.current(), bytes)) << c.name;
  }
}

TEST(SRecordReader, RecordsMayComeInAnyOrder) {
  const auto bytes = patternImage(1024, '0');
  std::vector<std::string> lines;
  for (std::size_t at = 0; at < bytes.size(); at += 16) {
    lines.push_back(
        record("S1", static_cast<unsigned>(0x1000 + at), std::span(bytes).subspan(at, 16)));
  }
  std::reverse(lines.begin(), lines.end());
  std::string text = headerRecord(0, 32, '0') + "\r\n";
  for (const auto& l : lines) text += l + "\r\n";
  const auto l = load(text);
  EXPECT_EQ(l->model, '0');
  EXPECT_TRUE(regionEquals(l->image.current(), bytes));
}

// Every invalid file returns 0 and leaves image, header and settings alone.
TEST(SRecordReader, InvalidFilesChangeNothing) {
  const auto bytes = patternImage(1024, '1');
  const std::string good = srecFile(bytes);
  auto withLine = [&](std::size_t lineNo, const std::string& replacement) {
    auto lines = splitCrLf(good);
    lines[lineNo] = replacement;
    std::string s;
    for (const auto& l : lines) s += l + "\r\n";
    return s;
  };
  std::string corruptDigit = good;
  const std::size_t digit = good.find("S113") + 20;  // a data digit of the first record
  corruptDigit[digit] = corruptDigit[digit] == '0' ? '1' : '0';
  std::string corruptChecksum = good;
  const std::size_t lineEnd = good.find("\r\n", good.find("S113"));
  corruptChecksum[lineEnd - 1] = corruptChecksum[lineEnd - 1] == '0' ? '1' : '0';
  const std::vector<std::uint8_t> sixteen(16, 0x11);

  struct Case {
    const char* name;
    std::string text;
  };
  const Case cases[] = {
      {"empty file", ""},
      {"header only", headerRecord(0, 32, '1') + "\r\nS9030000FC\r\n"},
      {"changed data digit", corruptDigit},
      {"changed checksum", corruptChecksum},
      {"record one digit short", withLine(5, splitCrLf(good)[5].substr(0, 41))},
      {"record one digit long", withLine(5, splitCrLf(good)[5] + "0")},
      {"byte count below 3", withLine(5, "S1020000FD")},
      {"record past the 2 KB buffer", good + record("S1", 0x0800, sixteen) + "\r\n"},
      {"record ending past the buffer", good + record("S1", 0x07F8, sixteen) + "\r\n"},
      {"short current-form header", withLine(0, "S0090000014C")},
      {"short old-form header", withLine(0, "S0050000414243FF")},
      {"2048 bytes for a 1 KB model", srecFile(patternImage(2048, 'p'))},
      {"768 bytes for a 1 KB model", srecFile(patternImage(768, '1'))},
      {"1024 bytes for a 2 KB model", srecFile(patternImage(1024, 'q'))},
      {"1024 bytes for model '#'", srecFile(patternImage(1024, '#'))},
      {"unknown model beyond the old window", srecFile(patternImage(1024, 'Z'))},
      {"model byte 0", srecFile(patternImage(1024, 0))},
  };
  for (const Case& c : cases) {
    const auto l = load(c.text);
    EXPECT_EQ(l->model, 0) << c.name;
    EXPECT_TRUE(std::all_of(l->image.buffer().begin(), l->image.buffer().end(), [](auto b) {
      return b == 0xEE;
    })) << c.name;
    EXPECT_EQ(l->image.header().modelByte, models::kNoModel) << c.name;
    EXPECT_EQ(l->image.header().memorySize, 32) << c.name;
    EXPECT_EQ(l->settings.modelCodeAsRead, models::kNoModel) << c.name;
  }
}

TEST(SRecordReader, DestinationFollowsModelAndSize) {
  struct Case {
    models::ModelCode model;
    std::size_t size;
    std::size_t destination;
  };
  const Case cases[] = {
      {'!', 1024, CodeplugImage::kCurrentOffset},  {'!', 768, CodeplugImage::kOldFormatOffset},
      {' ', 768, CodeplugImage::kOldFormatOffset}, {0x22, 768, CodeplugImage::kOldFormatOffset},
      {'#', 768, CodeplugImage::kOldFormatOffset}, {'6', 1024, CodeplugImage::kCurrentOffset},
      {':', 1024, CodeplugImage::kCurrentOffset},  {0xCC, 768, CodeplugImage::kOldFormatOffset},
      {'Z', 512, CodeplugImage::kOldFormatOffset},
  };
  for (const Case& c : cases) {
    const auto bytes = patternImage(c.size, c.model);
    const auto l = load(srecFile(bytes));
    ASSERT_EQ(l->model, c.model) << int(c.model) << "/" << c.size;
    const auto buffer = l->image.buffer();
    EXPECT_TRUE(std::equal(bytes.begin(), bytes.end(), buffer.begin() + c.destination))
        << int(c.model);
    // The rest of the destination region is cleared, and so is the other
    // region (no earlier model byte is left at the image start); the copy
    // of the pager's image is untouched.
    const std::size_t regionEnd =
        c.destination == 0 ? CodeplugImage::kCurrentSize
                           : CodeplugImage::kOldFormatOffset + CodeplugImage::kOldFormatSize;
    EXPECT_TRUE(std::all_of(buffer.begin() + c.destination + c.size, buffer.begin() + regionEnd,
                            [](auto b) { return b == 0; }));
    const std::size_t other = c.destination == 0 ? CodeplugImage::kOldFormatOffset : 0;
    EXPECT_EQ(buffer[other + 1], 0);
    EXPECT_EQ(buffer[CodeplugImage::kPagerCopyOffset], 0xEE);
  }
}

TEST(SRecordReader, HeaderForms) {
  const auto bytes = patternImage(1024, '1');
  auto headerOf = [&](const std::string& s0) { return load(srecFile(bytes, 0, "\r\n", s0)); };

  const auto current = headerOf(headerRecord(2, 32, 'x'));
  EXPECT_EQ(current->image.header().cgromType, 2);
  EXPECT_EQ(current->image.header().memorySize, 32);
  EXPECT_TRUE(current->image.header().largeMemory);
  EXPECT_EQ(current->image.header().modelByte, '1');  // byte 1 wins over the header's byte

  const auto small = headerOf(headerRecord(0, 8, '1'));
  EXPECT_EQ(small->image.header().memorySize, 8);
  EXPECT_FALSE(small->image.header().largeMemory);

  // Oldest form: not of count 09 and longer than 33 characters; character
  // 31 tells a 2 KB from an 8 KB memory.
  std::string old = "S0110000000000000000000000000002000000";
  ASSERT_EQ(old[31], '2');
  ASSERT_GT(old.size(), 33U);
  const auto twoKb = headerOf(old);
  ASSERT_EQ(twoKb->model, '1');
  EXPECT_EQ(twoKb->image.header().memorySize, 2);
  EXPECT_FALSE(twoKb->image.header().largeMemory);
  old[31] = '0';
  EXPECT_EQ(headerOf(old)->image.header().memorySize, 8);

  // A file without a header keeps the header values it had.
  std::string noHeader = srecFile(bytes);
  noHeader = noHeader.substr(noHeader.find("S113"));
  const auto none = load(noHeader);
  EXPECT_EQ(none->model, '1');
  EXPECT_EQ(none->image.header().memorySize, 32);
}

TEST(SRecordReader, CharacterRomAndCannedRange) {
  struct Case {
    models::ModelCode model;
    std::uint8_t byte71;
    unsigned headerRom;
    unsigned rom;
    const char* start;
    const char* end;
  };
  const Case cases[] = {
      {'#', 0x00, 0, 4, "0000", "0000"},      // model '#' always has the ideographic ROM
      {0x22, 18 << 2, 0, 3, "0000", "0000"},  // language code 18
      {0x22, (18 << 2) | 3, 1, 3, "0000", "0000"}, {0x22, 17 << 2, 1, 1, "3321", "3F7E"},
      {'1', 18 << 2, 2, 2, "7821", "7D47"},        {'1', 0x00, 5, 5, "0000", "0000"},
  };
  for (const Case& c : cases) {
    auto bytes = patternImage(requiredFileTotal(c.model).value(), c.model);
    bytes[0x71] = c.byte71;
    const auto l = load(srecFile(bytes, 0, "\r\n", headerRecord(c.headerRom, 32, c.model)));
    ASSERT_EQ(l->model, c.model);
    EXPECT_EQ(l->image.header().cgromType, c.rom) << int(c.model) << " rom " << c.headerRom;
    EXPECT_EQ(l->settings.startCannedMsg, c.start);
    EXPECT_EQ(l->settings.endCannedMsg, c.end);
  }
}

// The 1 KB to 2 KB scratch file: real records, then fillers with "00"
// checksums up to 128 records.
std::string scratchFile(std::span<const std::uint8_t> bytes, unsigned records = 128) {
  std::string s = srecFile(bytes);
  s = s.substr(0, s.find("S9"));
  for (unsigned k = static_cast<unsigned>(bytes.size() / 16); k < records; ++k) {
    s += "S113" + testing::hexByte(k >> 4) + testing::hexByte(k << 4) + std::string(34, '0') +
         "\r\n";
  }
  return s;
}

TEST(SRecordReaderRelaxed, AcceptsFillerChecksumsAndMakesModelQ) {
  const auto bytes = patternImage(1024, 'p');
  const std::string text = scratchFile(bytes);

  EXPECT_EQ(load(text)->model, 0);  // the strict reader refuses the fillers
  const auto l = load(text, true);
  ASSERT_EQ(l->model, 'q');
  EXPECT_EQ(l->image.current().byte(1), 'q');
  EXPECT_EQ(l->image.header().modelByte, 'q');
  EXPECT_TRUE(std::equal(bytes.begin() + 2, bytes.end(), l->image.buffer().begin() + 2));
  EXPECT_TRUE(std::all_of(l->image.buffer().begin() + 1024, l->image.buffer().begin() + 2048,
                          [](auto b) { return b == 0; }));
  EXPECT_EQ(l->settings.startCannedMsg, "0000");
}

TEST(SRecordReaderRelaxed, RequiresExactly2048Bytes) {
  const auto bytes = patternImage(1024, 'p');
  EXPECT_EQ(load(scratchFile(bytes, 127), true)->model, 0);
  EXPECT_EQ(load(srecFile(bytes), true)->model, 0);
  // Lengths are still checked.
  std::string text = scratchFile(bytes);
  text.insert(text.rfind("S113") + 10, "0");
  EXPECT_EQ(load(text, true)->model, 0);
}

TEST(SRecordProbe, HasDataRecordsReadsNineCharacterChunks) {
  struct Case {
    const char* text;
    bool expected;
  };
  const Case cases[] = {
      {"S0030000FC\nS1130000\n", true},
      {"S0030000FC\nS1", false},  // fewer than 3 characters
      {"S1\n", true},             // the line end counts, as read
      {"s1130000\n", false},      // record types are upper case
      {"S0030000FC\nS9030000FC\n", false},
      {"123456789S1130000\n", true},  // the second chunk of the line begins with S1
      {"12345678S1130000\n", false},
      {"", false},
  };
  for (const Case& c : cases) {
    std::istringstream in(c.text);
    EXPECT_EQ(DataProcess::hasDataRecords(in), c.expected) << c.text;
  }
}

TEST(SRecordProbe, LowestRecordAddress) {
  const std::vector<std::uint8_t> d(16, 0);
  std::istringstream in(headerRecord(0, 32, '1') + "\n" + record("S1", 0x8010, d) + "\n" +
                        record("S1", 0x8000, d) + "\n" + record("S1", 0x9000, d) +
                        "\nS9030000FC\n");
  EXPECT_EQ(DataProcess::lowestRecordAddress(in), 0x8000);
  std::istringstream none("S0030000FC\nS9030000FC\n");
  EXPECT_EQ(DataProcess::lowestRecordAddress(none), std::nullopt);
}

TEST(SRecordReader, RequiredTotalsByModel) {
  struct Case {
    models::ModelCode model;
    std::optional<int> total;
  };
  for (const Case c :
       {Case{'0', 1024}, Case{'1', 1024}, Case{'2', 1024}, Case{':', 1024}, Case{'6', 1024},
        Case{'p', 1024}, Case{'t', 1024}, Case{'x', 1024}, Case{' ', 768}, Case{0x22, 768},
        Case{'#', 768}, Case{'q', 2048}, Case{'u', 2048}, Case{0x91, 2048}, Case{0x99, 2048},
        Case{'!', std::nullopt}, Case{0x94, std::nullopt}, Case{0xCC, std::nullopt}}) {
    EXPECT_EQ(requiredFileTotal(c.model), c.total) << int(c.model);
  }
}

}  // namespace
}  // namespace zelta::codeplug

namespace zelta::codeplug {
namespace {

// Inputs kept from fuzzing (seeds and any input that once failed) load or
// fail cleanly, and the loadable ones come back unchanged after writing.
TEST(SRecordReader, ReplaysKeptFuzzInputs) {
  const std::filesystem::path dir = std::filesystem::path(ZELTA_TEST_DATA_DIR) / "srecord-fuzz";
  ASSERT_TRUE(std::filesystem::is_directory(dir));
  for (const auto& entry : std::filesystem::directory_iterator(dir)) {
    std::ifstream file(entry.path(), std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    const auto l = load(text.str());
    if (l->model == 0) continue;
    l->image.setModel(l->model);
    if (l->image.current().byte(1) != l->model) continue;  // an old-format window file
    const auto again = load(written(l->image));
    EXPECT_EQ(again->model, l->model) << entry.path();
    EXPECT_TRUE(std::equal(l->image.buffer().begin(), l->image.buffer().begin() + 0x800,
                           again->image.buffer().begin()))
        << entry.path();
  }
}

}  // namespace
}  // namespace zelta::codeplug
