// The service window over a scripted link: what it shows, what its keys and
// fields pass to the rules, and how it is laid out. With ZELTA_SHOTS_DIR
// set, every page is also saved there as a PNG.
#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QRadioButton>
#include <QStackedWidget>
#include <QtTest/QTest>
#include <deque>
#include <functional>
#include <memory>
#include <vector>

// Core headers name members "slots"; Qt's keyword macro must not see them.
#pragma push_macro("slots")
#undef slots
#include "codeplug/new_codeplug.h"
#include "layout_check.h"
#include "support/recording_reporter.h"
#pragma pop_macro("slots")
#include "ui/service_window.h"

namespace rc = zelta::errors::code;
using zelta::window::AdjustField;
using zelta::window::ServicePage;
using zelta::window::WindowKey;

using zelta::testing::checkLayout;

namespace {

// Answers from a queue ("." once empty), records what was sent.
class ScriptedLink : public zelta::window::ServiceLink {
 public:
  std::vector<std::pair<std::uint8_t, int>> sent;
  std::deque<zelta::link::TestReply> replies;
  int programs = 0;
  std::function<void()> during;

  ModeSwitch switchMode(zelta::link::PagerMode) override {
    call();
    return {rc::Ok, -60};
  }
  zelta::errors::ResultCode enterTestMode() override {
    call();
    return rc::Ok;
  }
  zelta::link::TestReply sendTestCommand(std::uint8_t command, int replyKind) override {
    sent.emplace_back(command, replyKind);
    call();
    zelta::link::TestReply r;
    r.bytes[0] = '.';
    r.count = 1;
    if (!replies.empty()) {
      r = replies.front();
      replies.pop_front();
    }
    return r;
  }
  zelta::errors::OperationOutcome program() override {
    ++programs;
    call();
    return zelta::errors::OperationOutcome::done(true);
  }
  int rateCode() const override { return 170; }

 private:
  void call() {
    if (during) during();
  }
};

// A service window over a new codeplug of the model, shown and active.
struct Harness {
  explicit Harness(zelta::models::ModelCode model) {
    zelta::codeplug::setUpNewCodeplug(model, *image, settings);
    controller =
        std::make_unique<zelta::window::ServiceController>(settings, model, link, reporter);
    window = std::make_unique<zelta::ui::TFmService>(*controller, nullptr);
    window->show();
    QApplication::setActiveWindow(window.get());
  }
  template <class W = QWidget>
  W* find(const char* name) const {
    return window->findChild<W*>(name);
  }
  QLineEdit* field(AdjustField f) const {
    return find<QLineEdit>(zelta::window::adjustFieldInfo(f).name.data());
  }
  int shownPage() const { return find<QStackedWidget>("servicePgc")->currentIndex(); }
  QStringList enabledItems() const {
    QStringList names;
    for (const zelta::window::ServiceMenuItem& item : zelta::window::kServiceMenuItems) {
      if (window->action(QString::fromUtf8(item.name.data()))->isEnabled())
        names << QString::fromUtf8(item.name.data());
    }
    return names;
  }
  void openAdjust() {
    reporter.answer(true);
    window->runKey(WindowKey::F3);
  }

  std::unique_ptr<zelta::codeplug::CodeplugImage> image =
      std::make_unique<zelta::codeplug::CodeplugImage>();
  zelta::codeplug::SettingsRecord settings;
  ScriptedLink link;
  zelta::testing::RecordingReporter reporter;
  std::unique_ptr<zelta::window::ServiceController> controller;
  std::unique_ptr<zelta::ui::TFmService> window;
};

void shoot(QWidget& window, const QString& name) {
  QVERIFY(QTest::qWaitForWindowExposed(&window));
  checkLayout(window);
  const QString dir = qEnvironmentVariable("ZELTA_SHOTS_DIR");
  if (dir.isEmpty()) return;
  QDir().mkpath(dir);
  QVERIFY(window.grab().save(QDir(dir).filePath(name + ".png")));
}

}  // namespace

class ServiceWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void opensOnItsMainPageWithTheMenuOfIt() {
    Harness h(0x30);
    QCOMPARE(h.window->windowTitle(), QString("Zelta Orvel PPS - Service "));
    QCOMPARE(h.shownPage(), 0);
    QMenu* menu = h.window->menuBar()->findChild<QMenu*>("menuService");
    QVERIFY(menu != nullptr);
    QCOMPARE(menu->title(), QString("&Service"));
    QStringList items;
    for (QAction* a : menu->actions())
      items << (a->isSeparator() ? QString("-") : a->text() + " " + a->shortcut().toString());
    QCOMPARE(items,
             (QStringList{"&Help F1", "&Adjust Hardware Tuned Values F3", "&Test Mode F5",
                          "&Quick Page F6", "&Keep Only Good Messages  F7", "Set &Chirp Mode F9",
                          "E&xit F10", "-", "&Program F2", "&Send Command F8"}));
    QCOMPARE(h.enabledItems(), (QStringList{"smenuHelp", "smenuAdjust", "smenuTest", "smenuQuick",
                                            "smenuMsg", "smenuChirp", "smenuExit"}));
    QCOMPARE(h.find<QLabel>("statusOperation")->text(), QString());
    QCOMPARE(h.find<QLabel>("statusKeys")->text(), QString());
    QCOMPARE(h.find<QComboBox>("serviceComboAnn")->currentText(), QString("ALL ON"));
  }

  // The window's shortcuts reach only the items the page offers: the
  // disabled Program item does not program from the main page.
  void shortcutsRunOnlyTheOfferedItems() {
    Harness h(0x30);
    QVERIFY(QTest::qWaitForWindowActive(h.window.get()));
    QTest::keyClick(h.window.get(), Qt::Key_F2);
    QCOMPARE(h.link.programs, 0);
    QVERIFY(h.reporter.shown.empty());
    h.reporter.answer(true);
    QTest::keyClick(h.window.get(), Qt::Key_F3);
    QCOMPARE(h.reporter.asked.size(), std::size_t{1});
    QCOMPARE(h.reporter.asked[0].code, rc::ServiceTuningWarning);
    QCOMPARE(h.shownPage(), 1);
    QCOMPARE(h.find<QLabel>("servicePageCaption")->text(), QString("Adjust Hardware Tuned Values"));
    QCOMPARE(h.find<QLabel>("statusKeys")->text(), QString("F1-Help | F2-Program | F10-Exit"));
    QCOMPARE(h.enabledItems(), (QStringList{"smenuHelp", "smenuExit", "smenuProgram"}));
    QTest::keyClick(h.window.get(), Qt::Key_F5);  // not offered here
    QCOMPARE(h.shownPage(), 1);
    QTest::keyClick(h.window.get(), Qt::Key_F10);
    QCOMPARE(h.shownPage(), 0);
    QVERIFY(h.window->isVisible());
  }

  void numberFieldsTakeDigitsOnly() {
    Harness h(0x30);
    h.openAdjust();
    QLineEdit* text = h.field(AdjustField::TextContrast);
    text->setFocus();
    text->selectAll();
    QTest::keyClicks(text, "1a-2 7");
    QCOMPARE(text->text(), QString("12"));
    QCOMPARE(h.controller->view().adjust.textContrast, std::string("12"));
    QLineEdit* icon = h.field(AdjustField::IconContrast);
    icon->setFocus();
    icon->selectAll();
    QTest::keyClicks(icon, "x23");
    QCOMPARE(icon->text(), QString("2"));
  }

  void theLcdPairShowsOnFamilyDAndFollowsTheFirstValue() {
    Harness d(0x98);
    d.openAdjust();
    QVERIFY(d.find<QGroupBox>("GroupBox1")->isVisible());
    QVERIFY(!d.find<QGroupBox>("GroupBox2")->isVisible());
    QLineEdit* first = d.field(AdjustField::Lcd1);
    first->setFocus();
    first->selectAll();
    QTest::keyClicks(first, "7");
    QCOMPARE(d.field(AdjustField::Lcd2)->text(), QString("22"));
    QTest::keyClick(first, Qt::Key_Backspace);
    QCOMPARE(first->text(), QString("0"));
    QCOMPARE(d.field(AdjustField::Lcd2)->text(), QString("15"));
    QVERIFY(d.field(AdjustField::Lcd2)->isReadOnly());

    Harness a(0x30);
    a.openAdjust();
    QVERIFY(!a.find<QGroupBox>("GroupBox1")->isVisible());
    QVERIFY(a.find<QGroupBox>("GroupBox2")->isVisible());
  }

  void leavingAnIllegalValueReportsItAndTakesTheFocusBack() {
    Harness h(0x30);
    h.openAdjust();
    QVERIFY(QTest::qWaitForWindowActive(h.window.get()));
    QLineEdit* text = h.field(AdjustField::TextContrast);
    text->setFocus();
    text->selectAll();
    QTest::keyClicks(text, "20");
    QTest::keyClick(text, Qt::Key_Tab);
    QTRY_COMPARE(h.reporter.shown.size(), std::size_t{1});
    QCOMPARE(h.reporter.shown[0].text, zelta::errors::reportText(rc::TextContrast, {}));
    QCOMPARE(QApplication::focusWidget(), text);
    QCOMPARE(text->selectedText(), QString("20"));
    // F2 refuses it too, and nothing is programmed.
    h.window->runKey(WindowKey::F2);
    QCOMPARE(h.reporter.shown.size(), std::size_t{2});
    QCOMPARE(h.link.programs, 0);
    QVERIFY(h.window->isVisible());
  }

  void enterMovesToTheNextControl() {
    Harness h(0x30);
    h.openAdjust();
    QVERIFY(QTest::qWaitForWindowActive(h.window.get()));
    auto* second = h.find<QComboBox>("cb_secondAdjustValue");
    QCOMPARE(QApplication::focusWidget(), second);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), h.field(AdjustField::TextContrast));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Enter);
    QCOMPARE(QApplication::focusWidget(), h.field(AdjustField::IconContrast));
    // Escape does not drop the window.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    QVERIFY(h.window->isVisible());
  }

  void f10OnTheAdjustPageShowsTheValuesItOpenedWith() {
    Harness h(0x98);
    h.openAdjust();
    auto* second = h.find<QComboBox>("cb_secondAdjustValue");
    const QString shown = second->currentText();
    second->setCurrentIndex(9);
    emit second->activated(9);
    QCOMPARE(h.settings.serviceAdjust, 9);
    QLineEdit* first = h.field(AdjustField::Lcd1);
    first->setFocus();
    first->selectAll();
    QTest::keyClicks(first, "9");
    h.window->runKey(WindowKey::F10);
    QCOMPARE(h.shownPage(), 0);
    h.openAdjust();
    QCOMPARE(second->currentText(), shown);
    QCOMPARE(first->text(), QString("0"));
    QCOMPARE(h.field(AdjustField::Lcd2)->text(), QString("15"));
  }

  void theTestPageSendsTheChosenTestAndShowsItsResult() {
    Harness h(0x98);
    h.window->runKey(WindowKey::F5);
    QCOMPARE(h.shownPage(), 2);
    QCOMPARE(h.find<QLabel>("statusKeys")->text(), QString("F1-Help | F8-Scan Command | F10-Exit"));
    QStringList captions;
    for (QRadioButton* r : h.find<QWidget>("servicePage2")->findChildren<QRadioButton*>())
      captions << r->text();
    QCOMPARE(captions.size(), 12);
    QCOMPARE(captions.first(), QString("Exit Test Mode"));
    QCOMPARE(captions.last(), QString("Standby Current Test"));
    auto* result = h.find<QLineEdit>("resultEdit");
    QVERIFY(result->isReadOnly());

    h.find<QRadioButton>("serviceRadio04")->click();  // Key Test
    zelta::link::TestReply key;
    key.bytes = {'.', 0x10, 0};
    key.count = 2;
    h.link.replies.push_back(key);
    h.window->runKey(WindowKey::F8);
    QCOMPARE(h.link.sent.back(), (std::pair<std::uint8_t, int>{0x06, 6}));
    QCOMPARE(result->text(), QString("LEFT KEY     "));

    h.find<QRadioButton>("serviceRadio02")->click();           // Annunciator Test
    h.find<QComboBox>("serviceComboAnn")->setCurrentIndex(9);  // EXIT
    h.window->runKey(WindowKey::F8);
    QCOMPARE(result->text(), QString());
    QCOMPARE(h.link.sent.back(), (std::pair<std::uint8_t, int>{0x68, 3}));

    h.window->runKey(WindowKey::F10);
    QCOMPARE(h.link.sent.back(), (std::pair<std::uint8_t, int>{0x00, 0}));
    QCOMPARE(h.shownPage(), 0);
  }

  void busyDisablesTheMenuAndThePagesAndShowsTheOperation() {
    Harness h(0x30);
    h.openAdjust();
    bool menuOff = false;
    bool pagesOff = false;
    QStringList itemsOn{"<none seen>"};
    QString status;
    h.link.during = [&] {
      h.window->showView();  // as the link runner draws it before the work
      menuOff = !h.window->menuBar()->isEnabled();
      pagesOff = !h.find<QStackedWidget>("servicePgc")->isEnabled();
      itemsOn = h.enabledItems();
      status = h.find<QLabel>("statusOperation")->text();
    };
    h.window->runKey(WindowKey::F2);
    QVERIFY(menuOff);
    QVERIFY(pagesOff);
    QVERIFY(itemsOn.isEmpty());
    QCOMPARE(status, QString("Programming - Please wait. (Rate: 4800bps)"));
    QCOMPARE(h.link.programs, 1);
    QVERIFY2(!h.window->isVisible(), "F2 closes the window once programmed");
  }

  void closingOnTheTestPageLeavesTestMode() {
    Harness h(0x98);
    h.window->runKey(WindowKey::F5);
    QVERIFY(h.window->close());
    QCOMPARE(h.link.sent.back(), (std::pair<std::uint8_t, int>{0x00, 0}));
    QVERIFY(h.controller->closed());
  }

  // Tab enters the tests at the chosen one (arrows move among them), then
  // the annunciator list and the result.
  void tabVisitsTheControlsInOrder() {
    Harness h(0x30);
    h.window->runKey(WindowKey::F5);
    QStringList order;
    QWidget* first = h.find<QRadioButton>("serviceRadio02");
    QWidget* w = first;
    do {
      if ((w->focusPolicy() & Qt::TabFocus) && w->isVisibleTo(h.window.get()))
        order << w->objectName();
      w = w->nextInFocusChain();
    } while (w != first);
    QCOMPARE(order, (QStringList{"serviceRadio02", "serviceComboAnn", "resultEdit"}));
  }

  // Each page at the size the window takes: nothing cut short, nothing over
  // anything else.
  void thePagesAreLaidOut_data() {
    QTest::addColumn<int>("model");
    QTest::newRow("family A") << 0x30;
    QTest::newRow("family D") << 0x98;
  }
  void thePagesAreLaidOut() {
    QFETCH(int, model);
    Harness h(static_cast<zelta::models::ModelCode>(model));
    const QString prefix = QString("service-%1-").arg(model, 2, 16, QChar('0'));
    shoot(*h.window, prefix + "main");
    h.openAdjust();
    shoot(*h.window, prefix + "adjust");
    h.window->runKey(WindowKey::F10);
    h.window->runKey(WindowKey::F5);
    shoot(*h.window, prefix + "test");
  }
};

QTEST_MAIN(ServiceWindowTest)
#include "service_window_test.moc"
