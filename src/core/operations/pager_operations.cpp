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
#include "operations/refused_image_text.h"
#include "pages/code_predicates.h"
#include "pages/features_page.h"

namespace zelta::operations {

namespace rc = errors::code;
using errors::OperationOutcome;
using errors::OutcomeKind;
using errors::ResultCode;
using models::ModelCode;
using models::ModelGroup;
using models::modelIn;

namespace {

constexpr std::int64_t kAfterProbeMs = 100;
constexpr std::int64_t kBeforeUnprogrammedWriteMs = 1000;
constexpr std::int64_t kBeforeClockMs = 500;

// Results the program dispatcher leaves unreported: success, the answered
// retry question, and codes their checks or the port have shown.
constexpr ResultCode kUnreportedProgramResults[] = {
    rc::Ok,        rc::NotResponding, rc::NotSynthesizable,
    rc::OutOfBand, rc::PortNotOpened, rc::RfSelectionsDiffer};

// The box after a programming run whose image write stopped part-way.
constexpr std::string_view kInterruptedWrite =
    "The connection to the pager was lost while the image was being written.\n"
    "The pager holds an incomplete image and must be programmed again before use.";

// What a stopped programming run left in the pager.
constexpr std::string_view kStoppedBeforeWrite = "Nothing was written to the pager.";
constexpr std::string_view kStoppedAfterWrite =
    "The image was written whole and the pager accepted it; its clock was not set.";

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

// The link reads into a scratch image for the length of a read and returns
// to the codeplug's own image after it, also when a fault unwinds the read.
class ScratchImage {
 public:
  ScratchImage(link::PagerLink& link, codeplug::CodeplugImage& own)
      : link_(link), own_(own), image_(std::make_unique<codeplug::CodeplugImage>(own)) {
    link_.setImageBuffers(link::imageBuffersOf(*image_));
  }
  ~ScratchImage() { link_.setImageBuffers(link::imageBuffersOf(own_)); }
  ScratchImage(const ScratchImage&) = delete;
  ScratchImage& operator=(const ScratchImage&) = delete;

  codeplug::CodeplugImage& image() { return *image_; }

 private:
  link::PagerLink& link_;
  codeplug::CodeplugImage& own_;
  std::unique_ptr<codeplug::CodeplugImage> image_;
};

}  // namespace

std::uint8_t pagerCharacterRom(codeplug::ConstImageView pagerCopy, ModelCode pagerModel,
                               std::uint8_t codeplugRom) {
  return models::oldModelCharacterRom(pagerModel, pagerCopy.byte(models::kOldLanguageByte),
                                      codeplugRom);
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

OperationOutcome PagerOperations::RunPagerOperation(OperationKind kind) {
  return kind == OperationKind::Read ? read() : program();
}

OperationOutcome PagerOperations::retried(const Run& run) {
  link::OperationScope scope(link_);
  OperationOutcome outcome;
  for (;;) {
    outcome = OperationOutcome::failed(rc::InternalFault);
    link_.runGuarded([&] { outcome = run(scope); });
    if (!outcome.failedWith(rc::NotResponding) || !s_.reporter.ConfirmCode(rc::NotResponding))
      break;
    // The fastest speed is the first suspect when a fast pager falls silent.
    const link::LinkState& st = link_.state();
    if (modelIn(st.modelCode, ModelGroup::userPasswordGroup) &&
        st.requestedSpeedCode == link::speed::k57600) {
      scope.lowerSpeed(link::speed::k38400);
    }
  }
  return outcome;
}

OperationOutcome PagerOperations::read() {
  const OperationOutcome run = retried([this](link::OperationScope& scope) {
    const ResultCode r = ReadPagerSequence(scope);
    return r == rc::Ok ? OperationOutcome::done() : OperationOutcome::failed(r);
  });
  if (run.succeeded()) return run;
  // A stopped read has shown nothing: the caller tells the operator.
  if (run.code == rc::Cancelled) return OperationOutcome::stopped(false);
  // The retry question and the port have shown theirs; the rest is left to
  // the caller.
  const bool shown = run.code == rc::NotResponding || run.code == rc::PortNotOpened;
  return OperationOutcome::failed(run.code, shown);
}

OperationOutcome PagerOperations::program() {
  pagerWritten_ = false;
  reportedInSequence_ = false;
  ResultCode checks = rc::InternalFault;
  link_.runGuarded([&] { checks = codeChecks(); });
  // Nothing of the link ran: what it says of an earlier operation's write
  // does not belong to this one.
  if (checks != rc::Ok) return reportedProgramOutcome(OperationOutcome::failed(checks));
  return finishProgram(retried([this](link::OperationScope& scope) {
    if (ops_.requiredModel != models::kNoModel) scope.pinModel(ops_.requiredModel);
    return ProgramPagerSequence(scope);
  }));
}

OperationOutcome PagerOperations::finishProgram(const OperationOutcome& run) {
  OperationOutcome outcome = reportedProgramOutcome(run);
  // Said last: a port that went away has shown its own box, which names no
  // write, and the retry question may have come between.
  if (link_.state().imageWriteInterrupted) {
    s_.reporter.Show({errors::BoxClass::Error, "ERROR", std::string(kInterruptedWrite)});
    outcome.writeInterrupted = true;
    outcome.pagerWritten = false;
  }
  return outcome;
}

OperationOutcome PagerOperations::reportedProgramOutcome(const OperationOutcome& run) {
  // An attempt the retry question repeated may have written the image
  // already: the pager holds it, whatever the last attempt came to.
  if (run.kind != OutcomeKind::Failed) {
    return pagerWritten_ ? OperationOutcome::done(true) : run;
  }
  const ResultCode r = run.code;
  const bool unreported =
      std::find(std::begin(kUnreportedProgramResults), std::end(kUnreportedProgramResults), r) !=
      std::end(kUnreportedProgramResults);
  const bool shownBySequence =
      reportedInSequence_ && (r == rc::UnknownPagerType || r == rc::FirmwareMismatch);
  if (r == rc::Cancelled) {
    // The stop waits for a block being written: the pager holds the whole
    // image or none of this run's.
    s_.reporter.ReportCode(r,
                           std::string(pagerWritten_ ? kStoppedAfterWrite : kStoppedBeforeWrite));
    return OperationOutcome::stopped(true, pagerWritten_);
  }
  if (r == rc::BadChecksum && !pagerWritten_) {
    s_.reporter.ReportCode(r, std::string(kRefusedImageDetail));
  } else if (!unreported && !shownBySequence) {
    s_.reporter.ReportCode(r);
  }
  return OperationOutcome::failed(r, true, pagerWritten_);
}

// The image is read and decoded into a copy of the codeplug; the codeplug on
// screen is replaced only when both succeed, so a failed read never loses
// the codeplug that was open.
ResultCode PagerOperations::ReadPagerSequence(link::OperationScope& scope) {
  const link::LinkState& st = link_.state();
  ResultCode r = link_.informationProbe(link::ProbeKind::BeforeRead);
  if (r != rc::Ok) return r;
  scope.pinModel(st.modelCode);
  ops_.sourceModel = st.modelCode;
  const ModelCode model = st.modelCode;

  ScratchImage read(link_, s_.image);
  codeplug::CodeplugImage& scratch = read.image();
  r = link_.readImage({}, link::variantFor(model));
  if (r != rc::Ok) {
    scope.forgetModel();
    return r;
  }

  scratch.setModel(st.modelCode);
  scratch.header().modelByte = st.modelCode;
  codeplug::SettingsRecord settings = s_.settings;
  settings.modelCodeAsRead = st.modelCode;
  codeplug::DecodeContext context;
  context.converterTarget = false;  // a read turns the converter off
  context.oldGenerationPager = st.extendedFirmware != 1;
  context.reporter = &s_.reporter;
  r = s_.codec.decode(codeplug::DecodeCommand::ReadPager, scratch, settings, context);
  if (r != rc::Ok) {
    scope.forgetModel();
    return r;
  }
  s_.image = scratch;
  s_.image.armSnapshot();
  s_.settings = std::move(settings);
  conversion::resetConverterAfterLoad(converter_);
  return rc::Ok;
}

OperationOutcome PagerOperations::writeImage(ModelCode model) {
  const ResultCode r = link_.runTransaction(link::Transaction::WriteImage, link::variantFor(model));
  if (r != rc::Ok) return OperationOutcome::failed(r);
  pagerWritten_ = true;
  return OperationOutcome::done(true);
}

// Step 9: the prompts need a character ROM the pager may not have. This
// check and the two after it return whether programming goes on; a No or
// a message shown ends it quietly.
bool PagerOperations::characterRomCheck() {
  codeplug::SettingsRecord& st = s_.settings;
  const std::uint8_t codeplugRom = s_.image.header().cgromType;
  const std::uint8_t pagerRom =
      pagerCharacterRom(s_.image.pagerCopy(), link_.state().modelCode, codeplugRom);
  const bool needsRom = st.internationalPrompt >= kFirstRomLanguage;
  if (pagerRom == codeplugRom && !(codeplugRom == 0 && needsRom)) return true;
  if (!s_.reporter.ConfirmCode(rc::CgromChanged)) return false;
  // The prompts become English, laid out as English prompts are.
  st.internationalPrompt = 0;
  st.internationalCharSet = 0;
  st.showSource = 0;
  st.promptsAsText = false;
  s_.codec.loadDefaultPrompts(st, s_.image.modelCode());
  return true;
}

// Step 10: a canned message range outside the window of the character ROM.
bool PagerOperations::cannedMessageCheck(ModelCode model) {
  codeplug::SettingsRecord& st = s_.settings;
  const std::uint8_t rom = s_.image.header().cgromType;
  if (rom == 0 || rom == 3 || st.regularCannedMsg == 0 || model == models::kModelHash) {
    return true;
  }
  if (pages::cannedRangeValid(st.startCannedMsg, st.endCannedMsg, rom)) return true;
  if (!s_.reporter.ConfirmCode(rc::CannedRangeReset)) return false;
  const pages::CannedRange range = pages::defaultCannedRange(rom);
  st.startCannedMsg = range.start;
  st.endCannedMsg = range.end;
  if (rom == 2 && st.ideoNumericCanned == 1) st.ideoNumericCanned = 2;
  return true;
}

// Step 11: what the oldest firmware cannot receive.
bool PagerOperations::firmwareChecks() {
  constexpr int k2400Baud = 2;
  const link::FirmwareFlags& fw = link_.state().firmware;
  if (fw.limitsBaudRate() && s_.settings.codingFormat == k2400Baud) {
    s_.reporter.ReportCode(rc::No2400Baud);
    return false;
  }
  if (ops_.receiverType == "    ZIF    " &&
      (fw.has(link::Firmware::R0100) || fw.has(link::Firmware::R0200))) {
    s_.reporter.ReportCode(rc::NoZifReceiver);
    return false;
  }
  return true;
}

OperationOutcome PagerOperations::ProgramPagerSequence(link::OperationScope& scope) {
  const link::LinkState& st = link_.state();
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
  if (r != rc::Ok) return OperationOutcome::failed(r);
  ops_.programmingAttempted = true;
  const ModelCode remembered = st.modelCode;
  scope.pinModel(remembered);
  image.setModel(remembered);

  // 4. The pager's own image into the pager copy, with the command an
  // unprogrammed pager answers.
  link_.setImageBuffers(link::imageBuffersOf(image));
  r = link_.readImage({.into = link::ReadInto::PagerCopy, .blankRead = true},
                      link::variantFor(remembered));
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
  if (models::takesFamilyAImage(remembered, st.extendedFirmware)) {
    const std::uint8_t byte1 = image.current().byte(1);
    if (byte1 == '0' || byte1 == '1') {
      s_.reporter.ReportCode(rc::FirmwareMismatch);
      reportedInSequence_ = true;
      r = rc::FirmwareMismatch;
    }
  }
  if (r != rc::Ok && r != rc::Unprogrammed) return OperationOutcome::failed(r);

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
    if (const ResultCode d = dialogs_.askMemoryAndSerial(request); d != rc::Ok) {
      return OperationOutcome::failed(d);
    }
    settings.serialNumber = request.serialNumber.substr(0, kSerialNumberBytes);
    if (models::hasMemorySplitChoice(model)) settings.memorySplit = request.memoryCode;
  }

  // 9.-12. Pre-checks; a refusal ends programming quietly.
  if (!characterRomCheck() || !cannedMessageCheck(model) || !firmwareChecks())
    return OperationOutcome::notWritten();
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
  if (codeplug::checkModelCompatibility(codeplugFamilyModel, facts, s_.reporter) != rc::Ok) {
    return OperationOutcome::notWritten();
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
  if (codeplug::checkSynthesizable(freq, s_.reporter).code != rc::Ok) {
    return OperationOutcome::failed(rc::NotSynthesizable);
  }
  if (const ResultCode band = codeplug::checkFrequencyInBand(freq, s_.reporter); band != rc::Ok) {
    return OperationOutcome::failed(band);
  }

  // 15.-16.
  save.build.pagerUnprogrammed = unprogrammed;
  save.build.firmware = st.firmwareInfo.text;
  save.build.modelAtProgrammingStart = remembered;
  save.pagerSerialNumber = st.pagerCopy.serialNumber;
  const OperationOutcome written = buildAndWrite(model, remembered, facts, save);
  if (!written.succeeded()) return written;
  return setClockAfterWrite(model);
}

OperationOutcome PagerOperations::buildAndWrite(ModelCode model, ModelCode remembered,
                                                const codeplug::PagerFacts& facts,
                                                const storage::SaveContext& save) {
  const link::LinkState& st = link_.state();
  codeplug::CodeplugImage& image = s_.image;
  const auto codeplugModel = static_cast<ModelCode>(ops_.sourceModel);
  const auto readInformation = [this] {
    return link_.informationProbe(link::ProbeKind::BeforeProgram) == rc::Ok;
  };
  const auto reconcile = [&] {
    return conversion::reconcileModel(codeplugModel, facts, s_, converter_, save, readInformation);
  };

  if (facts.unprogrammed) {
    if (reconcile() == conversion::Reconciled::Stopped) return OperationOutcome::notWritten();
    link_.comm().WaitMs(kBeforeUnprogrammedWriteMs);
    return writeImage(model);
  }

  const bool dFamily = modelIn(model, ModelGroup::dFamily);
  if (!dFamily) {
    if (const ResultCode b = s_.codec.build(image, s_.settings, save.build); b != rc::Ok) {
      return OperationOutcome::failed(b);
    }
  }
  const bool zeroIconContrast =
      models::takesFamilyAImage(remembered, st.extendedFirmware) || clearsIconContrast(model);
  // After the reconciliation, which may build again: the written image must
  // carry the zero.
  const auto finish = [&] {
    if (zeroIconContrast) image.current().setByte(kIconContrastByte, 0);
  };

  if (modelIn(model, ModelGroup::largeQModels) || dFamily) {
    if (reconcile() == conversion::Reconciled::Stopped) return OperationOutcome::notWritten();
    if (dFamily) {
      const ResultCode v = codeplug::checkHardwareVariant(facts, image, s_.settings, s_.reporter);
      if (v != rc::Ok) return OperationOutcome::failed(v);
    } else if (converter_.targetSet()) {
      return OperationOutcome::failed(rc::CodeplugNewerThanPager);
    }
    finish();
    return writeImage(model);
  }
  if (reconcile() == conversion::Reconciled::Stopped) return OperationOutcome::notWritten();
  if (converter_.targetSet()) return OperationOutcome::failed(rc::CodeplugNewerThanPager);
  finish();
  return writeImage(model);
}

OperationOutcome PagerOperations::setClockAfterWrite(ModelCode model) {
  constexpr int kMaximum = 1;
  // A new password is in the pager now: the clock asks for it again.
  const bool passwordChanged = s_.settings.securityLevel == kMaximum &&
                               (ops_.downloadPasswordTyped || !link_.state().passwordAsked);
  ops_.downloadPasswordTyped = false;
  if (!models::hasClock(model)) return OperationOutcome::done(true);
  link_.comm().DelayMs(kBeforeClockMs);
  const ResultCode r =
      link_.setClock({.passwordChanged = passwordChanged}, link::variantFor(model));
  if (r != rc::Ok) return OperationOutcome::failed(r, false, true);
  return OperationOutcome::done(true);
}

}  // namespace zelta::operations
