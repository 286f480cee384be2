// The port and the progress window against the pager simulator: Find pager
// among pseudo-terminals of which only one has a pager behind it, and
// Cancel in the progress window while the image comes from the pager and
// while it goes to it.

#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QtTest/QTest>
#include <filesystem>
#include <string>
#include <vector>

// Core headers name members "slots"; Qt's keyword macro must not see them.
#pragma push_macro("slots")
#undef slots
#include "window/progress_texts.h"
#include "window/settings_store.h"
#pragma pop_macro("slots")
#include "modal_answerer.h"
#include "sim_process.h"
#include "sim_window.h"
#include "temp_folder.h"
#include "ui/setup_dialog.h"

namespace fs = std::filesystem;
using zelta::testing::fileText;
using zelta::testing::oneReceivingCode;
using zelta::testing::SimWindow;
using zelta::window::WindowKey;

namespace {

// A pseudo-terminal nobody answers on: its other end is held open and never
// read, as a port with no fixture behind it.
class SilentTerminal {
 public:
  SilentTerminal() {
    master_ = posix_openpt(O_RDWR | O_NOCTTY);
    if (master_ >= 0 && grantpt(master_) == 0 && unlockpt(master_) == 0) path_ = ptsname(master_);
  }
  ~SilentTerminal() {
    if (master_ >= 0) ::close(master_);
  }
  SilentTerminal(const SilentTerminal&) = delete;
  SilentTerminal& operator=(const SilentTerminal&) = delete;
  const std::string& path() const { return path_; }

 private:
  int master_ = -1;
  std::string path_;
};

// Clicks Cancel in the progress window once it names the phase and its
// block is on its way, well before its end (a loaded machine may look
// seldom, so the window is wide).
class CancelInPhase {
 public:
  CancelInPhase(zelta::ui::TFmProgressBar& window, zelta::link::LinkPhase phase)
      : window_(window), phase_(QString::fromUtf8(zelta::window::phaseText(phase).data())) {
    QObject::connect(&timer_, &QTimer::timeout, [this] { look(); });
    timer_.start(1);
  }
  bool clicked = false;

 private:
  void look() {
    if (clicked || !window_.isVisible()) return;
    auto* phase = window_.findChild<QLabel*>("lb_phase");
    const int percent = window_.value();
    if (phase->text() != phase_ || percent < 1 || percent > 90) return;
    clicked = true;
    window_.findChild<QPushButton*>("btnCancel")->click();
  }

  zelta::ui::TFmProgressBar& window_;
  QString phase_;
  QTimer timer_;
};

}  // namespace

class PagerPortSimTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    // What the pager holds after a whole F2, for the stopped run to
    // compare with.
    const fs::path reference = folder_.path() / "reference.bin";
    zelta::testing::SimProcess sim({"--no-advertise", "--model", "0x30", "--serial", "SIM0000042",
                                    "--save-image", reference.string()});
    QVERIFY(!sim.path().empty());
    SimWindow w(sim.path());
    ModalAnswerer answerer(ModalAnswerer::answering(QMessageBox::Yes));
    w.window.runKey(WindowKey::F3);
    oneReceivingCode(w.window.controller().settings());
    w.window.runKey(WindowKey::F2);
    QTRY_VERIFY(fs::exists(reference));
    referenceImage_ = fileText(reference);
    QVERIFY(!referenceImage_.empty());
  }

  // The ports are given to the dialog: nothing but these terminals is
  // opened.
  void findPagerFindsTheSimulatorAmongTerminals() {
    SilentTerminal first;
    SilentTerminal second;
    QVERIFY(!first.path().empty() && !second.path().empty());
    zelta::testing::SimProcess sim({"--no-advertise", "--model", "0x30"});
    QVERIFY(!sim.path().empty());
    const std::vector<zelta::link::PortEntry> ports{
        {first.path(), "Silent terminal", {}},
        {second.path(), "Silent terminal", {}},
        {sim.path(), "Pager simulator", {}},
    };
    zelta::window::MemorySettingsStore store;
    zelta::ui::TFmSetup dialog(store, QString::fromStdString(folder_.path().string()),
                               [&] { return ports; });
    dialog.show();
    dialog.findChild<QPushButton*>("btnFindPager")->click();
    QVERIFY(dialog.searching());
    QTRY_VERIFY_WITH_TIMEOUT(!dialog.searching(), 20000);
    QCOMPARE(dialog.form().portName, sim.path());
    QCOMPARE(dialog.findChild<QLineEdit*>("TntEdit2")->text(),
             QString::fromStdString("Pager 0x30 '0' on Pager simulator (" + sim.path() + ")"));
    dialog.findChild<QPushButton*>("TntButton2")->click();
    QCOMPARE(dialog.applied().port, sim.path());
  }

  // Cancel while the image comes from the pager: the read stops between
  // bytes, nothing reaches the pager, and the window says so.
  void cancelDuringTheReadStopsWithNothingWritten() {
    const fs::path simLog = folder_.path() / "read.log";
    zelta::testing::SimProcess sim(
        {"--no-advertise", "--model", "0x30", "--byte-delay-us", "1000", "-v"}, simLog.string());
    QVERIFY(!sim.path().empty());
    SimWindow w(sim.path());
    ModalAnswerer answerer(ModalAnswerer::answering(QMessageBox::Yes));
    CancelInPhase cancel(w.window.operations().progressWindow(), zelta::link::LinkPhase::Reading);
    w.window.runKey(WindowKey::F3);
    QVERIFY(cancel.clicked);
    QCOMPARE(answerer.texts.size(), 1);
    QCOMPARE(answerer.texts[0],
             QString("Cancel key is pressed. Abort\n") + zelta::window::kStoppedReadText.data());
    QVERIFY(!w.window.controller().codeplugLoaded());
    QTRY_VERIFY(w.usable());
    QVERIFY(fileText(simLog).find("write") == std::string::npos);
  }

  // Cancel while the image goes to the pager: the block is finished with
  // its checksum and the pager's answer, the clock is not set, and the
  // pager holds the whole image.
  void cancelDuringTheWriteFinishesTheBlock() {
    const fs::path saved = folder_.path() / "saved.bin";
    zelta::testing::SimProcess sim({"--no-advertise", "--model", "0x30", "--serial", "SIM0000042",
                                    "--byte-delay-us", "1000", "--save-image", saved.string()});
    QVERIFY(!sim.path().empty());
    SimWindow w(sim.path());
    ModalAnswerer answerer(ModalAnswerer::answering(QMessageBox::Yes));
    w.window.runKey(WindowKey::F3);
    oneReceivingCode(w.window.controller().settings());
    answerer.texts.clear();
    CancelInPhase cancel(w.window.operations().progressWindow(), zelta::link::LinkPhase::Writing);
    w.window.runKey(WindowKey::F2);
    QVERIFY(cancel.clicked);
    QVERIFY2(answerer.texts.contains("Cancel key is pressed. Abort\nThe image was written whole "
                                     "and the pager accepted it; its clock was not set."),
             qPrintable(answerer.texts.join(" / ")));
    QTRY_VERIFY(fs::exists(saved));
    QVERIFY(fileText(saved) == referenceImage_);
  }

 private:
  zelta::testing::TempFolder folder_;
  std::string referenceImage_;
};

QTEST_MAIN(PagerPortSimTest)
#include "pager_port_sim_test.moc"
