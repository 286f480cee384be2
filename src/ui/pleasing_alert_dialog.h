#pragma once

#include <QDialog>
#include <array>

// Core headers name members "slots"; Qt's keyword macro must not see them.
#pragma push_macro("slots")
#undef slots
#include "codes/pleasing_alert.h"
#pragma pop_macro("slots")

class QComboBox;
class QPushButton;

namespace zelta::ui {

// "Programmable Pleasing Alert" (TFmPleasingAlert): the sixteen notes of the
// melody, each chosen from the pager's note list and heard as it is chosen,
// with "ALT-A Play", "ESC Abort", "F6 Default" and "F10 Done" and their keys
// (F1 does nothing here). Every edit goes straight into the melody given;
// "ESC Abort" brings back the melody as the window opened.
class PleasingAlertDialog : public QDialog {
  Q_OBJECT

 public:
  PleasingAlertDialog(codes::Melody& melody, codes::ToneOutput& output, QWidget* parent = nullptr);

  // cb_pleasingAlertFreq0 to cb_pleasingAlertFreq15.
  QComboBox* noteList(std::size_t step) const { return notes_.at(step); }

 private:
  void carryOut(codes::PleasingAlertCommand command);
  // The lower buttons carry the key of their command in their tag.
  void bottomButtonClicked();
  void showMelody();

  codes::PleasingAlertEditor editor_;
  std::array<QComboBox*, codes::kMelodySteps> notes_{};
  bool showing_ = false;
};

}  // namespace zelta::ui
