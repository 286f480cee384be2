#pragma once

#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QRect>
#include <QWidget>
#include <QtTest/QTest>

namespace zelta::testing {

// Every visible text-bearing control shows its whole text and stays inside
// its window; visible siblings do not overlap.
inline void checkLayout(QWidget& window) {
  const QRect inside = window.rect();
  const auto widgets = window.findChildren<QWidget*>();
  for (QWidget* w : widgets) {
    if (!w->isVisibleTo(&window) || w->window() != &window) continue;
    const QString name = w->objectName().isEmpty() ? w->metaObject()->className() : w->objectName();
    const QRect area(w->mapTo(&window, QPoint(0, 0)), w->size());
    QVERIFY2(inside.contains(area), qPrintable(name + " reaches outside its window"));
    if (qobject_cast<QLabel*>(w) || qobject_cast<QAbstractButton*>(w) ||
        qobject_cast<QComboBox*>(w) || qobject_cast<QGroupBox*>(w)) {
      QVERIFY2(w->width() >= w->minimumSizeHint().width(),
               qPrintable(name + " is narrower than its text"));
    }
    for (QWidget* sibling : widgets) {
      if (sibling == w || sibling->parentWidget() != w->parentWidget() ||
          !sibling->isVisibleTo(&window) || sibling->window() != &window) {
        continue;
      }
      QVERIFY2(!w->geometry().intersects(sibling->geometry()),
               qPrintable(name + " overlaps " + sibling->objectName()));
    }
  }
}

}  // namespace zelta::testing
