#pragma once

#include <QDesktopServices>
#include <QUrl>

namespace zelta::ui {

// Hands a file or web address to the user's desktop (its HTML viewer or
// browser). Help and the about box open addresses through it, so that a
// test can record the call instead.
class UrlOpener {
 public:
  virtual ~UrlOpener() = default;
  // A failure of the desktop to open the address is not reported.
  virtual void openUrl(const QUrl& url) = 0;
};

class DesktopUrlOpener : public UrlOpener {
 public:
  void openUrl(const QUrl& url) override { QDesktopServices::openUrl(url); }
};

}  // namespace zelta::ui
