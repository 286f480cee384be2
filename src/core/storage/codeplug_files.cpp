#include "storage/codeplug_files.h"

#include <algorithm>
#include <cstdio>
#include <memory>
#include <sstream>

#include "codeplug/codeplug_version.h"
#include "codeplug/common_fields.h"
#include "codeplug/data_process.h"
#include "codeplug/field_encodings.h"
#include "codeplug/frequency_synthesizer.h"
#include "storage/atomic_file.h"
#include "storage/file_access.h"

namespace zelta::storage {
// The codeplug objects these commands read and write.
using codeplug::BandTable;
using codeplug::bandTableFor;
using codeplug::BuildContext;
using codeplug::checkFrequencyInBand;
using codeplug::CodeplugImage;
using codeplug::codeplugVersionLabel;
using codeplug::DataProcess;
using codeplug::DecodeCommand;
using codeplug::DecodeContext;
using codeplug::FieldOffsetTable;
using codeplug::ImageView;
using codeplug::kCodeplugVersionOffset;
using codeplug::narrowCodeAddress;
using codeplug::narrowCodeEmptyFlag;
using codeplug::narrowCodeReadsEmpty;
using codeplug::narrowCodeSlot;
using codeplug::offsetTableFor;
using codeplug::readCodeplugVersion;
using codeplug::SettingsRecord;
using codeplug::wideCodeSlot;
using codeplug::writeWideCode;
namespace fs = std::filesystem;
namespace {

// Why a file is refused with -30; each finishes "The file is ...".
constexpr std::string_view kNoDataRecords = "no codeplug file: it holds no S1 data record";
constexpr std::string_view kDamagedRecords =
    "damaged: a record's form, length or checksum is wrong, or it holds too few records for "
    "its model";

constexpr int kLargeImageRecords = 128;
constexpr std::size_t kRecordBytes = 16;
// The 1 KB code block with the synthesizer (0x300-0x321) and where the
// 2 KB layout keeps it.
constexpr std::size_t kNarrowBlock = 0x300;
constexpr std::size_t kLargeNarrowBlock = 0x700;
constexpr std::size_t kNarrowBlockBytes = 34;
constexpr std::size_t kSnapshotCodeBlock = 0xF00;
// The prompt area of the 1 KB source, cleared once its prompts are decoded.
constexpr std::size_t kSourcePromptArea = 0xEC;
constexpr std::size_t kSourcePromptAreaEnd = 0x600;
constexpr int kSecondTableSlots = 16;

std::string printable(const std::string& line) {
  std::string out;
  for (char c : line) {
    const auto u = static_cast<unsigned char>(c);
    if (u >= 0x20 && u < 0x7F) out.push_back(c);
  }
  return out;
}

unsigned hexValue(const std::string& s, std::size_t at, std::size_t digits) {
  unsigned v = 0;
  for (std::size_t i = 0; i < digits; ++i) {
    const char c = at + i < s.size() ? s[at + i] : '0';
    unsigned d = 0;
    if (c >= '0' && c <= '9') d = static_cast<unsigned>(c - '0');
    if (c >= 'A' && c <= 'F') d = static_cast<unsigned>(c - 'A' + 10);
    if (c >= 'a' && c <= 'f') d = static_cast<unsigned>(c - 'a' + 10);
    v = (v << 4) | d;
  }
  return v;
}

std::string fillerRecord(unsigned address) {
  char buf[8];
  std::snprintf(buf, sizeof buf, "%04X", address & 0xFFFF);
  return std::string("S113") + buf + std::string(34, '0');
}

errors::ResultCode showing(errors::Reporter& reporter, errors::ResultCode code) {
  reporter.ReportCode(code);
  return code;
}

}  // namespace

RememberedPrompts rememberPrompts(const SettingsRecord& settings) {
  RememberedPrompts r;
  r.valid = true;
  r.internationalPrompt = settings.internationalPrompt;
  r.internationalCharSet = settings.internationalCharSet;
  r.showSource = settings.showSource;
  r.prompts = settings.prompts;
  return r;
}

void restorePrompts(const RememberedPrompts& remembered, SettingsRecord& settings) {
  if (!remembered.valid) return;
  settings.internationalPrompt = remembered.internationalPrompt;
  settings.internationalCharSet = remembered.internationalCharSet;
  settings.showSource = remembered.showSource;
  settings.prompts = remembered.prompts;
}

LargeImageRecords largeImageScratchRecords(std::istream& source) {
  LargeImageRecords out;
  int dataRecords = 0;
  unsigned lastAddress = 0;
  unsigned lowestAddress = 0xFFFFFFFF;
  std::string line;
  while (std::getline(source, line)) {
    std::string record = printable(line);
    if (record.rfind("S0", 0) == 0) {
      out.lines.push_back(std::move(record));
      continue;
    }
    if (record.rfind("S1", 0) != 0) continue;
    const int n = static_cast<int>(hexValue(record, 2, 2)) - 3;
    if (n < 0 || record.size() != static_cast<std::size_t>(2 * n + 10)) break;
    lastAddress = hexValue(record, 4, 4);
    if (lastAddress < lowestAddress && n >= 2) {
      lowestAddress = lastAddress;
      out.sourceModel = static_cast<models::ModelCode>(hexValue(record, 10, 2));
    }
    out.lines.push_back(std::move(record));
    ++dataRecords;
  }
  for (; dataRecords > 0 && dataRecords < kLargeImageRecords; ++dataRecords) {
    lastAddress += kRecordBytes;
    out.lines.push_back(fillerRecord(lastAddress));
  }
  return out;
}

void moveToLargeLayout(CodeplugImage& image, models::ModelCode sourceModel) {
  const ImageView bytes = image.current();
  const FieldOffsetTable& large = offsetTableFor(models::Family::C);
  const FieldOffsetTable& small = offsetTableFor(models::Family::A);

  std::copy_n(bytes.bytesAt(kNarrowBlock, kNarrowBlockBytes).begin(), kNarrowBlockBytes,
              bytes.bytesAt(kLargeNarrowBlock, kNarrowBlockBytes).begin());
  const auto block21 = bytes.bytesAt(small.block21, 21);
  std::copy(block21.begin(), block21.end(), bytes.bytesAt(large.block21, 21).begin());
  bytes.setByte(large.keptByte2FF, bytes.byte(small.keptByte2FF));
  if (!models::modelIn(sourceModel, models::ModelGroup::sixCodeModels)) {
    bytes.setBit(large.zoom, 7, bytes.bit(small.zoom, 7));
    bytes.setBit(small.zoom, 7, false);
  }

  // The second code table the large-image decoder reads codes 1-6 from.
  for (int code = 1; code <= kSecondTableSlots; ++code) {
    std::optional<std::uint32_t> address;
    if (code <= 6) {
      const std::size_t slot = narrowCodeSlot(large.codeSlots, code);
      const bool empty =
          narrowCodeEmptyFlag(bytes, large, code) || narrowCodeReadsEmpty(bytes, slot, code);
      if (!empty) address = narrowCodeAddress(bytes, slot);
    }
    writeWideCode(bytes, wideCodeSlot(large.secondCodeSlots, code), address);
  }
  bytes.setBits(large.largeCodingFormat, 1, 0, bytes.bits(large.headerFormat, 1, 0));
}

errors::ResultCode CodeplugFiles::readCodeplugFile(const fs::path& file) {
  std::string& problem = reporter_.context().fileProblem;
  problem.clear();
  reporter_.context().fileError.clear();
  reporter_.context().problemFile.clear();
  const FileContent content = readCodeplugFileContent(file);
  if (content.error) {
    problem = content.error.message();
    reporter_.context().fileError = content.error;
    reporter_.context().problemFile = file.string();
    return content.refused() ? showing(reporter_, errors::code::InvalidArchive)
                             : kFileNotAccessible;
  }
  std::istringstream in(content.bytes);
  // Every refusal below names the file and why.
  reporter_.context().problemFile = file.string();
  if (!DataProcess::hasDataRecords(in)) {
    problem = kNoDataRecords;
    return showing(reporter_, errors::code::InvalidArchive);
  }
  in.clear();
  in.seekg(0);

  // Everything is read and decoded apart and taken over only on success,
  // so a file that fails leaves the codeplug on screen as it was. The
  // current image starts empty: an old-format file fills only the window,
  // and no byte of the earlier codeplug may end up behind the new one.
  auto image = std::make_unique<CodeplugImage>(image_);
  auto settings = std::make_unique<SettingsRecord>(settings_);
  settings->hardwareVariant = 0;
  image->current().fill(0, CodeplugImage::kCurrentSize, 0);

  const models::ModelCode model = DataProcess(*image, *settings).parseSRecordImage(in);
  if (model == 0) {
    problem = kDamagedRecords;
    return showing(reporter_, errors::code::InvalidArchive);
  }
  // A model byte no pager has (0xFF included, which means "no model") says
  // nothing about the layout: decoding would show defaults the file does
  // not hold.
  if (!models::findModel(model)) {
    char code[8];
    std::snprintf(code, sizeof code, "0x%02X", static_cast<unsigned>(model));
    problem = std::string("for model code ") + code + ", which is no pager model";
    return showing(reporter_, errors::code::InvalidArchive);
  }
  image->setModel(model);

  const errors::ResultCode decoded =
      codec_.decode(DecodeCommand::OpenFile, *image, *settings, DecodeContext{});
  if (decoded == errors::code::NewerFile) {
    reporter_.context().fileVersionLabel =
        codeplugVersionLabel(readCodeplugVersion(image->current(), kCodeplugVersionOffset));
  }
  if (decoded != errors::code::Ok) return showing(reporter_, decoded);

  reporter_.context().problemFile.clear();
  image_ = *image;
  settings_ = std::move(*settings);
  return errors::code::Ok;
}

errors::ResultCode CodeplugFiles::buildForSave(const SaveContext& context) {
  const models::ModelCode model = image_.modelCode();
  const BandTable table =
      bandTableFor(model, context.pagerSerialNumber, context.programmingAttempted);
  const errors::ResultCode inBand =
      checkFrequencyInBand(frequencySettingsOf(settings_, model, table), reporter_);
  if (inBand != errors::code::Ok) return inBand;
  const errors::ResultCode built = codec_.build(image_, settings_, context.build);
  if (built < 0) return showing(reporter_, built);
  return errors::code::Ok;
}

std::string CodeplugFiles::imageText() const {
  std::ostringstream out;
  DataProcess(image_, settings_).writeSRecordImage(out);
  return out.str();
}

errors::ResultCode CodeplugFiles::fileFailure(const fs::path& file, const std::error_code& why) {
  reporter_.context().fileProblem = why.message();
  reporter_.context().fileError = why;
  reporter_.context().problemFile = file.string();
  return kFileNotAccessible;
}

errors::ResultCode CodeplugFiles::writeImageFile(const fs::path& file) {
  return writeText(file, imageText());
}

errors::ResultCode CodeplugFiles::writeText(const fs::path& file, const std::string& text) {
  const std::error_code failure = replaceFileAtomically(file, text);
  if (failure) return fileFailure(file, failure);
  reporter_.context().fileProblem.clear();
  reporter_.context().fileError.clear();
  reporter_.context().problemFile.clear();
  return errors::code::Ok;
}

errors::ResultCode CodeplugFiles::writeWorkFile(const fs::path& file, const std::string& text) {
  // The work folder may not exist yet (a fresh user data folder) or may
  // have been removed since the program started.
  std::error_code ec;
  fs::create_directories(work_.folder, ec);
  if (ec) return fileFailure(file, ec);
  return writeText(file, text);
}

errors::ResultCode CodeplugFiles::writeCodeplugFile(const fs::path& file,
                                                    const SaveContext& context) {
  // Built before the file is touched: a build that fails leaves the old
  // file as it was.
  const errors::ResultCode built = buildForSave(context);
  if (built != errors::code::Ok) return built;
  return writeImageFile(file);
}

errors::ResultCode CodeplugFiles::writeBackupBeforeWrite(const SaveContext& context) {
  work_.remembered = rememberPrompts(settings_);
  const errors::ResultCode built = buildForSave(context);
  if (built != errors::code::Ok) return built;
  if (models::modelIn(image_.modelCode(), models::ModelGroup::largeQModels)) {
    const auto block = image_.current().bytesAt(kNarrowBlock, kNarrowBlockBytes);
    std::copy(block.begin(), block.end(),
              image_.snapshot().bytesAt(kSnapshotCodeBlock, kNarrowBlockBytes).begin());
  }
  return writeWorkFile(work_.backupPath(), imageText());
}

errors::ResultCode CodeplugFiles::convertToLargeImage(const fs::path& source,
                                                      const BuildContext& build) {
  const FileContent content = readCodeplugFileContent(source);
  if (content.error) return fileFailure(source, content.error);
  std::istringstream in(content.bytes);
  const LargeImageRecords records = largeImageScratchRecords(in);
  std::string text;
  for (const std::string& line : records.lines) text += line + "\r\n";
  if (const errors::ResultCode written = writeWorkFile(work_.largeImageScratchPath(), text);
      written != errors::code::Ok)
    return written;

  // The scratch text is what was just written; reading it back from the
  // disk would add nothing but a chance to read something else.
  std::istringstream back(text);
  if (DataProcess(image_, settings_).parseSRecordImageRelaxed(back) != 'q')
    return kFileNotAccessible;
  image_.setModel('q');
  moveToLargeLayout(image_, records.sourceModel);
  const errors::ResultCode decoded =
      codec_.decode(DecodeCommand::OpenFile, image_, settings_, DecodeContext{});
  if (decoded != errors::code::Ok) return decoded;
  image_.current().fill(kSourcePromptArea, kSourcePromptAreaEnd - kSourcePromptArea, 0);
  const errors::ResultCode built = codec_.build(image_, settings_, build);
  if (built < 0) return showing(reporter_, built);
  return errors::code::Ok;
}

errors::ResultCode CodeplugFiles::convertCodeplugToLargeImage(const SaveContext& context) {
  // A backup written earlier may belong to another codeplug (backups can be
  // switched off for programming), so the conversion never starts from one
  // it has not just written.
  const errors::ResultCode backedUp = writeBackupBeforeWrite(context);
  if (backedUp != errors::code::Ok) return backedUp;
  return convertToLargeImage(work_.backupPath(), context.build);
}

}  // namespace zelta::storage
