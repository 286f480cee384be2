#include "codeplug/data_process.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <istream>
#include <ostream>
#include <string>

namespace zelta::codeplug {
using models::kModelBang;
namespace {

constexpr std::size_t kWorkBufferSize = 2048;
constexpr std::size_t kLineChars = 254;        // characters kept of one line as read
constexpr std::size_t kProbeChars = 9;         // chunk size of hasDataRecords
constexpr std::size_t kConsideredChars = 256;  // of an S1 line, when dropping non-printables
constexpr std::uint8_t kHeaderFixed[] = {0x4C, 0x58, 0x34};  // "LX4"

// Reads the next chunk of at most maxChars characters, ending after a line
// end (LF, CR LF or a lone CR), which stays in the chunk as read. Long lines
// come back in several chunks. False at the end of the file.
bool readChunk(std::istream& in, std::size_t maxChars, std::string& chunk) {
  chunk.clear();
  while (chunk.size() < maxChars) {
    const int c = in.get();
    if (c == std::char_traits<char>::eof()) break;
    chunk.push_back(static_cast<char>(c));
    if (c == '\n') break;
    if (c == '\r') {
      if (in.peek() == '\n' && chunk.size() < maxChars)
        chunk.push_back(static_cast<char>(in.get()));
      break;
    }
  }
  return !chunk.empty();
}

void rewind(std::istream& in) {
  in.clear();
  in.seekg(0);
}

bool startsWith(const std::string& s, const char* prefix) {
  return s.rfind(prefix, 0) == 0;
}

// A hexadecimal digit in either case; any other character (and a position
// past the end) counts as 0.
unsigned hexDigit(const std::string& s, std::size_t at) {
  if (at >= s.size()) return 0;
  const char c = s[at];
  if (c >= '0' && c <= '9') return static_cast<unsigned>(c - '0');
  if (c >= 'A' && c <= 'F') return static_cast<unsigned>(c - 'A' + 10);
  if (c >= 'a' && c <= 'f') return static_cast<unsigned>(c - 'a' + 10);
  return 0;
}

unsigned hexByte(const std::string& s, std::size_t at) {
  return (hexDigit(s, at) << 4) | hexDigit(s, at + 1);
}

unsigned hexWord(const std::string& s, std::size_t at) {
  return (hexByte(s, at) << 8) | hexByte(s, at + 2);
}

char charAt(const std::string& s, std::size_t at) {
  return at < s.size() ? s[at] : '\0';
}

// The record without line ends or other non-printable characters.
std::string printableRecord(const std::string& line) {
  std::string out;
  const std::size_t n = std::min(line.size(), kConsideredChars);
  for (std::size_t i = 0; i < n; ++i) {
    const auto c = static_cast<unsigned char>(line[i]);
    if (c >= 0x20 && c < 0x7F) out.push_back(static_cast<char>(c));
  }
  return out;
}

void putHex(std::ostream& out, unsigned byte) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  out << kDigits[(byte >> 4) & 0xF] << kDigits[byte & 0xF];
}

// One record: type, byte count, 16-bit address, data, checksum, CR LF.
void writeRecord(std::ostream& out, const char* type, unsigned address,
                 std::span<const std::uint8_t> data) {
  const unsigned count = static_cast<unsigned>(data.size()) + 3;
  unsigned sum = count + (address >> 8) + (address & 0xFF);
  out << type;
  putHex(out, count);
  putHex(out, address >> 8);
  putHex(out, address & 0xFF);
  for (std::uint8_t b : data) {
    putHex(out, b);
    sum += b;
  }
  putHex(out, ~sum & 0xFF);
  out << "\r\n";
}

bool isLargeLayout(models::ModelCode model) {
  const auto info = models::findModel(model);
  return info && (info->family == models::Family::C || info->family == models::Family::D ||
                  info->family == models::Family::E || info->family == models::Family::F);
}

}  // namespace

std::optional<int> requiredFileTotal(models::ModelCode model) {
  // '!' comes as a 768-byte old image or a 1024-byte family A image. Model
  // '6' is written like '0'-'2' and ':' (1024 bytes, family A), so it is read
  // back the same way, to the start of the image, rather than into the
  // old-format window where its bytes would not fit.
  if (model == kModelBang) return std::nullopt;
  const auto info = models::findModel(model);
  if (!info) return std::nullopt;
  return info->imageBytes;
}

int fileImageBytes(models::ModelCode model) {
  return isLargeLayout(model) ? 2048 : 1024;
}

bool DataProcess::hasDataRecords(std::istream& file) {
  std::string chunk;
  while (readChunk(file, kProbeChars, chunk)) {
    if (chunk.size() >= 3 && startsWith(chunk, "S1")) return true;
  }
  return false;
}

std::optional<std::uint16_t> DataProcess::lowestRecordAddress(std::istream& file) {
  std::optional<std::uint16_t> lowest;
  std::string line;
  while (readChunk(file, kLineChars, line)) {
    if (!startsWith(line, "S1")) continue;
    const auto address = static_cast<std::uint16_t>(hexWord(printableRecord(line), 4));
    if (!lowest || address < *lowest) lowest = address;
  }
  return lowest;
}

models::ModelCode DataProcess::parseSRecordImage(std::istream& file) {
  return parse(file, false);
}

models::ModelCode DataProcess::parseSRecordImageRelaxed(std::istream& file) {
  return parse(file, true);
}

models::ModelCode DataProcess::parse(std::istream& file, bool relaxed) {
  const std::optional<std::uint16_t> base = lowestRecordAddress(file);
  if (!base) return 0;  // no data record at all
  rewind(file);

  // Everything is gathered apart and taken over only when the file is valid.
  std::array<std::uint8_t, kWorkBufferSize> work{};
  CodeplugHeader header = image_.header();
  std::size_t total = 0;
  std::string line;
  while (readChunk(file, kLineChars, line)) {
    if (startsWith(line, "S0")) {
      header.cgromType = static_cast<std::uint8_t>(hexByte(line, 8));
      if (charAt(line, 3) == '9') {
        // S0 09 0000 cc 4C 58 34 mm oo: a header too short for its
        // model byte cannot be the current form.
        if (line.size() < 20) return 0;
        header.memorySize = static_cast<std::uint8_t>(hexByte(line, 16));
        if (charAt(line, 15) == '4') header.largeMemory = header.memorySize >= 32;
      } else if (line.size() > 33) {
        header.memorySize = charAt(line, 31) == '2' ? 2 : 8;
        header.largeMemory = false;
      } else {
        return 0;
      }
    } else if (startsWith(line, "S1")) {
      const int count = static_cast<int>(hexByte(line, 2));
      const int n = count - 3;
      if (n < 0) return 0;
      const std::string record = printableRecord(line);
      if (record.size() != static_cast<std::size_t>(2 * n + 10)) return 0;
      const unsigned address = hexWord(record, 4);
      if (address < *base) return 0;
      const std::size_t at = address - *base;
      if (at + static_cast<std::size_t>(n) > work.size()) return 0;  // outside the work buffer
      unsigned sum = static_cast<unsigned>(count) + (address >> 8) + (address & 0xFF);
      for (int k = 0; k < n; ++k) {
        const auto b =
            static_cast<std::uint8_t>(hexByte(record, 8 + 2 * static_cast<std::size_t>(k)));
        work[at + static_cast<std::size_t>(k)] = b;
        sum += b;
      }
      if (!relaxed && (~sum & 0xFF) != hexByte(record, 8 + 2 * static_cast<std::size_t>(n)))
        return 0;
      total += static_cast<std::size_t>(n);
    }
    // Every other record (the S9 end record included) is skipped.
  }

  if (relaxed) {
    if (total != kWorkBufferSize) return 0;
    work[1] = 'q';
  }
  const models::ModelCode model = work[1];
  if (model == 0) return 0;  // indistinguishable from an invalid file
  if (const auto required = requiredFileTotal(model);
      required && total != static_cast<std::size_t>(*required)) {
    return 0;
  }
  const auto info = models::findModel(model);
  const bool toImageStart = relaxed || (info && info->family != models::Family::OldFormat) ||
                            (model == kModelBang && total == 1024);
  if (total > kWorkBufferSize) return 0;  // overlapping records counted twice
  if (!toImageStart && total > CodeplugImage::kOldFormatSize)
    return 0;  // the window holds 768 bytes

  // A load replaces the codeplug: both regions are cleared first, so no byte
  // of an earlier codeplug survives behind a shorter one, and an old image
  // in the window leaves no earlier model byte at the image start (which
  // tells a 1 KB '!' codeplug from a 768-byte one).
  image_.current().fill(0, CodeplugImage::kCurrentSize, 0);
  image_.oldFormat().fill(0, CodeplugImage::kOldFormatSize, 0);
  ImageView dest = toImageStart ? image_.current() : image_.oldFormat();
  std::copy_n(work.begin(), total, dest.span().begin());

  header.cgromType = models::oldModelCharacterRom(dest.byte(1), dest.byte(models::kOldLanguageByte),
                                                  header.cgromType);
  if (!relaxed && header.cgromType == 1) {
    settings_.startCannedMsg = "3321";
    settings_.endCannedMsg = "3F7E";
  } else if (!relaxed && header.cgromType == 2) {
    settings_.startCannedMsg = "7821";
    settings_.endCannedMsg = "7D47";
  } else {
    settings_.startCannedMsg = "0000";
    settings_.endCannedMsg = "0000";
  }
  header.modelByte = model;
  image_.header() = header;
  settings_.modelCodeAsRead = model;
  return model;
}

void DataProcess::writeSRecordImage(std::ostream& file) const {
  const CodeplugHeader& h = image_.header();
  const std::uint8_t header[] = {h.cgromType,     kHeaderFixed[0], kHeaderFixed[1],
                                 kHeaderFixed[2], h.memorySize,    h.modelByte};
  writeRecord(file, "S0", 0, header);
  const ConstImageView current = image_.current();
  const auto size = static_cast<std::size_t>(fileImageBytes(image_.modelCode()));
  for (std::size_t at = 0; at < size; at += 16) {
    writeRecord(file, "S1", static_cast<unsigned>(at), current.bytesAt(at, 16));
  }
  file << "S9030000FC\r\n";
}

}  // namespace zelta::codeplug
