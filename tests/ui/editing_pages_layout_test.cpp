#include <QComboBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QtTest/QTest>

#include "editing_pages_harness.h"

using zelta::testing::EditingPagesHarness;
namespace pages = zelta::pages;

namespace {

// The text a label shows: with a buddy, "&&" is one "&" and a single "&"
// marks the mnemonic.
QString shownText(const QLabel* label) {
  QString text = label->text();
  if (label->buddy() == nullptr) return text;
  text.replace("&&", "\x01");
  text.remove('&');
  text.replace("\x01", "&");
  return text;
}

bool isLeaf(const QWidget* w) {
  return qobject_cast<const QLabel*>(w) || qobject_cast<const QLineEdit*>(w) ||
         qobject_cast<const QComboBox*>(w) || qobject_cast<const QPushButton*>(w);
}

// The field that Tab moves to: the next widget of the focus chain that a
// field's control name names.
QString nextField(QWidget* from) {
  for (QWidget* w = from->nextInFocusChain(); w != from; w = w->nextInFocusChain()) {
    const QString name = w->objectName();
    if (name.startsWith("ed_") || name.startsWith("cb_")) return name;
  }
  return {};
}

QString nameOf(const QWidget* w) {
  if (!w->objectName().isEmpty()) return w->objectName();
  if (auto* label = qobject_cast<const QLabel*>(w)) return "label \"" + label->text() + "\"";
  return w->metaObject()->className();
}

}  // namespace

class EditingPagesLayoutTest : public QObject {
  Q_OBJECT

 private slots:
  void pagesAreReadable_data() {
    QTest::addColumn<int>("model");
    QTest::newRow("old format 0x20") << 0x20;
    QTest::newRow("A 0x30") << 0x30;
    QTest::newRow("B p") << int('p');
    QTest::newRow("C q") << int('q');
    QTest::newRow("D 0x91") << 0x91;
    QTest::newRow("E 0x93") << 0x93;
    QTest::newRow("F 0x98") << 0x98;
  }

  // On every page: every label's text fits it, every field shows its whole
  // text, and no two visible widgets overlap.
  void pagesAreReadable() {
    QFETCH(int, model);
    EditingPagesHarness h(static_cast<zelta::models::ModelCode>(model));
    QVERIFY(QTest::qWaitForWindowExposed(&h.tabs));
    for (int index = 0; index < zelta::ui::kEditingPageCount; ++index) {
      const auto page = static_cast<pages::Page>(index);
      h.showPage(page);
      auto* scroll = qobject_cast<QScrollArea*>(h.editing.page(page));
      QVERIFY(scroll != nullptr);
      QWidget* contents = scroll->widget();
      const QString where = QString("page %1: ").arg(index);

      std::vector<std::pair<QWidget*, QRect>> leaves;
      for (QWidget* w : contents->findChildren<QWidget*>()) {
        if (!w->isVisibleTo(contents)) continue;
        if (auto* label = qobject_cast<QLabel*>(w)) {
          const int needed = QFontMetrics(label->font()).horizontalAdvance(shownText(label));
          QVERIFY2(
              needed <= label->contentsRect().width(),
              qPrintable(
                  where + nameOf(w) +
                  QString(" needs %1 px, has %2").arg(needed).arg(label->contentsRect().width())));
        }
        if (auto* box = qobject_cast<QGroupBox*>(w)) {
          const int needed = QFontMetrics(box->font()).horizontalAdvance(box->title());
          QVERIFY2(needed < box->width(), qPrintable(where + nameOf(w)));
        }
        if (auto* edit = qobject_cast<QLineEdit*>(w)) {
          const int needed = QFontMetrics(edit->font()).horizontalAdvance(edit->text());
          QVERIFY2(needed <= edit->contentsRect().width(),
                   qPrintable(where + nameOf(w) + " clips \"" + edit->text() + "\""));
        }
        if (auto* combo = qobject_cast<QComboBox*>(w)) {
          QVERIFY2(combo->width() >= combo->minimumSizeHint().width(),
                   qPrintable(where + nameOf(w)));
        }
        if (isLeaf(w)) leaves.emplace_back(w, QRect(w->mapTo(contents, QPoint(0, 0)), w->size()));
      }
      // A page is empty only where the rules hide all its fields.
      if (leaves.empty()) {
        const pages::PageView view = h.events.pageView(page);
        for (const pages::FieldView& field : view.fields) {
          QVERIFY2(!field.visible, qPrintable(where + "nothing shown"));
        }
      }
      for (std::size_t i = 0; i < leaves.size(); ++i) {
        for (std::size_t j = i + 1; j < leaves.size(); ++j) {
          QVERIFY2(
              !leaves[i].second.intersects(leaves[j].second),
              qPrintable(where + nameOf(leaves[i].first) + " overlaps " + nameOf(leaves[j].first)));
        }
      }
    }
  }

  // Tab moves through a page in its visual order: the code grid code by code.
  void tabOrderFollowsTheCodes() {
    EditingPagesHarness h(0x91);
    h.showPage(pages::Page::Code1to4);
    QCOMPARE(nextField(h.find<QWidget>("ed_code01")), QString("ed_function01"));
    QCOMPARE(nextField(h.find<QWidget>("ed_history01")), QString("ed_onOffDuty01"));
    QCOMPARE(nextField(h.find<QWidget>("cb_alertPattern01_4")), QString("ed_code02"));
  }
};

QTEST_MAIN(EditingPagesLayoutTest)
#include "editing_pages_layout_test.moc"
