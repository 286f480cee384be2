#include "ui/memory_sn_dialog.h"

#include <QComboBox>
#include <QFontDatabase>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/qt_text.h"
#include "ui/text_filter_validator.h"

namespace zelta::ui {

TFmMemorySn::TFmMemorySn(operations::MemorySerialRequest& request, QWidget* parent)
    : QDialog(parent), request_(request), form_(request) {
  setObjectName("FmMemorySn");
  setWindowTitle("SerialNo / Memory  Partitions Size");

  serial_ = new QLineEdit(this);
  serial_->setObjectName("ed_newSerialNumber");
  serial_->setMaxLength(static_cast<int>(window::kSerialNumberLength));
  serial_->setValidator(new TextFilterValidator(
      [](std::string_view typed) { return window::serialNumberText(typed); }, serial_));
  serial_->setMinimumWidth(serial_->fontMetrics().horizontalAdvance(QString(14, 'W')));
  personal_ = new QComboBox(this);
  personal_->setObjectName("cb_persMemSizeString");
  maildrop_ = new QComboBox(this);
  maildrop_->setObjectName("cb_persMaildropString");
  for (const pages::MemoryPartition& row : form_.rows()) {
    personal_->addItem(qs(row.personal));
    maildrop_->addItem(qs(row.maildrop));
  }
  // The sizes are right-aligned texts of one width; a fixed-pitch font keeps
  // their digits in columns.
  const QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  personal_->setFont(fixed);
  maildrop_->setFont(fixed);

  auto* form = new QFormLayout;
  form->addRow("Enter Serial #", serial_);
  form->addRow("Personal Memory Size", personal_);
  form->addRow("Maildrop Memory Size", maildrop_);
  for (QComboBox* list : {personal_, maildrop_}) {
    list->setEnabled(form_.listsEnabled());
    if (QWidget* label = form->labelForField(list)) label->setEnabled(form_.listsEnabled());
  }
  if (form_.listsEnabled()) {
    personal_->setCurrentIndex(form_.selectedRow());
    maildrop_->setCurrentIndex(form_.selectedRow());
  }
  connect(personal_, &QComboBox::currentIndexChanged, this, &TFmMemorySn::rowChosen);
  connect(maildrop_, &QComboBox::currentIndexChanged, this, &TFmMemorySn::rowChosen);

  auto* ok = new QPushButton("OK", this);
  ok->setObjectName("btnOk");
  ok->setDefault(true);
  auto* cancel = new QPushButton("Cancel", this);
  cancel->setObjectName("btnCancel");
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(ok);
  buttons->addWidget(cancel);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addSpacing(layout->spacing());
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  setTabOrder(serial_, personal_);
  setTabOrder(personal_, maildrop_);
  setTabOrder(maildrop_, ok);
  setTabOrder(ok, cancel);
  serial_->setFocus();
}

void TFmMemorySn::rowChosen(int row) {
  form_.chooseRow(row);
  const QSignalBlocker quietPersonal(personal_);
  const QSignalBlocker quietMaildrop(maildrop_);
  personal_->setCurrentIndex(form_.selectedRow());
  maildrop_->setCurrentIndex(form_.selectedRow());
}

QString TFmMemorySn::personalText() const {
  return form_.selectedRow() >= 0 ? personal_->itemText(form_.selectedRow()) : QString();
}

QString TFmMemorySn::maildropText() const {
  return form_.selectedRow() >= 0 ? maildrop_->itemText(form_.selectedRow()) : QString();
}

void TFmMemorySn::done(int r) {
  // Escape and the window's close button cancel as "Cancel" does.
  result_ = r == Accepted ? form_.accept(serial_->text().toStdString(), request_)
                          : form_.cancel(request_);
  QDialog::done(r);
}

errors::ResultCode askMemoryAndSerial(operations::MemorySerialRequest& request, QWidget* parent,
                                      QString* personal, QString* maildrop) {
  TFmMemorySn dialog(request, parent);
  dialog.exec();
  if (dialog.resultCode() == errors::code::Ok) {
    if (personal != nullptr) *personal = dialog.personalText();
    if (maildrop != nullptr) *maildrop = dialog.maildropText();
  }
  return dialog.resultCode();
}

}  // namespace zelta::ui
