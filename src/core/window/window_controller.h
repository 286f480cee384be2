#pragma once

#include <array>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "codeplug/codec.h"
#include "codeplug/codeplug_image.h"
#include "codeplug/decoders.h"
#include "codeplug/settings_record.h"
#include "codes/tone_output.h"
#include "conversion/model_converter.h"
#include "errors/operation_outcome.h"
#include "errors/reporter.h"
#include "pages/editing_page_modules.h"
#include "pages/model_layout.h"
#include "pages/page_context_of.h"
#include "pages/page_dispatch.h"
#include "pages/sequential_programming.h"
#include "pages/user_password.h"
#include "storage/codeplug_files.h"
#include "storage/file_fingerprint.h"
#include "window/field_events.h"
#include "window/link_facts.h"
#include "window/window_commands.h"
#include "window/window_front_end.h"
#include "window/window_pager_port.h"
#include "window/window_texts.h"
#include "window/window_view.h"

namespace zelta::window {

// What a key press came to. The controller runs the codeplug commands
// itself; the pager operations it runs through runPagerCommand; the rest
// are the front end's (help, closing).
enum class KeyOutcome {
  Ignored,     // not offered on the active page, or the window is busy: nothing happened
  Handled,     // the controller ran the command (whatever its result)
  InvalidKey,  // the "Main" page answered "Invalid Key"
  OpenHelp,
  Program,  // F2 on an editing page: the program operation
  Read,     // F3 on "Main": the read operation (the pager serial number is cleared)
  Service,
  ProgramSingle,
  ProgramSequential,
  CloseWindow,  // F10 on "Main": close the window; its close asks confirmClose()
  ClosePort,    // F10 with the port busy, confirmed: close the port; the window is on "Main"
};

// The front end stores the field being edited through the field events
// (fieldLeft), as leaving it would, unless it holds nothing new since it was
// last stored; false when the rules refuse it. Only the front end knows
// which field has the focus and what is typed in it.
using StoreFocusedField = std::function<bool()>;

// What the caller knows at a key press: how to store the field being edited
// (empty: none is), and whether the serial port is in use.
struct KeyInput {
  StoreFocusedField storeFocusedField = nullptr;
  bool portBusy = false;
};

// The main window without its widgets: the codeplug objects, the page
// modules with their dispatcher, the converter and the window state, and
// the flows of the function keys. Every event builds a fresh page context
// from the state. After every call the front end draws view() and the
// pages from pageView().
class WindowController final : public FieldEvents {
 public:
  // work is the work folder with its scratch files; the codec must outlive
  // the controller.
  WindowController(WindowFrontEnd& frontEnd, errors::Reporter& reporter,
                   storage::WorkFiles work = {},
                   const codeplug::CodeplugCodec& codec = codeplug::standardCodec());
  WindowController(const WindowController&) = delete;
  WindowController& operator=(const WindowController&) = delete;

  WindowView view() const;

  // ---- FieldEvents, on the active page ----
  void fieldEntered(pages::FieldId field) override;
  errors::ResultCode fieldLeft(const pages::FieldInput& input) override;
  bool toggleDefault(pages::FieldId field) override;
  pages::KeyContext keyContext() const override;
  pages::PageView pageView(pages::Page page) const override;
  bool playToneEnabled() const override;

  // "Play tone" on a Code page: the sample of the alert pattern list last
  // entered, from the tone folder of the program in programFolder, or its
  // stand-in. True when something was played.
  bool playTone(codes::ToneOutput& output, const std::filesystem::path& programFolder);

  // "Save" on the user password keypad of the "Password / OTA" page.
  void storeUserPassword(const pages::UserPassword& password);

  // The frames, labels and buttons of the pages that depend on the model
  // shown, its sequential mode and the converter.
  pages::ModelFieldLayout modelLayout() const;

  // ---- Keys and commands ----

  // A function key or Ctrl+S (or its menu item or toolbar button): nothing
  // when the command is not offered; otherwise dispatched by the active page.
  // A command that checks the page stores the field being edited first; a
  // refused field ends it (Handled).
  KeyOutcome pressKey(WindowKey key, const KeyInput& input = {});
  // Read, Program, Service, ProgramSingle and ProgramSequential, as
  // pressKey answered them: the flow of the key with its pager work through
  // the port, the window busy with the operation text while an operation
  // runs. Any other outcome does nothing.
  void runPagerCommand(KeyOutcome command, WindowPagerPort& port);

  // F8 on "Main": choose a file and load it. Done when loaded; Stopped
  // when no file was chosen.
  errors::OperationOutcome load();
  // A file named without the open dialog (dropped on the window, chosen
  // from the recent files, given on the command line): F8's checks and
  // load, on "Main" or over a codeplug on an editing page, with unsaved
  // edits asked about first. A file opened over a codeplug gets the layout
  // of its own model; one that fails to open leaves the codeplug on screen
  // as it was. NotWritten while busy or when the edits were kept.
  errors::OperationOutcome openFile(const std::filesystem::path& file,
                                    const StoreFocusedField& storeFocusedField = {});
  // Ctrl+S on an editing page: the page checks, then choose a file and
  // write it. Done when written; NotWritten at a check or question that
  // showed its own message; Stopped when no file was chosen.
  errors::OperationOutcome save();
  // F9 on an editing page: after the -95 question, the defaults of the
  // model and the image decoded again. Done when applied; NotWritten when
  // the question was answered No.
  errors::OperationOutcome setToDefaults();
  // F10 on an editing page: back to "Main". The field being edited is
  // stored first; unsaved edits are asked about (Save, Discard, Cancel),
  // then the busy port's -112. False when the field was refused, the edits
  // were kept (Cancel, or a save that did not write) or -112 was answered No.
  bool exitToMain(bool portBusy, const StoreFocusedField& storeFocusedField = {});
  // F11 and F12: the page check of the active page, then the previous or
  // next shown tab, wrapping. On the prompt and source pages the page
  // changes only while the prompt memory fits. True when the page changed.
  bool previousPage();
  bool nextPage();
  // A tab click: the field being edited is stored and the page check chain
  // runs first; a refused change keeps the page. True when the page changed.
  bool selectPage(pages::Page page, const StoreFocusedField& storeFocusedField = {});
  // Tools > Converter.
  void chooseConverter(pages::ConverterMode mode);
  // The window is asked to close. startUpFailed closes at once (a refused
  // start-up password); otherwise -112 while the port is busy. With unsaved
  // edits (the field being edited stored first) Save, Discard or Cancel is
  // asked instead of the "exit to WINDOWS" question, which is asked when
  // nothing would be lost. True when the window may close.
  bool confirmClose(bool portBusy, bool startUpFailed = false,
                    const StoreFocusedField& storeFocusedField = {});

  void setSequentialMode(bool on) { sequentialMode_ = on; }
  void setLocker(bool checked) { locker_ = checked; }

  // ---- State ----
  codeplug::CodeplugImage& image() { return *image_; }
  codeplug::SettingsRecord& settings() { return *settings_; }
  storage::WorkFiles& workFiles() { return work_; }
  // The folder the open and save dialogs start in (the setup's "Arch
  // Path"); the work folder while none is set. The scratch files stay in
  // the work folder whatever it is.
  std::filesystem::path archiveFolder() const {
    return archiveFolder_.empty() ? work_.folder : archiveFolder_;
  }
  void setArchiveFolder(std::filesystem::path folder) { archiveFolder_ = std::move(folder); }
  storage::CodeplugSession session();
  conversion::ConverterState& converter() { return converter_; }
  pages::EditingPageModules& modules() { return modules_; }
  const pages::FieldDispatcher& dispatcher() const { return dispatcher_; }

  const std::string& codeplugName() const { return codeplugName_; }
  bool codeplugLoaded() const { return !codeplugName_.empty(); }
  models::ModelCode model() const { return image_->modelCode(); }
  bool sequentialMode() const { return sequentialMode_; }
  pages::Page activePage() const { return activePage_; }
  bool unsavedEdits() const { return unsavedEdits_; }
  bool busy() const { return busy_; }

 private:
  // ---- The pager flows ----

  // What became of unsaved edits before a command that would drop them.
  enum class EditsSettled {
    NoneUnsaved,  // nothing to lose: the command goes on as it always has
    Settled,      // saved, or discarded on purpose: the command goes on
    Kept,         // Cancel, or a save that wrote nothing: the command stops
  };
  EditsSettled settleUnsavedEdits();
  // F8 once the file is named: the missing and unreadable file boxes, the
  // load, and the codeplug shown.
  errors::OperationOutcome openNamedFile(const std::filesystem::path& named);
  // F3, F4, F5 and F6 put another codeplug in the window's place (F8 asks
  // in load()).
  static bool replacesCodeplug(KeyOutcome command);

  // The page check chain before programming, saving and a tab change. Ok passes.
  errors::ResultCode runPageCheckChain();
  // The field being edited stored first when the front end has one.
  static bool stored(const StoreFocusedField& storeFocusedField);
  // A pager read has decoded its image into image() and settings(): lay the
  // window out for it and show it as "NONAME1".
  void showReadCodeplug();
  // Back to the "Main" page. After programming the operation text, the
  // codeplug name and the converter are cleared and the plain caption comes back.
  void returnToMain(bool afterProgramming = false);
  // One pager operation with the window busy and its text in status panel
  // 0; the facts of the link reach the rules as soon as it ends.
  errors::OperationOutcome runBusy(Operation shown, WindowPagerPort& port,
                                   const std::function<errors::OperationOutcome()>& operation);
  // The model the codeplug on screen came from: a converted codeplug keeps
  // its source's.
  models::ModelCode sourceModel() const;
  // One programming run of the codeplug on screen; every run asked for
  // counts as an attempt, whatever it came to.
  errors::OperationOutcome programThrough(WindowPagerPort& port, bool backup);
  // F3: the read, then the codeplug shown or the failure reported unless
  // the operation has shown it.
  void readPager(WindowPagerPort& port);
  void readFinished(const errors::OperationOutcome& read);
  // F2: the page check chain, the prompt step of the prompt pages, the
  // "Maximum" security reminder, the prompt memory (an overflow is
  // reported) and the -37 frame question first; then the pager is
  // programmed, singly or as the step of sequential programming.
  void programPager(WindowPagerPort& port);
  bool readyToProgram();
  // F2 in single mode has run: back to "Main" once the image is in the
  // pager. A run that wrote nothing (a question answered No, the memory
  // dialog cancelled, a pager that failed, -114, -104) keeps the codeplug
  // on its page with its edits, ready for another try or a save.
  void programmed(const errors::OperationOutcome& outcome);
  // F2 in sequential mode: the capcode checks, then program; a written
  // pager moves the codes on by the increment and the ICN by one. -118
  // ends sequential mode: back to "Main" with no model.
  void programSequentialStep(WindowPagerPort& port);
  // F4: the pager is read, then the service window works on what was read.
  void openService(WindowPagerPort& port);
  // F5 and F6: the pager is read first when there is no model yet or the
  // pager last identified is another model.
  void prepareSingle(bool sequential, WindowPagerPort& port);
  bool singleNeedsRead(models::ModelCode reportedModel) const;
  // F5 and F6 once any read is done: the codeplug is shown for editing
  // when the model can be programmed this way and the pager is not blank;
  // a failed read forgets the model and is reported.
  void singleReady(bool sequential, const std::optional<errors::OperationOutcome>& read,
                   bool pagerUnprogrammed);

  pages::PageContext context() const;
  void beginCall() { focus_ = {}; }
  bool onMain() const { return activePage_ == pages::Page::Main; }
  KeyOutcome mainKey(KeyCommand command, const KeyInput& input);
  KeyOutcome editingKey(KeyCommand command, const KeyInput& input);
  void layOutForModel();
  void showCodeplug();
  bool differsFromPage(const pages::FieldInput& input) const;
  void enterPage(pages::Page page);
  bool movePage(int step);
  void focusFirstField(pages::Page page);
  void refreshGauge();
  // Before a save writes over an existing file: the replace question, or
  // the changed-file question when another program has written the file on
  // screen. True when it may be replaced.
  bool confirmReplace(const std::filesystem::path& file);
  void showNoCodeplug();
  // On the "Password / OTA" page with the "Maximum" security level: the
  // operator is told to record the password first.
  void remindToRecordPassword();
  void editPleasingAlert();

  WindowFrontEnd& frontEnd_;
  errors::Reporter& reporter_;
  const codeplug::CodeplugCodec& codec_;
  std::unique_ptr<codeplug::CodeplugImage> image_;
  std::unique_ptr<codeplug::SettingsRecord> settings_;
  storage::WorkFiles work_;
  std::filesystem::path archiveFolder_;
  pages::EditingPageModules modules_;
  pages::FieldDispatcher dispatcher_;
  conversion::ConverterState converter_;
  LinkFacts link_;
  // A programming run has been asked for since the program started: the
  // band table of the D group depends on it, in the pages, in a saved file
  // and in the next programming run.
  bool programmingAttempted_ = false;

  std::string codeplugName_;
  // The file on screen as this window opened or last saved it: a save over
  // it asks differently once another program has replaced it.
  std::optional<storage::FileFingerprint> fileOnScreen_;
  std::string caption_;
  bool sequentialMode_ = false;
  bool locker_ = true;
  bool busy_ = false;
  bool unsavedEdits_ = false;
  bool toolsMenuShown_ = false;
  // The tabs are laid out for a codeplug (returning to "Main" hides them).
  bool laidOut_ = false;
  // How the image on screen was decoded, to decode it again.
  codeplug::DecodeCommand decodedBy_ = codeplug::DecodeCommand::OpenFile;
  std::uint16_t hiddenTabs_ = 0;
  std::array<std::string, pages::kPageCount> tabCaptions_;
  int printedPages_ = 8;
  pages::Page activePage_ = pages::Page::Main;
  std::string operationText_;
  // The last programming run's line (status panel 0), until the next command.
  std::string statusResult_;
  // Pagers written since F6 started this sequential run.
  int sequentialCount_ = 0;
  std::string versionText_;
  int gaugeValue_ = 0;
  FocusRequest focus_;
};

}  // namespace zelta::window
