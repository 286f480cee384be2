#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <QTabWidget>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "support/rules_field_events.h"
#include "ui/editing_pages.h"

namespace {

constexpr zelta::models::ModelCode kModels[] = {0x20, 0x30, 'p', 'q', 0x91, 0x93, 0x98};

QString modelName(zelta::models::ModelCode model) {
  return QString("model-%1").arg(static_cast<unsigned>(model), 2, 16, QChar('0'));
}

int usage() {
  std::fprintf(stderr, "usage: zelta-page-screenshots FOLDER [--scale N]\n");
  return 2;
}

}  // namespace

// Renders the thirteen editing pages of one model of each family, as the
// main window's tabs show them, into FOLDER/model-XX/page-NN.png.
int main(int argc, char** argv) {
  if (argc != 2 && argc != 4) return usage();
  if (argc == 4) {
    if (std::string(argv[2]) != "--scale") return usage();
    // The scale must be known before the application starts.
    qputenv("QT_SCALE_FACTOR", argv[3]);
  }
  QApplication app(argc, argv);
  const QDir folder(QString::fromLocal8Bit(argv[1]));
  if (!folder.mkpath(".")) {
    std::fprintf(stderr, "cannot make %s\n", argv[1]);
    return 1;
  }
  for (const zelta::models::ModelCode model : kModels) {
    zelta::testing::RulesFieldEvents events(model);
    zelta::ui::EditingPages editing;
    QTabWidget tabs;
    for (int i = 0; i < zelta::ui::kEditingPageCount; ++i) {
      const auto page = static_cast<zelta::pages::Page>(i);
      const std::string_view caption = zelta::pages::pageInfo(page).caption;
      tabs.addTab(editing.page(page),
                  QString::fromUtf8(caption.data(), static_cast<int>(caption.size())));
    }
    editing.attach(&events);
    editing.applyModelLayout(events.modelLayout());
    tabs.resize(1000, 720);
    tabs.show();
    folder.mkpath(modelName(model));
    for (int i = 0; i < zelta::ui::kEditingPageCount; ++i) {
      tabs.setCurrentIndex(i);
      QApplication::processEvents();
      const QString file = folder.filePath(
          QString("%1/page-%2.png").arg(modelName(model)).arg(i, 2, 10, QChar('0')));
      if (!tabs.grab().save(file)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
        return 1;
      }
    }
    tabs.hide();
    // The tabs own the page widgets; they go before the bindings.
    while (tabs.count() > 0) delete tabs.widget(0);
  }
  return 0;
}
