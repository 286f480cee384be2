#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QStringList>
#include <QTimer>
#include <QWidget>
#include <functional>

// Answers modal windows as they come up: every few milliseconds the active
// modal widget is handed to the handler, which returns true once it has
// answered it. Titles and message texts of the windows answered are kept.
class ModalAnswerer {
 public:
  using Handler = std::function<bool(QWidget*)>;

  explicit ModalAnswerer(Handler handler) : handler_(std::move(handler)) {
    QObject::connect(&timer_, &QTimer::timeout, [this] {
      QPointer<QWidget> modal = QApplication::activeModalWidget();
      if (modal == nullptr || modal == answered_) return;
      answered_ = modal;
      // Answered from a timer of its own: an answer may open the next modal
      // window, and a timer does not fire again while its own slot runs.
      QTimer::singleShot(0, [this, modal] {
        if (modal == nullptr) return;
        const QString title = modal->windowTitle();
        QString text;
        if (auto* box = qobject_cast<QMessageBox*>(modal.data())) text = box->text();
        titles.append(title);
        texts.append(text);
        if (!handler_(modal)) {
          titles.removeLast();
          texts.removeLast();
          answered_ = nullptr;
        }
      });
    });
    timer_.start(5);
  }

  // A message box answered with button.
  static Handler clicking(QMessageBox::StandardButton button) {
    return [button](QWidget* w) {
      auto* box = qobject_cast<QMessageBox*>(w);
      if (box == nullptr) return false;
      box->button(button)->click();
      return true;
    };
  }

  // Every question answered with question, every statement with OK; a box
  // without that button (the Save / Discard / Cancel question) with
  // otherwise.
  static Handler answering(QMessageBox::StandardButton question,
                           QMessageBox::StandardButton otherwise = QMessageBox::NoButton) {
    return [question, otherwise](QWidget* w) {
      auto* box = qobject_cast<QMessageBox*>(w);
      if (box == nullptr) return false;
      QAbstractButton* button = box->button(question);
      if (button == nullptr && otherwise != QMessageBox::NoButton) button = box->button(otherwise);
      if (button == nullptr) button = box->button(QMessageBox::Ok);
      if (button == nullptr) return false;
      button->click();
      return true;
    };
  }

  QStringList titles;
  QStringList texts;

 private:
  Handler handler_;
  QTimer timer_;
  QPointer<QWidget> answered_;
};
