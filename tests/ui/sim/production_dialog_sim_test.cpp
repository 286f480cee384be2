// The "Production run" dialog against simulators with scripted pagers: a
// run over two fixtures to its end, and the question when it is closed while
// a pager is being written.
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTableWidget>
#include <QTimer>
#include <QtTest/QTest>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

// Core headers name members "slots"; Qt's keyword macro must not see them.
#pragma push_macro("slots")
#undef slots
#include "production/journal_state.h"
#include "production/record_table.h"
#include "support/recording_reporter.h"
#pragma pop_macro("slots")
#include "modal_answerer.h"
#include "new_codeplug_file.h"
#include "sim_process.h"
#include "temp_folder.h"
#include "ui/main_window.h"
#include "ui/production_dialog.h"

using zelta::testing::SimProcess;
using zelta::ui::ProductionDialog;

namespace {

namespace fs = std::filesystem;

// The first pager's codeplug: one Individual code and an ICN.
fs::path makeTemplate(const fs::path& dir) {
  const fs::path file = dir / "lot.cp";
  zelta::testing::writeNewCodeplug(0x91, file);
  auto image = std::make_unique<zelta::codeplug::CodeplugImage>();
  zelta::codeplug::SettingsRecord settings;
  zelta::testing::RecordingReporter quiet;
  zelta::storage::WorkFiles work;
  zelta::storage::CodeplugFiles files(*image, settings, work, quiet,
                                      zelta::codeplug::standardCodec());
  if (files.readCodeplugFile(file) != zelta::errors::code::Ok) return {};
  settings.code[0] = "0200000";
  settings.ICN = "RUN0001";
  if (files.writeCodeplugFile(file) != zelta::errors::code::Ok) return {};
  return file;
}

// A fixture with its pagers, one after another.
std::unique_ptr<SimProcess> fixture(const fs::path& tmpl, const std::string& pagers,
                                    std::vector<std::string> extra = {}) {
  std::vector<std::string> args{
      "--no-advertise",  "--image", tmpl.string(),       "--script", pagers,
      "--insert-gap-ms", "100",     "--remove-after-ms", "300"};
  args.insert(args.end(), extra.begin(), extra.end());
  return std::make_unique<SimProcess>(args);
}

// The dialog over the fixtures, its inputs filled for count pagers.
struct Run {
  Run(const fs::path& tmpl, const std::vector<const SimProcess*>& fixtures,
      const std::string& count, const fs::path& dir)
      : journal(dir / "lot.jsonl") {
    zelta::ui::ProductionStart start;
    start.folder = dir;
    std::vector<zelta::link::PortEntry> ports;
    for (const SimProcess* f : fixtures) ports.push_back({f->path(), "Pager simulator", {}});
    start.listPorts = [ports] { return ports; };
    dialog = std::make_unique<ProductionDialog>(std::move(start), reporter);
    fill(*dialog, tmpl, journal, count);
    dialog->show();
  }
  // Every port ticked, fixtures that look for a pager ten times a second.
  static void fill(ProductionDialog& dialog, const fs::path& tmpl, const fs::path& journal,
                   const std::string& count) {
    dialog.setProbeInterval(std::chrono::milliseconds(100));
    dialog.findChild<QLineEdit*>("edTemplate")->setText(QString::fromStdString(tmpl.string()));
    dialog.findChild<QLineEdit*>("edJournal")->setText(QString::fromStdString(journal.string()));
    dialog.findChild<QLineEdit*>("edCount")->setText(QString::fromStdString(count));
    auto* list = dialog.findChild<QListWidget*>("lbFixturePorts");
    for (int i = 0; i < list->count(); ++i) list->item(i)->setCheckState(Qt::Checked);
  }
  zelta::production::JournalState journalState() const {
    return zelta::production::replayJournal(zelta::testing::readFile(journal));
  }

  zelta::testing::RecordingReporter reporter;
  fs::path journal;
  std::unique_ptr<ProductionDialog> dialog;
};

}  // namespace

class ProductionDialogSimTest : public QObject {
  Q_OBJECT

 private slots:
  // Two fixtures, four pagers: four rows of records with four distinct code
  // sets, the same four written in the journal, and the CSV the report's.
  void twoFixturesProgramFourPagers() {
    zelta::testing::TempFolder dir;
    const fs::path tmpl = makeTemplate(dir.path());
    QVERIFY(!tmpl.empty());
    auto a = fixture(tmpl, "A1,A2");
    auto b = fixture(tmpl, "B1,B2");
    Run run(tmpl, {a.get(), b.get()}, "4", dir.path());
    QVERIFY2(run.dialog->start(), qPrintable(run.dialog->problemText()));
    QTRY_VERIFY_WITH_TIMEOUT(!run.dialog->running(), 180000);
    QCOMPARE(run.dialog->statusText(), QString("Run complete: 4 pagers written, 0 not written"));
    QCOMPARE(run.dialog->findChild<QLabel*>("lbCounters")->text(),
             QString("done 4, failed 0, left 0"));

    auto* records = run.dialog->findChild<QTableWidget*>("tbRecords");
    QCOMPARE(records->rowCount(), 4);
    std::set<QString> codes;
    std::set<QString> pagers;
    for (int row = 0; row < 4; ++row) {
      QCOMPARE(records->item(row, 8)->text(), QString("written"));
      codes.insert(records->item(row, 6)->text());
      pagers.insert(records->item(row, 2)->text().trimmed());
    }
    QCOMPARE(codes.size(), std::size_t{4});
    QCOMPARE(pagers, (std::set<QString>{"A1", "A2", "B1", "B2"}));

    const zelta::production::JournalState state = run.journalState();
    QCOMPARE(state.written(), 4);
    std::set<QString> journalCodes;
    for (const auto& r : state.records) {
      QVERIFY(r.written);
      journalCodes.insert(QString::fromStdString(r.codes->codes.at(0).capcode));
    }
    QCOMPARE(journalCodes, codes);

    const fs::path csv = dir.path() / "lot.csv";
    QVERIFY(run.dialog->exportCsv(csv));
    QCOMPARE(zelta::testing::readFile(csv), zelta::production::recordsCsv(state.records));
  }

  // Closing while a pager is being written asks; No keeps the run, Yes
  // stops it once the block being written is whole, and the dialog goes
  // then. The pager was not written whole: its set is released.
  void closingWhileWritingAsks() {
    zelta::testing::TempFolder dir;
    const fs::path tmpl = makeTemplate(dir.path());
    QVERIFY(!tmpl.empty());
    auto slow = fixture(tmpl, "K1", {"--byte-delay-us", "400"});
    Run run(tmpl, {slow.get()}, "1", dir.path());
    QVERIFY(run.dialog->start());
    QTRY_VERIFY_WITH_TIMEOUT(!run.dialog->board()->writing().empty(), 60000);

    run.reporter.answer(false);
    run.dialog->close();
    QCOMPARE(run.reporter.asked.size(), std::size_t{1});
    QVERIFY(!run.reporter.asked[0].code.has_value());
    QVERIFY(QString::fromStdString(run.reporter.asked[0].question.text)
                .startsWith("A pager is being written on " + QString::fromStdString(slow->path())));
    QVERIFY(run.dialog->isVisible());
    QVERIFY(run.dialog->running());

    run.reporter.answer(true);
    run.dialog->close();
    QCOMPARE(run.reporter.asked.size(), std::size_t{2});
    QVERIFY(run.dialog->isVisible());
    QTRY_VERIFY_WITH_TIMEOUT(!run.dialog->isVisible(), 60000);
    QVERIFY(!run.dialog->running());

    const zelta::production::JournalState state = run.journalState();
    QCOMPARE(state.written(), 0);
    QCOMPARE(state.records.size(), std::size_t{1});
    QVERIFY(!state.records[0].written);
    QCOMPARE(state.sets.at(0).status, zelta::production::SetStatus::Released);
  }

  // Closing the main window while its production dialog writes a pager
  // asks the run's question; Yes stops the run, and the window goes once
  // the run has stopped.
  void closingTheWindowWhileWritingAsks() {
    zelta::testing::TempFolder dir;
    const fs::path tmpl = makeTemplate(dir.path());
    QVERIFY(!tmpl.empty());
    auto slow = fixture(tmpl, "K1", {"--byte-delay-us", "400"});
    zelta::ui::MainWindow window(zelta::storage::WorkFiles{dir.path(), {}});
    const std::string port = slow->path();
    window.setPortLister([port] {
      return std::vector<zelta::link::PortEntry>{{port, "Pager simulator", {}}};
    });
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    ModalAnswerer answerer(ModalAnswerer::clicking(QMessageBox::Yes));
    bool started = false;
    bool closeAsked = false;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
      ProductionDialog* dialog = window.productionDialog();
      if (dialog == nullptr) return;
      if (!started) {
        Run::fill(*dialog, tmpl, dir.path() / "lot.jsonl", "1");
        started = dialog->start();
      } else if (!closeAsked && !dialog->board()->writing().empty()) {
        closeAsked = true;
        window.close();
      }
    });
    watch.start(20);
    QTimer::singleShot(120000, [&window] {
      if (window.productionDialog() != nullptr) window.productionDialog()->done(0);
    });
    window.productionRun();
    watch.stop();
    QVERIFY(started);
    QVERIFY(closeAsked);
    QCOMPARE(answerer.titles, QStringList{"Production run"});
    QVERIFY(answerer.texts.value(0).startsWith("A pager is being written on "));
    QTRY_VERIFY(!window.isVisible());
    const auto state =
        zelta::production::replayJournal(zelta::testing::readFile(dir.path() / "lot.jsonl"));
    QCOMPARE(state.written(), 0);
  }
};

QTEST_MAIN(ProductionDialogSimTest)
#include "production_dialog_sim_test.moc"
