#pragma once

#include <QComboBox>
#include <QLineEdit>
#include <QObject>
#include <QString>
#include <QtTest/QTest>
#include <functional>

#include "pages/edit_mask.h"
#include "pages/field_catalog.h"
#include "pages/field_view.h"
#include "ui/qt_text.h"

namespace zelta::testing {

// How a list field's widget is compared with the rules' view of it: its
// whole item list and index, or only the text it shows.
enum class ListCheck { ItemsAndIndex, ShownText };

// Compares the widget of every catalog field under root with what the rules
// give for it (visible, enabled, shown text or list), failing the running
// Qt test at the first difference. compared counts the visible fields.
inline void compareShownFields(const std::function<pages::PageView(pages::Page)>& viewOf,
                               const QObject& root, ListCheck lists, int& compared) {
  using ui::qs;
  for (const pages::FieldEntry& field : pages::allFields()) {
    const pages::PageView view = viewOf(field.page);
    const pages::FieldView* shown =
        field.id != pages::kNoFieldId ? view.find(field.id) : view.find(field.name);
    QVERIFY2(shown != nullptr, field.name.data());
    auto* widget = root.findChild<QWidget*>(qs(field.name));
    QVERIFY2(widget != nullptr, field.name.data());
    QVERIFY2(widget->isHidden() == !shown->visible, field.name.data());
    if (!shown->visible) continue;
    QVERIFY2(widget->isEnabled() == shown->enabled, field.name.data());
    if (auto* combo = qobject_cast<QComboBox*>(widget)) {
      if (lists == ListCheck::ItemsAndIndex) {
        QCOMPARE(combo->count(), static_cast<int>(shown->items.size()));
        for (int i = 0; i < combo->count(); ++i) QCOMPARE(combo->itemText(i), qs(shown->items[i]));
        QCOMPARE(combo->currentIndex(), shown->selected);
      } else {
        const QString expected = shown->selected >= 0 ? qs(shown->items[shown->selected]) : "";
        QVERIFY2(combo->currentText() == expected,
                 qPrintable(qs(field.name) + ": " + combo->currentText() + " != " + expected));
      }
    } else {
      auto* edit = qobject_cast<QLineEdit*>(widget);
      QVERIFY(edit != nullptr);
      const QString expected = field.kind == pages::FieldKind::Masked
                                   ? qs(pages::EditMask::parse(field.mask)->display(shown->text))
                                   : qs(shown->text);
      QVERIFY2(edit->text() == expected,
               qPrintable(qs(field.name) + ": " + edit->text() + " != " + expected));
    }
    ++compared;
  }
}

}  // namespace zelta::testing
