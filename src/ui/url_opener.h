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
  // False when the desktop has nothing to open the address with (no
  // browser installed); the caller decides whether that matters.
  virtual bool openUrl(const QUrl& url) = 0;
};

class DesktopUrlOpener : public UrlOpener {
 public:
  bool openUrl(const QUrl& url) override { return QDesktopServices::openUrl(url); }
};

}  // namespace zelta::ui
