#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest/QTest>
#include <vector>

// Core headers name members "slots"; Qt's keyword macro must not see them.
#pragma push_macro("slots")
#undef slots
#include "codes/pleasing_alert.h"
#include "codes/tone_synthesizer.h"
#include "core/codes/recording_tone_output.h"
#include "support/recording_reporter.h"
#include "ui/audio_tone_output.h"
#include "ui/keypad_dialog.h"
#include "ui/pleasing_alert_dialog.h"
#pragma pop_macro("slots")

namespace codes = zelta::codes;
using zelta::testing::RecordingReporter;
using zelta::ui::KeypadDialog;
using zelta::ui::PleasingAlertDialog;

namespace {

// A tone as measured from the samples: its length and the frequency its
// zero crossings give (0 for silence).
struct MeasuredTone {
  double ms = 0;
  double hz = 0;
};

// Splits PCM into tones by the length of its half periods (the runs of
// samples of one sign): a tone ends where the runs change length by more
// than a quarter, and silence is a tone of its own. The runs cut at a tone's
// edges are counted into the tone's length but not into its frequency.
std::vector<MeasuredTone> measureTones(const std::vector<std::int16_t>& pcm, int rate) {
  struct Run {
    int sign;
    int length;
  };
  std::vector<Run> runs;
  for (std::int16_t s : pcm) {
    const int sign = (s > 0) - (s < 0);
    if (!runs.empty() && runs.back().sign == sign) {
      ++runs.back().length;
    } else {
      runs.push_back({sign, 1});
    }
  }
  struct Segment {
    int samples = 0;
    int fullRuns = 0;
    int fullSamples = 0;
    int runLength = 0;  // the first run's, for the comparison
    bool silent = false;
  };
  std::vector<Segment> segments;
  for (std::size_t i = 0; i < runs.size(); ++i) {
    const Run& run = runs[i];
    const bool silent = run.sign == 0;
    const bool edge = i == 0 || i + 1 == runs.size();
    Segment* current = segments.empty() ? nullptr : &segments.back();
    const bool sameTone = current != nullptr && !silent && !current->silent &&
                          std::abs(run.length - current->runLength) * 4 <= current->runLength;
    if (!sameTone) {
      // A cut run between two tones belongs to the tone before it.
      const bool cut = current != nullptr && !silent && !current->silent && i + 1 < runs.size() &&
                       std::abs(runs[i + 1].length - run.length) * 4 > run.length;
      if (cut) {
        current->samples += run.length;
        continue;
      }
      segments.push_back({0, 0, 0, run.length, silent});
      current = &segments.back();
    }
    current->samples += run.length;
    if (!silent && !edge) {
      ++current->fullRuns;
      current->fullSamples += run.length;
    }
  }
  std::vector<MeasuredTone> tones;
  for (const Segment& s : segments) {
    MeasuredTone t;
    t.ms = 1000.0 * s.samples / rate;
    if (!s.silent && s.fullSamples > 0) t.hz = rate * s.fullRuns / (2.0 * s.fullSamples);
    tones.push_back(t);
  }
  return tones;
}

// A tone output that keeps the samples the sound device would get.
class PcmRecordingOutput : public codes::RecordingToneOutput {
 public:
  std::vector<std::vector<std::int16_t>> pcm;
  void play(std::span<const codes::ToneStep> steps) override {
    RecordingToneOutput::play(steps);
    pcm.push_back(codes::synthesizeTones(steps));
  }
};

codes::Melody melodyOfNotes(std::initializer_list<int> notes) {
  codes::Melody m{};
  std::size_t i = 0;
  for (int n : notes) m[i++] = static_cast<std::uint8_t>(0xE0 | n);
  return m;
}

}  // namespace

Q_DECLARE_METATYPE(codes::Melody)

class AlertDialogsTest : public QObject {
  Q_OBJECT

 private slots:
  // ---- Pleasing alert editor ----

  void escRestoresTheMelodyAsOpened() {
    codes::Melody melody = melodyOfNotes({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16});
    const codes::Melody opened = melody;
    codes::RecordingToneOutput output;
    PleasingAlertDialog dialog(melody, output);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    dialog.noteList(0)->setCurrentIndex(24);
    dialog.noteList(15)->setCurrentIndex(0);
    QTest::keyClick(dialog.noteList(7), Qt::Key_F6);  // the default melody
    QCOMPARE(melody, codes::defaultMelody());
    dialog.noteList(3)->setCurrentIndex(20);
    QVERIFY(melody != opened);

    QTest::keyClick(dialog.noteList(3), Qt::Key_Escape);
    QCOMPARE(melody, opened);
    QVERIFY(dialog.isVisible());  // Esc aborts the edits, not the window
    for (std::size_t i = 0; i < codes::kMelodySteps; ++i)
      QCOMPARE(dialog.noteList(i)->currentIndex(), int(i) + 1);
    // Showing the melody again previews nothing.
    QCOMPARE(output.played.size(), std::size_t(3));
  }

  void aChangedNoteKeepsItsUpperBitsAndIsPreviewed() {
    codes::Melody melody = codes::defaultMelody();
    melody[1] = 0x49;
    melody[2] = 0x09;
    codes::RecordingToneOutput output;
    PleasingAlertDialog dialog(melody, output);
    QCOMPARE(dialog.noteList(1)->currentIndex(), 9);
    QCOMPARE(dialog.noteList(1)->count(), 25);
    QCOMPARE(dialog.noteList(1)->itemText(6), QString("960 Hz"));
    dialog.noteList(1)->setCurrentIndex(24);
    dialog.noteList(2)->setCurrentIndex(0);
    QCOMPARE(int(melody[1]), 0x58);
    QCOMPARE(int(melody[2]), 0x00);
    QCOMPARE(int(melody[0]), 0xE9);
    QCOMPARE(output.played.size(), std::size_t(2));
    QVERIFY((output.played[0] == std::vector<codes::ToneStep>{{6387, 50}}));
    QVERIFY((output.played[1] == std::vector<codes::ToneStep>{{0, 500}}));
  }

  void buttonsAndKeys() {
    codes::Melody melody = melodyOfNotes({3});
    codes::RecordingToneOutput output;
    PleasingAlertDialog dialog(melody, output);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QCOMPARE(dialog.windowTitle(), QString("Programmable Pleasing Alert"));
    auto* play = dialog.findChild<QPushButton*>("alertBtn1");
    auto* abort = dialog.findChild<QPushButton*>("alertBtn2");
    auto* byDefault = dialog.findChild<QPushButton*>("alertBtn3");
    auto* done = dialog.findChild<QPushButton*>("alertBtn4");
    QCOMPARE(play->text(), QString("ALT-A Play"));
    QCOMPARE(abort->text(), QString("ESC Abort"));
    QCOMPARE(byDefault->text(), QString("F6 Default"));
    QCOMPARE(done->text(), QString("F10 Done"));

    play->click();
    QTest::keyClick(dialog.noteList(0), Qt::Key_A, Qt::AltModifier);
    QCOMPARE(output.played.size(), std::size_t(2));
    QVERIFY(output.played[0] == codes::melodySchedule(melody));
    QTest::keyClick(dialog.noteList(0), Qt::Key_F1);  // nothing
    QVERIFY(dialog.isVisible());
    byDefault->click();
    QCOMPARE(melody, codes::defaultMelody());
    abort->click();
    QCOMPARE(melody, melodyOfNotes({3}));
    QTest::keyClick(dialog.noteList(0), Qt::Key_F10);
    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.result(), int(QDialog::Accepted));

    PleasingAlertDialog again(melody, output);
    again.show();
    QVERIFY(QTest::qWaitForWindowExposed(&again));
    again.findChild<QPushButton*>("alertBtn4")->click();
    QVERIFY(!again.isVisible());
  }

  // "ALT-A Play" hands the melody's schedule to the tone output; the samples
  // the sound device gets hold the tones' lengths and frequencies.
  void playSoundsTheMelody_data() {
    QTest::addColumn<codes::Melody>("melody");
    QTest::addColumn<QList<double>>("hz");  // one per tone, 0 for silence
    QTest::addColumn<QList<int>>("ms");
    QTest::newRow("sixteen equal notes: one tone")
        << codes::defaultMelody() << QList<double>{1300} << QList<int>{1000};
    codes::Melody alternating{};
    QList<double> hz;
    QList<int> ms;
    for (std::size_t i = 0; i < codes::kMelodySteps; ++i) {
      alternating[i] = i % 2 == 0 ? 0xE9 : 0xEE;
      hz << (i % 2 == 0 ? 1300 : 2403);
      ms << (i % 2 == 0 ? 63 : 62);  // 62.5 ms steps, boundaries rounded half up
    }
    QTest::newRow("alternating notes: sixteen tones") << alternating << hz << ms;
    QTest::newRow("a rest between two runs")
        << melodyOfNotes({24, 24, 24, 24, 0, 0, 0, 0, 1, 1, 1, 1, 1, 1, 1, 1})
        << QList<double>{6387, 0, 345} << QList<int>{250, 250, 500};
  }

  void playSoundsTheMelody() {
    QFETCH(codes::Melody, melody);
    QFETCH(QList<double>, hz);
    QFETCH(QList<int>, ms);
    PcmRecordingOutput output;
    PleasingAlertDialog dialog(melody, output);
    dialog.findChild<QPushButton*>("alertBtn1")->click();
    QCOMPARE(output.pcm.size(), std::size_t(1));
    const std::vector<MeasuredTone> tones =
        measureTones(output.pcm[0], codes::PcmFormat{}.sampleRate);
    QCOMPARE(tones.size(), std::size_t(hz.size()));
    for (qsizetype i = 0; i < hz.size(); ++i) {
      const auto& t = tones[static_cast<std::size_t>(i)];
      QVERIFY2(std::abs(t.ms - ms[i]) <= 0.5,
               qPrintable(QString("tone %1: %2 ms, not %3").arg(i).arg(t.ms).arg(ms[i])));
      QVERIFY2(std::abs(t.hz - hz[i]) <= hz[i] * 0.01,
               qPrintable(QString("tone %1: %2 Hz, not %3").arg(i).arg(t.hz).arg(hz[i])));
    }
  }

  // ---- User password keypad ----

  void keysComposeThePassword() {
    RecordingReporter reporter;
    KeypadDialog dialog("", reporter);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QCOMPARE(dialog.windowTitle(), QString("User Password"));
    auto* display = dialog.findChild<QLineEdit*>("ed_cpwFc_Password_LRUD");
    auto* digits = dialog.findChild<QLineEdit*>("ed_cpwFc_Password");
    auto* save = dialog.findChild<QPushButton*>("btnSave");
    QVERIFY(display->isReadOnly());
    QVERIFY(digits->isHidden());
    QCOMPARE(dialog.findChild<QPushButton*>("btnCancle")->text(), QString("Cancle"));
    QCOMPARE(dialog.findChild<QPushButton*>("userPasswordBtn3")->toolTip(),
             QString("Pager up key."));
    QVERIFY(!save->isEnabled());

    for (const char* key : {"userPasswordBtn1", "userPasswordBtn3", "userPasswordBtn4"})
      dialog.findChild<QPushButton*>(key)->click();
    QCOMPARE(digits->text(), QString("023"));
    QCOMPARE(display->text(), QString("L. U. D. "));
    QVERIFY(save->isEnabled());
    save->click();
    QVERIFY(!dialog.isVisible());
    QVERIFY(dialog.saved().has_value());
    QCOMPARE(dialog.saved()->digits, std::string("023"));
    QCOMPARE(dialog.saved()->packed, 11u);
    QCOMPARE(dialog.saved()->lengthCode, 1);
    QVERIFY(reporter.shown.empty());
  }

  void aNinthKeyIsIgnoredAndBackspaceAndDeleteAllRemove() {
    RecordingReporter reporter;
    KeypadDialog dialog("01", reporter);
    auto* display = dialog.findChild<QLineEdit*>("ed_cpwFc_Password_LRUD");
    QCOMPARE(display->text(), QString("L. R. "));
    auto* right = dialog.findChild<QPushButton*>("userPasswordBtn2");
    for (int i = 0; i < 7; ++i) right->click();
    QCOMPARE(dialog.findChild<QLineEdit*>("ed_cpwFc_Password")->text(), QString("01111111"));
    dialog.findChild<QPushButton*>("btnBackspace")->click();
    QCOMPARE(display->text(), QString("L. R. R. R. R. R. R. "));
    dialog.findChild<QPushButton*>("btnDeleteAll")->click();
    QCOMPARE(display->text(), QString());
    QVERIFY(!dialog.findChild<QPushButton*>("btnSave")->isEnabled());
  }

  void saveWithOneKeyReportsMinus126AndStoresNothing() {
    RecordingReporter reporter;
    KeypadDialog dialog("", reporter);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    dialog.findChild<QPushButton*>("userPasswordBtn4")->click();
    dialog.save();
    QCOMPARE(reporter.shown.size(), std::size_t(1));
    QCOMPARE(QString::fromStdString(reporter.shown[0].text),
             QString("You have entered an illegal value. (2 - 8 Digit.)\n"));
    QVERIFY(!dialog.saved().has_value());
    QVERIFY(dialog.isVisible());
    dialog.findChild<QPushButton*>("btnCancle")->click();
    QVERIFY(!dialog.isVisible());
    QVERIFY(!dialog.saved().has_value());
  }

  // ---- The sound device ----

  // Offscreen CI has no sound device: the window is told once, and playing
  // neither throws nor waits.
  void withoutASoundDeviceTheWindowIsToldOnce() {
    if (zelta::ui::AudioToneOutput::deviceAvailable()) QSKIP("this machine has a sound device");
    QStringList notices;
    zelta::ui::AudioToneOutput output([&](const QString& text) { notices << text; });
    const std::vector<codes::ToneStep> melody = codes::melodySchedule(codes::defaultMelody());
    output.play(melody);
    output.play(melody);
    output.playFile("/nonexistent/tone/STD.wav");
    QCOMPARE(notices, QStringList{"No audio output is available."});
  }
};

QTEST_MAIN(AlertDialogsTest)
#include "alert_dialogs_test.moc"
