#include <QApplication>
#include <QStandardPaths>

#include "storage/work_folder.h"
#include "ui/command_line.h"
#include "ui/main_window.h"
#include "ui/program_icon.h"
#include "ui/qsettings_store.h"
#include "ui/security_dialog.h"
#include "ui/session_end.h"
#include "ui/termination_requests.h"
#include "window/comm_settings.h"

namespace {

// The window's whole life; its exit status.
int runWindow(zelta::ui::TerminationRequests& termination) {
  // The scratch files go to the work folder (beside the program, or the
  // user's data folder for an installed one); the setup's "Arch Path" is
  // only where the open and save dialogs start, the user's documents when
  // none is set and that folder exists.
  zelta::ui::QSettingsStore store;
  const std::string documents =
      QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation).toStdString();
  const std::vector<std::string_view> damaged = zelta::window::damagedCommSettings(store);
  const zelta::window::CommSettings settings = zelta::window::loadCommSettings(store);
  zelta::storage::WorkFiles work;
  work.folder = zelta::storage::workFolder(QCoreApplication::applicationDirPath().toStdString());
  const std::string archive = zelta::window::workFolderOf(
      settings, zelta::window::defaultArchiveFolder(documents, work.folder));
  zelta::ui::MainWindow window(std::move(work));
  zelta::ui::endSessionOnRequest(*qApp, termination, window);
  window.setArchiveFolder(archive);
  window.restoreRememberedGeometry();
  window.show();
  // Said once: the defaults are stored now, and the next start finds them.
  if (!damaged.empty()) window.reporter().Show(zelta::window::settingsResetMessage(damaged));
  // A configured software password guards the program: without it the
  // window goes at once, without the exit question.
  if (zelta::ui::askStartupPassword(settings, window.reporter(), &window) !=
      zelta::errors::code::Ok)
    return 0;
  std::vector<std::string> arguments;
  for (const QString& arg : QCoreApplication::arguments()) arguments.push_back(arg.toStdString());
  if (const auto file = zelta::ui::fileArgument(arguments)) window.openFile(*file);
  return QApplication::exec();
}

}  // namespace

int main(int argc, char** argv) {
  if (const auto status = zelta::ui::answerCommandLine(argc, argv)) return *status;
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("zelta-pps"));
  QApplication::setOrganizationName(QStringLiteral("Zelta"));
  QApplication::setWindowIcon(zelta::ui::programIcon());
  zelta::ui::TerminationRequests termination;
  const int status = runWindow(termination);
  // The window and its settings are gone; a signal ends the program as it
  // would have at once.
  termination.endBySignalReceived();
  return status;
}
