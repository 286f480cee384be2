#pragma once

#include <QApplication>
#include <QString>
#include <QTabWidget>
#include <QtTest/QTest>
#include <memory>

#include "pages/page_table.h"
#include "support/rules_field_events.h"
#include "ui/editing_pages.h"

namespace zelta::testing {

// The thirteen editing pages of one model in tabs, shown and bound to the
// real rules, as the main window hosts them.
struct EditingPagesHarness {
  explicit EditingPagesHarness(models::ModelCode model) : events(model) {
    for (int i = 0; i < ui::kEditingPageCount; ++i) {
      const auto page = static_cast<pages::Page>(i);
      tabs.addTab(editing.page(page), QString::fromUtf8(pages::pageInfo(page).caption.data(),
                                                        pages::pageInfo(page).caption.size()));
    }
    editing.attach(&events);
    editing.applyModelLayout(events.modelLayout());
    tabs.resize(1000, 720);
    tabs.show();
    tabs.activateWindow();
  }

  void showPage(pages::Page page) {
    tabs.setCurrentIndex(pages::pageIndex(page));
    QApplication::processEvents();
  }

  template <class Widget>
  Widget* find(std::string_view name) const {
    return tabs.findChild<Widget*>(QString::fromUtf8(name.data(), static_cast<int>(name.size())));
  }

  // Members in this order: the tabs (and their page widgets) go first.
  RulesFieldEvents events;
  ui::EditingPages editing;
  QTabWidget tabs;
};

}  // namespace zelta::testing
