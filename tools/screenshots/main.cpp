#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QPainter>
#include <QPixmap>
#include <QTabWidget>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <utility>

// Core headers name members "slots"; Qt's keyword macro must not see them.
#pragma push_macro("slots")
#undef slots
#include "codeplug/new_codeplug.h"
#include "pages/field_ids.h"
#include "pages/page_context_of.h"
#include "pages/page_rules.h"
#include "storage/codeplug_files.h"
#include "support/recording_reporter.h"
#include "ui/about_dialog.h"
#include "ui/codeplug_report.h"
#include "ui/help_opener.h"
#include "ui/help_viewer.h"
#include "ui/keypad_dialog.h"
#include "ui/main_window.h"
#include "ui/pleasing_alert_dialog.h"
#include "ui/production_dialog.h"
#include "ui/progress_window.h"
#include "ui/recent_files_menu.h"
#include "ui/report_preview.h"
#include "ui/service_window.h"
#include "ui/setup_dialog.h"
#include "ui/trace_switch_box.h"
#include "window/comm_settings.h"
#include "window/settings_store.h"
#pragma pop_macro("slots")
#ifdef ZELTA_PAGER_SIM_PATH
#include "link/sim_process.h"
#endif

namespace {

constexpr zelta::models::ModelCode kModels[] = {'!', 0x30, 'p', 'q', 0x91, 0x93, 0x98};

QString modelName(zelta::models::ModelCode model) {
  return QString("model-%1").arg(static_cast<unsigned>(model), 2, 16, QChar('0'));
}

int usage() {
  std::fprintf(stderr, "usage: zelta-page-screenshots FOLDER [--scale N]\n");
  return 2;
}

// A codeplug file of the model as `zelta-pps-cli new` writes it.
bool writeCodeplug(zelta::models::ModelCode model, const std::filesystem::path& file) {
  auto image = std::make_unique<zelta::codeplug::CodeplugImage>();
  zelta::codeplug::SettingsRecord settings;
  zelta::testing::RecordingReporter quiet;
  zelta::codeplug::setUpNewCodeplug(model, *image, settings);
  zelta::pages::PageContext context = zelta::pages::pageContextOf(*image, settings, quiet);
  zelta::pages::applyPageRules(context);
  zelta::storage::WorkFiles work;
  zelta::storage::CodeplugFiles files(*image, settings, work, quiet,
                                      zelta::codeplug::standardCodec());
  zelta::storage::SaveContext save;
  save.build.pagerUnprogrammed = true;
  return files.writeCodeplugFile(file, save) == zelta::errors::code::Ok;
}

bool save(QWidget& window, const QString& file) {
  QApplication::processEvents();
  if (window.grab().save(file)) return true;
  std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
  return false;
}

// The dialogs are drawn, not heard.
class SilentTones : public zelta::codes::ToneOutput {
 public:
  void play(std::span<const zelta::codes::ToneStep>) override {}
  void playFile(const std::filesystem::path&) override {}
};

// The pleasing alert editor over a melody that uses the whole note list,
// and the user password keypad holding three keys.
bool saveDialogs(const QDir& folder) {
  folder.mkpath("dialogs");
  zelta::codes::Melody melody{};
  for (std::size_t i = 0; i < melody.size(); ++i)
    melody[i] = static_cast<std::uint8_t>(0xE0 | ((i * 3) % zelta::codes::kNoteCount));
  SilentTones tones;
  zelta::ui::PleasingAlertDialog editor(melody, tones);
  editor.show();
  if (!save(editor, folder.filePath("dialogs/pleasing-alert.png"))) return false;
  zelta::testing::RecordingReporter quiet;
  zelta::ui::KeypadDialog keypad("023", quiet);
  keypad.show();
  return save(keypad, folder.filePath("dialogs/keypad.png"));
}

// A pager on the bench for the service window: test mode taken, a key held.
class BenchPager : public zelta::window::ServiceLink {
 public:
  ModeSwitch switchMode(zelta::link::PagerMode) override { return {zelta::errors::code::Ok, -60}; }
  zelta::errors::ResultCode enterTestMode() override { return zelta::errors::code::Ok; }
  zelta::link::TestReply sendTestCommand(std::uint8_t, int) override {
    zelta::link::TestReply reply;
    reply.bytes = {'.', 0x10, 0};
    reply.count = 2;
    return reply;
  }
  zelta::errors::OperationOutcome program() override {
    return zelta::errors::OperationOutcome::done(true);
  }
  int rateCode() const override { return 170; }
};

// The service window's pages: the main page, the adjust page of a model
// with the text contrast and of one with the LCD pair, the test page after
// a Key Test.
bool saveServiceWindow(const QDir& folder) {
  folder.mkpath("dialogs");
  for (const zelta::models::ModelCode model :
       {zelta::models::ModelCode{0x30}, zelta::models::ModelCode{0x98}}) {
    auto image = std::make_unique<zelta::codeplug::CodeplugImage>();
    zelta::codeplug::SettingsRecord settings;
    zelta::codeplug::setUpNewCodeplug(model, *image, settings);
    BenchPager pager;
    zelta::testing::RecordingReporter yes;
    yes.answer(true);
    zelta::window::ServiceController controller(settings, model, pager, yes);
    zelta::ui::TFmService service(controller, nullptr);
    service.show();
    const QString suffix = QString("-%1.png").arg(static_cast<unsigned>(model), 2, 16, QChar('0'));
    if (model == 0x30 && !save(service, folder.filePath("dialogs/service-main.png"))) return false;
    service.runKey(zelta::window::WindowKey::F3);
    if (!save(service, folder.filePath("dialogs/service-adjust" + suffix))) return false;
    service.runKey(zelta::window::WindowKey::F10);
    if (model != 0x30) continue;
    service.runKey(zelta::window::WindowKey::F5);
    controller.chooseTest(3);  // Key Test
    service.runKey(zelta::window::WindowKey::F8);
    if (!save(service, folder.filePath("dialogs/service-test.png"))) return false;
  }
  return true;
}

// Each sheet of the report as an A4 page with 15 mm margins, and the print
// preview showing it, into FOLDER/report.
bool saveReport(const zelta::ui::CodeplugReport& report, const QDir& folder, qreal scale) {
  folder.mkpath("report");
  const QSize a4(qRound(794 * scale), qRound(1123 * scale));
  const int margin = qRound(57 * scale);
  for (int sheet = 0; sheet < report.sheetCount(); ++sheet) {
    QImage page(a4, QImage::Format_RGB32);
    page.fill(Qt::white);
    QPainter painter(&page);
    report.drawSheet(painter, page.rect().adjusted(margin, margin, -margin, -margin), sheet);
    painter.end();
    const QString file = folder.filePath(QString("report/sheet-%1.png").arg(sheet + 1));
    if (!page.save(file)) {
      std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
      return false;
    }
  }
  zelta::ui::ReportPreview preview(report, folder.path());
  preview.resize(900, 700);
  preview.show();
  return save(preview, folder.filePath("report/preview.png"));
}

// The question F10 asks over unsaved edits, grabbed as it comes up and
// then answered Cancel.
bool saveUnsavedQuestion(zelta::ui::MainWindow& window, const QDir& folder) {
  folder.mkpath("dialogs");
  zelta::pages::FieldInput icn;
  icn.id = zelta::pages::fieldId("ed_ICN");
  icn.text = "EDITED";
  if (window.controller().fieldLeft(icn) != zelta::errors::code::Ok) return false;
  bool saved = false;
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr) return;
    poll.stop();
    saved = save(*box, folder.filePath("dialogs/unsaved-changes.png"));
    box->button(QMessageBox::Cancel)->click();
  });
  poll.start(10);
  window.runKey(zelta::window::WindowKey::F10);
  return saved;
}

#ifdef ZELTA_PAGER_SIM_PATH
// The window's status bar after F2 on a pager of the simulator, single and
// sequential: the line of the pager just programmed.
bool saveProgrammedStatus(const QDir& folder) {
  zelta::testing::SimProcess sim({"--no-advertise", "--model", "0x30", "--serial", "SIM0000042"});
  if (sim.path().empty()) return false;
  zelta::ui::MainWindow window(zelta::storage::WorkFiles{folder.path().toStdString(), {}});
  auto store = std::make_unique<zelta::window::MemorySettingsStore>();
  store->writeString(zelta::window::kPortValue, sim.path());
  window.useSettingsStore(std::move(store));
  window.resize(1100, 800);
  window.show();
  for (const auto& [key, name] :
       {std::pair{zelta::window::WindowKey::F3, "main-programmed.png"},
        std::pair{zelta::window::WindowKey::F6, "sequential-programmed.png"}}) {
    window.runKey(key);
    zelta::codeplug::SettingsRecord& settings = window.controller().settings();
    // One code that receives on a frequency of the simulator's band.
    for (std::string& c : settings.code) c.clear();
    settings.code[0] = "1234567";
    settings.function[0] = "ABCD";
    settings.frequency = settings.frequency2 = "140.0000";
    settings.ICN = "BENCH00017";
    window.runKey(zelta::window::WindowKey::F2);
    if (window.controller().view().statusResult.empty()) {
      std::fprintf(stderr, "%s: the pager was not programmed\n", name);
      return false;
    }
    if (!save(window, folder.filePath(name))) return false;
    if (key == zelta::window::WindowKey::F6) break;
  }
  return true;
}
#else
bool saveProgrammedStatus(const QDir&) {
  return true;
}
#endif

// The setup: a stored port that is gone, then the port Find pager chose
// (the ports and the pager made up: no port of this machine is opened).
bool saveSetup(const QDir& folder) {
  folder.mkpath("dialogs");
  const std::vector<zelta::link::PortEntry> ports{
      {"/dev/ttyS4", "16550A UART", {}},
      {"/dev/ttyUSB0", "FT232R USB UART (FTDI)", "0403:6001 A50285BI"},
      {"/dev/pts/7", "Pager simulator (0x30 '0')", {}},
  };
  zelta::window::MemorySettingsStore store;
  store.writeString(zelta::window::kPortValue, "/dev/ttyUSB3");
  const auto probe = [](const std::string& path, const std::function<bool()>&) {
    return path == "/dev/pts/7" ? std::optional<zelta::models::ModelCode>(0x30) : std::nullopt;
  };
  zelta::ui::TFmSetup setup(
      store, folder.path(), [&] { return ports; }, nullptr, probe);
  setup.show();
  if (!save(setup, folder.filePath("dialogs/setup-not-present.png"))) return false;
  setup.findChild<QAbstractButton*>("btnFindPager")->click();
  while (setup.searching()) QApplication::processEvents();
  return save(setup, folder.filePath("dialogs/setup-pager-found.png"));
}

// The progress window writing, at 100 %, and once Cancel was pressed.
bool saveProgress(const QDir& folder) {
  folder.mkpath("dialogs");
  zelta::ui::TFmProgressBar progress;
  progress.startWork();
  progress.setPhase(static_cast<int>(zelta::link::LinkPhase::Writing));
  progress.setProgress(100);
  if (!save(progress, folder.filePath("dialogs/progress.png"))) return false;
  progress.findChild<QAbstractButton*>("btnCancel")->click();
  const bool saved = save(progress, folder.filePath("dialogs/progress-stopping.png"));
  progress.endWork();
  return saved;
}

// The File menu with its recent files, and the setup's application page
// with the "Trace to file" switch.
bool saveDesktopConventions(const QDir& folder) {
  folder.mkpath("dialogs");
  zelta::ui::MainWindow window(zelta::storage::WorkFiles{folder.path().toStdString(), {}});
  window.useSettingsStore(std::make_unique<zelta::window::MemorySettingsStore>());
  for (const char* name : {"bench-2.cp", "pagers/ward-7.cp", "customer-12.cp"}) {
    const std::filesystem::path file = folder.filePath(name).toStdString();
    std::filesystem::create_directories(file.parent_path());
    if (!writeCodeplug('p', file)) return false;
    window.recentFiles().add(file);
  }
  window.resize(1100, 800);
  window.show();
  QMenu* file = window.menu("menuFile");
  file->popup(window.mapToGlobal(QPoint(0, 0)));
  if (!save(*file, folder.filePath("dialogs/file-menu.png"))) return false;
  QMenu* recent = window.menu("menuRecent");
  recent->popup(window.mapToGlobal(QPoint(file->width(), 0)));
  if (!save(*recent, folder.filePath("dialogs/recent-files.png"))) return false;
  recent->hide();
  file->hide();

  zelta::window::MemorySettingsStore store;
  zelta::ui::TFmSetup setup(store, folder.path(),
                            [] { return std::vector<zelta::link::PortEntry>(); });
  setup.traceSwitch().setTraceFile(folder.filePath("zelta-pps-trace.txt"));
  setup.findChild<QTabWidget*>()->setCurrentIndex(1);
  setup.show();
  return save(setup, folder.filePath("dialogs/setup-application.png"));
}

bool saveAbout(const QDir& folder) {
  folder.mkpath("dialogs");
  zelta::ui::DesktopUrlOpener opener;
  zelta::ui::TFmAbout about(opener);
  about.show();
  return save(about, folder.filePath("dialogs/about.png"));
}

// The production run dialog: idle over the ports of a bench, then a run as
// its fixtures report it (fed by hand, no link): one pager being written,
// one fixture waiting for its pager to be taken out, one failed.
bool saveProductionDialog(const QDir& folder, const std::filesystem::path& templateFile) {
  folder.mkpath("dialogs");
  namespace production = zelta::production;
  zelta::ui::ProductionStart start;
  start.folder = folder.path().toStdString();
  start.listPorts = [] {
    return std::vector<zelta::link::PortEntry>{
        {"/dev/ttyUSB0", "FT232R USB UART (FTDI)", "0403:6001 A50285BI"},
        {"/dev/ttyUSB1", "FT232R USB UART (FTDI)", "0403:6001 A50285C2"},
        {"/dev/pts/7", "Pager simulator (0x91)", {}}};
  };
  zelta::testing::RecordingReporter quiet;
  zelta::ui::ProductionDialog dialog(std::move(start), quiet);
  dialog.findChild<QLineEdit*>("edTemplate")
      ->setText(QString::fromStdString(templateFile.string()));
  dialog.findChild<QLineEdit*>("edJournal")->setText(folder.filePath("lot-20261211-0935.jsonl"));
  dialog.findChild<QLineEdit*>("edCount")->setText("12");
  auto* ports = dialog.findChild<QListWidget*>("lbFixturePorts");
  ports->item(0)->setCheckState(Qt::Checked);
  ports->item(1)->setCheckState(Qt::Checked);
  dialog.show();
  if (!save(dialog, folder.filePath("dialogs/production-idle.png"))) return false;

  production::ProductionObserver& feed =
      dialog.showWithoutRun({"/dev/ttyUSB0", "/dev/ttyUSB1", "/dev/pts/7"});
  const auto status = [](int fixture, const char* port, production::FixtureState state, int percent,
                         const char* serial, const char* text) {
    production::FixtureStatus s;
    s.fixture = fixture;
    s.port = port;
    s.state = state;
    s.percent = percent;
    s.serialNumber = serial;
    s.text = text;
    return s;
  };
  feed.fixtureChanged(
      status(0, "/dev/ttyUSB0", production::FixtureState::Programming, 62, "PG00000412", ""));
  feed.fixtureChanged(
      status(1, "/dev/ttyUSB1", production::FixtureState::TakeOut, 0, "PG00000413", ""));
  feed.fixtureChanged(status(2, "/dev/pts/7", production::FixtureState::Failed, 0, "PG00000414",
                             "Pager does not answer.\nCheck the pager and the interface box."));
  for (int i = 0; i < 4; ++i) {
    production::PagerRecord r;
    r.time = "2026-12-11T09:3" + std::to_string(5 + i) + ":18.951Z";
    r.fixture = i % 2 == 0 ? "/dev/ttyUSB0" : "/dev/ttyUSB1";
    r.serialNumber = "PG00000" + std::to_string(408 + i);
    r.model = 0x91;
    r.firmware = "R0801";
    r.codes = production::CodeSet{
        i, {{1, "020000" + std::to_string(i)}}, "RUN000" + std::to_string(1 + i)};
    r.written = i != 2;
    r.code = r.written ? zelta::errors::code::Ok : zelta::errors::code::Abandoned;
    r.text = r.written ? "" : "The pager was taken out during programming.";
    r.durationMs = 10486 + 37 * i;
    r.imageFile = r.written ? r.serialNumber + "_" + r.codes->icn + ".cp" : "";
    feed.pagerFinished(r);
  }
  feed.countersChanged({.done = 3, .failed = 1, .left = 9});
  return save(dialog, folder.filePath("dialogs/production-run.png"));
}

// The program's own help viewer, as F1 shows it on a desktop without a
// browser.
bool saveHelpViewer(const QDir& folder) {
  class NoBrowser : public zelta::ui::UrlOpener {
   public:
    bool openUrl(const QUrl&) override { return false; }
  } noBrowser;
  const zelta::ui::HelpOpener help(QStringLiteral(ZELTA_GUIDE_FOLDER), noBrowser);
  help.open(nullptr);
  if (help.viewer() == nullptr) {
    std::fprintf(stderr, "the help viewer did not open\n");
    return false;
  }
  return save(*help.viewer(), folder.filePath("dialogs/help-viewer.png"));
}

}  // namespace

// Renders the main window: its "Main" page, then every shown page of a
// codeplug of one model of each family, opened with F8 and paged through
// with F12, into FOLDER/main.png and FOLDER/model-XX/page-NN.png; the
// report of model 'p' into FOLDER/report; and the pleasing alert editor, the
// keypad, the service window's pages, the about box, the help viewer, the
// production run dialog (idle and with a run), the question about unsaved
// edits, the setup and the progress window into FOLDER/dialogs; with the
// pager simulator built, the status bar after programming a pager of it,
// singly and sequentially, into FOLDER/main-programmed.png and
// FOLDER/sequential-programmed.png.
int main(int argc, char** argv) {
  if (argc != 2 && argc != 4) return usage();
  if (argc == 4) {
    if (std::string(argv[2]) != "--scale") return usage();
    // The scale must be known before the application starts.
    qputenv("QT_SCALE_FACTOR", argv[3]);
  }
  QApplication app(argc, argv);
  const QDir folder(QString::fromLocal8Bit(argv[1]));
  if (!folder.mkpath(".")) {
    std::fprintf(stderr, "cannot make %s\n", argv[1]);
    return 1;
  }
  const std::filesystem::path file = folder.filePath("codeplug.cp").toStdString();
  bool first = true;
  for (const zelta::models::ModelCode model : kModels) {
    if (!writeCodeplug(model, file)) {
      std::fprintf(stderr, "cannot write %s\n", file.c_str());
      return 1;
    }
    zelta::ui::MainWindow window(zelta::storage::WorkFiles{folder.path().toStdString(), {}});
    window.setFileChoosers([&](const auto&) { return std::optional(file); },
                           [](const auto&) { return std::optional<std::filesystem::path>(); });
    window.resize(1100, 800);
    window.show();
    if (first && !save(window, folder.filePath("main.png"))) return 1;
    first = false;
    window.runKey(zelta::window::WindowKey::F8);
    if (!window.controller().codeplugLoaded()) {
      std::fprintf(stderr, "model %02x: the codeplug did not load\n", unsigned{model});
      return 1;
    }
    folder.mkpath(modelName(model));
    const int firstPage = window.pages()->currentIndex();
    do {
      const QString shot =
          folder.filePath(QString("%1/page-%2.png")
                              .arg(modelName(model))
                              .arg(window.pages()->currentIndex(), 2, 10, QChar('0')));
      if (!save(window, shot)) return 1;
      window.runKey(zelta::window::WindowKey::F12);
    } while (window.pages()->currentIndex() != firstPage);
    if (model == 0x30 && !saveUnsavedQuestion(window, folder)) return 1;
    if (model == 'p') {
      bool reported = false;
      window.setReportPresenter([&](const zelta::ui::CodeplugReport& report) {
        reported = saveReport(report, folder, window.devicePixelRatioF());
      });
      window.action("menuPrint")->trigger();
      if (!reported) return 1;
    }
    window.hide();
  }
  const bool production = writeCodeplug(0x91, file) && saveProductionDialog(folder, file);
  std::filesystem::remove(file);
  return production && saveDialogs(folder) && saveServiceWindow(folder) && saveAbout(folder) &&
                 saveHelpViewer(folder) && saveSetup(folder) && saveProgress(folder) &&
                 saveDesktopConventions(folder) && saveProgrammedStatus(folder)
             ? 0
             : 1;
}
