#include "ui/setup_dialog.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest/QTest>
#include <atomic>
#include <chrono>
#include <thread>

#include "ui/qsettings_store.h"

using zelta::ui::QSettingsStore;
using zelta::ui::TFmSetup;

namespace {

const QString kWorkFolder = "/srv/zelta/work";

std::vector<zelta::link::PortEntry> fakePorts() {
  return {
      {"/dev/ttyS4", "16550A UART", {}},
      {"/dev/ttyUSB0", "FT232R USB UART (FTDI)", "0403:6001 A50285BI"},
      {"/dev/pts/7", "Pager simulator (0x98)", {}},
  };
}

template <typename T>
T* child(QWidget& dialog, const char* name) {
  T* w = dialog.findChild<T*>(name);
  if (w == nullptr) qFatal("no child %s", name);
  return w;
}

QVariant stored(const QString& path, const QString& name) {
  QSettings file(path, QSettings::IniFormat);
  return file.value("R080304/" + name);
}

}  // namespace

class SetupDialogTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    QVERIFY(dir_.isValid());
    path_ = dir_.filePath("settings-" + QString::number(++run_) + ".ini");
  }

  void firstRunWritesTheDefaultsAndShowsThem() {
    QSettingsStore store(path_);
    TFmSetup dialog(store, kWorkFolder, fakePorts);
    QCOMPARE(dialog.windowTitle(), QString("Setup Computer Configuration"));
    // No port until the operator chooses one.
    QCOMPARE(stored(path_, "Port").toString(), QString());
    QCOMPARE(stored(path_, "BaudRate").toInt(), 4800);
    QCOMPARE(stored(path_, "Parity").toInt(), 0);
    QCOMPARE(stored(path_, "DataSize").toInt(), 3);
    QCOMPARE(stored(path_, "StopBits").toInt(), 0);
    QCOMPARE(stored(path_, "Software Password").toString(), QString());
    QCOMPARE(stored(path_, "WorkFiles Path").toString(), QString());

    QCOMPARE(child<QComboBox>(dialog, "cb_bitRate")->currentText(), QString("4800"));
    QCOMPARE(child<QComboBox>(dialog, "cb_parity")->currentText(), QString("None"));
    QCOMPARE(child<QComboBox>(dialog, "cb_dataBits")->currentText(), QString("8"));
    QCOMPARE(child<QComboBox>(dialog, "cb_stopBits")->currentText(), QString("1"));
    QCOMPARE(child<QLineEdit>(dialog, "ed_archPath")->text(), kWorkFolder);
    QCOMPARE(child<QLineEdit>(dialog, "TntEdit2")->text(), QString("(none chosen)"));
    QCOMPARE(child<QListWidget>(dialog, "TntListBox1")->count(), 3);
    QCOMPARE(child<QListWidget>(dialog, "TntListBox1")->currentRow(), -1);
    QCOMPARE(child<QListWidget>(dialog, "TntListBox1")->item(1)->text(),
             QString("FT232R USB UART (FTDI) [USB 0403:6001 A50285BI] (/dev/ttyUSB0)"));
  }

  void defaultThenApply_data() {
    QTest::addColumn<bool>("pressDefault");
    QTest::addColumn<int>("parityRow");
    QTest::addColumn<int>("baud");
    QTest::addColumn<int>("parity");
    QTest::newRow("apply after a first run") << false << 0 << 4800 << 0;
    QTest::newRow("apply an edited parity") << false << 2 << 4800 << 2;
    QTest::newRow("default, then apply") << true << 2 << 57600 << 0;
  }

  void defaultThenApply() {
    QFETCH(bool, pressDefault);
    QFETCH(int, parityRow);
    QFETCH(int, baud);
    QFETCH(int, parity);
    QSettingsStore store(path_);
    TFmSetup dialog(store, kWorkFolder, fakePorts);
    child<QComboBox>(dialog, "cb_parity")->setCurrentIndex(parityRow);
    if (pressDefault) {
      child<QPushButton>(dialog, "btnDefault")->click();
      // Nothing is written before Apply.
      QCOMPARE(stored(path_, "BaudRate").toInt(), 4800);
      QCOMPARE(child<QComboBox>(dialog, "cb_bitRate")->currentText(), QString("57600"));
    }
    child<QPushButton>(dialog, "TntButton2")->click();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(stored(path_, "BaudRate").toInt(), baud);
    QCOMPARE(stored(path_, "Parity").toInt(), parity);
    QCOMPARE(dialog.applied().baudRate, baud);
    // Apply stores the folder an empty path stands for.
    QCOMPARE(stored(path_, "WorkFiles Path").toString(), kWorkFolder);
  }

  void cancelWritesNothing() {
    QSettingsStore store(path_);
    TFmSetup dialog(store, kWorkFolder, fakePorts);
    child<QComboBox>(dialog, "cb_bitRate")->setCurrentIndex(1);
    child<QListWidget>(dialog, "TntListBox1")->setCurrentRow(1);
    child<QPushButton>(dialog, "btnCancel")->click();
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QCOMPARE(stored(path_, "BaudRate").toInt(), 4800);
    QCOMPARE(stored(path_, "Port").toString(), QString());
  }

  void deviceNames_data() {
    QTest::addColumn<QString>("storedPort");
    QTest::addColumn<int>("chosenRow");
    QTest::addColumn<int>("shownRow");
    QTest::addColumn<QString>("shownDevice");
    QTest::addColumn<QString>("storedAfterApply");
    QTest::newRow("listed port is selected")
        << "/dev/pts/7" << -1 << 2 << "Pager simulator (0x98) (/dev/pts/7)"
        << "/dev/pts/7";
    QTest::newRow("choosing a row") << "COM1" << 1 << 1
                                    << "FT232R USB UART (FTDI) [USB 0403:6001 A50285BI] "
                                       "(/dev/ttyUSB0)"
                                    << "/dev/ttyUSB0";
    QTest::newRow("unplugged port keeps its name")
        << "/dev/ttyUSB3" << -1 << -1 << "/dev/ttyUSB3 (not present)"
        << "/dev/ttyUSB3";
    QTest::newRow("long COM name shown bare, stored with the prefix")
        << "\\\\.\\COM12" << -1 << -1 << "COM12 (not present)"
        << "\\\\.\\COM12";
    QTest::newRow("short COM name stays bare") << "COM3" << -1 << -1 << "COM3 (not present)"
                                               << "COM3";
  }

  void deviceNames() {
    QFETCH(QString, storedPort);
    QFETCH(int, chosenRow);
    QFETCH(int, shownRow);
    QFETCH(QString, shownDevice);
    QFETCH(QString, storedAfterApply);
    QSettingsStore store(path_);
    store.writeString("Port", storedPort.toStdString());
    TFmSetup dialog(store, kWorkFolder, fakePorts);
    auto* list = child<QListWidget>(dialog, "TntListBox1");
    if (chosenRow >= 0) list->setCurrentRow(chosenRow);
    QCOMPARE(list->currentRow(), shownRow);
    QCOMPARE(child<QLineEdit>(dialog, "TntEdit2")->text(), shownDevice);
    child<QPushButton>(dialog, "TntButton2")->click();
    QCOMPARE(stored(path_, "Port").toString(), storedAfterApply);
  }

  // Shown and focused, a dialog whose stored port is not listed chooses
  // none of the listed ones: Apply keeps the stored port.
  void noListedPortIsChosenByShowingTheDialog() {
    QSettingsStore store(path_);
    store.writeString("Port", "/dev/ttyUSB3");
    TFmSetup dialog(store, kWorkFolder, fakePorts);
    dialog.show();
    dialog.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    auto* list = child<QListWidget>(dialog, "TntListBox1");
    // Focus on the list makes its first row current, drawn with the focus
    // frame: that is not a choice.
    list->setFocus(Qt::TabFocusReason);
    QTRY_VERIFY(list->hasFocus());
    QVERIFY(list->selectedItems().isEmpty());
    QCOMPARE(child<QLineEdit>(dialog, "TntEdit2")->text(), QString("/dev/ttyUSB3 (not present)"));
    child<QPushButton>(dialog, "TntButton2")->click();
    QCOMPARE(stored(path_, "Port").toString(), QString("/dev/ttyUSB3"));
  }

  // Refresh lists the ports again: the adapter plugged in since shows as
  // the chosen port.
  void refreshFindsAPortPluggedInSince() {
    QSettingsStore store(path_);
    store.writeString("Port", "/dev/ttyUSB3");
    std::vector<zelta::link::PortEntry> ports = fakePorts();
    TFmSetup dialog(store, kWorkFolder, [&] { return ports; });
    child<QComboBox>(dialog, "cb_parity")->setCurrentIndex(2);
    ports.push_back({"/dev/ttyUSB3", "CP2102 (Silicon Labs)", {}});
    child<QPushButton>(dialog, "btnRefresh")->click();
    auto* list = child<QListWidget>(dialog, "TntListBox1");
    QCOMPARE(list->count(), 4);
    QCOMPARE(list->currentRow(), 3);
    QVERIFY(list->item(3)->isSelected());
    QCOMPARE(child<QLineEdit>(dialog, "TntEdit2")->text(),
             QString("CP2102 (Silicon Labs) (/dev/ttyUSB3)"));
    // What was edited stays.
    QCOMPARE(child<QComboBox>(dialog, "cb_parity")->currentIndex(), 2);
  }

  // Find pager asks each port in turn off the dialog's thread, which keeps
  // answering meanwhile, and chooses the port that answered.
  void findPagerChoosesThePortAPagerAnswersOn() {
    QSettingsStore store(path_);
    std::atomic<int> probes = 0;
    auto probe = [&](const std::string& path,
                     const std::function<bool()>&) -> std::optional<zelta::models::ModelCode> {
      ++probes;
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
      if (path == "/dev/pts/7") return 0x98;
      return std::nullopt;
    };
    TFmSetup dialog(store, kWorkFolder, fakePorts, nullptr, probe);
    auto* find = child<QPushButton>(dialog, "btnFindPager");
    find->click();
    QVERIFY(dialog.searching());
    QCOMPARE(find->text(), QString("&Stop search"));
    QVERIFY(!child<QPushButton>(dialog, "TntButton2")->isEnabled());
    QTRY_VERIFY(child<QLabel>(dialog, "lb_search")->text().startsWith("Looking for a pager on"));
    QTRY_VERIFY(!dialog.searching());
    QCOMPARE(probes.load(), 3);
    QCOMPARE(child<QListWidget>(dialog, "TntListBox1")->currentRow(), 2);
    QCOMPARE(child<QLineEdit>(dialog, "TntEdit2")->text(),
             QString("Pager 0x98 on Pager simulator (0x98) (/dev/pts/7)"));
    QCOMPARE(child<QLabel>(dialog, "lb_search")->text(),
             QString("A pager 0x98 answers on /dev/pts/7."));
    QVERIFY(child<QPushButton>(dialog, "TntButton2")->isEnabled());
    child<QPushButton>(dialog, "TntButton2")->click();
    QCOMPARE(stored(path_, "Port").toString(), QString("/dev/pts/7"));
  }

  // A second press stops the search, and Cancel stops it before closing:
  // the port stays as it was.
  void aSearchCanBeStopped_data() {
    QTest::addColumn<bool>("byCancel");
    QTest::newRow("Stop search") << false;
    QTest::newRow("Cancel") << true;
  }

  void aSearchCanBeStopped() {
    QFETCH(bool, byCancel);
    QSettingsStore store(path_);
    store.writeString("Port", "/dev/ttyUSB0");
    std::atomic<bool> probing = false;
    // A port that never answers and only gives up when told to.
    auto probe = [&](const std::string&,
                     const std::function<bool()>& stop) -> std::optional<zelta::models::ModelCode> {
      probing = true;
      while (!stop()) std::this_thread::sleep_for(std::chrono::milliseconds(2));
      return std::nullopt;
    };
    TFmSetup dialog(store, kWorkFolder, fakePorts, nullptr, probe);
    auto* find = child<QPushButton>(dialog, "btnFindPager");
    find->click();
    QTRY_VERIFY(probing.load());
    if (byCancel) {
      child<QPushButton>(dialog, "btnCancel")->click();
      QVERIFY(!dialog.searching());
      QCOMPARE(dialog.result(), int(QDialog::Rejected));
    } else {
      find->click();
      QTRY_VERIFY(!dialog.searching());
      QCOMPARE(child<QLabel>(dialog, "lb_search")->text(),
               QString("Search stopped; the port is unchanged."));
      QCOMPARE(find->text(), QString("&Find pager"));
    }
    QCOMPARE(dialog.form().portName, std::string("/dev/ttyUSB0"));
    QCOMPARE(stored(path_, "Port").toString(), QString("/dev/ttyUSB0"));
  }

  void softwarePasswordIsTypedAsPasswordTextAndStoredScrambled() {
    QSettingsStore store(path_);
    TFmSetup dialog(store, kWorkFolder, fakePorts);
    auto* edit = child<QLineEdit>(dialog, "ed_swPassword");
    QTest::keyClicks(edit, "op-en 42xyz!");
    QCOMPARE(edit->text(), QString("OPEN 42XYZ"));
    child<QPushButton>(dialog, "TntButton2")->click();
    QVERIFY(stored(path_, "Software Password").toString() != QString("OPEN 42XYZ"));
    QSettingsStore again(path_);
    TFmSetup reopened(again, kWorkFolder, fakePorts);
    QCOMPARE(child<QLineEdit>(reopened, "ed_swPassword")->text(), QString("OPEN 42XYZ"));
  }

 private:
  QTemporaryDir dir_;
  QString path_;
  int run_ = 0;
};

QTEST_MAIN(SetupDialogTest)
#include "setup_dialog_test.moc"
