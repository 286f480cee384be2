#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QtTest/QTest>
#include <algorithm>

#include "modal_answerer.h"
#include "ui/about_dialog.h"
#include "ui/help_opener.h"
#include "ui/help_viewer.h"
#include "ui/qsettings_store.h"
#include "ui/setup_dialog.h"
#include "window/help_file.h"

using zelta::ui::HelpOpener;
using zelta::ui::TFmAbout;

namespace {

class RecordingOpener : public zelta::ui::UrlOpener {
 public:
  // opens false: a desktop without a browser.
  explicit RecordingOpener(bool opens = true) : opens_(opens) {}
  bool openUrl(const QUrl& url) override {
    urls.append(url);
    return opens_;
  }
  QList<QUrl> urls;

 private:
  bool opens_;
};

// A program folder with the guide beside the program, as in the build tree.
void placeGuide(const QTemporaryDir& program) {
  QVERIFY(QDir(program.path()).mkpath("help"));
  QFile guide(program.filePath("help/index.html"));
  QVERIFY(guide.open(QIODevice::WriteOnly));
  guide.write("<!DOCTYPE html><title>guide</title>");
}

}  // namespace

class HelpAboutTest : public QObject {
  Q_OBJECT

 private slots:
  void helpOpensTheGuideBesideTheProgram() {
    QTemporaryDir program;
    placeGuide(program);
    RecordingOpener desktop;
    ModalAnswerer answerer(ModalAnswerer::clicking(QMessageBox::Ok));
    HelpOpener(program.path(), desktop).open(nullptr);
    QCOMPARE(desktop.urls, QList<QUrl>{QUrl::fromLocalFile(program.filePath("help/index.html"))});
    QVERIFY(answerer.texts.isEmpty());
  }

  // The box names the full path; the desktop is asked all the same.
  void aMissingGuideIsSaidWithItsFullPath() {
    QTemporaryDir program;
    placeGuide(program);
    QVERIFY(QFile::remove(program.filePath("help/index.html")));
    const QString guide = program.filePath("help/index.html");
    RecordingOpener desktop;
    ModalAnswerer answerer(ModalAnswerer::clicking(QMessageBox::Ok));
    // A relative program folder still gives the full path.
    const QString relative = QDir::current().relativeFilePath(program.path());
    HelpOpener(relative, desktop).open(nullptr);
    QCOMPARE(answerer.texts, QStringList{"Help file not found\n" + guide});
    QCOMPARE(answerer.titles, QStringList{"Zelta Series (POCSAG) PPS"});
    QCOMPARE(desktop.urls, QList<QUrl>{QUrl::fromLocalFile(guide)});
  }

  // With no browser on the desktop the guide shows in the program's own
  // viewer, at its start; F1 again brings the same viewer forward.
  void withoutABrowserTheGuideShowsInTheHelpViewer() {
    QTemporaryDir program;
    placeGuide(program);
    RecordingOpener noBrowser(false);
    ModalAnswerer answerer(ModalAnswerer::clicking(QMessageBox::Ok));
    const HelpOpener help(program.path(), noBrowser);
    help.open(nullptr);
    const QUrl guide = QUrl::fromLocalFile(program.filePath("help/index.html"));
    QCOMPARE(noBrowser.urls, QList<QUrl>{guide});
    QVERIFY(answerer.texts.isEmpty());
    zelta::ui::HelpViewer* viewer = help.viewer();
    QVERIFY(viewer != nullptr);
    QVERIFY(QTest::qWaitForWindowExposed(viewer));
    QCOMPARE(viewer->browser()->source(), guide);
    QCOMPARE(viewer->browser()->documentTitle(), QString("guide"));
    QVERIFY(viewer->windowTitle().startsWith("Zelta Series (POCSAG) PPS"));

    help.open(nullptr);
    QCOMPARE(help.viewer(), viewer);
    const QWidgetList windows = QApplication::topLevelWidgets();
    QCOMPARE(std::count_if(windows.begin(), windows.end(),
                           [](QWidget* w) { return w->objectName() == "helpViewer"; }),
             1);
    viewer->close();
    QTRY_VERIFY(help.viewer() == nullptr);
  }

  // A missing guide is named in its box; no empty viewer follows.
  void withoutABrowserAMissingGuideIsOnlyNamed() {
    QTemporaryDir program;
    RecordingOpener noBrowser(false);
    ModalAnswerer answerer(ModalAnswerer::clicking(QMessageBox::Ok));
    const HelpOpener help(program.path(), noBrowser);
    help.open(nullptr);
    QCOMPARE(answerer.texts,
             QStringList{"Help file not found\n" + program.filePath("help/index.html")});
    QVERIFY(help.viewer() == nullptr);
  }

  void f1InTheSetupDialogOpensTheGuide() {
    QTemporaryDir program;
    placeGuide(program);
    RecordingOpener desktop;
    const HelpOpener help(program.path(), desktop);
    zelta::ui::QSettingsStore store(program.filePath("settings.ini"));
    zelta::ui::TFmSetup dialog(store, program.path(),
                               [] { return std::vector<zelta::link::PortEntry>{}; });
    dialog.setHelpOpener(&help);
    dialog.show();
    dialog.activateWindow();  // a display without a window manager activates nothing itself
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    QTest::keyClick(dialog.focusWidget() ? dialog.focusWidget() : &dialog, Qt::Key_F1);
    QCOMPARE(desktop.urls, QList<QUrl>{QUrl::fromLocalFile(program.filePath("help/index.html"))});
  }

  // The build puts the guide beside zelta-pps.
  void theBuiltProgramHasItsGuide() {
    const auto request = zelta::window::helpRequest(ZELTA_BINARY_DIR "/src/ui");
    QCOMPARE(QString::fromStdString(request.missingMessage), QString());
  }

  void aboutShowsProductVersionCopyrightAndTheAddress() {
    RecordingOpener desktop;
    TFmAbout about(desktop);
    QCOMPARE(about.windowTitle(), QString("About"));
    auto text = [&](const char* name) { return about.findChild<QLabel*>(name)->text(); };
    QCOMPARE(text("aboutProduct"), QString("Zelta Series (POCSAG) PPS"));
    QCOMPARE(text("aboutVer"), QString("Version R08.03.04"));
    QVERIFY(text("aboutCopyright").contains("Zelta PPS contributors"));
    QVERIFY(!about.findChild<QLabel*>("programIcon")->pixmap().isNull());
    QVERIFY(about.findChild<QWidget*>("differenceUser")->isHidden());

    about.show();
    QVERIFY(QTest::qWaitForWindowExposed(&about));
    // With ZELTA_SHOTS_DIR set the box is saved there, for looking at.
    if (const QString dir = qEnvironmentVariable("ZELTA_SHOTS_DIR"); !dir.isEmpty()) {
      QDir().mkpath(dir);
      QVERIFY(about.grab().save(QDir(dir).filePath("about.png")));
    }
    auto* website = about.findChild<QLabel*>("website");
    QTest::mouseClick(website, Qt::LeftButton, {}, QPoint(4, website->height() / 2));
    QCOMPARE(desktop.urls, QList<QUrl>{QUrl("https://zelta-pps.example.org/")});
    QVERIFY(about.isVisible());

    auto* ok = about.findChild<QPushButton*>("okButton");
    QCOMPARE(ok->text(), QString("OK"));
    QVERIFY(ok->isDefault());
    QTest::keyClick(&about, Qt::Key_Return);
    QVERIFY(!about.isVisible());
    QCOMPARE(about.result(), int(QDialog::Accepted));
  }
};

QTEST_MAIN(HelpAboutTest)
#include "help_about_test.moc"
