#pragma once

#include <QPointer>
#include <QString>
#include <memory>

#include "ui/help_viewer.h"
#include "ui/url_opener.h"

class QWidget;

namespace zelta::ui {

// F1 and "&Help Topics": opens the guide at its start (window/help_file.h
// decides where it is). A missing guide is said in a plain message box, and
// the desktop is asked to open it all the same. A desktop that cannot open
// the guide (no browser) leaves it to the program's own help viewer.
class HelpOpener {
 public:
  // Opens through the desktop.
  explicit HelpOpener(QString programFolder);
  // Opens through opener, which outlives this object.
  HelpOpener(QString programFolder, UrlOpener& opener);
  ~HelpOpener();
  HelpOpener(const HelpOpener&) = delete;
  HelpOpener& operator=(const HelpOpener&) = delete;

  // parent owns the message box of a missing guide and the help viewer.
  void open(QWidget* parent) const;

  // The help viewer while it is open; null when the desktop showed the guide.
  HelpViewer* viewer() const { return viewer_; }

 private:
  void showViewer(const QUrl& guide, QWidget* parent) const;

  QString programFolder_;
  std::unique_ptr<UrlOpener> ownOpener_;
  UrlOpener& opener_;
  // One viewer at a time: F1 again brings it to the front.
  mutable QPointer<HelpViewer> viewer_;
};

}  // namespace zelta::ui
