// libFuzzer target: the window's rules driven as an operator would drive
// them. A codeplug of any model is opened, then the input is a sequence of
// field entries, typed texts, list choices, function keys, tab changes,
// prompt default toggles, keypad passwords and answers to every dialog.
// After each sequence:
//   - nothing crashed or touched memory it should not (the sanitizers);
//   - a typed text the rules refused never reached its setting;
//   - a save that went through wrote a file that opens, in a fresh window,
//     to the same pages: every field shows the same value.
//
// Input: byte 0 the model (registry order), byte 1 the hardware variant;
// then the steps, one opcode byte each and the bytes it reads.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "codeplug/codec.h"
#include "codeplug/new_codeplug.h"
#include "codeplug/settings_record.h"
#include "field_typing.h"
#include "fuzz_bytes.h"
#include "models/models.h"
#include "pages/edit_mask.h"
#include "pages/page_context_of.h"
#include "pages/user_password.h"
#include "storage/codeplug_files.h"
#include "window/window_controller.h"
#include "window_fuzz_doubles.h"

namespace {

using namespace zelta;
using fuzzing::DialogAnswers;
using fuzzing::FuzzBytes;

[[noreturn]] void fail(const std::string& what) {
  std::fprintf(stderr, "window fuzzer: %s\n", what.c_str());
  std::abort();
}

// The files of this process: the codeplug of every model and variant,
// written once as the "new" command writes it, the save target and the
// work folder, in a folder removed at exit (in memory where the system has
// a shared-memory file system: the fuzzer saves once a sequence).
class Scratch {
 public:
  Scratch() {
    const std::filesystem::path shm = "/dev/shm";
    std::error_code ec;
    const std::filesystem::path base =
        std::filesystem::is_directory(shm, ec) ? shm : std::filesystem::temp_directory_path();
    std::string pattern = (base / "zelta-window-fuzz-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) fail("no scratch folder");
    folder_ = pattern;
    std::filesystem::create_directory(folder_ / "work");
  }
  ~Scratch() {
    std::error_code ec;
    std::filesystem::remove_all(folder_, ec);
  }
  Scratch(const Scratch&) = delete;
  Scratch& operator=(const Scratch&) = delete;

  std::filesystem::path workFolder() const { return folder_ / "work"; }
  std::filesystem::path saveFile() const { return folder_ / "saved.cp"; }

  const std::filesystem::path& codeplugFile(models::ModelCode model, int variant) {
    const auto key = std::make_pair(model, variant);
    if (const auto it = files_.find(key); it != files_.end()) return it->second;
    codeplug::CodeplugImage image;
    codeplug::SettingsRecord settings;
    codeplug::setUpNewCodeplug(model, image, settings);
    settings.hardwareVariant = variant;
    settings.codeMode = variant >= 2 ? variant - 1 : 0;
    FuzzBytes none(nullptr, 0);
    DialogAnswers answers{none, true};
    fuzzing::FuzzReporter reporter(answers);
    storage::WorkFiles work{workFolder(), {}};
    storage::CodeplugFiles files(image, settings, work, reporter, codeplug::standardCodec());
    storage::SaveContext context;
    context.build.pagerUnprogrammed = true;
    const std::filesystem::path file =
        folder_ / ("model-" + std::to_string(model) + "-" + std::to_string(variant) + ".cp");
    if (files.writeCodeplugFile(file, context) != errors::code::Ok)
      fail("new codeplug not written");
    return files_.emplace(key, file).first->second;
  }

 private:
  std::filesystem::path folder_;
  std::map<std::pair<models::ModelCode, int>, std::filesystem::path> files_;
};

Scratch& scratch() {
  static Scratch instance;
  return instance;
}

// The setting a typed field stores; null for list choices (a choice the
// page's check then fails stays chosen, to be chosen again) and for fields
// without a setting of their own.
const codeplug::FieldDescriptor* typedSetting(const pages::FieldInput& input) {
  const pages::FieldEntry* entry = pages::findField(input.id);
  if (entry == nullptr || !pages::upperCasesAsTyped(*entry)) return nullptr;
  return pages::settingOf(*entry);
}

// One window with its dialogs, and the field the operator is in.
class Session {
 public:
  Session(DialogAnswers& answers, const std::filesystem::path& openFile)
      : reporter_(answers),
        frontEnd_(answers, openFile, scratch().saveFile()),
        window_(frontEnd_, reporter_, storage::WorkFiles{scratch().workFolder(), {}}) {}

  window::WindowController& window() { return window_; }
  const std::string& lastShown() const { return reporter_.lastShown(); }

  // The field left with what it holds: a text the rules refused must not
  // have reached its setting.
  bool store(const pages::FieldInput& input) {
    const codeplug::FieldDescriptor* setting = typedSetting(input);
    std::optional<codeplug::FieldValue> before;
    if (setting != nullptr) before = codeplug::readSettingsField(window_.settings(), *setting);
    const errors::ResultCode result = window_.fieldLeft(input);
    if (result != errors::code::Ok && before &&
        codeplug::readSettingsField(window_.settings(), *setting) != *before &&
        pageAcceptsWith(input, *setting, *before)) {
      fail("the rules refused \"" + input.text + "\" in " + setting->name + " but stored it as \"" +
           codeplug::settingsFieldText(window_.settings(), *setting) + "\"");
    }
    return result == errors::code::Ok;
  }

  // Whether the page's check passes with the setting back at value: then it
  // was the typed text the page refused, and storing it was wrong. (A page
  // whose check fails over another field may keep a text it stored.)
  bool pageAcceptsWith(const pages::FieldInput& input, const codeplug::FieldDescriptor& setting,
                       const codeplug::FieldValue& value) {
    const pages::FieldEntry* entry = pages::findField(input.id);
    pages::PageModule* module = window_.modules().registry().find(pages::owningModule(*entry));
    if (module == nullptr) return false;
    codeplug::CodeplugImage image = window_.image();
    codeplug::SettingsRecord settings = window_.settings();
    codeplug::writeSettingsField(settings, setting, value);
    FuzzBytes none(nullptr, 0);
    DialogAnswers answers{none, true};
    fuzzing::FuzzReporter silent(answers);
    pages::EditingState state;
    state.locker = locker_;
    pages::PageContext context = pages::pageContextOf(image, settings, silent, state);
    return module->pageCheck(context) == errors::code::Ok;
  }

  // What the front end does before a command that checks the page or a
  // change of field: the field being edited is stored.
  bool storePending() {
    if (!pending_) return true;
    const pages::FieldInput input = std::move(*pending_);
    pending_.reset();
    const bool accepted = store(input);
    rawStored_ = rawStored_ || (accepted && pendingRaw_);
    return accepted;
  }
  // A text no keyboard could type (any bytes, past the key filters) was
  // accepted: the rules must survive it, but no file is expected to carry
  // it back unchanged.
  bool rawStored() const { return rawStored_; }
  window::StoreFocusedField pendingStore() {
    if (!pending_) return nullptr;
    return [this] { return storePending(); };
  }

  void step(FuzzBytes& bytes);
  void setLocker(bool on) {
    locker_ = on;
    window_.setLocker(on);
  }
  bool locker() const { return locker_; }

 private:
  // A field of the active page the operator can reach; null when none.
  const pages::FieldView* pickField(const pages::PageView& shown, FuzzBytes& bytes,
                                    bool listsOnly) const;
  void enterField(FuzzBytes& bytes);
  void typeIntoFocused(FuzzBytes& bytes, bool raw);
  void chooseListItem(FuzzBytes& bytes);
  void pressKey(FuzzBytes& bytes);
  void enterUserPassword(FuzzBytes& bytes);

  fuzzing::FuzzReporter reporter_;
  fuzzing::FuzzFrontEnd frontEnd_;
  window::WindowController window_;
  pages::FieldId focused_ = pages::kNoFieldId;
  std::optional<pages::FieldInput> pending_;
  bool pendingRaw_ = false;
  bool rawStored_ = false;
  bool locker_ = false;
};

const pages::FieldView* Session::pickField(const pages::PageView& shown, FuzzBytes& bytes,
                                           bool listsOnly) const {
  std::vector<const pages::FieldView*> reachable;
  for (const pages::FieldView& field : shown.fields) {
    if (field.id == pages::kNoFieldId || !field.visible || !field.enabled) continue;
    const pages::FieldEntry* entry = pages::findField(field.id);
    if (entry == nullptr || entry->kind == pages::FieldKind::ReadOnly) continue;
    if (listsOnly && entry->kind != pages::FieldKind::List) continue;
    reachable.push_back(&field);
  }
  if (reachable.empty()) return nullptr;
  return reachable[bytes.below(reachable.size())];
}

void Session::enterField(FuzzBytes& bytes) {
  if (window_.activePage() == pages::Page::Main) return;
  if (!storePending()) return;
  const pages::PageView shown = window_.pageView(window_.activePage());
  const pages::FieldView* field = pickField(shown, bytes, false);
  if (field == nullptr) return;
  focused_ = field->id;
  window_.fieldEntered(focused_);
}

void Session::typeIntoFocused(FuzzBytes& bytes, bool raw) {
  if (window_.activePage() == pages::Page::Main) return;
  const pages::FieldEntry* entry = pages::findField(focused_);
  if (entry == nullptr || entry->page != window_.activePage()) return;
  if (entry->kind != pages::FieldKind::Text && entry->kind != pages::FieldKind::Masked) return;
  const pages::PageView shown = window_.pageView(window_.activePage());
  const pages::FieldView* field = shown.find(focused_);
  if (field == nullptr || !field->visible || !field->enabled) return;
  const std::string base = pending_ ? pending_->text : field->text;
  const bool rawBase = pending_ && pendingRaw_;
  std::string text;
  if (raw) {
    const std::size_t length = bytes.below(32);
    for (std::size_t i = 0; i < length; ++i) text += static_cast<char>(bytes.next());
  } else if (entry->kind == pages::FieldKind::Masked) {
    text = fuzzing::typeIntoMask(*entry, base, window_.keyContext(), bytes);
  } else {
    text = fuzzing::typeIntoText(*entry, base, window_.keyContext(), bytes);
  }
  pending_ = pages::FieldInput{.id = focused_, .text = std::move(text)};
  pendingRaw_ = raw || rawBase;
  // Tab (or a click elsewhere) leaves the field at once; otherwise the
  // next command or field stores it.
  if ((bytes.next() & 1) != 0) storePending();
}

void Session::chooseListItem(FuzzBytes& bytes) {
  if (window_.activePage() == pages::Page::Main) return;
  if (!storePending()) return;
  const pages::PageView shown = window_.pageView(window_.activePage());
  const pages::FieldView* field = pickField(shown, bytes, true);
  if (field == nullptr || field->items.empty()) return;
  const pages::FieldId id = field->id;
  const int index = static_cast<int>(bytes.below(field->items.size()));
  focused_ = id;
  window_.fieldEntered(id);
  store(pages::FieldInput{.id = id, .index = index});
}

void Session::pressKey(FuzzBytes& bytes) {
  constexpr int kKeys = static_cast<int>(window::WindowKey::CtrlS) + 1;
  const auto key = static_cast<window::WindowKey>(bytes.below(kKeys));
  const window::KeyOutcome outcome = window_.pressKey(key, window::KeyInput{pendingStore(), false});
  // The pager flows need a pager; their keys end here, as a cancelled
  // operation would. A stored field is no longer pending.
  (void)outcome;
  pending_.reset();
  if (window_.activePage() == pages::Page::Main) focused_ = pages::kNoFieldId;
}

void Session::enterUserPassword(FuzzBytes& bytes) {
  if (window_.activePage() != pages::Page::PasswordOta) return;
  pages::UserPasswordKeypad keypad;
  const std::size_t keys = bytes.below(10);
  for (std::size_t i = 0; i < keys; ++i)
    keypad.press(static_cast<pages::PagerKey>('0' + bytes.below(4)));
  pages::UserPassword password;
  if (keypad.save(password) == errors::code::Ok) window_.storeUserPassword(password);
}

void Session::step(FuzzBytes& bytes) {
  switch (bytes.below(10)) {
    case 0:
    case 1: enterField(bytes); break;
    case 2: typeIntoFocused(bytes, false); break;
    case 3: typeIntoFocused(bytes, true); break;
    case 4: chooseListItem(bytes); break;
    case 5: pressKey(bytes); break;
    case 6: {
      const auto page = static_cast<pages::Page>(bytes.below(pages::kPageCount));
      window_.selectPage(page, pendingStore());
      pending_.reset();
      break;
    }
    case 7:
      if (window_.toggleDefault(focused_) && !pending_) {
        const pages::PageView shown = window_.pageView(window_.activePage());
        if (const pages::FieldView* field = shown.find(focused_))
          pending_ = pages::FieldInput{.id = focused_, .text = field->text};
      }
      break;
    case 8: enterUserPassword(bytes); break;
    case 9: setLocker((bytes.next() & 1) != 0); break;
  }
}

// The text a field shows: a masked field shows its value through the mask
// ("158.0125" as "158.01250"); in a text field trailing spaces show as
// nothing (a password of ten characters comes back from the pager padded).
std::string shownText(const pages::FieldView& field) {
  if (field.entry != nullptr && field.entry->kind == pages::FieldKind::Masked) {
    const std::optional<pages::EditMask> mask = pages::EditMask::parse(field.entry->mask);
    return mask ? mask->display(field.text) : field.text;
  }
  return field.text.substr(0, field.text.find_last_not_of(' ') + 1);
}

// What the pages show of one codeplug, field by field.
std::string describe(const pages::FieldView& field) {
  return std::string(field.name) + " \"" + shownText(field) + "\" item " +
         std::to_string(field.selected) + (field.visible ? "" : " hidden") +
         (field.enabled ? "" : " disabled");
}

// Fields whose choice a file of the model does not carry: the sequential
// increment belongs to the program, not the codeplug; family C shows the
// decode-error choices, but its image keeps the bytes that hold them on
// families D-F (0x16, code slots 11 and 12) as they were read, so a save
// does not carry them yet; the character set is read back from the remap
// row as the prompt language settles it, which is not always the set chosen.
struct NotInFile {
  std::string_view field;
  bool familyCOnly;
};
constexpr NotInFile kNotInFile[] = {{"cb_noSequentialInc", false},
                                    {"cb_internationalCharSet", false},
                                    {"cb_maxErrorsUHB7B6", true},
                                    {"cb_maxErrorsUHB5B4", true},
                                    {"cb_scLostNumNormalMod", true}};

bool heldByCodeplug(const pages::FieldView& field, models::ModelCode model) {
  for (const NotInFile& rule : kNotInFile) {
    if (rule.field != field.name) continue;
    return rule.familyCOnly && !models::modelIn(model, models::ModelGroup::largeQModels);
  }
  return true;
}

void compareShownPages(window::WindowController& edited, window::WindowController& reopened) {
  const window::WindowView before = edited.view();
  const window::WindowView after = reopened.view();
  for (int i = 0; i < pages::kPageCount; ++i) {
    const auto page = static_cast<pages::Page>(i);
    const auto at = static_cast<std::size_t>(i);
    if (page == pages::Page::Main) continue;
    if (before.tabs[at].shown != after.tabs[at].shown)
      fail("tab " + before.tabs[at].caption + " shown differently after reopening");
    if (!before.tabs[at].shown) continue;
    const pages::PageView a = edited.pageView(page);
    const pages::PageView b = reopened.pageView(page);
    if (a.fields.size() != b.fields.size()) fail("page " + before.tabs[at].caption + " changed");
    for (std::size_t f = 0; f < a.fields.size(); ++f) {
      const pages::FieldView& x = a.fields[f];
      const pages::FieldView& y = b.fields[f];
      // A field hidden or disabled on both sides holds nothing in effect:
      // an empty code's type, for one, is not written with the code.
      const bool inEffect = (x.visible && x.enabled) || (y.visible && y.enabled);
      if (!inEffect || !heldByCodeplug(x, edited.model())) continue;
      if (shownText(x) != shownText(y) || x.selected != y.selected || x.visible != y.visible ||
          x.items != y.items) {
        fail("on " + before.tabs[at].caption + " the saved codeplug shows " + describe(x) +
             ", reopened " + describe(y));
      }
    }
  }
}

// The models a codeplug file is kept for. The old-format models exist only
// as read from old pagers and files, which open as the model they are
// converted to; '!' also has a 1 KB image of family A, which a file keeps.
std::vector<models::ModelCode> fileModels() {
  std::vector<models::ModelCode> out;
  for (const models::ModelInfo& m : models::kModels) {
    if (m.family != models::Family::OldFormat || models::takesFamilyAImage(m.code, 1))
      out.push_back(m.code);
  }
  return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const std::vector<models::ModelCode> models = fileModels();
  if (size < 2) return 0;
  const models::ModelCode model = models[data[0] % models.size()];
  const int variant = data[1] % 4;
  FuzzBytes bytes(data + 2, size - 2);
  const std::filesystem::path& file = scratch().codeplugFile(model, variant);

  DialogAnswers answers{bytes};
  Session session(answers, file);
  answers.finalRound = true;
  if (!session.window().load().succeeded())
    fail("a new codeplug did not open: " + session.lastShown());
  answers.finalRound = false;

  for (int steps = 0; steps < 200 && !bytes.empty(); ++steps) session.step(bytes);

  // The operator saves what the pages show.
  answers.finalRound = true;
  if (session.window().activePage() == pages::Page::Main) return 0;
  if (!session.storePending()) return 0;
  if (!session.window().save().succeeded()) return 0;

  FuzzBytes none(nullptr, 0);
  DialogAnswers reopenAnswers{none, true};
  Session reopened(reopenAnswers, scratch().saveFile());
  if (!reopened.window().load().succeeded())
    fail("a saved codeplug did not open: " + reopened.lastShown());
  reopened.setLocker(session.locker());
  if (!session.rawStored()) compareShownPages(session.window(), reopened.window());
  return 0;
}
