#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QWheelEvent>
#include <QtTest/QTest>

#include "editing_pages_harness.h"
#include "pages/edit_mask.h"
#include "pages/field_catalog.h"
#include "shown_fields.h"
#include "ui/qt_text.h"

using zelta::testing::changedSettings;
using zelta::testing::EditingPagesHarness;
using zelta::testing::settingsText;
namespace pages = zelta::pages;
using Settings = std::map<std::string, std::string>;

using zelta::ui::qs;

namespace {

QString describe(const Settings& settings) {
  QStringList parts;
  for (const auto& [name, text] : settings) parts << qs(name) + "=" + qs(text);
  return parts.join(", ");
}

// A text or masked field made empty, the cursor at its start.
void emptyField(const pages::FieldEntry& field, QLineEdit* edit) {
  if (field.kind == pages::FieldKind::Masked) {
    edit->setText(qs(pages::EditMask::parse(field.mask)->display({})));
  } else {
    edit->clear();
  }
  edit->setCursorPosition(0);
}

// Focus moves by the keyboard, as the user tabs through a page.
void focus(QWidget* widget) {
  widget->setFocus(Qt::TabFocusReason);
  QApplication::processEvents();
}

}  // namespace

class EditingPagesTest : public QObject {
  Q_OBJECT

 private slots:
  // ---- Key filters and masks through the real widgets ----

  void keyFiltersAndMasks_data() {
    QTest::addColumn<int>("model");
    QTest::addColumn<int>("headerType");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("paste");
    QTest::addColumn<QString>("shown");

    QTest::newRow("decimal drops letters") << 0x91 << 0 << "ed_code01"
                                           << "12a3b" << false << "123";
    QTest::newRow("decimal stops at 7") << 0x91 << 0 << "ed_code01"
                                        << "123456789" << false << "1234567";
    QTest::newRow("Y/N drops 5, upper-cases y") << int('p') << 0 << "ed_priority01"
                                                << "5yNq" << false << "YN";
    QTest::newRow("functions drop G") << int('p') << 0 << "ed_function01"
                                      << "tGnax" << false << "TNAX";
    QTest::newRow("functions: no I without a character ROM") << int('p') << 0 << "ed_function01"
                                                             << "itn" << false << "TN__";
    QTest::newRow("model 35: code 2 takes only I and X") << 0x23 << 1 << "ed_function02"
                                                         << "tnaix" << false << "IX__";
    QTest::newRow("model 35: other codes take T N A I X") << 0x23 << 1 << "ed_function01"
                                                          << "itnx" << false << "ITNX";
    QTest::newRow("on/off duty takes Y and N") << 0x91 << 0 << "ed_onOffDuty01"
                                               << "yxnY" << false << "YNY_";
    QTest::newRow("model 32 prompt refuses * and !") << 0x20 << 0 << "ed_setLockPrompt"
                                                     << "a*b!c" << false << "ABC";
    QTest::newRow("other prompts take * and !") << int('p') << 0 << "ed_setLockPrompt"
                                                << "a*b!c" << false << "A*B!C";
    QTest::newRow("hexadecimal takes the point") << int('p') << 0 << "ed_endMsgChar"
                                                 << "g7." << false << "7.";
    QTest::newRow("letters and digits") << int('p') << 0 << "ed_downloadPassword"
                                        << "ab-1 c#" << false << "AB1 C";
    QTest::newRow("user text upper-cased") << 0x91 << 0 << "ed_ICN"
                                           << "ab12" << false << "AB12";
    QTest::newRow("frequency steps over its point") << 0x91 << 0 << "ed_frequency"
                                                    << "15801250" << false << "158.01250";
    QTest::newRow("frequency drops letters") << 0x91 << 0 << "ed_frequency"
                                             << "1a5x8" << false << "158.00000";
    QTest::newRow("timeout hours: digits") << 0x98 << 0 << "ed_cpwFc_Pswd_Timeout_h"
                                           << "1x2" << false << "12";
    QTest::newRow("pasted code keeps digits") << 0x91 << 0 << "ed_code01"
                                              << "12ab34" << true << "1234";
    QTest::newRow("pasted functions filtered and masked") << 0x91 << 0 << "ed_function01"
                                                          << "x n,t" << true << "XNT_";
    QTest::newRow("pasted prompt upper-cased") << int('p') << 0 << "ed_setLockPrompt"
                                               << "hi there!" << true << "HI THERE!";
    QTest::newRow("pasted text stops at the maximum") << 0x91 << 0 << "ed_priority01"
                                                      << "yynnyy" << true << "YYNN";
  }

  void keyFiltersAndMasks() {
    QFETCH(int, model);
    QFETCH(int, headerType);
    QFETCH(QString, field);
    QFETCH(QString, typed);
    QFETCH(bool, paste);
    QFETCH(QString, shown);
    EditingPagesHarness h(static_cast<zelta::models::ModelCode>(model));
    h.events.context.headerType = static_cast<std::uint8_t>(headerType);
    if (field.startsWith("ed_onOffDuty")) {
      // The duty columns take typing while duty is enabled.
      zelta::codeplug::writeSettingsField(h.events.settings, "cb_onOffDuty", 1);
      h.editing.refill();
    }
    const pages::FieldEntry* entry = pages::findField(field.toStdString());
    QVERIFY(entry != nullptr);
    h.showPage(entry->page);
    auto* edit = h.find<QLineEdit>(entry->name);
    QVERIFY(edit != nullptr);
    emptyField(*entry, edit);
    if (paste) {
      QApplication::clipboard()->setText(typed);
      QTest::keySequence(edit, QKeySequence::Paste);
    } else {
      QTest::keyClicks(edit, typed);
    }
    QCOMPARE(edit->text(), shown);
  }

  // A field shown filled by the rules takes typing as the function field
  // beside it does: a code's "NONE" gives way to the first digit, a full
  // field is overtyped at the cursor (and drops keys at its end), a field
  // with room takes the key at the cursor. The field is clicked into, as
  // the technician does, then typed into.
  void typingIntoFilledFields_data() {
    QTest::addColumn<int>("model");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("before");  // what the field holds first; empty: as shown
    QTest::addColumn<int>("cursor");      // -1: the end
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");

    QTest::newRow("code: NONE gives way to the digits") << 0x91 << "ed_code02"
                                                        << "" << -1 << "1234"
                                                        << "1234";
    QTest::newRow("code: NONE at its start too") << 0x91 << "ed_code02"
                                                 << "" << 0 << "7"
                                                 << "7";
    QTest::newRow("code: NONE ignores letters") << 0x91 << "ed_code02"
                                                << "" << 0 << "a"
                                                << "NONE   ";
    QTest::newRow("code: full, overtyped at the cursor") << 0x91 << "ed_code01"
                                                         << "1234567" << 2 << "90"
                                                         << "1290567";
    QTest::newRow("code: full, nothing after its end") << 0x91 << "ed_code01"
                                                       << "1234567" << -1 << "8"
                                                       << "1234567";
    QTest::newRow("code: room left, inserted") << 0x91 << "ed_code01"
                                               << "12345" << 1 << "9"
                                               << "192345";
    QTest::newRow("priority: four letters overtyped") << 0x91 << "ed_priority01"
                                                      << "NNNN" << 1 << "yy"
                                                      << "NYYN";
    QTest::newRow("priority: refused key leaves it") << 0x91 << "ed_priority01"
                                                     << "NNNN" << 0 << "5"
                                                     << "NNNN";
    QTest::newRow("priority: nothing after its end") << 0x91 << "ed_priority01"
                                                     << "NNNN" << -1 << "Y"
                                                     << "NNNN";
    QTest::newRow("functions: overtyped (masked)") << 0x91 << "ed_function01"
                                                   << "XXXX" << 1 << "ta"
                                                   << "XTAX";
    QTest::newRow("prompt: full, overtyped") << 0x91 << "ed_setLockPrompt"
                                             << "ABCDEFGHIJKLMNOPQRST" << 0 << "zz"
                                             << "ZZCDEFGHIJKLMNOPQRST";
    QTest::newRow("prompt: room left, inserted") << 0x91 << "ed_setLockPrompt"
                                                 << "LOCK" << 4 << "ed"
                                                 << "LOCKED";
  }

  void typingIntoFilledFields() {
    QFETCH(int, model);
    QFETCH(QString, field);
    QFETCH(QString, before);
    QFETCH(int, cursor);
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    EditingPagesHarness h(static_cast<zelta::models::ModelCode>(model));
    const pages::FieldEntry* entry = pages::findField(field.toStdString());
    QVERIFY(entry != nullptr);
    h.showPage(entry->page);
    auto* edit = h.find<QLineEdit>(entry->name);
    QVERIFY(edit != nullptr);
    QTest::mouseClick(edit, Qt::LeftButton, {}, QPoint(edit->width() - 4, edit->height() / 2));
    QCOMPARE(QApplication::focusWidget(), edit);
    if (before.isEmpty()) {
      QVERIFY2(edit->text().trimmed() == "NONE", qPrintable(edit->text()));
    } else {
      edit->setText(before);
    }
    edit->setCursorPosition(cursor < 0 ? static_cast<int>(edit->text().size()) : cursor);
    QTest::keyClicks(edit, typed);
    QCOMPARE(edit->text(), shown);
  }

  // Delete and Backspace do nothing in a function field; the frequency, a
  // masked field without that filter, blanks a position; a text field deletes.
  void editKeysFollowTheMaskRules() {
    EditingPagesHarness h(0x91);
    h.showPage(pages::Page::Code1to4);
    auto* functions = h.find<QLineEdit>("ed_function01");
    emptyField(*pages::findField("ed_function01"), functions);
    QTest::keyClicks(functions, "tnax");
    functions->setCursorPosition(2);
    QTest::keyClick(functions, Qt::Key_Backspace);
    QTest::keyClick(functions, Qt::Key_Delete);
    QTest::keyClick(functions, Qt::Key_X, Qt::ControlModifier);  // cut
    QCOMPARE(functions->text(), QString("TNAX"));

    h.showPage(pages::Page::General);
    auto* frequency = h.find<QLineEdit>("ed_frequency");
    emptyField(*pages::findField("ed_frequency"), frequency);
    QTest::keyClicks(frequency, "15801250");
    frequency->setCursorPosition(2);
    QTest::keyClick(frequency, Qt::Key_Backspace);
    QCOMPARE(frequency->text(), QString("108.01250"));
    frequency->setCursorPosition(4);
    QTest::keyClick(frequency, Qt::Key_Backspace);  // over the point: the digit before it
    QCOMPARE(frequency->text(), QString("100.01250"));

    h.showPage(pages::Page::Code1to4);
    auto* code = h.find<QLineEdit>("ed_code01");
    code->setText("123");
    code->end(false);
    QTest::keyClick(code, Qt::Key_Backspace);
    QCOMPARE(code->text(), QString("12"));
  }

  // ---- Shown text equals the rules' view, one model of each family ----

  void everyFieldShowsItsView_data() {
    QTest::addColumn<int>("model");
    QTest::newRow("old format 0x20") << 0x20;
    QTest::newRow("A 0x30") << 0x30;
    QTest::newRow("B p") << int('p');
    QTest::newRow("C q") << int('q');
    QTest::newRow("D 0x91") << 0x91;
    QTest::newRow("E 0x93") << 0x93;
    QTest::newRow("F 0x98") << 0x98;
  }

  void everyFieldShowsItsView() {
    QFETCH(int, model);
    EditingPagesHarness h(static_cast<zelta::models::ModelCode>(model));
    int compared = 0;
    zelta::testing::compareShownFields([&](pages::Page p) { return h.events.pageView(p); }, h.tabs,
                                       zelta::testing::ListCheck::ItemsAndIndex, compared);
    if (QTest::currentTestFailed()) return;
    QVERIFY(compared > 40);
  }

  // ---- Typing stores exactly the field typed into ----

  void typingACodeStoresIt() {
    EditingPagesHarness h(0x91);
    h.showPage(pages::Page::Code1to4);
    const Settings before = settingsText(h.events.settings);
    auto* code = h.find<QLineEdit>("ed_code02");
    focus(code);
    code->selectAll();
    QTest::keyClicks(code, "1654321");
    h.editing.commitFocusedField();
    const Settings changed = changedSettings(before, h.events.settings);
    QVERIFY2(changed == (Settings{{"ed_code02", "1654321"}}), qPrintable(describe(changed)));
    QCOMPARE(code->text(), QString("1654321"));
  }

  void typingFunctionsStoresThem() {
    EditingPagesHarness h(0x91);
    h.showPage(pages::Page::Code1to4);
    auto* functions = h.find<QLineEdit>("ed_function01");
    focus(functions);
    const Settings before = settingsText(h.events.settings);
    QString expected = functions->text();
    expected.replace(0, 2, "TA");
    functions->setCursorPosition(0);
    QTest::keyClicks(functions, "ta");
    QTest::keyClick(functions, Qt::Key_Tab);  // leaving the field stores it
    const Settings changed = changedSettings(before, h.events.settings);
    QVERIFY2(changed == (Settings{{"ed_function01", expected.toStdString()}}),
             qPrintable(describe(changed)));
  }

  void typingAPromptStoresIt() {
    EditingPagesHarness h(0x91);
    h.showPage(pages::Page::Prompt1);
    auto* prompt = h.find<QLineEdit>("ed_setLockPrompt");
    focus(prompt);
    const Settings before = settingsText(h.events.settings);
    prompt->selectAll();
    QTest::keyClicks(prompt, "locked!");
    QTest::keyClick(prompt, Qt::Key_Tab);
    const Settings changed = changedSettings(before, h.events.settings);
    QVERIFY2(changed == (Settings{{"ed_setLockPrompt", "LOCKED!"}}), qPrintable(describe(changed)));
  }

  void choosingAListItemStoresIt() {
    EditingPagesHarness h(0x91);
    h.showPage(pages::Page::General);
    auto* coding = h.find<QComboBox>("cb_codingFormat");
    focus(coding);
    const Settings before = settingsText(h.events.settings);
    const int next = coding->currentIndex() == 0 ? 1 : 0;
    QTest::keyClick(coding, next == 1 ? Qt::Key_Down : Qt::Key_Up);
    const Settings changed = changedSettings(before, h.events.settings);
    QVERIFY2(changed == (Settings{{"cb_codingFormat", std::to_string(next)}}),
             qPrintable(describe(changed)));
  }

  // Scrolling the page over a list that was not entered leaves it alone.
  void theWheelChangesOnlyAnEnteredList() {
    EditingPagesHarness h(0x91);
    h.showPage(pages::Page::General);
    auto* coding = h.find<QComboBox>("cb_codingFormat");
    const int before = coding->currentIndex();
    focus(h.find<QLineEdit>("ed_ICN"));
    const QPoint centre = coding->rect().center();
    QWheelEvent wheel(centre, coding->mapToGlobal(centre), QPoint(), QPoint(0, -120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(coding, &wheel);
    QCOMPARE(coding->currentIndex(), before);
    QCOMPARE(h.events.settings.codingFormat, before);

    focus(coding);  // entered, the list takes the wheel and stores the choice
    QApplication::sendEvent(coding, &wheel);
    QVERIFY(coding->currentIndex() != before);
    QCOMPARE(h.events.settings.codingFormat, coding->currentIndex());
  }

  // ---- Exits ----

  // Leaving a field stores it once; the command's store before it and a
  // later move of the focus do not store it again.
  void aFieldIsStoredOncePerEdit() {
    EditingPagesHarness h(0x91);
    h.showPage(pages::Page::Code1to4);
    auto* code = h.find<QLineEdit>("ed_code01");
    focus(code);
    QTest::keyClicks(code, "1");
    h.editing.commitFocusedField();
    QCOMPARE(h.events.exits, 1);
    h.editing.commitFocusedField();
    focus(h.find<QLineEdit>("ed_code02"));
    QCOMPARE(h.events.exits, 1);
  }

  // A message box raised by a field's exit takes the focus; that neither
  // stores the field again nor shows the message twice, and the refused
  // text stays in its field.
  void aMessageBoxFromAnExitDoesNotRepeatIt() {
    struct BoxingEvents : zelta::testing::RulesFieldEvents {
      using RulesFieldEvents::RulesFieldEvents;
      int boxes = 0;
      zelta::errors::ResultCode fieldLeft(const pages::FieldInput& input) override {
        const zelta::errors::ResultCode result = RulesFieldEvents::fieldLeft(input);
        if (result != zelta::errors::code::Ok) {
          ++boxes;
          QTimer::singleShot(0, [] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()))
              box->button(QMessageBox::Ok)->click();
          });
          QMessageBox::warning(nullptr, "ERROR", "refused");
        }
        return result;
      }
    };
    BoxingEvents events(0x98);
    EditingPagesHarness h(0x98);
    h.editing.attach(&events);
    h.showPage(pages::Page::PasswordOta);
    QVERIFY(QTest::qWaitForWindowActive(&h.tabs));
    auto* hours = h.find<QLineEdit>("ed_cpwFc_Pswd_Timeout_h");
    QVERIFY(hours->isVisible());
    focus(hours);
    hours->selectAll();
    QTest::keyClicks(hours, "99");
    QTest::keyClick(hours, Qt::Key_Tab);
    QTRY_COMPARE(events.boxes, 1);
    QApplication::processEvents();
    QCOMPARE(events.exits, 1);
    QCOMPARE(hours->text(), QString("99"));
    h.editing.commitFocusedField();  // the field now focused was not edited
    QCOMPARE(events.boxes, 1);
    h.editing.attach(nullptr);
  }

  // ---- Alt+R and the Play tone buttons ----

  void altRTogglesAPromptDefault() {
    EditingPagesHarness h(0x30);
    h.showPage(pages::Page::Prompt1);
    auto* prompt = h.find<QLineEdit>("ed_standardAlertPrompt");
    focus(prompt);
    const Settings before = settingsText(h.events.settings);
    QTest::keyClick(prompt, Qt::Key_R, Qt::AltModifier);
    QTest::keyClick(prompt, Qt::Key_Tab);
    const Settings changed = changedSettings(before, h.events.settings);
    QVERIFY2(changed.size() == 1, qPrintable(describe(changed)));
    QCOMPARE(changed.begin()->first, std::string("ed_standardAlertPrompt"));
    QCOMPARE(prompt->text(), qs(changed.begin()->second));
  }

  void playToneFollowsTheFieldEntered() {
    EditingPagesHarness h(0x91);
    zelta::codeplug::writeSettingsField(h.events.settings, "cb_newAlertMenu", 1);
    h.editing.refill();
    h.showPage(pages::Page::Code1to4);
    QVERIFY(h.find<QComboBox>("cb_alertPattern01_1")->isEnabled());
    focus(h.find<QComboBox>("cb_alertPattern01_1"));
    for (const char* name : {"listenBtn01", "listenBtn02", "listenBtn03", "listenBtn04"}) {
      auto* button = h.find<QPushButton>(name);
      QVERIFY(button != nullptr);
      QVERIFY2(button->isEnabled(), name);
      QCOMPARE(button->toolTip(), QString("Sound Preview"));
    }
    focus(h.find<QLineEdit>("ed_code01"));
    QVERIFY(!h.find<QPushButton>("listenBtn01")->isEnabled());
  }
};

QTEST_MAIN(EditingPagesTest)
#include "editing_pages_test.moc"
