#pragma once

#include <QDialog>

#include "ui/url_opener.h"

class QLabel;

namespace zelta::ui {

// The about box (TFmAbout): product, version, copyright, the program's
// icon and the project's address, which the desktop opens when clicked.
class TFmAbout : public QDialog {
  Q_OBJECT

 public:
  // opener outlives the box.
  explicit TFmAbout(UrlOpener& opener, QWidget* parent = nullptr);

 private:
  UrlOpener& opener_;
};

// "&About": the box, shown modally and freed on close.
void showAbout(QWidget* parent);

}  // namespace zelta::ui
