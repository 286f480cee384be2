#include <QApplication>

#include "ui/command_line.h"
#include "ui/main_window.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("zelta-pps"));
  QApplication::setOrganizationName(QStringLiteral("Zelta"));
  if (const auto status = zelta::ui::answerCommandLine(QApplication::arguments())) return *status;
  zelta::ui::MainWindow window;
  window.show();
  return QApplication::exec();
}
