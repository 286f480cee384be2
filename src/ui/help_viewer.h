#pragma once

#include <QDialog>
#include <QUrl>

class QTextBrowser;

namespace zelta::ui {

// The program's own window onto the HTML guide, for a desktop that has no
// browser to open it with. Links inside the guide stay in the viewer; an
// address outside it goes to the desktop.
class HelpViewer : public QDialog {
  Q_OBJECT

 public:
  HelpViewer(const QUrl& guide, QWidget* parent = nullptr);

  QTextBrowser* browser() const { return browser_; }

 private:
  QTextBrowser* browser_;
};

}  // namespace zelta::ui
