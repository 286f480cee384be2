// The dialogs of the pager operations, laid out as the operator sees them:
// no text cut short, no control over another. With ZELTA_SHOTS_DIR set,
// every dialog is also saved there as a PNG, for looking at (run under
// xvfb-run with QT_QPA_PLATFORM=xcb, and QT_SCALE_FACTOR=2 for the 200 %
// pictures).
#include <QAbstractButton>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QtTest/QTest>
#include <functional>
#include <memory>

#include "layout_check.h"
#include "ui/memory_sn_dialog.h"
#include "ui/progress_window.h"
#include "ui/qsettings_store.h"
#include "ui/security_dialog.h"
#include "ui/setup_dialog.h"

using zelta::testing::checkLayout;

namespace {

std::vector<zelta::link::PortEntry> benchPorts() {
  return {
      {"/dev/ttyS0", "16550A UART", {}},
      {"/dev/ttyUSB0", "FT232R USB UART (FTDI)", "0403:6001 A50285BI"},
      {"/dev/ttyUSB1", "CP2102 USB to UART Bridge Controller (Silicon Labs)", "10c4:ea60 0001"},
      {"/dev/pts/7", "Pager simulator (0x98)", {}},
  };
}

// The named controls in the order Tab visits them, from the first of them.
QStringList tabOrder(QWidget& window, const QStringList& names) {
  QWidget* first = window.findChild<QWidget*>(names.first());
  QStringList order;
  QWidget* w = first;
  do {
    if (names.contains(w->objectName()) && !order.contains(w->objectName())) {
      order.append(w->objectName());
    }
    w = w->nextInFocusChain();
  } while (w != first && w != nullptr);
  return order;
}

void shoot(QWidget& window, const QString& name) {
  window.show();
  QVERIFY(QTest::qWaitForWindowExposed(&window));
  checkLayout(window);
  const QString dir = qEnvironmentVariable("ZELTA_SHOTS_DIR");
  if (dir.isEmpty()) return;
  QDir().mkpath(dir);
  const QString scale = qEnvironmentVariable("QT_SCALE_FACTOR", "1");
  QVERIFY(window.grab().save(QDir(dir).filePath(name + "@" + scale + "x.png")));
}

zelta::operations::MemorySerialRequest memoryRequest(zelta::models::ModelCode model, bool large) {
  zelta::operations::MemorySerialRequest r;
  r.model = model;
  r.memorySize = large ? 32 : 8;
  r.largeMemory = large;
  r.memoryCode = large ? 10 : 5;
  return r;
}

}  // namespace

class OperationDialogsLayoutTest : public QObject {
  Q_OBJECT

 private slots:
  void setupPages() {
    QTemporaryDir dir;
    zelta::ui::QSettingsStore store(dir.filePath("settings.ini"));
    store.writeString("Port", "/dev/ttyUSB1");
    zelta::ui::TFmSetup dialog(store, "/home/bench/zelta-pps", benchPorts);
    shoot(dialog, "setup-comm");
    const QStringList comm{"TntListBox1", "btnRefresh",  "btnFindPager", "cb_bitRate",
                           "cb_parity",   "cb_dataBits", "cb_stopBits",  "TntButton2",
                           "btnCancel",   "btnDefault"};
    QCOMPARE(tabOrder(dialog, comm), comm);
    dialog.findChild<QTabWidget*>()->setCurrentIndex(1);
    dialog.findChild<QLineEdit*>("ed_swPassword")->setText("OPEN 42");
    shoot(dialog, "setup-application");
  }

  // A stored port that is gone, and the longest line a search leaves.
  void setupWithAPortNotPresent() {
    QTemporaryDir dir;
    zelta::ui::QSettingsStore store(dir.filePath("settings.ini"));
    store.writeString("Port", "/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0");
    zelta::ui::TFmSetup dialog(store, "/home/bench/zelta-pps", benchPorts);
    dialog.findChild<QLabel*>("lb_search")
        ->setText(QString::fromStdString(zelta::window::searchResultText({}, benchPorts())));
    shoot(dialog, "setup-not-present");
  }

  void passwordDialogs() {
    zelta::ui::TFmSecurity software(zelta::window::PasswordUse::Software, false);
    shoot(software, "security-software");
    const QStringList order{"pwdLabelEdit", "btnSubmit", "btnClear"};
    QCOMPARE(tabOrder(software, order), order);
    zelta::ui::TFmSecurity pager(zelta::window::PasswordUse::Pager, false);
    pager.passwordEdit()->setText("ABC1");
    shoot(pager, "security-pager");
  }

  void memoryDialogs() {
    auto large = memoryRequest(0x98, true);
    zelta::ui::TFmMemorySn largeDialog(large);
    shoot(largeDialog, "memory-large");
    const QStringList order{"ed_newSerialNumber", "cb_persMemSizeString", "cb_persMaildropString",
                            "btnOk", "btnCancel"};
    QCOMPARE(tabOrder(largeDialog, order), order);
    auto small = memoryRequest(0x70, false);
    zelta::ui::TFmMemorySn smallDialog(small);
    shoot(smallDialog, "memory-small");
    auto fixed = memoryRequest(32, false);
    zelta::ui::TFmMemorySn fixedDialog(fixed);
    shoot(fixedDialog, "memory-model32");
  }

  void progressWindow() {
    zelta::ui::TFmProgressBar window;
    window.startWork();
    window.setPhase(static_cast<int>(zelta::link::LinkPhase::Writing));
    window.setProgress(100);
    shoot(window, "progress");
    window.findChild<QPushButton*>("btnCancel")->click();
    shoot(window, "progress-stopping");
    window.endWork();
  }
};

QTEST_MAIN(OperationDialogsLayoutTest)
#include "operation_dialogs_layout_test.moc"
