#include <QApplication>

#include "ui/command_line.h"
#include "ui/main_window.h"

int main(int argc, char** argv) {
  if (const auto status = zelta::ui::answerCommandLine(argc, argv)) return *status;
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("zelta-pps"));
  QApplication::setOrganizationName(QStringLiteral("Zelta"));
  zelta::ui::MainWindow window;
  window.show();
  return QApplication::exec();
}
