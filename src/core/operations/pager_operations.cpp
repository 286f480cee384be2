#include "operations/pager_operations.h"

#include <algorithm>
#include <memory>
#include <optional>
#include <set>
#include <stdexcept>
#include <string_view>

#include "codeplug/frequency_band.h"
#include "codeplug/frequency_synthesizer.h"
#include "codeplug/model_checks.h"
#include "conversion/model_reconciliation.h"
#include "pages/code_predicates.h"
#include "pages/features_page.h"

namespace zelta::operations {

namespace rc = errors::code;
using errors::ResultCode;
using models::ModelCode;
using models::ModelGroup;
using models::modelIn;

namespace {

// What programming returns when it stops without writing and without a
// message of its own (a question answered No, a failure already shown): the
// same 0 as a written pager, which pagerWritten_ tells apart.
constexpr ResultCode kStoppedQuietly = rc::Ok;

constexpr std::int64_t kAfterProbeMs = 100;
constexpr std::int64_t kBeforeUnprogrammedWriteMs = 1000;
constexpr std::int64_t kBeforeClockMs = 500;

// Results the program dispatcher leaves unreported: success, the answered
// retry question, and codes their checks or the port have shown.
constexpr ResultCode kUnreportedProgramResults[] = {
    rc::Ok,        rc::NotResponding, rc::NotSynthesizable,
    rc::OutOfBand, rc::PortNotOpened, rc::RfSelectionsDiffer};

// The languages whose prompts the pager can only show with a character ROM
// (Traditional Chinese, Simplified Chinese, Thai).
constexpr int kFirstRomLanguage = 15;

// Version 8.2.5: images up to it keep no band field and no narrow band bit.
bool hasBandField(const codeplug::SettingsRecord& settings) {
  return settings.bandFieldMark;
}

// The models whose 0x321 (icon contrast) is written as 0: they have no icon
// contrast and the byte must not carry a stale value.
bool clearsIconContrast(ModelCode model) {
  return models::modelIn(model, models::ModelGroup::clearsIconContrast);
}

constexpr std::size_t kIconContrastByte = 0x321;
constexpr std::size_t kSerialNumberBytes = 10;

// A capcode as a number for comparison ("0000123" and "123" are the same
// pager address); texts that are no number compare as they stand.
std::string capcodeKey(const std::string& code) {
  std::string trimmed = code;
  trimmed.erase(0, trimmed.find_first_not_of(' '));
  trimmed.erase(trimmed.find_last_not_of(' ') + 1);
  if (!trimmed.empty() &&
      std::all_of(trimmed.begin(), trimmed.end(), [](char c) { return c >= '0' && c <= '9'; })) {
    trimmed.erase(0, std::min(trimmed.find_first_not_of('0'), trimmed.size() - 1));
  }
  return trimmed;
}

}  // namespace

std::uint8_t pagerCharacterRom(codeplug::ConstImageView pagerCopy, ModelCode pagerModel,
                               std::uint8_t codeplugRom) {
  constexpr std::size_t kLanguageByte = 0x71;
  constexpr unsigned kThaiLanguageCode = 18;
  if (pagerModel == '#') return 4;
  if (pagerModel == 0x22 && (pagerCopy.byte(kLanguageByte) >> 2) == kThaiLanguageCode) return 3;
  return codeplugRom;
}

// ---------------------------------------------------------------------------

ResultCode PagerOperations::codeChecks() const {
  const codeplug::SettingsRecord& st = s_.settings;
  const int codes = pages::codesOfModel(s_.image.modelCode(), converter_.targetSet());
  bool anyPresent = false;
  bool anyActive = false;
  std::set<std::string> seen;
  bool duplicated = false;
  for (int code = 1; code <= codes; ++code) {
    if (!pages::codePresent(st, code)) continue;
    anyPresent = true;
    // A code whose functions are all "X" (off) receives nothing.
    const std::string& functions = st.function[static_cast<std::size_t>(code - 1)];
    if (functions.find_first_not_of("X ") != std::string::npos) anyActive = true;
    if (!seen.insert(capcodeKey(st.code[static_cast<std::size_t>(code - 1)])).second) {
      duplicated = true;
    }
  }
  if (!anyPresent) return rc::NoCode;
  if (!anyActive) return rc::NoActiveCode;
  if (duplicated) return rc::DuplicateCodes;
  return rc::Ok;
}

ResultCode PagerOperations::guarded(const std::function<ResultCode()>& step) {
  std::string what;
  try {
    return step();
  } catch (const std::exception& e) {
    what = e.what();
  } catch (...) {
    what = "unknown exception";
  }
  link_.comm().Close();
  link_.state().modelCode = models::kNoModel;
  // A read's scratch image is gone with the unwound sequence.
  link_.setImageBuffers(link::imageBuffersOf(s_.image));
  s_.reporter.context().internalFault = what;
  return rc::InternalFault;
}

ResultCode PagerOperations::RunPagerOperation(OperationKind kind) {
  if (kind == OperationKind::Read) {
    const ResultCode r = RetryOperation(OperationKind::Read);
    return r == rc::Ok ? rc::Done : r;
  }
  pagerWritten_ = false;
  reportedInSequence_ = false;
  ResultCode r = guarded([this] { return codeChecks(); });
  if (r == rc::Ok) r = RetryOperation(OperationKind::Program);
  const bool unreported =
      std::find(std::begin(kUnreportedProgramResults), std::end(kUnreportedProgramResults), r) !=
      std::end(kUnreportedProgramResults);
  const bool shownBySequence =
      reportedInSequence_ && (r == rc::UnknownPagerType || r == rc::FirmwareMismatch);
  if (!unreported && !shownBySequence) s_.reporter.ReportCode(r);
  return r;
}

pages::ProgramOutcome PagerOperations::programForSequence() {
  const ResultCode r = RunPagerOperation(OperationKind::Program);
  return {r, pagerWritten_};
}

ResultCode PagerOperations::RetryOperation(OperationKind kind) {
  link::LinkState& st = link_.state();
  link_.beginOperation();
  const std::uint8_t requested = st.requestedSpeedCode;
  ResultCode r = rc::Ok;
  for (;;) {
    link_.beginSequence();
    r = guarded(
        [&] { return kind == OperationKind::Read ? ReadPagerSequence() : ProgramPagerSequence(); });
    if (r != rc::NotResponding || !s_.reporter.ConfirmCode(rc::NotResponding)) break;
    // The fastest speed is the first suspect when a fast pager falls silent.
    if (modelIn(st.modelCode, ModelGroup::userPasswordGroup) &&
        st.requestedSpeedCode == link::speed::k57600) {
      st.requestedSpeedCode = link::speed::k38400;
    }
  }
  st.requestedSpeedCode = requested;  // the slower speed is for this operation only
  link_.endOperation();
  return r;
}

// The image is read and decoded into a copy of the codeplug; the codeplug on
// screen is replaced only when both succeed, so a failed read never loses
// the codeplug that was open.
ResultCode PagerOperations::ReadPagerSequence() {
  link::LinkState& st = link_.state();
  ResultCode r = link_.informationProbe(link::ProbeKind::BeforeRead);
  if (r != rc::Ok) return r;
  st.operationModel = st.modelCode;
  ops_.sourceModel = st.modelCode;
  const ModelCode model = st.modelCode;

  auto scratch = std::make_unique<codeplug::CodeplugImage>(s_.image);
  link_.setImageBuffers(link::imageBuffersOf(*scratch));
  r = link_.runTransaction(link::Transaction::ReadImage, link::variantFor(model));
  link_.setImageBuffers(link::imageBuffersOf(s_.image));
  if (r != rc::Ok) {
    st.modelCode = models::kNoModel;
    return r;
  }

  scratch->setModel(st.modelCode);
  scratch->header().modelByte = st.modelCode;
  codeplug::SettingsRecord settings = s_.settings;
  settings.modelCodeAsRead = st.modelCode;
  codeplug::DecodeContext context;
  context.converterTarget = false;  // a read turns the converter off
  context.oldGenerationPager = st.extendedFirmware != 1;
  context.reporter = &s_.reporter;
  r = s_.codec.decode(codeplug::DecodeCommand::ReadPager, *scratch, settings, context);
  if (r != rc::Ok) {
    st.modelCode = models::kNoModel;
    return r;
  }
  s_.image = *scratch;
  s_.image.armSnapshot();
  s_.settings = std::move(settings);
  conversion::resetConverterAfterLoad(converter_);
  return rc::Ok;
}

ResultCode PagerOperations::writeImage(ModelCode model) {
  const ResultCode r = link_.runTransaction(link::Transaction::WriteImage, link::variantFor(model));
  if (r == rc::Ok) pagerWritten_ = true;
  return r;
}

// Step 9: the prompts need a character ROM the pager may not have.
ResultCode PagerOperations::characterRomCheck() {
  codeplug::SettingsRecord& st = s_.settings;
  const std::uint8_t codeplugRom = s_.image.header().cgromType;
  const std::uint8_t pagerRom =
      pagerCharacterRom(s_.image.pagerCopy(), link_.state().modelCode, codeplugRom);
  const bool needsRom = st.internationalPrompt >= kFirstRomLanguage;
  if (pagerRom == codeplugRom && !(codeplugRom == 0 && needsRom)) return rc::Done;
  if (!s_.reporter.ConfirmCode(rc::CgromChanged)) return rc::Ok;
  // The prompts become English, laid out as English prompts are.
  st.internationalPrompt = 0;
  st.internationalCharSet = 0;
  st.showSource = 0;
  st.promptsAsText = false;
  s_.codec.loadDefaultPrompts(st, s_.image.modelCode());
  return rc::Done;
}

// Step 10: a canned message range outside the window of the character ROM.
ResultCode PagerOperations::cannedMessageCheck(ModelCode model) {
  codeplug::SettingsRecord& st = s_.settings;
  const std::uint8_t rom = s_.image.header().cgromType;
  if (rom == 0 || rom == 3 || st.regularCannedMsg == 0 || model == '#') return rc::Done;
  if (pages::cannedRangeValid(st.startCannedMsg, st.endCannedMsg, rom)) return rc::Done;
  if (!s_.reporter.ConfirmCode(rc::CannedRangeReset)) return rc::Ok;
  const pages::CannedRange range = pages::defaultCannedRange(rom);
  st.startCannedMsg = range.start;
  st.endCannedMsg = range.end;
  if (rom == 2 && st.ideoNumericCanned == 1) st.ideoNumericCanned = 2;
  return rc::Done;
}

// Step 11: what the oldest firmware cannot receive.
ResultCode PagerOperations::firmwareChecks() {
  constexpr int k2400Baud = 2;
  const link::FirmwareFlags& fw = link_.state().firmware;
  if (fw.limitsBaudRate() && s_.settings.codingFormat == k2400Baud) {
    s_.reporter.ReportCode(rc::No2400Baud);
    return rc::Ok;
  }
  if (ops_.receiverType == "    ZIF    " &&
      (fw.has(link::Firmware::R0100) || fw.has(link::Firmware::R0200))) {
    s_.reporter.ReportCode(rc::NoZifReceiver);
    return rc::Ok;
  }
  return rc::Done;
}

ResultCode PagerOperations::ProgramPagerSequence() {
  link::LinkState& st = link_.state();
  codeplug::SettingsRecord& settings = s_.settings;
  codeplug::CodeplugImage& image = s_.image;
  const ModelCode codeplugModel = image.modelCode();

  storage::SaveContext save;
  save.pagerSerialNumber = st.serialNumber;
  save.programmingAttempted = ops_.programmingAttempted;

  // 1. The backup of the codeplug as it stands, before anything changes it.
  if (ops_.backupBeforeProgramming && modelIn(codeplugModel, ModelGroup::backupAllowed)) {
    storage::CodeplugFiles(s_).writeBackupBeforeWrite(save);
  }

  // 2.-3. Identification; the image takes the pager's model and slots.
  ResultCode r = link_.informationProbe(link::ProbeKind::BeforeProgram);
  link_.comm().DelayMs(kAfterProbeMs);
  if (r != rc::Ok) return r;
  ops_.programmingAttempted = true;
  st.blankRead = true;
  const ModelCode remembered = st.modelCode;
  st.operationModel = remembered;
  image.setModel(remembered);

  // 4. The pager's own image into the pager copy.
  link_.setImageBuffers(link::imageBuffersOf(image));
  st.copyMode = true;
  r = link_.runTransaction(link::Transaction::ReadImage, link::variantFor(remembered));
  st.copyMode = false;
  const ModelCode model = st.modelCode;
  const bool dFamily = modelIn(model, ModelGroup::dFamily);
  int pagerBand = settings.freqBand;
  if (r == rc::Ok) {
    if ((dFamily || link::variantFor(model) == link::Variant::B) && !hasBandField(settings)) {
      settings.nwBand = 0;
    }
    if (dFamily && hasBandField(settings)) {
      pagerBand = static_cast<int>(image.pagerCopy().bits(image.offsets().band, 6, 3));
    }
  }

  // 5.-7.
  if (r == rc::UnknownPagerType && (model == models::kNoModel || st.extendedFirmware != 1)) {
    s_.reporter.ReportCode(rc::UnknownPagerType);
    reportedInSequence_ = true;
  }
  if (remembered == '!' && st.extendedFirmware == 1) {
    const std::uint8_t byte1 = image.current().byte(1);
    if (byte1 == '0' || byte1 == '1') {
      s_.reporter.ReportCode(rc::FirmwareMismatch);
      reportedInSequence_ = true;
      r = rc::FirmwareMismatch;
    }
  }
  if (r != rc::Ok && r != rc::Unprogrammed) return r;

  // 8. An empty pager needs a serial number and a memory split.
  const bool unprogrammed = st.unprogrammed;
  settings.pagerUnprogrammed = unprogrammed;
  if (unprogrammed) {
    MemorySerialRequest request;
    request.model = model;
    request.memorySize = image.header().memorySize;
    request.largeMemory = image.header().largeMemory;
    request.mailDropCodePresent =
        pages::maildropCodeExists(settings, pages::codesOfModel(model, converter_.targetSet()));
    request.memoryCode = settings.memorySplit;
    if (const ResultCode d = dialogs_.askMemoryAndSerial(request); d != rc::Ok) return d;
    settings.serialNumber = request.serialNumber.substr(0, kSerialNumberBytes);
    if (model != 32) settings.memorySplit = request.memoryCode;
  }

  // 9.-12. Pre-checks; a refusal ends programming quietly.
  if (characterRomCheck() != rc::Done) return rc::Ok;
  if (cannedMessageCheck(model) != rc::Done) return rc::Ok;
  if (firmwareChecks() != rc::Done) return rc::Ok;
  codeplug::PagerFacts facts;
  facts.model = model;
  facts.unprogrammed = unprogrammed;
  facts.serialNumber = st.pagerCopy.serialNumber;
  facts.hardwareVariant = st.pagerCopy.hardwareVariant == link::PagerCopyValues::kAbsent
                              ? 0
                              : st.pagerCopy.hardwareVariant;
  facts.dualFrequencySupport = st.pagerCopy.dualFrequency == 1;
  facts.band = pagerBand;
  const auto codeplugFamilyModel = static_cast<ModelCode>(ops_.sourceModel);
  if (codeplug::checkModelCompatibility(codeplugFamilyModel, facts, s_.reporter) != rc::Done) {
    return rc::Ok;
  }

  // 13. What belongs to this pager replaces the codeplug's values.
  if (!unprogrammed) {
    settings.PLL_Type = st.pagerCopy.pllType;
    settings.nwBand = st.pagerCopy.narrowBand;
    settings.kept.bandLowBits = (settings.kept.bandLowBits & ~0x4) | (st.pagerCopy.bandFlag << 2);
    image.current().setText(image.offsets().serialNumber, kSerialNumberBytes,
                            st.pagerCopy.serialNumber);
  }

  // 14. Frequency checks (each shows its own failure).
  const codeplug::FrequencySettings freq = codeplug::frequencySettingsOf(
      settings, model,
      codeplug::bandTableFor(model, st.pagerCopy.serialNumber, ops_.programmingAttempted));
  if (codeplug::checkSynthesizable(freq, s_.reporter).code != rc::Done) {
    return rc::NotSynthesizable;
  }
  if (const ResultCode band = codeplug::checkFrequencyInBand(freq, s_.reporter); band != rc::Done) {
    return band;
  }

  // 15.-16.
  save.build.pagerUnprogrammed = unprogrammed;
  save.build.firmware = st.firmwareInfo.text;
  save.build.modelAtProgrammingStart = remembered;
  save.pagerSerialNumber = st.pagerCopy.serialNumber;
  r = buildAndWrite(model, remembered, facts, save);
  if (r != rc::Ok || !pagerWritten_) return r;
  return setClockAfterWrite(model);
}

ResultCode PagerOperations::buildAndWrite(ModelCode model, ModelCode remembered,
                                          const codeplug::PagerFacts& facts,
                                          const storage::SaveContext& save) {
  link::LinkState& st = link_.state();
  codeplug::CodeplugImage& image = s_.image;
  const auto codeplugModel = static_cast<ModelCode>(ops_.sourceModel);
  const auto readInformation = [this] {
    return link_.informationProbe(link::ProbeKind::BeforeProgram) == rc::Ok;
  };
  const auto reconcile = [&] {
    return conversion::reconcileModel(codeplugModel, facts, s_, converter_, save, readInformation);
  };

  if (facts.unprogrammed) {
    if (reconcile() == conversion::Reconciled::Stopped) return kStoppedQuietly;
    link_.comm().WaitMs(kBeforeUnprogrammedWriteMs);
    return writeImage(model);
  }

  const bool dFamily = modelIn(model, ModelGroup::dFamily);
  if (!dFamily) {
    if (const ResultCode b = s_.codec.build(image, s_.settings, save.build);
        b != rc::Done && b != rc::Ok) {
      return b;
    }
  }
  const bool zeroIconContrast =
      (remembered == '!' && st.extendedFirmware == 1) || clearsIconContrast(model);
  // After the reconciliation, which may build again: the written image must
  // carry the zero.
  const auto finish = [&] {
    if (zeroIconContrast) image.current().setByte(kIconContrastByte, 0);
  };

  if (modelIn(model, ModelGroup::largeQModels) || dFamily) {
    if (reconcile() == conversion::Reconciled::Stopped) return kStoppedQuietly;
    if (dFamily) {
      const ResultCode v = codeplug::checkHardwareVariant(facts, image, s_.settings, s_.reporter);
      if (v != rc::Done) return v;
    } else if (converter_.targetSet()) {
      return rc::CodeplugNewerThanPager;
    }
    finish();
    return writeImage(model);
  }
  if (reconcile() == conversion::Reconciled::Stopped) return kStoppedQuietly;
  if (converter_.targetSet()) return rc::CodeplugNewerThanPager;
  finish();
  return writeImage(model);
}

ResultCode PagerOperations::setClockAfterWrite(ModelCode model) {
  link::LinkState& st = link_.state();
  constexpr int kMaximum = 1;
  if (s_.settings.securityLevel == kMaximum && (ops_.downloadPasswordTyped || !st.passwordAsked)) {
    // A new password is in the pager now: the clock asks for it again.
    st.firstStatus = 0;
    st.passwordAsked = false;
  }
  ops_.downloadPasswordTyped = false;
  if (model == ' ') return rc::Ok;
  link_.comm().DelayMs(kBeforeClockMs);
  return link_.runTransaction(link::Transaction::SetClock, link::variantFor(model));
}

}  // namespace zelta::operations
