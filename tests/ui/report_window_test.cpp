// "&Print..." from the window: the visible pages captured into a temporary
// folder, the report's sheets for the model's printed page count, its PDF,
// and what printing leaves behind.

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QMessageBox>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabWidget>
#include <QToolBar>
#include <QWindow>
#include <QtTest/QTest>
#include <cstdlib>
#include <memory>

// Core headers name members "slots"; Qt's keyword macro must not see them.
#pragma push_macro("slots")
#undef slots
#include "modal_answerer.h"
#include "new_codeplug_file.h"
#include "support/temp_folder.h"
#include "ui/codeplug_report.h"
#include "ui/main_window.h"
#include "ui/report_preview.h"
#include "window/report_sheets.h"
#pragma pop_macro("slots")

namespace pages = zelta::pages;
namespace codeplug = zelta::codeplug;
namespace storage = zelta::storage;
namespace window = zelta::window;
using zelta::testing::TempFolder;
using zelta::testing::writeNewCodeplug;
using zelta::ui::CodeplugReport;
using zelta::ui::MainWindow;
using Path = std::filesystem::path;

namespace {

// "/Type /Page" objects, not "/Type /Pages".
int pdfPageCount(const QByteArray& pdf) {
  const QByteArray key("/Type /Page");
  int count = 0;
  for (qsizetype at = pdf.indexOf(key); at >= 0; at = pdf.indexOf(key, at + 1)) {
    if (at + key.size() >= pdf.size() || pdf.at(at + key.size()) != 's') ++count;
  }
  return count;
}

// The title goes into the PDF's document information as UTF-16 text.
bool pdfNamesTitle(const QByteArray& pdf, const QString& title) {
  QByteArray utf16;
  for (QChar c : title) {
    utf16.append(static_cast<char>(c.unicode() >> 8));
    utf16.append(static_cast<char>(c.unicode() & 0xFF));
  }
  return pdf.contains(utf16) || pdf.contains(title.toUtf8());
}

// The field lowest on a page (the last prompt of a prompt page), where
// the page's picture has it: in the page control, its page shown whole.
QRect lowestFieldInPicture(const QTabWidget& pageControl, pages::Page page) {
  auto* scroll = pageControl.widget(pages::pageIndex(page))->findChild<QScrollArea*>();
  if (scroll == nullptr || scroll->widget() == nullptr) return {};
  QWidget* contents = scroll->widget();
  QRect lowest;
  for (QWidget* field : contents->findChildren<QWidget*>()) {
    if (!qobject_cast<QLineEdit*>(field) && !qobject_cast<QComboBox*>(field)) continue;
    if (!field->isVisibleTo(contents)) continue;
    const QRect at(field->mapTo(contents, QPoint(0, 0)), field->size());
    if (at.bottom() > lowest.bottom()) lowest = at;
  }
  const QPoint origin = scroll->viewport()->mapTo(&pageControl, QPoint(0, 0));
  return lowest.translated(origin);
}

// How far two pictures differ inside area: the mean of the channels'
// differences, 0 to 255.
double meanDifference(const QImage& a, const QImage& b, const QRect& area) {
  double sum = 0;
  for (int y = area.top(); y <= area.bottom(); ++y) {
    for (int x = area.left(); x <= area.right(); ++x) {
      const QColor p = a.pixelColor(x, y);
      const QColor q = b.pixelColor(x, y);
      sum += std::abs(p.red() - q.red()) + std::abs(p.green() - q.green()) +
             std::abs(p.blue() - q.blue());
    }
  }
  return sum / (3.0 * area.width() * area.height());
}

// What the presenter saw while the report was shown.
struct Shown {
  int sheets = 0;
  int printedPages = 0;
  QString title;
  QString folder;
  QStringList pictures;
  QList<QImage> images;  // in capture order
  QSize pictureSize;
  bool firstTwoDiffer = false;
  int pdfPages = 0;
  bool pdfTitle = false;
};

struct WindowFixture {
  explicit WindowFixture(zelta::models::ModelCode model, int capacity = -1,
                         QSize size = QSize(1100, 800))
      : window(storage::WorkFiles{folder.path(), {}}) {
    toOpen = folder / "a.cp";
    writeNewCodeplug(model, *toOpen, capacity >= 0 ? std::optional<int>(capacity) : std::nullopt);
    window.setFileChoosers([this](const window::FileDialogRequest&) { return toOpen; },
                           [](const window::FileDialogRequest&) { return std::optional<Path>(); });
    window.setReportPresenter([this](const CodeplugReport& report) { record(report); });
    window.resize(size);
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    window.runKey(window::WindowKey::F8);
    QApplication::processEvents();
    QVERIFY(window.controller().codeplugLoaded());
  }

  void record(const CodeplugReport& report) {
    ++reports;
    shown.sheets = report.sheetCount();
    shown.printedPages = report.printedPages();
    shown.title = report.title();
    shown.folder = report.folder();
    shown.pictures = QDir(report.folder()).entryList({"*_ppsPge.jpg"}, QDir::Files, QDir::Name);
    for (int i = 0; i < shown.pictures.size(); ++i) {
      shown.images.append(QImage(
          QDir(report.folder()).filePath(QString::fromStdString(window::pagePictureName(i)))));
    }
    const QImage first(QDir(report.folder()).filePath("0_ppsPge.jpg"));
    const QImage second(QDir(report.folder()).filePath("1_ppsPge.jpg"));
    shown.pictureSize = first.size();
    shown.firstTwoDiffer = !first.isNull() && !second.isNull() && first != second;
    const QString pdf = QString::fromStdString((folder / "report.pdf").string());
    if (!report.exportPdf(pdf)) return;
    QFile file(pdf);
    if (!file.open(QIODevice::ReadOnly)) return;
    const QByteArray bytes = file.readAll();
    shown.pdfPages = pdfPageCount(bytes);
    shown.pdfTitle = pdfNamesTitle(bytes, report.title());
  }

  bool onTop() const {
    const bool widget = window.windowFlags().testFlag(Qt::WindowStaysOnTopHint);
    const QWindow* handle = window.windowHandle();
    return widget && (handle == nullptr || handle->flags().testFlag(Qt::WindowStaysOnTopHint));
  }

  TempFolder folder;
  MainWindow window;
  std::optional<Path> toOpen;
  int reports = 0;
  Shown shown;
};

}  // namespace

class ReportWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void printsTheSheetsOfThePrintedPageCount_data() {
    QTest::addColumn<int>("model");
    QTest::addColumn<int>("capacity");
    QTest::addColumn<int>("printedPages");
    QTest::addColumn<int>("sheets");
    QTest::newRow("model '0': 8") << 0x30 << -1 << 8 << 4;
    QTest::newRow("model 'p': 10") << 0x70 << -1 << 10 << 5;
    QTest::newRow("0x98, capacity 0: 9") << 0x98 << 0 << 9 << 5;
    QTest::newRow("0x98, capacity 2: 10") << 0x98 << 2 << 10 << 5;
    QTest::newRow("0x98, capacity 3: 13") << 0x98 << 3 << 13 << 7;
  }

  // One picture a visible page, the size of the page control, the sheets
  // and PDF pages of the count, the file's name as the title; the pictures
  // are gone once the report has closed and the window is where it was.
  void printsTheSheetsOfThePrintedPageCount() {
    QFETCH(int, model);
    QFETCH(int, capacity);
    QFETCH(int, printedPages);
    QFETCH(int, sheets);
    WindowFixture f(static_cast<zelta::models::ModelCode>(model), capacity);
    QVERIFY(f.window.requestPage(pages::Page::Alert));
    QVERIFY(f.window.action("menuPrint")->isEnabled());
    f.window.action("menuPrint")->trigger();
    QCOMPARE(f.reports, 1);
    QCOMPARE(f.shown.printedPages, printedPages);
    QCOMPARE(f.shown.sheets, sheets);
    QCOMPARE(f.shown.pdfPages, sheets);
    QCOMPARE(f.shown.title, QString("a.cp"));
    QVERIFY(f.shown.pdfTitle);
    QCOMPARE(f.shown.pictures.size(), printedPages);
    QCOMPARE(f.shown.pictureSize, f.window.pages()->size());
    QVERIFY(f.shown.firstTwoDiffer);
    QVERIFY(!f.shown.folder.isEmpty());
    QVERIFY(!QDir(f.shown.folder).exists());
    QCOMPARE(f.window.controller().activePage(), pages::Page::Alert);
    QCOMPARE(f.window.pages()->currentIndex(), pages::pageIndex(pages::Page::Alert));
  }

  // A window on a laptop's screen is smaller than the pages: each picture
  // still shows its page whole, the lowest field of every page (the last
  // prompt field of the prompt pages) where a large window's picture has
  // it, and the window keeps its page, size and scroll position.
  void aSmallWindowStillPicturesWholePages() {
    WindowFixture large(0x98, 3, QSize(1600, 1200));
    large.window.action("menuPrint")->trigger();
    QCOMPARE(large.reports, 1);
    WindowFixture small(0x98, 3, QSize(1000, 600));
    QVERIFY(small.window.requestPage(pages::Page::Prompt2));
    auto* prompts = small.window.pages()->currentWidget()->findChild<QScrollArea*>();
    QVERIFY(prompts != nullptr);
    QVERIFY2(prompts->verticalScrollBar()->maximum() > 0, "the page fits the small window");
    prompts->verticalScrollBar()->setValue(prompts->verticalScrollBar()->maximum() / 2);
    const int scrolled = prompts->verticalScrollBar()->value();
    const QSize windowSize = small.window.size();
    small.window.action("menuPrint")->trigger();
    QCOMPARE(small.reports, 1);

    const std::vector<pages::Page> captured =
        window::reportCapturePages(small.window.controller().view());
    QCOMPARE(small.shown.images.size(), static_cast<qsizetype>(captured.size()));
    QCOMPARE(large.shown.images.size(), small.shown.images.size());
    for (std::size_t i = 0; i < captured.size(); ++i) {
      const QString page = QString::fromUtf8(pages::pageInfo(captured[i]).caption.data(),
                                             pages::pageInfo(captured[i]).caption.size());
      const QImage& picture = small.shown.images[static_cast<qsizetype>(i)];
      const QRect field = lowestFieldInPicture(*large.window.pages(), captured[i]);
      QVERIFY2(field.isValid(), qPrintable(page));
      QVERIFY2(picture.rect().contains(field),
               qPrintable(page +
                          QString(": a %1x%2 picture").arg(picture.width()).arg(picture.height())));
      const double difference =
          meanDifference(picture, large.shown.images[static_cast<qsizetype>(i)], field);
      QVERIFY2(difference < 8, qPrintable(page + QString(": differs by %1").arg(difference)));
    }
    // With ZELTA_SHOTS_DIR set the small window's pictures are kept there,
    // for looking at.
    if (const QString dir = qEnvironmentVariable("ZELTA_SHOTS_DIR"); !dir.isEmpty()) {
      QDir().mkpath(dir);
      for (qsizetype i = 0; i < small.shown.images.size(); ++i)
        QVERIFY(small.shown.images[i].save(QDir(dir).filePath(QString("small-%1.png").arg(i))));
    }
    QCOMPARE(small.window.size(), windowSize);
    QCOMPARE(small.window.pages()->currentIndex(), pages::pageIndex(pages::Page::Prompt2));
    QCOMPARE(prompts->verticalScrollBar()->value(), scrolled);
  }

  // Printing turns "Stay on Top" on for the capture and leaves it as it
  // found it, either way.
  void stayOnTopIsLeftAsFound() {
    WindowFixture f(0x70);
    QAction* stayOnTop = f.window.action("setupStayontop");
    for (const bool before : {false, true, false}) {
      stayOnTop->setChecked(before);
      QCOMPARE(f.onTop(), before);
      f.window.action("menuPrint")->trigger();
      QCOMPARE(stayOnTop->isChecked(), before);
      QCOMPARE(f.onTop(), before);
    }
    QCOMPARE(f.reports, 3);
  }

  // The capture shows every page without moving the keyboard through their
  // fields: nothing is stored or entered, the codeplug stays unedited and
  // the field being edited keeps the focus.
  void theCaptureLeavesTheFieldsAlone() {
    WindowFixture f(0x98, 3);
    QVERIFY(f.window.requestPage(pages::Page::Code1to4));
    auto* code = f.window.findChild<QWidget*>("ed_code01");
    QVERIFY(code != nullptr);
    code->setFocus(Qt::TabFocusReason);
    QApplication::processEvents();
    QCOMPARE(QApplication::focusWidget(), code);
    f.window.action("menuPrint")->trigger();
    QCOMPARE(f.reports, 1);
    QCOMPARE(f.shown.pictures.size(), 13);
    QVERIFY(!f.window.controller().view().unsavedEdits);
    QVERIFY(!f.window.windowTitle().endsWith('*'));
    QCOMPARE(QApplication::focusWidget(), code);
  }

  // "&Print..." belongs to the editing pages: on "Main" it does nothing.
  void noReportFromMain() {
    WindowFixture f(0x70);
    f.window.runKey(window::WindowKey::F10);
    QApplication::processEvents();
    QCOMPARE(f.window.controller().activePage(), pages::Page::Main);
    f.window.action("menuPrint")->trigger();
    QCOMPARE(f.reports, 0);
  }

  // The preview's "Export PDF…" writes the sheets where the chooser says;
  // a file that cannot be written is told, and Cancel writes nothing.
  void previewExportsThePdf() {
    TempFolder folder;
    QImage page(320, 240, QImage::Format_RGB32);
    page.fill(Qt::white);
    for (int i = 0; i < 9; ++i)
      QVERIFY(page.save(QString::fromStdString((folder / window::pagePictureName(i)).string()),
                        "JPEG", 100));
    const QString base = QString::fromStdString(folder.path().string());
    const CodeplugReport report(base, 9, "NONAME1");
    zelta::ui::ReportPreview preview(report, base);
    QVERIFY(preview.exportPdfAction() != nullptr);
    QVERIFY(preview.findChild<QToolBar*>()->actions().contains(preview.exportPdfAction()));

    QString suggested;
    std::optional<QString> chosen = QDir(base).filePath("out.pdf");
    preview.setPdfChooser([&](const QString& s) {
      suggested = s;
      return chosen;
    });
    QVERIFY(preview.exportPdf());
    QCOMPARE(suggested, QDir(base).filePath("NONAME1.pdf"));
    QFile out(*chosen);
    QVERIFY(out.open(QIODevice::ReadOnly));
    QCOMPARE(pdfPageCount(out.readAll()), 5);

    chosen.reset();
    QVERIFY(!preview.exportPdf());

    QString told;
    ModalAnswerer answerer([&](QWidget* w) {
      auto* box = qobject_cast<QMessageBox*>(w);
      if (box == nullptr) return false;
      told = box->text();
      box->accept();
      return true;
    });
    chosen = QStringLiteral("/no/such/folder/x.pdf");
    QVERIFY(!preview.exportPdf());
    QVERIFY(told.contains("/no/such/folder/x.pdf"));
  }
};

QTEST_MAIN(ReportWindowTest)
#include "report_window_test.moc"
