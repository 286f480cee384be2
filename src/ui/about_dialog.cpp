#include "ui/about_dialog.h"

#include <QApplication>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/program_icon.h"
#include "ui/qt_text.h"
#include "window/about_texts.h"

namespace zelta::ui {
namespace {

QLabel* labelOf(QWidget* parent, const char* name, const QString& text) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(name);
  return label;
}

}  // namespace

TFmAbout::TFmAbout(UrlOpener& opener, QWidget* parent) : QDialog(parent), opener_(opener) {
  setObjectName("FmAbout");
  setWindowTitle(qs(window::kAboutCaption));

  auto* icon = labelOf(this, "programIcon", {});
  icon->setPixmap(programIcon().pixmap(64, 64));

  auto* product = labelOf(this, "aboutProduct", qs(window::kAboutProduct));
  QFont productFont = product->font();
  productFont.setBold(true);
  productFont.setPointSizeF(productFont.pointSizeF() * 1.3);
  product->setFont(productFont);
  auto* version = labelOf(this, "aboutVer", QString::fromStdString(window::aboutVersion()));
  auto* copyright = labelOf(this, "aboutCopyright", qs(window::kAboutCopyright));

  // The address is shown as a link; a click goes to the opener, not to Qt's
  // own link handling.
  const QString address = qs(window::kProjectAddress);
  auto* website = labelOf(this, "website",
                          QStringLiteral("<a href=\"%1\">%1</a>").arg(address.toHtmlEscaped()));
  website->setTextFormat(Qt::RichText);
  website->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
  website->setOpenExternalLinks(false);
  connect(website, &QLabel::linkActivated, this,
          [this](const QString& link) { opener_.openUrl(QUrl(link)); });

  // Kept from the form; nothing shows it.
  auto* differenceUser = new QFrame(this);
  differenceUser->setObjectName("differenceUser");
  differenceUser->hide();

  auto* ok = new QPushButton(qs(window::kAboutOk), this);
  ok->setObjectName("okButton");
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);

  auto* texts = new QVBoxLayout;
  texts->addWidget(product);
  texts->addWidget(version);
  texts->addSpacing(8);
  texts->addWidget(copyright);
  texts->addWidget(website);
  auto* top = new QHBoxLayout;
  top->addWidget(icon, 0, Qt::AlignTop);
  top->addSpacing(12);
  top->addLayout(texts, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(ok);
  buttons->addStretch();
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addWidget(differenceUser);
  layout->addSpacing(8);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

void showAbout(QWidget* parent) {
  DesktopUrlOpener opener;
  TFmAbout box(opener, parent);
  box.exec();
}

}  // namespace zelta::ui
