#pragma once

class QGuiApplication;

namespace zelta::ui {

class MainWindow;
class TerminationRequests;

// What ends the window's session from outside, handed to the window
// (MainWindow::endSession): SIGTERM and SIGHUP end it with 128 + the signal,
// the desktop session manager's request to save before the session ends
// with 0.
void endSessionOnRequest(QGuiApplication& app, TerminationRequests& requests, MainWindow& window);

}  // namespace zelta::ui
