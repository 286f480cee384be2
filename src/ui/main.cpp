#include <QApplication>
#include <QStandardPaths>

#include "ui/command_line.h"
#include "ui/main_window.h"
#include "ui/program_icon.h"
#include "ui/qsettings_store.h"
#include "ui/security_dialog.h"
#include "window/comm_settings.h"

int main(int argc, char** argv) {
  if (const auto status = zelta::ui::answerCommandLine(argc, argv)) return *status;
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("zelta-pps"));
  QApplication::setOrganizationName(QStringLiteral("Zelta"));
  QApplication::setWindowIcon(zelta::ui::programIcon());
  // The work folder of the communication setup: where the open dialog
  // starts and the scratch files go; the user's documents when none is set.
  zelta::ui::QSettingsStore store;
  const std::string documents =
      QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation).toStdString();
  const zelta::window::CommSettings settings = zelta::window::loadCommSettings(store);
  zelta::storage::WorkFiles work;
  work.folder = zelta::window::workFolderOf(settings, documents);
  zelta::ui::MainWindow window(std::move(work));
  window.show();
  // A configured software password guards the program: without it the
  // window goes at once, without the exit question.
  if (zelta::ui::askStartupPassword(settings, window.reporter(), &window) != 0) return 0;
  return QApplication::exec();
}
