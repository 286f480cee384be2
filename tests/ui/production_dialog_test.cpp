// The "Production run" dialog offscreen: its inputs, the problems it tells,
// the events of the fixtures drawn from other threads, and Stop on a run
// whose fixtures find no pager.
#include "ui/production_dialog.h"

#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTimer>
#include <QtTest/QTest>
#include <filesystem>
#include <thread>

#include "modal_answerer.h"
#include "new_codeplug_file.h"
#include "support/temp_folder.h"
#include "ui/main_window.h"

using zelta::ui::ProductionDialog;
using zelta::ui::ProductionStart;

namespace {

namespace fs = std::filesystem;

template <typename T>
T* child(QWidget& dialog, const char* name) {
  T* w = dialog.findChild<T*>(name);
  if (w == nullptr) qFatal("no child %s", name);
  return w;
}

// The master side of a pseudo-terminal: a fixture on its other side finds
// nothing that answers, as an empty fixture.
class EmptyFixture {
 public:
  EmptyFixture() {
    fd_ = posix_openpt(O_RDWR | O_NOCTTY);
    if (fd_ >= 0 && grantpt(fd_) == 0 && unlockpt(fd_) == 0) path_ = ptsname(fd_);
  }
  ~EmptyFixture() {
    if (fd_ >= 0) close(fd_);
  }
  EmptyFixture(const EmptyFixture&) = delete;
  EmptyFixture& operator=(const EmptyFixture&) = delete;
  const std::string& path() const { return path_; }

 private:
  int fd_ = -1;
  std::string path_;
};

ProductionStart startIn(const fs::path& folder, std::vector<zelta::link::PortEntry> ports) {
  ProductionStart start;
  start.folder = folder;
  start.listPorts = [ports] { return ports; };
  return start;
}

// A work folder with a template of model 0x91, and a reporter that records
// every question (answering No).
struct Bench {
  Bench() { zelta::testing::writeNewCodeplug(0x91, tmpl); }
  QString templateText() const { return QString::fromStdString(tmpl.string()); }

  zelta::testing::TempFolder dir;
  zelta::testing::RecordingReporter reporter;
  fs::path tmpl = dir.path() / "t.cp";
};

void tick(ProductionDialog& dialog, int row) {
  child<QListWidget>(dialog, "lbFixturePorts")->item(row)->setCheckState(Qt::Checked);
}

// The template, the journal and the count typed, the first port ticked.
void fill(ProductionDialog& dialog, const QString& tmpl, const fs::path& journal,
          const char* count) {
  child<QLineEdit>(dialog, "edTemplate")->setText(tmpl);
  child<QLineEdit>(dialog, "edJournal")->setText(QString::fromStdString(journal.string()));
  tick(dialog, 0);
  child<QLineEdit>(dialog, "edCount")->setText(count);
}

}  // namespace

class ProductionDialogTest : public QObject {
  Q_OBJECT

 private slots:
  // Without a codeplug on screen the template is a file; the journal is
  // suggested in the work folder and follows the template's name until
  // the operator names one.
  void inputsStartFromTheWorkFolder() {
    zelta::testing::TempFolder dir;
    zelta::testing::RecordingReporter reporter;
    ProductionDialog dialog(startIn(dir.path(), {{"/dev/pts/7", "Pager simulator (0x91)", {}},
                                                 {"/dev/ttyUSB0", "FT232R USB UART", {}}}),
                            reporter);
    QVERIFY(!child<QRadioButton>(dialog, "rbOnScreen")->isEnabled());
    QVERIFY(child<QRadioButton>(dialog, "rbTemplateFile")->isChecked());
    auto* ports = child<QListWidget>(dialog, "lbFixturePorts");
    QCOMPARE(ports->count(), 2);
    QVERIFY(ports->item(0)->text().contains("Pager simulator"));
    QCOMPARE(ports->item(0)->checkState(), Qt::Unchecked);
    auto* journal = child<QLineEdit>(dialog, "edJournal");
    const QString folder = QString::fromStdString(dir.path().string());
    QVERIFY2(journal->text().startsWith(folder + "/run-"), qPrintable(journal->text()));

    auto* templ = child<QLineEdit>(dialog, "edTemplate");
    templ->setFocus();
    QTest::keyClicks(templ, "/srv/lot7.cp");
    QVERIFY2(journal->text().startsWith(folder + "/lot7-"), qPrintable(journal->text()));
    QVERIFY(journal->text().endsWith(".jsonl"));

    journal->setFocus();
    journal->selectAll();
    QTest::keyClicks(journal, "/srv/mine.jsonl");
    QTest::keyClicks(templ, "x");
    QCOMPARE(journal->text(), QString("/srv/mine.jsonl"));
    QVERIFY(!child<QPushButton>(dialog, "btnExportCsv")->isEnabled());
  }

  // Start tells the first problem under the inputs and puts the keyboard
  // on the input it is about; nothing starts.
  void startTellsTheProblemOfTheInputs() {
    Bench bench;
    ProductionDialog dialog(startIn(bench.dir.path(), {{"/dev/pts/7", "Pager simulator", {}}}),
                            bench.reporter);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QApplication::setActiveWindow(&dialog);

    QVERIFY(!dialog.start());
    QVERIFY(dialog.problemText().startsWith("Choose the template"));
    QCOMPARE(QApplication::focusWidget(), child<QLineEdit>(dialog, "edTemplate"));

    child<QLineEdit>(dialog, "edTemplate")->setText(bench.templateText());
    QVERIFY(!dialog.start());
    QVERIFY(dialog.problemText().startsWith("Tick the port"));
    QCOMPARE(QApplication::focusWidget(), child<QListWidget>(dialog, "lbFixturePorts"));

    tick(dialog, 0);
    child<QLineEdit>(dialog, "edCount")->setText("many");
    QVERIFY(!dialog.start());
    QCOMPARE(dialog.problemText(),
             QString("The number of pagers must be a whole number from 1 to 100000."));
    QVERIFY(!dialog.running());
    QVERIFY(child<QPushButton>(dialog, "btnStart")->isEnabled());
  }

  // A journal of another plan is refused with the journal's reason.
  void aJournalOfAnotherPlanIsRefused() {
    Bench bench;
    EmptyFixture fixture;
    const fs::path journal = bench.dir.path() / "run.jsonl";
    {
      ProductionDialog first(startIn(bench.dir.path(), {{fixture.path(), "pty", {}}}),
                             bench.reporter);
      fill(first, bench.templateText(), journal, "3");
      first.setProbeInterval(std::chrono::milliseconds(50));
      QVERIFY(first.start());
      first.stop();
      QTRY_VERIFY_WITH_TIMEOUT(!first.running(), 20000);
    }
    ProductionDialog second(startIn(bench.dir.path(), {{fixture.path(), "pty", {}}}),
                            bench.reporter);
    fill(second, bench.templateText(), journal, "5");
    QVERIFY(!second.start());
    QVERIFY2(second.problemText().startsWith(QString::fromStdString(journal.string()) + ":\n"),
             qPrintable(second.problemText()));
    QVERIFY(!second.running());
  }

  // Events from the fixtures' threads reach the rows, the counters and the
  // records table on the dialog's thread.
  void fixtureEventsFromOtherThreadsAreDrawn() {
    zelta::testing::TempFolder dir;
    zelta::testing::RecordingReporter reporter;
    ProductionDialog dialog(startIn(dir.path(), {}), reporter);
    auto& observer = dialog.showWithoutRun({"/dev/pts/3", "/dev/pts/4"});
    std::thread fixture([&observer] {
      zelta::production::FixtureStatus s;
      s.fixture = 1;
      s.port = "/dev/pts/4";
      s.state = zelta::production::FixtureState::Programming;
      s.serialNumber = "B1        ";
      s.percent = 55;
      observer.fixtureChanged(s);
      zelta::production::PagerRecord r;
      r.fixture = "/dev/pts/3";
      r.serialNumber = "A1        ";
      r.codes = zelta::production::CodeSet{0, {{1, "0200000"}}, "RUN0001"};
      r.written = true;
      observer.pagerFinished(r);
      observer.countersChanged({.done = 1, .failed = 0, .left = 3});
    });
    fixture.join();
    auto* bar = child<QProgressBar>(dialog, "pbFixture1");
    QTRY_COMPARE(bar->value(), 55);
    QVERIFY(!bar->isHidden());
    QVERIFY(child<QProgressBar>(dialog, "pbFixture0")->isHidden());
    QCOMPARE(child<QLabel>(dialog, "lbFixtureState1")->text(),
             QString("programming B1         55%"));
    QCOMPARE(child<QLabel>(dialog, "lbFixtureState0")->text(), QString("waiting for a pager"));
    QCOMPARE(child<QLabel>(dialog, "lbCounters")->text(), QString("done 1, failed 0, left 3"));
    auto* records = child<QTableWidget>(dialog, "tbRecords");
    QCOMPARE(records->rowCount(), 1);
    QCOMPARE(records->item(0, 6)->text(), QString("0200000"));
    QCOMPARE(records->item(0, 8)->text(), QString("written"));
  }

  // Stop on fixtures that wait for a pager: the run ends, says so, and the
  // inputs come back; closing then asks nothing.
  void stopEndsARunWaitingForPagers() {
    Bench bench;
    EmptyFixture a;
    EmptyFixture b;
    ProductionDialog dialog(
        startIn(bench.dir.path(), {{a.path(), "pty", {}}, {b.path(), "pty", {}}}), bench.reporter);
    dialog.setProbeInterval(std::chrono::milliseconds(50));
    dialog.show();
    child<QLineEdit>(dialog, "edTemplate")->setText(bench.templateText());
    tick(dialog, 0);
    tick(dialog, 1);
    child<QLineEdit>(dialog, "edCount")->setText("2");
    QVERIFY(dialog.start());
    QVERIFY(dialog.running());
    QVERIFY(!child<QPushButton>(dialog, "btnStart")->isEnabled());
    QVERIFY(!child<QLineEdit>(dialog, "edJournal")->isEnabled());
    QCOMPARE(child<QLabel>(dialog, "lbCounters")->text(), QString("done 0, failed 0, left 2"));

    QTest::mouseClick(child<QPushButton>(dialog, "btnStop"), Qt::LeftButton);
    QCOMPARE(dialog.statusText(),
             QString("Stopping: every block being written is finished first."));
    QTRY_VERIFY_WITH_TIMEOUT(!dialog.running(), 20000);
    QCOMPARE(dialog.statusText(), QString("Stopped: every block being written was finished; sets "
                                          "not written were released."));
    QVERIFY(child<QPushButton>(dialog, "btnStart")->isEnabled());
    QVERIFY(!child<QPushButton>(dialog, "btnStop")->isEnabled());
    QVERIFY(child<QPushButton>(dialog, "btnExportCsv")->isEnabled());
    QVERIFY(fs::exists(child<QLineEdit>(dialog, "edJournal")->text().toStdString()));

    // Export gives the header line only: no pager was programmed.
    const fs::path csv = bench.dir.path() / "out.csv";
    QVERIFY(dialog.exportCsv(csv));
    std::ifstream in(csv);
    std::string header;
    std::getline(in, header);
    QCOMPARE(QString::fromStdString(header),
             QString("time,fixture,serialNumber,model,firmware,set,codes,icn,written,result,"
                     "resultText,durationMs,imageFile"));

    dialog.close();
    QVERIFY(!dialog.isVisible());
    QVERIFY(bench.reporter.asked.empty());
  }

  // The window offers the run on "Main" under Program, by Ctrl+R, and opens
  // the dialog modally.
  void theWindowOpensTheDialogByCtrlR() {
    zelta::ui::MainWindow window;
    window.setPortLister([] { return std::vector<zelta::link::PortEntry>{}; });
    QAction* item = window.action("productionBtn");
    QVERIFY(item != nullptr);
    QCOMPARE(item->text(), QString("Pro&duction run..."));
    QCOMPARE(item->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_R));
    QVERIFY(item->isEnabled());
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QApplication::setActiveWindow(&window);
    QString title;
    QTimer::singleShot(50, [&title] {
      QWidget* modal = QApplication::activeModalWidget();
      if (modal == nullptr) return;
      title = modal->windowTitle();
      modal->close();
    });
    QTest::keyClick(&window, Qt::Key_R, Qt::ControlModifier);
    QCOMPARE(title, QString("Production run"));
    QVERIFY(window.productionDialog() == nullptr);
    QVERIFY(window.isVisible());
  }
};

QTEST_MAIN(ProductionDialogTest)
#include "production_dialog_test.moc"
