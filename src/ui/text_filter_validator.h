#pragma once

#include <QValidator>
#include <functional>
#include <string>
#include <string_view>

namespace zelta::ui {

// Keeps a line edit's text as a filter of the core makes it: characters it
// drops never appear, letters become upper case as typed.
class TextFilterValidator : public QValidator {
 public:
  using Filter = std::function<std::string(std::string_view)>;
  TextFilterValidator(Filter filter, QObject* parent)
      : QValidator(parent), filter_(std::move(filter)) {}

  State validate(QString& input, int& pos) const override {
    const QString filtered = QString::fromStdString(filter_(input.toStdString()));
    if (filtered != input) {
      // Characters dropped before the cursor move it back by as many.
      const QString before = QString::fromStdString(filter_(input.left(pos).toStdString()));
      input = filtered;
      pos = static_cast<int>(std::min(before.size(), filtered.size()));
    }
    return Acceptable;
  }

 private:
  Filter filter_;
};

}  // namespace zelta::ui
