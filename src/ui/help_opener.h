#pragma once

#include <QString>
#include <memory>

#include "ui/url_opener.h"

class QWidget;

namespace zelta::ui {

// F1 and "&Help Topics": opens the guide at its start (window/help_file.h
// decides where it is). A missing guide is said in a plain message box, and
// the desktop is asked to open it all the same.
class HelpOpener {
 public:
  // Opens through the desktop.
  explicit HelpOpener(QString programFolder);
  // Opens through opener, which outlives this object.
  HelpOpener(QString programFolder, UrlOpener& opener);

  // parent owns the message box of a missing guide.
  void open(QWidget* parent) const;

 private:
  QString programFolder_;
  std::unique_ptr<UrlOpener> ownOpener_;
  UrlOpener& opener_;
};

}  // namespace zelta::ui
