#include "ui/setup_dialog.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest/QTest>

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
    QCOMPARE(stored(path_, "Port").toString(), QString("COM1"));
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
    // COM1 is not among this machine's ports: its name is all there is to show.
    QCOMPARE(child<QLineEdit>(dialog, "TntEdit2")->text(), QString("COM1"));
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
    QCOMPARE(stored(path_, "Port").toString(), QString("COM1"));
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
    QTest::newRow("unplugged port keeps its name") << "/dev/ttyUSB3" << -1 << -1 << "/dev/ttyUSB3"
                                                   << "/dev/ttyUSB3";
    QTest::newRow("long COM name shown bare, stored with the prefix")
        << "\\\\.\\COM12" << -1 << -1 << "COM12"
        << "\\\\.\\COM12";
    QTest::newRow("short COM name stays bare") << "COM3" << -1 << -1 << "COM3"
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
