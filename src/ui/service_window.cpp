#include "ui/service_window.h"

#include <QAction>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QComboBox>
#include <QFocusEvent>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QRadioButton>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <string>

#include "ui/help_opener.h"
#include "ui/qt_reporter.h"
#include "ui/qt_text.h"
#include "ui/service_link_runner.h"
#include "ui/text_filter_validator.h"
#include "ui/window_operations.h"
#include "window/window_texts.h"

namespace zelta::ui {
namespace {

using window::AdjustField;

// The number fields take digits only; every other key is dropped.
std::string digitsOnly(std::string_view typed) {
  std::string digits;
  for (const char c : typed) {
    if (c >= '0' && c <= '9') digits += c;
  }
  return digits;
}

std::size_t slot(AdjustField field) {
  return static_cast<std::size_t>(field);
}

// A field is left for another control: not for a box, a menu or a list's
// popup, which come back to it.
bool leavesTheField(Qt::FocusReason reason) {
  switch (reason) {
    case Qt::TabFocusReason:
    case Qt::BacktabFocusReason:
    case Qt::MouseFocusReason:
    case Qt::ShortcutFocusReason:
    case Qt::OtherFocusReason: return true;
    default: return false;
  }
}

void setTextIfChanged(QLineEdit* edit, const std::string& text) {
  const QString shown = qs(text);
  if (edit->text() != shown) edit->setText(shown);
}

}  // namespace

TFmService::TFmService(window::ServiceController& controller, const HelpOpener* help,
                       QWidget* parent)
    : QDialog(parent), controller_(controller), help_(help) {
  setObjectName("FmService");
  setWindowTitle(qs(window::kServiceCaption));

  auto* layout = new QVBoxLayout(this);
  buildMenu();
  layout->setMenuBar(menuBar_);

  pageCaption_ = new QLabel(this);
  pageCaption_->setObjectName("servicePageCaption");
  QFont captionFont = pageCaption_->font();
  captionFont.setBold(true);
  pageCaption_->setFont(captionFont);
  layout->addWidget(pageCaption_);

  servicePgc_ = new QStackedWidget(this);
  servicePgc_->setObjectName("servicePgc");
  servicePgc_->addWidget(buildMainPage());
  servicePgc_->addWidget(buildAdjustPage());
  servicePgc_->addWidget(buildTestPage());
  layout->addWidget(servicePgc_, 1);

  auto* status = new QStatusBar(this);
  status->setObjectName("serviceStatusBar");
  status->setSizeGripEnabled(false);
  statusOperation_ = new QLabel(status);
  statusOperation_->setObjectName("statusOperation");
  statusKeys_ = new QLabel(status);
  statusKeys_->setObjectName("statusKeys");
  status->addWidget(statusOperation_, 1);
  status->addWidget(statusKeys_, 1);
  layout->addWidget(status);
  // The panels are as wide as their longest texts: the window keeps its
  // size from page to page.
  const QFontMetrics metrics = statusKeys_->fontMetrics();
  const std::string longestOperation =
      window::operationText(window::Operation::Program, window::kRates.back().rateCode);
  statusOperation_->setMinimumWidth(metrics.horizontalAdvance(qs(longestOperation)) + 8);
  int keysWidth = 0;
  for (const window::ServicePageInfo& page : window::kServicePages)
    keysWidth = std::max(keysWidth, metrics.horizontalAdvance(qs(page.keyHints)));
  statusKeys_->setMinimumWidth(keysWidth + 8);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  showView();
}

// ---- Building ----

void TFmService::buildMenu() {
  menuBar_ = new QMenuBar(this);
  QMenu* menu = menuBar_->addMenu(qs(window::kServiceMenuCaption));
  menu->setObjectName(qs(window::kServiceMenuName));
  for (const window::ServiceMenuItem& item : window::kServiceMenuItems) {
    if (item.separatorBefore) menu->addSeparator();
    QAction* a = menu->addAction(qs(item.caption));
    a->setObjectName(qs(item.name));
    a->setShortcut(QKeySequence(qs(item.shortcut)));
    a->setShortcutContext(Qt::WindowShortcut);
    // The window carries the shortcuts; a disabled menu would not stop
    // them, so every item is enabled and disabled on its own.
    addAction(a);
    actions_.insert(a->objectName(), a);
    connect(a, &QAction::triggered, this, [this, key = item.key] { runKey(key); });
  }
}

QWidget* TFmService::buildMainPage() {
  auto* page = new QWidget(this);
  page->setObjectName(qs(window::servicePageInfo(window::ServicePage::Main).component));
  auto* keys = new QVBoxLayout(page);
  // The key texts are padded with blanks to line up in columns.
  const QFont keyFont = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  for (const std::string_view text : window::kServiceMainKeys) {
    auto* label = new QLabel(qs(text), page);
    label->setFont(keyFont);
    keys->addWidget(label);
  }
  keys->addStretch();
  return page;
}

QLineEdit* TFmService::numberField(AdjustField field, QWidget* parent) {
  const window::AdjustFieldInfo& info = window::adjustFieldInfo(field);
  auto* edit = new QLineEdit(parent);
  edit->setObjectName(qs(info.name));
  edit->setMaxLength(info.maxDigits);
  edit->setValidator(new TextFilterValidator(digitsOnly, edit));
  edit->setToolTip(qs(info.hint));
  // One width for every number field, so that they and their hints line up.
  edit->setFixedWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("0000")) +
                      2 * edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth) + 8);
  fields_[slot(field)] = edit;
  if (field != AdjustField::Lcd2) {
    edit->installEventFilter(this);
    connect(edit, &QLineEdit::textEdited, this, [this, field](const QString& text) {
      if (showing_) return;
      controller_.adjustTextEdited(field, text.toStdString());
      showView();
    });
  }
  return edit;
}

QWidget* TFmService::buildAdjustPage() {
  auto* page = new QWidget(this);
  page->setObjectName(qs(window::servicePageInfo(window::ServicePage::Adjust).component));
  auto* column = new QVBoxLayout(page);

  // One row of a group: the field and, beside it, what it takes.
  // Every group has a narrow name column (the LCD pair's "1:" and "2:"),
  // the field and what it takes: the fields line up whichever groups show.
  const int nameWidth = fontMetrics().horizontalAdvance(QStringLiteral("2:")) + 4;
  const auto name = [nameWidth](QGridLayout* grid, int at, const QString& text, QWidget* group,
                                QWidget* buddy) {
    auto* label = new QLabel(text, group);
    label->setFixedWidth(nameWidth);
    label->setBuddy(buddy);
    grid->addWidget(label, at, 0);
  };
  const auto row = [this, &name](QGridLayout* grid, int at, const QString& label, AdjustField field,
                                 QWidget* group) {
    QLineEdit* edit = numberField(field, group);
    auto* hint = new QLabel(qs(window::adjustFieldInfo(field).hint), group);
    name(grid, at, label, group, edit);
    hint->setBuddy(edit);
    grid->addWidget(edit, at, 1);
    grid->addWidget(hint, at, 2);
    grid->setColumnStretch(2, 1);
    return edit;
  };

  auto* clock = new QGroupBox(qs(window::kClockGroupCaption), page);
  clock->setObjectName("gb_secondAdjust");
  auto* clockGrid = new QGridLayout(clock);
  secondAdjust_ = new QComboBox(clock);
  secondAdjust_->setObjectName(qs(window::adjustFieldInfo(AdjustField::SecondAdjust).name));
  secondAdjust_->setAccessibleName(qs(window::kClockGroupCaption));
  for (const std::string_view item : window::kSecondAdjustItems) secondAdjust_->addItem(qs(item));
  name(clockGrid, 0, QString(), clock, secondAdjust_);
  clockGrid->addWidget(secondAdjust_, 0, 1);
  clockGrid->setColumnStretch(2, 1);
  connect(secondAdjust_, &QComboBox::activated, this, [this](int index) {
    if (showing_ || running_) return;
    running_ = true;
    controller_.secondAdjustChosen(index);
    running_ = false;
    showView();
  });

  textContrastGroup_ = new QGroupBox(qs(window::kTextContrastGroupCaption), page);
  textContrastGroup_->setObjectName("GroupBox2");
  auto* textGrid = new QGridLayout(textContrastGroup_);
  row(textGrid, 0, QString(), AdjustField::TextContrast, textContrastGroup_);

  auto* icon = new QGroupBox(qs(window::kIconContrastGroupCaption), page);
  icon->setObjectName("gb_iconContrast");
  auto* iconGrid = new QGridLayout(icon);
  row(iconGrid, 0, QString(), AdjustField::IconContrast, icon);

  lcdGroup_ = new QGroupBox(qs(window::kTextContrastGroupCaption), page);
  lcdGroup_->setObjectName("GroupBox1");
  auto* lcdGrid = new QGridLayout(lcdGroup_);
  row(lcdGrid, 0, QStringLiteral("1:"), AdjustField::Lcd1, lcdGroup_);
  QLineEdit* second = row(lcdGrid, 1, QStringLiteral("2:"), AdjustField::Lcd2, lcdGroup_);
  // Computed from the first: shown, not typed into.
  second->setReadOnly(true);
  second->setFocusPolicy(Qt::NoFocus);

  column->addWidget(clock);
  column->addWidget(textContrastGroup_);
  column->addWidget(icon);
  column->addWidget(lcdGroup_);
  column->addStretch();

  setTabOrder(secondAdjust_, fields_[slot(AdjustField::TextContrast)]);
  setTabOrder(fields_[slot(AdjustField::TextContrast)], fields_[slot(AdjustField::IconContrast)]);
  setTabOrder(fields_[slot(AdjustField::IconContrast)], fields_[slot(AdjustField::Lcd1)]);
  return page;
}

QWidget* TFmService::buildTestPage() {
  auto* page = new QWidget(this);
  page->setObjectName(qs(window::servicePageInfo(window::ServicePage::Test).component));
  auto* column = new QVBoxLayout(page);

  auto* group = new QGroupBox(qs(window::kTestGroupCaption), page);
  group->setObjectName("gb_tests");
  auto* grid = new QGridLayout(group);
  tests_ = new QButtonGroup(this);
  tests_->setExclusive(true);
  constexpr int kRows = static_cast<int>(window::kServiceTests.size() + 1) / 2;
  QRadioButton* previous = nullptr;
  for (std::size_t i = 0; i < window::kServiceTests.size(); ++i) {
    const window::ServiceTest& test = window::kServiceTests[i];
    auto* radio = new QRadioButton(qs(test.caption), group);
    radio->setObjectName(qs(test.name));
    const int at = static_cast<int>(i);
    tests_->addButton(radio, at);
    // Down the first column, then the second.
    grid->addWidget(radio, at % kRows, at / kRows);
    if (previous != nullptr) setTabOrder(previous, radio);
    previous = radio;
  }
  connect(tests_, &QButtonGroup::idToggled, this, [this](int id, bool checked) {
    if (showing_ || !checked) return;
    controller_.chooseTest(id);
  });

  auto* form = new QGridLayout;
  auto* annLabel = new QLabel(qs(window::kAnnunciatorLabel), page);
  annunciator_ = new QComboBox(page);
  annunciator_->setObjectName("serviceComboAnn");
  for (const window::AnnunciatorCommand& c : window::kAnnunciatorCommands)
    annunciator_->addItem(qs(c.caption));
  annLabel->setBuddy(annunciator_);
  connect(annunciator_, &QComboBox::currentIndexChanged, this, [this](int index) {
    if (showing_) return;
    controller_.chooseAnnunciator(index);
  });
  auto* resultLabel = new QLabel(qs(window::kDataResultLabel), page);
  dataResult_ = new QLineEdit(page);
  dataResult_->setObjectName("resultEdit");
  dataResult_->setReadOnly(true);
  // Room for the longest key name.
  dataResult_->setMinimumWidth(dataResult_->fontMetrics().horizontalAdvance("MULTIPLE KEYS") + 24);
  resultLabel->setBuddy(dataResult_);
  form->addWidget(annLabel, 0, 0);
  form->addWidget(annunciator_, 0, 1);
  form->addWidget(resultLabel, 1, 0);
  form->addWidget(dataResult_, 1, 1);
  form->setColumnStretch(2, 1);

  column->addWidget(group);
  column->addLayout(form);
  column->addStretch();
  setTabOrder(previous, annunciator_);
  setTabOrder(annunciator_, dataResult_);
  return page;
}

// ---- Commands ----

void TFmService::runKey(window::WindowKey key) {
  if (running_ || showing_) return;
  for (const window::ServiceMenuItem& item : window::kServiceMenuItems) {
    if (item.key != key) continue;
    // A command not offered does nothing, whatever reached it.
    QAction* a = actions_.value(qs(item.name));
    if (a == nullptr || !a->isEnabled()) return;
    running_ = true;
    const window::ServiceOutcome outcome = controller_.pressKey(key);
    running_ = false;
    finish(outcome);
    return;
  }
}

void TFmService::finish(window::ServiceOutcome outcome) {
  switch (outcome) {
    case window::ServiceOutcome::OpenHelp:
      if (help_ != nullptr) help_->open(this);
      break;
    case window::ServiceOutcome::CloseWindow: accept(); return;
    default: break;
  }
  showView();
}

void TFmService::closeEvent(QCloseEvent* event) {
  if (!controller_.closed()) {
    if (running_ || controller_.busy()) {
      event->ignore();
      return;
    }
    // As F10 on the page shown: test mode is left, adjust edits dropped.
    running_ = true;
    const bool closing = controller_.closeRequested();
    running_ = false;
    if (!closing) {
      event->ignore();
      showView();
      return;
    }
  }
  QDialog::closeEvent(event);
}

void TFmService::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      // Enter moves on to the next control while the pages take input.
      if (servicePgc_->isEnabled()) focusNextChild();
      event->accept();
      return;
    case Qt::Key_Escape:
      // F10 leaves; a stray Escape must not drop the pager's test mode.
      event->accept();
      return;
    default: break;
  }
  QDialog::keyPressEvent(event);
}

bool TFmService::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::FocusOut && !showing_ && !running_ &&
      leavesTheField(static_cast<QFocusEvent*>(event)->reason())) {
    for (std::size_t i = 0; i < fields_.size(); ++i) {
      if (fields_[i] == nullptr || fields_[i] != watched) continue;
      // Checked once the focus has moved on: a failed check takes it back.
      QTimer::singleShot(0, this, [this, field = static_cast<AdjustField>(i)] {
        if (showing_ || running_) return;
        running_ = true;
        controller_.adjustFieldLeft(field);
        running_ = false;
        showView();
      });
      break;
    }
  }
  return QDialog::eventFilter(watched, event);
}

// ---- Drawing the view ----

void TFmService::showView() {
  const window::ServiceView view = controller_.view();
  showing_ = true;
  servicePgc_->setCurrentIndex(static_cast<int>(view.page));
  pageCaption_->setText(qs(window::servicePageInfo(view.page).caption));
  for (const window::ServiceItemState& item : view.items) {
    if (QAction* a = actions_.value(qs(item.name))) a->setEnabled(item.enabled);
  }
  menuBar_->setEnabled(view.pagesEnabled);
  servicePgc_->setEnabled(view.pagesEnabled);
  statusOperation_->setText(qs(view.operationText));
  statusKeys_->setText(qs(view.keyHints));
  showFields(view);
  showFocus(view.focus);
  showing_ = false;
}

void TFmService::showFields(const window::ServiceView& view) {
  if (secondAdjust_->currentIndex() != view.adjust.secondAdjust)
    secondAdjust_->setCurrentIndex(view.adjust.secondAdjust);
  setTextIfChanged(fields_[slot(AdjustField::TextContrast)], view.adjust.textContrast);
  setTextIfChanged(fields_[slot(AdjustField::IconContrast)], view.adjust.iconContrast);
  setTextIfChanged(fields_[slot(AdjustField::Lcd1)], view.adjust.lcdAdjust1);
  setTextIfChanged(fields_[slot(AdjustField::Lcd2)], view.adjust.lcdAdjust2);
  textContrastGroup_->setVisible(!view.lcdPairShown);
  lcdGroup_->setVisible(view.lcdPairShown);

  if (QAbstractButton* test = tests_->button(view.test); test != nullptr && !test->isChecked())
    test->setChecked(true);
  if (annunciator_->currentIndex() != view.annunciator)
    annunciator_->setCurrentIndex(view.annunciator);
  setTextIfChanged(dataResult_, view.dataResult);
}

void TFmService::showFocus(const window::ServiceFocus& focus) {
  QWidget* target = nullptr;
  switch (focus.target) {
    case window::ServiceFocus::Target::None: return;
    case window::ServiceFocus::Target::AdjustField:
      target = focus.field == AdjustField::SecondAdjust
                   ? static_cast<QWidget*>(secondAdjust_)
                   : static_cast<QWidget*>(fields_[slot(focus.field)]);
      break;
    case window::ServiceFocus::Target::TestChoice: target = tests_->checkedButton(); break;
  }
  if (target == nullptr || !target->isEnabled() || target->isHidden()) return;
  target->setFocus(Qt::TabFocusReason);
  if (auto* edit = qobject_cast<QLineEdit*>(target)) edit->selectAll();
}

// ---- F4 ----

bool runServiceWindow(WindowOperations& operations, window::WindowController& main,
                      QtReporter& reporter, const HelpOpener& help, window::ServiceStart start,
                      const window::ServiceProgram& program, QWidget* parent) {
  TFmService* shown = nullptr;
  ServiceLinkRunner link(
      operations,
      [&shown](bool) {
        if (shown != nullptr) shown->showView();
      },
      program);
  window::ServiceController controller(main.settings(), main.model(), link, reporter, start);
  TFmService dialog(controller, &help, parent);
  shown = &dialog;
  // The boxes of the service window come up over it.
  reporter.setParent(&dialog);
  dialog.exec();
  reporter.setParent(parent);
  return controller.mainReturnsToMain();
}

}  // namespace zelta::ui
