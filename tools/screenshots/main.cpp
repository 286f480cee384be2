#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QImage>
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
#include "ui/report_preview.h"
#include "ui/service_window.h"
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

bool saveAbout(const QDir& folder) {
  folder.mkpath("dialogs");
  zelta::ui::DesktopUrlOpener opener;
  zelta::ui::TFmAbout about(opener);
  about.show();
  return save(about, folder.filePath("dialogs/about.png"));
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
// keypad, the service window's pages, the about box, the help viewer and the question about
// unsaved edits into FOLDER/dialogs; with the pager simulator built, the
// status bar after programming a pager of it, singly and sequentially, into
// FOLDER/main-programmed.png and FOLDER/sequential-programmed.png.
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
  std::filesystem::remove(file);
  return saveDialogs(folder) && saveServiceWindow(folder) && saveAbout(folder) &&
                 saveHelpViewer(folder) && saveProgrammedStatus(folder)
             ? 0
             : 1;
}
