#pragma once

#include <QComboBox>
#include <QLineEdit>
#include <QString>
#include <functional>
#include <optional>

#include "pages/edit_mask.h"
#include "pages/field_catalog.h"
#include "pages/field_view.h"
#include "pages/key_filter.h"
#include "pages/page_module.h"

class QLabel;

namespace zelta::window {
class FieldEvents;
}

namespace zelta::ui {

class FieldBinding;

// What a binding needs from the pages that hold it: the rules and a redraw
// of its page after every event.
struct BindingHost {
  std::function<window::FieldEvents*()> events;
  std::function<void(pages::Page)> redraw;
};

// The widgets of the field kinds tell their binding when focus comes and
// goes. They forget the binding when they die, so that a widget destroyed
// with focus never calls into the rules.
class FieldLineEdit : public QLineEdit {
 public:
  explicit FieldLineEdit(FieldBinding& binding, QWidget* parent = nullptr);
  ~FieldLineEdit() override { binding_ = nullptr; }

 protected:
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  bool event(QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  FieldBinding* binding_;
};

class FieldComboBox : public QComboBox {
 public:
  explicit FieldComboBox(FieldBinding& binding, QWidget* parent = nullptr);
  ~FieldComboBox() override { binding_ = nullptr; }

 protected:
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;

 private:
  FieldBinding* binding_;
};

// One field of a page bound to the rules: builds its widget, forwards its
// events and shows what the page view says.
class FieldBinding {
 public:
  FieldBinding(const pages::FieldEntry& field, const BindingHost& host);
  virtual ~FieldBinding() = default;
  FieldBinding(const FieldBinding&) = delete;
  FieldBinding& operator=(const FieldBinding&) = delete;

  const pages::FieldEntry& field() const { return field_; }
  virtual QWidget* widget() const = 0;
  QLabel* label() const { return label_; }
  // The label beside the field; `fallback` is shown while the view gives no caption.
  void setLabel(QLabel* label, const QString& fallback = {}) {
    label_ = label;
    fallbackCaption_ = fallback;
  }

  // Shows the view. A refused value keeps its text until it is accepted or
  // the page is refilled (keepRefused false).
  void apply(const pages::FieldView& view, bool keepRefused);
  void forgetRefusal() { refused_ = false; }

  // Focus arrives: the field is entered.
  void focusIn(Qt::FocusReason reason);
  // Focus leaves: text and masked fields are stored.
  void focusOut(Qt::FocusReason reason);
  // Stores the field now (before a command); nothing when it was stored
  // and accepted since it was last edited. A value refused before is
  // checked once more, so that the command stops on it. False when refused.
  bool commit();
  void edited() { storedSinceEdit_ = false; }

  // Typed keys, called by the widgets. True when the key was handled.
  virtual bool key(QKeyEvent*) { return false; }
  // Text pasted, each character typed in turn.
  virtual void typeText(const QString&) {}
  // Alt+R in a prompt field that restores its default.
  bool takesToggleKey(const QKeyEvent* event) const;
  // Masked fields are overtyped only: no cut, delete or undo.
  virtual bool overtypeOnly() const { return false; }

 protected:
  virtual void show(const pages::FieldView& view) = 0;
  virtual pages::FieldInput input() const = 0;
  virtual bool storesOnExit() const { return true; }
  void store();
  window::FieldEvents* events() const { return host_.events(); }
  pages::KeyContext keyContext() const;

  const pages::FieldEntry& field_;
  BindingHost host_;

 private:
  QLabel* label_ = nullptr;
  QString fallbackCaption_;
  bool refused_ = false;
  bool storing_ = false;
  // Stored, and not edited since: leaving the field stores nothing again.
  bool storedSinceEdit_ = false;
};

class TextFieldBinding : public FieldBinding {
 public:
  TextFieldBinding(const pages::FieldEntry& field, const BindingHost& host, QWidget* parent);
  QWidget* widget() const override { return edit_; }
  bool key(QKeyEvent* event) override;
  void typeText(const QString& text) override;

 protected:
  void show(const pages::FieldView& view) override;
  pages::FieldInput input() const override;
  bool typeOne(char32_t key);

  FieldLineEdit* edit_;
};

class ReadOnlyFieldBinding : public TextFieldBinding {
 public:
  using TextFieldBinding::TextFieldBinding;
  bool key(QKeyEvent*) override { return false; }
  void typeText(const QString&) override {}

 protected:
  bool storesOnExit() const override { return false; }
};

// Fixed positions overtyped one by one; the mask's literals are stepped over.
class MaskedFieldBinding : public FieldBinding {
 public:
  MaskedFieldBinding(const pages::FieldEntry& field, const BindingHost& host, QWidget* parent);
  QWidget* widget() const override { return edit_; }
  bool key(QKeyEvent* event) override;
  void typeText(const QString& text) override;
  bool overtypeOnly() const override { return true; }

 protected:
  void show(const pages::FieldView& view) override;
  pages::FieldInput input() const override;

 private:
  int editablePosition(int from, int step) const;
  bool typeOne(char32_t key);
  void blankAt(int position);

  FieldLineEdit* edit_;
  pages::EditMask mask_;
};

class ListFieldBinding : public FieldBinding {
 public:
  ListFieldBinding(const pages::FieldEntry& field, const BindingHost& host, QWidget* parent);
  QWidget* widget() const override { return combo_; }

 protected:
  void show(const pages::FieldView& view) override;
  pages::FieldInput input() const override;
  bool storesOnExit() const override { return false; }

 private:
  void chosen(int index);

  FieldComboBox* combo_;
  bool showing_ = false;
};

}  // namespace zelta::ui
