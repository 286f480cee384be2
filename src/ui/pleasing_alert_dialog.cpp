#include "ui/pleasing_alert_dialog.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>

#include "ui/qt_text.h"

namespace zelta::ui {
namespace {

constexpr const char* kTagProperty = "tag";
// Two blocks of eight notes side by side.
constexpr std::size_t kNotesPerBlock = 8;

}  // namespace

PleasingAlertDialog::PleasingAlertDialog(codes::Melody& melody, codes::ToneOutput& output,
                                         QWidget* parent)
    : QDialog(parent), editor_(melody, output) {
  setObjectName("TFmPleasingAlert");
  setWindowTitle("Programmable Pleasing Alert");
  auto* layout = new QVBoxLayout(this);

  auto* blocks = new QHBoxLayout;
  for (std::size_t block = 0; block * kNotesPerBlock < codes::kMelodySteps; ++block) {
    auto* box = new QGroupBox(this);
    auto* grid = new QGridLayout(box);
    grid->addWidget(new QLabel("NOTE", box), 0, 0, Qt::AlignCenter);
    grid->addWidget(new QLabel("FREQUENCY", box), 0, 1);
    for (std::size_t i = 0; i < kNotesPerBlock; ++i) {
      const std::size_t step = block * kNotesPerBlock + i;
      auto* number = new QLabel(QString::number(step + 1), box);
      auto* list = new QComboBox(box);
      list->setObjectName(QString("cb_pleasingAlertFreq%1").arg(step));
      for (const codes::Note& note : codes::kNotes) list->addItem(qs(note.shown));
      list->setMaxVisibleItems(static_cast<int>(codes::kNoteCount));
      number->setBuddy(list);
      const int row = static_cast<int>(i) + 1;
      grid->addWidget(number, row, 0, Qt::AlignCenter);
      grid->addWidget(list, row, 1);
      connect(list, &QComboBox::currentIndexChanged, this, [this, step](int index) {
        if (!showing_ && index >= 0) editor_.setNote(step, index);
      });
      notes_[step] = list;
    }
    blocks->addWidget(box);
  }
  layout->addLayout(blocks);

  // The bottom panel.
  auto* buttons = new QHBoxLayout;
  auto* play = new QPushButton("ALT-A Play", this);
  play->setObjectName("alertBtn1");
  play->setAutoDefault(false);
  connect(play, &QPushButton::clicked, this,
          [this] { carryOut(codes::PleasingAlertCommand::Play); });
  buttons->addWidget(play);
  struct Lower {
    const char* name;
    const char* text;
    int tag;
  };
  constexpr Lower kLower[] = {{"alertBtn2", "ESC Abort", codes::kKeyEscape},
                              {"alertBtn3", "F6 Default", codes::kKeyF6},
                              {"alertBtn4", "F10 Done", codes::kKeyF10}};
  for (const Lower& lower : kLower) {
    auto* button = new QPushButton(lower.text, this);
    button->setObjectName(lower.name);
    button->setAutoDefault(false);
    button->setProperty(kTagProperty, lower.tag);
    connect(button, &QPushButton::clicked, this, &PleasingAlertDialog::bottomButtonClicked);
    buttons->addWidget(button);
  }
  layout->addLayout(buttons);

  // The keys, whichever list has the focus.
  const std::pair<QKeySequence, codes::PleasingAlertCommand> kKeys[] = {
      {QKeySequence(Qt::Key_Escape), codes::PleasingAlertCommand::Abort},
      {QKeySequence(Qt::Key_F6), codes::PleasingAlertCommand::Default},
      {QKeySequence(Qt::Key_F10), codes::PleasingAlertCommand::Done},
      {QKeySequence(Qt::ALT | Qt::Key_A), codes::PleasingAlertCommand::Play},
  };
  for (const auto& [keys, command] : kKeys) {
    auto* shortcut = new QShortcut(keys, this);
    connect(shortcut, &QShortcut::activated, this, [this, c = command] { carryOut(c); });
  }
  // F1 opens no help here.
  new QShortcut(QKeySequence(Qt::Key_F1), this);

  showMelody();
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

void PleasingAlertDialog::bottomButtonClicked() {
  const int tag = sender() != nullptr ? sender()->property(kTagProperty).toInt() : 0;
  if (const std::optional<codes::PleasingAlertCommand> command =
          codes::pleasingAlertCommandForKey(tag)) {
    carryOut(*command);
  }
}

void PleasingAlertDialog::carryOut(codes::PleasingAlertCommand command) {
  if (editor_.carryOut(command)) {
    accept();
    return;
  }
  showMelody();
}

void PleasingAlertDialog::showMelody() {
  showing_ = true;
  for (std::size_t step = 0; step < notes_.size(); ++step) {
    const int note = editor_.noteAt(step);
    // A note index the list does not hold (25-31) shows no item.
    notes_[step]->setCurrentIndex(note < static_cast<int>(codes::kNoteCount) ? note : -1);
  }
  showing_ = false;
}

}  // namespace zelta::ui
