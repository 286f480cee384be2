#include <QApplication>
#include <QStandardPaths>

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
  // The work folder of the communication setup: where the open dialog
  // starts and the scratch files go; the user's documents when none is set.
  zelta::ui::QSettingsStore store;
  const std::string documents =
      QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation).toStdString();
  const zelta::window::CommSettings settings = zelta::window::loadCommSettings(store);
  zelta::storage::WorkFiles work;
  work.folder = zelta::window::workFolderOf(settings, documents);
  zelta::ui::MainWindow window(std::move(work));
  zelta::ui::endSessionOnRequest(*qApp, termination, window);
  window.show();
  // A configured software password guards the program: without it the
  // window goes at once, without the exit question.
  if (zelta::ui::askStartupPassword(settings, window.reporter(), &window) != 0) return 0;
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
