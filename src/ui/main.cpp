#include <QApplication>

#include "ui/main_window.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("zelta-pps"));
  QApplication::setOrganizationName(QStringLiteral("Zelta"));
  zelta::ui::MainWindow window;
  window.show();
  return QApplication::exec();
}
