#include "ui/field_bindings.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QWheelEvent>
#include <algorithm>

#include "pages/text_typing.h"
#include "ui/qt_text.h"
#include "window/field_events.h"

namespace zelta::ui {
namespace {

// Focus that moves because a window is activated or a popup opens (a
// message box raised by a field's own exit) neither enters nor leaves a field.
bool windowFocusChange(Qt::FocusReason reason) {
  return reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason;
}

// Keys that type text: printable characters without Ctrl or Meta, which
// belong to the editing shortcuts (copy, select all, undo).
bool typesText(const QKeyEvent* event) {
  if (event->text().isEmpty()) return false;
  if (event->modifiers() & (Qt::ControlModifier | Qt::MetaModifier)) return false;
  for (const QChar c : event->text()) {
    if (c.unicode() < 0x20 || c.unicode() == 0x7F) return false;
  }
  return true;
}

// Wide enough for `chars` typical characters of what the field takes (and
// one more for the cursor), so that a full field is rarely scrolled; no
// wider, so that short fields stay short and four source prompts fit a row.
void fitWidth(QLineEdit* edit, const pages::FieldEntry& field, int chars) {
  const bool digits = field.filter == pages::KeyFilter::Decimal ||
                      field.filter == pages::KeyFilter::UserPassword ||
                      field.filter == pages::KeyFilter::Hexadecimal;
  const QFontMetrics metrics(edit->font());
  const QString sample(std::max(chars, 3) + 1, digits ? QChar('0') : QChar('N'));
  QStyleOptionFrame option;
  option.initFrom(edit);
  option.lineWidth = edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, edit);
  const QSize text(metrics.horizontalAdvance(sample), metrics.height());
  const QSize size = edit->style()->sizeFromContents(QStyle::CT_LineEdit, &option, text, edit);
  edit->setFixedWidth(size.width());
}

// Read-only texts (memory sizes, the user password keys) hold a few words.
constexpr int kReadOnlyChars = 12;

}  // namespace

// ---- Widgets ----

FieldLineEdit::FieldLineEdit(FieldBinding& binding, QWidget* parent)
    : QLineEdit(parent), binding_(&binding) {
  setAcceptDrops(false);
}

void FieldLineEdit::focusInEvent(QFocusEvent* event) {
  QLineEdit::focusInEvent(event);
  if (binding_ != nullptr) binding_->focusIn(event->reason());
}

void FieldLineEdit::focusOutEvent(QFocusEvent* event) {
  QLineEdit::focusOutEvent(event);
  if (binding_ != nullptr) binding_->focusOut(event->reason());
}

bool FieldLineEdit::event(QEvent* event) {
  // Alt+R restores a prompt's default here; it must not open the menu
  // whose accelerator it also is.
  if (event->type() == QEvent::ShortcutOverride && binding_ != nullptr &&
      binding_->takesToggleKey(static_cast<QKeyEvent*>(event))) {
    event->accept();
    return true;
  }
  return QLineEdit::event(event);
}

void FieldLineEdit::keyPressEvent(QKeyEvent* event) {
  if (binding_ != nullptr && binding_->key(event)) {
    event->accept();
    return;
  }
  QLineEdit::keyPressEvent(event);
}

void FieldLineEdit::mouseReleaseEvent(QMouseEvent* event) {
  // The selection paste of the middle button goes through the key filters too.
  if (event->button() == Qt::MiddleButton && binding_ != nullptr) {
    if (!isReadOnly()) binding_->typeText(QApplication::clipboard()->text(QClipboard::Selection));
    event->accept();
    return;
  }
  QLineEdit::mouseReleaseEvent(event);
}

void FieldLineEdit::contextMenuEvent(QContextMenuEvent* event) {
  QMenu* menu = createStandardContextMenu();
  menu->setAttribute(Qt::WA_DeleteOnClose);
  for (QAction* action : menu->actions()) {
    const QString name = action->objectName();
    if (name == "edit-paste") {
      action->disconnect();
      connect(action, &QAction::triggered, this, [this] {
        if (binding_ != nullptr) binding_->typeText(QApplication::clipboard()->text());
      });
    } else if (binding_ != nullptr && binding_->overtypeOnly() &&
               (name == "edit-cut" || name == "edit-delete" || name == "edit-undo" ||
                name == "edit-redo")) {
      action->setEnabled(false);
    }
  }
  menu->popup(event->globalPos());
}

FieldComboBox::FieldComboBox(FieldBinding& binding, QWidget* parent)
    : QComboBox(parent), binding_(&binding) {
  setFocusPolicy(Qt::StrongFocus);
}

void FieldComboBox::wheelEvent(QWheelEvent* event) {
  // Scrolling a page over a list must not change the list: only a list
  // that was entered takes the wheel.
  if (!hasFocus()) {
    event->ignore();
    return;
  }
  QComboBox::wheelEvent(event);
}

void FieldComboBox::focusInEvent(QFocusEvent* event) {
  QComboBox::focusInEvent(event);
  if (binding_ != nullptr) binding_->focusIn(event->reason());
}

void FieldComboBox::focusOutEvent(QFocusEvent* event) {
  QComboBox::focusOutEvent(event);
  if (binding_ != nullptr) binding_->focusOut(event->reason());
}

// ---- Binding ----

FieldBinding::FieldBinding(const pages::FieldEntry& field, const BindingHost& host)
    : field_(field), host_(host) {}

void FieldBinding::apply(const pages::FieldView& view, bool keepRefused) {
  QWidget* w = widget();
  if (!(keepRefused && refused_ && storesOnExit())) show(view);
  if (!keepRefused) refused_ = false;
  w->setEnabled(view.enabled);
  w->setVisible(view.visible);
  if (label_ != nullptr) {
    const QString caption = view.caption.empty() ? fallbackCaption_ : qs(view.caption);
    label_->setText(caption);
    label_->setEnabled(view.enabled);
    label_->setVisible(view.visible && !caption.isEmpty());
  }
}

void FieldBinding::focusIn(Qt::FocusReason reason) {
  if (windowFocusChange(reason)) return;
  window::FieldEvents* rules = events();
  if (rules == nullptr) return;
  storedSinceEdit_ = false;
  rules->fieldEntered(field_.id);
  host_.redraw(field_.page);
}

void FieldBinding::focusOut(Qt::FocusReason reason) {
  if (windowFocusChange(reason)) return;
  if (storesOnExit() && !storedSinceEdit_) store();
}

bool FieldBinding::commit() {
  if (storesOnExit() && (!storedSinceEdit_ || refused_)) store();
  return !refused_;
}

void FieldBinding::store() {
  window::FieldEvents* rules = events();
  // A message box raised by the exit below moves the focus; that must not
  // store the field a second time.
  if (rules == nullptr || storing_) return;
  storing_ = true;
  const errors::ResultCode result = rules->fieldLeft(input());
  refused_ = result != errors::code::Ok;
  storedSinceEdit_ = true;
  storing_ = false;
  host_.redraw(field_.page);
}

pages::KeyContext FieldBinding::keyContext() const {
  window::FieldEvents* rules = events();
  return rules != nullptr ? rules->keyContext() : pages::KeyContext{};
}

bool FieldBinding::takesToggleKey(const QKeyEvent* event) const {
  return field_.flags.restoresDefault && event->key() == Qt::Key_R &&
         (event->modifiers() & ~Qt::KeypadModifier) == Qt::AltModifier;
}

// ---- Text ----

TextFieldBinding::TextFieldBinding(const pages::FieldEntry& field, const BindingHost& host,
                                   QWidget* parent)
    : FieldBinding(field, host), edit_(new FieldLineEdit(*this, parent)) {
  edit_->setObjectName(qs(field.name));
  edit_->setToolTip(qs(field.hint));
  if (field.maxLength > 0) edit_->setMaxLength(field.maxLength);
  if (field.kind == pages::FieldKind::ReadOnly) edit_->setReadOnly(true);
  fitWidth(edit_, field, field.maxLength > 0 ? field.maxLength : kReadOnlyChars);
  if (field.flags.notTabStop) edit_->setFocusPolicy(Qt::ClickFocus);
  QObject::connect(edit_, &QLineEdit::textEdited, edit_, [this] { edited(); });
}

void TextFieldBinding::show(const pages::FieldView& view) {
  const QString text = qs(view.text);
  if (edit_->text() != text) edit_->setText(text);
}

pages::FieldInput TextFieldBinding::input() const {
  return pages::FieldInput{.id = field_.id, .text = edit_->text().toStdString()};
}

bool TextFieldBinding::key(QKeyEvent* event) {
  if (takesToggleKey(event)) {
    window::FieldEvents* rules = events();
    if (rules != nullptr && rules->toggleDefault(field_.id)) {
      // Leaving the field now toggles the default, even without an edit.
      edited();
      host_.redraw(field_.page);
    }
    return true;
  }
  if (event->matches(QKeySequence::Paste)) {
    typeText(QApplication::clipboard()->text());
    return true;
  }
  if (event->key() == Qt::Key_Backspace) {
    // Backspace passes the character filters; the base editor deletes.
    return !pages::typeCharacter(field_, pages::kBackspace, keyContext()).has_value();
  }
  if (!typesText(event)) return false;
  typeText(event->text());
  return true;
}

void TextFieldBinding::typeText(const QString& text) {
  for (const char32_t c : text.toUcs4()) typeOne(c);
}

// One rule for every text field (pages/text_typing.h): the "NONE" of a code
// gives way to the first digit, a full priority or history field is
// overtyped at the cursor as the function field beside it is, and a field
// with room takes the key at the cursor.
bool TextFieldBinding::typeOne(char32_t key) {
  if (key < 0x20) return false;  // line breaks of pasted text
  const pages::KeyContext context = keyContext();
  const std::optional<char32_t> c = pages::typeCharacter(field_, key, context);
  if (!c) return false;
  const QString text = edit_->text();
  const int cursor = edit_->cursorPosition();
  const auto cursorAt = static_cast<std::size_t>(text.left(cursor).toUcs4().size());
  switch (pages::textTyping(field_, text.toStdU32String(), cursorAt, edit_->hasSelectedText(),
                            context)) {
    case pages::TextTyping::ReplaceWhole: edit_->selectAll(); break;
    case pages::TextTyping::Insert: break;
    case pages::TextTyping::Overtype:
      edit_->setSelection(cursor, text.at(cursor).isHighSurrogate() ? 2 : 1);
      break;
    case pages::TextTyping::Dropped: return false;
  }
  edit_->insert(QString::fromUcs4(&*c, 1));
  edited();
  return true;
}

// ---- Masked ----

MaskedFieldBinding::MaskedFieldBinding(const pages::FieldEntry& field, const BindingHost& host,
                                       QWidget* parent)
    : FieldBinding(field, host),
      edit_(new FieldLineEdit(*this, parent)),
      mask_(pages::EditMask::parse(field.mask).value_or(pages::EditMask{})) {
  edit_->setObjectName(qs(field.name));
  edit_->setToolTip(qs(field.hint));
  edit_->setMaxLength(static_cast<int>(mask_.length()));
  fitWidth(edit_, field, static_cast<int>(mask_.length()));
  edit_->setText(qs(mask_.display({})));
}

void MaskedFieldBinding::show(const pages::FieldView& view) {
  const QString text = qs(mask_.display(view.text));
  if (edit_->text() != text) {
    const int cursor = edit_->cursorPosition();
    edit_->setText(text);
    edit_->setCursorPosition(cursor);
  }
}

pages::FieldInput MaskedFieldBinding::input() const {
  return pages::FieldInput{.id = field_.id, .text = edit_->text().toStdString()};
}

int MaskedFieldBinding::editablePosition(int from, int step) const {
  for (int i = from; i >= 0 && i < static_cast<int>(mask_.length()); i += step) {
    if (mask_.at(static_cast<std::size_t>(i)).slot != pages::EditMask::Slot::Literal) return i;
  }
  return -1;
}

void MaskedFieldBinding::blankAt(int position) {
  QString text = edit_->text();
  if (position < 0 || position >= text.size()) return;
  text[position] = QChar(mask_.blank());
  edit_->setText(text);
  edited();
}

bool MaskedFieldBinding::typeOne(char32_t key) {
  int at = edit_->hasSelectedText() ? edit_->selectionStart() : edit_->cursorPosition();
  at = editablePosition(at, 1);
  if (at < 0) return false;
  const std::optional<char32_t> c =
      pages::typeCharacter(field_, key, keyContext(), static_cast<std::size_t>(at));
  if (!c || *c > 0xFFFF) return false;
  QString text = edit_->text();
  if (at >= text.size()) return false;
  text[at] = QChar(static_cast<char16_t>(*c));
  edit_->setText(text);
  // The cursor stands before the next position that takes a character.
  const int next = editablePosition(at + 1, 1);
  edit_->setCursorPosition(next < 0 ? static_cast<int>(text.size()) : next);
  edited();
  return true;
}

bool MaskedFieldBinding::key(QKeyEvent* event) {
  const int cursor = edit_->cursorPosition();
  switch (event->key()) {
    case Qt::Key_Backspace: {
      if (pages::editKeySwallowed(field_, pages::EditKey::Backspace)) return true;
      const int at = editablePosition(cursor - 1, -1);
      if (at >= 0) {
        blankAt(at);
        edit_->setCursorPosition(at);
      }
      return true;
    }
    case Qt::Key_Delete: {
      if (pages::editKeySwallowed(field_, pages::EditKey::Delete)) return true;
      blankAt(editablePosition(cursor, 1));
      edit_->setCursorPosition(cursor);
      return true;
    }
    case Qt::Key_Escape: return pages::editKeySwallowed(field_, pages::EditKey::Escape);
    default: break;
  }
  if (event->matches(QKeySequence::Paste)) {
    typeText(QApplication::clipboard()->text());
    return true;
  }
  // Cutting or undoing would shift the fixed positions.
  if (event->matches(QKeySequence::Cut) || event->matches(QKeySequence::Undo) ||
      event->matches(QKeySequence::Redo) || event->matches(QKeySequence::DeleteEndOfWord) ||
      event->matches(QKeySequence::DeleteStartOfWord) ||
      event->matches(QKeySequence::DeleteEndOfLine)) {
    return true;
  }
  if (!typesText(event)) return false;
  typeText(event->text());
  return true;
}

void MaskedFieldBinding::typeText(const QString& text) {
  for (const char32_t c : text.toUcs4()) {
    if (c >= 0x20) typeOne(c);
  }
}

// ---- List ----

ListFieldBinding::ListFieldBinding(const pages::FieldEntry& field, const BindingHost& host,
                                   QWidget* parent)
    : FieldBinding(field, host), combo_(new FieldComboBox(*this, parent)) {
  combo_->setObjectName(qs(field.name));
  combo_->setToolTip(qs(field.hint));
  combo_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
  // Every item the list may offer sizes it, so that it keeps its width
  // when the model's rules shorten the list.
  for (std::string_view item : field.items) combo_->addItem(qs(item));
  combo_->setMinimumContentsLength(0);
  combo_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  int widest = 0;
  for (std::string_view item : field.items)
    widest = std::max(widest, static_cast<int>(item.size()));
  combo_->setMinimumContentsLength(std::max(widest, 3));
  combo_->clear();
  QObject::connect(combo_, &QComboBox::currentIndexChanged, combo_,
                   [this](int index) { chosen(index); });
}

void ListFieldBinding::show(const pages::FieldView& view) {
  QStringList items;
  for (std::string_view item : view.items) items << qs(item);
  showing_ = true;
  QStringList current;
  for (int i = 0; i < combo_->count(); ++i) current << combo_->itemText(i);
  if (current != items) {
    combo_->clear();
    combo_->addItems(items);
  }
  combo_->setCurrentIndex(view.selected);
  showing_ = false;
}

pages::FieldInput ListFieldBinding::input() const {
  pages::FieldInput in;
  in.id = field_.id;
  in.index = combo_->currentIndex();
  return in;
}

void ListFieldBinding::chosen(int index) {
  if (showing_ || index < 0) return;
  window::FieldEvents* rules = events();
  if (rules == nullptr) return;
  rules->fieldLeft(input());
  host_.redraw(field_.page);
}

}  // namespace zelta::ui
