// The report's sheets as a PDF, from page pictures written into a
// temporary folder the way the window's capture writes them.

#include "ui/codeplug_report.h"

#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QtTest>

#include "window/report_sheets.h"

namespace {

// "/Type /Page" objects, not "/Type /Pages".
int pdfPageCount(const QByteArray& pdf) {
  const QByteArray key("/Type /Page");
  int count = 0;
  for (qsizetype at = pdf.indexOf(key); at >= 0; at = pdf.indexOf(key, at + 1)) {
    if (at + key.size() >= pdf.size() || pdf.at(at + key.size()) != 's') {
      ++count;
    }
  }
  return count;
}

}  // namespace

class CodeplugReportTest : public QObject {
  Q_OBJECT

 private slots:
  void onePdfPageASheet_data() {
    QTest::addColumn<int>("printedPages");
    QTest::addColumn<int>("sheets");
    QTest::newRow("8") << 8 << 4;
    QTest::newRow("9") << 9 << 5;
    QTest::newRow("10") << 10 << 5;
    QTest::newRow("13") << 13 << 7;
  }

  void onePdfPageASheet() {
    QFETCH(int, printedPages);
    QFETCH(int, sheets);
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    for (int i = 0; i < printedPages; ++i) {
      QImage page(320, 240, QImage::Format_RGB32);
      page.fill(Qt::white);
      QVERIFY(page.save(folder.filePath(QString::fromStdString(zelta::window::pagePictureName(i))),
                        "JPEG", zelta::window::kPagePictureQuality));
    }
    const QString pdf = folder.filePath("report.pdf");
    const zelta::ui::CodeplugReport report(
        folder.path(), printedPages,
        QString::fromStdString(zelta::window::reportTitle("/x/y/a.cp")));
    QVERIFY(report.exportPdf(pdf));
    QFile file(pdf);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(pdfPageCount(file.readAll()), sheets);
  }
};

QTEST_MAIN(CodeplugReportTest)
#include "codeplug_report_test.moc"
