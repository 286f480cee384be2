#include "ui/setup_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QShortcut>
#include <QTabWidget>
#include <QThread>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

#include "ui/help_opener.h"
#include "ui/qt_text.h"
#include "ui/text_filter_validator.h"
#include "ui/trace_switch_box.h"
#include "window/password_entry.h"

namespace zelta::ui {
namespace {

template <std::size_t N>
QComboBox* listOf(QWidget* parent, const char* name, const std::array<std::string_view, N>& items) {
  auto* box = new QComboBox(parent);
  box->setObjectName(name);
  for (const std::string_view item : items) box->addItem(qs(item));
  return box;
}

}  // namespace

TFmSetup::TFmSetup(window::SettingsStore& store, QString defaultWorkFolder, PortLister listPorts,
                   QWidget* parent, production::PagerProbe probe)
    : QDialog(parent),
      store_(store),
      defaultWorkFolder_(defaultWorkFolder.toStdString()),
      listPorts_(std::move(listPorts)),
      probe_(std::move(probe)) {
  setObjectName("FmSetup");
  setWindowTitle("Setup Computer Configuration");

  pages_ = new QTabWidget(this);
  auto* commPage = new QWidget;
  commPage->setObjectName("commPortSettings");
  auto* appPage = new QWidget;
  appPage->setObjectName("applicationSettings");
  buildCommPage(commPage);
  buildApplicationPage(appPage);
  pages_->addTab(commPage, "Comm Port Settings");
  pages_->addTab(appPage, "Application Settings");

  auto* buttons = new QHBoxLayout;
  default_ = new QPushButton("Default", this);
  default_->setObjectName("btnDefault");
  auto* cancelButton = new QPushButton("Cancel", this);
  cancelButton->setObjectName("btnCancel");
  apply_ = new QPushButton("Apply", this);
  apply_->setObjectName("TntButton2");
  apply_->setDefault(true);
  buttons->addWidget(default_);
  buttons->addStretch();
  buttons->addWidget(apply_);
  buttons->addWidget(cancelButton);
  connect(default_, &QPushButton::clicked, this, &TFmSetup::defaultClicked);
  connect(cancelButton, &QPushButton::clicked, this, &TFmSetup::reject);
  connect(apply_, &QPushButton::clicked, this, &TFmSetup::applyClicked);
  auto* helpKey = new QShortcut(QKeySequence(Qt::Key_F1), this);
  connect(helpKey, &QShortcut::activated, this, [this] {
    if (help_ != nullptr) help_->open(this);
  });

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(pages_);
  layout->addLayout(buttons);

  setTabOrder(portList_, refresh_);
  setTabOrder(refresh_, findPager_);
  setTabOrder(findPager_, bitRate_);
  setTabOrder(bitRate_, parity_);
  setTabOrder(parity_, dataBits_);
  setTabOrder(dataBits_, stopBits_);
  setTabOrder(stopBits_, apply_);
  setTabOrder(apply_, cancelButton);
  setTabOrder(cancelButton, default_);

  // Showing the dialog loads the settings (a first run writes the defaults).
  form_ = window::setupFormOf(window::loadCommSettings(store_), defaultWorkFolder_);
  applied_ = window::loadCommSettings(store_);
  fillPortList();
  connect(portList_, &QListWidget::itemSelectionChanged, this, &TFmSetup::portChosen);
  // Focus on a list without a current row would make its first row current
  // and look chosen: without a listed port, focus starts on "Find pager".
  if (portList_->currentRow() >= 0) {
    portList_->setFocus();
  } else {
    findPager_->setFocus();
  }
}

TFmSetup::~TFmSetup() {
  stopSearch();
}

void TFmSetup::fillPortList() {
  ports_ = listPorts_();
  const QSignalBlocker quiet(portList_);
  portList_->clear();
  for (const link::PortEntry& port : ports_) {
    auto* item = new QListWidgetItem(qs(window::portItemText(port)), portList_);
    item->setToolTip(qs(port.path));
  }
  // Wide enough for the longest device name, within reason.
  int widest = 0;
  for (int i = 0; i < portList_->count(); ++i) {
    widest =
        std::max(widest, portList_->fontMetrics().horizontalAdvance(portList_->item(i)->text()));
  }
  // The "Port : " line below shows the same text after its label.
  const int frame = 2 * portList_->frameWidth() +
                    portList_->verticalScrollBar()->sizeHint().width() +
                    portList_->fontMetrics().horizontalAdvance("Port : ") + 24;
  portList_->setMinimumWidth(std::clamp(widest + frame, portList_->minimumWidth(), 900));
  const int row = window::showCurrentPort(form_, ports_);
  showForm();
  selectRow(row);
}

void TFmSetup::selectRow(int row) {
  const QSignalBlocker quiet(portList_);
  portList_->clearSelection();
  portList_->setCurrentRow(
      row, row >= 0 ? QItemSelectionModel::ClearAndSelect : QItemSelectionModel::Clear);
}

void TFmSetup::buildCommPage(QWidget* page) {
  auto* note = new QLabel("You have to select an available port from the list.", page);
  note->setObjectName("lb_note");
  portList_ = new QListWidget(page);
  portList_->setObjectName("TntListBox1");
  portList_->setMinimumSize(440, 120);

  auto* portLabel = new QLabel("Port : ", page);
  portDevice_ = new QLineEdit(page);
  portDevice_->setObjectName("TntEdit2");
  portDevice_->setReadOnly(true);
  portDevice_->setFocusPolicy(Qt::NoFocus);
  portLabel->setBuddy(portDevice_);
  portName_ = new QLineEdit(page);
  portName_->setObjectName("TntEdit1");
  portName_->hide();
  auto* portRow = new QHBoxLayout;
  portRow->addWidget(portLabel);
  portRow->addWidget(portDevice_, 1);

  refresh_ = new QPushButton("&Refresh", page);
  refresh_->setObjectName("btnRefresh");
  refresh_->setToolTip("List the serial ports and pager simulators again");
  findPager_ = new QPushButton("&Find pager", page);
  findPager_->setObjectName("btnFindPager");
  findPager_->setToolTip("Ask each listed port for a pager and choose the first that answers");
  connect(refresh_, &QPushButton::clicked, this, &TFmSetup::refreshClicked);
  connect(findPager_, &QPushButton::clicked, this, &TFmSetup::findPagerClicked);
  searchStatus_ = new QLabel(page);
  searchStatus_->setObjectName("lb_search");
  searchStatus_->setWordWrap(true);
  auto* searchRow = new QHBoxLayout;
  searchRow->addWidget(refresh_);
  searchRow->addWidget(findPager_);
  searchRow->addWidget(searchStatus_, 1);

  auto* line = new QGroupBox(page);
  line->setObjectName("gb_lineSettings");
  bitRate_ = listOf(line, "cb_bitRate", window::kBitRateItems);
  parity_ = listOf(line, "cb_parity", window::kParityItems);
  dataBits_ = listOf(line, "cb_dataBits", window::kDataBitsItems);
  stopBits_ = listOf(line, "cb_stopBits", window::kStopBitsItems);
  auto* lineForm = new QFormLayout(line);
  lineForm->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
  lineForm->addRow("Bit Rate (max.)", bitRate_);
  lineForm->addRow("Parity", parity_);
  lineForm->addRow("Data Bits", dataBits_);
  lineForm->addRow("Stop Bits", stopBits_);

  auto* layout = new QVBoxLayout(page);
  layout->addWidget(note);
  layout->addWidget(portList_, 1);
  layout->addLayout(searchRow);
  layout->addLayout(portRow);
  layout->addWidget(line);
}

void TFmSetup::buildApplicationPage(QWidget* page) {
  swPassword_ = new QLineEdit(page);
  swPassword_->setObjectName("ed_swPassword");
  swPassword_->setMaxLength(static_cast<int>(window::kPasswordLength));
  swPassword_->setValidator(new TextFilterValidator(
      [](std::string_view typed) { return window::passwordText(typed); }, swPassword_));

  archPath_ = new QLineEdit(page);
  archPath_->setObjectName("ed_archPath");
  archPath_->setReadOnly(true);
  auto* browse = new QToolButton(page);
  browse->setObjectName("archPathBrowseBtn");
  browse->setText("...");
  connect(browse, &QToolButton::clicked, this, &TFmSetup::browseClicked);
  auto* pathRow = new QHBoxLayout;
  pathRow->addWidget(archPath_, 1);
  pathRow->addWidget(browse);

  auto* form = new QFormLayout;
  form->addRow("SW Password", swPassword_);
  form->addRow("Arch Path", pathRow);
  auto* layout = new QVBoxLayout(page);
  layout->addLayout(form);
  traceSwitch_ = new TraceSwitchBox(store_, page);
  layout->addWidget(traceSwitch_);
  layout->addStretch();
  setTabOrder(swPassword_, archPath_);
  setTabOrder(archPath_, browse);
}

void TFmSetup::showForm() {
  portName_->setText(QString::fromStdString(form_.portName));
  portDevice_->setText(QString::fromStdString(form_.portDevice));
  portDevice_->setCursorPosition(0);
  bitRate_->setCurrentIndex(form_.bitRate);
  parity_->setCurrentIndex(form_.parity);
  dataBits_->setCurrentIndex(form_.dataBits);
  stopBits_->setCurrentIndex(form_.stopBits);
  swPassword_->setText(QString::fromStdString(form_.swPassword));
  archPath_->setText(QString::fromStdString(form_.archPath));
}

void TFmSetup::takeControls() {
  form_.bitRate = bitRate_->currentIndex();
  form_.parity = parity_->currentIndex();
  form_.dataBits = dataBits_->currentIndex();
  form_.stopBits = stopBits_->currentIndex();
  form_.swPassword = swPassword_->text().toStdString();
  form_.archPath = archPath_->text().toStdString();
  form_.portName = portName_->text().toStdString();
}

void TFmSetup::portChosen() {
  const int row = portList_->currentRow();
  if (row < 0 || row >= static_cast<int>(ports_.size()) || !portList_->item(row)->isSelected())
    return;
  takeControls();
  window::choosePort(form_, ports_[static_cast<std::size_t>(row)]);
  showForm();
}

void TFmSetup::refreshClicked() {
  takeControls();
  fillPortList();
  searchStatus_->clear();
}

void TFmSetup::findPagerClicked() {
  if (searching()) {
    stopSearch_ = true;
    findPager_->setEnabled(false);
    return;
  }
  takeControls();
  stopSearch_ = false;
  showSearching(true);
  // The thread works on its own copy: the list may not change under it, and
  // the dialog's members are touched on this thread only.
  search_ = QThread::create([this, ports = ports_, probe = probe_] {
    production::PagerSearchHooks hooks;
    hooks.stopRequested = [this] { return stopSearch_.load(); };
    hooks.trying = [this](std::size_t index) {
      QMetaObject::invokeMethod(
          this, [this, index] { searchTrying(static_cast<int>(index)); }, Qt::QueuedConnection);
    };
    const production::PagerSearchResult result = production::findPager(ports, probe, hooks);
    QMetaObject::invokeMethod(
        this, [this, result] { searchFinished(result); }, Qt::QueuedConnection);
  });
  search_->start();
}

void TFmSetup::searchTrying(int index) {
  if (!searching() || index < 0 || index >= static_cast<int>(ports_.size())) return;
  searchStatus_->setText(qs(window::searchingText(ports_[static_cast<std::size_t>(index)])));
}

void TFmSetup::searchFinished(const production::PagerSearchResult& result) {
  if (search_ == nullptr) return;
  search_->wait();
  delete search_;
  search_ = nullptr;
  showSearching(false);
  searchStatus_->setText(qs(window::searchResultText(result, ports_)));
  if (!result.index || *result.index >= ports_.size()) return;
  takeControls();
  window::choosePagerPort(form_, ports_[*result.index], result.model);
  showForm();
  selectRow(static_cast<int>(*result.index));
}

void TFmSetup::stopSearch() {
  if (search_ == nullptr) return;
  stopSearch_ = true;
  search_->wait();
  delete search_;
  search_ = nullptr;
  showSearching(false);
}

void TFmSetup::showSearching(bool searching) {
  findPager_->setText(searching ? "&Stop search" : "&Find pager");
  findPager_->setEnabled(true);
  portList_->setEnabled(!searching);
  refresh_->setEnabled(!searching);
  apply_->setEnabled(!searching);
  default_->setEnabled(!searching);
  if (searching) searchStatus_->setText("Looking for a pager ...");
}

void TFmSetup::reject() {
  stopSearch();
  QDialog::reject();
}

void TFmSetup::defaultClicked() {
  takeControls();
  window::setDefaults(form_);
  showForm();
}

void TFmSetup::browseClicked() {
  const QString folder =
      QFileDialog::getExistingDirectory(this, "Select Archive Directory", archPath_->text());
  if (!folder.isEmpty()) archPath_->setText(folder);
}

void TFmSetup::applyClicked() {
  takeControls();
  applied_ = window::applySetupForm(form_, store_, defaultWorkFolder_);
  traceSwitch_->apply(store_);
  accept();
}

}  // namespace zelta::ui
