#include "ui/recent_files_menu.h"

#include <QAction>
#include <QDir>

namespace zelta::ui {
namespace {

// Long paths lose their middle, the folder nearest the file stays.
constexpr int kShownPathWidth = 480;

}  // namespace

RecentFilesMenu::RecentFilesMenu(QWidget* parent) : QMenu(QStringLiteral("Recent &Files"), parent) {
  setObjectName("menuRecent");
  connect(this, &QMenu::aboutToShow, this, &RecentFilesMenu::rebuild);
  rebuild();
}

void RecentFilesMenu::useStore(window::SettingsStore& store) {
  store_ = &store;
  recent_ = window::loadRecentFiles(store);
  rebuild();
}

void RecentFilesMenu::add(const std::filesystem::path& file) {
  recent_.add(file);
  if (store_ != nullptr) window::storeRecentFiles(recent_, *store_);
  rebuild();
}

void RecentFilesMenu::rebuild() {
  if (recent_.forgetMissing() && store_ != nullptr) window::storeRecentFiles(recent_, *store_);
  clear();
  int number = 1;
  for (const std::filesystem::path& file : recent_.files()) {
    const QString path = QDir::toNativeSeparators(QString::fromStdString(file.string()));
    const QString shown = fontMetrics().elidedText(path, Qt::ElideMiddle, kShownPathWidth);
    // The digit chooses; an ampersand in a name is no mnemonic.
    QAction* item = addAction(QStringLiteral("&%1  %2").arg(number).arg(
        QString(shown).replace('&', QStringLiteral("&&"))));
    item->setObjectName(QStringLiteral("recentFile%1").arg(number));
    item->setData(path);
    item->setStatusTip(path);
    item->setToolTip(path);
    connect(item, &QAction::triggered, this, [this, path] { emit fileChosen(path); });
    ++number;
  }
  menuAction()->setEnabled(!recent_.files().empty());
}

}  // namespace zelta::ui
