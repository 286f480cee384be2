#pragma once

#include <QDialog>
#include <QString>

// Core headers name members "slots"; Qt's keyword macro must not see them.
#pragma push_macro("slots")
#undef slots
#include "operations/pager_operations.h"
#include "window/memory_serial_form.h"
#pragma pop_macro("slots")

class QComboBox;
class QLabel;
class QLineEdit;

namespace zelta::ui {

// "SerialNo / Memory  Partitions Size": the new serial number and the split
// of message memory for a pager that reported itself unprogrammed.
class TFmMemorySn : public QDialog {
  Q_OBJECT

 public:
  // request is read at show and filled when the dialog closes.
  explicit TFmMemorySn(operations::MemorySerialRequest& request, QWidget* parent = nullptr);

  // -17 until "OK"; 0 after it.
  errors::ResultCode resultCode() const { return result_; }
  // The chosen row's texts, for the main window's read-only memory fields.
  QString personalText() const;
  QString maildropText() const;

  void done(int r) override;

 private:
  void rowChosen(int row);

  operations::MemorySerialRequest& request_;
  window::MemorySerialForm form_;
  errors::ResultCode result_ = errors::code::Cancelled;
  QLineEdit* serial_ = nullptr;
  QComboBox* personal_ = nullptr;
  QComboBox* maildrop_ = nullptr;
};

// Shows the dialog modally; 0 when accepted (request filled), -17 when
// cancelled or closed. personal and maildrop receive the chosen texts.
errors::ResultCode askMemoryAndSerial(operations::MemorySerialRequest& request, QWidget* parent,
                                      QString* personal = nullptr, QString* maildrop = nullptr);

}  // namespace zelta::ui
