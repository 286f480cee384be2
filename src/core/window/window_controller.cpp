#include "window/window_controller.h"

#include <system_error>

#include "codeplug/common_fields.h"
#include "codeplug/frequency_band.h"
#include "codeplug/frequency_synthesizer.h"
#include "codes/tone_samples.h"
#include "conversion/codeplug_commands.h"
#include "models/models.h"
#include "pages/alert_page.h"
#include "pages/code_checks.h"
#include "pages/field_catalog.h"
#include "pages/field_ids.h"
#include "pages/page_settings.h"
#include "pages/prompt_pages.h"
#include "version.h"
#include "window/unwritable_file_text.h"

namespace zelta::window {
namespace {

using errors::OperationOutcome;
using errors::ResultCode;
using pages::Page;

constexpr std::uint16_t kOnlyMainTab = 1u << pages::pageIndex(Page::Main);
// `cb_securityLevel` "Maximum".
constexpr int kMaximumSecurity = 1;
// The field that takes the focus when a codeplug is shown: `ed_ICN`.
constexpr pages::FieldId kInventoryNumberField = pages::fieldId("ed_ICN");

std::string captionWith(std::string_view separator, std::string_view name) {
  return std::string(kMainWindowCaption) + std::string(separator) + std::string(name);
}

std::filesystem::path absolutePath(const std::filesystem::path& path) {
  std::error_code ec;
  std::filesystem::path full = std::filesystem::absolute(path, ec);
  return ec ? path : full;
}

// A name typed without an extension gets the dialog's default one.
std::filesystem::path withDefaultExtension(std::filesystem::path path) {
  if (!path.has_extension()) path += std::string(kCodeplugExtension);
  return path;
}

errors::Message box(errors::BoxClass boxClass, std::string_view caption, std::string text) {
  return errors::Message{boxClass, std::string(caption), std::move(text)};
}

}  // namespace

WindowController::WindowController(WindowFrontEnd& frontEnd, errors::Reporter& reporter,
                                   storage::WorkFiles work, const codeplug::CodeplugCodec& codec)
    : frontEnd_(frontEnd),
      reporter_(reporter),
      codec_(codec),
      image_(std::make_unique<codeplug::CodeplugImage>()),
      settings_(std::make_unique<codeplug::SettingsRecord>()),
      work_(std::move(work)),
      modules_(codec),
      dispatcher_(modules_.registry()),
      caption_(kMainWindowCaption) {
  for (const pages::PageInfo& page : pages::kPages)
    tabCaptions_[static_cast<std::size_t>(pages::pageIndex(page.page))] = page.caption;
  returnToMain();
  focus_ = {};
}

storage::CodeplugSession WindowController::session() {
  return storage::CodeplugSession{*image_, *settings_, work_, reporter_, codec_};
}

pages::PageContext WindowController::context() const {
  pages::EditingState state;
  state.sequentialMode = sequentialMode_;
  state.converter = converter_.mode;
  state.limitedBaudFirmware = link_.limitedBaudFirmware;
  state.firmwareR0102 = link_.firmwareR0102;
  state.locker = locker_;
  state.ideographicMixForbidden = link_.ideographicMixForbidden;
  state.programmingAttempted = programmingAttempted_;
  return pages::pageContextOf(*image_, *settings_, reporter_, state);
}

WindowView WindowController::view() const {
  WindowView v;
  v.caption = caption_;
  v.unsavedEdits = unsavedEdits_;
  for (int i = 0; i < pages::kPageCount; ++i) {
    const auto at = static_cast<std::size_t>(i);
    v.tabs[at] = TabView{((hiddenTabs_ >> i) & 1u) == 0, tabCaptions_[at]};
  }
  v.activePage = activePage_;
  v.pagesEnabled = !busy_;
  v.printedPages = printedPages_;
  v.commands =
      commandStates(CommandContext{onMain(), busy_, toolsMenuShown_, converter_.mode, locker_});
  v.operationText = operationText_;
  v.statusResult = statusResult_;
  v.gaugeVisible = !onMain() && pages::promptGaugeShown(activePage_);
  v.gaugeValue = gaugeValue_;
  v.versionText = versionText_;
  v.keymap = onMain() ? std::string() : std::string(kEditingKeymap);
  v.focus = focus_;
  return v;
}

// ---- Field events ----

void WindowController::fieldEntered(pages::FieldId field) {
  beginCall();
  if (onMain()) return;
  pages::PageContext c = context();
  dispatcher_.enter(activePage_, field, c);
  if (activePage_ == Page::Alert) {
    const pages::PageView shown = pageView(activePage_);
    const pages::FieldView* list = shown.find(field);
    if (list != nullptr && pages::pleasingAlertEditorOnEnter(field, list->selected, *settings_))
      editPleasingAlert();
  }
}

void WindowController::editPleasingAlert() {
  const codes::Melody before = settings_->melody;
  frontEnd_.editPleasingAlert(settings_->melody);
  if (settings_->melody != before) unsavedEdits_ = true;
}

bool WindowController::playTone(codes::ToneOutput& output,
                                const std::filesystem::path& programFolder) {
  if (onMain() || !dispatcher_.playToneEnabled()) return false;
  return codes::playAlertPatternSample(programFolder, dispatcher_.tonePattern(), output);
}

void WindowController::storeUserPassword(const pages::UserPassword& password) {
  beginCall();
  if (activePage_ != Page::PasswordOta) return;
  if (settings_->cpwFc_Password == password.digits &&
      settings_->userPasswordKeyCount == password.length)
    return;
  pages::storeUserPassword(password, *settings_);
  unsavedEdits_ = true;
}

bool WindowController::differsFromPage(const pages::FieldInput& input) const {
  const pages::PageView shown = pageView(activePage_);
  const pages::FieldView* field = shown.find(input.id);
  if (field == nullptr) return true;
  const pages::FieldEntry* entry = pages::findField(input.id);
  if (entry != nullptr && entry->kind == pages::FieldKind::List)
    return field->selected != input.index;
  return field->text != input.text;
}

ResultCode WindowController::fieldLeft(const pages::FieldInput& input) {
  beginCall();
  if (onMain()) return errors::code::Ok;
  const bool changed = differsFromPage(input);
  if (activePage_ == Page::Alert && changed && pages::pleasingAlertEditorOnChange(input))
    editPleasingAlert();
  pages::PageContext c = context();
  const ResultCode result = dispatcher_.exit(activePage_, input, c);
  // The pager pads texts with spaces, so a text of one space reads back
  // empty: the pages show it as a save and a load will give it back.
  if (result == errors::code::Ok) codeplug::emptySingleSpaceTexts(*settings_);
  if (result == errors::code::Ok && changed) unsavedEdits_ = true;
  refreshGauge();
  return result;
}

bool WindowController::toggleDefault(pages::FieldId field) {
  beginCall();
  if (activePage_ != Page::Prompt1 && activePage_ != Page::Prompt2) return false;
  pages::PageContext c = context();
  return modules_.prompts().toggleDefault(field, c);
}

pages::KeyContext WindowController::keyContext() const {
  return pages::keyContextOf(*image_);
}

pages::PageView WindowController::pageView(Page page) const {
  const pages::PageModule* module = modules_.registry().find(pages::moduleOfPage(page));
  if (module == nullptr) return pages::PageView{page, {}};
  return module->view(page, context());
}

bool WindowController::playToneEnabled() const {
  return dispatcher_.playToneEnabled();
}

pages::ModelFieldLayout WindowController::modelLayout() const {
  return pages::contextLayout(context());
}

// ---- Keys ----

KeyOutcome WindowController::pressKey(WindowKey key, const KeyInput& input) {
  beginCall();
  const KeyEntry& entry = keyEntry(key);
  const CommandEntry* command = findCommand(entry.command);
  if (command == nullptr) return KeyOutcome::Ignored;
  const CommandContext states{onMain(), busy_, toolsMenuShown_, converter_.mode, locker_};
  if (!commandState(*command, states).enabled) return KeyOutcome::Ignored;
  statusResult_.clear();
  const KeyCommand pressed = onMain() ? entry.onMain : entry.onEditing;
  if (checksThePage(pressed) && !stored(input.storeFocusedField)) return KeyOutcome::Handled;
  // The field events of the store answer for themselves; the command starts afresh.
  beginCall();
  return onMain() ? mainKey(pressed, input) : editingKey(pressed, input);
}

bool WindowController::stored(const StoreFocusedField& storeFocusedField) {
  return !storeFocusedField || storeFocusedField();
}

KeyOutcome WindowController::mainKey(KeyCommand command, const KeyInput&) {
  switch (command) {
    case KeyCommand::Help: return KeyOutcome::OpenHelp;
    case KeyCommand::Read:
      // A new read starts a new pager: the last one's serial number goes.
      link_.pagerSerialNumber.clear();
      sequentialMode_ = false;
      return KeyOutcome::Read;
    case KeyCommand::Service: return KeyOutcome::Service;
    case KeyCommand::ProgramSingle: return KeyOutcome::ProgramSingle;
    case KeyCommand::ProgramSequential: return KeyOutcome::ProgramSequential;
    case KeyCommand::Load: load(); return KeyOutcome::Handled;
    case KeyCommand::Exit: return KeyOutcome::CloseWindow;
    default: break;
  }
  reporter_.Show(
      box(errors::BoxClass::Information, kInformationCaption, std::string(kInvalidKeyText)));
  return KeyOutcome::InvalidKey;
}

KeyOutcome WindowController::editingKey(KeyCommand command, const KeyInput& input) {
  switch (command) {
    case KeyCommand::Help: return KeyOutcome::OpenHelp;
    case KeyCommand::Program:
      if (!codeplugLoaded()) {
        showNoCodeplug();
        return KeyOutcome::Handled;
      }
      return KeyOutcome::Program;
    case KeyCommand::SetToDefaults: setToDefaults(); return KeyOutcome::Handled;
    case KeyCommand::Exit:
      if (!exitToMain(input.portBusy, input.storeFocusedField)) return KeyOutcome::Handled;
      return input.portBusy ? KeyOutcome::ClosePort : KeyOutcome::Handled;
    case KeyCommand::PreviousPage: previousPage(); return KeyOutcome::Handled;
    case KeyCommand::NextPage: nextPage(); return KeyOutcome::Handled;
    case KeyCommand::Save: save(); return KeyOutcome::Handled;
    default: break;
  }
  return KeyOutcome::Ignored;
}

// ---- Load and save ----

OperationOutcome WindowController::load() {
  beginCall();
  if (settleUnsavedEdits() == EditsSettled::Kept) return OperationOutcome::notWritten();
  beginCall();
  sequentialMode_ = false;
  link_.pagerSerialNumber.clear();
  const std::optional<std::filesystem::path> chosen = frontEnd_.chooseFileToOpen(
      FileDialogRequest{kOpenDialogFilter, kCodeplugExtension, archiveFolder()});
  if (!chosen) return OperationOutcome::stopped(false);
  return openNamedFile(*chosen);
}

OperationOutcome WindowController::openFile(const std::filesystem::path& file,
                                            const StoreFocusedField& storeFocusedField) {
  beginCall();
  if (busy_) return OperationOutcome::notWritten();
  // A value still being typed is an edit too, as for F10.
  if (!onMain() && !stored(storeFocusedField)) return OperationOutcome::notWritten();
  beginCall();
  if (settleUnsavedEdits() == EditsSettled::Kept) return OperationOutcome::notWritten();
  beginCall();
  sequentialMode_ = false;
  link_.pagerSerialNumber.clear();
  if (onMain()) return openNamedFile(file);

  // The codeplug on screen stays should the file fail to open (the reader
  // may have overwritten part of the image by then).
  const codeplug::CodeplugImage image = *image_;
  const codeplug::SettingsRecord settings = *settings_;
  const conversion::ConverterState converter = converter_;
  const bool unsaved = unsavedEdits_;
  laidOut_ = false;
  const OperationOutcome opened = openNamedFile(file);
  if (opened.succeeded()) return opened;
  *image_ = image;
  *settings_ = settings;
  converter_ = converter;
  unsavedEdits_ = unsaved;
  laidOut_ = true;
  return opened;
}

OperationOutcome WindowController::openNamedFile(const std::filesystem::path& named) {
  const std::filesystem::path file = absolutePath(named);
  std::error_code ec;
  if (!std::filesystem::exists(file, ec)) {
    reporter_.Show(box(errors::BoxClass::Error, kErrorCaption,
                       named.string() + std::string(kFileMissingSuffix)));
    return OperationOutcome::failed(storage::kFileNotAccessible, true);
  }
  const ResultCode result = conversion::openCodeplug(file, session(), converter_);
  if (result == storage::kFileNotAccessible) {
    // The file layer shows nothing for a file it cannot read; the operator
    // must not be left without an answer.
    reporter_.Show(box(errors::BoxClass::Error, kErrorCaption,
                       named.string() + std::string(kFileUnreadableSuffix)));
    return OperationOutcome::failed(result, true);
  }
  if (result != errors::code::Ok) return OperationOutcome::failed(result, true);

  decodedBy_ = codeplug::DecodeCommand::OpenFile;
  if (!laidOut_) layOutForModel();
  codeplugName_ = file.string();
  fileOnScreen_ = storage::fingerprintFile(file);
  caption_ = captionWith(kFileCaptionSeparator, file.filename().string());
  showCodeplug();
  frontEnd_.codeplugFileUsed(file);
  return OperationOutcome::done();
}

OperationOutcome WindowController::save() {
  beginCall();
  if (onMain()) return OperationOutcome::notWritten();
  const ResultCode checked = runPageCheckChain();
  if (checked != errors::code::Ok) return OperationOutcome::failed(checked, true);

  const models::ModelCode model = image_->modelCode();
  const codeplug::BandTable table =
      codeplug::bandTableFor(model, link_.pagerSerialNumber, programmingAttempted_);
  const codeplug::SynthesisResult synthesis = codeplug::checkSynthesizable(
      codeplug::frequencySettingsOf(*settings_, model, table), reporter_);
  if (synthesis.code != errors::code::Ok) return OperationOutcome::failed(synthesis.code, true);

  if (!codeplugLoaded()) {
    showNoCodeplug();
    return OperationOutcome::notWritten();
  }

  const std::filesystem::path folder = codeplugName_ == kReadCodeplugName
                                           ? archiveFolder()
                                           : std::filesystem::path(codeplugName_).parent_path();
  const std::optional<std::filesystem::path> chosen =
      frontEnd_.chooseFileToSave(FileDialogRequest{kSaveDialogFilter, kCodeplugExtension, folder});
  if (!chosen) return OperationOutcome::stopped(false);
  const std::filesystem::path file = absolutePath(withDefaultExtension(*chosen));

  // A folder, a device or a pipe at the name is never replaced: asking
  // whether to replace it would only lead to a failure.
  if (const std::error_code occupied = occupiedByNonFile(file)) {
    reporter_.Show(box(errors::BoxClass::Error, kErrorCaption,
                       unwritableFileText(file, occupied, occupied.message())));
    return OperationOutcome::failed(storage::kFileNotAccessible, true);
  }
  if (frontEnd_.freeSpace(file.parent_path()) < kSaveSpaceNeeded) {
    reporter_.Show(box(errors::BoxClass::Warning, kNoSpaceCaption, std::string(kNoSpaceText)));
    return OperationOutcome::notWritten();
  }
  std::error_code ec;
  if (std::filesystem::exists(file, ec) && !confirmReplace(file))
    return OperationOutcome::notWritten();

  storage::SaveContext context;
  context.build.converterTarget = converter_.targetSet();
  context.build.firmware = link_.firmware;
  context.pagerSerialNumber = link_.pagerSerialNumber;
  context.programmingAttempted = programmingAttempted_;
  const ResultCode result = conversion::saveCodeplug(file, session(), converter_, context);
  if (result == storage::kFileNotAccessible) {
    // The backup or the converter's scratch file may be the one that failed.
    const errors::MessageContext& failed = reporter_.context();
    const std::filesystem::path named =
        failed.problemFile.empty() ? file : std::filesystem::path(failed.problemFile);
    reporter_.Show(box(errors::BoxClass::Error, kErrorCaption,
                       unwritableFileText(named, failed.fileError, failed.fileProblem)));
    return OperationOutcome::failed(result, true);
  }
  if (result != errors::code::Ok) return OperationOutcome::failed(result, true);

  reporter_.Show(box(errors::BoxClass::Information, kSuccessCaption,
                     std::string(kSavedAsPrefix) + file.string()));
  caption_ = captionWith(kFileCaptionSeparator, file.filename().string());
  codeplugName_ = file.string();
  fileOnScreen_ = storage::fingerprintFile(file);
  versionText_ = settings_->codeplugVersionText;
  unsavedEdits_ = false;
  frontEnd_.codeplugFileUsed(file);
  return OperationOutcome::done(true);
}

bool WindowController::confirmReplace(const std::filesystem::path& file) {
  if (fileOnScreen_ && fileOnScreen_->path == file && storage::fileChangedSince(*fileOnScreen_)) {
    return reporter_.Ask(errors::Question{std::string(kFileChangedCaption),
                                          file.string() + std::string(kFileChangedSuffix)});
  }
  return reporter_.Ask(
      errors::Question{std::string(kReplaceCaption), file.string() + std::string(kReplaceSuffix)});
}

void WindowController::showNoCodeplug() {
  reporter_.Show(box(errors::BoxClass::Error, kErrorMessageCaption, std::string(kNoCodeplugText)));
}

void WindowController::remindToRecordPassword() {
  if (activePage_ == Page::PasswordOta && settings_->securityLevel == kMaximumSecurity) {
    reporter_.Show(
        box(errors::BoxClass::Information, kSuccessCaption, std::string(kRecordPasswordText)));
  }
}

// ---- Defaults, exit, close ----

OperationOutcome WindowController::setToDefaults() {
  beginCall();
  if (onMain()) return OperationOutcome::notWritten();
  remindToRecordPassword();
  if (!reporter_.ConfirmCode(errors::code::ResetToDefaults)) return OperationOutcome::notWritten();

  // The defaults of the model, then the image on screen decoded again by
  // the same rules; the pages show the settings as they now stand.
  codeplug::DecodeContext decode;
  decode.converterTarget = converter_.targetSet();
  const ResultCode decoded =
      codec_.decode(codeplug::DecodeCommand::SetToDefaults, *image_, *settings_, decode);
  unsavedEdits_ = true;
  pages::PageContext c = context();
  dispatcher_.enterPage(activePage_, c);
  refreshGauge();
  return decoded == errors::code::Ok ? OperationOutcome::done() : OperationOutcome::failed(decoded);
}

bool WindowController::exitToMain(bool portBusy, const StoreFocusedField& storeFocusedField) {
  beginCall();
  if (onMain()) return false;
  // A value still being typed is an edit too; one the rules refuse stops
  // F10 as it stops every command that checks the page.
  if (!stored(storeFocusedField)) return false;
  beginCall();
  if (settleUnsavedEdits() == EditsSettled::Kept) return false;
  if (portBusy && !reporter_.ConfirmCode(errors::code::ExitWhileBusy, kExitWhileBusyDetail)) {
    return false;
  }
  returnToMain();
  codeplugName_.clear();
  fileOnScreen_.reset();
  caption_ = kMainWindowCaption;
  return true;
}

bool WindowController::confirmClose(bool portBusy, bool startUpFailed,
                                    const StoreFocusedField& storeFocusedField) {
  beginCall();
  if (startUpFailed) return true;
  if (portBusy) return reporter_.ConfirmCode(errors::code::ExitWhileBusy, kCloseWhileBusyDetail);
  if (!onMain() && !stored(storeFocusedField)) return false;
  beginCall();
  switch (settleUnsavedEdits()) {
    case EditsSettled::NoneUnsaved: break;
    // The three-way question has asked already whether to leave.
    case EditsSettled::Settled: return true;
    case EditsSettled::Kept: return false;
  }
  return reporter_.Ask(
      errors::Question{std::string(kExitQuestionCaption), std::string(kExitQuestionText)});
}

WindowController::EditsSettled WindowController::settleUnsavedEdits() {
  if (!unsavedEdits_) return EditsSettled::NoneUnsaved;
  switch (frontEnd_.askAboutUnsavedEdits(
      UnsavedEditsQuestion{kUnsavedEditsCaption, kUnsavedEditsText})) {
    case UnsavedEditsAnswer::Save:
      // A save cancelled at its dialog or refused by a check keeps the edits
      // on screen; its own message has said why.
      return save().succeeded() ? EditsSettled::Settled : EditsSettled::Kept;
    case UnsavedEditsAnswer::Discard: return EditsSettled::Settled;
    case UnsavedEditsAnswer::Cancel: return EditsSettled::Kept;
  }
  return EditsSettled::Kept;
}

// ---- Pages ----

ResultCode WindowController::runPageCheckChain() {
  if (onMain()) return errors::code::Ok;
  // The field being edited has been stored through the field events already.
  pages::PageContext c = context();
  const ResultCode result = dispatcher_.runPageCheckChain(activePage_, std::nullopt, c);
  refreshGauge();
  return result;
}

bool WindowController::previousPage() {
  beginCall();
  return movePage(-1);
}

bool WindowController::nextPage() {
  beginCall();
  return movePage(1);
}

bool WindowController::movePage(int step) {
  if (onMain()) return false;
  pages::PageContext c = context();
  const ResultCode checked = dispatcher_.pageCheck(activePage_, c);
  // The prompt and source pages are left only while the prompt block fits;
  // the other pages move on whatever their check found.
  if (pages::promptGaugeShown(activePage_) && checked != errors::code::Ok) {
    refreshGauge();
    return false;
  }
  const int from = pages::pageIndex(activePage_);
  for (int i = 1; i < pages::kPageCount; ++i) {
    const int index =
        ((from + step * i) % pages::kPageCount + pages::kPageCount) % pages::kPageCount;
    const Page page = *pages::pageFromIndex(index);
    if (page == Page::Main || ((hiddenTabs_ >> index) & 1u) != 0) continue;
    activePage_ = page;
    enterPage(page);
    return true;
  }
  return false;
}

bool WindowController::selectPage(Page page, const StoreFocusedField& storeFocusedField) {
  beginCall();
  if (onMain() || page == activePage_) return false;
  if (!stored(storeFocusedField)) return false;
  beginCall();
  if (page == Page::Main) return false;
  if (((hiddenTabs_ >> pages::pageIndex(page)) & 1u) != 0) return false;
  if (runPageCheckChain() != errors::code::Ok) return false;
  activePage_ = page;
  enterPage(page);
  return true;
}

void WindowController::enterPage(Page page) {
  pages::PageContext c = context();
  dispatcher_.enterPage(page, c);
  refreshGauge();
  if (pages::promptGaugeShown(page)) {
    focus_ = FocusRequest{FocusRequest::Target::PageControl, pages::kNoFieldId};
  } else {
    focusFirstField(page);
  }
}

void WindowController::focusFirstField(Page page) {
  const pages::PageView shown = pageView(page);
  for (const pages::FieldView& field : shown.fields) {
    if (field.id == pages::kNoFieldId || !field.visible || !field.enabled) continue;
    const pages::FieldEntry* entry = pages::findField(field.id);
    if (entry == nullptr || entry->kind == pages::FieldKind::ReadOnly) continue;
    focus_ = FocusRequest{FocusRequest::Target::Field, field.id};
    return;
  }
  focus_ = FocusRequest{FocusRequest::Target::PageControl, pages::kNoFieldId};
}

void WindowController::refreshGauge() {
  if (const std::optional<int> percent = modules_.prompts().usagePercent()) gaugeValue_ = *percent;
}

void WindowController::layOutForModel() {
  const models::ModelCode model = image_->modelCode();
  int capacity = 0;
  const codeplug::Offset variant = image_->offsets().hardwareOptions;
  if (models::modelIn(model, models::ModelGroup::dFamily) && variant != codeplug::kNoSlot)
    capacity = pages::codeCapacityFromVariantByte(image_->current().byte(variant));
  const pages::TabLayout layout = pages::pageLayout(model, capacity);
  hiddenTabs_ = layout.hiddenTabs;
  printedPages_ = layout.printedPages;

  for (const pages::PageInfo& page : pages::kPages)
    tabCaptions_[static_cast<std::size_t>(pages::pageIndex(page.page))] = page.caption;
  const pages::PromptPageLayout prompts = pages::promptPageLayout(context());
  for (std::size_t i = 0; i < prompts.tabCaptions.size(); ++i)
    tabCaptions_[static_cast<std::size_t>(pages::pageIndex(Page::Prompt2)) + i] =
        prompts.tabCaptions[i];
  activePage_ = Page::General;
  laidOut_ = true;
}

void WindowController::showCodeplug() {
  locker_ = false;
  unsavedEdits_ = false;
  toolsMenuShown_ = models::modelIn(image_->modelCode(), models::ModelGroup::toolsMenuModels);
  versionText_ = settings_->codeplugVersionText;
  pages::PageContext c = context();
  dispatcher_.enterPage(activePage_, c);
  refreshGauge();
  focus_ = FocusRequest{FocusRequest::Target::Field, kInventoryNumberField};
}

void WindowController::showReadCodeplug() {
  beginCall();
  operationText_.clear();
  decodedBy_ = codeplug::DecodeCommand::ReadPager;
  if (!laidOut_) layOutForModel();
  codeplugName_ = std::string(kReadCodeplugName);
  fileOnScreen_.reset();
  caption_ = captionWith(kReadCaptionSeparator, kReadCodeplugName);
  showCodeplug();
}

void WindowController::returnToMain(bool afterProgramming) {
  beginCall();
  hiddenTabs_ = static_cast<std::uint16_t>(((1u << pages::kPageCount) - 1) & ~kOnlyMainTab);
  activePage_ = Page::Main;
  laidOut_ = false;
  toolsMenuShown_ = false;
  versionText_.clear();
  unsavedEdits_ = false;
  focus_ = FocusRequest{FocusRequest::Target::PageControl, pages::kNoFieldId};
  if (afterProgramming) {
    operationText_.clear();
    codeplugName_.clear();
    fileOnScreen_.reset();
    converter_.mode = pages::ConverterMode::Off;
    converter_.sourcePending = false;
    caption_ = kMainWindowCaption;
  }
}

// ---- Converter ----

void WindowController::chooseConverter(pages::ConverterMode mode) {
  beginCall();
  if (onMain() || !toolsMenuShown_ || busy_) return;
  statusResult_.clear();
  const bool changed = mode != converter_.mode;
  conversion::chooseConverter(converter_, mode, *image_, *settings_);

  const pages::ConverterTabLayout layout = pages::converterPageLayout(mode);
  hiddenTabs_ = layout.tabs.hiddenTabs;
  printedPages_ = layout.tabs.printedPages;
  for (std::size_t i = 0; i < std::size(layout.promptTabCaptions); ++i) {
    if (!layout.promptTabCaptions[i].empty())
      tabCaptions_[static_cast<std::size_t>(pages::pageIndex(Page::Prompt1)) + i] =
          layout.promptTabCaptions[i];
  }
  if (mode == pages::ConverterMode::Off) {
    // The source model's own fields come back from its image.
    codec_.decode(decodedBy_, *image_, *settings_, codeplug::DecodeContext{});
  }
  if (changed) unsavedEdits_ = true;
  activePage_ = Page::General;
  enterPage(Page::General);
}

}  // namespace zelta::window
