#include "ui/keypad_dialog.h"

#include <QFontMetrics>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QSizePolicy>
#include <QVBoxLayout>

#include "ui/qt_text.h"

namespace zelta::ui {
namespace {

// The four keys as the pager holds them, in a cross: row, column.
struct KeyButton {
  const char* name;
  const char* text;
  const char* hint;
  pages::PagerKey key;
  int row;
  int column;
};
constexpr KeyButton kKeyButtons[] = {
    {"userPasswordBtn1", "Left", "Pager left key.", pages::PagerKey::Left, 1, 0},
    {"userPasswordBtn2", "Right", "Pager right key.", pages::PagerKey::Right, 1, 2},
    {"userPasswordBtn3", "Up", "Pager up key.", pages::PagerKey::Up, 0, 1},
    {"userPasswordBtn4", "Down", "Pager down key.", pages::PagerKey::Down, 2, 1},
};

constexpr const char* kKeysHint = "L=Left key,  R=Right key,  U=Up key,  D=Down key.";

}  // namespace

KeypadDialog::KeypadDialog(std::string_view digits, errors::Reporter& reporter, QWidget* parent)
    : QDialog(parent), keypad_(digits), reporter_(reporter) {
  setObjectName("TFmKeyboard");
  setWindowTitle("User Password");
  auto* layout = new QVBoxLayout(this);

  auto* keys = new QGridLayout;
  for (const KeyButton& k : kKeyButtons) {
    auto* button = new QPushButton(k.text, this);
    button->setObjectName(k.name);
    button->setToolTip(k.hint);
    button->setAutoDefault(false);
    // A compact cross, as the keys sit on the pager.
    button->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    connect(button, &QPushButton::clicked, this, [this, key = k.key] { press(key); });
    keys->addWidget(button, k.row, k.column);
  }
  auto* keysRow = new QHBoxLayout;
  keysRow->addStretch(1);
  keysRow->addLayout(keys);
  keysRow->addStretch(1);
  layout->addLayout(keysRow);

  display_ = new QLineEdit(this);
  display_->setObjectName("ed_cpwFc_Password_LRUD");
  display_->setReadOnly(true);
  display_->setFocusPolicy(Qt::NoFocus);
  display_->setToolTip(kKeysHint);
  // Eight keys shown as "L. " each.
  display_->setMinimumWidth(
      QFontMetrics(display_->font()).horizontalAdvance("D. D. D. D. D. D. D. D. ") + 16);
  layout->addWidget(display_);
  digits_ = new QLineEdit(this);
  digits_->setObjectName("ed_cpwFc_Password");
  digits_->setReadOnly(true);
  digits_->setMaxLength(static_cast<int>(pages::kUserPasswordMaxKeys));
  digits_->hide();

  auto* buttons = new QHBoxLayout;
  auto* backspace = new QPushButton("Backspace", this);
  backspace->setObjectName("btnBackspace");
  save_ = new QPushButton("Save", this);
  save_->setObjectName("btnSave");
  auto* deleteAll = new QPushButton("Delete All", this);
  deleteAll->setObjectName("btnDeleteAll");
  auto* cancel = new QPushButton("Cancle", this);
  cancel->setObjectName("btnCancle");
  for (QPushButton* b : {backspace, save_, deleteAll, cancel}) {
    b->setAutoDefault(false);
    buttons->addWidget(b);
  }
  connect(backspace, &QPushButton::clicked, this, [this] {
    keypad_.backspace();
    showKeys();
  });
  connect(deleteAll, &QPushButton::clicked, this, [this] {
    keypad_.deleteAll();
    showKeys();
  });
  connect(save_, &QPushButton::clicked, this, &KeypadDialog::save);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  showKeys();
}

void KeypadDialog::press(pages::PagerKey key) {
  keypad_.press(key);
  showKeys();
}

void KeypadDialog::showKeys() {
  display_->setText(qs(keypad_.display()));
  digits_->setText(qs(keypad_.digits()));
  save_->setEnabled(keypad_.canSave());
}

void KeypadDialog::save() {
  pages::UserPassword password;
  const errors::ResultCode result = keypad_.save(password);
  if (result != errors::code::Ok) {
    reporter_.ReportCode(result);
    return;
  }
  saved_ = password;
  accept();
}

}  // namespace zelta::ui
