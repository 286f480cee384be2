#include "ui/production_dialog.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "production/production_texts.h"
#include "production/record_table.h"
#include "storage/atomic_file.h"
#include "ui/qt_text.h"
#include "window/setup_form.h"

namespace zelta::ui {
namespace {

QString pathText(const std::filesystem::path& path) {
  return QString::fromStdString(path.string());
}

constexpr std::string_view kJournalFilter =
    "Production journals ( *.jsonl )|*.jsonl|All  ( *.* )|*.*";
constexpr std::string_view kTemplateFilter =
    "Programming Software Files ( *.cp )|*.cp*|All  ( *.* )|*.*";
constexpr std::string_view kCsvFilter = "Comma-separated values ( *.csv )|*.csv|All  ( *.* )|*.*";

}  // namespace

QPushButton* ProductionDialog::button(const char* text, const char* name) {
  auto* b = new QPushButton(text, this);
  b->setObjectName(name);
  return b;
}

// A row of the inputs: its label (the field its buddy), the field, and the
// field's button at the right, or room to spare there.
void ProductionDialog::addInputRow(QGridLayout* grid, int row, const char* label, QWidget* field,
                                   QPushButton* button) {
  auto* caption = new QLabel(label, field->parentWidget());
  caption->setBuddy(field);
  auto* line = new QHBoxLayout;
  line->addWidget(field, button != nullptr ? 1 : 0);
  if (button != nullptr) {
    line->addWidget(button, 0, Qt::AlignTop);
  } else {
    line->addStretch();
  }
  // A list's label stands at its first line, a line's beside it.
  const bool tall = field->sizeHint().height() > 2 * caption->sizeHint().height();
  grid->addWidget(caption, row, 0, tall ? Qt::AlignTop : Qt::AlignVCenter);
  grid->addLayout(line, row, 1);
}

// The fixtures call from their own threads; each event is queued to the
// dialog's thread, where the board folds it. The dialog outlives every call:
// it joins the fixtures before it lets go of the observer.
class ProductionDialog::QueuedObserver : public production::ProductionObserver {
 public:
  explicit QueuedObserver(ProductionDialog& dialog) : dialog_(dialog) {}
  void fixtureChanged(const production::FixtureStatus& status) override {
    post([this, status] { dialog_.board_->fixtureChanged(status); });
  }
  void pagerFinished(const production::PagerRecord& record) override {
    post([this, record] { dialog_.board_->pagerFinished(record); });
  }
  void countersChanged(const production::ProductionCounters& counters) override {
    post([this, counters] { dialog_.board_->countersChanged(counters); });
  }

 private:
  void post(std::function<void()> apply) {
    QMetaObject::invokeMethod(
        &dialog_,
        [this, apply = std::move(apply)] {
          if (!dialog_.board_) return;
          apply();
          dialog_.showBoard();
        },
        Qt::QueuedConnection);
  }
  ProductionDialog& dialog_;
};

ProductionDialog::ProductionDialog(ProductionStart start, errors::Reporter& reporter,
                                   QWidget* parent)
    : QDialog(parent), start_(std::move(start)), reporter_(reporter) {
  setObjectName("FmProduction");
  setWindowTitle("Production run");
  observer_ = std::make_unique<QueuedObserver>(*this);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(buildInputs());
  problem_ = new QLabel(this);
  problem_->setObjectName("problem");
  problem_->setWordWrap(true);
  problem_->setStyleSheet("color: #b00020");
  problem_->hide();
  layout->addWidget(problem_);
  layout->addWidget(buildRunView(), 1);

  auto* buttons = new QHBoxLayout;
  startButton_ = button("&Start", "btnStart");
  startButton_->setDefault(true);
  stopButton_ = button("S&top", "btnStop");
  stopButton_->setEnabled(false);
  exportButton_ = button("&Export CSV...", "btnExportCsv");
  exportButton_->setEnabled(false);
  closeButton_ = button("&Close", "btnClose");
  buttons->addWidget(startButton_);
  buttons->addWidget(stopButton_);
  buttons->addStretch();
  buttons->addWidget(exportButton_);
  buttons->addWidget(closeButton_);
  layout->addLayout(buttons);
  connect(startButton_, &QPushButton::clicked, this, [this] { this->start(); });
  connect(stopButton_, &QPushButton::clicked, this, &ProductionDialog::stop);
  connect(exportButton_, &QPushButton::clicked, this, &ProductionDialog::exportClicked);
  connect(closeButton_, &QPushButton::clicked, this, &ProductionDialog::reject);

  setTabOrder(onScreen_, fromFile_);
  setTabOrder(fromFile_, templateFile_);
  setTabOrder(templateFile_, browseTemplate_);
  setTabOrder(browseTemplate_, portList_);
  setTabOrder(portList_, refreshPorts_);
  setTabOrder(refreshPorts_, journal_);
  setTabOrder(journal_, browseJournal_);
  setTabOrder(browseJournal_, count_);
  setTabOrder(count_, records_);
  setTabOrder(records_, startButton_);
  setTabOrder(startButton_, stopButton_);
  setTabOrder(stopButton_, exportButton_);
  setTabOrder(exportButton_, closeButton_);

  suggestJournal();
  resize(900, 640);
}

ProductionDialog::~ProductionDialog() {
  // Every block being written is finished before the run goes.
  runner_.request_stop();
  if (runner_.joinable()) runner_.join();
}

// ---- Building ----

QGroupBox* ProductionDialog::buildInputs() {
  auto* box = new QGroupBox("Run", this);
  auto* grid = new QGridLayout(box);

  onScreen_ = new QRadioButton(box);
  onScreen_->setObjectName("rbOnScreen");
  fromFile_ = new QRadioButton("&File:", box);
  fromFile_->setObjectName("rbTemplateFile");
  auto* group = new QButtonGroup(box);
  group->addButton(onScreen_);
  group->addButton(fromFile_);
  if (start_.onScreen) {
    onScreen_->setText("The codeplug o&n screen: " +
                       pathText(std::filesystem::path(start_.onScreen->name).filename()));
    onScreen_->setChecked(true);
  } else {
    onScreen_->setText("The codeplug o&n screen (none)");
    onScreen_->setEnabled(false);
    fromFile_->setChecked(true);
  }
  templateFile_ = new QLineEdit(box);
  templateFile_->setObjectName("edTemplate");
  browseTemplate_ = new QPushButton("&Browse...", box);
  browseTemplate_->setObjectName("btnBrowseTemplate");
  auto* templateLabel = new QLabel("Template:", box);
  auto* templateRow = new QHBoxLayout;
  templateRow->addWidget(onScreen_);
  templateRow->addSpacing(16);
  templateRow->addWidget(fromFile_);
  templateRow->addWidget(templateFile_, 1);
  templateRow->addWidget(browseTemplate_);
  grid->addWidget(templateLabel, 0, 0);
  grid->addLayout(templateRow, 0, 1);
  connect(browseTemplate_, &QPushButton::clicked, this, &ProductionDialog::browseTemplate);
  connect(templateFile_, &QLineEdit::textEdited, this, [this] {
    fromFile_->setChecked(true);
    suggestJournal();
  });
  connect(onScreen_, &QRadioButton::toggled, this, [this] { suggestJournal(); });

  portList_ = new QListWidget(box);
  portList_->setObjectName("lbFixturePorts");
  // Room for five ports; the records below take what the dialog has left.
  portList_->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
  portList_->setFixedHeight(5 * portList_->fontMetrics().lineSpacing() +
                            2 * portList_->frameWidth() + 8);
  refreshPorts_ = new QPushButton("&Refresh", box);
  refreshPorts_->setObjectName("btnRefreshPorts");
  addInputRow(grid, 1, "Fi&xtures:", portList_, refreshPorts_);
  connect(refreshPorts_, &QPushButton::clicked, this, &ProductionDialog::listPorts);
  listPorts();

  journal_ = new QLineEdit(box);
  journal_->setObjectName("edJournal");
  browseJournal_ = new QPushButton("Bro&wse...", box);
  browseJournal_->setObjectName("btnBrowseJournal");
  addInputRow(grid, 2, "&Journal:", journal_, browseJournal_);
  connect(browseJournal_, &QPushButton::clicked, this, &ProductionDialog::browseJournal);
  connect(journal_, &QLineEdit::textEdited, this, [this] { journalTouched_ = true; });

  count_ = new QLineEdit(box);
  count_->setObjectName("edCount");
  count_->setMaxLength(6);
  count_->setFixedWidth(count_->fontMetrics().horizontalAdvance(QString(10, '0')));
  addInputRow(grid, 3, "&Pagers:", count_, nullptr);
  grid->setColumnStretch(1, 1);
  return box;
}

QGroupBox* ProductionDialog::buildRunView() {
  auto* box = new QGroupBox("Progress", this);
  auto* layout = new QVBoxLayout(box);
  fixtureRows_ = new QWidget(box);
  fixtureGrid_ = new QGridLayout(fixtureRows_);
  fixtureGrid_->setContentsMargins(0, 0, 0, 0);
  fixtureGrid_->setColumnStretch(1, 1);
  layout->addWidget(fixtureRows_);
  counters_ = new QLabel(box);
  counters_->setObjectName("lbCounters");
  counters_->hide();  // until there are fixtures to count for
  layout->addWidget(counters_);

  records_ = new QTableWidget(0, static_cast<int>(production::kRecordColumns.size()), box);
  records_->setObjectName("tbRecords");
  QStringList headers;
  for (std::string_view column : production::kRecordColumns) headers << qs(column);
  records_->setHorizontalHeaderLabels(headers);
  records_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  records_->setSelectionBehavior(QAbstractItemView::SelectRows);
  records_->verticalHeader()->hide();
  records_->verticalHeader()->setDefaultSectionSize(records_->fontMetrics().height() + 8);
  records_->horizontalHeader()->setStretchLastSection(true);
  layout->addWidget(records_, 1);

  status_ = new QLabel(box);
  status_->setObjectName("lbStatus");
  status_->setWordWrap(true);
  layout->addWidget(status_);
  return box;
}

void ProductionDialog::listPorts() {
  QStringList ticked;
  for (int i = 0; i < portList_->count(); ++i) {
    if (portList_->item(i)->checkState() == Qt::Checked)
      ticked << portList_->item(i)->data(Qt::UserRole).toString();
  }
  portList_->clear();
  ports_ = start_.listPorts();
  for (const link::PortEntry& port : ports_) {
    auto* item = new QListWidgetItem(qs(window::portItemText(port)), portList_);
    item->setData(Qt::UserRole, qs(port.path));
    item->setToolTip(qs(port.path));
    item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
    item->setCheckState(ticked.contains(qs(port.path)) ? Qt::Checked : Qt::Unchecked);
  }
}

// ---- The inputs ----

window::ProductionForm ProductionDialog::form() const {
  window::ProductionForm form;
  form.source =
      onScreen_->isChecked() ? window::TemplateSource::OnScreen : window::TemplateSource::File;
  form.templateFile = templateFile_->text().trimmed().toStdString();
  for (int i = 0; i < portList_->count(); ++i) {
    if (portList_->item(i)->checkState() == Qt::Checked)
      form.ports.push_back(portList_->item(i)->data(Qt::UserRole).toString().toStdString());
  }
  form.journal = journal_->text().trimmed().toStdString();
  form.count = count_->text().toStdString();
  return form;
}

void ProductionDialog::suggestJournal() {
  // A journal named by the operator stays as named.
  if (journalTouched_ || running_) return;
  std::string name = "run";
  if (onScreen_->isChecked() && start_.onScreen) {
    name = start_.onScreen->name;
  } else if (!templateFile_->text().trimmed().isEmpty()) {
    name = templateFile_->text().trimmed().toStdString();
  }
  journal_->setText(pathText(
      window::defaultJournalPath(start_.folder, std::filesystem::path(name).filename().string(),
                                 std::chrono::system_clock::now())));
}

void ProductionDialog::browseTemplate() {
  if (!start_.chooseOpen) return;
  const auto chosen = start_.chooseOpen({kTemplateFilter, ".cp", start_.folder});
  if (!chosen) return;
  templateFile_->setText(pathText(*chosen));
  fromFile_->setChecked(true);
  suggestJournal();
}

void ProductionDialog::browseJournal() {
  if (!start_.chooseSave) return;
  const std::filesystem::path current(journal_->text().toStdString());
  const auto chosen =
      start_.chooseSave({kJournalFilter, ".jsonl",
                         current.has_parent_path() ? current.parent_path() : start_.folder});
  if (!chosen) return;
  journal_->setText(pathText(*chosen));
  journalTouched_ = true;
}

void ProductionDialog::showProblem(const QString& text) {
  problem_->setText(text);
  problem_->setVisible(!text.isEmpty());
}

QString ProductionDialog::problemText() const {
  return problem_->isHidden() ? QString() : problem_->text();
}

QString ProductionDialog::statusText() const {
  return status_->text();
}

void ProductionDialog::setInputsEnabled(bool enabled) {
  onScreen_->setEnabled(enabled && start_.onScreen.has_value());
  for (QWidget* w : std::initializer_list<QWidget*>{fromFile_, templateFile_, browseTemplate_,
                                                    portList_, refreshPorts_, journal_,
                                                    browseJournal_, count_, startButton_}) {
    w->setEnabled(enabled);
  }
}

// ---- The run ----

std::optional<window::ProductionTemplate> ProductionDialog::loadTemplate(
    const window::ProductionForm& form) {
  if (form.source == window::TemplateSource::OnScreen) return start_.onScreen;
  std::string problem;
  auto loaded = window::loadProductionTemplate(form.templateFile, reporter_, problem);
  if (!loaded) showProblem(qs(problem));
  return loaded;
}

bool ProductionDialog::start() {
  if (running_) return false;
  const window::ProductionForm f = form();
  const window::ProductionFormCheck check =
      window::checkProductionForm(f, start_.onScreen.has_value());
  if (!check.ok()) {
    showProblem(qs(check.problem));
    switch (*check.input) {
      case window::ProductionInput::Template: templateFile_->setFocus(); break;
      case window::ProductionInput::Ports: portList_->setFocus(); break;
      case window::ProductionInput::Journal: journal_->setFocus(); break;
      case window::ProductionInput::Count: count_->setFocus(); break;
    }
    return false;
  }
  showProblem({});
  std::optional<window::ProductionTemplate> templ = loadTemplate(f);
  if (!templ) return false;
  // The run of a former start is let go first: its journal is closed.
  if (runner_.joinable()) runner_.join();
  production_.reset();
  board_ = std::make_unique<production::ProductionBoard>(f.ports);
  production::ProductionSetup setup =
      window::productionSetupOf(f, check, std::move(*templ), clock_);
  setup.probeInterval = probeInterval_;
  production_ = std::make_unique<production::ProductionRun>(std::move(setup), *observer_);
  std::string problem;
  if (!production_->open(problem)) {
    showProblem(qs(f.journal + ":\n" + problem));
    production_.reset();
    return false;
  }
  board_->start(production_->journalAtOpen().records, production_->counters());
  buildFixtureRows(f.ports);
  records_->setRowCount(0);
  recordsShown_ = 0;
  status_->setText(production_->journalAtOpen().tornLastLine
                       ? "The journal's last line was torn (its writer stopped in the middle "
                         "of it) and was skipped."
                       : QString());
  running_ = true;
  stopping_ = false;
  setInputsEnabled(false);
  stopButton_->setEnabled(true);
  exportButton_->setEnabled(true);
  showBoard();
  runner_ = std::jthread([this](std::stop_token stop) {
    production_->runToCompletion(stop);
    QMetaObject::invokeMethod(this, &ProductionDialog::ended, Qt::QueuedConnection);
  });
  return true;
}

void ProductionDialog::stop() {
  if (!running_ || stopping_) return;
  stopping_ = true;
  runner_.request_stop();
  stopButton_->setEnabled(false);
  status_->setText(qs(window::kProductionStoppingText));
}

void ProductionDialog::ended() {
  if (runner_.joinable()) runner_.join();
  running_ = false;
  const bool complete = production_->complete();
  if (stopping_ && !complete) {
    status_->setText(qs(window::kStoppedText));
  } else {
    status_->setText(
        qs(production::runEndText(production_->counters(), complete, production_->inDoubt())));
  }
  stopping_ = false;
  stopButton_->setEnabled(false);
  setInputsEnabled(true);
  showBoard();
  emit runEnded();
  if (closeWhenStopped_) {
    closeWhenStopped_ = false;
    QDialog::reject();
  }
}

bool ProductionDialog::requestClose() {
  if (!running_) return true;
  const std::vector<std::string> writing = board_->writing();
  if (!writing.empty() && !reporter_.Ask(window::stopWhileWritingQuestion(writing))) return false;
  closeWhenStopped_ = true;
  stop();
  return false;
}

void ProductionDialog::reject() {
  if (requestClose()) QDialog::reject();
}

// ---- Drawing ----

production::ProductionObserver& ProductionDialog::showWithoutRun(
    const std::vector<std::string>& ports) {
  if (!running_) {
    board_ = std::make_unique<production::ProductionBoard>(ports);
    buildFixtureRows(ports);
    showBoard();
  }
  return *observer_;
}

void ProductionDialog::buildFixtureRows(const std::vector<std::string>& ports) {
  while (QLayoutItem* item = fixtureGrid_->takeAt(0)) {
    delete item->widget();
    delete item;
  }
  for (std::size_t i = 0; i < ports.size(); ++i) {
    const int row = static_cast<int>(i);
    auto* port = new QLabel(qs(ports[i]), fixtureRows_);
    auto* state = new QLabel(fixtureRows_);
    state->setObjectName(QString("lbFixtureState%1").arg(row));
    auto* bar = new QProgressBar(fixtureRows_);
    bar->setObjectName(QString("pbFixture%1").arg(row));
    bar->setRange(0, 100);
    bar->setFixedWidth(160);
    bar->setVisible(false);
    fixtureGrid_->addWidget(port, row, 0);
    fixtureGrid_->addWidget(state, row, 1);
    fixtureGrid_->addWidget(bar, row, 2);
  }
}

void ProductionDialog::showBoard() {
  if (!board_) return;
  const std::vector<production::FixtureRow>& rows = board_->rows();
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const int row = static_cast<int>(i);
    QLayoutItem* stateItem = fixtureGrid_->itemAtPosition(row, 1);
    QLayoutItem* barItem = fixtureGrid_->itemAtPosition(row, 2);
    if (stateItem == nullptr || barItem == nullptr) continue;
    static_cast<QLabel*>(stateItem->widget())->setText(qs(rows[i].text));
    auto* bar = static_cast<QProgressBar*>(barItem->widget());
    bar->setVisible(rows[i].state == production::FixtureState::Programming);
    bar->setValue(rows[i].percent);
  }
  counters_->setText(qs(production::describeCounters(board_->counters())));
  counters_->show();
  appendRecords();
}

void ProductionDialog::appendRecords() {
  const std::vector<production::PagerRecord>& records = board_->records();
  for (; recordsShown_ < records.size(); ++recordsShown_) {
    const production::RecordFields fields = production::recordFields(records[recordsShown_]);
    const int row = records_->rowCount();
    records_->insertRow(row);
    for (std::size_t c = 0; c < fields.size(); ++c) {
      records_->setItem(row, static_cast<int>(c), new QTableWidgetItem(qs(fields[c])));
    }
  }
  if (!records.empty()) records_->resizeColumnsToContents();
}

// ---- CSV ----

bool ProductionDialog::exportCsv(const std::filesystem::path& file) {
  production::JournalState state;
  // Through the run's own descriptor of the journal (JournalFile).
  if (!production_ || !production_->journalState(state)) {
    showProblem("The journal cannot be read.");
    return false;
  }
  if (!storage::writeFileAtomically(file, production::recordsCsv(state.records))) {
    showProblem(pathText(file) + "\ncannot be written.");
    return false;
  }
  status_->setText("The records were exported to " + pathText(file));
  return true;
}

void ProductionDialog::exportClicked() {
  if (!start_.chooseSave || !production_) return;
  const std::filesystem::path journal(journal_->text().toStdString());
  const auto chosen = start_.chooseSave({kCsvFilter, ".csv", journal.parent_path()});
  if (chosen) exportCsv(*chosen);
}

}  // namespace zelta::ui
