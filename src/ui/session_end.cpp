#include "ui/session_end.h"

#include <QGuiApplication>
#include <QSessionManager>

#include "ui/main_window.h"
#include "ui/termination_requests.h"

namespace zelta::ui {

void endSessionOnRequest(QGuiApplication& app, TerminationRequests& requests, MainWindow& window) {
  QObject::connect(&requests, &TerminationRequests::requested, &window,
                   [&window](int signal) { window.endSession(128 + signal); });
  // The session manager quits the program after this request; a pager
  // operation must be over by then, whole, and no question may hold up the
  // logout. With no operation running the request is left to the usual
  // close: a logout the user cancels must not have cost the window.
  QObject::connect(&app, &QGuiApplication::commitDataRequest, &window, [&window](QSessionManager&) {
    if (window.pagerOperationRunning()) window.endSession(0);
  });
}

}  // namespace zelta::ui
